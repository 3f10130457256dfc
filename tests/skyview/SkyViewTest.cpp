#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "common/FakeMainWindowPort.h"
#include "common/TestUtils.h"
#include "common/TokyoSky.h"
#include "orbit/AlmanacTable.h"
#include "orbit/OrbitEngine.h"
#include "orbit/YumaAlmanac.h"
#include "PlotChecks.h"
#include "platform/Constants.h"
#include "platform/PictureSurface.h"
#include "site/MapView.h"
#include "site/RunState.h"
#include "skyview/DispHeavenGPSFrm.h"
#include "skyview/SkyViewTiming.h"

namespace {

using skyview::SkyDemoAction;

// ---- The clock step and the script, apart from the window --------------------------------------

TEST(SkyViewClock, StepIsTheNearestFiveMinutesWithHalvesToEven)
{
    struct Row {
        const char* name;
        QTime time;
        int step;
    };
    const Row rows[] = {
        {"just before the half: 10:00", QTime(10, 2, 29), 120},
        {"just after the half: 10:05", QTime(10, 2, 31), 121},
        {"exact half 287.5 goes to the even 288", QTime(23, 57, 30), 288},
        {"exact half 286.5 goes to the even 286", QTime(23, 52, 30), 286},
        {"last second of the day", QTime(23, 59, 59, 999), 288},
        {"midnight", QTime(0, 0), 0},
        {"exact half 0.5 goes to 0", QTime(0, 2, 30), 0},
        {"fraction of a second counts", QTime(0, 2, 30, 1), 1},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(skyview::ClockStep(row.time.msecsSinceStartOfDay() / 1000.0), row.step) << row.name;
    }
    EXPECT_EQ(skyview::ClockStep(86400.0), 288) << "24:00";
    EXPECT_EQ(skyview::ClockStep(-5.0), 0) << "out of range is clamped";
}

TEST(SkyViewDemoScript, TurnsThenHintsThenClicksTheFivePoints)
{
    const std::map<int, skyview::SkyDemoStep> acting = {
        {3, {SkyDemoAction::TurnRight, 0}},      {4, {SkyDemoAction::TurnRight, 0}},  {5, {SkyDemoAction::TurnRight, 0}},
        {10, {SkyDemoAction::ShowClickHint, 0}}, {14, {SkyDemoAction::ClickPoint, 1}}, {16, {SkyDemoAction::ClickPoint, 2}},
        {18, {SkyDemoAction::ClickPoint, 3}},    {20, {SkyDemoAction::ClickPoint, 4}}, {22, {SkyDemoAction::ClickPoint, 5}},
    };
    for (int tick = -1; tick <= skyview::kSkyDemoCountdown + 2; ++tick) {
        const skyview::SkyDemoStep step = skyview::SkyDemoScriptAt(tick);
        const auto it = acting.find(tick);
        const skyview::SkyDemoStep expected = it == acting.end() ? skyview::SkyDemoStep{} : it->second;
        EXPECT_EQ(step.action, expected.action) << "tick " << tick;
        EXPECT_EQ(step.point, expected.point) << "tick " << tick;
    }
}

// ---- The window ---------------------------------------------------------------------------------

// A main window stand-in whose turn commands really turn the map, as the main window's do.
class TurningPort : public testutil::FakeMainWindowPort {
public:
    void MoveImgCmd_Click(int index) override
    {
        FakeMainWindowPort::MoveImgCmd_Click(index);
        if (index == 4) SetMapRotateAngle(gMapRotateAngle + 10.0f);
        if (index == 5) SetMapRotateAngle(gMapRotateAngle - 10.0f);
    }
};

// The real almanac over Tokyo on 2022/02/18, no buildings, and a loaded sky view with a clock
// of the test's own.
class SkyView : public ::testing::Test {
protected:
    void SetUp() override
    {
        testutil::UseTokyoSky();
        SetAntennaHeight(1.5f);
        SetMapRotateAngle(0.0f);
        SetDemoMode(0);
        frm = new DispHeavenGPSFrm(nullptr, &port, [this] { return clockNow; });
        guard = frm;
    }

