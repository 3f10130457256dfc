#include "roofdetect/ClickedRoof.h"

#include "roofdetect/Median.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <optional>

namespace roofdetect {

namespace {

// The roof's grey along the way from the click to a corner is the mean of a box of
// (2 kRoofBoxHalf + 1)^2 pixels, read where every pixel of the box has its neighbours up to
// kRoofGreyInside away in the region's band: two pixels or more inside the region, clear of the
// grey blur mixes in from the walls and the ground.
constexpr int kRoofBoxHalf = 2;
constexpr int kRoofGreyInside = 3;
// Readings this far apart (pixels) are compared: more than a box's width, so that a boundary
// blurred over a pixel or two lies wholly between two of them.
constexpr int kRoofStepSpan = 2 * kRoofBoxHalf + 4;
// What two readings a span apart differ by beyond the drift of the roof's grey along the way
// (shading, vignetting) marks a boundary when it exceeds both this many grey levels (rounding to
// whole levels leaves a smoothly shaded roof in steps of one level, and box means of a roof's
// grain of +-2 levels wander by up to three quarters of a level over a few spans) ...
constexpr double kRoofStepLeast = 1.75;
// ... and this many times the grain: the spread of what the other pairs of the way differ by
// beyond the drift (box means of the roof's grain, blurred or not) ...
constexpr double kRoofStepSpread = 3.5;
// ... where a blotch (a stain or patch of another shade of the same roof, up to this many levels
// lighter or darker) ...
constexpr double kRoofBlotch = 2.0;
// ... on top of the least step does not reach as far: a lasting step beyond that is no texture of
// one roof, however much the way's other pairs wander (a blotch's flanks, shading that bends,
// counted into the grain, would otherwise let a boundary of a few levels pass).
constexpr double kRoofTextureStep = kRoofBlotch + kRoofStepLeast;
// With fewer pairs than this the way says nothing about the roof's grain and drift ...
constexpr std::size_t kRoofStepReadings = 8;
// ... and only a step of more than this many levels marks a boundary there: more than a roof's
// own texture and drift make within a span (a blotch of 2 levels on the steepest shading's 2
// levels a span, on top of the least step that rounding and grain leave).
constexpr double kRoofShortWayStep = 3.0 * kRoofStepLeast;
// The drift beside a step is read from at least this many pairs.
constexpr std::size_t kRoofDriftPairs = kRoofStepSpan / 2;

// The mean grey of the box of (2 half + 1)^2 pixels about window pixel (u, v), or none where the
// box is not well inside the band (kRoofGreyInside clear of its edge).
std::optional<double> BoxMeanInBand(const AnalysisWindow& window, const ByteMask& band, int u, int v, int half)
{
    const int reach = half + kRoofGreyInside;
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            if (band.at(u + dx, v + dy) == 0) {
                return std::nullopt;
            }
        }
    }
    int sum = 0;
    for (int dy = -half; dy <= half; ++dy) {
        for (int dx = -half; dx <= half; ++dx) {
            sum += window.GetGrayLevel(u + dx, v + dy);
        }
    }
    return sum / double((2 * half + 1) * (2 * half + 1));
}

// The way's reading about window pixel (u, v): the mean of a box of the way's size.
std::optional<double> RoofBoxMean(const AnalysisWindow& window, const ByteMask& band, int u, int v)
{
    return BoxMeanInBand(window, band, u, v, kRoofBoxHalf);
}

}  // namespace

std::vector<std::optional<double>> RoofGreyAlongTheWay(const AnalysisWindow& window, const ByteMask& band, double u0, double v0, double u1, double v1)
{
    const double length = std::hypot(u1 - u0, v1 - v0);
    const int count = static_cast<int>(std::floor(length));
    std::vector<std::optional<double>> readings;
    for (int i = 0; i <= count; ++i) {
        const double t = count > 0 ? double(i) / length : 0.0;
        readings.push_back(RoofBoxMean(window, band, static_cast<int>(std::lround(u0 + (u1 - u0) * t)),
                                       static_cast<int>(std::lround(v0 + (v1 - v0) * t))));
    }
    return readings;
}

