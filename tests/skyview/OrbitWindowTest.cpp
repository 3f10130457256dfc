#include <QCalendarWidget>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "common/FakeMainWindowPort.h"
#include "CalendarDrive.h"
#include "common/TestUtils.h"
#include "common/TokyoSky.h"
#include "orbit/AlmanacTable.h"
#include "orbit/OrbitEngine.h"
#include "orbit/VisibleSatellites.h"
#include "orbit/YumaAlmanac.h"
#include "PlotChecks.h"
#include "platform/CalendarPopup.h"
#include "platform/PictureSurface.h"
#include "skyview/DispCumpuSateliteObitFrm.h"

namespace {

// One click on the scroll bar's right arrow: one step.
void ClickRightArrow(QScrollBar* bar) { QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 4, bar->height() / 2)); }

// The real almanac over Tokyo on 2022/02/18, no buildings, and a loaded orbit view whose port
// records what the window asks of the main window.
class OrbitWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        testutil::UseTokyoSky();
        SetAntennaHeight(1.5f);
        frm = new DispCumpuSateliteObitFrm(nullptr, &port);
        guard = frm;
    }

    void TearDown() override { delete guard; }

    void Show()
    {
        frm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frm));
    }

    // The icons and the count show the tables at `step`.
    void ExpectIconsAt(int step) const
    {
        const skyview::SatePositions expected = skyview::SatePositionsAt({}, skyview::CurrentSkyInputs(), step);
        ASSERT_EQ(frm->shownPositions().marks.size(), expected.marks.size());
        for (std::size_t i = 0; i < expected.marks.size(); ++i) {
            EXPECT_EQ(frm->shownPositions().marks[i].at, expected.marks[i].at) << "slot " << expected.marks[i].slot;
        }
        EXPECT_EQ(frm->SateNumLbl->text(), skyview::SateCountText(expected.count));
    }

    DispCumpuSateliteObitFrm* frm = nullptr;
    QPointer<DispCumpuSateliteObitFrm> guard;
    testutil::FakeMainWindowPort port;
    QStringList& calls = port.calls;
};

TEST_F(OrbitWindow, LoadsQuietlyAndDrawsTheWholeDayAtTheFirstShow)
{
    EXPECT_EQ(calls, QStringList{"LoadAlmanacDataBase"});
    EXPECT_EQ(frm->StartTimeDataCmb->currentText(), QStringLiteral("08:00"));
    EXPECT_EQ(frm->EndTimeDataCmb->currentText(), QStringLiteral("18:00"));
    EXPECT_EQ(frm->EndTimeDataCmb->count(), 289);
    EXPECT_EQ(frm->TimeScrol1->minimum(), 96);
    EXPECT_EQ(frm->TimeScrol1->maximum(), 216);
    EXPECT_EQ(frm->ElevationMaskLbl->text(), QStringLiteral("10"));

    // Before the first show a recomputation (the almanac import asks for one) does nothing.
    for (auto& row : gSateElevation) {
        row.fill(-99.0f);
    }
    frm->ReComputeSateObit();
    EXPECT_EQ(gSateElevation[1][100], -99.0f);

    Show();
    EXPECT_EQ(calls, (QStringList{"LoadAlmanacDataBase", "TakePictureClick 1"}));
    EXPECT_EQ(frm->pFirstActivate, 0);
    EXPECT_NE(gSateElevation[1][0], -99.0f);
    EXPECT_NE(gSateElevation[1][288], -99.0f);
    ExpectIconsAt(96);
    orbit::CountVisibleSateInTime(96, 96);
    EXPECT_EQ(frm->SateNumLbl->text(), skyview::SateCountText(gVisibleSateNum[96]));
    // With no building the skyline runs on the horizon.
    EXPECT_EQ(frm->DispPic->pointColor({0, -90 * 1.69}), skyview::kSkylineColor);

    // Showing again does not take the clicks a second time.
    frm->hide();
    Show();
    EXPECT_EQ(calls, (QStringList{"LoadAlmanacDataBase", "TakePictureClick 1"}));
}