    void TearDown() override
    {
        delete guard;
        SetDemoMode(0);
        SetMapRotateAngle(0.0f);
    }

    void Show()
    {
        frm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frm));
    }

    // The positions the view should show at `step` in its current orientation and map rotation,
    // from the tables of 2022/02/18.
    skyview::SatePositions Expected(int step) const
    {
        const auto orientation = frm->lookingUp() ? skyview::PlotOrientation::LookingUp : skyview::PlotOrientation::LookingDown;
        return skyview::SatePositionsAt({1.69, orientation, gMapRotateAngle}, skyview::CurrentSkyInputs(), step);
    }

    void ExpectIconsAt(int step, const char* why) const
    {
        const skyview::SatePositions expected = Expected(step);
        ASSERT_EQ(frm->shownPositions().marks.size(), expected.marks.size()) << why;
        for (std::size_t i = 0; i < expected.marks.size(); ++i) {
            EXPECT_EQ(frm->shownPositions().marks[i].at, expected.marks[i].at) << why << ", slot " << expected.marks[i].slot;
        }
        EXPECT_EQ(frm->SateNumLbl->text(), skyview::SateCountText(expected.count)) << why;
    }

    void SwitchToCurrentTime(QTime at)
    {
        clockNow = at;
        QTest::mouseClick(frm->CorrentTimeOpt, Qt::LeftButton);
        ASSERT_TRUE(frm->CorrentTimeOpt->isChecked());
    }

    // The first usable satellite receivable at `step`.
    skyview::SateMark ReceivableAt(int step) const
    {
        for (const skyview::SateMark& m : frm->shownPositions().marks) {
            if (m.usable && m.state == skyview::SkyState::Visible && m.prn >= 1 && m.prn <= 32) return m;
        }
        ADD_FAILURE() << "no receivable satellite at step " << step;
        return {};
    }

    QTime clockNow{10, 0};
    DispHeavenGPSFrm* frm = nullptr;
    QPointer<DispHeavenGPSFrm> guard;
    TurningPort port;
    QStringList& calls = port.calls;
};

TEST_F(SkyView, LoadsLookingUpAt0800AndTakesRequest2AtTheFirstShow)
{
    EXPECT_EQ(calls, QStringList{"LoadAlmanacDataBase"});
    EXPECT_EQ(frm->TimeScrol1->minimum(), 0);
    EXPECT_EQ(frm->TimeScrol1->maximum(), 288);
    EXPECT_EQ(frm->TimeScrol1->value(), 96);
    EXPECT_EQ(frm->TimeDataLbl->text(), QStringLiteral("08:00"));
    EXPECT_TRUE(frm->DownToUpOpt->isChecked());
    EXPECT_TRUE(frm->SpecifiedTimeOpt->isChecked());
    EXPECT_EQ(frm->SeeingLbl->text(), QStringLiteral("下から上空"));

    Show();
    EXPECT_EQ(calls, (QStringList{"LoadAlmanacDataBase", "TakePictureClick 2"}));
    EXPECT_EQ(port.clickClient, frm);
    EXPECT_EQ(frm->pFirstActivate, 0);
    ExpectIconsAt(96, "first show");
    EXPECT_FALSE(frm->ResidentTimePnl->isVisible()) << "no demonstration runs";
}

TEST_F(SkyView, SliderMovesTheIconsInTheChosenOrientation)
{
    Show();
    SetMapRotateAngle(30.0f);
    QTest::mouseClick(frm->UpToDownOpt, Qt::LeftButton);
    EXPECT_EQ(frm->SeeingLbl->text(), QStringLiteral("上空から下"));
    QTest::keyClick(frm->TimeScrol1, Qt::Key_Down);
    EXPECT_EQ(frm->TimeDataLbl->text(), QStringLiteral("08:05"));
    ExpectIconsAt(97, "looking down after one step");
}

