// The photo model's list operations: one table of edits with the whole model before and after,
// the limits, and random edit sequences against a plain reference model.

#include <functional>
#include <random>

#include "PhotoModelFixture.h"

using namespace phototest;

namespace {

// Roof shapes of the table: A a triangle, B a quadrilateral, C a pentagon, at distinct places.
const Roof kTriangleA{Outline(3, 0, 0), 11.0f};
const Roof kQuadB{Outline(4, 100, 0), 12.0f};
const Roof kPentC{Outline(5, 200, 0), 13.0f};

Wall WallOf(const Roof& roof, int vertex, int owner) { return {roof.points[vertex], {roof.points[vertex].x, -50}, owner}; }

std::vector<PhotoPoint> Without(std::vector<PhotoPoint> points, int vertex)
{
    if (vertex == static_cast<int>(points.size()) - 1) vertex = 0;  // the closing point is the first vertex
    points.erase(points.begin() + vertex);
    if (vertex == 0) points.back() = points.front();
    return points;
}

std::vector<PhotoPoint> With(std::vector<PhotoPoint> points, int index, PhotoPoint p)
{
    points.insert(points.begin() + index, p);
    return points;
}

struct EditCase {
    const char* name;
    Model before;
    std::function<int()> edit;  // the operation's result code
    int result;
    Model after;
};

int Code(PhotoEdit e) { return static_cast<int>(e); }

}  // namespace

