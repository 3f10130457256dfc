// The main window's life cycle: its load (the system's start-up order), first activation, the
// reset of all working data with the two reset commands, the general redraw and the close.
#include "MainWorkingFrm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>

#include "SiteMapDrawing.h"
#include "SiteMapEditor.h"
#include "AreaJudgementRun.h"
#include "MainDemoStage.h"
#include "app/ManualFrm.h"
#include "site/GpsRecord.h"
#include "site/RunState.h"
#include "site/MapView.h"
#include "site/TopAreaModel.h"
#include "demo/DemoMessages.h"
#include "demo/DemoSequence.h"
#include "demo/DemoTiming.h"
#include "judge/Meshes.h"
#include "judge/ResultTables.h"
#include "orbit/AlmanacTable.h"
#include "orbit/ObservationConditions.h"
#include "orbit/VisibleSatellites.h"
#include "photoinput/SlideRate.h"
#include "orbit/TextHelpers.h"
#include "platform/Constants.h"
#include "platform/CalendarPopup.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/NamedControls.h"
#include "platform/OwnedWindow.h"
#include "platform/NumberText.h"
#include "platform/PictureSurface.h"

MainWorkingFrm* MainWorkingFrm::instance_ = nullptr;

namespace {
using platform::kTwipsPerPixel;
const QString kTitle = QStringLiteral("GPS衛星軌道予測/");
const QString kProtectedProjectName = QStringLiteral("AreaBillData1.dat");
}  // namespace

MainWorkingFrm* MainWorkingFrm::instance()
{
    if (instance_ == nullptr) {
        instance_ = new MainWorkingFrm();
    }
    return instance_;
}

MainWorkingFrm* MainWorkingFrm::existing() { return instance_; }

MainWorkingFrm::MainWorkingFrm()
{
    instance_ = this;
    setObjectName(QStringLiteral("MainWorkingFrm"));
    setFont(platform::WindowFont(9));
    setWindowTitle(kTitle);
    BuildMenus();
    ConnectMainHelpMenu(HelpMenu, this);
    connect(AroundBuildingInputMenu, &QAction::triggered, this, &MainWorkingFrm::AroundBuildingInputMenu_Click);
    BuildControls();
    ConnectCommands();
    judgement_ = std::make_unique<AreaJudgementRun>(*this);
    connect(JudgeSateNumInComuAreaMenu, &QAction::triggered, this, &MainWorkingFrm::JudgeSateNumInComuAreaMenu_Click);
    connect(JudgeMeanSateNumInComuAreaMenu, &QAction::triggered, this, &MainWorkingFrm::JudgeMeanSateNumInComuAreaMenu_Click);
    ConnectDemoCommands();
    Form_Load();
}

MainWorkingFrm::~MainWorkingFrm()
{
    if (instance_ == this) {
        instance_ = nullptr;
    }
}

void MainWorkingFrm::HandDemonstrationBack(int nextStep) { ContinueDemonstrationAt(nextStep, kDemoHandBackMs); }

void MainWorkingFrm::ContinueDemonstrationAt(int step, int delayMs)
{
    pDemoIndex = step;
    DemoTmr.start(DemoInterval(delayMs));
}

void MainWorkingFrm::ShowDemoClickHint(bool shown)
{
    Message2Pnl->setVisible(shown);
    MouseIconPnl->setVisible(shown);
}

void MainWorkingFrm::HideDemoPanels()
{
    MessagePnl->hide();
    OnDemoPnl->hide();
    for (QLabel* panel : PopupMenuPnl) panel->hide();
}

