#include "HeightGrid.h"

#include "site/MapView.h"
#include "site/TopAreaModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

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
    auto Column = [&](double x) { return judge::Column(x, cell, frame); };
    auto GridRow = [&](std::int64_t r, int& row) { return judge::GridRow(r, row, frame); };
    auto push = [&](std::int64_t x, int y, bool counts, std::int64_t fillTo) { rows.push_back(Crossing{area, x, y, counts, fillTo}); };
    int row = 0;
    if (y1 == y2) {
        if (GridRow(RoundIndex(y1 / cell), row)) {
            const std::int64_t c1 = Column(x1), c2 = Column(x2);
            push(c1, row, false, c2);
            push(c2, row, false, c2);
        }
        return;
    }
    if (std::isnan(y1) || std::isnan(y2)) return;
    const bool rising = y1 < y2;
    const double xl = rising ? x1 : x2, yl = rising ? y1 : y2;
    const double xu = rising ? x2 : x1, yu = rising ? y2 : y1;
    const std::int64_t rl = RoundIndex(yl / cell);
    const std::int64_t ru = RoundIndex(yu / cell);
    const std::int64_t n = ru - rl;
    if (n == 0) {
        // Both ends on one row: a flat edge, filled from end to end and counted on no row.
        if (GridRow(rl, row)) push(Column(x1), row, false, Column(x2));
        return;
    }
    // Only the rows on the grid: t from the first to the last that lands on rows 0..270. The
    // upper end's row (t = n) does not count: the edge that goes on from there counts it.
    const std::int64_t tFirst = std::max<std::int64_t>(0, -frame.originY - rl);
    const std::int64_t tLast = std::min<std::int64_t>(n, frame.lastY - frame.originY - rl);
    const bool vertical = x1 == x2;
    for (std::int64_t t = tFirst; t <= tLast; ++t) {
        const std::int64_t col = vertical ? Column(x1) : Column(xl + static_cast<double>(t) * (xu - xl) / static_cast<double>(n));
        if (GridRow(rl + t, row)) push(col, row, t < n, col);
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

void SortFirstCutList(std::vector<Crossing>& rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const Crossing& a, const Crossing& b) {
        if (a.area != b.area) return a.area < b.area;
        if (a.y != b.y) return a.y < b.y;
        return a.x < b.x;
    });
}

namespace {

// Fills one outline's ordered crossings with height h.
void FillOutline(const Crossing* first, const Crossing* last, float h, HeightMesh& mesh, const GridFrame& frame)
{
    auto fill = [&](std::int64_t a, std::int64_t b, int y) {
        const std::int64_t from = std::max<std::int64_t>(std::min(a, b), 0);
        const std::int64_t to = std::min<std::int64_t>(std::max(a, b), frame.lastX);
        for (std::int64_t i = from; i <= to; ++i) mesh.set(i, y, h);
    };
    for (const Crossing* c = first; c != last; ++c) fill(c->x, c->fillTo, c->y);
    const Crossing* open = nullptr;
    for (const Crossing* c = first; c != last; ++c) {
        if (c != first && c->y != (c - 1)->y) open = nullptr;  // a new row: no span left open
        if (!c->counts) continue;
        if (open == nullptr) {
            open = c;
        } else {
            fill(open->x, c->x, c->y);
            open = nullptr;
        }
    }
}

// Orders heights for the fill: a height that is no number comes first, so any other overrides it.
float HeightKey(float h) { return std::isnan(h) ? -std::numeric_limits<float>::infinity() : h; }

}  // namespace

void FillBillHeightMesh(const std::vector<Crossing>& rows, const std::vector<Outline>& outlines, HeightMesh& mesh,
                        const GridFrame& frame)
{
    struct Block {
        std::size_t start, end;
        float height;
    };
    std::vector<Block> blocks;
    for (std::size_t start = 0; start < rows.size();) {
        std::size_t end = start + 1;
        while (end < rows.size() && rows[end].area == rows[start].area) ++end;
        const int area = rows[start].area;
        const float h = (area >= 0 && static_cast<std::size_t>(area) < outlines.size()) ? outlines[area].height : 0.0f;
        blocks.push_back({start, end, h});
        start = end;
    }
    // The lower outlines first, so that where outlines overlap the greatest height stays.
    std::stable_sort(blocks.begin(), blocks.end(), [](const Block& a, const Block& b) { return HeightKey(a.height) < HeightKey(b.height); });
    for (const Block& b : blocks) FillOutline(rows.data() + b.start, rows.data() + b.end, b.height, mesh, frame);
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
