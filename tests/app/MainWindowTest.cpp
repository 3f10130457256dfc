#include <functional>

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QWindow>
#include <QToolButton>

#include "MainWindowFixture.h"
#include "app/ExplanationFrms.h"
#include "app/LonLatJapanFrm.h"
#include "app/ManualFrm.h"
#include "app/AreaJudgementRun.h"
#include "app/SiteMapEditor.h"
#include "orbit/Almanac4Frm.h"
#include "skyview/DispCumpuSateliteObitFrm.h"
#include "skyview/DispHeavenGPSFrm.h"
#include "site/RunState.h"
#include "site/MapView.h"
#include "site/TopAreaModel.h"
#include "orbit/ObservationConditions.h"
#include "platform/CalendarPopup.h"
#include "platform/PictureSurface.h"

namespace {

// The load must leave the conditions and the window as a new user is meant to find them,
// whatever a previous window (or test) left in the program-wide state.
using MainWindowLoad = MessageRecordingTest;

TEST_F(MainWindowLoad, LeavesTheStartUpState)
{
    SetLatitude(35.5f);
    SetLongitude(139.75f);
    SetStartTimeStep(3);
    SetEndTimeStep(7);
    SetElevationMask(25.0f);
    SetStartUpState(0);
    SetDemoMode(-1);
    SetPhotoClickMode(2);
    SetBillDataSTS(-1);
    SetMapOffset(30.0f, gMapOffsetY);

    MainWorkingFrm* frm = MainWorkingFrm::instance();
    frm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm));

    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("GPS衛星軌道予測/"));
    EXPECT_EQ(frm->StartTimeCmb->count(), 289);
    EXPECT_EQ(frm->StartTimeCmb->itemText(288), QStringLiteral("24:00"));
    EXPECT_EQ(frm->StartTimeCmb->currentText(), QStringLiteral("08:00"));
    EXPECT_EQ(frm->EndTimeCmb->currentText(), QStringLiteral("18:00"));
    EXPECT_EQ(gStartTimeStep, 96);
    EXPECT_EQ(gEndTimeStep, 216);
    EXPECT_EQ(frm->ElevationCmb->count(), 31);
    EXPECT_EQ(frm->ElevationCmb->currentText(), QStringLiteral("10"));
    EXPECT_EQ(gElevationMask, 10.0f);
    EXPECT_EQ(frm->DateLbl->text(), today);
    EXPECT_EQ(QString::fromStdString(gComputeDate), today);
    EXPECT_EQ(frm->LatDataTxt->text(), QStringLiteral("35.5"));
    EXPECT_EQ(frm->LonDataTxt->text(), QStringLiteral("139.75"));
    // Box and variable start at the same antenna height.
    EXPECT_EQ(frm->AntennaHTxt->text(), QStringLiteral("1.5"));
    EXPECT_EQ(gAntennaHeight, 1.5f);
    // No almanac database in the test folder: the built-in almanac of week 402 is in use.
    EXPECT_EQ(frm->AlmanacDataLbl->text(), QStringLiteral("Yuma402.txt"));
    EXPECT_EQ(gStartDir, QDir::currentPath());
    EXPECT_EQ(gStartUpState, -1);
    EXPECT_EQ(gSettingReserve, 10);
    EXPECT_EQ(gDemoMode, 0);
    EXPECT_EQ(gPhotoClickMode, 0);
    EXPECT_EQ(gBillDataSTS, 0);
    EXPECT_EQ(gMapOffsetX, 0.0f);
    EXPECT_TRUE(frm->firstActivationDone());
    EXPECT_EQ(frm->activeBuilding(), -1);
    EXPECT_EQ(frm->editor().editMode(), -1);
    EXPECT_EQ(frm->changeCount(), 0);
    EXPECT_EQ(frm->sampleLoaded(), 0);
    EXPECT_EQ(frm->projectFileName(), QStringLiteral("Project1.dat"));
    EXPECT_EQ(frm->dataFileName()[1], QStringLiteral("AreaBillData1.dat"));
    EXPECT_EQ(frm->dataFileName()[0], QStringLiteral("*.dat"));
    EXPECT_FALSE(frm->DaybrookPicker1->isVisible());
    EXPECT_EQ(frm->DaybrookPicker1->pos(), QPoint(750, 50));
    EXPECT_FALSE(frm->DeleteBuildingMenu->isEnabled());
    EXPECT_TRUE(frm->SkyPlotGPSMenu->isEnabled());
    for (QWidget* panel : {static_cast<QWidget*>(frm->MessagePnl), static_cast<QWidget*>(frm->OnDemoPnl),
                           static_cast<QWidget*>(frm->Message2Pnl), static_cast<QWidget*>(frm->MouseIconPnl),
                           static_cast<QWidget*>(frm->FixDataSTSPnl), static_cast<QWidget*>(frm->GPSPoinrImg),
                           static_cast<QWidget*>(frm->PopupMenuPnl[0]), static_cast<QWidget*>(frm->PopupMenuPnl[2])}) {
        EXPECT_FALSE(panel->isVisible()) << panel->objectName().toStdString();
    }
    // The map keeps its laid-out size; its units are pixels with y upwards and the origin
    // 50 units left of the centre.
    EXPECT_EQ(frm->PhotoFrame->size(), QSize(876, 682));
    const double w = frm->PhotoPic->width();
    const double h = frm->PhotoPic->height();
    EXPECT_DOUBLE_EQ(frm->PhotoPic->scaleLeft(), 50.0 - w / 2.0);
    EXPECT_DOUBLE_EQ(frm->PhotoPic->scaleTop(), h / 2.0);
    EXPECT_DOUBLE_EQ(frm->PhotoPic->scaleHeight(), -h);
    // Frames of 720 x 600 units around the origin fit on the map.
    EXPECT_GE(frm->PhotoPic->scaleLeft(), -w);
    EXPECT_LE(frm->PhotoPic->scaleLeft(), -360.0);
    EXPECT_GE(h / 2.0, 300.0);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(MainWindowLoad, PositionBoxesTakeAnyTextWhileLoading)
{
    SetLatitude(95.0f);
    SetLongitude(200.0f);
    MainWorkingFrm* frm = MainWorkingFrm::instance();
    EXPECT_EQ(frm->LatDataTxt->text(), QStringLiteral("95"));
    EXPECT_EQ(frm->LonDataTxt->text(), QStringLiteral("200"));
    EXPECT_TRUE(messages.isEmpty());
    SetLatitude(0.0f);
    SetLongitude(0.0f);
}

