#include "MapView.h"

int gMapScaleIndex = 20;
float gMapScaleRate = 2.0f;
std::array<float, kMapScaleSteps> gMapScaleRateTable{};
std::array<float, kMapScaleSteps> gScaleBarLength{};
std::array<std::string, kMapScaleSteps> gScaleBarLabel{};
float gMapOffsetX = 0.0f;
float gMapOffsetY = 0.0f;
float gMapRotateAngle = 0.0f;
float gMapRotateSin = 0.0f;
float gMapRotateCos = 1.0f;
double pMapCenterX = 0.0;
float pMapCenterY = 0.0f;
float pRotateSinceJudge = 0.0f;

// TODO(mapview): bodies below are placeholders until the view transform lands.
void SetMapScaleTable() {}
void SetMapScaleIndex(int step)
{
    gMapScaleIndex = step < 0 ? 0 : (step >= kMapScaleSteps ? kMapScaleSteps - 1 : step);
    gMapScaleRate = gMapScaleRateTable[gMapScaleIndex];
}
void SetMapRotateAngle(float) {}
void ApplyMapMove(int) {}
void SiteToPicture(double x, double y, double& px, double& py) { px = x; py = y; }
void PictureToSite(double px, double py, double& x, double& y, bool) { x = px; y = py; }
