// Tracing the listed outline into one chain.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "roofdetect/OutlineTrace.h"

namespace {

using namespace roofdetect;

// Pixels of a straight run from a to b (inclusive), a and b on one row, column or diagonal.
std::vector<MaskPixel> Line(MaskPixel a, MaskPixel b)
{
    std::vector<MaskPixel> run;
    const int dx = (b.x > a.x) - (b.x < a.x);
    const int dy = (b.y > a.y) - (b.y < a.y);
    for (MaskPixel p = a;; p = {p.x + dx, p.y + dy}) {
        run.push_back(p);
        if (p == b) {
            break;
        }
    }
    return run;
}

// A rectangle outline from (x0, y0) to (x1, y1).
std::vector<MaskPixel> Loop(int x0, int y0, int x1, int y1)
{
    std::vector<MaskPixel> loop;
    for (const auto& side : {Line({x0, y0}, {x0, y1 - 1}), Line({x0, y1}, {x1 - 1, y1}), Line({x1, y1}, {x1, y0 + 1}), Line({x1, y0}, {x0 + 1, y0})}) {
        loop.insert(loop.end(), side.begin(), side.end());
    }
    return loop;
}

std::vector<MaskPixel> Without(std::vector<MaskPixel> pixels, const std::vector<MaskPixel>& gone)
{
    std::erase_if(pixels, [&](const MaskPixel& p) { return std::find(gone.begin(), gone.end(), p) != gone.end(); });
    return pixels;
}

// Marks the pixels as outline and lists them as the outline listing does (ascending x, then y).
struct Traced {
    ByteMask mask;
    std::vector<MaskPixel> outline;
    explicit Traced(const std::vector<MaskPixel>& pixels)
    {
        for (const MaskPixel& p : pixels) {
            mask.set(p.x, p.y, kMaskOutline);
        }
        std::vector<MaskPixel> listed;
        for (int x = 0; x <= kMaskLastX; ++x) {
            for (int y = 0; y <= kMaskLastY; ++y) {
                if (mask.at(x, y) == kMaskOutline) {
                    listed.push_back({x, y});
                }
            }
        }
        outline = TraceRoofOutline(listed, mask);
    }
    bool contains(MaskPixel p) const { return std::find(outline.begin(), outline.end(), p) != outline.end(); }
};

TEST(TraceRoofOutline, ClosedLoopIsTracedOnceRoundWithoutItsStart)
{
    const Traced t(Loop(10, 10, 60, 40));
    ASSERT_EQ(t.outline.size(), 2u * 50 + 2u * 30 - 1);
    EXPECT_EQ(t.outline.front(), (MaskPixel{10, 11}));  // up first
    EXPECT_EQ(t.outline.back(), (MaskPixel{11, 10}));
    EXPECT_FALSE(t.contains({10, 10}));
    EXPECT_EQ(t.mask.at(10, 10), kMaskTraced);
    EXPECT_EQ(t.mask.at(60, 40), kMaskTraced);
}

TEST(TraceRoofOutline, FirstPassEndingWithin40PixelsIsClosed)
{
    // Two arms from S = (10, 50): up, which the first pass takes, and to the right. An up arm
    // ending 40 from S closes the outline; at 41 the second pass runs along the right arm.
    for (const int length : {40, 41}) {
        std::vector<MaskPixel> pixels = Line({10, 50}, {10, 50 + length});
        const std::vector<MaskPixel> right = Line({11, 50}, {80, 50});
        pixels.insert(pixels.end(), right.begin(), right.end());
        const Traced t(pixels);
        EXPECT_EQ(t.outline.size(), static_cast<std::size_t>(length)) << length;  // the up arm alone
        EXPECT_EQ(t.mask.at(80, 50), length == 40 ? kMaskOutline : kMaskTracedBack) << length;
    }
}

TEST(TraceRoofOutline, GapsUpToThreePixelsAreJumped)
{
    for (const int gap : {1, 3}) {
        std::vector<MaskPixel> missing;
        for (int i = 0; i < gap; ++i) {
            missing.push_back({30 + i, 10});
        }
        const Traced t(Without(Loop(10, 10, 60, 40), missing));
        EXPECT_EQ(t.outline.size(), 2u * 50 + 2u * 30 - 1 - gap) << gap;
        EXPECT_EQ(t.outline.back(), (MaskPixel{11, 10})) << gap;
    }
}

TEST(TraceRoofOutline, GapOfFourEndsBothPassesAndTheFirstPassIsTheOutline)
{
    // The first pass runs round to the gap's far side (x 54, 44 from S); the second pass runs
    // from S to its near side (x 49) and ends open: no traced pixel within 4 of it.
    const Traced t(Without(Loop(10, 10, 60, 40), {{50, 10}, {51, 10}, {52, 10}, {53, 10}}));
    ASSERT_FALSE(t.outline.empty());
    EXPECT_EQ(t.outline.front(), (MaskPixel{10, 11}));
    EXPECT_EQ(t.outline.back(), (MaskPixel{54, 10}));
    EXPECT_FALSE(t.contains({49, 10}));
    EXPECT_EQ(t.mask.at(49, 10), kMaskTracedBack);
}

TEST(TraceRoofOutline, SpurOfTheFirstPassIsDroppedWhereTheSecondPassMeetsIt)
{
    // The loop's left side goes on upwards as a spur of 20 pixels; the first pass follows it to
    // its tip (50 from S); the second pass goes round the other way and meets the first at (10, 40).
    std::vector<MaskPixel> pixels = Loop(10, 10, 60, 40);
    const std::vector<MaskPixel> spur = Line({10, 41}, {10, 60});
    pixels.insert(pixels.end(), spur.begin(), spur.end());
    const Traced t(pixels);
    ASSERT_EQ(t.outline.size(), 2u * 50 + 2u * 30 - 1);
    EXPECT_EQ(t.outline[29], (MaskPixel{10, 40}));  // the first pass up to the meeting pixel
    EXPECT_EQ(t.outline[30], (MaskPixel{11, 40}));  // then the second pass backwards
    EXPECT_EQ(t.outline.back(), (MaskPixel{11, 10}));
    EXPECT_FALSE(t.contains({10, 41}));
}

TEST(TraceRoofOutline, SpurAtTheStartLeavesTheSecondPassBackwards)
{
    // S = (10, 50) with a spur of 45 straight up; the loop lies to its right and comes back next
    // to S, where the second pass meets S itself.
    std::vector<MaskPixel> pixels = Line({10, 50}, {10, 95});
    for (const auto& side : {Line({11, 50}, {40, 50}), Line({40, 49}, {40, 20}), Line({39, 20}, {11, 20}), Line({11, 21}, {11, 49})}) {
        pixels.insert(pixels.end(), side.begin(), side.end());
    }
    const Traced t(pixels);
    EXPECT_EQ(t.outline.size(), 30u + 30u + 29u + 29u);
    EXPECT_FALSE(t.contains({10, 51}));
    EXPECT_FALSE(t.contains({10, 95}));
    // Backwards: the pass's first pixel (next to S) comes last.
    ASSERT_FALSE(t.outline.empty());
    const MaskPixel last = t.outline.back();
    EXPECT_LE(std::max(std::abs(last.x - 10), std::abs(last.y - 50)), 1);
}

TEST(TraceRoofOutline, PassesStepBackOutOfSpikesOfTheEdge)
{
    // Spikes one pixel wide and six long, beyond the ring search's reach from their tips, stick out of the loop's left side (their tip is S), its
    // top and its bottom. A pass that enters one cannot leave it by the ring search alone: it
    // steps back to the spike's base and goes on along the edge, so the whole loop is traced and
    // the spikes are left out.
    std::vector<MaskPixel> pixels = Loop(10, 10, 60, 40);
    for (const auto& spike : {Line({4, 25}, {9, 25}), Line({35, 41}, {35, 46}), Line({35, 9}, {35, 4})}) {
        pixels.insert(pixels.end(), spike.begin(), spike.end());
    }
    const Traced t(pixels);
    for (const MaskPixel p : {MaskPixel{10, 40}, MaskPixel{60, 40}, MaskPixel{60, 10}, MaskPixel{10, 10}, MaskPixel{35, 40}, MaskPixel{35, 10}}) {
        EXPECT_TRUE(t.contains(p)) << p.x << ", " << p.y;
    }
    EXPECT_FALSE(t.contains({35, 46}));
    EXPECT_FALSE(t.contains({35, 4}));
}

TEST(TraceRoofOutline, OutlineLongerThan1000PixelsIsTracedWhole)
{
    const Traced t(Loop(10, 10, 410, 300));
    EXPECT_EQ(t.outline.size(), 2u * 400 + 2u * 290 - 1);
    for (const MaskPixel& p : t.outline) {
        ASSERT_FALSE(p.x == 0 && p.y == 0);
    }
}

TEST(TraceRoofOutline, EmptyListGivesNoOutline)
{
    ByteMask mask;
    EXPECT_TRUE(TraceRoofOutline({}, mask).empty());
    EXPECT_EQ(mask.at(0, 0), kMaskNothing);
}

}  // namespace