namespace {

// Two readings compared: `from` before `to` along the way.
struct ComparedPair {
    std::size_t from = 0;
    std::size_t to = 0;
};

// Each reading with the first reading at least kRoofStepSpan farther along: where readings drop
// out (the box leaves the band near the region's outline or a hole in it), the readings on either
// side of the gap are compared, so that a boundary inside the gap still lies between two of them.
std::vector<ComparedPair> PairsAlongTheWay(const std::vector<std::optional<double>>& readings)
{
    std::vector<ComparedPair> pairs;
    std::size_t to = 0;
    for (std::size_t from = 0; from < readings.size(); ++from) {
        if (!readings[from]) {
            continue;
        }
        to = std::max(to, from + kRoofStepSpan);
        while (to < readings.size() && !readings[to]) {
            ++to;
        }
        if (to >= readings.size()) {
            break;
        }
        pairs.push_back({from, to});
    }
    return pairs;
}

// The nearest reading at least kRoofStepSpan before reading `at` (`dir` -1) or after it (`dir`
// +1); where the way's readings end sooner, its first or last reading.
std::size_t ReadingASpanAway(const std::vector<std::optional<double>>& readings, std::size_t at, int dir)
{
    std::size_t found = at;
    for (std::size_t k = 1; k < readings.size(); ++k) {
        if ((dir < 0 && k > at) || (dir > 0 && at + k >= readings.size())) {
            break;
        }
        const std::size_t i = dir < 0 ? at - k : at + k;
        if (readings[i]) {
            found = i;
            if (k >= kRoofStepSpan) {
                break;
            }
        }
    }
    return found;
}

// The readings of one way, the pairs compared along it and each pair's change per pixel.
struct ReadWay {
    const std::vector<std::optional<double>>& readings;
    std::vector<ComparedPair> pairs;
    std::vector<double> rates;

    explicit ReadWay(const std::vector<std::optional<double>>& r) : readings(r), pairs(PairsAlongTheWay(r))
    {
        for (const ComparedPair& p : pairs) {
            rates.push_back(change(p.from, p.to) / double(p.to - p.from));
        }
    }
    double change(std::size_t from, std::size_t to) const { return *readings[to] - *readings[from]; }
};

// The median change per pixel of readings half a span apart (kRoofStepSpan / 2) that lie wholly
// before reading `from` or wholly after reading `to`; none unless at least kRoofDriftPairs / 2
// such pairs lie on each side (the flank of a blotch on one side is no drift of the roof).
std::optional<double> DriftOverHalfSpans(const std::vector<std::optional<double>>& readings, std::size_t from, std::size_t to)
{
    constexpr std::size_t half = kRoofStepSpan / 2;
    std::vector<double> rates;
    std::size_t before = 0, after = 0;
    for (std::size_t i = 0; i + half < readings.size(); ++i) {
        const bool isBefore = i + half <= from, isAfter = i >= to;
        if ((isBefore || isAfter) && readings[i] && readings[i + half]) {
            rates.push_back((*readings[i + half] - *readings[i]) / double(half));
            ++(isBefore ? before : after);
        }
    }
    if (before < kRoofDriftPairs / 2 || after < kRoofDriftPairs / 2) {
        return std::nullopt;
    }
    return Median(std::move(rates));
}

// The roof's drift along the way (shading, vignetting, a stain fading out) beside a step between
// the readings of `step`: the median change per pixel of the pairs that share no stretch of the
// way with it. The pairs straddling a boundary change by its step, and all of them overlap
// `step` when it straddles the boundary too; counted in, they would tilt the drift towards the
// step. Where fewer than kRoofDriftPairs pairs lie apart (a short way, most of whose pairs
// straddle the step), the drift is read from readings half a span apart on both sides of the
// step; where too few of those lie on either side, the whole way's drift `drift` stands in.
double DriftAwayFrom(const ReadWay& way, const ComparedPair& step, double drift)
{
    std::vector<double> away;
    for (std::size_t k = 0; k < way.pairs.size(); ++k) {
        const ComparedPair& p = way.pairs[k];
        if (p.to < step.from || p.from > step.to) {
            away.push_back(way.rates[k]);
        }
    }
    if (away.size() >= kRoofDriftPairs) {
        return Median(std::move(away));
    }
    return DriftOverHalfSpans(way.readings, step.from, step.to).value_or(drift);
}

// The roof's grain as box means see it (blurred or not): the spread, as a standard deviation,
// of what the pairs that share no stretch of the way with `step` change by beyond `drift`. A
// boundary moves every pair that straddles it, and all of those overlap a pair that straddles
// it too.
double GrainAwayFrom(const ReadWay& way, const ComparedPair& step, double drift)
{
    std::vector<double> away;
    for (const ComparedPair& p : way.pairs) {
        if (p.to < step.from || p.from > step.to) {
            away.push_back(way.change(p.from, p.to) - drift * double(p.to - p.from));
        }
    }
    return away.empty() ? 0.0 : SpreadAbout(away, 0.0);
}

// True when the grey steps between the readings of `step` as it does at a boundary between
// two roofs: by more than the drift beside it and the grain allow (kRoofTextureStep at most),
// and for good. Texture (a blotch, a stain) rises and falls back within a few pixels, while two
// roofs each keep their own grey: the grey a span beyond the step must still differ the same
// way, less the drift, from the grey a span before it. Where the way's readings end within a
// span of the step, its last (or first) reading stands in: a step there cannot be told from
// texture, and a wrong height is worse than none.
bool StepAtABoundary(const ReadWay& way, const ComparedPair& step, double wayDrift)
{
    const double drift = DriftAwayFrom(way, step, wayDrift);
    const double across = way.change(step.from, step.to) - drift * double(step.to - step.from);
    if (std::abs(across) <= kRoofStepLeast) {
        return false;
    }
    const double allowed = std::max(kRoofStepLeast, std::min(kRoofTextureStep, kRoofStepSpread * GrainAwayFrom(way, step, drift)));
    if (std::abs(across) <= allowed) {
        return false;
    }
    const std::size_t before = ReadingASpanAway(way.readings, step.from, -1);
    const std::size_t beyond = ReadingASpanAway(way.readings, step.to, 1);
    const double wider = way.change(before, beyond) - drift * double(beyond - before);
    return wider * across > 0.0 && std::abs(wider) > allowed;
}

}  // namespace

