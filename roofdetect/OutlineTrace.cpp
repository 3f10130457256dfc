#include "roofdetect/OutlineTrace.h"

#include <algorithm>
#include <cmath>

namespace roofdetect {

namespace {

// How far (window pixels) a pass steps back out of a spur: a spike of the roof edge, twice the
// ring search's reach of four pixels. A longer arm is outline the pass ends on, as a branch.
constexpr double kSpurLength = 8.0;

// The next pixel of a pass whose trail is `trail` (its last pixel where `step` stands). Where no
// untraced outline pixel is in reach, the pass may stand at the tip of a spur: a spike of the roof
// edge one pixel wide, which the ring search enters and cannot leave. It then steps back along its
// trail, no farther than kSpurLength from the tip, to the first pixel from which an
// untraced outline pixel is in reach; the spur's pixels leave the trail and are marked kMaskSpur.
// False, with `step` back at the tip and the trail unchanged, where none is in reach.
bool NextOrOutOfSpur(ByteMask& edge, std::vector<MaskPixel>& trail, RingStep& step)
{
    if (FindNextOutlinePoint(edge, step)) {
        return true;
    }
    const RingStep tip = step;
    for (std::size_t k = trail.size(); k-- > 1;) {
        const MaskPixel& p = trail[k - 1];
        if (std::hypot(tip.x - p.x, tip.y - p.y) > kSpurLength) {
            break;
        }
        step = {0, 0, p.x, p.y};
        if (FindNextOutlinePoint(edge, step)) {
            for (std::size_t j = k; j < trail.size(); ++j) {
                edge.set(trail[j].x, trail[j].y, kMaskSpur);
            }
            trail.resize(k);
            return true;
        }
    }
    step = tip;
    return false;
}

}  // namespace

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
    while (first.size() < steps && NextOrOutOfSpur(edge, first, step)) {
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
            if (NextOrOutOfSpur(edge, second, step)) {
                second.push_back({step.x, step.y});
                edge.set(step.x, step.y, kMaskTracedBack);
                continue;
            }
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
