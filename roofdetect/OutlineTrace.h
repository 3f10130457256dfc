#pragma once
// Ordering the listed outline pixels into one chain along the roof edge.

#include "roofdetect/RingSearch.h"

#include <vector>

namespace roofdetect {

// Closure distance: a first pass ending at most this far (window pixels) from its start is closed.
inline constexpr double kOutlineClosure = 40.0;

// TraceRoofOutline: follows the outline from its first listed pixel S (smallest x) with the ring
// search, marking S and every pixel of this first pass kMaskTraced. When the pass ends more than
// 40 pixels from S, a second pass runs from S the other way, marking kMaskTracedBack; when it runs
// out of outline and then finds a traced pixel M of the first pass, the outline is the first pass
// up to M followed by the second pass backwards (a spur the first pass ran into is dropped). In
// every other case the first pass alone is the outline. A pass that runs into the tip of a short
// spur (a spike of the edge one pixel wide) steps back to the spur's base and goes on from there;
// the spur is left out and marked kMaskSpur. S itself is not part of the result and the
// chain is not closed by repeating a point. Each pass takes at most listed + 1 steps.
// An empty list gives an empty outline and leaves the mask alone.
std::vector<MaskPixel> TraceRoofOutline(const std::vector<MaskPixel>& listed, ByteMask& edge);

}  // namespace roofdetect
