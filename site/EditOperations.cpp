#include "EditOperations.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace edit {
namespace {

bool IsTopArea(int j) { return j >= 0 && j < gEachTopAreaNumber && j < kMaxTopAreas; }

// First and last point index of top area j's run, clipped to the point arrays; false when the run
// holds no stored point.
bool RunOf(int j, int& s, int& e)
{
    if (!IsTopArea(j)) return false;
    s = std::max(gEachTopAreaStartNum[j], 0);
    e = std::min(gEachTopAreaStartNum[j] + gEachTopAreaPointNum[j] - 1, kMaxTopPoints - 1);
    return s <= e;
}

PicturePoint PictureOf(const MapViewState& view, int index)
{
    return ToPicture(view, {gNorthTopAreaX[index], gNorthTopAreaY[index]});
}

bool Between(double v, double a, double b) { return (a <= v && v <= b) || (b <= v && v <= a); }

// A closed run repeats its first point as its last.
bool IsClosedRun(int s, int e)
{
    return e > s && gNorthTopAreaX[s] == gNorthTopAreaX[e] && gNorthTopAreaY[s] == gNorthTopAreaY[e];
}

int SearchVertex(const MapViewState& view, int active, PicturePoint p, int& k)
{
    k = -1;
    int s = 0, e = 0;
    if (!RunOf(active, s, e)) return -1;
    for (int j = s; j <= e; ++j) {
        const PicturePoint q = PictureOf(view, j);
        if (std::hypot(q.x - p.x, q.y - p.y) < kVertexPickDistance) {
            k = j;
            return 1;
        }
    }
    return -1;
}

}  // namespace

PicturePoint ToPicture(const MapViewState& view, TopAreaPoint site)
{
    return SiteToPicture(view, site.x, site.y);
}

TopAreaPoint ToSite(const MapViewState& view, PicturePoint picture)
{
    double x = 0, y = 0;
    PictureToSite(view, picture.x, picture.y, x, y, true);
    return {static_cast<float>(x), static_cast<float>(y)};
}

TopAreaEdit AddRectangleBill(const MapViewState& view, PicturePoint c0, PicturePoint c1)
{
    const std::array<TopAreaPoint, 5> outline = {
        ToSite(view, c0), ToSite(view, {c1.x, c0.y}), ToSite(view, c1), ToSite(view, {c0.x, c1.y}), ToSite(view, c0)};
    return AppendTopArea(outline, kRectangleHeight);
}

bool IsRectangleDrag(PicturePoint c0, PicturePoint c1)
{
    return std::abs(c1.x - c0.x) > kMinRectangleSide && std::abs(c1.y - c0.y) > kMinRectangleSide;
}

bool IsTopLineClosed(const MapViewState& view, std::span<const TopAreaPoint> drawn, PicturePoint click)
{
    if (drawn.size() <= 2) return false;
    const PicturePoint first = ToPicture(view, drawn.front());
    return std::hypot(click.x - first.x, click.y - first.y) < kCloseDistance;
}

TopAreaEdit AddTopLineBill(std::span<const TopAreaPoint> drawn) { return AppendTopArea(drawn, kTopLineHeight); }

int TopLineRoom()
{
    if (gEachTopAreaNumber >= kMaxTopAreas) return 0;
    return std::max(kMaxTopPoints - std::max(gTopAreaPointTotalNumber, 0) - 1, 0);
}

int SearchBillAtPoint(const MapViewState& view, PicturePoint p)
{
    const int areas = std::min(gEachTopAreaNumber, kMaxTopAreas);
    for (int i = 0; i < areas; ++i) {
        int s = 0, e = 0;
        if (!RunOf(i, s, e)) continue;
        std::vector<int> crossing;
        PicturePoint a = PictureOf(view, s);
        for (int j = s + 1; j <= e; ++j) {
            const PicturePoint b = PictureOf(view, j);
            if ((a.x <= p.x && p.x < b.x) || (b.x <= p.x && p.x < a.x)) crossing.push_back(j);
            a = b;
        }
        if (crossing.size() == 2 && IsPointInTopArea(view, crossing[0], crossing[1], p) == 1) return i;
    }
    return -1;
}