// The two reset commands: what both do, and what only "全て消去" does.
TEST_F(MainWindowTest, ResetCommandsEmptyTheModelAndResetTheView)
{
    struct Case {
        const char* name;
        bool allClear;  // "全て消去" (else "新規(&N)")
    };
    for (const Case& c : {Case{"InitializeDataCmd", true}, Case{"TheNewProjectMenu", false}}) {
        SCOPED_TRACE(c.name);
        SetLatitude(35.0f);
        frm->LatDataTxt->setText(QStringLiteral("12"));  // typed, never used for a computation
        frm->AntennaHTxt->setText(QStringLiteral("7"));
        frm->StartTimeCmb->setCurrentIndex(100);
        frm->ElevationCmb->setCurrentIndex(20);
        frm->ClickPicRbn[2]->click();
        frm->FixDataSTSPnl->show();
        frm->DeleteBuildingMenu->setEnabled(true);
        frm->PhotoPic->setDrawMode(PictureSurface::DrawMode::Xor);
        frm->setWindowTitle(QStringLiteral("GPS衛星軌道予測/site.dat"));
        const TopAreaRun runs[] = {{0, 5, 1, 0.0f}, {5, 5, 1, 0.0f}, {10, 5, 1, 0.0f}};
        ASSERT_EQ(ReplaceTopAreaModel(runs, 15), TopAreaEdit::Done);
        SetDemoMode(-1);
        SetBillDataSTS(-1);
        SetProjectReserves(4, gProjectReserve2);
        SetMapOffset(40.0f, -8.0f);
        frm->setActiveBuilding(2);
        frm->setChangeCount(4);
        frm->setSampleLoaded(-1);
        frm->setProjectFileName(QStringLiteral("site.dat"));
        frm->judgement().setResultMapShown(true, true);

        // Unsaved edits: the question comes first; No drops them.
        messages.clear();
        answer = platform::MessageAnswer::No;
        if (c.allClear) {
            QTest::mouseClick(frm->InitializeDataCmd, Qt::LeftButton);
        } else {
            frm->TheNewProjectMenu->trigger();
        }
        EXPECT_EQ(messages, QStringList{QStringLiteral("変更を保存しますか？")});

        EXPECT_EQ(gEachTopAreaNumber, 0);
        EXPECT_EQ(gTopAreaPointTotalNumber, 0);
        EXPECT_EQ(frm->windowTitle(), QStringLiteral("GPS衛星軌道予測/"));
        EXPECT_EQ(frm->activeBuilding(), -1);
        EXPECT_EQ(frm->changeCount(), 0);
        EXPECT_EQ(frm->sampleLoaded(), 0);
        EXPECT_EQ(frm->projectFileName(), QStringLiteral("Project1.dat"));
        EXPECT_EQ(frm->dataFileName()[1], QStringLiteral("AreaBillData1.dat"));
        EXPECT_FALSE(frm->judgement().countMapShown());
        EXPECT_FALSE(frm->judgement().probabilityMapShown());
        EXPECT_EQ(gDemoMode, 0);
        EXPECT_EQ(gBillDataSTS, 0);
        EXPECT_EQ(gProjectReserve1, 0);
        EXPECT_EQ(gMapOffsetX, 0.0f);
        EXPECT_EQ(gMapOffsetY, 0.0f);
        EXPECT_EQ(gMapScaleIndex, 20);
        // The position last used goes back into the box before the conditions are read again.
        EXPECT_EQ(frm->LatDataTxt->text(), QStringLiteral("35"));
        EXPECT_EQ(gLatitude, 35.0f);
        EXPECT_EQ(frm->ElevationCmb->currentIndex(), 10);
        EXPECT_EQ(gElevationMask, 10.0f);
        // Antenna height and time window are left as the user set them, and read.
        EXPECT_EQ(gAntennaHeight, 7.0f);
        EXPECT_EQ(gStartTimeStep, 100);

        EXPECT_EQ(frm->ClickPicRbn[2]->isChecked(), !c.allClear);
        EXPECT_EQ(frm->editor().editMode(), c.allClear ? -1 : 2);
        EXPECT_EQ(frm->FixDataSTSPnl->isVisible(), !c.allClear);
        EXPECT_EQ(frm->DeleteBuildingMenu->isEnabled(), !c.allClear);
        EXPECT_EQ(frm->PhotoPic->drawMode() == PictureSurface::DrawMode::Copy, c.allClear);
        frm->ClickPicRbn[2]->setChecked(false);
    }
}

