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

std::vector<int> AllSlots()
{
    std::vector<int> used(32);
    std::iota(used.begin(), used.end(), 1);
    return used;
}

void BM_WholeDayTable(benchmark::State& state)
{
    const orbit::Almanac almanac = FullAlmanac();
    const std::vector<int> used = AllSlots();
    const auto day = orbit::ConvertDateToGPSTime("2007/09/19", "00:00");
    static SateTable az, el;
    for (auto _ : state) {
        orbit::ComputeSateTables(almanac, used, 35.681, 139.767, *day, 0, kLastTimeStep, az, el);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 32 * (kLastTimeStep + 1));
}
BENCHMARK(BM_WholeDayTable)->Unit(benchmark::kMicrosecond);

void BM_OneStep(benchmark::State& state)
{
    const orbit::Almanac almanac = FullAlmanac();
    const std::vector<int> used = AllSlots();
    const auto day = orbit::ConvertDateToGPSTime("2007/09/19", "00:00");
    static SateTable az, el;
    for (auto _ : state) {
        orbit::ComputeSateTables(almanac, used, 35.681, 139.767, *day, 144, 144, az, el);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OneStep);

void BM_CountWholeDay(benchmark::State& state)
{
    const orbit::Almanac almanac = FullAlmanac();
    const std::vector<int> used = AllSlots();
    const auto day = orbit::ConvertDateToGPSTime("2007/09/19", "00:00");
    static SateTable az, el;
    orbit::ComputeSateTables(almanac, used, 35.681, 139.767, *day, 0, kLastTimeStep, az, el);
    orbit::SkylineTable skyline{};
    for (int d = 0; d <= 360; ++d) skyline[d] = static_cast<float>(d % 40);
    orbit::VisibleCountTable counts{};
    for (auto _ : state) {
        orbit::CountVisibleSate(az, el, used, 10.0f, skyline, 0, kLastTimeStep, counts);
        benchmark::DoNotOptimize(counts.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 32 * (kLastTimeStep + 1));
}
BENCHMARK(BM_CountWholeDay)->Unit(benchmark::kMicrosecond);

}  // namespace
