#pragma once
// A judgement that paints its window on the site map as it goes: each open cell is judged and
// painted at once, and window events are let through at the pauses, where the stop request is
// tested. It works on its own snapshot (the WindowJudge and the result's frame and conditions),
// so nothing that runs during a pause can change what it computes, and it keeps painting only
// while the picture exists.

#include "judge/AreaJudge.h"
#include "judge/AreaResult.h"

#include <functional>

class PictureSurface;

namespace judge {

// Pauses in seconds that let window events through; settable so that tests run them at 0.
extern double gJudgeHeadingPause;  // 0.5: after the heading, before the long run
extern double gJudgeColumnPause;   // 0.05: after each column of the count map
extern double gJudgeCellPause;     // 0.05: after each open cell of the probability map

class PaintingJudgement {
public:
    // `kind` must match the judge (Count for WindowJudge::AtStep, Mean for WindowJudge::Mean);
    // `view` is the frame the judge's height grid was built in, `conditions` what the legend prints.
    PaintingJudgement(WindowJudge judge, AreaResultKind kind, const MapViewState& view, const LegendConditions& conditions);

    // Judges the window column by column (rows upwards within a column). Building cells are
    // recorded as 0 and not painted. The count map pauses after every column, the probability
    // map after every open cell; after each pause the run ends when `stopRequested` says so, and
    // the rest of the window is neither judged nor painted. Each cell is painted with the view of
    // the moment (CurrentMapView), so a view changed during a pause does not misplace it. `pic`
    // may be destroyed during a pause: painting then stops, the judging goes on until stopped.
    void run(PictureSurface* pic, const std::function<bool()>& stopRequested);

    // The cells judged so far (all after a complete run).
    const AreaResult& result() const { return result_; }
    bool stopped() const { return stopped_; }

private:
    WindowJudge judge_;
    AreaResult result_;
    bool stopped_ = false;
};

}  // namespace judge
