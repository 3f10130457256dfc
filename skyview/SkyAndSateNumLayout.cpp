// The controls of the orbit-and-count window and where they stand: the sky plot on the left with
// its legend, the count chart with its axes on the right, the three time sliders under the chart,
// and along the bottom the conditions frame, the two satellite lists, the mask, the antenna
// height and the buttons.
#include "SkyAndSateNumFrm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

#include "orbit/ObservationConditions.h"
#include "platform/CalendarPopup.h"
#include "platform/Fonts.h"
#include "platform/PictureSurface.h"
#include "skyview/SateNumChart.h"
#include "skyview/SkyWindowParts.h"

namespace {

using skyview::MakeButton;
using skyview::MakeLabel;
using skyview::Px;
using skyview::TwipRect;

constexpr double kIconOffset = 4.0;  // plot units from an icon's corner to its satellite

// The legend on the plot scaled -100..100.
constexpr skyview::PlotCaptionPlaces kPlotCaptions{
    {-99, 99, 66, 18}, {72, 99, 28, 9},  {-99, -80, 9, 9}, {-99, -90, 9, 9}, {-88, -80, 50, 9},
    {-88, -90, 60, 9}, {56, -84, 12, 4}, {70, -81, 29, 9}, {52, -90, 47, 9},
};

QSlider* MakeSlider(QWidget* parent, const char* name)
{
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(QLatin1String(name));
    slider->setRange(0, kLastTimeStep);
    slider->setSingleStep(1);
    slider->setPageStep(12);
    return slider;
}

QComboBox* MakeNumberList(QWidget* parent, const char* name, int last)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    for (int n = 0; n <= last; ++n) {
        list->addItem(QString::number(n));
    }
    list->setCurrentIndex(-1);
    return list;
}

QListWidget* MakeSateList(QWidget* parent, const char* name)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

}  // namespace

void SkyAndSateNumFrm::BuildControls()
{
    DispPic = skyview::MakeSkyPlot(this);
    BuildPlotLegend();

    SateNumPic = new PictureSurface(this);
    SateNumPic->setObjectName(QStringLiteral("SateNumPic"));
    VisPicture = new PictureSurface(this);
    VisPicture->setObjectName(QStringLiteral("VisPicture"));
    TimeScalePic = new PictureSurface(this);
    TimeScalePic->setObjectName(QStringLiteral("TimeScalePic"));
    MakeLabel(VisPicture, "TimeHdLbl", QStringLiteral("現在時刻"))->setGeometry(200, 2, 56, 18);
    TimeLbl = MakeLabel(VisPicture, "TimeLbl", QString());
    TimeLbl->setGeometry(258, 2, 48, 18);
    ResidentTimePnl = MakeLabel(VisPicture, "ResidentTimePnl", QString(), 14);
    ResidentTimePnl->setAlignment(Qt::AlignCenter);
    ResidentTimePnl->setStyleSheet(QStringLiteral("background: rgb(255,255,192); border: 1px solid gray;"));
    OnDemoPnl = MakeLabel(this, "OnDemoPnl", QStringLiteral("デモ中"), 11);
    OnDemoPnl->setAlignment(Qt::AlignCenter);
    OnDemoPnl->setStyleSheet(QStringLiteral("color: red; border: 1px solid red;"));

    MakeLabel(this, "StartHdLbl", QStringLiteral("開始時刻"))->setGeometry(440, 336, 100, 20);
    StartTimeScroll = MakeSlider(this, "StartTimeScroll");
    StartTimeLbl = MakeLabel(this, "StartTimeLbl", QString());
    MakeLabel(this, "EndHdLbl", QStringLiteral("終了時刻"))->setGeometry(440, 362, 100, 20);
    EndTimeScroll = MakeSlider(this, "EndTimeScroll");
    EndTimeLbl = MakeLabel(this, "EndTimeLbl", QString());
    MakeLabel(this, "ShiftHdLbl", QStringLiteral("現在時間のシフト"))->setGeometry(440, 388, 100, 20);
    CurrentTimeScl = MakeSlider(this, "CurrentTimeScl");
    TimeDataLbl = MakeLabel(this, "TimeDataLbl", QString());

    SettingDataFlm = new QGroupBox(QStringLiteral("GPS軌道計算データ設定"), this);
    SettingDataFlm->setObjectName(QStringLiteral("SettingDataFlm"));
    SetAlmanacCmd = MakeButton(SettingDataFlm, "SetAlmanacCmd", QStringLiteral("現在のアルマナック"));
    AlmanacDataLbl = MakeLabel(SettingDataFlm, "AlmanacDataLbl", QString());
    ResetDateCmd = MakeButton(SettingDataFlm, "ResetDateCmd", QStringLiteral("年月日"));
    DateDataLbl = MakeLabel(SettingDataFlm, "DateDataLbl", QString());
    MakeLabel(SettingDataFlm, "LatHdLbl", QStringLiteral("緯度"))->setGeometry(12, 86, 36, 22);
    LatDataCmb = MakeNumberList(SettingDataFlm, "LatDataCmb", 60);
    MakeLabel(SettingDataFlm, "LonHdLbl", QStringLiteral("経度"))->setGeometry(150, 86, 36, 22);
    LonDataCmb = MakeNumberList(SettingDataFlm, "LonDataCmb", 180);

    MakeLabel(this, "AvalableHdLbl", QStringLiteral("有効衛星"))->setGeometry(440, 426, 90, 18);
    AvalableSateLst = MakeSateList(this, "AvalableSateLst");
    MakeLabel(this, "UnUsefulHdLbl", QStringLiteral("無効衛星"))->setGeometry(540, 426, 90, 18);
    UnUsefulSateLst = MakeSateList(this, "UnUsefulSateLst");

    MakeLabel(this, "CurrentTimeHdLbl", QStringLiteral("現在の時刻"))->setGeometry(650, 430, 110, 20);
    CurrentTimeLbl = MakeLabel(this, "CurrentTimeLbl", QString(), 11);
    MakeLabel(this, "ElevationMaskHdLbl", QStringLiteral("仰角マスク（度）"))->setGeometry(650, 458, 110, 22);
    ElevationMaskCmb = MakeNumberList(this, "ElevationMaskCmb", 31);
    AntennaCmd = MakeButton(this, "AntennaCmd", QStringLiteral("ｱﾝﾃﾅ高(m)"));
    AntennaHTxt = new QLineEdit(this);
    AntennaHTxt->setObjectName(QStringLiteral("AntennaHTxt"));
    PrintDisplayCmd = MakeButton(this, "PrintDisplayCmd", QStringLiteral("画面の印刷(&P)"));
    CloseCmd = MakeButton(this, "CloseCmd", QStringLiteral("閉じる(&C)"));
    CloseCmd->setAutoDefault(false);
    PrintDisplayCmd->setAutoDefault(false);
    ResetDateCmd->setAutoDefault(false);
    SetAlmanacCmd->setAutoDefault(false);
    AntennaCmd->setAutoDefault(false);

    DaybrookPicker1 = new platform::CalendarPopup(this);
    DaybrookPicker1->setObjectName(QStringLiteral("DaybrookPicker1"));
}

