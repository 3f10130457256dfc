#pragma once
// Constants shared by every subsystem: angles and screen units.

namespace platform {

// π to the 15 significant digits the program's tables were computed with, and the conversions
// between degrees and radians (kRadPerDeg is exactly kPi / 180 in double precision).
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kRadPerDeg = 0.017453292519943278;
inline constexpr double kDegPerRad = 57.29577951308238;

// Window positions and sizes are laid out in twips, 15 to a screen pixel.
inline constexpr int kTwipsPerPixel = 15;

}  // namespace platform
