#include "roofdetect/WallEdge.h"

#include "platform/NumberText.h"
#include "roofdetect/RingSearch.h"

#include <cmath>

namespace roofdetect {

std::vector<MaskPixel> RoofVertexCorners(const std::vector<RoofCorner>& corners, std::size_t polygonSize)
{
    std::vector<MaskPixel> vertices;
    for (const RoofCorner& corner : corners) {
        if (!corner.merged) {
            vertices.push_back({corner.u, corner.v});
        }
    }
    if (polygonSize == 0) {
        return {};
    }
    // The polygon repeats its first vertex; it has one point fewer when the closing overwrote the
    // last corner.
    if (polygonSize == vertices.size()) {
        vertices.pop_back();
    }
    return vertices;
}

std::vector<WallCandidate> FindWallEdge(const std::vector<MaskPixel>& vertices, int count, ByteMask& edge)
{
    std::vector<MaskPixel> standing;
    for (const MaskPixel& v : vertices) {
        MaskPixel below;
        if (static_cast<int>(standing.size()) < kMaxWallCorners && FindTracedPointBelow(edge, v.x, v.y, below)) {
            standing.push_back(v);
        }
    }
    std::vector<WallCandidate> candidates;
    for (const MaskPixel& top : standing) {
        edge.set(top.x, top.y, kMaskTracedBack);
        MaskPixel at = top;
        int steps = 0;
        for (MaskPixel next; steps < count && FindTracedPointBelow(edge, at.x, at.y, next); ++steps) {
            at = next;
            edge.set(at.x, at.y, kMaskTracedBack);
        }
        if (steps > 0 && static_cast<int>(candidates.size()) < kMaxWallEdgeCandidates) {
            const double length = std::hypot(double(top.x - at.x), double(top.y - at.y));
            candidates.push_back({top, at, static_cast<int>(platform::RoundHalfEven(length))});
        }
    }
    return candidates;
}

std::optional<WallCandidate> LongestWallEdge(const std::vector<WallCandidate>& candidates)
{
    std::optional<WallCandidate> longest;
    int best = 0;
    for (const WallCandidate& c : candidates) {
        if (c.length > best) {
            best = c.length;
            longest = c;
        }
    }
    return longest;
}

WallEdgeEnds WallEdgeInPhoto(const WallCandidate& edge, const AnalysisWindow& window)
{
    auto photo = [&](MaskPixel p) { return PhotoPoint{static_cast<float>(window.toX(p.x)), static_cast<float>(window.toY(p.y))}; };
    return {photo(edge.top), photo(edge.foot)};
}

}  // namespace roofdetect
