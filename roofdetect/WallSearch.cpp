#include "roofdetect/WallSearch.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace roofdetect {

namespace {

// True when the face through `start` hangs from a roof: its column, followed upwards while it
// keeps the start's grey (within the face tolerance), meets roof grey (the roof's, or brighter)
// within a few rows of mixed greys. A wall hangs from its roof's edge; the ground beside a
// building, where it is one flat grey (asphalt, a lawn, a picture's smooth blocks), gives runs
// of equal greys as a face does, but above it lies more ground or another face.
bool HangsFromRoof(const AnalysisWindow& window, int roofGray, MaskPixel start, int grey)
{
    // The roof lies at most this many rows above the face's last row: the rows between mix the
    // roof's edge with the face (blurred, or falling between pixel rows).
    constexpr int kRowsToTheRoof = 3;
    int y = start.y + 1;
    while (y <= kWindowLastV && std::abs(window.GetGrayLevel(start.x, y) - grey) <= kWallFaceTolerance) {
        ++y;
    }
    for (const int last = y + kRowsToTheRoof; y <= last && y <= kWindowLastV; ++y) {
        // Roof grey, or brighter: a lit parapet or coping along the roof's edge.
        const int g = window.GetGrayLevel(start.x, y);
        if (InRoofBand(g, roofGray) || g > roofGray) {
            return true;
        }
    }
    return false;
}

// True when `grey` lies within the face tolerance of one of `faceGreys`: on a face of that grey
// as MarkWallArea follows it.
bool OnAFaceOf(const std::vector<int>& faceGreys, int grey)
{
    return std::any_of(faceGreys.begin(), faceGreys.end(), [&](int face) { return std::abs(grey - face) <= kWallFaceTolerance; });
}

// The start of a run of one grey inside the band lo < g < hi, scanning the box's rows from top to
// bottom, each from left to right; a run that does not hang from the roof is passed over. A pixel
// on a face of one of `triedGreys` counts as outside the band.
std::optional<WallStart> ScanBand(const AnalysisWindow& window, int roofGray, int left, int right, int top, int bottom, int lo, int hi,
                                  const std::vector<int>& triedGreys)
{
    for (int y = top; y >= bottom; --y) {
        int run = 0;
        int remembered = 0;
        for (int x = left; x <= right; ++x) {
            const int g = window.GetGrayLevel(x, y);
            if (g <= lo || g >= hi || OnAFaceOf(triedGreys, g)) {
                run = 0;
            } else if (g == remembered) {
                if (++run > kWallRunLength) {
                    if (HangsFromRoof(window, roofGray, {x, y}, g)) {
                        return WallStart{{x, y}, g};
                    }
                    run = 0;
                }
            } else {
                run = 0;
                remembered = g;
            }
        }
    }
    return std::nullopt;
}

// When `start` lies in the mixed rows along a roof's edge, the row below them where the face
// starts; otherwise -1. Mixed rows: at most two rows of the start's grey (within half the face
// tolerance: a face's own rows differ by its grain, far less) in its column, the pixel below them
// off that grey and the start's grey strictly between the roof's and that pixel's, as a pixel
// straddling the roof's edge and the face is. A mixed row may lie as far as the whole face
// tolerance from the face below it, and would then pass for the face itself.
int BelowRoofEdgeRows(const AnalysisWindow& window, int roofGray, const WallStart& start)
{
    // A roof's edge mixes into at most this many rows above the face.
    constexpr int kMixedRowsAboveFace = 2;
    constexpr int kSameRowGrey = kWallFaceTolerance / 2;
    const int x = start.pixel.x;
    for (int y = start.pixel.y - 1; y >= start.pixel.y - kMixedRowsAboveFace && y >= 0; --y) {
        const int g = window.GetGrayLevel(x, y);
        if (std::abs(g - start.grey) < kSameRowGrey) {
            continue;
        }
        const bool between = (roofGray > start.grey && start.grey > g) || (roofGray < start.grey && start.grey < g);
        return between ? y : -1;
    }
    return -1;
}

// The wall start below `corner` (the search box, both bands, the mixed rows along the roof's
// edge passed), on no face of `triedGreys`.
std::optional<WallStart> StartBelowCorner(const AnalysisWindow& window, int roofGray, const RoofCorner& corner, const std::vector<int>& triedGreys)
{
    const int left = std::max(corner.u - kWallSearchReach, 2);
    const int right = std::min(corner.u + kWallSearchReach, kMaskLastX - 2);
    const int top = std::min(corner.v - 1, kWindowLastV - 2);
    const int bottom = std::max(corner.v - kWallSearchReach, 2);
    auto search = [&](int fromRow) {
        if (auto start = ScanBand(window, roofGray, left, right, fromRow, bottom, roofGray - 60, roofGray - 30, triedGreys)) {
            return start;
        }
        return ScanBand(window, roofGray, left, right, fromRow, bottom, roofGray - 120, roofGray - 60, triedGreys);
    };
    std::optional<WallStart> start = search(top);
    // A roof edge that falls between pixel rows leaves a row or two of greys mixed from the roof
    // and the face below it; such a "face" is the roof's blurred edge, so the search goes on below.
    while (start) {
        const int below = BelowRoofEdgeRows(window, roofGray, *start);
        if (below < 0 || below < bottom) {
            break;
        }
        std::optional<WallStart> lower = search(below);
        if (!lower) {
            break;
        }
        start = lower;
    }
    return start;
}

// The corners not merged, lowest first (smallest v), the earlier row first among equals.
std::vector<RoofCorner> KeptCornersLowestFirst(const std::vector<RoofCorner>& corners)
{
    std::vector<RoofCorner> kept;
    std::copy_if(corners.begin(), corners.end(), std::back_inserter(kept), [](const RoofCorner& corner) { return !corner.merged; });
    std::stable_sort(kept.begin(), kept.end(), [](const RoofCorner& a, const RoofCorner& b) { return a.v < b.v; });
    return kept;
}

}  // namespace

