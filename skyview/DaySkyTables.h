#pragma once
// The whole-day satellite tables a sky view keeps for its own date. Other windows recompute the
// program-wide tables for their dates (an area judgement on the main window's date, for one); a
// view that draws only from its own copy never mixes two dates or almanacs in one plot.

#include <string>
#include <vector>

#include "orbit/OrbitEngine.h"
#include "skyview/SkyPlot.h"

namespace skyview {

class DaySkyTables {
public:
    // Computes steps 0..288 of gComputeDate at the current position into the program-wide tables
    // and keeps a copy with the slots computed. A date that cannot be computed leaves the copy
    // with no satellite (false) rather than another date's.
    bool ComputeWholeDay();
    // The plot's inputs: these tables with the skyline, mask, almanac PRNs, health and colours
    // as they stand now. The references stay valid while this object lives.
    SkyInputs inputs() const;
    // The date of the last computation (empty before any).
    const std::string& date() const { return date_; }

private:
    SateTable azimus_{};
    SateTable elevation_{};
    std::vector<int> sateSlots_;
    std::string date_;
};

}  // namespace skyview
