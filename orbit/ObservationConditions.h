#pragma once
// The observation conditions: one program-wide set, for which every prediction is computed.
// They live here, at the bottom of the library stack, because the orbit engine reads them.
// Everything reads them by these names; they are written only through the setters below, by the
// main window's condition controls (read afresh before every computation) and its reset, the
// settings and project files, the position picker, the orbit view's calendar and the time
// dialogs.

#include <string>

extern const float& gLatitude;          // degrees north, 0..90
extern const float& gLongitude;         // degrees east, 0..180
extern const std::string& gComputeDate; // "yyyy/MM/dd", the day of the computation in Japan time
extern const int& gStartTimeStep;       // first TimeStep of the window, 0..288 (96 at start-up)
extern const int& gEndTimeStep;         // last TimeStep of the window, 0..288 (216 at start-up)
extern const float& gElevationMask;     // degrees; satellites at or below it do not count
extern const float& gAntennaHeight;     // metres above the ground, 0..100

void SetLatitude(float degrees);
void SetLongitude(float degrees);
void SetComputeDate(const std::string& date);
void SetStartTimeStep(int step);
void SetEndTimeStep(int step);
void SetElevationMask(float degrees);
void SetAntennaHeight(float metres);

// Number of 5-minute steps after the first of a day (steps 0..288, 288 is 24:00).
inline constexpr int kLastTimeStep = 288;
inline constexpr int kSecondsPerStep = 300;
// The time window the program starts with and the windows and dialogs open at: 08:00 to 18:00.
inline constexpr int kDefaultStartTimeStep = 96;
inline constexpr int kDefaultEndTimeStep = 216;

// An antenna height typed by the user, kept within 0..100 m: the height to use and, when the
// typed one lay outside, the message that tells the user so (empty when it was taken as typed).
// A text that is no number (`isNumber` false: letters, "2x") gets the message that the height is
// a positive value, and the height in use before (`inUse`) stays: a slip of the keyboard neither
// reads the text as its leading number nor drops the antenna to the ground.
struct AntennaHeightCheck {
    float metres = 0.0f;
    std::string message;
};
AntennaHeightCheck CheckAntennaHeight(double typed, bool isNumber, float inUse);
