#pragma once
// The building input's editing on its picture: the tool in use, the selected roof, the roof
// outline being traced, the wall line being drawn and the vertex being dragged, and the mouse
// operations on them. Oblique view: the roof line traces an outline point by point and closes it
// near its first point, the wall line runs from a vertex of the selected roof down to the wall's
// foot and shows the building's height, the move tool drags a vertex (with the wall tops on it) or
// a wall foot, add and delete work on the double-click, and the automatic roof runs on its
// double-click. Plan view: select, zoom and drag plan vertices. Every tool works on the tip of its
// pointer (PhotoTools.h); a double-click arrives as press, release, double-click, release and
// never acts as a second press.
//
// The editor draws its marks and rubber lines on the picture surface and leaves everything else
// to its host (the building input window): which view is shown, the redraws, the change flag,
// the roof commands that follow the selection and the messages.

#include <QPointF>
#include <QString>
#include <array>
#include <vector>

#include "photoinput/PhotoModel.h"
#include "planview/PlanView.h"

class PictureSurface;

// What the editor asks of the window it works in.
class PictureEditorHost {
public:
    virtual bool planShown() const = 0;  // the plan view is on (else the oblique view)
    virtual PlanFrame planFrame() const = 0;
    // The oblique picture drawn again with its overlay, roof `active` highlighted (-1 none).
    virtual void ShowPhotoLine(int active, int wallSwitch) = 0;
    // The plan drawn again at its scale (RedrawPlan) or refitted first (ShowFlatLineMap).
    virtual void RedrawPlan(int roof) = 0;
    virtual void ShowFlatLineMap(int roof) = 0;
    virtual void MarkEdited() = 0;  // the model holds an edit not saved
    // Roof `roof` (-1 none) is selected: the roof commands of the view shown follow.
    virtual void RoofSelected(int roof) = 0;
    // The wall edge from top y to foot y measured with the window's altitudes.
    virtual void ShowWallHeight(double topY, double footY) = 0;
    virtual void ShowEditMessage(const QString& message) = 0;
    virtual void PopUpEditMenu(QPointF at) = 0;  // at: picture units
    virtual void DetectRoofAtClick() = 0;        // the automatic roof at the working point

protected:
    ~PictureEditorHost() = default;
};

class PictureEditor {
public:
    // Vertex drag: nothing picked, dragging, or released after a drag.
    enum class Drag { None, Dragging, Released };

    PictureEditor(PictureSurface& surface, PictureEditorHost& host);

    int tool() const { return tool_; }  // the editing tool 0..7 (PhotoTools.h)
    // Puts tool `tool` in use as it is (the window checks the view and the altitudes first).
    void setTool(int tool) { tool_ = tool; }
    int selectedRoof() const { return selectedRoof_; }  // -1 none
    void setSelectedRoof(int roof) { selectedRoof_ = roof; }
    // The working point of the last left press (the pointer's tip, snapped where the tool
    // snaps), in the picture's user units; the double-click works on it.
    QPointF workingPoint() const { return down_; }
    QPointF rubberLineEnd() const { return last_; }  // far end of the rubber line drawn last
    int tracedPointCount() const { return tracedCount_; }  // 0: no outline under way
    bool wallLineStarted() const { return wallStarted_; }  // the wall tool took its roof vertex
    Drag vertexDrag() const { return drag_; }

    // Mouse on the picture, in its user units (photo coordinates or plan canvas).
    void MouseDown(Qt::MouseButton button, QPointF at);
    void MouseMove(QPointF at);
    void MouseUp(Qt::MouseButton button, QPointF at);
    void DblClick(Qt::MouseButton button);

    // Drops an outline or wall line under way; redraws when one was on the oblique picture.
    void DropStrokes();
    // Forgets the strokes and the drag without drawing (a new view or a new model).
    void ResetStrokes();
    void EndDrag();
    // The drawings were cleared: a rubber line under way is drawn afresh from its anchor at the
    // next move.
    void ForgetRubberLine();

private:
    void PhotoViewPress(QPointF at);
    void PlanViewPress(Qt::MouseButton button, QPointF at);
    void PhotoViewDblClick();
    void RoofLinePress(QPointF tip);
    void WallLinePress(QPointF tip);
    void MovePress(QPointF tip);
    void MoveRelease();
    // End of a vertex drag in the plan: the move goes into the picture, or back with a message.
    void PlanMoveRelease();
    void AddPointDblClick();
    void DeleteDblClick();
    // Selects the roof under the working point (-1 none), with the overlay and the roof commands.
    void SelectRoofAt();
    void DeselectRoof();
    // Redraws the oblique overlay with the selected roof (if any) highlighted with its walls.
    void RedrawOverlay();
    // The wall line's start mark on roof point `row`, and its rubber line moved to `to`.
    void MarkWallStartPoint(int row);
    void DrawWallRubberLine(QPointF to);
    // Shows a refused edit's message; true when it was done.
    bool EditDone(PhotoEdit result);

    PictureSurface& surface_;
    PictureEditorHost& host_;
    int tool_ = 0;
    int selectedRoof_ = -1;
    QPointF down_;
    QPointF last_;
    std::array<PhotoPoint, kMaxTracePoints> traced_{};  // the roof outline being traced
    int tracedCount_ = 0;
    bool wallStarted_ = false;
    QPointF wallStart_;  // the wall's top end: the roof vertex the wall tool took
    Drag drag_ = Drag::None;
    int dragPoint_ = -1;             // the dragged vertex (point row, photo or plan), -1 none
    PhotoPoint dragPlanStart_;       // plan view: where the dragged vertex stood at the press (metres)
    std::vector<int> dragTopWalls_;  // wall edges whose top end follows the dragged vertex
    int dragFootWall_ = -1;          // wall edge whose foot is dragged, -1 none
};
