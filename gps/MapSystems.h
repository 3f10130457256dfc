#pragma once
// The 19 Japanese plane rectangular coordinate systems as the GPS settings list them: number,
// prefectures, and the origin as the "dd-mm" texts (whole degrees, "-", minutes) that the
// settings file stores.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace gps {

struct MapSystem {
    int number;                  // 1..19
    std::string_view prefectures;  // UTF-8, as the settings table shows it (row 1 ends in a blank)
    std::string_view latitude;   // origin latitude "dd-mm"
    std::string_view longitude;  // origin longitude "ddd-mm"
};

inline constexpr int kMapSystemCount = 19;

// The table, row k - 1 holding system k.
const std::array<MapSystem, kMapSystemCount>& MapSystemTable();

// The row of system `number`, or nullptr for a number outside 1..19.
const MapSystem* FindMapSystem(int number);

// Decimal degrees of a "dd-mm" text: degrees + minutes / 60, both parts decimal numbers,
// blanks around the text and its parts ignored ("36-00" -> 36, " 139-50 " -> 139.8333...).
// nullopt when the text is not two numbers joined by "-" or the minutes lie outside [0, 60).
std::optional<double> DegreeMinuteValue(std::string_view text);

// The "dd-mm" text of decimal degrees: whole degrees, "-", whole minutes as two digits (the
// minutes rounded to the nearest one). 139 + 50/60 -> "139-50".
std::string DegreeMinuteText(double degrees);

}  // namespace gps
