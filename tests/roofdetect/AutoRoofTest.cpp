// The automatic roof from one click: refusal inside a stored roof, the altitude check, the gate,
// the stored roof with its wall edge and height, and the faults around a missing wall.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "photoinput/PhotoModel.h"
#include "platform/NumberText.h"
#include "photoinput/OutlineHitTest.h"
#include "roofdetect/AutoRoof.h"
#include "roofdetect/WallEdge.h"
#include "tests/photoinput/PhotoModelFixture.h"
#include "tests/roofdetect/RoofPictures.h"

namespace {

using roofdetect::AutoRoofOutcome;
using roofdetect::DetectRoofAndWall;
using roofdetect::GreyPicture;

constexpr double kPlan = 589;     // eye altitudes of sample picture 1: tilt about 33 degrees
constexpr double kOblique = 134;

roofpictures::Building Box(double left, double bottom, double right, double top, int roofGrey = 210, double wallDrop = 40)
{
    return {QPolygonF({QPointF(left, bottom), QPointF(right, bottom), QPointF(right, top), QPointF(left, top)}), wallDrop, roofGrey, 160};
}

// The camera values as plain numbers, to see that a refusal leaves them.
std::vector<float> CameraValues() { return {gSourceHeight, gSlideHeight, gSlideAngle, gFlatHeight, gPhotoMeterRate}; }

class AutoRoof : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAllDataBuildingData();
        SetCameraValues(0, 0, 0, 0);
        SetPhotoMeterRate(0);
        SetPhotoPictureWidth(788);
    }
    void Use(std::vector<roofpictures::Building> buildings, int width = 788, int height = 678)
    {
        roofpictures::Scene scene;
        scene.width = width;
        scene.height = height;
        scene.buildings = std::move(buildings);
        // Walls as the camera of the altitudes sees them: vertical edges towards the nadir.
        const PhotoPoint nadir = roofdetect::NadirInPhoto(*SetUpCamera(kPlan, kOblique, width).camera);
        scene.nadir = QPointF(nadir.x, nadir.y);
        picture = GreyPicture(roofpictures::Render(scene));
        SetPhotoPictureWidth(static_cast<float>(width));
    }
    GreyPicture picture;
};

bool IsVertex(const std::vector<PhotoPoint>& polygon, PhotoPoint p) { return std::find(polygon.begin(), polygon.end(), p) != polygon.end(); }

TEST_F(AutoRoof, StoresTheRoofItsWallEdgeAndShowsTheHeight)
{
    Use({Box(-60, 0, 60, 70)});
    const auto r = DetectRoofAndWall(picture, 0, 35, kPlan, kOblique);
    ASSERT_EQ(r.outcome, AutoRoofOutcome::Detected) << r.message;
    EXPECT_TRUE(r.message.empty());
    EXPECT_EQ(r.roof, 0);
    ASSERT_EQ(gEachTopAreaNumber, 1);
    ASSERT_TRUE(r.wall);
    EXPECT_EQ(r.wallGray, 160);
    EXPECT_TRUE(IsVertex(r.polygon, r.wall->top));
    // The roof's centre (0, 35) drops by 40 towards the nadir; a corner by as much in proportion
    // to its distance from the nadir.
    const PhotoPoint nadir = roofdetect::NadirInPhoto(*SetUpCamera(kPlan, kOblique, 788).camera);
    const double drop = 40 * std::hypot(r.wall->top.x - nadir.x, r.wall->top.y - nadir.y) / std::hypot(nadir.x, 35 - nadir.y);
    EXPECT_NEAR(std::hypot(r.wall->top.x - r.wall->foot.x, r.wall->top.y - r.wall->foot.y), drop, 1.5);
    const phototest::Model m = phototest::Read();
    ASSERT_EQ(m.walls.size(), 1u);
    EXPECT_EQ(m.walls[0], (phototest::Wall{r.wall->top, r.wall->foot, 0}));

    // The camera follows the altitude boxes, and the height is the wall measurement's.
    EXPECT_FLOAT_EQ(gSourceHeight, kPlan);
    EXPECT_FLOAT_EQ(gSlideHeight, kOblique);
    EXPECT_NEAR(gSlideAngle, 33.2, 0.1);
    EXPECT_NEAR(gPhotoMeterRate, gFlatHeight / (0.85 * 788), 1e-6);
    ASSERT_TRUE(r.height);
    EXPECT_NEAR(*r.height, ComputeWallEdgeHeight(gSlideAngle * platform::kRadPerDeg, gFlatHeight, gPhotoMeterRate * r.wall->foot.y,
                                                  gPhotoMeterRate * r.wall->top.y), 1e-5);
    EXPECT_EQ(r.heightText, platform::FormatFixed(*r.height, "##0.0"));
    EXPECT_GT(*r.height, 5.0);
}

