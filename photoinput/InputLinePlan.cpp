// The building input's two views on one picture box: the switch between the oblique picture and
// the plan, the plan drawing, and the footprint grid of the developer button.
#include "InputLineFrm.h"

#include <QAction>
#include <QToolButton>
#include <QLineEdit>

#include "photoinput/PhotoModel.h"
#include "photoinput/PhotoTools.h"
#include "planview/FootprintGrid.h"
#include "planview/PlanConversion.h"
#include "planview/PlanDrawing.h"
#include "planview/PlanView.h"
#include "platform/MessageBox.h"
#include "platform/PictureSurface.h"

void InputLineFrm::PressViewButton(int index)
{
    if (index != 0 && index != 1) return;
    const bool changes = !SlopeOrFlatRbn[index]->isChecked() || SlopeOrFlatRbn[1 - index]->isChecked();
    SlopeOrFlatRbn[index]->setChecked(true);
    SlopeOrFlatRbn[1 - index]->setChecked(false);
    if (changes) SlopeOrFlatRbn_Click(index, true);
}

void InputLineFrm::SlopeOrFlatRbn_Click(int index, bool pressed)
{
    if (!pressed) return;
    unsetCursor();
    PhotoPic->unsetCursor();
    if (index == 1) {
        if (CheckPhotoHeight() != 1) {
            // Refused: the plan button goes up again and the view stays as it was.
            SlopeOrFlatRbn[1]->setChecked(planShown_);
            SlopeOrFlatRbn[0]->setChecked(!planShown_);
            return;
        }
        PhotoPic->setDrawMode(PictureCanvas::DrawMode::Copy);
        PhotoPic->clear();
    } else {
        PhotoPic->setDrawWidth(2);
    }
    const bool plan = index == 1;
    DispFlatMapMenu->setChecked(plan);
    DispSlopeMapMenu->setChecked(!plan);
    EnableToolsForView(plan);
    ChangeBillHeightMenu->setEnabled(false);
    Remove1TopAreaMenu->setEnabled(false);
    editor_->setSelectedRoof(-1);
    ReleaseToolButtons();
    editor_->setTool(kSelectTool);
    editor_->ResetStrokes();
    if (plan) {
        planScale_ = gFlatScaleRate[static_cast<std::size_t>(gFlatScaleIndex)];
        planShown_ = true;
        ChangeToFlatView();
        return;
    }
    planShown_ = false;
    // Back from the plan: the picture box gets the picture's size, place and photo coordinates
    // again, and the picture comes back under the overlay.
    RestorePhotoSurface();
    ShowPhotoLine(-1, -1);
}

void InputLineFrm::ChangeToFlatView()
{
    // Roofs traced before any wall was measured have no camera yet: the altitudes that passed the
    // check set it up as a wall measurement would.
    std::string message;
    if (gEachTopAreaNumber > 0 && !IsUsableCamera(CurrentCamera())) {
        message = SetUpPhotoCamera(BoxValue(VerHeightmTxt), BoxValue(IncliHeightmTxt)).message;
    }
    SetFlatDataSTS(0);
    PlanResult result = message.empty() ? ComputeFlatTopHeight() : PlanResult::NoCamera;
    if (result == PlanResult::Done) result = ComputeFlatTopArea();
    planConverted_ = result == PlanResult::Done || result == PlanResult::NoRoofs;
    if (planConverted_) {
        SetFlatDataSTS(-1);
    } else {
        platform::ShowMessage(this, QString::fromStdString(message.empty() ? PlanResultMessage(result) : message));
    }
    // The plan canvas keeps the picture box's place in its frame.
    PhotoPic->setGeometry(PhotoPic->x(), PhotoPic->y(), kPlanCanvasPixelWidth, kPlanCanvasPixelHeight);
    PhotoPic->setPictureSize(QSize(kPlanCanvasPixelWidth, kPlanCanvasPixelHeight));
    SetPlanCanvasScale(*PhotoPic);
    ShowFlatLineMap(-1);
}

PlanFrame InputLineFrm::planFrame() const { return PlanFrame{planScale_, gNorthAngle}; }

void InputLineFrm::ShowFlatLineMap(int index)
{
    SetFlatScaleIndex(SelectFlatMapScale(gNorthAngle));
    RedrawPlan(index);
}

void InputLineFrm::RedrawPlan(int index)
{
    DrawFlatLineMap(index);
    DrawFlatScaleBar(*PhotoPic, gFlatScaleIndex);
    DrawNorthMark(*PhotoPic);
}

void InputLineFrm::DrawFlatLineMap(int index)
{
    planScale_ = gFlatScaleRate[static_cast<std::size_t>(gFlatScaleIndex)];
    ::DrawFlatLineMap(*PhotoPic, planFrame(), index);
}

void InputLineFrm::ComputeCutBillCmd_Click()
{
    footprintCrossings_ = MakeFootprintCrossings(gNorthAngle);
    FillFootprintGrid(footprintCrossings_, gBillHeightMesh);
    PhotoPic->setDrawWidth(2);
    DrawFootprintCells(*PhotoPic, gBillHeightMesh, planScale_);
}

void InputLineFrm::ShowCutBillEdge() { DrawFootprintCrossings(*PhotoPic, footprintCrossings_, planScale_); }
