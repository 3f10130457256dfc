// The building input's automatic-roof tool: a double-click on a bright roof of the oblique picture
// stores the roof found around it with its wall edge and shows the building's height.
#include "InputLineFrm.h"

#include <QCursor>
#include <QLineEdit>

#include "photoinput/PhotoModel.h"
#include "platform/MessageBox.h"
#include "platform/PictureSurface.h"
#include "roofdetect/AutoRoof.h"

void InputLineFrm::DetectRoofAtClick()
{
    if (photo_.isNull()) return;  // no picture: nothing to find a roof on
    // The detection runs on the window thread; the busy pointer is the only sign of work.
    const QCursor windowCursor = cursor();
    const QCursor pictureCursor = PhotoPic->cursor();
    setCursor(Qt::WaitCursor);
    PhotoPic->setCursor(Qt::WaitCursor);
    const roofdetect::GreyPicture picture(photo_);
    const roofdetect::AutoRoofResult r =
        roofdetect::DetectRoofAndWall(picture, editor_->workingPoint().x(), editor_->workingPoint().y(), BoxValue(VerHeightmTxt), BoxValue(IncliHeightmTxt));
    if (r.outcome == roofdetect::AutoRoofOutcome::Detected) {
        unsavedEdits_ = true;  // a found roof is an edit: closing asks before it is lost
        editor_->setSelectedRoof(r.roof);
        // With a wall edge the new roof and its walls are highlighted; without, nothing is.
        if (r.wall) {
            ShowPhotoLine(editor_->selectedRoof(), gWallEdgeNumber + 1);
        } else {
            ShowPhotoLine(-1, -1);
        }
        HeightTxt->setText(QString::fromStdString(r.heightText));
    }
    setCursor(windowCursor);
    PhotoPic->setCursor(pictureCursor);
    if (!r.message.empty()) platform::ShowMessage(this, QString::fromStdString(r.message));
}
