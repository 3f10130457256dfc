#pragma once
// The plan of the building input drawn on a canvas in plan-canvas units (x -380 .. 401,
// y 326 .. -327 about the plan origin, PlanView.h): the roofs at a drawing scale with their height
// labels, the scale bar, the fixed north mark, the north-up redraw and the footprint cells. The
// building-input demonstration draws with the same functions.
//
// Colours: roofs RGB(255,0,200) copy pen; the selected roof RGB(0,255,200) with the exclusive-or
// pen and a circle of radius 2 on each vertex; height labels "12m" bold 14 pt RGB(128,128,128)
// with their top-left corner at the mean of the roof's stored points (the closing point counts);
// the north-up outlines RGB(255,128,255); scale bar RGB(0,0,200) with its label RGB(0,0,192);
// north mark RGB(0,176,0).

#include <QColor>
#include <optional>
#include <vector>

#include "judge/HeightGrid.h"
#include "photoinput/OverlayDrawing.h"
#include "planview/PlanView.h"
#include "platform/PictureCanvas.h"

inline const QColor kPlanRoofColor(255, 0, 200);
inline const QColor kPlanSelectedColor(0, 255, 200);
inline const QColor kNorthUpRoofColor(255, 128, 255);
inline const QColor kHeightLabelColor(128, 128, 128);
inline const QColor kScaleBarColor(0, 0, 200);
inline const QColor kScaleTextColor(0, 0, 192);
inline const QColor kNorthMarkColor(0, 176, 0);

// Sets the canvas's user scale to the plan canvas.
void SetPlanCanvasScale(PictureCanvas& canvas);

// Clears the canvas and draws the plan (DrawFlatLineMap) in `frame` (scale and north angle,
// PlanView.h): the title "平面図表示", every roof with its label, and roof `selected` (-1 none)
// highlighted with its handle boxes (returned). The canvas is left in the exclusive-or pen after a
// highlight.
std::optional<HandleBox> DrawFlatLineMap(PictureCanvas& canvas, const PlanFrame& frame, int selected);

// Scale bar of zoom step 0..40 in the lower left: a bar of gFlatScaleLength x gFlatScaleRate units
// from (-340, -310), six ticks at its fifths up to y -300, the label at (-270, -280), copy pen (so
// it shows in its colours after a highlight left the exclusive-or pen).
void DrawFlatScaleBar(PictureCanvas& canvas, int step);

// The fixed north arrow in the upper left (shaft (-330, 280) .. (-330, 180), head, cross bar) and
// "N" bold 14 pt at (-335, 300), copy pen.
void DrawNorthMark(PictureCanvas& canvas);

// Every roof's plan outline turned counter-clockwise by `northAngle` degrees at `rate`, with its
// height label at the mean of the turned points; nothing without roofs. Does not clear.
void DrawAzimusFlatLine(PictureCanvas& canvas, float rate, float northAngle);

// The footprint cells: for every crossing a filled square of side `rate` at
// ((column - 150) rate, (row - 150) rate) in the roof's colour (ShowCutBillEdge), and for every
// cell of `mesh` holding v > 0 (columns 0..300) the same in colour v - 1 (ShowCutBillMap).
void DrawFootprintCrossings(PictureCanvas& canvas, const std::vector<judge::Crossing>& crossings, float rate);
void DrawFootprintCells(PictureCanvas& canvas, const judge::HeightMesh& mesh, float rate);

// Colour of roof `roof` in the footprint drawings (roofs above 20 take the last colour).
QColor FootprintColor(int roof);
