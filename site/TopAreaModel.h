#pragma once
// The building model: the buildings around the site, each one top area (the outline of its roof
// as a polygon in site metres, x east, y north) with the height of its roof above the ground.
//
// Invariants: top area i owns the contiguous run of points gEachTopAreaStartNum[i] ..
// gEachTopAreaStartNum[i] + gEachTopAreaPointNum[i] - 1; runs follow each other in index order
// from 0, and gTopAreaPointTotalNumber is the sum of all point counts. A closed outline repeats
// its first point as its last. Records at gEachTopAreaNumber and points at
// gTopAreaPointTotalNumber and beyond are free (stale, never read).
//
// Everything reads the model by the names below; only this model's own functions write it, so
// the invariants hold wherever it is read. Writers:
// - the site map's edits (EditOperations: AppendTopArea, InsertTopAreaPoint,
//   RemoveTopAreaPointData, RemoveTopArea, SetNorthTopAreaPoint for a moved vertex) and its
//   delete command (DeleteActiveBill);
// - the main window's reset commands (ClearTopAreaModel) and the project reader (ApplyProject:
//   ReplaceTopAreaModel with the points, SetFixDataSTS);
// - the scripted demonstration's buildings (ClearTopAreaModel, AppendTopArea);
// - the building input: the photo model's roof edits (AppendTopAreaRun, ResizeTopAreaRun,
//   RemoveTopAreaRun, ResetTopAreaRecords; the photo points are the photo model's own), the
//   building-data reader and the sample sets (ApplyLineData: ReplaceTopAreaModel without
//   points), the plan conversion (SetTopAreaHeight from the wall edges, SetNorthTopAreaPoint
//   for the north-up points), its height dialog (SetTopAreaHeight), its hand-over
//   (SetFixDataSTS(0)) and its snapshot of the whole model (CaptureTopAreaModel /
//   RestoreTopAreaModel) for a dropped edit;
// - the site map's height dialog (SetTopAreaHeight);
// - the map correction (SetNorthTopAreaPoint for every point, SetFixDataSTS(1)).

#include <array>
#include <span>

inline constexpr int kMaxTopAreas = 501;   // top areas 0..500
inline constexpr int kMaxTopPoints = 2001; // points 0..2000

extern const int& gEachTopAreaNumber;       // N, top areas in use, 0..501
extern const int& gTopAreaPointTotalNumber; // M, points in use, 0..2001
extern const std::array<int, kMaxTopAreas>& gEachTopAreaStartNum;
extern const std::array<int, kMaxTopAreas>& gEachTopAreaPointNum;   // closing point included
extern const std::array<int, kMaxTopAreas>& gEachClosedTopAreaSTS;  // 1 for a closed outline
extern const std::array<float, kMaxTopAreas>& gFlatTopHeight;       // roof height, metres
extern const std::array<float, kMaxTopPoints>& gNorthTopAreaX;      // metres east (north-up site frame)
extern const std::array<float, kMaxTopPoints>& gNorthTopAreaY;      // metres north

// Calibration state of the site points: 0 local metres, 1 plane rectangular coordinates.
extern const int& gFixDataSTS;
void SetFixDataSTS(int state);

// ---- Primitives that keep the invariants above ----------------------------------------------
// Adds and inserts check the limits first and are refused whole when the result would not fit
// (the model is then unchanged); indices outside the model are refused the same way.

enum class TopAreaEdit {
    Done,
    Full,        // would need a 502nd top area or a 2002nd point
    OutOfRange,  // no such top area or point
};

// Shown by the window when an add or insert is refused for want of room.
inline constexpr const char* kTopAreaFullMessage =
    "建物データが上限に達したため、これ以上追加できません。\n"
    "（建物は501棟まで、頂点は合計2001点まで）";

struct TopAreaPoint {
    float x;  // metres east
    float y;  // metres north
    bool operator==(const TopAreaPoint&) const = default;
};

// Sets the roof height of top area j.
TopAreaEdit SetTopAreaHeight(int j, float height);

// Sets the closed flag of top area j (1 closed). No window changes it alone (new outlines are
// closed, files bring theirs); the tests use it to give an outline the flag they need.
TopAreaEdit SetTopAreaClosed(int j, int closed);

