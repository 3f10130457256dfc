#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

#include "common/FakeMainWindowPort.h"
#include "CalendarDrive.h"
#include "common/TestUtils.h"
#include "orbit/AlmanacTable.h"
#include "orbit/GpsTime.h"
#include "orbit/OrbitEngine.h"
#include "orbit/TextHelpers.h"
#include "orbit/VisibleSatellites.h"
#include "orbit/YumaAlmanac.h"
#include "platform/CalendarPopup.h"
#include "platform/MessageBox.h"
#include "platform/PictureSurface.h"
#include "platform/PrintWindow.h"
#include "site/RunState.h"
#include "skyview/ProgressFrm.h"
#include "skyview/SateNumChart.h"
#include "skyview/SkyAndSateNumFrm.h"

namespace {

// The whole day's counts of an independent computation: the almanac in the table over the given
// whole-degree position and date with the given mask, skipping `excluded` PRNs, no buildings.
orbit::VisibleCountTable ExpectedCounts(float lat, float lon, const std::string& date, float mask, std::vector<int> excluded = {})
{
    std::vector<int> sateSlots;
    for (int s = 1; s <= gSateNum; ++s) {
        if (std::find(excluded.begin(), excluded.end(), gSatePRN[s]) == excluded.end()) sateSlots.push_back(s);
    }
    SateTable az{}, el{};
    orbit::ComputeSateTables(orbit::CurrentAlmanac(), sateSlots, lat, lon, *orbit::ConvertDateToGPSTime(date, "00:00"), 0,
                             kLastTimeStep, az, el);
    orbit::VisibleCountTable counts{};
    orbit::CountVisibleSate(az, el, sateSlots, mask, gCutElevation, 0, kLastTimeStep, counts);
    return counts;
}

QStringList Entries(const QListWidget* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->item(i)->text();
    return entries;
}

void DoubleClickEntry(QListWidget* list, int row)
{
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

// The real almanac over Tokyo (35.681, 139.767) on 2022/02/18 with no buildings, the whole day
// computed and counted as the orbit-and-count command leaves it, and the window loaded with a
// port that records what it asks of the main window.
class OrbitCountWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        gProgressPause = 0.0;
        orbit::ApplyAlmanac(orbit::ToAlmanac(orbit::ReadYumaAlmanac(testutil::ReadDataFile("almanac.yuma.week0149.405504.txt"))));
        orbit::SetSateColorTable();
        gUnUsefulSateNum = 0;
        SetLatitude(35.681f);
        SetLongitude(139.767f);
        SetComputeDate("2022/02/18");
        SetElevationMask(10.0f);
        SetAntennaHeight(1.5f);
        SetStartTimeStep(96);
        SetEndTimeStep(216);
        SetDemoMode(0);
        gCutElevation.fill(0.0f);
        ASSERT_TRUE(orbit::ComputeSateAzimusElevation(0, kLastTimeStep));
        orbit::CountVisibleSateInTime(0, kLastTimeStep);
        platform::SetMessageAnswerer([this](const QString& text, platform::MessageButtons) {
            messages << text;
            return platform::MessageAnswer::Ok;
        });
    }

    void TearDown() override
    {
        delete guard;
        platform::SetMessageAnswerer({});
        SetDemoMode(0);
    }

    void Open()
    {
        frm = new SkyAndSateNumFrm(nullptr, &port);
        guard = frm;
        frm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frm));
    }

    // The icons show the window's tables at the current-time slider's step.
    void ExpectIconsAtCurrentTime() const
    {
        const int k = frm->CurrentTimeScl->value();
        const SateTable& el = frm->elevations();
        int count = 0;
        for (const skyview::SateMark& m : frm->shownPositions().marks) {
            EXPECT_EQ(m.state == skyview::SkyState::BelowMask, !(el[m.slot][k] > frm->mask())) << "slot " << m.slot;
            count += m.state == skyview::SkyState::Visible && m.usable;
        }
        EXPECT_EQ(count, frm->counts()[k]);
        EXPECT_EQ(frm->SateNumLbl->text(), skyview::SateCountText(frm->counts()[k]));
    }

    // Colour of the bar of step k at the height of its n-th satellite.
    QColor BarAt(int k, int n) const
    {
        const double w = skyview::StepWidth(gStartTimeStep, gEndTimeStep);
        return frm->VisPicture->pointColor({w * (k - gStartTimeStep + 0.5), 400.0 * n - 200.0});
    }

    SkyAndSateNumFrm* frm = nullptr;
    QPointer<SkyAndSateNumFrm> guard;
    testutil::FakeMainWindowPort port;
    QStringList& calls = port.calls;
    QStringList messages;
};