namespace {

// True when a way too short to read the roof's grain and drift (fewer than kRoofStepReadings
// pairs) steps between the readings of `step` by more than a roof's texture and drift can
// (kRoofShortWayStep), and for good: the grey a span beyond it (or the way's last reading) still
// differs the same way, by as much, from the grey a span before it (or the way's first).
bool StepOnAShortWay(const ReadWay& way, const ComparedPair& step)
{
    const double across = way.change(step.from, step.to);
    if (std::abs(across) <= kRoofShortWayStep) {
        return false;
    }
    const double wider = way.change(ReadingASpanAway(way.readings, step.from, -1), ReadingASpanAway(way.readings, step.to, 1));
    return wider * across > 0.0 && std::abs(wider) > kRoofShortWayStep;
}

}  // namespace

bool RoofGreyStepsOnTheWay(const std::vector<std::optional<double>>& readings)
{
    const ReadWay way(readings);
    if (way.pairs.size() < kRoofStepReadings) {
        return std::any_of(way.pairs.begin(), way.pairs.end(), [&](const ComparedPair& p) { return StepOnAShortWay(way, p); });
    }
    const double drift = Median(way.rates);
    return std::any_of(way.pairs.begin(), way.pairs.end(), [&](const ComparedPair& p) { return StepAtABoundary(way, p, drift); });
}

