// The main demonstration's step machine with the main window and the demonstrated windows faked:
// a stage that records every call, and "windows" that hand the demonstration back (or do not)
// from inside the step commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "demo/DemoSequence.h"
#include "site/RunState.h"

namespace {

class RecordingStage : public DemoStage {
public:
    std::vector<std::string> calls;
    bool demoTmrOn = false;
    bool handleTmrOn = false;
    int demoTmrMs = 0;
    // What a step command does while it runs (the window it opens), by command.
    std::function<void(DemoCommand)> onCommand;

    void ShowMenuPicture(int i) override { calls.push_back("ShowMenuPicture " + std::to_string(i)); }
    void HideMenuPicture(int i) override { calls.push_back("HideMenuPicture " + std::to_string(i)); }
    void ShowMessage(int i) override { calls.push_back("ShowMessage " + std::to_string(i)); }
    void HideMessage() override { calls.push_back("HideMessage"); }
    void ShowBanner(bool shown) override { calls.push_back(shown ? "Banner on" : "Banner off"); }
    void HideClickHint() override { calls.push_back("HideClickHint"); }
    void ArmDemoTmr(int ms) override
    {
        calls.push_back("ArmDemoTmr " + std::to_string(ms));
        demoTmrOn = true;
        demoTmrMs = ms;
    }
    void StopDemoTmr() override { demoTmrOn = false; }
    void ArmHandleTmr(int ms) override
    {
        calls.push_back("ArmHandleTmr " + std::to_string(ms));
        handleTmrOn = true;
    }
    void StopHandleTmr() override { handleTmrOn = false; }
    void OpenInputDemonstration(int number) override { calls.push_back("OpenInputDemonstration " + std::to_string(number)); }
    void RunCommand(DemoCommand command) override
    {
        static const char* const names[] = {"SkyView", "OrbitAndCount", "AreaJudgement"};
        calls.push_back(std::string("RunCommand ") + names[static_cast<int>(command)]);
        if (onCommand) onCommand(command);
    }
    void ResetLastPress() override { calls.push_back("ResetLastPress"); }
};

class DemoSequenceTest : public ::testing::Test {
public:
    void SetUp() override { SetDemoMode(0); }
    void TearDown() override { SetDemoMode(0); }

    // A window's hand-back: the next step and DemoTmr in 1 s.
    void HandBack(int next)
    {
        index = next;
        stage.ArmDemoTmr(kDemoHandBackMs);
    }
    // The timers fire while armed, DemoHandleTmr first when both are (it is due earlier only
    // in the real program when armed earlier; the sequence never has both armed at once).
    bool FireNext()
    {
        if (stage.handleTmrOn) {
            sequence.DemoHandleTmr_Timer();
            return true;
        }
        if (stage.demoTmrOn) {
            sequence.DemoTmr_Timer();
            return true;
        }
        return false;
    }
    bool Has(const std::string& call) const
    {
        return std::find(stage.calls.begin(), stage.calls.end(), call) != stage.calls.end();
    }
    int Count(const std::string& call) const
    {
        return static_cast<int>(std::count(stage.calls.begin(), stage.calls.end(), call));
    }
    // After a clean end: nothing armed, nothing running, a new start accepted.
    void ExpectCleanEnd()
    {
        EXPECT_EQ(gDemoMode, 0);
        EXPECT_EQ(index, -1);
        EXPECT_FALSE(stage.demoTmrOn);
        EXPECT_FALSE(stage.handleTmrOn);
        EXPECT_TRUE(Has("HideMessage"));
        EXPECT_TRUE(Has("Banner off"));
        for (int k = 0; k < 3; ++k) EXPECT_TRUE(Has("HideMenuPicture " + std::to_string(k)));
        stage.calls.clear();
        EXPECT_TRUE(sequence.Start(2));
        EXPECT_TRUE(Has("OpenInputDemonstration 2"));
        EXPECT_EQ(gDemoNumber, 2);
    }

