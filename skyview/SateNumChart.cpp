#include "SateNumChart.h"

#include <QString>

#include <algorithm>

#include "orbit/ObservationConditions.h"
#include "platform/Fonts.h"
#include "platform/PictureCanvas.h"

namespace skyview {

namespace {

constexpr int kGridLines = 10;
constexpr int kStepsPerHour = 12;
constexpr double kAxisLeft = 200.0;
constexpr double kAxisSpan = 8000.0;

// Numbers on the axes: one leading blank (the sign position) and one trailing blank.
QString AxisNumber(int n) { return QStringLiteral(" %1 ").arg(n); }

void PrintAt(PictureCanvas& canvas, double x, double y, const QString& text)
{
    canvas.setCurrentPoint({x, y});
    canvas.printText(text);
}

int WindowSteps(int first, int last) { return last > first ? last - first : 1; }

}  // namespace

void SetChartScales(PictureCanvas& chart, PictureCanvas& counts, PictureCanvas& axis)
{
    chart.setScale(0.0, kChartTop, kChartWidth, -kChartTop);
    counts.setScale(0.0, kChartTop, kCountAxisWidth, -kChartTop);
    axis.setScale(0.0, kTimeAxisTop, kTimeAxisWidth, -kTimeAxisTop);
    QFont bold = platform::WindowFont(9);
    bold.setBold(true);
    counts.setTextFont(bold);
    axis.setTextFont(bold);
}

double StepWidth(int first, int last) { return kChartWidth / WindowSteps(first, last); }

std::vector<BarBand> BarBands(int n)
{
    const double top = kUnitsPerSate * std::max(n, 0);
    if (n <= 3) {
        return {{0.0, top, kBarRed}};
    }
    std::vector<BarBand> bands{{0.0, 1200.0, kBarRed}, {1200.0, 1600.0, kBarYellow}};
    if (n >= 5) bands.push_back({1600.0, 2000.0, kBarGreen});
    if (n >= 6) bands.push_back({2000.0, top, kBarBlue});
    return bands;
}

double TimeAxisX(double t, int first, int last) { return kAxisLeft + kAxisSpan * (t - first) / WindowSteps(first, last); }

std::vector<TimeTick> TimeTicks(int first, int last)
{
    std::vector<TimeTick> ticks;
    for (int k = std::max(first, 0); k <= last; ++k) {
        if (k % kStepsPerHour == 0) ticks.push_back({TimeAxisX(k, first, last), 100.0, k / kStepsPerHour});
    }
    for (int k = std::max(first, 0); k <= last - kStepsPerHour; ++k) {
        if (k % kStepsPerHour == 0) ticks.push_back({TimeAxisX(k + kStepsPerHour / 2, first, last), 150.0, -1});
    }
    return ticks;
}

double CurrentTimeLineX(int k, int first, int last) { return StepWidth(first, last) * (k - first + 1); }

void DrawSateNumBar(PictureCanvas& chart, const orbit::VisibleCountTable& counts, int first, int last,
                    int coveredRows)
{
    const double w = StepWidth(first, last);
    // A box of height 0 (no satellite) shows as its outline on the bottom line: one row of pixels,
    // the lowest one not covered by what lies below the chart.
    const double onePixel = kChartTop / std::max(chart.image().height(), 1);
    const double zeroRow = onePixel * std::clamp(coveredRows, 0, std::max(chart.image().height() - 1, 0));
    for (int k = std::max(first, 0); k <= std::min(last, kLastTimeStep); ++k) {
        const double x1 = w * (k - first);
        const double x2 = w * (k + 1 - first);
        for (const BarBand& band : BarBands(counts[k])) {
            if (band.y1 <= band.y0) {
                chart.filledBox({x1, zeroRow}, {x2, zeroRow + onePixel}, band.colour);
            } else {
                chart.filledBox({x1, band.y0}, {x2, band.y1}, band.colour);
            }
        }
    }
}

void DrawSateNumScale(PictureCanvas& chart, PictureCanvas& counts)
{
    counts.clear();
    for (int n = 1; n <= kGridLines; ++n) {
        chart.line({0.0, kUnitsPerSate * n}, {kChartWidth, kUnitsPerSate * n}, kChartGrey);
    }
    counts.setForeColor(Qt::black);
    for (int n = 1; n <= kGridLines; ++n) {
        PrintAt(counts, n == kGridLines ? 160.0 : 200.0, kUnitsPerSate * n - 150.0, AxisNumber(n));
    }
    PrintAt(counts, 10.0, 4300.0, QStringLiteral("衛星数"));
}

void DrawTimeScale(PictureCanvas& axis, int first, int last)
{
    axis.clear();
    axis.setForeColor(Qt::black);
    for (const TimeTick& tick : TimeTicks(first, last)) {
        axis.line({tick.x, tick.yBottom}, {tick.x, kTimeAxisTop}, kChartGrey);
        if (tick.hour >= 0) PrintAt(axis, tick.x - 130.0, 100.0, AxisNumber(tick.hour));
    }
}

double DrawCurrentTimeLine(PictureCanvas& chart, int k, int first, int last, double previousX)
{
    const double x = CurrentTimeLineX(k, first, last);
    chart.setDrawMode(PictureCanvas::DrawMode::Xor);
    chart.setDrawWidth(2);
    if (previousX != kNoTimeLine) chart.line({previousX, 0.0}, {previousX, kChartTop}, kChartGrey);
    chart.line({x, 0.0}, {x, kChartTop}, kChartGrey);
    chart.setDrawMode(PictureCanvas::DrawMode::Copy);
    chart.setDrawWidth(1);
    return x;
}

}  // namespace skyview