namespace {

// How deep a pixel lies in the band, counted in rings of pixels (chessboard distance to the
// nearest pixel outside it), up to kRoofReadDepth: a box mean is read about a pixel that deep
// (RoofBoxMean).
constexpr int kRoofReadDepth = kRoofBoxHalf + kRoofGreyInside + 1;
// A step along a way inside the region costs this much more per ring short of kRoofReadDepth
// than a step among pixels deep enough to read, in units of half a pixel: the way keeps to where
// the roof's grey can be read and crosses the region's narrow necks at their middle.
constexpr int kShallowCost = 4;

// The shortest ways inside the region's band from the click, as a field over the band's
// bounding box: each band pixel's cost from the click and the pixel it was reached from.
class WaysInsideTheBand {
public:
    WaysInsideTheBand(const ByteMask& band, int clickX, int clickY);
    // The way from the click to the reached band pixel nearest (x, y) within kRoofStepSpan
    // pixels, pulled taut: the corners of a line of straight stretches, the click first; empty
    // where no reached pixel lies that near.
    std::vector<MaskPixel> WayTo(int x, int y) const;

private:
    int x0_ = 0, y0_ = 0, width_ = 0, height_ = 0;
    std::vector<int> cost_;
    std::vector<int> from_;
    std::vector<int> depth_;
    bool within(int x, int y) const { return x >= x0_ && x < x0_ + width_ && y >= y0_ && y < y0_ + height_; }
    int index(int x, int y) const { return (y - y0_) * width_ + (x - x0_); }
    std::vector<int> Depths(const ByteMask& band) const;
    std::vector<MaskPixel> Taut(const std::vector<MaskPixel>& way) const;
    int ShallowOnTheStraight(MaskPixel a, MaskPixel b) const;
};

std::vector<int> WaysInsideTheBand::Depths(const ByteMask& band) const
{
    // Two passes of the chessboard distance transform over the bounding box (one pixel beyond it
    // counts as outside).
    std::vector<int> depth(cost_.size(), 0);
    for (int y = y0_; y < y0_ + height_; ++y) {
        for (int x = x0_; x < x0_ + width_; ++x) {
            if (band.at(x, y) == 0) continue;
            int d = kRoofReadDepth;
            for (const auto& [dx, dy] : {std::pair{-1, -1}, std::pair{0, -1}, std::pair{1, -1}, std::pair{-1, 0}}) {
                d = std::min(d, within(x + dx, y + dy) ? depth[index(x + dx, y + dy)] + 1 : 1);
            }
            depth[index(x, y)] = d;
        }
    }
    for (int y = y0_ + height_ - 1; y >= y0_; --y) {
        for (int x = x0_ + width_ - 1; x >= x0_; --x) {
            if (band.at(x, y) == 0) continue;
            int d = depth[index(x, y)];
            for (const auto& [dx, dy] : {std::pair{1, 1}, std::pair{0, 1}, std::pair{-1, 1}, std::pair{1, 0}}) {
                d = std::min(d, within(x + dx, y + dy) ? depth[index(x + dx, y + dy)] + 1 : 1);
            }
            depth[index(x, y)] = d;
        }
    }
    return depth;
}

WaysInsideTheBand::WaysInsideTheBand(const ByteMask& band, int clickX, int clickY)
{
    int minX = kMaskLastX + 1, minY = kMaskLastY + 1, maxX = -1, maxY = -1;
    for (int y = 0; y <= kMaskLastY; ++y) {
        for (int x = 0; x <= kMaskLastX; ++x) {
            if (band.at(x, y) != 0) {
                minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
        }
    }
    if (maxX < 0 || band.at(clickX, clickY) == 0) {
        return;
    }
    x0_ = minX, y0_ = minY, width_ = maxX - minX + 1, height_ = maxY - minY + 1;
    cost_.assign(std::size_t(width_) * std::size_t(height_), std::numeric_limits<int>::max());
    from_.assign(cost_.size(), -1);
    depth_ = Depths(band);
    const std::vector<int>& depth = depth_;
    // Dijkstra's search with a bucket per cost (every step costs a few units).
    std::vector<std::vector<int>> buckets(1);
    const int start = index(clickX, clickY);
    cost_[std::size_t(start)] = 0;
    buckets[0].push_back(start);
    for (std::size_t c = 0; c < buckets.size(); ++c) {
        for (std::size_t k = 0; k < buckets[c].size(); ++k) {
            const int at = buckets[c][k];
            if (cost_[std::size_t(at)] != int(c)) continue;
            const int x = x0_ + at % width_, y = y0_ + at / width_;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    if ((dx == 0 && dy == 0) || !within(x + dx, y + dy) || band.at(x + dx, y + dy) == 0) continue;
                    const int to = index(x + dx, y + dy);
                    // Half pixels: 2 across, 3 diagonally.
                    const int step = (dx != 0 && dy != 0 ? 3 : 2) + kShallowCost * (kRoofReadDepth - depth[std::size_t(to)]);
                    const int reached = int(c) + step;
                    if (reached < cost_[std::size_t(to)]) {
                        cost_[std::size_t(to)] = reached;
                        from_[std::size_t(to)] = at;
                        if (buckets.size() <= std::size_t(reached)) buckets.resize(std::size_t(reached) + 1);
                        buckets[std::size_t(reached)].push_back(to);
                    }
                }
            }
        }
    }
}

