#include "DemoSequence.h"

#include "site/RunState.h"

const std::array<DemoTick, kDemoLastIndex + 1>& DemoTmrTable()
{
    static const std::array<DemoTick, kDemoLastIndex + 1> table = {{
        // hide, show, next, message, hideMessage, stop, mode, handleMs, banner
        {-1, 0, -1, 0, false, true, -1, kDemoAnnounceMs, 1},
        {0, 1, -1, 1, false, true, 1, kDemoAnnounceMs, 0},
        {1, 2, -1, 2, false, true, 1, kDemoAnnounceMs, 0},
        // "デモ終了": DemoTmr keeps its interval (the judgement's 3 s) for step 4.
        {2, -1, 4, 3, false, false, 0, 0, -1},
        {-1, -1, -1, -1, true, true, 0, 0, -1},
    }};
    return table;
}

const std::array<DemoHandle, kDemoCommandSteps>& DemoHandleTable()
{
    static const std::array<DemoHandle, kDemoCommandSteps> table = {{
        {0, DemoCommand::SkyView, false},
        {1, DemoCommand::OrbitAndCount, true},
        {2, DemoCommand::AreaJudgement, true},
    }};
    return table;
}

DemoSequence::DemoSequence(DemoStage& stage, int& demoIndex) : stage_(stage), index_(demoIndex) {}

bool DemoSequence::Start(int number)
{
    if (gDemoMode != 0) return false;
    // What an ended demonstration may have left goes first (its "デモ終了" line, its timers).
    End();
    SetDemoMode(-1);
    SetDemoNumber(number);
    stage_.OpenInputDemonstration(number);
    return true;
}

void DemoSequence::StartDemo()
{
    index_ = 0;
    stage_.ArmDemoTmr(kDemoStartStepMs);
}

void DemoSequence::DemoTmr_Timer()
{
    if (index_ < 0 || index_ > kDemoLastIndex) return;
    const DemoTick& tick = DemoTmrTable()[static_cast<std::size_t>(index_)];
    if (tick.hidePicture >= 0) stage_.HideMenuPicture(tick.hidePicture);
    if (tick.showPicture >= 0) stage_.ShowMenuPicture(tick.showPicture);
    if (tick.nextIndex >= 0) index_ = tick.nextIndex;
    if (tick.message >= 0) stage_.ShowMessage(tick.message);
    if (tick.hideMessage) stage_.HideMessage();
    if (tick.stopTimer) stage_.StopDemoTmr();
    if (tick.demoMode != 1) SetDemoMode(tick.demoMode);
    if (tick.handleMs > 0) stage_.ArmHandleTmr(tick.handleMs);
    if (tick.banner != 0) stage_.ShowBanner(tick.banner > 0);
}

void DemoSequence::DemoHandleTmr_Timer()
{
    // Single shot: stopped before the command, so that neither a tick inside the command nor the
    // stop after it (which would cancel the next step's arming) can interfere.
    stage_.StopHandleTmr();
    if (running_) {
        // Falls due inside a command that still runs: it runs when that command has returned.
        pending_ = true;
        return;
    }
    do {
        pending_ = false;
        RunHandleStep();
    } while (pending_);
}

void DemoSequence::RunHandleStep()
{
    if (index_ < 0 || index_ >= kDemoCommandSteps) return;
    const int step = index_;
    const DemoHandle& handle = DemoHandleTable()[static_cast<std::size_t>(step)];
    stage_.HideMenuPicture(handle.hidePicture);
    running_ = true;
    stage_.RunCommand(handle.command);
    running_ = false;
    stage_.ResetLastPress();
    if (handle.returnsWhenDone && index_ == step) End();
}

void DemoSequence::StageWindowClosed(int step)
{
    if (index_ == step) End();
}

void DemoSequence::End()
{
    stage_.StopDemoTmr();
    stage_.StopHandleTmr();
    pending_ = false;
    for (int k = 0; k < kDemoCommandSteps; ++k) stage_.HideMenuPicture(k);
    stage_.HideMessage();
    stage_.ShowBanner(false);
    stage_.HideClickHint();
    index_ = -1;
    SetDemoMode(0);
}