void SkyAndSateNumFrm::BuildPlotLegend()
{
    skyview::MakePlotCaptions(DispPic, QStringLiteral("上空から下"), *this);
    // The icons come last, so that they lie over the captions.
    icons_ = std::make_unique<skyview::SkyPlotIcons>(*DispPic, kIconOffset);
}

void SkyAndSateNumFrm::SetControlPosition()
{
    move(0, Px(500));
    setFixedSize(966, 600);

    DispPic->setGeometry(TwipRect(0, 60, 6255, 6255));
    DispPic->setScale(-100, 100, 200, -200);
    skyview::PlacePlotCaptions(*DispPic, *this, kPlotCaptions);

    SateNumPic->setGeometry(TwipRect(6300, 120, 555, 4395));
    VisPicture->setGeometry(TwipRect(6840, 180, 7395, 4335));
    TimeScalePic->setGeometry(TwipRect(6660, 4500, 7755, 435));
    skyview::SetChartScales(*VisPicture, *SateNumPic, *TimeScalePic);
    ResidentTimePnl->setGeometry(VisPicture->width() - 44, 2, 42, 28);
    OnDemoPnl->setGeometry(896, 336, 64, 24);

    StartTimeScroll->setGeometry(540, 336, 290, 20);
    StartTimeLbl->setGeometry(840, 336, 50, 20);
    EndTimeScroll->setGeometry(540, 362, 290, 20);
    EndTimeLbl->setGeometry(840, 362, 50, 20);
    CurrentTimeScl->setGeometry(540, 388, 290, 20);
    TimeDataLbl->setGeometry(840, 388, 50, 20);

    SettingDataFlm->setGeometry(4, 426, 420, 168);
    SetAlmanacCmd->setGeometry(10, 24, 130, 24);
    AlmanacDataLbl->setGeometry(150, 24, 260, 24);
    ResetDateCmd->setGeometry(10, 54, 130, 24);
    DateDataLbl->setGeometry(150, 54, 260, 24);
    LatDataCmb->setGeometry(50, 86, 70, 22);
    LonDataCmb->setGeometry(188, 86, 70, 22);

    AvalableSateLst->setGeometry(440, 446, 90, 148);
    UnUsefulSateLst->setGeometry(540, 446, 90, 148);

    CurrentTimeLbl->setGeometry(765, 430, 80, 20);
    ElevationMaskCmb->setGeometry(765, 458, 70, 22);
    AntennaCmd->setGeometry(650, 488, 108, 24);
    AntennaHTxt->setGeometry(765, 488, 70, 24);
    PrintDisplayCmd->setGeometry(650, 540, 150, 30);
    CloseCmd->setGeometry(810, 540, 150, 30);

    // The calendar at 1560, 5760 twips, kept inside the window.
    DaybrookPicker1->resize(DaybrookPicker1->sizeHint());
    DaybrookPicker1->move(Px(1560), std::min(Px(5760), height() - DaybrookPicker1->height()));
}
