#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "SiteMapEditor.h"

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

SiteMapEditor::SiteMapEditor(SiteMapEditorHost& host, const SiteMapEditorControls& controls)
    : host_(host), c_(controls)
{
}

void SiteMapEditor::Connect()
{
    Pic().setMouseTracking(true);  // the read-out and the rubber line follow a free pointer
    QObject::connect(&Pic(), &PictureSurface::mousePressed, &Window(),
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPointF at) { PhotoPic_MouseDown(button, at); });
    QObject::connect(&Pic(), &PictureSurface::mouseMoved, &Window(),
            [this](Qt::MouseButtons buttons, Qt::KeyboardModifiers, QPointF at) { PhotoPic_MouseMove(buttons, at); });
    QObject::connect(&Pic(), &PictureSurface::mouseReleased, &Window(),
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPointF at) { PhotoPic_MouseUp(button, at); });
    // A double-click arrives after the press and release of its first click; its own second press
    // comes only as the double-click, so no tool sees it as one more press.
    QObject::connect(&Pic(), &PictureSurface::mouseDoubleClicked, &Window(),
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPointF) { PhotoPic_DblClick(button); });

    QObject::connect(c_.deleteBuilding, &QAction::triggered, &Window(), [this] { DeleteBuildingMenu_Click(); });
    Window().addAction(c_.deleteBuilding);  // its Ctrl+D works while the pop-up is closed
    QObject::connect(c_.setBuildingHeight, &QAction::triggered, &Window(), [this] { SetBuildingHeightMenu_Click(); });
    QObject::connect(c_.endMeasure, &QAction::triggered, &Window(), [this] { EnsMeasureSistMenu_Click(); });
    QObject::connect(c_.stopLineDraw, &QAction::triggered, &Window(), [this] { StopLineDrawMenu_Click(); });
    const std::pair<QAction*, int> toolItems[] = {{c_.selectTopArea, kSelect},   {c_.rectangleBill, kRectangle},
                                                  {c_.drawTopLine, kTopLine},    {c_.movePoint, kMovePoint},
                                                  {c_.addTopPoint, kAddPoint},   {c_.removeTopPoint, kRemovePoint}};
    for (const auto& [item, tool] : toolItems) {
        QObject::connect(item, &QAction::triggered, &Window(), [this, item = item, tool = tool] { SelectToolFromMenu(item, tool); });
    }
    // There is no zoom tool (the zoom buttons zoom): the item only takes the check mark.
    QObject::connect(c_.zoomUpDown, &QAction::triggered, &Window(), [this] { CheckOnlyToolMenuItem(c_.zoomUpDown); });
}

// ---- Tool palette and tool pop-up -----------------------------------------------------------

void SiteMapEditor::ReleaseAllTools()
{
    for (QToolButton* tool : c_.tools) {
        tool->setChecked(false);
    }
}

void SiteMapEditor::ClickPicRbn_Click(int index, bool pressed)
{
    if (!pressed) {
        pEditMode = 0;
        Window().unsetCursor();
        pEditMode = kNoTool;
        return;
    }
    if (index == kSelect) {
        Window().unsetCursor();
    } else if (index > 0 && index < static_cast<int>(kToolCursors.size())) {
        // A pointer file that cannot be read leaves the pointer as it was; the tool still works.
        if (const auto cursor = platform::LoadCursorFile(DataPath(QStringLiteral("ico"), QString::fromLatin1(kToolCursors[index].fileName)))) {
            Window().setCursor(*cursor);
        }
    }
    pEditMode = index;
    if (index == kDistance) {
        host_.editorDrawing().pMeasurePointNum = 0;  // a new measurement
    }
}

void SiteMapEditor::CheckOnlyToolMenuItem(QAction* item)
{
    for (QAction* action : c_.lineDrawMenu->actions()) {
        if (!action->isSeparator()) {
            action->setChecked(action == item);
        }
    }
}

void SiteMapEditor::SelectToolFromMenu(QAction* item, int tool)
{
    CheckOnlyToolMenuItem(item);
    c_.tools[tool]->setChecked(true);
}

