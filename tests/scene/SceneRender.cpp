#include "SceneRender.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <utility>

namespace testscene {

namespace {

// A reproducible hash noise in [-1, 1] for integer pairs.
double Noise(std::int64_t x, std::int64_t y, unsigned seed)
{
    std::uint64_t h = static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4Full ^
                      (static_cast<std::uint64_t>(seed) * 0x165667B19E3779F9ull);
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 29;
    return static_cast<double>(h % 2001) / 1000.0 - 1.0;
}

// Smooth noise over the plan: corners of a grid of `cell` metres joined smoothly.
double Patches(double x, double y, double cell, unsigned seed)
{
    const double gx = x / cell, gy = y / cell;
    const double fx0 = std::floor(gx), fy0 = std::floor(gy);
    const auto ix = static_cast<std::int64_t>(fx0), iy = static_cast<std::int64_t>(fy0);
    const double fx = gx - fx0, fy = gy - fy0;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = Noise(ix, iy, seed), b = Noise(ix + 1, iy, seed);
    const double c = Noise(ix, iy + 1, seed), d = Noise(ix + 1, iy + 1, seed);
    const double low = a + (b - a) * sx, high = c + (d - c) * sx;
    return low + (high - low) * sy;
}

// How much lighter a roof is at plan point (x, y) for its blotches: Style::roofBlotches inside a
// blotch, 0 elsewhere. Each cell of the grid holds at most one blotch, wholly inside it.
double Blotch(double x, double y, const Style& style)
{
    if (style.roofBlotches == 0) return 0.0;
    const double cell = 2.0 * style.roofBlotchSize;
    const double fx = std::floor(x / cell), fy = std::floor(y / cell);
    const auto ix = static_cast<std::int64_t>(fx), iy = static_cast<std::int64_t>(fy);
    if (Noise(ix, iy, style.seed + 21) < 0.0) return 0.0;
    // The centre lies at least a radius (a quarter cell) inside the cell.
    const double cx = (fx + 0.5 + 0.25 * Noise(ix, iy, style.seed + 22)) * cell;
    const double cy = (fy + 0.5 + 0.25 * Noise(ix, iy, style.seed + 23)) * cell;
    return std::hypot(x - cx, y - cy) < style.roofBlotchSize / 2 ? style.roofBlotches : 0.0;
}

bool Inside(const std::vector<QPointF>& polygon, double x, double y)
{
    bool in = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const QPointF& a = polygon[i];
        const QPointF& b = polygon[j];
        if ((a.y() > y) != (b.y() > y) && x < (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()) + a.x()) in = !in;
    }
    return in;
}

double SignedArea(const std::vector<QPointF>& f)
{
    double area = 0.0;
    for (std::size_t i = 0; i < f.size(); ++i) {
        const QPointF& p = f[i];
        const QPointF& q = f[(i + 1) % f.size()];
        area += p.x() * q.y() - q.x() * p.y();
    }
    return area / 2.0;
}

// What a ray meets first.
enum class Surface { Sky, Ground, Roof, Wall };
struct Hit {
    Surface surface = Surface::Sky;
    int building = -1;
    int wall = -1;  // footprint corner the wall starts at
    bool storey = false;  // on the wall's lower storey
    Vec3 at;
    bool operator==(const Hit& o) const { return surface == o.surface && building == o.building && wall == o.wall && storey == o.storey; }
};

Hit Cast(Vec3 eye, Vec3 d, std::span<const Building> buildings, std::span<const Spike> spikes)
{
    Hit best;
    double nearest = std::numeric_limits<double>::infinity();
    if (d.z < 0.0) {
        nearest = -eye.z / d.z;
        best = {Surface::Ground, -1, -1, false, eye + nearest * d};
    }
    for (std::size_t b = 0; b < buildings.size(); ++b) {
        const Building& building = buildings[b];
        // The roof plane, and the spikes lying in it.
        if (d.z < 0.0 && eye.z > building.height) {
            const double s = (building.height - eye.z) / d.z;
            if (s <= nearest) {  // a roof on the ground shows over it
                const Vec3 p = eye + s * d;
                bool on = Inside(building.footprint, p.x, p.y);
                for (const Spike& spike : spikes) on = on || (spike.building == b && Inside(spike.footprint, p.x, p.y));
                if (on) {
                    nearest = s;
                    best = {Surface::Roof, int(b), -1, false, p};
                }
            }
        }
        // The wall planes: the ray's plan track against each footprint side.
        const auto& f = building.footprint;
        for (std::size_t i = 0; i < f.size(); ++i) {
            const QPointF a = f[i], e = f[(i + 1) % f.size()] - f[i];
            const double det = d.x * (-e.y()) - d.y * (-e.x());
            if (std::abs(det) < 1e-12) continue;
            const double rx = a.x() - eye.x, ry = a.y() - eye.y;
            const double s = (rx * (-e.y()) - ry * (-e.x())) / det;
            const double u = (d.x * ry - d.y * rx) / det;
            if (!(s > 0.0) || s >= nearest || u < 0.0 || u > 1.0) continue;
            const double z = eye.z + s * d.z;
            if (z < 0.0 || z > building.height) continue;
            nearest = s;
            best = {Surface::Wall, int(b), int(i), z < building.storeyHeight, eye + s * d};
        }
    }
    return best;
}

}  // namespace

