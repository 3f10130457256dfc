#include "ExplanationFrms.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

#include "platform/Constants.h"
#include "platform/Fonts.h"
#include "platform/OwnedWindow.h"

namespace {

using platform::kTwipsPerPixel;
const QColor kSky(225, 240, 255);
const QColor kGround(150, 120, 80);
const QColor kAntenna(200, 30, 30);
const QColor kBuilding(170, 170, 185);

QPixmap Canvas(int width, int height)
{
    QPixmap picture(width, height);
    picture.fill(kSky);
    return picture;
}

void GroundLine(QPainter& p, int width, int groundY)
{
    p.fillRect(QRectF(0, groundY, width, 12), kGround);
}

// A pole with a dish-like antenna at its top (x, topY) standing on the ground at groundY.
void AntennaOnPole(QPainter& p, double x, double topY, double groundY)
{
    p.setPen(QPen(Qt::darkGray, 3));
    p.drawLine(QPointF(x, groundY), QPointF(x, topY + 4));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(kAntenna);
    p.drawEllipse(QPointF(x, topY), 9, 5);
}

// A vertical dimension arrow from y1 to y2 at x with a label beside it.
void Dimension(QPainter& p, double x, double y1, double y2, const QString& label)
{
    p.setPen(QPen(Qt::blue, 1.5));
    p.drawLine(QPointF(x, y1), QPointF(x, y2));
    p.setBrush(Qt::blue);
    p.drawPolygon(QPolygonF{{x, y1}, {x - 4, y1 + 8}, {x + 4, y1 + 8}});
    p.drawPolygon(QPolygonF{{x, y2}, {x - 4, y2 - 8}, {x + 4, y2 - 8}});
    p.setPen(Qt::blue);
    p.drawText(QPointF(x + 8, (y1 + y2) / 2 + 5), label);
}

QPixmap AntennaPicture()
{
    QPixmap picture = Canvas(180, 200);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(platform::WindowFont(10));
    GroundLine(p, 180, 180);
    AntennaOnPole(p, 70, 50, 180);
    Dimension(p, 110, 50, 180, QStringLiteral("ｱﾝﾃﾅ高"));
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.drawLine(60, 50, 130, 50);
    return picture;
}

QPixmap AngleToObstaclePicture()
{
    QPixmap picture = Canvas(260, 200);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(platform::WindowFont(9));
    GroundLine(p, 260, 180);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(kBuilding);
    p.drawRect(QRectF(190, 40, 50, 140));
    const QPointF roof(190, 40);
    // Low antenna: the obstacle stands high above it; a raised antenna sees it lower.
    const QPointF low(40, 160);
    const QPointF high(40, 90);
    AntennaOnPole(p, 40, 90, 180);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(kAntenna.lighter(150));
    p.drawEllipse(low, 9, 5);
    p.setPen(QPen(kAntenna, 1.5, Qt::DashLine));
    p.drawLine(low, roof);
    p.drawLine(high, roof);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawLine(low, QPointF(185, low.y()));
    p.drawLine(high, QPointF(185, high.y()));
    p.setPen(Qt::black);
    p.drawText(QPointF(75, 175), QStringLiteral("低いと角度大"));
    p.drawText(QPointF(75, 105), QStringLiteral("高いと角度小"));
    return picture;
}

QPixmap ElevationMaskPicture()
{
    QPixmap picture = Canvas(320, 200);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(platform::WindowFont(9));
    const QPointF site(160, 165);
    const double maskDegrees = 15.0;
    const double reach = 150.0;
    const double dx = reach * std::cos(qDegreesToRadians(maskDegrees));
    const double dy = reach * std::sin(qDegreesToRadians(maskDegrees));
    // The band below the mask all around the horizon is not used.
    QPainterPath unused;
    unused.moveTo(site);
    unused.lineTo(site + QPointF(dx, -dy));
    unused.lineTo(site + QPointF(dx, 0));
    unused.lineTo(site + QPointF(-dx, 0));
    unused.lineTo(site + QPointF(-dx, -dy));
    unused.closeSubpath();
    p.fillPath(unused, QColor(240, 170, 170));
    GroundLine(p, 320, int(site.y()));
    p.setPen(QPen(Qt::red, 1.5));
    p.drawLine(site, site + QPointF(dx, -dy));
    p.drawLine(site, site + QPointF(-dx, -dy));
    p.setPen(QPen(Qt::black, 1));
    p.drawArc(QRectF(site.x() - 50, site.y() - 50, 100, 100), 0, int(maskDegrees * 16));
    p.drawText(site + QPointF(55, -4), QStringLiteral("仰角ﾏｽｸ"));
    AntennaOnPole(p, site.x(), site.y() - 10, site.y());
    // A satellite above the mask is used, one inside the band is not.
    p.setBrush(QColor(0, 120, 220));
    p.drawEllipse(QPointF(100, 40), 7, 7);
    p.drawText(QPointF(112, 44), QStringLiteral("使用する"));
    p.setBrush(QColor(150, 150, 150));
    p.drawEllipse(QPointF(40, 152), 6, 6);
    p.drawText(QPointF(20, 140), QStringLiteral("使用しない"));
    return picture;
}

QLabel* Sentence(QWidget* parent, const QString& text, int width)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    label->setFixedWidth(width);
    label->adjustSize();
    return label;
}

// Window settings both explanation windows share; `left` and `top` are screen twips.
void SetUpExplanationWindow(QWidget* window, const char* name, const QString& title, int left, int top)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QLatin1String(name));
    window->setWindowTitle(title);
    window->setFont(platform::WindowFont(10));
    window->move(left / kTwipsPerPixel, top / kTwipsPerPixel);
}

QLabel* Picture(QWidget* parent, const char* name, const QPixmap& picture, QPoint at)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(picture);
    label->setGeometry(QRect(at, picture.size()));
    return label;
}

}  // namespace

AntennaHeightFrm::AntennaHeightFrm(QWidget* owner) : QWidget(owner, platform::OwnedWindowFlags())
{
    SetUpExplanationWindow(this, "AntennaHeightFrm", QStringLiteral("ｱﾝﾃﾅ高"), 3000, 2000);
    Image1 = Picture(this, "Image1", AntennaPicture(), QPoint(12, 12));
    Image2 = Picture(this, "Image2", AngleToObstaclePicture(), QPoint(204, 12));
    Label1 = Sentence(this, QStringLiteral("ｱﾝﾃﾅ高とは地上からGPS電波を受信するｱﾝﾃﾅまでの高さです。これは障害物の角度にえいきょうします。"), 452);
    Label1->move(12, 222);
    setFixedSize(476, 234 + Label1->height());
}

ElevationMaskFrm::ElevationMaskFrm(QWidget* owner) : QWidget(owner, platform::OwnedWindowFlags())
{
    SetUpExplanationWindow(this, "ElevationMaskFrm", QStringLiteral("仰角ﾏｽｸの説明"), 2000, 1000);
    Image1 = Picture(this, "Image1", ElevationMaskPicture(), QPoint(12, 12));
    Label1 = Sentence(this, QStringLiteral("仰角ﾏｽｸはGPS電波受信地点で水平方向の周囲３６０度において仰角で決められます。この仰角以下の電波は受信しても計算には用いません。"), 320);
    Label1->move(12, 222);
    setFixedSize(344, 234 + Label1->height());
}
