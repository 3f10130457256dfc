#pragma once
// The orbit-and-count window "衛星軌道、衛星数": for one site and one date, a north-up sky plot of
// the satellite tracks over a time window beside a bar chart of the visible satellites per
// 5-minute step of the same window. The start, the end and the current time of the window are
// moved with sliders, which only redraws. Moving a satellite between the lists of usable and
// excluded satellites, picking a whole-degree latitude or longitude, a mask, a date, or pressing
// Enter in the antenna box recomputes the whole day for the window's own date, position and mask.
//
// The window draws from its own whole-day tables: at its first showing those the orbit-and-count
// command has just computed for the main window's conditions, afterwards its own recomputations.
// It keeps whole-degree copies of the position for its lists; a picked degree is the window's own
// and leaves the program-wide position as the main window shows it. It is shown modally by the main window's command and loads afresh
// on every opening. During a demonstration it counts 21 seconds down and hands the demonstration
// back to the main window with step 2; closed by the user, it ends the demonstration.

#include <QDialog>
#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

#include "orbit/AlmanacTable.h"
#include "orbit/GpsTime.h"
#include "orbit/OrbitEngine.h"
#include "orbit/VisibleSatellites.h"
#include "site/MainWindowPort.h"
#include "skyview/SkyPlotIcons.h"
#include "skyview/SkyWindowParts.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSlider;
class PictureSurface;
namespace platform {
class CalendarPopup;
}

// Milliseconds between two ticks of the demonstration countdown.
inline constexpr int kSkyAndSateNumDemoTick = 990;

// The captions inside the plot (TitleNameLbl ... SateNumLbl) are the window's PlotCaptions.
class SkyAndSateNumFrm : public QDialog, public skyview::PlotCaptions {
    Q_OBJECT
public:
    // Loads the window (hidden) over `owner`: controls, lists and conditions, and the almanac read
    // again through `port` (the built-in almanac when the database cannot be read). Through `port`
    // (may be null) it recomputes the skyline for its antenna height and hands a demonstration
    // back or ends it.
    SkyAndSateNumFrm(QWidget* owner, MainWindowPort* port);
    ~SkyAndSateNumFrm() override;

    // Recomputes the skyline for the antenna box's height and the whole day for the window's
    // date, position, mask and exclusions, then redraws chart and plot. Nothing before the first
    // activation.
    void ReComputeSateObit();
    // One tick of the demonstration countdown: shows 21, 20, ..., 1 on the first 21 ticks; the
    // 22nd hands the demonstration back (step 2) and closes the window.
    void DemoTmr_Timer();

    int pFirstActivate = -1;          // -1 until the first activation has drawn, then 0
    double pTimeLineX = 0.0;          // x of the current-time marker on the chart, or kNoTimeLine
    int pDemoCount = 0;               // countdown, 21 at the first activation of a demonstration
    int pDemoCloseSTS = 0;            // -1 once the countdown closes the window
    QString pComputeDate;             // the window's own date "yyyy/MM/dd"

    // The sky plot, scaled -100..100 both ways, zenith at the centre.
    PictureSurface* DispPic = nullptr;
    // The count chart, its count axis and its time axis.
    PictureSurface* VisPicture = nullptr;
    PictureSurface* SateNumPic = nullptr;
    PictureSurface* TimeScalePic = nullptr;
    QLabel* TimeLbl = nullptr;
    QLabel* ResidentTimePnl = nullptr;
    QLabel* OnDemoPnl = nullptr;

    QSlider* StartTimeScroll = nullptr;
    QLabel* StartTimeLbl = nullptr;
    QSlider* EndTimeScroll = nullptr;
    QLabel* EndTimeLbl = nullptr;
    QSlider* CurrentTimeScl = nullptr;
    QLabel* TimeDataLbl = nullptr;
    QLabel* CurrentTimeLbl = nullptr;