int WallGrey(const Building& building, std::size_t from, const Style& style)
{
    const auto& f = building.footprint;
    const QPointF e = f[(from + 1) % f.size()] - f[from];
    const double length = std::hypot(e.x(), e.y());
    const double turn = SignedArea(f) > 0 ? 1.0 : -1.0;
    const double a = style.sunAzimuthDegrees * std::numbers::pi / 180.0;
    const double light = length > 0 ? turn * (e.y() * std::cos(a) - e.x() * std::sin(a)) / length : 0.0;  // outward normal . sun
    const double middle = (style.wallDarkest + style.wallLightest) / 2.0;
    const double half = (style.wallDarkest - style.wallLightest) / 2.0;
    return std::clamp(building.roofGrey - static_cast<int>(std::lround(middle - half * light)), 0, 255);
}

QImage Render(const ViewCamera& camera, std::span<const Building> buildings, const Style& style, std::span<const Spike> spikes)
{
    const QSize size = camera.size();
    const int w = size.width(), h = size.height();
    std::vector<std::vector<int>> wallGreys;
    // Each roof's extent along the shading direction: its grey falls by roofShading from one end
    // to the other.
    const double shade = style.shadeAzimuthDegrees * std::numbers::pi / 180.0;
    const double shadeU = std::cos(shade), shadeV = std::sin(shade);
    std::vector<std::pair<double, double>> shadeSpan;
    for (const Building& b : buildings) {
        std::vector<int> greys;
        for (std::size_t i = 0; i < b.footprint.size(); ++i) greys.push_back(WallGrey(b, i, style));
        wallGreys.push_back(std::move(greys));
        double lo = std::numeric_limits<double>::infinity(), hi = -lo;
        for (const QPointF& c : b.footprint) {
            lo = std::min(lo, c.x() * shadeU + c.y() * shadeV);
            hi = std::max(hi, c.x() * shadeU + c.y() * shadeV);
        }
        shadeSpan.emplace_back(lo, std::max(hi, lo + 1e-9));
    }
    const auto greyOf = [&](const Hit& hit) -> double {
        switch (hit.surface) {
        case Surface::Sky: return style.skyGrey;
        case Surface::Ground: return style.groundGrey + style.groundPatches * Patches(hit.at.x, hit.at.y, 23.0, style.seed + 7);
        case Surface::Roof: {
            const auto [lo, hi] = shadeSpan[std::size_t(hit.building)];
            const double t = std::clamp((hit.at.x * shadeU + hit.at.y * shadeV - lo) / (hi - lo), 0.0, 1.0);
            return buildings[hit.building].roofGrey - style.roofShading * t - style.roofShadingBend * t * t + Blotch(hit.at.x, hit.at.y, style);
        }
        case Surface::Wall: {
            const Building& b = buildings[hit.building];
            const int wall = wallGreys[hit.building][hit.wall];
            if (!hit.storey) return wall;
            return b.storeyGrey >= 0 ? b.storeyGrey : std::clamp(wall + b.storeyShift, 0, 255);
        }
        }
        return 0.0;
    };
    const auto cast = [&](double px, double py) { return Cast(camera.eye(), camera.Ray(camera.ToPhoto({px, py})), buildings, spikes); };

    std::vector<Hit> centre(static_cast<std::size_t>(w) * h);
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) centre[std::size_t(j) * w + i] = cast(i + 0.5, j + 0.5);
    }
    QImage picture(size, QImage::Format_RGB32);
    for (int j = 0; j < h; ++j) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(j));
        for (int i = 0; i < w; ++i) {
            const Hit& hit = centre[std::size_t(j) * w + i];
            bool border = false;
            for (int dj = -1; dj <= 1 && !border; ++dj) {
                for (int di = -1; di <= 1 && !border; ++di) {
                    const int x = i + di, y = j + dj;
                    border = x >= 0 && y >= 0 && x < w && y < h && !(centre[std::size_t(y) * w + x] == hit);
                }
            }
            double grey = 0.0;
            if (border) {
                for (int sj = 0; sj < 4; ++sj) {
                    for (int si = 0; si < 4; ++si) grey += greyOf(cast(i + (si + 0.5) / 4.0, j + (sj + 0.5) / 4.0)) / 16.0;
                }
            } else {
                grey = greyOf(hit);
            }
            const int amplitude = hit.surface == Surface::Ground ? style.groundNoise
                                  : hit.surface == Surface::Roof ? style.roofNoise
                                  : hit.surface == Surface::Wall ? style.wallNoise
                                                                 : 0;
            if (amplitude > 0) grey += std::lround(amplitude * Noise(i, j, style.seed + 13));
            const int level = std::clamp(static_cast<int>(std::lround(grey)), 0, 255);
            line[i] = qRgb(level, level, level);
        }
    }
    return picture;
}

