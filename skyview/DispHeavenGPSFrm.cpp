#include "DispHeavenGPSFrm.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "orbit/AlmanacTable.h"
#include "orbit/ObservationConditions.h"
#include "platform/Fonts.h"
#include "platform/OwnedWindow.h"
#include "platform/PictureSurface.h"
#include "platform/PointerPicture.h"
#include "site/MapView.h"
#include "site/RunState.h"
#include "skyview/SkyViewTiming.h"

namespace {

constexpr int kTurnClockwise = 4;         // the main map's turn commands: +10 degrees
constexpr int kTurnCounterClockwise = 5;  // -10 degrees

QRadioButton* MakeOption(QWidget* parent, const char* name, const QString& text)
{
    auto* option = new QRadioButton(text, parent);
    option->setObjectName(QLatin1String(name));
    option->setFont(platform::WindowFont(9));
    return option;
}

QLabel* MakePanel(QWidget* parent, const char* name, const QString& text)
{
    QLabel* panel = skyview::MakeLabel(parent, name, text);
    panel->setAlignment(Qt::AlignCenter);
    panel->setWordWrap(true);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    panel->setStyleSheet(QStringLiteral("background-color: rgb(255, 255, 200); color: rgb(0, 0, 160);"));
    return panel;
}

}  // namespace

DispHeavenGPSFrm::DispHeavenGPSFrm(QWidget* owner, MainWindowPort* port, Clock clock)
    : QWidget(owner, platform::OwnedWindowFlags()), port_(port), clock_(std::move(clock))
{
    skyview::SetUpSkyViewWindow(this, "DispHeavenGPSFrm");
    BuildControls();
    Form_Load();
}

DispHeavenGPSFrm::~DispHeavenGPSFrm() = default;

void DispHeavenGPSFrm::BuildControls()
{
    DispPic = skyview::MakeSkyPlot(this);
    skyview::MakePlotCaptions(DispPic, QStringLiteral("下から上空"), *this);
    ResidentTimePnl = MakePanel(DispPic, "ResidentTimePnl", QString());
    ResidentTimePnl->setFont(platform::WindowFont(12));
    // The icons come last, so that they lie over the captions.
    icons_ = std::make_unique<skyview::SkyPlotIcons>(*DispPic, skyview::kIconOffset);

    SeeingForwordFlm = new QGroupBox(this);
    SeeingForwordFlm->setObjectName(QStringLiteral("SeeingForwordFlm"));
    DownToUpOpt = MakeOption(SeeingForwordFlm, "DownToUpOpt", QStringLiteral("下から上空"));
    UpToDownOpt = MakeOption(SeeingForwordFlm, "UpToDownOpt", QStringLiteral("上空から下"));

    SSFrame7 = new QGroupBox(this);
    SSFrame7->setObjectName(QStringLiteral("SSFrame7"));
    SpecifiedTimeOpt = MakeOption(SSFrame7, "SpecifiedTimeOpt", QStringLiteral("指定時刻"));
    CorrentTimeOpt = MakeOption(SSFrame7, "CorrentTimeOpt", QStringLiteral("現在時刻"));
    RightTurnCmd = skyview::MakeButton(SSFrame7, "RightTurnCmd", QStringLiteral("時計回転"));
    LeftTurnCmd = skyview::MakeButton(SSFrame7, "LeftTurnCmd", QStringLiteral("反時計回転"));

    SetTimeFlm = new QGroupBox(this);
    SetTimeFlm->setObjectName(QStringLiteral("SetTimeFlm"));
    SetTimeHdLbl = skyview::MakeLabel(SetTimeFlm, "SetTimeHdLbl", QStringLiteral("時刻"));
    TimeDataLbl = skyview::MakeLabel(SetTimeFlm, "TimeDataLbl", QString(), 11);
    TimeDataLbl->setAlignment(Qt::AlignCenter);
    TimeScrol1 = new QScrollBar(Qt::Vertical, SetTimeFlm);
    TimeScrol1->setObjectName(QStringLiteral("TimeScrol1"));
    TimeScrol1->setSingleStep(1);
    TimeScrol1->setPageStep(1);

    CloseCmd = skyview::MakeButton(this, "CloseCmd", QStringLiteral("閉じる(&C)"));
    MessagePnl = MakePanel(this, "MessagePnl", QString());
    MouseIconPnl = new QLabel(this);
    MouseIconPnl->setObjectName(QStringLiteral("MouseIconPnl"));
    MouseIconPnl->setPixmap(QPixmap::fromImage(DemoPointerPicture()));
    MouseIconPnl->setAttribute(Qt::WA_TransparentForMouseEvents);

    Timer2 = new QTimer(this);
    DemoTmr = new QTimer(this);

    connect(UpToDownOpt, &QRadioButton::toggled, this, [this](bool on) {
        if (on) UpToDownOpt_Click();
    });
    connect(DownToUpOpt, &QRadioButton::toggled, this, [this](bool on) {
        if (on) DownToUpOpt_Click();
    });
    connect(CorrentTimeOpt, &QRadioButton::toggled, this, [this](bool on) {
        if (on) CorrentTimeOpt_Click();
    });
    connect(SpecifiedTimeOpt, &QRadioButton::toggled, this, [this](bool on) {
        if (on) SpecifiedTimeOpt_Click();
    });
    connect(RightTurnCmd, &QPushButton::clicked, this, &DispHeavenGPSFrm::RightTurnCmd_Click);
    connect(LeftTurnCmd, &QPushButton::clicked, this, &DispHeavenGPSFrm::LeftTurnCmd_Click);
    connect(TimeScrol1, &QScrollBar::valueChanged, this, &DispHeavenGPSFrm::TimeScrol1_Change);
    connect(CloseCmd, &QPushButton::clicked, this, &DispHeavenGPSFrm::CloseCmd_Click);
    connect(Timer2, &QTimer::timeout, this, &DispHeavenGPSFrm::Timer2_Timer);
    connect(DemoTmr, &QTimer::timeout, this, &DispHeavenGPSFrm::DemoTmr_Timer);
}

