// The building input's calibration: the two altitude boxes and their check, the north dial with
// its typed angle, and the north-up redraw of the plan.
#include "InputLineFrm.h"

#include <QLineEdit>

#include "photoinput/Calibration.h"
#include "photoinput/NorthDial.h"
#include "photoinput/PhotoModel.h"
#include "planview/PlanDrawing.h"
#include "planview/PlanView.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "platform/PictureSurface.h"

namespace {

double BoxValue(const QLineEdit* box) { return platform::NumericValue(box->text().toStdString()); }

// The check of an altitude box: text that is no number and a value outside 0..1500 are refused
// and the box emptied.
void CheckAltitudeBox(QWidget* window, QLineEdit* box)
{
    if (platform::IsNumberOrItsStart(box->text().toStdString()) && AltitudeBoxAccepts(BoxValue(box))) return;
    platform::ShowMessage(window, QString::fromUtf8(kAltitudeBoxMessage));
    box->clear();
}

}  // namespace

void InputLineFrm::VerHeightmTxt_Change() { CheckAltitudeBox(this, VerHeightmTxt); }

void InputLineFrm::IncliHeightmTxt_Change() { CheckAltitudeBox(this, IncliHeightmTxt); }

int InputLineFrm::CheckPhotoHeight()
{
    const HeightCheck check = CheckPhotoHeightValues(BoxValue(VerHeightmTxt), BoxValue(IncliHeightmTxt));
    if (check.result != 1) platform::ShowMessage(this, QString::fromStdString(check.message));
    return check.result;
}

void InputLineFrm::ShowNorthAngle(float degrees)
{
    SetNorthAngle(degrees);
    const DialPosition dial = DialAtBearing(degrees);
    AzimusPic->setAnchor({dial.x, dial.y});
    AzimusTxt->setText(QString::fromStdString(platform::FormatFixed(degrees, "##0")));
}

void InputLineFrm::PointImg_MouseUp(double bearing)
{
    const DialPosition dial = DialAtBearing(bearing);
    AzimusPic->setAnchor({dial.x, dial.y});
    AzimusTxt->setText(QString::fromStdString(platform::FormatFixed(bearing, "##0")));
    SetNorthAngle(static_cast<float>(bearing));
    RedrawAzimusView();
}

void InputLineFrm::AzimusTxt_KeyDown(int keyCode)
{
    if (keyCode != 13) return;
    // Text that is no number is refused; the box shows the angle in use again.
    const std::string text = AzimusTxt->text().toStdString();
    if (!platform::IsNumberText(text) && text.find_first_not_of(" \t") != std::string::npos) {
        platform::ShowMessage(this, QString::fromUtf8(kAltitudeBoxMessage));
        AzimusTxt->setText(QString::fromStdString(platform::FormatFixed(gNorthAngle, "##0")));
        return;
    }
    const TypedAngle typed = DialTypedAngle(BoxValue(AzimusTxt));
    AzimusPic->setAnchor({typed.dial.x, typed.dial.y});
    if (!typed.message.empty()) {
        platform::ShowMessage(this, QString::fromStdString(typed.message));
        AzimusTxt->setText(QString::fromStdString(typed.boxText));
        SetNorthAngle(0.0f);
        return;
    }
    SetNorthAngle(static_cast<float>(typed.dial.bearing));
    RedrawAzimusView();
}

void InputLineFrm::RedrawAzimusView()
{
    PhotoPic->setDrawWidth(2);
    if (pViewType != 2) {
        ShowPhotoLine(-1, -1);
        return;
    }
    SetFlatScaleIndex(SelectFlatMapScale(gNorthAngle));
    DrawFlatLineMap(pActiveTopArea);
    DrawFlatScaleBar(*PhotoPic, gFlatScaleIndex);
    ShowCutBillEdge();
    DrawNorthMark(*PhotoPic);
}
