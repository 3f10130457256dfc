#include "DemoTiming.h"

#include <cmath>

double gDemoTimeScale = 1.0;

int DemoInterval(int ms)
{
    const double scaled = ms * gDemoTimeScale;
    return scaled > 0.0 ? static_cast<int>(std::lround(scaled)) : 0;
}
