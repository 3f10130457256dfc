// Fitting the corner table to a traced outline, and the roof polygon made of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "roofdetect/FoundRoof.h"
#include "roofdetect/PolygonFit.h"

namespace {

using namespace roofdetect;

struct Row {
    int index;
    int u;
    int v;
    bool merged;
};

void ExpectCorners(const std::vector<RoofCorner>& corners, const std::vector<Row>& expected)
{
    ASSERT_EQ(corners.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(corners[i].index, expected[i].index) << "row " << i;
        EXPECT_EQ(corners[i].u, expected[i].u) << "row " << i;
        EXPECT_EQ(corners[i].v, expected[i].v) << "row " << i;
        EXPECT_EQ(corners[i].merged, expected[i].merged) << "row " << i;
    }
}

// The outline of the rectangle x 10..60, y 10..40 as the tracer leaves it: from above the start
// pixel (10, 10) up, right, down and back along the bottom to (11, 10).
std::vector<MaskPixel> RectangleOutline()
{
    std::vector<MaskPixel> outline;
    for (int y = 11; y <= 40; ++y) outline.push_back({10, y});
    for (int x = 11; x <= 60; ++x) outline.push_back({x, 40});
    for (int y = 39; y >= 10; --y) outline.push_back({60, y});
    for (int x = 59; x >= 11; --x) outline.push_back({x, 10});
    return outline;
}

TEST(FitRoofPolygon, RectangleGetsItsCornersAndNoSplitOfItsStraightSides)
{
    const std::vector<MaskPixel> outline = RectangleOutline();
    ASSERT_EQ(outline.size(), 159u);
    // Candidates: smallest x at 0, greatest y at 29 (10, 40), greatest x at 79 (60, 40), smallest
    // y at 109 (60, 10), the last point 158; the last row lies on point 157.
    ExpectCorners(FitRoofPolygon(outline), {{0, 10, 11, false}, {29, 10, 40, false}, {79, 60, 40, false}, {109, 60, 10, false}, {158, 12, 10, false}});
}

TEST(FitRoofPolygon, HorizontalSideSplitsAtABumpOf3NotOf2)
{
    // The bottom side's chord runs from (60, 10) to (12, 10); its point at x 35 (outline index
    // 134) is lifted by 2, then by 3. Split there, the second pass splits the slanted half from
    // (35, 13) to (12, 10) again at (34, 10), 2.85 off it, which lies within 5 of the bump.
    for (const int bump : {2, 3}) {
        std::vector<MaskPixel> outline = RectangleOutline();
        outline[134] = {35, 10 + bump};
        std::vector<Row> expected{{0, 10, 11, false}, {29, 10, 40, false}, {79, 60, 40, false}, {109, 60, 10, false}, {158, 12, 10, false}};
        if (bump == 3) {
            expected.insert(expected.begin() + 4, {Row{134, 35, 13, false}, Row{135, 34, 10, true}});
        }
        SCOPED_TRACE(bump);
        ExpectCorners(FitRoofPolygon(outline), expected);
    }
}

struct FitCase {
    const char* name;
    std::vector<MaskPixel> outline;
    std::vector<Row> corners;
};

class FitCases : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitCases, CornerTable)
{
    ExpectCorners(FitRoofPolygon(GetParam().outline), GetParam().corners);
}

