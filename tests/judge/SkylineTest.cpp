// Skyline march: the march rules on small grids, analytic cases, an exact ray caster over the
// polygons themselves, observers off the grid, and the frame of a turned or panned map.
#include "JudgeFixtures.h"

#include "judge/Skyline.h"
#include "orbit/ObservationConditions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

using judge::HeightMesh;
using judge::MarchArea;
using judge::MarchDirection;
using judge::Outline;
using judge::RisePrecision;
using judgetest::Box;
using judgetest::Build;

namespace {

constexpr double kDeg = 180.0 / 3.14159265358979;

double March(const HeightMesh& m, std::int64_t i0, std::int64_t j0, int a, double h = 1.5, double cell = 1.0)
{
    return MarchDirection(m, i0, j0, MarchArea{}, cell, a, h, RisePrecision::Double);
}

TEST(SkylineMarch, RulesOnSmallGrids)
{
    const HeightMesh empty;
    for (int a = 0; a < 360; ++a) EXPECT_EQ(March(empty, 81, 67, a), 0.0) << a;

    HeightMesh east;  // one cell 10 m above a 1.5 m antenna, three columns east of the observer
    east.set(84, 67, 11.5f);
    EXPECT_NEAR(March(east, 81, 67, 0), std::atan(10.0 / 3.5) * kDeg, 1e-12);
    EXPECT_NEAR(March(east, 81, 67, 0), 70.71, 0.005);
    EXPECT_EQ(March(east, 81, 67, 90), 0.0);
    EXPECT_EQ(March(east, 81, 67, 180), 0.0);

    HeightMesh slope;  // direction 30 at k = 2 visits (i0 + 2, j0 + 1)
    slope.set(83, 68, 11.5f);
    const double f = std::tan(30.0 / kDeg);
    EXPECT_NEAR(March(slope, 81, 67, 30), std::atan(10.0 / std::sqrt(2.5 * 2.5 + 4 * f * f)) * kDeg, 1e-9);

    HeightMesh own;  // the observer's own cell 10 m above the antenna
    own.set(81, 67, 11.5f);
    for (int a : {0, 44, 135, 200, 224, 315, 359}) EXPECT_NEAR(March(own, 81, 67, a), 87.14, 0.005) << a;
    for (int a : {64, 90, 116, 244, 270, 296}) EXPECT_NEAR(March(own, 81, 67, a), 87.14, 0.005) << a;  // round(f) = 0
    EXPECT_EQ(March(own, 81, 67, 45), 0.0);  // first visits the cell one column to the right

    HeightMesh diag;
    diag.set(82, 67, 11.5f);
    EXPECT_NEAR(March(diag, 81, 67, 45), std::atan(10.0 / 0.5) * kDeg, 1e-9);

    HeightMesh level;  // as high as the antenna, or lower: nothing
    level.set(84, 67, 1.5f);
    level.set(85, 67, 1.0f);
    EXPECT_EQ(March(level, 81, 67, 0), 0.0);

    EXPECT_EQ(March(east, 170, 67, 0), 0.0);  // sector 1 beyond the last column visits nothing
    for (int a : {360, 365, -1, -30}) EXPECT_EQ(March(east, 81, 67, a), 0.0) << a;
}

TEST(SkylineMarch, ComputeCutElevationFillsEveryDirectionAndRepeatsNorthEast)
{
    gBillHeightMesh.clear();
    gBillHeightMeshView = MapViewState{};
    gBillHeightMesh.set(84, 67, 11.5f);
    gBillHeightMesh.set(81, 66, 31.5f);  // one cell south
    ComputeCutElevation(0.5, 0.5, 162, 135, 1.0f, 1.5f);
    EXPECT_NEAR(gCutElevation[0], std::atan(10.0 / 3.5) * kDeg, 1e-4);
    EXPECT_EQ(gCutElevation[360], gCutElevation[0]);
    EXPECT_NEAR(gCutElevation[270], std::atan(30.0 / 1.5) * kDeg, 1e-4);
    EXPECT_EQ(gCutElevation[90], 0.0f);
    gBillHeightMesh.clear();
    ComputeCutElevation(0.5, 0.5, 162, 135, 1.0f, 1.5f);
    for (float e : gCutElevation) EXPECT_EQ(e, 0.0f);
}

TEST(SkylineMarch, PreparedGroundMarchEqualsThePlainMarchOnRandomGrids)
{
    // The march over a prepared grid leaps over open ground and ends a direction early; it must
    // give exactly the plain march's elevations. Grids of every density, heights on both sides of
    // the antenna (some exactly at it, some a hair above), lone far towers that beat a near block
    // by a little, observers on the area's edges and corners and off it, areas cut by the storage.
    std::mt19937 random(33);
    struct Case {
        std::string name;
        double density;   // share of cells with a building
        float maxHeight;  // building heights drawn in 0..maxHeight metres
        MarchArea area;
        float cell, h;
        std::vector<std::array<float, 3>> cells = {};  // column, row, height set after the random fill
    };
    const std::vector<Case> cases = {
        {"empty", 0.0, 0.0f, MarchArea{}, 1.0f, 1.5f},
        {"sparse towers", 0.002, 80.0f, MarchArea{}, 4.0f / 3.0f, 1.5f},
        {"town", 0.08, 30.0f, MarchArea{}, 1.0f, 1.5f},
        {"dense", 0.5, 12.0f, MarchArea{}, 2.0f, 1.5f},
        {"low walls at the antenna", 0.3, 2.0f, MarchArea{}, 1.0f, 1.5f},
        {"small area", 0.05, 40.0f, MarchArea{40, 25}, 0.5f, 3.0f},
        {"area past the storage", 0.01, 60.0f, MarchArea{400, 300}, 1.0f, 1.5f},
        // From (81, 67) due east: its own cell gives the ratio 1 / 0.5; the grid's highest rise,
        // 50 columns on, beats that by a hair (101.001 / 50.5), just short of where the march may stop.
        {"tower just beating the near block", 0.0, 0.0f, MarchArea{}, 1.0f, 1.5f, {{81, 67, 2.5f}, {131, 67, 102.501f}}},
    };
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (const auto& c : cases) {
        HeightMesh mesh;
        for (int j = 0; j < HeightMesh::kHeight; ++j)
            for (int i = 0; i < HeightMesh::kWidth; ++i) {
                if (unit(random) >= c.density) continue;
                const double pick = unit(random);
                const float height = pick < 0.1 ? c.h : pick < 0.2 ? std::nextafter(c.h, 100.0f) : static_cast<float>(unit(random) * c.maxHeight);
                mesh.set(i, j, height);
            }
        mesh.set(5, 5, std::numeric_limits<float>::quiet_NaN());  // never an obstruction
        for (const auto& cell : c.cells) mesh.set(static_cast<int>(cell[0]), static_cast<int>(cell[1]), cell[2]);
        const judge::DirectionTable table(c.area, c.cell);
        const judge::MarchGround ground(mesh, c.area, c.h);
        const int lastX = std::min(c.area.lastX, HeightMesh::kWidth - 1), lastY = std::min(c.area.lastY, HeightMesh::kHeight - 1);
        std::vector<std::array<int, 2>> observers = {{0, 0}, {lastX, lastY}, {0, lastY}, {lastX, 0}, {lastX / 2, lastY / 2}, {81, 67}, {-3, 10}, {lastX + 2, 4}};
        std::uniform_int_distribution<int> column(0, lastX), row(0, lastY);
        for (int n = 0; n < 12; ++n) observers.push_back({column(random), row(random)});
        for (const auto& ob : observers) {
            std::array<double, 360> sky{};
            table.skyline(ground, ob[0], ob[1], sky);
            for (int a = 0; a < 360; ++a)
                ASSERT_EQ(sky[static_cast<std::size_t>(a)], MarchDirection(mesh, ob[0], ob[1], c.area, c.cell, a, c.h, RisePrecision::Single))
                    << c.name << ": observer " << ob[0] << "," << ob[1] << " direction " << a;
        }
    }
}

// Skyline of the grid built from `outlines` (grid metres) at grid point (x, y).
std::array<double, 360> SkylineOf(const std::vector<Outline>& outlines, double cell, double x, double y, double h)
{
    const HeightMesh mesh = Build(outlines, cell);
    std::int64_t i0 = 0, j0 = 0;
    judge::ObserverCell(x, y, cell, i0, j0);
    return judge::GridSkyline(mesh, i0, j0, MarchArea{}, cell, h, RisePrecision::Double);
}

TEST(SkylineAnalytic, BoxDueNorthConvergesWithZoom)
{
    // A 40 m wide box 25 m high whose near face is D = 31.7 m north of the observer; antenna 1.5 m.
    // Exact: atan(23.5 / 31.7). The march measures to a cell's near edge within a cell or so.
    const double H = 25.0, h = 1.5, D = 31.7;
    const double exact = std::atan((H - h) / D) * kDeg;
    double previousError = 1e9;
    for (float scale : {1.0f, 2.0f, 4.0f, 8.0f}) {
        const double cell = (864.0f / scale) / 162.0f;
        const auto sky = SkylineOf({Box(-20, D, 20, D + 10, static_cast<float>(H))}, cell, 0.25 * cell, 0.25 * cell, h);
        const double bound = std::atan((H - h) / (D - 1.5 * cell)) * kDeg - exact;
        const double error = std::abs(sky[90] - exact);
        EXPECT_LE(error, bound) << "scale " << scale;
        EXPECT_LE(error, previousError + 1e-9) << "scale " << scale;
        previousError = error;
    }
    EXPECT_LT(previousError, 0.6);
}

TEST(SkylineAnalytic, CentredCourtyardIsSymmetric)
{
    // A 30 m square block round a 20 m courtyard, the observer at its centre. The block is one
    // outline: the outer square, a bridge along the x axis through the wall, the inner square the
    // other way round and back. Mirror images are exact (but on the diagonals, which belong to one
    // sector and whose mirror belongs to the next); quarter turns agree within a cell's worth.
    const double cell = 1.0, h = 1.5;
    const std::vector<Outline> block = {Outline{{{15.2, 0},
                                                 {15.2, 15.2},
                                                 {-15.2, 15.2},
                                                 {-15.2, -15.2},
                                                 {15.2, -15.2},
                                                 {15.2, 0},
                                                 {10.2, 0},
                                                 {10.2, -10.2},
                                                 {-10.2, -10.2},
                                                 {-10.2, 10.2},
                                                 {10.2, 10.2},
                                                 {10.2, 0},
                                                 {15.2, 0}},
                                                21.5f}};
    ASSERT_EQ(Build(block, cell).at(81, 67), 0.0f) << "the courtyard is open";
    const auto sky = SkylineOf(block, cell, 0.5, 0.5, h);
    const double tol = std::atan(20.0 / 9.0) * kDeg - std::atan(20.0 / 11.0) * kDeg;
    for (int a = 0; a < 360; ++a) {
        EXPECT_GT(sky[static_cast<std::size_t>(a)], 0.0) << a;
        const double mirrorTol = a % 45 == 0 && a % 90 != 0 ? tol : 1e-9;
        EXPECT_NEAR(sky[static_cast<std::size_t>(a)], sky[static_cast<std::size_t>((540 - a) % 360)], mirrorTol) << "mirror x " << a;
        EXPECT_NEAR(sky[static_cast<std::size_t>(a)], sky[static_cast<std::size_t>((360 - a) % 360)], mirrorTol) << "mirror y " << a;
        EXPECT_NEAR(sky[static_cast<std::size_t>(a)], sky[static_cast<std::size_t>((a + 90) % 360)], tol) << "quarter turn " << a;
    }
}

// Exact ray caster: distance along the ray from p in direction u to where it first meets the
// polygon (0 inside), or infinity.
double EntryDistance(const Outline& o, double px, double py, double ux, double uy)
{
    const auto& pts = o.points;
    bool inside = false;
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t k = 1; k < pts.size(); ++k) {
        const double ax = pts[k - 1].x, ay = pts[k - 1].y, bx = pts[k].x, by = pts[k].y;
        if ((ay > py) != (by > py) && px < ax + (py - ay) * (bx - ax) / (by - ay)) inside = !inside;
        const double ex = bx - ax, ey = by - ay;
        const double den = ux * ey - uy * ex;
        if (den == 0.0) continue;
        const double t = ((ax - px) * ey - (ay - py) * ex) / den;
        const double s = ((ax - px) * uy - (ay - py) * ux) / den;
        if (t >= 0.0 && s >= 0.0 && s <= 1.0) best = std::min(best, t);
    }
    return inside ? 0.0 : best;
}

