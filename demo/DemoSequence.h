#pragma once
// The main demonstration's step machine, apart from the main window. Two timers of the main
// window drive it: DemoTmr announces a step (a picture of the menu with the step's command, the
// message line, the banner) and arms DemoHandleTmr, which 4 s later runs the step's command. No
// step waits for its command: the window a command opens plays its own script and, at its end,
// hands the demonstration back with the next step and DemoTmr re-armed (MainWindowPort::
// HandDemonstrationBack). Steps, in the order the windows hand them on:
//   -1  the building-input demonstration window plays (it hands back step 0)
//    0  the sky view ("天空GPS表示"; it hands back step 1)
//    1  the orbit-and-count view ("衛星軌道、衛星数表示"; modal; it hands back step 2)
//    2  the area judgement at one time (it hands back step 3 and ends the demonstration mode)
//    3  "デモ終了" shown; 4 one DemoTmr interval later: the message line goes, the timer stops.
//
// Two things are sound here that a plain timer script would not be:
// - DemoHandleTmr is single shot and stopped before its command runs, so a command that runs
//   longer than the timer's interval (a modal window, a judgement with pauses) is never started
//   twice by ticks inside it; a tick that still falls due while a command runs waits until that
//   command has returned.
// - A demonstration window closed by hand, or a step command that returns without handing the
//   demonstration on, ends the demonstration cleanly: both timers stopped, every demonstration
//   panel hidden, gDemoMode 0, so a new demonstration can start.

#include <array>

// The command a step runs.
enum class DemoCommand { SkyView, OrbitAndCount, AreaJudgement };

// What the main window does for the step machine. Intervals are nominal milliseconds; the stage
// applies the demonstration speed (DemoTiming.h).
class DemoStage {
public:
    // Menu picture `index` (0..2) moved with its corner to the site map's origin and shown.
    virtual void ShowMenuPicture(int index) = 0;
    virtual void HideMenuPicture(int index) = 0;
    // The message line with pDemoMessage[index] (0..3), shown; or hidden.
    virtual void ShowMessage(int index) = 0;
    virtual void HideMessage() = 0;
    virtual void ShowBanner(bool shown) = 0;
    // The simulated-click hint and its mouse picture hidden.
    virtual void HideClickHint() = 0;
    virtual void ArmDemoTmr(int ms) = 0;
    virtual void StopDemoTmr() = 0;
    virtual void ArmHandleTmr(int ms) = 0;
    virtual void StopHandleTmr() = 0;
    // Opens the building-input demonstration window of demonstration `number` (1, 2).
    virtual void OpenInputDemonstration(int number) = 0;
    // Runs a step's command; returns when the command returns (a modal window closed).
    virtual void RunCommand(DemoCommand command) = 0;
    // The main window's last press on the site map set to (0, 0).
    virtual void ResetLastPress() = 0;

protected:
    ~DemoStage() = default;
};

// One DemoTmr tick: what the step named by the demonstration index does, in this order.
struct DemoTick {
    int hidePicture = -1;     // menu picture hidden, -1 none
    int showPicture = -1;     // menu picture moved to the map's origin and shown, -1 none
    int nextIndex = -1;       // the index the step moves on to by itself, -1 none
    int message = -1;         // message line shown with this text, -1 none
    bool hideMessage = false; // message line hidden
    bool stopTimer = false;   // DemoTmr stopped
    int demoMode = 1;         // gDemoMode set to -1 or 0; 1 leaves it
    int handleMs = 0;         // DemoHandleTmr armed with this many ms, 0 not
    int banner = 0;           // 1 banner shown, -1 hidden, 0 left
};
inline constexpr int kDemoLastIndex = 4;
// The DemoTmr table, indices 0..4; any other index does nothing.
const std::array<DemoTick, kDemoLastIndex + 1>& DemoTmrTable();

// One DemoHandleTmr tick: the menu picture hidden, then the command run.
struct DemoHandle {
    int hidePicture;
    DemoCommand command;
    // The command returns only when its window has closed (modal) or its work is done; when the
    // demonstration index has not moved on by then, the window was closed by hand or the work
    // was stopped, and the demonstration ends.
    bool returnsWhenDone;
};
inline constexpr int kDemoCommandSteps = 3;
// The DemoHandleTmr table, indices 0..2; any other index does nothing.
const std::array<DemoHandle, kDemoCommandSteps>& DemoHandleTable();

inline constexpr int kDemoAnnounceMs = 4000;  // announcement to command
inline constexpr int kDemoHandBackMs = 1000;  // a window's hand-back to the next announcement
inline constexpr int kDemoEndMs = 3000;       // the judgement's hand-back; "デモ終了" shown as long
inline constexpr int kDemoStartStepMs = 5000; // StartDemo to step 0

class DemoSequence {
public:
    // `demoIndex` is the main window's pDemoIndex, which the windows also write.
    DemoSequence(DemoStage& stage, int& demoIndex);

    // A demonstration menu item: ignored (false) while a demonstration runs; otherwise
    // demonstration `number` starts with the building-input demonstration window (the stage
    // clears the working data when the user goes on from its first panel).
    bool Start(int number);
    // Step 0 in 5 s, on whatever buildings the site map holds (no building-input window).
    void StartDemo();
    void DemoTmr_Timer();
    void DemoHandleTmr_Timer();
    // A window that step `step` opened (-1 the building-input demonstration window, 0 the sky
    // view, 1 the orbit-and-count view) has closed. Closed before handing the demonstration on,
    // it ends the demonstration.
    void StageWindowClosed(int step);
    // Ends the demonstration where it stands: timers stopped, panels hidden, index -1, mode 0.
    void End();
    // True while a step's command runs.
    bool commandRunning() const { return running_; }

private:
    void RunHandleStep();

    DemoStage& stage_;
    int& index_;
    bool running_ = false;
    bool pending_ = false;
};
