#pragma once
// The judgement kernels of the area maps: for every open cell of the judged window, the number of
// satellites it sees at one step, or the class of the share of steps at which it sees four (or
// five) of them. A cell sees a satellite that stands strictly above the elevation mask and strictly
// above the cell's skyline in the satellite's direction (turned into the grid's frame).
//
// Each cell's 360-direction skyline is marched once and the satellites are then looked up in it,
// which gives exactly the counts of a march per satellite and step.

#include "judge/Meshes.h"
#include "judge/Skyline.h"

#include <array>
#include <bitset>
#include <vector>

namespace judge {

inline constexpr int kSateSlots = 33;   // satellite slots 0..32 (1..32 used)
inline constexpr int kTimeSteps = 289;  // TimeSteps 0..288

// A snapshot of the satellite tables: azimuth (degrees, 0 = east, counter-clockwise, true
// directions) and elevation (degrees above the horizon) per slot and TimeStep.
struct SatelliteTable {
    int sateNum = 0;  // slots 1..sateNum are used (at most 32)
    std::array<std::array<float, kTimeSteps>, kSateSlots> azimuth{};
    std::array<std::array<float, kTimeSteps>, kSateSlots> elevation{};
    std::array<bool, kSateSlots> excluded{};  // slots whose PRN is on the exclusion list
};

// The judged window and the conditions of a judgement.
struct JudgeSetup {
    float cell = 0.0f;           // grid cell, metres
    float antenna = 0.0f;        // antenna height, metres
    float mask = 0.0f;           // elevation mask, degrees
    float gridRotateDeg = 0.0f;  // map rotation the height grid was built with
    MarchArea area{};            // extent of the skyline march
    int windowX = 54;            // grid column of window cell (0, 0)
    int windowY = 45;            // grid row of window cell (0, 0)
    int lastX = 54;              // window columns 0..lastX
    int lastY = 45;              // window rows 0..lastY
};

// The satellites one step offers: the grid direction and elevation of each usable satellite
// above the mask.
struct StepSatellites {
    std::vector<int> direction;
    std::vector<float> elevation;
};
std::vector<StepSatellites> SatellitesAboveMask(const SatelliteTable& sats, int firstStep, int lastStep, float mask, float gridRotateDeg);

// Satellites of one step strictly above the skyline (grid directions).
int CountAboveSkyline(const StepSatellites& step, const std::array<double, 360>& skyline);

// The class 1..20 of `hits` good steps out of `steps`: the smallest whole number not below
// 20 hits / steps, at least 1.
int RateClass(int hits, int steps);
// A step is good under criterion 1 with four or more satellites, under 2 with five or more;
// under any other criterion no step is good.
bool IsGoodStep(int visible, int criterion);

// The window after a judgement: 0 for a building cell, else the count or the class.
struct WindowResult {
    int lastX = 54;
    int lastY = 45;
    std::vector<float> values;  // (lastX + 1) * (lastY + 1), index j * (lastX + 1) + i
    float at(int i, int j) const { return values[static_cast<std::size_t>(j * (lastX + 1) + i)]; }
};

// A judgement over the window, on a snapshot of its inputs (the height grid, the conditions and
// the satellites above the mask), so that a window can judge and paint cell by cell, pause and
// stop, while the program's state changes under it.
class WindowJudge {
public:
    // Count of visible satellites at `step` (0 counts as 1).
    static WindowJudge AtStep(const HeightMesh& mesh, const JudgeSetup& setup, const SatelliteTable& sats, int step);
    // Class 1..20 of the share of steps firstStep..lastStep with enough satellites (criterion 1:
    // four or more, 2: five or more).
    static WindowJudge Mean(const HeightMesh& mesh, const JudgeSetup& setup, const SatelliteTable& sats, int firstStep, int lastStep,
                            int criterion);

    const JudgeSetup& setup() const { return setup_; }
    // Window cell (i, j) holds no building (its grid height is 0).
    bool isOpen(int i, int j) const;
    // The value of window cell (i, j): 0 for a building cell, else its count or class.
    int judgeCell(int i, int j) const;
    // Every cell, column by column.
    WindowResult judgeAll() const;

private:
    WindowJudge(const HeightMesh& mesh, const JudgeSetup& setup, std::vector<StepSatellites> steps, bool mean, int span, int criterion);
    JudgeSetup setup_;
    MarchGround ground_;  // the height grid and what the marches leap over
    std::vector<StepSatellites> steps_;
    bool mean_;      // time-average judgement (else the count at one step)
    int span_;       // steps of the span
    int criterion_;
    std::bitset<360> needed_;  // directions in which some satellite stands
    DirectionTable table_;
};

// The whole window at once.
WindowResult JudgeWindowAtStep(const HeightMesh& mesh, const JudgeSetup& setup, const SatelliteTable& sats, int step);
WindowResult JudgeWindowMean(const HeightMesh& mesh, const JudgeSetup& setup, const SatelliteTable& sats, int firstStep, int lastStep,
                             int criterion);

// The conditions of a judgement on the last built height grid: its cell size and rotation, the
// antenna height and the elevation mask now, the standard window and march extent.
JudgeSetup CurrentJudgeSetup();

}  // namespace judge

// Copies gBillHeightMesh(ix0 + i, jy0 + j) into gComuAreaMesh(i, j) for i = 0..nx, j = 0..ny;
// cells beyond grid column 324 or row 270, or off either grid, are skipped.
void CopyComuAreaHeight(int ix0, int jy0, int nx, int ny);
