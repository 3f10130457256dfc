// What the editing tools pick on the oblique picture: the roof hit test (convex and concave
// roofs), the closing of a traced outline, vertex, wall-end and edge picks, the drag and the wall
// height measured against the renderer's camera.
#include <gtest/gtest.h>

#include "PhotoModelFixture.h"
#include "photoinput/OutlineHitTest.h"
#include "photoinput/PhotoPicking.h"
#include "tests/scene/ViewCamera.h"

namespace {

using phototest::Build;
using phototest::Model;
using phototest::Read;

const std::vector<PhotoPoint> kSquare{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
const std::vector<PhotoPoint> kTriangle{{0, 0}, {10, 0}, {0, 10}, {0, 0}};
// A "U" open to the top: arms x 0..10 and 20..30, joined below y 10; the notch 10..20 x 10..30.
const std::vector<PhotoPoint> kU{{0, 0}, {30, 0}, {30, 30}, {20, 30}, {20, 10}, {10, 10}, {10, 30}, {0, 30}, {0, 0}};

TEST(RoofHitTest, PointTable)
{
    struct Row {
        const char* name;
        std::vector<PhotoPoint> outline;
        double x, y;
        int found;
    };
    const Row rows[] = {
        {"square centre", kSquare, 5, 5, 0},
        {"square above", kSquare, 5, 12, -1},
        {"square right", kSquare, 12, 5, -1},
        {"square left edge counts", kSquare, 0, 5, 0},
        {"square right edge does not", kSquare, 10, 5, -1},
        {"triangle below the slant", kTriangle, 2, 2, 0},
        {"triangle beyond the slant", kTriangle, 6, 6, -1},
        {"U left arm, above the notch floor", kU, 5, 25, 0},
        {"U right arm, above the notch floor", kU, 25, 25, 0},
        {"U in the notch", kU, 15, 25, -1},
        {"U base below the notch", kU, 15, 5, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Build(Model{{{r.outline}}, {}});
        EXPECT_EQ(FindTopArea(r.x, r.y), r.found);
    }
}

TEST(RoofHitTest, OverlappingRoofsTheLowerIndexWins)
{
    Build(Model{{{phototest::Outline(4, 100, 100)}, {kSquare}, {phototest::Outline(4, 3, 3)}}, {}});
    EXPECT_EQ(FindTopArea(5, 5), 1);
    EXPECT_EQ(FindTopArea(12, 12), 2);
    EXPECT_EQ(FindTopArea(105, 5), -1);
}

TEST(CloseTopLine, OnlyWithMoreThanTwoPointsAndStrictlyWithinFive)
{
    const std::vector<PhotoPoint> three{{0, 0}, {40, 0}, {40, 40}};
    EXPECT_TRUE(CheckCloseTopLine(three, 4.9, 0));
    EXPECT_FALSE(CheckCloseTopLine(three, 5.0, 0));
    EXPECT_FALSE(CheckCloseTopLine(three, 3, 4)) << "exactly 5 away";
    EXPECT_FALSE(CheckCloseTopLine(std::span(three).first(2), 0, 0)) << "two points never close";
}

class Picks : public ::testing::Test {
protected:
    // Roof 0 far away with a wall of its own; roof 1 the square (rows 5..9) with
    // wall 1 from its vertex (10, 10) down to (10, -30) and wall 2 a short one from (0, 10) whose
    // foot (0, 6) lies 4 from the vertex (0, 10) and 6 from (0, 0).
    void SetUp() override
    {
        Build(Model{{{phototest::Outline(4, 200, 200)}, {kSquare}},
                    {{{200, 200}, {200, 150}, 0}, {{10, 10}, {10, -30}, 1}, {{0, 10}, {0, 6}, 1}}});
    }
    static constexpr int kRoof = 1;
    static constexpr int kStart = 5;
};

TEST_F(Picks, MovePickTable)
{
    struct Row {
        const char* name;
        double x, y;
        MovePickKind kind;
        int vertex, wall;
        PhotoPoint at;
    };
    const Row rows[] = {
        {"plain vertex, snapped", 11, -2, MovePickKind::Vertex, kStart + 1, -1, {10, 0}},
        {"first vertex is the start row", 1, 1, MovePickKind::Vertex, kStart, -1, {0, 0}},
        {"vertex carrying a wall top", 12, 12, MovePickKind::VertexWithWall, kStart + 2, 1, {10, 10}},
        {"wall foot far from vertices", 11, -29, MovePickKind::WallFoot, -1, 1, {11, -29}},
        {"foot near a vertex, pressed on the foot", 0, 6, MovePickKind::WallFoot, -1, 2, {0, 6}},
        {"vertex near a foot, pressed on the vertex", 0, 9.5f, MovePickKind::VertexWithWall, kStart + 3, 2, {0, 10}},
        {"nothing", 5, -5, MovePickKind::Nothing, -1, -1, {5, -5}},
        {"another roof's wall foot is not picked", 200, 150, MovePickKind::Nothing, -1, -1, {200, 150}},
        {"exactly 6 from the vertex", 16, 0, MovePickKind::Nothing, -1, -1, {16, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const MovePick pick = FindMovePoint(kRoof, r.x, r.y);
        EXPECT_EQ(pick.kind, r.kind);
        EXPECT_EQ(pick.vertex, r.vertex);
        EXPECT_EQ(pick.wall, r.wall);
        EXPECT_EQ(pick.at, r.at);
    }
    EXPECT_EQ(FindMovePoint(-1, 0, 0).kind, MovePickKind::Nothing) << "no roof selected";
    EXPECT_EQ(FindTopAreaPoint(-1, 0, 0), -1);
}

TEST_F(Picks, EveryWallTopOnTheVertexRides)
{
    ASSERT_EQ(AddWallEdge(kRoof, {10, 10}, {14, -25}), PhotoEdit::Done);  // wall 3, also from (10, 10)
    const MovePick pick = FindMovePoint(kRoof, 10, 10);
    EXPECT_EQ(pick.walls, (std::vector<int>{1, 3}));
    ASSERT_TRUE(MoveTopAreaPoint(kRoof, PointDrag{pick.vertex, pick.walls, -1}, 15, 15));
    const Model m = Read();
    EXPECT_EQ(m.walls[1].top, (PhotoPoint{15, 15}));
    EXPECT_EQ(m.walls[3].top, (PhotoPoint{15, 15}));
    EXPECT_EQ(m.walls[1].foot, (PhotoPoint{10, -30})) << "the foot stays";
    EXPECT_EQ(m.walls[2].top, (PhotoPoint{0, 10})) << "another vertex's wall stays";
}

TEST_F(Picks, DraggingTheFirstVertexKeepsTheOutlineClosed)
{
    ASSERT_TRUE(MoveTopAreaPoint(kRoof, PointDrag{kStart, {}, -1}, -3, -4));
    const Model m = Read();
    EXPECT_EQ(m.roofs[1].points.front(), (PhotoPoint{-3, -4}));
    EXPECT_EQ(m.roofs[1].points.back(), (PhotoPoint{-3, -4}));
    // A wall foot alone.
    ASSERT_TRUE(MoveTopAreaPoint(kRoof, PointDrag{-1, {}, 1}, 12, -40));
    EXPECT_EQ(Read().walls[1].foot, (PhotoPoint{12, -40}));
    // Rows and wall edges that are not the roof's move nothing.
    const Model before = Read();
    EXPECT_FALSE(MoveTopAreaPoint(kRoof, PointDrag{0, {}, -1}, 1, 1));
    EXPECT_FALSE(MoveTopAreaPoint(kRoof, PointDrag{-1, {}, 0}, 1, 1));
    EXPECT_FALSE(MoveTopAreaPoint(kRoof, PointDrag{-1, {}, 9}, 1, 1));
    EXPECT_EQ(Read(), before);
}

TEST_F(Picks, EdgePickTable)
{
    struct Row {
        const char* name;
        double x, y;
        int edge;
        PhotoPoint at;
    };
    const Row rows[] = {
        {"vertical edge keeps the pressed y", 11, 4, kStart + 2, {10, 4}},
        {"bottom edge, measured vertically", 4, -3, kStart + 1, {4, 0}},
        {"left edge (closing)", -2, 7, kStart + 4, {0, 7}},
        {"beyond the end of the bottom edge", 30, 0, -1, {}},
        {"inside, away from the edges", 5, 5, -1, {}},
        {"exactly 5 below", 4, -5, -1, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const auto pick = FindTopAreaEdge(kRoof, r.x, r.y);
        ASSERT_EQ(pick.has_value(), r.edge >= 0);
        if (!pick) continue;
        EXPECT_EQ(pick->edge, r.edge);
        EXPECT_EQ(pick->at, r.at);
    }
}

TEST(WallHeight, MeasuresTheRenderedBuildingsHeight)
{
    // The camera of sample picture 2 (eye altitudes 598 and 102, 788 wide); a wall 20 m high at
    // several places of the picture, its ends where the tests' own camera of these altitudes sees
    // them, measured back.
    SetPhotoPictureWidth(788.0f);
    const auto camera = testscene::ViewCamera::FromAltitudes(598, 102, QSize(788, 678));
    ASSERT_TRUE(camera);
    for (const testscene::Vec3 ground : {testscene::Vec3{0, 0, 0}, testscene::Vec3{-40, 60, 0}, testscene::Vec3{30, -50, 0}}) {
        const auto foot = camera->Photo(ground);
        const auto top = camera->Photo({ground.x, ground.y, 20.0});
        ASSERT_TRUE(foot && top);
        const WallHeight h = MeasureWallHeight(598, 102, top->y(), foot->y());
        ASSERT_TRUE(h.height.has_value());
        EXPECT_NEAR(*h.height, 20.0, 0.2) << ground.x << "," << ground.y;
        EXPECT_TRUE(h.message.empty());
    }
    const WallHeight refused = MeasureWallHeight(0, 102, 10, -10);
    EXPECT_FALSE(refused.height.has_value());
    EXPECT_TRUE(refused.text.empty());
    EXPECT_FALSE(refused.message.empty());
}

}  // namespace
