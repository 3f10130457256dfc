#include "DispCumpuSateliteObitFrm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "orbit/AlmanacTable.h"
#include "orbit/ObservationConditions.h"
#include "orbit/OrbitEngine.h"
#include "orbit/TextHelpers.h"
#include "platform/CalendarPopup.h"
#include "platform/Constants.h"
#include "platform/Fonts.h"
#include "platform/NamedControls.h"
#include "platform/NumberText.h"
#include "platform/OwnedWindow.h"
#include "platform/PictureSurface.h"
#include "platform/PrintWindow.h"
#include "skyview/SkyWindowParts.h"

using skyview::kFirstShownStep;
using skyview::kIconOffset;
using skyview::kLastShownStep;
using skyview::MakeButton;
using skyview::MakeLabel;
using skyview::Px;
using skyview::StepLabel;
using skyview::TwipRect;

DispCumpuSateliteObitFrm::DispCumpuSateliteObitFrm(QWidget* owner, MainWindowPort* port) : QWidget(owner, platform::OwnedWindowFlags()), port_(port)
{
    skyview::SetUpSkyViewWindow(this, "DispCumpuSateliteObitFrm");
    BuildControls();
    Form_Load();
}

DispCumpuSateliteObitFrm::~DispCumpuSateliteObitFrm() = default;

void DispCumpuSateliteObitFrm::BuildControls()
{
    DispPic = skyview::MakeSkyPlot(this);
    skyview::MakePlotCaptions(DispPic, QStringLiteral("上空から下"), *this);
    // The icons come last, so that they lie over the captions.
    icons_ = std::make_unique<skyview::SkyPlotIcons>(*DispPic, kIconOffset);

    SettingDataFlm = new QGroupBox(QStringLiteral("GPS軌道計算データ設定"), this);
    SettingDataFlm->setObjectName(QStringLiteral("SettingDataFlm"));
    SetAlmanacCmd = MakeButton(SettingDataFlm, "SetAlmanacCmd", QStringLiteral("現在のアルマナック"));
    AlmanacDataLbl = MakeLabel(SettingDataFlm, "AlmanacDataLbl", QString());
    ResetDateCmd = MakeButton(SettingDataFlm, "ResetDateCmd", QStringLiteral("年月日"));
    DateDataLbl = MakeLabel(SettingDataFlm, "DateDataLbl", QString());
    LatHdLbl = MakeLabel(SettingDataFlm, "LatHdLbl", QStringLiteral("緯度"));
    LatDataLbl = MakeLabel(SettingDataFlm, "LatDataLbl", QString());
    LonHdLbl = MakeLabel(SettingDataFlm, "LonHdLbl", QStringLiteral("経度"));
    LonDataLbl = MakeLabel(SettingDataFlm, "LonDataLbl", QString());
    ElevationMaskHdLbl = MakeLabel(SettingDataFlm, "ElevationMaskHdLbl", QStringLiteral("仰角マスク（度）"));
    ElevationMaskLbl = MakeLabel(SettingDataFlm, "ElevationMaskLbl", QString(), 10);
    AntennaCmd = MakeButton(SettingDataFlm, "AntennaCmd", QStringLiteral("ｱﾝﾃﾅ高(m)"));
    AntennaHLbl = MakeLabel(SettingDataFlm, "AntennaHLbl", QString());

    SetTimeFlm = new QGroupBox(this);
    SetTimeFlm->setObjectName(QStringLiteral("SetTimeFlm"));
    StartHdLbl = MakeLabel(SetTimeFlm, "StartHdLbl", QStringLiteral("開始時刻"));
    StartTimeDataCmb = new QComboBox(SetTimeFlm);
    StartTimeDataCmb->setObjectName(QStringLiteral("StartTimeDataCmb"));
    EndHdLbl = MakeLabel(SetTimeFlm, "EndHdLbl", QStringLiteral("終了時刻"));
    EndTimeDataCmb = new QComboBox(SetTimeFlm);
    EndTimeDataCmb->setObjectName(QStringLiteral("EndTimeDataCmb"));
    SetTimeHdLbl = MakeLabel(SetTimeFlm, "SetTimeHdLbl", QStringLiteral("現在の時刻"));
    TimeDataLbl = MakeLabel(SetTimeFlm, "TimeDataLbl", QString(), 11);
    TimeScrol1 = new QScrollBar(Qt::Horizontal, SetTimeFlm);
    TimeScrol1->setObjectName(QStringLiteral("TimeScrol1"));
    TimeScrol1->setSingleStep(1);
    TimeScrol1->setPageStep(1);
    PrintDisplayCmd = MakeButton(SetTimeFlm, "PrintDisplayCmd", QStringLiteral("画面の印刷(&P)"));

    CloseFlm = new QGroupBox(this);
    CloseFlm->setObjectName(QStringLiteral("CloseFlm"));
    CloseCmd = MakeButton(CloseFlm, "CloseCmd", QStringLiteral("閉じる(&C)"));

    DaybrookPicker1 = new platform::CalendarPopup(this);
    DaybrookPicker1->setObjectName(QStringLiteral("DaybrookPicker1"));

    connect(StartTimeDataCmb, &QComboBox::currentIndexChanged, this, &DispCumpuSateliteObitFrm::StartTimeDataCmb_Click);
    connect(EndTimeDataCmb, &QComboBox::currentIndexChanged, this, &DispCumpuSateliteObitFrm::EndTimeDataCmb_Click);
    connect(TimeScrol1, &QScrollBar::valueChanged, this, &DispCumpuSateliteObitFrm::TimeScrol1_Change);
    connect(ResetDateCmd, &QPushButton::clicked, this, &DispCumpuSateliteObitFrm::ResetDateCmd_Click);
    connect(DaybrookPicker1, &platform::CalendarPopup::datePicked, this, &DispCumpuSateliteObitFrm::DaybrookPicker1_DatePicked);
    connect(PrintDisplayCmd, &QPushButton::clicked, this, &DispCumpuSateliteObitFrm::PrintDisplayCmd_Click);
    connect(CloseCmd, &QPushButton::clicked, this, &DispCumpuSateliteObitFrm::CloseCmd_Click);
    // A press on the plot or on either frame puts the calendar away.
    for (QWidget* w : {static_cast<QWidget*>(DispPic), static_cast<QWidget*>(SettingDataFlm), static_cast<QWidget*>(SetTimeFlm)}) {
        w->installEventFilter(this);
    }
}

