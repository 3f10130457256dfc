// Judgement kernels: counts and classes per cell, against a literal march per satellite and step.
#include "JudgeFixtures.h"
#include "SyntheticSky.h"

#include "judge/AreaJudge.h"
#include "orbit/ObservationConditions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using judge::HeightMesh;
using judge::JudgeSetup;
using judge::SatelliteTable;

namespace {

constexpr float kScale = 4.0f;  // the sample site's zoom scale

JudgeSetup SampleSetup(float rotation = 0.0f)
{
    JudgeSetup s;
    s.cell = (864.0f / kScale) / 162.0f;
    s.antenna = 1.5f;
    s.mask = 10.0f;
    s.gridRotateDeg = rotation;
    return s;
}

// Cell size 1 m with the given mask, antenna height and grid rotation.
JudgeSetup UnitSetup(float mask, float antenna, float rotation)
{
    JudgeSetup s;
    s.cell = 1.0f;
    s.mask = mask;
    s.antenna = antenna;
    s.gridRotateDeg = rotation;
    return s;
}

HeightMesh SampleMesh(float rotation = 0.0f)
{
    return judgetest::Build(judgetest::ToGrid(judgetest::SampleSite(), kScale, 0, 0, rotation), SampleSetup().cell);
}

TEST(AreaJudgeKernel, CellSkylineEqualsTheLiteralMarch)
{
    const HeightMesh mesh = SampleMesh();
    const JudgeSetup s = SampleSetup();
    const judge::DirectionTable table(s.area, s.cell);
    std::array<double, 360> sky{};
    for (int i = 0; i <= 54; i += 3)
        for (int j = 0; j <= 45; j += 3) {
            table.skyline(mesh, 54 + i, 45 + j, s.antenna, sky);
            for (int a = 0; a < 360; ++a)
                ASSERT_EQ(sky[static_cast<std::size_t>(a)],
                          judge::MarchDirection(mesh, 54 + i, 45 + j, s.area, s.cell, a, s.antenna, judge::RisePrecision::Single))
                    << i << "," << j << " direction " << a;
        }
}

// Satellites visible from grid cell (gi, gj) at a step, by a march per satellite on gBillHeightMesh.
int LiteralCount(const SatelliteTable& sats, int step, int gi, int gj, const JudgeSetup& s)
{
    int n = 0;
    for (int k = 1; k <= sats.sateNum; ++k) {
        if (sats.excluded[static_cast<std::size_t>(k)]) continue;
        const float e = sats.elevation[static_cast<std::size_t>(k)][static_cast<std::size_t>(step)];
        const int a = judge::GridDirectionOfAzimuth(sats.azimuth[static_cast<std::size_t>(k)][static_cast<std::size_t>(step)], s.gridRotateDeg);
        if (e > s.mask && e > ComputeCutAngleAtPoint(gi, gj, 162, 135, s.cell, a)) ++n;
    }
    return n;
}

TEST(AreaJudgeKernel, WindowResultsEqualTheLiteralJudgement)
{
    SatelliteTable sats = judgetest::SyntheticSky();
    sats.excluded[7] = true;
    for (float rotation : {0.0f, -40.0f}) {
        const JudgeSetup s = SampleSetup(rotation);
        gBillHeightMesh = SampleMesh(rotation);
        SetAntennaHeight(s.antenna);
        const auto once = judge::JudgeWindowAtStep(gBillHeightMesh, s, sats, 100);
        const auto mean = judge::JudgeWindowMean(gBillHeightMesh, s, sats, 96, 107, 1);
        int buildings = 0;
        for (int i = 0; i <= 54; ++i)
            for (int j = 0; j <= 45; ++j) {
                const int gi = 54 + i, gj = 45 + j;
                if (gBillHeightMesh.at(gi, gj) != 0.0f) {
                    ++buildings;
                    EXPECT_EQ(once.at(i, j), 0.0f);
                    EXPECT_EQ(mean.at(i, j), 0.0f);
                    continue;
                }
                ASSERT_EQ(once.at(i, j), std::max(LiteralCount(sats, 100, gi, gj, s), 1)) << i << "," << j;
                if ((i + j) % 4 != 0) continue;  // the span check on a quarter of the cells
                int hits = 0;
                for (int t = 96; t <= 107; ++t) hits += LiteralCount(sats, t, gi, gj, s) >= 4;
                ASSERT_EQ(mean.at(i, j), judge::RateClass(hits, 12)) << i << "," << j;
            }
        EXPECT_GT(buildings, 50);
    }
    gBillHeightMesh.clear();
}

TEST(AreaJudgeKernel, CentreCellCountMatchesTheSkylineCount)
{
    // The count rule of the visibility counts (whole-degree direction into the skyline at the
    // point, both comparisons strict) on the skyline computed at the centre cell.
    const SatelliteTable sats = judgetest::SyntheticSky();
    const JudgeSetup s = SampleSetup();
    gBillHeightMesh = SampleMesh();
    gBillHeightMeshView = MapViewState{};
    gBillHeightMeshView.scale = kScale;
    ComputeCutElevation(0.25 * s.cell, 0.25 * s.cell, 162, 135, s.cell, s.antenna);
    for (int step = 0; step <= 288; step += 24) {
        int n = 0;
        for (int k = 1; k <= sats.sateNum; ++k) {
            const float el = sats.elevation[static_cast<std::size_t>(k)][static_cast<std::size_t>(step)];
            const int d = static_cast<int>(std::floor(sats.azimuth[static_cast<std::size_t>(k)][static_cast<std::size_t>(step)]));
            if (el > s.mask && el > gCutElevation[static_cast<std::size_t>(d)]) ++n;
        }
        const auto r = judge::JudgeWindowAtStep(gBillHeightMesh, s, sats, step);
        EXPECT_EQ(r.at(27, 22), std::max(n, 1)) << "step " << step;
    }
    gBillHeightMesh.clear();
}

TEST(AreaJudgeKernel, VisibilityRuleAtTheBoundaries)
{
    // A flat empty grid but one building cell; satellites placed by hand at step 5.
    HeightMesh mesh;
    mesh.set(54 + 3, 45 + 3, 20.0f);  // window cell (3, 3) is a building
    const JudgeSetup s = UnitSetup(10.0f, 0.0f, 0.0f);
    SatelliteTable sats;
    sats.sateNum = 4;
    const float el[5] = {0, 10.0f, 10.5f, 45.0f, 80.0f};  // slot 1 exactly at the mask
    for (int k = 1; k <= 4; ++k) {
        sats.elevation[static_cast<std::size_t>(k)][5] = el[k];
        sats.azimuth[static_cast<std::size_t>(k)][5] = 90.0f * static_cast<float>(k);
    }
    auto r = judge::JudgeWindowAtStep(mesh, s, sats, 5);
    EXPECT_EQ(r.at(0, 0), 3.0f);
    EXPECT_EQ(r.at(3, 3), 0.0f);  // building cell
    sats.excluded[3] = true;      // an excluded slot never counts
    EXPECT_EQ(judge::JudgeWindowAtStep(mesh, s, sats, 5).at(0, 0), 2.0f);
    sats.sateNum = 0;  // nothing visible still reads 1: 0 means a building
    EXPECT_EQ(judge::JudgeWindowAtStep(mesh, s, sats, 5).at(0, 0), 1.0f);

    // A satellite exactly at the obstruction's elevation is hidden; just above it is seen.
    std::array<double, 360> sky{};
    sky[0] = 30.25;
    judge::StepSatellites at{{0}, {30.25f}};
    EXPECT_EQ(judge::CountAboveSkyline(at, sky), 0);
    at.elevation[0] = std::nextafter(30.25f, 90.0f);
    EXPECT_EQ(judge::CountAboveSkyline(at, sky), 1);
}

TEST(AreaJudgeKernel, RateClassesAndCriteria)
{
    struct Case {
        std::string name;
        int hits, steps, expected;
    };
    const std::vector<Case> cases = {
        {"every step", 20, 20, 20}, {"no step", 0, 20, 1},  {"exactly 95%", 19, 20, 19}, {"96%", 24, 25, 20},
        {"exactly 5%", 1, 20, 1},   {"6%", 3, 50, 2},       {"one-step span hit", 1, 1, 20}, {"one-step span missed", 0, 1, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(judge::RateClass(c.hits, c.steps), c.expected) << c.name;
    EXPECT_TRUE(judge::IsGoodStep(4, 1));
    EXPECT_FALSE(judge::IsGoodStep(3, 1));
    EXPECT_FALSE(judge::IsGoodStep(4, 2));
    EXPECT_TRUE(judge::IsGoodStep(5, 2));
    EXPECT_FALSE(judge::IsGoodStep(30, 0));
    EXPECT_FALSE(judge::IsGoodStep(30, 3));
}

TEST(AreaJudgeKernel, SatellitesTurnIntoTheGridFrame)
{
    // A wall north of the window's cell (0, 0) in a grid built with the map turned 90 degrees
    // clockwise: the wall lies to the grid's right (direction 0), and a satellite due north
    // (azimuth 90) at 60 degrees is hidden; one due south is not.
    HeightMesh mesh;
    for (int j = 40; j <= 50; ++j) mesh.set(56, j, 50.0f);
    JudgeSetup s = UnitSetup(5.0f, 0.0f, 90.0f);
    SatelliteTable sats;
    sats.sateNum = 2;
    sats.azimuth[1][0] = 90.0f;
    sats.elevation[1][0] = 60.0f;
    sats.azimuth[2][0] = 270.0f;
    sats.elevation[2][0] = 60.0f;
    EXPECT_EQ(judge::JudgeWindowAtStep(mesh, s, sats, 0).at(0, 0), 1.0f);
    sats.azimuth[1][0] = 270.0f;  // now due south, the wall is behind
    EXPECT_EQ(judge::JudgeWindowAtStep(mesh, s, sats, 0).at(0, 0), 2.0f);
    s.gridRotateDeg = 0.0f;  // the same grid taken as unturned: the north satellite is open
    sats.azimuth[1][0] = 90.0f;
    EXPECT_EQ(judge::JudgeWindowAtStep(mesh, s, sats, 0).at(0, 0), 2.0f);
}

}  // namespace

namespace {

TEST(AreaJudgeKernel, JudgementWorksOnASnapshotOfTheGrid)
{
    // A judgement started on the grid keeps judging that grid when the program's grid changes.
    const SatelliteTable sats = judgetest::SyntheticSky();
    gBillHeightMesh = SampleMesh();
    const auto judge = judge::WindowJudge::Mean(gBillHeightMesh, SampleSetup(), sats, 0, 288, 2);
    gComuAreaMesh.clear();
    CopyComuAreaHeight(54, 45, 54, 45);
    for (int i = 0; i <= 54; ++i)
        for (int j = 0; j <= 45; ++j) ASSERT_EQ(judge.isOpen(i, j), gComuAreaMesh.at(i, j) == 0.0f) << i << "," << j;
    // Past the build's columns (325..330 are never built) nothing is copied.
    gBillHeightMesh.set(324, 0, 6.0f);
    gBillHeightMesh.set(325, 0, 7.0f);
    gComuAreaMesh.set(25, 0, -1.0f);
    CopyComuAreaHeight(300, 0, 30, 0);
    EXPECT_EQ(gComuAreaMesh.at(24, 0), 6.0f);
    EXPECT_EQ(gComuAreaMesh.at(25, 0), -1.0f);
    gBillHeightMesh = SampleMesh();
    const auto before = judge.judgeAll();
    gBillHeightMesh.clear();
    EXPECT_EQ(judge.judgeAll().values, before.values);
    EXPECT_EQ(before.values, judge::JudgeWindowMean(SampleMesh(), SampleSetup(), sats, 0, 288, 2).values);
}

}  // namespace
