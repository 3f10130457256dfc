#include "MainIcons.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace mainicons {
namespace {

constexpr int kIconSize = 32;

QPixmap Blank(int size = kIconSize)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    return picture;
}

void Arrowhead(QPainter& p, QPointF tip, double angleDegrees, double length, const QColor& color)
{
    const double a = qDegreesToRadians(angleDegrees);
    const QPointF back(-std::cos(a) * length, -std::sin(a) * length);
    const QPointF side(-std::sin(a) * length * 0.6, std::cos(a) * length * 0.6);
    p.setBrush(color);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF{tip, tip + back + side, tip + back - side});
}

// A pencil from the lower-left tip towards the upper right, in the given body colour.
void Pencil(QPainter& p, const QColor& body)
{
    p.save();
    p.translate(6, 26);
    p.rotate(-45);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(body);
    p.drawRect(QRectF(7, -3.5, 17, 7));
    p.setBrush(QColor(240, 210, 160));
    p.drawPolygon(QPolygonF{QPointF(0, 0), QPointF(7, -3.5), QPointF(7, 3.5)});
    p.restore();
}

QPixmap ToolPicture(int index)
{
    QPixmap picture = Blank();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 0: {  // select: an arrow pointer over a dashed line
        p.setPen(QPen(QColor(255, 0, 200), 2, Qt::DashLine));
        p.drawLine(4, 27, 28, 20);
        QPolygonF arrow{{8, 3}, {8, 22}, {13, 17}, {17, 25}, {20, 23}, {16, 16}, {23, 16}};
        p.setPen(QPen(Qt::black, 1.2));
        p.setBrush(Qt::white);
        p.drawPolygon(arrow);
        break;
    }
    case 1:  // rectangle building: a square outline with a cross
        p.setPen(QPen(QColor(255, 0, 200), 2.5));
        p.drawRect(QRectF(6, 8, 20, 17));
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(3, 8, 9, 8);
        p.drawLine(6, 5, 6, 11);
        break;
    case 2:  // rooftop line: a red pen drawing a polyline
        p.setPen(QPen(QColor(255, 0, 200), 2));
        p.drawPolyline(QPolygonF{{4, 28}, {12, 20}, {20, 24}, {28, 14}});
        Pencil(p, QColor(220, 40, 40));
        break;
    case 3:  // move point: a vertex with four arrows
        p.setPen(QPen(QColor(0, 140, 120), 2));
        p.drawLine(5, 16, 27, 16);
        p.drawLine(16, 5, 16, 27);
        for (int k = 0; k < 4; ++k) {
            const double angle = k * 90.0;
            const QPointF tip(16 + 12 * std::cos(qDegreesToRadians(angle)), 16 + 12 * std::sin(qDegreesToRadians(angle)));
            Arrowhead(p, tip, angle, 6, QColor(0, 140, 120));
        }
        p.setBrush(Qt::white);
        p.setPen(QPen(Qt::black, 1.2));
        p.drawEllipse(QPointF(16, 16), 3.5, 3.5);
        break;
    case 4:  // add point: an edge with a plus
    case 5:  // delete point: an edge with a minus
        p.setPen(QPen(QColor(255, 0, 200), 2));
        p.drawPolyline(QPolygonF{{3, 26}, {14, 14}, {29, 22}});
        p.setPen(QPen(Qt::black, 1.2));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(14, 14), 3, 3);
        p.setPen(QPen(index == 4 ? QColor(0, 150, 0) : QColor(210, 0, 0), 3));
        p.drawLine(20, 7, 30, 7);
        if (index == 4) {
            p.drawLine(25, 2, 25, 12);
        }
        break;
    case 6:  // distance: a ruler with a measured span
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(250, 230, 120));
        p.drawRect(QRectF(3, 17, 26, 9));
        for (int x = 6; x < 29; x += 4) {
            p.drawLine(QPointF(x, 17), QPointF(x, x % 8 == 6 ? 23 : 21));
        }
        p.setPen(QPen(QColor(255, 0, 0), 1.5));
        p.drawLine(6, 9, 26, 9);
        Arrowhead(p, QPointF(4, 9), 180, 5, QColor(255, 0, 0));
        Arrowhead(p, QPointF(28, 9), 0, 5, QColor(255, 0, 0));
        break;
    default:
        break;
    }
    return picture;
}

