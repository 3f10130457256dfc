// The main window's file commands: the settings file read at the load and written at the end,
// project open and save, the built-in sample, GPS record files, the picture save, printing, the
// almanac import window and the almanac download page.
//
// Readers read a file line by line into a temporary and check it before anything changes; a
// broken file is reported and leaves the program's state as it was.
// Writers replace a file whole or not at all, and a failed write is reported.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QToolButton>
#include <QUrl>
#include <optional>

#include "MainFileCommands.h"
#include "MainWorkingFrm.h"
#include "SiteMapEditor.h"
#include "site/GpsRecord.h"
#include "site/RunState.h"
#include "site/MapView.h"
#include "platform/NamedControls.h"
#include "platform/OwnedWindow.h"
#include "site/SiteFiles.h"
#include "site/TopAreaModel.h"
#include "orbit/Almanac4Frm.h"
#include "orbit/AlmanacTable.h"
#include "orbit/ObservationConditions.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "platform/PictureSurface.h"
#include "platform/PrintWindow.h"
#include "platform/WaitTime.h"
#include "platform/WebPage.h"
#include "skyview/DispCumpuSateliteObitFrm.h"

double gPictureSaveWait = 0.1;

namespace {

const QString kTitle = QStringLiteral("GPS衛星軌道予測/");
const QStringList kProjectFilters = {QStringLiteral("プロジェクト ファイル (*.dat)"), QStringLiteral("txt ファイル (*.txt)")};

// The hourglass pointer for the length of a command.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

QString SettingPath() { return DataPath(QStringLiteral("data0"), QStringLiteral("Setting.dat")); }


double BoxValue(const QLineEdit* box) { return platform::NumericValue(box->text().toStdString()); }

// The file's type is the suffix of its name, in any case ("Site.DAT" is a project file too).
bool HasSuffix(const QString& path, std::initializer_list<const char*> suffixes)
{
    const QString suffix = QString::fromStdString(FileSuffix(path.toStdString()));
    for (const char* s : suffixes) {
        if (suffix.compare(QLatin1String(s), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

// The path as the file readers take it (the file system's encoding).
std::string ReaderPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Tells why a file reader refused `path`: it could not be read, or it is broken.
void ShowRefusedFile(QWidget* parent, const QString& path, const FileError& error)
{
    const QString caption = error.cannotRead ? QStringLiteral("ファイルを開けません。") : QStringLiteral("データが壊れています。");
    platform::ShowMessage(parent, QStringLiteral("%1\n%2\n%3").arg(caption, path, QString::fromStdString(error.reason)));
}

// Replaces the file whole or not at all; false, after a message, when it could not be written.
bool WriteWholeFile(QWidget* parent, const QString& path, const std::string& text)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) &&
        file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) && file.commit()) {
        return true;
    }
    platform::ShowMessage(parent, QStringLiteral("ファイルを保存できませんでした。\n%1\n%2").arg(path, file.errorString()));
    return false;
}

}  // namespace

void MainWorkingFrm::ConnectFileCommands()
{
    connect(LoadMapDataMenu, &QAction::triggered, this, &MainWorkingFrm::LoadMapDataMenu_Click);
    connect(LoadStoredGPSDataMenu, &QAction::triggered, this, &MainWorkingFrm::LoadStoredGPSDataMenu_Click);
    connect(ReadSampleDataMemu, &QAction::triggered, this, &MainWorkingFrm::ReadSampleDataMemu_Click);
    connect(SaveDisplayPicCmd, &QPushButton::clicked, this, &MainWorkingFrm::SaveDisplayPicCmd_Click);
    connect(PrintDisplayCmd, &QPushButton::clicked, this, &MainWorkingFrm::PrintDisplayCmd_Click);
    connect(SetAlmanacCmd, &QPushButton::clicked, this, &MainWorkingFrm::SetAlmanacCmd_Click);
    connect(ConnectCoastGardRbn, &QToolButton::toggled, this, &MainWorkingFrm::ConnectCoastGardRbn_Click);
    connect(RotateBuildingMenu, &QAction::triggered, this, &MainWorkingFrm::RotateBuildingMenu_Click);
    connect(BuildingHeightMenu, &QAction::triggered, this, &MainWorkingFrm::BuildingHeightMenu_Click);
}

