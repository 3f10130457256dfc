#include "roofdetect/RoofDetector.h"

namespace roofdetect {

RoofDetection DetectRoof(const GreyPicture& picture, double x0, double y0)
{
    RoofDetection d;
    d.window = AnalysisWindow::AroundClick(picture, x0, y0);
    d.roofGray = GetRoofGrayLevel(d.window, x0, y0);
    d.region = MarkRoofEdge(d.window, d.roofGray, x0, y0, d.edgeMask, d.bandMask);
    d.listed = ListRoofOutline(d.region, d.bandMask, d.edgeMask);
    d.outline = TraceRoofOutline(d.listed, d.edgeMask);
    d.corners = FitRoofPolygon(d.outline);
    d.polygon = FoundRoofPolygon(d.corners, d.window);
    return d;
}

PhotoEdit SetFoundTopArea(const RoofDetection& detection)
{
    if (detection.polygon.empty()) {
        return PhotoEdit::OutOfRange;
    }
    return SetNewTopArea(detection.polygon);
}

}  // namespace roofdetect
