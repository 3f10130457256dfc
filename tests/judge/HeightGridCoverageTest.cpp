// The height grid against an even-odd test of cell centres: every cell whose centre lies more than
// one cell from every edge of a roof holds the roof's height when the centre is inside and 0 when
// it is outside. Random outlines of the shapes roofs take (turned rectangles, L and U shapes,
// sides with small steps on, near and off the axes, traced outlines with noise) and fixtures of
// short edges whose ends round to one row.
#include "JudgeFixtures.h"

#include "judge/HeightGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using judge::GridPoint;
using judge::HeightMesh;
using judge::Outline;
using judgetest::Build;
using judgetest::EdgeDistance;
using judgetest::Inside;

namespace {

constexpr double kPi = 3.14159265358979;

// Cells of the grid built from `outline` alone that disagree with the even-odd test of their centres
// although the centre lies more than one cell from every edge. Empty when the grid is right.
std::vector<std::string> FarWrongCells(const Outline& outline, double cell)
{
    const HeightMesh mesh = Build({outline}, cell);
    const auto& pts = outline.points;
    double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
    for (const auto& p : pts) {
        x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
    }
    std::vector<std::string> wrong;
    for (int j = 0; j <= judge::kBuildLastY; ++j) {
        for (int i = 0; i <= judge::kBuildLastX; ++i) {
            const double cx = (i - judge::kOriginCellX) * cell, cy = (j - judge::kOriginCellY) * cell;
            const bool near = cx >= x0 - 2 * cell && cx <= x1 + 2 * cell && cy >= y0 - 2 * cell && cy <= y1 + 2 * cell;
            const float expected = near && Inside(pts, cx, cy) ? outline.height : 0.0f;
            if (mesh.at(i, j) == expected) continue;
            if (near && EdgeDistance(pts, cx, cy) <= cell) continue;
            std::ostringstream s;
            s << "cell (" << i << ", " << j << ") holds " << mesh.at(i, j) << ", expected " << expected;
            wrong.push_back(s.str());
        }
    }
    return wrong;
}

std::string Describe(const Outline& o, double cell)
{
    std::ostringstream s;
    s.precision(17);
    s << "cell " << cell << ":";
    for (const auto& p : o.points) s << " (" << p.x << ", " << p.y << ")";
    return s.str();
}

// Random outlines, built in cells in a local frame and placed by a turn and a shift.
class OutlineMaker {
public:
    explicit OutlineMaker(unsigned seed) : rng_(seed) {}

    double uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }
    int pick(int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng_); }
    double gauss(double sigma) { return std::normal_distribution<double>(0.0, sigma)(rng_); }

    static std::vector<GridPoint> Rectangle(double w, double h) { return {{0, 0}, {w, 0}, {w, h}, {0, h}}; }
    static std::vector<GridPoint> LShape(double w, double h, double arm, double foot)
    {
        return {{0, 0}, {w, 0}, {w, foot}, {arm, foot}, {arm, h}, {0, h}};
    }
    static std::vector<GridPoint> UShape(double w, double h, double wall, double floor)
    {
        return {{0, 0}, {w, 0}, {w, h}, {w - wall, h}, {w - wall, floor}, {wall, floor}, {wall, h}, {0, h}};
    }

    // A rectangle whose sides carry small bumps and notches: each goes out or in by up to three
    // cells across the side, its short edges sloping by up to one cell along it (sometimes not).
    std::vector<GridPoint> steppedRectangle()
    {
        const double w = uniform(8, 45), h = uniform(8, 45);
        const GridPoint corner[4] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
        std::vector<GridPoint> out;
        for (int s = 0; s < 4; ++s) {
            const GridPoint a = corner[s], b = corner[(s + 1) % 4];
            const double len = std::hypot(b.x - a.x, b.y - a.y);
            const double ux = (b.x - a.x) / len, uy = (b.y - a.y) / len;
            const double nx = -uy, ny = ux;  // inward for this counter-clockwise rectangle
            out.push_back(a);
            const int bumps = pick(0, 2);
            std::vector<double> at;
            for (int k = 0; k < 2 * bumps; ++k) at.push_back(uniform(1.5, len - 2.5));
            std::sort(at.begin(), at.end());
            for (int k = 0; k + 1 < static_cast<int>(at.size()); k += 2) {
                const double depth = (pick(0, 1) ? 1 : -1) * uniform(0.1, 3.0);
                const double slope1 = pick(0, 2) == 0 ? 0.0 : uniform(0.0, 1.0);
                const double slope2 = pick(0, 2) == 0 ? 0.0 : uniform(0.0, 1.0);
                const double t0 = at[k], t1 = std::max(at[k + 1], t0 + slope1 + slope2 + 0.5);
                if (t1 + 0.5 > len) break;
                auto point = [&](double t, double d) { return GridPoint{a.x + ux * t + nx * d, a.y + uy * t + ny * d}; };
                out.push_back(point(t0, 0));
                out.push_back(point(t0 + slope1, depth));
                out.push_back(point(t1 - slope2, depth));
                out.push_back(point(t1, 0));
            }
        }
        return out;
    }

    // Places local points: turned by `deg` degrees about the origin, shifted to (sx, sy), times
    // the cell size, closed by repeating the first point.
    static Outline Place(const std::vector<GridPoint>& local, double deg, double sx, double sy, double cell, float height)
    {
        // Quarter turns exactly, so that sides along the axes stay exactly along them.
        const double quarter = deg / 90.0;
        const bool exact = quarter == std::floor(quarter);
        const int q = ((static_cast<int>(quarter) % 4) + 4) % 4;
        const double t = deg * kPi / 180.0;
        const double c = exact ? (q == 0 ? 1.0 : q == 2 ? -1.0 : 0.0) : std::cos(t);
        const double s = exact ? (q == 1 ? 1.0 : q == 3 ? -1.0 : 0.0) : std::sin(t);
        Outline o;
        o.height = height;
        for (const auto& p : local) o.points.push_back({(p.x * c - p.y * s + sx) * cell, (p.x * s + p.y * c + sy) * cell});
        o.points.push_back(o.points.front());
        return o;
    }

    // A trace of the outline: every side walked in steps of one to four cells, each point off by
    // Gaussian noise of `sigma` cells (corners included).
    std::vector<GridPoint> traced(const std::vector<GridPoint>& local, double sigma)
    {
        std::vector<GridPoint> out;
        for (std::size_t k = 0; k < local.size(); ++k) {
            const GridPoint a = local[k], b = local[(k + 1) % local.size()];
            const double len = std::hypot(b.x - a.x, b.y - a.y);
            for (double t = 0; t < len - 0.5; t += uniform(1.0, 4.0))
                out.push_back({a.x + (b.x - a.x) * t / len + gauss(sigma), a.y + (b.y - a.y) * t / len + gauss(sigma)});
        }
        return out;
    }

    double turn(int kind)
    {
        switch (kind) {
        case 0: return 90.0 * pick(0, 3);                                          // on the axes
        case 1: return 90.0 * pick(0, 3) + (pick(0, 1) ? 1 : -1) * uniform(0.05, 3.0);  // near them
        default: return uniform(0.0, 360.0);                                        // anywhere
        }
    }

