// Height grid: edge crossings, span marking and filling, and the build from the building model.
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

using Cell = std::tuple<long long, int, int>;  // column, row, direction

std::vector<Cell> Cells(const std::vector<Crossing>& rows)
{
    std::vector<Cell> out;
    for (const auto& c : rows) out.emplace_back(c.x, c.y, c.direction);
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
        {"oblique rising", 0.4, 0.4, 3.2, 2.6, {{81, 67, 1}, {82, 68, 1}, {83, 69, 1}, {84, 70, 1}}},
        {"shallow edge records only its end rows", 0, 0, 10, 1, {{81, 67, 1}, {91, 68, 1}}},
        {"falling edge walks up from its lower end", 3.2, 2.6, 0.4, 0.4, {{81, 67, -1}, {82, 68, -1}, {83, 69, -1}, {84, 70, -1}}},
        {"oblique within one row uses the first x", 4.2, 0.1, 1.0, 0.3, {{85, 67, 1}}},
        {"vertical within one row", 2, 0.1, 2, 0.4, {{83, 67, 1}}},
        {"vertical falling over three rows", -1, 2, -1, 0, {{80, 67, -1}, {80, 68, -1}, {80, 69, -1}}},
        {"horizontal shorter than a cell", 0.1, 1, 0.3, 1, {{81, 68, 0}, {81, 68, 0}}},
        {"ties go to the even row", 0, 2.5, 0, 3.5, {{81, 69, 1}, {81, 70, 1}, {81, 71, 1}}},
        {"ties go to the even column", 2.5, 0, 3.5, 0, {{83, 67, 0}, {85, 67, 0}}},
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
        FillCase c{"higher-numbered outline wins where they overlap, also when lower",
                   {Box(0, 0, 4, 2, 20.0f), Box(2, 0, 6, 2, 5.0f)}, {}};
        for (int r = 67; r <= 69; ++r) {
            c.expected.push_back({r, 81, 82, 20.0f});
            c.expected.push_back({r, 83, 87, 5.0f});
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

struct MarkCase {
    std::string name;
    std::vector<std::pair<long long, int>> crossings;  // column, direction, all on one row
    std::vector<int> marks;
    int fillFrom, fillTo;  // filled columns (fillFrom > fillTo: none)
};

TEST(HeightGridFill, SpanMarksOfOneRun)
{
    const std::vector<MarkCase> cases = {
        {"pair in one cell, same direction: nothing", {{5, 1}, {5, 1}}, {-1, -1}, 1, 0},
        {"pair in one cell, opposite: one-cell span", {{5, 1}, {5, -1}}, {1, 2}, 5, 5},
        {"pair in two cells", {{3, 1}, {8, 1}}, {1, 2}, 3, 8},
        {"odd run 3,7,7 leaves its last span open", {{3, 1}, {7, 1}, {7, -1}}, {1, 2, 1}, 3, 7},
        {"odd run: same cell while open is ignored", {{3, 1}, {3, -1}, {7, 1}}, {1, -1, 2}, 3, 7},
        {"even run: vertex passing on counts once", {{2, 1}, {4, 1}, {4, 1}, {9, -1}}, {1, 2, -1, 1}, 2, 4},
        {"even run: peak counts twice", {{2, 1}, {5, 1}, {5, -1}, {9, -1}}, {1, 2, 1, 2}, 2, 9},
        {"columns order as numbers: 9 before 10", {{10, 1}, {9, -1}}, {1, 2}, 9, 10},
    };
    for (const auto& c : cases) {
        std::vector<Crossing> rows;
        for (const auto& [x, dir] : c.crossings) rows.push_back(Crossing{0, x, 70, dir, 0, 0});
        judge::SortFirstCutList(rows);
        std::vector<int> marks;
        for (const auto& r : rows) marks.push_back(r.mark);
        EXPECT_EQ(marks, c.marks) << c.name;
        EXPECT_EQ(rows.front().runLength, static_cast<int>(c.crossings.size())) << c.name;
        HeightMesh mesh;
        judge::FillBillHeightMesh(rows, {Outline{{}, 3.0f}}, mesh);
        HeightMesh expected;
        for (int i = c.fillFrom; i <= c.fillTo; ++i) expected.set(i, 70, 3.0f);
        EXPECT_TRUE(mesh == expected) << c.name;
    }
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