void DispCumpuSateliteObitFrm::Form_Load()
{
    pFirstActivate = -1;
    DaybrookPicker1->hide();
    ShowConditionLabels();

    QStringList times;
    for (int step = 0; step <= kLastTimeStep; ++step) {
        times << StepLabel(step);
    }
    StartTimeDataCmb->addItems(times);
    StartTimeDataCmb->setCurrentIndex(kFirstShownStep);
    TimeDataLbl->setText(StepLabel(kFirstShownStep));
    EndTimeDataCmb->addItems(times);
    EndTimeDataCmb->setCurrentIndex(kLastShownStep);

    // The almanac is read afresh; the label names the almanac actually loaded.
    if (port_ && !port_->LoadAlmanacDataBase()) {
        orbit::SetDefaultAlmanacData();
    }
    AlmanacDataLbl->setText(QString::fromStdString(gAlmanacName));

    icons_->hideAll();
    TimeScrol1->setRange(kFirstShownStep, kLastShownStep);
    plotScale = 1.69;
    SetControlPosition();
}

void DispCumpuSateliteObitFrm::SetControlPosition()
{
    move(Px(6800), Px(1000));
    // The plot reaches below its square (the bottom letter and the legend); the window grows
    // with it, so that all of the plot shows.
    skyview::PlaceLargePlot(*DispPic, {Px(60), Px(60)});
    // The outer 8520 x 5640 twips less the title bar and borders, and the plot's extension.
    resize(Px(8400), Px(5280) + DispPic->height() - DispPic->width());
    platform::FitOnScreen(this);  // on a small screen, moved (and shrunk) onto it

    skyview::PlacePlotCaptions(*DispPic, *this, skyview::kLargePlotCaptions);

    SettingDataFlm->setGeometry(TwipRect(5220, 60, 3210, 2475));
    const int rowTop = 20;
    const int rowHeight = 24;
    const int valueLeft = 112;
    const std::pair<QWidget*, QWidget*> rows[] = {
        {SetAlmanacCmd, AlmanacDataLbl}, {ResetDateCmd, DateDataLbl}, {LatHdLbl, LatDataLbl},
        {LonHdLbl, LonDataLbl},          {ElevationMaskHdLbl, ElevationMaskLbl}, {AntennaCmd, AntennaHLbl},
    };
    for (int r = 0; r < 6; ++r) {
        const int y = rowTop + r * rowHeight;
        rows[r].first->setGeometry(8, y, valueLeft - 14, rowHeight - 3);
        rows[r].second->setGeometry(valueLeft, y, SettingDataFlm->width() - valueLeft - 6, rowHeight - 3);
    }

    SetTimeFlm->setGeometry(TwipRect(5220, 2520, 3195, 1995));
    StartHdLbl->setGeometry(12, 10, 70, 20);
    StartTimeDataCmb->setGeometry(90, 10, 100, 20);
    EndHdLbl->setGeometry(12, 33, 70, 20);
    EndTimeDataCmb->setGeometry(90, 33, 100, 20);
    SetTimeHdLbl->setGeometry(12, 56, 70, 20);
    TimeDataLbl->setGeometry(90, 56, 100, 20);
    TimeScrol1->setGeometry(TwipRect(180, 1200, 2775, 255));
    PrintDisplayCmd->setGeometry(Px(180), Px(1200) + Px(255) + 6, Px(2775), 24);

    CloseFlm->setGeometry(TwipRect(5220, 4500, 3225, 675));
    CloseCmd->setGeometry(12, 10, CloseFlm->width() - 24, 26);

    // The calendar over the settings frame, kept inside the window.
    DaybrookPicker1->resize(DaybrookPicker1->sizeHint());
    DaybrookPicker1->move(std::max(0, std::min(Px(5000), width() - DaybrookPicker1->width())), Px(800));
}