void MainWorkingFrm::Form_Load()
{
    move(0, 0);
    // On a screen smaller than the window, the window shrinks onto it and its client area scrolls;
    // when it lost height, it gains the width of the vertical scroll bar where the screen allows,
    // so that the client area scrolls one way only.
    const int wantedHeight = height();
    platform::FitOnScreen(this);
    if (height() < wantedHeight) {
        resize(width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent), height());
        platform::FitOnScreen(this);
    }
    const double w = PhotoPic->width();
    const double h = PhotoPic->height();
    PhotoPic->setScale(50.0 - w / 2.0, h / 2.0, w, -h);
    pFirstActivate = -1;
    SetStartDir(QDir::currentPath());
    LatDataTxt->setEnabled(true);
    LonDataTxt->setEnabled(true);
    SetMapScaleTable();
    DaybrookPicker1->hide();

    for (int k = 0; k <= 30; ++k) {
        ElevationCmb->addItem(QString::number(k));
    }
    ElevationCmb->setCurrentIndex(10);
    QStringList times;
    for (int step = 0; step <= kLastTimeStep; ++step) {
        times << QString::fromStdString(orbit::ConvertSecondToTimeStr(double(step) * kSecondsPerStep));
    }
    StartTimeCmb->addItems(times);
    StartTimeCmb->setCurrentIndex(kDefaultStartTimeStep);
    SetStartTimeStep(kDefaultStartTimeStep);
    EndTimeCmb->addItems(times);
    EndTimeCmb->setCurrentIndex(kDefaultEndTimeStep);
    SetEndTimeStep(kDefaultEndTimeStep);

    SetSettingReserve(10);
    SetComputeDate(QDate::currentDate().toString(QLatin1String(platform::CalendarPopup::kDateFormat)).toStdString());
    gAlmanacName = "Yuma384.txt";
    LoadSettingData();
    ResetAllWorkData();
    if (!orbit::LoadAlmanacDataBase(DataPath(QStringLiteral("data0"), QStringLiteral("Almanac1.alx")).toStdString())) {
        orbit::SetDefaultAlmanacData();
    }
    orbit::SetSateColorTable();
    SetRateClassLegend();
    SetSateNumColorTable();
    SetSlideRateTable();
    AlmanacDataLbl->setText(QString::fromStdString(gAlmanacName));
    DaybrookPicker1->move(750, 50);
    SetStartUpState(-1);
    for (int column = 0; column <= 5; ++column) {
        FirstCutGrid->setColumnWidth(column, 500 / kTwipsPerPixel);
    }
    for (QLabel* panel : PopupMenuPnl) {
        panel->hide();
    }
    SetDemoMessage();
    MessagePnl->hide();
    SetDemoMode(0);
    OnDemoPnl->hide();
    pChangeCount = 0;
    pSampleLoaded = 0;
    pDataFileName[1] = kProtectedProjectName;
    pDataFileName[0] = QStringLiteral("*.dat");
    SetBillDataSTS(0);
    // The editor starts with no tool and no picture-click hint on the map.
    SetPhotoClickMode(0);
    DeleteBuildingMenu->setEnabled(false);
    Message2Pnl->hide();
    MouseIconPnl->hide();
    FixDataSTSPnl->hide();
    GPSPoinrImg->hide();
}

void MainWorkingFrm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    Form_Activate();
}

void MainWorkingFrm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        Form_Activate();
    }
}

void MainWorkingFrm::Form_Activate()
{
    if (pFirstActivate != -1) {
        return;
    }
    DateLbl->setText(DaybrookPicker1->dateText());
    SkyPlotGPSMenu->setEnabled(true);
    pFirstActivate = 0;
}

void MainWorkingFrm::ResetAllWorkData()
{
    setWindowTitle(kTitle);
    PhotoPic->clear();
    unsetCursor();
    PhotoPic->unsetCursor();
    editor_->setActiveBuilding(-1);
    CloseHeightDialog();
    SetProjectReserves(0, 0);
    SetMapScaleIndex(20);
    LatDataTxt->setText(platform::BoxNumber(gLatitude));
    LonDataTxt->setText(platform::BoxNumber(gLongitude));
    siteMap_->DrawObstacleAreaFrame();
    siteMap_->DrawComuAreaFrame();
    SetElevationMask(10.0f);
    ElevationCmb->setCurrentIndex(10);
    SetMapRotateAngle(0.0f);
    siteMap_->DrawScaleBar(gMapScaleIndex);
    siteMap_->DrawCompassMark();
    pProjectFileName = QStringLiteral("Project1.dat");
    judgement_->setResultMapShown(false, false);
    SetMapOffset(0.0f, 0.0f);
    gBillHeightMesh.clearRange(324, 270);
    gComuAreaMesh.clear();
}

// ---- Site map editing: the editor does the work ---------------------------------------------

void MainWorkingFrm::ClickPicRbn_Click(int index, bool pressed) { editor_->ClickPicRbn_Click(index, pressed); }
void MainWorkingFrm::PhotoPic_MouseDown(Qt::MouseButton button, QPointF at) { editor_->PhotoPic_MouseDown(button, at); }
void MainWorkingFrm::PhotoPic_MouseMove(Qt::MouseButtons buttons, QPointF at) { editor_->PhotoPic_MouseMove(buttons, at); }
void MainWorkingFrm::PhotoPic_MouseUp(Qt::MouseButton button, QPointF at) { editor_->PhotoPic_MouseUp(button, at); }
void MainWorkingFrm::PhotoPic_DblClick(Qt::MouseButton button) { editor_->PhotoPic_DblClick(button); }
void MainWorkingFrm::DeleteBuildingMenu_Click() { editor_->DeleteBuildingMenu_Click(); }
void MainWorkingFrm::SetBuildingHeightMenu_Click() { editor_->SetBuildingHeightMenu_Click(); }
void MainWorkingFrm::StopLineDrawMenu_Click() { editor_->StopLineDrawMenu_Click(); }
void MainWorkingFrm::EnsMeasureSistMenu_Click() { editor_->EnsMeasureSistMenu_Click(); }
void MainWorkingFrm::CloseHeightDialog() { editor_->CloseHeightDialog(); }
int MainWorkingFrm::activeBuilding() const { return editor_->activeBuilding(); }
void MainWorkingFrm::setActiveBuilding(int index) { editor_->setActiveBuilding(index); }
void MainWorkingFrm::ForgetLastPress() { editor_->ForgetLastPress(); }

// ---- Area judgements: the judgement run does the work -----------------------------------------

