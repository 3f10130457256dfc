#include "PointerPicture.h"

#include <QPainter>
#include <QPolygonF>

QImage DemoPointerPicture()
{
    QImage image(24, 34, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF arrow{{0.5, 10}, {0.5, 29}, {5, 24.5}, {9, 32.5}, {12.5, 31}, {8.5, 23}, {14.5, 23}};
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(arrow);
    return image;
}
