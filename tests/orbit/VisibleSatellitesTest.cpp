#include <gtest/gtest.h>

#include <cmath>

#include "orbit/VisibleSatellites.h"

namespace {

TEST(VisibleSatellites, CountRules)
{
    struct Case {
        const char* name;
        float az;
        float el;
        int expected;
    };
    // Mask 10; skyline 30 towards 45, 50 towards 359, 60 in entry 0 but 5 in entry 360 (entry
    // 360 is read as its own entry), 0 elsewhere.
    const Case cases[] = {
        {"at_mask_is_not_counted", 100, 10.0f, 0},
        {"just_above_mask", 100, 10.001f, 1},
        {"at_skyline_is_not_counted", 45.9f, 30.0f, 0},
        {"just_above_skyline", 45.9f, 30.01f, 1},
        {"direction_is_the_whole_degree_below", 44.99f, 29.0f, 1},
        {"359_7_reads_direction_359", 359.7f, 40, 0},
        {"360_reads_entry_360", 360.0f, 40, 1},
        {"0_reads_entry_0", 0.0f, 40, 0},
        {"negative_azimuth_turns_by_360", -0.5f, 40, 0},
        {"below_horizon", 200, -5, 0},
        {"nan_azimuth_never_counts", std::nanf(""), 40, 0},
    };
    orbit::SkylineTable skyline{};
    skyline[45] = 30;
    skyline[359] = 50;
    skyline[0] = 60;
    skyline[360] = 5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SateTable az{}, el{};
        az[7][3] = c.az;
        el[7][3] = c.el;
        orbit::VisibleCountTable counts{};
        counts.fill(-1);
        const int used[] = {7};
        orbit::CountVisibleSate(az, el, used, 10.0f, skyline, 3, 3, counts);
        EXPECT_EQ(counts[3], c.expected);
        EXPECT_EQ(counts[2], -1);
        EXPECT_EQ(counts[4], -1);
    }
}

TEST(VisibleSatellites, ProgramWideCountsSkipExcludedPrnsAndKeepOtherSteps)
{
    orbit::SetDefaultAlmanacData();
    gCutElevation.fill(0);
    SetElevationMask(10);
    for (auto& row : gSateElevation) row.fill(5);
    for (auto& row : gSateAzimus) row.fill(123.4f);
    gSateElevation[15].fill(45);  // slot 15 holds PRN 16
    gSateElevation[0].fill(80);   // slot 0 is never a satellite
    gVisibleSateNum.fill(-1);

    orbit::CountVisibleSateInTime(96, 216);
    EXPECT_EQ(gVisibleSateNum[95], -1);
    EXPECT_EQ(gVisibleSateNum[96], 1);
    EXPECT_EQ(gVisibleSateNum[216], 1);
    EXPECT_EQ(gVisibleSateNum[217], -1);

    gUnUsefulSate[0] = 16;
    gUnUsefulSateNum = 1;
    orbit::CountVisibleSateAllDay();
    EXPECT_EQ(gVisibleSateNum[0], 0);
    EXPECT_EQ(gVisibleSateNum[288], 0);

    // With an empty skyline the count is the number of non-excluded satellites above the mask.
    for (auto& row : gSateElevation) row.fill(11);
    orbit::CountVisibleSateAllDay();
    EXPECT_EQ(gVisibleSateNum[150], 29);
    EXPECT_EQ(gVisibleSateNum[289], -1) << "entries after step 288 are not touched";
    orbit::SetDefaultAlmanacData();
}

TEST(VisibleSatellites, ColourTableCyclesThirteenColoursWithSlot32Magenta)
{
    orbit::SetSateColorTable();
    const struct {
        int slot;
        RgbColor colour;
    } cases[] = {
        {0, {255, 0, 0}}, {13, {255, 0, 0}}, {26, {255, 0, 0}}, {1, {176, 176, 0}}, {4, {0, 128, 255}},
        {18, {255, 0, 255}}, {19, {255, 128, 64}}, {25, {128, 128, 0}}, {31, {255, 0, 255}}, {32, {255, 0, 255}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(gSateColor[c.slot], c.colour) << c.slot;
    }
}

}  // namespace
