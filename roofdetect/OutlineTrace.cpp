#include "roofdetect/OutlineTrace.h"

#include <algorithm>
#include <cmath>

namespace roofdetect {

std::vector<MaskPixel> TraceRoofOutline(const std::vector<MaskPixel>& listed, ByteMask& edge)
{
    std::vector<MaskPixel> first;
    if (listed.empty()) {
        return first;
    }
    const std::size_t steps = listed.size() + 1;
    const MaskPixel s = listed.front();
    edge.set(s.x, s.y, kMaskTraced);

    RingStep step{0, 0, s.x, s.y};
    while (first.size() < steps && FindNextOutlinePoint(edge, step)) {
        first.push_back({step.x, step.y});
        edge.set(step.x, step.y, kMaskTraced);
    }
    if (std::hypot(s.x - step.x, s.y - step.y) <= kOutlineClosure) {
        return first;
    }

    // Second pass, from S the other way.
    std::vector<MaskPixel> second;
    step = {0, 0, s.x, s.y};
    if (!FindNextOutlinePoint(edge, step)) {
        return first;
    }
    second.push_back({step.x, step.y});
    edge.set(step.x, step.y, kMaskTracedBack);
    for (std::size_t n = 0; n < steps; ++n) {
        if (FindNextOutlinePoint(edge, step)) {
            second.push_back({step.x, step.y});
            edge.set(step.x, step.y, kMaskTracedBack);
            continue;
        }
        if (!FindTracedOutlinePoint(edge, step)) {
            return first;  // ended open
        }
        // Met the first pass at M (or S itself): keep the first pass up to M, then the second
        // pass backwards.
        const MaskPixel meeting{step.x, step.y};
        const auto m = std::find(first.begin(), first.end(), meeting);
        std::vector<MaskPixel> joined(first.begin(), m == first.end() ? first.begin() : m + 1);
        joined.insert(joined.end(), second.rbegin(), second.rend());
        return joined;
    }
    return first;  // used up its steps
}

}  // namespace roofdetect
