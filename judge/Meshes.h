#pragma once
// The two grids of the judgement and the view a height grid was built in (a MapViewState).
//
// The height grid covers the site map as it was drawn when it was built: cell (i, j) is the square
// of side c centred on grid point ((i - 81) c, (j - 67) c), where c = (864 / scale) / 162 metres is
// 16/3 picture units at every zoom step. Grid metres are picture units divided by the scale:
// x towards the picture's right, y towards its top, origin at the picture origin.

#include <array>
#include <cstddef>

#include "site/MapView.h"

namespace judge {

// A fixed-size grid of single-precision values, first index x (column), x varying fastest in
// storage. Reads outside the grid give 0 (open ground); writes outside it are skipped.
template <int W, int H>
class FloatMesh {
public:
    static constexpr int kWidth = W;
    static constexpr int kHeight = H;

    static constexpr bool Contains(long long i, long long j) { return i >= 0 && i < W && j >= 0 && j < H; }
    float at(long long i, long long j) const { return Contains(i, j) ? cells_[Index(i, j)] : 0.0f; }
    void set(long long i, long long j, float value)
    {
        if (Contains(i, j)) cells_[Index(i, j)] = value;
    }
    // Unchecked access for inner loops whose indices were checked before.
    float raw(int i, int j) const { return cells_[Index(i, j)]; }
    void clear() { cells_.fill(0.0f); }
    // Sets columns 0..lastX and rows 0..lastY (cut to the grid) to 0.
    void clearRange(int lastX, int lastY)
    {
        for (int j = 0; j <= lastY && j < H; ++j)
            for (int i = 0; i <= lastX && i < W; ++i) cells_[Index(i, j)] = 0.0f;
    }
    bool operator==(const FloatMesh&) const = default;

private:
    static constexpr std::size_t Index(long long i, long long j) { return static_cast<std::size_t>(j) * W + static_cast<std::size_t>(i); }
    std::array<float, static_cast<std::size_t>(W) * H> cells_{};
};

using HeightMesh = FloatMesh<331, 271>;  // building heights in metres, 0 = open ground
using AreaMesh = FloatMesh<121, 101>;    // judged window: 0 building, else count or class

// Grid layout.
inline constexpr int kOriginCellX = 81;   // column under the picture origin
inline constexpr int kOriginCellY = 67;   // row under the picture origin
inline constexpr int kBuildLastX = 324;   // the build writes columns 0..324 ...
inline constexpr int kBuildLastY = 270;   // ... and rows 0..270
inline constexpr int kMarchLastX = 162;   // the skyline march covers columns 0..162 ...
inline constexpr int kMarchLastY = 135;   // ... and rows 0..135 (the picture's part of the grid)

}  // namespace judge

// The building height grid, 331 x 271 (columns 0..330, rows 0..270), rebuilt before every use.
extern judge::HeightMesh gBillHeightMesh;
// The view and the cell size (metres) gBillHeightMesh was last built with.
extern MapViewState gBillHeightMeshView;
extern float gBillHeightMeshCell;
// The area grid, 121 x 101, of which the judged window uses columns 0..54 and rows 0..45.
extern judge::AreaMesh gComuAreaMesh;
