#include "AreaJudge.h"

#include <algorithm>

namespace judge {

std::array<bool, kSateSlots> ExcludedSlots(const std::array<int, kSateSlots>& slotPrn, const std::vector<int>& excludedPrns)
{
    std::array<bool, kSateSlots> out{};
    for (int s = 0; s < kSateSlots; ++s)
        out[static_cast<std::size_t>(s)] = std::find(excludedPrns.begin(), excludedPrns.end(), slotPrn[static_cast<std::size_t>(s)]) != excludedPrns.end();
    return out;
}

std::vector<StepSatellites> SatellitesAboveMask(const SatelliteTable& sats, int firstStep, int lastStep, float mask, float gridRotateDeg)
{
    firstStep = std::max(firstStep, 0);
    lastStep = std::min(lastStep, kTimeSteps - 1);
    std::vector<StepSatellites> out;
    const int last = std::clamp(sats.sateNum, 0, kSateSlots - 1);
    for (int t = firstStep; t <= lastStep; ++t) {
        StepSatellites s;
        for (int k = 1; k <= last; ++k) {
            if (sats.excluded[static_cast<std::size_t>(k)]) continue;
            const float e = sats.elevation[static_cast<std::size_t>(k)][static_cast<std::size_t>(t)];
            if (!(e > mask)) continue;
            const int a = GridDirectionOfAzimuth(sats.azimuth[static_cast<std::size_t>(k)][static_cast<std::size_t>(t)], gridRotateDeg);
            if (a < 0) continue;
            s.direction.push_back(a);
            s.elevation.push_back(e);
        }
        out.push_back(std::move(s));
    }
    return out;
}

int CountAboveSkyline(const StepSatellites& step, const std::array<double, 360>& skyline)
{
    int n = 0;
    for (std::size_t s = 0; s < step.direction.size(); ++s)
        if (step.elevation[s] > skyline[static_cast<std::size_t>(step.direction[s])]) ++n;
    return n;
}

int RateClass(int hits, int steps)
{
    if (steps <= 0) return 1;
    const int v = (20 * hits + steps - 1) / steps;
    return std::clamp(v, 1, 20);
}

bool IsGoodStep(int visible, int criterion)
{
    if (criterion == 1) return visible > 3;
    if (criterion == 2) return visible > 4;
    return false;
}

namespace {

// Runs `judgeCell` for every open cell of the window, column by column; building cells get 0.
template <typename CellFn>
WindowResult JudgeWindow(const HeightMesh& mesh, const JudgeSetup& setup, CellFn judgeCell)
{
    WindowResult r;
    r.lastX = std::max(setup.lastX, -1);
    r.lastY = std::max(setup.lastY, -1);
    r.values.assign(static_cast<std::size_t>((r.lastX + 1) * (r.lastY + 1)), 0.0f);
    const DirectionTable table(setup.area, setup.cell);
    std::array<double, 360> sky{};
    for (int i = 0; i <= r.lastX; ++i) {
        for (int j = 0; j <= r.lastY; ++j) {
            const int gi = setup.windowX + i, gj = setup.windowY + j;
            if (mesh.at(gi, gj) != 0.0f) continue;
            table.skyline(mesh, gi, gj, setup.antenna, sky);
            r.values[static_cast<std::size_t>(j * (r.lastX + 1) + i)] = static_cast<float>(judgeCell(sky));
        }
    }
    return r;
}

}  // namespace

WindowResult JudgeWindowAtStep(const HeightMesh& mesh, const JudgeSetup& setup, const SatelliteTable& sats, int step)
{
    const auto steps = SatellitesAboveMask(sats, step, step, setup.mask, setup.gridRotateDeg);
    const StepSatellites none;
    const StepSatellites& at = steps.empty() ? none : steps.front();
    return JudgeWindow(mesh, setup, [&](const std::array<double, 360>& sky) { return std::max(CountAboveSkyline(at, sky), 1); });
}

WindowResult JudgeWindowMean(const HeightMesh& mesh, const JudgeSetup& setup, const SatelliteTable& sats, int firstStep, int lastStep,
                             int criterion)
{
    const auto steps = SatellitesAboveMask(sats, firstStep, lastStep, setup.mask, setup.gridRotateDeg);
    const int span = lastStep - firstStep + 1;
    return JudgeWindow(mesh, setup, [&](const std::array<double, 360>& sky) {
        int hits = 0;
        for (const auto& s : steps)
            if (IsGoodStep(CountAboveSkyline(s, sky), criterion)) ++hits;
        return RateClass(hits, span);
    });
}

}  // namespace judge
