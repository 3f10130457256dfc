// Plan conversion against an independent pinhole camera, its refusals, and the built-in data
// sets' heights and plan points.

#include <array>
#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "PinholeCamera.h"
#include "photoinput/PhotoGeometry.h"
#include "photoinput/PhotoModel.h"
#include "photoinput/SampleData.h"
#include "photoinput/SlideRate.h"
#include "planview/PlanConversion.h"
#include "planview/PlanView.h"

namespace {

constexpr double kPi = 3.14159265358979;

struct Box {
    std::vector<std::array<double, 2>> footprint;  // corners, no closing repeat
    double height;
};

// A box of random footprint (a rectangle turned by a random angle) ahead of the picture centre.
Box RandomBox(std::mt19937& random, double range, double maxHeight)
{
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const double cx = (u(random) - 0.5) * 0.4 * range, cy = (0.05 + 0.2 * u(random)) * range;
    const double w = (0.02 + 0.05 * u(random)) * range, d = (0.02 + 0.05 * u(random)) * range;
    const double a = u(random) * kPi;
    Box box{{}, u(random) * maxHeight};
    for (auto [sx, sy] : {std::pair{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}) {
        const double x = sx * w / 2, y = sy * d / 2;
        box.footprint.push_back({cx + x * std::cos(a) - y * std::sin(a), cy + x * std::sin(a) + y * std::cos(a)});
    }
    return box;
}

// Puts the pinhole's picture of the box into the photo model: the roof outline and one wall
// edge per corner, the camera values of the pinhole.
void TraceBox(const pinhole::Camera& camera, const Box& box)
{
    std::vector<PhotoPoint> outline;
    for (const auto& c : box.footprint) {
        const auto p = camera.project({c[0], c[1], box.height});
        outline.push_back({static_cast<float>(p[0]), static_cast<float>(p[1])});
    }
    outline.push_back(outline.front());
    ASSERT_EQ(SetNewTopArea(outline), PhotoEdit::Done);
    for (std::size_t i = 0; i < box.footprint.size(); ++i) {
        const auto& c = box.footprint[i];
        const auto foot = camera.project({c[0], c[1], 0});
        ASSERT_EQ(AddWallEdge(gEachTopAreaNumber - 1, outline[i], {static_cast<float>(foot[0]), static_cast<float>(foot[1])}),
                  PhotoEdit::Done);
    }
}

void SetCamera(double tiltDegrees, double range, double width)
{
    SetCameraValues(0, static_cast<float>(range), 0, static_cast<float>(tiltDegrees));
    SetPhotoPictureWidth(static_cast<float>(width));
}

}  // namespace

// The geometry's formulas in double precision against the pinhole: wall heights, footprints and
// ground points, over the tilts of the table, ranges 50..1500 m and heights 0..100 m.
TEST(PlanConversion, FormulasAgreeWithAnIndependentPinholeCamera)
{
    std::mt19937 random(13);
    const double width = 785;
    for (const SlideRow& row : SlideRateRows()) {
        for (const double range : {50.0, 160.0, 600.0, 1500.0}) {
            const double t = row.degrees * kDegToRad;
            const pinhole::Camera camera(t, range, width);
            const double rate = range / (0.85 * width);
            // Boxes stay well below the camera.
            const Box box = RandomBox(random, range, std::min(100.0, 0.6 * range * std::cos(t)));
            SCOPED_TRACE(::testing::Message() << "tilt " << row.degrees << " range " << range << " height " << box.height);
            for (const auto& c : box.footprint) {
                const auto top = camera.project({c[0], c[1], box.height});
                const auto foot = camera.project({c[0], c[1], 0});
                const double h = ComputeWallEdgeHeight(t, range, rate * top[1], rate * foot[1]);
                EXPECT_NEAR(h, box.height, 1e-6 * std::max(1.0, box.height));
                double x0 = 0, y0 = 0;
                ComputeSlidePosition(t, range, rate * foot[0], rate * foot[1], x0, y0);
                EXPECT_NEAR(x0, c[0], 1e-9 * range) << "ground point x";
                EXPECT_NEAR(y0, c[1], 1e-9 * range) << "ground point y";
                ComputeSlidePosition(t, range, rate * top[0], rate * top[1], x0, y0);
                EXPECT_NEAR(ComputeFlatTopAreaX(t, range, rate * top[1], box.height, x0), c[0], 1e-6);
                EXPECT_NEAR(ComputeFlatTopAreaY(t, range, rate * top[1], box.height), c[1], 1e-6);
                // The ray back out of the pinhole lands where the geometry puts the ground point.
                const auto ground = camera.onPlane(foot[0], foot[1], 0);
                EXPECT_NEAR(ground[0], c[0], 1e-9 * range);
                EXPECT_NEAR(ground[1], c[1], 1e-9 * range);
            }
        }
    }
}

// The whole conversion through the model (single-precision storage): heights from the wall
// edges, footprints, and with the scene turned by a known angle the north-up world coordinates.
TEST(PlanConversion, ModelConversionReturnsTheWorld)
{
    std::mt19937 random(7);
    const double width = 788;
    for (const double tilt : {9.6, 21.5293, 33.2212, 40.091}) {
        for (const double range : {50.0, 400.0, 1500.0}) {
            for (const double north : {0.0, 30.0, 90.0, 247.0}) {
                SCOPED_TRACE(::testing::Message() << "tilt " << tilt << " range " << range << " north " << north);
                const pinhole::Camera camera(tilt * kDegToRad, range, width);
                ResetAllDataBuildingData();
                SetCamera(tilt, range, width);
                SetNorthAngle(static_cast<float>(north));
                // World boxes (x east, y north) seen in the plan frame: turned clockwise by north.
                const double a = north * kDegToRad;
                std::vector<Box> world;
                for (int i = 0; i < 3; ++i) {
                    Box plan = RandomBox(random, range, std::min(100.0, 0.6 * range * std::cos(tilt * kDegToRad)));
                    Box turned = plan;
                    for (auto& c : turned.footprint) {
                        const auto [x, y] = c;
                        c = {x * std::cos(a) - y * std::sin(a), x * std::sin(a) + y * std::cos(a)};
                    }
                    world.push_back(turned);
                    TraceBox(camera, plan);
                }
                ASSERT_EQ(ComputeFlatTopHeight(), PlanResult::Done);
                ASSERT_EQ(ComputeFlatTopArea(), PlanResult::Done);
                ComputeNorthTopArea();
                const double tolerance = 2e-6 * range;  // single-precision photo points
                for (int i = 0; i < 3; ++i) {
                    EXPECT_NEAR(gFlatTopHeight[i], world[i].height, tolerance);
                    const int start = gEachTopAreaStartNum[i];
                    for (int k = 0; k < 5; ++k) {
                        const auto& c = world[i].footprint[k % 4];
                        EXPECT_NEAR(gNorthTopAreaX[start + k], c[0], tolerance) << "roof " << i << " point " << k;
                        EXPECT_NEAR(gNorthTopAreaY[start + k], c[1], tolerance) << "roof " << i << " point " << k;
                    }
                }
                EXPECT_FLOAT_EQ(gPhotoMeterRate, static_cast<float>(range / (0.85 * width)));
            }
        }
    }
}

TEST(PlanConversion, HeightsAndPlanPointsOfSmallModels)
{
    const pinhole::Camera camera(30 * kDegToRad, 200, 800);
    auto footOf = [&](double x, double y) {
        const auto p = camera.project({x, y, 0});
        return PhotoPoint{static_cast<float>(p[0]), static_cast<float>(p[1])};
    };
    auto topOf = [&](double x, double y, double h) {
        const auto p = camera.project({x, y, h});
        return PhotoPoint{static_cast<float>(p[0]), static_cast<float>(p[1])};
    };
    ResetAllDataBuildingData();
    SetCamera(30, 200, 800);
    // Roof 0: two wall edges of 10 m and 14 m give 12 m; roof 1: one edge drawn from the ground
    // up; roof 2: no wall edge, a typed 8 m; a wall edge naming roof 5 is not counted.
    const std::vector<PhotoPoint> r0{topOf(0, 20, 12), topOf(10, 20, 12), topOf(10, 30, 12), topOf(0, 20, 12)};
    const std::vector<PhotoPoint> r1{topOf(-20, 20, 6), topOf(-10, 20, 6), topOf(-10, 30, 6), topOf(-20, 20, 6)};
    const std::vector<PhotoPoint> r2{topOf(0, 0, 8), topOf(5, 0, 8), topOf(5, 5, 8), topOf(0, 0, 8)};
    ASSERT_EQ(SetNewTopArea(r0), PhotoEdit::Done);
    ASSERT_EQ(SetNewTopArea(r1), PhotoEdit::Done);
    ASSERT_EQ(SetNewTopArea(r2), PhotoEdit::Done);
    SetTopAreaHeight(2, 8.0f);
    ASSERT_EQ(AddWallEdge(0, topOf(40, 40, 10), footOf(40, 40)), PhotoEdit::Done);
    ASSERT_EQ(AddWallEdge(0, topOf(40, 45, 14), footOf(40, 45)), PhotoEdit::Done);
    ASSERT_EQ(AddWallEdge(1, footOf(-20, 20), r1[0]), PhotoEdit::Done);
    gWallEdgeNumber = 4;  // a stale edge owned by a roof that does not exist
    gWallEdgefotEachTopArea[3] = 5;
    gFirstWallEdgeY[3] = 100;
    gSecondWallEdgeY[3] = -100;

    ASSERT_EQ(ComputeFlatTopHeight(), PlanResult::Done);
    EXPECT_NEAR(gFlatTopHeight[0], 12.0, 1e-3);
    EXPECT_NEAR(gFlatTopHeight[1], 6.0, 1e-3);
    EXPECT_EQ(gFlatTopHeight[2], 8.0f);
    ASSERT_EQ(ComputeFlatTopArea(), PlanResult::Done);
    // Roof 2 (points 8..11) at its typed height.
    EXPECT_NEAR(gFlatTopAreaX[8], 0.0, 1e-3);
    EXPECT_NEAR(gFlatTopAreaY[8], 0.0, 1e-3);
    EXPECT_NEAR(gFlatTopAreaX[9], 5.0, 1e-3);
    EXPECT_NEAR(gFlatTopAreaY[10], 5.0, 1e-3);
    for (int roof = 0; roof < 3; ++roof) {  // the closing point lands on the first
        const int s = gEachTopAreaStartNum[roof], last = s + gEachTopAreaPointNum[roof] - 1;
        EXPECT_EQ(gFlatTopAreaX[s], gFlatTopAreaX[last]);
        EXPECT_EQ(gFlatTopAreaY[s], gFlatTopAreaY[last]);
    }
}

TEST(PlanConversion, StraightDownPullsRoofPointsTowardsTheCentre)
{
    ResetAllDataBuildingData();
    SetCamera(0, 100, 850);  // rate = 100 / 722.5
    const std::vector<PhotoPoint> roof{{0, 0}, {72.25f, 0}, {72.25f, 144.5f}, {0, 0}};
    ASSERT_EQ(SetNewTopArea(roof), PhotoEdit::Done);
    SetTopAreaHeight(0, 20.0f);
    ASSERT_EQ(ComputeFlatTopArea(), PlanResult::Done);
    EXPECT_NEAR(gFlatTopAreaX[1], 10.0 * (1 - 20.0 / 100), 1e-5);
    EXPECT_NEAR(gFlatTopAreaX[2], 10.0 * 0.8, 1e-5);
    EXPECT_NEAR(gFlatTopAreaY[2], 20.0 * 0.8, 1e-5);
    EXPECT_EQ(gFlatTopAreaX[0], 0.0f);
}

TEST(PlanConversion, NorthTurnIsCounterClockwise)
{
    ResetAllDataBuildingData();
    const std::vector<PhotoPoint> roof{{0, 0}, {1, 0}, {1, 1}, {0, 0}};
    ASSERT_EQ(SetNewTopArea(roof), PhotoEdit::Done);
    gFlatTopAreaX[0] = 0; gFlatTopAreaY[0] = 1;
    gFlatTopAreaX[1] = 1; gFlatTopAreaY[1] = 0;
    SetNorthAngle(90);
    ComputeNorthTopArea();
    EXPECT_NEAR(gNorthTopAreaX[0], -1, 1e-6);
    EXPECT_NEAR(gNorthTopAreaY[0], 0, 1e-6);
    EXPECT_NEAR(gNorthTopAreaX[1], 0, 1e-6);
    EXPECT_NEAR(gNorthTopAreaY[1], 1, 1e-6);
    SetNorthAngle(0);
    ComputeNorthTopArea();
    EXPECT_EQ(gNorthTopAreaX[1], 1.0f);
    EXPECT_EQ(gNorthTopAreaY[0], 1.0f);
}

// Refused conversions leave every value as it was.
TEST(PlanConversion, RefusalsLeaveTheModelAsItWas)
{
    struct Case {
        const char* name;
        double tilt, range, width;
        float wallTopY, wallFootY;
        PlanResult heights, points;
    };
    const Case cases[] = {
        {"no camera range", 30, 0, 785, 50, 10, PlanResult::NoCamera, PlanResult::NoCamera},
        {"no picture width", 30, 160, 0, 50, 10, PlanResult::NoCamera, PlanResult::NoCamera},
        {"tilt 0 and a wall edge ending at the picture centre", 0, 160, 785, 0, -40, PlanResult::NotFinite, PlanResult::Done},
        {"a point above the horizon", 40, 160, 785, 50, 10, PlanResult::Done, PlanResult::NotFinite},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetAllDataBuildingData();
        SetCamera(c.tilt, c.range, c.width);
        const float far = c.points == PlanResult::NotFinite ? 2000.0f : 30.0f;
        const std::vector<PhotoPoint> roof{{0, 10}, {20, 10}, {20, far}, {0, 10}};
        ASSERT_EQ(SetNewTopArea(roof), PhotoEdit::Done);
        ASSERT_EQ(AddWallEdge(0, {0, c.wallTopY}, {0, c.wallFootY}), PhotoEdit::Done);
        SetTopAreaHeight(0, 3.5f);
        gFlatTopAreaX.fill(-9.0f);
        SetPhotoMeterRate(0.25f);
        EXPECT_EQ(ComputeFlatTopHeight(), c.heights);
        EXPECT_EQ(ComputeFlatTopArea(), c.points);
        if (c.heights != PlanResult::Done) {
            EXPECT_EQ(gFlatTopHeight[0], 3.5f);
        }
        if (c.points != PlanResult::Done) {
            EXPECT_EQ(gFlatTopAreaX[1], -9.0f);
            EXPECT_FALSE(PlanResultMessage(c.points).empty());
        }
        for (int k = 0; k < 4; ++k) EXPECT_TRUE(std::isfinite(gFlatTopAreaX[k]) && std::isfinite(gFlatTopAreaY[k]));
        EXPECT_TRUE(std::isfinite(gFlatTopHeight[0]));
        if (c.heights == PlanResult::NoCamera) {
            EXPECT_EQ(gPhotoMeterRate, 0.25f);
        }
    }
    // Without roofs nothing changes, not even the rate.
    ResetAllDataBuildingData();
    SetCamera(30, 160, 785);
    SetPhotoMeterRate(0.25f);
    EXPECT_EQ(ComputeFlatTopHeight(), PlanResult::NoRoofs);
    EXPECT_EQ(ComputeFlatTopArea(), PlanResult::NoRoofs);
    EXPECT_EQ(gPhotoMeterRate, 0.25f);
}

// The sample sets' stored heights are their wall means at their pictures' widths.
TEST(PlanConversion, SampleSetHeightsFollowFromTheirWallEdges)
{
    for (int which : {1, 2}) {
        SCOPED_TRACE(which);
        const SampleSet& set = SampleDataSet(which);
        ResetAllDataBuildingData();
        if (which == 1) {
            SetSample1LineData(false);
        } else {
            SetSample2LineData(false);
        }
        EXPECT_EQ(gPhotoPictureWidth, which == 1 ? 785.0f : 788.0f);
        ASSERT_EQ(ComputeFlatTopHeight(), PlanResult::Done);
        for (std::size_t i = 0; i < set.data.roofs.size(); ++i) {
            EXPECT_FLOAT_EQ(std::round(gFlatTopHeight[i] * 10.0f) / 10.0f, set.data.roofs[i].height) << "roof " << i;
        }
    }
}

// The demonstration sets' stored plan points and heights follow from their photo points.
TEST(PlanConversion, DemonstrationSetsReproduceTheirPlanPoints)
{
    for (int which : {1, 2}) {
        SCOPED_TRACE(which);
        const SampleSet& set = DemoDataSet(which);
        ResetAllDataBuildingData();
        ApplyLineData(set.data);
        SetPhotoPictureWidth(static_cast<float>(set.picture.width));
        const std::vector<float> stored = [&] {
            std::vector<float> h;
            for (const LineRoof& r : set.data.roofs) h.push_back(r.height);
            return h;
        }();
        ASSERT_EQ(ComputeFlatTopArea(), PlanResult::Done);  // at the stored heights
        for (std::size_t k = 0; k < set.data.points.size(); ++k) {
            EXPECT_NEAR(gFlatTopAreaX[k], set.data.planPoints[k].x, 0.15) << "point " << k;
            EXPECT_NEAR(gFlatTopAreaY[k], set.data.planPoints[k].y, 0.15) << "point " << k;
        }
        ASSERT_EQ(ComputeFlatTopHeight(), PlanResult::Done);
        for (std::size_t i = 0; i < stored.size(); ++i) EXPECT_NEAR(gFlatTopHeight[i], stored[i], 0.05) << "roof " << i;
    }
}

// A vertex moved in the plan goes back into the picture, so that the next conversion from the
// picture gives the moved plan again: the first vertex with its closing copy, the walls standing
// on it keeping their measured heights (and so the roof its height).
TEST(PlanConversion, AMovedPlanPointIsCarriedBackIntoThePicture)
{
    const pinhole::Camera camera(30 * kDegToRad, 200, 800);
    auto photoOf = [&](double x, double y, double h) {
        const auto p = camera.project({x, y, h});
        return PhotoPoint{static_cast<float>(p[0]), static_cast<float>(p[1])};
    };
    ResetAllDataBuildingData();
    SetCamera(30, 200, 800);
    const std::vector<PhotoPoint> roof{photoOf(0, 20, 12), photoOf(10, 20, 12), photoOf(10, 30, 12), photoOf(0, 30, 12),
                                       photoOf(0, 20, 12)};
    ASSERT_EQ(SetNewTopArea(roof), PhotoEdit::Done);
    // Walls on the first vertex (12 m) and on vertex 2 (its foot drawn short: some other height).
    ASSERT_EQ(AddWallEdge(0, roof[0], photoOf(0, 20, 0)), PhotoEdit::Done);
    ASSERT_EQ(AddWallEdge(0, roof[2], photoOf(10, 30, 3)), PhotoEdit::Done);
    ASSERT_EQ(ComputeFlatTopHeight(), PlanResult::Done);
    ASSERT_EQ(ComputeFlatTopArea(), PlanResult::Done);
    const float height = gFlatTopHeight[0];
    const double t = 30 * kDegToRad, rate = gPhotoMeterRate;
    auto wallHeight = [&](int w) { return ComputeWallEdgeHeight(t, 200, rate * gFirstWallEdgeY[w], rate * gSecondWallEdgeY[w]); };
    const double wall1 = wallHeight(1);
    const float x1 = gFlatTopAreaX[1], y1 = gFlatTopAreaY[1];

    ASSERT_TRUE(SetFlatTopPoint(0, 0, 3, 17));
    ASSERT_TRUE(SetFlatTopPoint(0, 2, 14, 35));
    ASSERT_TRUE(CarryFlatTopPointToPhoto(0, 0));
    ASSERT_TRUE(CarryFlatTopPointToPhoto(0, 2));
    EXPECT_EQ(gTopAreaX[0], gTopAreaX[4]) << "the outline stays closed";
    EXPECT_EQ(gTopAreaY[0], gTopAreaY[4]);
    EXPECT_EQ((PhotoPoint{gFirstWallEdgeX[0], gFirstWallEdgeY[0]}), (PhotoPoint{gTopAreaX[0], gTopAreaY[0]})) << "the wall top follows";
    EXPECT_EQ((PhotoPoint{gFirstWallEdgeX[1], gFirstWallEdgeY[1]}), (PhotoPoint{gTopAreaX[2], gTopAreaY[2]}));
    EXPECT_NEAR(wallHeight(0), 12.0, 1e-3);
    EXPECT_NEAR(wallHeight(1), wall1, 1e-3);

    // The next conversion from the picture gives the moved plan, the rest as it was.
    gFlatTopAreaX.fill(0);
    gFlatTopAreaY.fill(0);
    ASSERT_EQ(ComputeFlatTopHeight(), PlanResult::Done);
    ASSERT_EQ(ComputeFlatTopArea(), PlanResult::Done);
    EXPECT_NEAR(gFlatTopHeight[0], height, 1e-3);
    const struct {
        int k;
        double x, y;
    } expected[] = {{0, 3, 17}, {4, 3, 17}, {2, 14, 35}, {1, x1, y1}};
    for (const auto& e : expected) {
        EXPECT_NEAR(gFlatTopAreaX[e.k], e.x, 1e-3) << "point " << e.k;
        EXPECT_NEAR(gFlatTopAreaY[e.k], e.y, 1e-3) << "point " << e.k;
    }

    // Where the camera cannot see the point (behind it, or a roof above the eye) nothing changes.
    const std::array<float, kMaxTopPoints> photoX = gTopAreaX, photoY = gTopAreaY;
    ASSERT_TRUE(SetFlatTopPoint(0, 1, 0, -1000));
    EXPECT_FALSE(CarryFlatTopPointToPhoto(0, 1));
    ASSERT_TRUE(SetFlatTopPoint(0, 1, 10, 20));
    SetTopAreaHeight(0, 200.0f);  // the eye stands 173 m high
    EXPECT_FALSE(CarryFlatTopPointToPhoto(0, 1));
    EXPECT_EQ(gTopAreaX, photoX);
    EXPECT_EQ(gTopAreaY, photoY);
    EXPECT_FALSE(CarryFlatTopPointToPhoto(0, 9)) << "not a point of the roof";
}
