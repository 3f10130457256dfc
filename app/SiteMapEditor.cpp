#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "SiteMapEditor.h"

#include "MainWorkingFrm.h"
#include "platform/OwnedWindow.h"
#include "SiteMapDrawing.h"
#include "site/EditOperations.h"
#include "site/RunState.h"
#include "site/MapView.h"
#include "app/SetBuildingHeightFrm.h"
#include "app/ToolCursors.h"
#include "platform/CursorFile.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "platform/PictureSurface.h"

namespace {

const QColor kTopLineVertexColor(0, 200, 60);
const QColor kTopLineRubberColor(0, 150, 60);
const QColor kRectangleBandColor(200, 200, 200);
const QColor kDragColor(0, 255, 200);  // the selected outline's highlight, so XOR erases it
const QString kRequestHint = QStringLiteral("クリックした地点での衛星状況を示します。");

enum Tool { kNoTool = -1, kSelect = 0, kRectangle, kTopLine, kMovePoint, kAddPoint, kRemovePoint, kDistance };

// The point a press of `tool` uses: the drawing tip of its pointer.
QPointF TipOf(QPointF press, int tool)
{
    if (tool < 0 || tool >= static_cast<int>(kToolCursors.size())) return press;
    return press + QPointF(kToolCursors[tool].shiftX, kToolCursors[tool].shiftY);
}

edit::PicturePoint Pt(QPointF p) { return {p.x(), p.y()}; }
QPointF ToQPoint(edit::PicturePoint p) { return {p.x, p.y}; }

QPointF PictureOfPoint(const MapViewState& view, int index)
{
    return ToQPoint(edit::ToPicture(view, {gNorthTopAreaX[index], gNorthTopAreaY[index]}));
}

}  // namespace

SiteMapEditor::SiteMapEditor(MainWorkingFrm& window) : w_(window) {}

void SiteMapEditor::Connect()
{
    w_.PhotoPic->setMouseTracking(true);  // the read-out and the rubber line follow a free pointer
    QObject::connect(w_.PhotoPic, &PictureSurface::mousePressed, &w_,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPointF at) { PhotoPic_MouseDown(button, at); });
    QObject::connect(w_.PhotoPic, &PictureSurface::mouseMoved, &w_,
            [this](Qt::MouseButtons buttons, Qt::KeyboardModifiers, QPointF at) { PhotoPic_MouseMove(buttons, at); });
    QObject::connect(w_.PhotoPic, &PictureSurface::mouseReleased, &w_,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPointF at) { PhotoPic_MouseUp(button, at); });
    // A double-click arrives after the press and release of its first click; its own second press
    // comes only as the double-click, so no tool sees it as one more press.
    QObject::connect(w_.PhotoPic, &PictureSurface::mouseDoubleClicked, &w_,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPointF) { PhotoPic_DblClick(button); });

    QObject::connect(w_.DeleteBuildingMenu, &QAction::triggered, &w_, &MainWorkingFrm::DeleteBuildingMenu_Click);
    w_.addAction(w_.DeleteBuildingMenu);  // its Ctrl+D works while the pop-up is closed
    QObject::connect(w_.SetBuildingHeightMenu, &QAction::triggered, &w_, &MainWorkingFrm::SetBuildingHeightMenu_Click);
    QObject::connect(w_.EnsMeasureSistMenu, &QAction::triggered, &w_, &MainWorkingFrm::EnsMeasureSistMenu_Click);
    QObject::connect(w_.StopLineDrawMenu, &QAction::triggered, &w_, &MainWorkingFrm::StopLineDrawMenu_Click);
    const std::pair<QAction*, int> toolItems[] = {{w_.SelectTopAreaMenu, kSelect},   {w_.RectangleBillMenu, kRectangle},
                                                  {w_.DrawTopLineMenu, kTopLine},    {w_.MovePointMenu, kMovePoint},
                                                  {w_.AddTopPointMenu, kAddPoint},   {w_.RemoveTopPointMenu, kRemovePoint}};
    for (const auto& [item, tool] : toolItems) {
        QObject::connect(item, &QAction::triggered, &w_, [this, item = item, tool = tool] { SelectToolFromMenu(item, tool); });
    }
    // There is no zoom tool (the zoom buttons zoom): the item only takes the check mark.
    QObject::connect(w_.ZoomUpDownMenu, &QAction::triggered, &w_, [this] { CheckOnlyToolMenuItem(w_.ZoomUpDownMenu); });
}

