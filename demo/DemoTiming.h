#pragma once
// The building-input demonstration's script timers; the demonstration speed that scales them
// (gDemoTimeScale, DemoInterval) is run state, shared with the sky windows' scripts.
#include "site/RunState.h"

inline constexpr int kDemoTickMs = 990;  // the building-input demonstration's script timers
