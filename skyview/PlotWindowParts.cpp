#include "PlotWindowParts.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <cmath>

#include "orbit/ObservationConditions.h"
#include "orbit/TextHelpers.h"
#include "platform/Constants.h"
#include "platform/Fonts.h"
#include "platform/PictureSurface.h"
#include "skyview/SkyPlot.h"

namespace skyview {

int Px(int twips) { return static_cast<int>(std::lround(twips / static_cast<double>(platform::kTwipsPerPixel))); }

QRect TwipRect(int left, int top, int width, int height) { return {Px(left), Px(top), Px(width), Px(height)}; }

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, double pointSize)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(platform::WindowFont(pointSize));
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setFont(platform::WindowFont(9));
    return button;
}

QString StepLabel(int step)
{
    return QString::fromStdString(orbit::ConvertSecondToTimeStr(static_cast<double>(step) * kSecondsPerStep));
}

void PlaceInPlot(const PictureSurface& plot, QWidget* w, double left, double top, double width, double height)
{
    const QPointF a = plot.toPixel({left, top});
    const QPointF b = plot.toPixel({left + width, top - height});
    w->setGeometry(QRectF(a, b).normalized().toRect());
}

PlotCaptions MakePlotCaptions(PictureSurface* plot, const QString& seeing)
{
    PlotCaptions c;
    c.TitleNameLbl = MakeLabel(plot, "TitleNameLbl", QStringLiteral("GPS衛星の予測軌道（数字は衛星番号）"));
    c.TitleNameLbl->setWordWrap(true);
    c.TitleNameLbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    c.SeeingLbl = MakeLabel(plot, "SeeingLbl", seeing);
    c.Label2 = MakeLabel(plot, "Label2", QStringLiteral("障害物"));
    c.Image1 = new QLabel(plot);
    c.Image1->setObjectName(QStringLiteral("Image1"));
    c.VisibleSateImg = new QLabel(plot);
    c.VisibleSateImg->setObjectName(QStringLiteral("VisibleSateImg"));
    c.VisibleSateLbl = MakeLabel(plot, "VisibleSateLbl", QStringLiteral("受信可能衛星"));
    c.BackSateXXimg = new QLabel(plot);
    c.BackSateXXimg->setObjectName(QStringLiteral("BackSateXXimg"));
    c.BackSateLbl = MakeLabel(plot, "BackSateLbl", QStringLiteral("障害物に隠れた衛星"));
    c.SateNumLbl = MakeLabel(plot, "SateNumLbl", SateCountText(0));
    c.SateNumLbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return c;
}

void PlacePlotCaptions(const PictureSurface& plot, const PlotCaptions& c)
{
    // The title wraps into two lines left of the N.
    PlaceInPlot(plot, c.TitleNameLbl, -167, 168, 120, 34);
    PlaceInPlot(plot, c.SeeingLbl, 108, 168, 60, 18);
    PlaceInPlot(plot, c.VisibleSateImg, -170, -126, 20, 20);
    PlaceInPlot(plot, c.BackSateXXimg, -170, -149, 20, 20);
    PlaceInPlot(plot, c.VisibleSateLbl, -145, -133, 100, 20);
    PlaceInPlot(plot, c.BackSateLbl, -145, -154, 120, 20);
    PlaceInPlot(plot, c.Image1, 100, -131, 20, 10);
    PlaceInPlot(plot, c.Label2, 124, -127, 45, 18);
    PlaceInPlot(plot, c.SateNumLbl, 84, -148, 84, 20);
    const int iconSize = c.VisibleSateImg->width();
    c.VisibleSateImg->setPixmap(SateIconPixmap(8, false, iconSize));
    c.BackSateXXimg->setPixmap(SateIconPixmap(8, true, iconSize));
    QPixmap obstacle(c.Image1->size());
    obstacle.fill(Qt::transparent);
    {
        QPainter painter(&obstacle);
        painter.setPen(QPen(kSkylineColor, 2));
        painter.drawLine(0, obstacle.height() / 2, obstacle.width(), obstacle.height() / 2);
    }
    c.Image1->setPixmap(obstacle);
}

}  // namespace skyview
