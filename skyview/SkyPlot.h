#pragma once
// The polar sky plot shared by the sky and orbit views: the grid with compass letters and
// elevation labels, the building skyline, the elevation-mask circle, the satellite tracks over a
// span of TimeSteps, and at one step each satellite as a numbered icon (receivable, or above the
// mask but hidden behind a building) with the count of receivable ones.
//
// The geometry is pure (it returns points and classifications from the tables it is given); the
// drawing paints that geometry on a PictureCanvas whose user scale puts the zenith at (0, 0) with
// y upwards (the icons over the plot of a window are in SkyPlotIcons.h).
// Nothing is kept between calls: every call reads the tables as they stand.

#include <QColor>
#include <QPixmap>
#include <QPointF>
#include <QPolygonF>
#include <QString>

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

#include "orbit/OrbitEngine.h"
#include "orbit/VisibleSatellites.h"

class PictureCanvas;

namespace skyview {

// How the plot is seen: fixed with north up, or turning with the main map seen from above
// (looking down) or from below (looking up).
enum class PlotOrientation { NorthUp, LookingDown, LookingUp };

// The mapping of a plot: k picture units per degree of zenith distance (1.69 on a picture scaled
// -169..169, 1 on one scaled -100..100) and the orientation with the main map's rotation
// (degrees, positive clockwise; read at the moment of drawing, ignored north-up).
struct PlotFrame {
    double k = 1.69;
    PlotOrientation orientation = PlotOrientation::NorthUp;
    double rotateDeg = 0.0;
};

// Plot angle in degrees of the direction `azimuth` (mathematical angle: 0 east, 90 north,
// counter-clockwise): the azimuth north-up, azimuth - rotation looking down, rotation - azimuth
// looking up.
double PlotAngle(const PlotFrame& frame, double azimuth);
// The plot point of a direction and an elevation (degrees): k(90 - E)(cos θ, sin θ). The zenith
// is (0, 0), the horizon the circle of radius 90k; north is at the top north-up.
QPointF PlotPoint(const PlotFrame& frame, double azimuth, double elevation);

// Where a satellite stands. The one visibility rule of the counts decides Visible (elevation
// strictly above the mask and strictly above the skyline of the whole degree floor(azimuth));
// Hidden is above the mask but not visible (behind a building); BelowMask is at or below the
// mask, or a position that is not a number.
enum class SkyState { Visible, Hidden, BelowMask };
SkyState ClassifySate(float azimuth, float elevation, float mask, const orbit::SkylineTable& skyline);

// What the plot reads of the program-wide state, so tests can hand in tables of their own.
// `sateSlots` are the satellite slots whose table entries belong to the last computation (usable:
// not excluded, with an orbit); tracks and icons use only these, so a stale entry of an excluded
// slot is never drawn.
struct SkyInputs {
    const SateTable& azimus;
    const SateTable& elevation;
    std::vector<int> sateSlots;
    const std::array<std::int16_t, 33>& prn;
    const std::array<std::int16_t, 33>& health;  // 0 usable: only those are shown and counted
    const std::array<RgbColor, 33>& colours;
    const orbit::SkylineTable& skyline;          // by true azimuth, entry 360 = entry 0
    float mask = 10.0f;
};
// The inputs as the program-wide state holds them now (gSateAzimus, gSateElevation, the usable
// slots, gSatePRN, gSateHealth, gSateColor, gCutElevation, gElevationMask).
SkyInputs CurrentSkyInputs();

// The skyline as a closed polyline of 361 points: direction d = 0..360 at the obstruction
// elevation of that whole degree (360 reads entry 0); nothing obstructing runs on the horizon.
QPolygonF SkylinePolyline(const PlotFrame& frame, const orbit::SkylineTable& skyline);
// The mask circle as a closed polyline of 361 points at radius k(90 - mask).
QPolygonF MaskCirclePolyline(const PlotFrame& frame, float mask);
// The track of one slot over steps first..last (cut to 0..288): one polyline per run of
// consecutive visible steps, through the exact azimuths; a run of a single step leaves no mark.
std::vector<QPolygonF> TrackPolylines(const PlotFrame& frame, const SkyInputs& inputs, int slot, int first, int last);

// One satellite at one step.
struct SateMark {
    int slot = 0;
    int prn = 0;
    QPointF at;              // plot point
    SkyState state = SkyState::BelowMask;
    bool usable = false;     // health 0: only usable satellites are shown and counted
};
struct SatePositions {
    std::vector<SateMark> marks;  // one per input slot, in slot order
    int count = 0;                // usable and visible
};
SatePositions SatePositionsAt(const PlotFrame& frame, const SkyInputs& inputs, int step);

// The count caption: "衛星数 " directly followed by the number.
QString SateCountText(int count);

// Colours of the plot.
inline const QColor kAxisColor{0, 0, 200};
inline const QColor kHorizonColor{200, 0, 0};
inline const QColor kCompassColor{0, 160, 0};
inline const QColor kElevationLabelColor{0, 0, 160};
inline const QColor kSkylineColor{200, 150, 150};
inline const QColor kMaskColor{150, 150, 0};

// Background. North-up: clears the surface and draws the axes, the horizon circle (in `horizon`)
// and the 60 and 30 degree circles, the letters N S W E and the elevation labels. Looking down or
// up: draws the same turned with the map, without clearing (the caller clears first).
void DrawHeavenBase(PictureCanvas& surface, const PlotFrame& frame, const QColor& horizon = kHorizonColor);
// The mask circle, pen width 1.
void DrawElevationMaskCircle(PictureCanvas& surface, const PlotFrame& frame, float mask);
// The skyline, pen width 2 (the pen goes back to 1).
void DrawBillSkyLine(PictureCanvas& surface, const PlotFrame& frame, const orbit::SkylineTable& skyline);
// Every input slot's track over steps first..last in its colour.
void DrawSateObitLine(PictureCanvas& surface, const PlotFrame& frame, const SkyInputs& inputs, int first, int last);

// A satellite icon: a disc with the PRN in it, receivable or hidden style, `size` pixels square.
QPixmap SateIconPixmap(int prn, bool hidden, int size);
// The icon of a differential-correction satellite on a receiver's plot: a green rounded square
// with the PRN in it, `size` pixels square.
QPixmap DifferentialIconPixmap(int prn, int size);

}  // namespace skyview
