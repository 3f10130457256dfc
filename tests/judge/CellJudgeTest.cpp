// The per-cell judgement of single cells (the main window's per-cell operations) against the
// window judgement, the four-satellite sets and the snapshot of the satellite tables.
#include "JudgeFixtures.h"
#include "SyntheticSky.h"

#include "judge/CellJudge.h"
#include "orbit/AlmanacTable.h"
#include "orbit/OrbitEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace {

judge::JudgeSetup SampleSetup(float rotation)
{
    judge::JudgeSetup s;
    s.cell = (864.0f / 4.0f) / 162.0f;
    s.antenna = 1.5f;
    s.mask = 10.0f;
    s.gridRotateDeg = rotation;
    return s;
}

TEST(CellJudge, SingleCellsAgreeWithTheWindowJudgement)
{
    judge::SatelliteTable sats = judgetest::SyntheticSky();
    sats.excluded[4] = true;
    for (float rotation : {0.0f, 50.0f}) {
        SCOPED_TRACE(rotation);
        const judge::JudgeSetup s = SampleSetup(rotation);
        const auto mesh = judgetest::Build(judgetest::ToGrid(judgetest::SampleSite(), 4.0, 0, 0, rotation), s.cell);
        const auto once = judge::JudgeWindowAtStep(mesh, s, sats, 130);
        for (int criterion : {1, 2}) {
            const auto mean = judge::JudgeWindowMean(mesh, s, sats, 100, 140, criterion);
            for (int i = 0; i <= 54; i += 6)
                for (int j = 1; j <= 45; j += 7) {
                    if (mesh.at(54 + i, 45 + j) != 0.0f) continue;
                    EXPECT_EQ(std::max(judge::VisibleFromCell(mesh, s, sats, 130, 54 + i, 45 + j), 1), once.at(i, j)) << i << "," << j;
                    EXPECT_EQ(judge::RateClassOfCell(mesh, s, sats, 100, 140, criterion, 54 + i, 45 + j), mean.at(i, j)) << i << "," << j;
                }
        }
    }
    EXPECT_EQ(judge::VisibleFromCell(judge::HeightMesh{}, SampleSetup(0), sats, 289, 81, 67), 0);  // no such step
}

TEST(CellJudge, AStepCountsWhenOneListedSetIsWhollyVisible)
{
    // Open ground: every satellite above the mask is visible.
    const judge::SatelliteTable sats = judgetest::SyntheticSky();
    const judge::JudgeSetup s = SampleSetup(0);
    const judge::HeightMesh open;
    // Per step, the four highest satellites and the lowest one (below the mask at every step).
    std::array<judge::SateSet, judge::kTimeSteps> high{}, withLow{};
    for (int t = 0; t < judge::kTimeSteps; ++t) {
        std::vector<int> slots(31);
        std::iota(slots.begin(), slots.end(), 1);
        std::sort(slots.begin(), slots.end(), [&](int a, int b) {
            return sats.elevation[static_cast<std::size_t>(a)][static_cast<std::size_t>(t)] > sats.elevation[static_cast<std::size_t>(b)][static_cast<std::size_t>(t)];
        });
        high[static_cast<std::size_t>(t)] = {std::int16_t(slots[0]), std::int16_t(slots[1]), std::int16_t(slots[2]), std::int16_t(slots[3])};
        withLow[static_cast<std::size_t>(t)] = {std::int16_t(slots[0]), std::int16_t(slots[1]), std::int16_t(slots[2]), std::int16_t(slots[30])};
    }
    // The listed sets of every step: the low set, a set with a slot beyond 32, the high set.
    auto sets = [&](bool withHigh, bool low, bool badSlot) {
        judge::GoodSateSets out;
        for (std::size_t t = 0; t < out.size(); ++t) {
            if (low) out[t].push_back(withLow[t]);
            if (badSlot) out[t].push_back({high[t][0], high[t][1], high[t][2], 40});
            if (withHigh) out[t].push_back(high[t]);
        }
        return out;
    };
    std::array<int, judge::kTimeSteps> two{}, none{};
    two.fill(2);
    EXPECT_EQ(judge::GoodSetClassOfCell(open, s, sats, 96, 120, sets(true, true, false), two, 81, 67), 20);
    EXPECT_EQ(judge::GoodSetClassOfCell(open, s, sats, 96, 120, sets(false, true, true), two, 81, 67), 1);   // low or bad slot
    EXPECT_EQ(judge::GoodSetClassOfCell(open, s, sats, 96, 120, sets(true, true, true), two, 81, 67), 1);    // third set not counted
    EXPECT_EQ(judge::GoodSetClassOfCell(open, s, sats, 96, 120, sets(true, false, false), none, 81, 67), 1); // nothing listed
}

TEST(CellJudge, SnapshotExcludesSlotsWithoutOrbitAndExcludedSatellites)
{
    orbit::SetDefaultAlmanacData();
    ASSERT_GE(gSateNum, 3);
    gSateSqrtA[2] = 0.0;  // no orbit: its table entries are stale
    gUnUsefulSate[0] = gSatePRN[3];
    gUnUsefulSateNum = 1;
    const judge::SatelliteTable t = judge::CurrentSatelliteTable();
    EXPECT_EQ(t.sateNum, gSateNum);
    EXPECT_FALSE(t.excluded[1]);
    EXPECT_TRUE(t.excluded[2]);
    EXPECT_TRUE(t.excluded[3]);
    EXPECT_TRUE(t.excluded[0]);
    orbit::SetDefaultAlmanacData();
}

}  // namespace
