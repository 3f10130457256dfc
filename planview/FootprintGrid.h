#pragma once
// The footprint grid of the building input's developer function: every roof of the plan turned
// north-up and rasterised at one cell per metre into gBillHeightMesh, each covered cell holding
// the roof's index + 1.
//
// Cell (i, j) stands for the north-up plan position (i - 150, j - 150) metres, so the plan origin
// lies in cell (150, 150) and the grid reaches 150 m west and south, 180 m east and 120 m north
// of it; spans beyond columns 0..330 or rows 0..270 are not stored. The crossings and their
// pairing are the height grid's (judge/HeightGrid.h) with this frame: an edge crosses every scan
// line from its lower to its upper end's rounded y (halves to even), the crossings of a roof's
// scan line that count pair off in column order and fill between them, and every crossing and
// every flat edge fills its own cells. Where roofs overlap, a cell keeps the greater value, that
// is the number of the roof that comes later in the model.

#include <vector>

#include "judge/HeightGrid.h"

inline constexpr judge::GridFrame kFootprintFrame{150, 150, 330, 270};
// A run records at most this many crossings; later ones are dropped.
inline constexpr std::size_t kMaxFootprintCrossings = 10000;

// The ordered crossings of every roof's plan outline (gFlatTopAreaX/Y) turned
// counter-clockwise by `northAngle` degrees; each crossing's area is its roof index.
std::vector<judge::Crossing> MakeFootprintCrossings(float northAngle);

// Clears `mesh` and fills the roofs of `crossings` (ordered) with roof index + 1.
void FillFootprintGrid(const std::vector<judge::Crossing>& crossings, judge::HeightMesh& mesh);
