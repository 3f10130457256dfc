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
// A difference between two readings, beyond the drift of the roof's grey along the way (the
// median of all such differences: shading, vignetting), marks a boundary when it exceeds both
// this many grey levels ...
constexpr double kRoofStepLeast = 1.0;
// ... and this many times the spread of those differences about the drift (the roof's grain as
// box means see it, blurred or not).
constexpr double kRoofStepSpread = 3.5;
// With fewer readings than this the way says nothing about the roof's grain.
constexpr std::size_t kRoofStepReadings = 8;

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

// True when the roof's grey read along the straight way from (u0, v0) to (u1, v1) steps at a
// boundary: somewhere two readings kRoofStepSpan apart differ by more than the roof's drift along
// the way (shading, vignetting, a stain fading out: the median of all such differences) and its
// grain allow. Readings are taken a pixel apart wherever the box is well inside the band; a way
// that leaves the band is compared only along its stretches inside.
bool RoofGreyStepsOnTheWay(const AnalysisWindow& window, const ByteMask& band, double u0, double v0, double u1, double v1)
{
    const double length = std::hypot(u1 - u0, v1 - v0);
    const int count = static_cast<int>(std::floor(length));
    std::vector<std::optional<double>> readings;
    for (int i = 0; i <= count; ++i) {
        const double t = count > 0 ? double(i) / length : 0.0;
        readings.push_back(RoofBoxMean(window, band, static_cast<int>(std::lround(u0 + (u1 - u0) * t)),
                                       static_cast<int>(std::lround(v0 + (v1 - v0) * t))));
    }
    std::vector<double> steps;
    for (std::size_t i = 0; i + kRoofStepSpan < readings.size(); ++i) {
        if (readings[i] && readings[i + kRoofStepSpan]) {
            steps.push_back(*readings[i + kRoofStepSpan] - *readings[i]);
        }
    }
    if (steps.size() < kRoofStepReadings) {
        return false;  // too little of the way inside the roof to tell
    }
    // The drift is the median difference; the spread the median distance from it, as a standard
    // deviation. A boundary moves only the differences whose two readings straddle it.
    const double drift = Median(steps);
    std::vector<double> off;
    for (const double step : steps) {
        off.push_back(std::abs(step - drift));
    }
    const double allowed = std::max(kRoofStepLeast, kRoofStepSpread * kMedianDeviationToSigma * Median(off));
    return std::any_of(off.begin(), off.end(), [&](double step) { return step > allowed; });
}

}  // namespace

std::vector<WallCandidate> OnTheClickedRoof(const std::vector<WallCandidate>& candidates, const AnalysisWindow& window, const ByteMask& band,
                                            double clickU, double clickV)
{
    std::vector<WallCandidate> kept;
    for (const WallCandidate& c : candidates) {
        if (!RoofGreyStepsOnTheWay(window, band, clickU, clickV, c.top.x, c.top.y)) {
            kept.push_back(c);
        }
    }
    return kept;
}

}  // namespace roofdetect
