#pragma once
// Fitting a polygon of a few corners to the traced outline (OutlineTrace.h).
//
// The outline's extreme points (first greatest x, greatest y, smallest x, smallest y, and the
// last point) are the first corners. Then the chord whose farthest outline point lies farthest
// from it is split at that point, over and over, while a point lies more than 2 pixels off its
// chord and the polygon has fewer than 17 corners: a rectangle keeps its four corners and an L
// shape its six, its inner corner too, and an outline with spikes (a tree, roof fittings, a
// rounded corner) gives its 17 most telling corners. Then the corners a straight side does not
// need are cleaned up, the cheapest first, never leaving an outline point farther than the split
// distance from its side: an inner corner whose neighbours' chord passes that close to the outline
// between them is dropped, and the two ends of a corner that mixed pixels cut off become one.
// A corner closer than 5 pixels to the previous kept corner is merged.

#include "roofdetect/EdgeMask.h"

#include <vector>

namespace roofdetect {

inline constexpr double kSplitDistance = 2.0;  // a chord splits beyond this (pixels)
inline constexpr double kMergeDistance = 5.0;  // a corner nearer than this to the last kept one merges
inline constexpr int kMaxRoofCorners = 17;      // the splits stop at this many corners
inline constexpr double kNearCorner = 6.0;     // two corners nearer than this may be the ends of a cut-off corner

// The farthest outline point of a chord search: its outline index, or -1 when no point lies off
// the chord, and its distance in pixels.
struct ChordFarthest {
    int index = -1;
    double distance = 0.0;
};

// Distance searches over the outline points a .. b - 1 (indices into `outline`, clipped to it);
// each keeps the first point whose distance is strictly greater than every earlier one.
// GetMaxLineDistance: perpendicular distance from the line through (ua, va) with direction
// (du, dv) (not both 0). GetMaxXDistance: |x - ref|. GetMaxYDistance: |y - ref|.
ChordFarthest GetMaxLineDistance(const std::vector<MaskPixel>& outline, int a, int b, double ua, double va, double du, double dv);
ChordFarthest GetMaxXDistance(const std::vector<MaskPixel>& outline, int a, int b, double ref);
ChordFarthest GetMaxYDistance(const std::vector<MaskPixel>& outline, int a, int b, double ref);

// One row of the corner table, in outline order.
struct RoofCorner {
    int index = 0;        // outline index of the corner
    int u = 0;            // window position of the corner's point: the outline point at `index`,
    int v = 0;            // for the last corner the point just before it
    bool merged = false;  // closer than 5 to the previous kept corner: left out of the roof
};

// FitRoofPolygon: the corner table of an outline in tracing order. The first row is never
// merged. Empty for an empty outline. The last corner is always the outline's last point, so the
// table's last row lies on the outline's second-to-last point (on its only point when it has one).
std::vector<RoofCorner> FitRoofPolygon(const std::vector<MaskPixel>& outline);

}  // namespace roofdetect
