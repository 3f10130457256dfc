#include "roofdetect/WallEdge.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace roofdetect {

std::vector<MaskPixel> RoofVertexCorners(const std::vector<RoofCorner>& corners, std::size_t polygonSize)
{
    std::vector<MaskPixel> vertices;
    for (const RoofCorner& corner : corners) {
        if (!corner.merged) {
            vertices.push_back({corner.u, corner.v});
        }
    }
    if (polygonSize == 0) {
        return {};
    }
    // The polygon repeats its first vertex; it has one point fewer when the closing overwrote the
    // last corner.
    if (polygonSize == vertices.size()) {
        vertices.pop_back();
    }
    return vertices;
}

PhotoPoint NadirInPhoto(const ObliqueCamera& camera)
{
    return {0.0f, static_cast<float>(-kFocalWidths * camera.pictureWidth * std::tan(camera.tilt()))};
}

namespace {

// The edge's place across its line is taken from this many of its first steps.
constexpr std::size_t kOffsetSteps = 5;
// The roof's vertex lies up to this far above the corner along the wall's edge (pixels).
constexpr double kWallTopAllowance = 3.0;
// A step whose edge lies within this of that place is on the edge.
constexpr double kWallEdgeOnLine = 0.5;

// The picture line from a roof vertex towards the nadir: positions along it and across it.
struct VertexLine {
    MaskPixel top;
    double au = 0.0, av = 0.0;  // unit direction towards the nadir
    double reach = 0.0;         // distance to the nadir
    double along(MaskPixel p) const { return (p.x - top.x) * au + (p.y - top.y) * av; }
    double across(MaskPixel p) const { return (p.y - top.y) * au - (p.x - top.x) * av; }
    // Window position `s` along the line and `e` across it (positive e to the line's left when
    // looking towards the nadir).
    WindowPoint at(double s, double e) const { return {top.x + s * au - e * av, top.y + s * av + e * au}; }
};

// Where the face's edge crosses the line's normal at `s` along it: the step from a face pixel
// (within the tolerance of the face grey) on the face's side to one off the face on the other,
// each confirmed by the pixel beyond it, searched outwards from `guess`. Below the top (where the
// roof corner lies beside the edge) the other side must not be roof: beside a vertical edge of
// the building lies the ground or another wall, while the roof meets the face only along its top.
std::optional<double> EdgeAcross(const WallFace& face, const VertexLine& line, double s, double guess, double range, int faceSide, bool belowTop)
{
    auto onFace = [&](double e) {
        const WindowPoint p = line.at(s, e);
        return std::abs(face.window->GetGrayLevel(p.u, p.v) - face.wallGray) <= kWallFaceTolerance;
    };
    auto onRoof = [&](double e) {
        const WindowPoint p = line.at(s, e);
        return std::abs(face.window->GetGrayLevel(p.u, p.v) - face.roofGray) <= kRoofBand;
    };
    constexpr double kStep = 0.5;
    for (double k = 0.0; k <= range + 1e-9; k += kStep) {
        for (const double e : {guess - k, guess + k}) {
            // The step lies between e - faceSide * step / 2 (off the face) and e + faceSide * step / 2.
            const double in = e + faceSide * kStep / 2, out = e - faceSide * kStep / 2;
            if (onFace(in) && onFace(in + faceSide * kStep) && !onFace(out) && !onFace(out - faceSide * kStep) && !(belowTop && onRoof(out - faceSide * kStep))) {
                return e;
            }
            if (k == 0.0) {
                break;
            }
        }
    }
    return std::nullopt;
}

// The edge from `top` towards the nadir, or none. `taken` receives the boundary pixels it passes.
std::optional<WallCandidate> FollowEdge(const WallFace& face, MaskPixel top, const std::vector<MaskPixel>& boundary, const ByteMask& edge,
                                        std::vector<MaskPixel>& taken)
{
    VertexLine line{top};
    const double du = face.nadir.u - top.x;
    const double dv = face.nadir.v - top.y;
    line.reach = std::hypot(du, dv);
    if (line.reach < 1.0) {
        return std::nullopt;  // the corner lies on the nadir: no direction
    }
    line.au = du / line.reach;
    line.av = dv / line.reach;

    // The vertex stands on the face when the face's boundary comes near its line just below it.
    // The boundary has a pixel or two in each row, so along a line leaning far from the
    // picture's vertical its first row may lie farther down the line.
    const double startReach = std::max(kWallStartReach, 1.0 / std::max(std::abs(line.av), 0.1) + 2.0);
    taken.clear();
    const bool stands = std::any_of(boundary.begin(), boundary.end(), [&](const MaskPixel& p) {
        const double s = line.along(p);
        return edge.at(p.x, p.y) == kMaskTraced && s > 0.0 && s <= startReach && std::abs(line.across(p)) <= kWallLineReach;
    });
    if (std::getenv("WDEBUG")) std::fprintf(stderr, "vertex (%d,%d) dir (%.3f,%.3f) stands %d wall %d\n", top.x, top.y, line.au, line.av, stands, face.wallGray);
    if (!stands) {
        return std::nullopt;
    }

    // The side of the line the face lies on, and the edge's place across the line, from the
    // first steps: the side whose edge shows in most of them (near the top the roof corner and
    // the face's top edge make steps too), and there the edge nearest the vertex's line.
    std::array<int, 2> shows{};
    std::array<double, 2> nearest{kWallLineReach + 1.0, kWallLineReach + 1.0};
    const double lastStart = std::floor(startReach) + 2.0;
    for (double a = 1.0; a <= lastStart; a += 1.0) {
        for (const int side : {0, 1}) {
            if (const auto e = EdgeAcross(face, line, a, 0.0, kWallLineReach, side == 0 ? 1 : -1, false)) {
                ++shows[static_cast<std::size_t>(side)];
                if (a > lastStart / 2 && std::abs(*e) < std::abs(nearest[static_cast<std::size_t>(side)])) {
                    nearest[static_cast<std::size_t>(side)] = *e;
                }
            }
        }
    }
    const std::size_t best = shows[1] > shows[0] ? 1 : 0;
    if (shows[best] == 0 || std::abs(nearest[best]) > kWallLineReach) {
        return std::nullopt;
    }
    const int faceSide = best == 0 ? 1 : -1;
    double offset = nearest[best];
    // Where the face's edge begins, to a quarter pixel: the top of the wall along the edge.
    double faceTop = -1.0;
    for (double a = 0.25; a <= lastStart && faceTop < 0.0; a += 0.25) {
        if (const auto e = EdgeAcross(face, line, a, offset, 1.0, faceSide, false)) {
            faceTop = a;
        }
    }
    if (faceTop < 0.0) {
        return std::nullopt;
    }
    double s = faceTop;
    if (std::getenv("WDEBUG")) std::fprintf(stderr, "  side %d offset %.2f top %.2f\n", faceSide, offset, faceTop);

    // Down the line one pixel at a time while the edge stays on it. A single step without it is
    // passed over (a pixel of the wall's grain); two end the edge. The edge's place across is
    // the median of its first steps. A boundary that leaves the line at a small angle (the
    // wall's bottom edge running down steeply beside it) drifts off step by step: the foot is the
    // last step still on the edge's place, within half a pixel.
    std::vector<double> firstSteps;
    double foot = s - 1.0;
    int missed = 0;
    for (; s <= line.reach && missed < 2; s += 1.0) {
        const auto e = EdgeAcross(face, line, s, offset, kWallEdgeTolerance, faceSide, s > startReach + 2.0);
        if (std::getenv("WDEBUG")) {
            std::fprintf(stderr, "   s %.0f e %s%.2f |", s, e ? "" : "none ", e ? *e : 0.0);
            for (double q = -3; q <= 3; q += 0.5) { const WindowPoint p = line.at(s, q); std::fprintf(stderr, " %d", face.window->GetGrayLevel(p.u, p.v)); }
            std::fprintf(stderr, "\n");
        }
        if (!e || std::abs(*e - offset) > kWallEdgeTolerance) {
            ++missed;
            continue;
        }
        missed = 0;
        if (firstSteps.size() < kOffsetSteps) {
            firstSteps.push_back(*e);
            std::vector<double> sorted = firstSteps;
            std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2), sorted.end());
            offset = sorted[sorted.size() / 2];
        }
        if (std::abs(*e - offset) <= kWallEdgeOnLine) {
            foot = s;
        }
    }
    for (double a = foot + 0.25; a < foot + 1.0; a += 0.25) {
        const auto e = EdgeAcross(face, line, a, offset, kWallEdgeTolerance, faceSide, true);
        if (!e || std::abs(*e - offset) > kWallEdgeOnLine) {
            foot = a - 0.25;
            break;
        }
    }
    if (std::getenv("WDEBUG")) std::fprintf(stderr, "  foot %.2f\n", foot);
    // The wall's length in the picture is that of the face's edge. The vertex, a pixel of the
    // roof's outline, lies a little above the corner, up to kWallTopAllowance: so much of the face
    // top's distance from it is taken for the corner's, the rest (a face that narrows to a wedge at
    // the corner) for wall.
    const double length = foot - std::min(faceTop, kWallTopAllowance);
    if (length < kWallMinLength) {
        return std::nullopt;
    }
    // The boundary pixels along the edge are its own: no other vertex starts on them.
    for (const MaskPixel& p : boundary) {
        const double a = line.along(p);
        if (a > 0.0 && a <= foot + 1.0 && std::abs(line.across(p) - offset) <= kWallLineReach) {
            taken.push_back(p);
        }
    }
    // The foot lies on the vertex's own line, so that the wall edge stands on the vertex as the
    // building's vertical edge does and its two ends give the height of the face's edge.
    const WindowPoint end = line.at(length, 0.0);
    return WallCandidate{top, end, static_cast<int>(platform::RoundHalfEven(length))};
}

}  // namespace

