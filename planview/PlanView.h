#pragma once
// The plan view's computation: the zoom step that fits the plan, the roof under a point and the
// vertex near a point, and the move of a plan vertex.
//
// Plan canvas: the drawing surface of the plan view spans x -380 .. 401 and y 326 (top) .. -327
// (bottom) canvas units about the plan origin. The plan is shown north-up: a plan point (X, Y) in
// metres is turned counter-clockwise by the north angle about the origin and drawn at that point
// times rate, rate = gFlatScaleRate(step) canvas units per metre of the zoom step 0..40. With north
// angle 0 the plan is shown as the picture sees it (picture-up).

#include <QPointF>
#include <span>

// The frame of the plan as drawn: scale and north angle.
struct PlanFrame {
    double rate = 1.0;        // canvas units per metre
    double northAngle = 0.0;  // degrees; plan points are turned counter-clockwise by it

    // Plan metres to canvas units and back.
    QPointF toCanvas(double x, double y) const;
    QPointF toPlan(QPointF canvas) const;
};

// The plan's zoom step 0..40, lives as long as the program (0 at start): refitted by every full
// plan drawing, moved by the zoom clicks, read by the hand-over. Written only by SetFlatScaleIndex,
// which keeps it within 0..40.
extern const int& gFlatScaleIndex;
void SetFlatScaleIndex(int step);

inline constexpr double kPlanCanvasLeft = -380.0;
inline constexpr double kPlanCanvasTop = 326.0;
inline constexpr double kPlanCanvasWidth = 781.0;
inline constexpr double kPlanCanvasHeight = -653.0;
// Pixel size of the plan canvas (and of the frame that holds the picture).
inline constexpr int kPlanCanvasPixelWidth = 785;
inline constexpr int kPlanCanvasPixelHeight = 657;

// The zoom step that fits the plan points 0 .. count - 1 of gFlatTopAreaX/Y as drawn (turned by
// `northAngle`): the largest step whose scale bar taken three times is longer than the plan's
// extent, 0 when none is. The extent is the east-west spread, or the north-south spread scaled by
// the canvas's width to height (781 / 653) when that is larger, so a long north-south site stays
// on the canvas as a wide one does. No points: 0. Examples: 150 m wide -> 31, 100 m -> 34,
// 500 m -> 27.
int SelectFlatMapScale(int count, double northAngle = 0.0);
// The same for the current model (gTopAreaPointTotalNumber points).
int SelectFlatMapScale(double northAngle = 0.0);

// The roof whose plan outline holds canvas point (x, y) (the even-odd rule of IsInOutline, on
// gFlatTopAreaX/Y), the lowest index winning; -1 when none (or rate 0).
int FindFlatTopArea(double x, double y, const PlanFrame& frame);

// Pick radius of a plan vertex, canvas units (strictly closer picks).
inline constexpr double kFlatPickRadius = 6.0;

// The first point of roof `roof`'s run whose canvas position lies closer than 6 units to (x, y);
// -1 when none or no such roof. The closing point is never found (the first point comes first).
int FindFlatTopPoint(int roof, double x, double y, const PlanFrame& frame);

// Moves plan point `point` of roof `roof` to canvas point (x, y). When the roof is
// closed (its closed flag 1 and its last point equal to its first) and the point is the first or
// the last, both move so the outline stays closed; otherwise only that point. False (nothing
// moves) when the point is not in the roof's run or rate is 0.
bool MoveFlatTopPoint(int roof, int point, double x, double y, const PlanFrame& frame);

// The same with the plan point (X, Y) in metres.
bool SetFlatTopPoint(int roof, int point, double X, double Y);
