#include "Skyline.h"

#include "orbit/ObservationConditions.h"
#include "platform/Constants.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace judge {
namespace {

constexpr std::int64_t kFarCell = 1'000'000'000;

int SectorOf(int a)
{
    if ((a >= 315 && a <= 359) || (a >= 0 && a <= 44)) return 1;
    if (a >= 45 && a <= 134) return 2;
    if (a >= 135 && a <= 224) return 3;
    if (a >= 225 && a <= 314) return 4;
    return 0;
}

double SlopeOf(int sector, int a)
{
    const double t = std::tan(a * platform::kRadPerDeg);
    switch (sector) {
    case 1: return t;
    case 2: return 1.0 / t;
    case 3: return -t;
    default: return -1.0 / t;
    }
}

// The geometry of one sector's march from (i0, j0): the main index starts at `start` and moves by
// `step` up to `end`; the cross index starts at `base`, limited to 0..crossLast, `ahead` steps early.
struct Walk {
    std::int64_t start, end, base;
    int step, mainLast, crossLast, ahead;
    bool columns;  // main axis along the columns (sectors 1 and 3)
};

Walk WalkOf(int sector, std::int64_t i0, std::int64_t j0, const MarchArea& area)
{
    switch (sector) {
    case 1: return Walk{i0, area.lastX, j0, 1, area.lastX, area.lastY, 0, true};
    case 2: return Walk{j0, area.lastY, i0, 1, area.lastY, area.lastX, 1, false};
    case 3: return Walk{i0, 0, j0, -1, area.lastX, area.lastY, 0, true};
    default: return Walk{j0, 0, i0, -1, area.lastY, area.lastX, 1, false};
    }
}

double Distance(double cell, std::int64_t k, double f)
{
    const double kk = static_cast<double>(k);
    return cell * std::sqrt((kk + 0.5) * (kk + 0.5) + (f * kk) * (f * kk));
}

std::int64_t CrossOffset(double f, std::int64_t k) { return static_cast<std::int64_t>(std::nearbyint(f * static_cast<double>(k))); }

}  // namespace

double MarchDirection(const HeightMesh& mesh, std::int64_t i0, std::int64_t j0, const MarchArea& area, double cell, int a, double h,
                      RisePrecision precision)
{
    const int sector = SectorOf(a);
    if (sector == 0) return 0.0;
    i0 = std::clamp(i0, -kFarCell, kFarCell);
    j0 = std::clamp(j0, -kFarCell, kFarCell);
    const double f = SlopeOf(sector, a);
    const Walk w = WalkOf(sector, i0, j0, area);
    const std::int64_t steps = (w.end - w.start) * w.step;  // last k; negative: no cell
    if (steps < 0) return 0.0;
    auto crossAt = [&](std::int64_t k) { return w.base + CrossOffset(f, k + w.ahead); };
    auto crossInside = [&](std::int64_t n) { return n >= 0 && n <= w.crossLast; };
    // The cross index moves monotonically with k, so once it is inside at k = 0 it stays inside up to
    // the first step where it leaves. Steps whose main index lies off the area read nothing and
    // raise nothing, so the march may start at the first step on the area.
    if (!crossInside(crossAt(0))) return 0.0;
    std::int64_t kFirst = 0;
    if (w.start < 0) kFirst = -w.start;
    else if (w.start > w.mainLast) kFirst = w.start - w.mainLast;
    double best = 0.0;
    const float hf = static_cast<float>(h);
    for (std::int64_t k = kFirst; k <= steps; ++k) {
        const std::int64_t n = crossAt(k);
        if (!crossInside(n)) break;
        const std::int64_t m = w.start + w.step * k;
        const float value = w.columns ? mesh.at(m, n) : mesh.at(n, m);
        double rise = precision == RisePrecision::Single ? static_cast<double>(value - hf) : static_cast<double>(value) - h;
        if (rise < 0.0) rise = 0.0;
        const double e = std::atan(rise / Distance(cell, k, f));
        if (e > best) best = e;
    }
    return best * platform::kDegPerRad;
}

void ObserverCell(double x, double y, double cell, std::int64_t& i0, std::int64_t& j0)
{
    auto index = [&](double v, int origin) -> std::int64_t {
        const double q = std::floor(v / cell);
        if (std::isnan(q)) return kFarCell;
        return static_cast<std::int64_t>(std::clamp(q, -double(kFarCell), double(kFarCell))) + origin;
    };
    i0 = index(x, kOriginCellX);
    j0 = index(y, kOriginCellY);
}

