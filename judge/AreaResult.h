#pragma once
// A judged area map as it is shown: its values, which cells were judged, its cell size, the frame
// of the height grid it was judged on and the conditions its legend prints. The map is repainted
// from this snapshot alone, so a later grid build, zoom step or change of the conditions does not
// alter a result on the screen.

#include "site/MapView.h"
#include "judge/AreaJudge.h"
#include "judge/Meshes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace judge {

enum class AreaResultKind {
    Count,  // visible satellites at one step (1 or more per open cell)
    Mean,   // class 1..20 of the share of steps with enough satellites
};

// What the legends print: the observation conditions of the judgement.
struct LegendConditions {
    float latitude = 0.0f;   // degrees
    float longitude = 0.0f;  // degrees
    std::string date;        // "yyyy/MM/dd"
    int startStep = 0;       // TimeStep (the count map's step)
    int endStep = 0;         // TimeStep (the probability map's last step)
    float antenna = 0.0f;    // metres
    float mask = 0.0f;       // degrees
    int criterion = 0;       // 1: four or more satellites, 2: five or more, else none
};

// The program-wide conditions now.
LegendConditions CurrentLegendConditions();

struct AreaResult {
    AreaResultKind kind = AreaResultKind::Count;
    JudgeSetup setup;             // window, cell size (metres) and march of the judgement
    MapViewState view;                // the map view the height grid was built in
    LegendConditions conditions;
    std::vector<float> values;    // per window cell: 0 building or not judged, else count or class
    std::vector<std::uint8_t> judged;  // per window cell: 1 once the judgement reached it

    // An empty result (nothing judged) over the window of `setup`.
    static AreaResult Blank(AreaResultKind kind, const JudgeSetup& setup, const MapViewState& view, const LegendConditions& conditions);

    int columns() const { return setup.lastX + 1; }
    int rows() const { return setup.lastY + 1; }
    bool contains(int i, int j) const { return i >= 0 && i < columns() && j >= 0 && j < rows(); }
    // 0 outside the window.
    float at(int i, int j) const;
    bool isJudged(int i, int j) const;
    // Stores a judged value; ignored outside the window.
    void set(int i, int j, float value);
    // Row of the result's colour table for window cell (i, j), -1 when the cell is not painted
    // (a building, a cell not judged, or a value the table has no row for).
    int colorIndex(int i, int j) const;
    // The colour value (red + 256 green + 65536 blue) of the cell; only for colorIndex >= 0.
    std::uint32_t colorValue(int i, int j) const;
};

// Picture point (units of the site map) of the centre of window cell (i, j) under `view`. The
// cell keeps its place on the site: its grid centre is taken back to site metres through the
// frame of the judgement, then drawn with the view given. With a judgement on an unpanned,
// unturned map this is the scaled grid centre plus the current pan, turned by the rotation since.
void ResultCellCentre(const AreaResult& result, int i, int j, const MapViewState& view, double& px, double& py);
// Half the side of a painted square in picture units: half the result's cell size at the scale.
double ResultCellHalfSide(const AreaResult& result, const MapViewState& view);

// Writes the result into gComuAreaMesh window cells 0..lastX x 0..lastY: the value of every
// judged cell, 0 for every other cell, so the area grid never keeps a copied height.
void StoreResultInComuAreaMesh(const AreaResult& result);

}  // namespace judge