void DispHeavenGPSFrm::Form_Load()
{
    pFirstActivate = -1;
    TimeDataLbl->setText(skyview::StepLabel(skyview::kFirstShownStep));
    // The almanac is read afresh.
    if (port_ && !port_->LoadAlmanacDataBase()) {
        orbit::SetDefaultAlmanacData();
    }
    icons_->hideAll();
    TimeScrol1->setRange(0, kLastTimeStep);
    TimeScrol1->setValue(skyview::kFirstShownStep);
    plotScale = 1.69;
    SetControlPosition();
    ResidentTimePnl->hide();
    MouseIconPnl->hide();
    MessagePnl->hide();
    TimeScrol1->setEnabled(true);
    SpecifiedTimeOpt->setChecked(true);
    DownToUpOpt->setChecked(true);
    SeeingLbl->setText(QStringLiteral("下から上空"));
}

void DispHeavenGPSFrm::SetDispPicScale()
{
    skyview::PlaceLargePlot(*DispPic, {0, 0});
}

void DispHeavenGPSFrm::SetControlPosition()
{
    move(skyview::Px(8645), skyview::Px(500));
    SetDispPicScale();
    resize(DispPic->width() + 256, DispPic->height());
    skyview::PlacePlotCaptions(*DispPic, *this, skyview::kLargePlotCaptions);
    // The countdown under the orientation note, in the upper right of the plot.
    skyview::PlaceInPlot(*DispPic, ResidentTimePnl, {136, 148, 32, 22});

    const int left = DispPic->width() + 6;
    SeeingForwordFlm->setGeometry(left, 4, 160, 56);
    DownToUpOpt->setGeometry(10, 6, 140, 20);
    UpToDownOpt->setGeometry(10, 30, 140, 20);

    SSFrame7->setGeometry(left, 64, 160, 122);
    SpecifiedTimeOpt->setGeometry(10, 8, 140, 20);
    CorrentTimeOpt->setGeometry(10, 30, 140, 20);
    RightTurnCmd->setGeometry(10, 56, 140, 26);
    LeftTurnCmd->setGeometry(10, 88, 140, 26);

    MessagePnl->setGeometry(left, 192, 160, 60);
    CloseCmd->setGeometry(left, DispPic->height() - 36, 160, 30);

    SetTimeFlm->setGeometry(left + 164, 4, 80, DispPic->height() - 8);
    SetTimeHdLbl->setGeometry(8, 6, 64, 18);
    TimeDataLbl->setGeometry(2, 24, 76, 22);
    TimeScrol1->setGeometry(30, 52, 20, SetTimeFlm->height() - 60);

    // The mouse's tip on the clockwise turn button.
    const QPoint button = SSFrame7->mapTo(this, RightTurnCmd->geometry().center());
    MouseIconPnl->setGeometry(button.x() - 30, button.y() - 4, 28, 32);
}

