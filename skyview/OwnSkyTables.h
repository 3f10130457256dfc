#pragma once
// A view's own copy of the whole-day satellite tables of its date. Other windows recompute the
// shared tables gSateAzimus / gSateElevation for their own dates (an area judgement on the main
// window's date, for one); a view that draws only from its copy never mixes two dates in its
// tracks and icons.

#include <vector>

#include "orbit/OrbitEngine.h"
#include "skyview/SkyPlot.h"

namespace skyview {

class OwnSkyTables {
public:
    // Computes steps 0..288 of gComputeDate into the shared tables and copies them with the slots
    // they hold. A date that cannot be computed leaves the copy with no satellite rather than
    // another date's; returns whether it was computed.
    bool ComputeWholeDay();
    // The plot's inputs: this copy with the current skyline, mask and almanac PRNs, health and
    // colours. Before the first computation it holds no satellite.
    SkyInputs Inputs() const;

private:
    SateTable azimus_{};
    SateTable elevation_{};
    std::vector<int> sateSlots_;
};

}  // namespace skyview
