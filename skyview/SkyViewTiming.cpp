#include "SkyViewTiming.h"

#include <algorithm>
#include <cmath>

#include "orbit/OrbitEngine.h"

namespace skyview {

int ClockStep(double secondsOfDay)
{
    if (!std::isfinite(secondsOfDay)) {
        return 0;
    }
    // nearbyint rounds halves to even in the default rounding mode.
    const double step = std::nearbyint(secondsOfDay / kSecondsPerStep);
    return static_cast<int>(std::clamp(step, 0.0, static_cast<double>(kLastTimeStep)));
}

SkyDemoStep SkyDemoScriptAt(int tick)
{
    switch (tick) {
    case 3:
    case 4:
    case 5:
        return {SkyDemoAction::TurnRight, 0};
    case 10:
        return {SkyDemoAction::ShowClickHint, 0};
    case 14:
    case 16:
    case 18:
    case 20:
    case 22:
        return {SkyDemoAction::ClickPoint, (tick - 12) / 2};
    default:
        return {};
    }
}

}  // namespace skyview
