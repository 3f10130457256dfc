// Splitting and number formatting run for every line of every file the program reads or writes.
#include <benchmark/benchmark.h>

#include "orbit/TextHelpers.h"
#include "platform/NumberText.h"

static void BM_DivideYumaLine(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(orbit::DivideStringData("SQRT(A)  (m 1/2):     5153.691895", " "));
    }
}
BENCHMARK(BM_DivideYumaLine);

static void BM_FormatPointLine(benchmark::State& state)
{
    double x = -18.9;
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::FormatFixed(x, "#####0.0"));
        x += 0.01;
    }
}
BENCHMARK(BM_FormatPointLine);
