#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "ModelRuns.h"
#include "site/EditOperations.h"

namespace {

using edit::PicturePoint;
using Outline = std::vector<TopAreaPoint>;

// The view of the examples: no pan, no turn, map centre (0, 0), `scale` picture units per metre.
MapViewState View(double scale, double turnDegrees = 0.0)
{
    MapViewState view;
    view.scale = scale;
    view.sinA = std::sin(turnDegrees * std::numbers::pi / 180.0);
    view.cosA = std::cos(turnDegrees * std::numbers::pi / 180.0);
    return view;
}

void Load(const std::vector<Outline>& areas)
{
    ClearTopAreaModel();
    for (const Outline& a : areas) ASSERT_EQ(AppendTopArea(a, 10.0f), TopAreaEdit::Done);
}


// Metre outlines; at scale 1 a picture unit is a metre.
const Outline kSquare = {{0, 0}, {40, 0}, {40, 40}, {0, 40}, {0, 0}};
const Outline kFarSquare = {{100, 0}, {140, 0}, {140, 40}, {100, 40}, {100, 0}};
// A C open to the right: at x = 10 .. 30 the vertical line crosses it four times.
const Outline kC = {{0, 0}, {30, 0}, {30, 10}, {10, 10}, {10, 20}, {30, 20}, {30, 30}, {0, 30}, {0, 0}};

}  // namespace

TEST(EditOperations, RectangleCornersBecomeSiteMetresInDragOrder)
{
    ClearTopAreaModel();
    // 40 x 20 picture units at 4 units a metre.
    ASSERT_EQ(edit::AddRectangleBill(View(4), {0, 0}, {40, 20}), TopAreaEdit::Done);
    ASSERT_EQ(gEachTopAreaNumber, 1);
    EXPECT_EQ(RunOf(0), (Outline{{0, 0}, {10, 0}, {10, 5}, {0, 5}, {0, 0}}));
    EXPECT_EQ(gFlatTopHeight[0], 30.0f);
    EXPECT_EQ(gEachClosedTopAreaSTS[0], 1);

    // With a map centre and a pan, the rectangle lands under the drag.
    MapViewState view = View(2);
    view.centreX = 1000;
    view.centreY = -500;
    view.offsetX = 20;
    ASSERT_EQ(edit::AddRectangleBill(view, {20, 0}, {40, 10}), TopAreaEdit::Done);
    EXPECT_EQ(RunOf(1)[2], (TopAreaPoint{1010, -495}));
}

TEST(EditOperations, RectangleDragMustExceedTenUnitsBothWays)
{
    struct Case {
        PicturePoint to;
        bool adds;
    };
    for (const Case& c : {Case{{10, 50}, false}, Case{{50, 10}, false}, Case{{10.5, 11}, true}, Case{{-11, -11}, true}}) {
        EXPECT_EQ(edit::IsRectangleDrag({0, 0}, c.to), c.adds) << c.to.x << ", " << c.to.y;
    }
}

TEST(EditOperations, AddingBeyondTheModelLimitsChangesNothing)
{
    ClearTopAreaModel();
    const Outline big(kMaxTopPoints - 3, TopAreaPoint{1, 1});
    ASSERT_EQ(AppendTopArea(big, 5.0f), TopAreaEdit::Done);
    EXPECT_EQ(edit::TopLineRoom(), 2);
    EXPECT_EQ(edit::AddRectangleBill(View(1), {0, 0}, {40, 40}), TopAreaEdit::Full);
    EXPECT_EQ(edit::AddTopLineBill(kSquare), TopAreaEdit::Full);
    EXPECT_EQ(gEachTopAreaNumber, 1);
    EXPECT_EQ(gTopAreaPointTotalNumber, kMaxTopPoints - 3);
    ClearTopAreaModel();
}

TEST(EditOperations, OutlineClosesOnlyNearItsFirstPointWithThreePointsDrawn)
{
    const MapViewState view = View(1);
    const Outline two = {{0, 0}, {40, 0}};
    const Outline three = {{0, 0}, {40, 0}, {40, 40}};
    EXPECT_FALSE(edit::IsTopLineClosed(view, two, {0, 0}));
    EXPECT_TRUE(edit::IsTopLineClosed(view, three, {4.9, 0}));
    EXPECT_FALSE(edit::IsTopLineClosed(view, three, {5, 0}));
    // The drawn points are metres: after zooming in 2x the first point is drawn at (0, 0) still,
    // but 4.9 metres east is now 9.8 units away.
    EXPECT_FALSE(edit::IsTopLineClosed(View(2), Outline{{0, 0}, {40, 0}, {40, 40}}, {9.8, 0}));
    EXPECT_TRUE(edit::IsTopLineClosed(View(2), Outline{{2, 0}, {40, 0}, {40, 40}}, {0.2, 0}));
}

