// The altitude boxes, the altitude check and the north dial, with the examples worked out by hand.
#include <gtest/gtest.h>

#include "photoinput/Calibration.h"
#include "photoinput/OutlineHitTest.h"

namespace {

TEST(AltitudeBox, TakesZeroToFifteenHundred)
{
    struct Row { double v; bool ok; };
    for (const Row& r : {Row{0, true}, Row{1500, true}, Row{1500.5, false}, Row{-0.5, false}, Row{1600, false}, Row{160, true}}) {
        EXPECT_EQ(AltitudeBoxAccepts(r.v), r.ok) << r.v;
    }
}

TEST(CheckPhotoHeight, FirstFailingTestDecides)
{
    struct Row { const char* name; double plan, oblique; int result; std::string message; };
    const Row rows[] = {
        {"both unset", 0, 0, -1, "平面視と傾斜視の画像高度が設定されていません。"},
        {"plan unset", 0, 50, -1, "画像の高度が低すぎます。"},
        {"oblique 9", 100, 9, -1, "画像の高度が低すぎます。"},
        {"too high", 6000, 100, -1, "画像の高度が高すぎます。"},
        {"ratio exactly 0.9", 100, 90, 1, ""},
        {"ratio above 0.9", 100, 91, -1, "傾斜画像の高度は平面画像の90％以下でなければなりません。"},
        {"low ratio", 1500, 10, 1, ""},
        {"sample 1", 589, 134, 1, ""},
    };
    for (const Row& r : rows) {
        const HeightCheck c = CheckPhotoHeightValues(r.plan, r.oblique);
        EXPECT_EQ(c.result, r.result) << r.name;
        EXPECT_EQ(c.message, r.message) << r.name;
    }
}

TEST(NorthDial, ReleasedMarkerSnapsOntoTheCircle)
{
    struct Row { const char* name; double x, y, bearing, sx, sy; };
    const Row rows[] = {
        {"upper right", 50, 50, 45, 63.6396, 63.6396},
        {"left", -50, 0, 270, -90, 0},
        {"right", 30, 0, 90, 90, 0},
        {"above", 0, 40, 0, 0, 90},
        {"below", 0, -40, 180, 0, -90},
        {"lower left", -10, -10, 225, -63.6396, -63.6396},
        {"centre", 0, 0, 0, 0, 90},
    };
    for (const Row& r : rows) {
        const DialPosition p = DialReleasedAt(r.x, r.y);
        EXPECT_NEAR(p.bearing, r.bearing, 1e-9) << r.name;
        EXPECT_NEAR(p.x, r.sx, 1e-4) << r.name;
        EXPECT_NEAR(p.y, r.sy, 1e-4) << r.name;
    }
}

TEST(NorthDial, TypedAngles)
{
    struct Row { double a; double bearing, x, y; bool accepted; std::string box; };
    const Row rows[] = {
        {0, 0, 0, 90, true, ""},     {360, 360, 0, 90, true, ""}, {90, 90, 90, 0, true, ""},
        {180, 180, 0, -90, true, ""}, {270, 270, -90, 0, true, ""},
        {361, 0, 0, 90, false, "360"}, {-5, 0, 0, 90, false, "0"},
    };
    for (const Row& r : rows) {
        const TypedAngle t = DialTypedAngle(r.a);
        EXPECT_NEAR(t.dial.bearing, r.bearing, 1e-9) << r.a;
        EXPECT_NEAR(t.dial.x, r.x, 1e-9) << r.a;
        EXPECT_NEAR(t.dial.y, r.y, 1e-9) << r.a;
        EXPECT_EQ(t.message.empty(), r.accepted) << r.a;
        EXPECT_EQ(t.redraw, r.accepted) << r.a;
        EXPECT_EQ(t.boxText, r.box) << r.a;
    }
    EXPECT_EQ(DialTypedAngle(361).message, "設定範囲を超えています。");
    EXPECT_EQ(DialTypedAngle(-5).message, "設定範囲を下まわっています。");
}

TEST(OutlineHitTest, ConvexSquareWithTheHalfOpenConvention)
{
    const std::vector<PhotoPoint> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    struct Row { const char* name; double x, y; bool inside; };
    const Row rows[] = {
        {"middle", 5, 5, true},
        {"bottom edge included", 5, 0, true},
        {"top edge included", 5, 10, true},
        {"above", 5, 10.01, false},
        {"left edge crossed by the horizontal edges", 0, 5, true},
        {"right edge never counts", 10, 5, false},
        {"left of it", -0.1, 5, false},
    };
    for (const Row& r : rows) EXPECT_EQ(IsInOutline(square, r.x, r.y), r.inside) << r.name;
}

TEST(OutlineHitTest, ConcaveUHoldsItsArmsAndNotItsGap)
{
    // A "U": arms 0..3 and 7..10 wide, 10 high, joined by a base 0..3 high.
    const std::vector<PhotoPoint> u{{0, 0}, {10, 0}, {10, 10}, {7, 10}, {7, 3}, {3, 3}, {3, 10}, {0, 10}, {0, 0}};
    struct Row { const char* name; double x, y; bool inside; };
    const Row rows[] = {
        {"left arm", 1.5, 8, true},   {"right arm", 8.5, 8, true}, {"base under the gap", 5, 1.5, true},
        {"in the gap", 5, 6, false},  {"above the gap", 5, 11, false},
    };
    for (const Row& r : rows) EXPECT_EQ(IsInOutline(u, r.x, r.y), r.inside) << r.name;
}

TEST(OutlineHitTest, LeftmostVertexHitsOnlyAtItsOwnHeight)
{
    const std::vector<PhotoPoint> diamond{{0, 5}, {5, 0}, {10, 5}, {5, 10}, {0, 5}};
    EXPECT_TRUE(IsInOutline(diamond, 0, 5));
    EXPECT_FALSE(IsInOutline(diamond, 0, 5.5));
    EXPECT_FALSE(IsInOutline(diamond, 10, 5));  // rightmost vertex: right ends never count
    const std::vector<PhotoPoint> open{{0, 0}, {10, 0}, {10, 10}};
    EXPECT_FALSE(IsInOutline(open, 9, 1));  // crossed once: holds nothing
}

}  // namespace
