#pragma once
// Photo geometry: the oblique camera of the building input and the conversions between picture
// points and ground metres.
//
// Camera: it looks at the ground point seen at the picture centre along its view axis, tilted
// by t from the vertical; that point lies at the range R along the axis, so the camera stands
// R cos t above flat ground. The picture is the plane across the axis at distance R, one picture
// unit there being rate = R / (0.85 W) metres (W the picture width in picture units), which makes
// the focal length 0.85 W picture units. A picture point (x, y) (photo coordinates, y up) is used
// in metres as u = x rate, v = y rate. Ground results are plan coordinates: metres, origin at
// the ground point of the picture centre, X right, Y forward.
//
// Angles passed in are radians (t = tilt in degrees * platform::kRadPerDeg); stored and returned
// tilts are degrees. Every function here is pure; the callers check the camera first
// (IsUsableCamera).

#include <array>
#include <optional>
#include <string>

#include "platform/Constants.h"

// Focal length of the camera in picture widths.
inline constexpr double kFocalWidths = 0.85;

// Tilt in degrees for the altitude ratio r = oblique / plan eye altitude, interpolated in the
// tilt table (first row whose ratio lies below r, and the row before it). -1 when r is not in
// 0 < r < 1 or not above the ratio of row 31 (0.129943): the table has no tilt for it.
double ConvertRateToSlideAngle(double r);

// Tilt in degrees whose cosine is h / R (R >= h > 0; R = h gives 0).
double ComputeInclineAngle(double R, double h);

// Ground point (X, Y) of the picture point (u, v) in metres: Y = R cos t tan(t + a) - R sin t
// with tan a = v / R, X = u / k; returns k = R / (R + Y sin t), the picture scale at that depth.
double ComputeSlidePosition(double t, double R, double u, double v, double& X, double& Y);

// Height of a vertical wall whose ends are seen at picture heights va and vb (metres, either
// order): the distance between the ground points of the two ends' rays over the tangent of the
// upper ray's angle from the vertical. Equal heights give 0.
double ComputeWallEdgeHeight(double t, double R, double va, double vb);

// Plan Y of a point at height H seen at picture height v: the ground hit pulled back towards the
// camera by H tan(t + a).
double ComputeFlatTopAreaY(double t, double R, double v, double H);

// Plan X of a point at height H whose picture point hits the ground at X0: X0 (1 - H / (R cos t)).
double ComputeFlatTopAreaX(double t, double R, double v, double H, double X0);

// The camera of one oblique picture.
struct ObliqueCamera {
    double tiltDegrees = 0.0;   // gSlideAngle, from the vertical
    double range = 0.0;         // gFlatHeight, R
    double pictureWidth = 0.0;  // W, picture units (pixels) of the picture the roofs lie on

    double tilt() const { return tiltDegrees * platform::kRadPerDeg; }
    // Metres per picture unit at the range R: R / (0.85 W).
    double metresPerUnit() const { return range / (kFocalWidths * pictureWidth); }
};

// Photo point (x, y) of the point at plan (X, Y) and height Z metres: where the camera sees it,
// which is the photo point whose ray the plan conversion (ComputeSlidePosition, then
// ComputeFlatTopAreaX/Y at height Z) brings back to (X, Y). False when the point is not in front
// of the camera.
bool ComputePhotoPoint(const ObliqueCamera& camera, double X, double Y, double Z, double& x, double& y);

// True when every conversion with the camera is finite: positive range and width, a tilt in
// 0 .. 80 degrees (the table goes to 40).
bool IsUsableCamera(const ObliqueCamera& camera);

// The camera from the two eye altitudes (plan view, oblique view) and the picture width:
// t = tilt of the ratio, R = oblique / cos t, as the wall measurement sets it up. Refused, with
// the reason as the message to show, when an altitude or the width is not positive or the ratio
// has no tilt in the table.
struct CameraSetUp {
    std::optional<ObliqueCamera> camera;
    std::string message;  // empty when the camera was set up
};
CameraSetUp SetUpCamera(double sourceHeight, double slideHeight, double pictureWidth);

// Plan zoom steps 0..40: drawing scale in picture units per metre, scale-bar length in metres
// and its label. Filled by SetFlatScaleTable (when the building input loads).
inline constexpr int kFlatScaleSteps = 41;
extern std::array<float, kFlatScaleSteps> gFlatScaleRate;
extern std::array<float, kFlatScaleSteps> gFlatScaleLength;
extern std::array<std::string, kFlatScaleSteps> gFlatScaleText;
void SetFlatScaleTable();

// Roof colours 0..20 of the footprint grid (roof r painted in entry r), 0..255 each. Filled by
// SetBillColorTable.
struct RoofColor {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const RoofColor&) const = default;
};
inline constexpr int kBillColors = 21;
extern std::array<RoofColor, kBillColors> gBillColor;
void SetBillColorTable();
