// The whole-day satellite tables (32 satellites x 289 steps) are computed before every sky view
// and for every area judgement; the counts follow each of them.
#include <benchmark/benchmark.h>

#include <numeric>

#include "orbit/VisibleSatellites.h"

namespace {

// The built-in almanac filled up to 32 satellites.
orbit::Almanac FullAlmanac()
{
    orbit::Almanac almanac = orbit::DefaultAlmanac();
    for (std::int16_t prn : {15, 32}) {
        orbit::AlmanacRecord extra = almanac.records[prn % 7];
        extra.prn = prn;
        extra.meanAnomaly += 90;
        almanac.records.push_back(extra);
    }
    return almanac;
}

// Inputs of one day's computation at Tokyo: 32 satellites, all of them used.
struct Day {
    orbit::Almanac almanac = FullAlmanac();
    std::vector<int> used = std::vector<int>(32);
    orbit::GpsTime start = *orbit::ConvertDateToGPSTime("2007/09/19", "00:00");
    Day() { std::iota(used.begin(), used.end(), 1); }
    void compute(int first, int last, SateTable& az, SateTable& el) const
    {
        orbit::ComputeSateTables(almanac, used, 35.681, 139.767, start, first, last, az, el);
    }
};

void BM_WholeDayTable(benchmark::State& state)
{
    const Day day;
    static SateTable az, el;
    for (auto _ : state) {
        day.compute(0, kLastTimeStep, az, el);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 32 * (kLastTimeStep + 1));
}
BENCHMARK(BM_WholeDayTable)->Unit(benchmark::kMicrosecond);

void BM_OneStep(benchmark::State& state)
{
    const Day day;
    static SateTable az, el;
    for (auto _ : state) {
        day.compute(144, 144, az, el);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OneStep);

void BM_CountWholeDay(benchmark::State& state)
{
    const Day day;
    static SateTable az, el;
    day.compute(0, kLastTimeStep, az, el);
    orbit::SkylineTable skyline{};
    for (int d = 0; d <= 360; ++d) skyline[d] = static_cast<float>(d % 40);
    orbit::VisibleCountTable counts{};
    for (auto _ : state) {
        orbit::CountVisibleSate(az, el, day.used, 10.0f, skyline, 0, kLastTimeStep, counts);
        benchmark::DoNotOptimize(counts.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 32 * (kLastTimeStep + 1));
}
BENCHMARK(BM_CountWholeDay)->Unit(benchmark::kMicrosecond);

}  // namespace
