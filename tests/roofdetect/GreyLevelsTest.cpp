// Grey levels of the analysis window: the photo peak, the roof grey and its star of scans.
#include <gtest/gtest.h>

#include <cmath>

#include "roofdetect/GreyLevels.h"
#include "tests/roofdetect/GreyPictures.h"

namespace {

using roofdetect::AnalysisWindow;
using roofdetect::GreyPicture;
using roofpictures::GreyImage;

TEST(GreyPicture, ReadsPhotoPointsAtTheirPixelsAndMinusOneOutside)
{
    // Column col has grey col, so a read tells which column it hit; 6 x 5 pixels: photo x -3..3,
    // y -2.5..2.5.
    QImage image(6, 5, QImage::Format_RGB32);
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 6; ++col) {
            image.setPixel(col, row, qRgb(col * 10 + row, col * 10 + row, col * 10 + row));
        }
    }
    const GreyPicture picture(image);
    EXPECT_EQ(picture.level(-3, 2.5), 0);        // top-left pixel
    EXPECT_EQ(picture.level(2, -1.5), 54);       // column 5, row 4
    EXPECT_EQ(picture.level(0, 0.5), 32);        // column 3, row 2
    // A point is read at the pixel it falls in, not at the nearest pixel position.
    EXPECT_EQ(picture.level(-2.4, 2.5), 0);      // column 0 (nearest would be column 1)
    EXPECT_EQ(picture.level(1.9, -1.9), 44);     // column 4, row 4 (nearest: column 5)
    EXPECT_EQ(picture.level(0.5, 1.6), 30);      // column 3, row 0 (nearest: row 1)
    EXPECT_EQ(picture.level(2.99, 0), 52);       // the last column
    EXPECT_EQ(picture.level(3, 0), -1);          // right of the picture
    EXPECT_EQ(picture.level(-3.6, 0.5), -1);     // left of the picture
    EXPECT_EQ(picture.level(0, 3.1), -1);        // above it
    EXPECT_EQ(picture.level(0, NAN), -1);
    EXPECT_EQ(picture.level(1e300, 0), -1);
    // The grey of a colour is the whole part of its mean.
    QImage colour(1, 1, QImage::Format_RGB32);
    colour.setPixel(0, 0, qRgb(10, 20, 31));
    EXPECT_EQ(GreyPicture(colour).level(-0.5, 0.5), 20);
}

TEST(AnalysisWindow, ClickLiesAtTheWindowCentreAndHalfUnitRowsReadPixels)
{
    // Odd height: photo rows end in one half. Row grey = 100 + photo y - 0.5 (rows -338 .. 338).
    const GreyPicture picture(GreyImage(788, 677, [](double, double y) { return static_cast<int>(std::lround(100 + y - 0.5)) % 256; }));
    const AnalysisWindow w = AnalysisWindow::AroundClick(picture, 10, 20.5);
    EXPECT_FLOAT_EQ(w.offsetX, 240.0f);
    EXPECT_EQ(w.offsetY, 174);  // 195 - 20.5 = 174.5, halves to even
    EXPECT_DOUBLE_EQ(w.toU(10), 250.0);
    EXPECT_DOUBLE_EQ(w.toV(20.5), 194.5);
    for (int k = -3; k <= 3; ++k) {
        EXPECT_EQ(w.GetGrayLevel(250, 194.5 + k), 120 + k) << k;
    }
    // Outside the picture: grey 0.
    EXPECT_EQ(w.GetGrayLevel(250, 194.5 + 400), 0);
    EXPECT_EQ(AnalysisWindow::AroundClick(picture, 0, -21.5).offsetY, 216);  // 216.5 to even
}

TEST(GreyHistogram, BinsStopAt32767AndTheLowestLevelWinsTies)
{
    roofdetect::GreyHistogram h;
    for (int i = 0; i < 40000; ++i) {
        h.add(200);
        h.add(201);
    }
    h.add(-1);
    h.add(400);
    EXPECT_EQ(h.count(200), 32767);
    EXPECT_EQ(h.count(201), 32767);
    EXPECT_EQ(h.mode(190, 230, 0), 200);
    EXPECT_EQ(h.mode(201, 230, 0), 201);
    EXPECT_EQ(h.mode(0, 100, -5), -5);
    EXPECT_EQ(h.count(300), 0);
}

struct PeakCase {
    const char* name;
    int width;
    int height;
    std::function<int(double, double)> grey;
    int peak;
};

class PhotoGrayPeak : public ::testing::TestWithParam<PeakCase> {};