std::vector<WallCandidate> FindWallEdge(const WallFace& face, const std::vector<MaskPixel>& vertices, const std::vector<MaskPixel>& boundary,
                                        ByteMask& edge)
{
    std::vector<WallCandidate> candidates;
    std::vector<MaskPixel> taken;
    for (const MaskPixel& top : vertices) {
        if (static_cast<int>(candidates.size()) >= kMaxWallEdgeCandidates) {
            break;
        }
        const std::optional<WallCandidate> found = FollowEdge(face, top, boundary, edge, taken);
        if (!found) {
            continue;
        }
        edge.set(top.x, top.y, kMaskTracedBack);
        for (const MaskPixel& p : taken) {
            edge.set(p.x, p.y, kMaskTracedBack);
        }
        candidates.push_back(*found);
    }
    return candidates;
}

std::optional<WallCandidate> LongestWallEdge(const std::vector<WallCandidate>& candidates)
{
    std::optional<WallCandidate> longest;
    int best = 0;
    for (const WallCandidate& c : candidates) {
        if (c.length > best) {
            best = c.length;
            longest = c;
        }
    }
    return longest;
}

WallEdgeEnds WallEdgeInPhoto(const WallCandidate& edge, const AnalysisWindow& window)
{
    auto photo = [&](double u, double v) { return PhotoPoint{static_cast<float>(window.toX(u)), static_cast<float>(window.toY(v))}; };
    return {photo(edge.top.x, edge.top.y), photo(edge.foot.u, edge.foot.v)};
}

}  // namespace roofdetect
