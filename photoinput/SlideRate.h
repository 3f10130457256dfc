#pragma once
// The tilt table of the oblique view: the ratio of the oblique eye altitude to the plan eye
// altitude (falling from 1) and the tilt from the vertical, in degrees, that belongs to it.
// Rows 0..32; the lookup interpolates between rows and never reads row 32.

#include <array>

inline constexpr int kSlideRateRows = 33;

extern std::array<float, kSlideRateRows> gSlideRate;        // altitude ratio, 1 .. 0.119
extern std::array<float, kSlideRateRows> gSlideAngleTable;  // tilt, degrees, 0 .. 40.091

// Fills the tilt table (once, when the main window loads).
void SetSlideRateTable();

// The table's rows as constants, for the lookup that must not depend on the fill.
struct SlideRow {
    float ratio;
    float degrees;
};
const std::array<SlideRow, kSlideRateRows>& SlideRateRows();