private:
    std::mt19937 rng_;
};

struct Family {
    const char* name;
    int count;
};

TEST(HeightGridCoverage, RandomOutlinesAgreeWithAnEvenOddTestAwayFromTheirEdges)
{
    OutlineMaker m(20240601u);
    const double cells[] = {1.0, (864.0 / 4.0) / 162.0, (864.0 / 0.9) / 162.0};
    const Family families[] = {{"rectangle at any turn", 300}, {"L shape", 300},        {"U shape", 300},
                               {"stepped sides on the axes", 300}, {"stepped sides near the axes", 300},
                               {"stepped sides off the axes", 300}, {"traced with noise", 300}};
    for (int f = 0; f < 7; ++f) {
        int failures = 0;
        std::string first;
        for (int n = 0; n < families[f].count; ++n) {
            const double cell = cells[n % 3];
            std::vector<GridPoint> local;
            double deg = m.turn(2);
            switch (f) {
            case 0: local = OutlineMaker::Rectangle(m.uniform(2, 40), m.uniform(2, 40)); break;
            case 1: {
                const double w = m.uniform(6, 40), h = m.uniform(6, 40);
                local = OutlineMaker::LShape(w, h, m.uniform(2, w - 2), m.uniform(2, h - 2));
                deg = m.turn(n % 3);
                break;
            }
            case 2: {
                const double w = m.uniform(10, 45), h = m.uniform(6, 40);
                local = OutlineMaker::UShape(w, h, m.uniform(2, w / 2 - 2), m.uniform(1.5, h - 2));
                deg = m.turn(n % 3);
                break;
            }
            case 3: local = m.steppedRectangle(); deg = m.turn(0); break;
            case 4: local = m.steppedRectangle(); deg = m.turn(1); break;
            case 5: local = m.steppedRectangle(); break;
            default: {
                const int shape = m.pick(0, 2);
                const double w = m.uniform(10, 40), h = m.uniform(10, 40);
                local = shape == 0 ? OutlineMaker::Rectangle(w, h)
                        : shape == 1 ? OutlineMaker::LShape(w, h, m.uniform(3, w - 3), m.uniform(3, h - 3))
                                     : OutlineMaker::UShape(w, h, m.uniform(3, w / 2 - 2), m.uniform(3, h - 3));
                local = m.traced(local, m.uniform(0.05, 0.4));
                deg = m.turn(n % 3);
                break;
            }
            }
            const Outline o = OutlineMaker::Place(local, deg, m.uniform(-25, 25), m.uniform(-25, 25), cell,
                                                  static_cast<float>(m.uniform(3, 60)));
            const auto wrong = FarWrongCells(o, cell);
            if (wrong.empty()) continue;
            if (failures++ == 0) first = Describe(o, cell) + "\n  " + wrong.front() + " (" + std::to_string(wrong.size()) + " cells)";
        }
        EXPECT_EQ(failures, 0) << families[f].name << ": " << failures << " of " << families[f].count
                               << " outlines have cells wrong far from every edge; first:\n"
                               << first;
    }
}

