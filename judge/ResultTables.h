#pragma once
// The colour tables of the two result maps, filled once when the main window loads, and the
// checked look-ups that turn a stored value into a row of them.
//
// Colour values are red + 256 green + 65536 blue (&HBBGGRR: 0xFF0000 is blue).

#include <array>
#include <cstdint>
#include <string>

// Count map: colour by number of visible satellites, index 0..15 (0..3 red, 4 yellow, 5 green,
// 6..15 blue).
extern std::array<std::uint32_t, 16> gSateNumColor;
// Probability map: the 20 legend rows (index 0..19; entry 20 unused). Row k shows class 20 - k,
// from "100%≧R ＞95%" (blue) down to "5%≧R ≧0%" (magenta); rows 8 and 9 share one colour.
extern std::array<std::uint32_t, 21> gRateClassColor;
extern std::array<std::string, 21> gRateClassLabel;  // UTF-8

void SetSateNumColorTable();
void SetRateClassLegend();

namespace judge {

// Row of gSateNumColor for a stored count: the count itself for 1..15, 15 (blue) for any larger
// count; -1 (not painted) for 0, a negative value or one that is not a number.
int SateNumColorIndex(float count);
// Row of gRateClassColor for a stored class 1..20: 20 - class; -1 (not painted) for anything
// outside 1..20 or not a whole number.
int RateClassColorIndex(float rateClass);

}  // namespace judge