QPixmap MovePicture(int index)
{
    QPixmap picture = Blank(24);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor blue(0, 70, 180);
    if (index >= 0 && index <= 3) {
        // Screen direction of the arrow: right, down, up, left.
        static constexpr double kAngles[] = {0.0, 90.0, 270.0, 180.0};
        const double a = qDegreesToRadians(kAngles[index]);
        const QPointF centre(12, 12);
        const QPointF dir(std::cos(a), std::sin(a));
        p.setPen(QPen(blue, 3, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(centre - dir * 9, centre + dir * 3);
        Arrowhead(p, centre + dir * 10, kAngles[index], 8, blue);
    } else if (index == 4 || index == 5) {
        // A three-quarter circle open at the top on the side the arrow comes from; its head sits
        // at twelve o'clock, pointing right for clockwise (4) and left for counter-clockwise (5).
        const bool clockwise = index == 4;
        p.setPen(QPen(blue, 2.5, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        const QRectF ring(4, 4, 16, 16);
        p.drawArc(ring, 90 * 16, (clockwise ? 270 : -270) * 16);
        if (clockwise) {
            Arrowhead(p, QPointF(17, 4), 0, 6, blue);
        } else {
            Arrowhead(p, QPointF(7, 4), 180, 6, blue);
        }
    }
    return picture;
}

}  // namespace

QIcon ToolIcon(int index) { return index >= 0 && index <= 6 ? QIcon(ToolPicture(index)) : QIcon(); }

QIcon MoveIcon(int index) { return index >= 0 && index <= 5 ? QIcon(MovePicture(index)) : QIcon(); }

QIcon GlobeIcon()
{
    QPixmap picture = Blank();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 90, 160), 1.5));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(10, 3, 12, 26));
    p.drawLine(3, 16, 29, 16);
    p.drawLine(16, 3, 16, 29);
    p.drawLine(6, 9, 26, 9);
    p.drawLine(6, 23, 26, 23);
    return QIcon(picture);
}

QPixmap ReceiverMark()
{
    QPixmap picture = Blank(20);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 200), 2));
    p.setBrush(QColor(255, 255, 255, 160));
    p.drawEllipse(QRectF(2, 2, 16, 16));
    p.setBrush(QColor(0, 0, 200));
    p.drawEllipse(QRectF(7, 7, 6, 6));
    return picture;
}

QPixmap MousePicture()
{
    QPixmap picture = Blank(40);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath body;
    body.addRoundedRect(QRectF(8, 4, 24, 34), 11, 11);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(235, 235, 235));
    p.drawPath(body);
    p.setBrush(QColor(230, 60, 60));
    p.drawRect(QRectF(9, 6, 11, 12));
    p.drawLine(QPointF(20, 4), QPointF(20, 18));
    p.drawLine(QPointF(8, 18), QPointF(32, 18));
    return picture;
}

QPixmap MenuPicture(const QStringList& items, int highlighted)
{
    constexpr int kRow = 22;
    constexpr int kPad = 24;
    QFont font;
    font.setPointSize(9);
    const QFontMetrics metrics(font);
    QStringList captions;
    int width = 0;
    for (QString caption : items) {
        caption.replace(QStringLiteral("(&"), QStringLiteral("("));
        captions << caption;
        width = std::max(width, metrics.horizontalAdvance(caption));
    }
    QPixmap picture(width + 2 * kPad, kRow * static_cast<int>(captions.size()) + 6);
    picture.fill(QColor(240, 240, 240));
    QPainter p(&picture);
    p.setFont(font);
    p.setPen(QColor(120, 120, 120));
    p.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    for (int k = 0; k < captions.size(); ++k) {
        const QRect row(2, 3 + k * kRow, picture.width() - 4, kRow);
        if (k == highlighted) {
            p.fillRect(row, QColor(0, 84, 166));
            p.setPen(Qt::white);
        } else {
            p.setPen(Qt::black);
        }
        p.drawText(row.adjusted(kPad - 2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, captions[k]);
    }
    return picture;
}

}  // namespace mainicons
