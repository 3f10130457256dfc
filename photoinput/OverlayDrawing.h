#pragma once
// The overlay of the oblique view drawn on a canvas in photo coordinates (picture units, origin at
// the picture centre, y up): the view title, every roof outline and wall edge of the photo model,
// and for the selected roof a highlight with its vertices, its wall edges and four handle boxes
// on their bounding box. The caller clears the canvas to its picture first (the picture stays
// under the overlay) and keeps the pen width (2).
//
// Colours: title RGB(128,128,128) bold 16 pt, roofs RGB(255,0,200) and walls RGB(0,150,255) with
// the copy pen; the highlighted roof RGB(0,255,200) with a circle of radius 2 on each vertex, the
// selected roof's wall edges RGB(255,100,0) with a circle on each end, both with the
// exclusive-or pen; handle boxes 10 x 10 filled white in the canvas's current pen.

#include <QColor>
#include <QPointF>
#include <QString>
#include <optional>

#include "platform/PictureCanvas.h"

inline const QColor kTitleColor(128, 128, 128);
inline const QColor kRoofLineColor(255, 0, 200);
inline const QColor kWallLineColor(0, 150, 255);
inline const QColor kHighlightColor(0, 255, 200);
inline const QColor kSelectedWallColor(255, 100, 0);
inline const QColor kHandleColor(255, 255, 255);
// Drawn by the tracing tools with the exclusive-or pen: the mark of a roof-line press, the roof
// line's rubber line, and the wall line's start mark and rubber line.
inline const QColor kTraceMarkColor(0, 200, 60);
inline const QColor kTraceRubberColor(0, 130, 40);
inline const QColor kWallRubberColor(40, 140, 0);

// Corners of the bounding box the handle boxes sit on.
struct HandleBox {
    double maxX = 0.0;
    double maxY = 0.0;
    double minX = 0.0;
    double minY = 0.0;
    bool operator==(const HandleBox&) const = default;
};

// Four filled 10 x 10 boxes centred on the corners of `box`, in the canvas's current pen (with
// the exclusive-or pen, drawing them twice removes them).
void DrawAreaHandle(PictureCanvas& canvas, const HandleBox& box);

// A view title ("傾斜図表示", "平面図表示") in bold 16 pt grey with its top-left corner at
// (250, 300), copy pen.
void DrawViewTitle(PictureCanvas& canvas, const QString& title);

// The whole overlay (ShowPhotoLine): title, every roof but `active`, every wall edge not owned by
// `selectedRoof`; when active >= 0 the highlighted roof, the wall edges of `selectedRoof` when
// wallSwitch >= 0, and the handle boxes. Leaves the canvas in the exclusive-or pen when something
// was highlighted (the box drawn is returned), in the copy pen otherwise.
std::optional<HandleBox> DrawPhotoOverlay(PictureCanvas& canvas, int active, int wallSwitch, int selectedRoof);

// Title, every roof and every wall edge in the copy pen, nothing highlighted (ShowPhotoLineOnly).
void DrawPhotoOverlayOnly(PictureCanvas& canvas);
