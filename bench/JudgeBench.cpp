// The judgement on the sample site (six buildings, zoom scale 4) with 31 satellites on realistic
// tracks over a day: the skyline at one point, the judgement at one time over the whole window and
// the time-average judgement over all 289 steps.
#include <benchmark/benchmark.h>

#include "judge/AreaJudge.h"
#include "judge/HeightGrid.h"
#include "judge/Skyline.h"
#include "tests/judge/JudgeFixtures.h"
#include "tests/judge/SyntheticSky.h"

namespace {

constexpr float kScale = 4.0f;

struct Scene {
    judge::HeightMesh mesh;
    judge::JudgeSetup setup;
    judge::SatelliteTable sats = judgetest::SyntheticSky();
    Scene()
    {
        setup.cell = (864.0f / kScale) / 162.0f;
        setup.antenna = 1.5f;
        setup.mask = 10.0f;
        judge::BuildHeightMesh(judgetest::ToGrid(judgetest::SampleSite(), kScale), setup.cell, mesh);
    }
};

const Scene& SampleScene()
{
    static const Scene scene;
    return scene;
}

void BM_BuildHeightGrid(benchmark::State& state)
{
    const auto outlines = judgetest::ToGrid(judgetest::SampleSite(), kScale);
    const float cell = SampleScene().setup.cell;
    judge::HeightMesh mesh;
    for (auto _ : state) {
        mesh.clearRange(judge::kBuildLastX, judge::kBuildLastY);
        judge::BuildHeightMesh(outlines, cell, mesh);
        benchmark::DoNotOptimize(mesh);
    }
}
BENCHMARK(BM_BuildHeightGrid)->Unit(benchmark::kMicrosecond);

void BM_SkylineAtOnePoint(benchmark::State& state)
{
    const Scene& s = SampleScene();
    for (auto _ : state) {
        auto sky = judge::GridSkyline(s.mesh, 81, 67, s.setup.area, s.setup.cell, s.setup.antenna, judge::RisePrecision::Double);
        benchmark::DoNotOptimize(sky);
    }
}
BENCHMARK(BM_SkylineAtOnePoint)->Unit(benchmark::kMicrosecond);

void BM_JudgeWindowAtOneStep(benchmark::State& state)
{
    const Scene& s = SampleScene();
    for (auto _ : state) benchmark::DoNotOptimize(judge::JudgeWindowAtStep(s.mesh, s.setup, s.sats, 100));
}
BENCHMARK(BM_JudgeWindowAtOneStep)->Unit(benchmark::kMillisecond);

void BM_JudgeWindowTimeAverage289Steps(benchmark::State& state)
{
    const Scene& s = SampleScene();
    for (auto _ : state) benchmark::DoNotOptimize(judge::JudgeWindowMean(s.mesh, s.setup, s.sats, 0, 288, 1));
}
BENCHMARK(BM_JudgeWindowTimeAverage289Steps)->Unit(benchmark::kMillisecond);

}  // namespace
