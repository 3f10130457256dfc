#pragma once
// The building model: the buildings around the site, each one top area (the outline of its roof
// as a polygon in site metres, x east, y north) with the height of its roof above the ground.
//
// Invariants: top area i owns the contiguous run of points gEachTopAreaStartNum[i] ..
// gEachTopAreaStartNum[i] + gEachTopAreaPointNum[i] - 1; runs follow each other in index order
// from 0, and gTopAreaPointTotalNumber is the sum of all point counts. A closed outline repeats
// its first point as its last. Records at gEachTopAreaNumber and points at
// gTopAreaPointTotalNumber and beyond are free (stale, never read).

#include <array>
#include <span>

inline constexpr int kMaxTopAreas = 501;   // top areas 0..500
inline constexpr int kMaxTopPoints = 2001; // points 0..2000

extern int gEachTopAreaNumber;       // N, top areas in use, 0..501
extern int gTopAreaPointTotalNumber; // M, points in use, 0..2001
extern std::array<int, kMaxTopAreas> gEachTopAreaStartNum;
extern std::array<int, kMaxTopAreas> gEachTopAreaPointNum;   // closing point included
extern std::array<int, kMaxTopAreas> gEachClosedTopAreaSTS;  // 1 for a closed outline
extern std::array<float, kMaxTopAreas> gFlatTopHeight;       // roof height, metres
extern std::array<float, kMaxTopPoints> gNorthTopAreaX;      // metres east (north-up site frame)
extern std::array<float, kMaxTopPoints> gNorthTopAreaY;      // metres north

// Calibration state of the site points: 0 local metres, 1 plane rectangular coordinates.
extern int gFixDataSTS;

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
