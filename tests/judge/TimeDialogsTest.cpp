// The two time dialogs driven through their controls: what they leave in the time window and the
// run flags, and how the sliders of the span pull each other.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "common/TestUtils.h"
#include "judge/TimeDialogs.h"
#include "orbit/ObservationConditions.h"

namespace {

// Moves a slider to `target` with the keyboard, as a user would (page steps, then single steps).
void KeyTo(QScrollBar* slider, int target)
{
    for (int guard = 0; slider->value() != target && guard < 400; ++guard) {
        const int diff = target - slider->value();
        Qt::Key key = diff >= 12 ? Qt::Key_PageUp : diff <= -12 ? Qt::Key_PageDown : diff > 0 ? Qt::Key_Right : Qt::Key_Left;
        QTest::keyClick(slider, key);
    }
}

// Shows a dialog as the user would see it, active, and gives a slider the focus.
template <typename Dialog>
void ShowActive(Dialog& dialog)
{
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

void Focus(QScrollBar* slider)
{
    slider->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

TEST(StartAreaGPSFrm, ThumbAndLabelStartAtTheCallersStart)
{
    struct Case {
        const char* name;
        int moveTo;  // -1: leave the thumb alone
        bool ok;
        int step;    // gStartTimeStep afterwards
        const char* label;
        int result;
    };
    const Case cases[] = {
        {"OK at once confirms the caller's start", -1, true, 144, "12:00", 1},
        {"one arrow press goes on from the shown time", 145, true, 145, "12:05", 1},
        {"moved thumb", 100, true, 100, "08:20", 1},
        {"thumb at the end", 288, true, 288, "24:00", 1},
        {"thumb at the start", 0, true, 0, "00:00", 1},
        {"cancel keeps the moved step", 120, false, 120, "10:00", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetStartTimeStep(144);
        gMeanSateCriterion = 2;
        gDialogResult = 7;
        StartAreaGPSFrm dialog(nullptr, false);
        EXPECT_EQ(gDialogResult, 0);
        ShowActive(dialog);
        // The main window's start time 12:00 (step 144): what the dialog shows is what runs.
        EXPECT_EQ(dialog.SingleTimeScl->value(), 144);
        EXPECT_EQ(dialog.SingleTimeLbl->text(), QStringLiteral("12:00"));
        if (c.moveTo >= 0) {
            Focus(dialog.SingleTimeScl);
            KeyTo(dialog.SingleTimeScl, c.moveTo);
        }
        QTest::mouseClick(c.ok ? dialog.OKCmd : dialog.CancelCmd, Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(gStartTimeStep, c.step);
        EXPECT_EQ(dialog.SingleTimeLbl->text(), QString::fromLatin1(c.label));
        EXPECT_EQ(gDialogResult, c.result);
        EXPECT_EQ(gMeanSateCriterion, c.ok ? 0 : 2);
    }
}

TEST(StartAreaMeanGPSFrm, SlidersPullEachOtherOntoTheSameStep)
{
    struct Move {
        bool start;  // which slider
        int to;
    };
    struct Case {
        const char* name;
        std::vector<Move> moves;
        int start, end;
        const char* startLabel;
        const char* endLabel;
    };
    const Case cases[] = {
        {"start past the end", {{true, 230}}, 230, 230, "19:10", "19:10"},
        {"then the end back before the start", {{true, 230}, {false, 100}}, 100, 100, "08:20", "08:20"},
        {"start to the last step", {{true, 288}}, 288, 288, "24:00", "24:00"},
        {"end to the first step", {{false, 0}}, 0, 0, "00:00", "00:00"},
        {"moves that do not cross", {{true, 120}, {false, 200}}, 120, 200, "10:00", "16:40"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartAreaMeanGPSFrm dialog(nullptr, false);
        ShowActive(dialog);
        for (const Move& m : c.moves) {
            QScrollBar* slider = m.start ? dialog.StartTimeScl : dialog.EndTimeScl;
            Focus(slider);
            EXPECT_EQ(dialog.pActiveScl, m.start ? 1 : 2);
            KeyTo(slider, m.to);
        }
        EXPECT_EQ(dialog.StartTimeScl->value(), c.start);
        EXPECT_EQ(dialog.EndTimeScl->value(), c.end);
        EXPECT_EQ(gStartTimeStep, c.start);
        EXPECT_EQ(gEndTimeStep, c.end);
        EXPECT_EQ(dialog.StartTimeLbl->text(), QString::fromLatin1(c.startLabel));
        EXPECT_EQ(dialog.EndTimeLbl->text(), QString::fromLatin1(c.endLabel));
        QTest::mouseClick(dialog.OKCmd, Qt::LeftButton);
        EXPECT_EQ(gDialogResult, 2);
    }
}

TEST(StartAreaMeanGPSFrm, OpensAt0800To1800AndFourAndConfirmsTheOptionChosen)
{
    struct Case {
        const char* name;
        bool chooseFive;
        bool ok;
        int result, criterion;
    };
    const Case cases[] = {
        {"four, OK", false, true, 2, 1},
        {"five, OK", true, true, 2, 2},
        {"five, cancel", true, false, 0, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetStartTimeStep(5);
        SetEndTimeStep(6);
        gMeanSateCriterion = 9;
        StartAreaMeanGPSFrm dialog(nullptr, false);
        ShowActive(dialog);
        EXPECT_EQ(dialog.StartTimeLbl->text(), QStringLiteral("08:00"));
        EXPECT_EQ(dialog.EndTimeLbl->text(), QStringLiteral("18:00"));
        EXPECT_TRUE(dialog.MoreFourSateOpt->isChecked());
        if (c.chooseFive) QTest::mouseClick(dialog.MoreFiveSateOpt, Qt::LeftButton);
        QTest::mouseClick(c.ok ? dialog.OKCmd : dialog.CancelCmd, Qt::LeftButton);
        EXPECT_EQ(gDialogResult, c.result);
        EXPECT_EQ(gMeanSateCriterion, c.criterion);
        // The load's steps stay after a cancel too.
        EXPECT_EQ(gStartTimeStep, 96);
        EXPECT_EQ(gEndTimeStep, 216);
    }
}

// Enter confirms either dialog from its slider, as OK does; a button with the focus takes Enter
// itself, so Enter on cancel still cancels.
TEST(TimeDialogs, EnterPressesOkFromTheSliderAndCancelWhenItHasTheFocus)
{
    struct Case {
        const char* name;
        bool span;         // the time-span dialog (else the single-time one)
        bool focusCancel;  // Enter on the cancel button (else on a slider moved before)
        int result;
    };
    const Case cases[] = {
        {"single time, slider", false, false, 1},
        {"single time, cancel", false, true, 0},
        {"span, slider", true, false, 2},
        {"span, cancel", true, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetStartTimeStep(144);
        gDialogResult = 7;
        auto run = [&](auto& dialog, QScrollBar* slider, QPushButton* cancel) {
            ShowActive(dialog);
            Focus(slider);
            KeyTo(slider, 120);
            if (c.focusCancel) cancel->setFocus(Qt::TabFocusReason);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_EQ(gDialogResult, c.result);
            EXPECT_EQ(gStartTimeStep, 120);
        };
        if (c.span) {
            StartAreaMeanGPSFrm dialog(nullptr, false);
            run(dialog, dialog.StartTimeScl, dialog.CancelCmd);
        } else {
            StartAreaGPSFrm dialog(nullptr, false);
            run(dialog, dialog.SingleTimeScl, dialog.CancelCmd);
        }
    }
}

TEST(TimeDialogs, ConfirmThemselvesWhileADemonstrationRuns)
{
    SetStartTimeStep(150);
    gDialogResult = 0;
    StartAreaGPSFrm::ShowModal(nullptr, true);
    EXPECT_EQ(gDialogResult, 1);
    EXPECT_EQ(gStartTimeStep, 150);
    EXPECT_EQ(gMeanSateCriterion, 0);

    gDialogResult = 0;
    StartAreaMeanGPSFrm::ShowModal(nullptr, true);
    EXPECT_EQ(gDialogResult, 2);
    EXPECT_EQ(gStartTimeStep, 96);
    EXPECT_EQ(gEndTimeStep, 216);
    EXPECT_EQ(gMeanSateCriterion, 1);
}

}  // namespace
