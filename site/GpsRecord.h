#pragma once
// The recorded receiver track loaded from a GPS record file: east and north in metres in the
// building model's frame, drawn on the site map as a line of dots.

#include <array>

inline constexpr int kMaxGPSRecordPoints = 4001;  // points 0..4000

extern std::array<float, kMaxGPSRecordPoints> gGPSRecordX;  // metres east
extern std::array<float, kMaxGPSRecordPoints> gGPSRecordY;  // metres north
extern int gGPSRecordNum;  // points in use, 0..4001; readers clamp it to the arrays