    QPushButton* AntennaCmd = nullptr;
    QLineEdit* AntennaHTxt = nullptr;
    QComboBox* ElevationMaskCmb = nullptr;
    QGroupBox* SettingDataFlm = nullptr;
    QComboBox* LatDataCmb = nullptr;
    QComboBox* LonDataCmb = nullptr;
    QPushButton* SetAlmanacCmd = nullptr;
    QLabel* AlmanacDataLbl = nullptr;
    QPushButton* ResetDateCmd = nullptr;
    QLabel* DateDataLbl = nullptr;
    platform::CalendarPopup* DaybrookPicker1 = nullptr;
    QListWidget* AvalableSateLst = nullptr;
    QListWidget* UnUsefulSateLst = nullptr;
    QPushButton* PrintDisplayCmd = nullptr;
    QPushButton* CloseCmd = nullptr;
    QTimer DemoTmr;

    // What the window computes with and draws from.
    float latitude() const { return latitude_; }
    float longitude() const { return longitude_; }
    float mask() const { return mask_; }
    const orbit::VisibleCountTable& counts() const { return counts_; }
    const SateTable& elevations() const { return elevation_; }
    const skyview::SatePositions& shownPositions() const { return shown_; }
    skyview::SkyPlotIcons& icons() { return *icons_; }
    // True once the window was closed.
    bool unloaded() const { return unloaded_; }

public slots:
    // Every way of closing (close button, close box, Escape, the countdown) ends here.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildPlotLegend();
    void SetControlPosition();
    void ConnectControls();
    void Form_Load();
    void Form_Activate();

    void StartTimeScroll_Change(int v);
    void EndTimeScroll_Change(int v);
    void CurrentTimeScl_Change(int k);
    void AvalableSateLst_DblClick(QListWidgetItem* item);
    void UnUsefulSateLst_DblClick(QListWidgetItem* item);
    void LatDataCmb_Click(int index);
    void LonDataCmb_Click(int index);
    void AntennaHTxt_KeyDown();
    void ElevationMaskCmb_Click(int index);
    void DaybrookPicker1_DatePicked(const QString& dateText);
    void ResetDateCmd_Click();
    void HideCalendar();
    void PrintDisplayCmd_Click();

    // Moves the PRN of `item` from `from` to the end of `to`, rewrites the exclusions and
    // recomputes the whole day under the progress window; then chart and plot are redrawn.
    void MoveSate(QListWidget* from, QListWidget* to, QListWidgetItem* item);
    // The excluded PRNs of UnUsefulSateLst into gUnUsefulSate and gUnUsefulSateNum.
    void SetUnUsefulSateList();
    // The antenna box's height, kept within 0..100 m with the main window's messages; a text that
    // is no number is refused and the height last used stays, shown again in the box.
    float AntennaHeight();
    float antennaHeightInUse_ = 0.0f;  // the height of the last recomputation (the main window's at load)

    // Whole-day computation for the window's date and position on the almanac and exclusions as
    // they stand when it starts; steps are computed in pieces, then counted with the window's mask.
    void StartComputation();
    void ComputeSteps(int first, int last);
    void FinishComputation();

    // The chart cleared and drawn again from the counts with its grid lines and both axes, and no
    // current-time marker until the current-time slider moves. At the first showing and after a
    // change of the time window the bars cover the grid lines; a recomputation draws the grid
    // lines over the new bars.
    enum class ChartLayers { BarsOverGrid, GridOverBars };
    void ChartRedraw(ChartLayers layers);
    // Rows at the bottom of the chart that the time axis below it covers.
    int ChartRowsUnderTimeScale() const;
    // The plot: background, mask circle, tracks over the window, skyline, icons at the current
    // time.
    void SkyRedraw();
    void ShowTimeLabels(int k);
    skyview::SkyInputs inputs() const;

    MainWindowPort* port_ = nullptr;
    std::unique_ptr<skyview::SkyPlotIcons> icons_;
    skyview::SatePositions shown_;
    float latitude_ = 0.0f;
    float longitude_ = 0.0f;
    float mask_ = 10.0f;
    SateTable azimus_{};
    SateTable elevation_{};
    std::vector<int> sateSlots_;
    orbit::VisibleCountTable counts_{};
    struct Computation {
        orbit::Almanac almanac;
        std::vector<int> sateSlots;
        std::optional<orbit::GpsTime> dayStart;
    };
    Computation computation_;
    bool unloaded_ = false;
};
