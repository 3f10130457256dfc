// Height grid: edge crossings, their pairing and the filling, and the build from the building model.
#include "JudgeFixtures.h"

#include "site/MapView.h"
#include "site/TopAreaModel.h"
#include "judge/HeightGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using judge::Crossing;
using judge::HeightMesh;
using judge::Outline;
using judgetest::Box;
using judgetest::Build;

namespace {

// Column, row, whether it counts in the pairing of its row, and the column its own cells reach.
using Cell = std::tuple<long long, int, bool, long long>;

std::vector<Cell> Cells(const std::vector<Crossing>& rows)
{
    std::vector<Cell> out;
    for (const auto& c : rows) out.emplace_back(c.x, c.y, c.counts, c.fillTo);
    return out;
}

struct EdgeCase {
    std::string name;
    double x1, y1, x2, y2;
    std::vector<Cell> expected;
};

TEST(EdgeCrossings, CellsAndDirectionsOfOneEdge)
{
    // Cell size 1, origin cell (81, 67); expected cells worked by hand from the rounding rules.
    const std::vector<EdgeCase> cases = {
        {"oblique rising counts below its upper row", 0.4, 0.4, 3.2, 2.6,
         {{81, 67, true, 81}, {82, 68, true, 82}, {83, 69, true, 83}, {84, 70, false, 84}}},
        {"shallow edge records only its end rows", 0, 0, 10, 1, {{81, 67, true, 81}, {91, 68, false, 91}}},
        {"falling edge walks up from its lower end", 3.2, 2.6, 0.4, 0.4,
         {{81, 67, true, 81}, {82, 68, true, 82}, {83, 69, true, 83}, {84, 70, false, 84}}},
        {"oblique within one row is flat: first end, filled to the other", 4.2, 0.1, 1.0, 0.3, {{85, 67, false, 82}}},
        {"vertical within one row", 2, 0.1, 2, 0.4, {{83, 67, false, 83}}},
        {"vertical falling over three rows", -1, 2, -1, 0, {{80, 67, true, 80}, {80, 68, true, 80}, {80, 69, false, 80}}},
        {"horizontal shorter than a cell", 0.1, 1, 0.3, 1, {{81, 68, false, 81}, {81, 68, false, 81}}},
        {"ties go to the even row", 0, 2.5, 0, 3.5, {{81, 69, true, 81}, {81, 70, true, 81}, {81, 71, false, 81}}},
        {"ties go to the even column", 2.5, 0, 3.5, 0, {{83, 67, false, 85}, {85, 67, false, 85}}},
    };
    for (const auto& c : cases) {
        std::vector<Crossing> rows;
        judge::AddEdgeCutRows(rows, 1.0, c.x1, c.y1, c.x2, c.y2, 4);
        EXPECT_EQ(Cells(rows), c.expected) << c.name;
        for (const auto& r : rows) EXPECT_EQ(r.area, 4) << c.name;
    }
}

TEST(EdgeCrossings, OpenOutlineGetsNoClosingEdgeAndShortOutlinesNothing)
{
    const std::vector<Outline> open = {Outline{{{0, 0}, {5, 0}, {5, 5}}, 10.0f}};
    EXPECT_EQ(judge::MakeFirstCutList(open, 1.0).size(), 2u + 6u);  // horizontal ends + vertical rows
    const std::vector<Outline> single = {Outline{{{3, 3}}, 10.0f}, Outline{{}, 5.0f}};
    EXPECT_TRUE(judge::MakeFirstCutList(single, 1.0).empty());
}

// A row of filled cells: row, first and last column, height.
struct Span {
    int row, from, to;
    float height;
};

struct FillCase {
    std::string name;
    std::vector<Outline> outlines;
    std::vector<Span> expected;  // every filled cell; all others stay 0
};

std::vector<Span> Rows(int rowFrom, int rowTo, int from, int to, float h)
{
    std::vector<Span> out;
    for (int r = rowFrom; r <= rowTo; ++r) out.push_back({r, from, to, h});
    return out;
}

TEST(HeightGridFill, WorkedOutlines)
{
    std::vector<FillCase> cases;
    cases.push_back({"rectangle includes both boundaries", {Box(0, 0, 10, 5, 7.0f)}, Rows(67, 72, 81, 91, 7.0f)});
    {
        // Triangle: its base row 81..91, narrowing by one cell a side per row to the apex 86 on row 72.
        FillCase c{"triangle narrows to its apex cell", {Outline{{{0, 0}, {5, 5}, {10, 0}, {0, 0}}, 9.0f}}, {}};
        for (int t = 0; t <= 5; ++t) c.expected.push_back({67 + t, 81 + t, 91 - t, 9.0f});
        cases.push_back(c);
    }
    {
        FillCase c{"notch fills the row of its tip completely", {Outline{{{0, 0}, {10, 0}, {10, 10}, {5, 5}, {0, 10}, {0, 0}}, 4.0f}}, {}};
        // Checked on the row of the notch's tip (row 72) below.
        cases.push_back(c);
    }
    {
        FillCase c{"the greater height stays where outlines overlap, also when it comes first",
                   {Box(0, 0, 4, 2, 20.0f), Box(2, 0, 6, 2, 5.0f)}, {}};
        for (int r = 67; r <= 69; ++r) {
            c.expected.push_back({r, 81, 85, 20.0f});
            c.expected.push_back({r, 86, 87, 5.0f});
        }
        cases.push_back(c);
    }
    cases.push_back({"zero-height outline leaves open ground", {Box(0, 0, 3, 3, 0.0f)}, {}});

    for (const auto& c : cases) {
        const HeightMesh mesh = Build(c.outlines, 1.0);
        if (c.name.rfind("notch", 0) == 0) {
            for (int i = 81; i <= 91; ++i) EXPECT_EQ(mesh.at(i, 72), 4.0f) << c.name << " column " << i;
            EXPECT_EQ(mesh.at(80, 72), 0.0f);
            EXPECT_EQ(mesh.at(92, 72), 0.0f);
            continue;
        }
        HeightMesh expected;
        for (const auto& s : c.expected)
            for (int i = s.from; i <= s.to; ++i) expected.set(i, s.row, s.height);
        EXPECT_TRUE(mesh == expected) << c.name;
    }
}

struct PairCase {
    std::string name;
    std::vector<std::pair<long long, bool>> crossings;  // column, counts; all on one row
    std::vector<std::pair<int, int>> filled;           // filled column ranges
};

TEST(HeightGridFill, CountingCrossingsPairInColumnOrder)
{
    const std::vector<PairCase> cases = {
        {"two counting crossings fill between them", {{8, true}, {3, true}}, {{3, 8}}},
        {"first with second, third with fourth", {{20, true}, {2, true}, {9, true}, {5, true}}, {{2, 5}, {9, 20}}},
        {"a pair in one cell fills that cell", {{5, true}, {5, true}}, {{5, 5}}},
        {"crossings that do not count only fill their own cells", {{2, true}, {4, false}, {9, false}, {12, true}}, {{2, 12}}},
        {"an odd crossing left over fills only its own cell", {{3, true}, {7, true}, {11, true}}, {{3, 7}, {11, 11}}},
        {"columns order as numbers: 9 before 10", {{10, true}, {9, true}, {30, true}, {11, true}}, {{9, 10}, {11, 30}}},
    };
    for (const auto& c : cases) {
        std::vector<Crossing> rows;
        for (const auto& [x, counts] : c.crossings) rows.push_back(Crossing{0, x, 70, counts, x});
        judge::SortFirstCutList(rows);
        HeightMesh mesh;
        judge::FillBillHeightMesh(rows, {Outline{{}, 3.0f}}, mesh);
        HeightMesh expected;
        for (const auto& [from, to] : c.filled)
            for (int i = from; i <= to; ++i) expected.set(i, 70, 3.0f);
        EXPECT_TRUE(mesh == expected) << c.name;
    }
    // Pairs never reach across rows: one counting crossing on each of two rows fills only its cell.
    std::vector<Crossing> rows = {Crossing{0, 4, 70, true, 4}, Crossing{0, 9, 71, true, 9}};
    judge::SortFirstCutList(rows);
    HeightMesh mesh;
    judge::FillBillHeightMesh(rows, {Outline{{}, 3.0f}}, mesh);
    HeightMesh expected;
    expected.set(4, 70, 3.0f);
    expected.set(9, 71, 3.0f);
    EXPECT_TRUE(mesh == expected);
}

TEST(HeightGridFill, NoLimitOnTheNumberOfCrossings)
{
    // 60 tall narrow buildings give about 60 x 2 x 271 = 32 000 crossings; every one fills whole.
    std::vector<Outline> outlines;
    for (int k = 0; k < 60; ++k) outlines.push_back(Box(-80 + 4 * k, -67, -78 + 4 * k, 203, 10.0f + k));
    ASSERT_GT(judge::MakeFirstCutList(outlines, 1.0).size(), 10000u);
    const HeightMesh mesh = Build(outlines, 1.0);
    for (int k = 0; k < 60; ++k)
        for (int j = 0; j <= 270; j += 27) EXPECT_EQ(mesh.at(1 + 4 * k + 2, j), 10.0f + k) << k << "," << j;
}

TEST(HeightGridFill, OffGridOutlinesAreCutNotClampedToTheBorder)
{
    struct Case {
        std::string name;
        Outline outline;
    };
    const std::vector<Case> wholly = {
        {"left of the grid", Box(-300, -10, -200, 10, 30.0f)},
        {"right of the grid", Box(300, -10, 400, 10, 30.0f)},
        {"below the grid", Box(-10, -300, 10, -200, 30.0f)},
        {"above the grid", Box(-10, 300, 10, 400, 30.0f)},
    };
    for (const auto& c : wholly) EXPECT_TRUE(Build({c.outline}, 1.0) == HeightMesh{}) << c.name;

    // Partly off the left and bottom edges: the part on the grid fills exactly, nothing else.
    const HeightMesh mesh = Build({Box(-100, -80, -70, -60, 12.0f)}, 1.0);
    HeightMesh expected;
    for (int j = 0; j <= 7; ++j)
        for (int i = 0; i <= 11; ++i) expected.set(i, j, 12.0f);
    EXPECT_TRUE(mesh == expected);
}

TEST(HeightGridBuild, FromTheBuildingModelUnderTheCurrentView)
{
    // Scale 1 with no pan or turn: grid metres equal site metres; cell 16/3 m.
    SetMapScaleIndexAndRate(gMapScaleIndex, 1.0f);
    SetMapOffset(0.0f, 0.0f);
    SetMapRotateAngle(0.0f);
    SetMapCenter(0.0, 0.0f);
    ClearTopAreaModel();
    gBillHeightMesh.set(10, 10, 99.0f);
    gBillHeightMesh.set(330, 0, 5.0f);  // columns 325..330 are never touched by a build
    const float cell = (864.0f / 1.0f) / 162.0f;
    MakeBillHeightMesh(cell);
    EXPECT_EQ(gBillHeightMesh.at(10, 10), 0.0f);
    EXPECT_EQ(gBillHeightMesh.at(330, 0), 5.0f);

    const TopAreaPoint box[5] = {{0, 0}, {32, 0}, {32, 16}, {0, 16}, {0, 0}};
    ASSERT_EQ(AppendTopArea(box, 15.0f), TopAreaEdit::Done);
    MakeBillHeightMesh(cell);
    EXPECT_TRUE(gBillHeightMesh == [&] {
        HeightMesh m = Build({Box(0, 0, 32, 16, 15.0f)}, cell);
        m.set(330, 0, 5.0f);
        return m;
    }());
    EXPECT_EQ(gBillHeightMesh.at(81 + 6, 67 + 3), 15.0f);
    EXPECT_EQ(gBillHeightMeshCell, cell);
    EXPECT_EQ(gBillHeightMeshView.scale, 1.0f);
    ClearTopAreaModel();
    gBillHeightMesh.clear();
}

TEST(HeightGridBuild, GridFrameOfATurnedView)
{
    // Map turned 90 degrees clockwise: north points to the picture's right, east downwards.
    MapViewState view;
    view.rotateDeg = 90.0f;
    view.sinA = 1.0f;
    view.cosA = 0.0f;
    double gx = 0, gy = 0;
    view.siteToGrid(0, 10, gx, gy);
    EXPECT_NEAR(gx, 10.0, 1e-9);
    EXPECT_NEAR(gy, 0.0, 1e-9);
    view.siteToGrid(10, 0, gx, gy);
    EXPECT_NEAR(gx, 0.0, 1e-9);
    EXPECT_NEAR(gy, -10.0, 1e-9);
}

}  // namespace