TEST_F(OrbitCountWindow, OpensOnTheCommandsTablesWithWholeDegreeListsAndLeavesThePositionAlone)
{
    const orbit::VisibleCountTable fromCommand = gVisibleSateNum;
    Open();
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("衛星軌道、衛星数"));
    EXPECT_EQ(calls, QStringList{"LoadAlmanacDataBase"});
    EXPECT_EQ(gLatitude, 35.681f);
    EXPECT_EQ(gLongitude, 139.767f);
    EXPECT_EQ(frm->LatDataCmb->currentText(), QStringLiteral("35"));
    EXPECT_EQ(frm->LonDataCmb->currentText(), QStringLiteral("139"));
    EXPECT_EQ(frm->latitude(), 35.0f);
    EXPECT_EQ(frm->ElevationMaskCmb->currentText(), QStringLiteral("10"));
    EXPECT_EQ(frm->AntennaHTxt->text(), QStringLiteral("1.5"));
    EXPECT_EQ(frm->DateDataLbl->text(), QStringLiteral("2022/02/18"));
    EXPECT_EQ(frm->counts(), fromCommand);
    EXPECT_EQ(Entries(frm->AvalableSateLst).size(), gSateNum);
    EXPECT_TRUE(Entries(frm->UnUsefulSateLst).isEmpty());
    EXPECT_EQ(frm->StartTimeLbl->text(), QStringLiteral("08:00"));
    EXPECT_EQ(frm->EndTimeLbl->text(), QStringLiteral("18:00"));
    EXPECT_EQ(frm->TimeLbl->text(), QStringLiteral("08:00"));
    EXPECT_EQ(frm->CurrentTimeLbl->text(), QStringLiteral("08:00"));
    EXPECT_FALSE(frm->ResidentTimePnl->isVisible());
    EXPECT_FALSE(frm->OnDemoPnl->isVisible());
    // The bars show the counts; the marker stands at the right edge of the first bar.
    const int n = fromCommand[150];
    ASSERT_GE(n, 4);
    EXPECT_EQ(BarAt(150, 1), skyview::kBarRed);
    EXPECT_EQ(BarAt(150, 4), skyview::kBarYellow);
    EXPECT_EQ(BarAt(150, n + 1), QColor(Qt::white));
    // No current-time marker until the current-time slider moves.
    EXPECT_EQ(frm->pTimeLineX, skyview::kNoTimeLine);
    EXPECT_EQ(frm->VisPicture->pointColor({480.0, 4900.0}), QColor(Qt::white));
    ExpectIconsAtCurrentTime();
}

