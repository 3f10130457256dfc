// The building-input demonstration window played offscreen: the intro, the script driven by its
// timer at test speed and tick by tick, what the picture shows at each stage, the hand-over to a
// faked main window, closing early, and the hidden developer writer.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "common/FakeMainWindowPort.h"
#include "demo/DemoTiming.h"
#include "demo/InputDemoLineFrm.h"
#include "photoinput/PhotoModel.h"
#include "planview/PlanView.h"
#include "platform/MessageBox.h"
#include "platform/PictureSurface.h"
#include "site/MapView.h"
#include "site/RunState.h"
#include "site/TopAreaModel.h"

namespace {

// Ticks of each step of demonstration 1: 2, 5, 37, 20, 5, 5, 5 plus 2 each.
constexpr int kDemo1StepTicks[] = {4, 7, 39, 22, 7, 7, 7};

struct InputDemoFixture : ::testing::Test {
    testutil::FakeMainWindowPort port;
    QPointer<InputDemoLineFrm> w;

    void SetUp() override
    {
        gDemoTimeScale = 0.0;
        SetDemoMode(-1);
        ClearTopAreaModel();
        SetMapScaleIndex(10);
    }
    void TearDown() override
    {
        if (w) w->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gDemoTimeScale = 1.0;
        SetDemoMode(0);
        platform::SetMessageAnswerer({});
    }

    void open(int demoNumber)
    {
        SetDemoNumber(demoNumber);
        w = new InputDemoLineFrm(nullptr, &port);
        w->show();
    }
    // "次へ", then the timer is taken over by the test: each tick is one call.
    void startByHand(int demoNumber)
    {
        open(demoNumber);
        QTest::mouseClick(w->NextCmd, Qt::LeftButton);
        w->ResidentTmr.stop();
        w->Resident2Tmr.stop();
    }
    void ticks(int count)
    {
        for (int i = 0; i < count && w && !w->unloaded(); ++i) w->ResidentTmr_Timer();
    }
    QColor pixel(QPointF user) const { return w->PhotoPic->pointColor(user); }
};

}  // namespace

TEST_F(InputDemoFixture, WholeScriptAtTestSpeedHandsTheBuildingsOver)
{
    struct Row {
        int demo;
        int roofs;
        int points;
    };
    for (const Row row : {Row{1, 6, 37}, Row{2, 7, 99}}) {
        SCOPED_TRACE(row.demo);
        port.calls.clear();
        SetDemoMode(-1);
        SetMapScaleIndex(10);
        open(row.demo);
        ASSERT_TRUE(w->StartPnl->isVisible());
        QTest::mouseClick(w->NextCmd, Qt::LeftButton);
        EXPECT_FALSE(w->StartPnl->isVisible());
        EXPECT_EQ(w->OnDemoPnl->text(), row.demo == 1 ? QStringLiteral("デモ-1") : QStringLiteral("デモ-2"));
        QTRY_VERIFY_WITH_TIMEOUT(w.isNull() || w->unloaded(), 20000);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(w.isNull());
        EXPECT_EQ(port.calls, (QStringList{"ShowInputBillTopArea -1", "HandDemonstrationBack 0"}));
        EXPECT_EQ(gEachTopAreaNumber, row.roofs);
        EXPECT_EQ(gTopAreaPointTotalNumber, row.points);
        EXPECT_EQ(gMapScaleIndex, 24);
        EXPECT_FLOAT_EQ(gMapScaleRate, gMapScaleRateTable[24]);
        EXPECT_EQ(gFlatScaleIndex, 34);
        EXPECT_EQ(gDemoMode, -1);  // the main demonstration goes on
    }
}

TEST_F(InputDemoFixture, IntroPanelOfEachDemonstration)
{
    open(2);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("InputLine"));
    EXPECT_EQ(w->MssagwPnl[0]->text(), QStringLiteral("このデモはデモー１同様にGPS衛星の電波受信状況を"));
    EXPECT_FALSE(w->MessagePnl->isVisible());
    // Outside a demonstration the window shows no intro.
    w->close();
    SetDemoMode(0);
    open(1);
    EXPECT_FALSE(w->StartPnl->isVisible());
}

