// The main demonstration run from the main window's menu, offscreen, with every timer and pause of
// the demonstration at test speed (gDemoTimeScale 0): the windows appear in turn, the sequence
// ends with the judged area and the program is left as usable as before; a start during a run
// is ignored, and closing the orbit-and-count view by hand ends the demonstration cleanly.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include "MainWindowFixture.h"
#include "demo/DemoSequence.h"
#include "demo/DemoTiming.h"
#include "demo/InputDemoLineFrm.h"
#include "judge/PaintingJudgement.h"
#include "platform/PictureSurface.h"
#include "site/RunState.h"
#include "site/SiteFiles.h"
#include "skyview/DispHeavenGPSFrm.h"
#include "skyview/SkyAndSateNumFrm.h"

namespace {

class MainDemonstration : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        gDemoTimeScale = 0.0;
        gSkyViewOpenWait = 0.0;
        judge::gJudgeHeadingPause = 0.0;
        judge::gJudgeColumnPause = 0.0;
        judge::gJudgeCellPause = 0.0;
        SetDemoMode(0);
        // Every timer tick with the step it leaves the demonstration at, and every window that
        // appears, in order.
        QObject::connect(&frm->DemoTmr, &QTimer::timeout, [this] { trace << QStringLiteral("DemoTmr -> %1").arg(frm->pDemoIndex); });
        QObject::connect(&frm->DemoHandleTmr, &QTimer::timeout, [this] { trace << QStringLiteral("DemoHandleTmr -> %1").arg(frm->pDemoIndex); });
        watch.start(1);
        QObject::connect(&watch, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* input = qobject_cast<InputDemoLineFrm*>(w); input && input->isVisible() && !seen.contains(input)) {
                    seen << input;
                    trace << QStringLiteral("InputDemoLineFrm shown");
                    // As the user would: "次へ" on the intro panel (or whatever the test does).
                    if (onInputWindow) onInputWindow(input);
                    else QTest::mouseClick(input->NextCmd, Qt::LeftButton);
                    continue;
                }
                if (auto* sky = qobject_cast<DispHeavenGPSFrm*>(w); sky && sky->isVisible() && !seen.contains(sky)) {
                    seen << sky;
                    trace << QStringLiteral("DispHeavenGPSFrm shown");
                    if (onSkyView) onSkyView(sky);
                    continue;
                }
                auto* view = qobject_cast<SkyAndSateNumFrm*>(w);
                if (view == nullptr || !view->isVisible() || seen.contains(view)) continue;
                seen << view;
                trace << QStringLiteral("SkyAndSateNumFrm shown");
                if (onOrbitView) onOrbitView(view);
            }
        });
    }

    void TearDown() override
    {
        watch.stop();
        gDemoTimeScale = 1.0;
        gSkyViewOpenWait = 1.0;
        judge::gJudgeHeadingPause = 0.5;
        judge::gJudgeColumnPause = 0.05;
        judge::gJudgeCellPause = 0.05;
        SetDemoMode(0);
        MainWindowTest::TearDown();
    }

    // Waits until the demonstration mode is left, neither demonstration timer is armed and no
    // command runs (or 60 s passed).
    void WaitForTheEnd()
    {
        const bool ended = QTest::qWaitFor([this] {
            return gDemoMode == 0 && !frm->DemoTmr.isActive() && !frm->DemoHandleTmr.isActive() && !frm->demoSequence().commandRunning();
        }, 60000);
        EXPECT_TRUE(ended);
    }

    void ExpectUsableAsBefore()
    {
        EXPECT_EQ(gDemoMode, 0);
        EXPECT_FALSE(frm->DemoTmr.isActive());
        EXPECT_FALSE(frm->DemoHandleTmr.isActive());
        EXPECT_FALSE(frm->MessagePnl->isVisible());
        EXPECT_FALSE(frm->OnDemoPnl->isVisible());
        for (QLabel* panel : frm->PopupMenuPnl) EXPECT_FALSE(panel->isVisible());
        EXPECT_FALSE(frm->Message2Pnl->isVisible());
        EXPECT_FALSE(frm->MouseIconPnl->isVisible());
    }

    // After a demonstration ended by hand: the second one, with every window left to play,
    // starts and runs to its end.
    void ExpectANewDemonstrationRunsToItsEnd()
    {
        onInputWindow = nullptr;
        onSkyView = nullptr;
        onOrbitView = nullptr;
        trace.clear();
        seen.clear();
        frm->StartDemo2Menu->trigger();
        EXPECT_EQ(gDemoMode, -1);
        WaitForTheEnd();
        EXPECT_EQ(trace.last(), QStringLiteral("DemoTmr -> 4"));
        ExpectUsableAsBefore();
    }

    QTimer watch;
    QList<QObject*> seen;
    QStringList trace;
    std::function<void(SkyAndSateNumFrm*)> onOrbitView;
    std::function<void(InputDemoLineFrm*)> onInputWindow;
    std::function<void(DispHeavenGPSFrm*)> onSkyView;
};