TEST(PhotoModel, EditTable)
{
    const Wall wallA = WallOf(kTriangleA, 1, 0), wallB = WallOf(kQuadB, 2, 1), wallC = WallOf(kPentC, 0, 2);
    const Wall wallB1 = WallOf(kQuadB, 1, 0), wallC1 = WallOf(kPentC, 3, 1);
    Roof quadB4 = kQuadB;
    quadB4.points = Without(kQuadB.points, 2);
    Roof quadBFirst = kQuadB;
    quadBFirst.points = Without(kQuadB.points, 0);
    Roof triangleA4 = kTriangleA;
    triangleA4.points = With(kTriangleA.points, 2, {5, 5});
    Roof pentC6 = kPentC;
    pentC6.points = With(kPentC.points, 5, {190, -1});
    // Point indices: A holds 0..3, B 4..8, C 9..14.
    const EditCase cases[] = {
        {"deleting a vertex of a triangle removes the roof; later roofs and their walls move down",
         {{kTriangleA, kQuadB, kPentC}, {wallA, wallB, wallC}}, [] { return RemoveTopAreaPoint(0, 1); }, 0,
         {{kQuadB, kPentC}, {{wallB.top, wallB.foot, 0}, {wallC.top, wallC.foot, 1}}}},
        {"deleting a vertex of a quadrilateral keeps it with 4 stored points",
         {{kTriangleA, kQuadB, kPentC}, {wallC}}, [] { return RemoveTopAreaPoint(1, 6); }, 1,
         {{kTriangleA, quadB4, kPentC}, {wallC}}},
        {"deleting the first vertex closes the outline on the old second vertex",
         {{kTriangleA, kQuadB}, {}}, [] { return RemoveTopAreaPoint(1, 4); }, 1, {{kTriangleA, quadBFirst}, {}}},
        {"deleting a vertex of the only roof, a triangle, empties the model",
         {{kTriangleA}, {wallA}}, [] { return RemoveTopAreaPoint(0, 2); }, 0, {}},
        {"deleting the closing point deletes the first vertex",
         {{kTriangleA, kQuadB}, {}}, [] { return RemoveTopAreaPoint(1, 8); }, 1, {{kTriangleA, quadBFirst}, {}}},
        {"deleting with no roof selected changes nothing",
         {{kTriangleA}, {wallA}}, [] { return RemoveTopAreaPoint(-1, 2); }, -1, {{kTriangleA}, {wallA}}},
        {"deleting a point outside the selected roof's run changes nothing",
         {{kTriangleA, kQuadB}, {}}, [] { return RemoveTopAreaPoint(0, 5); }, -1, {{kTriangleA, kQuadB}, {}}},
        {"deleting a wall's upper vertex removes that wall too",
         {{kTriangleA, kQuadB}, {wallB1, WallOf(kQuadB, 2, 1)}}, [] { return RemoveWallEdgeTopPoint(1, 6, 1); }, 1,
         {{kTriangleA, quadB4}, {wallB1}}},
        {"inserting into a roof before others moves every later point and run up",
         {{kTriangleA, kQuadB, kPentC}, {}}, [] { return Code(InsertTopAreaPoint(0, 2, 5, 5)); }, 0,
         {{triangleA4, kQuadB, kPentC}, {}}},
        {"inserting into the last roof moves only its own points",
         {{kTriangleA, kQuadB, kPentC}, {}}, [] { return Code(InsertTopAreaPoint(2, 14, 190, -1)); }, 0,
         {{kTriangleA, kQuadB, pentC6}, {}}},
        {"inserting before the first vertex is refused",
         {{kTriangleA, kQuadB}, {}}, [] { return Code(InsertTopAreaPoint(1, 4, 0, 0)); }, Code(PhotoEdit::OutOfRange),
         {{kTriangleA, kQuadB}, {}}},
        {"removing the next-to-last wall edge moves the last one down",
         {{kTriangleA, kQuadB, kPentC}, {wallA, wallB, wallC}}, [] { return RemoveWallEdge(1, 1); }, 1,
         {{kTriangleA, kQuadB, kPentC}, {wallA, wallC}}},
        {"removing the last wall edge only lowers the count",
         {{kTriangleA, kQuadB}, {wallA, wallB}}, [] { return RemoveWallEdge(1, 1); }, 1, {{kTriangleA, kQuadB}, {wallA}}},
        {"removing the only wall edge leaves none",
         {{kTriangleA}, {wallA}}, [] { return RemoveWallEdge(0, 0); }, 0, {{kTriangleA}, {}}},
        {"a wall edge removal without a roof changes nothing",
         {{kTriangleA}, {wallA}}, [] { return RemoveWallEdge(-1, 0); }, -1, {{kTriangleA}, {wallA}}},
        {"removing the wall edges of a roof keeps the others in order",
         {{kTriangleA, kQuadB, kPentC}, {wallA, wallB1, wallC, wallB}}, [] { RemoveWallEdgeOfTopArea(0); return 0; }, 0,
         {{kTriangleA, kQuadB, kPentC}, {wallC, wallB}}},
        {"removing a roof in the middle keeps runs contiguous and owners naming their roofs",
         {{kTriangleA, kQuadB, kPentC}, {wallC1, wallB, wallC}}, [] { return Code(RemoveActiveTopArea(1)); }, 0,
         {{kTriangleA, kPentC}, {{wallC.top, wallC.foot, 1}}}},
        {"removing no roof (-1) changes nothing",
         {{kTriangleA}, {}}, [] { return Code(RemoveActiveTopArea(-1)); }, Code(PhotoEdit::OutOfRange), {{kTriangleA}, {}}},
        {"a wall edge of a roof that does not exist is refused",
         {{kTriangleA}, {}}, [] { return Code(AddWallEdge(1, {0, 0}, {0, -9})); }, Code(PhotoEdit::OutOfRange), {{kTriangleA}, {}}},
        {"an outline of fewer than 3 vertices is no roof",
         {{kTriangleA}, {}}, [] { const auto p = Outline(2, 0, 0); return Code(SetNewTopArea(p)); },
         Code(PhotoEdit::OutOfRange), {{kTriangleA}, {}}},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        Build(c.before);
        EXPECT_EQ(c.edit(), c.result);
        EXPECT_EQ(Read(), c.after);
    }
}

namespace {

// Leaves `height` in the free record the next roof takes: a roof committed there with that
// height and removed again.
void LeaveStaleHeightInNextSlot(float height)
{
    const int slot = gEachTopAreaNumber;
    ASSERT_EQ(SetNewTopArea(kPentC.points), PhotoEdit::Done);
    ASSERT_EQ(SetTopAreaHeight(slot, height), TopAreaEdit::Done);
    ASSERT_EQ(RemoveActiveTopArea(slot), PhotoEdit::Done);
}

}  // namespace