TEST(SkylineRayCaster, MarchAgreesWithExactRaysOnTheSampleSite)
{
    // The sample site at zoom scale 4 (cell 4/3 m). The march stands for the ray within a band of
    // two cells: its cells lie up to ~1.5 cells beside the ray (observer cell, cross rounding, cell
    // half-width). Its distances are off by up to three cells: the observer's cell (1), the cell's
    // near edge (0.5), and the rasteriser's shallow edges, which record only their end rows and so
    // can leave the row next to an outline's edge open (1.5). So the march must lie between the
    // exact elevation of the worst ray of the band pushed 3 cells further and of the best ray pulled
    // 3 cells nearer.
    const float scale = 4.0f;
    const double cell = (864.0f / scale) / 162.0f, h = 1.5, band = 2.0 * cell, slack = 3.0 * cell;
    const auto site = judgetest::ToGrid(judgetest::SampleSite(), scale);
    const HeightMesh mesh = Build(site, cell);
    const double observers[][2] = {{0.3, 0.2}, {-5.1, 8.7}, {25.4, 5.2}, {-10.3, -28.6}, {0.2, 45.1}};
    for (const auto& ob : observers) {
        std::int64_t i0 = 0, j0 = 0;
        judge::ObserverCell(ob[0], ob[1], cell, i0, j0);
        const auto sky = judge::GridSkyline(mesh, i0, j0, MarchArea{}, cell, h, RisePrecision::Double);
        for (int a = 0; a < 360; ++a) {
            const double ux = std::cos(a / kDeg), uy = std::sin(a / kDeg);
            double upper = 0.0, lower = 0.0;
            for (const auto& o : site) {
                const double rise = o.height - h;
                double far = 0.0, nearest = std::numeric_limits<double>::infinity();
                for (int s = -4; s <= 4; ++s) {
                    const double off = band * s / 4.0;
                    const double t = EntryDistance(o, ob[0] - uy * off, ob[1] + ux * off, ux, uy);
                    far = std::max(far, t);
                    nearest = std::min(nearest, t);
                }
                if (std::isfinite(nearest)) upper = std::max(upper, std::atan(rise / std::max(nearest - slack, 0.5 * cell)) * kDeg);
                if (std::isfinite(far)) lower = std::max(lower, std::atan(rise / (far + slack)) * kDeg);
            }
            EXPECT_LE(sky[static_cast<std::size_t>(a)], upper + 1e-9) << "observer " << ob[0] << "," << ob[1] << " direction " << a;
            EXPECT_GE(sky[static_cast<std::size_t>(a)], lower - 1e-9) << "observer " << ob[0] << "," << ob[1] << " direction " << a;
        }
    }
}

