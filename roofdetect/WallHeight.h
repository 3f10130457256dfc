#pragma once
// The checks a wall edge's height must pass before it is given (WallEdge.h finds the edges):
// the edge's ends must hold the height however the edge's line may lean off the true one, and
// the edges of one building must agree on it. A wall edge's height is measured with the camera
// as a wall line drawn along it would be: from its ends' rows in the picture alone.

#include "photoinput/PhotoGeometry.h"
#include "roofdetect/WallEdge.h"

#include <vector>

namespace roofdetect {

// The camera gives the nadir's picture point, which every vertical edge's line runs towards, to
// within this many pixels.
inline constexpr double kNadirPlace = 1.0;
// Edges of one building agree when their heights lie within this many metres, or within
// kWallLengthPrecision pixels of the wall of the edge longest in the picture where that is more.
inline constexpr double kWallHeightAgreement = 0.5;

// A wall edge as the height is measured from it: its ends in photo coordinates, the height
// (metres) from their rows, and its length in picture units.
struct MeasuredWall {
    WallEdgeEnds ends;
    double height = 0.0;
    double length = 0.0;
};
MeasuredWall MeasureWall(const WallCandidate& candidate, const AnalysisWindow& window, const ObliqueCamera& camera);

// True when the candidate's height holds however the edge's line may lean off the true one: the
// line runs towards the nadir's picture point, which the camera gives to within kNadirPlace
// pixels, and turned by that much about its top the height must stay within
// kWallLengthPrecision pixels of the wall. An edge leaning far from the picture's vertical (near
// the picture's sides at a small tilt, where vertical edges run nearly level towards the nadir's
// picture point) spans too few rows for its height to be read from them, and gives none.
bool WallHeightHolds(const WallCandidate& candidate, const AnalysisWindow& window, const ObliqueCamera& camera);

// True when the candidates' heights agree: the building's vertical edges are all as high as its
// roof. They disagree when two lie farther apart than max(kWallHeightAgreement metres,
// kWallLengthPrecision pixels of the wall of the edge longest in the picture, the one whose
// height is given); then one of them is wrong, and which one cannot be told. None or one agree.
bool WallEdgesAgree(const std::vector<WallCandidate>& candidates, const AnalysisWindow& window, const ObliqueCamera& camera);

}  // namespace roofdetect