TEST(PhotoModel, ResetKeepsNorthUpPointsAndANewRoofStartsAtHeightZero)
{
    Build({{kTriangleA, kQuadB}, {}});
    SetNorthTopAreaPoint(3, 7.5f, gNorthTopAreaY[3]);
    LeaveStaleHeightInNextSlot(44.0f);  // a stale height in the slot the next roof takes
    SetFlatDataSTS(-1);
    ResetAllDataBuildingData();
    EXPECT_EQ(gNorthTopAreaX[3], 7.5f);
    EXPECT_EQ(gFlatDataSTS, 0);
    EXPECT_EQ(Read(), Model{});

    Build({{kTriangleA, kQuadB}, {}});
    LeaveStaleHeightInNextSlot(44.0f);
    ASSERT_EQ(gFlatTopHeight[2], 44.0f);
    ASSERT_EQ(SetNewTopArea(kPentC.points), PhotoEdit::Done);
    EXPECT_EQ(gFlatTopHeight[2], 0.0f);
}

// Every limit refuses the edit whole: the counts never pass what was stored.
TEST(PhotoModel, LimitsAreRefusedWhole)
{
    // 501 buildings of one point each, as the main window's building model may hold them.
    ResetAllDataBuildingData();
    std::vector<TopAreaRun> oneEach;
    for (int i = 0; i < kMaxTopAreas; ++i) oneEach.push_back({i, 1, 0, 0.0f});
    ASSERT_EQ(ReplaceTopAreaModel(oneEach, kMaxTopAreas), TopAreaEdit::Done);
    EXPECT_EQ(SetNewTopArea(Outline(3, 0, 0)), PhotoEdit::Full) << "502nd roof";
    EXPECT_EQ(gEachTopAreaNumber, kMaxTopAreas);
    EXPECT_EQ(gTopAreaPointTotalNumber, kMaxTopAreas);

    ResetAllDataBuildingData();
    const auto big = Outline(99, 0, 0);  // 100 stored points
    for (int i = 0; i < 20; ++i) ASSERT_EQ(SetNewTopArea(big), PhotoEdit::Done);
    EXPECT_EQ(SetNewTopArea(Outline(3, 0, 0)), PhotoEdit::Full) << "points 2001..2004";
    ASSERT_EQ(InsertTopAreaPoint(0, 1, 1, 1), PhotoEdit::Done) << "the 2001st point";
    EXPECT_EQ(InsertTopAreaPoint(0, 1, 1, 1), PhotoEdit::Full) << "the 2002nd point";
    EXPECT_EQ(gTopAreaPointTotalNumber, kMaxTopPoints);
    EXPECT_EQ(gEachTopAreaPointNum[0], 101);

    for (int w = 0; w < kMaxWallEdges; ++w) ASSERT_EQ(AddWallEdge(0, {0, 0}, {0, -1}), PhotoEdit::Done);
    EXPECT_EQ(AddWallEdge(0, {0, 0}, {0, -1}), PhotoEdit::Full) << "802nd wall edge";
    EXPECT_EQ(gWallEdgeNumber, kMaxWallEdges);

    ResetAllDataBuildingData();
    EXPECT_EQ(SetNewTopArea(Outline(101, 0, 0)), PhotoEdit::Full) << "an outline of 102 points";
    EXPECT_EQ(gEachTopAreaNumber, 0);
    EXPECT_EQ(SetNewTopArea(Outline(99, 0, 0)), PhotoEdit::Done) << "an outline of 101 points";
    EXPECT_FALSE(PhotoEditMessage(PhotoEdit::Full).empty());
}

// A plain model of vectors that does what the arrays must do, for random edit sequences.
namespace {

class Reference {
public:
    Model m;

    int start(int roof) const
    {
        int s = 0;
        for (int j = 0; j < roof; ++j) s += static_cast<int>(m.roofs[j].points.size());
        return s;
    }
    int total() const { return start(static_cast<int>(m.roofs.size())); }
    bool isRoof(int r) const { return r >= 0 && r < static_cast<int>(m.roofs.size()); }
    bool inRun(int r, int p) const { return isRoof(r) && p >= start(r) && p < start(r) + static_cast<int>(m.roofs[r].points.size()); }

    void removeRoof(int r)
    {
        m.roofs.erase(m.roofs.begin() + r);
        std::vector<Wall> kept;
        for (Wall w : m.walls) {
            if (w.owner == r) continue;
            if (w.owner > r) --w.owner;
            kept.push_back(w);
        }
        m.walls = kept;
    }
    int removePoint(int r, int p)
    {
        auto& pts = m.roofs[r].points;
        pts = Without(pts, p - start(r));
        if (pts.size() >= 4) return 1;
        removeRoof(r);
        return 0;
    }
};

}  // namespace

