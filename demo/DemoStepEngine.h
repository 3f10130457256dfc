#pragma once
// The step engine of the building-input demonstration: the script timer's ticks turned into
// the actions the window performs, in order. Plain code: a test drives it tick by tick and reads
// the actions.
//
// A step of duration d lasts d + 2 ticks: its first tick (message line set, start actions, the
// counter showing d), d ticks counting d - 1 down to 0, and a tick that only moves on to the next
// step. Steps 1 to 3 show their note on their fifth tick (tick number 4). Demonstration 1 draws
// one roof point per tick in step 2 and half a wall edge per tick in step 3; demonstration 2
// shows one fifth of a roof's detection per tick in step 2. The tick after step 6 stops the
// timer and closes the window, and nothing follows it: demonstration 1 lasts 93 ticks,
// demonstration 2 87.

#include <vector>

#include "demo/DemoScript.h"

// What the window does for one action; `arg` as noted.
enum class DemoAction {
    SetMessage,          // message line: caption, width and left of step `arg`
    ShowMessageLine,     // the message line shown (hidden again by HideMessageLine)
    HideMessageLine,
    ShowNote,            // the note: caption, left and width of step `arg`, shown
    HideNote,
    ShowMenuPicture,     // the picture of the window's menu at the window's top-left corner
    HideMenuPicture,
    ShowAltitudePointer, // the arrow and the highlight at the altitude boxes
    HideAltitudePointer,
    SetDemoPhoto,        // the demonstration's picture and altitude texts (SetDemo1Photo / SetDemo2Photo)
    SetDemoBillData,     // the demonstration's data set (SetDemo1BillData / SetDemo2BillData)
    ResetTopLine,        // roof-line animation from its start (pTopLineSTS 0)
    ResetWallLine,       // wall-line animation from the first edge
    ResetFoundTopArea,   // simulated detection from the first roof
    ShowSlopeTitle,
    ShowPen,             // pen `arg` (a DemoPen) shown
    HidePen,             // pen `arg` hidden
    DrawDemoTopLine,     // roof point `arg`
    DrawDemoWallLine,
    DrawDemoFoundTopArea,
    ClearPhotoShowSlope,
    ShowFlatLineMap,
    ShowCounter,         // the tick counter shows `arg`
    StopTimer,           // the script timer stops
    Close,               // the close button: hand-over when the script reached step 6, then close
};

// The pictures that move over the photo: the roof-line pen, the wall-line pen, the pointer of
// the simulated double-click and the busy mark of the detection.
enum class DemoPen { TopLine = 0, WallLine = 1, BillTop = 2, Busy = 3 };
inline constexpr int kDemoPens = 4;

struct DemoStepAction {
    DemoAction kind;
    int arg = 0;
    bool operator==(const DemoStepAction&) const = default;
};

class DemoStepEngine {
public:
    // The script of demonstration `demoNumber` (1 or 2; another number has no script and its
    // engine never starts).
    explicit DemoStepEngine(int demoNumber);

    int demoNumber() const { return demoNumber_; }
    const DemoScript& script() const { return script_; }

    // "次へ": the script starts from step 0 with the next tick. False (nothing starts) for a
    // demonstration without a script.
    bool Start();
    // One tick of the script timer: the actions to perform, in order. Nothing before Start and
    // after the closing tick.
    std::vector<DemoStepAction> Tick();

    bool running() const { return running_; }
    // True from the start of step 6 (pDemoEndSTS -1): closing then hands the buildings over.
    bool reachedLastStep() const { return pDemoEndSTS == -1; }

    int pDemoStep = 0;        // 0..6; 7 once the script has ended
    int pResidentTime = 0;    // ticks left in the step (shown by the counter); below 0 the step is over
    int pStepTick = 0;        // tick number within the step, 0 on its first tick
    int pDemoEndSTS = 0;      // -1 once step 6 has started
    int pDemoPointIndex = 0;  // roof point drawn next (demonstration 1, step 2)

private:
    void StartActions(std::vector<DemoStepAction>& out);
    void Animation(std::vector<DemoStepAction>& out);

    int demoNumber_;
    DemoScript script_;
    bool running_ = false;
};
