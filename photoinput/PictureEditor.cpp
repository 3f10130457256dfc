#include "PictureEditor.h"

#include "photoinput/OutlineHitTest.h"
#include "photoinput/OverlayDrawing.h"
#include "photoinput/PhotoPicking.h"
#include "photoinput/PhotoTools.h"
#include "planview/PlanConversion.h"
#include "planview/PlanDrawing.h"
#include "platform/PictureSurface.h"
#include "site/TopAreaModel.h"

namespace {

QPointF TipOf(int tool, QPointF at)
{
    if (tool < 0 || tool > 7) return at;
    return at + QPointF(kPhotoToolCursors[tool].shiftX, kPhotoToolCursors[tool].shiftY);
}

PhotoPoint ToPhoto(QPointF p) { return {static_cast<float>(p.x()), static_cast<float>(p.y())}; }

}  // namespace

PictureEditor::PictureEditor(PictureSurface& surface, PictureEditorHost& host) : surface_(surface), host_(host) {}

void PictureEditor::MouseDown(Qt::MouseButton button, QPointF at)
{
    if (host_.planShown()) {
        PlanViewPress(button, at);
        return;
    }
    if (button == Qt::LeftButton) PhotoViewPress(at);
}

void PictureEditor::PhotoViewPress(QPointF at)
{
    const QPointF tip = TipOf(tool_, at);
    switch (tool_) {
    case kZoomTool:
        return;
    case kRoofLineTool:
        RoofLinePress(tip);
        return;
    case kWallLineTool:
        WallLinePress(tip);
        return;
    case kMoveTool:
        MovePress(tip);
        return;
    case kAutoRoofTool:
        break;
    default:
        surface_.setDrawWidth(2);
        break;
    }
    down_ = tip;
}

void PictureEditor::RoofLinePress(QPointF tip)
{
    surface_.setDrawWidth(2);
    surface_.setDrawMode(PictureCanvas::DrawMode::Xor);
    surface_.circle(tip, 2.0, kTraceMarkColor);
    down_ = last_ = tip;
    const std::span<const PhotoPoint> traced(traced_.data(), static_cast<std::size_t>(tracedCount_));
    if (CheckCloseTopLine(traced, tip.x(), tip.y())) {
        traced_[static_cast<std::size_t>(tracedCount_)] = traced_[0];
        const PhotoEdit stored = SetNewTopArea(std::span<const PhotoPoint>(traced_.data(), traced.size() + 1));
        tracedCount_ = 0;
        RedrawOverlay();
        if (EditDone(stored)) host_.MarkEdited();
        return;
    }
    // Room for this point and the closing copy, in the outline and in the model.
    const bool full = tracedCount_ + 2 > kMaxTracePoints || gTopAreaPointTotalNumber + tracedCount_ + 2 > kMaxTopPoints ||
                      gEachTopAreaNumber >= kMaxTopAreas;
    if (full) {
        surface_.circle(tip, 2.0, kTraceMarkColor);  // the mark goes again: the point is not taken
        EditDone(PhotoEdit::Full);
        return;
    }
    traced_[static_cast<std::size_t>(tracedCount_)] = ToPhoto(tip);
    ++tracedCount_;
}

void PictureEditor::MarkWallStartPoint(int row)
{
    surface_.circle(QPointF(gTopAreaX[row], gTopAreaY[row]), 2.0, kWallRubberColor);
}

void PictureEditor::DrawWallRubberLine(QPointF to)
{
    surface_.setDrawMode(PictureCanvas::DrawMode::Xor);
    if (last_ != wallStart_) surface_.line(wallStart_, last_, kWallRubberColor);
    if (to != wallStart_) surface_.line(wallStart_, to, kWallRubberColor);
    last_ = to;
}

void PictureEditor::WallLinePress(QPointF tip)
{
    surface_.setDrawWidth(2);
    QPointF p = tip;
    if (selectedRoof_ > -1) {
        const int k = FindTopAreaPoint(selectedRoof_, tip.x(), tip.y());
        if (k >= 0 && !wallStarted_) {
            p = QPointF(gTopAreaX[k], gTopAreaY[k]);
            wallStart_ = last_ = p;
            surface_.setDrawMode(PictureCanvas::DrawMode::Xor);
            MarkWallStartPoint(k);
            wallStarted_ = true;
        } else if (k < 0 && wallStarted_) {
            const PhotoEdit added = AddWallEdge(selectedRoof_, ToPhoto(wallStart_), ToPhoto(p));
            wallStarted_ = false;
            RedrawOverlay();
            if (EditDone(added)) {
                host_.MarkEdited();
                host_.ShowWallHeight(wallStart_.y(), p.y());
            }
        }
    }
    down_ = p;
}

