#pragma once
// The speed of the scripted demonstrations: every timer interval and pause of a demonstration is
// its nominal length times gDemoTimeScale. 1 in the program; tests set 0 so that a whole script
// runs as fast as the event loop turns.

inline constexpr int kDemoTickMs = 990;  // the building-input demonstration's script timers

extern double gDemoTimeScale;

// `ms` at the current speed, whole milliseconds (0 or more).
int DemoInterval(int ms);