TEST_F(OrbitCountWindow, ChartHoldsElevenSatellitesShowsAnEmptyStepAndLaysBarsAndGridAsEachRedrawAsks)
{
    gVisibleSateNum[150] = 11;
    gVisibleSateNum[151] = 0;
    Open();
    // The top stands for 12.5 satellites: 11 stay inside the chart.
    EXPECT_EQ(BarAt(150, 11), skyview::kBarBlue);
    EXPECT_EQ(BarAt(150, 12), QColor(Qt::white));
    // No satellite: a box of height 0 on the lowest row the time axis leaves in sight.
    const auto column = [this](int k) {
        return static_cast<int>(frm->VisPicture->toPixel({skyview::StepWidth(gStartTimeStep, gEndTimeStep) * (k - gStartTimeStep + 0.5), 0.0}).x());
    };
    const QImage& chart = frm->VisPicture->image();
    const int lowestShown = frm->TimeScalePic->y() - frm->VisPicture->y() - 1;
    ASSERT_LT(lowestShown, chart.height());
    EXPECT_EQ(chart.pixelColor(column(151), lowestShown), skyview::kBarRed);
    EXPECT_EQ(chart.pixelColor(column(151), lowestShown - 2), QColor(Qt::white));

    // The grid line of 1 satellite across the red band of step 140.
    const auto gridOverBar = [this, &column] {
        const QImage& image = frm->VisPicture->image();
        const int row = static_cast<int>(frm->VisPicture->toPixel({0.0, 400.0}).y());
        for (int y = row - 2; y <= row + 2; ++y) {
            if (image.pixelColor(column(140), y) == skyview::kChartGrey) return true;
        }
        return false;
    };
    EXPECT_FALSE(gridOverBar()) << "bars over the grid at the first showing";
    frm->ElevationMaskCmb->setFocus();
    QTest::keyClick(frm->ElevationMaskCmb, Qt::Key_Down);
    ASSERT_GE(frm->counts()[140], 1);
    EXPECT_TRUE(gridOverBar()) << "grid over the bars after a recomputation";
    EXPECT_EQ(frm->pTimeLineX, skyview::kNoTimeLine);
    QTest::keyClick(frm->EndTimeScroll, Qt::Key_Left);
    EXPECT_EQ(gEndTimeStep, 215);
    EXPECT_FALSE(gridOverBar()) << "bars over the grid after a change of the time window";
    EXPECT_EQ(frm->pTimeLineX, skyview::kNoTimeLine);
}

