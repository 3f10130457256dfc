#include "roofdetect/PolygonFit.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace roofdetect {

namespace {

template <typename Distance>
ChordFarthest Farthest(const std::vector<MaskPixel>& outline, int a, int b, Distance distance)
{
    ChordFarthest best;
    const int first = std::max(a, 0);
    const int last = std::min(b, static_cast<int>(outline.size()));
    for (int j = first; j < last; ++j) {
        const double d = distance(outline[static_cast<std::size_t>(j)]);
        if (d > best.distance) {
            best = {j, d};
        }
    }
    return best;
}

struct CornerRow {
    int index = 0;
};

// The outline point farthest from the chord that runs from the outline point `a` to the point
// before the outline index `next`, among the points a .. next - 2.
ChordFarthest ChordDeviation(const std::vector<MaskPixel>& outline, int a, int next)
{
    const int b = next - 1;
    const MaskPixel& pa = outline[static_cast<std::size_t>(a)];
    const MaskPixel& pb = outline[static_cast<std::size_t>(std::max(b, a))];
    const int du = pb.x - pa.x;
    const int dv = pb.y - pa.y;
    if (du == 0 && dv != 0) {
        return GetMaxXDistance(outline, a, b, pa.x);
    }
    if (dv == 0 && du != 0) {
        return GetMaxYDistance(outline, a, b, pa.y);
    }
    if (du != 0 && dv != 0) {
        return GetMaxLineDistance(outline, a, b, pa.x, pa.y, du, dv);
    }
    return {};
}

// Drops the corners the splitting left that a straight side does not need. Pixels mixed with the
// wall or noise at a corner cut the corner off or bend a side's end, so a split may land a pixel
// or two off the true corner and a later one add a second corner beside it. Over and over, the
// cheapest of these is done while every outline point stays within the split distance of its
// side: an inner corner is dropped when the chord of its neighbours passes that close to the
// outline between them, and two inner corners closer than kNearCorner (the two ends of a corner
// cut off by mixed pixels) become the one outline point between them that keeps both new sides
// that close, which serves the corner better than the earlier of the two that the merge would
// keep. The first and the last corner stay; a corner closer than the merge distance to any other
// neighbour is left to the merge.
void DropNeedlessCorners(const std::vector<MaskPixel>& outline, std::vector<CornerRow>& rows)
{
    const auto gap = [&](const CornerRow& l, const CornerRow& r) {
        const MaskPixel& p = outline[static_cast<std::size_t>(l.index)];
        const MaskPixel& q = outline[static_cast<std::size_t>(r.index)];
        return std::hypot(p.x - q.x, p.y - q.y);
    };
    // The farthest outline point from the side between the corners at outline indices a and c;
    // the side runs to the corner itself (the search stops before the point after its end).
    const auto side = [&](int a, int c) { return ChordDeviation(outline, a, c + 1).distance; };
    while (rows.size() > 3) {
        std::size_t at = 0;      // the first row changed
        int joined = -1;         // -1: row `at` is dropped; otherwise rows at, at + 1 become this point
        double least = 0.0;
        const auto consider = [&](double d, std::size_t r, int point) {
            if (d <= kSplitDistance && (at == 0 || d < least)) {
                least = d;
                at = r;
                joined = point;
            }
        };
        for (std::size_t r = 1; r + 1 < rows.size(); ++r) {
            const double before = gap(rows[r - 1], rows[r]);
            if (before < kMergeDistance) {
                continue;  // the merge below settles corners this close
            }
            if (gap(rows[r], rows[r + 1]) >= kMergeDistance) {
                consider(side(rows[r - 1].index, rows[r + 1].index), r, -1);
            }
            if (r + 2 < rows.size() && gap(rows[r], rows[r + 1]) < kNearCorner && gap(rows[r + 1], rows[r + 2]) >= kMergeDistance) {
                for (int k = rows[r].index; k <= rows[r + 1].index; ++k) {
                    consider(std::max(side(rows[r - 1].index, k), side(k, rows[r + 2].index)), r, k);
                }
            }
        }
        if (at == 0) {
            return;
        }
        if (joined >= 0) {
            rows[at].index = joined;
            rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(at + 1));
        } else {
            rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(at));
        }
    }
}

