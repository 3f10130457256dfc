#pragma once
// The building height grid: a scan-line rasteriser of the roof outlines.
//
// Stage 1 turns every edge of every outline into crossings (the cells where the edge meets a grid
// row), stage 2 orders them by outline, row and column, stage 3 pairs the crossings of each
// outline's row and fills the grid with the outline's height. The pure stages take outlines in
// grid metres with the cell size in metres (any unit works when the cell size is given in the same
// unit). Rows outside 0..270 give no crossing and spans are cut to columns 0..324, so an outline
// partly or wholly off the grid never paints its border.
//
// Which crossings pair: a sloped edge counts on its rows from its lower end's up to, not
// including, its upper end's, so every vertex's row is counted once by the edges that pass
// through it and twice or not at all at a peak or a valley; a flat edge (horizontal, or both ends
// rounding to one row) counts on none. On each row the counting crossings of an outline, taken by
// column, pair first with second, third with fourth, and each pair fills its cells with both
// ends. For a closed outline the count on every row is even. Besides the pairs, every crossing
// fills its own cell, and a flat edge all cells from one end's column to the other's on its row,
// so the top rows of rectangles, apex cells and flat sides are kept.

#include "judge/Meshes.h"

#include <cstdint>
#include <vector>

namespace judge {

// Where the grid lies: the cell under the origin of the grid metres, and the last column and row
// that crossings and spans may reach (both from 0).
struct GridFrame {
    int originX = kOriginCellX;
    int originY = kOriginCellY;
    int lastX = kBuildLastX;
    int lastY = kBuildLastY;
};
inline constexpr GridFrame kHeightGridFrame{};

struct GridPoint {
    double x = 0.0;
    double y = 0.0;
};

// One roof outline: its points in order (a closed outline repeats its first point as its last;
// no closing edge is added) and its roof height in metres.
struct Outline {
    std::vector<GridPoint> points;
    float height = 0.0f;
};

// One crossing of an edge with a grid row.
struct Crossing {
    int area = 0;              // outline index
    std::int64_t x = 0;        // grid column; may lie off the grid (left of 0 or right of the last)
    int y = 0;                 // grid row, 0..last row
    bool counts = false;       // takes part in the pairing of its row
    std::int64_t fillTo = 0;   // the crossing fills its row from x to this column (x but on a flat edge)
};

// Appends the crossings of the edge (x1, y1) -> (x2, y2) of outline `area` (grid metres, cell size
// `cell`): one per row from the lower to the upper end's row for a sloped edge, x stepping evenly
// over the rows, counting on all rows but the upper end's; on the row of a flat edge one crossing
// at each end (horizontal) or at its first end (ends rounding to one row), counting on none and
// filling to the other end's column. Rows are rounded halves-to-even from the frame's origin row,
// columns likewise from its origin column.
void AddEdgeCutRows(std::vector<Crossing>& rows, double cell, double x1, double y1, double x2, double y2, int area,
                    const GridFrame& frame = kHeightGridFrame);

// Stage 1: the crossings of all edges between consecutive points of every outline, in order.
std::vector<Crossing> MakeFirstCutList(const std::vector<Outline>& outlines, double cell,
                                       const GridFrame& frame = kHeightGridFrame);

// Stage 2: orders by outline, row, column (ties keep their order).
void SortFirstCutList(std::vector<Crossing>& rows);

// Stage 3: over the ordered crossings, fills every pair of counting crossings of an outline's row
// and every crossing's own cells (both ends included, cut to columns 0..last column) with its
// outline's height. Where outlines overlap a cell keeps the greatest of their heights, whatever
// their order; cells no outline covers keep their value.
void FillBillHeightMesh(const std::vector<Crossing>& rows, const std::vector<Outline>& outlines, HeightMesh& mesh,
                        const GridFrame& frame = kHeightGridFrame);

// The three stages over a grid the caller cleared.
void BuildHeightMesh(const std::vector<Outline>& outlines, double cell, HeightMesh& mesh);

// The building model's outlines in the grid frame of the map as drawn now (through SiteToPicture).
// Top areas and points outside the model's arrays are skipped.
std::vector<Outline> CurrentModelOutlines();

}  // namespace judge

// Rebuilds gBillHeightMesh from the building model under the current map view with cell size
// `cell` metres (the caller's (864 / scale) / 162): clears columns 0..324 and rows 0..270, fills
// them, and records the view and cell size in gBillHeightMeshView and gBillHeightMeshCell.
void MakeBillHeightMesh(float cell);
