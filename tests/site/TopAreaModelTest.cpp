#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

#include "site/TopAreaModel.h"

namespace {

struct Area {
    std::vector<TopAreaPoint> points;
    float height;
    int closed;
};
using Model = std::vector<Area>;

bool operator==(const Area& a, const Area& b)
{
    return a.points == b.points && a.height == b.height && a.closed == b.closed;
}
void PrintTo(const Area& a, std::ostream* os)
{
    *os << "{h " << a.height << " closed " << a.closed << ":";
    for (const TopAreaPoint& p : a.points) *os << " (" << p.x << "," << p.y << ")";
    *os << "}";
}

// A closed outline of n points (n - 1 corners and the first again), all values distinct per tag.
Area Outline(int tag, int n, float height)
{
    Area area{{}, height, 1};
    for (int i = 0; i < n - 1; ++i) area.points.push_back({tag * 100.0f + i, -tag - i * 0.5f});
    area.points.push_back(area.points.front());
    return area;
}

void Load(const Model& model)
{
    ClearTopAreaModel();
    for (const Area& a : model) {
        ASSERT_EQ(AppendTopArea(a.points, a.height), TopAreaEdit::Done);
        SetTopAreaClosed(gEachTopAreaNumber - 1, a.closed);
    }
}

// Reads the model back through its runs, checking the invariants on the way.
Model Snapshot()
{
    Model model;
    EXPECT_GE(gEachTopAreaNumber, 0);
    EXPECT_LE(gEachTopAreaNumber, kMaxTopAreas);
    EXPECT_LE(gTopAreaPointTotalNumber, kMaxTopPoints);
    int expectedStart = 0;
    for (int i = 0; i < gEachTopAreaNumber; ++i) {
        EXPECT_EQ(gEachTopAreaStartNum[i], expectedStart) << "run " << i << " is not contiguous";
        Area area{{}, gFlatTopHeight[i], gEachClosedTopAreaSTS[i]};
        for (int j = 0; j < gEachTopAreaPointNum[i]; ++j) {
            area.points.push_back({gNorthTopAreaX[expectedStart + j], gNorthTopAreaY[expectedStart + j]});
        }
        expectedStart += gEachTopAreaPointNum[i];
        model.push_back(area);
    }
    EXPECT_EQ(gTopAreaPointTotalNumber, expectedStart) << "point total is not the sum of the runs";
    return model;
}

const Area A = Outline(1, 5, 30.0f);  // a rectangle
const Area B = Outline(2, 6, 12.0f);
const Area C = Outline(3, 7, 45.5f);

Area Without(Area a, int i)
{
    a.points.erase(a.points.begin() + i);
    return a;
}
Area With(Area a, int i, TopAreaPoint p)
{
    a.points.insert(a.points.begin() + i, p);
    return a;
}

// `n` rectangles of 5 points each.
Model Rectangles(int n)
{
    Model model;
    for (int i = 0; i < n; ++i) model.push_back(Outline(i + 10, 5, 10.0f));
    return model;
}

// `n` top areas of one point each.
Model Singles(int n)
{
    Model model;
    for (int i = 0; i < n; ++i) model.push_back({{{static_cast<float>(i), 0.0f}}, 2.0f, 1});
    return model;
}

struct EditCase {
    const char* name;
    Model before;
    std::function<TopAreaEdit()> edit;
    TopAreaEdit result;
    std::optional<Model> after;  // nullopt: the model must be unchanged
};

}  // namespace

