#pragma once
// The wall edge of a found roof: from the roof corners that stand on the wall face found by
// MarkWallArea (WallSearch.h), the face's boundary is followed down to the ground, and the longest
// of these vertical edges becomes one wall edge of the new roof, which gives the building's height.
// Window positions as in GreyLevels.h, y upwards.

#include "photoinput/PhotoModel.h"
#include "roofdetect/EdgeMask.h"
#include "roofdetect/PolygonFit.h"

#include <optional>
#include <vector>

namespace roofdetect {

// At most this many candidate corners and edges are kept; far more than one roof gives.
inline constexpr int kMaxWallCorners = 101;
inline constexpr int kMaxWallEdgeCandidates = 99;

struct WallCandidate {
    MaskPixel top;   // the roof corner
    MaskPixel foot;  // the last boundary pixel followed down from it
    int length = 0;  // |top - foot| in window pixels, rounded halves to even
};

// The window positions of the stored roof's vertices, in order: the corners not merged, without
// the last one when the roof's closing put the first corner in its place (FoundRoof.h), so that a
// wall edge always starts on a vertex of the roof. Empty when the roof was not stored (polygon
// empty).
std::vector<MaskPixel> RoofVertexCorners(const std::vector<RoofCorner>& corners, std::size_t polygonSize);

// FindWallEdge: the candidate edges. A vertex is a candidate when a wall boundary pixel
// (kMaskTraced) lies in the three rows below it (FindTracedPointBelow). From each candidate in
// order the boundary is followed downwards, at most `count` steps, each pixel taken set to
// kMaskTracedBack (the vertex's own pixel too) so that no two edges share a pixel; the last pixel
// reached is the foot. A candidate whose chain takes no step (its pixels went to an earlier
// chain) gives no edge.
std::vector<WallCandidate> FindWallEdge(const std::vector<MaskPixel>& vertices, int count, ByteMask& edge);

// The longest candidate, the first among equally long ones; none of length 0.
std::optional<WallCandidate> LongestWallEdge(const std::vector<WallCandidate>& candidates);

// The two ends of a wall edge in photo coordinates.
struct WallEdgeEnds {
    PhotoPoint top;
    PhotoPoint foot;
};
WallEdgeEnds WallEdgeInPhoto(const WallCandidate& edge, const AnalysisWindow& window);

}  // namespace roofdetect