// ---- Tool palette and tool pop-up -----------------------------------------------------------

void SiteMapEditor::ReleaseAllTools()
{
    for (QToolButton* tool : w_.ClickPicRbn) {
        tool->setChecked(false);
    }
}

void SiteMapEditor::ClickPicRbn_Click(int index, bool pressed)
{
    if (!pressed) {
        pEditMode = 0;
        w_.unsetCursor();
        pEditMode = kNoTool;
        return;
    }
    if (index == kSelect) {
        w_.unsetCursor();
    } else if (index > 0 && index < static_cast<int>(kToolCursors.size())) {
        // A pointer file that cannot be read leaves the pointer as it was; the tool still works.
        if (const auto cursor = platform::LoadCursorFile(DataPath(QStringLiteral("ico"), QString::fromLatin1(kToolCursors[index].fileName)))) {
            w_.setCursor(*cursor);
        }
    }
    pEditMode = index;
    if (index == kDistance) {
        w_.siteMap()->pMeasurePointNum = 0;  // a new measurement
    }
}

void SiteMapEditor::CheckOnlyToolMenuItem(QAction* item)
{
    for (QAction* action : w_.LineDrawMenu->actions()) {
        if (!action->isSeparator()) {
            action->setChecked(action == item);
        }
    }
}

void SiteMapEditor::SelectToolFromMenu(QAction* item, int tool)
{
    CheckOnlyToolMenuItem(item);
    w_.ClickPicRbn[tool]->setChecked(true);
}

void SiteMapEditor::StopLineDrawMenu_Click()
{
    for (QToolButton* toggle : w_.ClickPicRbn) {
        toggle->setChecked(false);
    }
    CheckOnlyToolMenuItem(w_.StopLineDrawMenu);
    pEditMode = kNoTool;
    w_.unsetCursor();
    pTopLinePointNum = 0;  // the outline being drawn is dropped; its marks stay until the next redraw
}

// ---- Mouse handlers ---------------------------------------------------------------------------

void SiteMapEditor::PhotoPic_MouseDown(Qt::MouseButton button, QPointF at)
{
    if (button == Qt::RightButton) {
        if (pEditMode == kRectangle) {
            pStartPointX = at.x();
            pStartPointY = static_cast<float>(at.y());
        }
        if (pEditMode != kDistance) {
            pLastPointX = at.x();
            pLastPointY = static_cast<float>(at.y());
        }
        return;
    }
    if (button != Qt::LeftButton) return;
    pressServedRequest_ = gPhotoClickMode != 0;
    if (pressServedRequest_) {
        w_.ServePhotoClickRequest(at);
        return;
    }
    switch (pEditMode) {
    case kSelect:
        pLastPointX = at.x();
        pLastPointY = static_cast<float>(at.y());
        break;
    case kRectangle:
        pStartPointX = pLastPointX = at.x();
        pStartPointY = pLastPointY = static_cast<float>(at.y());
        break;
    case kTopLine:
        if (!w_.ResultMapShown()) TopLinePress(TipOf(at, kTopLine));
        break;
    case kMovePoint:
        if (!w_.ResultMapShown()) {
            w_.PhotoPic->setDrawWidth(2);
            const QPointF tip = TipOf(at, kMovePoint);
            int k = -1;
            pMoveSTS = edit::SearchTopPointForMove(CurrentMapView(), w_.pActiveBuildingNum, Pt(tip), k) == 1 ? 1 : 0;
            pMovePointNum = pMoveSTS == 1 ? k : -1;
            pLastPointX = tip.x();
            pLastPointY = static_cast<float>(tip.y());
        }
        break;
    case kAddPoint:
    case kRemovePoint: {
        const QPointF tip = TipOf(at, pEditMode);
        pLastPointX = tip.x();
        pLastPointY = static_cast<float>(tip.y());
        break;
    }
    case kDistance:
        MeasureDistPress(at);
        break;
    default:
        break;
    }
}

