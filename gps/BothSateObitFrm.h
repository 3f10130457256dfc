#pragma once
// The comparison window "実衛星と予測衛星配置": what a GPS receiver sees beside what was predicted
// for the site and day, both seen from above looking down.
//
// Left, the receiver half: the satellites the receiver lists in its GSV sentences, each shown
// once its GSA sentences name it as used in the fix (GPS PRN 1..32, and the differential
// satellite PRN 42 in a style of its own), the count of GPS satellites in use, and the
// receiver's latitude, longitude and Japan time from GGA. Sentences come from the serial port of
// the GPS settings through the NMEA decoder (checked lines, any GNSS talker); the port is opened
// and closed with the start button.
//
// Right, the predicted half: the shared sky plot turned with the main map (gMapRotateAngle),
// drawn from the window's own whole-day tables of the date it opened on: grid, mask circle,
// tracks 08:00..18:00, the skyline the main window last computed, and the icons of one step.
// That step follows the receiver's clock: whenever the 5-minute step of the receiver's Japan
// time grows, the icons move to it (step 96, 08:00, until the receiver gives one).
//
// One instance, created by the main window's comparison command and deleted when closed. Its
// first activation computes the tables and takes picture-click request 2 (the site map's presses
// redraw the predicted half while gDispHeavenMode names this window) until it closes.

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

#include "gps/GPSSettingFrm.h"
#include "gps/NmeaSerialReader.h"
#include "gps/ReceiverSky.h"
#include "site/MainWindowPort.h"
#include "skyview/DaySkyTables.h"
#include "skyview/SkyPlotIcons.h"

class QGroupBox;
class QLabel;
class QPushButton;
class PictureSurface;

namespace gps {

class BothSateObitFrm : public QWidget, public PictureClickClient {
    Q_OBJECT
public:
    // Loads the window (hidden) as a window of `owner`; reads the GPS settings of the start
    // folder. Through `port` (may be null) it takes and gives back the site map's picture clicks
    // and shows the main window's receiver mark while the receiver listens (without moving it).
    explicit BothSateObitFrm(QWidget* owner, MainWindowPort* port = nullptr);
    ~BothSateObitFrm() override;

    // Clears and redraws the predicted half from the window's tables with the skyline and map
    // rotation as they are now, the icons at the step last shown (the receiver's, else 08:00).
    void ShowCurrentSateVisible() override;
    // One decoded sentence of the receiver: GGA, GSA and GSV are shown, all others ignored.
    void ConvertNMEAData(const gps::NmeaSentence& sentence);

    int pFirstActivate = -1;   // -1 from the load until the end of the first activation, then 0
    double pPlotScale = 1.69;  // k of the predicted plot, picture units per degree
    int pLastTimeStep = 0;     // the step the receiver's clock last moved the predicted icons to
    // The step of the predicted icons: the receiver's last step, 96 (08:00) before any.
    int shownStep() const { return receiverStepGiven_ ? pLastTimeStep : kFirstShownStep; }

    // Receiver half.
    QGroupBox* GPSFlm = nullptr;
    PictureSurface* SkySatePsotionPic = nullptr;
    std::array<QLabel*, kReceiverSlots> VisSateImg{};
    QLabel* LatLbl = nullptr;
    QLabel* LonLbl = nullptr;
    QLabel* TimeLbl = nullptr;
    QLabel* SateNum0Lbl = nullptr;
    // Predicted half.
    QGroupBox* SimulationFlm = nullptr;
    PictureSurface* DispPic = nullptr;
    QLabel* SateNumLbl = nullptr;
    // Buttons.
    QPushButton* SettingGPSCmd = nullptr;
    QPushButton* StartGPSCmd = nullptr;
    QPushButton* CloseCmd = nullptr;

    NmeaSerialReader& GPSCom() { return gpsCom_; }
    const ReceiverSatellites& receiver() const { return receiver_; }
    skyview::SkyPlotIcons& predictedIcons() { return *icons_; }
    const skyview::SatePositions& shownPositions() const { return shown_; }
    // The settings dialog once opened (it stays until the window closes).
    GPSSettingFrm* settingsDialog() const { return settings_; }
    bool unloaded() const { return unloaded_; }

    static constexpr int kFirstShownStep = 96;  // 08:00
    static constexpr int kLastShownStep = 216;  // 18:00

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void LayOut();
    void Form_Load();
    void Form_Activate();

    void ShowGPGGAData(const GgaSentence& gga);
    void SetGPGSAUsedSate(const GsaSentence& gsa);
    void ShowGPGSVSatePosition(const GsvSentence& gsv);
    // The receiver's icons shown and hidden by the marks, and the count.
    void ShowReceiverIcons();
    void DrawGPSSkyFrame();
    void ClearGPSSateImg();
    // The Japan time text of a UTC time; moves the predicted icons when its step grew.
    QString ConvertGPSTimeToJST(const TimeOfDay& utc);

    void SettingGPSCmd_Click();
    void StartGPSCmd_Click();
    void StopReceiver();
    void PortFailed(const QString& message);
    void CloseCmd_Click();

    skyview::PlotFrame frame() const;
    void DrawPredictedPlot();
    void ShowSatePositionUpToDown(int step);

    MainWindowPort* port_ = nullptr;
    NmeaSerialReader gpsCom_;
    ReceiverSatellites receiver_;
    bool receiverStepGiven_ = false;
    std::unique_ptr<skyview::SkyPlotIcons> icons_;
    skyview::SatePositions shown_;
    skyview::DaySkyTables tables_;
    QPointer<GPSSettingFrm> settings_;
    bool photoClickTaken_ = false;
    bool unloaded_ = false;
};

}  // namespace gps
