#include "roofdetect/EdgeMask.h"

#include "platform/NumberText.h"

#include <algorithm>

namespace roofdetect {

namespace {

int Round(double value) { return static_cast<int>(platform::RoundHalfEven(value)); }

// The region growing of MarkRoofEdge over one window. A walk steps along one axis from the click
// (columns: along u, scanning each column; rows: along v, scanning each row) and scans across from
// a tracked position: forwards (upwards, or rightwards) to the run's far end, then backwards to
// its near end, where the tracked position moves to the middle of the run.
class RegionGrower {
public:
    RegionGrower(const AnalysisWindow& window, int roofGray, ByteMask& edge)
        : window_(window), roofGray_(roofGray), edge_(edge)
    {
    }

    // Phases 1 and 3 (step +1, starting one past the click) and 2 and 4 (step -1, from the click).
    // `columns` walks along u (phases 1 and 2), otherwise along v (phases 3 and 4).
    void walk(double uc, double vc, int step, bool columns)
    {
        const double alongLast = columns ? kWindowLastU : kWindowLastV;
        const double acrossLast = columns ? kWindowLastV : kWindowLastU;
        double& farEnd = columns ? top_ : right_;
        int& farBox = columns ? box_.maxY : box_.maxX;
        int& nearBox = columns ? box_.minY : box_.minX;
        auto in = [&](double along, double across) { return columns ? inLevel(along, across) : inLevel(across, along); };
        auto mark = [&](double along, double across) {
            const MaskPixel at = columns ? markAt(along, across) : markAt(across, along);
            return columns ? at.y : at.x;
        };

        double track = columns ? vc : uc;
        const double start = columns ? uc : vc;
        for (double along = step > 0 ? start + 1 : start; along >= 0 && along <= alongLast; along += step) {
            if (!in(along, track)) {
                return;
            }
            for (double across = track + 1; across <= acrossLast; across += 1) {
                if (!in(along, across)) {
                    farEnd = across - 1;
                    break;
                }
                farBox = std::max(farBox, mark(along, across));
            }
            for (double across = track; across >= 0; across -= 1) {
                if (!in(along, across)) {
                    track = Round((farEnd + across + 1) / 2);
                    break;
                }
                nearBox = std::min(nearBox, mark(along, across));
            }
        }
    }

    void start(double uc, double vc)
    {
        top_ = vc;
        right_ = uc;
    }
    // The box the scans recorded, widened to every marked pixel: a column walk marks rows and a
    // row walk columns that the other scans never reach (the far wing of an L beyond the last
    // row the row walk crossed), and a region pixel outside the box would get no band and so no
    // outline, cutting the wing off. A region that the scans found one pixel high or wide keeps
    // its empty box.
    RegionBox box() const
    {
        if (box_.maxX < 0 || box_.maxY < 0) {
            return box_;
        }
        return {std::min(box_.minX, reach_.minX), std::max(box_.maxX, reach_.maxX), std::min(box_.minY, reach_.minY),
                std::max(box_.maxY, reach_.maxY)};
    }

private:
    bool inLevel(double u, double v) const
    {
        return InRoofBand(window_.GetGrayLevel(u, v), roofGray_);
    }

    MaskPixel markAt(double u, double v)
    {
        const MaskPixel at{std::clamp(Round(u), 2, 495), std::clamp(Round(v), 2, 385)};
        edge_.set(at.x, at.y, kMaskRegion);
        reach_.minX = std::min(reach_.minX, at.x);
        reach_.maxX = std::max(reach_.maxX, at.x);
        reach_.minY = std::min(reach_.minY, at.y);
        reach_.maxY = std::max(reach_.maxY, at.y);
        return at;
    }

    const AnalysisWindow& window_;
    int roofGray_;
    ByteMask& edge_;
    RegionBox box_;
    RegionBox reach_;  // every marked pixel
    double top_ = 0;    // upper end of the last column run, carried across phases 1 and 2
    double right_ = 0;  // right end of the last row run, carried across phases 3 and 4
};

}  // namespace

RegionBox MarkRoofEdge(const AnalysisWindow& window, int roofGray, double x0, double y0, ByteMask& edge, ByteMask& band)
{
    edge.clear();
    band.clear();
    const double uc = window.toU(x0);
    const double vc = window.toV(y0);
    RegionGrower grower(window, roofGray, edge);
    grower.start(uc, vc);
    grower.walk(uc, vc, +1, true);
    grower.walk(uc, vc, -1, true);
    grower.walk(uc, vc, +1, false);
    grower.walk(uc, vc, -1, false);

    const RegionBox box = grower.box();
    for (int x = box.minX; x <= box.maxX; ++x) {
        for (int y = box.minY; y <= box.maxY; ++y) {
            if (edge.at(x, y) != kMaskRegion) {
                continue;
            }
            for (int dx = -1; dx <= 1; ++dx) {
                for (int dy = -1; dy <= 1; ++dy) {
                    band.set(x + dx, y + dy, 1);
                }
            }
        }
    }
    return box;
}

std::vector<MaskPixel> ListRoofOutline(const RegionBox& box, const ByteMask& band, ByteMask& edge)
{
    const int x0 = std::max(box.minX, 0);
    const int x1 = std::min(box.maxX + 2, kWindowLastU);
    const int y0 = std::max(box.minY, 0);
    const int y1 = std::min(box.maxY + 2, kWindowLastV);

    // Each run of the band marks, from each of the four sides, the first region pixel inside its
    // outer end: the region's boundary seen from that side. Where the region runs straight, that is
    // the band pixel one step inside the run's end (or the run's first pixel at the scan box's near
    // sides, which have no margin); along a slanted edge the band's end comes from a diagonal
    // neighbour and the pixel one step inside lies outside the region, so the walk goes on to the
    // region: marking there instead would give the edge a second, outer strand of outline.
    auto markRun = [&](int x, int y, int dx, int dy) {
        for (; band.at(x, y) != 0 && x >= x0 && x <= x1 && y >= y0 && y <= y1; x += dx, y += dy) {
            if (edge.at(x, y) == kMaskRegion || edge.at(x, y) == kMaskOutline) {
                edge.set(x, y, kMaskOutline);
                return;
            }
        }
    };
    for (int x = x0; x <= x1; ++x) {
        bool previous = false;
        for (int y = y0; y <= y1; ++y) {
            const bool here = band.at(x, y) != 0;
            if (here && !previous) {
                markRun(x, y, 0, +1);
            }
            previous = here;
        }
        previous = false;
        for (int y = y1; y >= y0; --y) {
            const bool here = band.at(x, y) != 0;
            if (here && !previous) {
                markRun(x, y, 0, -1);
            }
            previous = here;
        }
    }
    for (int y = y0; y <= y1; ++y) {
        bool previous = false;
        for (int x = x0; x <= x1; ++x) {
            const bool here = band.at(x, y) != 0;
            if (here && !previous) {
                markRun(x, y, +1, 0);
            }
            previous = here;
        }
        previous = false;
        for (int x = x1; x >= x0; --x) {
            const bool here = band.at(x, y) != 0;
            if (here && !previous) {
                markRun(x, y, -1, 0);
            }
            previous = here;
        }
    }

    // Listed column by column, each column upwards: already in the ascending order of x that the
    // tracer starts from, equal x keeping ascending y.
    std::vector<MaskPixel> outline;
    for (int x = x0; x <= x1; ++x) {
        for (int y = y0; y <= y1; ++y) {
            if (edge.at(x, y) == kMaskOutline) {
                outline.push_back({x, y});
            }
        }
    }
    return outline;
}

}  // namespace roofdetect
