#pragma once
// Constants of the orbit model (WGS-84 and the GPS interface values).

#include "platform/Constants.h"

namespace orbit {

using platform::kDegPerRad;
using platform::kPi;
using platform::kRadPerDeg;
inline constexpr double kEarthSemiMajorAxis = 6378137.0;     // m
inline constexpr double kInverseFlattening = 298.257223563;
inline constexpr double kEarthGM = 3.986005e14;              // m^3/s^2
inline constexpr double kEarthRotationRate = 7.2921151467e-5;  // rad/s
inline constexpr double kSecondsPerWeek = 604800.0;

}  // namespace orbit
