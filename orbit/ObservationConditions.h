#pragma once
// The observation conditions: one program-wide set, for which every prediction is computed.
// The main window's controls write them (read afresh before every computation), and so do the
// settings and project files, the position picker, the sky views and the time dialogs. They live
// here, at the bottom of the library stack, because the orbit engine reads them.

#include <string>

extern float gLatitude;          // degrees north, 0..90
extern float gLongitude;         // degrees east, 0..180
extern std::string gComputeDate; // "yyyy/MM/dd", the day of the computation in Japan time
extern int gStartTimeStep;       // first TimeStep of the window, 0..288 (96 at start-up)
extern int gEndTimeStep;         // last TimeStep of the window, 0..288 (216 at start-up)
extern float gElevationMask;     // degrees; satellites at or below it do not count
extern float gAntennaHeight;     // metres above the ground, 0..100

// Number of 5-minute steps after the first of a day (steps 0..288, 288 is 24:00).
inline constexpr int kLastTimeStep = 288;
inline constexpr int kSecondsPerStep = 300;
