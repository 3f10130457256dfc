// The rings, their start tables and the three neighbour searches.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "roofdetect/RingSearch.h"

namespace {

using namespace roofdetect;

TEST(Rings, EachRingWalksItsSquareOnceFromTheUpperRightCornerAntiClockwise)
{
    for (int k = 1; k <= 4; ++k) {
        std::set<std::pair<int, int>> seen;
        for (int j = 0; j < 8 * k; ++j) {
            const RingOffset o = RingPixel(k, j);
            EXPECT_EQ(std::max(std::abs(o.dx), std::abs(o.dy)), k) << k << ": " << j;
            seen.insert({o.dx, o.dy});
            // One side step to the next index, turning left at the corners: along the upper side
            // to the left, the left side down, the lower side to the right, the right side up.
            const RingOffset next = RingPixel(k, j + 1);
            EXPECT_EQ(std::abs(next.dx - o.dx) + std::abs(next.dy - o.dy), 1) << k << ": " << j;
            const int quarter = j / (2 * k);
            const int expectedDx[] = {-1, 0, 1, 0};
            const int expectedDy[] = {0, -1, 0, 1};
            EXPECT_EQ(next.dx - o.dx, expectedDx[quarter]) << k << ": " << j;
            EXPECT_EQ(next.dy - o.dy, expectedDy[quarter]) << k << ": " << j;
        }
        EXPECT_EQ(seen.size(), static_cast<std::size_t>(8 * k));
        EXPECT_EQ(RingPixel(k, 0).dx, k);
        EXPECT_EQ(RingPixel(k, 0).dy, k);
    }
    // The worked lists.
    const int ring1[8][2] = {{1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}};
    for (int j = 0; j < 8; ++j) {
        EXPECT_EQ(RingPixel(1, j).dx, ring1[j][0]);
        EXPECT_EQ(RingPixel(1, j).dy, ring1[j][1]);
    }
    const int ring2[16][2] = {{2, 2}, {1, 2}, {0, 2}, {-1, 2}, {-2, 2}, {-2, 1}, {-2, 0}, {-2, -1},
                              {-2, -2}, {-1, -2}, {0, -2}, {1, -2}, {2, -2}, {2, -1}, {2, 0}, {2, 1}};
    for (int j = 0; j < 16; ++j) {
        EXPECT_EQ(RingPixel(2, j).dx, ring2[j][0]);
        EXPECT_EQ(RingPixel(2, j).dy, ring2[j][1]);
    }
    EXPECT_EQ(kRing1Order, (std::array<int, 8>{1, 3, 5, 7, 0, 2, 4, 6}));
}

TEST(Rings, StartsFollowTheTableOfPositions)
{
    // t on ring m by position p = 1 .. 2n - 1 of the last ring n (rows n = 1..4, columns m = 2..4).
    const std::vector<std::vector<std::vector<int>>> t = {
        {{2}, {3}, {4}},
        {{1, 2, 3}, {2, 3, 4}, {3, 4, 5}},
        {{0, 1, 2, 3, 4}, {1, 2, 3, 4, 5}, {2, 3, 4, 5, 6}},
        {{0, 0, 1, 2, 3, 4, 4}, {0, 1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6, 7}},
    };
    for (int n = 1; n <= 4; ++n) {
        for (int m = 2; m <= 4; ++m) {
            for (int q = 0; q < 4; ++q) {
                // A corner starts at the same corner of ring m.
                EXPECT_EQ(RingStart(n, 2 * n * q, m), 2 * m * q) << n << " " << m << " " << q;
                for (int p = 1; p < 2 * n; ++p) {
                    const int expected = (2 * m * q + t[n - 1][m - 2][p - 1]) % (8 * m);
                    EXPECT_EQ(RingStart(n, 2 * n * q + p, m), expected) << n << " " << m << " " << q << " " << p;
                }
            }
        }
    }
    // The worked examples.
    const int ring4RightSide[8] = {12, 12, 12, 13, 14, 15, 0, 0};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(RingStart(4, 24 + i, 2), ring4RightSide[i]) << i;
    }
    const int ring2ToRing3[4] = {0, 2, 3, 4};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(RingStart(2, i, 3), ring2ToRing3[i]) << i;
    }
    EXPECT_EQ(RingStart(4, 28, 2), 14);
    EXPECT_EQ(RingPixel(2, 14).dx, 2);
    EXPECT_EQ(RingPixel(2, 14).dy, 0);
    EXPECT_EQ(RingStart(4, 28, 3), 21);
    EXPECT_EQ(RingPixel(3, 21).dx, 3);
    EXPECT_EQ(RingPixel(3, 21).dy, 0);
}

struct SearchCase {
    const char* name;
    std::vector<MaskPixel> outline;  // code 3 pixels
    RingStep from;
    bool found;
    RingStep to;
};

class RingSearchCases : public ::testing::TestWithParam<SearchCase> {};