TEST_P(PhotoGrayPeak, IsTheMostFrequentLevelIn190To230)
{
    const PeakCase& c = GetParam();
    EXPECT_EQ(roofdetect::GetPhotoGrayPeak(GreyPicture(GreyImage(c.width, c.height, c.grey))), c.peak);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PhotoGrayPeak,
    ::testing::Values(
        PeakCase{"uniform_roof_grey", 788, 678, [](double, double) { return 205; }, 205},
        // Samples x -249..250: 249 of 200 (x < 0) against 251 of 220 per row.
        PeakCase{"larger_count_wins", 788, 678, [](double x, double) { return x < -0.5 ? 200 : 220; }, 220},
        // 250 samples of each per row: the lower level wins the tie.
        PeakCase{"tie_takes_the_lower_level", 788, 678, [](double x, double) { return x < 0.5 ? 220 : 200; }, 200},
        PeakCase{"nothing_in_range", 788, 678, [](double x, double) { return x < 0 ? 100 : 240; }, 0},
        PeakCase{"only_189_and_231", 788, 678, [](double x, double) { return x < 0 ? 189 : 231; }, 0},
        // 300 pixels wide: each row's samples x -249..-151 lie outside and count as grey 0 (the
        // row's first) or the sample before; x 151..250 outside count as the last inside grey.
        // Inside: x -150..-1 grey 195 (150), 0..149 grey 210 (150); 210 gains the 100 outside
        // samples after it.
        PeakCase{"outside_samples_count_for_the_one_before", 300, 678, [](double x, double) { return x < -0.5 ? 195 : 210; }, 210}),
    [](const ::testing::TestParamInfo<PeakCase>& info) { return std::string(info.param.name); });

// Counts of the star of scans around a click at the picture centre (window 250, 195).
TEST(RoofGreyScans, PixelsOutOfLevelCountTwiceExceptUpwardsAndAScanStopsAfter21)
{
    // Only the click pixel is bright (200); everything else 100. The arms stop at once; the click's
    // own column is scanned up (21 pixels of 100, once each) and down (click, then 21 x 2), its
    // row right (21 x 2) and left (click, then 21 x 2).
    const GreyPicture picture(GreyImage(788, 678, [](double x, double y) { return x == 0 && y == 0 ? 200 : 100; }));
    const AnalysisWindow w = AnalysisWindow::AroundClick(picture, 0, 0);
    const roofdetect::GreyHistogram h = roofdetect::RoofGreyHistogram(w, 0, 0);
    EXPECT_EQ(h.count(100), 21 + 42 + 42 + 42);
    EXPECT_EQ(h.count(200), 2);
    EXPECT_EQ(roofdetect::GetRoofGrayLevel(w, 0, 0), 200);
}

TEST(RoofGreyScans, AScanStopsAtThePixelBackInLevel)
{
    // Bright click and bright pixels two steps away in the four directions; dark in between.
    auto grey = [](double x, double y) {
        const bool bright = (x == 0 && y == 0) || (std::abs(x) == 2 && y == 0) || (x == 0 && std::abs(y) == 2);
        return bright ? 200 : 100;
    };
    const GreyPicture picture(GreyImage(788, 678, grey));
    const roofdetect::GreyHistogram h = roofdetect::RoofGreyHistogram(AnalysisWindow::AroundClick(picture, 0, 0), 0, 0);
    // Up: 100 once, 200. Down: click, 100 twice, 200. Right: 100 twice, 200. Left: click, 100
    // twice, 200.
    EXPECT_EQ(h.count(100), 1 + 2 + 2 + 2);
    EXPECT_EQ(h.count(200), 1 + 2 + 1 + 2);
}

TEST(RoofGreyScans, ModeWindowAtTheEndsOfTheGreyScale)
{
    for (const int level : {3, 14, 241, 250, 255}) {
        const GreyPicture picture(GreyImage(788, 678, [level](double, double) { return level; }));
        EXPECT_EQ(roofdetect::GetRoofGrayLevel(AnalysisWindow::AroundClick(picture, 0, 0), 0, 0), level) << level;
    }
}

TEST(RoofGreyScans, LargeUniformRoofFillsBinsAndTheLowestFullBinWins)
{
    // Rows alternate 205 and 206 over the whole picture: both bins reach 32767.
    const GreyPicture picture(GreyImage(788, 678, [](double, double y) { return 205 + static_cast<int>(std::lround(y)) % 2 * (y < 0 ? -1 : 1); }));
    const AnalysisWindow w = AnalysisWindow::AroundClick(picture, 0, 0);
    const roofdetect::GreyHistogram h = roofdetect::RoofGreyHistogram(w, 0, 0);
    EXPECT_EQ(h.count(205), 32767);
    EXPECT_EQ(h.count(206), 32767);
    EXPECT_EQ(roofdetect::GetRoofGrayLevel(w, 0, 0), 205);
}

}  // namespace
