#pragma once
// Shared fixtures of the judgement tests: outline builders, the sample site's buildings and an
// independent copy of the map transform (site metres to picture units).

#include "judge/HeightGrid.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace judgetest {

// Axis-aligned box from (x0, y0) to (x1, y1), closed by repeating its first point.
inline judge::Outline Box(double x0, double y0, double x1, double y1, float height)
{
    return judge::Outline{{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}}, height};
}

// The sample site: six closed outlines in site metres (x east, y north) and their heights.
inline std::vector<judge::Outline> SampleSite()
{
    static const double pts[37][2] = {
        {15.6, -18.9}, {14.6, -29.7}, {34.3, -31.4}, {34.7, -26.8}, {37.4, -26.6}, {38.0, -21.0}, {15.6, -18.9},
        {16.5, -7.1},  {15.8, -18.1}, {36.5, -20.1}, {37.7, -8.5},  {16.5, -7.1},
        {12.7, 28.2},  {18.2, 20.7},  {35.3, 19.9},  {39.9, 55.0},  {15.6, 57.3}, {12.7, 28.2},
        {-31.6, 43.3}, {-31.8, 39.6}, {-27.1, 39.3}, {-28.4, 23.4}, {-22.1, 23.1}, {-21.2, 43.3}, {-31.6, 43.3},
        {-38.9, 38.0}, {-39.6, 24.0}, {-29.6, 23.4}, {-28.8, 37.3}, {-38.9, 38.0},
        {-45.1, -22.2}, {-26.7, -23.5}, {-25.7, -11.3}, {-15.6, -12.1}, {-17.5, -36.9}, {-46.2, -34.8}, {-45.1, -22.2}};
    static const int first[6] = {0, 7, 12, 18, 25, 30};
    static const int count[6] = {7, 5, 6, 7, 5, 7};
    static const float height[6] = {26.4f, 27.3f, 23.3f, 27.2f, 26.9f, 27.0f};
    std::vector<judge::Outline> out;
    for (int k = 0; k < 6; ++k) {
        judge::Outline o;
        o.height = height[k];
        for (int p = first[k]; p < first[k] + count[k]; ++p) o.points.push_back({pts[p][0], pts[p][1]});
        out.push_back(o);
    }
    return out;
}

// Site metres to picture units under a view: minus the centre, times the scale, plus the pan,
// turned by minus the rotation (degrees, positive clockwise) about the picture origin.
inline void SiteToPictureCopy(double x, double y, double scale, double offX, double offY, double rotDeg, double cx, double cy, double& px,
                              double& py)
{
    const double t = rotDeg * 3.14159265358979 / 180.0;
    const double qx = scale * (x - cx) + offX, qy = scale * (y - cy) + offY;
    px = qx * std::cos(t) + qy * std::sin(t);
    py = qy * std::cos(t) - qx * std::sin(t);
}

// Outlines in site metres to grid metres (picture units over the scale) under a view.
inline std::vector<judge::Outline> ToGrid(std::vector<judge::Outline> site, double scale, double offX = 0, double offY = 0, double rotDeg = 0,
                                          double cx = 0, double cy = 0)
{
    for (auto& o : site)
        for (auto& p : o.points) {
            double px = 0, py = 0;
            SiteToPictureCopy(p.x, p.y, scale, offX, offY, rotDeg, cx, cy, px, py);
            p = {px / scale, py / scale};
        }
    return site;
}

// Even-odd test of point p against the closed polyline of `pts` (its last point repeats its first).
inline bool Inside(const std::vector<judge::GridPoint>& pts, double px, double py)
{
    bool in = false;
    for (std::size_t k = 1; k < pts.size(); ++k) {
        const judge::GridPoint& a = pts[k - 1];
        const judge::GridPoint& b = pts[k];
        if ((a.y > py) != (b.y > py) && px < a.x + (py - a.y) * (b.x - a.x) / (b.y - a.y)) in = !in;
    }
    return in;
}

inline double SegmentDistance(const judge::GridPoint& a, const judge::GridPoint& b, double px, double py)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    const double t = len2 > 0.0 ? std::clamp(((px - a.x) * dx + (py - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(a.x + t * dx - px, a.y + t * dy - py);
}

// Distance from p to the nearest edge of the polyline `pts`.
inline double EdgeDistance(const std::vector<judge::GridPoint>& pts, double px, double py)
{
    double best = 1e300;
    for (std::size_t k = 1; k < pts.size(); ++k) best = std::min(best, SegmentDistance(pts[k - 1], pts[k], px, py));
    return best;
}

inline judge::HeightMesh Build(const std::vector<judge::Outline>& outlines, double cell)
{
    judge::HeightMesh mesh;
    judge::BuildHeightMesh(outlines, cell, mesh);
    return mesh;
}

}  // namespace judgetest