// Closing asks to save only when there are edits and no sample was loaded.
TEST_F(MainWindowTest, DemonstrationIsHandedBackThroughThePort)
{
    MainWindowPort& port = *frm;
    port.ShowDemoClickHint(true);
    EXPECT_TRUE(frm->Message2Pnl->isVisible());
    EXPECT_TRUE(frm->MouseIconPnl->isVisible());
    port.ShowDemoClickHint(false);
    EXPECT_FALSE(frm->Message2Pnl->isVisible());
    EXPECT_FALSE(frm->MouseIconPnl->isVisible());

    frm->MessagePnl->show();
    frm->OnDemoPnl->show();
    frm->PopupMenuPnl[1]->show();
    port.HideDemoPanels();
    EXPECT_FALSE(frm->MessagePnl->isVisible());
    EXPECT_FALSE(frm->OnDemoPnl->isVisible());
    EXPECT_FALSE(frm->PopupMenuPnl[1]->isVisible());

    port.HandDemonstrationBack(2);
    EXPECT_EQ(frm->demoStep(), 2);
    EXPECT_TRUE(frm->DemoTmr.isActive());
    EXPECT_EQ(frm->DemoTmr.interval(), 1000);
    frm->DemoTmr.stop();
}

TEST_F(MainWindowTest, CloseRequestAsksToSaveOnlyAfterEdits)
{
    struct Case {
        const char* name;
        int sampleLoaded;
        int changeCount;
        platform::MessageAnswer answer;
        bool asks;
        bool closes;
    };
    const Case cases[] = {
        {"no edits", 0, 0, platform::MessageAnswer::Yes, false, true},
        // The sample can be saved under a name of its own, so its edits are asked about too.
        {"sample loaded and edited", -1, 5, platform::MessageAnswer::Yes, true, false},
        {"edited, save", 0, 1, platform::MessageAnswer::Yes, true, false},
        {"edited, do not save", 0, 1, platform::MessageAnswer::No, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        delete MainWorkingFrm::existing();
        frm = MainWorkingFrm::instance();
        messages.clear();
        frm->setSampleLoaded(c.sampleLoaded);
        frm->setChangeCount(c.changeCount);
        answer = c.answer;
        QCloseEvent event;
        QApplication::sendEvent(frm, &event);
        EXPECT_EQ(messages, c.asks ? QStringList{QStringLiteral("変更を保存しますか？")} : QStringList{});
        EXPECT_EQ(event.isAccepted(), c.closes);
        if (!c.closes) {
            // Saving does not clear the change count, so the next close asks again.
            QCloseEvent again;
            QApplication::sendEvent(frm, &again);
            EXPECT_EQ(messages.size(), 2);
        }
    }
}

}  // namespace