void PictureEditor::MovePress(QPointF tip)
{
    surface_.setDrawWidth(2);
    dragPoint_ = -1;
    dragTopWalls_.clear();
    dragFootWall_ = -1;
    drag_ = Drag::None;
    QPointF p = tip;
    if (selectedRoof_ >= 0) {
        const MovePick pick = FindMovePoint(selectedRoof_, tip.x(), tip.y());
        p = QPointF(pick.at.x, pick.at.y);
        if (pick.kind == MovePickKind::WallFoot) {
            dragFootWall_ = pick.wall;
        } else if (pick.kind != MovePickKind::Nothing) {
            dragPoint_ = pick.vertex;
            dragTopWalls_ = pick.walls;
        }
        drag_ = pick.kind == MovePickKind::Nothing ? Drag::None : Drag::Dragging;
    }
    down_ = last_ = p;
}

void PictureEditor::PlanViewPress(Qt::MouseButton button, QPointF at)
{
    if (tool_ == kZoomTool && (button == Qt::LeftButton || button == Qt::RightButton)) {
        SetFlatScaleIndex(gFlatScaleIndex + (button == Qt::LeftButton ? 1 : -1));
        host_.RedrawPlan(selectedRoof_);
        return;
    }
    if (button != Qt::LeftButton) return;
    if (tool_ == kSelectTool) {
        surface_.setDrawWidth(2);
        down_ = at;
    } else if (tool_ == kMoveTool) {
        surface_.setDrawWidth(2);
        const QPointF tip = TipOf(kMoveTool, at);
        dragPoint_ = -1;
        drag_ = Drag::None;
        if (selectedRoof_ >= 0) {
            dragPoint_ = FindFlatTopPoint(selectedRoof_, tip.x(), tip.y(), host_.planFrame());
            drag_ = dragPoint_ >= 0 ? Drag::Dragging : Drag::None;
            if (drag_ == Drag::Dragging) dragPlanStart_ = {gFlatTopAreaX[dragPoint_], gFlatTopAreaY[dragPoint_]};
        }
        down_ = tip;
    }
}

void PictureEditor::MouseMove(QPointF at)
{
    if (tool_ == kMoveTool && drag_ == Drag::Dragging) {
        const QPointF tip = TipOf(kMoveTool, at);
        if (host_.planShown()) {
            // Only the plan's copy follows the pointer; the edit is made (or not) at the release.
            if (MoveFlatTopPoint(selectedRoof_, dragPoint_, tip.x(), tip.y(), host_.planFrame())) {
                host_.RedrawPlan(selectedRoof_);
            }
            return;
        }
        const PointDrag drag{dragPoint_, dragTopWalls_, dragFootWall_};
        if (MoveTopAreaPoint(selectedRoof_, drag, static_cast<float>(tip.x()), static_cast<float>(tip.y()))) {
            host_.MarkEdited();
            RedrawOverlay();
        }
        last_ = tip;
        return;
    }
    if (host_.planShown()) return;
    if (tool_ == kRoofLineTool && tracedCount_ > 0) {
        const QPointF tip = TipOf(kRoofLineTool, at);
        surface_.setDrawMode(PictureCanvas::DrawMode::Xor);
        if (last_ != down_) surface_.line(down_, last_, kTraceRubberColor);
        if (tip != down_) surface_.line(down_, tip, kTraceRubberColor);
        last_ = tip;
    } else if (tool_ == kWallLineTool && wallStarted_) {
        DrawWallRubberLine(TipOf(kWallLineTool, at));
    }
}

void PictureEditor::MouseUp(Qt::MouseButton button, QPointF at)
{
    if (button == Qt::LeftButton && tool_ == kMoveTool && drag_ == Drag::Dragging) {
        drag_ = Drag::Released;
        if (host_.planShown()) {
            PlanMoveRelease();
        } else {
            MoveRelease();
        }
        return;
    }
    const bool menuTool = tool_ == kSelectTool || (tool_ >= kRoofLineTool && tool_ <= kDeleteTool);
    if (button == Qt::RightButton && menuTool) host_.PopUpEditMenu(at);
}

void PictureEditor::MoveRelease()
{
    // The wall whose foot moved, or the first wall carried by the moved vertex, is measured again.
    const int wall = dragFootWall_ >= 0 ? dragFootWall_ : dragTopWalls_.empty() ? -1 : dragTopWalls_.front();
    if (wall < 0 || wall >= gWallEdgeNumber) return;
    host_.ShowWallHeight(gFirstWallEdgeY[wall], gSecondWallEdgeY[wall]);
}