QString MainWorkingFrm::AskMainFileName(platform::FileDialogKind kind, const QStringList& filters,
                                        const QString& fileName, const QString& defaultSuffix)
{
    platform::FileDialogOptions options;
    options.filters = filters;
    options.fileName = fileName;
    options.folder = fileFolder_.isEmpty() ? gStartDir : fileFolder_;
    options.defaultSuffix = defaultSuffix;
    const QString path = platform::AskFileName(this, kind, options);
    if (!path.isEmpty()) {
        fileFolder_ = QFileInfo(path).absolutePath();
    }
    return path;
}

// ---- Settings file ----------------------------------------------------------------------------

void MainWorkingFrm::LoadSettingData()
{
    const QString path = SettingPath();
    if (!QFileInfo::exists(path)) {
        return;  // the first run: the defaults stay
    }
    FileError error;
    const auto data = ReadSettingFile(ReaderPath(path), &error);
    if (!data) {
        ShowRefusedFile(this, path, error);
        return;
    }
    SetLatitude(data->latitude);
    SetLongitude(data->longitude);
    LatDataTxt->setText(platform::BoxNumber(gLatitude));
    LonDataTxt->setText(platform::BoxNumber(gLongitude));
    // The box's change handler stores the antenna height, the list's handler the mask.
    SetAntennaHeight(data->antennaHeight);
    AntennaHTxt->setText(platform::BoxNumber(data->antennaHeight));
    SetElevationMask(data->elevationMask);
    ElevationCmb->setCurrentIndex(static_cast<int>(platform::RoundHalfEven(data->elevationMask)));
    SetSettingReserve(data->reserve);
}

bool MainWorkingFrm::SaveSettingData()
{
    // The position is the one last computed or loaded (the variables); the antenna height and
    // the mask are taken from their controls.
    SetAntennaHeight(static_cast<float>(BoxValue(AntennaHTxt)));
    SetElevationMask(static_cast<float>(ElevationCmb->currentIndex()));
    SetSettingReserve(10);
    const SettingData data{gLatitude, gLongitude, gAntennaHeight, gElevationMask, gSettingReserve};
    QDir().mkpath(DataPath(QStringLiteral("data0"), QString()));
    return WriteWholeFile(this, SettingPath(), WriteSettingText(data));
}

// ---- Project files and the sample -------------------------------------------------------------

bool MainWorkingFrm::SaveProjectData(const QString& path)
{
    SetAntennaHeight(static_cast<float>(BoxValue(AntennaHTxt)));
    SetElevationMask(static_cast<float>(ElevationCmb->currentIndex()));
    SetSettingReserve(10);
    ProjectData data = CaptureProject();
    // The position as the boxes show it: a typed position is saved even before a computation
    // has read it into the conditions.
    data.latitude = static_cast<float>(BoxValue(LatDataTxt));
    data.longitude = static_cast<float>(BoxValue(LonDataTxt));
    data.reserve1 = gProjectReserve1;
    data.reserve2 = gProjectReserve2;
    return WriteWholeFile(this, path, WriteProjectText(data));
}

int MainWorkingFrm::LoadProjectData(const QString& path)
{
    FileError error;
    const auto data = ReadProjectFile(ReaderPath(path), &error);
    if (!data) {
        ShowRefusedFile(this, path, error);
        return -1;
    }
    if (!TakeProject(*data)) {
        ShowRefusedFile(this, path, {kBrokenRunsReason});
        return -1;
    }
    return 0;
}

bool MainWorkingFrm::TakeProject(const ProjectData& data)
{
    if (ApplyProject(data) != TopAreaEdit::Done) {
        return false;
    }
    DropGpsTrackThatDoesNotFit();
    CloseHeightDialog();
    SetProjectReserves(data.reserve1, data.reserve2);
    SetSettingReserve(data.settingReserve);
    // The computations read the conditions back from the controls, so they must show what was
    // loaded. The parser has checked the ranges the boxes' handlers check.
    LatDataTxt->setText(platform::BoxNumber(data.latitude));
    LonDataTxt->setText(platform::BoxNumber(data.longitude));
    AntennaHTxt->setText(platform::BoxNumber(data.antennaHeight));
    ElevationCmb->setCurrentIndex(static_cast<int>(platform::RoundHalfEven(data.elevationMask)));
    editor_->setActiveBuilding(-1);
    return true;
}