void SiteMapEditor::TopLinePress(QPointF tip)
{
    const MapViewState view = CurrentMapView();
    std::vector<TopAreaPoint> drawn = DrawnTopLine();
    if (edit::IsTopLineClosed(view, drawn, Pt(tip))) {
        drawn.push_back(drawn.front());
        pTopLinePointNum = 0;
        if (edit::AddTopLineBill(drawn) != TopAreaEdit::Done) {
            w_.pActiveBuildingNum = w_.ShowInputBillTopArea(w_.pActiveBuildingNum);  // takes the unfinished outline off the map
            ShowModelFullMessage();
            return;
        }
        w_.ShowInputBillTopArea(gEachTopAreaNumber);  // none selected: the index is beyond the last
        ++w_.pChangeCount;
        return;
    }
    // Room is kept for the closing point, so an outline that could not be stored is never drawn.
    if (pTopLinePointNum >= edit::TopLineRoom()) {
        ShowModelFullMessage();
        return;
    }
    w_.PhotoPic->setDrawWidth(2);
    w_.PhotoPic->setDrawMode(PictureSurface::DrawMode::Xor);
    w_.PhotoPic->circle(tip, 2, kTopLineVertexColor);
    w_.PhotoPic->setDrawMode(PictureSurface::DrawMode::Copy);
    pLastPointX = tip.x();
    pLastPointY = static_cast<float>(tip.y());
    topLineAnchor_ = tip;
    pLineEndX = static_cast<float>(tip.x());
    pLineEndY = static_cast<float>(tip.y());
    const TopAreaPoint site = edit::ToSite(view, Pt(tip));
    pTopLineX[pTopLinePointNum] = site.x;
    pTopLineY[pTopLinePointNum] = site.y;
    ++pTopLinePointNum;
}

std::vector<TopAreaPoint> SiteMapEditor::DrawnTopLine() const
{
    std::vector<TopAreaPoint> drawn;
    for (int i = 0; i < std::min(pTopLinePointNum, kMaxTopPoints); ++i) drawn.push_back({pTopLineX[i], pTopLineY[i]});
    return drawn;
}

void SiteMapEditor::RedrawDrawnTopLine()
{
    const std::vector<TopAreaPoint> drawn = DrawnTopLine();
    if (drawn.empty()) return;
    const MapViewState view = CurrentMapView();
    w_.PhotoPic->setDrawWidth(2);
    w_.PhotoPic->setDrawMode(PictureSurface::DrawMode::Xor);
    QPointF previous;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const QPointF p = ToQPoint(edit::ToPicture(view, drawn[i]));
        w_.PhotoPic->circle(p, 2, kTopLineVertexColor);
        if (i > 0) w_.PhotoPic->line(previous, p, kTopLineRubberColor);
        previous = p;
    }
    w_.PhotoPic->setDrawMode(PictureSurface::DrawMode::Copy);
    // The rubber line starts afresh from the last point as drawn now. The last press stays: it
    // is the tool in use's, and its double-click acts on it.
    topLineAnchor_ = previous;
    pLineEndX = static_cast<float>(previous.x());
    pLineEndY = static_cast<float>(previous.y());
}

void SiteMapEditor::ShowModelFullMessage() { platform::ShowMessage(&w_, QString::fromUtf8(kTopAreaFullMessage)); }