namespace {

// Every window the main window opens is owned by it, also for the window manager (a dialog-type
// window with the main window as transient parent, kept above it), and opens with its top-left
// corner on the screen; opening it again brings the same window to the front.
TEST_F(MainWindowTest, EveryWindowItOpensIsOwnedByItAndOpensOnTheScreen)
{
    struct Case {
        const char* name;
        std::function<void()> open;
        std::function<QWidget*()> window;
    };
    const Case cases[] = {
        {"orbit view", [this] { frm->SkyPlotGPSMenu->trigger(); }, [this] { return static_cast<QWidget*>(frm->DispCumpuSateliteObit()); }},
        {"sky view",
         [this] {
             gSkyViewOpenWait = 0.0;
             frm->DispHeavenGPSMenu->trigger();
             gSkyViewOpenWait = 1.0;
         },
         [this] { return static_cast<QWidget*>(frm->DispHeavenGPS()); }},
        {"almanac import", [this] { QTest::mouseClick(frm->SetAlmanacCmd, Qt::LeftButton); },
         [this] { return static_cast<QWidget*>(frm->almanac4Frm()); }},
        {"manual", [this] { frm->HelpMenu->trigger(); }, [this] { return static_cast<QWidget*>(frm->findChild<Manual3Frm*>()); }},
        {"position picker", [this] { QTest::mouseClick(frm->DispLonLatRbn, Qt::LeftButton); },
         [this] { return static_cast<QWidget*>(frm->findChild<LonLatJapanFrm*>()); }},
        {"antenna explanation", [this] { QTest::mouseClick(frm->AntennaCmd, Qt::LeftButton); },
         [this] { return static_cast<QWidget*>(frm->findChild<AntennaHeightFrm*>()); }},
    };
    const QRect screen = frm->screen()->availableGeometry();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.open();
        QWidget* window = c.window();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->parentWidget(), frm);
        EXPECT_EQ(window->windowType(), Qt::Dialog);
        ASSERT_NE(window->windowHandle(), nullptr);
        EXPECT_EQ(window->windowHandle()->transientParent(), frm->windowHandle());
        EXPECT_TRUE(screen.contains(window->frameGeometry().topLeft()));

        frm->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frm));
        c.open();
        EXPECT_EQ(c.window(), window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        window->close();
    }
}

// On a screen smaller than the main window the window fits onto the screen and its fixed layout
// scrolls: the control farthest right and down can be scrolled into view at its full size.
TEST_F(MainWindowTest, OnASmallScreenEveryControlCanBeScrolledTo)
{
    const QRect screen = frm->screen()->availableGeometry();
    ASSERT_LT(screen.height(), 804) << "the offscreen screen is expected to be smaller than the window";
    EXPECT_TRUE(screen.contains(frm->frameGeometry()));
    auto* scroll = qobject_cast<QScrollArea*>(frm->centralWidget());
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(frm->PhotoFrame->size(), QSize(876, 682));  // not rescaled
    for (QWidget* control : {static_cast<QWidget*>(frm->SaveDisplayPicCmd), static_cast<QWidget*>(frm->CarStatusPic)}) {
        scroll->ensureWidgetVisible(control, 0, 0);
        const QRect inView(control->mapTo(scroll->viewport(), QPoint(0, 0)), control->size());
        EXPECT_TRUE(scroll->viewport()->rect().contains(inView)) << control->objectName().toStdString();
    }
}

}  // namespace