void MainWorkingFrm::SetMapCenterFromTopArea()
{
    std::vector<SitePoint> points;
    for (int j = 0; j < gTopAreaPointTotalNumber && j < kMaxTopPoints; ++j) {
        points.push_back({gNorthTopAreaX[j], gNorthTopAreaY[j]});
    }
    const SitePoint centre = BoundingBoxCentre(points);
    SetMapCenter(centre.x, centre.y);
}

void MainWorkingFrm::LoadMapDataMenu_Click()
{
    const QString path = AskMainFileName(platform::FileDialogKind::Open, kProjectFilters, pDataFileName[0]);
    if (path.isEmpty()) {
        return;
    }
    if (!HasSuffix(path, {"dat", "txt"})) {
        return;
    }
    {
        BusyPointer busy;
        if (LoadProjectData(path) != 0) {
            return;
        }
    }
    pProjectFileName = QString::fromStdString(FileNameOfPath(path.toStdString()));
    setWindowTitle(kTitle + pProjectFileName);
    if (gFixDataSTS == 1) {
        SetMapCenterFromTopArea();
    } else {
        SetMapCenter(0.0, 0.0f);
    }
    // A project opened after the sample can be saved. The change count stays: it counts every
    // edit of the run, and closing asks while it is above 0.
    pSampleLoaded = 0;
    ShowInputBillTopArea(-1);
}

bool MainWorkingFrm::SaveProjectMenu_Click()
{
    const QString path =
        AskMainFileName(platform::FileDialogKind::Save, kProjectFilters, pProjectFileName, QStringLiteral("dat"));
    if (path.isEmpty()) {
        return false;
    }
    if (QString::fromStdString(FileNameOfPath(path.toStdString())) == pDataFileName[1]) {
        platform::ShowMessage(this, QStringLiteral("このデータは保存できません。"));
        return false;
    }
    if (!HasSuffix(path, {"dat", "txt"})) {
        return false;
    }
    if (QFileInfo::exists(path) &&
        platform::ShowMessage(this, QStringLiteral("同じファイル名があります上書きしますか？"),
                              platform::MessageButtons::OkCancel) != platform::MessageAnswer::Ok) {
        return false;
    }
    // The change count stays as it is after a save: closing still asks (the save leaves the
    // window open so the user can go on).
    BusyPointer busy;
    return SaveProjectData(path);
}

void MainWorkingFrm::SetSampleProject()
{
    // The sample is in local metres (calibration flag 0) and drawn around the site origin, also
    // after a calibrated project moved the centre far away.
    TakeProject(SampleProject());
    SetMapCenter(0.0, 0.0f);
}

void MainWorkingFrm::ReadSampleDataMemu_Click()
{
    {
        BusyPointer busy;
        SetSampleProject();
    }
    setWindowTitle(kTitle);
    ShowInputBillTopArea(-1);
    editor_->setActiveBuilding(-1);
    pSampleLoaded = -1;
}

// ---- GPS record files -------------------------------------------------------------------------

bool MainWorkingFrm::GpsRecordCanBeDrawn()
{
    if (!GPSRecordFitsSite()) {
        // A record holds plane coordinates, the buildings of a map not corrected local metres:
        // the two cannot be drawn together. The record is refused with the reason, and the track
        // and the map stay as they were.
        platform::ShowMessage(this, QStringLiteral("マップ補正されていないため、GPS記録データは建物と重ねて表示できません。"));
        return false;
    }
    return true;
}

void MainWorkingFrm::DropGpsTrackThatDoesNotFit()
{
    if (!GPSRecordFitsSite()) ClearGPSRecord();
}

