#include "VisibleSatellites.h"

#include <algorithm>
#include <cmath>

std::array<std::int16_t, 301> gVisibleSateNum{};
std::array<float, 361> gCutElevation{};
std::array<RgbColor, 33> gSateColor{};

namespace orbit {

bool IsSateVisible(float azimus, float elevation, float mask, const SkylineTable& skyline)
{
    if (azimus < 0) {
        azimus += 360;
    }
    const float direction = std::floor(azimus);
    // Directions outside the skyline (a corrupt or non-finite azimuth) never count.
    if (!(direction >= 0 && direction <= 360)) {
        return false;
    }
    return elevation > mask && elevation > skyline[static_cast<int>(direction)];
}

void CountVisibleSate(const SateTable& azimus, const SateTable& elevation, std::span<const int> sateSlots,
                      float mask, const SkylineTable& skyline, int first, int last, VisibleCountTable& counts)
{
    const int k1 = std::max(first, 0);
    const int k2 = std::min(last, kLastTimeStep);
    for (int k = k1; k <= k2; ++k) {
        counts[k] = 0;
    }
    for (const int s : sateSlots) {
        if (s < 0 || s > kMaxSateSlot) {
            continue;
        }
        for (int k = k1; k <= k2; ++k) {
            if (IsSateVisible(azimus[s][k], elevation[s][k], mask, skyline)) {
                ++counts[k];
            }
        }
    }
}

void CountVisibleSateAllDay() { CountVisibleSateInTime(0, kLastTimeStep); }

void CountVisibleSateInTime(int firstStep, int lastStep)
{
    const std::vector<int> sateSlots = UsableSateSlots();
    CountVisibleSate(gSateAzimus, gSateElevation, sateSlots, gElevationMask, gCutElevation, firstStep, lastStep,
                     gVisibleSateNum);
}

void SetSateColorTable()
{
    static constexpr std::array<RgbColor, 13> kCycle = {{
        {255, 0, 0}, {176, 176, 0}, {0, 217, 0}, {0, 221, 221}, {0, 128, 255}, {255, 0, 255}, {255, 128, 64},
        {166, 83, 83}, {0, 128, 64}, {176, 0, 88}, {133, 78, 177}, {255, 36, 146}, {128, 128, 0},
    }};
    for (std::size_t s = 0; s < gSateColor.size(); ++s) {
        gSateColor[s] = kCycle[s % kCycle.size()];
    }
    gSateColor[32] = {255, 0, 255};
}

}  // namespace orbit