std::array<double, 360> GridSkyline(const HeightMesh& mesh, std::int64_t i0, std::int64_t j0, const MarchArea& area, double cell, double h,
                                    RisePrecision precision)
{
    std::array<double, 360> sky{};
    for (int a = 0; a < 360; ++a) sky[static_cast<std::size_t>(a)] = MarchDirection(mesh, i0, j0, area, cell, a, h, precision);
    return sky;
}

int GridDirectionOfAzimuth(float azimuth, float rotateDeg)
{
    const float d = azimuth - rotateDeg;
    if (std::isnan(d) || std::isinf(d)) return -1;
    double r = std::fmod(static_cast<double>(d), 360.0);
    if (r < 0.0) r += 360.0;
    const int a = static_cast<int>(std::floor(r));
    return a >= 360 ? 0 : a;
}

std::array<float, 361> TrueAzimuthSkyline(const std::array<double, 360>& grid, float rotateDeg)
{
    std::array<float, 361> sky{};
    for (int a = 0; a < 360; ++a) {
        const int g = GridDirectionOfAzimuth(static_cast<float>(a), rotateDeg);
        sky[static_cast<std::size_t>(a)] = static_cast<float>(grid[static_cast<std::size_t>(g)]);
    }
    sky[360] = sky[0];
    return sky;
}

namespace {

// The area cut to the grid's storage (an empty area keeps -1 as its last column or row).
MarchArea StorageArea(const MarchArea& area)
{
    return MarchArea{std::clamp(area.lastX, -1, HeightMesh::kWidth - 1), std::clamp(area.lastY, -1, HeightMesh::kHeight - 1)};
}

}  // namespace

MarchGround::MarchGround(const HeightMesh& mesh, const MarchArea& area, float h) : mesh_(mesh), area_(StorageArea(area)), h_(h)
{
    const int w = area_.lastX + 1, rows = area_.lastY + 1;
    if (w <= 0 || rows <= 0) return;
    // Chessboard distance transform in two passes: each cell takes the least of its already
    // visited neighbours plus one, first from the top left, then from the bottom right.
    constexpr int kFar = 255;
    std::vector<int> dist(static_cast<std::size_t>(w * rows), kFar);
    auto at = [&](int i, int j) -> int& { return dist[static_cast<std::size_t>(j * w + i)]; };
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < w; ++i) {
            const float rise = mesh_.raw(i, j) - h_;
            if (rise > 0.0f) {
                at(i, j) = 0;
                maxRise_ = std::max(maxRise_, rise);
            }
        }
    auto relax = [&](int i, int j, int di, int dj) {
        const int ni = i + di, nj = j + dj;
        if (ni >= 0 && ni < w && nj >= 0 && nj < rows) at(i, j) = std::min(at(i, j), at(ni, nj) + 1);
    };
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < w; ++i) {
            relax(i, j, -1, 0);
            for (int di = -1; di <= 1; ++di) relax(i, j, di, -1);
        }
    for (int j = rows - 1; j >= 0; --j)
        for (int i = w - 1; i >= 0; --i) {
            relax(i, j, 1, 0);
            for (int di = -1; di <= 1; ++di) relax(i, j, di, 1);
        }
    clearance_.resize(dist.size());
    for (std::size_t k = 0; k < dist.size(); ++k) clearance_[k] = static_cast<std::uint8_t>(std::min(dist[k], kFar));
}

DirectionTable::DirectionTable(const MarchArea& area, double cell) : requested_(area), area_(StorageArea(area)), cell_(cell), dirs_(360)
{
    const int maxSteps = std::max(area_.lastX, area_.lastY) + 1;
    for (int a = 0; a < 360; ++a) {
        Direction& d = dirs_[static_cast<std::size_t>(a)];
        d.sector = SectorOf(a);
        const double f = SlopeOf(d.sector, a);
        const int ahead = (d.sector == 2 || d.sector == 4) ? 1 : 0;
        for (int k = 0; k < maxSteps; ++k) {
            d.crossOffset.push_back(static_cast<int>(std::clamp<std::int64_t>(CrossOffset(f, k + ahead), -kFarCell, kFarCell)));
            d.distance.push_back(Distance(cell, k, f));
            if (k > 0 && std::abs(d.crossOffset.back() - d.crossOffset[d.crossOffset.size() - 2]) > 1) d.leaps = false;
        }
    }
}

