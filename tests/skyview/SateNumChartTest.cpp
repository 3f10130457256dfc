#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "common/TestUtils.h"
#include "platform/PictureCanvas.h"
#include "skyview/SateNumChart.h"

namespace {

using skyview::BarBand;
using skyview::TimeTick;

// The three pictures at the window's sizes in pixels, scaled as the window scales them.
struct Chart {
    PictureCanvas chart{QSize(493, 289)};
    PictureCanvas counts{QSize(37, 293)};
    PictureCanvas axis{QSize(517, 29)};
    Chart() { skyview::SetChartScales(chart, counts, axis); }
};

// True when a one-pixel line in `colour` passes through the pixel of `at` or one of its two
// neighbours across the line (vertical neighbours for a horizontal line): lines at fractional
// pixels fall on either side.
bool LineNear(const PictureCanvas& canvas, QPointF at, const QColor& colour, bool horizontal)
{
    const QPoint p = canvas.toPixel(at).toPoint();
    for (int d = -1; d <= 1; ++d) {
        const QPoint q = horizontal ? p + QPoint(0, d) : p + QPoint(d, 0);
        if (canvas.image().rect().contains(q) && canvas.image().pixelColor(q) == colour) return true;
    }
    return false;
}

// The steps a list of ticks stands at, read back through the axis mapping
// x = 200 + 8000 (t - first) / (last - first).
std::vector<double> TickSteps(const std::vector<TimeTick>& ticks, int first, int last, bool hours)
{
    std::vector<double> steps;
    for (const TimeTick& t : ticks) {
        if ((t.hour >= 0) == hours) steps.push_back(first + (t.x - 200.0) * (last - first) / 8000.0);
    }
    return steps;
}

std::vector<double> Every12(double from, double to)
{
    std::vector<double> steps;
    for (double s = from; s <= to + 1e-9; s += 12) steps.push_back(s);
    return steps;
}

void ExpectNear(const std::vector<double>& actual, const std::vector<double>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-9) << "tick " << i;
}

TEST(SateNumChart, GeometryOfTheTimeWindows)
{
    struct Case {
        const char* name;
        int first, last;
        double stepWidth;
        int firstHour, lastHour;
        double firstHalf, lastHalf;  // steps of the first and last half-hour tick
    };
    const Case cases[] = {
        // 57600 / 288 = 200 a step; hours 0..24 at 200 + 8000 * 12h / 288; 00:30 .. 23:30.
        {"the whole day 0..288", 0, 288, 200.0, 0, 24, 6, 282},
        // 57600 / 120 = 480; hours 8..18, 800 axis units apart; 08:30 .. 17:30.
        {"the default window 96..216 (08:00..18:00)", 96, 216, 480.0, 8, 18, 102, 210},
        // 17:30 is not marked: 18:00 lies outside the window.
        {"08:20..17:55 (100..215)", 100, 215, 57600.0 / 115.0, 9, 17, 114, 198},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(skyview::StepWidth(c.first, c.last), c.stepWidth);
        const std::vector<TimeTick> ticks = skyview::TimeTicks(c.first, c.last);
        ExpectNear(TickSteps(ticks, c.first, c.last, true), Every12(c.firstHour * 12, c.lastHour * 12));
        ExpectNear(TickSteps(ticks, c.first, c.last, false), Every12(c.firstHalf, c.lastHalf));
        int hour = c.firstHour;
        for (const TimeTick& t : ticks) {
            if (t.hour < 0) {
                EXPECT_EQ(t.yBottom, 150.0);
                continue;
            }
            EXPECT_EQ(t.hour, hour++);
            EXPECT_EQ(t.yBottom, 100.0);
        }
    }
    // The default window's ticks stand 800 units apart from x 200 on.
    const std::vector<TimeTick> ticks = skyview::TimeTicks(96, 216);
    EXPECT_DOUBLE_EQ(ticks[0].x, 200.0);
    EXPECT_DOUBLE_EQ(ticks[1].x, 1000.0);
    EXPECT_DOUBLE_EQ(ticks[10].x, 8200.0);
    // The marker of the start step stands at the right edge of the first bar.
    EXPECT_DOUBLE_EQ(skyview::CurrentTimeLineX(96, 96, 216), 480.0);
}

TEST(SateNumChart, AWindowOfNoWidthDrawsOneBarInsteadOfDividingByZero)
{
    EXPECT_DOUBLE_EQ(skyview::StepWidth(120, 120), 57600.0);
    for (const TimeTick& t : skyview::TimeTicks(120, 120)) EXPECT_TRUE(std::isfinite(t.x));
    EXPECT_TRUE(std::isfinite(skyview::CurrentTimeLineX(120, 120, 120)));
    Chart c;
    orbit::VisibleCountTable counts{};
    counts[120] = 2;
    skyview::DrawSateNumBar(c.chart, counts, 120, 120);
    EXPECT_EQ(c.chart.pointColor({1000, 400}), skyview::kBarRed);
    EXPECT_EQ(c.chart.pointColor({56000, 400}), skyview::kBarRed);
}