void SiteMapEditor::PhotoPic_MouseMove(Qt::MouseButtons buttons, QPointF at)
{
    if (buttons == Qt::LeftButton) {
        if (pPhotoTipSTS == -1) {
            w_.PhotoPic->setToolTip(QString());
            pPhotoTipSTS = 0;
        }
        if (gPhotoClickMode != 0 || pressServedRequest_) return;
        if (pEditMode == kRectangle) {
            const QPointF start(pStartPointX, pStartPointY);
            const QPointF last(pLastPointX, pLastPointY);
            w_.PhotoPic->setDrawMode(PictureSurface::DrawMode::Xor);
            w_.PhotoPic->setDrawWidth(1);
            if (last != start) w_.PhotoPic->box(start, last, kRectangleBandColor);  // erases the band drawn before
            if (at != start) w_.PhotoPic->box(start, at, kRectangleBandColor);
            pLastPointX = at.x();
            pLastPointY = static_cast<float>(at.y());
            w_.PhotoPic->setDrawMode(PictureSurface::DrawMode::Copy);
        } else if (pEditMode == kMovePoint && pMoveSTS == 1) {
            MoveTopPoint(TipOf(at, kMovePoint));
            ++w_.pChangeCount;
        }
        return;
    }
    if (buttons != Qt::NoButton) return;
    if (gPhotoClickMode == 1 || gPhotoClickMode == 2) {
        if (pPhotoTipSTS == 0) {
            w_.PhotoPic->setToolTip(kRequestHint);
            pPhotoTipSTS = -1;
        }
    } else if (gPhotoClickMode == 0 && pPhotoTipSTS == -1) {
        w_.PhotoPic->setToolTip(QString());
        pPhotoTipSTS = 0;
    }
    if (gPhotoClickMode != 0) return;
    if (pEditMode == kTopLine && pTopLinePointNum > 0) {
        const QPointF last = topLineAnchor_;
        const QPointF end(pLineEndX, pLineEndY);
        const QPointF tip = TipOf(at, kTopLine);
        w_.PhotoPic->setDrawWidth(2);
        w_.PhotoPic->setDrawMode(PictureSurface::DrawMode::Xor);
        if (end != last) w_.PhotoPic->line(last, end, kTopLineRubberColor);
        if (tip != last) w_.PhotoPic->line(last, tip, kTopLineRubberColor);
        pLineEndX = static_cast<float>(tip.x());
        pLineEndY = static_cast<float>(tip.y());
        w_.PhotoPic->setDrawMode(PictureSurface::DrawMode::Copy);
    }
    double x = 0, y = 0;
    PictureToSite(at.x(), at.y(), x, y, true);
    w_.DispValue_X->setText(QString::fromStdString(platform::FormatFixed(x, "####0.0")));
    w_.DispValue_Y->setText(QString::fromStdString(platform::FormatFixed(y, "####0.0")));
}

void SiteMapEditor::MoveTopPoint(QPointF to)
{
    const int area = w_.pActiveBuildingNum;
    const int k = pMovePointNum;
    const edit::VertexLinks links = edit::LinksOfVertex(area, k);
    if (links.moved.empty()) return;
    const int s = gEachTopAreaStartNum[area];
    const int e = s + gEachTopAreaPointNum[area] - 1;
    // The vertex carries a circle unless it is the first point of an open run (the highlight puts
    // the first corner's circle on the closing point).
    const bool hasCircle = std::any_of(links.moved.begin(), links.moved.end(), [s](int j) { return j > s; });
    const MapViewState view = CurrentMapView();
    // Each edge is drawn in the direction the highlight drew it (run order), so XOR erases it.
    auto drawEdgesAndVertex = [&](QPointF vertex) {
        for (int n : links.neighbours) {
            const bool after = std::any_of(links.moved.begin(), links.moved.end(), [n](int m) { return m == n - 1; });
            const QPointF other = PictureOfPoint(view, n);
            if (after) {
                w_.PhotoPic->line(vertex, other, kDragColor);
            } else {
                w_.PhotoPic->line(other, vertex, kDragColor);
            }
        }
        if (hasCircle) w_.PhotoPic->circle(vertex, 2, kDragColor);
    };
    w_.PhotoPic->setDrawMode(PictureSurface::DrawMode::Xor);
    w_.siteMap()->RedrawSelectBoxMarks();
    drawEdgesAndVertex(PictureOfPoint(view, k));
    edit::MoveTopPoint(view, area, k, Pt(to));
    drawEdgesAndVertex(PictureOfPoint(view, k));  // from the stored point, as the next erase sees it
    double maxX = -999, minX = 999, maxY = -999, minY = 999;
    for (int j = std::max(s, 0); j <= std::min(e, kMaxTopPoints - 1); ++j) {
        const QPointF p = PictureOfPoint(view, j);
        maxX = std::max(maxX, p.x());
        minX = std::min(minX, p.x());
        maxY = std::max(maxY, p.y());
        minY = std::min(minY, p.y());
    }
    w_.siteMap()->DrawSelectBoxMarks(static_cast<float>(maxX), static_cast<float>(minX), static_cast<float>(maxY),
                                 static_cast<float>(minY));
    w_.PhotoPic->setDrawMode(PictureSurface::DrawMode::Copy);
}