TEST(TopAreaModel, EditsKeepRunsContiguousAndTotalsSummed)
{
    const TopAreaPoint p{7.5f, -8.25f};
    const Area single{{{200, -2}}, 5.0f, 0};  // a one-point run (open)
    const std::vector<TopAreaPoint> rectangle = A.points;
    const std::vector<TopAreaPoint> twoPoints = {{1, 1}, {2, 2}};
    const std::vector<TopAreaPoint> onePoint = {{3, 3}};
    const std::vector<EditCase> cases = {
        {"append to an empty model", {}, [&] { return AppendTopArea(rectangle, 30.0f); }, TopAreaEdit::Done, Model{A}},
        {"append after others", {A, B}, [&] { return AppendTopArea(C.points, 45.5f); }, TopAreaEdit::Done, Model{A, B, C}},
        {"append nothing", {A}, [&] { return AppendTopArea({}, 10.0f); }, TopAreaEdit::OutOfRange, std::nullopt},
        {"remove the last of three", {A, B, C}, [] { return RemoveTopArea(2); }, TopAreaEdit::Done, Model{A, B}},
        // 5, 6 and 7 points: the third moves down by 6, keeping its height and closed flag.
        {"remove the middle of three", {A, B, C}, [] { return RemoveTopArea(1); }, TopAreaEdit::Done, Model{A, C}},
        {"remove the first of three", {A, B, C}, [] { return RemoveTopArea(0); }, TopAreaEdit::Done, Model{B, C}},
        {"remove the only one", {A}, [] { return RemoveTopArea(0); }, TopAreaEdit::Done, Model{}},
        {"delete with no selection", {A, B, C}, [] { return DeleteActiveBill(-1); }, TopAreaEdit::OutOfRange, std::nullopt},
        {"delete a selection at N", {A, B, C}, [] { return DeleteActiveBill(3); }, TopAreaEdit::OutOfRange, std::nullopt},
        {"delete from an empty model", {}, [] { return DeleteActiveBill(0); }, TopAreaEdit::OutOfRange, std::nullopt},
        {"delete the selected", {A, B, C}, [] { return DeleteActiveBill(1); }, TopAreaEdit::Done, Model{A, C}},
        // A rectangle losing its first corner is a closed triangle of 4 points.
        {"remove the first point", {A, B}, [] { return RemoveTopAreaPointData(0, 0); }, TopAreaEdit::Done,
         Model{{{A.points[1], A.points[2], A.points[3], A.points[1]}, A.height, 1}, B}},
        {"remove a middle point of the second", {A, B, C}, [] { return RemoveTopAreaPointData(1, 5 + 2); },
         TopAreaEdit::Done, Model{A, Without(B, 2), C}},
        {"remove the first point of the last", {A, B, C}, [] { return RemoveTopAreaPointData(2, 11); },
         TopAreaEdit::Done,
         Model{A, B, {{C.points[1], C.points[2], C.points[3], C.points[4], C.points[5], C.points[1]}, C.height, 1}}},
        // A run left with no point has no closing point: the area before it stays intact.
        {"remove the point of a one-point run", {A, single, B}, [] { return RemoveTopAreaPointData(1, 5); },
         TopAreaEdit::Done, Model{A, Without(single, 0), B}},
        {"remove a point of another area", {A, B}, [] { return RemoveTopAreaPointData(0, 5); }, TopAreaEdit::OutOfRange, std::nullopt},
        {"remove a point of no area", {A, B}, [] { return RemoveTopAreaPointData(2, 0); }, TopAreaEdit::OutOfRange, std::nullopt},
        {"insert into the first of three", {A, B, C}, [&] { return InsertTopAreaPoint(0, 2, p); }, TopAreaEdit::Done,
         Model{With(A, 2, p), B, C}},
        {"insert before the closing point of the last", {A, B, C}, [&] { return InsertTopAreaPoint(2, 17, p); },
         TopAreaEdit::Done, Model{A, B, With(C, 6, p)}},
        {"insert before the first point", {A, B}, [&] { return InsertTopAreaPoint(1, 5, p); }, TopAreaEdit::OutOfRange, std::nullopt},
        {"insert after the closing point", {A, B}, [&] { return InsertTopAreaPoint(0, 5, p); }, TopAreaEdit::OutOfRange, std::nullopt},
        {"append a 502nd top area", Singles(kMaxTopAreas), [&] { return AppendTopArea(onePoint, 1.0f); },
         TopAreaEdit::Full, std::nullopt},
        {"append the 501st top area", Singles(kMaxTopAreas - 1), [&] { return AppendTopArea(onePoint, 1.0f); },
         TopAreaEdit::Done, [] { Model m = Singles(kMaxTopAreas - 1); m.push_back({{{3, 3}}, 1.0f, 1}); return m; }()},
        {"append past 2001 points", Rectangles(400), [&] { return AppendTopArea(twoPoints, 1.0f); }, TopAreaEdit::Full, std::nullopt},
        {"append up to 2001 points", Rectangles(400), [&] { return AppendTopArea(onePoint, 1.0f); }, TopAreaEdit::Done,
         [] { Model m = Rectangles(400); m.push_back({{{3, 3}}, 1.0f, 1}); return m; }()},
        {"insert into a full model", [] { Model m = Rectangles(400); m.push_back({{{3, 3}}, 1.0f, 1}); return m; }(),
         [&] { return InsertTopAreaPoint(0, 1, p); }, TopAreaEdit::Full, std::nullopt},
        {"clear", {A, B, C}, [] { ClearTopAreaModel(); return TopAreaEdit::Done; }, TopAreaEdit::Done, Model{}},
        {"set a height", {A, B}, [] { return SetTopAreaHeight(1, 99.0f); }, TopAreaEdit::Done,
         Model{A, {B.points, 99.0f, 1}}},
        {"set the height of no area", {A, B}, [] { return SetTopAreaHeight(2, 1.0f); }, TopAreaEdit::OutOfRange, std::nullopt},
        {"set the height of area -1", {A, B}, [] { return SetTopAreaHeight(-1, 1.0f); }, TopAreaEdit::OutOfRange, std::nullopt},
        {"open an outline", {A, B}, [] { return SetTopAreaClosed(0, 0); }, TopAreaEdit::Done, Model{{A.points, A.height, 0}, B}},
        {"set the closed flag of no area", {A}, [] { return SetTopAreaClosed(1, 0); }, TopAreaEdit::OutOfRange, std::nullopt},
        {"move a point", {A, B}, [&] { return SetNorthTopAreaPoint(5 + 1, p.x, p.y); }, TopAreaEdit::Done,
         Model{A, [&] { Area b = B; b.points[1] = p; return b; }()}},
        {"move a point past the total", {A, B}, [&] { return SetNorthTopAreaPoint(11, p.x, p.y); }, TopAreaEdit::OutOfRange,
         std::nullopt},
        {"move point -1", {A, B}, [&] { return SetNorthTopAreaPoint(-1, p.x, p.y); }, TopAreaEdit::OutOfRange, std::nullopt},
        // The run primitives leave the points where they are: the runs move over them.
        {"shorten a run", {A, B}, [] { return ResizeTopAreaRun(0, -1); }, TopAreaEdit::Done,
         Model{{{A.points.begin(), A.points.end() - 1}, A.height, 1},
               {{A.points[4], B.points[0], B.points[1], B.points[2], B.points[3], B.points[4]}, B.height, 1}}},
        {"shorten a run below none", {A, B}, [] { return ResizeTopAreaRun(0, -6); }, TopAreaEdit::OutOfRange, std::nullopt},
        {"resize no run", {A, B}, [] { return ResizeTopAreaRun(2, 1); }, TopAreaEdit::OutOfRange, std::nullopt},
        {"lengthen a run past 2001 points", Rectangles(400), [] { return ResizeTopAreaRun(0, 2); }, TopAreaEdit::Full,
         std::nullopt},
        {"remove the first run", {A, B}, [] { return RemoveTopAreaRun(0); }, TopAreaEdit::Done,
         Model{{{A.points[0], A.points[1], A.points[2], A.points[3], A.points[4], B.points[0]}, B.height, 1}}},
        {"remove no run", {A, B}, [] { return RemoveTopAreaRun(2); }, TopAreaEdit::OutOfRange, std::nullopt},
        {"append an empty run", {A}, [] { return AppendTopAreaRun(0, 1.0f); }, TopAreaEdit::OutOfRange, std::nullopt},
        {"append a 502nd run", Singles(kMaxTopAreas), [] { return AppendTopAreaRun(1, 1.0f); }, TopAreaEdit::Full,
         std::nullopt},
        {"append a run past 2001 points", Rectangles(400), [] { return AppendTopAreaRun(2, 1.0f); }, TopAreaEdit::Full,
         std::nullopt},
        {"replace with points", {A, B}, [&] {
             const TopAreaRun runs[] = {{0, 2, 0, 3.0f}, {2, 1, 1, 4.0f}};
             const TopAreaPoint points[] = {p, {1, 2}, {3, 4}};
             return ReplaceTopAreaModel(runs, points);
         },
         TopAreaEdit::Done, Model{{{p, {1, 2}}, 3.0f, 0}, {{{3, 4}}, 4.0f, 1}}},
        {"replace the runs over the points", {A, B}, [] {
             const TopAreaRun runs[] = {{0, 11, 1, 9.0f}};
             return ReplaceTopAreaModel(runs, 11);
         },
         TopAreaEdit::Done, [] { Area ab{A.points, 9.0f, 1}; ab.points.insert(ab.points.end(), B.points.begin(), B.points.end()); return Model{ab}; }()},
        {"replace with a gap between runs", {A, B}, [] {
             const TopAreaRun runs[] = {{0, 5, 1, 1.0f}, {6, 5, 1, 1.0f}};
             return ReplaceTopAreaModel(runs, 11);
         },
         TopAreaEdit::OutOfRange, std::nullopt},
        {"replace with runs short of the total", {A, B}, [] {
             const TopAreaRun runs[] = {{0, 5, 1, 1.0f}};
             return ReplaceTopAreaModel(runs, 11);
         },
         TopAreaEdit::OutOfRange, std::nullopt},
        {"replace with a negative count", {A, B}, [] {
             const TopAreaRun runs[] = {{0, 2, 1, 1.0f}, {2, -1, 1, 1.0f}};
             return ReplaceTopAreaModel(runs, 1);
         },
         TopAreaEdit::OutOfRange, std::nullopt},
        {"replace with 2002 points", {A, B}, [] {
             const TopAreaRun runs[] = {{0, kMaxTopPoints + 1, 1, 1.0f}};
             return ReplaceTopAreaModel(runs, kMaxTopPoints + 1);
         },
         TopAreaEdit::Full, std::nullopt},
        {"replace with 502 runs", {A, B}, [] {
             std::vector<TopAreaRun> runs;
             for (int i = 0; i <= kMaxTopAreas; ++i) runs.push_back({i, 1, 1, 1.0f});
             return ReplaceTopAreaModel(runs, kMaxTopAreas + 1);
         },
         TopAreaEdit::Full, std::nullopt},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        Load(c.before);
        const Model before = Snapshot();
        EXPECT_EQ(c.edit(), c.result);
        EXPECT_EQ(Snapshot(), c.after.value_or(before));
    }
    ClearTopAreaModel();
}
