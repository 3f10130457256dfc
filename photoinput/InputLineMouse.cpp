// The building input's mouse handlers on the picture. Oblique view: the roof line traces an
// outline point by point and closes it near its first point, the wall line runs from a vertex of
// the selected roof down to the wall's foot and shows the building's height, the move tool drags
// a vertex (with the wall tops on it) or a wall foot, add and delete work on the double-click, and
// the automatic roof runs on its double-click. Plan view: select, zoom and drag plan vertices.
// Every tool works on the tip of its pointer (PhotoTools.h); a double-click arrives as press,
// release, double-click, release and never acts as a second press.
#include "InputLineFrm.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

#include "photoinput/OutlineHitTest.h"
#include "photoinput/PhotoPicking.h"
#include "photoinput/PhotoTools.h"
#include "planview/PlanConversion.h"
#include "planview/PlanDrawing.h"
#include "planview/PlanView.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "platform/PictureSurface.h"

namespace {

QPointF TipOf(int tool, QPointF at)
{
    if (tool < 0 || tool > 7) return at;
    return at + QPointF(kPhotoToolCursors[tool].shiftX, kPhotoToolCursors[tool].shiftY);
}

PhotoPoint ToPhoto(QPointF p) { return {static_cast<float>(p.x()), static_cast<float>(p.y())}; }

double BoxValue(const QLineEdit* box) { return platform::NumericValue(box->text().toStdString()); }

}  // namespace

void InputLineFrm::PhotoPic_MouseDown(Qt::MouseButton button, QPointF at)
{
    if (pViewType == 2) {
        PlanViewPress(button, at);
        return;
    }
    if (button == Qt::LeftButton) PhotoViewPress(at);
}

void InputLineFrm::PhotoViewPress(QPointF at)
{
    const QPointF tip = TipOf(pInputMode, at);
    switch (pInputMode) {
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
        PhotoPic->setDrawWidth(2);
        break;
    }
    pDownX = tip.x();
    pDownY = tip.y();
}

void InputLineFrm::RoofLinePress(QPointF tip)
{
    PhotoPic->setDrawWidth(2);
    PhotoPic->setDrawMode(PictureCanvas::DrawMode::Xor);
    PhotoPic->circle(tip, 2.0, kTraceMarkColor);
    pDownX = pLastX = tip.x();
    pDownY = pLastY = tip.y();
    const std::span<const PhotoPoint> traced(pTempTop.data(), static_cast<std::size_t>(pTempPointNum));
    if (CheckCloseTopLine(traced, tip.x(), tip.y())) {
        pTempTop[static_cast<std::size_t>(pTempPointNum)] = pTempTop[0];
        const PhotoEdit stored = SetNewTopArea(std::span<const PhotoPoint>(pTempTop.data(), traced.size() + 1));
        pTempPointNum = 0;
        RedrawOverlay();
        if (EditDone(stored)) pChangeCount = 1;
        return;
    }
    // Room for this point and the closing copy, in the outline and in the model.
    const bool full = pTempPointNum + 2 > kMaxTracePoints || gTopAreaPointTotalNumber + pTempPointNum + 2 > kMaxTopPoints ||
                      gEachTopAreaNumber >= kMaxTopAreas;
    if (full) {
        PhotoPic->circle(tip, 2.0, kTraceMarkColor);  // the mark goes again: the point is not taken
        EditDone(PhotoEdit::Full);
        return;
    }
    pTempTop[static_cast<std::size_t>(pTempPointNum)] = ToPhoto(tip);
    ++pTempPointNum;
}

void InputLineFrm::MarkWallStartPoint(int row)
{
    PhotoPic->circle(QPointF(gTopAreaX[row], gTopAreaY[row]), 2.0, kWallRubberColor);
}

void InputLineFrm::DrawWallRubberLine(QPointF to)
{
    const QPointF start(pWallStartX, pWallStartY), last(pLastX, pLastY);
    PhotoPic->setDrawMode(PictureCanvas::DrawMode::Xor);
    if (last != start) PhotoPic->line(start, last, kWallRubberColor);
    if (to != start) PhotoPic->line(start, to, kWallRubberColor);
    pLastX = to.x();
    pLastY = to.y();
}

void InputLineFrm::WallLinePress(QPointF tip)
{
    PhotoPic->setDrawWidth(2);
    QPointF p = tip;
    if (pActiveTopArea > -1) {
        const int k = FindTopAreaPoint(pActiveTopArea, tip.x(), tip.y());
        if (k >= 0 && pWallSTS == 0) {
            p = QPointF(gTopAreaX[k], gTopAreaY[k]);
            pWallStartX = pLastX = p.x();
            pWallStartY = pLastY = p.y();
            PhotoPic->setDrawMode(PictureCanvas::DrawMode::Xor);
            MarkWallStartPoint(k);
            pWallSTS = 1;
        } else if (k < 0 && pWallSTS == 1) {
            const PhotoEdit added = AddWallEdge(pActiveTopArea, ToPhoto({pWallStartX, pWallStartY}), ToPhoto(p));
            pWallSTS = 0;
            RedrawOverlay();
            if (EditDone(added)) {
                pChangeCount = 1;
                ShowWallHeight(pWallStartY, p.y());
            }
        }
    }
    pDownX = p.x();
    pDownY = p.y();
}

