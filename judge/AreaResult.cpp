#include "AreaResult.h"

#include "judge/ResultTables.h"
#include "orbit/ObservationConditions.h"

#include <algorithm>

namespace judge {

LegendConditions CurrentLegendConditions()
{
    LegendConditions c;
    c.latitude = gLatitude;
    c.longitude = gLongitude;
    c.date = gComputeDate;
    c.startStep = gStartTimeStep;
    c.endStep = gEndTimeStep;
    c.antenna = gAntennaHeight;
    c.mask = gElevationMask;
    return c;
}

AreaResult AreaResult::Blank(AreaResultKind kind, const JudgeSetup& setup, const MapViewState& view, const LegendConditions& conditions)
{
    AreaResult r;
    r.kind = kind;
    r.setup = setup;
    r.setup.lastX = std::max(setup.lastX, -1);
    r.setup.lastY = std::max(setup.lastY, -1);
    r.view = view;
    r.conditions = conditions;
    const auto cells = static_cast<std::size_t>(r.columns() * r.rows());
    r.values.assign(cells, 0.0f);
    r.judged.assign(cells, 0);
    return r;
}

float AreaResult::at(int i, int j) const { return contains(i, j) ? values[static_cast<std::size_t>(j * columns() + i)] : 0.0f; }

bool AreaResult::isJudged(int i, int j) const { return contains(i, j) && judged[static_cast<std::size_t>(j * columns() + i)] != 0; }

void AreaResult::set(int i, int j, float value)
{
    if (!contains(i, j)) return;
    values[static_cast<std::size_t>(j * columns() + i)] = value;
    judged[static_cast<std::size_t>(j * columns() + i)] = 1;
}

int AreaResult::colorIndex(int i, int j) const
{
    if (!isJudged(i, j)) return -1;
    return kind == AreaResultKind::Count ? SateNumColorIndex(at(i, j)) : RateClassColorIndex(at(i, j));
}

std::uint32_t AreaResult::colorValue(int i, int j) const
{
    const int k = colorIndex(i, j);
    if (k < 0) return 0;
    return kind == AreaResultKind::Count ? gSateNumColor[static_cast<std::size_t>(k)] : gRateClassColor[static_cast<std::size_t>(k)];
}

void ResultCellCentre(const AreaResult& result, int i, int j, const MapViewState& view, double& px, double& py)
{
    const double c = result.setup.cell;
    // Grid metres of the cell centre, then the picture point of the judgement's map, its site
    // point, and that site point on the map as drawn now.
    const double gx = (result.setup.windowX + i - kOriginCellX) * c;
    const double gy = (result.setup.windowY + j - kOriginCellY) * c;
    const MapViewState& judged = result.view;
    double sx = 0.0, sy = 0.0;
    PictureToSite(judged, gx * judged.scale, gy * judged.scale, sx, sy, true);
    const PicturePoint drawn = SiteToPicture(view, sx, sy);
    px = drawn.x;
    py = drawn.y;
}

double ResultCellHalfSide(const AreaResult& result, const MapViewState& view) { return 0.5 * result.setup.cell * view.scale; }

void StoreResultInComuAreaMesh(const AreaResult& result)
{
    for (int i = 0; i < result.columns(); ++i)
        for (int j = 0; j < result.rows(); ++j) gComuAreaMesh.set(i, j, result.isJudged(i, j) ? result.at(i, j) : 0.0f);
}

}  // namespace judge