TEST(EditOperations, SearchFindsTheLowestBuildingUnderAPoint)
{
    Load({kFarSquare, kSquare, {{10, 10}, {60, 10}, {60, 30}, {10, 30}, {10, 10}}, kC});
    const MapViewState view = View(1);
    struct Case {
        const char* name;
        PicturePoint p;
        int found;
    };
    const Case cases[] = {
        {"inside one", {120, 20}, 0},
        {"inside two overlapping: the lower index", {30, 20}, 1},
        {"only in the third", {50, 20}, 2},
        {"on ground", {80, 20}, -1},
        {"on the square's right edge x, below the third", {40, 5}, -1},  // the right end of an edge does not count
        {"right edge excluded, left edge included", {0, 20}, 1},
        {"edge itself counts as inside", {20, 40}, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(edit::SearchBillAtPoint(view, c.p), c.found) << c.name;
    }
    // The C alone: found in its back, not where the vertical line crosses it four times (kept
    // as the selection rule: such an outline is picked at another x).
    Load({kC});
    EXPECT_EQ(edit::SearchBillAtPoint(view, {20, 5}), -1);
    EXPECT_EQ(edit::SearchBillAtPoint(view, {20, 25}), -1);
    EXPECT_EQ(edit::SearchBillAtPoint(view, {5, 15}), 0);
}

TEST(EditOperations, ConvexBuildingFoundStraightAboveAnInnerCorner)
{
    // A pentagon with a top corner at x = 20: at that x exactly one of the two edges meeting there
    // counts, the one whose other end lies to the right.
    Load({{{0, 0}, {40, 0}, {40, 20}, {20, 40}, {0, 20}, {0, 0}}});
    EXPECT_EQ(edit::SearchBillAtPoint(View(1), {20, 39}), 0);
    EXPECT_EQ(edit::SearchBillAtPoint(View(1), {20, 41}), -1);
}

TEST(EditOperations, VertexPickPrefersTheFirstPointOverTheClosingOne)
{
    Load({kFarSquare, kSquare});
    const MapViewState view = View(1);
    int k = 99;
    EXPECT_EQ(edit::SearchTopPointForMove(view, 1, {1, 1}, k), 1);
    EXPECT_EQ(k, 5);  // the first point of the second run, not its closing point 9
    EXPECT_EQ(edit::SearchTopPointForRemove(view, 1, {40, 34.1}, k), 1);
    EXPECT_EQ(k, 7);
    EXPECT_EQ(edit::SearchTopPointForMove(view, 1, {40, 34}, k), -1);  // exactly 6 away
    EXPECT_EQ(k, -1);
    EXPECT_EQ(edit::SearchTopPointForMove(view, 2, {1, 1}, k), -1);  // no such building selected
    EXPECT_EQ(edit::SearchTopPointForMove(view, -1, {1, 1}, k), -1);
}

TEST(EditOperations, MovingAVertexCarriesItsClosingTwinAndNeverANeighbourRun)
{
    struct Case {
        const char* name;
        std::vector<Outline> model;
        int area;
        int k;
        std::vector<Outline> after;
    };
    const Outline open = {{0, 0}, {40, 0}, {40, 40}};  // not closed: no twin
    const Case cases[] = {
        {"first corner moves its closing copy", {kSquare, kFarSquare}, 0, 0,
         {{{-5, -5}, {40, 0}, {40, 40}, {0, 40}, {-5, -5}}, kFarSquare}},
        {"inner corner", {kSquare, kFarSquare}, 0, 2,
         {{{0, 0}, {40, 0}, {-5, -5}, {0, 40}, {0, 0}}, kFarSquare}},
        {"first corner of the second run", {kSquare, kFarSquare}, 1, 5,
         {kSquare, {{-5, -5}, {140, 0}, {140, 40}, {100, 40}, {-5, -5}}}},
        {"last point of an open run before another run", {open, kFarSquare}, 0, 2,
         {{{0, 0}, {40, 0}, {-5, -5}}, kFarSquare}},
        {"first point of an open run after another run", {kSquare, open}, 1, 5,
         {kSquare, {{-5, -5}, {40, 0}, {40, 40}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(c.model);
        ASSERT_EQ(edit::MoveTopPoint(View(1), c.area, c.k, {-5, -5}), TopAreaEdit::Done);
        for (int i = 0; i < static_cast<int>(c.after.size()); ++i) EXPECT_EQ(RunOf(i), c.after[i]) << "run " << i;
    }
    Load({{{0, 0}, {40, 0}, {40, 40}}, kFarSquare});
    EXPECT_EQ(edit::LinksOfVertex(0, 2).neighbours, std::vector<int>{1});
    Load({kSquare});
    EXPECT_EQ(edit::LinksOfVertex(0, 0).neighbours, (std::vector<int>{1, 3}));
    EXPECT_EQ(edit::MoveTopPoint(View(1), 0, 5, {0, 0}), TopAreaEdit::OutOfRange);
}

TEST(EditOperations, DeletingCornersTurnsARectangleIntoATriangleThenRemovesIt)
{
    Load({kSquare, kFarSquare});
    EXPECT_EQ(edit::RemoveTopPoint(0, 0), 1);
    EXPECT_EQ(RunOf(0), (Outline{{40, 0}, {40, 40}, {0, 40}, {40, 0}}));
    EXPECT_EQ(edit::RemoveTopPoint(0, 1), 0);
    EXPECT_EQ(gEachTopAreaNumber, 1);
    EXPECT_EQ(RunOf(0), kFarSquare);
    EXPECT_EQ(edit::RemoveTopPoint(1, 0), -1);
    EXPECT_EQ(edit::RemoveTopPoint(0, 7), -1);
}

TEST(EditOperations, EdgePickForInsertion)
{
    Load({kFarSquare, kSquare});
    const MapViewState view = View(1);
    struct Case {
        const char* name;
        PicturePoint click;
        int edgeEnd;  // -1: none
        PicturePoint onEdge;
    };
    const Case cases[] = {
        {"bottom edge", {20, 3}, 6, {20, 0}},
        {"vertical right edge at the click's height", {42, 25}, 7, {40, 25}},
        {"closing edge: new point before the closing point", {-4, 10}, 9, {0, 10}},
        {"beside a horizontal edge on its line: not picked", {60, 1}, -1, {}},
        {"beside a vertical edge, above its end", {41, 45}, -1, {}},
        {"five units off", {20, 5}, -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PicturePoint on{-1, -1};
        const int k = edit::SearchTopLineForAdd(view, 1, c.click, on);
        EXPECT_EQ(k, c.edgeEnd);
        if (c.edgeEnd >= 0) {
            EXPECT_DOUBLE_EQ(on.x, c.onEdge.x);
            EXPECT_DOUBLE_EQ(on.y, c.onEdge.y);
        }
    }
    // Inserting on the closing edge keeps the outline closed, the new point just before the end,
    // and moves the later run up by one.
    PicturePoint on;
    const int k = edit::SearchTopLineForAdd(view, 1, {-4, 10}, on);
    ASSERT_EQ(edit::AddTopPoint(view, 1, k, on), TopAreaEdit::Done);
    EXPECT_EQ(RunOf(1), (Outline{{0, 0}, {40, 0}, {40, 40}, {0, 40}, {0, 10}, {0, 0}}));
    EXPECT_EQ(RunOf(0), kFarSquare);
    Load({kSquare, kFarSquare});
    ASSERT_EQ(edit::AddTopPoint(view, 0, edit::SearchTopLineForAdd(view, 0, {42, 25}, on), on), TopAreaEdit::Done);
    EXPECT_EQ(RunOf(0), (Outline{{0, 0}, {40, 0}, {40, 25}, {40, 40}, {0, 40}, {0, 0}}));
    EXPECT_EQ(gEachTopAreaStartNum[1], 6);
    EXPECT_EQ(RunOf(1), kFarSquare);
}

TEST(EditOperations, HitTestsFollowATurnedMap)
{
    // Turned 90 degrees clockwise: site east is drawn downwards.
    Load({kSquare});
    const MapViewState view = View(1, 90);
    EXPECT_EQ(edit::SearchBillAtPoint(view, {20, -20}), 0);
    EXPECT_EQ(edit::SearchBillAtPoint(view, {20, 20}), -1);
    int k = -1;
    EXPECT_EQ(edit::SearchTopPointForMove(view, 0, {0, -40}, k), 1);
    EXPECT_EQ(k, 1);  // site (40, 0)
}
