#pragma once
// The main map's view (MapViewTransform): zoom step and scale, pan offsets and rotation.
// A site point P (metres) is drawn at R(-angle) x (gMapScaleRate x (P - C) + offset), where C is
// the map centre and R turns about the picture origin.

#include <array>
#include <string>

inline constexpr int kMapScaleSteps = 41;  // zoom steps 0..40

// The view is written only through the setters below (the view commands of the main window,
// the file commands, the building input's hand-over and tests); everything else reads it.
extern const int& gMapScaleIndex;   // zoom step 0..40 (20 at reset)
extern const float& gMapScaleRate;  // picture units per metre
extern const std::array<float, kMapScaleSteps>& gMapScaleRateTable;
extern const std::array<float, kMapScaleSteps>& gScaleBarLength;       // metres
extern const std::array<std::string, kMapScaleSteps>& gScaleBarLabel;  // "2Km" .. "2m"
extern const float& gMapOffsetX;    // pan, picture units, applied before the turn
extern const float& gMapOffsetY;
extern const float& gMapRotateAngle;  // degrees; positive turns the map clockwise on the picture
extern const float& gMapRotateSin;
extern const float& gMapRotateCos;

// Map centre in site metres: subtracted from every site point before it is drawn. Set by the
// file commands; the reset leaves it alone.
extern const double& pMapCenterX;
extern const float& pMapCenterY;
// Degrees turned since the last area judgement; the result maps turn their cells by it. The
// turn commands add to it; a judgement and the map reset set it to 0.
extern const float& pRotateSinceJudge;

// Fills the 41-step zoom table with its scale-bar lengths and labels (once, at load).
void SetMapScaleTable();
// Sets the zoom step, kept within 0..40 (a step below 0 becomes 0, above 40 becomes 40), and
// the matching table scale. The one way to change the step.
void SetMapScaleIndex(int step);
// Sets the zoom step (kept within 0..40) with a scale of its own, as a project file or the
// building input hands it over; a scale that is not positive takes the table scale instead.
// The scale stays until the next zoom command.
void SetMapScaleIndexAndRate(int step, float rate);
// One zoom step in (+1) or out (-1) from the current step. A step outside 0..40 (left by a
// project file or the building input's hand-over) is first brought into the table, so every
// zoom command lands on a table step.
void StepMapScale(int delta);
// The view of a new or cleared site: zoom step 20 with its table scale, no pan, no rotation.
// The map centre and pRotateSinceJudge are left as they are.
void ResetMapView();
// Sets the rotation and its sine and cosine (computed in double, stored in single precision).
void SetMapRotateAngle(float degrees);
// Sets the pan, picture units.
void SetMapOffset(float x, float y);
// Sets the map centre, site metres.
void SetMapCenter(double x, float y);
void SetRotateSinceJudge(float degrees);
// The view change of the pan and turn buttons. Pans move the content 4 metres along the
// picture's own axes whatever the rotation: 0 "右へシフト" moves it left, 1 "下へシフト" up,
// 2 "上へシフト" down, 3 "左へシフト" right. Turns: 4 clockwise, 5 counter-clockwise, 10 degrees
// each, also added to pRotateSinceJudge. Any other index changes nothing.
void ApplyMapMove(int index);

// The numbers the transform reads, taken together so that a long computation can work on a
// snapshot of the view. The same type is the frame a judgement's height grid was built in.
struct MapViewState {
    double scale = 2.0;  // picture units per metre
    double offsetX = 0.0, offsetY = 0.0;  // pan, picture units, applied before the turn
    double rotateDeg = 0.0;  // positive turns the map clockwise on the picture
    double sinA = 0.0, cosA = 1.0;  // of the rotation
    double centreX = 0.0, centreY = 0.0;  // map centre, site metres

    // Side of a height grid cell built under this view, in metres: GridCellSize(scale).
    float cellSize() const;
    // Site metres (x east, y north) to grid metres of this view: the picture point divided by
    // the scale, both coordinates kept in double precision (x towards the picture's right, y
    // towards its top, origin at the picture origin).
    void siteToGrid(double x, double y, double& gx, double& gy) const;
};

// Side in metres of a height grid cell at the zoom scale `scale` (picture units per metre):
// (864 / scale) / 162 in single precision, so 16/3 picture units at every zoom step.
constexpr float GridCellSize(float scale) { return (864.0f / scale) / 162.0f; }

// A point in picture units of the site map (x to the right, y upwards).
struct PicturePoint {
    double x = 0.0;
    double y = 0.0;
};

// The current view of the globals.
MapViewState CurrentMapView();
// Metres from the map centre to picture units: times the scale, plus the pan, turned by minus
// the rotation about the picture origin (the distance tool's points and the height labels).
// The picture's y is kept in single precision.
PicturePoint ViewToPicture(const MapViewState& view, double dx, double dy);
PicturePoint SiteToPicture(const MapViewState& view, double x, double y);
void PictureToSite(const MapViewState& view, double px, double py, double& x, double& y, bool addCentre);

// Site metres to picture units: minus the map centre, times the scale, plus the pan, turned by
// minus the rotation about the picture origin.
PicturePoint SiteToPicture(double x, double y);
// Picture units back to metres from the map centre (addCentre false) or site metres (true).
void PictureToSite(double px, double py, double& x, double& y, bool addCentre);