TEST_F(MainDemonstration, BothDemonstrationsRunToTheirEndAndLeaveTheProgramUsable)
{
    for (int number : {1, 2}) {
        SCOPED_TRACE(number);
        trace.clear();
        seen.clear();
        (number == 1 ? frm->StartDemo1Menu : frm->StartDemo2Menu)->trigger();
        EXPECT_EQ(gDemoNumber, number);
        EXPECT_EQ(gDemoMode, -1);
        WaitForTheEnd();
        const QStringList expected = {
            "InputDemoLineFrm shown",                                         // its script
            "DemoTmr -> 0", "DispHeavenGPSFrm shown", "DemoHandleTmr -> 0",  // the sky view
            "DemoTmr -> 1", "SkyAndSateNumFrm shown", "DemoHandleTmr -> 2",  // its countdown
            "DemoTmr -> 2", "DemoHandleTmr -> 3",                            // the judgement
            "DemoTmr -> 4", "DemoTmr -> 4"};                                 // "デモ終了", end
        EXPECT_EQ(trace, expected);
        EXPECT_EQ(frm->pDemoIndex, 4);
        EXPECT_EQ(frm->pShowAreaResult, -1);  // the judged area stays on the map
        EXPECT_EQ(gEachTopAreaNumber, number == 1 ? 6 : 7);  // with the demonstration's buildings
        ExpectUsableAsBefore();
    }
}

TEST_F(MainDemonstration, StepsShowTheirMenuPictureAtTheMapOriginAndTheirMessage)
{
    frm->StartDemo1Menu->trigger();
    ASSERT_TRUE(QTest::qWaitFor([this] { return frm->DemoHandleTmr.isActive(); }, 5000));
    frm->DemoHandleTmr.stop();  // stay on the announcement of step 0
    EXPECT_TRUE(frm->PopupMenuPnl[0]->isVisible());
    EXPECT_FALSE(frm->PopupMenuPnl[0]->pixmap().isNull());
    const QPoint corner = frm->PopupMenuPnl[0]->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(corner, frm->PhotoPic->mapToGlobal(frm->PhotoPic->toPixel(QPointF(0, 0)).toPoint()));
    EXPECT_EQ(frm->MessagePnl->text(), QStringLiteral("デモ周辺障害物の影響下での衛星軌道表示"));
    EXPECT_TRUE(frm->OnDemoPnl->isVisible());
    frm->demoSequence().End();
    ExpectUsableAsBefore();
}

TEST_F(MainDemonstration, AStartDuringARunningDemonstrationIsIgnored)
{
    frm->StartDemo1Menu->trigger();
    ASSERT_TRUE(QTest::qWaitFor([this] { return frm->DemoHandleTmr.isActive(); }, 5000));
    frm->DemoHandleTmr.stop();
    ApplyProject(SampleProject());
    const int buildings = gEachTopAreaNumber;
    frm->StartDemo2Menu->trigger();
    EXPECT_EQ(gDemoNumber, 1);
    EXPECT_EQ(gEachTopAreaNumber, buildings);  // not cleared by a second start
    EXPECT_EQ(frm->pDemoIndex, 0);
    frm->demoSequence().End();
}