// The clock's ticks in current-time mode, one row a tick, in order: the step shown and whether the
// icons moved.
TEST_F(SkyView, CurrentTimeModeFollowsTheClockStepAndStartsAgainAfterMidnight)
{
    Show();
    SwitchToCurrentTime(QTime(10, 2, 29));
    EXPECT_FALSE(frm->TimeScrol1->isEnabled());
    EXPECT_EQ(frm->lastClockStep(), 120);
    ExpectIconsAt(120, "switch at 10:02:29");

    struct Tick {
        QTime time;
        int lastStep;
        int iconsAt;
    };
    const Tick ticks[] = {
        {QTime(10, 2, 31), 121, 121},
        {QTime(10, 2, 32), 121, 121},
        {QTime(23, 57, 29), 287, 287},
        {QTime(23, 57, 30), 288, 288},
        {QTime(23, 59, 59), 288, 288},
        {QTime(0, 0, 0), 0, 288},    // midnight: the step starts again without a redraw
        {QTime(0, 2, 30), 0, 288},   // 0.5 is still step 0
        {QTime(0, 2, 31), 1, 1},     // and on with step 1 of the same date
    };
    for (const Tick& t : ticks) {
        clockNow = t.time;
        frm->Timer2_Timer();
        const std::string at = t.time.toString().toStdString();
        EXPECT_EQ(frm->lastClockStep(), t.lastStep) << at;
        EXPECT_EQ(frm->TimeDataLbl->text(), t.time.toString(QStringLiteral("HH:mm:ss"))) << at;
        ExpectIconsAt(t.iconsAt, at.c_str());
    }
    EXPECT_TRUE(frm->Timer2->isActive());
    EXPECT_EQ(frm->Timer2->interval(), 1000);

    // Back to the chosen time: the clock stops, the icons stay until the slider moves.
    QTest::mouseClick(frm->SpecifiedTimeOpt, Qt::LeftButton);
    EXPECT_FALSE(frm->Timer2->isActive());
    EXPECT_TRUE(frm->TimeScrol1->isEnabled());
    ExpectIconsAt(1, "back to the chosen time");
    QTest::keyClick(frm->TimeScrol1, Qt::Key_Down);
    ExpectIconsAt(97, "slider moved");
}

TEST_F(SkyView, RedrawsInCurrentTimeModeKeepTheClockStep)
{
    Show();
    SwitchToCurrentTime(QTime(13, 30, 0));  // step 162; the slider stays at 96
    ExpectIconsAt(162, "current time");
    QTest::mouseClick(frm->RightTurnCmd, Qt::LeftButton);
    ExpectIconsAt(162, "after a turn");
    QTest::mouseClick(frm->UpToDownOpt, Qt::LeftButton);
    ExpectIconsAt(162, "after an orientation change");
    frm->ShowCurrentSateVisible();  // a site-map click
    ExpectIconsAt(162, "after a site-map click");
}

// Each button turns the plot its own sense in both orientations: the main map's turn index
// depends on the orientation, and a satellite's plot angle moves by -10 degrees (clockwise on a
// picture with y up) for the clockwise button.
TEST_F(SkyView, TurnButtonsTurnThePlotTheirOwnSenseInBothOrientations)
{
    struct Row {
        const char* name;
        bool right;
        bool lookingDown;
        int index;
        double plotTurn;
    };
    const Row rows[] = {
        {"clockwise looking up", true, false, 5, -10},
        {"clockwise looking down", true, true, 4, -10},
        {"counter-clockwise looking up", false, false, 4, 10},
        {"counter-clockwise looking down", false, true, 5, 10},
    };
    Show();
    for (const Row& row : rows) {
        QTest::mouseClick(row.lookingDown ? frm->UpToDownOpt : frm->DownToUpOpt, Qt::LeftButton);
        const skyview::SateMark before = ReceivableAt(96);
        calls.clear();
        QTest::mouseClick(row.right ? frm->RightTurnCmd : frm->LeftTurnCmd, Qt::LeftButton);
        EXPECT_EQ(calls, QStringList{QStringLiteral("MoveImgCmd_Click %1").arg(row.index)}) << row.name;
        skyview::SateMark after;
        for (const auto& m : frm->shownPositions().marks) {
            if (m.slot == before.slot) after = m;
        }
        const double turned = std::atan2(after.at.y(), after.at.x()) - std::atan2(before.at.y(), before.at.x());
        EXPECT_NEAR(testutil::AngleDiff(turned / platform::kRadPerDeg, 0.0), row.plotTurn, 1e-3) << row.name;
    }
}