void DispHeavenGPSFrm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void DispHeavenGPSFrm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        Form_Activate();
    }
}

void DispHeavenGPSFrm::Form_Activate()
{
    if (pFirstActivate == -1) {
        // Always looking up at first: the orientation chosen at load.
        FullRedraw(skyview::kFirstShownStep, true);
        pFirstActivate = 0;
        if (port_) {
            port_->TakePictureClick(PictureClickWindow::SkyView, 2, this);
        }
        photoClickTaken_ = true;
    }
    // The script runs once per demonstration: a later activation (the user clicked into the main
    // window and back) neither restarts it nor repeats its turns.
    if (gDemoMode == -1 && !demoStarted_) {
        StartDemoScript();
    }
}

skyview::PlotFrame DispHeavenGPSFrm::frame() const
{
    const auto orientation = lookingUp() ? skyview::PlotOrientation::LookingUp : skyview::PlotOrientation::LookingDown;
    return {plotScale, orientation, gMapRotateAngle};
}

bool DispHeavenGPSFrm::lookingUp() const { return !UpToDownOpt->isChecked(); }

QTime DispHeavenGPSFrm::now() const { return clock_ ? clock_() : QTime::currentTime(); }

int DispHeavenGPSFrm::shownStep() const { return CorrentTimeOpt->isChecked() ? lastClockStep_ : TimeScrol1->value(); }

void DispHeavenGPSFrm::FullRedraw(int step, bool compute)
{
    const skyview::PlotFrame f = frame();
    DispPic->clear();
    icons_->hideAll();
    skyview::DrawHeavenBase(*DispPic, f);
    skyview::DrawElevationMaskCircle(*DispPic, f, gElevationMask);
    if (compute) {
        tables_.ComputeWholeDay();
    }
    const skyview::SkyInputs in = tables_.inputs();
    skyview::DrawSateObitLine(*DispPic, f, in, skyview::kFirstShownStep, skyview::kLastShownStep);
    skyview::DrawBillSkyLine(*DispPic, f, in.skyline);
    shown_ = skyview::ShowSatePosition(*icons_, *SateNumLbl, f, in, step);
}

void DispHeavenGPSFrm::ShowSatePosition(int step)
{
    shown_ = skyview::ShowSatePosition(*icons_, *SateNumLbl, frame(), tables_.inputs(), step);
}

void DispHeavenGPSFrm::ShowCurrentSateVisible()
{
    plotScale = 1.69;
    SetDispPicScale();
    FullRedraw(shownStep(), false);
}

void DispHeavenGPSFrm::UpToDownOpt_Click()
{
    if (pFirstActivate != 0) {
        return;
    }
    SeeingLbl->setText(QStringLiteral("上空から下"));
    ShowCurrentSateVisible();
}

void DispHeavenGPSFrm::DownToUpOpt_Click()
{
    if (pFirstActivate != 0) {
        return;
    }
    SeeingLbl->setText(QStringLiteral("下から上空"));
    ShowCurrentSateVisible();
}

// The two orientations mirror each other, so one change of the map's rotation turns them in
// opposite senses: each button picks the map's turn that turns the plot its own way.
void DispHeavenGPSFrm::RightTurnCmd_Click() { TurnMainMap(lookingUp() ? kTurnCounterClockwise : kTurnClockwise); }

void DispHeavenGPSFrm::LeftTurnCmd_Click() { TurnMainMap(lookingUp() ? kTurnClockwise : kTurnCounterClockwise); }

void DispHeavenGPSFrm::TurnMainMap(int index)
{
    // A running area judgement owns the map: the turn waits until it has ended.
    if (port_ && port_->isJudging()) {
        return;
    }
    if (port_) {
        port_->MoveImgCmd_Click(index);
    }
    ShowCurrentSateVisible();
}

void DispHeavenGPSFrm::TimeScrol1_Change()
{
    if (pFirstActivate != 0) {
        return;
    }
    const int p = TimeScrol1->value();
    TimeDataLbl->setText(skyview::StepLabel(p));
    ShowSatePosition(p);
}