std::vector<MaskPixel> WaysInsideTheBand::WayTo(int x, int y) const
{
    int best = -1;
    int bestDistance = kRoofStepSpan * kRoofStepSpan + 1;
    for (int dy = -kRoofStepSpan; dy <= kRoofStepSpan; ++dy) {
        for (int dx = -kRoofStepSpan; dx <= kRoofStepSpan; ++dx) {
            if (!within(x + dx, y + dy) || dx * dx + dy * dy >= bestDistance) continue;
            const int at = index(x + dx, y + dy);
            if (cost_[std::size_t(at)] != std::numeric_limits<int>::max()) {
                best = at, bestDistance = dx * dx + dy * dy;
            }
        }
    }
    std::vector<MaskPixel> way;
    for (int at = best; at >= 0; at = from_[std::size_t(at)]) {
        way.push_back({x0_ + at % width_, y0_ + at / width_});
    }
    std::reverse(way.begin(), way.end());
    return Taut(way);
}

// How many pixels of the straight line from a to b (a pixel apart, rounded) lie too near the
// band's edge for a box mean to be read about them (outside the bounding box: all).
int WaysInsideTheBand::ShallowOnTheStraight(MaskPixel a, MaskPixel b) const
{
    const int count = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
    int shallow = 0;
    for (int i = 0; i <= count; ++i) {
        const double t = count > 0 ? double(i) / count : 0.0;
        const int x = static_cast<int>(std::lround(a.x + (b.x - a.x) * t)), y = static_cast<int>(std::lround(a.y + (b.y - a.y) * t));
        if (!within(x, y) || depth_[std::size_t(index(x, y))] < kRoofReadDepth) ++shallow;
    }
    return shallow;
}

// The search's way steps in the eight directions of the pixel grid, and of the many ways of equal
// cost it keeps one that runs level or diagonal in long stretches: one that may run along a
// boundary between two roofs and read the blend of both. Pulled taut, it runs straight wherever
// the straight line reads the roof's grey as fully as the way did (no more of it lies too near
// the band's edge), and bends where the region's outline turns in (a concave outline, a narrow
// neck, the other roof's corner reached from inside that roof).
std::vector<MaskPixel> WaysInsideTheBand::Taut(const std::vector<MaskPixel>& way) const
{
    std::vector<MaskPixel> corners;
    if (way.empty()) return corners;
    corners.push_back(way.front());
    std::size_t anchor = 0;
    while (anchor + 1 < way.size()) {
        std::size_t reach = anchor + 1;
        int shallowOnTheWay = depth_[std::size_t(index(way[anchor].x, way[anchor].y))] < kRoofReadDepth ? 1 : 0;
        for (std::size_t j = anchor + 1; j < way.size(); ++j) {
            if (depth_[std::size_t(index(way[j].x, way[j].y))] < kRoofReadDepth) ++shallowOnTheWay;
            if (ShallowOnTheStraight(way[anchor], way[j]) <= shallowOnTheWay) reach = j;
        }
        corners.push_back(way[reach]);
        anchor = reach;
    }
    return corners;
}

}  // namespace

namespace {

// The roof's grey along the way inside the band from the click to the candidate's top vertex
// (WaysInsideTheBand), read along each straight stretch as RoofGreyAlongTheWay reads; along the
// straight line where no band pixel the search reached lies near the vertex.
std::vector<std::optional<double>> RoofGreyInsideTheRegion(const AnalysisWindow& window, const ByteMask& band, const WaysInsideTheBand& ways,
                                                           double clickU, double clickV, MaskPixel top)
{
    const std::vector<MaskPixel> way = ways.WayTo(top.x, top.y);
    if (way.size() < 2) {
        return RoofGreyAlongTheWay(window, band, clickU, clickV, top.x, top.y);
    }
    std::vector<std::optional<double>> readings;
    for (std::size_t k = 0; k + 1 < way.size(); ++k) {
        std::vector<std::optional<double>> stretch = RoofGreyAlongTheWay(window, band, way[k].x, way[k].y, way[k + 1].x, way[k + 1].y);
        if (k + 2 < way.size()) {
            stretch.pop_back();  // the next stretch reads from this corner on
        }
        readings.insert(readings.end(), stretch.begin(), stretch.end());
    }
    return readings;
}

}  // namespace

