#pragma once
// The visible-satellite count chart of the orbit-and-count window: for every 5-minute TimeStep of
// a time window first..last one bar of the number of visible satellites, in colour bands for the
// first three (red), the fourth (yellow), the fifth (green) and any further ones (blue); grey grid
// lines at 1..10 satellites with their numbers on a count axis; a time axis with hour numbers and
// half-hour ticks; and a vertical marker at the current time that moves by XOR drawing without
// redrawing the bars.
//
// Three canvases, each with its own user scale (y upwards), set by SetChartScales:
//   chart  x 0 (left) .. 57600 (right), y 5000 (top) .. 0: 400 units per satellite, the top
//          standing for 12.5 satellites; a window of n steps gives each step 57600 / n units.
//   counts x 0 .. 400, y 5000 .. 0 (the same heights as the chart).
//   axis   x 0 .. 8500, y 200 .. 0: the window maps to x 200 .. 8200.
// A window first..last is taken as at least one step wide: first == last draws one bar over the
// whole chart instead of dividing by zero.

#include <QColor>

#include <vector>

#include "orbit/VisibleSatellites.h"

class PictureCanvas;

namespace skyview {

inline constexpr double kChartWidth = 57600.0;  // 288 steps of 200 units
inline constexpr double kChartTop = 5000.0;
inline constexpr double kUnitsPerSate = 400.0;
inline constexpr double kCountAxisWidth = 400.0;
inline constexpr double kTimeAxisWidth = 8500.0;
inline constexpr double kTimeAxisTop = 200.0;

inline const QColor kChartGrey{100, 100, 100};
inline const QColor kBarRed{255, 0, 0};
inline const QColor kBarYellow{255, 255, 0};
inline const QColor kBarGreen{0, 255, 0};
inline const QColor kBarBlue{0, 0, 255};

// The user scales of the three canvases (above); the count and time axes get the bold size-9
// window font.
void SetChartScales(PictureCanvas& chart, PictureCanvas& counts, PictureCanvas& axis);

// Width in chart units of one step of the window first..last: 57600 / (last - first), with a
// window of zero or negative width taken as one step.
double StepWidth(int first, int last);

// One colour band of a bar, from y0 up to y1 in chart units.
struct BarBand {
    double y0 = 0.0;
    double y1 = 0.0;
    QColor colour;
};
// The bands of a bar of n satellites, bottom first: n <= 3 one red band 0..400n (height 0 for
// n = 0 and below); 4 adds yellow 1200..1600; 5 adds green 1600..2000; 6 and more add blue
// 2000..400n (13 and more reach above the chart's top).
std::vector<BarBand> BarBands(int n);

// A tick of the time axis: hour ticks run from y 100 to the top and carry the hour number
// (0..24) written at (x - 130, 100); half-hour ticks run from y 150 and carry none (hour -1).
struct TimeTick {
    double x = 0.0;
    double yBottom = 0.0;
    int hour = -1;
};
// x on the time axis of step t for the window first..last: 200 + 8000 (t - first) / (last - first).
double TimeAxisX(double t, int first, int last);
// Every whole hour of first..last gets an hour tick; a half-hour tick stands 6 steps after each
// whole hour k that has a full hour of the window after it (k <= last - 12). Hour ticks first,
// in step order, then the half-hour ticks.
std::vector<TimeTick> TimeTicks(int first, int last);

// x of the current-time marker at step k of the window first..last: the right edge of step k's
// bar, StepWidth * (k - first + 1).
double CurrentTimeLineX(int k, int first, int last);

// The bars of steps first..last from `counts` on the chart, without clearing it (the bar of step
// `last` lies right of the chart and is not seen). A step without satellites gets its box of
// height 0 as a red line on the lowest row that shows: `coveredRows` rows at the chart's bottom
// lie under the picture below it, so the line goes just above them. Steps outside 0..288 are
// skipped.
void DrawSateNumBar(PictureCanvas& chart, const orbit::VisibleCountTable& counts, int first, int last,
                    int coveredRows = 0);
// Clears the count axis, draws the grid lines at 1..10 satellites on the chart (without clearing
// it) and the numbers 1..10 and the title "衛星数" on the count axis.
void DrawSateNumScale(PictureCanvas& chart, PictureCanvas& counts);
// Clears the time axis and draws its ticks and hour numbers for the window first..last.
void DrawTimeScale(PictureCanvas& axis, int first, int last);

// No marker drawn since the chart was last cleared.
inline constexpr double kNoTimeLine = -1.0;
// Moves the marker to step k of the window first..last: erases (XOR) the marker at `previousX`
// unless it is kNoTimeLine, draws the new one in XOR grey, pen width 2, and returns its x. The
// canvas is left in copy mode with pen width 1.
double DrawCurrentTimeLine(PictureCanvas& chart, int k, int first, int last, double previousX);

}  // namespace skyview
