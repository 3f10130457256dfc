#pragma once
// The roof half of the automatic roof detection: from a double-clicked photo point to the roof's
// outline, its corners and the closed polygon to store.
//
// The steps, each run once on whatever the one before left: the analysis window around the click,
// the roof grey (GreyLevels.h), the region and its outline list (EdgeMask.h), the traced outline
// (OutlineTrace.h), the corner table (PolygonFit.h) and the photo polygon (FoundRoof.h). Nothing is
// drawn and no model is changed; the caller stores the polygon and goes on with the wall search on
// the same detection (its window, roof grey, corners and class mask).
//
// SetFoundTopArea stores the polygon in the photo model as its new last roof.

#include "roofdetect/EdgeMask.h"
#include "roofdetect/FoundRoof.h"
#include "roofdetect/GreyLevels.h"
#include "roofdetect/OutlineTrace.h"
#include "roofdetect/PolygonFit.h"

#include <vector>

namespace roofdetect {

struct RoofDetection {
    AnalysisWindow window;            // offsets of the click (pAnaOffsetX, pAnaOffsetY)
    int roofGray = 0;                 // pRoofGray
    RegionBox region;                 // pRegionMinX .. pRegionMaxY
    ByteMask edgeMask;                // gEdgeMask as the roof steps leave it (codes 1, 3, 4, 5)
    ByteMask bandMask;                // gEdgeBandMask
    std::vector<MaskPixel> listed;    // outline pixels by ascending x (LineCheckGrid)
    std::vector<MaskPixel> outline;   // traced outline (LineDataGrid)
    std::vector<RoofCorner> corners;  // corner table (TopPointGrid)
    std::vector<PhotoPoint> polygon;  // closed roof in photo coordinates; empty: nothing to store
};

// Runs the roof steps for the photo point (x0, y0) of `picture`. The picture must outlive the
// result (the window reads through it).
RoofDetection DetectRoof(const GreyPicture& picture, double x0, double y0);

// SetFoundTopArea: appends the detection's polygon to the photo model as a new closed roof, the
// model's last (index gEachTopAreaNumber - 1), with height 0. Refused, changing nothing, with
// PhotoEdit::OutOfRange when the detection found no roof of three distinct corners, and with
// PhotoEdit::Full when the model has no room for it.
PhotoEdit SetFoundTopArea(const RoofDetection& detection);

}  // namespace roofdetect
