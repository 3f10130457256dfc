// The building input's data files: open and save of building-data files, the working file of
// the hand-over, the two sample data sets and the developer's demonstration file.
#include "InputLineFrm.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QToolButton>

#include "photoinput/DataFileCommands.h"
#include "photoinput/PhotoModel.h"
#include "photoinput/SampleData.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/NamedControls.h"
#include "platform/NumberText.h"
#include "platform/PictureSurface.h"
#include "site/RunState.h"

namespace {

QString WorkingFilePath() { return DataPath(QStringLiteral("Sample1"), QStringLiteral("TempData1.dat")); }

}  // namespace

PhotoSurfaceGeometry InputLineFrm::SurfaceGeometry() const
{
    // The picture's surface, whichever view shows: its width is the picture width every later
    // conversion of the file's roofs needs (the plan canvas's would scale them wrongly).
    const float width = gPhotoPictureWidth > 0.0f ? gPhotoPictureWidth : static_cast<float>(photoRect_.width());
    return {static_cast<float>(photoRect_.height()), width, photoRect_.y(), photoRect_.x()};
}

void InputLineFrm::ShowModelCalibration()
{
    ShowNorthAngle(gNorthAngle);
    VerHeightmTxt->setText(platform::BoxNumber(gSourceHeight));
    IncliHeightmTxt->setText(platform::BoxNumber(gSlideHeight));
}

bool InputLineFrm::SaveTempLineData()
{
    std::string error;
    if (SaveLineDataFile(WorkingFilePath().toStdString(), SurfaceGeometry(), &error)) return true;
    // An earlier working file would bring back an older model at the next opening.
    QFile::remove(WorkingFilePath());
    platform::ShowMessage(this, QStringLiteral("作業ファイル %1 を保存できませんでした。\n%2")
                                    .arg(WorkingFilePath(), QString::fromStdString(error)));
    return false;
}

void InputLineFrm::LoadTempLineData()
{
    // A working file that is not there restores nothing; a broken one says so.
    if (!QFileInfo::exists(WorkingFilePath())) return;
    std::string message;
    if (!LoadLineDataFile(WorkingFilePath().toStdString(), pictureLoaded(), &message)) {
        platform::ShowMessage(this, QString::fromStdString(message));
        return;
    }
    ShowModelCalibration();
    PressViewButton(1);
}

void InputLineFrm::OpenDataMenu_Click()
{
    platform::FileDialogOptions options;
    options.filters = {QStringLiteral("データファイル (*.dat)"), QStringLiteral("txt ファイル (*.txt)")};
    options.fileName = QStringLiteral("*.dat");
    const QString path = platform::AskFileName(this, platform::FileDialogKind::Open, options);
    if (path.isEmpty()) return;
    dataFileName_ = QFileInfo(path).fileName();
    if (!IsLineDataFileType(path.toStdString())) return;
    if (!ConfirmDiscardEdits(QStringLiteral("入力中のデータは消去されます。よろしいですか？"))) return;
    setCursor(Qt::WaitCursor);
    std::string message;
    const bool read = LoadLineDataFile(path.toStdString(), pictureLoaded(), &message);
    unsetCursor();
    if (!read) {
        platform::ShowMessage(this, QString::fromStdString(message));
        return;
    }
    editor_->setSelectedRoof(-1);
    unsavedEdits_ = false;
    setWindowTitle(QString::fromStdString(LineDataCaption(path.toStdString())));
    ShowModelCalibration();
    if (planShown_) {
        PressViewButton(0);
    } else {
        ShowPhotoLine(-1, -1);
    }
}

void InputLineFrm::SaveDataMenu_Click()
{
    if (!SlopeOrFlatRbn[1]->isChecked()) PressViewButton(1);
    platform::FileDialogOptions options;
    options.filters = {QStringLiteral("プロジェクト ファイル (*.dat)"), QStringLiteral("txt ファイル (*.txt)")};
    options.fileName = dataFileName_;
    const QString path = platform::AskFileName(this, platform::FileDialogKind::Save, options);
    if (path.isEmpty()) return;
    switch (DecideLineDataSave(path.toStdString(), QFileInfo::exists(path))) {
    case SaveDecision::RefusedName:
        platform::ShowMessage(this, QString::fromUtf8(kSaveRefusedMessage));
        return;
    case SaveDecision::NotADataFile:
        return;
    case SaveDecision::AskOverwrite:
        if (platform::ShowMessage(this, QString::fromUtf8(kOverwriteQuestion), platform::MessageButtons::OkCancel) !=
            platform::MessageAnswer::Ok) {
            return;
        }
        break;
    case SaveDecision::Write:
        break;
    }
    setCursor(Qt::WaitCursor);
    std::string error;
    const bool written = SaveLineDataFile(path.toStdString(), SurfaceGeometry(), &error);
    unsetCursor();
    if (!written) {
        platform::ShowMessage(this, QString::fromStdString(error));
        return;
    }
    unsavedEdits_ = false;
}

void InputLineFrm::LoadSampleData(int which)
{
    if (!ConfirmDiscardEdits(QStringLiteral("入力中のデータは消去されます。よろしいですか？"))) return;
    if (which == 2) {
        SetSample2LineData(pictureLoaded());
    } else {
        SetSample1LineData(pictureLoaded());
    }
    editor_->setSelectedRoof(-1);
    ShowModelCalibration();
    // The sample as loaded holds no edits of the user's (any earlier ones were given up above).
    unsavedEdits_ = false;
    if (planShown_) {
        PressViewButton(0);
    } else {
        ShowPhotoLine(-1, -1);
    }
}

void InputLineFrm::LoadSampleDataMenu_Click() { LoadSampleData(1); }

void InputLineFrm::LoadSample2DataMenu_Click() { LoadSampleData(2); }

void InputLineFrm::SaveDemoCmd_Click()
{
    const QString path = DataPath(QStringLiteral("data0"), QStringLiteral("Daroreridide20.dat"));
    std::string error;
    if (!SaveDemoLineDataFile(path.toStdString(), SurfaceGeometry(), planScale_, &error)) {
        platform::ShowMessage(this, QString::fromStdString(error));
    }
}
