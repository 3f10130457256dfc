// The footprint rasteriser on the height grid's scan lines, with its worked examples.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "PlanFixture.h"
#include "planview/FootprintGrid.h"

namespace {

using plantest::Rect;
using plantest::SetPlanRoofs;

using Cells = std::set<std::pair<int, int>>;

// Cells holding `value`.
Cells CellsWith(const judge::HeightMesh& mesh, float value)
{
    Cells cells;
    for (int x = 0; x < judge::HeightMesh::kWidth; ++x)
        for (int y = 0; y < judge::HeightMesh::kHeight; ++y)
            if (mesh.at(x, y) == value) cells.insert({x, y});
    return cells;
}

Cells Block(int x0, int y0, int x1, int y1)
{
    Cells cells;
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) cells.insert({x, y});
    return cells;
}

judge::HeightMesh Rasterise(float northAngle)
{
    judge::HeightMesh mesh;
    FillFootprintGrid(MakeFootprintCrossings(northAngle), mesh);
    return mesh;
}

TEST(FootprintGrid, SquareFillsItsCellsWithTheRoofNumber)
{
    SetPlanRoofs({Rect(0, 0, 10, 10)});
    const judge::HeightMesh mesh = Rasterise(0.0f);
    EXPECT_EQ(CellsWith(mesh, 1.0f), Block(150, 150, 160, 160));
    // Scan lines 150 and 160: a horizontal end and a vertical crossing in each corner cell.
    int onBottom = 0;
    for (const auto& c : MakeFootprintCrossings(0.0f)) onBottom += c.y == 150;
    EXPECT_EQ(onBottom, 4);
}

TEST(FootprintGrid, NorthNinetyTurnsTheSquareWest)
{
    SetPlanRoofs({Rect(0, 0, 10, 10)});
    EXPECT_EQ(CellsWith(Rasterise(90.0f), 1.0f), Block(140, 150, 150, 160));
}

TEST(FootprintGrid, TriangleRisingEdgeStepsHalvesToEven)
{
    SetPlanRoofs({{{0, 0}, {10, 0}, {5, 10}, {0, 0}}});
    // The rising edge is the rightmost crossing of every scan line.
    const int expected[] = {160, 160, 159, 158, 158, 158, 157, 156, 156, 156, 155};
    std::vector<int> rising(11, -1);
    for (const auto& c : MakeFootprintCrossings(0.0f)) {
        int& r = rising[static_cast<std::size_t>(c.y - 150)];
        r = std::max(r, static_cast<int>(c.x));
    }
    for (int k = 0; k <= 10; ++k) EXPECT_EQ(rising[static_cast<std::size_t>(k)], expected[k]) << "scan line " << 150 + k;
    const judge::HeightMesh mesh = Rasterise(0.0f);
    Cells apex;
    for (int x = 0; x < 331; ++x)
        if (mesh.at(x, 160) == 1.0f) apex.insert({x, 160});
    EXPECT_EQ(apex, Cells({{155, 160}})) << "the apex line fills its one cell";
}

TEST(FootprintGrid, OpenOutlineAndSecondRoof)
{
    // Open run: no closing edge, so no scan line pairs; only the two sides' own cells are filled.
    SetPlanRoofs({{{0, 0}, {10, 0}, {10, 10}}, Rect(20, 20, 22, 22)});
    const judge::HeightMesh mesh = Rasterise(0.0f);
    Cells sides = Block(150, 150, 160, 150);
    for (const auto& c : Block(160, 151, 160, 160)) sides.insert(c);
    EXPECT_EQ(CellsWith(mesh, 1.0f), sides);
    EXPECT_EQ(CellsWith(mesh, 2.0f), Block(170, 170, 172, 172)) << "roof 1 holds 2";
}

TEST(FootprintGrid, ShortEdgeWithinOneScanLineKeepsItsLineAndOverlapsKeepTheLaterRoof)
{
    // The left side steps in by a short edge whose ends round to one scan line (153): the line is
    // filled right across to the far wall. The second roof lies over part of the first.
    SetPlanRoofs({{{2, 0}, {10, 0}, {10, 6}, {0, 6}, {0, 3.4f}, {2, 2.8f}, {2, 0}}, Rect(8, 2, 14, 4)});
    const judge::HeightMesh mesh = Rasterise(0.0f);
    for (int x = 150; x <= 157; ++x) EXPECT_EQ(mesh.at(x, 153), 1.0f) << "column " << x;
    EXPECT_EQ(CellsWith(mesh, 2.0f), Block(158, 152, 164, 154)) << "the later roof's number where they overlap";
    // In the other order the roof that comes later is the stepped one.
    SetPlanRoofs({Rect(8, 2, 14, 4), {{2, 0}, {10, 0}, {10, 6}, {0, 6}, {0, 3.4f}, {2, 2.8f}, {2, 0}}});
    const judge::HeightMesh swapped = Rasterise(0.0f);
    for (int x = 150; x <= 160; ++x) EXPECT_EQ(swapped.at(x, 153), 2.0f) << "column " << x;
    EXPECT_EQ(CellsWith(swapped, 1.0f), Block(161, 152, 164, 154));
}

TEST(FootprintGrid, RoofsBeyondTheGridAreCut)
{
    SetPlanRoofs({Rect(170, 0, 200, 5)});  // 180 m east is the last column (330)
    const Cells filled = CellsWith(Rasterise(0.0f), 1.0f);
    ASSERT_FALSE(filled.empty());
    EXPECT_EQ(filled.rbegin()->first, 330);
    EXPECT_EQ(filled.begin()->first, 320);
    SetPlanRoofs({});
    EXPECT_TRUE(MakeFootprintCrossings(0.0f).empty());
}

}  // namespace
