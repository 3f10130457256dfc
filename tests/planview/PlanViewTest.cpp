// The plan view's zoom fitting, roof and vertex picks and vertex moves.
#include <gtest/gtest.h>

#include "PlanFixture.h"
#include "planview/PlanView.h"

namespace {

using plantest::Rect;
using plantest::SetPlanRoofs;

class PlanViewTest : public ::testing::Test {
protected:
    void SetUp() override { SetFlatScaleTable(); }
};

TEST_F(PlanViewTest, FitTakesTheLargestStepWhoseThreeBarsExceedTheExtent)
{
    // Bars: step 31 100 m, step 34 50 m, step 27 200 m; three bars must be longer than the extent.
    struct Row { const char* name; float width, depth; int step; };
    const Row rows[] = {
        {"150 m wide", 150, 10, 31},  {"100 m wide", 100, 10, 34},  {"500 m wide", 500, 10, 27},
        {"149 m wide", 149, 10, 34},  {"tiny", 5, 5, 40},
        // North-south: 150 m deep is 179.4 m wide on the canvas's 781 x 653 proportions.
        {"150 m deep, 10 m wide", 10, 150, 31},
        {"120 m deep, 10 m wide", 10, 120, 34},  // 143.5 < 150: the 50 m bar still fits
        {"130 m deep", 10, 130, 31},             // 155.5 > 150
    };
    for (const Row& r : rows) {
        SetPlanRoofs({Rect(-r.width / 2, -r.depth / 2, r.width / 2, r.depth / 2)});
        EXPECT_EQ(SelectFlatMapScale(), r.step) << r.name;
    }
    SetPlanRoofs({});
    EXPECT_EQ(SelectFlatMapScale(), 0) << "empty model";
    // A 150 m wide, 10 m deep plan turned by 90 degrees is 150 m north-south on the canvas.
    SetPlanRoofs({Rect(-75, -5, 75, 5)});
    EXPECT_EQ(SelectFlatMapScale(90.0), 31) << "179.4 m on the canvas: three 50 m bars are too short";
    EXPECT_EQ(SelectFlatMapScale(0.0), 31) << "150 m wide";
}

TEST_F(PlanViewTest, FlatScaleIndexStaysWithinTheTable)
{
    SetFlatScaleIndex(41);
    EXPECT_EQ(gFlatScaleIndex, 40);
    SetFlatScaleIndex(-1);
    EXPECT_EQ(gFlatScaleIndex, 0);
}

TEST_F(PlanViewTest, FindFlatTopAreaLowestIndexWinsAndConcaveRoofsAreFound)
{
    const std::vector<PhotoPoint> u{{20, 0}, {30, 0}, {30, 10}, {27, 10}, {27, 3}, {23, 3}, {23, 10}, {20, 10}, {20, 0}};
    SetPlanRoofs({Rect(0, 0, 10, 10), Rect(5, 5, 15, 15), u});
    const double rate = 4.0;  // canvas units per metre
    struct Row { const char* name; double x, y; int roof; };
    const Row rows[] = {
        {"only roof 0", 2, 2, 0},      {"overlap: lowest index", 7, 7, 0}, {"only roof 1", 12, 12, 1},
        {"U arm", 21, 8, 2},           {"U gap", 25, 8, -1},               {"U base", 25, 1, 2},
        {"outside", 50, 50, -1},       {"right edge of roof 1 never", 15, 12, -1},
    };
    for (const Row& r : rows) EXPECT_EQ(FindFlatTopArea(r.x * rate, r.y * rate, PlanFrame{rate}), r.roof) << r.name;
    EXPECT_EQ(FindFlatTopArea(8, 8, PlanFrame{0.0}), -1) << "no scale";
    // Drawn north-up with north at 90 degrees, roof 1 (5..15, 5..15) lies at x -15..-5, y 5..15.
    EXPECT_EQ(FindFlatTopArea(-12 * rate, 12 * rate, PlanFrame{rate, 90.0}), 1);
    EXPECT_EQ(FindFlatTopArea(12 * rate, 12 * rate, PlanFrame{rate, 90.0}), -1);
}

TEST_F(PlanViewTest, VertexPickRadiusIsStrictlySixCanvasUnits)
{
    SetPlanRoofs({Rect(0, 0, 10, 10), Rect(20, 0, 30, 10)});
    const double rate = 4.0;  // vertex (10, 0) of roof 0 is at canvas (40, 0)
    struct Row { const char* name; int roof; double x, y; int point; };
    const Row rows[] = {
        {"5.9 units", 0, 45.9, 0, 1},  {"exactly 6 units", 0, 46, 0, -1}, {"diagonal 4.2", 0, 43, 3, 1},
        {"first point, not the closing copy", 0, 0, 0, 0},
        {"other roof's vertex", 0, 80, 0, -1},  {"no roof selected", -1, 40, 0, -1}, {"second roof", 1, 80, 0, 5},
    };
    for (const Row& r : rows) EXPECT_EQ(FindFlatTopPoint(r.roof, r.x, r.y, PlanFrame{rate}), r.point) << r.name;
    // North at 90: vertex (10, 0) is drawn at (0, 40).
    EXPECT_EQ(FindFlatTopPoint(0, 0, 44, PlanFrame{rate, 90.0}), 1);
}

TEST_F(PlanViewTest, MovingTheFirstVertexKeepsAClosedOutlineClosed)
{
    SetPlanRoofs({Rect(0, 0, 10, 10)});
    ASSERT_TRUE(MoveFlatTopPoint(0, 0, -8, -4, PlanFrame{4.0}));
    EXPECT_FLOAT_EQ(gFlatTopAreaX[0], -2.0f);
    EXPECT_FLOAT_EQ(gFlatTopAreaY[0], -1.0f);
    EXPECT_FLOAT_EQ(gFlatTopAreaX[4], -2.0f);
    EXPECT_FLOAT_EQ(gFlatTopAreaY[4], -1.0f);
    ASSERT_TRUE(MoveFlatTopPoint(0, 2, 48, 48, PlanFrame{4.0}));
    EXPECT_FLOAT_EQ(gFlatTopAreaX[2], 12.0f);
    EXPECT_FLOAT_EQ(gFlatTopAreaX[4], -2.0f) << "a middle vertex moves alone";
    EXPECT_FALSE(MoveFlatTopPoint(0, 5, 0, 0, PlanFrame{4.0})) << "not in the run";
    // Dragged on a plan drawn with north at 90: canvas (0, 40) is plan point (10, 0).
    ASSERT_TRUE(MoveFlatTopPoint(0, 2, 0, 40, PlanFrame{4.0, 90.0}));
    EXPECT_NEAR(gFlatTopAreaX[2], 10.0f, 1e-5);
    EXPECT_NEAR(gFlatTopAreaY[2], 0.0f, 1e-5);
}

TEST_F(PlanViewTest, AnOpenRunMovesItsEndsApart)
{
    // An open run whose last point happens to lie on its first, and a closed flag of 0.
    SetPlanRoofs({{{0, 0}, {10, 0}, {10, 10}, {0, 0}}}, 0);
    ASSERT_TRUE(MoveFlatTopPoint(0, 3, 20, 20, PlanFrame{4.0}));
    EXPECT_FLOAT_EQ(gFlatTopAreaX[3], 5.0f);
    EXPECT_FLOAT_EQ(gFlatTopAreaX[0], 0.0f);
    // A closed flag on a run whose ends differ: still only the one point.
    SetPlanRoofs({{{0, 0}, {10, 0}, {10, 10}, {0, 1}}}, 1);
    ASSERT_TRUE(MoveFlatTopPoint(0, 0, 20, 20, PlanFrame{4.0}));
    EXPECT_FLOAT_EQ(gFlatTopAreaY[3], 1.0f);
}

}  // namespace
