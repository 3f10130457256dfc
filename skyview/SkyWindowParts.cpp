#include "SkyWindowParts.h"

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

QString StepLabel(int step)
{
    return QString::fromStdString(orbit::ConvertSecondToTimeStr(static_cast<double>(step) * kSecondsPerStep));
}

QPixmap ObstacleSample(QSize size)
{
    QPixmap sample(size);
    sample.fill(Qt::transparent);
    QPainter painter(&sample);
    painter.setPen(QPen(kSkylineColor, 2));
    painter.drawLine(0, sample.height() / 2, sample.width(), sample.height() / 2);
    return sample;
}

void PlaceInPlot(const PictureSurface& plot, QWidget* w, const PlotRect& place)
{
    const QPointF a = plot.toPixel({place.left, place.top});
    const QPointF b = plot.toPixel({place.left + place.width, place.top - place.height});
    w->setGeometry(QRectF(a, b).normalized().toRect());
}

namespace {

QLabel* MakePicture(QWidget* parent, const char* name)
{
    auto* picture = new QLabel(parent);
    picture->setObjectName(QLatin1String(name));
    return picture;
}

}  // namespace

void SetUpSkyViewWindow(QWidget* window, const char* name)
{
    window->setObjectName(QLatin1String(name));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("SateriteObit"));
    window->setFont(platform::WindowFont(9));
}

PictureSurface* MakeSkyPlot(QWidget* window)
{
    auto* plot = new PictureSurface(window);
    plot->setObjectName(QStringLiteral("DispPic"));
    plot->setTextFont(platform::WindowFont(9));
    return plot;
}

void PlaceLargePlot(PictureSurface& plot, QPoint topLeft)
{
    const int side = Px(5130);
    const int below = static_cast<int>(std::lround(side * (-169.0 - kLargePlotBottom) / 338.0));
    plot.setGeometry(topLeft.x(), topLeft.y(), side, side + below);
    plot.setScale(-169, 169, 338, -338.0 * (side + below) / side);
}

void MakePlotCaptions(PictureSurface* plot, const QString& seeing, PlotCaptions& c)
{
    c.TitleNameLbl = MakeLabel(plot, "TitleNameLbl", QStringLiteral("GPS衛星の予測軌道（数字は衛星番号）"));
    c.TitleNameLbl->setWordWrap(true);
    c.TitleNameLbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    c.SeeingLbl = MakeLabel(plot, "SeeingLbl", seeing);
    c.Label2 = MakeLabel(plot, "Label2", QStringLiteral("障害物"));
    c.Image1 = MakePicture(plot, "Image1");
    c.VisibleSateImg = MakePicture(plot, "VisibleSateImg");
    c.VisibleSateLbl = MakeLabel(plot, "VisibleSateLbl", QStringLiteral("受信可能衛星"));
    c.BackSateXXimg = MakePicture(plot, "BackSateXXimg");
    c.BackSateLbl = MakeLabel(plot, "BackSateLbl", QStringLiteral("障害物に隠れた衛星"));
    c.SateNumLbl = MakeLabel(plot, "SateNumLbl", SateCountText(0));
    c.SateNumLbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void PlacePlotCaptions(const PictureSurface& plot, const PlotCaptions& c, const PlotCaptionPlaces& places)
{
    PlaceInPlot(plot, c.TitleNameLbl, places.title);
    PlaceInPlot(plot, c.SeeingLbl, places.seeing);
    PlaceInPlot(plot, c.VisibleSateImg, places.visibleIcon);
    PlaceInPlot(plot, c.BackSateXXimg, places.hiddenIcon);
    PlaceInPlot(plot, c.VisibleSateLbl, places.visibleText);
    PlaceInPlot(plot, c.BackSateLbl, places.hiddenText);
    PlaceInPlot(plot, c.Image1, places.obstacleSample);
    PlaceInPlot(plot, c.Label2, places.obstacleText);
    PlaceInPlot(plot, c.SateNumLbl, places.count);
    c.VisibleSateImg->setPixmap(SateIconPixmap(8, false, c.VisibleSateImg->width()));
    c.BackSateXXimg->setPixmap(SateIconPixmap(8, true, c.BackSateXXimg->width()));
    c.Image1->setPixmap(ObstacleSample(c.Image1->size()));
}

}  // namespace skyview
