#include "SkyPlot.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "orbit/AlmanacTable.h"
#include "platform/Constants.h"
#include "platform/Fonts.h"
#include "platform/PictureCanvas.h"

namespace skyview {

namespace {

using platform::kRadPerDeg;

QColor ToQColor(const RgbColor& c) { return QColor(c.r, c.g, c.b); }

void DrawPolyline(PictureCanvas& surface, const QPolygonF& points, const QColor& color)
{
    for (qsizetype i = 1; i < points.size(); ++i) {
        surface.line(points[i - 1], points[i], color);
    }
}

void PrintAt(PictureCanvas& surface, QPointF at, const QString& text)
{
    surface.setCurrentPoint(at);
    surface.printText(text);
}

// Height of the current text font's ascent in the surface's vertical user units.
double AscentInUnits(const PictureCanvas& surface)
{
    const double unitsPerPixel = std::abs(surface.scaleHeight()) / std::max(1, surface.image().height());
    return QFontMetricsF(surface.textFont()).ascent() * unitsPerPixel;
}

void SetTextStyle(PictureCanvas& surface, const QColor& color, int pointSize, bool bold)
{
    QFont font = platform::WindowFont(pointSize);
    font.setBold(bold);
    surface.setTextFont(font);
    surface.setForeColor(color);
}

// The elevation labels just below the east axis at their circles; they never turn.
void DrawElevationLabels(PictureCanvas& surface, double k)
{
    SetTextStyle(surface, kElevationLabelColor, 12, false);
    const QString degree = QStringLiteral("°");
    PrintAt(surface, {86 * k, -k}, QStringLiteral("0") + degree);
    PrintAt(surface, {57 * k, -k}, QStringLiteral("30") + degree);
    PrintAt(surface, {27 * k, -k}, QStringLiteral("60") + degree);
    PrintAt(surface, {-3 * k, -k}, QStringLiteral("90") + degree);
}

void DrawCircles(PictureCanvas& surface, double k, const QColor& horizon)
{
    surface.circle({0, 0}, 90 * k, horizon);
    surface.circle({0, 0}, 60 * k, kAxisColor);
    surface.circle({0, 0}, 30 * k, kAxisColor);
}

void DrawFixedBase(PictureCanvas& surface, double k, const QColor& horizon)
{
    surface.clear();
    surface.line({-90 * k, 0}, {90 * k, 0}, kAxisColor);
    surface.line({0, -90 * k}, {0, 90 * k}, kAxisColor);
    DrawCircles(surface, k, horizon);
    SetTextStyle(surface, kCompassColor, 14, true);
    PrintAt(surface, {-2 * k, 98 * k}, QStringLiteral("N"));
    PrintAt(surface, {-2 * k, -92 * k}, QStringLiteral("S"));
    // W and E stand on the east-west axis (their foot 2 units above it), clear of the elevation
    // labels printed just below it.
    const double sideTop = std::max(4 * k, 2.0 + AscentInUnits(surface));
    PrintAt(surface, {-96 * k, sideTop}, QStringLiteral("W"));
    PrintAt(surface, {91 * k, sideTop}, QStringLiteral("E"));
    DrawElevationLabels(surface, k);
}

// The background turned with the map: every point turned by minus the plot's turn, so each
// letter and axis lands where the plot angle of its direction puts it.
void DrawTurnedBase(PictureCanvas& surface, const PlotFrame& frame, const QColor& horizon)
{
    const double k = frame.k;
    const bool down = frame.orientation == PlotOrientation::LookingDown;
    const double phi = (down ? frame.rotateDeg : -frame.rotateDeg) * kRadPerDeg;
    const double s = std::sin(phi);
    const double c = std::cos(phi);
    const auto turn = [s, c](double x, double y) { return QPointF(x * c + y * s, y * c - x * s); };
    surface.line(turn(90 * k, 0), turn(-90 * k, 0), kAxisColor);
    surface.line(turn(0, 90 * k), turn(0, -90 * k), kAxisColor);
    DrawCircles(surface, k, horizon);
    SetTextStyle(surface, kCompassColor, 14, true);
    // The offsets 5 and 7 are picture units, whatever k.
    const auto letter = [&](QPointF p, const char* text) { PrintAt(surface, {p.x() - 5, p.y() + 7}, QString::fromLatin1(text)); };
    if (down) {
        letter(turn(0, 95 * k), "N");
        letter(turn(0, -95 * k), "S");
    } else {
        letter(turn(0, 95 * k), "S");
        letter(turn(0, -95 * k), "N");
    }
    letter(turn(95 * k, 0), "E");
    letter(turn(-95 * k, 0), "W");
    DrawElevationLabels(surface, k);
}

}  // namespace

double PlotAngle(const PlotFrame& frame, double azimuth)
{
    switch (frame.orientation) {
    case PlotOrientation::LookingDown:
        return azimuth - frame.rotateDeg;
    case PlotOrientation::LookingUp:
        return frame.rotateDeg - azimuth;
    case PlotOrientation::NorthUp:
        break;
    }
    return azimuth;
}

QPointF PlotPoint(const PlotFrame& frame, double azimuth, double elevation)
{
    const double theta = PlotAngle(frame, azimuth) * kRadPerDeg;
    const double r = frame.k * (90.0 - elevation);
    return {static_cast<float>(r * std::cos(theta)), static_cast<float>(r * std::sin(theta))};
}

SkyState ClassifySate(float azimuth, float elevation, float mask, const orbit::SkylineTable& skyline)
{
    if (!std::isfinite(azimuth) || !std::isfinite(elevation) || !(elevation > mask)) {
        return SkyState::BelowMask;
    }
    return orbit::IsSateVisible(azimuth, elevation, mask, skyline) ? SkyState::Visible : SkyState::Hidden;
}

SkyInputs CurrentSkyInputs()
{
    return SkyInputs{gSateAzimus, gSateElevation, orbit::UsableSateSlots(), gSatePRN, gSateHealth, gSateColor, gCutElevation,
                     gElevationMask};
}

QPolygonF SkylinePolyline(const PlotFrame& frame, const orbit::SkylineTable& skyline)
{
    QPolygonF points;
    points.reserve(361);
    for (int d = 0; d <= 360; ++d) {
        points << PlotPoint(frame, d, skyline[d == 360 ? 0 : d]);
    }
    return points;
}

QPolygonF MaskCirclePolyline(const PlotFrame& frame, float mask)
{
    // The circle is the same in every orientation: plot angle d itself.
    const PlotFrame fixed{frame.k, PlotOrientation::NorthUp, 0.0};
    QPolygonF points;
    points.reserve(361);
    for (int d = 0; d <= 360; ++d) {
        points << PlotPoint(fixed, d, mask);
    }
    return points;
}

std::vector<QPolygonF> TrackPolylines(const PlotFrame& frame, const SkyInputs& inputs, int slot, int first, int last)
{
    std::vector<QPolygonF> runs;
    if (slot < 0 || slot > kMaxSateSlot) {
        return runs;
    }
    QPolygonF run;
    const auto endRun = [&] {
        if (run.size() >= 2) {
            runs.push_back(run);
        }
        run.clear();
    };
    for (int t = std::max(first, 0); t <= std::min(last, kLastTimeStep); ++t) {
        const float a = inputs.azimus[slot][t];
        const float e = inputs.elevation[slot][t];
        if (ClassifySate(a, e, inputs.mask, inputs.skyline) == SkyState::Visible) {
            run << PlotPoint(frame, a, e);
        } else {
            endRun();
        }
    }
    endRun();
    return runs;
}

SatePositions SatePositionsAt(const PlotFrame& frame, const SkyInputs& inputs, int step)
{
    SatePositions result;
    if (step < 0 || step > kLastTimeStep) {
        return result;
    }
    for (const int slot : inputs.sateSlots) {
        if (slot < 0 || slot > kMaxSateSlot) {
            continue;
        }
        SateMark mark;
        mark.slot = slot;
        mark.prn = inputs.prn[slot];
        const float a = inputs.azimus[slot][step];
        const float e = inputs.elevation[slot][step];
        mark.state = ClassifySate(a, e, inputs.mask, inputs.skyline);
        mark.at = mark.state == SkyState::BelowMask ? QPointF() : PlotPoint(frame, a, e);
        mark.usable = inputs.health[slot] == 0;
        if (mark.usable && mark.state == SkyState::Visible) {
            ++result.count;
        }
        result.marks.push_back(mark);
    }
    return result;
}

QString SateCountText(int count) { return QStringLiteral("衛星数 ") + QString::number(count); }

void DrawHeavenBase(PictureCanvas& surface, const PlotFrame& frame, const QColor& horizon)
{
    if (frame.orientation == PlotOrientation::NorthUp) {
        DrawFixedBase(surface, frame.k, horizon);
    } else {
        DrawTurnedBase(surface, frame, horizon);
    }
}

void DrawElevationMaskCircle(PictureCanvas& surface, const PlotFrame& frame, float mask)
{
    DrawPolyline(surface, MaskCirclePolyline(frame, mask), kMaskColor);
}

void DrawBillSkyLine(PictureCanvas& surface, const PlotFrame& frame, const orbit::SkylineTable& skyline)
{
    surface.setDrawWidth(2);
    DrawPolyline(surface, SkylinePolyline(frame, skyline), kSkylineColor);
    surface.setDrawWidth(1);
}

void DrawSateObitLine(PictureCanvas& surface, const PlotFrame& frame, const SkyInputs& inputs, int first, int last)
{
    for (const int slot : inputs.sateSlots) {
        if (slot < 0 || slot > kMaxSateSlot) {
            continue;
        }
        const QColor color = ToQColor(inputs.colours[slot]);
        for (const QPolygonF& run : TrackPolylines(frame, inputs, slot, first, last)) {
            DrawPolyline(surface, run, color);
        }
    }
}

namespace {

struct IconStyle {
    QColor rim;
    QColor fill;
    QColor number;
    bool square = false;
};

QPixmap NumberedIcon(int number, const IconStyle& style, int size)
{
    size = std::max(size, 8);
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outline(0.5, 0.5, size - 1.0, size - 1.0);
    painter.setPen(QPen(style.rim, 1.0));
    painter.setBrush(style.fill);
    if (style.square) {
        painter.drawRoundedRect(outline, size / 5.0, size / 5.0);
    } else {
        painter.drawEllipse(outline);
    }
    QFont font = platform::WindowFont(7);
    font.setBold(true);
    font.setPixelSize(std::max(6, size * 11 / 20));
    painter.setFont(font);
    painter.setPen(style.number);
    painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QString::number(number));
    return pixmap;
}

}  // namespace

QPixmap SateIconPixmap(int prn, bool hidden, int size)
{
    // Receivable: a strong blue disc with a white number; behind a building: a pale grey disc
    // with a dark rim and a dark number.
    static const IconStyle receivable{QColor(0, 40, 140), QColor(30, 90, 220), QColor(Qt::white)};
    static const IconStyle behind{QColor(90, 90, 90), QColor(200, 200, 200), QColor(60, 60, 60)};
    return NumberedIcon(prn, hidden ? behind : receivable, size);
}

QPixmap DifferentialIconPixmap(int prn, int size)
{
    static const IconStyle differential{QColor(0, 100, 0), QColor(40, 170, 60), QColor(Qt::white), true};
    return NumberedIcon(prn, differential, size);
}

}  // namespace skyview
