#pragma once
// Everything the main window draws on its site map apart from the result maps, their legends and
// the rubber bands of the editing tools: building outlines with height labels, the selected
// outline with its corner marks, the GPS record, the distance polyline, both area frames, the
// scale bar, the compass rose and the receiver position. All in the picture units of the map
// (y upwards, origin 50 units left of the centre).

#include <array>

#include <QColor>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QWidget>

class PictureSurface;

// Caption of the calibration panel for gFixDataSTS: "GPS未設定データ" for 0 (local metres),
// "GPS設定データ" for 1 (plane rectangular coordinates), empty for any other value (the panel is
// then left as it is).
QString FixDataStatusCaption(int fixDataSTS);

// Height label of a building: whole metres followed by "m" ("10m").
QString HeightLabelText(float metres);

class SiteMapDrawing {
public:
    explicit SiteMapDrawing(PictureSurface& photoPic);

    // The receiver mark (GPSPoinrImg) that ShowGPSPoint moves and shows; a child of the picture
    // (or of one of its ancestors). May be left unset.
    void SetGPSPointImage(QWidget* image);

    // The whole site map in its fixed order: buildings (index highlighted, as DrawBillTopAreas),
    // GPS record, both frames, the scale bar of gMapScaleIndex and the compass rose.
    void DrawFullSiteMap(int& index);
    // The map of a cleared site: clears the picture, then both frames, the scale bar of
    // gMapScaleIndex and the compass rose.
    void DrawEmptySiteMap();

    // Clears the picture and draws all outlines and labels, the selected one (`index`)
    // highlighted in XOR with its corner marks; an index beyond the last top area becomes -1.
    // Leaves the picture in copy mode with pen width 2.
    void DrawBillTopAreas(int& index);
    // The loaded GPS record: dots of radius 2 joined by lines, in the current width and mode.
    void DrawGPSRecordLine();
    // Four filled white 10 x 10 marks centred on the box corners, in the current mode (XOR
    // shows them inverted); the box is remembered for RedrawSelectBoxMarks.
    void DrawSelectBoxMarks(float maxX, float minX, float maxY, float minY);
    // The remembered marks again: in XOR mode one call erases them, the next brings them back.
    void RedrawSelectBoxMarks();
    void DrawObstacleAreaFrame();
    void DrawComuAreaFrame();
    // Scale bar of zoom step `index` at the scale in use; a step outside 0..40 draws nothing.
    void DrawScaleBar(int index);
    // Compass rose at (-300, 200) turned with the map, with "N" and "E".
    void DrawCompassMark();
    // The distance tool's polyline (nothing with fewer than two points).
    void DrawMeasureDistLine();
    // Marks the receiver position (east, north metres in the building model's frame) with a dot
    // and moves the receiver mark there. Positions drawn more than 500 picture units from the
    // origin on either axis are left out (false).
    bool ShowGPSPoint(double x1, double y1);
    // Shows the receiver mark where ShowGPSPoint last put it; nothing before it first did.
    void ShowGPSPointMark();

    // Points of the distance tool in view metres (turned back, minus the pan, over the scale).
    std::array<float, 101> pMeasurePointX{};
    std::array<float, 101> pMeasurePointY{};
    int pMeasurePointNum = 0;

private:
    struct SelectBox {
        double maxX, minX, maxY, minY;
    };
    // One outline with its height label; the selected one gets dots at its points and widens
    // `box` with every point.
    void DrawTopArea(int area, bool selected, SelectBox* box);
    void DrawMarksAt(float maxX, float minX, float maxY, float minY);
    void DrawCaptionedFrame(QPointF corner1, QPointF corner2, const QColor& frameColor,
                            const QString& caption, QPointF captionAt, const QColor& captionColor);

    PictureSurface& pic_;
    QPointer<QWidget> gpsPointImg_;
    bool gpsPointPlaced_ = false;  // ShowGPSPoint has put the mark on the map at least once
    float pSelectBoxMaxX = 0, pSelectBoxMaxY = 0, pSelectBoxMinX = 0, pSelectBoxMinY = 0;
};
