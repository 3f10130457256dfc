#pragma once
// The sky view ("SateriteObit"): the predicted satellites of the computation date at the current
// observer point as a sky plot that turns with the main map, so that the plot and the site map
// point the same way. Seen looking up from the observer ("下から上空", chosen at load) or looking
// down from above ("上空から下"). It holds the tracks of 08:00..18:00, the building skyline, the
// elevation-mask circle and the satellites at one time as numbered icons with their count. The
// time is chosen on a vertical slider over the whole day ("指定時刻") or follows the PC clock
// ("現在時刻"). Two buttons turn the main map, and with it this view, by 10 degrees; each turns
// the plot in its own sense in both orientations. While a demonstration runs the window plays
// its short script once and hands the demonstration back to the main window.
//
// One instance, created on first use and deleted when closed. Its first activation (first show)
// computes the whole day into its own copy of the tables, draws, and takes the site map's
// picture-click request 2 until the window closes.

#include <QTime>
#include <QWidget>

#include <functional>
#include <memory>

#include "site/MainWindowPort.h"
#include "skyview/DaySkyTables.h"
#include "skyview/SkyWindowParts.h"
#include "skyview/SkyPlotIcons.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
class PictureSurface;

// The captions inside the plot (TitleNameLbl ... SateNumLbl) are the window's PlotCaptions.
class DispHeavenGPSFrm : public QWidget, public PictureClickClient, public skyview::PlotCaptions {
    Q_OBJECT
public:
    // The PC clock's time of day; tests hand in a clock of their own.
    using Clock = std::function<QTime()>;

    // Loads the window (hidden) as a tool window of `owner`. Through `port` (may be null) it reads
    // the almanac database at its load, turns and resets the main map, takes and gives back
    // picture-click request 2 and runs the demonstration's calls. `clock` null: the PC clock.
    explicit DispHeavenGPSFrm(QWidget* owner, MainWindowPort* port = nullptr, Clock clock = {});
    ~DispHeavenGPSFrm() override;

    // Clears and redraws the plot in the chosen orientation from the view's tables, with the
    // skyline and the map's rotation as they are now; the icons stand at the slider's step, or in
    // current-time mode at the clock's last step. Nothing is recomputed.
    void ShowCurrentSateVisible() override;

    // The clock's tick in current-time mode (every second): the time label shows the clock, and
    // the icons move when the clock step has grown; at midnight the step starts again from 0.
    void Timer2_Timer();
    // One tick of the demonstration script (every 0.9 s while it runs).
    void DemoTmr_Timer();

    // -1 from the load until the end of the first activation, then 0.
    int pFirstActivate = -1;
    double plotScale = 1.69;  // k, picture units per degree of zenith distance

    PictureSurface* DispPic = nullptr;
    QLabel* ResidentTimePnl = nullptr;  // demonstration countdown, upper right of the plot

    QGroupBox* SeeingForwordFlm = nullptr;
    QRadioButton* DownToUpOpt = nullptr;
    QRadioButton* UpToDownOpt = nullptr;

    QGroupBox* SSFrame7 = nullptr;
    QRadioButton* SpecifiedTimeOpt = nullptr;
    QRadioButton* CorrentTimeOpt = nullptr;
    QPushButton* RightTurnCmd = nullptr;
    QPushButton* LeftTurnCmd = nullptr;

    QGroupBox* SetTimeFlm = nullptr;
    QLabel* SetTimeHdLbl = nullptr;
    QLabel* TimeDataLbl = nullptr;
    QScrollBar* TimeScrol1 = nullptr;  // TimeStep 0 (top) .. 288 (bottom)

    QPushButton* CloseCmd = nullptr;
    QLabel* MessagePnl = nullptr;    // demonstration hint to the turn button
    QLabel* MouseIconPnl = nullptr;  // demonstration mouse over the clockwise turn button

    QTimer* Timer2 = nullptr;   // current-time mode, 1000 ms
    QTimer* DemoTmr = nullptr;  // demonstration script, 900 ms

    // True once the window was closed: it is deleted soon and the next use loads a new one.
    bool unloaded() const { return unloaded_; }
    bool lookingUp() const;
    // The step whose icons current-time mode placed last.
    int lastClockStep() const { return lastClockStep_; }
    // Ticks of the demonstration script since its start, and its countdown (25 at the start).
    int demoTick() const { return demoTick_; }
    int demoCountdown() const { return demoCountdown_; }

    skyview::SkyPlotIcons& icons() { return *icons_; }
    // The satellites as the icons show them now.
    const skyview::SatePositions& shownPositions() const { return shown_; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void Form_Load();
    void Form_Activate();
    void SetControlPosition();
    // The plot at the window's top left, 5130 twips wide, scaled -169..169 with y upwards and
    // reaching below -169 far enough for the bottom letter and the legend.
    void SetDispPicScale();
    // Clears the plot and draws background, mask circle, tracks of 08:00..18:00, skyline and the
    // icons at `step`; `compute` first fills the view's whole-day tables of gComputeDate.
    void FullRedraw(int step, bool compute);
    void ShowSatePosition(int step);
    // The step the icons belong at: the slider's, or the clock's in current-time mode.
    int shownStep() const;
    QTime now() const;

    void UpToDownOpt_Click();
    void DownToUpOpt_Click();
    void RightTurnCmd_Click();
    void LeftTurnCmd_Click();
    // Turns the main map by 10 degrees with its turn command `index` (4 or 5), then redraws.
    void TurnMainMap(int index);
    void TimeScrol1_Change();
    void CorrentTimeOpt_Click();
    void SpecifiedTimeOpt_Click();
    void StartDemoScript();
    void CloseCmd_Click();
    // The main map's reset ("リセット": north up, result maps off), at most once per window and
    // not while an area judgement owns the map.
    void ResetMainMap();

    skyview::PlotFrame frame() const;

    MainWindowPort* port_ = nullptr;
    Clock clock_;
    std::unique_ptr<skyview::SkyPlotIcons> icons_;
    skyview::SatePositions shown_;
    skyview::DaySkyTables tables_;
    int lastClockStep_ = 0;
    int demoTick_ = 0;
    int demoCountdown_ = 0;
    bool demoStarted_ = false;
    bool demoHandedBack_ = false;  // the script ran to its end and handed the demonstration on
    bool mapReset_ = false;
    bool photoClickTaken_ = false;
    bool unloaded_ = false;
};
