#include "NorthDial.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "photoinput/Calibration.h"
#include "platform/Constants.h"
#include "platform/Fonts.h"

NorthDial::NorthDial(QWidget* parent) : QWidget(parent)
{
    setFixedSize(kPixelWidth, kPixelHeight);
    setCursor(Qt::ArrowCursor);
}

QPointF NorthDial::toPixel(QPointF d)
{
    return {(d.x() + 100.0) * kPixelWidth / 200.0, (100.0 - d.y()) * kPixelHeight / 200.0};
}

QPointF NorthDial::toDial(QPointF p)
{
    return {p.x() * 200.0 / kPixelWidth - 100.0, 100.0 - p.y() * 200.0 / kPixelHeight};
}

void NorthDial::setAnchor(QPointF dialUnits)
{
    anchor_ = dialUnits;
    update();
}

bool NorthDial::hitsMarker(QPointF pixel) const
{
    const QPointF d = pixel - toPixel(anchor_);
    return std::hypot(d.x(), d.y()) <= 10.0;
}

void NorthDial::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(236, 240, 232));
    const QPointF centre = toPixel({0, 0});
    const double rx = kDialRadius * kPixelWidth / 200.0, ry = kDialRadius * kPixelHeight / 200.0;
    p.setPen(QPen(QColor(70, 90, 70), 2));
    p.drawEllipse(centre, rx, ry);
    // Ticks every 10 degrees, longer at the quarter points.
    for (int deg = 0; deg < 360; deg += 10) {
        const double a = (90.0 - deg) * platform::kPi / 180.0;
        const double inner = deg % 90 == 0 ? 0.78 : 0.9;
        p.setPen(QPen(QColor(70, 90, 70), deg % 90 == 0 ? 2 : 1));
        p.drawLine(QPointF(centre.x() + rx * inner * std::cos(a), centre.y() - ry * inner * std::sin(a)),
                   QPointF(centre.x() + rx * std::cos(a), centre.y() - ry * std::sin(a)));
    }
    p.setPen(QPen(QColor(150, 160, 150), 1, Qt::DotLine));
    p.drawLine(QPointF(centre.x(), centre.y() - ry), QPointF(centre.x(), centre.y() + ry));
    p.drawLine(QPointF(centre.x() - rx, centre.y()), QPointF(centre.x() + rx, centre.y()));
    // The marker: a red arrow head pointing from the centre to its anchor.
    const QPointF tip = toPixel(anchor_);
    const QPointF d = tip - centre;
    const double len = std::hypot(d.x(), d.y());
    const QPointF u = len > 0.0 ? d / len : QPointF(0, -1);
    const QPointF n(-u.y(), u.x());
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - u * 14 + n * 6);
    head.lineTo(tip - u * 14 - n * 6);
    head.closeSubpath();
    p.setPen(QPen(QColor(120, 0, 0), 1));
    p.setBrush(QColor(220, 30, 30));
    p.drawPath(head);
    p.setPen(QPen(QColor(220, 30, 30), 1, Qt::DashLine));
    p.drawLine(centre, tip - u * 14);
}

void NorthDial::mousePressEvent(QMouseEvent* event)
{
    dragging_ = event->button() == Qt::LeftButton && hitsMarker(event->position());
}

void NorthDial::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_ || event->buttons() != Qt::LeftButton) return;
    setAnchor(toDial(event->position()));
}

void NorthDial::mouseReleaseEvent(QMouseEvent* event)
{
    if (!dragging_ || event->button() != Qt::LeftButton) return;
    dragging_ = false;
    const DialPosition snapped = DialReleasedAt(anchor_.x(), anchor_.y());
    setAnchor({snapped.x, snapped.y});
    emit released(snapped.bearing);
}
