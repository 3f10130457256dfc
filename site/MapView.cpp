#include "MapView.h"

#include <algorithm>
#include <cmath>

#include "orbit/TextHelpers.h"
#include "platform/Constants.h"

namespace {

constexpr int kResetScaleIndex = 20;
constexpr double kPanMetres = 4.0;    // one pan step on the picture's own axes
constexpr float kTurnDegrees = 10.0f; // one turn step

// Picture units per metre of each zoom step; the scale bar is then 100..250 units long.
constexpr std::array<float, kMapScaleSteps> kScaleRates = {
    0.06f, 0.07f, 0.08f, 0.1f, 0.12f, 0.15f, 0.17f, 0.2f, 0.25f, 0.3f, 0.35f,
    0.4f,  0.5f,  0.6f,  0.7f, 0.8f,  1.0f,  1.2f,  1.5f, 1.7f,  2.0f, 2.5f,
    3.0f,  3.5f,  4.0f,  5.0f, 6.0f,  7.0f,  8.0f,  10.0f, 12.0f, 15.0f, 17.0f,
    20.0f, 25.0f, 30.0f, 35.0f, 40.0f, 50.0f, 60.0f, 70.0f};

// Scale-bar length in metres from the first step at which it applies.
struct BarRange {
    int firstStep;
    float metres;
    const char* label;
};
constexpr BarRange kBarRanges[] = {
    {0, 2000.0f, "2Km"}, {5, 1000.0f, "1Km"}, {9, 500.0f, "500m"}, {12, 200.0f, "200m"},
    {18, 100.0f, "100m"}, {22, 50.0f, "50m"}, {25, 20.0f, "20m"}, {31, 10.0f, "10m"},
    {35, 5.0f, "5m"},    {38, 2.0f, "2m"},
};

int ClampStep(int step) { return std::clamp(step, 0, kMapScaleSteps - 1); }

}  // namespace

namespace {

int mapScaleIndex = 20;
float mapScaleRate = 2.0f;
// Filled already at start-up so that the scale of a step is never 0, even before the load.
std::array<float, kMapScaleSteps> mapScaleRateTable = kScaleRates;
std::array<float, kMapScaleSteps> scaleBarLength{};
std::array<std::string, kMapScaleSteps> scaleBarLabel{};
float mapOffsetX = 0.0f;
float mapOffsetY = 0.0f;
float mapRotateAngle = 0.0f;
float mapRotateSin = 0.0f;
float mapRotateCos = 1.0f;
double mapCenterX = 0.0;
float mapCenterY = 0.0f;
float rotateSinceJudge = 0.0f;

}  // namespace

const int& gMapScaleIndex = mapScaleIndex;
const float& gMapScaleRate = mapScaleRate;
const std::array<float, kMapScaleSteps>& gMapScaleRateTable = mapScaleRateTable;
const std::array<float, kMapScaleSteps>& gScaleBarLength = scaleBarLength;
const std::array<std::string, kMapScaleSteps>& gScaleBarLabel = scaleBarLabel;
const float& gMapOffsetX = mapOffsetX;
const float& gMapOffsetY = mapOffsetY;
const float& gMapRotateAngle = mapRotateAngle;
const float& gMapRotateSin = mapRotateSin;
const float& gMapRotateCos = mapRotateCos;
const double& pMapCenterX = mapCenterX;
const float& pMapCenterY = mapCenterY;
const float& pRotateSinceJudge = rotateSinceJudge;

void SetMapOffset(float x, float y)
{
    mapOffsetX = x;
    mapOffsetY = y;
}

void SetMapCenter(double x, float y)
{
    mapCenterX = x;
    mapCenterY = y;
}

void SetRotateSinceJudge(float degrees) { rotateSinceJudge = degrees; }

void SetMapScaleTable()
{
    mapScaleRateTable = kScaleRates;
    for (int step = 0; step < kMapScaleSteps; ++step) {
        const BarRange* range = &kBarRanges[0];
        for (const BarRange& r : kBarRanges) {
            if (r.firstStep <= step) range = &r;
        }
        scaleBarLength[step] = range->metres;
        scaleBarLabel[step] = range->label;
    }
}

void SetMapScaleIndex(int step)
{
    mapScaleIndex = ClampStep(step);
    mapScaleRate = gMapScaleRateTable[gMapScaleIndex];
}

