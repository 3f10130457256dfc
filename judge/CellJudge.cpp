#include "CellJudge.h"

#include "orbit/AlmanacTable.h"
#include "orbit/OrbitEngine.h"

#include <algorithm>

namespace judge {
namespace {

// Marks, per slot, the satellites visible from the cell at `step`.
std::array<bool, kSateSlots> VisibleSlots(const HeightMesh& mesh, const JudgeSetup& setup, const SatelliteTable& sats, int step, int gi,
                                          int gj)
{
    std::array<bool, kSateSlots> seen{};
    if (step < 0 || step >= kTimeSteps) return seen;
    const int last = std::clamp(sats.sateNum, 0, kSateSlots - 1);
    for (int k = 1; k <= last; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        if (sats.excluded[slot]) continue;
        const float e = sats.elevation[slot][static_cast<std::size_t>(step)];
        if (!(e > setup.mask)) continue;
        const int a = GridDirectionOfAzimuth(sats.azimuth[slot][static_cast<std::size_t>(step)], setup.gridRotateDeg);
        if (a < 0) continue;
        const double h = MarchDirection(mesh, gi, gj, setup.area, setup.cell, a, setup.antenna, RisePrecision::Single);
        seen[slot] = e > h;
    }
    return seen;
}

template <typename GoodStep>
int ClassOverSpan(int firstStep, int lastStep, GoodStep good)
{
    int hits = 0;
    for (int t = firstStep; t <= lastStep; ++t)
        if (good(t)) ++hits;
    return RateClass(hits, lastStep - firstStep + 1);
}

}  // namespace

int VisibleFromCell(const HeightMesh& mesh, const JudgeSetup& setup, const SatelliteTable& sats, int step, int gi, int gj)
{
    const auto seen = VisibleSlots(mesh, setup, sats, step, gi, gj);
    return static_cast<int>(std::count(seen.begin(), seen.end(), true));
}

int RateClassOfCell(const HeightMesh& mesh, const JudgeSetup& setup, const SatelliteTable& sats, int firstStep, int lastStep,
                    int criterion, int gi, int gj)
{
    return ClassOverSpan(firstStep, lastStep,
                         [&](int t) { return IsGoodStep(VisibleFromCell(mesh, setup, sats, t, gi, gj), criterion); });
}

int GoodSetClassOfCell(const HeightMesh& mesh, const JudgeSetup& setup, const SatelliteTable& sats, int firstStep, int lastStep,
                       const GoodSateSets& sets, const std::array<int, kTimeSteps>& setCount, int gi, int gj)
{
    return ClassOverSpan(firstStep, lastStep, [&](int t) {
        if (t < 0 || t >= kTimeSteps) return false;
        const auto& listed = sets[static_cast<std::size_t>(t)];
        const auto count = std::min<std::size_t>(static_cast<std::size_t>(std::max(setCount[static_cast<std::size_t>(t)], 0)), listed.size());
        if (count == 0) return false;
        const auto seen = VisibleSlots(mesh, setup, sats, t, gi, gj);
        return std::any_of(listed.begin(), listed.begin() + static_cast<std::ptrdiff_t>(count), [&](const SateSet& set) {
            return std::all_of(set.begin(), set.end(), [&](std::int16_t s) { return s >= 1 && s < kSateSlots && seen[static_cast<std::size_t>(s)]; });
        });
    });
}

SatelliteTable CurrentSatelliteTable()
{
    SatelliteTable t;
    t.sateNum = std::clamp<int>(gSateNum, 0, kSateSlots - 1);
    t.azimuth = gSateAzimus;
    t.elevation = gSateElevation;
    t.excluded.fill(true);
    for (int slot : orbit::UsableSateSlots())
        if (slot >= 0 && slot < kSateSlots) t.excluded[static_cast<std::size_t>(slot)] = false;
    return t;
}

}  // namespace judge
