#pragma once
// Which wall edges stand on the roof that was clicked. Two roofs that touch in the picture (a
// taller building in front of a lower one) in greys the roof region's band joins grow into one
// region, and a wall edge from the other building's corner would give that building's height to
// the roof clicked. The two are told apart by the boundary between them, where the roof's grey
// steps. Window positions as in GreyLevels.h.

#include "roofdetect/EdgeMask.h"
#include "roofdetect/GreyLevels.h"
#include "roofdetect/WallEdge.h"

#include <vector>

namespace roofdetect {

// The candidates that stand on the roof that was clicked. Two roofs that touch in the picture (a
// taller building in front of a lower one) in greys the roof region's band joins grow into one
// region; a wall edge from the other building's corner gives that building's height. Two roofs
// are told apart by the boundary between them: along the straight way from the click (`clickU`,
// `clickV` window position) to a candidate's vertex, the roof's grey (box means well inside the
// region's `band`, a pixel apart) steps somewhere by more than its drift along the way and its
// grain allow. A roof whose grey drifts smoothly (shading, vignetting) is one roof. Where too
// little of the way lies well inside the band to tell, the candidate stays.
std::vector<WallCandidate> OnTheClickedRoof(const std::vector<WallCandidate>& candidates, const AnalysisWindow& window, const ByteMask& band,
                                            double clickU, double clickV);

}  // namespace roofdetect