INSTANTIATE_TEST_SUITE_P(
    Outlines, FitCases,
    ::testing::Values(
        // (10, 10) is both the rightmost and the topmost point: one corner.
        FitCase{"rightmost_and_topmost_is_one_corner", {{0, 0}, {10, 10}, {5, 2}, {4, 1}}, {{0, 0, 0, false}, {1, 10, 10, false}, {3, 5, 2, false}}},
        // Two points with the greatest x: the first along the outline.
        FitCase{"first_of_equal_greatest_x", {{0, 0}, {10, 5}, {10, 12}, {2, 14}, {1, 13}}, {{0, 0, 0, false}, {1, 10, 5, false}, {3, 2, 14, false}, {4, 2, 14, true}}},
        // Two points: corners at both, the last row on the first point, merged.
        FitCase{"two_points", {{7, 7}, {8, 7}}, {{0, 7, 7, false}, {1, 7, 7, true}}},
        FitCase{"one_point", {{7, 7}}, {{0, 7, 7, false}}},
        // A line of direction (3, 4) from (0, 0) to (30, 40); the bump (14, 22) lies exactly 2 off
        // the chord to (27, 36): no split. (13, 21) lies 2.2 off: split.
        FitCase{"slanted_bump_of_2_is_not_split",
                {{0, 0}, {3, 4}, {6, 8}, {9, 12}, {14, 22}, {18, 24}, {21, 28}, {24, 32}, {27, 36}, {30, 40}},
                {{0, 0, 0, false}, {9, 27, 36, false}}},
        FitCase{"slanted_bump_of_2_2_is_split",
                {{0, 0}, {3, 4}, {6, 8}, {9, 12}, {13, 21}, {18, 24}, {21, 28}, {24, 32}, {27, 36}, {30, 40}},
                {{0, 0, 0, false}, {4, 13, 21, false}, {9, 27, 36, false}}},
        // Merging: (24, 28) lies sqrt(20) from the kept (20, 30): merged; (24, 24) lies 4 from the
        // merged corner but 7.2 from the kept one: kept.
        FitCase{"merge_is_measured_from_the_last_kept_corner",
                {{0, 26}, {20, 30}, {24, 28}, {24, 24}, {10, 27}, {9, 27}},
                {{0, 0, 26, false}, {1, 20, 30, false}, {2, 24, 28, true}, {3, 24, 24, false}, {5, 10, 27, false}}},
        // (23, 26) lies exactly 5 from (20, 30): kept.
        FitCase{"corner_5_away_is_kept",
                {{0, 26}, {20, 30}, {23, 26}, {19, 24}, {10, 27}, {9, 27}},
                {{0, 0, 26, false}, {1, 20, 30, false}, {2, 23, 26, false}, {3, 19, 24, true}, {5, 10, 27, false}}}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

TEST(FitRoofPolygon, EmptyOutlineHasNoCorners)
{
    EXPECT_TRUE(FitRoofPolygon({}).empty());
}

TEST(GetMaxLineDistance, IsThePerpendicularDistanceFromTheChord)
{
    // Chord from (0, 0) in direction (50, 10); (25, 6) lies 1 above it vertically, 50 / sqrt(2600)
    // = 0.98 across it. (A distance measured along the slope -m would be 2.55.)
    const std::vector<MaskPixel> outline{{0, 0}, {10, 2}, {25, 6}, {40, 8}, {50, 10}};
    const ChordFarthest far = GetMaxLineDistance(outline, 0, 4, 0, 0, 50, 10);
    EXPECT_EQ(far.index, 2);
    EXPECT_NEAR(far.distance, 50.0 / std::sqrt(2600.0), 1e-12);
    EXPECT_EQ(GetMaxLineDistance({{0, 0}, {5, 1}, {10, 2}}, 0, 2, 0, 0, 10, 2).index, -1);
}

TEST(FitRoofPolygon, GentleStaircaseEdgeStaysOneSide)
{
    // A side of slope 1/5 drawn in pixels, closed by a short vertical side: steps of five pixels
    // lie at most 0.98 off the chord, so the long side is not split.
    std::vector<MaskPixel> outline;
    for (int x = 0; x <= 100; ++x) outline.push_back({x, x / 5});
    for (int y = 19; y >= 1; --y) outline.push_back({100, y});
    const std::vector<RoofCorner> corners = FitRoofPolygon(outline);
    ASSERT_EQ(corners.size(), 3u);
    EXPECT_EQ(corners[1].u, 100);
    EXPECT_EQ(corners[1].v, 20);
}

// The largest distance of an outline point from the side of the kept corners it lies on, the
// closing side included (sides between corners, not the fit's own chords).
double WorstSideDistance(const std::vector<MaskPixel>& outline, const std::vector<RoofCorner>& corners)
{
    std::vector<int> kept;
    for (const RoofCorner& c : corners) {
        if (!c.merged) kept.push_back(c.index);
    }
    double worst = 0;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const int from = kept[i];
        const int to = i + 1 < kept.size() ? kept[i + 1] : static_cast<int>(outline.size()) + kept[0];
        const MaskPixel a = outline[static_cast<std::size_t>(from)];
        const MaskPixel b = outline[static_cast<std::size_t>(to % static_cast<int>(outline.size()))];
        for (int j = from; j <= to; ++j) {
            const MaskPixel p = outline[static_cast<std::size_t>(j % static_cast<int>(outline.size()))];
            const double d = a == b ? std::hypot(p.x - a.x, p.y - a.y)
                                    : std::abs((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / std::hypot(b.x - a.x, b.y - a.y);
            worst = std::max(worst, d);
        }
    }
    return worst;
}

// A closed outline through `corners` (window pixels), a pixel at a time, with a spike `spike`
// pixels high (outwards, to the left of the way round) every `every` pixels along each side.
std::vector<MaskPixel> TracedPolygon(const std::vector<MaskPixel>& corners, int spike = 0, int every = 0)
{
    std::vector<MaskPixel> outline;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const MaskPixel a = corners[i], b = corners[(i + 1) % corners.size()];
        const int n = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
        const int su = (b.x > a.x) - (b.x < a.x), sv = (b.y > a.y) - (b.y < a.y);
        for (int k = 0; k < n; ++k) {
            const MaskPixel p{a.x + (b.x - a.x) * k / n, a.y + (b.y - a.y) * k / n};
            outline.push_back(p);
            if (spike > 0 && k > 3 && k < n - 3 && k % every == 0) {
                for (int h = 1; h <= spike; ++h) outline.push_back({p.x - sv * h, p.y + su * h});
                for (int h = spike - 1; h >= 0; --h) outline.push_back({p.x - sv * h + su, p.y + su * h + sv});
                k += 1;
            }
        }
    }
    return outline;
}

// Splitting stops at 17 corners: a circle gives 17 corners spread round it, and a spiky L
// (spikes 4 pixels high on every side) keeps its six corners among its 17 most telling ones.
TEST(FitRoofPolygon, SplitsTheFarthestFirstAndStopsAt17Corners)
{
    std::vector<MaskPixel> circle;
    for (int k = 0; k < 2000; ++k) {
        const double a = std::numbers::pi - 2 * std::numbers::pi * k / 2000;
        const MaskPixel p{static_cast<int>(std::lround(250 + 200 * std::cos(a))), static_cast<int>(std::lround(250 + 200 * std::sin(a)))};
        if (circle.empty() || !(circle.back() == p)) circle.push_back(p);
    }
    const std::vector<RoofCorner> round = FitRoofPolygon(circle);
    EXPECT_EQ(round.size(), 17u);
    // 17 corners spread evenly leave arcs bulging 200 (1 - cos(pi / 17)) = 3.4 from their sides.
    EXPECT_LE(WorstSideDistance(circle, round), 2 * 3.4);

    const std::vector<MaskPixel> l{{100, 300}, {100, 100}, {300, 100}, {300, 180}, {180, 180}, {180, 300}};
    const std::vector<MaskPixel> spiky = TracedPolygon(l, 4, 9);
    const std::vector<RoofCorner> corners = FitRoofPolygon(spiky);
    EXPECT_LE(corners.size(), 17u);
    for (const MaskPixel& c : l) {
        EXPECT_TRUE(std::any_of(corners.begin(), corners.end(), [&](const RoofCorner& r) { return !r.merged && std::hypot(r.u - c.x, r.v - c.y) <= 2; }))
            << c.x << ", " << c.y;
    }
}

// Pixels mixed with the wall cut two outer corners of an L off by 4 pixels. The split leaves a
// corner at each end of such a cut; the clean-up makes the pair one corner and leaves no outline
// point farther than the split distance from its side. The stored roof (closed on the first
// corner) keeps six corners.
TEST(FitRoofPolygon, CornerCutByMixedPixelsBecomesOneCornerWithinTheSplitDistance)
{
    const std::vector<MaskPixel> l{{100, 300}, {100, 100}, {300, 100}, {300, 180}, {180, 180}, {180, 300}};
    const std::vector<MaskPixel> cut = TracedPolygon({{100, 300}, {100, 104}, {104, 100}, {296, 100}, {300, 104}, {300, 180}, {180, 180}, {180, 300}});
    const std::vector<RoofCorner> corners = FitRoofPolygon(cut);
    EXPECT_LE(WorstSideDistance(cut, corners), kSplitDistance);
    EXPECT_EQ(FoundRoofPolygon(corners, AnalysisWindow{}).size(), 6u + 1u);  // the closing point repeats the first
    for (const MaskPixel& c : l) {
        EXPECT_TRUE(std::any_of(corners.begin(), corners.end(), [&](const RoofCorner& r) { return !r.merged && std::hypot(r.u - c.x, r.v - c.y) <= 3; }))
            << c.x << ", " << c.y;
    }
}

// The found roof: kept corners in photo coordinates, closed on the first.
AnalysisWindow Offsets(float x, int y)
{
    AnalysisWindow w;
    w.offsetX = x;
    w.offsetY = y;
    return w;
}

std::vector<RoofCorner> Corners(const std::vector<Row>& rows)
{
    std::vector<RoofCorner> corners;
    for (const Row& r : rows) {
        corners.push_back({r.index, r.u, r.v, r.merged});
    }
    return corners;
}

TEST(FoundRoofPolygon, KeptCornersInPhotoCoordinatesClosedOnTheFirst)
{
    const std::vector<PhotoPoint> polygon =
        FoundRoofPolygon(Corners({{0, 250, 195, false}, {1, 300, 195, true}, {2, 300, 230, false}, {3, 250, 230, false}}), Offsets(249.5f, 190));
    // Each corner stands for the outline pixel whose top-left corner its window position is:
    // the photo point is that pixel's centre, half a pixel right of and below the position.
    EXPECT_EQ(polygon, (std::vector<PhotoPoint>{{1.0f, 4.5f}, {51.0f, 39.5f}, {1.0f, 39.5f}, {1.0f, 4.5f}}));
}

struct ClosingCase {
    const char* name;
    int lastU;
    int lastV;
    std::size_t points;  // stored points, the closing one included
};

class FoundRoofClosing : public ::testing::TestWithParam<ClosingCase> {};

TEST_P(FoundRoofClosing, LastCornerNearerThan6IsReplacedByTheFirst)
{
    const ClosingCase& c = GetParam();
    const std::vector<PhotoPoint> polygon =
        FoundRoofPolygon(Corners({{0, 100, 100, false}, {1, 200, 100, false}, {2, 200, 200, false}, {3, c.lastU, c.lastV, false}}), Offsets(0, 0));
    ASSERT_EQ(polygon.size(), c.points);
    EXPECT_EQ(polygon.back(), (PhotoPoint{100.5f, 99.5f}));
    EXPECT_EQ(polygon[2], (PhotoPoint{200.5f, 199.5f}));
}

INSTANTIATE_TEST_SUITE_P(Cases, FoundRoofClosing,
                         ::testing::Values(ClosingCase{"exactly_6_is_appended", 106, 100, 5u},
                                           ClosingCase{"sqrt_34_is_replaced", 105, 103, 4u},
                                           ClosingCase{"3_away_is_replaced", 100, 103, 4u},
                                           ClosingCase{"far_is_appended", 100, 200, 5u}),
                         [](const ::testing::TestParamInfo<ClosingCase>& info) { return std::string(info.param.name); });

TEST(FoundRoofPolygon, FewerThanThreeDistinctCornersGiveNoRoof)
{
    EXPECT_TRUE(FoundRoofPolygon({}, Offsets(0, 0)).empty());
    EXPECT_TRUE(FoundRoofPolygon(Corners({{0, 100, 100, false}}), Offsets(0, 0)).empty());
    EXPECT_TRUE(FoundRoofPolygon(Corners({{0, 100, 100, false}, {1, 100, 100, true}}), Offsets(0, 0)).empty());
    EXPECT_TRUE(FoundRoofPolygon(Corners({{0, 100, 100, false}, {1, 200, 100, false}}), Offsets(0, 0)).empty());
    // Three kept corners, the last within 6 of the first: it becomes the closing point.
    EXPECT_TRUE(FoundRoofPolygon(Corners({{0, 100, 100, false}, {1, 200, 100, false}, {2, 103, 100, false}}), Offsets(0, 0)).empty());
    // Three corners of which two are the same point.
    EXPECT_TRUE(FoundRoofPolygon(Corners({{0, 100, 100, false}, {1, 200, 100, false}, {2, 100, 100, false}, {3, 200, 100, false}}), Offsets(0, 0)).empty());
    EXPECT_EQ(FoundRoofPolygon(Corners({{0, 100, 100, false}, {1, 200, 100, false}, {2, 150, 180, false}}), Offsets(0, 0)).size(), 4u);
}

}  // namespace