void InputLineFrm::MovePress(QPointF tip)
{
    PhotoPic->setDrawWidth(2);
    pMovePointNum = -1;
    pMoveFirstWallNum.clear();
    pMoveSecondWallNum = -1;
    pMoveSTS = 0;
    QPointF p = tip;
    if (pActiveTopArea >= 0) {
        const MovePick pick = FindMovePoint(pActiveTopArea, tip.x(), tip.y());
        p = QPointF(pick.at.x, pick.at.y);
        if (pick.kind == MovePickKind::WallFoot) {
            pMoveSecondWallNum = pick.wall;
        } else if (pick.kind != MovePickKind::Nothing) {
            pMovePointNum = pick.vertex;
            pMoveFirstWallNum = pick.walls;
        }
        pMoveSTS = pick.kind == MovePickKind::Nothing ? 0 : 1;
    }
    pDownX = pLastX = p.x();
    pDownY = pLastY = p.y();
}

void InputLineFrm::PlanViewPress(Qt::MouseButton button, QPointF at)
{
    if (pInputMode == kZoomTool && (button == Qt::LeftButton || button == Qt::RightButton)) {
        SetFlatScaleIndex(gFlatScaleIndex + (button == Qt::LeftButton ? 1 : -1));
        RedrawPlan(pActiveTopArea);
        return;
    }
    if (button != Qt::LeftButton) return;
    if (pInputMode == kSelectTool) {
        PhotoPic->setDrawWidth(2);
        pDownX = at.x();
        pDownY = at.y();
    } else if (pInputMode == kMoveTool) {
        PhotoPic->setDrawWidth(2);
        const QPointF tip = TipOf(kMoveTool, at);
        pMovePointNum = -1;
        pMoveSTS = 0;
        if (pActiveTopArea >= 0) {
            pMovePointNum = FindFlatTopPoint(pActiveTopArea, tip.x(), tip.y(), planFrame());
            pMoveSTS = pMovePointNum >= 0 ? 1 : 0;
            if (pMoveSTS == 1) pMovePlanStart = {gFlatTopAreaX[pMovePointNum], gFlatTopAreaY[pMovePointNum]};
        }
        pDownX = tip.x();
        pDownY = tip.y();
    }
}

void InputLineFrm::PhotoPic_MouseMove(Qt::MouseButtons buttons, QPointF at)
{
    (void)buttons;
    if (pInputMode == kMoveTool && pMoveSTS == 1) {
        const QPointF tip = TipOf(kMoveTool, at);
        if (pViewType == 2) {
            if (MoveFlatTopPoint(pActiveTopArea, pMovePointNum, tip.x(), tip.y(), planFrame())) {
                pChangeCount = 1;
                RedrawPlan(pActiveTopArea);
            }
            return;
        }
        const PointDrag drag{pMovePointNum, pMoveFirstWallNum, pMoveSecondWallNum};
        if (MoveTopAreaPoint(pActiveTopArea, drag, static_cast<float>(tip.x()), static_cast<float>(tip.y()))) {
            pChangeCount = 1;
            RedrawOverlay();
        }
        pLastX = tip.x();
        pLastY = tip.y();
        return;
    }
    if (pViewType != 1) return;
    if (pInputMode == kRoofLineTool && pTempPointNum > 0) {
        const QPointF tip = TipOf(kRoofLineTool, at), down(pDownX, pDownY), last(pLastX, pLastY);
        PhotoPic->setDrawMode(PictureCanvas::DrawMode::Xor);
        if (last != down) PhotoPic->line(down, last, kTraceRubberColor);
        if (tip != down) PhotoPic->line(down, tip, kTraceRubberColor);
        pLastX = tip.x();
        pLastY = tip.y();
    } else if (pInputMode == kWallLineTool && pWallSTS == 1) {
        DrawWallRubberLine(TipOf(kWallLineTool, at));
    }
}

void InputLineFrm::PhotoPic_MouseUp(Qt::MouseButton button, QPointF at)
{
    if (button == Qt::LeftButton && pInputMode == kMoveTool && pMoveSTS == 1) {
        pMoveSTS = -1;
        if (pViewType == 1) {
            MoveRelease();
        } else {
            PlanMoveRelease();
        }
        return;
    }
    const bool menuTool = pInputMode == kSelectTool || (pInputMode >= kRoofLineTool && pInputMode <= kDeleteTool);
    if (button == Qt::RightButton && menuTool) {
        EditPhotoLineMenu->popup(PhotoPic->mapToGlobal(PhotoPic->toPixel(at).toPoint()));
    }
}