TEST(SkylineObserver, OffTheGridReadsNothingOutside)
{
    HeightMesh mesh;  // a wall in column 10, rows 60..75
    for (int j = 60; j <= 75; ++j) mesh.set(10, j, 21.5f);
    mesh.set(330, 270, 99.0f);  // beyond the march area: never an obstruction
    // West of the grid, looking east: the wall 15 columns away is seen.
    EXPECT_NEAR(March(mesh, -5, 67, 0), std::atan(20.0 / 15.5) * kDeg, 1e-9);
    // Far off in every sense, and not a number: no read outside the grid (the sanitizer build
    // checks), and no phantom obstruction.
    for (std::int64_t far : {-4000000000LL, -300LL, 400LL, 5000000000LL}) {
        for (int a = 0; a < 360; a += 15) {
            EXPECT_EQ(March(mesh, far, far, a), 0.0) << far << " " << a;
            EXPECT_GE(March(mesh, far, 67, a), 0.0);
            EXPECT_GE(March(mesh, 81, far, a), 0.0);
        }
    }
    std::int64_t i0 = 0, j0 = 0;
    judge::ObserverCell(std::numeric_limits<double>::quiet_NaN(), 1e300, 1.0, i0, j0);
    for (int a = 0; a < 360; ++a) EXPECT_EQ(March(mesh, i0, j0, a), 0.0);
}

