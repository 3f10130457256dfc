#include "BothSateObitFrm.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <variant>

#include "gps/GPSSettingFrm.h"
#include "gps/GpsSettings.h"
#include "gps/GpsWindowParts.h"
#include "orbit/ObservationConditions.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/OwnedWindow.h"
#include "platform/PictureSurface.h"
#include "site/RunState.h"
#include "skyview/SkyWindowParts.h"
#include "site/MapView.h"

namespace gps {

namespace {

constexpr double kPredictedIconOffset = 10.0;  // plot units from a predicted icon's corner to its satellite
constexpr double kReceiverIconHalf = 6.0;      // receiver icons: 12 plot units square about the satellite
const QColor kReceiverFrameColor{0, 0, 200};
const QString kStartCaption = QStringLiteral("スタート");
const QString kStopCaption = QStringLiteral("ストップ");

// A caption label in the window font.
QLabel* Caption(QWidget* parent, const QString& text) { return skyview::MakeLabel(parent, nullptr, text); }

QPixmap ReceiverIconPixmap(int slot, int size)
{
    return slot == kDifferentialSlot ? skyview::DifferentialIconPixmap(kDifferentialPrn, size) : skyview::SateIconPixmap(slot + 1, false, size);
}

// A legend row: a sample icon and its caption.
void LegendRow(QWidget* parent, QRect at, const QPixmap& icon, const QString& text)
{
    auto* sample = new QLabel(parent);
    sample->setPixmap(icon);
    sample->setGeometry(at.x(), at.y(), icon.width(), icon.height());
    QLabel* caption = Caption(parent, text);
    caption->setGeometry(at.x() + icon.width() + 4, at.y(), at.width() - icon.width() - 4, icon.height());
}

}  // namespace

BothSateObitFrm::BothSateObitFrm(QWidget* owner, MainWindowPort* port)
    : QWidget(owner, platform::OwnedWindowFlags()), port_(port)
{
    setObjectName(QStringLiteral("BothSateObitFrm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("実衛星と予測衛星配置"));
    setFont(platform::WindowFont(9));
    BuildControls();
    LayOut();
    Form_Load();
}

BothSateObitFrm::~BothSateObitFrm() = default;

void BothSateObitFrm::BuildControls()
{
    GPSFlm = new QGroupBox(QStringLiteral("GPS受信機"), this);
    GPSFlm->setObjectName(QStringLiteral("GPSFlm"));
    SkySatePsotionPic = new PictureSurface(GPSFlm);
    SkySatePsotionPic->setObjectName(QStringLiteral("SkySatePsotionPic"));
    for (int slot = 0; slot < kReceiverSlots; ++slot) {
        auto* icon = new QLabel(SkySatePsotionPic);
        icon->setObjectName(QStringLiteral("VisSateImg_%1").arg(slot));
        icon->setAttribute(Qt::WA_TransparentForMouseEvents);
        icon->hide();
        VisSateImg[static_cast<std::size_t>(slot)] = icon;
    }
    LatLbl = skyview::MakeLabel(GPSFlm, "LatLbl", QStringLiteral("35-44-12.3"), 10);
    LonLbl = skyview::MakeLabel(GPSFlm, "LonLbl", QStringLiteral("139-36-21.3"), 10);
    TimeLbl = skyview::MakeLabel(GPSFlm, "TimeLbl", QStringLiteral("12:13:15"), 11);
    SateNum0Lbl = skyview::MakeLabel(GPSFlm, "SateNum0Lbl", QStringLiteral("衛星数:0"), 10);

    SimulationFlm = new QGroupBox(QStringLiteral("シュミレーション"), this);
    SimulationFlm->setObjectName(QStringLiteral("SimulationFlm"));
    DispPic = skyview::MakeSkyPlot(SimulationFlm);
    SateNumLbl = skyview::MakeLabel(SimulationFlm, "SateNumLbl", skyview::SateCountText(0), 10);
    icons_ = std::make_unique<skyview::SkyPlotIcons>(*DispPic, kPredictedIconOffset);

    SettingGPSCmd = skyview::MakeButton(this, "SettingGPSCmd", QStringLiteral("GPS設定"));
    StartGPSCmd = skyview::MakeButton(this, "StartGPSCmd", kStartCaption);
    CloseCmd = skyview::MakeButton(this, "CloseCmd", QStringLiteral("閉じる"));

    connect(SettingGPSCmd, &QPushButton::clicked, this, &BothSateObitFrm::SettingGPSCmd_Click);
    connect(StartGPSCmd, &QPushButton::clicked, this, &BothSateObitFrm::StartGPSCmd_Click);
    connect(CloseCmd, &QPushButton::clicked, this, &BothSateObitFrm::CloseCmd_Click);
    connect(&gpsCom_, &NmeaSerialReader::sentenceReceived, this, &BothSateObitFrm::ConvertNMEAData);
    connect(&gpsCom_, &NmeaSerialReader::portFailed, this, &BothSateObitFrm::PortFailed);
}

void BothSateObitFrm::LayOut()
{
    // Two halves of equal make: a caption line, the 340-pixel plot, the legend and the values.
    const int plotSize = 340;
    const int halfWidth = plotSize + 28;
    const int halfHeight = 478;
    GPSFlm->setGeometry(8, 4, halfWidth, halfHeight);
    SimulationFlm->setGeometry(8 + halfWidth + 8, 4, halfWidth, halfHeight);
    for (QGroupBox* half : {GPSFlm, SimulationFlm}) {
        const bool receiverHalf = half == GPSFlm;
        QLabel* title = Caption(half, receiverHalf ? QStringLiteral("GPS衛星（数字は衛星番号）")
                                                     : QStringLiteral("GPS衛星の予測軌道（数字は衛星番号）"));
        title->setGeometry(14, 20, 260, 18);
        QLabel* seeing = Caption(half, QStringLiteral("上空から下"));
        seeing->setGeometry(halfWidth - 90, 20, 76, 18);
        seeing->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    SkySatePsotionPic->setGeometry(14, 40, plotSize, plotSize);
    DispPic->setGeometry(14, 40, plotSize, plotSize);

    const int legendTop = 40 + plotSize + 8;
    const int iconSize = 18;
    LegendRow(GPSFlm, {14, legendTop, 110, iconSize}, skyview::SateIconPixmap(8, false, iconSize), QStringLiteral("受信衛星"));
    LegendRow(GPSFlm, {128, legendTop, 150, iconSize}, skyview::DifferentialIconPixmap(kDifferentialPrn, iconSize), QStringLiteral("ディファレンシャル衛星"));
    SateNum0Lbl->setGeometry(halfWidth - 100, legendTop, 86, iconSize);
    SateNum0Lbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LegendRow(SimulationFlm, {14, legendTop, 120, iconSize}, skyview::SateIconPixmap(8, false, iconSize),
              QStringLiteral("受信可能衛星"));
    LegendRow(SimulationFlm, {14, legendTop + 24, 160, iconSize}, skyview::SateIconPixmap(8, true, iconSize),
              QStringLiteral("障害物に隠れた衛星"));
    SateNumLbl->setGeometry(halfWidth - 100, legendTop, 86, iconSize);
    SateNumLbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    const int valuesTop = legendTop + 28;
    Caption(GPSFlm, QStringLiteral("緯度"))->setGeometry(14, valuesTop, 40, 20);
    LatLbl->setGeometry(56, valuesTop, 120, 20);
    Caption(GPSFlm, QStringLiteral("経度"))->setGeometry(184, valuesTop, 40, 20);
    LonLbl->setGeometry(226, valuesTop, 128, 20);
    Caption(GPSFlm, QStringLiteral("現在の時刻"))->setGeometry(14, valuesTop + 26, 80, 22);
    TimeLbl->setGeometry(96, valuesTop + 26, 90, 22);
    Caption(GPSFlm, QStringLiteral("GPS時間"))->setGeometry(190, valuesTop + 26, 80, 22);

    const int bottom = 4 + halfHeight + 8;
    QLabel* note = Caption(this, QStringLiteral("GPS受信機からは　NMEA-183の出力が必要です"));
    note->setGeometry(14, bottom + 4, halfWidth, 22);
    const int buttonLeft = 8 + halfWidth + 8 + 4;
    const int buttonWidth = (halfWidth - 24) / 3;
    SettingGPSCmd->setGeometry(buttonLeft, bottom, buttonWidth, 30);
    StartGPSCmd->setGeometry(buttonLeft + buttonWidth + 8, bottom, buttonWidth, 30);
    CloseCmd->setGeometry(buttonLeft + 2 * (buttonWidth + 8), bottom, buttonWidth, 30);
    setFixedSize(8 + 2 * halfWidth + 16, bottom + 40);
}

void BothSateObitFrm::Form_Load()
{
    PlaceWindowAtTwips(this, 2000, 0);
    SkySatePsotionPic->setScale(-100, 100, 200, -200);
    pFirstActivate = -1;
    icons_->hideAll();
    DispPic->setScale(-169, 169, 338, -338);
    pPlotScale = 1.69;
    pLastTimeStep = 0;
    receiverStepGiven_ = false;
    LoadGpsWindowSettings(this);
}

void BothSateObitFrm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void BothSateObitFrm::Form_Activate()
{
    if (pFirstActivate != -1) return;
    ClearGPSSateImg();
    DrawGPSSkyFrame();
    // The whole day of the date the window opens on: the predicted half draws only from these
    // tables, whatever other windows compute later.
    tables_.ComputeWholeDay();
    DrawPredictedPlot();
    ShowSatePositionUpToDown(kFirstShownStep);
    if (port_) port_->TakePictureClick(PictureClickWindow::Comparison, 2, this);
    photoClickTaken_ = true;
    pFirstActivate = 0;
}

// ---- Predicted half ---------------------------------------------------------------------------

skyview::PlotFrame BothSateObitFrm::frame() const
{
    return {pPlotScale, skyview::PlotOrientation::LookingDown, gMapRotateAngle};
}

void BothSateObitFrm::DrawPredictedPlot()
{
    DispPic->clear();
    pPlotScale = 1.69;
    DispPic->setScale(-169, 169, 338, -338);
    icons_->hideAll();
    const skyview::PlotFrame f = frame();
    const skyview::SkyInputs in = tables_.inputs();
    skyview::DrawHeavenBase(*DispPic, f);
    skyview::DrawElevationMaskCircle(*DispPic, f, in.mask);
    skyview::DrawSateObitLine(*DispPic, f, in, kFirstShownStep, kLastShownStep);
    skyview::DrawBillSkyLine(*DispPic, f, in.skyline);
}

void BothSateObitFrm::ShowSatePositionUpToDown(int step)
{
    shown_ = skyview::ShowSatePosition(*icons_, *SateNumLbl, frame(), tables_.inputs(), step);
}

void BothSateObitFrm::ShowCurrentSateVisible()
{
    if (pFirstActivate != 0) return;  // the first activation draws with the tables it computes
    DrawPredictedPlot();
    ShowSatePositionUpToDown(shownStep());
}

// ---- Receiver half ----------------------------------------------------------------------------

void BothSateObitFrm::ConvertNMEAData(const NmeaSentence& sentence)
{
    if (const auto* gsa = std::get_if<GsaSentence>(&sentence.data)) {
        SetGPGSAUsedSate(*gsa);
        return;
    }
    receiver_.endGsaCycle();
    if (const auto* gga = std::get_if<GgaSentence>(&sentence.data)) {
        ShowGPGGAData(*gga);
    } else if (const auto* gsv = std::get_if<GsvSentence>(&sentence.data)) {
        ShowGPGSVSatePosition(*gsv);
    }
}

void BothSateObitFrm::ShowGPGGAData(const GgaSentence& gga)
{
    // Without a position (no fix yet) the labels keep the last one shown.
    if (gga.hasPosition) {
        LatLbl->setText(QString::fromStdString(DegreeMinuteSecondText(gga.latitude, 2)));
        LonLbl->setText(QString::fromStdString(DegreeMinuteSecondText(gga.longitude, 3)));
    }
    if (gga.utc) TimeLbl->setText(ConvertGPSTimeToJST(*gga.utc));
}

QString BothSateObitFrm::ConvertGPSTimeToJST(const TimeOfDay& utc)
{
    const JapanTime jst = ToJapanTime(utc);
    const int step = TimeStepOf(jst);
    // The icons follow the receiver's clock forward only: after midnight (the step starts again
    // from 0) they stay at the evening of the day the tables are for.
    if (!receiverStepGiven_ || step > pLastTimeStep) {
        receiverStepGiven_ = true;
        pLastTimeStep = step;
        if (pFirstActivate == 0) ShowSatePositionUpToDown(step);
    }
    return QString::fromStdString(ReceiverTimeText(jst));
}

void BothSateObitFrm::SetGPGSAUsedSate(const GsaSentence& gsa) { receiver_.takeGsa(gsa); }

void BothSateObitFrm::ShowGPGSVSatePosition(const GsvSentence& gsv)
{
    receiver_.takeGsv(gsv);
    ShowReceiverIcons();
}

void BothSateObitFrm::ShowReceiverIcons()
{
    for (int slot = 0; slot < kReceiverSlots; ++slot) {
        QLabel* icon = VisSateImg[static_cast<std::size_t>(slot)];
        if (!receiver_.shown(slot)) {
            icon->hide();
            continue;
        }
        const ReceiverPlotPoint at = receiver_.at(slot);
        const QPointF topLeft = SkySatePsotionPic->toPixel({at.x - kReceiverIconHalf, at.y + kReceiverIconHalf});
        const QPointF bottomRight = SkySatePsotionPic->toPixel({at.x + kReceiverIconHalf, at.y - kReceiverIconHalf});
        const int size = std::max(8, static_cast<int>(std::lround(bottomRight.x() - topLeft.x())));
        if (icon->pixmap().width() != size) {
            icon->setPixmap(ReceiverIconPixmap(slot, size));
            icon->resize(size, size);
        }
        icon->move(topLeft.toPoint());
        icon->show();
    }
    SateNum0Lbl->setText(QStringLiteral("衛星数:%1").arg(receiver_.usedGpsCount()));
}

void BothSateObitFrm::DrawGPSSkyFrame()
{
    SkySatePsotionPic->line({-90, 0}, {90, 0}, kReceiverFrameColor);
    SkySatePsotionPic->line({0, -90}, {0, 90}, kReceiverFrameColor);
    for (double radius : {30.0, 60.0, 90.0}) {
        SkySatePsotionPic->circle({0, 0}, radius, kReceiverFrameColor);
    }
}

void BothSateObitFrm::ClearGPSSateImg()
{
    for (QLabel* icon : VisSateImg) icon->hide();
    receiver_.clear();
}

// ---- Buttons ----------------------------------------------------------------------------------

void BothSateObitFrm::SettingGPSCmd_Click()
{
    gGPSSettingMode = 1;
    if (settings_.isNull()) settings_ = new GPSSettingFrm(gStartDir, this);
    // Modeless: the port and speed it stores are used by the next start.
    platform::ShowOwnedWindow(settings_);
}

void BothSateObitFrm::StartGPSCmd_Click()
{
    if (StartGPSCmd->text() == kStopCaption) {
        StopReceiver();
        return;
    }
    const QString path = QString::fromStdString(GpsPortPath(CurrentGpsSettings()));
    // A port that cannot be opened is reported (PortFailed) and the window stays stopped.
    if (gpsCom_.open(path, BaudRateOfSetting(gGPSPortSetting).value_or(9600))) {
        StartGPSCmd->setText(kStopCaption);
        // The main map's receiver mark shows while the port is open; this window never moves it.
        if (port_) port_->ShowGPSPointMark();
    }
}

void BothSateObitFrm::StopReceiver()
{
    gpsCom_.close();
    StartGPSCmd->setText(kStartCaption);
    if (port_) port_->HideGPSPoint();
}

void BothSateObitFrm::PortFailed(const QString& message)
{
    if (StartGPSCmd->text() == kStopCaption) StopReceiver();
    platform::ShowMessage(this, message);
}

void BothSateObitFrm::CloseCmd_Click() { close(); }

void BothSateObitFrm::closeEvent(QCloseEvent* event)
{
    // Every way of closing stops the receiver and gives the site map's picture clicks back.
    if (gpsCom_.isOpen() || StartGPSCmd->text() == kStopCaption) StopReceiver();
    if (photoClickTaken_ && port_) port_->ReleasePictureClick(PictureClickWindow::Comparison, this);
    photoClickTaken_ = false;
    unloaded_ = true;
    QWidget::closeEvent(event);
}

}  // namespace gps
