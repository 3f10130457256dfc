#include "HeightGrid.h"

#include "site/MapView.h"
#include "site/TopAreaModel.h"

#include <algorithm>
#include <cmath>

namespace judge {
namespace {

// Whole-number index far beyond the grid for any coordinate, so that off-grid crossings keep their
// order and distinctness without overflow.
constexpr double kIndexLimit = 1.0e12;

std::int64_t RoundIndex(double v)
{
    if (std::isnan(v)) return 0;
    return static_cast<std::int64_t>(std::nearbyint(std::clamp(v, -kIndexLimit, kIndexLimit)));
}

std::int64_t Column(double x, double cell, const GridFrame& frame) { return RoundIndex(x / cell) + frame.originX; }

// Row counted from the origin row to the grid row, when it lies on the grid.
bool GridRow(std::int64_t r, int& row, const GridFrame& frame)
{
    const std::int64_t y = r + frame.originY;
    if (y < 0 || y > frame.lastY) return false;
    row = static_cast<int>(y);
    return true;
}

}  // namespace

void AddEdgeCutRows(std::vector<Crossing>& rows, double cell, double x1, double y1, double x2, double y2, int area,
                    const GridFrame& frame)
{
    auto Column = [&](double x, double c) { return judge::Column(x, c, frame); };
    auto GridRow = [&](std::int64_t r, int& row) { return judge::GridRow(r, row, frame); };
    auto push = [&](std::int64_t x, int y, int dir) { rows.push_back(Crossing{area, x, y, dir, 0, 0}); };
    int row = 0;
    if (y1 == y2) {
        if (GridRow(RoundIndex(y1 / cell), row)) {
            push(Column(x1, cell), row, 0);
            push(Column(x2, cell), row, 0);
        }
        return;
    }
    if (std::isnan(y1) || std::isnan(y2)) return;
    const bool rising = y1 < y2;
    const int dir = rising ? 1 : -1;
    const double xl = rising ? x1 : x2, yl = rising ? y1 : y2;
    const double xu = rising ? x2 : x1, yu = rising ? y2 : y1;
    const std::int64_t rl = RoundIndex(yl / cell);
    const std::int64_t ru = RoundIndex(yu / cell);
    const std::int64_t n = ru - rl;
    // Only the rows on the grid: t from the first to the last that lands on rows 0..270.
    const std::int64_t tFirst = std::max<std::int64_t>(0, -frame.originY - rl);
    const std::int64_t tLast = std::min<std::int64_t>(n, frame.lastY - frame.originY - rl);
    if (x1 == x2) {
        const std::int64_t col = Column(x1, cell);
        for (std::int64_t t = tFirst; t <= tLast; ++t)
            if (GridRow(rl + t, row)) push(col, row, dir);
        return;
    }
    if (n == 0) {
        if (GridRow(rl, row)) push(Column(x1, cell), row, dir);
        return;
    }
    for (std::int64_t t = tFirst; t <= tLast; ++t) {
        const double x = xl + static_cast<double>(t) * (xu - xl) / static_cast<double>(n);
        if (GridRow(rl + t, row)) push(Column(x, cell), row, dir);
    }
}

std::vector<Crossing> MakeFirstCutList(const std::vector<Outline>& outlines, double cell, const GridFrame& frame)
{
    std::vector<Crossing> rows;
    for (std::size_t k = 0; k < outlines.size(); ++k) {
        const auto& pts = outlines[k].points;
        for (std::size_t p = 1; p < pts.size(); ++p)
            AddEdgeCutRows(rows, cell, pts[p - 1].x, pts[p - 1].y, pts[p].x, pts[p].y, static_cast<int>(k), frame);
    }
    return rows;
}

namespace {

// Marks one run of two or more crossings (same outline and row), in table order.
void MarkRun(Crossing* run, std::size_t len)
{
    auto opposite = [&](std::size_t r) { return run[r].direction * run[r - 1].direction == -1; };
    auto sameCell = [&](std::size_t r) { return run[r].x == run[r - 1].x; };
    if (len == 2) {
        if (!opposite(1) && sameCell(1)) {
            run[0].mark = run[1].mark = -1;
        } else {
            run[0].mark = 1;
            run[1].mark = 2;
        }
        return;
    }
    bool open = true;
    run[0].mark = 1;
    auto toggle = [&](std::size_t r) {
        run[r].mark = open ? 2 : 1;
        open = !open;
    };
    const bool even = len % 2 == 0;
    for (std::size_t r = 1; r < len; ++r) {
        if (even) {
            if (opposite(r)) toggle(r);
            else if (sameCell(r)) run[r].mark = -1;
            else toggle(r);
        } else if (sameCell(r)) {
            if (open) {
                run[r].mark = -1;
            } else {
                run[r].mark = 1;
                open = true;
            }
        } else {
            toggle(r);
        }
    }
}

}  // namespace

void SortFirstCutList(std::vector<Crossing>& rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const Crossing& a, const Crossing& b) {
        if (a.area != b.area) return a.area < b.area;
        if (a.y != b.y) return a.y < b.y;
        return a.x < b.x;
    });
    std::size_t start = 0;
    while (start < rows.size()) {
        std::size_t end = start + 1;
        while (end < rows.size() && rows[end].area == rows[start].area && rows[end].y == rows[start].y) ++end;
        const std::size_t len = end - start;
        for (std::size_t r = start; r < end; ++r) {
            rows[r].runLength = 0;
            rows[r].mark = 0;
        }
        rows[start].runLength = static_cast<int>(len);
        if (len >= 2) MarkRun(&rows[start], len);
        start = end;
    }
}

