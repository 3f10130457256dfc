// The photo geometry's lookup, formulas at their edges, camera set-up and tables.

#include <cmath>

#include <gtest/gtest.h>

#include "photoinput/PhotoGeometry.h"
#include "photoinput/PhotoModel.h"
#include "photoinput/SlideRate.h"

namespace {

// The interpolation between two rows as a reader would do it by hand.
double Between(double r, double r0, double a0, double r1, double a1) { return a0 + (r - r0) / (r1 - r0) * (a1 - a0); }

}  // namespace

TEST(PhotoGeometry, TiltLookup)
{
    struct Case {
        const char* name;
        double ratio;
        double tilt;
    };
    const Case cases[] = {
        {"0.5 between rows 9 and 10", 0.5, Between(0.5, 0.514448f, 20.7884f, 0.48876f, 21.5293f)},
        {"the ratio of row 1", 0.93705f, 3.836f},
        {"the ratio of row 30", 0.141425f, 38.4447f},
        {"0.13 between rows 30 and 31", 0.13, Between(0.13, 0.141425f, 38.4447f, 0.129943f, 39.2267f)},
        {"just below 1", 0.999, Between(0.999, 1.0, 0.0, 0.93705f, 3.836f)},
        {"equal altitudes", 1.0, -1},
        {"the ratio of row 31", 0.129943f, -1},
        {"below the table", 0.12, -1},
        {"zero", 0.0, -1},
        {"negative", -0.3, -1},
        {"above 1", 1.2, -1},
        {"not a number", std::nan(""), -1},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(ConvertRateToSlideAngle(c.ratio), c.tilt, 1e-9) << c.name;
    }
    EXPECT_NEAR(ConvertRateToSlideAngle(0.5), 21.205, 5e-4);
    // Every row from 1 to 30 gives its own tilt.
    for (int row = 1; row <= 30; ++row) {
        EXPECT_NEAR(ConvertRateToSlideAngle(SlideRateRows()[row].ratio), SlideRateRows()[row].degrees, 1e-9) << row;
    }
}

TEST(PhotoGeometry, FormulasAtTheirEdges)
{
    EXPECT_DOUBLE_EQ(ComputeInclineAngle(150, 150), 0.0);
    EXPECT_NEAR(ComputeInclineAngle(2, 1), 60.0, 1e-12);

    double X = 0, Y = 0;
    EXPECT_DOUBLE_EQ(ComputeSlidePosition(0.0, 200, 3.5, -7.25, X, Y), 1.0);
    EXPECT_DOUBLE_EQ(X, 3.5);
    EXPECT_DOUBLE_EQ(Y, -7.25);
    // Straight down: (vmax - vmin) R / vmax, in either order of the ends.
    EXPECT_NEAR(ComputeWallEdgeHeight(0.0, 200, 10, 6), 4 * 200 / 10.0, 1e-12);
    EXPECT_NEAR(ComputeWallEdgeHeight(0.0, 200, 6, 10), 4 * 200 / 10.0, 1e-12);
    EXPECT_DOUBLE_EQ(ComputeWallEdgeHeight(0.6, 200, 5, 5), 0.0);
    const double t = 0.6, R = 160;
    EXPECT_DOUBLE_EQ(ComputeFlatTopAreaX(t, R, 12, 0, 8.5), 8.5);
    EXPECT_NEAR(ComputeFlatTopAreaX(t, R, 12, R * std::cos(t), 8.5), 0.0, 1e-12);
    EXPECT_NEAR(ComputeFlatTopAreaY(t, R, 0, 0), 0.0, 1e-12);
}

