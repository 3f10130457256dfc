// The boundary between two roofs on the way from the click to a corner, read from the roof's
// grey along the way (box means a pixel apart, none where the box leaves the region's band).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "roofdetect/ClickedRoof.h"

namespace {

using roofdetect::RoofGreyStepsOnTheWay;

// 70 readings of a roof of grey 210 with a grain of box means (+-0.3 levels), changed by
// `shape` at each reading; none where `missing` says so.
template <typename Shape, typename Missing>
std::vector<std::optional<double>> Way(Shape shape, Missing missing)
{
    std::vector<std::optional<double>> readings;
    for (int i = 0; i < 70; ++i) {
        const double grain = 0.15 * ((i * 7) % 5 - 2);
        readings.push_back(missing(i) ? std::nullopt : std::optional<double>(210.0 + grain + shape(i)));
    }
    return readings;
}

// A boundary is a step that lasts; a roof's drift, a blotch that rises and falls back, and a
// gap where the box left the band are not, but a step inside such a gap is.
TEST(RoofGreyStepsOnTheWay, AStepThatLastsIsABoundaryTextureIsNot)
{
    auto none = [](int) { return false; };
    auto gap = [](int i) { return i >= 26 && i < 40; };  // wider than the span of 8 compared
    auto step = [](double levels) { return [levels](int i) { return i >= 33 ? levels : 0.0; }; };
    auto blotch = [](int i) { return i >= 30 && i < 35 ? 2.0 : 0.0; };
    auto drift = [](int i) { return -0.12 * i; };
    struct Case {
        std::string name;
        std::vector<std::optional<double>> readings;
        bool boundary;
    };
    const Case cases[] = {
        {"one roof", Way([](int) { return 0.0; }, none), false},
        {"one roof drifting by 8 levels", Way(drift, none), false},
        {"a step of 3", Way(step(3.0), none), true},
        {"a step of 3 down against the drift", Way([&](int i) { return drift(i) + step(-3.0)(i); }, none), true},
        {"a step of 3 inside a gap", Way(step(3.0), gap), true},
        {"one roof read across a gap", Way([](int) { return 0.0; }, gap), false},
        {"a blotch of 2 levels over 5 pixels", Way(blotch, none), false},
        {"a rise of 2 levels that stays", Way([](int i) { return i >= 30 ? 2.0 : 0.0; }, none), true},
        {"a blotch beside a gap", Way(blotch, [](int i) { return i >= 36 && i < 44; }), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoofGreyStepsOnTheWay(c.readings), c.boundary) << c.name;
    }
}

// A way with fewer than 8 pairs of readings a span apart is too short to read the roof's grain
// and drift: only a step larger than a roof's texture and drift make within a span, and lasting,
// is a boundary there. A way just long enough, most of whose pairs straddle the step, reads the
// drift beside the step from readings half a span apart: flat either side, the step stands.
TEST(RoofGreyStepsOnTheWay, AShortWayTellsOnlyAStepNoRoofMakes)
{
    auto way = [](std::size_t count, std::size_t at, double step, double drift) {
        std::vector<std::optional<double>> readings;
        for (std::size_t i = 0; i < count; ++i) readings.push_back(210.0 + drift * double(i) + (i >= at ? step : 0.0) + 0.15 * double(int(i * 7 % 5) - 2));
        return readings;
    };
    struct Case {
        const char* name;
        std::vector<std::optional<double>> readings;
        bool boundary;
    };
    const Case cases[] = {
        {"a short way with a step of 10", way(15, 8, 10.0, 0.0), true},
        {"a short way with a step of 10 down", way(15, 8, -10.0, 0.0), true},
        {"a short way with a step of 3", way(15, 8, 3.0, 0.0), false},
        {"a short way drifting by half a level a pixel", way(15, 0, 0.0, 0.5), false},
        {"a step of 3 with 9 pairs", way(17, 8, 3.0, 0.0), true},
        {"a step of 5 in the middle of 25 readings", way(25, 12, 5.0, 0.0), true},
        {"25 readings drifting by a third of a level a pixel", way(25, 0, 0.0, 0.33), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoofGreyStepsOnTheWay(c.readings), c.boundary) << c.name;
    }
}

}  // namespace