void SortByIndex(std::vector<CornerRow>& rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const CornerRow& l, const CornerRow& r) { return l.index < r.index; });
}

}  // namespace

ChordFarthest GetMaxLineDistance(const std::vector<MaskPixel>& outline, int a, int b, double ua, double va, double du, double dv)
{
    const double length = std::hypot(du, dv);
    if (length == 0.0) {
        return {};
    }
    return Farthest(outline, a, b, [&](const MaskPixel& p) { return std::abs(du * (p.y - va) - dv * (p.x - ua)) / length; });
}

ChordFarthest GetMaxXDistance(const std::vector<MaskPixel>& outline, int a, int b, double ref)
{
    return Farthest(outline, a, b, [&](const MaskPixel& p) { return std::abs(p.x - ref); });
}

ChordFarthest GetMaxYDistance(const std::vector<MaskPixel>& outline, int a, int b, double ref)
{
    return Farthest(outline, a, b, [&](const MaskPixel& p) { return std::abs(p.y - ref); });
}

std::vector<RoofCorner> FitRoofPolygon(const std::vector<MaskPixel>& outline)
{
    const int count = static_cast<int>(outline.size());
    if (count == 0) {
        return {};
    }

    // Extreme candidates: the first point with the greatest x, greatest y, smallest x and
    // smallest y, and the last point.
    std::array<int, 5> candidate{0, 0, 0, 0, count - 1};
    int maxX = -999, maxY = -999, minX = 999, minY = 999;
    for (int i = 0; i < count; ++i) {
        const MaskPixel& p = outline[static_cast<std::size_t>(i)];
        if (p.x > maxX) { maxX = p.x; candidate[0] = i; }
        if (p.y > maxY) { maxY = p.y; candidate[1] = i; }
        if (p.x < minX) { minX = p.x; candidate[2] = i; }
        if (p.y < minY) { minY = p.y; candidate[3] = i; }
    }
    std::sort(candidate.begin(), candidate.end());
    std::vector<CornerRow> rows;
    for (std::size_t i = 0; i < candidate.size(); ++i) {
        if (i == 0 || candidate[i] != candidate[i - 1]) {
            rows.push_back({candidate[i]});
        }
    }

    // The chord whose farthest outline point lies farthest is split there first, and so on while
    // a point lies farther than the split distance from its chord, up to kMaxRoofCorners corners:
    // the corners that tell most about the shape come first (the inner corner of an L that a
    // split uncovers too), and a noisy outline stops at its most telling ones. Each split adds an
    // outline index strictly between two corners.
    while (static_cast<int>(rows.size()) < kMaxRoofCorners) {
        ChordFarthest worst;
        for (std::size_t r = 0; r + 1 < rows.size(); ++r) {
            const ChordFarthest far = ChordDeviation(outline, rows[r].index, rows[r + 1].index);
            if (far.index >= 0 && far.distance > worst.distance) {
                worst = far;
            }
        }
        if (worst.index < 0 || worst.distance <= kSplitDistance) {
            break;
        }
        rows.push_back({worst.index});
        SortByIndex(rows);
    }

    DropNeedlessCorners(outline, rows);

    // Corner table; the last row lies on the point before the last corner.
    std::vector<RoofCorner> corners;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const bool last = r + 1 == rows.size();
        const int at = last ? std::max(rows[r].index - 1, 0) : rows[r].index;
        const MaskPixel& p = outline[static_cast<std::size_t>(at)];
        corners.push_back({rows[r].index, p.x, p.y, false});
    }
    const RoofCorner* kept = &corners.front();
    for (std::size_t r = 1; r < corners.size(); ++r) {
        corners[r].merged = std::hypot(corners[r].u - kept->u, corners[r].v - kept->v) < kMergeDistance;
        if (!corners[r].merged) {
            kept = &corners[r];
        }
    }
    return corners;
}

}  // namespace roofdetect
