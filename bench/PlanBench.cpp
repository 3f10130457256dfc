// Plan conversion of a large photo model: 500 roofs of 4 corners (2000 points) with one wall
// edge each, the heights from the wall edges and every point projected to the plan.
#include <benchmark/benchmark.h>

#include <vector>

#include "photoinput/PhotoModel.h"
#include "planview/PlanConversion.h"

namespace {

void BuildModel()
{
    ResetAllDataBuildingData();
    SetCameraValues(589.0f, 160.1795f, 134.0f, 33.2212f);
    SetPhotoPictureWidth(785.0f);
    for (int i = 0; i < 500; ++i) {
        const float x = -380.0f + 30.0f * (i % 25), y = -300.0f + 30.0f * (i / 25);
        const std::vector<PhotoPoint> roof{{x, y}, {x + 20, y}, {x + 20, y + 20}, {x, y}};
        SetNewTopArea(roof);
        AddWallEdge(i, {x, y}, {x, y - 15});
    }
}

void BM_PlanConversion500Roofs(benchmark::State& state)
{
    BuildModel();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeFlatTopHeight());
        benchmark::DoNotOptimize(ComputeFlatTopArea());
        ComputeNorthTopArea();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlanConversion500Roofs);

}  // namespace