bool MainWorkingFrm::LoadGPSRecordData(const QString& path)
{
    if (!GpsRecordCanBeDrawn()) {
        return false;
    }
    FileError error;
    const auto read = ReadGpsRecordFile(ReaderPath(path), &error);
    if (!read) {
        ShowRefusedFile(this, path, error);
        return false;
    }
    const std::vector<SitePoint>& track = *read;
    if (track.empty()) {
        // Record lines whose positions all lie off any site: said, and the track shown so far is
        // kept rather than replaced by nothing.
        platform::ShowMessage(this, QStringLiteral("GPS記録データに位置がありません。\n%1").arg(path));
        return false;
    }
    const int count = std::min<int>(static_cast<int>(track.size()), kMaxGPSRecordPoints);
    for (int k = 0; k < count; ++k) {
        gGPSRecordX[k] = track[k].x;
        gGPSRecordY[k] = track[k].y;
    }
    gGPSRecordNum = count;
    if (gFixDataSTS == 0) {
        const SitePoint centre = BoundingBoxCentre(track);
        SetMapCenter(centre.x, centre.y);
    }
    return true;
}

void MainWorkingFrm::LoadStoredGPSDataMenu_Click()
{
    // Refused before a file is chosen: no record could be drawn on this site.
    if (!GpsRecordCanBeDrawn()) {
        return;
    }
    const QString path = AskMainFileName(
        platform::FileDialogKind::Open,
        {QStringLiteral("プロジェクト ファイル (*.gps)"), QStringLiteral("txt ファイル (*.txt)")}, QStringLiteral("*.gps"));
    if (path.isEmpty()) {
        return;
    }
    // The record is drawn over the site; the project keeps its own name.
    if (!HasSuffix(path, {"txt", "gps"})) {
        return;
    }
    bool loaded = false;
    {
        BusyPointer busy;
        loaded = LoadGPSRecordData(path);
    }
    if (loaded) {
        ShowInputBillTopArea(-1);
    }
}

// ---- Picture save and print -------------------------------------------------------------------

void MainWorkingFrm::SaveDisplayPicCmd_Click()
{
    const QString path = AskMainFileName(
        platform::FileDialogKind::Save, {QStringLiteral("bmp ファイル (*.bmp)"), QStringLiteral("*.* 全ファイル (*.*)")},
        QStringLiteral("Picture1.bmp"), QStringLiteral("bmp"));
    if (path.isEmpty()) {
        return;
    }
    platform::WaitTime(gPictureSaveWait);
    if (QFileInfo::exists(path) &&
        platform::ShowMessage(this, QStringLiteral("既存ファイルに上書きしますか？"), platform::MessageButtons::OkCancel) !=
            platform::MessageAnswer::Ok) {
        return;
    }
    if (!PhotoPic->saveBitmap(path)) {
        platform::ShowMessage(this, QStringLiteral("画像を保存できませんでした。\n%1").arg(path));
    }
}

void MainWorkingFrm::PrintDisplayCmd_Click()
{
    // A failed print is said (a cancelled one is not), so that no one waits for a page that
    // never comes.
    if (platform::PrintWindowWithDialog(*this) == platform::PrintResult::Failed) {
        platform::ShowMessage(this, QStringLiteral("印刷できませんでした。"));
    }
}

// ---- Almanac ----------------------------------------------------------------------------------

Almanac4Frm* MainWorkingFrm::almanac4Frm() const { return almanac4Frm_.data(); }

void MainWorkingFrm::SetAlmanacCmd_Click()
{
    platform::ShowSingleWindow(almanac4Frm_, [this] {
        auto* window = new Almanac4Frm(DataPath(QStringLiteral("data0"), QString()),
                                       DataPath(QStringLiteral("data0"), QStringLiteral("Almanac1.alx")), this);
        window->onAlmanacSaved = [this] {
            // The new almanac reaches the orbit view too: its label, then its recomputation
            // (which waits until the view has been shown once).
            const QString name = QString::fromStdString(gAlmanacName);
            AlmanacDataLbl->setText(name);
            DispCumpuSateliteObitFrm* view = DispCumpuSateliteObit();
            view->AlmanacDataLbl->setText(name);
            view->ReComputeSateObit();
        };
        return window;
    });
}

void MainWorkingFrm::ConnectCoastGardRbn_Click(bool pressed)
{
    if (!pressed) {
        return;  // the spring-back below
    }
    const QUrl page(QString::fromLatin1(kAlmanacPageUrl));
    // Without a browser the address is shown, so that the user can open the page elsewhere.
    if (!platform::OpenWebPage(page)) {
        platform::ShowMessage(this, QStringLiteral("ブラウザを開けませんでした。\n%1").arg(page.toString()));
    }
    ConnectCoastGardRbn->setChecked(false);
}
