#include "roofdetect/ClickedRoof.h"

#include "roofdetect/Median.h"

#include <algorithm>
#include <cmath>
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
// beyond the drift (box means of the roof's grain, blurred or not).
constexpr double kRoofStepSpread = 3.5;
// With fewer pairs than this the way says nothing about the roof's grain.
constexpr std::size_t kRoofStepReadings = 8;
// The drift beside a step is read from at least this many pairs.
constexpr std::size_t kRoofDriftPairs = kRoofStepSpan / 2;

// The mean grey of the box about window pixel (u, v), or none where the box is not well inside
// the band.
std::optional<double> RoofBoxMean(const AnalysisWindow& window, const ByteMask& band, int u, int v)
{
    constexpr int reach = kRoofBoxHalf + kRoofGreyInside;
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            if (band.at(u + dx, v + dy) == 0) {
                return std::nullopt;
            }
        }
    }
    int sum = 0;
    for (int dy = -kRoofBoxHalf; dy <= kRoofBoxHalf; ++dy) {
        for (int dx = -kRoofBoxHalf; dx <= kRoofBoxHalf; ++dx) {
            sum += window.GetGrayLevel(u + dx, v + dy);
        }
    }
    return sum / double((2 * kRoofBoxHalf + 1) * (2 * kRoofBoxHalf + 1));
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

// The roof's drift along the way (shading, vignetting, a stain fading out) beside a step between
// the readings of `step`: the median change per pixel of the pairs that share no stretch of the
// way with it. The pairs straddling a boundary change by its step, and all of them overlap
// `step` when it straddles the boundary too; counted in, they would tilt the drift towards the
// step. The whole way's drift `drift` where fewer than kRoofDriftPairs pairs lie apart.
double DriftAwayFrom(const ReadWay& way, const ComparedPair& step, double drift)
{
    std::vector<double> away;
    for (std::size_t k = 0; k < way.pairs.size(); ++k) {
        const ComparedPair& p = way.pairs[k];
        if (p.to < step.from || p.from > step.to) {
            away.push_back(way.rates[k]);
        }
    }
    return away.size() < kRoofDriftPairs ? drift : Median(std::move(away));
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
// two roofs: by more than the drift beside it and the grain allow, and for good. Texture (a
// blotch, a stain) rises and falls back within a few pixels, while two roofs each keep their
// own grey: the grey a span beyond the step must still differ the same way, less the drift,
// from the grey a span before it. Where the way's readings end within a span of the step, its
// last (or first) reading stands in: a step there cannot be told from texture, and a wrong
// height is worse than none.
bool StepAtABoundary(const ReadWay& way, const ComparedPair& step, double wayDrift)
{
    const double drift = DriftAwayFrom(way, step, wayDrift);
    const double across = way.change(step.from, step.to) - drift * double(step.to - step.from);
    if (std::abs(across) <= kRoofStepLeast) {
        return false;
    }
    const double allowed = std::max(kRoofStepLeast, kRoofStepSpread * GrainAwayFrom(way, step, drift));
    if (std::abs(across) <= allowed) {
        return false;
    }
    const std::size_t before = ReadingASpanAway(way.readings, step.from, -1);
    const std::size_t beyond = ReadingASpanAway(way.readings, step.to, 1);
    const double wider = way.change(before, beyond) - drift * double(beyond - before);
    return wider * across > 0.0 && std::abs(wider) > allowed;
}

}  // namespace

bool RoofGreyStepsOnTheWay(const std::vector<std::optional<double>>& readings)
{
    const ReadWay way(readings);
    if (way.pairs.size() < kRoofStepReadings) {
        return false;  // too little of the way inside the roof to tell
    }
    const double drift = Median(way.rates);
    return std::any_of(way.pairs.begin(), way.pairs.end(), [&](const ComparedPair& p) { return StepAtABoundary(way, p, drift); });
}

std::vector<WallCandidate> OnTheClickedRoof(const std::vector<WallCandidate>& candidates, const AnalysisWindow& window, const ByteMask& band,
                                            double clickU, double clickV)
{
    std::vector<WallCandidate> kept;
    for (const WallCandidate& c : candidates) {
        if (!RoofGreyStepsOnTheWay(RoofGreyAlongTheWay(window, band, clickU, clickV, c.top.x, c.top.y))) {
            kept.push_back(c);
        }
    }
    return kept;
}

}  // namespace roofdetect