TEST(PhotoModel, RandomEditSequencesMatchAPlainModel)
{
    std::mt19937 random(20261210);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int run = 0; run < 40; ++run) {
        ResetAllDataBuildingData();
        Reference ref;
        for (int step = 0; step < 150; ++step) {
            const int roofs = static_cast<int>(ref.m.roofs.size());
            const int roof = pick(-1, roofs);  // sometimes none or one past the end
            const int total = ref.total();
            const int position = pick(0, total + 1);
            SCOPED_TRACE(::testing::Message() << "run " << run << " step " << step);
            switch (pick(0, 6)) {
            case 0: {
                const auto outline = Outline(pick(2, 9), static_cast<float>(pick(-300, 300)), static_cast<float>(step));
                const PhotoEdit expected = outline.size() < 4 ? PhotoEdit::OutOfRange : PhotoEdit::Done;
                ASSERT_EQ(SetNewTopArea(outline), expected);
                if (expected == PhotoEdit::Done) ref.m.roofs.push_back({outline, 0.0f, 1});
                break;
            }
            case 1: {
                const PhotoPoint p{static_cast<float>(pick(-99, 99)), static_cast<float>(pick(-99, 99))};
                const bool ok = ref.isRoof(roof) && position > ref.start(roof) &&
                                position < ref.start(roof) + static_cast<int>(ref.m.roofs[roof].points.size());
                ASSERT_EQ(InsertTopAreaPoint(roof, position, p.x, p.y), ok ? PhotoEdit::Done : PhotoEdit::OutOfRange);
                if (ok) ref.m.roofs[roof].points = With(ref.m.roofs[roof].points, position - ref.start(roof), p);
                break;
            }
            case 2: {
                const int expected = ref.inRun(roof, position) ? ref.removePoint(roof, position) : -1;
                ASSERT_EQ(RemoveTopAreaPoint(roof, position), expected);
                break;
            }
            case 3: {
                if (!ref.isRoof(roof)) break;
                const auto& pts = ref.m.roofs[roof].points;
                const PhotoPoint top = pts[pick(0, static_cast<int>(pts.size()) - 1)];
                ASSERT_EQ(AddWallEdge(roof, top, {top.x, top.y - 30}), PhotoEdit::Done);
                ref.m.walls.push_back({top, {top.x, top.y - 30}, roof});
                break;
            }
            case 4: {
                const int wall = pick(-1, static_cast<int>(ref.m.walls.size()));
                int expected = -1;
                if (ref.isRoof(roof) && wall >= 0 && wall < static_cast<int>(ref.m.walls.size())) {
                    ref.m.walls.erase(ref.m.walls.begin() + wall);
                    expected = ref.m.walls.empty() ? 0 : 1;
                }
                ASSERT_EQ(RemoveWallEdge(roof, wall), expected);
                break;
            }
            case 5: {
                const bool ok = ref.isRoof(roof);
                ASSERT_EQ(RemoveActiveTopArea(roof), ok ? PhotoEdit::Done : PhotoEdit::OutOfRange);
                if (ok) ref.removeRoof(roof);
                break;
            }
            case 6: {
                const int wall = pick(0, static_cast<int>(ref.m.walls.size()));
                int expected = -1;
                if (ref.inRun(roof, position) && wall < static_cast<int>(ref.m.walls.size())) {
                    ref.m.walls.erase(ref.m.walls.begin() + wall);
                    expected = ref.removePoint(roof, position);
                }
                ASSERT_EQ(RemoveWallEdgeTopPoint(roof, position, wall), expected);
                break;
            }
            }
            const Model now = Read();
            ASSERT_EQ(now, ref.m);
            for (const Roof& r : now.roofs) {
                ASSERT_GE(r.points.size(), 4u);
                ASSERT_EQ(r.points.front(), r.points.back()) << "outline not closed";
            }
            for (const Wall& w : now.walls) ASSERT_TRUE(w.owner >= 0 && w.owner < static_cast<int>(now.roofs.size()));
        }
    }
}