TEST_F(MainDemonstration, OrbitAndCountViewClosedByHandEndsTheDemonstrationAndANewOneRuns)
{
    onOrbitView = [](SkyAndSateNumFrm* view) {
        view->DemoTmr.stop();
        QTimer::singleShot(0, view, [view] { view->close(); });
    };
    frm->StartDemo1Menu->trigger();
    WaitForTheEnd();
    // The view's command returned without the view handing on: the demonstration ended there.
    EXPECT_TRUE(trace.contains(QStringLiteral("SkyAndSateNumFrm shown")));
    EXPECT_EQ(trace.last(), QStringLiteral("DemoHandleTmr -> -1"));
    ExpectUsableAsBefore();

    ExpectANewDemonstrationRunsToItsEnd();
}

TEST_F(MainDemonstration, BuildingInputWindowClosedByHandEndsTheDemonstrationAndANewOneRuns)
{
    onInputWindow = [](InputDemoLineFrm* input) { QTimer::singleShot(0, input, [input] { input->close(); }); };
    frm->StartDemo1Menu->trigger();
    ASSERT_TRUE(QTest::qWaitFor([this] { return gDemoMode == 0; }, 5000));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frm->pDemoIndex, -1);
    EXPECT_EQ(gEachTopAreaNumber, 0);  // nothing handed over
    ExpectUsableAsBefore();

    ExpectANewDemonstrationRunsToItsEnd();
}

TEST_F(MainDemonstration, AStartAsksAboutUnsavedWorkAndACancelOnTheFirstPanelLeavesTheSite)
{
    ApplyProject(SampleProject());
    frm->pChangeCount = 1;
    frm->ShowInputBillTopArea(-1);
    const std::string site = WriteProjectText(CaptureProject());
    const QImage map = frm->PhotoPic->image().copy();

    // Yes, and the save dialog cancelled: the site is not given up, nothing starts.
    answer = platform::MessageAnswer::Yes;
    frm->StartDemo1Menu->trigger();
    EXPECT_EQ(messages, QStringList{QStringLiteral("変更を保存しますか？")});
    EXPECT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(gDemoMode, 0);
    EXPECT_TRUE(seen.isEmpty());

    // No: the demonstration opens; "ｷｬﾝｾﾙ" on its first panel ends it with the site as it was.
    answer = platform::MessageAnswer::No;
    onInputWindow = [](InputDemoLineFrm* input) {
        QTimer::singleShot(0, input, [input] { QTest::mouseClick(input->CancelCmd, Qt::LeftButton); });
    };
    frm->StartDemo1Menu->trigger();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !seen.isEmpty() && gDemoMode == 0; }, 5000));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(messages.size(), 2);
    EXPECT_EQ(WriteProjectText(CaptureProject()), site);
    EXPECT_EQ(frm->pChangeCount, 1);
    EXPECT_EQ(frm->PhotoPic->image(), map);
    ExpectUsableAsBefore();
}

TEST_F(MainDemonstration, SkyViewClosedByHandEndsTheDemonstrationAndANewOneRuns)
{
    // Closed with its close box once its script has turned the map.
    onSkyView = [](DispHeavenGPSFrm* sky) {
        sky->DemoTmr->stop();
        for (int tick = 0; tick <= 5; ++tick) sky->DemoTmr_Timer();
        QTimer::singleShot(0, sky, [sky] { sky->close(); });
    };
    frm->StartDemo1Menu->trigger();
    WaitForTheEnd();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(trace.contains(QStringLiteral("DispHeavenGPSFrm shown")));
    EXPECT_FALSE(trace.contains(QStringLiteral("SkyAndSateNumFrm shown")));
    EXPECT_EQ(frm->pDemoIndex, -1);
    EXPECT_EQ(gMapRotateAngle, 0.0f) << "the map is not left turned";
    ExpectUsableAsBefore();

    ExpectANewDemonstrationRunsToItsEnd();
}

}  // namespace
