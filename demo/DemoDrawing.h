#pragma once
// What the building-input demonstration shows on its photo picture: the roofs traced point by
// point with a pen (demonstration 1), the wall edges drawn from the roof down to the ground
// (demonstration 1), the automatic detection of one roof after another (demonstration 2), the
// slope view of all lines on the emptied picture and the plan view with the building heights.
// The step engine calls one procedure per tick; each does one visible step and returns.
//
// Everything is drawn in the photo picture's units: one unit per pixel, origin at the picture
// centre, y upwards. The plan view draws plan metres times the data set's plan scale (4 units
// per metre) from the same origin. Titles stand at (250, 320) (top-left corner), the scale bar
// at (-340, -310) and the north mark at (-330, 280), inside a picture of 785 x 678 or more.
// A procedure that reads past the data set (a point, wall edge or roof that is not there)
// draws and moves nothing.

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QString>

#include <array>
#include <vector>

#include "demo/DemoStepEngine.h"
#include "photoinput/LineDataFile.h"

class PictureCanvas;

// Where the demonstration draws: the photo picture with its pens. A window draws on its picture
// box and moves its pen pictures; a test records the calls.
class DemoSurface {
public:
    virtual ~DemoSurface() = default;
    // Wipes what was drawn; the photo stays.
    virtual void clearDrawing() = 0;
    // Removes the photo and what was drawn: a blank picture.
    virtual void emptyPicture() = 0;
    virtual void line(QPointF from, QPointF to, const QColor& color) = 0;
    // Bold text of `pointSize` points with its top-left corner at `topLeft`.
    virtual void text(QPointF topLeft, const QString& text, const QColor& color, int pointSize) = 0;
    // Puts the pen's top-left corner at `at`, or shows or hides it.
    virtual void putPen(DemoPen pen, QPointF at) = 0;
    virtual void showPen(DemoPen pen, bool shown) = 0;
};

// A DemoSurface on a picture canvas holding a photo. The pens are only remembered here; a
// window moves its pen pictures by overriding putPen and showPen.
class DemoCanvasSurface : public DemoSurface {
public:
    explicit DemoCanvasSurface(PictureCanvas& canvas) : canvas_(canvas) {}

    // The photo under the drawing (a null image: none); the canvas is cleared and shows it.
    void setPhoto(const QImage& photo);
    bool hasPhoto() const { return !photo_.isNull(); }

    void clearDrawing() override;
    void emptyPicture() override;
    void line(QPointF from, QPointF to, const QColor& color) override;
    void text(QPointF topLeft, const QString& text, const QColor& color, int pointSize) override;
    void putPen(DemoPen pen, QPointF at) override { penAt_[static_cast<int>(pen)] = at; }
    void showPen(DemoPen pen, bool shown) override { penShown_[static_cast<int>(pen)] = shown; }

    QPointF penAt(DemoPen pen) const { return penAt_[static_cast<int>(pen)]; }
    bool penShown(DemoPen pen) const { return penShown_[static_cast<int>(pen)]; }

private:
    PictureCanvas& canvas_;
    QImage photo_;
    std::array<QPointF, kDemoPens> penAt_{};
    std::array<bool, kDemoPens> penShown_{};
};

// Colours of the demonstration's drawing.
inline const QColor kDemoRoofColor{255, 0, 200};
inline const QColor kDemoWallColor{0, 150, 255};
inline const QColor kDemoTitleColor{128, 128, 128};  // view titles and height labels
inline const QColor kDemoScaleBarColor{0, 0, 200};
inline const QColor kDemoScaleTextColor{0, 0, 192};
inline const QColor kDemoNorthColor{0, 176, 0};

// The window's own building model: a demonstration data set and how many of its roofs show.
struct DemoBillData {
    LineData data;                        // photo points, plan points (metres), roofs, wall edges
    std::vector<PhotoPoint> clickPoints;  // demonstration 2: the double-click point of each roof
    float pFlatMapRate = 0.0f;            // plan drawing scale, units per metre
    int pEachTopAreaNumber = 0;           // roofs in use (demonstration 2 counts them up)
};

// Data set 1 or 2 as the window loads it (all its roofs in use).
DemoBillData LoadDemoBillData(int which);

// Puts the window's buildings into the site's building model: the plan points as north-up
// points (the data sets' north is picture-up, so no turn), the runs and the heights. Wall edges
// and the calibration state are not touched. Nothing happens when no roof is in use.
void PutDemoBillData(const DemoBillData& bills);

// The drawing procedures with the animation state they keep between ticks.
class DemoDrawing {
public:
    explicit DemoDrawing(DemoSurface& surface) : surface_(surface) {}

    DemoBillData& bills() { return bills_; }
    const DemoBillData& bills() const { return bills_; }

    // Clears the drawing (the photo stays) and writes the slope-view title "傾斜図表示".
    void ShowSlopeTitle();
    // One roof point k: the first point of a roof only places the pen; each later one draws the
    // line from the pen to it, and a point less than 5 units from the roof's first point closes
    // the roof (the next point starts a new one).
    void DrawDemoTopLine(int k);
    // Half a wall edge: the pen to the edge's upper end, or the edge drawn down to its foot.
    void DrawDemoWallLine();
    // One fifth of the simulated detection of the next roof: pointer shown at the click point,
    // -, busy mark, -, the slope view with roofs 0 .. r and their wall edges. `k` is not read.
    void DrawDemoFoundTopArea(int k);
    // Empties the picture and draws every roof and wall edge on it.
    void ClearPhotoShowSlope();
    // The plan view: every roof at the plan scale with its height label, the 50 m scale bar and
    // the north mark. `index` is not read; no roof is highlighted.
    void ShowFlatLineMap(int index);

    // Animation state; the step engine's Reset actions start each animation over.
    void ResetTopLine() { pTopLineSTS = 0; }
    void ResetWallLine()
    {
        pWallEdgeIndex = 0;
        pWallLineSTS = 0;
    }
    void ResetFoundTopArea()
    {
        pFoundStep = 0;
        pFoundTopArea = 0;
    }

    int pTopLineSTS = 0;     // 0: the next point starts a roof; 1: a roof is open
    QPointF pTopLineStart;   // first point of the open roof
    QPointF pPen;            // the last roof point drawn, or the upper end of the wall edge drawn
    int pWallEdgeIndex = 0;  // wall edge drawn next
    int pWallLineSTS = 0;    // 0: the pen goes to the upper end next; 1: the edge is drawn next
    int pFoundStep = 0;      // 0..4 within one roof's detection
    int pFoundTopArea = 0;   // roof whose detection is shown

private:
    void Title(const QString& title);
    void ShowDemoPhotoLine(bool onlyWallsOfShownRoofs);
    void DrawDemoFlatLineMap();
    void DrawDemoScaleBar();
    void DrawDemoNorthMark();

    DemoSurface& surface_;
    DemoBillData bills_;
};