TEST_F(OrbitCountWindow, TimeSlidersKeepStartBeforeEndAndTheCurrentTimeInside)
{
    struct Case {
        const char* name;
        std::function<void(SkyAndSateNumFrm*)> move;
        int start, end, current;
        bool marker;  // the current time moved with the window, so its marker shows
    };
    const Case cases[] = {
        {"start moved to 24:00 while the end is 18:00 gives 17:55",
         [](auto* f) { QTest::keyClick(f->StartTimeScroll, Qt::Key_End); }, 215, 216, 215, true},
        {"end moved to 00:00 while the start is 08:00 gives 08:05",
         [](auto* f) { QTest::keyClick(f->EndTimeScroll, Qt::Key_Home); }, 96, 97, 96, false},
        {"start moved onto the end goes one step before it",
         [](auto* f) { f->StartTimeScroll->setValue(216); }, 215, 216, 215, true},
        {"a later start pulls the current time along",
         [](auto* f) {
             for (int i = 0; i < 4; ++i) QTest::keyClick(f->StartTimeScroll, Qt::Key_Right);
         },
         100, 216, 100, true},
        {"an earlier end pulls the current time back",
         [](auto* f) {
             f->CurrentTimeScl->setValue(200);
             f->EndTimeScroll->setValue(150);
         },
         96, 150, 150, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetStartTimeStep(96);
        SetEndTimeStep(216);
        delete guard;
        Open();
        c.move(frm);
        EXPECT_EQ(gStartTimeStep, c.start);
        EXPECT_EQ(gEndTimeStep, c.end);
        EXPECT_EQ(frm->StartTimeScroll->value(), c.start);
        EXPECT_EQ(frm->EndTimeScroll->value(), c.end);
        EXPECT_EQ(frm->CurrentTimeScl->minimum(), c.start);
        EXPECT_EQ(frm->CurrentTimeScl->maximum(), c.end);
        EXPECT_EQ(frm->CurrentTimeScl->value(), c.current);
        EXPECT_EQ(frm->TimeLbl->text(), QString::fromStdString(orbit::ConvertSecondToTimeStr(c.current * 300.0)));
        EXPECT_DOUBLE_EQ(frm->pTimeLineX, c.marker ? skyview::CurrentTimeLineX(c.current, c.start, c.end) : skyview::kNoTimeLine);
        ExpectIconsAtCurrentTime();
    }
}

TEST_F(OrbitCountWindow, AWindowOfNoWidthOpensOneStepWide)
{
    SetStartTimeStep(120);
    SetEndTimeStep(120);
    Open();
    EXPECT_EQ(gStartTimeStep, 120);
    EXPECT_EQ(gEndTimeStep, 121);
    EXPECT_EQ(frm->EndTimeLbl->text(), QStringLiteral("10:05"));
}

TEST_F(OrbitCountWindow, CurrentTimeMovesMarkerAndIconsOnly)
{
    Open();
    const QImage sky = frm->DispPic->image().copy();
    QTest::keyClick(frm->CurrentTimeScl, Qt::Key_PageUp);  // one hour on
    EXPECT_EQ(frm->CurrentTimeScl->value(), 108);
    EXPECT_EQ(frm->TimeDataLbl->text(), QStringLiteral("09:00"));
    EXPECT_EQ(frm->CurrentTimeLbl->text(), QStringLiteral("09:00"));
    EXPECT_EQ(frm->TimeLbl->text(), QStringLiteral("09:00"));
    EXPECT_EQ(frm->DispPic->image(), sky);
    EXPECT_DOUBLE_EQ(frm->pTimeLineX, 480.0 * 13);
    EXPECT_NE(frm->VisPicture->pointColor({480.0 * 13, 4900.0}), QColor(Qt::white));
    // One hour on and back: the marker stands where it stood and the chart is as it was.
    const QImage chart = frm->VisPicture->image().copy();
    QTest::keyClick(frm->CurrentTimeScl, Qt::Key_PageUp);
    QTest::keyClick(frm->CurrentTimeScl, Qt::Key_PageDown);
    EXPECT_EQ(frm->VisPicture->image(), chart);
    ExpectIconsAtCurrentTime();
}

TEST_F(OrbitCountWindow, DrawsFromItsOwnTablesWhenOthersRecomputeTheSharedOnes)
{
    Open();
    // Another computation leaves every satellite below the horizon in the shared tables.
    for (auto& row : gSateElevation) row.fill(-90.0f);
    QTest::keyClick(frm->CurrentTimeScl, Qt::Key_PageUp);
    const int k = frm->CurrentTimeScl->value();
    ASSERT_GT(frm->counts()[k], 0);
    EXPECT_EQ(frm->SateNumLbl->text(), skyview::SateCountText(frm->counts()[k]));
    ExpectIconsAtCurrentTime();
}

TEST_F(OrbitCountWindow, ExcludingAndReadmittingRecountAndRedrawChartAndSky)
{
    Open();
    const QStringList available = Entries(frm->AvalableSateLst);
    // A satellite in view at the current time.
    int prn = 0;
    for (const skyview::SateMark& m : frm->shownPositions().marks) {
        if (m.state == skyview::SkyState::Visible && m.usable) prn = m.prn;
    }
    const int row = static_cast<int>(available.indexOf(QString::number(prn)));
    ASSERT_GE(row, 0);
    const QImage skyBefore = frm->DispPic->image().copy();

    DoubleClickEntry(frm->AvalableSateLst, row);
    QStringList expectedAvailable = available;
    expectedAvailable.removeAt(row);
    EXPECT_EQ(Entries(frm->AvalableSateLst), expectedAvailable);
    EXPECT_EQ(Entries(frm->UnUsefulSateLst), QStringList{QString::number(prn)});
    EXPECT_EQ(gUnUsefulSateNum, 1);
    EXPECT_EQ(gUnUsefulSate[0], prn);
    const orbit::VisibleCountTable excluded = ExpectedCounts(35, 139, "2022/02/18", 10, {prn});
    EXPECT_EQ(frm->counts(), excluded);
    // The chart shows the new counts: at a step the satellite left, its bar is one lower.
    const orbit::VisibleCountTable all = ExpectedCounts(35, 139, "2022/02/18", 10);
    int dropped = -1;
    for (int k = 96; k < 216 && dropped < 0; ++k) {
        if (excluded[k] < all[k]) dropped = k;
    }
    ASSERT_GE(dropped, 0);
    EXPECT_EQ(BarAt(dropped, all[dropped]), QColor(Qt::white));
    EXPECT_NE(frm->DispPic->image(), skyBefore);  // its track is gone
    ExpectIconsAtCurrentTime();
    EXPECT_FALSE(calls.contains(QStringLiteral("RecomputeSateliteCource 1.5")));

    const QImage skyExcluded = frm->DispPic->image().copy();
    DoubleClickEntry(frm->UnUsefulSateLst, 0);
    EXPECT_EQ(Entries(frm->AvalableSateLst), expectedAvailable + QStringList{QString::number(prn)});
    EXPECT_TRUE(Entries(frm->UnUsefulSateLst).isEmpty());
    EXPECT_EQ(gUnUsefulSateNum, 0);
    EXPECT_EQ(frm->counts(), all);
    EXPECT_NE(BarAt(dropped, all[dropped]), QColor(Qt::white));
    EXPECT_NE(frm->DispPic->image(), skyExcluded);  // readmitting redraws the sky
}

TEST_F(OrbitCountWindow, DoubleClickOnAnEmptyListDoesNothing)
{
    Open();
    const orbit::VisibleCountTable counts = frm->counts();
    const QStringList available = Entries(frm->AvalableSateLst);
    ASSERT_EQ(frm->UnUsefulSateLst->count(), 0);
    QTest::mouseDClick(frm->UnUsefulSateLst->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(Entries(frm->AvalableSateLst), available);
    EXPECT_EQ(frm->counts(), counts);
    EXPECT_EQ(gUnUsefulSateNum, 0);
}

TEST_F(OrbitCountWindow, RecomputesWithTheWindowsMaskDatePositionAndAntennaHeight)
{
    Open();
    // A mask of 20 degrees counts with 20; the program-wide mask and date stay.
    frm->ElevationMaskCmb->setFocus();
    for (int i = 0; i < 10; ++i) QTest::keyClick(frm->ElevationMaskCmb, Qt::Key_Down);
    EXPECT_EQ(frm->mask(), 20.0f);
    EXPECT_EQ(frm->counts(), ExpectedCounts(35, 139, "2022/02/18", 20));
    EXPECT_EQ(gElevationMask, 10.0f);
    EXPECT_EQ(calls.last(), QStringLiteral("RecomputeSateliteCource 1.5"));
    const double w = skyview::StepWidth(96, 216);
    EXPECT_EQ(frm->DispPic->pointColor({0, -70}), skyview::kMaskColor);  // circle at 90 - 20

    // A picked date becomes the window's date only.
    testutil::PickNextDay(frm->ResetDateCmd, frm->DaybrookPicker1);
    if (HasFatalFailure()) return;
    EXPECT_EQ(frm->pComputeDate, QStringLiteral("2022/02/19"));
    EXPECT_EQ(frm->DateDataLbl->text(), QStringLiteral("2022/02/19"));
    EXPECT_EQ(gComputeDate, "2022/02/18");
    EXPECT_FALSE(frm->DaybrookPicker1->isVisible());
    const orbit::VisibleCountTable day19 = ExpectedCounts(35, 139, "2022/02/19", 20);
    EXPECT_EQ(frm->counts(), day19);
    EXPECT_EQ(frm->VisPicture->pointColor({w * 60.5, 200}), skyview::kBarRed);

    // The mask list and the antenna box keep the window's date, whatever the calendar holds.
    frm->DaybrookPicker1->setDate(QDate(2022, 3, 1));
    frm->ElevationMaskCmb->setFocus();
    QTest::keyClick(frm->ElevationMaskCmb, Qt::Key_Up);
    EXPECT_EQ(frm->pComputeDate, QStringLiteral("2022/02/19"));
    EXPECT_EQ(frm->counts(), ExpectedCounts(35, 139, "2022/02/19", 19));

    // Exclusions recompute for the window's date too.
    const int prn = frm->AvalableSateLst->item(0)->text().toInt();
    DoubleClickEntry(frm->AvalableSateLst, 0);
    EXPECT_EQ(frm->counts(), ExpectedCounts(35, 139, "2022/02/19", 19, {prn}));

    // A picked latitude or longitude is the window's own: the program-wide position, which the
    // main window shows and the settings file keeps, stays exact.
    frm->LatDataCmb->setFocus();
    QTest::keyClick(frm->LatDataCmb, Qt::Key_Down);
    EXPECT_EQ(frm->latitude(), 36.0f);
    EXPECT_EQ(frm->counts(), ExpectedCounts(36, 139, "2022/02/19", 19, {prn}));
    frm->LonDataCmb->setFocus();
    QTest::keyClick(frm->LonDataCmb, Qt::Key_Up);
    EXPECT_EQ(frm->longitude(), 138.0f);
    EXPECT_EQ(gLatitude, 35.681f);
    EXPECT_EQ(gLongitude, 139.767f);

    // Enter in the antenna box recomputes the skyline for its height.
    frm->AntennaHTxt->setText(QStringLiteral("12"));
    QTest::keyClick(frm->AntennaHTxt, Qt::Key_Return);
    EXPECT_EQ(calls.last(), QStringLiteral("RecomputeSateliteCource 12"));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(gAntennaHeight, 1.5f);
    EXPECT_TRUE(frm->isVisible());  // Enter presses no button of the window
}

TEST_F(OrbitCountWindow, AntennaHeightOutside0To100IsRefusedAndLettersKeepTheHeightInUse)
{
    Open();
    struct Case {
        const char* typed;
        const char* message;
        const char* box;
    };
    // In order: each case starts from the height the one before left in use.
    const Case cases[] = {
        {"12", "", "12"},
        {"2x", "ｱﾝﾃﾅ高は正の値です。", "12"},  // letters are refused, not read as 2: 12 m stays
        {"abc", "ｱﾝﾃﾅ高は正の値です。", "12"},
        {"150", "ｱﾝﾃﾅ高の最大値は100mです。", "100"},
        {"2.5a", "ｱﾝﾃﾅ高は正の値です。", "100"},
        {"-3", "ｱﾝﾃﾅ高は正の値です。", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        messages.clear();
        frm->AntennaHTxt->setFocus();
        QTest::keyClick(frm->AntennaHTxt, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(frm->AntennaHTxt, QString::fromUtf8(c.typed));
        QTest::keyClick(frm->AntennaHTxt, Qt::Key_Return);
        EXPECT_EQ(messages, *c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{});
        EXPECT_EQ(frm->AntennaHTxt->text(), QString::fromUtf8(c.box));
        EXPECT_EQ(calls.last(), QStringLiteral("RecomputeSateliteCource %1").arg(QString::fromUtf8(c.box)));
    }
}

TEST_F(OrbitCountWindow, CountdownShows21To1AndHandsTheDemonstrationBackOnTick22)
{
    SetDemoMode(-1);
    Open();
    EXPECT_TRUE(frm->DemoTmr.isActive());
    EXPECT_EQ(frm->DemoTmr.interval(), 990);
    EXPECT_TRUE(frm->ResidentTimePnl->isVisible());
    EXPECT_TRUE(frm->OnDemoPnl->isVisible());
    QStringList shown;
    for (int tick = 1; tick <= 21; ++tick) {
        frm->DemoTmr_Timer();
        shown << frm->ResidentTimePnl->text();
    }
    QStringList expected;
    for (int n = 21; n >= 1; --n) expected << QString::number(n);
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(frm->isVisible());
    frm->DemoTmr_Timer();
    EXPECT_FALSE(frm->isVisible());
    EXPECT_TRUE(frm->unloaded());
    EXPECT_FALSE(frm->DemoTmr.isActive());
    EXPECT_EQ(calls, (QStringList{"LoadAlmanacDataBase", "HandDemonstrationBack 2"}));
    EXPECT_EQ(gDemoMode, -1);  // the demonstration goes on
}

TEST_F(OrbitCountWindow, ClosedByTheUserTheWindowEndsTheDemonstration)
{
    SetDemoMode(-1);
    Open();
    frm->DemoTmr_Timer();
    QTest::mouseClick(frm->CloseCmd, Qt::LeftButton);
    EXPECT_FALSE(frm->isVisible());
    EXPECT_FALSE(frm->DemoTmr.isActive());
    EXPECT_EQ(gDemoMode, 0);
    EXPECT_EQ(calls, (QStringList{"LoadAlmanacDataBase", "HideDemoPanels"}));
}

TEST_F(OrbitCountWindow, PrintsTheWindowAndACancelPrintsNothing)
{
    Open();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("window.pdf"));
    platform::SetPrinterChooser([](QPrinter&) { return false; });
    QTest::mouseClick(frm->PrintDisplayCmd, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(pdf));
    platform::SetPrinterChooser([&pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    QTest::mouseClick(frm->PrintDisplayCmd, Qt::LeftButton);
    platform::SetPrinterChooser({});
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
    EXPECT_TRUE(frm->isVisible());
}

TEST(ProgressWindow, ComputesTheWholeDayInPiecesMovingItsBarAndClosesItself)
{
    gProgressPause = 0.0;
    std::vector<std::pair<int, int>> pieces;
    std::vector<int> barSeen;
    ProgressFrm* progress = nullptr;
    ProgressFrm frm(nullptr, [&](int first, int last) {
        pieces.emplace_back(first, last);
        barSeen.push_back(progress->ProgressBar1->value());
    }, kLastTimeStep);
    progress = &frm;
    EXPECT_EQ(frm.windowTitle(), QStringLiteral("     GDOPの計算処理中です。"));
    EXPECT_EQ(frm.ProgressBar1->maximum(), kLastTimeStep);
    EXPECT_EQ(frm.exec(), QDialog::Accepted);  // returns without anyone closing it
    EXPECT_TRUE(frm.finished());
    ASSERT_FALSE(pieces.empty());
    EXPECT_EQ(pieces.front().first, 0);
    EXPECT_EQ(pieces.back().second, kLastTimeStep);
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        EXPECT_EQ(pieces[i].first, pieces[i - 1].second + 1);
        EXPECT_GT(barSeen[i], barSeen[i - 1]);  // the bar moves between the pieces
    }
    EXPECT_EQ(frm.ProgressBar1->value(), kLastTimeStep);
}

}  // namespace

namespace {

// A site walled in on every side: no satellite is visible at any step, so every bar is the box of
// height 0. The time axis below the chart covers the chart's bottom row; the boxes must be seen in
// the window as the user sees it, just above the axis.
TEST_F(OrbitCountWindow, StepsWithoutSatellitesAreSeenAboveTheTimeAxis)
{
    gCutElevation.fill(90.0f);
    orbit::CountVisibleSateInTime(0, kLastTimeStep);
    Open();
    ASSERT_EQ(frm->counts()[150], 0);
    const QImage window = frm->grab().toImage();
    const QRect chart = frm->VisPicture->geometry();
    const QRect axis = frm->TimeScalePic->geometry();
    ASSERT_LE(axis.top(), chart.bottom()) << "the layout lets the axis cover the chart's bottom";
    const int shownRow = axis.top() - 1;
    for (int k : {120, 150, 200}) {
        SCOPED_TRACE(k);
        const double w = skyview::StepWidth(gStartTimeStep, gEndTimeStep);
        const int x = chart.left() + frm->VisPicture->toPixel({w * (k - gStartTimeStep + 0.5), 0.0}).toPoint().x();
        EXPECT_EQ(QColor(window.pixel(x, shownRow)), skyview::kBarRed);
        EXPECT_EQ(QColor(window.pixel(x, shownRow - 1)), QColor(Qt::white)) << "one row, the box of height 0";
    }
}

}  // namespace
