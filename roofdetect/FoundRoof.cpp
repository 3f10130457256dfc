#include "roofdetect/FoundRoof.h"

#include <algorithm>
#include <cmath>

namespace roofdetect {

std::vector<PhotoPoint> FoundRoofPolygon(const std::vector<RoofCorner>& corners, const AnalysisWindow& window)
{
    std::vector<PhotoPoint> polygon;
    for (const RoofCorner& corner : corners) {
        if (!corner.merged) {
            polygon.push_back({static_cast<float>(window.maskToX(corner.u)), static_cast<float>(window.maskToY(corner.v))});
        }
    }
    if (polygon.empty()) {
        return polygon;
    }
    const PhotoPoint first = polygon.front();
    const PhotoPoint last = polygon.back();
    if (std::hypot(double(last.x) - first.x, double(last.y) - first.y) < kClosingDistance) {
        polygon.back() = first;
    } else {
        polygon.push_back(first);
    }

    // Distinct vertices, the closing point aside.
    std::vector<PhotoPoint> vertices(polygon.begin(), polygon.end() - 1);
    int distinct = 0;
    for (std::size_t i = 0; i < vertices.size() && distinct < 3; ++i) {
        if (std::find(vertices.begin(), vertices.begin() + static_cast<std::ptrdiff_t>(i), vertices[i]) == vertices.begin() + static_cast<std::ptrdiff_t>(i)) {
            ++distinct;
        }
    }
    if (distinct < 3) {
        polygon.clear();
    }
    return polygon;
}

}  // namespace roofdetect