void DispCumpuSateliteObitFrm::ShowConditionLabels()
{
    DateDataLbl->setText(QString::fromStdString(gComputeDate));
    const QDate date = QDate::fromString(QString::fromStdString(gComputeDate), QLatin1String(platform::CalendarPopup::kDateFormat));
    if (date.isValid()) {
        DaybrookPicker1->setDate(date);
    }
    ElevationMaskLbl->setText(QString::number(platform::RoundHalfEven(gElevationMask)));
    LatDataLbl->setText(platform::BoxNumber(gLatitude) + QStringLiteral("度"));
    LonDataLbl->setText(platform::BoxNumber(gLongitude) + QStringLiteral("度"));
    AntennaHLbl->setText(platform::BoxNumber(gAntennaHeight));
}

void DispCumpuSateliteObitFrm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void DispCumpuSateliteObitFrm::Form_Activate()
{
    if (pFirstActivate != -1) {
        return;
    }
    // A view loaded early (by an almanac import) shows the conditions of its first showing,
    // which the orbit command has just read from the main window.
    ShowConditionLabels();
    FullRedraw(StartTimeDataCmb->currentIndex(), EndTimeDataCmb->currentIndex(), true);
    pFirstActivate = 0;
    if (port_) {
        port_->TakePictureClick(PictureClickWindow::OrbitView, 1, this);
    }
    photoClickTaken_ = true;
}

void DispCumpuSateliteObitFrm::FullRedraw(int first, int last, bool compute)
{
    const skyview::PlotFrame f = frame();
    icons_->hideAll();
    skyview::DrawHeavenBase(*DispPic, f);
    skyview::DrawElevationMaskCircle(*DispPic, f, gElevationMask);
    if (compute) {
        // Always the whole day of the date: a span chosen later never shows tracks of another
        // date or almanac.
        tables_.ComputeWholeDay();
    }
    const skyview::SkyInputs in = tables_.inputs();
    skyview::DrawSateObitLine(*DispPic, f, in, first, last);
    skyview::DrawBillSkyLine(*DispPic, f, in.skyline);
    shown_ = skyview::ShowSatePosition(*icons_, *SateNumLbl, f, in, TimeScrol1->value());
}

