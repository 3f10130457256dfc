#include "OutlineHitTest.h"

#include <algorithm>
#include <vector>

bool IsInOutline(std::span<const PhotoPoint> outline, double x, double y)
{
    std::vector<double> heights;
    for (std::size_t k = 1; k < outline.size(); ++k) {
        const double x0 = outline[k - 1].x, y0 = outline[k - 1].y;
        const double x1 = outline[k].x, y1 = outline[k].y;
        const bool crosses = (x0 <= x && x < x1) || (x1 <= x && x < x0);
        if (!crosses) continue;
        heights.push_back(y0 == y1 ? y0 : y0 + (x - x0) * (y1 - y0) / (x1 - x0));
    }
    if (heights.empty() || heights.size() % 2 != 0) return false;
    std::sort(heights.begin(), heights.end());
    for (std::size_t k = 0; k + 1 < heights.size(); k += 2) {
        if (heights[k] <= y && y <= heights[k + 1]) return true;
    }
    return false;
}
