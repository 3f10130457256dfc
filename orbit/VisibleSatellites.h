#pragma once
// Visible-satellite counts per TimeStep and the satellite colour table of the sky plots.

#include <array>
#include <cstdint>
#include <span>

#include "OrbitEngine.h"

// Number of visible satellites per TimeStep (entries 0..288 in use).
extern std::array<std::int16_t, 301> gVisibleSateNum;

// The skyline: obstruction elevation in degrees for each whole true direction 0..359
// (mathematical angle, 0 east, counter-clockwise; the map's rotation already taken out) seen
// from the last observer point, entry 360 equal to entry 0. Written only by the skyline march
// of the judgement subsystem; read by the counts below and by the sky views.
extern std::array<float, 361> gCutElevation;

// A colour as plain 8-bit red, green and blue.
struct RgbColor {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const RgbColor&, const RgbColor&) = default;
};

// Track and icon colour per satellite slot 0..32 (slot, not PRN).
extern std::array<RgbColor, 33> gSateColor;

namespace orbit {

using SkylineTable = std::array<float, 361>;
using VisibleCountTable = std::array<std::int16_t, 301>;

// The one visibility rule of every count, sky plot and comparison: a satellite at true azimuth
// `azimus` and elevation `elevation` (degrees) is visible when its elevation is strictly above
// `mask` and strictly above the skyline in its whole-degree direction floor(azimuth) (a negative
// azimuth taken plus 360; 360.0 reads entry 360). A non-finite azimuth or one outside the
// skyline is never visible.
bool IsSateVisible(float azimus, float elevation, float mask, const SkylineTable& skyline);

// Recounts steps first..last (clamped to 0..288) of `counts`: for each listed slot, a satellite
// counts at a step when its elevation is strictly above `mask` and strictly above the skyline
// in its whole-degree direction floor(azimuth) (a negative azimuth taken plus 360; 360.0 reads
// entry 360). Other steps are left as they were.
void CountVisibleSate(const SateTable& azimus, const SateTable& elevation, std::span<const int> sateSlots,
                      float mask, const SkylineTable& skyline, int first, int last, VisibleCountTable& counts);

// The program-wide counts over the usable slots with gElevationMask and gCutElevation.
void CountVisibleSateAllDay();
void CountVisibleSateInTime(int firstStep, int lastStep);

// Fills gSateColor with the 13-colour cycle (slot 32 magenta).
void SetSateColorTable();

}  // namespace orbit
