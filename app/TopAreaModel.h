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