void FillBillHeightMesh(const std::vector<Crossing>& rows, const std::vector<Outline>& outlines, HeightMesh& mesh,
                        const GridFrame& frame)
{
    std::size_t start = 0;
    while (start < rows.size()) {
        std::size_t end = start + 1;
        while (end < rows.size() && rows[end].area == rows[start].area && rows[end].y == rows[start].y) ++end;
        const int area = rows[start].area;
        const float h = (area >= 0 && static_cast<std::size_t>(area) < outlines.size()) ? outlines[area].height : 0.0f;
        int lastMark = 0;
        std::int64_t left = 0;
        for (std::size_t r = start; r < end; ++r) {
            if (rows[r].mark == 1) {
                left = rows[r].x;
                lastMark = 1;
            } else if (rows[r].mark == 2 && lastMark == 1) {
                const std::int64_t from = std::max<std::int64_t>(left, 0);
                const std::int64_t to = std::min<std::int64_t>(rows[r].x, frame.lastX);
                for (std::int64_t i = from; i <= to; ++i) mesh.set(i, rows[r].y, h);
                lastMark = 2;
            }
        }
        start = end;
    }
}

void BuildHeightMesh(const std::vector<Outline>& outlines, double cell, HeightMesh& mesh)
{
    std::vector<Crossing> rows = MakeFirstCutList(outlines, cell);
    SortFirstCutList(rows);
    FillBillHeightMesh(rows, outlines, mesh);
}

std::vector<Outline> CurrentModelOutlines()
{
    std::vector<Outline> outlines;
    const int areas = std::clamp(gEachTopAreaNumber, 0, kMaxTopAreas);
    const double scale = gMapScaleRate;
    outlines.resize(static_cast<std::size_t>(areas));
    if (!(scale > 0.0)) return outlines;
    for (int k = 0; k < areas; ++k) {
        Outline& o = outlines[static_cast<std::size_t>(k)];
        o.height = gFlatTopHeight[static_cast<std::size_t>(k)];
        const int first = std::max(gEachTopAreaStartNum[static_cast<std::size_t>(k)], 0);
        const int last = std::min(gEachTopAreaStartNum[static_cast<std::size_t>(k)] + gEachTopAreaPointNum[static_cast<std::size_t>(k)] - 1,
                                  kMaxTopPoints - 1);
        for (int p = first; p <= last; ++p) {
            const PicturePoint drawn = SiteToPicture(gNorthTopAreaX[static_cast<std::size_t>(p)], gNorthTopAreaY[static_cast<std::size_t>(p)]);
            o.points.push_back(GridPoint{drawn.x / scale, drawn.y / scale});
        }
    }
    return outlines;
}

}  // namespace judge

void MakeBillHeightMesh(float cell)
{
    gBillHeightMesh.clearRange(judge::kBuildLastX, judge::kBuildLastY);
    judge::BuildHeightMesh(judge::CurrentModelOutlines(), cell, gBillHeightMesh);
    gBillHeightMeshView = CurrentMapView();
    gBillHeightMeshCell = cell;
}
