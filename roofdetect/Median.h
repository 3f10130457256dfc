#pragma once
// The median, and the spread of values about a centre read from it: robust where a few values
// stand far off (a boundary among a roof's readings, a corner among an edge's steps).

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

namespace roofdetect {

// The median absolute deviation of Gaussian noise times this is its standard deviation
// (1 / the normal distribution's 75th percentile).
inline constexpr double kMedianDeviationToSigma = 1.4826;

// The median of `values` (the upper one of an even count); `values` must not be empty.
inline double Median(std::vector<double> values)
{
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The spread of `values` about `centre` as a standard deviation of Gaussian noise: the median
// distance from it, scaled. `values` must not be empty.
inline double SpreadAbout(const std::vector<double>& values, double centre)
{
    std::vector<double> distances;
    distances.reserve(values.size());
    for (const double value : values) {
        distances.push_back(std::abs(value - centre));
    }
    return kMedianDeviationToSigma * Median(std::move(distances));
}

}  // namespace roofdetect