TEST_F(InputDemoFixture, StepsOfDemonstrationOneOnThePicture)
{
    startByHand(1);
    ticks(1);
    EXPECT_EQ(w->MessagePnl->text(), QStringLiteral("最初に３D画像を読み込みます。"));
    EXPECT_EQ(w->ResidentTimePnl->text(), "2");
    EXPECT_TRUE(w->TopMenuPnl->isVisible());
    ticks(kDemo1StepTicks[0] - 1 + 1);  // step 1's first tick
    EXPECT_FALSE(w->TopMenuPnl->isVisible());
    EXPECT_TRUE(w->ArrowPnl->isVisible());
    EXPECT_EQ(w->VerHeightmTxt->text(), "598");
    EXPECT_EQ(w->IncliHeightmTxt->text(), "127");
    EXPECT_EQ(w->PhotoPic->width(), 788);
    ticks(3);
    EXPECT_FALSE(w->FocusPnl->isVisible());
    ticks(1);  // the fifth tick of step 1
    EXPECT_TRUE(w->FocusPnl->isVisible());
    EXPECT_EQ(w->FocusPnl->text(), QStringLiteral("必ずこの時、画像の高度を入力してください。"));

    ticks(kDemo1StepTicks[1] - 5 + 1);  // step 2's first tick: the data set, the first roof point
    EXPECT_EQ(w->IncliHeightmTxt->text(), "102");
    EXPECT_EQ(w->AzimusTxt->text(), "0");
    EXPECT_TRUE(w->TopLinePen->isVisible());
    EXPECT_EQ(w->TopLinePen->pos(), w->PhotoPic->toPixel(QPointF(110, 4)).toPoint());
    ticks(kDemo1StepTicks[2] - 1);  // to the end of step 2: every roof drawn over the photo
    EXPECT_FALSE(w->TopLinePen->isVisible());
    EXPECT_EQ(pixel(QPointF(110.5, -29)), kDemoRoofColor);
    ticks(kDemo1StepTicks[3]);  // step 3: the wall edges
    EXPECT_EQ(pixel(QPointF(102, -104)), kDemoWallColor);
    ticks(1);  // step 4: the lines on the emptied picture
    EXPECT_EQ(pixel(QPointF(0, 0)), QColor(Qt::white));
    EXPECT_EQ(pixel(QPointF(110.5, -29)), kDemoRoofColor);
    EXPECT_FALSE(w->WallLinePen->isVisible());
    ticks(kDemo1StepTicks[4]);  // step 5: the plan with the north mark
    EXPECT_EQ(pixel(QPointF(-330, 200)), kDemoNorthColor);
    EXPECT_TRUE(port.calls.isEmpty());
}

TEST_F(InputDemoFixture, DetectionOfDemonstrationTwoShowsPointerThenBusyMark)
{
    startByHand(2);
    ticks(4 + 7);  // steps 0 and 1
    ticks(1);      // step 2's first tick: the pointer over roof 0's click point (150, 113)
    EXPECT_TRUE(w->BillTopPen->isVisible());
    EXPECT_EQ(w->BillTopPen->pos(), w->PhotoPic->toPixel(QPointF(150, 123)).toPoint());
    EXPECT_EQ(w->IncliHeightmTxt->text(), "134");
    EXPECT_EQ(w->VerHeightmTxt->text(), "589");
    ticks(2);
    EXPECT_FALSE(w->BillTopPen->isVisible());
    EXPECT_TRUE(w->BusyImg->isVisible());
    ticks(2);  // roof 0 found: its outline on the photo
    EXPECT_FALSE(w->BusyImg->isVisible());
    EXPECT_EQ(pixel(QPointF(83, 121)), kDemoRoofColor);  // its first edge (83, 116)-(83, 127)
    EXPECT_EQ(w->drawing().bills().pEachTopAreaNumber, 1);
    // Step 3 shows only its note beside the resting wall pen.
    ticks(38 - 5 + 1);
    ticks(4);
    EXPECT_FALSE(w->MessagePnl->isVisible());
    EXPECT_TRUE(w->FocusPnl->isVisible());
    EXPECT_TRUE(w->WallLinePen->isVisible());
    // The resting pen stands beside the note, not under another panel.
    EXPECT_FALSE(w->WallLinePen->geometry().intersects(w->FocusPnl->geometry()));
    EXPECT_FALSE(w->WallLinePen->geometry().intersects(w->ResidentTimePnl->geometry()));
    EXPECT_TRUE(w->PhotoPic->rect().contains(w->WallLinePen->geometry()));
}

TEST_F(InputDemoFixture, ClosingTickStopsEverythingAndTheWindowGoesLater)
{
    startByHand(1);
    ticks(92);
    ASSERT_TRUE(w->engine().reachedLastStep());
    EXPECT_EQ(w->ResidentTimePnl->text(), "0");
    w->ResidentTmr.start(1000);
    w->ResidentTmr_Timer();  // the 93rd tick closes
    ASSERT_FALSE(w.isNull());  // deleted later, not inside its own tick
    EXPECT_TRUE(w->unloaded());
    EXPECT_FALSE(w->ResidentTmr.isActive());
    EXPECT_FALSE(w->Resident2Tmr.isActive());
    EXPECT_EQ(w->ResidentTimePnl->text(), "0");
    EXPECT_EQ(port.calls, (QStringList{"ShowInputBillTopArea -1", "HandDemonstrationBack 0"}));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
}

