#pragma once
// The roof region and its outline in the analysis window (see GreyLevels.h).
//
// Two byte masks over window positions x 0..500 (the window's u) and y 0..400 (its v; rows
// 391..400 lie beyond the window): the class mask, whose codes the later steps rewrite, and the
// band mask, the roof region widened by one pixel.
//
// MarkRoofEdge grows the region from the click through the pixels within 25 grey levels of the
// roof grey; ListRoofOutline marks the outline of the widened region and lists it.

#include "roofdetect/GreyLevels.h"

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <vector>

namespace roofdetect {

// A grey within this of the roof grey is roof: the band the roof region grows through, and what
// the wall search takes for roof.
inline constexpr int kRoofBand = 25;

// True when `grey` is roof grey: within kRoofBand of the roof grey `roofGray`. The one definition
// the roof region, the wall search and the wall edge share.
inline bool InRoofBand(int grey, int roofGray) { return std::abs(grey - roofGray) <= kRoofBand; }

inline constexpr int kMaskLastX = 500;
inline constexpr int kMaskLastY = 400;

// Codes of the class mask.
enum MaskCode : std::uint8_t {
    kMaskNothing = 0,
    kMaskRegion = 1,        // pixel of the roof region
    kMaskSpur = 2,          // outline pixel of a spur that a tracing pass stepped back out of
    kMaskOutline = 3,       // outline pixel, not yet traced
    kMaskTraced = 4,        // traced by the forward pass; also a wall boundary pixel
    kMaskTracedBack = 5,    // traced by the reverse pass; also a pixel taken into a wall edge
};

// A byte per position x 0..500, y 0..400. Reads outside give 0; writes outside are ignored.
class ByteMask {
public:
    ByteMask() : cells_(static_cast<std::size_t>(kWidth) * kHeight, 0) {}
    std::uint8_t at(int x, int y) const { return inside(x, y) ? cells_[index(x, y)] : 0; }
    void set(int x, int y, std::uint8_t code)
    {
        if (inside(x, y)) {
            cells_[index(x, y)] = code;
        }
    }
    void clear() { std::fill(cells_.begin(), cells_.end(), std::uint8_t{0}); }
    static bool inside(int x, int y) { return x >= 0 && x <= kMaskLastX && y >= 0 && y <= kMaskLastY; }

private:
    static constexpr int kWidth = kMaskLastX + 1;
    static constexpr int kHeight = kMaskLastY + 1;
    static std::size_t index(int x, int y) { return static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x); }
    std::vector<std::uint8_t> cells_;
};

// A whole-number position of the masks (window x = u, y = v).
struct MaskPixel {
    int x = 0;
    int y = 0;
    friend bool operator==(const MaskPixel&, const MaskPixel&) = default;
};

// The region box: the smallest and largest column of region pixels marked by the leftward and
// rightward row scans, the smallest and largest row of those marked by the downward and upward
// column scans, then widened to every region pixel. The start values (1000 and -1) stay where no
// such scan marked anything: a region one pixel high or wide has no box.
struct RegionBox {
    int minX = 1000;
    int maxX = -1;
    int minY = 1000;
    int maxY = -1;
};

// MarkRoofEdge: clears both masks and marks the region around the photo point (x0, y0) with
// kMaskRegion in `edge` and its widening in `band` (1 within the 3 x 3 neighbourhood of every
// region pixel inside the box). Four phases walk from the click right, left, up and down along a
// tracked row (or column) that re-centres on the middle of each crossed run; every pixel in level
// on the way is marked. Positions are rounded halves to even and clamped to columns 2..495 and
// rows 2..385, so a roof reaching past the window is cut there.
RegionBox MarkRoofEdge(const AnalysisWindow& window, int roofGray, double x0, double y0, ByteMask& edge, ByteMask& band);

// ListRoofOutline: marks kMaskOutline in `edge` where the band's runs begin, seen from all four
// sides inside the scan box (the region box widened by 2 to the right and upwards, limited to the
// window), and lists the marked pixels of the scan box in ascending x, ascending y within one x.
// Marks that fall just outside the scan box stay in the mask but are not listed. Empty when the
// box has no extent (a region one pixel high or wide).
std::vector<MaskPixel> ListRoofOutline(const RegionBox& box, const ByteMask& band, ByteMask& edge);

}  // namespace roofdetect