// One picture per orientation with the map turned by 30 degrees: the N where the turned grid puts
// it and a receivable satellite's icon on its point. Expected places are worked out here from the
// mapping: looking down a direction A stands at plot angle A - 30, looking up at 30 - A; north is
// A = 90.
TEST_F(SkyView, DrawsTheLetterNAndTheSatellitesWhereEachOrientationPutsThem)
{
    Show();
    SetMapRotateAngle(30.0f);
    const double k = 1.69;
    for (const bool down : {true, false}) {
        const char* name = down ? "looking down" : "looking up";
        QTest::mouseClick(down ? frm->UpToDownOpt : frm->DownToUpOpt, Qt::LeftButton);
        frm->ShowCurrentSateVisible();
        const double north = (down ? 90.0 - 30.0 : 30.0 - 90.0) * platform::kRadPerDeg;
        // The letter's top-left corner is 5 units left of and 7 above its point at radius 95k.
        const QPointF corner(95 * k * std::cos(north) - 5, 95 * k * std::sin(north) + 7);
        const QPoint c = frm->DispPic->toPixel(corner).toPoint();
        int green = 0;
        for (int x = c.x(); x < c.x() + 14; ++x) {
            for (int y = c.y(); y < c.y() + 20; ++y) {
                green += frm->DispPic->image().pixelColor(x, y) == skyview::kCompassColor;
            }
        }
        EXPECT_GT(green, 10) << name << ": the N at " << c.x() << "," << c.y();

        const skyview::SateMark m = ReceivableAt(96);
        const double a = gSateAzimus[m.slot][96];
        const double e = gSateElevation[m.slot][96];
        const double theta = (down ? a - 30.0 : 30.0 - a) * platform::kRadPerDeg;
        const QPointF point(k * (90 - e) * std::cos(theta), k * (90 - e) * std::sin(theta));
        // Inside the disc, above the number: the receivable icon's blue.
        const QImage shot = frm->DispPic->grab().toImage();
        const QPoint p = frm->DispPic->toPixel(point + QPointF(0, 7)).toPoint();
        EXPECT_EQ(shot.pixelColor(p), QColor(30, 90, 220)) << name << ": PRN " << m.prn << " at " << p.x() << "," << p.y();
    }
}

TEST_F(SkyView, AllOfThePlotShowsInsideTheWindow)
{
    Show();
    testutil::ExpectCaptionsOnThePlot(*frm, *frm->DispPic, *frm);
    // Looking up with the map north-up, the N stands at the foot of the grid circle and ends
    // above the picture's bottom edge.
    ASSERT_TRUE(frm->lookingUp());
    const int lowest = testutil::LowestCompassRow(*frm->DispPic);
    EXPECT_GT(lowest, qRound(frm->DispPic->toPixel({0, -160}).y()));
    EXPECT_LT(lowest, frm->DispPic->image().height() - 2);
}

TEST_F(SkyView, DrawsFromItsOwnDaysTablesWhatEverOthersComputeLater)
{
    Show();
    const skyview::SatePositions own = Expected(120);
    // Another window computes the shared tables for another date.
    ASSERT_TRUE(orbit::ComputeSateAzimusElevationOnDate(0, 288, "2022/08/18"));
    frm->TimeScrol1->setValue(120);
    frm->ShowCurrentSateVisible();
    ASSERT_EQ(frm->shownPositions().marks.size(), own.marks.size());
    for (std::size_t i = 0; i < own.marks.size(); ++i) {
        EXPECT_EQ(frm->shownPositions().marks[i].at, own.marks[i].at) << "slot " << own.marks[i].slot;
    }
}

