// The building input's mouse handlers on the picture, forwarded to its editor (PictureEditor.h),
// and what the editor asks of the window: the change flag, the roof commands that follow the
// selection, the wall height in the height box, the messages and the pop-up menu.
#include "InputLineFrm.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

#include "photoinput/PhotoPicking.h"
#include "platform/MessageBox.h"
#include "platform/PictureSurface.h"

void InputLineFrm::PhotoPic_MouseDown(Qt::MouseButton button, QPointF at) { editor_->MouseDown(button, at); }

void InputLineFrm::PhotoPic_MouseMove(Qt::MouseButtons, QPointF at) { editor_->MouseMove(at); }

void InputLineFrm::PhotoPic_MouseUp(Qt::MouseButton button, QPointF at) { editor_->MouseUp(button, at); }

void InputLineFrm::PhotoPic_DblClick(Qt::MouseButton button) { editor_->DblClick(button); }

void InputLineFrm::MarkEdited() { unsavedEdits_ = true; }

void InputLineFrm::RoofSelected(int roof)
{
    if (planShown_) {
        ChangeBillHeightMenu->setEnabled(roof >= 0);
    } else {
        Remove1TopAreaMenu->setEnabled(roof >= 0);
    }
}

void InputLineFrm::ShowWallHeight(double topY, double footY)
{
    const WallHeight measured = MeasureWallHeight(BoxValue(VerHeightmTxt), BoxValue(IncliHeightmTxt), topY, footY);
    HeightTxt->setText(QString::fromStdString(measured.text));
    if (!measured.message.empty()) platform::ShowMessage(this, QString::fromStdString(measured.message));
}

void InputLineFrm::ShowEditMessage(const QString& message) { platform::ShowMessage(this, message); }

void InputLineFrm::PopUpEditMenu(QPointF at)
{
    EditPhotoLineMenu->popup(PhotoPic->mapToGlobal(PhotoPic->toPixel(at).toPoint()));
}