void SetMapScaleIndexAndRate(int step, float rate)
{
    SetMapScaleIndex(step);
    if (rate > 0.0f && std::isfinite(rate)) mapScaleRate = rate;
}

void StepMapScale(int delta) { SetMapScaleIndex(ClampStep(gMapScaleIndex) + delta); }

void ResetMapView()
{
    SetMapScaleIndex(kResetScaleIndex);
    mapOffsetX = 0.0f;
    mapOffsetY = 0.0f;
    SetMapRotateAngle(0.0f);
}

void SetMapRotateAngle(float degrees)
{
    mapRotateAngle = degrees;
    mapRotateSin = static_cast<float>(std::sin(degrees * platform::kRadPerDeg));
    mapRotateCos = static_cast<float>(std::cos(degrees * platform::kRadPerDeg));
}

void ApplyMapMove(int index)
{
    if (index >= 0 && index <= 3) {
        // Step in unturned picture units: 0 moves the content left, 1 up, 2 down, 3 right.
        const double s = gMapScaleRate * kPanMetres;
        static constexpr double kU[] = {-1.0, 0.0, 0.0, 1.0};
        static constexpr double kV[] = {0.0, 1.0, -1.0, 0.0};
        // The offset is applied before the turn, so the step is turned by plus the rotation
        // to move the content along the picture's own axes.
        double u = kU[index] * s;
        double v = kV[index] * s;
        orbit::RotatePointAndShift(u, v, 0.0, 0.0, gMapRotateSin, gMapRotateCos);
        mapOffsetX = static_cast<float>(gMapOffsetX + u);
        mapOffsetY = static_cast<float>(gMapOffsetY + v);
    } else if (index == 4 || index == 5) {
        const float turn = index == 4 ? kTurnDegrees : -kTurnDegrees;
        rotateSinceJudge += turn;
        SetMapRotateAngle(gMapRotateAngle + turn);  // not folded into a range: 36 turns give 360
    }
}

MapViewState CurrentMapView()
{
    MapViewState view;
    view.scale = gMapScaleRate;
    view.offsetX = gMapOffsetX;
    view.offsetY = gMapOffsetY;
    view.rotateDeg = gMapRotateAngle;
    view.sinA = gMapRotateSin;
    view.cosA = gMapRotateCos;
    view.centreX = pMapCenterX;
    view.centreY = pMapCenterY;
    return view;
}

namespace {

// The transform: metres from the map centre times the scale, plus the pan, turned by minus the
// rotation about the picture origin; both coordinates in double precision.
void TurnedPicturePoint(const MapViewState& view, double dx, double dy, double& px, double& py)
{
    const double qx = view.scale * dx + view.offsetX;
    const double qy = view.scale * dy + view.offsetY;
    px = qx * view.cosA + qy * view.sinA;
    py = qy * view.cosA - qx * view.sinA;
}

}  // namespace

float MapViewState::cellSize() const { return GridCellSize(static_cast<float>(scale)); }

void MapViewState::siteToGrid(double x, double y, double& gx, double& gy) const
{
    TurnedPicturePoint(*this, x - centreX, y - centreY, gx, gy);
    gx /= scale;
    gy /= scale;
}

PicturePoint ViewToPicture(const MapViewState& view, double dx, double dy)
{
    PicturePoint p;
    TurnedPicturePoint(view, dx, dy, p.x, p.y);
    p.y = static_cast<float>(p.y);  // the picture's y is kept in single precision
    return p;
}

PicturePoint SiteToPicture(const MapViewState& view, double x, double y)
{
    return ViewToPicture(view, x - view.centreX, y - view.centreY);
}

void PictureToSite(const MapViewState& view, double px, double py, double& x, double& y, bool addCentre)
{
    x = px;
    y = py;
    orbit::RotatePointAndShift(x, y, 0.0, 0.0, view.sinA, view.cosA);
    // A zero scale (never in the table) would divide by zero: the point is then taken as the
    // map centre.
    x = view.scale != 0.0 ? (x - view.offsetX) / view.scale : 0.0;
    y = view.scale != 0.0 ? (y - view.offsetY) / view.scale : 0.0;
    if (addCentre) {
        x += view.centreX;
        y += view.centreY;
    }
}

PicturePoint SiteToPicture(double x, double y) { return SiteToPicture(CurrentMapView(), x, y); }

void PictureToSite(double px, double py, double& x, double& y, bool addCentre)
{
    PictureToSite(CurrentMapView(), px, py, x, y, addCentre);
}
