#include "DemoPictures.h"

#include <QPainter>
#include <QPainterPath>

#include "platform/Fonts.h"

namespace {

QImage Transparent(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

const QColor kHighlight(0, 120, 215);
const QColor kRing(230, 0, 0);

}  // namespace

QImage DemoPenPicture(bool wallPen)
{
    QImage image = Transparent(QSize(32, 32));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A pencil lying from the tip (0, 0) to the lower right.
    p.translate(1, 1);
    p.rotate(45);
    const QColor body = wallPen ? QColor(40, 110, 230) : QColor(220, 40, 120);
    QPolygonF tip{{0, 0}, {9, -4}, {9, 4}};
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(240, 210, 160));
    p.drawPolygon(tip);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF{{0, 0}, {3, -1.3}, {3, 1.3}});
    p.setBrush(body);
    p.drawRect(QRectF(9, -4, 26, 8));
    p.setBrush(QColor(250, 170, 170));
    p.drawRect(QRectF(35, -4, 5, 8));
    return image;
}

QImage DemoBusyPicture()
{
    QImage image = Transparent(QSize(24, 32));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 40, 20), 2));
    p.setBrush(QColor(140, 90, 40));
    p.drawRect(QRectF(2, 1, 20, 3));
    p.drawRect(QRectF(2, 28, 20, 3));
    QPainterPath glass;
    glass.moveTo(5, 4);
    glass.lineTo(19, 4);
    glass.lineTo(12.5, 16);
    glass.lineTo(19, 28);
    glass.lineTo(5, 28);
    glass.lineTo(11.5, 16);
    glass.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(225, 240, 255));
    p.drawPath(glass);
    p.setBrush(QColor(230, 190, 90));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF{{8, 8}, {16, 8}, {12, 15}});
    p.drawPolygon(QPolygonF{{7, 27}, {17, 27}, {12, 21}});
    return image;
}

QImage DemoMenuPicture(int demoNumber)
{
    const QStringList bar{QStringLiteral("ファイル(F)"), QStringLiteral("編集(E)"), QStringLiteral("ヘルプ(H)")};
    const QStringList items{QStringLiteral("画像ファイル読込み(P)"), QStringLiteral("サンプル画像"),
                            QStringLiteral("データ読込み(D)"), QStringLiteral("サンプルデータ"),
                            QStringLiteral("データ保存(S)")};
    const QStringList sub{QStringLiteral("サンプル画像1読込み"), QStringLiteral("サンプル画像2読込み")};
    // Demonstration 1 shows the picture of sample 2, demonstration 2 that of sample 1.
    const int chosen = demoNumber == 2 ? 0 : 1;
    constexpr int kRow = 22, kBar = 24, kMenuWidth = 190, kSubWidth = 170;
    QImage image = Transparent(QSize(kMenuWidth + kSubWidth + 4, kBar + kRow * items.size() + 8));
    QPainter p(&image);
    p.setFont(platform::WindowFont(9));
    // The menu bar with "ファイル(F)" opened.
    p.fillRect(QRect(0, 0, 240, kBar), QColor(240, 240, 240));
    int x = 6;
    for (int i = 0; i < bar.size(); ++i) {
        const int w = p.fontMetrics().horizontalAdvance(bar[i]) + 12;
        if (i == 0) p.fillRect(QRect(x - 6, 0, w, kBar), kHighlight);
        p.setPen(i == 0 ? Qt::white : Qt::black);
        p.drawText(QRect(x, 0, w, kBar), Qt::AlignVCenter, bar[i]);
        x += w;
    }
    // The dropped-down menu with "サンプル画像" opened.
    const QRect menu(0, kBar, kMenuWidth, kRow * items.size() + 6);
    p.fillRect(menu, QColor(250, 250, 250));
    p.setPen(QColor(120, 120, 120));
    p.drawRect(menu.adjusted(0, 0, -1, -1));
    for (int i = 0; i < items.size(); ++i) {
        const QRect row(1, kBar + 3 + i * kRow, kMenuWidth - 2, kRow);
        if (i == 1) p.fillRect(row, kHighlight);
        p.setPen(i == 1 ? Qt::white : Qt::black);
        p.drawText(row.adjusted(12, 0, 0, 0), Qt::AlignVCenter, items[i]);
        if (i == 1 || i == 3) p.drawText(row.adjusted(0, 0, -8, 0), Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("▶"));
    }
    const QRect submenu(kMenuWidth, kBar + 3 + kRow, kSubWidth, kRow * sub.size() + 6);
    p.fillRect(submenu, QColor(250, 250, 250));
    p.setPen(QColor(120, 120, 120));
    p.drawRect(submenu.adjusted(0, 0, -1, -1));
    for (int i = 0; i < sub.size(); ++i) {
        const QRect row(submenu.left() + 1, submenu.top() + 3 + i * kRow, kSubWidth - 2, kRow);
        if (i == chosen) p.fillRect(row, kHighlight);
        p.setPen(i == chosen ? Qt::white : Qt::black);
        p.drawText(row.adjusted(12, 0, 0, 0), Qt::AlignVCenter, sub[i]);
    }
    return image;
}

QImage DemoArrowPicture(QSize size)
{
    QImage image = Transparent(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    QPolygonF arrow{{0, h * 0.3}, {w * 0.6, h * 0.3}, {w * 0.6, 0}, {w - 1, h / 2}, {w * 0.6, h - 1}, {w * 0.6, h * 0.7}, {0, h * 0.7}};
    p.setPen(QPen(QColor(150, 0, 0), 2));
    p.setBrush(kRing);
    p.drawPolygon(arrow);
    return image;
}

QImage DemoEllipsePicture(QSize size)
{
    QImage image = Transparent(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kRing, 3));
    p.drawEllipse(QRectF(2, 2, size.width() - 4, size.height() - 4));
    return image;
}