void InputLineFrm::MoveRelease()
{
    // The wall whose foot moved, or the first wall carried by the moved vertex, is measured again.
    const int wall = pMoveSecondWallNum >= 0 ? pMoveSecondWallNum : pMoveFirstWallNum.empty() ? -1 : pMoveFirstWallNum.front();
    if (wall < 0 || wall >= gWallEdgeNumber) return;
    ShowWallHeight(gFirstWallEdgeY[wall], gSecondWallEdgeY[wall]);
}

void InputLineFrm::PlanMoveRelease()
{
    const int point = pMovePointNum;
    if (point < 0 || point >= kMaxTopPoints) return;
    if (gFlatTopAreaX[point] == pMovePlanStart.x && gFlatTopAreaY[point] == pMovePlanStart.y) return;
    // The plan is made afresh from the picture at every switch to it, and the picture is what a
    // data file keeps: the moved vertex goes into the picture, or back where it was.
    if (CarryFlatTopPointToPhoto(pActiveTopArea, point)) return;
    SetFlatTopPoint(pActiveTopArea, point, pMovePlanStart.x, pMovePlanStart.y);
    RedrawPlan(pActiveTopArea);
    platform::ShowMessage(this, QStringLiteral("この位置は画像の視野の外になるため、頂点を移動できません。\n頂点は元の位置に戻ります。"));
}

void InputLineFrm::PhotoPic_DblClick(Qt::MouseButton button)
{
    if (button != Qt::LeftButton) return;
    if (pViewType == 2) {
        if (pInputMode != kSelectTool) return;
        const int roof = FindFlatTopArea(pDownX, pDownY, planFrame());
        pActiveTopArea = roof;
        ShowFlatLineMap(roof);
        ChangeBillHeightMenu->setEnabled(roof >= 0);
        return;
    }
    PhotoViewDblClick();
}

void InputLineFrm::PhotoViewDblClick()
{
    switch (pInputMode) {
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
        DetectRoofAtClick();
        break;
    default:
        break;
    }
}

void InputLineFrm::SelectRoofAt()
{
    pActiveTopArea = FindTopArea(pDownX, pDownY);
    Remove1TopAreaMenu->setEnabled(pActiveTopArea >= 0);
    RedrawOverlay();
}

void InputLineFrm::RedrawOverlay()
{
    if (pActiveTopArea >= gEachTopAreaNumber) pActiveTopArea = -1;
    ShowPhotoLine(pActiveTopArea, pActiveTopArea >= 0 ? 0 : -1);
}

void InputLineFrm::AddPointDblClick()
{
    if (pActiveTopArea < 0) {
        SelectRoofAt();
        return;
    }
    const auto edge = FindTopAreaEdge(pActiveTopArea, pDownX, pDownY);
    if (!edge) {
        DeselectRoof();
        RedrawOverlay();
        return;
    }
    const PhotoEdit inserted = InsertTopAreaPoint(pActiveTopArea, edge->edge, edge->at.x, edge->at.y);
    RedrawOverlay();
    if (EditDone(inserted)) pChangeCount = 1;
}

void InputLineFrm::DeleteDblClick()
{
    if (pActiveTopArea < 0) {
        SelectRoofAt();
        return;
    }
    const MovePick pick = FindMovePoint(pActiveTopArea, pDownX, pDownY);
    int kept = 1;
    switch (pick.kind) {
    case MovePickKind::Nothing:
        kept = 0;
        break;
    case MovePickKind::Vertex:
        kept = RemoveTopAreaPoint(pActiveTopArea, pick.vertex);
        break;
    case MovePickKind::VertexWithWall:
        // Every wall standing on the vertex goes with it; the later ones first, so the first
        // keeps its index.
        for (auto w = pick.walls.rbegin(); w + 1 != pick.walls.rend(); ++w) RemoveWallEdge(pActiveTopArea, *w);
        kept = RemoveWallEdgeTopPoint(pActiveTopArea, pick.vertex, pick.wall);
        break;
    case MovePickKind::WallFoot:
        RemoveWallEdge(pActiveTopArea, pick.wall);
        break;
    }
    if (pick.kind != MovePickKind::Nothing) pChangeCount = 1;
    if (kept != 1) DeselectRoof();
    RedrawOverlay();
}

void InputLineFrm::ShowWallHeight(double topY, double footY)
{
    const WallHeight measured = MeasureWallHeight(BoxValue(VerHeightmTxt), BoxValue(IncliHeightmTxt), topY, footY);
    HeightTxt->setText(QString::fromStdString(measured.text));
    if (!measured.message.empty()) platform::ShowMessage(this, QString::fromStdString(measured.message));
}

bool InputLineFrm::EditDone(PhotoEdit result)
{
    if (result == PhotoEdit::Done) return true;
    platform::ShowMessage(this, QString::fromStdString(PhotoEditMessage(result)));
    return false;
}