std::optional<WallStart> FindWallStart(const AnalysisWindow& window, int roofGray, const std::vector<RoofCorner>& corners)
{
    const std::vector<RoofCorner> kept = KeptCornersLowestFirst(corners);
    if (kept.empty()) {
        return std::nullopt;
    }
    return StartBelowCorner(window, roofGray, kept.front(), {});
}

std::vector<WallStart> FindWallStarts(const AnalysisWindow& window, int roofGray, const std::vector<RoofCorner>& corners)
{
    std::vector<WallStart> starts;
    std::vector<int> triedGreys;
    for (const RoofCorner& corner : KeptCornersLowestFirst(corners)) {
        while (const auto start = StartBelowCorner(window, roofGray, corner, triedGreys)) {
            starts.push_back(*start);
            triedGreys.push_back(start->grey);
        }
    }
    return starts;
}

std::vector<MaskPixel> MarkWallArea(const AnalysisWindow& window, int wallGray, MaskPixel start, ByteMask& edge)
{
    auto onFace = [&](int u, int v) { return std::abs(window.GetGrayLevel(u, v) - wallGray) <= kWallFaceTolerance; };
    std::vector<MaskPixel> recorded;
    int right = kWindowLastU;
    // One row from the centre column c: the right boundary, then the left one with the centre
    // moved to the middle of the row's span. False when the centre is off the face.
    auto followRow = [&](int& c, int y) {
        if (!onFace(c, y)) {
            return false;
        }
        for (int u = c + 1; u <= kWindowLastU; ++u) {
            if (!onFace(u, y)) {
                recorded.push_back({u - 1, y});
                right = u - 1;
                break;
            }
        }
        for (int u = c; u >= 0; --u) {
            if (!onFace(u, y)) {
                recorded.push_back({u + 1, y});
                c = static_cast<int>(platform::RoundHalfEven(((u + 1) + right) / 2.0));
                break;
            }
        }
        return true;
    };
    int c = start.x;
    for (int y = start.y + 1; y <= kWindowLastV && followRow(c, y); ++y) {
    }
    c = start.x;
    for (int y = start.y; y >= 0 && followRow(c, y); --y) {
    }
    edge.clear();
    for (const MaskPixel& p : recorded) {
        edge.set(p.x, p.y, kMaskTraced);
    }
    return recorded;
}

}  // namespace roofdetect
