#pragma once
// The judgement of one grid cell as the main window's public per-cell operations give it: a
// march per satellite and step on the height grid, nothing cached. The window judgements get the
// same answers faster through WindowJudge; these serve callers that ask about a single cell.

#include "judge/AreaJudge.h"

#include <array>
#include <cstdint>
#include <vector>

namespace judge {

// Satellites visible from grid cell (gi, gj) at `step` (0..288; any other step sees none): not
// excluded, elevation strictly above the mask and strictly above the obstruction marched in the
// satellite's grid direction. No replacement of 0 by 1.
int VisibleFromCell(const HeightMesh& mesh, const JudgeSetup& setup, const SatelliteTable& sats, int step, int gi, int gj);

// Class 1..20 of the share of steps firstStep..lastStep at which the cell sees enough
// satellites (criterion 1: four or more, 2: five or more; any other criterion: none).
int RateClassOfCell(const HeightMesh& mesh, const JudgeSetup& setup, const SatelliteTable& sats, int firstStep, int lastStep,
                    int criterion, int gi, int gj);

// Four satellite slots that together give a good fix.
using SateSet = std::array<std::int16_t, 4>;
// The sets listed per TimeStep 0..288.
using GoodSateSets = std::array<std::vector<SateSet>, kTimeSteps>;

// Class 1..20 of the share of steps firstStep..lastStep at which every satellite of at least one
// of the step's first setCount[step] sets is visible from the cell. A slot outside 1..32 is never
// visible.
int GoodSetClassOfCell(const HeightMesh& mesh, const JudgeSetup& setup, const SatelliteTable& sats, int firstStep, int lastStep,
                       const GoodSateSets& sets, const std::array<int, kTimeSteps>& setCount, int gi, int gj);

// The satellite tables now: gSateAzimus and gSateElevation, with every slot that is not usable
// (excluded by PRN, or without an orbit, whose entries are stale) marked excluded.
SatelliteTable CurrentSatelliteTable();

}  // namespace judge
