#include "SiteMapDrawing.h"

#include "platform/PictureSurface.h"

SiteMapDrawing::SiteMapDrawing(PictureSurface& photoPic) : pic_(photoPic) {}

// TODO(mapview): drawing bodies land with the site map drawing.
void SiteMapDrawing::DrawBillTopAreas(int& index) { (void)index; pic_.clear(); }
void SiteMapDrawing::DrawGPSRecordLine() {}
void SiteMapDrawing::DrawSelectBoxMarks(float maxX, float minX, float maxY, float minY)
{
    pSelectBoxMaxX = maxX, pSelectBoxMinX = minX, pSelectBoxMaxY = maxY, pSelectBoxMinY = minY;
}
void SiteMapDrawing::RedrawSelectBoxMarks() {}
void SiteMapDrawing::DrawObstacleAreaFrame() {}
void SiteMapDrawing::DrawComuAreaFrame() {}
void SiteMapDrawing::DrawScaleBar(int) {}
void SiteMapDrawing::DrawCompassMark() {}
void SiteMapDrawing::DrawMeasureDistLine() {}
void SiteMapDrawing::ShowGPSPoint(double, double) {}