void SiteMapEditor::PhotoPic_MouseUp(Qt::MouseButton button, QPointF at)
{
    if (button == Qt::RightButton) {
        QMenu* menu = nullptr;
        if (pEditMode == kNoTool || pEditMode == kSelect) {
            menu = w_.EditingDataMenu;
        } else if (pEditMode >= kRectangle && pEditMode <= kRemovePoint) {
            menu = w_.LineDrawMenu;
        } else if (pEditMode == kDistance) {
            menu = w_.MeasureDistMenu;
        }
        if (menu) menu->popup(w_.PhotoPic->mapToGlobal(w_.PhotoPic->toPixel(at).toPoint()));
        return;
    }
    if (button != Qt::LeftButton) return;
    // The click: the demonstration's panels go when no demonstration runs (the calendar is hidden
    // by the press).
    if (gDemoMode == 0) w_.HideDemoPanels();
    if (pressServedRequest_) {
        pressServedRequest_ = false;  // the press went to another window's request: no tool acts
        return;
    }
    if (pEditMode == kRectangle) {
        const QPointF start(pStartPointX, pStartPointY);
        const QPointF last(pLastPointX, pLastPointY);
        w_.PhotoPic->setDrawMode(PictureSurface::DrawMode::Xor);
        w_.PhotoPic->setDrawWidth(1);
        if (last != start) w_.PhotoPic->box(start, last, kRectangleBandColor);
        w_.PhotoPic->setDrawMode(PictureSurface::DrawMode::Copy);
        if (edit::IsRectangleDrag(Pt(start), Pt(last))) {
            const bool added = edit::AddRectangleBill(CurrentMapView(), Pt(start), Pt(last)) == TopAreaEdit::Done;
            w_.pActiveBuildingNum = gEachTopAreaNumber;  // the new count: nothing selected
            w_.pActiveBuildingNum = w_.ShowInputBillTopArea(w_.pActiveBuildingNum);
            if (added) {
                ++w_.pChangeCount;  // so that closing asks before a drawn building is lost
            } else {
                ShowModelFullMessage();
            }
        }
        w_.ClickPicRbn[kRectangle]->setChecked(false);  // one rectangle per choice of the tool
    } else if (pEditMode == kMovePoint && pMoveSTS == 1) {
        pMoveSTS = -1;
        // The moved vertex is stored already; the redraw puts the height label at its new place.
        w_.pActiveBuildingNum = w_.ShowInputBillTopArea(w_.pActiveBuildingNum);
    }
}

void SiteMapEditor::PhotoPic_DblClick(Qt::MouseButton button)
{
    if (button != Qt::LeftButton || w_.ResultMapShown()) return;
    const QPointF last(pLastPointX, pLastPointY);
    const bool selected = w_.pActiveBuildingNum >= 0 && w_.pActiveBuildingNum < gEachTopAreaNumber;
    switch (pEditMode) {
    case kSelect:
        SelectBuildingAt(last, true, true);
        break;
    case kMovePoint:
        SelectBuildingAt(last, false, true);
        break;
    case kAddPoint:
        if (selected) {
            InsertTopPointAt(last);
        } else {
            SelectBuildingAt(last, false, true);
        }
        break;
    case kRemovePoint:
        if (selected) {
            RemoveTopPointAt(last);
        } else {
            SelectBuildingAt(last, false, false);
        }
        break;
    default:
        break;
    }
}

void SiteMapEditor::SelectBuildingAt(QPointF at, bool enableDeleteOnHit, bool disableDeleteOnMiss)
{
    const int hit = edit::SearchBillAtPoint(CurrentMapView(), Pt(at));
    w_.pActiveBuildingNum = hit;
    w_.pActiveBuildingNum = w_.ShowInputBillTopArea(w_.pActiveBuildingNum);
    if (hit >= 0 && enableDeleteOnHit) w_.DeleteBuildingMenu->setEnabled(true);
    if (hit < 0 && disableDeleteOnMiss) w_.DeleteBuildingMenu->setEnabled(false);
}

