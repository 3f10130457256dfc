// The roof region, its box and band, and the outline list.
#include <gtest/gtest.h>

#include <cmath>

#include "roofdetect/EdgeMask.h"
#include "tests/roofdetect/GreyPictures.h"

namespace {

using namespace roofdetect;
using roofpictures::GreyImage;

struct Marked {
    RegionBox box;
    ByteMask edge;
    ByteMask band;
};

Marked Mark(const GreyPicture& picture, double x0, double y0, int roofGray)
{
    Marked m;
    m.box = MarkRoofEdge(AnalysisWindow::AroundClick(picture, x0, y0), roofGray, x0, y0, m.edge, m.band);
    return m;
}

bool IsRegion(const ByteMask& mask, int x, int y) { return mask.at(x, y) == kMaskRegion || mask.at(x, y) == kMaskOutline; }

TEST(MarkRoofEdge, RectangleRoofFillsItsBoxAndTheBandWidensItByOne)
{
    // Roof |x| <= 20, |y| <= 10 around a click at the centre: window u 230..270, v 185..205.
    const GreyPicture picture(GreyImage(788, 678, [](double x, double y) { return std::abs(x) <= 20 && std::abs(y) <= 10 ? 205 : 100; }));
    const Marked m = Mark(picture, 0, 0, 205);
    EXPECT_EQ(m.box.minX, 230);
    EXPECT_EQ(m.box.maxX, 270);
    EXPECT_EQ(m.box.minY, 185);
    EXPECT_EQ(m.box.maxY, 205);
    int region = 0, band = 0;
    for (int x = 0; x <= kMaskLastX; ++x) {
        for (int y = 0; y <= kMaskLastY; ++y) {
            region += m.edge.at(x, y) == kMaskRegion;
            band += m.band.at(x, y);
        }
    }
    EXPECT_EQ(region, 41 * 21);
    EXPECT_EQ(band, 43 * 23);
    EXPECT_EQ(m.edge.at(250, 195), kMaskRegion);  // the click
}

TEST(MarkRoofEdge, RoofBeyondTheWindowIsCutAtColumns2And495AndRows2And385)
{
    const GreyPicture picture(GreyImage(788, 678, [](double, double) { return 210; }));
    const Marked m = Mark(picture, 0, 0, 210);
    EXPECT_EQ(m.box.minX, 2);
    EXPECT_EQ(m.box.maxX, 495);
    EXPECT_EQ(m.box.minY, 2);
    EXPECT_EQ(m.box.maxY, 385);
    EXPECT_EQ(m.edge.at(1, 100), kMaskNothing);
    EXPECT_EQ(m.edge.at(2, 100), kMaskRegion);
    EXPECT_EQ(m.edge.at(495, 385), kMaskRegion);
    EXPECT_EQ(m.edge.at(496, 385), kMaskNothing);
    EXPECT_EQ(m.band.at(496, 386), 1);
    EXPECT_EQ(m.band.at(497, 386), 0);

    ByteMask edge = m.edge;
    const std::vector<MaskPixel> listed = ListRoofOutline(m.box, m.band, edge);
    // The boundary of columns 2..495 by rows 2..385.
    EXPECT_EQ(listed.size(), 2u * 494 + 2u * 384 - 4);
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(listed.front(), (MaskPixel{2, 2}));
    EXPECT_EQ(listed.back(), (MaskPixel{495, 385}));
}

TEST(MarkRoofEdge, WingThatOnlyTheColumnWalkReachesIsInTheBoxAndOutlined)
{
    // A bar |y| <= 5, |x| <= 20 and, at its left end, a wing x -40..-20 rising to y 25: the walk
    // to the left re-centres on the wing's rows and crosses it, while the row walk from the click
    // never leaves the bar. The wing must be widened and outlined, not cut off at x -20.
    const GreyPicture picture(GreyImage(788, 678, [](double x, double y) {
        const bool bar = std::abs(x) <= 20 && std::abs(y) <= 5;
        const bool wing = x >= -40 && x <= -20 && y >= 5 && y <= 25;
        return bar || wing ? 205 : 100;
    }));
    const Marked m = Mark(picture, 0, 0, 205);
    EXPECT_EQ(m.edge.at(210, 215), kMaskRegion);
    EXPECT_EQ(m.box.minX, 210);
    EXPECT_EQ(m.box.maxY, 220);
    EXPECT_EQ(m.band.at(209, 215), 1);
    ByteMask edge = m.edge;
    const std::vector<MaskPixel> listed = ListRoofOutline(m.box, m.band, edge);
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(listed.front().x, 210);
    EXPECT_EQ(edge.at(210, 215), kMaskOutline);
}

TEST(MarkRoofEdge, RoofOnePixelHighHasNoBoxAndNoOutline)
{
    const GreyPicture picture(GreyImage(788, 678, [](double x, double y) { return y == 0 && std::abs(x) <= 50 ? 205 : 100; }));
    const Marked m = Mark(picture, 0, 0, 205);
    EXPECT_EQ(m.box.maxY, -1);
    EXPECT_EQ(m.edge.at(250, 195), kMaskRegion);
    ByteMask edge = m.edge;
    EXPECT_TRUE(ListRoofOutline(m.box, m.band, edge).empty());
}

TEST(MarkRoofEdge, HalfUnitClickRowsStillGiveAClosedRegion)
{
    // Odd picture height: photo rows end in one half; the click's row becomes window v 194.5 and
    // the first columns' scans mark only every other mask row (195.5 and 196.5 both round to 196).
    const GreyPicture picture(GreyImage(788, 677, [](double x, double y) { return std::abs(x) <= 20 && std::abs(y) <= 10 ? 205 : 100; }));
    const Marked m = Mark(picture, 0, 0.5, 205);
    ASSERT_GT(m.box.maxY, 0);
    // The band has no row gap inside the roof: every column of the region's box is one run.
    for (int x = m.box.minX; x <= m.box.maxX; ++x) {
        for (int y = m.box.minY; y <= m.box.maxY; ++y) {
            EXPECT_EQ(m.band.at(x, y), 1) << x << ", " << y;
        }
    }
}

TEST(ListRoofOutline, SlantedEdgesGiveOneStrandOfRegionPixels)
{
    // A roof leaning to the right (a parallelogram with sides of slope 3): every listed pixel is a
    // pixel of the region, and every region pixel with a side neighbour outside the region is
    // listed.
    auto grey = [](double x, double y) { return std::abs(y) <= 30 && std::abs(x - y / 3.0) <= 40 ? 205 : 100; };
    const GreyPicture picture(GreyImage(788, 678, grey));
    const Marked m = Mark(picture, 0, 0, 205);
    ByteMask edge = m.edge;
    const std::vector<MaskPixel> listed = ListRoofOutline(m.box, m.band, edge);
    ASSERT_FALSE(listed.empty());
    std::size_t boundary = 0;
    for (int x = m.box.minX; x <= m.box.maxX; ++x) {
        for (int y = m.box.minY; y <= m.box.maxY; ++y) {
            if (!IsRegion(m.edge, x, y)) {
                continue;
            }
            const bool onBoundary = !IsRegion(m.edge, x - 1, y) || !IsRegion(m.edge, x + 1, y) || !IsRegion(m.edge, x, y - 1) ||
                                    !IsRegion(m.edge, x, y + 1);
            boundary += onBoundary;
            EXPECT_EQ(edge.at(x, y) == kMaskOutline, onBoundary) << x << ", " << y;
        }
    }
    EXPECT_EQ(listed.size(), boundary);
    for (const MaskPixel& p : listed) {
        EXPECT_TRUE(IsRegion(m.edge, p.x, p.y)) << p.x << ", " << p.y;
    }
    // Listed by ascending x, ascending y within one x.
    for (std::size_t i = 1; i < listed.size(); ++i) {
        EXPECT_TRUE(listed[i - 1].x < listed[i].x || (listed[i - 1].x == listed[i].x && listed[i - 1].y < listed[i].y)) << i;
    }
}

}  // namespace