void SiteMapEditor::StopLineDrawMenu_Click()
{
    for (QToolButton* toggle : c_.tools) {
        toggle->setChecked(false);
    }
    CheckOnlyToolMenuItem(c_.stopLineDraw);
    pEditMode = kNoTool;
    Window().unsetCursor();
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
        host_.ServePhotoClickRequest(at);
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
        if (!host_.ResultMapShown()) TopLinePress(TipOf(at, kTopLine));
        break;
    case kMovePoint:
        if (!host_.ResultMapShown()) {
            Pic().setDrawWidth(2);
            const QPointF tip = TipOf(at, kMovePoint);
            int k = -1;
            pMoveSTS = edit::SearchTopPointForMove(CurrentMapView(), pActiveBuildingNum, Pt(tip), k) == 1 ? 1 : 0;
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
            pActiveBuildingNum = host_.ShowInputBillTopArea(pActiveBuildingNum);  // takes the unfinished outline off the map
            ShowModelFullMessage();
            return;
        }
        host_.ShowInputBillTopArea(gEachTopAreaNumber);  // none selected: the index is beyond the last
        host_.EditMade();
        return;
    }
    // Room is kept for the closing point, so an outline that could not be stored is never drawn.
    if (pTopLinePointNum >= edit::TopLineRoom()) {
        ShowModelFullMessage();
        return;
    }
    Pic().setDrawWidth(2);
    Pic().setDrawMode(PictureSurface::DrawMode::Xor);
    Pic().circle(tip, 2, kTopLineVertexColor);
    Pic().setDrawMode(PictureSurface::DrawMode::Copy);
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

void SiteMapEditor::ForgetLastPress()
{
    pLastPointX = 0.0;
    pLastPointY = 0.0f;
}

void SiteMapEditor::RedrawDrawnTopLine()
{
    const std::vector<TopAreaPoint> drawn = DrawnTopLine();
    if (drawn.empty()) return;
    const MapViewState view = CurrentMapView();
    Pic().setDrawWidth(2);
    Pic().setDrawMode(PictureSurface::DrawMode::Xor);
    QPointF previous;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const QPointF p = ToQPoint(edit::ToPicture(view, drawn[i]));
        Pic().circle(p, 2, kTopLineVertexColor);
        if (i > 0) Pic().line(previous, p, kTopLineRubberColor);
        previous = p;
    }
    Pic().setDrawMode(PictureSurface::DrawMode::Copy);
    // The rubber line starts afresh from the last point as drawn now. The last press stays: it
    // is the tool in use's, and its double-click acts on it.
    topLineAnchor_ = previous;
    pLineEndX = static_cast<float>(previous.x());
    pLineEndY = static_cast<float>(previous.y());
}

void SiteMapEditor::ShowModelFullMessage() { platform::ShowMessage(&Window(), QString::fromUtf8(kTopAreaFullMessage)); }

void SiteMapEditor::PhotoPic_MouseMove(Qt::MouseButtons buttons, QPointF at)
{
    if (buttons == Qt::LeftButton) {
        if (pPhotoTipSTS == -1) {
            Pic().setToolTip(QString());
            pPhotoTipSTS = 0;
        }
        if (gPhotoClickMode != 0 || pressServedRequest_) return;
        if (pEditMode == kRectangle) {
            const QPointF start(pStartPointX, pStartPointY);
            const QPointF last(pLastPointX, pLastPointY);
            Pic().setDrawMode(PictureSurface::DrawMode::Xor);
            Pic().setDrawWidth(1);
            if (last != start) Pic().box(start, last, kRectangleBandColor);  // erases the band drawn before
            if (at != start) Pic().box(start, at, kRectangleBandColor);
            pLastPointX = at.x();
            pLastPointY = static_cast<float>(at.y());
            Pic().setDrawMode(PictureSurface::DrawMode::Copy);
        } else if (pEditMode == kMovePoint && pMoveSTS == 1) {
            MoveTopPoint(TipOf(at, kMovePoint));
            host_.EditMade();
        }
        return;
    }
    if (buttons != Qt::NoButton) return;
    if (gPhotoClickMode == 1 || gPhotoClickMode == 2) {
        if (pPhotoTipSTS == 0) {
            Pic().setToolTip(kRequestHint);
            pPhotoTipSTS = -1;
        }
    } else if (gPhotoClickMode == 0 && pPhotoTipSTS == -1) {
        Pic().setToolTip(QString());
        pPhotoTipSTS = 0;
    }
    if (gPhotoClickMode != 0) return;
    if (pEditMode == kTopLine && pTopLinePointNum > 0) {
        const QPointF last = topLineAnchor_;
        const QPointF end(pLineEndX, pLineEndY);
        const QPointF tip = TipOf(at, kTopLine);
        Pic().setDrawWidth(2);
        Pic().setDrawMode(PictureSurface::DrawMode::Xor);
        if (end != last) Pic().line(last, end, kTopLineRubberColor);
        if (tip != last) Pic().line(last, tip, kTopLineRubberColor);
        pLineEndX = static_cast<float>(tip.x());
        pLineEndY = static_cast<float>(tip.y());
        Pic().setDrawMode(PictureSurface::DrawMode::Copy);
    }
    double x = 0, y = 0;
    PictureToSite(at.x(), at.y(), x, y, true);
    c_.valueX->setText(QString::fromStdString(platform::FormatFixed(x, "####0.0")));
    c_.valueY->setText(QString::fromStdString(platform::FormatFixed(y, "####0.0")));
}

