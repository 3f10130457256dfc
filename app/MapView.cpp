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
