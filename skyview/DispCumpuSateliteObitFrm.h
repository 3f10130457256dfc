#pragma once
// The predicted-orbit window ("SateriteObit"): a north-up sky plot seen from above for the
// computation date and the current observer point, with the satellites' tracks between a start
// and an end time, the building skyline, the elevation-mask circle and, at the time chosen with
// the scroll bar, every satellite as a numbered icon (receivable or hidden behind a building)
// with the count of receivable ones. Beside it: the conditions in use, a calendar that changes
// the date (recomputing the whole day), the time lists and the print button.
//
// One instance, created on first use and deleted when closed. Its load reads the almanac, its
// first activation (first show) computes the whole day and draws, and takes the site map's
// picture clicks (mode 1) until the window closes.

#include <QWidget>

#include <memory>

#include "site/MainWindowPort.h"
#include "skyview/DaySkyTables.h"
#include "skyview/SkyWindowParts.h"
#include "skyview/SkyPlotIcons.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;
class PictureSurface;
namespace platform {
class CalendarPopup;
}

// The captions inside the plot (TitleNameLbl ... SateNumLbl) are the window's PlotCaptions.
class DispCumpuSateliteObitFrm : public QWidget, public PictureClickClient, public skyview::PlotCaptions {
    Q_OBJECT
public:
    // Loads the window (hidden) as a tool window of `owner`. Through `port` (may be null) it reads
    // the almanac database at its load, takes picture-click request 1 at its first activation,
    // gives it back when it closes, and resets the main map from its close button.
    explicit DispCumpuSateliteObitFrm(QWidget* owner, MainWindowPort* port = nullptr);
    ~DispCumpuSateliteObitFrm() override;

    // Recomputes the satellite tables of the whole day of gComputeDate and redraws over the
    // lists' span with the icons at the start step. Nothing before the first activation.
    void ReComputeSateObit();
    // Redraws the plot from the view's tables (after the observer point changed): the window
    // back at its place, tracks over 08:00..18:00 (not the lists' span), the skyline as it is
    // now and the icons at the scroll bar's step.
    void ShowCurrentSateVisible() override;

    // -1 from the load until the end of the first activation, then 0.
    int pFirstActivate = -1;
    double plotScale = 1.69;  // k, picture units per degree of zenith distance

    PictureSurface* DispPic = nullptr;

    QGroupBox* SettingDataFlm = nullptr;
    QPushButton* SetAlmanacCmd = nullptr;
    QLabel* AlmanacDataLbl = nullptr;
    QPushButton* ResetDateCmd = nullptr;
    QLabel* DateDataLbl = nullptr;
    QLabel* LatHdLbl = nullptr;
    QLabel* LatDataLbl = nullptr;
    QLabel* LonHdLbl = nullptr;
    QLabel* LonDataLbl = nullptr;
    QLabel* ElevationMaskHdLbl = nullptr;
    QLabel* ElevationMaskLbl = nullptr;
    QPushButton* AntennaCmd = nullptr;
    QLabel* AntennaHLbl = nullptr;

    QGroupBox* SetTimeFlm = nullptr;
    QLabel* StartHdLbl = nullptr;
    QComboBox* StartTimeDataCmb = nullptr;
    QLabel* EndHdLbl = nullptr;
    QComboBox* EndTimeDataCmb = nullptr;
    QLabel* SetTimeHdLbl = nullptr;
    QLabel* TimeDataLbl = nullptr;
    QScrollBar* TimeScrol1 = nullptr;
    QPushButton* PrintDisplayCmd = nullptr;

    QGroupBox* CloseFlm = nullptr;
    QPushButton* CloseCmd = nullptr;

    platform::CalendarPopup* DaybrookPicker1 = nullptr;

    // True once the window was closed: it is deleted soon and the next use loads a new one.
    bool unloaded() const { return unloaded_; }

    skyview::SkyPlotIcons& icons() { return *icons_; }
    // The satellites as the icons show them now.
    const skyview::SatePositions& shownPositions() const { return shown_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void Form_Load();
    void Form_Activate();
    // Date (label and calendar), mask, position and antenna height from the conditions.
    void ShowConditionLabels();
    void SetControlPosition();
    // Clears and draws background and mask circle, then the tracks over first..last, the skyline
    // and the icons at the scroll bar's step; `compute` first fills the whole day's tables of
    // gComputeDate.
    void FullRedraw(int first, int last, bool compute);
    void ShowSatePosition(int step);
    void StartTimeDataCmb_Click();
    void EndTimeDataCmb_Click();
    // The lists keep start < end: a choice that breaks it is moved back; otherwise the scroll
    // bar's limit follows and the plot is redrawn over the new span.
    void TimeListChanged(bool startList);
    void TimeScrol1_Change();
    void ResetDateCmd_Click();
    void DaybrookPicker1_DatePicked(const QString& dateText);
    void HideCalendar();
    void PrintDisplayCmd_Click();
    void CloseCmd_Click();

    skyview::PlotFrame frame() const { return {plotScale, skyview::PlotOrientation::NorthUp, 0.0}; }
    MainWindowPort* port_ = nullptr;
    std::unique_ptr<skyview::SkyPlotIcons> icons_;
    skyview::SatePositions shown_;
    // The whole-day tables of the view's date; the view draws only from them.
    skyview::DaySkyTables tables_;
    bool photoClickTaken_ = false;
    bool unloaded_ = false;
};
