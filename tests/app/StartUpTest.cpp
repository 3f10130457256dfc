#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include "site/RunState.h"
#include "app/MainWorkingFrm.h"
#include "app/StartUpFrm.h"
#include "common/TestUtils.h"

TEST(StartUp, SplashHandsOverToTheMainWindowOnTheSeventhTick)
{
    SetStartUpState(0);
    QPointer<StartUpFrm> splash = new StartUpFrm();
    splash->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
    EXPECT_EQ(splash->windowTitle(), QStringLiteral("Form1"));
    EXPECT_EQ(splash->VersionLbl->text(), QStringLiteral("Ver.2.1"));
    EXPECT_TRUE(splash->Timer1.isActive());
    EXPECT_EQ(splash->Timer1.interval(), 400);

    for (int tick = 1; tick <= 6; ++tick) {
        splash->Timer1_Timer();
        EXPECT_EQ(MainWorkingFrm::existing(), nullptr) << "main window shown after tick " << tick;
    }
    splash->Timer1_Timer();
    QApplication::processEvents();  // lets the deferred delete of the closed splash run
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    ASSERT_NE(MainWorkingFrm::existing(), nullptr);
    EXPECT_TRUE(MainWorkingFrm::existing()->isVisible());
    EXPECT_EQ(MainWorkingFrm::existing()->windowTitle(), QStringLiteral("GPS衛星軌道予測/"));
    EXPECT_TRUE(splash.isNull());
    EXPECT_EQ(gStartUpState, -1);
    delete MainWorkingFrm::existing();
}

TEST(StartUp, RealTimerClosesTheSplashAfterAboutTwoPointEightSeconds)
{
    SetStartUpState(0);
    QPointer<StartUpFrm> splash = new StartUpFrm();
    splash->show();
    QTest::qWait(2000);
    EXPECT_FALSE(splash.isNull());
    EXPECT_EQ(MainWorkingFrm::existing(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([] { return MainWorkingFrm::existing() != nullptr; }, 3000));
    delete MainWorkingFrm::existing();
}

TEST(MainMenus, BarCaptionsInOrderWithTheEditMenuHidden)
{
    SetStartUpState(-1);
    MainWorkingFrm* frm = MainWorkingFrm::instance();
    QStringList visible;
    for (QAction* action : frm->menuBar()->actions()) {
        if (action->isVisible()) {
            visible << action->text();
        }
    }
    EXPECT_EQ(visible, (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("３D画像取り扱い(&A)"),
                                    QStringLiteral("GPS(&G)"), QStringLiteral("クリア(&C)"),
                                    QStringLiteral("デモ(&D)"), QStringLiteral("ヘルプ(&H)")}));
    EXPECT_FALSE(frm->EditDataMenu->menuAction()->isVisible());
    EXPECT_EQ(frm->SaveProjectMenu->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(frm->DeleteBuildingMenu->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    EXPECT_FALSE(frm->ChangeLevelMenu->menuAction()->isVisible());

    QStringList fileItems;
    for (QAction* action : frm->FileHandleMenu->actions()) {
        fileItems << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(fileItems, (QStringList{QStringLiteral("新規(&N)"), "-", QStringLiteral("開く(&O)"), "-",
                                      QStringLiteral("保存(&S)"), "-", QStringLiteral("サンプルの読込み(&D)"), "-"}));

    // Every separator line shows, leading, trailing and doubled ones included: it takes room in
    // its menu (a folded one has none).
    for (QMenu* menu : {frm->FileHandleMenu, frm->OpenProjectMenu, frm->StartGPSMenu, frm->EditingDataMenu, frm->LineDrawMenu,
                        frm->MeasureDistMenu}) {
        SCOPED_TRACE(menu->objectName().toStdString());
        int separators = 0;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator() && action->isVisible()) {
                ++separators;
                EXPECT_GT(menu->actionGeometry(action).height(), 0) << menu->actions().indexOf(action);
            }
        }
        EXPECT_GT(separators, 0);
    }
    delete frm;
}
