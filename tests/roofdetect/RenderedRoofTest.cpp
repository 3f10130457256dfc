// The roof detection on rendered pictures of known buildings: the stored polygon against the
// projected roof corners.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <cmath>
#include <string>

#include "roofdetect/RoofDetector.h"
#include "tests/roofdetect/RoofMeasures.h"
#include "tests/roofdetect/RoofPictures.h"

namespace {

using roofmeasures::Describe;
using roofmeasures::IoU;
using roofmeasures::Vertices;
using roofmeasures::WorstCornerDistance;
using roofpictures::Building;
using roofpictures::Scene;

QPolygonF Rect(double left, double top, double right, double bottom)
{
    return QPolygonF({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
}

struct RenderedCase {
    const char* name;
    QPolygonF roof;      // photo coordinates
    QPointF click;       // inside the roof
    int roofNoise = 0;
};

class RenderedRoof : public ::testing::TestWithParam<RenderedCase> {};

TEST_P(RenderedRoof, PolygonHasTheRoofsCornersWithinThreePixels)
{
    const RenderedCase& c = GetParam();
    Scene scene;
    scene.roofNoise = c.roofNoise;
    scene.buildings.push_back(Building{c.roof, 40, 210, 150});
    const roofdetect::GreyPicture picture(roofpictures::Render(scene));
    const roofdetect::RoofDetection d = roofdetect::DetectRoof(picture, c.click.x(), c.click.y());
    const QPolygonF found = Vertices(d.polygon);
    SCOPED_TRACE(Describe(found));
    EXPECT_EQ(found.size(), c.roof.size());
    EXPECT_LE(WorstCornerDistance(c.roof, found), 3.0);
    EXPECT_GE(IoU(c.roof, found), 0.9);
}

INSTANTIATE_TEST_SUITE_P(
    Roofs, RenderedRoof,
    ::testing::Values(
        RenderedCase{"rectangle", Rect(-80, 60, 90, -30), {0, 10}},
        // A box seen obliquely: the far edge shorter, the sides leaning towards each other.
        RenderedCase{"trapezoid", QPolygonF({{-120, 50}, {100, 50}, {130, -50}, {-90, -50}}), {0, 0}},
        RenderedCase{"turned_box", QPolygonF({{-60, 70}, {90, 40}, {70, -60}, {-80, -30}}), {0, 0}},
        RenderedCase{"turned_box_steep", QPolygonF({{-100, 40}, {50, 90}, {110, -10}, {-40, -70}}), {0, 0}},
        RenderedCase{"l_shape", QPolygonF({{-90, 80}, {-20, 80}, {-20, 0}, {100, 0}, {100, -60}, {-90, -60}}), {-50, -20}},
        // 340 x 240 pixels: an outline of about 1160 pixels.
        RenderedCase{"over_1000_outline_pixels", Rect(-170, 130, 170, -110), {0, 0}},
        RenderedCase{"rectangle_with_noise", Rect(-80, 60, 90, -30), {0, 10}, 8},
        RenderedCase{"turned_box_with_noise", QPolygonF({{-60, 70}, {90, 40}, {70, -60}, {-80, -30}}), {0, 5}, 8},
        RenderedCase{"l_shape_with_noise", QPolygonF({{-90, 80}, {-20, 80}, {-20, 0}, {100, 0}, {100, -60}, {-90, -60}}), {-50, -20}, 8}),
    [](const ::testing::TestParamInfo<RenderedCase>& info) { return std::string(info.param.name); });

TEST(RenderedRoofAtWindowBorder, RoofIsCutAtTheWindowsClampedColumn)
{
    // A roof 560 pixels wide clicked near its left end: the analysis window (click at u = 250)
    // reaches 250 pixels to the right, and the region is cut at window column 495, photo x
    // click.x + 245.
    const QPolygonF roof = Rect(-300, 60, 260, -40);
    const QPointF click(-200, 0);
    Scene scene;
    scene.buildings.push_back(Building{roof, 40, 210, 150});
    const roofdetect::GreyPicture picture(roofpictures::Render(scene));
    const roofdetect::RoofDetection d = roofdetect::DetectRoof(picture, click.x(), click.y());
    const QPolygonF expected = Rect(-300, 60, click.x() + 245, -40);
    const QPolygonF found = Vertices(d.polygon);
    SCOPED_TRACE(Describe(found));
    EXPECT_EQ(found.size(), 4);
    EXPECT_GE(IoU(expected, found), 0.9);
}

TEST(RenderedRoofOddHeight, HalfUnitClickRowFindsTheRoof)
{
    // 677 rows: photo y of the pixel rows ends in one half, and so does the click's.
    const QPolygonF roof = Rect(-80, 60.5, 90, -29.5);
    Scene scene;
    scene.height = 677;
    scene.buildings.push_back(Building{roof, 40, 210, 150});
    const roofdetect::GreyPicture picture(roofpictures::Render(scene));
    const roofdetect::RoofDetection d = roofdetect::DetectRoof(picture, 0, 10.5);
    EXPECT_DOUBLE_EQ(d.window.toV(10.5), 194.5);
    const QPolygonF found = Vertices(d.polygon);
    SCOPED_TRACE(Describe(found));
    EXPECT_EQ(found.size(), 4);
    EXPECT_LE(WorstCornerDistance(roof, found), 3.0);
}

TEST(SetFoundTopArea, StoresTheFoundRoofAfterTheModelsRoofs)
{
    ResetAllDataBuildingData();
    const std::vector<PhotoPoint> earlier{{-300, -200}, {-250, -200}, {-250, -150}, {-300, -200}};
    ASSERT_EQ(SetNewTopArea(earlier), PhotoEdit::Done);

    const QPolygonF roof = Rect(-80, 60, 90, -30);
    Scene scene;
    scene.buildings.push_back(Building{roof, 40, 210, 150});
    const roofdetect::GreyPicture picture(roofpictures::Render(scene));
    const roofdetect::RoofDetection d = roofdetect::DetectRoof(picture, 0, 10);
    ASSERT_EQ(d.polygon.size(), 5u);
    EXPECT_EQ(roofdetect::SetFoundTopArea(d), PhotoEdit::Done);
    ASSERT_EQ(gEachTopAreaNumber, 2);
    EXPECT_EQ(gEachTopAreaStartNum[1], 4);
    EXPECT_EQ(gEachTopAreaPointNum[1], 5);
    EXPECT_EQ(gEachClosedTopAreaSTS[1], 1);
    EXPECT_EQ(gTopAreaPointTotalNumber, 9);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(gTopAreaX[4 + i], d.polygon[i].x) << i;
        EXPECT_EQ(gTopAreaY[4 + i], d.polygon[i].y) << i;
    }
    EXPECT_EQ(gTopAreaX[8], gTopAreaX[4]);
    EXPECT_EQ(gTopAreaY[8], gTopAreaY[4]);
    ResetAllDataBuildingData();
}

TEST(RenderedRoofDegenerate, BrightLineGivesNoRoofToStore)
{
    // A bright line one pixel high: no region box, no outline, no corners, nothing to store.
    Scene scene;
    scene.buildings.push_back(Building{Rect(-60, 0.5, 60, -0.5), 0, 210, 90});
    const roofdetect::GreyPicture picture(roofpictures::Render(scene));
    ASSERT_EQ(picture.level(0, 0), 210);
    const roofdetect::RoofDetection d = roofdetect::DetectRoof(picture, 0, 0);
    EXPECT_TRUE(d.outline.empty());
    EXPECT_TRUE(d.corners.empty());
    EXPECT_TRUE(d.polygon.empty());

    ResetAllDataBuildingData();
    EXPECT_EQ(roofdetect::SetFoundTopArea(d), PhotoEdit::OutOfRange);
    EXPECT_EQ(gEachTopAreaNumber, 0);
    EXPECT_EQ(gTopAreaPointTotalNumber, 0);
}

// JPEG compression down to quality 30 moves the corners by a pixel or two at most (at 15 by up to
// 3.2); at quality 5 its 8 x 8 blocks tear the roof's edge, the outline follows the tears and the
// polygon gains corners, while still covering most of the roof.
TEST(RenderedRoofJpeg, CornersHoldDownToQuality30AndBlocksAddCornersAt5)
{
    const QPolygonF roof = QPolygonF({{-60, 70}, {90, 40}, {70, -60}, {-80, -30}});
    Scene scene;
    scene.buildings.push_back(Building{roof, 40, 210, 150});
    const QImage rendered = roofpictures::Render(scene);
    for (const int quality : {75, 30, 5}) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(rendered.save(&buffer, "JPG", quality));
        const roofdetect::GreyPicture picture(QImage::fromData(bytes, "JPG"));
        const QPolygonF found = Vertices(roofdetect::DetectRoof(picture, 0, 5).polygon);
        SCOPED_TRACE("quality " + std::to_string(quality) + ": " + Describe(found));
        if (quality >= 30) {
            EXPECT_EQ(found.size(), 4);
            EXPECT_LE(WorstCornerDistance(roof, found), 3.0);
        } else {
            EXPECT_GT(found.size(), 4);
            EXPECT_GE(IoU(roof, found), 0.8);
        }
    }
}

}  // namespace