TEST_F(InputDemoFixture, ClosingBeforeTheLastStepHandsNothingOver)
{
    struct Row {
        const char* name;
        int ticks;
        bool closeBox;
    };
    // Step 6 starts on tick 86; the close box never hands over.
    for (const Row row : {Row{"intro", 0, false}, Row{"step 2", 20, false}, Row{"step 5, one tick before 6", 85, false},
                          Row{"close box in step 6", 87, true}}) {
        SCOPED_TRACE(row.name);
        port.calls.clear();
        ClearTopAreaModel();
        SetDemoMode(-1);
        SetMapScaleIndex(10);
        startByHand(1);
        ticks(row.ticks);
        if (row.closeBox) {
            w->close();
        } else {
            QTest::mouseClick(w->CloseCmd, Qt::LeftButton);
        }
        EXPECT_TRUE(w->unloaded());
        EXPECT_TRUE(port.calls.isEmpty());
        EXPECT_EQ(gEachTopAreaNumber, 0);
        EXPECT_EQ(gMapScaleIndex, 10);
        EXPECT_EQ(gDemoMode, 0);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(InputDemoFixture, CloseButtonInStepSixHandsOverAtOnce)
{
    startByHand(2);
    ticks(81);
    ASSERT_TRUE(w->engine().reachedLastStep());
    QTest::mouseClick(w->CloseCmd, Qt::LeftButton);
    EXPECT_EQ(port.calls, (QStringList{"ShowInputBillTopArea -1", "HandDemonstrationBack 0"}));
    EXPECT_EQ(gEachTopAreaNumber, 7);
    EXPECT_EQ(gMapScaleIndex, 24);
    EXPECT_EQ(gDemoMode, -1);
}

TEST_F(InputDemoFixture, CancelEndsTheDemonstration)
{
    open(1);
    QTest::mouseClick(w->CancelCmd, Qt::LeftButton);
    EXPECT_TRUE(w->unloaded());
    EXPECT_EQ(gDemoMode, 0);
    EXPECT_TRUE(port.calls.isEmpty());
}

TEST_F(InputDemoFixture, PictureButtonsDuringTheScript)
{
    startByHand(1);
    ticks(4 + 7 + 10);  // roofs being drawn on the photo
    const QColor photo = pixel(QPointF(0, 0));
    ASSERT_NE(photo, QColor(Qt::white));
    QTest::mouseClick(w->ClearPhotoCmd, Qt::LeftButton);
    QTest::mouseClick(w->InputModeRbn[2], Qt::LeftButton, {}, QPoint(8, 11));
    EXPECT_EQ(pixel(QPointF(0, 0)), photo);
    QTest::mouseClick(w->ResetDataCmd, Qt::LeftButton);
    EXPECT_EQ(pixel(QPointF(0, 0)), QColor(Qt::white));
    EXPECT_EQ(pixel(QPointF(110.5, -29)), QColor(Qt::white));
    // The plan-view button empties the picture too and swaps the enabled tools.
    QTest::mouseClick(w->SlopeOrFlatRbn[1], Qt::LeftButton, {}, QPoint(8, 11));
    EXPECT_TRUE(w->InputModeRbn[1]->isEnabled());
    EXPECT_FALSE(w->InputModeRbn[2]->isEnabled());
}

TEST_F(InputDemoFixture, DeveloperButtonWritesTheSampleFileOrSaysItCannot)
{
    QTemporaryDir dir;
    SetStartDir(dir.path());
    QStringList shown;
    platform::SetMessageAnswerer([&shown](const QString& text, platform::MessageButtons) {
        shown << text;
        return platform::MessageAnswer::Ok;
    });
    startByHand(1);
    ticks(4 + 7 + 1);  // the data set and its camera values are loaded
    ResetAllDataBuildingData();
    EXPECT_FALSE(w->SaveDemoCmd->isVisible());

    w->SaveDemoCmd->click();  // no Sample1 folder
    ASSERT_EQ(shown.size(), 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("Sample1/LineData10.dat")));

    ASSERT_TRUE(QDir(dir.path()).mkdir("Sample1"));
    w->SaveDemoCmd->click();
    EXPECT_EQ(shown.size(), 1);
    QFile file(dir.filePath("Sample1/LineData10.dat"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
    // The empty model, the picture's centred scale and the data set's camera and plan scale.
    EXPECT_EQ(lines, (QStringList{"0", "-678,-394,339", "6,6", "126.9125,102,36.51477", "0", "0", "0", "4", "0"}));
}
