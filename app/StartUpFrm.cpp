#include "StartUpFrm.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include "site/RunState.h"
#include "app/MainWorkingFrm.h"
#include "platform/Fonts.h"

namespace {
constexpr int kTickMs = 400;
constexpr int kLastTick = 7;
}  // namespace

StartUpFrm::StartUpFrm(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Form1"));
    setFont(platform::WindowFont(9));
    const QSize pictureSize(480, 300);
    setFixedSize(pictureSize.width(), pictureSize.height() + 28);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, pictureSize.width(), pictureSize.height());
    Image1->setPixmap(SplashPicture(pictureSize));

    VersionLbl = new QLabel(QStringLiteral("Ver.2.1"), this);
    VersionLbl->setObjectName(QStringLiteral("VersionLbl"));
    VersionLbl->setGeometry(pictureSize.width() - 90, pictureSize.height() + 4, 80, 20);
    VersionLbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Timer1.setInterval(0);
    connect(&Timer1, &QTimer::timeout, this, &StartUpFrm::Timer1_Timer);
}

void StartUpFrm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void StartUpFrm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        Form_Activate();
    }
}

void StartUpFrm::Form_Activate()
{
    // Only the start-up activation starts the timer; a later one (after the main window's load)
    // or a repeated one while it runs does not restart the count.
    if (gStartUpState == 0 && !Timer1.isActive()) {
        Timer1.setInterval(kTickMs);
        Timer1.start();
    }
}

void StartUpFrm::Timer1_Timer()
{
    ++tickCount_;
    if (tickCount_ < kLastTick) {
        return;
    }
    Timer1.stop();
    close();
    MainWorkingFrm::instance()->show();
}

QPixmap StartUpFrm::SplashPicture(QSize size)
{
    // Our own artwork: a night sky plot with satellite tracks over a street of buildings.
    QPixmap picture(size);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0.0, QColor(8, 20, 60));
    sky.setColorAt(1.0, QColor(40, 90, 150));
    p.fillRect(picture.rect(), sky);

    const QPointF centre(size.width() * 0.68, size.height() * 0.42);
    const double radius = size.height() * 0.34;
    p.setPen(QPen(QColor(150, 190, 240, 160), 1));
    for (int ring = 1; ring <= 3; ++ring) {
        p.drawEllipse(centre, radius * ring / 3, radius * ring / 3);
    }
    p.drawLine(centre - QPointF(radius, 0), centre + QPointF(radius, 0));
    p.drawLine(centre - QPointF(0, radius), centre + QPointF(0, radius));

    const QColor trackColours[] = {QColor(255, 200, 60), QColor(120, 255, 160), QColor(255, 120, 160)};
    for (int k = 0; k < 3; ++k) {
        QPainterPath track;
        for (int i = 0; i <= 40; ++i) {
            const double a = qDegreesToRadians(200.0 - 120.0 * k + i * 4.0);
            const double r = radius * (0.95 - 0.015 * i + 0.0004 * i * i);
            const QPointF pt = centre + QPointF(r * std::cos(a), -r * std::sin(a) * 0.9);
            i == 0 ? track.moveTo(pt) : track.lineTo(pt);
        }
        p.setPen(QPen(trackColours[k], 2));
        p.drawPath(track);
        p.setBrush(trackColours[k]);
        p.drawEllipse(track.pointAtPercent(0.6), 5, 5);
        p.setBrush(Qt::NoBrush);
    }

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 28, 40));
    const int heights[] = {90, 140, 110, 170, 80, 125, 150, 95};
    int x = 0;
    for (int h : heights) {
        const int w = size.width() / 8;
        p.drawRect(x, size.height() - h, w - 4, h);
        x += w;
    }
    p.setPen(QColor(240, 240, 250));
    QFont title = platform::WindowFont(20);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(16, 16, size.width() - 32, 40), Qt::AlignLeft, QStringLiteral("GPS衛星軌道予測"));
    return picture;
}
