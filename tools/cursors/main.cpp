// Draws the mouse pointers of the site map's tools, of the building input's editing tools and of
// the map correction's two picks and writes them into assets/ico. Each pen's tip lies on the pixel that the tool's press shift points
// at (hot spot + shift, y upwards); each pick's pin has its point on the hot spot, the centre.
// Run by hand: cmake --build build --target make_cursors && build/tools/make_cursors
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>

#include "app/ToolCursors.h"
#include "gps/PositionCursors.h"
#include "photoinput/PhotoTools.h"
#include "platform/CursorFile.h"

namespace {

constexpr int kSize = 32;
const QPoint kCentre(kSize / 2, kSize / 2);

QImage Blank()
{
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// The pixel a press of tool `index` uses, for an icon whose hot spot is the centre.
QPoint TipOf(int index) { return kCentre + QPoint(kToolCursors[index].shiftX, -kToolCursors[index].shiftY); }

// A pencil lying from its tip towards `angle` degrees (screen, clockwise from the right).
void Pencil(QPainter& p, QPoint tip, double angle, const QColor& body)
{
    p.save();
    p.translate(tip.x() + 0.5, tip.y() + 0.5);
    p.rotate(angle);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(240, 210, 160));
    p.drawPolygon(QPolygonF{QPointF(0, 0), QPointF(8, -3.5), QPointF(8, 3.5)});
    p.setBrush(body);
    p.drawRect(QRectF(8, -3.5, 14, 7));
    p.setBrush(QColor(250, 170, 190));
    p.drawRect(QRectF(22, -3.5, 4, 7));
    p.restore();
}

void Sign(QPainter& p, QPoint centre, bool plus, const QColor& color)
{
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(centre + QPoint(-4, 0), centre + QPoint(4, 0));
    if (plus) p.drawLine(centre + QPoint(0, -4), centre + QPoint(0, 4));
    p.setPen(QPen(color, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(centre + QPoint(-4, 0), centre + QPoint(4, 0));
    if (plus) p.drawLine(centre + QPoint(0, -4), centre + QPoint(0, 4));
}

// Thin black cross lines with a white halo, centred on `at`, with a gap of `gap` pixels around it.
void CrossHair(QPainter& p, QPoint at, int arm, int gap)
{
    for (const QColor& color : {QColor(Qt::white), QColor(Qt::black)}) {
        p.setPen(QPen(color, color == Qt::white ? 3 : 1, Qt::SolidLine, Qt::FlatCap));
        const QPointF c(at.x() + 0.5, at.y() + 0.5);
        p.drawLine(c + QPointF(-arm, 0), c + QPointF(-gap, 0));
        p.drawLine(c + QPointF(gap, 0), c + QPointF(arm, 0));
        p.drawLine(c + QPointF(0, -arm), c + QPointF(0, -gap));
        p.drawLine(c + QPointF(0, gap), c + QPointF(0, arm));
    }
}

QImage Picture(int index)
{
    QImage image = Blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPoint tip = TipOf(index);
    switch (index) {
    case 1:  // rectangle: a cross hair with a small square at its corner
        CrossHair(p, kCentre, 14, 0);
        p.setPen(QPen(QColor(255, 0, 200), 1.5));
        p.drawRect(QRectF(20.5, 20.5, 8, 8));
        break;
    case 2:  // rooftop line: a red pen pointing up-left
        Pencil(p, tip, 45, QColor(220, 30, 30));
        break;
    case 3:  // move point: a green pen and four arrows
        Pencil(p, tip, 45, QColor(0, 150, 120));
        p.setPen(QPen(Qt::black, 1.5));
        p.drawLine(4, 26, 12, 26);
        p.drawLine(8, 22, 8, 30);
        break;
    case 4:  // add point: a pen pointing left with a plus
        Pencil(p, tip, -30, QColor(30, 90, 220));
        Sign(p, QPoint(9, 25), true, QColor(0, 130, 0));
        break;
    case 5:  // delete point: a pen pointing left with a minus
        Pencil(p, tip, -30, QColor(120, 120, 120));
        Sign(p, QPoint(9, 25), false, QColor(200, 0, 0));
        break;
    case 6:  // distance: a target ring with a cross hair
        p.setPen(QPen(Qt::white, 3));
        p.drawEllipse(QPointF(16.5, 16.5), 9, 9);
        p.setPen(QPen(QColor(200, 0, 0), 1.5));
        p.drawEllipse(QPointF(16.5, 16.5), 9, 9);
        CrossHair(p, kCentre, 14, 3);
        break;
    default:
        break;
    }
    p.end();
    // The tip itself is one solid dark pixel, so the point used is visible exactly.
    image.setPixelColor(index == 1 || index == 6 ? kCentre : tip, index == 6 ? QColor(200, 0, 0) : Qt::black);
    return image;
}

// An arrow whose point lies on `tip`, pointing up-left (north-west on the screen).
void Arrow(QPainter& p, QPoint tip, const QColor& body)
{
    p.save();
    p.translate(tip.x() + 0.5, tip.y() + 0.5);
    p.rotate(-45);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(body);
    p.drawPolygon(QPolygonF{QPointF(0, 0), QPointF(-6, 9), QPointF(-2, 9), QPointF(-2, 20), QPointF(2, 20),
                            QPointF(2, 9), QPointF(6, 9)});
    p.restore();
}

// The pictures of the building input's pointers that the site map does not share, by file name;
// each tip (or the lens centre of the magnifier) lies at hot spot + the tool's shift.
QImage PhotoToolPicture(const ToolCursor& tool)
{
    QImage image = Blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPoint tip = kCentre + QPoint(tool.shiftX, -tool.shiftY);
    const QString name = QString::fromLatin1(tool.fileName);
    if (name == QLatin1String("BluePen.ICO")) {
        Pencil(p, tip, 45, QColor(30, 60, 220));
    } else if (name == QLatin1String("Magnify.cur")) {
        p.setPen(QPen(QColor(90, 60, 30), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(22, 22), QPointF(29, 29));
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(QColor(220, 240, 255, 160));
        p.drawEllipse(QPointF(kCentre.x() + 0.5, kCentre.y() + 0.5), 8, 8);
        CrossHair(p, kCentre, 4, 0);
    } else if (name == QLatin1String("POINT14.ICO")) {
        Arrow(p, tip, QColor(0, 150, 120));
    } else if (name == QLatin1String("ARW10NW2.ICO")) {
        Arrow(p, tip, Qt::white);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(250, 200, 40));
        p.drawPolygon(QPolygonF{QPointF(18, 22), QPointF(24, 17), QPointF(30, 22), QPointF(30, 29), QPointF(18, 29)});
    }
    p.end();
    image.setPixelColor(tip, Qt::black);
    return image;
}

// A map pin of `color` whose point is the centre pixel: the pin's head above it.
QImage PinPicture(const QColor& color)
{
    QImage image = Blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF tip(kCentre.x() + 0.5, kCentre.y() + 0.5);
    QPainterPath pin;
    pin.moveTo(tip);
    pin.cubicTo(tip + QPointF(-3, -4), tip + QPointF(-8, -8), tip + QPointF(-8, -12));
    pin.arcTo(QRectF(tip.x() - 8, tip.y() - 20, 16, 16), 180, -180);
    pin.cubicTo(tip + QPointF(8, -8), tip + QPointF(3, -4), tip);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(color);
    p.drawPath(pin);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(tip.x(), tip.y() - 12), 3, 3);
    p.end();
    image.setPixelColor(kCentre, Qt::black);
    return image;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QString folder = QStringLiteral(GPSPLAN_ASSETS_DIR) + QStringLiteral("/ico");
    QDir().mkpath(folder);
    for (int index = 1; index < static_cast<int>(kToolCursors.size()); ++index) {
        const QString name = QString::fromLatin1(kToolCursors[index].fileName);
        const bool isCursor = name.endsWith(QStringLiteral(".CUR"));
        if (!platform::WriteCursorFile(folder + QLatin1Char('/') + name, Picture(index), kCentre, isCursor)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    for (const ToolCursor* tool : {&kPhotoToolCursors[kZoomTool], &kPhotoToolCursors[kWallLineTool],
                                   &kPhotoToolCursors[kAutoRoofTool], &kPlanMoveMenuCursor}) {
        const QString name = QString::fromLatin1(tool->fileName);
        const bool isCursor = name.endsWith(QStringLiteral(".cur"), Qt::CaseInsensitive);
        if (!platform::WriteCursorFile(folder + QLatin1Char('/') + name, PhotoToolPicture(*tool), kCentre, isCursor)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    const std::pair<const char*, QColor> pins[] = {{kFirstPointCursorFile, QColor(250, 0, 0)},
                                                   {kSecondPointCursorFile, QColor(0, 0, 250)}};
    for (const auto& [fileName, color] : pins) {
        if (!platform::WriteCursorFile(folder + QLatin1Char('/') + QString::fromLatin1(fileName), PinPicture(color), kCentre, false)) {
            std::fprintf(stderr, "cannot write %s\n", fileName);
            return 1;
        }
    }
    return 0;
}