TEST_F(AutoRoof, GateAtNineAndTen)
{
    // The large roof of grey 210 makes the bright peak; the small one is 9, 10 or more away.
    struct Case {
        int grey;
        bool detected;
    };
    for (const Case c : {Case{201, true}, Case{200, false}, Case{219, true}, Case{220, false}}) {
        SetUp();
        Use({Box(-300, 60, 300, 250), Box(-60, -200, 60, -130, c.grey)});
        const auto r = DetectRoofAndWall(picture, 0, -165, kPlan, kOblique);
        EXPECT_EQ(r.outcome, c.detected ? AutoRoofOutcome::Detected : AutoRoofOutcome::NotRoofGrey) << c.grey;
        EXPECT_EQ(gEachTopAreaNumber, c.detected ? 1 : 0) << c.grey;
        if (!c.detected) {
            EXPECT_EQ(r.message, roofdetect::kNoRoofFoundMessage);
            EXPECT_EQ(gWallEdgeNumber, 0);
            EXPECT_FLOAT_EQ(gSlideAngle, 0.0f) << "camera values untouched";
        }
    }
}

TEST_F(AutoRoof, NoRoofThereIsSaidAndNothingIsStored)
{
    // A dark picture has peak 0: a click on its black, whose grey 0 lies within 9 of that peak,
    // finds nothing (a region grown there would cover the whole window and more). Neither does a
    // click beyond the picture's border, nor one on the ground of a picture with a roof.
    Use({}, 300, 200);
    EXPECT_EQ(roofdetect::GetPhotoGrayPeak(picture), 0);
    for (const QPointF click : {QPointF(0, 0), QPointF(200, 0)}) {
        const auto r = DetectRoofAndWall(picture, click.x(), click.y(), kPlan, kOblique);
        EXPECT_EQ(r.outcome, AutoRoofOutcome::NotRoofGrey);
        EXPECT_EQ(r.message, roofdetect::kNoRoofFoundMessage);
        EXPECT_EQ(gEachTopAreaNumber, 0);
    }
    Use({Box(-60, 0, 60, 70)});
    const auto r = DetectRoofAndWall(picture, 200, -200, kPlan, kOblique);
    EXPECT_EQ(r.outcome, AutoRoofOutcome::NotRoofGrey);
    EXPECT_EQ(r.message, roofdetect::kNoRoofFoundMessage);
    EXPECT_EQ(gEachTopAreaNumber, 0);
    EXPECT_EQ(gWallEdgeNumber, 0);
}

