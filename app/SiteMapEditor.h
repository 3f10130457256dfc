#pragma once
// The site map's building editing: the tool palette with its pointers and its pop-up, the mouse
// handlers of the map (rubber bands, presses, drags, double-clicks, pop-ups, pointer read-out),
// the distance tool and the building delete and height commands, with the selected building.
// Owned by the main window, which gives it what it draws on and whom it tells (SiteMapEditorHost.h);
// the window's handlers of the same names forward here.

#include <QPointF>
#include <QPointer>
#include <Qt>

#include <array>
#include <vector>

#include "SiteMapEditorHost.h"
#include "site/TopAreaModel.h"

class QAction;
class SetBuildingHeightFrm;

class SiteMapEditor {
public:
    SiteMapEditor(SiteMapEditorHost& host, const SiteMapEditorControls& controls);
    SiteMapEditor(const SiteMapEditor&) = delete;
    SiteMapEditor& operator=(const SiteMapEditor&) = delete;

    // Connects the map's mouse events, the tool pop-up's items and the building commands.
    void Connect();

    // The tool palette's handler: every change of a toggle, with its index and new state.
    void ClickPicRbn_Click(int index, bool pressed);
    // Releases every tool of the palette.
    void ReleaseAllTools();
    void PhotoPic_MouseDown(Qt::MouseButton button, QPointF at);
    void PhotoPic_MouseMove(Qt::MouseButtons buttons, QPointF at);
    void PhotoPic_MouseUp(Qt::MouseButton button, QPointF at);
    void PhotoPic_DblClick(Qt::MouseButton button);
    void DeleteBuildingMenu_Click();
    void SetBuildingHeightMenu_Click();
    void StopLineDrawMenu_Click();
    void EnsMeasureSistMenu_Click();
    // Closes the open height dialog without storing. Whatever removes or replaces buildings calls
    // it, as the dialog's building index would then name another building.
    void CloseHeightDialog();
    // Draws the outline being drawn again after a full redraw, in the view now in use.
    void RedrawDrawnTopLine();

    // The selected building, -1 none (an index beyond the last also selects none).
    int activeBuilding() const { return pActiveBuildingNum; }
    void setActiveBuilding(int index) { pActiveBuildingNum = index; }

    // The tool state, read-only outside the editor: the tool of the site map 0..6 (-1 none), the
    // picture-click hint (-1 while the map carries one), the points of the outline being drawn
    // and the move tool's state (1 dragging a vertex, -1 after its release, 0 no vertex picked).
    int editMode() const { return pEditMode; }
    int photoTipState() const { return pPhotoTipSTS; }
    int topLinePointCount() const { return pTopLinePointNum; }
    int moveState() const { return pMoveSTS; }
    // The last press on the site map set to the picture's origin (what the demonstration does
    // after each of its commands).
    void ForgetLastPress();

private:
    // Tool state.
    int pEditMode = -1;           // tool of the site map 0..6, -1 none
    int pPhotoTipSTS = 0;         // -1 while the map carries a picture-click hint
    // Press points and drawing state of the tools, picture units: the rectangle's first corner
    // (also the distance tool's last click), the last press after the tool's tip shift (the
    // double-click gestures act on it) and the rubber line's moving end.
    double pStartPointX = 0.0;
    float pStartPointY = 0.0f;
    double pLastPointX = 0.0;
    float pLastPointY = 0.0f;
    float pLineEndX = 0.0f;
    float pLineEndY = 0.0f;
    // The rooftop outline being drawn, in site metres (so a zoom, pan or turn between clicks
    // leaves it where it was drawn); as many points as the model can take.
    std::array<float, kMaxTopPoints> pTopLineX{};
    std::array<float, kMaxTopPoints> pTopLineY{};
    int pTopLinePointNum = 0;
    int pMoveSTS = 0;         // move tool: 1 dragging a vertex, -1 after its release, 0 no vertex picked
    int pMovePointNum = -1;   // the vertex being moved, -1 none

    void SelectToolFromMenu(QAction* item, int tool);
    void CheckOnlyToolMenuItem(QAction* item);
    void TopLinePress(QPointF tip);
    void MeasureDistPress(QPointF at);
    // The vertex drag: the picked vertex follows the pointer, drawn in XOR over the selection.
    void MoveTopPoint(QPointF to);
    void SelectBuildingAt(QPointF at, bool enableDeleteOnHit, bool disableDeleteOnMiss);
    void InsertTopPointAt(QPointF at);
    void RemoveTopPointAt(QPointF at);
    std::vector<TopAreaPoint> DrawnTopLine() const;
    void ShowModelFullMessage();

    PictureSurface& Pic() { return host_.editorPicture(); }
    QWidget& Window() { return host_.editorWindow(); }

    SiteMapEditorHost& host_;
    const SiteMapEditorControls c_;
    int pActiveBuildingNum = -1;  // selected top area, -1 none
    bool pressServedRequest_ = false;  // the last left press went to a picture-click request
    QPointer<SetBuildingHeightFrm> heightFrm_;
    // Rooftop outline: the rubber line's fixed end, the outline's last point as drawn in the
    // view now in use (picture units); kept apart from the last press of the tool in use.
    QPointF topLineAnchor_;
};