void SiteMapEditor::MoveTopPoint(QPointF to)
{
    const int area = pActiveBuildingNum;
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
                Pic().line(vertex, other, kDragColor);
            } else {
                Pic().line(other, vertex, kDragColor);
            }
        }
        if (hasCircle) Pic().circle(vertex, 2, kDragColor);
    };
    Pic().setDrawMode(PictureSurface::DrawMode::Xor);
    host_.editorDrawing().RedrawSelectBoxMarks();
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
    host_.editorDrawing().DrawSelectBoxMarks(static_cast<float>(maxX), static_cast<float>(minX), static_cast<float>(maxY),
                                 static_cast<float>(minY));
    Pic().setDrawMode(PictureSurface::DrawMode::Copy);
}

void SiteMapEditor::PhotoPic_MouseUp(Qt::MouseButton button, QPointF at)
{
    if (button == Qt::RightButton) {
        QMenu* menu = nullptr;
        if (pEditMode == kNoTool || pEditMode == kSelect) {
            menu = c_.editingMenu;
        } else if (pEditMode >= kRectangle && pEditMode <= kRemovePoint) {
            menu = c_.lineDrawMenu;
        } else if (pEditMode == kDistance) {
            menu = c_.measureMenu;
        }
        if (menu) menu->popup(Pic().mapToGlobal(Pic().toPixel(at).toPoint()));
        return;
    }
    if (button != Qt::LeftButton) return;
    // The click: the demonstration's panels go when no demonstration runs (the calendar is hidden
    // by the press).
    if (gDemoMode == 0) host_.HideDemoPanels();
    if (pressServedRequest_) {
        pressServedRequest_ = false;  // the press went to another window's request: no tool acts
        return;
    }
    if (pEditMode == kRectangle) {
        const QPointF start(pStartPointX, pStartPointY);
        const QPointF last(pLastPointX, pLastPointY);
        Pic().setDrawMode(PictureSurface::DrawMode::Xor);
        Pic().setDrawWidth(1);
        if (last != start) Pic().box(start, last, kRectangleBandColor);
        Pic().setDrawMode(PictureSurface::DrawMode::Copy);
        if (edit::IsRectangleDrag(Pt(start), Pt(last))) {
            const bool added = edit::AddRectangleBill(CurrentMapView(), Pt(start), Pt(last)) == TopAreaEdit::Done;
            pActiveBuildingNum = gEachTopAreaNumber;  // the new count: nothing selected
            pActiveBuildingNum = host_.ShowInputBillTopArea(pActiveBuildingNum);
            if (added) {
                host_.EditMade();  // so that closing asks before a drawn building is lost
            } else {
                ShowModelFullMessage();
            }
        }
        c_.tools[kRectangle]->setChecked(false);  // one rectangle per choice of the tool
    } else if (pEditMode == kMovePoint && pMoveSTS == 1) {
        pMoveSTS = -1;
        // The moved vertex is stored already; the redraw puts the height label at its new place.
        pActiveBuildingNum = host_.ShowInputBillTopArea(pActiveBuildingNum);
    }
}

void SiteMapEditor::PhotoPic_DblClick(Qt::MouseButton button)
{
    if (button != Qt::LeftButton || host_.ResultMapShown()) return;
    const QPointF last(pLastPointX, pLastPointY);
    const bool selected = pActiveBuildingNum >= 0 && pActiveBuildingNum < gEachTopAreaNumber;
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
    pActiveBuildingNum = hit;
    pActiveBuildingNum = host_.ShowInputBillTopArea(pActiveBuildingNum);
    if (hit >= 0 && enableDeleteOnHit) c_.deleteBuilding->setEnabled(true);
    if (hit < 0 && disableDeleteOnMiss) c_.deleteBuilding->setEnabled(false);
}

