// The building-input demonstration's step engine driven tick by tick: tick counts, the counter,
// the notes, the animation calls and the close.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "demo/DemoStepEngine.h"

namespace {

using Ticks = std::vector<std::vector<DemoStepAction>>;

// Runs the engine from "次へ" until it closes (or 200 ticks), keeping every tick's actions.
Ticks RunToClose(int demoNumber)
{
    DemoStepEngine engine(demoNumber);
    EXPECT_TRUE(engine.Start());
    Ticks ticks;
    for (int i = 0; i < 200 && engine.running(); ++i) ticks.push_back(engine.Tick());
    return ticks;
}

bool Has(const std::vector<DemoStepAction>& tick, DemoAction kind)
{
    return std::any_of(tick.begin(), tick.end(), [kind](const DemoStepAction& a) { return a.kind == kind; });
}

int Arg(const std::vector<DemoStepAction>& tick, DemoAction kind)
{
    for (const DemoStepAction& a : tick) {
        if (a.kind == kind) return a.arg;
    }
    return -99;
}

// Index of the tick on which step `step` starts (its message line is set).
int StepStart(const Ticks& ticks, int step)
{
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        if (Arg(ticks[i], DemoAction::SetMessage) == step) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

TEST(DemoStepEngine, EachDemonstrationClosesOnItsLastTickAndDoesNothingAfter)
{
    // Steps last their duration + 2 ticks: (2+5+37+20+5+5+5) + 14 = 93, (2+5+36+10+10+5+5) + 14 = 87.
    struct Row {
        int demo;
        int ticks;
    };
    for (const Row row : {Row{1, 93}, Row{2, 87}}) {
        SCOPED_TRACE(row.demo);
        DemoStepEngine engine(row.demo);
        ASSERT_TRUE(engine.Start());
        int closedOn = 0;
        for (int i = 1; i <= 200 && closedOn == 0; ++i) {
            const auto actions = engine.Tick();
            if (Has(actions, DemoAction::Close)) {
                closedOn = i;
                // The closing tick stops the timer, closes, and does nothing else.
                EXPECT_EQ(actions, (std::vector<DemoStepAction>{{DemoAction::StopTimer}, {DemoAction::Close}}));
            }
        }
        EXPECT_EQ(closedOn, row.ticks);
        EXPECT_TRUE(engine.reachedLastStep());
        EXPECT_FALSE(engine.running());
        EXPECT_TRUE(engine.Tick().empty());
    }
}

TEST(DemoStepEngine, NothingRunsBeforeTheStartOrForAnUnknownDemonstration)
{
    DemoStepEngine engine(1);
    EXPECT_TRUE(engine.Tick().empty());
    DemoStepEngine unknown(3);
    EXPECT_FALSE(unknown.Start());
    EXPECT_TRUE(unknown.Tick().empty());
}

TEST(DemoStepEngine, FirstTickStartsStepZeroWithItsCounter)
{
    DemoStepEngine engine(1);
    engine.Start();
    const auto first = engine.Tick();
    EXPECT_EQ(Arg(first, DemoAction::SetMessage), 0);
    EXPECT_TRUE(Has(first, DemoAction::ShowMenuPicture));
    EXPECT_EQ(Arg(first, DemoAction::ShowCounter), 2);
    EXPECT_FALSE(engine.reachedLastStep());
}

TEST(DemoStepEngine, RoofStepOfDemonstrationOneCountsDownAndDrawsEveryPoint)
{
    const Ticks ticks = RunToClose(1);
    const int start = StepStart(ticks, 2);
    ASSERT_GE(start, 0);
    std::vector<int> counter, points;
    for (int i = start; i < StepStart(ticks, 3); ++i) {
        if (Has(ticks[i], DemoAction::ShowCounter)) counter.push_back(Arg(ticks[i], DemoAction::ShowCounter));
        if (Has(ticks[i], DemoAction::DrawDemoTopLine)) points.push_back(Arg(ticks[i], DemoAction::DrawDemoTopLine));
    }
    ASSERT_EQ(counter.size(), 38u);
    EXPECT_EQ(counter.front(), 37);
    EXPECT_EQ(counter.back(), 0);
    ASSERT_EQ(points.size(), 38u);
    for (int k = 0; k < 38; ++k) EXPECT_EQ(points[k], k);
    // The data set is loaded and the title written before the first point; the pen goes on the
    // tick showing 0.
    const auto& first = ticks[start];
    const auto at = [&first](DemoAction kind) {
        return std::find_if(first.begin(), first.end(), [kind](const DemoStepAction& a) { return a.kind == kind; }) - first.begin();
    };
    EXPECT_LT(at(DemoAction::SetDemoBillData), at(DemoAction::ShowSlopeTitle));
    EXPECT_LT(at(DemoAction::ShowSlopeTitle), at(DemoAction::DrawDemoTopLine));
    EXPECT_EQ(Arg(ticks[start + 37], DemoAction::HidePen), static_cast<int>(DemoPen::TopLine));
}

TEST(DemoStepEngine, NotesShowOnTheFifthTickOfStepsOneToThree)
{
    for (int demo : {1, 2}) {
        SCOPED_TRACE(demo);
        const Ticks ticks = RunToClose(demo);
        std::vector<std::pair<int, int>> notes;  // (step, tick number within the step)
        for (int step = 0; step < kDemoSteps; ++step) {
            const int start = StepStart(ticks, step);
            const int end = step + 1 < kDemoSteps ? StepStart(ticks, step + 1) : static_cast<int>(ticks.size());
            for (int i = start; i < end; ++i) {
                if (Has(ticks[i], DemoAction::ShowNote)) notes.push_back({Arg(ticks[i], DemoAction::ShowNote), i - start});
            }
        }
        EXPECT_EQ(notes, (std::vector<std::pair<int, int>>{{1, 4}, {2, 4}, {3, 4}}));
    }
    // Demonstration 2's step 3 has no first line: its message line is hidden, then shown again
    // by step 4.
    const Ticks two = RunToClose(2);
    EXPECT_TRUE(Has(two[StepStart(two, 3)], DemoAction::HideMessageLine));
    EXPECT_TRUE(Has(two[StepStart(two, 4)], DemoAction::ShowMessageLine));
}

TEST(DemoStepEngine, AnimationsOfEachDemonstration)
{
    struct Row {
        int demo;
        DemoAction animation;
        int calls;
    };
    // Demonstration 1: 38 roof points, 21 wall halves; demonstration 2: 37 detection fifths.
    for (const Row row : {Row{1, DemoAction::DrawDemoTopLine, 38}, Row{1, DemoAction::DrawDemoWallLine, 21},
                          Row{1, DemoAction::DrawDemoFoundTopArea, 0}, Row{2, DemoAction::DrawDemoFoundTopArea, 37},
                          Row{2, DemoAction::DrawDemoTopLine, 0}, Row{2, DemoAction::DrawDemoWallLine, 0}}) {
        const Ticks ticks = RunToClose(row.demo);
        const auto calls = std::count_if(ticks.begin(), ticks.end(), [&](const auto& t) { return Has(t, row.animation); });
        EXPECT_EQ(calls, row.calls) << "demonstration " << row.demo << " action " << static_cast<int>(row.animation);
    }
    // Step 4 empties the picture, step 5 shows the plan, step 6 marks the end.
    const Ticks one = RunToClose(1);
    EXPECT_TRUE(Has(one[StepStart(one, 4)], DemoAction::ClearPhotoShowSlope));
    EXPECT_TRUE(Has(one[StepStart(one, 5)], DemoAction::ShowFlatLineMap));
}

TEST(DemoStepEngine, LastStepIsReachedOnlyWhenStepSixStarts)
{
    DemoStepEngine engine(2);
    engine.Start();
    int ticks = 0;
    while (engine.pDemoStep < 6 || engine.pStepTick == 0) {
        EXPECT_FALSE(engine.reachedLastStep()) << "tick " << ticks;
        engine.Tick();
        ++ticks;
    }
    // 2 + 5 + 36 + 10 + 10 + 5 + 6 * 2 ticks before step 6, then its first tick.
    EXPECT_EQ(ticks, 81);
    EXPECT_TRUE(engine.reachedLastStep());
}

TEST(DemoScript, ScriptsDifferOnlyInTheDetectionSteps)
{
    DemoScript one, two;
    SetDemo1Message(one);
    SetDemo2Message(two);
    EXPECT_EQ(one.pStepMessage[2], "ビルの屋上をラインで結びます。");
    EXPECT_EQ(two.pStepMessage[2], "注意、ビルの屋上でダブルクリックします。");
    EXPECT_EQ(two.pStepMessage[3], "");
    EXPECT_EQ(two.pStepNote[3], "ここでうまく屋上ラインと壁のラインが描けなかった時は手動で描きます。");
    for (int step : {0, 1, 4, 5, 6}) {
        EXPECT_EQ(one.pStepMessage[step], two.pStepMessage[step]) << step;
        EXPECT_EQ(one.pStepNote[step], two.pStepNote[step]) << step;
    }
    EXPECT_EQ(one.pMessageLeft, two.pMessageLeft);
    EXPECT_EQ(one.pFocusWidth, two.pFocusWidth);
    EXPECT_EQ(two.pStepTime, (std::array<int, kDemoSteps>{2, 5, 36, 10, 10, 5, 5}));
    EXPECT_EQ(DemoIntroLines(2)[6], "");
    EXPECT_EQ(DemoIntroLines(1)[6], "衛星の配置によるGDOPを用いて行います。");
}