TEST(HeightGridCoverage, ShortEdgesWithinOneRow)
{
    struct Case {
        const char* name;
        std::vector<GridPoint> points;  // cell size 1, closed by repeating the first point
    };
    const std::vector<Case> cases = {
        // The left side steps in by a short edge whose ends round to one row (3.4 and 2.8 to 3).
        {"step within one row", {{2, 0}, {10, 0}, {10, 6}, {0, 6}, {0, 3.4}, {2, 2.8}}},
        // A horizontal step on row 3, and on the far side a corner on that same row.
        {"horizontal step with a corner on its row at the far side", {{0, 0}, {10, 0}, {11.3, 3}, {10, 7}, {4, 7}, {4, 3}, {0, 3}}},
        // Two wings with a notch between them whose floor is a short edge within one row, traced
        // clockwise.
        {"notched roof", {{0, 0}, {0, 10}, {5.1, 10}, {5.1, 3}, {8.1, 2.8}, {8.1, 10}, {14, 10}, {14, 0}}},
    };
    for (const auto& c : cases) {
        Outline o{c.points, 12.0f};
        o.points.push_back(o.points.front());
        const auto wrong = FarWrongCells(o, 1.0);
        EXPECT_TRUE(wrong.empty()) << c.name << ": " << wrong.size() << " cells wrong, first " << (wrong.empty() ? "" : wrong.front());
    }
    // The row of the step is filled right across to the far wall (column 91, x = 10).
    const HeightMesh mesh = Build({Outline{{{2, 0}, {10, 0}, {10, 6}, {0, 6}, {0, 3.4}, {2, 2.8}, {2, 0}}, 12.0f}}, 1.0);
    for (int i = 81; i <= 91; ++i) EXPECT_EQ(mesh.at(i, 70), 12.0f) << "column " << i;
}

// For outlines whose sides all run along the axes, the grid is exactly the cells whose centres
// lie in the outline with every corner moved to the nearest grid point (halves to even), its
// boundary included: every edge's cells from one end's rounded position to the other's.
TEST(HeightGridCoverage, AxisAlignedOutlinesKeepTheirExactGrids)
{
    OutlineMaker m(7u);
    for (int n = 0; n < 300; ++n) {
        const double w = m.uniform(3, 30), h = m.uniform(3, 30);
        std::vector<GridPoint> local;
        switch (n % 3) {
        case 0: local = OutlineMaker::Rectangle(w, h); break;
        case 1: local = OutlineMaker::LShape(w, h, m.uniform(1, w - 1), m.uniform(1, h - 1)); break;
        default: local = OutlineMaker::UShape(w + 4, h, m.uniform(1, w / 2), m.uniform(1, h - 1)); break;
        }
        const Outline o = OutlineMaker::Place(local, 90.0 * m.pick(0, 3), m.uniform(-20, 20), m.uniform(-20, 20), 1.0, 8.0f);
        std::vector<GridPoint> snapped;
        for (const auto& p : o.points) snapped.push_back({std::nearbyint(p.x), std::nearbyint(p.y)});
        const HeightMesh mesh = Build({o}, 1.0);
        int wrong = 0;
        for (int j = 0; j <= judge::kBuildLastY; ++j)
            for (int i = 0; i <= judge::kBuildLastX; ++i) {
                const double cx = i - judge::kOriginCellX, cy = j - judge::kOriginCellY;
                const bool in = EdgeDistance(snapped, cx, cy) < 1e-9 || Inside(snapped, cx, cy);
                wrong += mesh.at(i, j) != (in ? 8.0f : 0.0f);
            }
        EXPECT_EQ(wrong, 0) << Describe(o, 1.0);
    }
}

TEST(HeightGridCoverage, OverlappingRoofsKeepTheGreaterHeightInEitherOrder)
{
    const Outline tower = judgetest::Box(0, 0, 6, 8, 30.0f);
    const Outline annex = judgetest::Box(3, 2, 12, 5, 6.0f);
    for (const auto& order : {std::vector<Outline>{tower, annex}, std::vector<Outline>{annex, tower}}) {
        const HeightMesh mesh = Build(order, 1.0);
        const bool towerFirst = order.front().height == 30.0f;
        for (int j = 67; j <= 75; ++j)
            for (int i = 81; i <= 87; ++i) EXPECT_EQ(mesh.at(i, j), 30.0f) << "tower cell " << i << "," << j << (towerFirst ? " (tower first)" : " (annex first)");
        for (int j = 69; j <= 72; ++j)
            for (int i = 88; i <= 93; ++i) EXPECT_EQ(mesh.at(i, j), 6.0f) << "annex cell " << i << "," << j;
    }
}

}  // namespace
