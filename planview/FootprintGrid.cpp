#include "FootprintGrid.h"

#include <algorithm>
#include <cmath>

#include "photoinput/PhotoModel.h"
#include "platform/Constants.h"

std::vector<judge::Crossing> MakeFootprintCrossings(float northAngle)
{
    const double a = northAngle * platform::kRadPerDeg;
    const double s = std::sin(a), c = std::cos(a);
    std::vector<judge::Outline> outlines;
    const int roofs = std::clamp(gEachTopAreaNumber, 0, kMaxTopAreas);
    for (int r = 0; r < roofs; ++r) {
        judge::Outline outline;
        outline.height = static_cast<float>(r + 1);
        const int first = std::max(gEachTopAreaStartNum[r], 0);
        const int last = std::min(gEachTopAreaStartNum[r] + gEachTopAreaPointNum[r] - 1, kMaxTopPoints - 1);
        for (int k = first; k <= last; ++k) {
            const double x = gFlatTopAreaX[k], y = gFlatTopAreaY[k];
            // North-up: x kept in double, y in single precision.
            outline.points.push_back({x * c - y * s, static_cast<double>(static_cast<float>(x * s + y * c))});
        }
        outlines.push_back(std::move(outline));
    }
    std::vector<judge::Crossing> rows = judge::MakeFirstCutList(outlines, 1.0, kFootprintFrame);
    if (rows.size() > kMaxFootprintCrossings) rows.resize(kMaxFootprintCrossings);
    judge::SortFirstCutList(rows);
    return rows;
}

void FillFootprintGrid(const std::vector<judge::Crossing>& crossings, judge::HeightMesh& mesh)
{
    mesh.clear();
    int roofs = 0;
    for (const auto& c : crossings) roofs = std::max(roofs, c.area + 1);
    std::vector<judge::Outline> values(static_cast<std::size_t>(roofs));
    for (int r = 0; r < roofs; ++r) values[static_cast<std::size_t>(r)].height = static_cast<float>(r + 1);
    judge::FillBillHeightMesh(crossings, values, mesh, kFootprintFrame);
}
