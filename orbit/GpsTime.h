#pragma once
// Japan time (UTC + 9 h, no daylight saving, no leap seconds) to GPS week and seconds of week,
// weeks counted from 1980/01/06.

#include <chrono>
#include <optional>
#include <string_view>

namespace orbit {

// The day of a date text "yyyy/MM/dd" (also "yyyy/M/d"); nullopt when the text is not a valid
// calendar date (blanks around the numbers are allowed, nothing else).
std::optional<std::chrono::sys_days> ParseComputeDate(std::string_view date);

struct GpsTime {
    int week = 0;         // GPS week, the nearest to the day (from the fourth day of a week on, the next)
    double seconds = 0;   // seconds of that week, between -3 and +4 days; week*604800 + seconds is exact
};

// GPS week and seconds of a Japan date and time of day "hh:mm:ss" (missing or non-numeric
// pieces count 0; the orbit engine passes "00:00"). nullopt when the date is not a date.
// 2008/12/18 00:00 gives week 1510, 313200 s; 2008/12/21 00:00 gives 1511, -32400 s.
std::optional<GpsTime> ConvertDateToGPSTime(std::string_view date, std::string_view time);

// The full week of an almanac whose week is known only modulo 1024 (as YUMA files and the
// database carry it): the one of its 1024-week eras nearest `referenceWeek`.
int ResolveAlmanacWeek(int almanacWeek, int referenceWeek);

}  // namespace orbit