void SiteMapEditor::InsertTopPointAt(QPointF at)
{
    const MapViewState view = CurrentMapView();
    edit::PicturePoint onEdge;
    const int k = edit::SearchTopLineForAdd(view, pActiveBuildingNum, Pt(at), onEdge);
    if (k < 0) return;
    if (edit::AddTopPoint(view, pActiveBuildingNum, k, onEdge) != TopAreaEdit::Done) {
        ShowModelFullMessage();
        return;
    }
    pActiveBuildingNum = host_.ShowInputBillTopArea(pActiveBuildingNum);
    host_.EditMade();
}

void SiteMapEditor::RemoveTopPointAt(QPointF at)
{
    int k = -1;
    if (edit::SearchTopPointForRemove(CurrentMapView(), pActiveBuildingNum, Pt(at), k) != 1) return;
    if (edit::RemoveTopPoint(pActiveBuildingNum, k) == 0) {
        pActiveBuildingNum = -1;  // the building went with its last corners
        CloseHeightDialog();
    }
    pActiveBuildingNum = host_.ShowInputBillTopArea(pActiveBuildingNum);
    host_.EditMade();
}

// ---- Distance tool ------------------------------------------------------------------------------

void SiteMapEditor::MeasureDistPress(QPointF at)
{
    SiteMapDrawing& map = host_.editorDrawing();
    const int n = map.pMeasurePointNum;
    // The polyline holds 101 points; further presses are not taken.
    if (n < 0 || n >= static_cast<int>(map.pMeasurePointX.size())) return;
    Pic().setDrawMode(PictureSurface::DrawMode::Copy);
    double x = 0, y = 0;
    PictureToSite(at.x(), at.y(), x, y, false);
    map.pMeasurePointX[n] = static_cast<float>(x);
    map.pMeasurePointY[n] = static_cast<float>(y);
    const QColor red(200, 0, 0);
    if (n > 0) Pic().line(QPointF(pStartPointX, pStartPointY), at, red);
    Pic().circle(at, 2, red);
    Pic().circle(at, 3, red);
    map.pMeasurePointNum = n + 1;
    double total = 0.0;
    for (int i = 1; i <= n; ++i) {
        total += std::hypot(double(map.pMeasurePointX[i]) - map.pMeasurePointX[i - 1],
                            double(map.pMeasurePointY[i]) - map.pMeasurePointY[i - 1]);
    }
    c_.distance->setText(QString::number(platform::RoundHalfEven(total)) + QStringLiteral("m"));
    pStartPointX = at.x();
    pStartPointY = static_cast<float>(at.y());
}

void SiteMapEditor::EnsMeasureSistMenu_Click()
{
    // The points and the total stay; the polyline is drawn again after a view change.
    Window().unsetCursor();
    pEditMode = 0;
    c_.tools[kDistance]->setChecked(false);
    Pic().setDrawMode(PictureSurface::DrawMode::Copy);
}

// ---- Building commands ----------------------------------------------------------------------

void SiteMapEditor::DeleteBuildingMenu_Click()
{
    // A deletion is an edit like any other: closing then asks before it is lost.
    if (DeleteActiveBill(pActiveBuildingNum) == TopAreaEdit::Done) {
        host_.EditMade();
        CloseHeightDialog();
    }
    pActiveBuildingNum = -1;
    host_.RedrawMapAfterViewChange(false);
    c_.deleteBuilding->setEnabled(false);
}

void SiteMapEditor::SetBuildingHeightMenu_Click()
{
    if (pActiveBuildingNum < 0 || pActiveBuildingNum >= gEachTopAreaNumber) return;
    platform::ShowSingleWindow(heightFrm_, [this] {
        return new SetBuildingHeightFrm(pActiveBuildingNum,
                                        [this](int building) {
                                            host_.EditMade();  // a changed height is an edit too
                                            // The map shows the building just changed selected,
                                            // even if another one was selected meanwhile.
                                            pActiveBuildingNum = host_.ShowInputBillTopArea(building);
                                        },
                                        &Window());
    });
}

void SiteMapEditor::CloseHeightDialog()
{
    if (!heightFrm_.isNull()) heightFrm_->close();
}