void DispCumpuSateliteObitFrm::ShowSatePosition(int step)
{
    shown_ = skyview::ShowSatePosition(*icons_, *SateNumLbl, frame(), tables_.inputs(), step);
}

void DispCumpuSateliteObitFrm::StartTimeDataCmb_Click() { TimeListChanged(true); }

void DispCumpuSateliteObitFrm::EndTimeDataCmb_Click() { TimeListChanged(false); }

void DispCumpuSateliteObitFrm::TimeListChanged(bool startList)
{
    if (pFirstActivate != 0) {
        return;
    }
    const int s = StartTimeDataCmb->currentIndex();
    const int e = EndTimeDataCmb->currentIndex();
    if (s >= e) {
        // The list just chosen gives way to one step before (start) or after (end) the other;
        // its own handler then runs again and redraws.
        if (startList) {
            StartTimeDataCmb->setCurrentIndex(std::max(e - 1, 0));
        } else {
            EndTimeDataCmb->setCurrentIndex(std::min(s + 1, kLastTimeStep));
        }
        return;
    }
    // The scroll bar follows first (its position moves into the span and shows its time), so
    // the icons and the time label always show the same step.
    if (startList) {
        TimeScrol1->setMinimum(s);
    } else {
        TimeScrol1->setMaximum(e);
    }
    FullRedraw(s, e, false);
}

void DispCumpuSateliteObitFrm::TimeScrol1_Change()
{
    if (pFirstActivate != 0) {
        return;
    }
    const int p = TimeScrol1->value();
    TimeDataLbl->setText(StepLabel(p));
    ShowSatePosition(p);
}

void DispCumpuSateliteObitFrm::ResetDateCmd_Click()
{
    DaybrookPicker1->setVisible(!DaybrookPicker1->isVisible());
    if (DaybrookPicker1->isVisible()) {
        DaybrookPicker1->raise();
    }
}

void DispCumpuSateliteObitFrm::HideCalendar()
{
    if (DaybrookPicker1->isVisible()) {
        DaybrookPicker1->hide();
    }
}

bool DispCumpuSateliteObitFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        HideCalendar();
    }
    return QWidget::eventFilter(watched, event);
}

void DispCumpuSateliteObitFrm::DaybrookPicker1_DatePicked(const QString& dateText)
{
    if (pFirstActivate != 0) {
        return;
    }
    SetComputeDate(dateText.toStdString());
    DateDataLbl->setText(dateText);
    DaybrookPicker1->hide();
    ReComputeSateObit();
}

void DispCumpuSateliteObitFrm::ReComputeSateObit()
{
    if (pFirstActivate != 0) {
        return;
    }
    FullRedraw(StartTimeDataCmb->currentIndex(), EndTimeDataCmb->currentIndex(), true);
}

void DispCumpuSateliteObitFrm::ShowCurrentSateVisible()
{
    plotScale = 1.69;
    SetControlPosition();
    // The tracks of 08:00..18:00 whatever the lists show; the lists and the scroll bar keep their
    // values and the icons stay at the scroll bar's step.
    FullRedraw(kFirstShownStep, kLastShownStep, false);
}

void DispCumpuSateliteObitFrm::PrintDisplayCmd_Click()
{
    // The window as shown, scaled to fit the page; cancel and printer errors end quietly.
    platform::PrintWindowWithDialog(*this);
    unsetCursor();
}

void DispCumpuSateliteObitFrm::CloseCmd_Click()
{
    // A running area judgement owns the map (only its stop button may change anything): the
    // reset is then not carried out, and the map stays as the run paints it.
    if (port_ && !port_->isJudging()) {
        port_->InitialDisPlayCmd_Click();
    }
    close();
}

void DispCumpuSateliteObitFrm::closeEvent(QCloseEvent* event)
{
    // Every way of closing gives the site map's picture clicks back.
    if (photoClickTaken_ && port_) {
        port_->ReleasePictureClick(PictureClickWindow::OrbitView, this);
    }
    photoClickTaken_ = false;
    unloaded_ = true;
    QWidget::closeEvent(event);
}