TEST_P(RingSearchCases, FindsTheNearestPixelInSearchOrder)
{
    const SearchCase& c = GetParam();
    ByteMask mask;
    for (const MaskPixel& p : c.outline) {
        mask.set(p.x, p.y, kMaskOutline);
    }
    mask.set(c.from.x, c.from.y, kMaskTraced);
    RingStep step = c.from;
    EXPECT_EQ(FindNextOutlinePoint(mask, step), c.found);
    EXPECT_EQ(step.ring, c.to.ring);
    EXPECT_EQ(step.dir, c.to.dir);
    EXPECT_EQ(step.x, c.to.x);
    EXPECT_EQ(step.y, c.to.y);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RingSearchCases,
    ::testing::Values(
        SearchCase{"up_before_right", {{101, 100}, {100, 101}}, {2, 5, 100, 100}, true, {0, 1, 100, 101}},
        SearchCase{"right_before_up_right", {{101, 101}, {101, 100}}, {0, 0, 100, 100}, true, {0, 7, 101, 100}},
        SearchCase{"down_left_before_down_right", {{101, 99}, {99, 99}}, {0, 0, 100, 100}, true, {0, 4, 99, 99}},
        SearchCase{"ring2_first_call_starts_at_upper_right", {{101, 102}, {102, 102}}, {0, 0, 100, 100}, true, {1, 0, 102, 102}},
        // Index 15 (d - 1) and index 1 (d + 1) lie equally far from d = 0: downwards wins.
        SearchCase{"ring2_tie_goes_downwards", {{101, 102}, {102, 101}}, {0, 0, 100, 100}, true, {1, 15, 102, 101}},
        SearchCase{"ring2_after_ring4_right", {{102, 101}, {102, 100}}, {3, 28, 100, 100}, true, {1, 14, 102, 100}},
        SearchCase{"ring2_opposite_pixel_last", {{98, 98}}, {0, 0, 100, 100}, true, {1, 8, 98, 98}},
        SearchCase{"nearer_ring_wins", {{103, 100}, {98, 100}}, {0, 7, 100, 100}, true, {1, 6, 98, 100}},
        SearchCase{"ring4_reaches_a_gap_of_three", {{104, 100}}, {0, 7, 100, 100}, true, {3, 28, 104, 100}},
        SearchCase{"five_away_is_not_found", {{105, 100}}, {0, 7, 100, 100}, false, {0, 7, 100, 100}},
        // Row 391 lies outside the window: never read.
        SearchCase{"row_391_is_not_read", {{250, 391}}, {0, 1, 250, 390}, false, {0, 1, 250, 390}},
        SearchCase{"nothing_leaves_the_state", {}, {2, 9, 30, 40}, false, {2, 9, 30, 40}}),
    [](const ::testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

TEST(RingSearch, TracedSearchLooksForTracedPixelsOnly)
{
    ByteMask mask;
    mask.set(100, 101, kMaskOutline);
    mask.set(101, 100, kMaskTraced);
    RingStep step{0, 0, 100, 100};
    EXPECT_TRUE(FindTracedOutlinePoint(mask, step));
    EXPECT_EQ(step.x, 101);
    EXPECT_EQ(step.y, 100);
}

struct BelowCase {
    const char* name;
    std::vector<MaskPixel> traced;
    MaskPixel from;
    bool found;
    MaskPixel at;
};

class TracedBelow : public ::testing::TestWithParam<BelowCase> {};

TEST_P(TracedBelow, NearestRowFirstThenNearestColumnLeftBeforeRight)
{
    const BelowCase& c = GetParam();
    ByteMask mask;
    for (const MaskPixel& p : c.traced) {
        mask.set(p.x, p.y, kMaskTraced);
    }
    MaskPixel found{-7, -7};
    EXPECT_EQ(FindTracedPointBelow(mask, c.from.x, c.from.y, found), c.found);
    const MaskPixel expected = c.found ? c.at : MaskPixel{-7, -7};
    EXPECT_EQ(found.x, expected.x);
    EXPECT_EQ(found.y, expected.y);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TracedBelow,
    ::testing::Values(
        BelowCase{"straight_below", {{50, 49}}, {50, 50}, true, {50, 49}},
        BelowCase{"left_before_right", {{51, 49}, {49, 49}}, {50, 50}, true, {49, 49}},
        BelowCase{"nearer_row_first", {{50, 48}, {51, 49}}, {50, 50}, true, {51, 49}},
        BelowCase{"three_below_three_beside", {{53, 47}}, {50, 50}, true, {53, 47}},
        BelowCase{"four_below_is_not_found", {{50, 46}}, {50, 50}, false, {}},
        BelowCase{"two_below_three_beside_is_not_found", {{53, 48}}, {50, 50}, false, {}},
        BelowCase{"rows_up_to_400_are_read", {{10, 400}}, {10, 403}, true, {10, 400}},
        BelowCase{"outline_code_does_not_count", {}, {50, 50}, false, {}}),
    [](const ::testing::TestParamInfo<BelowCase>& info) { return std::string(info.param.name); });

}  // namespace