TEST(SkylineFrames, BuildingNorthHidesDueNorthWhateverTheView)
{
    // A block 20 m north of the site point (5, -3), 20 m wide, 21.5 m high; antenna 1.5 m.
    // Exact elevation due north atan(20 / 20) = 45 degrees; due south nothing.
    const std::vector<Outline> site = {Box(-5, 17, 15, 27, 21.5f)};
    struct View {
        std::string name;
        float scale, offX, offY, rot;
        double cx, cy;
    };
    const std::vector<View> views = {
        {"unturned", 4, 0, 0, 0, 0, 0},       {"turned clockwise", 4, 0, 0, 90, 0, 0}, {"turned back", 4, 0, 0, -30, 0, 0},
        {"panned and turned", 4, 40, -24, 40, 0, 0}, {"turned past 360", 4, 8, 0, 370, 3, -2}, {"off-centre map", 2.5f, 0, 12, 0, -10, 6},
    };
    for (const auto& v : views) {
        MapViewState view;
        view.scale = v.scale;
        view.offsetX = v.offX;
        view.offsetY = v.offY;
        view.rotateDeg = v.rot;
        view.sinA = static_cast<float>(std::sin(v.rot * 3.14159265358979 / 180.0));
        view.cosA = static_cast<float>(std::cos(v.rot * 3.14159265358979 / 180.0));
        view.centreX = v.cx;
        view.centreY = v.cy;
        const float cell = view.cellSize();
        gBillHeightMesh = Build(judgetest::ToGrid(site, v.scale, v.offX, v.offY, v.rot, v.cx, v.cy), cell);
        gBillHeightMeshView = view;
        gBillHeightMeshCell = cell;
        ComputeCutElevationAtSite(5.0, -3.0, 1.5f);
        const double tol = std::atan(20.0 / (20.0 - 2.0 * cell)) * kDeg - 45.0;
        EXPECT_NEAR(gCutElevation[90], 45.0, tol) << v.name;
        EXPECT_EQ(gCutElevation[270], 0.0f) << v.name;
        EXPECT_EQ(gCutElevation[0], 0.0f) << v.name;
        EXPECT_EQ(gCutElevation[360], gCutElevation[0]) << v.name;
    }
    // Unturned and unpanned, the site point is the grid point and directions are not turned.
    gBillHeightMeshView = MapViewState{};
    gBillHeightMeshView.scale = 4.0f;
    gBillHeightMeshCell = gBillHeightMeshView.cellSize();
    gBillHeightMesh = Build(judgetest::ToGrid(site, 4.0), gBillHeightMeshCell);
    ComputeCutElevationAtSite(5.0, -3.0, 1.5f);
    const auto atSite = gCutElevation;
    ComputeCutElevation(5.0, -3.0, 162, 135, gBillHeightMeshCell, 1.5f);
    EXPECT_EQ(atSite, gCutElevation);
    gBillHeightMesh.clear();
}

TEST(SkylineFrames, GridDirectionOfAzimuth)
{
    struct Case {
        float azimuth, rotation;
        int expected;
    };
    const std::vector<Case> cases = {
        {90.0f, 0.0f, 90},   {359.9f, 0.0f, 359}, {0.0f, 0.0f, 0},    {360.0f, 0.0f, 0},   {-0.5f, 0.0f, 359},
        {90.0f, 90.0f, 0},   {10.0f, -20.0f, 30}, {355.0f, -10.0f, 5}, {5.0f, 370.0f, 355}, {45.5f, -730.0f, 55},
    };
    for (const auto& c : cases) EXPECT_EQ(judge::GridDirectionOfAzimuth(c.azimuth, c.rotation), c.expected) << c.azimuth << " " << c.rotation;
    EXPECT_EQ(judge::GridDirectionOfAzimuth(std::numeric_limits<float>::quiet_NaN(), 0.0f), -1);
}

}  // namespace