TEST(PhotoGeometry, CameraSetUpFromTheAltitudes)
{
    // The two built-in pictures' altitudes give the camera values their data sets carry.
    const auto one = SetUpCamera(589, 134, 785);
    ASSERT_TRUE(one.camera) << one.message;
    EXPECT_NEAR(one.camera->tiltDegrees, 33.2212, 5e-5);
    EXPECT_NEAR(one.camera->range, 160.1795, 5e-4);
    EXPECT_NEAR(one.camera->metresPerUnit(), one.camera->range / (0.85 * 785), 1e-15);
    const auto two = SetUpCamera(598, 102, 788);
    ASSERT_TRUE(two.camera) << two.message;
    EXPECT_NEAR(two.camera->tiltDegrees, 36.51477, 5e-5);
    EXPECT_NEAR(two.camera->range, 126.9125, 5e-4);

    struct Refusal {
        const char* name;
        double plan, oblique, width;
    };
    for (const Refusal& r : {Refusal{"ratio below the table", 1000, 120, 785}, Refusal{"ratio just below row 31", 1000, 129.9, 785},
                             Refusal{"equal altitudes", 300, 300, 785}, Refusal{"oblique above plan", 300, 400, 785},
                             Refusal{"no plan altitude", 0, 100, 785}, Refusal{"no oblique altitude", 500, 0, 785},
                             Refusal{"no picture", 589, 134, 0}}) {
        const auto s = SetUpCamera(r.plan, r.oblique, r.width);
        EXPECT_FALSE(s.camera) << r.name;
        EXPECT_FALSE(s.message.empty()) << r.name;
    }
    EXPECT_FALSE(IsUsableCamera({30, 0, 785}));
    EXPECT_FALSE(IsUsableCamera({30, 100, 0}));
    EXPECT_TRUE(IsUsableCamera({0, 100, 785}));
}

// The model's camera values follow a good set-up and stay as they were after a refused one.
TEST(PhotoGeometry, ModelCameraSetUp)
{
    SetPhotoPictureWidth(785);
    ASSERT_TRUE(SetUpPhotoCamera(589, 134).camera);
    EXPECT_EQ(gSourceHeight, 589.0f);
    EXPECT_EQ(gSlideHeight, 134.0f);
    EXPECT_NEAR(gSlideAngle, 33.2212f, 5e-5f);
    EXPECT_NEAR(gFlatHeight, 160.1795f, 5e-4f);
    EXPECT_NEAR(gPhotoMeterRate, 160.1795 / (0.85 * 785), 1e-6);
    const auto refused = SetUpPhotoCamera(1000, 100);
    EXPECT_FALSE(refused.camera);
    EXPECT_FALSE(refused.message.empty());
    EXPECT_EQ(gSourceHeight, 589.0f);
    EXPECT_NEAR(gSlideAngle, 33.2212f, 5e-5f) << "a ratio below the table never becomes a 1 degree tilt";
    EXPECT_NEAR(gFlatHeight, 160.1795f, 5e-4f);
}

TEST(PhotoGeometry, PlanZoomTableAndRoofColours)
{
    SetFlatScaleTable();
    EXPECT_EQ(gFlatScaleRate[0], 0.01f);
    EXPECT_EQ(gFlatScaleLength[0], 20000.0f);
    EXPECT_EQ(gFlatScaleText[0], "20Km");
    EXPECT_EQ(gFlatScaleRate[34], 4.0f);
    EXPECT_EQ(gFlatScaleLength[34], 50.0f);
    EXPECT_EQ(gFlatScaleText[34], "50m");
    EXPECT_EQ(gFlatScaleRate[40], 12.0f);
    EXPECT_EQ(gFlatScaleText[40], "20m");
    for (int i = 1; i < kFlatScaleSteps; ++i) EXPECT_GT(gFlatScaleRate[i], gFlatScaleRate[i - 1]) << i;
    // A bar always fits in the plan canvas (781 units) at its own step.
    for (int i = 0; i < kFlatScaleSteps; ++i) EXPECT_LE(gFlatScaleRate[i] * gFlatScaleLength[i], 781.0f) << i;

    SetBillColorTable();
    EXPECT_EQ(gBillColor[0], (RoofColor{255, 0, 255}));
    EXPECT_EQ(gBillColor[7], gBillColor[14]);
    EXPECT_EQ(gBillColor[20], (RoofColor{192, 0, 0}));
}