int IsPointInTopArea(const MapViewState& view, int k1, int k2, PicturePoint p)
{
    double heights[2] = {0, 0};
    const int ends[2] = {k1, k2};
    for (int n = 0; n < 2; ++n) {
        const int k = ends[n];
        if (k < 1 || k >= kMaxTopPoints) return -1;
        const PicturePoint a = PictureOf(view, k - 1);
        const PicturePoint b = PictureOf(view, k);
        heights[n] = a.x == b.x ? a.y : a.y + (p.x - a.x) * (b.y - a.y) / (b.x - a.x);
    }
    return Between(p.y, heights[0], heights[1]) ? 1 : -1;
}

int SearchTopPointForMove(const MapViewState& view, int active, PicturePoint p, int& k)
{
    return SearchVertex(view, active, p, k);
}

int SearchTopPointForRemove(const MapViewState& view, int active, PicturePoint p, int& k)
{
    return SearchVertex(view, active, p, k);
}

VertexLinks LinksOfVertex(int area, int k)
{
    VertexLinks links;
    int s = 0, e = 0;
    if (!RunOf(area, s, e) || k < s || k > e) return links;
    const bool closed = IsClosedRun(s, e);
    links.moved.push_back(k);
    if (closed && (k == s || k == e)) {
        // The first corner and its closing copy move together; their neighbours are the second
        // and the last-but-one point.
        links.moved = {s, e};
        if (s + 1 < e) links.neighbours.push_back(s + 1);
        if (e - 1 > s) links.neighbours.push_back(e - 1);
        return links;
    }
    if (k > s) links.neighbours.push_back(k - 1);
    if (k < e) links.neighbours.push_back(k + 1);
    return links;
}

TopAreaEdit MoveTopPoint(const MapViewState& view, int area, int k, PicturePoint to)
{
    const VertexLinks links = LinksOfVertex(area, k);
    if (links.moved.empty()) return TopAreaEdit::OutOfRange;
    const TopAreaPoint site = ToSite(view, to);
    for (int j : links.moved) SetNorthTopAreaPoint(j, site.x, site.y);
    return TopAreaEdit::Done;
}

int RemoveTopPoint(int active, int k)
{
    if (RemoveTopAreaPointData(active, k) != TopAreaEdit::Done) return -1;
    if (gEachTopAreaPointNum[active] > 3) return 1;
    RemoveTopArea(active);
    return 0;
}

int SearchTopLineForAdd(const MapViewState& view, int active, PicturePoint p, PicturePoint& onEdge)
{
    int s = 0, e = 0;
    if (!RunOf(active, s, e)) return -1;
    PicturePoint a = PictureOf(view, s);
    for (int j = s + 1; j <= e; ++j) {
        const PicturePoint b = PictureOf(view, j);
        if (a.x == b.x) {
            if (Between(p.y, a.y, b.y) && std::abs(p.x - a.x) < kEdgePickDistance) {
                onEdge = {a.x, p.y};
                return j;
            }
        } else {
            // Only along the edge itself: the click's x must lie within the edge's ends, which for
            // a horizontal edge is what keeps a click far beside it from picking it.
            const double h = a.y + (p.x - a.x) * (b.y - a.y) / (b.x - a.x);
            if (Between(p.x, a.x, b.x) && Between(h, a.y, b.y) && std::abs(p.y - h) < kEdgePickDistance) {
                onEdge = {p.x, h};
                return j;
            }
        }
        a = b;
    }
    return -1;
}

TopAreaEdit AddTopPoint(const MapViewState& view, int active, int k, PicturePoint onEdge)
{
    return InsertTopAreaPoint(active, k, ToSite(view, onEdge));
}

}  // namespace edit