// Moves point k (0 .. M - 1) to (x, y) in the north-up site frame.
TopAreaEdit SetNorthTopAreaPoint(int k, float x, float y);

// ---- Runs without their points, for a model that keeps its own points (the photo model keeps
// the roofs' photo points in its own arrays and moves them itself; the north-up points stay).

// Appends top area N with a run of `count` points (1 or more) at the end of the points, closed
// flag 1 and the given height.
TopAreaEdit AppendTopAreaRun(int count, float height);

// Lets the run of top area j hold `by` points more (less when negative, down to none): the
// later runs start `by` places later and the point total follows.
TopAreaEdit ResizeTopAreaRun(int j, int by);

// Removes the record of top area j: the later records move down one place, their runs start
// j's point count earlier, and the point total drops by that count.
TopAreaEdit RemoveTopAreaRun(int j);

// Empties the model and sets every record (start, count, closed flag, height) to 0; the
// north-up points keep their values.
void ResetTopAreaRecords();

// ---- Whole model

// One top area's record as a file brings it.
struct TopAreaRun {
    int start = 0;
    int count = 0;      // closing point included
    int closed = 1;
    float height = 0.0f;
};

// Replaces the records and both counts with `runs` and a point total of `pointTotal`; the
// north-up points keep their values (a model whose points are kept elsewhere). The runs must
// follow each other from point 0 (counts 0 or more) and end at the point total, else the call
// is refused (OutOfRange) and the model stays as it was; more than 501 runs or 2001 points are
// refused as Full. Records past the new count keep what they held.
TopAreaEdit ReplaceTopAreaModel(std::span<const TopAreaRun> runs, int pointTotal);

// The refusal ReplaceTopAreaModel would give for `runs` over `pointTotal` points (Done when it
// would take them), without changing anything: for a caller that must check before it changes
// other state.
TopAreaEdit CheckTopAreaRuns(std::span<const TopAreaRun> runs, int pointTotal);

// Why a file whose roofs such a check refuses is not taken, to show with the file's name.
inline constexpr const char* kBrokenRunsReason = "屋根の頂点の並びが建物データの決まりに合いません。";

// As above, with the north-up points 0 .. points.size() - 1 set to `points` and the point
// total their number.
TopAreaEdit ReplaceTopAreaModel(std::span<const TopAreaRun> runs, std::span<const TopAreaPoint> points);

// Appends top area N with the given points (a closed outline repeats its first point as its
// last), height in metres and the closed flag 1. An empty point list is refused (OutOfRange).
TopAreaEdit AppendTopArea(std::span<const TopAreaPoint> points, float height);

// Removes top area j and its points; the later top areas and their points move down one place.
TopAreaEdit RemoveTopArea(int j);

// Removes the selected top area `active` (what the delete command does); a selection of -1 or
// at or beyond N changes nothing. The caller clears its selection.
TopAreaEdit DeleteActiveBill(int active);

// Removes point k (an index into the point arrays) of top area j: later points move down, the
// point count, the point total and the later start indices drop by one. When k is the first
// point of the run, the closing point becomes the new first point so the outline stays closed.
// The caller removes the whole top area when too few points remain.
TopAreaEdit RemoveTopAreaPointData(int j, int k);

// Inserts point p at index k of top area j, between points k - 1 and k of its run
// (k in start + 1 .. start + count - 1): the points from k on move up one place and the later
// runs start one place later.
TopAreaEdit InsertTopAreaPoint(int j, int k, TopAreaPoint p);

// Empties the model (both counts 0); the stale array contents stay.
void ClearTopAreaModel();

// The whole building model (records, counts and north-up points) as it stands, so that a window
// that works on the shared records can put them back when its work is dropped.
struct TopAreaSnapshot {
    int areas = 0;
    int points = 0;
    std::array<int, kMaxTopAreas> startNum{};
    std::array<int, kMaxTopAreas> pointNum{};
    std::array<int, kMaxTopAreas> closed{};
    std::array<float, kMaxTopAreas> height{};
    std::array<float, kMaxTopPoints> northX{};
    std::array<float, kMaxTopPoints> northY{};
};
TopAreaSnapshot CaptureTopAreaModel();
void RestoreTopAreaModel(const TopAreaSnapshot& snapshot);
