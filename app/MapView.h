#pragma once
// The main map's view (MapViewTransform): zoom step and scale, pan offsets and rotation.
// A site point P (metres) is drawn at R(-angle) x (gMapScaleRate x (P - C) + offset), where C is
// the map centre and R turns about the picture origin.

#include <array>
#include <string>

inline constexpr int kMapScaleSteps = 41;  // zoom steps 0..40

extern int gMapScaleIndex;   // zoom step 0..40 (20 at reset)
extern float gMapScaleRate;  // picture units per metre
extern std::array<float, kMapScaleSteps> gMapScaleRateTable;
extern std::array<float, kMapScaleSteps> gScaleBarLength;       // metres
extern std::array<std::string, kMapScaleSteps> gScaleBarLabel;  // "2Km" .. "2m"
extern float gMapOffsetX;    // pan, picture units, applied before the turn
extern float gMapOffsetY;
extern float gMapRotateAngle;  // degrees; positive turns the map clockwise on the picture
extern float gMapRotateSin;
extern float gMapRotateCos;