void PictureEditor::PlanMoveRelease()
{
    const int point = dragPoint_;
    if (point < 0 || point >= kMaxTopPoints) return;
    if (gFlatTopAreaX[point] == dragPlanStart_.x && gFlatTopAreaY[point] == dragPlanStart_.y) return;
    // The plan is made afresh from the picture at every switch to it, and the picture is what a
    // data file keeps: the moved vertex goes into the picture, which is an edit, or back where it
    // was, which leaves the work as it was.
    if (CarryFlatTopPointToPhoto(selectedRoof_, point)) {
        host_.MarkEdited();
        return;
    }
    SetFlatTopPoint(selectedRoof_, point, dragPlanStart_.x, dragPlanStart_.y);
    host_.RedrawPlan(selectedRoof_);
    host_.ShowEditMessage(
        QStringLiteral("この位置は画像の視野の外になるため、頂点を移動できません。\n頂点は元の位置に戻ります。"));
}

void PictureEditor::DblClick(Qt::MouseButton button)
{
    if (button != Qt::LeftButton) return;
    if (host_.planShown()) {
        if (tool_ != kSelectTool) return;
        const int roof = FindFlatTopArea(down_.x(), down_.y(), host_.planFrame());
        selectedRoof_ = roof;
        host_.ShowFlatLineMap(roof);
        host_.RoofSelected(roof);
        return;
    }
    PhotoViewDblClick();
}

void PictureEditor::PhotoViewDblClick()
{
    switch (tool_) {
    case kSelectTool:
    case kRoofLineTool:
    case kWallLineTool:
    case kMoveTool:
        SelectRoofAt();
        break;
    case kAddPointTool:
        AddPointDblClick();
        break;
    case kDeleteTool:
        DeleteDblClick();
        break;
    case kAutoRoofTool:
        host_.DetectRoofAtClick();
        break;
    default:
        break;
    }
}

void PictureEditor::SelectRoofAt()
{
    selectedRoof_ = FindTopArea(down_.x(), down_.y());
    host_.RoofSelected(selectedRoof_);
    RedrawOverlay();
}

void PictureEditor::DeselectRoof()
{
    selectedRoof_ = -1;
    host_.RoofSelected(-1);
}

void PictureEditor::RedrawOverlay()
{
    if (selectedRoof_ >= gEachTopAreaNumber) selectedRoof_ = -1;
    host_.ShowPhotoLine(selectedRoof_, selectedRoof_ >= 0 ? 0 : -1);
}

void PictureEditor::AddPointDblClick()
{
    if (selectedRoof_ < 0) {
        SelectRoofAt();
        return;
    }
    const auto edge = FindTopAreaEdge(selectedRoof_, down_.x(), down_.y());
    if (!edge) {
        DeselectRoof();
        RedrawOverlay();
        return;
    }
    const PhotoEdit inserted = InsertTopAreaPoint(selectedRoof_, edge->edge, edge->at.x, edge->at.y);
    RedrawOverlay();
    if (EditDone(inserted)) host_.MarkEdited();
}

void PictureEditor::DeleteDblClick()
{
    if (selectedRoof_ < 0) {
        SelectRoofAt();
        return;
    }
    const MovePick pick = FindMovePoint(selectedRoof_, down_.x(), down_.y());
    int kept = 1;
    switch (pick.kind) {
    case MovePickKind::Nothing:
        kept = 0;
        break;
    case MovePickKind::Vertex:
        kept = RemoveTopAreaPoint(selectedRoof_, pick.vertex);
        break;
    case MovePickKind::VertexWithWall:
        // Every wall standing on the vertex goes with it; the later ones first, so the first
        // keeps its index.
        for (auto w = pick.walls.rbegin(); w + 1 != pick.walls.rend(); ++w) RemoveWallEdge(selectedRoof_, *w);
        kept = RemoveWallEdgeTopPoint(selectedRoof_, pick.vertex, pick.wall);
        break;
    case MovePickKind::WallFoot:
        RemoveWallEdge(selectedRoof_, pick.wall);
        break;
    }
    if (pick.kind != MovePickKind::Nothing) host_.MarkEdited();
    if (kept != 1) DeselectRoof();
    RedrawOverlay();
}

bool PictureEditor::EditDone(PhotoEdit result)
{
    if (result == PhotoEdit::Done) return true;
    host_.ShowEditMessage(QString::fromStdString(PhotoEditMessage(result)));
    return false;
}

void PictureEditor::DropStrokes()
{
    const bool drawn = tracedCount_ > 0 || wallStarted_;
    tracedCount_ = 0;
    wallStarted_ = false;
    if (drawn && !host_.planShown()) RedrawOverlay();
}

void PictureEditor::ResetStrokes()
{
    tracedCount_ = 0;
    wallStarted_ = false;
    drag_ = Drag::None;
}

void PictureEditor::EndDrag()
{
    drag_ = Drag::None;
    dragPoint_ = -1;
}

void PictureEditor::ForgetRubberLine()
{
    if (tracedCount_ > 0) {
        last_ = down_;
    } else if (wallStarted_) {
        last_ = wallStart_;
    }
}