TEST(SateNumChart, BarBandsByCount)
{
    const QColor red = skyview::kBarRed, yellow = skyview::kBarYellow, green = skyview::kBarGreen, blue = skyview::kBarBlue;
    struct Case {
        int n;
        std::vector<BarBand> bands;
    };
    const Case cases[] = {
        {0, {{0, 0, red}}},
        {3, {{0, 1200, red}}},
        {4, {{0, 1200, red}, {1200, 1600, yellow}}},
        {5, {{0, 1200, red}, {1200, 1600, yellow}, {1600, 2000, green}}},
        {7, {{0, 1200, red}, {1200, 1600, yellow}, {1600, 2000, green}, {2000, 2800, blue}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        const std::vector<BarBand> bands = skyview::BarBands(c.n);
        ASSERT_EQ(bands.size(), c.bands.size());
        for (std::size_t i = 0; i < bands.size(); ++i) {
            EXPECT_EQ(bands[i].y0, c.bands[i].y0);
            EXPECT_EQ(bands[i].y1, c.bands[i].y1);
            EXPECT_EQ(bands[i].colour, c.bands[i].colour);
        }
    }
}

TEST(SateNumChart, BarsGridAndAxesAsDrawn)
{
    Chart c;
    orbit::VisibleCountTable counts{};
    counts[96] = 7;
    counts[97] = 3;
    counts[98] = 0;
    counts[99] = 13;
    skyview::DrawSateNumBar(c.chart, counts, 96, 216);
    // Step 96 spans x 0..480, 97 480..960, 98 960..1440, 99 1440..1920.
    EXPECT_EQ(c.chart.pointColor({240, 600}), skyview::kBarRed);
    EXPECT_EQ(c.chart.pointColor({240, 1400}), skyview::kBarYellow);
    EXPECT_EQ(c.chart.pointColor({240, 1800}), skyview::kBarGreen);
    EXPECT_EQ(c.chart.pointColor({240, 2600}), skyview::kBarBlue);
    EXPECT_EQ(c.chart.pointColor({240, 3000}), QColor(Qt::white));
    EXPECT_EQ(c.chart.pointColor({720, 1000}), skyview::kBarRed);
    EXPECT_EQ(c.chart.pointColor({720, 1400}), QColor(Qt::white));
    EXPECT_EQ(c.chart.pointColor({1200, 200}), QColor(Qt::white));
    EXPECT_EQ(c.chart.pointColor({1680, 4950}), skyview::kBarBlue);  // 13 reach above the top

    // The grid lines lie over the bars; the axis numbers are written.
    skyview::DrawSateNumScale(c.chart, c.counts);
    for (int n = 1; n <= 10; ++n) {
        EXPECT_TRUE(LineNear(c.chart, {30000, 400.0 * n}, skyview::kChartGrey, true)) << n;
    }
    EXPECT_TRUE(LineNear(c.chart, {240, 2000}, skyview::kChartGrey, true));
    const auto inked = [](const PictureCanvas& p, QRect r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) n += p.image().pixelColor(x, y) != QColor(Qt::white);
        return n;
    };
    EXPECT_GT(inked(c.counts, c.counts.image().rect()), 100);

    skyview::DrawTimeScale(c.axis, 96, 216);
    // Hour ticks from y 100 up, half-hour ticks from 150 up only.
    EXPECT_TRUE(LineNear(c.axis, {1000, 190}, skyview::kChartGrey, false));
    EXPECT_TRUE(LineNear(c.axis, {1000, 125}, skyview::kChartGrey, false));
    EXPECT_TRUE(LineNear(c.axis, {600, 190}, skyview::kChartGrey, false));
    EXPECT_FALSE(LineNear(c.axis, {600, 125}, skyview::kChartGrey, false));
    EXPECT_GT(inked(c.axis, QRect(0, 15, 517, 14)), 50);  // hour numbers under the ticks
}

TEST(SateNumChart, MarkerMovesWithoutLeavingATrace)
{
    Chart c;
    orbit::VisibleCountTable counts{};
    counts.fill(6);
    skyview::DrawSateNumBar(c.chart, counts, 96, 216);
    skyview::DrawSateNumScale(c.chart, c.counts);
    const QImage drawn = c.chart.image().copy();

    const double x1 = skyview::DrawCurrentTimeLine(c.chart, 100, 96, 216, skyview::kNoTimeLine);
    EXPECT_DOUBLE_EQ(x1, 480.0 * 5);
    EXPECT_NE(c.chart.image(), drawn);
    const double x2 = skyview::DrawCurrentTimeLine(c.chart, 150, 96, 216, x1);
    // Erasing the first and drawing the second equals drawing the second alone.
    PictureCanvas alone = c.chart;
    alone.setDrawMode(PictureCanvas::DrawMode::Xor);
    alone.setDrawWidth(2);
    alone.line({x2, 0}, {x2, 5000}, skyview::kChartGrey);
    EXPECT_EQ(alone.image(), drawn);
    EXPECT_EQ(c.chart.drawMode(), PictureCanvas::DrawMode::Copy);
    EXPECT_EQ(c.chart.drawWidth(), 1);
}

}  // namespace
