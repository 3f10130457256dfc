// The orbit-and-count window's load, first activation and handlers: time window, current time,
// exclusions, conditions, recomputation, printing, the demonstration countdown and closing.
#include "SkyAndSateNumFrm.h"

#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

#include <algorithm>
#include <cmath>

#include "orbit/ObservationConditions.h"
#include "orbit/TextHelpers.h"
#include "platform/CalendarPopup.h"
#include "platform/Constants.h"
#include "platform/MessageBox.h"
#include "platform/NamedControls.h"
#include "platform/NumberText.h"
#include "platform/PictureSurface.h"
#include "platform/PrintWindow.h"
#include "site/RunState.h"
#include "skyview/ProgressFrm.h"
#include "skyview/SateNumChart.h"
#include "skyview/SkyWindowParts.h"

namespace {

using skyview::StepLabel;

// North up, 1 plot unit per degree of zenith distance on the plot scaled -100..100.
const skyview::PlotFrame kPlotFrame{1.0, skyview::PlotOrientation::NorthUp, 0.0};
constexpr int kDemoCountFrom = 21;
constexpr int kDemoNextStep = 2;  // the main demonstration's step after this window

// Selects the entry of a whole number of degrees in a list "0".."n" without running its handler;
// a value outside the list selects nothing.
void SelectQuietly(QComboBox* list, int value)
{
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(value >= 0 && value < list->count() ? value : -1);
}

}  // namespace