TEST_F(OrbitWindow, AllOfThePlotShowsInsideTheWindow)
{
    Show();
    testutil::ExpectCaptionsOnThePlot(*frm, *frm->DispPic, *frm);
    // The "S" letter under the grid circle reaches below -169, the grid's edge, and ends above
    // the picture's bottom edge: its lowest pixel in the compass colour has open rows under it.
    const int lowest = testutil::LowestCompassRow(*frm->DispPic);
    EXPECT_GT(lowest, qRound(frm->DispPic->toPixel({0, -169}).y()));
    EXPECT_LT(lowest, frm->DispPic->image().height() - 2);
}

TEST_F(OrbitWindow, TimeListsKeepStartBeforeEndAndTheScrollBarInsideTheSpan)
{
    struct Case {
        const char* name;
        std::function<void(DispCumpuSateliteObitFrm*)> choose;
        int start, end, shown;
        const char* shownLabel;
    };
    const Case cases[] = {
        {"24:00 as start while the end is 18:00 gives 17:55",
         [](auto* f) { QTest::keyClick(f->StartTimeDataCmb, Qt::Key_End); }, 215, 216, 215, "17:55"},
        {"00:00 as end while the start is 08:00 gives 08:05",
         [](auto* f) { QTest::keyClick(f->EndTimeDataCmb, Qt::Key_Home); }, 96, 97, 96, "08:00"},
        {"a start equal to the end goes one step before it",
         [](auto* f) {
             QTest::keyClick(f->EndTimeDataCmb, Qt::Key_Home);
             QTest::keyClick(f->StartTimeDataCmb, Qt::Key_Down);
         },
         96, 97, 96, "08:00"},
        {"a later start moves the shown time with the scroll bar",
         [](auto* f) {
             for (int i = 0; i < 30; ++i) QTest::keyClick(f->StartTimeDataCmb, Qt::Key_Down);
         },
         126, 216, 126, "10:30"},
        {"an earlier end pulls the shown time back into the span",
         [](auto* f) {
             for (int i = 0; i < 50; ++i) ClickRightArrow(f->TimeScrol1);
             for (int i = 0; i < 100; ++i) QTest::keyClick(f->EndTimeDataCmb, Qt::Key_Up);
         },
         96, 116, 116, "09:40"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        delete guard;
        frm = new DispCumpuSateliteObitFrm(nullptr);
        guard = frm;
        Show();
        c.choose(frm);
        EXPECT_EQ(frm->StartTimeDataCmb->currentIndex(), c.start);
        EXPECT_EQ(frm->EndTimeDataCmb->currentIndex(), c.end);
        EXPECT_EQ(frm->TimeScrol1->minimum(), c.start);
        EXPECT_EQ(frm->TimeScrol1->maximum(), c.end);
        EXPECT_EQ(frm->TimeScrol1->value(), c.shown);
        EXPECT_EQ(frm->TimeDataLbl->text(), QString::fromLatin1(c.shownLabel));
        ExpectIconsAt(c.shown);
    }
}

TEST_F(OrbitWindow, ScrollBarMovesTheIconsOnly)
{
    Show();
    const QImage before = frm->DispPic->image();
    ClickRightArrow(frm->TimeScrol1);
    EXPECT_EQ(frm->TimeDataLbl->text(), QStringLiteral("08:05"));
    ExpectIconsAt(97);
    EXPECT_EQ(frm->DispPic->image(), before);
}

TEST_F(OrbitWindow, PickingADateRecomputesTheWholeDayForIt)
{
    Show();
    // A wide span after the date change must not show tracks of the earlier date.
    testutil::PickNextDay(frm->ResetDateCmd, frm->DaybrookPicker1);
    if (HasFatalFailure()) return;

    EXPECT_EQ(gComputeDate, "2022/02/19");
    EXPECT_EQ(frm->DateDataLbl->text(), QStringLiteral("2022/02/19"));
    EXPECT_FALSE(frm->DaybrookPicker1->isVisible());
    const SateTable azimus = gSateAzimus;
    const SateTable elevation = gSateElevation;
    ASSERT_TRUE(orbit::ComputeSateAzimusElevationOnDate(0, kLastTimeStep, "2022/02/19"));
    EXPECT_EQ(azimus, gSateAzimus);
    EXPECT_EQ(elevation, gSateElevation);
    ASSERT_TRUE(orbit::ComputeSateAzimusElevationOnDate(0, kLastTimeStep, "2022/02/18"));
    EXPECT_NE(elevation, gSateElevation);
    gSateAzimus = azimus;
    gSateElevation = elevation;
    // The shown time stays; the icons show it on the new date.
    EXPECT_EQ(frm->TimeDataLbl->text(), QStringLiteral("08:00"));
    ExpectIconsAt(96);

    // A press on the plot puts the calendar away again.
    QTest::mouseClick(frm->ResetDateCmd, Qt::LeftButton);
    ASSERT_TRUE(frm->DaybrookPicker1->isVisible());
    QTest::mouseClick(frm->DispPic, Qt::LeftButton);
    EXPECT_FALSE(frm->DaybrookPicker1->isVisible());
}

TEST_F(OrbitWindow, ARedrawAfterASiteMapClickDrawsTheTracksFrom0800To1800)
{
    Show();
    const QImage drawn = frm->DispPic->image().copy();
    QTest::keyClick(frm->StartTimeDataCmb, Qt::Key_Home);
    QTest::keyClick(frm->EndTimeDataCmb, Qt::Key_End);
    ClickRightArrow(frm->TimeScrol1);
    ASSERT_NE(frm->DispPic->image(), drawn);  // the whole day's tracks
    frm->move(frm->pos() + QPoint(40, 30));

    frm->ShowCurrentSateVisible();
    EXPECT_EQ(frm->DispPic->image(), drawn);
    EXPECT_EQ(frm->StartTimeDataCmb->currentIndex(), 0);
    EXPECT_EQ(frm->EndTimeDataCmb->currentIndex(), kLastTimeStep);
    EXPECT_EQ(frm->TimeScrol1->value(), 97);
    ExpectIconsAt(97);
    // Back at 6800, 1000 twips, as far as the screen allows (the offscreen screen is 800 wide).
    const QRect screen = frm->screen()->availableGeometry();
    EXPECT_EQ(frm->pos(), QPoint(std::min(453, screen.right() + 1 - frm->frameGeometry().width()), 67));
    EXPECT_TRUE(screen.contains(frm->frameGeometry()));
}

TEST_F(OrbitWindow, RedrawsKeepTheViewsOwnDateWhenOthersRecomputeTheSharedTables)
{
    Show();
    const QImage drawn = frm->DispPic->image().copy();
    // Another window (an area judgement on the main window) computes the day after.
    ASSERT_TRUE(orbit::ComputeSateAzimusElevationOnDate(0, kLastTimeStep, "2022/02/19"));
    const SateTable otherDay = gSateElevation;
    frm->ShowCurrentSateVisible();
    ClickRightArrow(frm->TimeScrol1);

    EXPECT_EQ(gSateElevation, otherDay);  // the view leaves the other window's tables alone
    EXPECT_EQ(frm->DispPic->image(), drawn);
    ASSERT_TRUE(orbit::ComputeSateAzimusElevationOnDate(0, kLastTimeStep, "2022/02/18"));
    ExpectIconsAt(97);
}

TEST_F(OrbitWindow, CloseButtonResetsTheMainMapAndEveryCloseGivesTheClicksBack)
{
    Show();
    QTest::mouseClick(frm->CloseCmd, Qt::LeftButton);
    EXPECT_EQ(calls, (QStringList{"LoadAlmanacDataBase", "TakePictureClick 1", "InitialDisPlayCmd_Click", "ReleasePictureClick"}));
    EXPECT_TRUE(frm->unloaded());
}

}  // namespace