void DispHeavenGPSFrm::CorrentTimeOpt_Click()
{
    if (pFirstActivate != 0) {
        return;
    }
    TimeScrol1->setEnabled(false);
    const QTime time = now();
    TimeDataLbl->setText(time.toString(QStringLiteral("HH:mm:ss")));
    lastClockStep_ = skyview::ClockStep(time.msecsSinceStartOfDay() / 1000.0);
    ShowSatePosition(lastClockStep_);
    Timer2->start(1000);
}

void DispHeavenGPSFrm::Timer2_Timer()
{
    const QTime time = now();
    TimeDataLbl->setText(time.toString(QStringLiteral("HH:mm:ss")));
    const int s = skyview::ClockStep(time.msecsSinceStartOfDay() / 1000.0);
    if (s > lastClockStep_) {
        lastClockStep_ = s;
        ShowSatePosition(s);
    } else if (s == 0) {
        // Midnight: stepping starts again with the next step of the same date.
        lastClockStep_ = 0;
    }
}

void DispHeavenGPSFrm::SpecifiedTimeOpt_Click()
{
    if (pFirstActivate != 0) {
        return;
    }
    Timer2->stop();
    // The icons of the last clock step stay until the slider moves.
    TimeScrol1->setEnabled(true);
}

void DispHeavenGPSFrm::StartDemoScript()
{
    demoStarted_ = true;
    demoTick_ = 0;
    demoCountdown_ = skyview::kSkyDemoCountdown;
    ResidentTimePnl->setText(QString::number(demoCountdown_));
    ResidentTimePnl->show();
    ResidentTimePnl->raise();
    MouseIconPnl->show();
    MouseIconPnl->raise();
    MessagePnl->setText(QStringLiteral("ここを押すとメイン画面と軌道画面が回転する"));
    MessagePnl->show();
    DemoTmr->start(DemoInterval(skyview::kSkyDemoTickMs));
}

void DispHeavenGPSFrm::DemoTmr_Timer()
{
    const skyview::SkyDemoStep step = skyview::SkyDemoScriptAt(demoTick_);
    switch (step.action) {
    case skyview::SkyDemoAction::TurnRight:
        RightTurnCmd_Click();
        break;
    case skyview::SkyDemoAction::ShowClickHint:
        MessagePnl->hide();
        if (port_) port_->ShowDemoClickHint(true);
        break;
    case skyview::SkyDemoAction::ClickPoint:
        if (port_) port_->ClickMousePoint(step.point);
        break;
    case skyview::SkyDemoAction::None:
        break;
    }
    ++demoTick_;
    ResidentTimePnl->setText(QString::number(demoCountdown_));
    if (demoCountdown_ <= 0) {
        // The main demonstration goes on; the map stays turned as the script left it.
        DemoTmr->stop();
        demoHandedBack_ = true;
        if (port_) {
            port_->HandDemonstrationBack(skyview::kSkyDemoNextMainStep);
            port_->ShowDemoClickHint(false);
        }
        close();
        return;
    }
    --demoCountdown_;
}

void DispHeavenGPSFrm::CloseCmd_Click()
{
    ResetMainMap();
    close();
}

void DispHeavenGPSFrm::ResetMainMap()
{
    if (mapReset_) return;
    mapReset_ = true;
    // A running area judgement owns the map: the reset is then not carried out.
    if (port_ && !port_->isJudging()) {
        port_->InitialDisPlayCmd_Click();
    }
}

void DispHeavenGPSFrm::closeEvent(QCloseEvent* event)
{
    // Closed in any way while its demonstration script runs, the view ends the demonstration and
    // takes back the turns the script gave the main map, so the map is not left turned by a
    // demonstration that stopped; only the script's own end leaves the map turned, for the
    // demonstration's next steps.
    if (demoStarted_ && !demoHandedBack_) {
        ResetMainMap();
    }
    // Every way of closing stops both clocks and gives the site map's picture clicks back.
    Timer2->stop();
    DemoTmr->stop();
    if (photoClickTaken_ && port_) {
        port_->ReleasePictureClick(PictureClickWindow::SkyView, this);
    }
    photoClickTaken_ = false;
    unloaded_ = true;
    QWidget::closeEvent(event);
}
