#pragma once
// The sky view's two clocks, apart from its window: the TimeStep that the PC clock stands at in
// current-time mode, and the sky view's demonstration script as a tick -> action table.

namespace skyview {

// The TimeStep of a time of day: `secondsOfDay` (seconds after midnight, with fraction, 0..86400)
// over 300 s, rounded to the nearest step with halves to the even step. Step k thus covers about
// k * 300 - 150 s .. k * 300 + 150 s: 10:02:29 is 120, 10:02:31 is 121, 23:57:30 (287.5) is 288
// and so is everything up to midnight, which is 0. Out-of-range times are clamped into 0..288.
int ClockStep(double secondsOfDay);

// What one tick of the demonstration script does.
enum class SkyDemoAction {
    None,
    TurnRight,      // the clockwise turn button, exactly as pressed
    ShowClickHint,  // the window's own hint goes, the main window's click hint and mouse appear
    ClickPoint,     // the main window's simulated click at demonstration point `point` (1..5)
};
struct SkyDemoStep {
    SkyDemoAction action = SkyDemoAction::None;
    int point = 0;
};

// The script: ticks 3, 4, 5 turn; tick 10 shows the click hint; ticks 14, 16, 18, 20, 22 click
// points 1..5; any other tick (negative ones included) does nothing. The countdown shown to the
// user starts at kSkyDemoCountdown on tick 0 and reaches 0 on tick kSkyDemoCountdown, the last,
// which hands the demonstration back.
SkyDemoStep SkyDemoScriptAt(int tick);
inline constexpr int kSkyDemoCountdown = 25;
inline constexpr int kSkyDemoTickMs = 900;
// The step the main demonstration continues with after the sky view.
inline constexpr int kSkyDemoNextMainStep = 1;

}  // namespace skyview
