#include "roofdetect/WallHeight.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace roofdetect {

namespace {

// The height (metres) of a wall line whose top and foot lie on photo rows topY and footY.
double HeightBetweenRows(const ObliqueCamera& camera, double topY, double footY)
{
    const double rate = camera.metresPerUnit();
    return ComputeWallEdgeHeight(camera.tilt(), camera.range, rate * footY, rate * topY);
}

}  // namespace

MeasuredWall MeasureWall(const WallCandidate& candidate, const AnalysisWindow& window, const ObliqueCamera& camera)
{
    const WallEdgeEnds ends = WallEdgeInPhoto(candidate, window);
    return {ends, HeightBetweenRows(camera, ends.top.y, ends.foot.y), std::hypot(ends.foot.x - ends.top.x, ends.foot.y - ends.top.y)};
}

bool WallHeightHolds(const WallCandidate& candidate, const AnalysisWindow& window, const ObliqueCamera& camera)
{
    const MeasuredWall wall = MeasureWall(candidate, window, camera);
    const PhotoPoint top = wall.ends.top;
    const double du = wall.ends.foot.x - top.x, dv = wall.ends.foot.y - top.y;
    const PhotoPoint nadir = NadirInPhoto(camera);
    const double reach = std::hypot(nadir.x - top.x, nadir.y - top.y);
    if (!(wall.height > 0.0) || wall.length <= 0.0 || reach <= 0.0) {
        return false;
    }
    // The edge's line turned about its top by the angle under which kNadirPlace is seen from
    // there: the foot moves across the line, and its row by that much of the line's lean.
    const double turn = kNadirPlace / reach;
    const double allowed = kWallLengthPrecision * wall.height / wall.length;
    for (const double sign : {-1.0, 1.0}) {
        const double footY = top.y + dv * std::cos(sign * turn) + du * std::sin(sign * turn);
        if (!(std::abs(HeightBetweenRows(camera, top.y, footY) - wall.height) <= allowed)) {
            return false;
        }
    }
    return true;
}

bool WallEdgesAgree(const std::vector<WallCandidate>& candidates, const AnalysisWindow& window, const ObliqueCamera& camera)
{
    double lowest = std::numeric_limits<double>::infinity(), highest = -lowest;
    double tolerance = kWallHeightAgreement, longest = 0.0;
    for (const WallCandidate& c : candidates) {
        const MeasuredWall wall = MeasureWall(c, window, camera);
        if (wall.length > longest) {
            longest = wall.length;
            tolerance = std::max(kWallHeightAgreement, kWallLengthPrecision * wall.height / wall.length);
        }
        lowest = std::min(lowest, wall.height);
        highest = std::max(highest, wall.height);
    }
    return candidates.empty() || highest - lowest <= tolerance;
}

}  // namespace roofdetect
