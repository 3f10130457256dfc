#pragma once
// Everything the main window draws on its site map apart from the result maps, their legends and
// the rubber bands of the editing tools: building outlines with height labels, the selected
// outline with its corner marks, the GPS record, the distance polyline, both area frames, the
// scale bar, the compass rose and the receiver position. All in the picture units of the map
// (y upwards, origin 50 units left of the centre).

#include <array>

class PictureSurface;

class SiteMapDrawing {
public:
    explicit SiteMapDrawing(PictureSurface& photoPic);

    // Clears the picture and draws all outlines and labels, the selected one (`index`)
    // highlighted with its corner marks; an index beyond the last top area becomes -1.
    void DrawBillTopAreas(int& index);
    void DrawGPSRecordLine();
    void DrawSelectBoxMarks(float maxX, float minX, float maxY, float minY);
    void RedrawSelectBoxMarks();
    void DrawObstacleAreaFrame();
    void DrawComuAreaFrame();
    void DrawScaleBar(int index);
    void DrawCompassMark();
    void DrawMeasureDistLine();
    // Marks the receiver position (east, north metres in the building model's frame).
    void ShowGPSPoint(double x1, double y1);

    // Points of the distance tool in view metres (turned back, minus the pan, over the scale).
    std::array<float, 101> pMeasurePointX{};
    std::array<float, 101> pMeasurePointY{};
    int pMeasurePointNum = 0;

private:
    PictureSurface& pic_;
    float pSelectBoxMaxX = 0, pSelectBoxMaxY = 0, pSelectBoxMinX = 0, pSelectBoxMinY = 0;
};
