#pragma once
// The building height grid: a scan-line rasteriser of the roof outlines.
//
// Stage 1 turns every edge of every outline into crossings (the cells where the edge meets a grid
// row), stage 2 orders them by outline, row and column and marks which crossings open and close a
// filled span, stage 3 writes the spans into the grid with the outline's height. The pure stages
// take outlines in grid metres with the cell size in metres (any unit works when the cell size is
// given in the same unit). Rows outside 0..270 give no crossing and spans are cut to columns 0..324,
// so an outline partly or wholly off the grid never paints its border.

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
    int area = 0;          // outline index
    std::int64_t x = 0;    // grid column; may lie off the grid (left of 0 or right of the last)
    int y = 0;             // grid row, 0..last row
    int direction = 0;     // 1 rising edge, -1 falling, 0 horizontal
    int runLength = 0;     // on the first crossing of a run: the run's length; else 0
    int mark = 0;          // 1 opens a span, 2 closes it, -1 ignored, 0 unmarked
};

// Appends the crossings of the edge (x1, y1) -> (x2, y2) of outline `area` (grid metres, cell size
// `cell`): one per row from the lower to the upper end's row for a sloped edge, x stepping evenly
// over the rows; two on the row of a horizontal edge (its ends, direction 0). Rows are rounded
// halves-to-even from the frame's origin row, columns likewise from its origin column.
void AddEdgeCutRows(std::vector<Crossing>& rows, double cell, double x1, double y1, double x2, double y2, int area,
                    const GridFrame& frame = kHeightGridFrame);

// Stage 1: the crossings of all edges between consecutive points of every outline, in order.
std::vector<Crossing> MakeFirstCutList(const std::vector<Outline>& outlines, double cell,
                                       const GridFrame& frame = kHeightGridFrame);

// Stage 2: orders by outline, row, column (ties keep their order), writes run lengths and marks.
void SortFirstCutList(std::vector<Crossing>& rows);

// Stage 3: fills every marked span (both end cells included, cut to columns 0..last column) of the
// ordered crossings with its outline's height; later outlines overwrite earlier ones.
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
