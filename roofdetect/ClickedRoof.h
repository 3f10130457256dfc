#pragma once
// Which wall edges stand on the roof that was clicked. Two roofs that touch in the picture (a
// taller building in front of a lower one) in greys the roof region's band joins grow into one
// region, and a wall edge from the other building's corner would give that building's height to
// the roof clicked. The two are told apart by the boundary between them, where the roof's grey
// steps. Window positions as in GreyLevels.h.

#include "roofdetect/EdgeMask.h"
#include "roofdetect/GreyLevels.h"
#include "roofdetect/WallEdge.h"

#include <optional>
#include <vector>

namespace roofdetect {

// The roof's grey along the straight way from (u0, v0) to (u1, v1), one reading a pixel apart
// (rounded to the nearest pixel): the mean of the 5 x 5 pixels about it where every pixel up to
// 3 pixels beyond that box lies in the region's `band` (clear of the grey blur mixes in from the
// walls and the ground), none elsewhere.
std::vector<std::optional<double>> RoofGreyAlongTheWay(const AnalysisWindow& window, const ByteMask& band, double u0, double v0, double u1, double v1);

// True when readings along a way (RoofGreyAlongTheWay) step at a boundary between two roofs.
// Each reading is compared with the first reading at least 8 pixels (a span) farther along,
// across any gap where readings dropped out. A step is a pair that differs by more than the
// roof's drift (the median change per pixel of the pairs apart from it; of readings half a span
// apart beside it where too few pairs lie apart) and grain (3.5 times the spread of those pairs
// beyond the drift, at least 1.75 levels) allow, and for good: the grey a span beyond it still
// differs the same way, by as much, from the grey a span before it (the way's first or last
// reading where it ends sooner). A roof whose grey drifts smoothly, or whose texture rises and
// falls back within a span, is one roof. Fewer than 8 pairs: too few to read the grain and
// drift, and only a lasting step of more than 5.25 levels is a boundary.
bool RoofGreyStepsOnTheWay(const std::vector<std::optional<double>>& readings);

// The candidates that stand on the roof that was clicked: those whose vertex the way from the
// click (`clickU`, `clickV` window position) reaches without the roof's grey stepping
// (RoofGreyStepsOnTheWay). Two roofs that touch in the picture (a taller building in front of a
// lower one) in greys the roof region's band joins grow into one region; a wall edge from the
// other building's corner would give that building's height. The way runs inside the region's
// band (the shortest way that keeps deep enough in it for the roof's grey to be read, pulled
// taut), so that it reaches the vertex across the roof the vertex stands on, also where the
// region's outline turns in between them and the straight line would leave the region. Where too
// little of the way lies well inside the band to tell, the candidate stays.
std::vector<WallCandidate> OnTheClickedRoof(const std::vector<WallCandidate>& candidates, const AnalysisWindow& window, const ByteMask& band,
                                            double clickU, double clickV);

}  // namespace roofdetect