std::vector<QPointF> RoofCorners(const ViewCamera& camera, const Building& building)
{
    std::vector<QPointF> corners;
    for (const QPointF& c : building.footprint) {
        const auto p = camera.Photo({c.x(), c.y(), building.height});
        if (!p) return {};
        corners.push_back(*p);
    }
    return corners;
}

QPointF FootCorner(const ViewCamera& camera, const Building& building, std::size_t corner)
{
    const QPointF c = building.footprint[corner];
    return camera.Photo({c.x(), c.y(), 0.0}).value_or(QPointF());
}

std::vector<QPointF> Placed(QPointF centre, const std::vector<QPointF>& corners, double degrees)
{
    const double a = degrees * std::numbers::pi / 180.0;
    std::vector<QPointF> footprint;
    for (const QPointF& p : corners) {
        footprint.push_back(centre + QPointF(p.x() * std::cos(a) - p.y() * std::sin(a), p.x() * std::sin(a) + p.y() * std::cos(a)));
    }
    return footprint;
}

std::size_t NearestCorner(const std::vector<QPointF>& corners, QPointF p)
{
    std::size_t nearest = 0;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        if (std::hypot(corners[i].x() - p.x(), corners[i].y() - p.y()) < std::hypot(corners[nearest].x() - p.x(), corners[nearest].y() - p.y())) {
            nearest = i;
        }
    }
    return nearest;
}

QPointF WholePixel(const ViewCamera& camera, QPointF photo)
{
    const QPointF pixel = camera.ToPixel(photo);
    // The pointer's pixel: the one the point lies in, reported at its corner.
    return camera.ToPhoto(QPointF(std::floor(pixel.x()), std::floor(pixel.y())));
}

}  // namespace testscene