SkyAndSateNumFrm::SkyAndSateNumFrm(QWidget* owner, MainWindowPort* port) : QDialog(owner), port_(port)
{
    setObjectName(QStringLiteral("SkyAndSateNumFrm"));
    setWindowTitle(QStringLiteral("衛星軌道、衛星数"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildControls();
    ConnectControls();
    Form_Load();
}

SkyAndSateNumFrm::~SkyAndSateNumFrm() = default;

void SkyAndSateNumFrm::ConnectControls()
{
    connect(StartTimeScroll, &QSlider::valueChanged, this, &SkyAndSateNumFrm::StartTimeScroll_Change);
    connect(EndTimeScroll, &QSlider::valueChanged, this, &SkyAndSateNumFrm::EndTimeScroll_Change);
    connect(CurrentTimeScl, &QSlider::valueChanged, this, &SkyAndSateNumFrm::CurrentTimeScl_Change);
    connect(AvalableSateLst, &QListWidget::itemDoubleClicked, this, &SkyAndSateNumFrm::AvalableSateLst_DblClick);
    connect(UnUsefulSateLst, &QListWidget::itemDoubleClicked, this, &SkyAndSateNumFrm::UnUsefulSateLst_DblClick);
    connect(LatDataCmb, &QComboBox::activated, this, &SkyAndSateNumFrm::LatDataCmb_Click);
    connect(LonDataCmb, &QComboBox::activated, this, &SkyAndSateNumFrm::LonDataCmb_Click);
    connect(ElevationMaskCmb, &QComboBox::activated, this, &SkyAndSateNumFrm::ElevationMaskCmb_Click);
    connect(AntennaHTxt, &QLineEdit::returnPressed, this, &SkyAndSateNumFrm::AntennaHTxt_KeyDown);
    connect(DaybrookPicker1, &platform::CalendarPopup::datePicked, this, &SkyAndSateNumFrm::DaybrookPicker1_DatePicked);
    connect(ResetDateCmd, &QPushButton::clicked, this, &SkyAndSateNumFrm::ResetDateCmd_Click);
    connect(PrintDisplayCmd, &QPushButton::clicked, this, &SkyAndSateNumFrm::PrintDisplayCmd_Click);
    connect(CloseCmd, &QPushButton::clicked, this, &SkyAndSateNumFrm::close);
    connect(&DemoTmr, &QTimer::timeout, this, &SkyAndSateNumFrm::DemoTmr_Timer);
    // A press on the plot or on the conditions frame puts the calendar away.
    DispPic->installEventFilter(this);
    SettingDataFlm->installEventFilter(this);
}

void SkyAndSateNumFrm::Form_Load()
{
    pFirstActivate = -1;
    SetControlPosition();
    CurrentTimeScl->setRange(skyview::kFirstShownStep, skyview::kLastShownStep);
    DaybrookPicker1->hide();
    DateDataLbl->setText(QString::fromStdString(gComputeDate));

    // The window's own conditions: the mask, and the position in whole degrees for the lists and
    // every recomputation in the window; the program-wide position stays until the user picks one.
    mask_ = gElevationMask;
    SelectQuietly(ElevationMaskCmb, static_cast<int>(platform::RoundHalfEven(gElevationMask)));
    const auto wholeDegrees = [](float degrees, int last) {
        const float whole = std::floor(degrees);
        return whole >= 0.0f && whole <= static_cast<float>(last) ? whole : degrees;
    };
    latitude_ = wholeDegrees(gLatitude, 60);
    longitude_ = wholeDegrees(gLongitude, 180);
    SelectQuietly(LatDataCmb, static_cast<int>(std::floor(gLatitude)));
    SelectQuietly(LonDataCmb, static_cast<int>(std::floor(gLongitude)));

    // The almanac is read afresh; its unhealthy satellites become the exclusions.
    if (port_ && !port_->LoadAlmanacDataBase()) {
        orbit::SetDefaultAlmanacData();
    }
    AlmanacDataLbl->setText(QString::fromStdString(gAlmanacName));

    icons_->hideAll();
    pTimeLineX = skyview::kNoTimeLine;
    pDemoCloseSTS = 0;
    antennaHeightInUse_ = gAntennaHeight;
    AntennaHTxt->setText(platform::BoxNumber(gAntennaHeight));
    pComputeDate = QString::fromStdString(gComputeDate);
    const QDate date = QDate::fromString(pComputeDate, QLatin1String(platform::CalendarPopup::kDateFormat));
    if (date.isValid()) {
        DaybrookPicker1->setDate(date);
    }
    ResidentTimePnl->hide();
    OnDemoPnl->hide();
}

void SkyAndSateNumFrm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (pFirstActivate == -1) {
        Form_Activate();
    }
}

void SkyAndSateNumFrm::Form_Activate()
{
    for (int slot = 1; slot <= std::min<int>(gSateNum, kMaxSateSlot); ++slot) {
        const int prn = gSatePRN[slot];
        (orbit::IsUnUsefulSate(prn) ? UnUsefulSateLst : AvalableSateLst)->addItem(QString::number(prn));
    }
    SetUnUsefulSateList();
    // What the orbit-and-count command has just computed for the main window's conditions.
    azimus_ = gSateAzimus;
    elevation_ = gSateElevation;
    sateSlots_ = orbit::UsableSateSlots();
    counts_ = gVisibleSateNum;

    // The window always spans at least one step.
    int first = std::clamp(gStartTimeStep, 0, kLastTimeStep - 1);
    int last = std::clamp(gEndTimeStep, 1, kLastTimeStep);
    if (last <= first) last = first + 1;
    SetStartTimeStep(first);
    SetEndTimeStep(last);
    StartTimeScroll->setValue(first);
    EndTimeScroll->setValue(last);
    StartTimeLbl->setText(StepLabel(first));
    EndTimeLbl->setText(StepLabel(last));
    // The current time starts at the start of the window and stays inside it.
    CurrentTimeScl->setRange(first, last);
    CurrentTimeScl->setValue(first);
    pFirstActivate = 0;

    ShowTimeLabels(first);
    ChartRedraw(ChartLayers::BarsOverGrid);
    SkyRedraw();

    const bool demo = gDemoMode == -1;
    if (demo) {
        pDemoCount = kDemoCountFrom;
        DemoTmr.start(DemoInterval(kSkyAndSateNumDemoTick));
    }
    ResidentTimePnl->setVisible(demo);
    OnDemoPnl->setVisible(demo);
}

// ---- Drawing ------------------------------------------------------------------------------------

skyview::SkyInputs SkyAndSateNumFrm::inputs() const
{
    return {azimus_, elevation_, sateSlots_, gSatePRN, gSateHealth, gSateColor, gCutElevation, mask_};
}

int SkyAndSateNumFrm::ChartRowsUnderTimeScale() const
{
    // The time axis lies over the chart's bottom edge (the layout overlaps them by one row at
    // 96 dots per inch).
    const QRect chart = VisPicture->geometry();
    const QRect axis = TimeScalePic->geometry();
    if (!chart.intersects(axis)) return 0;
    return chart.bottom() + 1 - axis.top();
}

void SkyAndSateNumFrm::ChartRedraw(ChartLayers layers)
{
    VisPicture->clear();
    const int covered = ChartRowsUnderTimeScale();
    if (layers == ChartLayers::BarsOverGrid) {
        skyview::DrawSateNumScale(*VisPicture, *SateNumPic);
        skyview::DrawSateNumBar(*VisPicture, counts_, gStartTimeStep, gEndTimeStep, covered);
    } else {
        skyview::DrawSateNumBar(*VisPicture, counts_, gStartTimeStep, gEndTimeStep, covered);
        skyview::DrawSateNumScale(*VisPicture, *SateNumPic);
    }
    skyview::DrawTimeScale(*TimeScalePic, gStartTimeStep, gEndTimeStep);
    pTimeLineX = skyview::kNoTimeLine;
}

void SkyAndSateNumFrm::SkyRedraw()
{
    const skyview::PlotFrame& frame = kPlotFrame;
    const skyview::SkyInputs in = inputs();
    icons_->hideAll();
    skyview::DrawHeavenBase(*DispPic, frame, skyview::kAxisColor);
    skyview::DrawElevationMaskCircle(*DispPic, frame, mask_);
    skyview::DrawSateObitLine(*DispPic, frame, in, gStartTimeStep, gEndTimeStep);
    shown_ = skyview::ShowSatePosition(*icons_, *SateNumLbl, frame, in, CurrentTimeScl->value());
    skyview::DrawBillSkyLine(*DispPic, frame, in.skyline);
}

void SkyAndSateNumFrm::ShowTimeLabels(int k)
{
    const QString label = StepLabel(k);
    TimeDataLbl->setText(label);
    CurrentTimeLbl->setText(label);
    TimeLbl->setText(label);
}

// ---- Time window and current time ---------------------------------------------------------------

void SkyAndSateNumFrm::StartTimeScroll_Change(int v)
{
    if (pFirstActivate != 0) {
        return;
    }
    if (v >= gEndTimeStep) {
        // One step before the end; the slider's own handler runs again with it.
        StartTimeScroll->setValue(gEndTimeStep - 1);
        return;
    }
    SetStartTimeStep(v);
    StartTimeLbl->setText(StepLabel(v));
    ChartRedraw(ChartLayers::BarsOverGrid);
    // A current time left outside the window moves in with the slider, which shows its marker.
    CurrentTimeScl->setMinimum(v);
    SkyRedraw();
}

void SkyAndSateNumFrm::EndTimeScroll_Change(int v)
{
    if (pFirstActivate != 0) {
        return;
    }
    if (v <= gStartTimeStep) {
        EndTimeScroll->setValue(gStartTimeStep + 1);
        return;
    }
    SetEndTimeStep(v);
    EndTimeLbl->setText(StepLabel(v));
    ChartRedraw(ChartLayers::BarsOverGrid);
    CurrentTimeScl->setMaximum(v);
    SkyRedraw();
}

void SkyAndSateNumFrm::CurrentTimeScl_Change(int k)
{
    if (pFirstActivate != 0) {
        return;
    }
    ShowTimeLabels(k);
    shown_ = skyview::ShowSatePosition(*icons_, *SateNumLbl, kPlotFrame, inputs(), k);
    pTimeLineX = skyview::DrawCurrentTimeLine(*VisPicture, k, gStartTimeStep, gEndTimeStep, pTimeLineX);
}

// ---- Exclusions ---------------------------------------------------------------------------------

void SkyAndSateNumFrm::AvalableSateLst_DblClick(QListWidgetItem* item) { MoveSate(AvalableSateLst, UnUsefulSateLst, item); }

void SkyAndSateNumFrm::UnUsefulSateLst_DblClick(QListWidgetItem* item) { MoveSate(UnUsefulSateLst, AvalableSateLst, item); }

void SkyAndSateNumFrm::MoveSate(QListWidget* from, QListWidget* to, QListWidgetItem* item)
{
    if (pFirstActivate != 0 || item == nullptr || item->listWidget() != from) {
        return;
    }
    const QString prn = item->text();
    delete from->takeItem(from->row(item));
    to->addItem(prn);
    SetUnUsefulSateList();

    StartComputation();
    ProgressFrm progress(this, [this](int first, int last) { ComputeSteps(first, last); }, kLastTimeStep);
    progress.move(4000 / platform::kTwipsPerPixel, 2000 / platform::kTwipsPerPixel);
    progress.exec();
    FinishComputation();

    ChartRedraw(ChartLayers::GridOverBars);
    SkyRedraw();
}

void SkyAndSateNumFrm::SetUnUsefulSateList()
{
    const int n = std::min(UnUsefulSateLst->count(), static_cast<int>(gUnUsefulSate.size()));
    for (int i = 0; i < n; ++i) {
        gUnUsefulSate[i] = static_cast<std::int16_t>(platform::RoundHalfEven(platform::NumericValue(UnUsefulSateLst->item(i)->text().toStdString())));
    }
    gUnUsefulSateNum = n;
}

// ---- Conditions and recomputation ---------------------------------------------------------------

// A picked whole degree is the window's own, as its mask and date are: the program-wide position
// stays the exact one the main window's boxes show and the settings file keeps at the end, so a
// look at another latitude here never moves the site.
void SkyAndSateNumFrm::LatDataCmb_Click(int index)
{
    latitude_ = static_cast<float>(index);
    ReComputeSateObit();
}

void SkyAndSateNumFrm::LonDataCmb_Click(int index)
{
    longitude_ = static_cast<float>(index);
    ReComputeSateObit();
}

void SkyAndSateNumFrm::ElevationMaskCmb_Click(int index)
{
    if (pFirstActivate != 0) {
        return;
    }
    mask_ = static_cast<float>(index);
    HideCalendar();
    ReComputeSateObit();
}

void SkyAndSateNumFrm::AntennaHTxt_KeyDown()
{
    if (pFirstActivate != 0) {
        return;
    }
    HideCalendar();
    ReComputeSateObit();
}

float SkyAndSateNumFrm::AntennaHeight()
{
    // The box is read when Enter is pressed, so its text must be a whole number by then. Heights
    // are kept within the main window's 0..100 m with its messages: the two boxes set the height
    // of one antenna, and a height the main window refuses (an antenna under the ground, or above
    // any height it computes with) would give here a skyline it can never show.
    const std::string text = AntennaHTxt->text().toStdString();
    const AntennaHeightCheck checked =
        CheckAntennaHeight(platform::NumericValue(text), platform::IsNumberText(text), antennaHeightInUse_);
    if (!checked.message.empty()) {
        platform::ShowMessage(this, QString::fromStdString(checked.message));
        AntennaHTxt->setText(platform::BoxNumber(checked.metres));
    }
    antennaHeightInUse_ = checked.metres;
    return checked.metres;
}

void SkyAndSateNumFrm::DaybrookPicker1_DatePicked(const QString& dateText)
{
    if (pFirstActivate != 0) {
        return;
    }
    pComputeDate = dateText;
    DateDataLbl->setText(dateText);
    HideCalendar();
    ReComputeSateObit();
}

void SkyAndSateNumFrm::ReComputeSateObit()
{
    if (pFirstActivate != 0) {
        return;
    }
    const float height = AntennaHeight();
    if (port_) {
        port_->RecomputeSateliteCource(height);
    }
    SetUnUsefulSateList();
    StartComputation();
    ComputeSteps(0, kLastTimeStep);
    FinishComputation();
    ChartRedraw(ChartLayers::GridOverBars);
    SkyRedraw();
}

void SkyAndSateNumFrm::StartComputation()
{
    computation_.almanac = orbit::CurrentAlmanac();
    computation_.sateSlots = orbit::UsableSateSlots();
    computation_.dayStart = orbit::ConvertDateToGPSTime(pComputeDate.toStdString(), "00:00");
}

void SkyAndSateNumFrm::ComputeSteps(int first, int last)
{
    if (computation_.dayStart) {
        orbit::ComputeSateTables(computation_.almanac, computation_.sateSlots, latitude_, longitude_, *computation_.dayStart,
                                 first, last, azimus_, elevation_);
    }
}

void SkyAndSateNumFrm::FinishComputation()
{
    // A date that cannot be computed leaves no satellite rather than another date's.
    sateSlots_ = computation_.dayStart ? computation_.sateSlots : std::vector<int>{};
    orbit::CountVisibleSate(azimus_, elevation_, sateSlots_, mask_, gCutElevation, 0, kLastTimeStep, counts_);
}

// ---- Calendar, printing, countdown and closing --------------------------------------------------

void SkyAndSateNumFrm::ResetDateCmd_Click()
{
    DaybrookPicker1->setVisible(!DaybrookPicker1->isVisible());
    if (DaybrookPicker1->isVisible()) {
        DaybrookPicker1->raise();
    }
}

void SkyAndSateNumFrm::HideCalendar()
{
    if (DaybrookPicker1->isVisible()) {
        DaybrookPicker1->hide();
    }
}

bool SkyAndSateNumFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        HideCalendar();
    }
    return QDialog::eventFilter(watched, event);
}

void SkyAndSateNumFrm::PrintDisplayCmd_Click()
{
    // The window as shown, scaled to fit the page; cancel and printer errors end quietly.
    platform::PrintWindowWithDialog(*this);
    unsetCursor();
}

void SkyAndSateNumFrm::DemoTmr_Timer()
{
    if (pDemoCount != 0) {
        ResidentTimePnl->setText(QString::number(pDemoCount));
        --pDemoCount;
        return;
    }
    DemoTmr.stop();
    if (port_) {
        port_->HandDemonstrationBack(kDemoNextStep);
    }
    pDemoCloseSTS = -1;
    close();
}

void SkyAndSateNumFrm::reject()
{
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    DemoTmr.stop();
    // Closed by the user, the window ends a running demonstration; the countdown hands it on.
    if (pDemoCloseSTS != -1) {
        SetDemoMode(0);
        if (port_) {
            port_->HideDemoPanels();
        }
    }
    QDialog::reject();
}
