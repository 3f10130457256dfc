#pragma once
// The wall face below a found roof, in the analysis window (GreyLevels.h; y grows upwards, so a
// smaller y lies lower in the picture).
//
// In the oblique picture the wall that faces the viewer lies below the roof's lowest corner,
// darker than the roof and of nearly one grey. FindWallStart finds a pixel of that face just below
// the lowest corner; MarkWallArea follows the face row by row up to the roof and down to the
// ground, records its left and right boundary pixels and marks them in the class mask for the
// wall edge selection (WallEdge.h).

#include "roofdetect/EdgeMask.h"
#include "roofdetect/PolygonFit.h"

#include <optional>
#include <vector>

namespace roofdetect {

// The search box below the lowest corner (x0, y0): columns x0 - 20 .. x0 + 20 within 2..498,
// rows y0 - 1 down to y0 - 20, the upper row at most 388 and the lower one at least 2.
inline constexpr int kWallSearchReach = 20;
// A wall start is the pixel whose equal predecessors in its row number more than this.
inline constexpr int kWallRunLength = 9;
// A pixel belongs to the face within this many grey levels of the face's grey, both ends included.
inline constexpr int kWallFaceTolerance = 20;

struct WallStart {
    MaskPixel pixel;  // window position where the face starts
    int grey = 0;     // its grey level, the face's grey (pWallGray)
};

// FindWallStart: the wall face's start below the lowest corner of the table that is not merged
// (smallest v, the earlier row among equals). Scans the search box row by row from the top, each
// row left to right, first for greys in roofGray - 60 < g < roofGray - 30, then, when that band
// has no start, in roofGray - 120 < g < roofGray - 60. In a row, a pixel in the band equal to the
// remembered grey adds one to a run count, a different one in the band becomes the remembered
// grey with the count back at 0, and one outside the band puts the count back at 0 keeping the
// remembered grey; the pixel that brings the count past 9 (the 11th of an unbroken run) is the
// start. A start whose column, followed upwards while it keeps the start's grey, does not meet
// roof grey (the roof's within kRoofBand, or brighter) within three rows is no face but flat
// ground beside the building: the scan goes on past it. A start in a row or two of greys between
// the roof's and those of the face below them
// (the roof's edge falling between pixel rows) is no face: the search goes on below those rows,
// keeping that start when it finds none. None without a kept corner or without a start in either
// band.
std::optional<WallStart> FindWallStart(const AnalysisWindow& window, int roofGray, const std::vector<RoofCorner>& corners);

// The wall faces to try for a wall edge, in order: first the one FindWallStart gives (when it
// gives one); then the faces of other greys under the kept corners, lowest corner first (the
// earlier row among equals), one face per grey. Below a corner where two walls meet (a crease) lie both walls' faces, and
// the one below the lowest corner may be seen nearly edge-on, too narrow at its ends to measure,
// while the other is seen squarely; where two corners tie for lowest, the other one's face may
// be the one that shows the wall. Below each corner the search is FindWallStart's, with every
// pixel within kWallFaceTolerance of a face already found counted outside the bands: that face
// is the same one, as MarkWallArea follows it. Empty without a start.
std::vector<WallStart> FindWallStarts(const AnalysisWindow& window, int roofGray, const std::vector<RoofCorner>& corners);

// MarkWallArea: follows the face of grey wallGray (pixels within +-20) from `start`: upwards from
// the row above it to row 390, then downwards from its own row to row 0, along a centre column
// that starts at start.x in each pass. In every row whose centre pixel is on the face it records
// the last face pixel to the right of the centre (when the face stops before column 500; that
// column then becomes the right edge r), then the last face pixel to the left (when the face stops
// after column 0; the centre then moves to the middle of that pixel and r, halves to even); a row
// whose centre is off the face ends the pass. r starts at 500 and carries over between rows and
// passes. Clears `edge` and marks every recorded pixel kMaskTraced. Returns the recorded pixels in
// order (within a row the right one first); their number bounds the wall edge chains.
std::vector<MaskPixel> MarkWallArea(const AnalysisWindow& window, int wallGray, MaskPixel start, ByteMask& edge);

}  // namespace roofdetect
