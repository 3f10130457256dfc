#pragma once
// The found roof as a polygon in photo coordinates, ready to be stored as a new closed roof.

#include "photoinput/PhotoModel.h"
#include "roofdetect/GreyLevels.h"
#include "roofdetect/PolygonFit.h"

#include <vector>

namespace roofdetect {

// The last vertex is replaced by the first when strictly closer than this (photo units).
inline constexpr double kClosingDistance = 6.0;

// The roof of a corner table: every corner not merged, in order, converted to photo coordinates
// (u - offsetX, v - offsetY), then closed on the first corner F: a last vertex strictly closer
// than 6 to F is overwritten with F, otherwise F is appended. Empty when the roof would have fewer
// than three distinct vertices: such a roof has no area and is not stored.
std::vector<PhotoPoint> FoundRoofPolygon(const std::vector<RoofCorner>& corners, const AnalysisWindow& window);

}  // namespace roofdetect