void DirectionTable::skyline(const HeightMesh& mesh, int i0, int j0, float h, std::array<double, 360>& out, const std::bitset<360>* needed) const
{
    skyline(MarchGround(mesh, requested_, h), i0, j0, out, needed);
}

void DirectionTable::skyline(const MarchGround& ground, int i0, int j0, std::array<double, 360>& out, const std::bitset<360>* needed) const
{
    const HeightMesh& mesh = ground.mesh();
    const float h = ground.antenna();
    const double maxRise = ground.maxRise();
    const bool inside = i0 >= 0 && i0 <= area_.lastX && j0 >= 0 && j0 <= area_.lastY;
    for (int a = 0; a < 360; ++a) {
        if (needed && !needed->test(static_cast<std::size_t>(a))) continue;
        if (!inside) {
            out[static_cast<std::size_t>(a)] = MarchDirection(mesh, i0, j0, requested_, cell_, a, h, RisePrecision::Single);
            continue;
        }
        const Direction& d = dirs_[static_cast<std::size_t>(a)];
        const Walk w = WalkOf(d.sector, i0, j0, area_);
        const int steps = static_cast<int>((w.end - w.start) * w.step);
        const int base = static_cast<int>(w.base);
        const int start = static_cast<int>(w.start);
        double bestRatio = 0.0;
        // Once maxRise / distance <= bestRatio, no later cell can raise the best: its rise is at most
        // maxRise and its distance at least this one, and rounded quotients keep that order. The
        // quotient is taken only from stopDistance on, a little short of where that may first hold.
        double stopDistance = std::numeric_limits<double>::infinity();
        for (int k = 0; k <= steps;) {
            const int n = base + d.crossOffset[static_cast<std::size_t>(k)];
            if (n < 0 || n > w.crossLast) break;
            const double distance = d.distance[static_cast<std::size_t>(k)];
            if (distance >= stopDistance && maxRise / distance <= bestRatio) break;
            const int m = start + w.step * k;
            const int i = w.columns ? m : n, j = w.columns ? n : m;
            const int clear = ground.clearance(i, j);
            if (clear > 0) {
                // The cells of the next clear - 1 steps lie within clear - 1 of this one: all open. Where
                // the cross index leaves the area on the way, it stays out, and the march ends there.
                k += d.leaps ? clear : 1;
                continue;
            }
            const float rise = mesh.raw(i, j) - h;  // above 0 on a cell of clearance 0
            const double ratio = static_cast<double>(rise) / distance;
            if (ratio > bestRatio) {
                bestRatio = ratio;
                stopDistance = maxRise / bestRatio * (1.0 - 1e-9);
            }
            ++k;
        }
        // atan is monotonic, so the largest ratio gives the largest elevation of the march; a
        // direction where nothing rises is 0 without it.
        out[static_cast<std::size_t>(a)] = bestRatio > 0.0 ? std::atan(bestRatio) * platform::kDegPerRad : 0.0;
    }
}

}  // namespace judge

void ComputeCutElevation(double x, double y, int numX, int numY, float cell, float h)
{
    std::int64_t i0 = 0, j0 = 0;
    judge::ObserverCell(x, y, cell, i0, j0);
    const judge::MarchArea area{numX, numY};
    const auto grid = judge::GridSkyline(gBillHeightMesh, i0, j0, area, cell, h, judge::RisePrecision::Double);
    gCutElevation = judge::TrueAzimuthSkyline(grid, static_cast<float>(gBillHeightMeshView.rotateDeg));
}

void ComputeCutElevationAtSite(double siteX, double siteY, float h)
{
    double gx = 0.0, gy = 0.0;
    gBillHeightMeshView.siteToGrid(siteX, siteY, gx, gy);
    ComputeCutElevation(gx, gy, judge::kMarchLastX, judge::kMarchLastY, gBillHeightMeshCell, h);
}

double ComputeCutAngleAtPoint(int i0, int j0, int numX, int numY, float cell, int a)
{
    return judge::MarchDirection(gBillHeightMesh, i0, j0, judge::MarchArea{numX, numY}, cell, a, gAntennaHeight, judge::RisePrecision::Single);
}
