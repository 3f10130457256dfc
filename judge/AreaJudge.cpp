#include "AreaJudge.h"

#include "orbit/ObservationConditions.h"

#include <algorithm>

namespace judge {

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
    // Counted without a branch: whether a satellite clears the skyline follows no pattern.
    int n = 0;
    for (std::size_t s = 0; s < step.direction.size(); ++s)
        n += static_cast<int>(step.elevation[s] > skyline[static_cast<std::size_t>(step.direction[s])]);
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

WindowJudge::WindowJudge(const HeightMesh& mesh, const JudgeSetup& setup, std::vector<StepSatellites> steps, bool mean, int span,
                         int criterion)
    : setup_(setup),
      ground_(mesh, setup.area, setup.antenna),
      steps_(std::move(steps)),
      mean_(mean),
      span_(span),
      criterion_(criterion),
      table_(setup.area, setup.cell)
{
    for (const auto& s : steps_)
        for (int a : s.direction) needed_.set(static_cast<std::size_t>(a));
}

WindowJudge WindowJudge::AtStep(const HeightMesh& mesh, const JudgeSetup& setup, const SatelliteTable& sats, int step)
{
    auto steps = SatellitesAboveMask(sats, step, step, setup.mask, setup.gridRotateDeg);
    if (steps.empty()) steps.emplace_back();
    return WindowJudge(mesh, setup, std::move(steps), false, 1, 0);
}

WindowJudge WindowJudge::Mean(const HeightMesh& mesh, const JudgeSetup& setup, const SatelliteTable& sats, int firstStep, int lastStep,
                              int criterion)
{
    return WindowJudge(mesh, setup, SatellitesAboveMask(sats, firstStep, lastStep, setup.mask, setup.gridRotateDeg), true,
                       lastStep - firstStep + 1, criterion);
}

bool WindowJudge::isOpen(int i, int j) const { return ground_.mesh().at(setup_.windowX + i, setup_.windowY + j) == 0.0f; }

int WindowJudge::judgeCell(int i, int j) const
{
    if (!isOpen(i, j)) return 0;
    std::array<double, 360> sky{};
    table_.skyline(ground_, setup_.windowX + i, setup_.windowY + j, sky, &needed_);
    if (!mean_) return std::max(CountAboveSkyline(steps_.front(), sky), 1);
    int hits = 0;
    for (const auto& s : steps_)
        if (IsGoodStep(CountAboveSkyline(s, sky), criterion_)) ++hits;
    return RateClass(hits, span_);
}

WindowResult WindowJudge::judgeAll() const
{
    WindowResult r;
    r.lastX = std::max(setup_.lastX, -1);
    r.lastY = std::max(setup_.lastY, -1);
    r.values.assign(static_cast<std::size_t>((r.lastX + 1) * (r.lastY + 1)), 0.0f);
    for (int i = 0; i <= r.lastX; ++i)
        for (int j = 0; j <= r.lastY; ++j) r.values[static_cast<std::size_t>(j * (r.lastX + 1) + i)] = static_cast<float>(judgeCell(i, j));
    return r;
}

WindowResult JudgeWindowAtStep(const HeightMesh& mesh, const JudgeSetup& setup, const SatelliteTable& sats, int step)
{
    return WindowJudge::AtStep(mesh, setup, sats, step).judgeAll();
}

WindowResult JudgeWindowMean(const HeightMesh& mesh, const JudgeSetup& setup, const SatelliteTable& sats, int firstStep, int lastStep,
                             int criterion)
{
    return WindowJudge::Mean(mesh, setup, sats, firstStep, lastStep, criterion).judgeAll();
}

JudgeSetup CurrentJudgeSetup()
{
    JudgeSetup s;
    s.cell = gBillHeightMeshCell;
    s.antenna = gAntennaHeight;
    s.mask = gElevationMask;
    s.gridRotateDeg = static_cast<float>(gBillHeightMeshView.rotateDeg);
    return s;
}

}  // namespace judge

void CopyComuAreaHeight(int ix0, int jy0, int nx, int ny)
{
    for (int i = 0; i <= nx; ++i)
        for (int j = 0; j <= ny; ++j) {
            const long long gi = static_cast<long long>(ix0) + i, gj = static_cast<long long>(jy0) + j;
            if (gi > judge::kBuildLastX || gj > judge::kBuildLastY) continue;
            gComuAreaMesh.set(i, j, gBillHeightMesh.at(gi, gj));
        }
}