    RecordingStage stage;
    int index = 0;
    DemoSequence sequence{stage, index};
};

TEST_F(DemoSequenceTest, WholeRunWithEveryWindowHandingBack)
{
    stage.onCommand = [this](DemoCommand c) {
        if (c == DemoCommand::SkyView) HandBack(1);  // the sky view plays on after returning
        if (c == DemoCommand::OrbitAndCount) HandBack(2);
        if (c == DemoCommand::AreaJudgement) {
            index = 3;
            stage.ArmDemoTmr(kDemoEndMs);
            SetDemoMode(0);
        }
    };
    ASSERT_TRUE(sequence.Start(1));
    EXPECT_EQ(gDemoMode, -1);
    EXPECT_EQ(gDemoNumber, 1);
    EXPECT_EQ(index, -1);
    HandBack(0);  // the building-input demonstration's end
    std::vector<int> indices;
    for (int guard = 0; guard < 50 && FireNext(); ++guard) indices.push_back(index);
    // Menu picture k is announced before command k and hidden when it runs.
    const std::vector<std::string> expectedOrder = {
        "ShowMenuPicture 0", "ShowMessage 0", "RunCommand SkyView",      "ShowMenuPicture 1",
        "ShowMessage 1",     "RunCommand OrbitAndCount", "ShowMenuPicture 2", "ShowMessage 2",
        "RunCommand AreaJudgement", "ShowMessage 3",     "HideMessage"};
    std::size_t at = 0;
    for (const std::string& call : stage.calls)
        if (at < expectedOrder.size() && call == expectedOrder[at]) ++at;
    EXPECT_EQ(at, expectedOrder.size()) << "stopped before " << expectedOrder[std::min(at, expectedOrder.size() - 1)];
    EXPECT_EQ(Count("ArmHandleTmr 4000"), 3);
    EXPECT_EQ(index, 4);
    EXPECT_EQ(gDemoMode, 0);
    EXPECT_FALSE(stage.demoTmrOn);
    EXPECT_FALSE(stage.handleTmrOn);
    EXPECT_EQ(stage.calls.back(), "Banner off");
}

TEST_F(DemoSequenceTest, StepTableActions)
{
    struct Case {
        int index;
        std::vector<std::string> calls;  // in order
        bool demoTmrAfter;
        int modeAfter;
        int indexAfter;
    };
    const Case cases[] = {
        {0, {"ShowMenuPicture 0", "ShowMessage 0", "ArmHandleTmr 4000", "Banner on"}, false, -1, 0},
        {1, {"HideMenuPicture 0", "ShowMenuPicture 1", "ShowMessage 1", "ArmHandleTmr 4000"}, false, 5, 1},
        {2, {"HideMenuPicture 1", "ShowMenuPicture 2", "ShowMessage 2", "ArmHandleTmr 4000"}, false, 5, 2},
        {3, {"HideMenuPicture 2", "ShowMessage 3", "Banner off"}, true, 0, 4},
        {4, {"HideMessage", "Banner off"}, false, 0, 4},
        {-1, {}, true, 5, -1},
        {7, {}, true, 5, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        stage.calls.clear();
        stage.demoTmrOn = true;
        SetDemoMode(5);  // a value no step writes: shows whether the step left it
        index = c.index;
        sequence.DemoTmr_Timer();
        EXPECT_EQ(stage.calls, c.calls);
        EXPECT_EQ(stage.demoTmrOn, c.demoTmrAfter);
        EXPECT_EQ(gDemoMode, c.modeAfter);
        EXPECT_EQ(index, c.indexAfter);
    }
}

TEST_F(DemoSequenceTest, StartDuringARunningDemonstrationIsIgnored)
{
    ASSERT_TRUE(sequence.Start(1));
    HandBack(0);
    sequence.DemoTmr_Timer();
    stage.calls.clear();
    EXPECT_FALSE(sequence.Start(2));
    EXPECT_TRUE(stage.calls.empty());
    EXPECT_EQ(gDemoNumber, 1);
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(stage.handleTmrOn);
}

TEST_F(DemoSequenceTest, StartDuringTheClosingMessageBeginsAfresh)
{
    // After the judgement the mode is 0 while "デモ終了" is still up: a start then clears the
    // old run's timer so that its step 4 cannot reach into the new demonstration.
    index = 3;
    stage.demoTmrOn = true;
    ASSERT_TRUE(sequence.Start(2));
    EXPECT_EQ(index, -1);
    EXPECT_FALSE(stage.demoTmrOn);
    EXPECT_EQ(gDemoMode, -1);
}

TEST_F(DemoSequenceTest, HandleCommandRunsOncePerArmingEvenWhenTicksFallDueInsideIt)
{
    // The orbit-and-count view is modal: while it is open the handle timer's tick could fire
    // again. Stopped before the command, it does not; a tick that is forced in is deferred.
    int nested = 0;
    stage.onCommand = [&](DemoCommand c) {
        if (c != DemoCommand::OrbitAndCount) return;
        EXPECT_FALSE(stage.handleTmrOn);
        EXPECT_TRUE(sequence.commandRunning());
        if (nested++ == 0) sequence.DemoHandleTmr_Timer();  // a stray tick inside the modal loop
        HandBack(2);
    };
    SetDemoMode(-1);
    index = 1;
    sequence.DemoHandleTmr_Timer();
    EXPECT_EQ(Count("RunCommand OrbitAndCount"), 1);
    // The deferred tick ran after the command, with the index it then had: step 2's command.
    EXPECT_EQ(Count("RunCommand AreaJudgement"), 1);
}

TEST_F(DemoSequenceTest, NextStepArmedInsideACommandSurvivesItsReturn)
{
    // A window hands back and DemoTmr announces the next step while the previous command has
    // not returned yet: the handle timer then armed must not be stopped by that return.
    stage.onCommand = [&](DemoCommand c) {
        if (c != DemoCommand::OrbitAndCount) return;
        HandBack(2);
        sequence.DemoTmr_Timer();  // step 2 announced inside the modal loop
    };
    SetDemoMode(-1);
    index = 1;
    sequence.DemoHandleTmr_Timer();
    EXPECT_TRUE(stage.handleTmrOn);
    EXPECT_EQ(index, 2);
}

TEST_F(DemoSequenceTest, ManualCloseAtEachStageEndsTheDemonstrationCleanly)
{
    struct Stage {
        const char* name;
        std::function<void(DemoSequenceTest&)> closeByHand;
    };
    const Stage stages[] = {
        {"building-input window", [](DemoSequenceTest& t) {
             SetDemoMode(0);  // the window's own close leaves the mode
             t.sequence.StageWindowClosed(-1);
         }},
        {"sky view", [](DemoSequenceTest& t) {
             t.HandBack(0);
             t.FireNext();  // announcement
             t.FireNext();  // the sky view opens and returns
             ASSERT_EQ(t.index, 0);
             t.sequence.StageWindowClosed(0);  // closed before its script handed back
         }},
        {"orbit-and-count view", [](DemoSequenceTest& t) {
             t.index = 1;
             t.stage.onCommand = [](DemoCommand) { SetDemoMode(0); };  // closed: no hand-back
             t.sequence.DemoTmr_Timer();
             t.FireNext();
         }},
        {"area judgement", [](DemoSequenceTest& t) {
             t.index = 2;
             t.stage.onCommand = [](DemoCommand) {};  // stopped: no hand-back, mode left
             t.sequence.DemoTmr_Timer();
             t.FireNext();
         }},
    };
    for (const Stage& s : stages) {
        SCOPED_TRACE(s.name);
        SetDemoMode(0);
        stage.calls.clear();
        stage.onCommand = nullptr;
        ASSERT_TRUE(sequence.Start(1));
        s.closeByHand(*this);
        ExpectCleanEnd();
        SetDemoMode(0);
    }
}

TEST_F(DemoSequenceTest, ClosingAWindowAfterItHandedBackChangesNothing)
{
    ASSERT_TRUE(sequence.Start(1));
    HandBack(0);
    sequence.StageWindowClosed(-1);  // the building-input window closes after its hand-over
    EXPECT_EQ(index, 0);
    EXPECT_EQ(gDemoMode, -1);
    EXPECT_TRUE(stage.demoTmrOn);
}

TEST_F(DemoSequenceTest, StartDemoRunsStepZeroAfterFiveSeconds)
{
    index = -1;
    sequence.StartDemo();
    EXPECT_EQ(index, 0);
    EXPECT_EQ(stage.demoTmrMs, kDemoStartStepMs);
    sequence.DemoTmr_Timer();
    EXPECT_TRUE(Has("ShowMessage 0"));
    EXPECT_EQ(gDemoMode, -1);
}

}  // namespace
