// The building input's picture: loading a picture file or a built-in picture, the overlay over
// it and the two picture buttons.
#include "InputLineFrm.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPushButton>
#include <QLineEdit>

#include "photoinput/PhotoModel.h"
#include "photoinput/SampleData.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/PictureSurface.h"

namespace {

const QString kDiscardQuestion = QStringLiteral("入力中のデータは消去されます。よろしいですか？");

bool IsPictureFileType(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg") || suffix == QLatin1String("bmp");
}

}  // namespace

void InputLineFrm::SetPhoto(const QImage& picture)
{
    photo_ = picture.convertToFormat(QImage::Format_RGB32);
    photoShown_ = true;
    ClearPhotoCmd->setText(QStringLiteral("画像消去"));
    // Centred in the frame; a picture larger than the frame is cut off on every side.
    const QSize size = photo_.size();
    photoRect_ = QRect((BasePic->width() - size.width()) / 2, (BasePic->height() - size.height()) / 2, size.width(),
                       size.height());
    SetPhotoPictureWidth(static_cast<float>(size.width()));
    RestorePhotoSurface();
}

void InputLineFrm::RestorePhotoSurface()
{
    PhotoPic->setGeometry(photoRect_);
    PhotoPic->setPictureSize(photoRect_.size());
    const double w = photoRect_.width(), h = photoRect_.height();
    PhotoPic->setScale(-w / 2.0, h / 2.0, w, -h);
}

void InputLineFrm::ClearToPicture()
{
    // A rubber line under way goes with the drawings: the next move draws it afresh from its anchor.
    editor_->ForgetRubberLine();
    PhotoPic->setDrawMode(PictureCanvas::DrawMode::Copy);
    PhotoPic->clear();
    if (!planShown_ && photoShown_ && !photo_.isNull()) {
        const double w = PhotoPic->scaleWidth(), h = PhotoPic->scaleHeight();
        PhotoPic->drawImage(QPointF(PhotoPic->scaleLeft(), PhotoPic->scaleTop()),
                            QPointF(PhotoPic->scaleLeft() + w, PhotoPic->scaleTop() + h), photo_);
    }
}

bool InputLineFrm::OpenPhotoFile(const QString& path)
{
    if (path.isEmpty() || !IsPictureFileType(path)) return false;
    // Decoded first: a file that is no picture changes nothing.
    QImageReader reader(path);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        platform::ShowMessage(this, QStringLiteral("画像を読み込めませんでした。\n%1").arg(reader.errorString()));
        return false;
    }
    if (!ConfirmDiscardEdits(kDiscardQuestion)) return false;
    setCursor(Qt::WaitCursor);
    ResetAllDataBuildingData();
    editor_->setSelectedRoof(-1);
    setWindowTitle(QStringLiteral("３D写真/") + QFileInfo(path).fileName());
    SetPhoto(picture);
    ShowNorthAngle(0.0f);
    ShowPhotoLine(-1, -1);
    unsetCursor();
    return true;
}

void InputLineFrm::OPenPhotoMenu_Click()
{
    platform::FileDialogOptions options;
    options.filters = {QStringLiteral("3D画像ファイル (*.jpg *.jpeg *.JPG *.JPEG)"), QStringLiteral("bmp ファイル (*.bmp *.BMP)")};
    options.fileName = QStringLiteral("*.jpg");
    OpenPhotoFile(platform::AskFileName(this, platform::FileDialogKind::Open, options));
}

bool InputLineFrm::LoadSamplePhoto(int which)
{
    const BuiltInPicture& built = which == 2 ? kObliquePicture2 : kObliquePicture1;
    const QImage picture(QString::fromLatin1(built.resource));
    if (picture.isNull()) return false;
    if (!ConfirmDiscardEdits(kDiscardQuestion)) return false;
    ResetAllDataBuildingData();
    editor_->setSelectedRoof(-1);
    SetPhoto(picture);
    VerHeightmTxt->setText(which == 2 ? QStringLiteral("598") : QStringLiteral("589"));
    IncliHeightmTxt->setText(which == 2 ? QStringLiteral("102") : QStringLiteral("134"));
    ShowNorthAngle(0.0f);
    ShowPhotoLine(-1, -1);
    return true;
}

void InputLineFrm::LoadSamplePhotoMenu_Click() { LoadSamplePhoto(1); }

void InputLineFrm::LoadSample2PhotoMenu_Click() { LoadSamplePhoto(2); }

void InputLineFrm::ShowPhotoLine(int active, int wallSwitch)
{
    ClearToPicture();
    DrawPhotoOverlay(*PhotoPic, active, wallSwitch, editor_->selectedRoof());
}

void InputLineFrm::ShowPhotoLineOnly()
{
    ClearToPicture();
    DrawPhotoOverlayOnly(*PhotoPic);
}

void InputLineFrm::ClearPhotoCmd_Click()
{
    unsetCursor();
    PhotoPic->unsetCursor();
    const bool hide = photoShown_;
    photoShown_ = !hide;
    ClearPhotoCmd->setText(hide ? QStringLiteral("戻す") : QStringLiteral("画像消去"));
    // In the plan view only the state changes; the oblique view shows it when it comes back.
    if (planShown_) return;
    if (hide) {
        ShowPhotoLineOnly();
    } else {
        ShowPhotoLine(-1, -1);
    }
}

void InputLineFrm::ResetDataCmd_Click()
{
    if (!ConfirmDiscardEdits(QStringLiteral("入力したデータをすべて消去しますか？"))) return;
    photoShown_ = false;
    ClearPhotoCmd->setText(QStringLiteral("戻す"));
    ResetAllDataBuildingData();
    unsavedEdits_ = false;
    dataFileName_ = QStringLiteral("*.dat");
    editor_->setSelectedRoof(-1);
    Remove1TopAreaMenu->setEnabled(false);
    unsetCursor();
    PhotoPic->unsetCursor();
    ShowPhotoLine(-1, -1);
}