void MainWorkingFrm::JudgeSateNumInComuAreaMenu_Click() { judgement_->JudgeSateNumInComuAreaMenu_Click(); }
void MainWorkingFrm::JudgeMeanSateNumInComuAreaMenu_Click() { judgement_->JudgeMeanSateNumInComuAreaMenu_Click(); }
int MainWorkingFrm::LoadSatelliteData6(int StartT, int ix10, int jy10, int NumX, int NumY, float DifIX)
{
    return judgement_->LoadSatelliteData6(StartT, ix10, jy10, NumX, NumY, DifIX);
}
int MainWorkingFrm::LoadSatelliteData7(int& StartT, int ix10, int jy10, int NumX, int NumY, float DifIX)
{
    return judgement_->LoadSatelliteData7(StartT, ix10, jy10, NumX, NumY, DifIX);
}
void MainWorkingFrm::RedrawSateNumMap() { judgement_->RedrawSateNumMap(); }
void MainWorkingFrm::RedrawMeanSateNumMap() { judgement_->RedrawMeanSateNumMap(); }
void MainWorkingFrm::RedrawMeanSateNumMap2() { judgement_->RedrawMeanSateNumMap(); }
void MainWorkingFrm::DrawSateNumLegend() { judgement_->DrawSateNumLegend(); }
void MainWorkingFrm::DrawMeanSateNumLegend() { judgement_->DrawMeanSateNumLegend(); }
void MainWorkingFrm::RedrawAreaResults(bool shifted) { judgement_->RedrawAreaResults(shifted); }
const judge::AreaResult* MainWorkingFrm::shownAreaResult() const { return judgement_->shownAreaResult(); }
bool MainWorkingFrm::isJudging() const { return judgement_ != nullptr && judgement_->isJudging(); }
bool MainWorkingFrm::ResultMapShown() const { return judgement_->resultMapShown(); }

// Both reset commands give the site up: unsaved edits are asked about first, as closing asks.
// No drops them; Yes saves them and the command goes on only once the file was written, so that
// a save cancelled or refused leaves the site, its view and the tools exactly as they were.
void MainWorkingFrm::InitializeDataCmd_Click()
{
    if (!MayGiveUpSite()) return;
    ClearSite();
}

void MainWorkingFrm::TheNewProjectMenu_Click()
{
    if (!MayGiveUpSite()) return;
    StartNewWork();
}

void MainWorkingFrm::ClearSite()
{
    PhotoPic->setDrawMode(PictureSurface::DrawMode::Copy);
    editor_->ReleaseAllTools();
    StartNewWork();
    DeleteBuildingMenu->setEnabled(false);
    FixDataSTSPnl->hide();
}

void MainWorkingFrm::StartNewWork()
{
    ResetAllWorkData();
    ReadComputeCondition();
    SetDemoMode(0);
    ClearTopAreaModel();
    // An empty site has no points in plane coordinates: it starts again in local metres around
    // the map's origin, so that buildings drawn or handed over next are shown where they lie
    // rather than about a centre tens of kilometres away that a correction or a GPS record left.
    SetFixDataSTS(0);
    SetMapCenter(0.0, 0.0f);
    // A new site starts without a track, as it starts without buildings.
    ClearGPSRecord();
    pChangeCount = 0;
    pSampleLoaded = 0;
    pDataFileName[1] = kProtectedProjectName;
    pDataFileName[0] = QStringLiteral("*.dat");
    SetBillDataSTS(0);
}

void MainWorkingFrm::ShowPictureAndResult()
{
    ShowInputBillTopArea(-1);
    RedrawAreaResults(false);
}

void MainWorkingFrm::closeEvent(QCloseEvent* event)
{
    if (ending_) {
        event->accept();
        return;
    }
    // Edits not yet saved make closing ask, also after the sample (which can be saved under a
    // name of its own).
    if (pChangeCount < 1) {
        event->accept();
        EndProgram();
        return;
    }
    if (AskToSaveChanges()) {
        event->ignore();
        SaveProjectMenu_Click();
        return;
    }
    event->accept();
    EndProgram();
}

bool MainWorkingFrm::AskToSaveChanges()
{
    return platform::ShowMessage(this, QStringLiteral("変更を保存しますか？"), platform::MessageButtons::YesNo) ==
           platform::MessageAnswer::Yes;
}

bool MainWorkingFrm::MayGiveUpSite()
{
    if (pChangeCount < 1 || !AskToSaveChanges()) return true;
    return SaveProjectMenu_Click();
}

void MainWorkingFrm::ShowSiteInItsFrame()
{
    if (gFixDataSTS == 1 && gTopAreaPointTotalNumber > 0) {
        SetMapCenterFromTopArea();
    } else {
        SetMapCenter(0.0, 0.0f);
    }
    SetMapOffset(0.0f, 0.0f);
    // A running area judgement owns the map; it draws its own result when it ends.
    if (!isJudging()) InitialDisPlayCmd_Click();
}

void MainWorkingFrm::EndProgram()
{
    // A failing write is reported; the program still ends.
    SaveSettingData();
    ending_ = true;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible()) {
            window->close();
        }
    }
    QCoreApplication::quit();
}
