#pragma once
// The skyline: for each direction, the highest elevation under which a building of the height
// grid rises above the observer's antenna, found by marching through the grid cell by cell.
//
// Directions are whole degrees counted as mathematical angles (0 = right/east, 90 = top/north,
// counter-clockwise). Grid directions are those of the grid's own frame (the map as drawn when the
// grid was built); true azimuths are those of the site. GridDirectionOfAzimuth is the one place
// that turns one into the other.

#include "judge/Meshes.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

// gCutElevation, the skyline of the last observer, is declared beside the visibility counts
// that read it; this march writes it, indexed by true azimuth.
#include "orbit/VisibleSatellites.h"

namespace judge {

// Extent of a march: columns 0..lastX and rows 0..lastY of the grid (162 and 135 in every use).
// Cells outside it, and outside the grid, count as open ground.
struct MarchArea {
    int lastX = kMarchLastX;
    int lastY = kMarchLastY;
};

// How the rise of a cell above the antenna is formed: in double precision (the skyline at a
// point) or in single precision (the per-cell judgement).
enum class RisePrecision { Double, Single };

// Obstruction elevation in degrees along grid direction `a` (whole degrees 0..359; any other value
// gives 0) from cell (i0, j0), with antenna height h metres and cell size `cell` metres. Marches
// along the main axis of the direction's sector, one column or row per step, up to the edge of the
// area; the cross index follows the slope rounded halves-to-even and the march ends where it leaves
// the area. A cell k steps out lies at distance cell * sqrt((k + 0.5)^2 + (f k)^2). Observers off
// the grid are allowed: nothing outside the area or the grid's storage is read.
double MarchDirection(const HeightMesh& mesh, std::int64_t i0, std::int64_t j0, const MarchArea& area, double cell, int a, double h,
                      RisePrecision precision);

// The observer's cell of a point in grid metres: floor(x / cell) + 81, floor(y / cell) + 67.
// A coordinate that is not a number gives a cell far off the grid.
void ObserverCell(double x, double y, double cell, std::int64_t& i0, std::int64_t& j0);

// The skyline in grid directions 0..359 from cell (i0, j0).
std::array<double, 360> GridSkyline(const HeightMesh& mesh, std::int64_t i0, std::int64_t j0, const MarchArea& area, double cell, double h,
                                    RisePrecision precision);

// The whole-degree grid direction (0..359) of true azimuth `azimuth` on a grid built with the map
// turned by `rotateDeg` (positive clockwise): the whole part of azimuth - rotateDeg brought into
// [0, 360). Returns -1 for a value that is not a number.
int GridDirectionOfAzimuth(float azimuth, float rotateDeg);

// The skyline by true azimuth 0..360 (entry 360 = entry 0) from one in grid directions.
std::array<float, 361> TrueAzimuthSkyline(const std::array<double, 360>& grid, float rotateDeg);

// The height grid as an antenna at height h sees it, prepared for many marches over the area:
// the grid itself, the highest rise of any cell above the antenna, and for every cell of the area
// its clearance, the chessboard distance to the nearest cell that rises above the antenna (0 on
// such a cell; at most 255, which also stands for "farther"). A march whose cross index moves by
// at most one per step cannot meet a rising cell within `clearance` steps, so it may leap them.
class MarchGround {
public:
    // The area is cut to the grid's storage.
    MarchGround(const HeightMesh& mesh, const MarchArea& area, float h);
    const HeightMesh& mesh() const { return mesh_; }
    const MarchArea& area() const { return area_; }
    float antenna() const { return h_; }
    // The highest H(i, j) - h over the area, formed in single precision as the march forms it;
    // 0 when nothing rises.
    float maxRise() const { return maxRise_; }
    // Cell (i, j) must lie inside the area.
    int clearance(int i, int j) const { return clearance_[static_cast<std::size_t>(j * (area_.lastX + 1) + i)]; }

private:
    HeightMesh mesh_;
    MarchArea area_;
    float h_;
    float maxRise_ = 0.0f;
    std::vector<std::uint8_t> clearance_;  // (lastX + 1) * (lastY + 1), row by row
};

// Distances and cross offsets of every step of the 360 directions, shared by all observers inside
// the area: the march from a cell then reads the grid and compares rise-to-distance ratios, which
// gives exactly the elevations of MarchDirection.
class DirectionTable {
public:
    DirectionTable(const MarchArea& area, double cell);
    // The skyline in grid directions 0..359 from cell (i0, j0), rises in single precision: exactly
    // MarchDirection with RisePrecision::Single over the table's area (a cell off the area, or off
    // the grid's storage, takes that slower march). `ground` must have been prepared over the same
    // area and grid. The march leaps over open ground and ends a direction once no cell left in it
    // can rise above the best ratio found so far, which changes no result.
    // With `needed`, only the directions it marks are marched; the others are left as they were.
    void skyline(const MarchGround& ground, int i0, int j0, std::array<double, 360>& out, const std::bitset<360>* needed = nullptr) const;
    // The same on a grid prepared for this one call.
    void skyline(const HeightMesh& mesh, int i0, int j0, float h, std::array<double, 360>& out,
                 const std::bitset<360>* needed = nullptr) const;
private:
    struct Direction {
        int sector = 1;                 // 1..4
        bool leaps = true;              // the cross index moves by at most one per step
        std::vector<int> crossOffset;   // per step k
        std::vector<double> distance;   // per step k, growing with k
    };
    MarchArea requested_;  // the area as given, for the marches from cells off it
    MarchArea area_;       // the area cut to the grid's storage
    double cell_;
    std::vector<Direction> dirs_;
};

}  // namespace judge

// The skyline at an observer given in the frame of the last built height grid (grid metres:
// x towards the picture's right, y towards its top), over columns 0..numX and rows 0..numY, with
// cell size `cell` and antenna height h; stores it into gCutElevation by true azimuth, turning the
// grid's directions by the rotation the grid was built with.
void ComputeCutElevation(double x, double y, int numX, int numY, float cell, float h);
// The same for an observer given in site metres (x east, y north, map centre included): turned into
// the grid's frame through the view the grid was built in, so a later zoom, pan or turn of the map
// does not move it.
void ComputeCutElevationAtSite(double siteX, double siteY, float h);
// Obstruction elevation along grid direction a from grid cell (i0, j0) with the antenna height
// gAntennaHeight, on gBillHeightMesh; 0 for a direction outside 0..359.
double ComputeCutAngleAtPoint(int i0, int j0, int numX, int numY, float cell, int a);