TEST_F(SkyView, CloseButtonResetsTheMainMapAndTheCloseBoxDoesNot)
{
    Show();
    QTest::mouseClick(frm->CloseCmd, Qt::LeftButton);
    EXPECT_EQ(calls.mid(2), (QStringList{"InitialDisPlayCmd_Click", "ReleasePictureClick"}));
    EXPECT_TRUE(frm->unloaded());

    auto* other = new DispHeavenGPSFrm(nullptr, &port);
    QPointer<DispHeavenGPSFrm> otherGuard = other;
    other->show();
    calls.clear();
    other->close();
    EXPECT_EQ(calls, QStringList{"ReleasePictureClick"});
    delete otherGuard;
}

// The demonstration script, tick by tick, against the main window stand-in: what each tick asks
// of the main window (looking up, so the clockwise button turns the map with index 5).
TEST_F(SkyView, DemonstrationScriptRunsOnceAndHandsTheDemonstrationBack)
{
    SetDemoMode(-1);
    Show();
    EXPECT_TRUE(frm->DemoTmr->isActive());
    EXPECT_EQ(frm->DemoTmr->interval(), 900);
    EXPECT_TRUE(frm->MessagePnl->isVisible());
    EXPECT_EQ(frm->MessagePnl->text(), QStringLiteral("ここを押すとメイン画面と軌道画面が回転する"));
    EXPECT_TRUE(frm->MouseIconPnl->isVisible());
    EXPECT_EQ(frm->ResidentTimePnl->text(), QStringLiteral("25"));
    frm->DemoTmr->stop();  // the test ticks by hand

    const std::map<int, QStringList> expected = {
        {3, {"MoveImgCmd_Click 5"}},
        {4, {"MoveImgCmd_Click 5"}},
        {5, {"MoveImgCmd_Click 5"}},
        {10, {"ShowDemoClickHint 1"}},
        {14, {"ClickMousePoint 1"}},
        {16, {"ClickMousePoint 2"}},
        {18, {"ClickMousePoint 3"}},
        {20, {"ClickMousePoint 4"}},
        {22, {"ClickMousePoint 5"}},
        {25, {"HandDemonstrationBack 1", "ShowDemoClickHint 0", "ReleasePictureClick"}},
    };
    for (int tick = 0; tick <= 25; ++tick) {
        if (tick == 6) {
            // The user clicks into the main window and back: the script goes on where it was.
            frm->hide();
            frm->show();
            QEvent activation(QEvent::ActivationChange);
            QCoreApplication::sendEvent(frm, &activation);
            EXPECT_EQ(frm->demoTick(), 6);
        }
        calls.clear();
        frm->DemoTmr_Timer();
        const auto it = expected.find(tick);
        EXPECT_EQ(calls, it == expected.end() ? QStringList{} : it->second) << "tick " << tick;
        EXPECT_EQ(frm->ResidentTimePnl->text(), QString::number(25 - tick)) << "tick " << tick;
        if (tick == 10) {
            EXPECT_FALSE(frm->MessagePnl->isVisible());
        }
    }
    EXPECT_TRUE(frm->unloaded());
    EXPECT_FLOAT_EQ(gMapRotateAngle, -30.0f) << "the map stays turned by the three turns";
}

TEST_F(SkyView, ClosedInAnyWayWhileItsDemonstrationRunsTheViewResetsTheMainMapOnce)
{
    struct Case {
        const char* name;
        bool closeButton;
    };
    for (const Case& c : {Case{"close box", false}, Case{"close button", true}}) {
        SCOPED_TRACE(c.name);
        SetDemoMode(-1);
        auto* view = new DispHeavenGPSFrm(nullptr, &port);
        QPointer<DispHeavenGPSFrm> viewGuard = view;
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
        view->DemoTmr->stop();  // the test ticks by hand
        for (int tick = 0; tick <= 3; ++tick) view->DemoTmr_Timer();  // the first turn of the map
        calls.clear();
        if (c.closeButton) QTest::mouseClick(view->CloseCmd, Qt::LeftButton);
        else view->close();
        EXPECT_EQ(calls, (QStringList{"InitialDisPlayCmd_Click", "ReleasePictureClick"}));
        delete viewGuard;
    }
}

}  // namespace
