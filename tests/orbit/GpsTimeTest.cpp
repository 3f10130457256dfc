#include <gtest/gtest.h>

#include "orbit/GpsTime.h"

namespace {

struct GpsTimeCase {
    const char* name;
    const char* date;
    const char* time;
    int week;
    double seconds;
};

// Japan time is UTC + 9 h; GPS weeks start on Sunday 00:00 UTC from 1980/01/06. The week is the
// nearest one, so from Wednesday-Thursday on the seconds are negative.
const GpsTimeCase kGpsTimeCases[] = {
    // Thursday 00:00 JST = Wednesday 15:00 UTC: 3 days + 15 h into week 1510.
    {"thursday_midnight_2008", "2008/12/18", "00:00", 1510, 313200},
    // Sunday 00:00 JST = Saturday 15:00 UTC, rounded up to week 1511: -9 h.
    {"sunday_midnight_2008", "2008/12/21", "00:00", 1511, -32400},
    {"epoch", "1980/01/06", "09:00", 0, 0},
    // Before 09:00 JST the UTC day is the day before.
    {"before_nine_jst", "1980/01/07", "08:30:15", 0, 23 * 3600 + 30 * 60 + 15},
    // The week rollovers: 1999/08/22 and 2019/04/07 00:00 UTC are 09:00 JST; 00:00 JST is 9 h before.
    {"rollover_1999_at_nine", "1999/08/22", "09:00:00", 1024, 0},
    {"rollover_1999_midnight", "1999/08/22", "00:00", 1024, -32400},
    {"rollover_2019_at_nine", "2019/04/07", "09:00", 2048, 0},
    {"rollover_2019_day_before", "2019/04/06", "12:00", 2048, -86400 + 3 * 3600},
    {"single_digit_month_day", "2019/4/7", "9:0:0", 2048, 0},
    {"missing_pieces_count_zero", "2019/04/07", "", 2048, -32400},
};

void PrintTo(const GpsTimeCase& c, std::ostream* os) { *os << c.name; }

class GpsTimeTable : public testing::TestWithParam<GpsTimeCase> {};

TEST_P(GpsTimeTable, WeekAndSecondsOfWeek)
{
    const GpsTimeCase& c = GetParam();
    const auto t = orbit::ConvertDateToGPSTime(c.date, c.time);
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(t->week, c.week);
    EXPECT_DOUBLE_EQ(t->seconds, c.seconds);
}

INSTANTIATE_TEST_SUITE_P(Cases, GpsTimeTable, testing::ValuesIn(kGpsTimeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GpsTime, TextsThatAreNoDateAreRefused)
{
    for (const char* date : {"", "2022/02/30", "2022/13/01", "2022-02-18", "abc", "2022/02", "2022/2/18x", "2021/02/29"}) {
        EXPECT_FALSE(orbit::ConvertDateToGPSTime(date, "00:00").has_value()) << date;
    }
    EXPECT_TRUE(orbit::ParseComputeDate("2024/02/29").has_value());
}

TEST(GpsTime, AlmanacWeekResolvesToTheNearestEra)
{
    struct Case { int almanac; int reference; int full; };
    const Case cases[] = {
        {149, 2197, 2197},   // the real almanac of February 2022
        {149, 2200, 2197},
        {402, 1426, 1426},   // the built-in almanac in its own time
        {402, 2400, 2450},   // ... and in 2026: the next era is nearer
        {1426, 1430, 1426},  // a full week stays where it is
        {1023, 2048, 2047},  // across the 2019 rollover, both ways
        {0, 2047, 2048},
        {5, 3, 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(orbit::ResolveAlmanacWeek(c.almanac, c.reference), c.full) << c.almanac << " near " << c.reference;
    }
}

}  // namespace