namespace {

// Next to a corner the region is often too narrow for the way's boxes (a neck where two roofs
// meet, the strip of a nearer roof beside it), so the roof's grey about the candidate's top vertex
// is read in boxes of (2 kCornerBoxHalf + 1)^2 pixels, as far inside the band as the way's boxes
// (kRoofGreyInside), within kRoofStepSpan of the vertex.
constexpr int kCornerBoxHalf = 1;
// A box there reads another roof when it differs from the clicked roof's grey at the way's end,
// less the way's drift, by more than a blotch and the least step rounding and grain leave
// (kRoofTextureStep) ...
constexpr double kCornerStep = kRoofTextureStep;
// ... and by more than kRoofStepSpread times the grain of such a box (a box of 9 pixels spreads
// 5/3 times as much as one of 25).
constexpr double kCornerBoxSpread = double(2 * kRoofBoxHalf + 1) / double(2 * kCornerBoxHalf + 1);
// The clicked roof's grey at the way's end: the median of its last this many readings.
constexpr std::size_t kCornerReferenceReadings = kRoofStepSpan;

std::optional<double> CornerBoxMean(const AnalysisWindow& window, const ByteMask& band, int u, int v)
{
    return BoxMeanInBand(window, band, u, v, kCornerBoxHalf);
}


// The clicked roof's grey where the way's readings end and how far before the way's end that
// is (pixels along the way), or none where the way has no reading.
struct WayEnd {
    double grey = 0.0;
    double short_of_the_corner = 0.0;
};

std::optional<WayEnd> GreyAtTheWaysEnd(const std::vector<std::optional<double>>& readings)
{
    std::vector<double> last;
    std::vector<double> at;
    for (std::size_t i = readings.size(); i-- > 0 && last.size() < kCornerReferenceReadings;) {
        if (readings[i]) {
            last.push_back(*readings[i]);
            at.push_back(double(i));
        }
    }
    if (last.empty()) {
        return std::nullopt;
    }
    return WayEnd{Median(last), double(readings.size() - 1) - Median(at)};
}

// True when another roof's grey shows about the candidate's top vertex: a patch of at least a
// box's width of small boxes (kCornerBoxHalf) near the vertex differs the same way from the
// clicked roof's grey at the way's end, drift allowed for, by more than a blotch and the grain can.
// The way reads the roof in boxes that need room; where the region narrows towards the corner, its
// last readings still lie on the clicked roof while the corner itself belongs to a roof beside
// it, whose wall does not give the clicked building's height.
bool AnotherRoofAtTheCorner(const AnalysisWindow& window, const ByteMask& band, const std::vector<std::optional<double>>& readings, MaskPixel top)
{
    const std::optional<WayEnd> end = GreyAtTheWaysEnd(readings);
    if (!end) {
        return false;
    }
    const ReadWay way(readings);
    double drift = 0.0, boxGrain = 0.0;
    if (!way.pairs.empty()) {
        drift = Median(way.rates);
        std::vector<double> beyond;
        for (const ComparedPair& p : way.pairs) {
            beyond.push_back(way.change(p.from, p.to) - drift * double(p.to - p.from));
        }
        // A pair's change spreads sqrt(2) times as much as one box mean.
        boxGrain = SpreadAbout(beyond, 0.0) / std::sqrt(2.0) * kCornerBoxSpread;
    }
    const double expected = end->grey + drift * end->short_of_the_corner;
    const double allowed = std::max(kCornerStep, kRoofStepSpread * boxGrain);
    int lighter = 0, darker = 0;
    for (int dy = -kRoofStepSpan; dy <= kRoofStepSpan; ++dy) {
        for (int dx = -kRoofStepSpan; dx <= kRoofStepSpan; ++dx) {
            const std::optional<double> grey = CornerBoxMean(window, band, top.x + dx, top.y + dy);
            if (!grey) continue;
            if (*grey - expected > allowed) ++lighter;
            if (expected - *grey > allowed) ++darker;
        }
    }
    constexpr int patch = (2 * kCornerBoxHalf + 1) * (2 * kCornerBoxHalf + 1);
    return lighter >= patch || darker >= patch;
}

}  // namespace

std::vector<WallCandidate> OnTheClickedRoof(const std::vector<WallCandidate>& candidates, const AnalysisWindow& window, const ByteMask& band,
                                            double clickU, double clickV)
{
    const WaysInsideTheBand ways(band, static_cast<int>(std::lround(clickU)), static_cast<int>(std::lround(clickV)));
    std::vector<WallCandidate> kept;
    for (const WallCandidate& c : candidates) {
        const std::vector<std::optional<double>> readings = RoofGreyInsideTheRegion(window, band, ways, clickU, clickV, c.top);
        if (!RoofGreyStepsOnTheWay(readings) && !AnotherRoofAtTheCorner(window, band, readings, c.top)) {
            kept.push_back(c);
        }
    }
    return kept;
}

}  // namespace roofdetect