void SiteMapEditor::InsertTopPointAt(QPointF at)
{
    const MapViewState view = CurrentMapView();
    edit::PicturePoint onEdge;
    const int k = edit::SearchTopLineForAdd(view, w_.pActiveBuildingNum, Pt(at), onEdge);
    if (k < 0) return;
    if (edit::AddTopPoint(view, w_.pActiveBuildingNum, k, onEdge) != TopAreaEdit::Done) {
        ShowModelFullMessage();
        return;
    }
    w_.pActiveBuildingNum = w_.ShowInputBillTopArea(w_.pActiveBuildingNum);
    ++w_.pChangeCount;
}

void SiteMapEditor::RemoveTopPointAt(QPointF at)
{
    int k = -1;
    if (edit::SearchTopPointForRemove(CurrentMapView(), w_.pActiveBuildingNum, Pt(at), k) != 1) return;
    if (edit::RemoveTopPoint(w_.pActiveBuildingNum, k) == 0) {
        w_.pActiveBuildingNum = -1;  // the building went with its last corners
        CloseHeightDialog();
    }
    w_.pActiveBuildingNum = w_.ShowInputBillTopArea(w_.pActiveBuildingNum);
    ++w_.pChangeCount;
}

// ---- Distance tool ------------------------------------------------------------------------------

void SiteMapEditor::MeasureDistPress(QPointF at)
{
    SiteMapDrawing& map = *w_.siteMap();
    const int n = map.pMeasurePointNum;
    // The polyline holds 101 points; further presses are not taken.
    if (n < 0 || n >= static_cast<int>(map.pMeasurePointX.size())) return;
    w_.PhotoPic->setDrawMode(PictureSurface::DrawMode::Copy);
    double x = 0, y = 0;
    PictureToSite(at.x(), at.y(), x, y, false);
    map.pMeasurePointX[n] = static_cast<float>(x);
    map.pMeasurePointY[n] = static_cast<float>(y);
    const QColor red(200, 0, 0);
    if (n > 0) w_.PhotoPic->line(QPointF(pStartPointX, pStartPointY), at, red);
    w_.PhotoPic->circle(at, 2, red);
    w_.PhotoPic->circle(at, 3, red);
    map.pMeasurePointNum = n + 1;
    double total = 0.0;
    for (int i = 1; i <= n; ++i) {
        total += std::hypot(double(map.pMeasurePointX[i]) - map.pMeasurePointX[i - 1],
                            double(map.pMeasurePointY[i]) - map.pMeasurePointY[i - 1]);
    }
    w_.DistLbl->setText(QString::number(platform::RoundHalfEven(total)) + QStringLiteral("m"));
    pStartPointX = at.x();
    pStartPointY = static_cast<float>(at.y());
}

void SiteMapEditor::EnsMeasureSistMenu_Click()
{
    // The points and the total stay; the polyline is drawn again after a view change.
    w_.unsetCursor();
    pEditMode = 0;
    w_.ClickPicRbn[kDistance]->setChecked(false);
    w_.PhotoPic->setDrawMode(PictureSurface::DrawMode::Copy);
}

// ---- Building commands ----------------------------------------------------------------------

void SiteMapEditor::DeleteBuildingMenu_Click()
{
    // A deletion is an edit like any other: closing then asks before it is lost.
    if (DeleteActiveBill(w_.pActiveBuildingNum) == TopAreaEdit::Done) {
        ++w_.pChangeCount;
        CloseHeightDialog();
    }
    w_.pActiveBuildingNum = -1;
    w_.RedrawMapAfterViewChange(false);
    w_.DeleteBuildingMenu->setEnabled(false);
}

void SiteMapEditor::SetBuildingHeightMenu_Click()
{
    if (w_.pActiveBuildingNum < 0 || w_.pActiveBuildingNum >= gEachTopAreaNumber) return;
    platform::ShowSingleWindow(heightFrm_, [this] {
        return new SetBuildingHeightFrm(w_.pActiveBuildingNum,
                                        [this](int building) {
                                            ++w_.pChangeCount;  // a changed height is an edit too
                                            // The map shows the building just changed selected,
                                            // even if another one was selected meanwhile.
                                            w_.pActiveBuildingNum = w_.ShowInputBillTopArea(building);
                                        },
                                        &w_);
    });
}

void SiteMapEditor::CloseHeightDialog()
{
    if (!heightFrm_.isNull()) heightFrm_->close();
}