TEST_F(AutoRoof, ClickInsideAStoredRoofChangesNothing)
{
    // A U-shaped roof: the vertical line through its arms crosses it four times.
    const std::vector<PhotoPoint> u{{-100, 0}, {100, 0}, {100, 100}, {60, 100}, {60, 40}, {-60, 40}, {-60, 100}, {-100, 100}, {-100, 0}};
    phototest::Model model;
    model.roofs = {{u}, {{{200, 0}, {300, 0}, {300, 50}, {200, 0}}}};
    model.walls = {{{200, 0}, {200, -30}, 1}};
    phototest::Build(model);
    const phototest::Model before = phototest::Read();
    SetCameraValues(500, 200, 100, 30);
    Use({Box(-100, 0, 100, 100)});
    for (const QPointF click : {QPointF(-80, 70), QPointF(80, 20), QPointF(0, 20), QPointF(250, 10)}) {
        const auto r = DetectRoofAndWall(picture, click.x(), click.y(), kPlan, kOblique);
        EXPECT_EQ(r.outcome, AutoRoofOutcome::InsideRoof) << click.x() << ", " << click.y();
        EXPECT_EQ(r.message, roofdetect::kRoofAlreadySetMessage);
        EXPECT_EQ(phototest::Read(), before);
        EXPECT_EQ(CameraValues(), (std::vector<float>{500, 100, 30, 200, 0}));
    }
    // In the notch of the U the click is outside every roof and goes on to the altitude check.
    EXPECT_EQ(FindTopArea(0, 70), -1);
    EXPECT_EQ(DetectRoofAndWall(picture, 0, 70, 0, 0).outcome, AutoRoofOutcome::CameraRefused);
}

TEST_F(AutoRoof, AltitudesAreCheckedBeforeAnythingIsStored)
{
    Use({Box(-60, 0, 60, 70)});
    struct Case {
        double plan, oblique, width;
        const char* message;
    };
    for (const Case c : {Case{0, 0, 788, "平面視と傾斜視の画像高度が設定されていません。"},
                         Case{0, 134, 788, "画像の高度が低すぎます。"},
                         Case{6000, 134, 788, "画像の高度が高すぎます。"},
                         Case{100, 95, 788, "傾斜画像の高度は平面画像の90％以下でなければなりません。"},
                         Case{1000, 100, 788, "傾斜画像と平面画像の高度の比から傾斜角が求められません。\n"
                                              "傾斜画像の高度は平面画像の13％を超え90％以下でなければなりません。"},
                         Case{kPlan, kOblique, 0, "画像が読み込まれていません。"}}) {
        SetPhotoPictureWidth(static_cast<float>(c.width));
        const auto r = DetectRoofAndWall(picture, 0, 35, c.plan, c.oblique);
        EXPECT_EQ(r.outcome, AutoRoofOutcome::CameraRefused);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(gEachTopAreaNumber, 0);
        EXPECT_FLOAT_EQ(gSlideAngle, 0.0f);
    }
}

TEST_F(AutoRoof, NoWallGivesNoHeightEvenAfterAnEarlierDetection)
{
    Use({Box(-200, 0, -80, 70), Box(80, 0, 200, 70, 210, 0)});
    const auto first = DetectRoofAndWall(picture, -140, 35, kPlan, kOblique);
    ASSERT_TRUE(first.wall);
    ASSERT_FALSE(first.heightText.empty());

    const auto second = DetectRoofAndWall(picture, 140, 35, kPlan, kOblique);
    EXPECT_EQ(second.outcome, AutoRoofOutcome::Detected);
    EXPECT_EQ(second.roof, 1);
    EXPECT_EQ(second.wallGray, 0);
    EXPECT_FALSE(second.wall);
    EXPECT_FALSE(second.height);
    EXPECT_EQ(second.heightText, "");
    EXPECT_EQ(gWallEdgeNumber, 1);
}

TEST_F(AutoRoof, NoWallStartNoWallSearchAtTheWindowCorner)
{
    // A roof without walls at the left border of a picture smaller than the analysis window: a
    // face search from window position (0, 0) with grey 0 would take the blank beyond the border
    // for a face and run its boundary up the border, below the roof's left corners.
    Use({Box(-150, -20, -50, 40, 210, 0)}, 300, 200);
    const auto r = DetectRoofAndWall(picture, -100, 10, kPlan, kOblique);
    ASSERT_EQ(r.outcome, AutoRoofOutcome::Detected);
    EXPECT_FALSE(r.wall);
    EXPECT_EQ(gWallEdgeNumber, 0);
    EXPECT_EQ(r.heightText, "");
}

}  // namespace
