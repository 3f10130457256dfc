#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QListWidget>
#include <QMenu>


#include "SkyCommandsFixture.h"
#include "site/RunState.h"
#include "site/MapView.h"
#include "site/SiteFiles.h"
#include "judge/Skyline.h"
#include "orbit/AlmanacTable.h"
#include "orbit/GpsTime.h"
#include "orbit/OrbitEngine.h"
#include "orbit/ObservationConditions.h"
#include "orbit/VisibleSatellites.h"
#include "orbit/YumaAlmanac.h"
#include "platform/PictureSurface.h"
#include "skyview/DispCumpuSateliteObitFrm.h"
#include "skyview/DispHeavenGPSFrm.h"
#include "skyview/ProgressFrm.h"
#include "skyview/SkyAndSateNumFrm.h"
#include "judge/Meshes.h"

namespace {

TEST_F(SkyCommands, OrbitCommandShowsThePlotWithTheSkylineAtTheGridOriginAndTakesClicks)
{
    SetMapRotateAngle(0.0f);
    frm->SkyPlotGPSMenu->trigger();
    DispCumpuSateliteObitFrm* view = frm->DispCumpuSateliteObit();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    EXPECT_EQ(gPhotoClickMode, 1);
    EXPECT_EQ(gAlmanacName, "Yuma149.txt");
    EXPECT_EQ(view->AlmanacDataLbl->text(), QStringLiteral("Yuma149.txt"));
    EXPECT_EQ(view->DateDataLbl->text(), QStringLiteral("2022/02/18"));
    EXPECT_EQ(view->LatDataLbl->text(), QStringLiteral("35.681度"));

    // The sample's buildings stand 20 to 60 m around the site: the skyline rises in every quarter.
    for (int d : {45, 135, 225, 315}) {
        EXPECT_GT(gCutElevation[d], 15.0f) << "direction " << d;
    }
    // The plot shows that skyline and the count of the one visibility rule at 08:00.
    const QPointF north = skyview::PlotPoint({}, 90, gCutElevation[90]);
    EXPECT_EQ(view->DispPic->pointColor(north), skyview::kSkylineColor);
    orbit::CountVisibleSateInTime(96, 96);
    EXPECT_EQ(view->SateNumLbl->text(), skyview::SateCountText(gVisibleSateNum[96]));
    EXPECT_GT(gVisibleSateNum[96], 0);
    int hidden = 0;
    for (const auto& m : view->shownPositions().marks) {
        hidden += m.state == skyview::SkyState::Hidden;
    }
    EXPECT_GT(hidden, 0);

    // A click on the site map on the open ground 60 m south of the site (picture (0, -240) at
    // scale 4) moves the skyline: the view redraws with it, and with the count under it.
    const float before = gCutElevation[45];
    const QPoint south = frm->PhotoPic->toPixel(QPointF(0.0, -240.0)).toPoint();
    QTest::mouseClick(frm->PhotoPic, Qt::LeftButton, Qt::NoModifier, south);
    EXPECT_EQ(gPhotoClickMode, 1);  // the orbit view keeps the clicks while it is open
    EXPECT_LT(gCutElevation[45], before);
    orbit::CountVisibleSateInTime(96, 96);
    EXPECT_EQ(view->SateNumLbl->text(), skyview::SateCountText(gVisibleSateNum[96]));
    EXPECT_EQ(view->DispPic->pointColor(skyview::PlotPoint({}, 45, gCutElevation[45])), skyview::kSkylineColor);

    // The close button turns the main map back north-up and gives the clicks back.
    frm->MoveImgCmd_Click(4);
    ASSERT_EQ(gMapRotateAngle, 10.0f);
    QTest::mouseClick(view->CloseCmd, Qt::LeftButton);
    EXPECT_EQ(gPhotoClickMode, 0);
    EXPECT_EQ(gMapRotateAngle, 0.0f);
}

TEST_F(SkyCommands, ClosingWithTheCloseBoxGivesTheClicksBackAndLeavesTheMapTurned)
{
    frm->SkyPlotGPSMenu->trigger();
    DispCumpuSateliteObitFrm* view = frm->DispCumpuSateliteObit();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    frm->MoveImgCmd_Click(4);
    view->StartTimeDataCmb->setCurrentIndex(100);
    view->close();
    EXPECT_EQ(gPhotoClickMode, 0);
    EXPECT_EQ(gMapRotateAngle, 10.0f);
    // The next command loads the view afresh.
    frm->SkyPlotGPSMenu->trigger();
    EXPECT_EQ(frm->DispCumpuSateliteObit()->StartTimeDataCmb->currentIndex(), 96);
    EXPECT_EQ(gPhotoClickMode, 1);
}

TEST_F(SkyCommands, AnUnreadableDatabaseLoadsTheBuiltInAlmanac)
{
    QFile::remove(DataPath(QStringLiteral("data0"), QStringLiteral("Almanac1.alx")));
    gAlmanacName.clear();
    frm->DispCumpuSateliteObit();
    EXPECT_EQ(gSateNum, 30);
    EXPECT_EQ(frm->DispCumpuSateliteObit()->AlmanacDataLbl->text(), QString::fromStdString(gAlmanacName));
    EXPECT_FALSE(gAlmanacName.empty());
}

TEST_F(SkyCommands, TheSkyViewObserverIsTheSitePointUnderPicturePoint200WhateverTheTurnAndPan)
{
    struct Case {
        const char* name;
        float rotate;
        float panX;
    };
    const Case cases[] = {{"north-up", 0, 0}, {"turned 90", 90, 0}, {"turned 30 and panned", 30, 24}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetMapRotateAngle(c.rotate);
        SetMapOffset(c.panX, gMapOffsetY);
        frm->PrepareSkyViewGrid(true);
        EXPECT_EQ(gStartTimeStep, 0);
        EXPECT_EQ(gEndTimeStep, 288);
        frm->ComputeSkylineUnderPicturePoint(200, 0);
        const auto underPicturePoint = gCutElevation;
        double x = 0.0, y = 0.0;
        PictureToSite(200, 0, x, y, true);
        ComputeCutElevationAtSite(x, y, gAntennaHeight);
        EXPECT_EQ(underPicturePoint, gCutElevation);
    }
    // North-up and unpanned it stands 200 / scale metres east of the centre: 50 m at scale 4,
    // east of the buildings, so the south-east block rises to the south-west and the east is open.
    SetMapRotateAngle(0);
    SetMapOffset(0, gMapOffsetY);
    frm->PrepareSkyViewGrid(true);
    frm->ComputeSkylineUnderPicturePoint(200, 0);
    EXPECT_GT(gCutElevation[225], 10.0f);
    EXPECT_EQ(gCutElevation[0], 0.0f);
}

}  // namespace

namespace {

TEST_F(SkyCommands, AViewLoadedEarlyShowsTheConditionsOfItsFirstShowing)
{
    // An almanac import loads the view hidden while the main window still holds other conditions.
    frm->DateLbl->setText(QStringLiteral("2021/01/01"));
    frm->LatDataTxt->setText(QStringLiteral("10"));
    frm->ReadComputeCondition();
    DispCumpuSateliteObitFrm* view = frm->DispCumpuSateliteObit();
    ASSERT_FALSE(view->isVisible());

    frm->DateLbl->setText(QStringLiteral("2022/02/18"));
    frm->LatDataTxt->setText(QStringLiteral("35.681"));
    frm->SkyPlotGPSMenu->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    EXPECT_EQ(view->DateDataLbl->text(), QStringLiteral("2022/02/18"));
    EXPECT_EQ(view->LatDataLbl->text(), QStringLiteral("35.681度"));
    EXPECT_EQ(view->LonDataLbl->text(), QStringLiteral("139.767度"));
    EXPECT_EQ(view->AntennaHLbl->text(), QStringLiteral("1.5"));
}

}  // namespace

namespace {

// The sky view opened from the site map's pop-up menu, without the moment it is given to draw.
class SkyViewCommand : public SkyCommands {
protected:
    void SetUp() override
    {
        SkyCommands::SetUp();
        gSkyViewOpenWait = 0.0;
    }
    void TearDown() override
    {
        gSkyViewOpenWait = 1.0;
        SetDemoNumber(1);
        SkyCommands::TearDown();
    }

    DispHeavenGPSFrm* Open()
    {
        frm->DispHeavenGPSMenu->trigger();
        DispHeavenGPSFrm* view = frm->DispHeavenGPS();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view));
        return view;
    }

    // The plot shows the skyline toward `direction` as it stands now.
    static void ExpectSkylineDrawn(DispHeavenGPSFrm* view, int direction, const char* why)
    {
        const auto orientation = view->lookingUp() ? skyview::PlotOrientation::LookingUp : skyview::PlotOrientation::LookingDown;
        const QPointF at = skyview::PlotPoint({1.69, orientation, gMapRotateAngle}, direction, gCutElevation[direction]);
        EXPECT_EQ(view->DispPic->pointColor(at), skyview::kSkylineColor) << why << ", direction " << direction;
    }
};

TEST_F(SkyViewCommand, OpensWithTheSkylineUnderPicturePoint200TurnsTheMapAndFollowsClicks)
{
    SetMapRotateAngle(0.0f);
    DispHeavenGPSFrm* view = Open();
    EXPECT_EQ(gPhotoClickMode, 2);
    EXPECT_EQ(gDispHeavenMode, 1);
    EXPECT_EQ(gAlmanacName, "Yuma149.txt");
    const auto opened = gCutElevation;
    frm->ComputeSkylineUnderPicturePoint(200, 0);
    EXPECT_EQ(opened, gCutElevation);
    // 50 m east of the centre the buildings rise to the south-west.
    ASSERT_GT(gCutElevation[225], 10.0f);
    ExpectSkylineDrawn(view, 225, "opened");

    // The clockwise button, looking up, turns the main map counter-clockwise; the view turns too.
    QTest::mouseClick(view->RightTurnCmd, Qt::LeftButton);
    EXPECT_EQ(gMapRotateAngle, -10.0f);
    ExpectSkylineDrawn(view, 225, "turned");

    // A click on the open ground south of the site moves the observer: a new skyline, drawn.
    const QPoint south = frm->PhotoPic->toPixel(QPointF(0.0, -240.0)).toPoint();
    QTest::mouseClick(frm->PhotoPic, Qt::LeftButton, Qt::NoModifier, south);
    EXPECT_NE(opened, gCutElevation);
    int direction = 0;
    for (int d = 0; d < 360; ++d) {
        if (gCutElevation[d] > gCutElevation[direction]) direction = d;
    }
    ASSERT_GT(gCutElevation[direction], 5.0f);
    ExpectSkylineDrawn(view, direction, "after the click");

    // The close button turns the map back north-up and gives the clicks back.
    QTest::mouseClick(view->CloseCmd, Qt::LeftButton);
    EXPECT_EQ(gMapRotateAngle, 0.0f);
    EXPECT_EQ(gPhotoClickMode, 0);
}

TEST_F(SkyViewCommand, DemonstrationClicksServeTheSkyViewAtTheirFixedPoints)
{
    DispHeavenGPSFrm* view = Open();
    SetDemoNumber(1);
    frm->MoveImgCmd_Click(4);
    const auto before = gCutElevation;
    frm->ClickMousePoint(0);
    frm->ClickMousePoint(6);
    EXPECT_EQ(before, gCutElevation) << "no such point";

    // Point 2 of demonstration 1, (-81, 103) on the picture, turned with the map like a press.
    frm->ClickMousePoint(2);
    const auto clicked = gCutElevation;
    double x = 0.0, y = 0.0;
    PictureToSite(-81, 103, x, y, true);
    ComputeCutElevationAtSite(x, y, gAntennaHeight);
    EXPECT_EQ(clicked, gCutElevation);
    EXPECT_NE(before, clicked);
    int direction = 0;
    for (int d = 0; d < 360; ++d) {
        if (std::abs(clicked[d] - before[d]) > std::abs(clicked[direction] - before[direction])) direction = d;
    }
    ExpectSkylineDrawn(view, direction, "after the demonstration's click");
    const QPoint pixel = frm->PhotoPic->mapTo(frm, frm->PhotoPic->toPixel(QPointF(-81, 103)).toPoint());
    EXPECT_EQ(frm->MouseIconPnl->mapTo(frm, QPoint(0, 0)), pixel);
}

TEST_F(SkyCommands, OrbitAndCountCommandShowsTheCountsAmongTheBuildingsModally)
{
    gProgressPause = 0.0;
    SetMapRotateAngle(0.0f);
    gComuAreaMesh.set(3, 3, 7.0f);
    orbit::VisibleCountTable inTheOpen{};
    orbit::VisibleCountTable shown{};
    QStringList available;
    float latitudeWhileOpen = 0.0f;
    orbit::SkylineTable onTheGround{};
    orbit::SkylineTable fromTheCommand{};
    QTimer::singleShot(0, [&] {
        auto* view = qobject_cast<SkyAndSateNumFrm*>(QApplication::activeModalWidget());
        ASSERT_NE(view, nullptr);
        shown = view->counts();
        available << view->AvalableSateLst->item(0)->text();
        latitudeWhileOpen = gLatitude;
        fromTheCommand = gCutElevation;
        // The same almanac and conditions with no building in the way.
        const std::vector<int> usable = orbit::UsableSateSlots();
        orbit::SkylineTable open{};
        orbit::CountVisibleSate(gSateAzimus, gSateElevation, usable, gElevationMask, open, 0, kLastTimeStep, inTheOpen);
        // The window's antenna height reaches the skyline through the main window.
        view->AntennaHTxt->setText(QStringLiteral("0"));
        QTest::keyClick(view->AntennaHTxt, Qt::Key_Return);
        onTheGround = gCutElevation;
        QTest::mouseClick(view->CloseCmd, Qt::LeftButton);
    });
    frm->SkyProtAndSateNumMenu->trigger();

    ASSERT_FALSE(available.isEmpty());
    EXPECT_EQ(latitudeWhileOpen, 35.681f);
    EXPECT_EQ(gLatitude, 35.681f);
    EXPECT_EQ(gComuAreaMesh.at(3, 3), 0.0f);
    int fewer = 0;
    for (int k = 96; k <= 216; ++k) {
        EXPECT_LE(shown[k], inTheOpen[k]) << k;
        fewer += shown[k] < inTheOpen[k];
    }
    EXPECT_GT(fewer, 0);
    // An eye on the ground sees the buildings higher than one 1.5 m up.
    EXPECT_GT(onTheGround[45], fromTheCommand[45]);
    frm->ComputeSkylineUnderPicturePoint(0.0, 0.0);
    EXPECT_EQ(gCutElevation, fromTheCommand);
}


// The whole day's counts of an independent computation: the almanac in the table at the given
// position on the main window's date and mask, against the skyline as it stands.
orbit::VisibleCountTable CountsAt(float latitude, float longitude)
{
    const std::vector<int> usable = orbit::UsableSateSlots();
    SateTable az{}, el{};
    orbit::ComputeSateTables(orbit::CurrentAlmanac(), usable, latitude, longitude,
                             *orbit::ConvertDateToGPSTime(gComputeDate, "00:00"), 0, kLastTimeStep, az, el);
    orbit::VisibleCountTable counts{};
    orbit::CountVisibleSate(az, el, usable, gElevationMask, gCutElevation, 0, kLastTimeStep, counts);
    return counts;
}

// A position typed in the main window is the window's: the first chart is that of the exact
// position, the lists show its whole degrees, and the window's own recomputation uses them.
TEST_F(SkyCommands, OrbitAndCountWindowOpensOnThePositionJustTyped)
{
    gProgressPause = 0.0;
    for (auto [box, text] : {std::pair{frm->LatDataTxt, "33.59"}, std::pair{frm->LonDataTxt, "130.4"}}) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QString::fromLatin1(text));
    }
    QStringList lists;
    orbit::VisibleCountTable opened{}, expectedOpened{}, recomputed{}, expectedRecomputed{};
    float usedLatitude = 0.0f, usedLongitude = 0.0f;
    QTimer::singleShot(0, [&] {
        auto* view = qobject_cast<SkyAndSateNumFrm*>(QApplication::activeModalWidget());
        ASSERT_NE(view, nullptr);
        lists << view->LatDataCmb->currentText() << view->LonDataCmb->currentText();
        opened = view->counts();
        expectedOpened = CountsAt(33.59f, 130.4f);
        // Enter in the window's antenna box recomputes the day.
        QTest::keyClick(view->AntennaHTxt, Qt::Key_Return);
        usedLatitude = view->latitude();
        usedLongitude = view->longitude();
        recomputed = view->counts();
        expectedRecomputed = CountsAt(33.0f, 130.0f);
        QTest::mouseClick(view->CloseCmd, Qt::LeftButton);
    });
    // "衛星軌道、衛星数表示(&O)" from the site map's pop-up menu.
    QTest::mouseClick(frm->PhotoPic, Qt::RightButton, Qt::NoModifier, QPoint(40, 40));
    ASSERT_EQ(QApplication::activePopupWidget(), frm->EditingDataMenu);
    QTest::keyClick(frm->EditingDataMenu, Qt::Key_O);

    EXPECT_EQ(lists, (QStringList{QStringLiteral("33"), QStringLiteral("130")}));
    EXPECT_EQ(opened, expectedOpened);
    EXPECT_EQ(usedLatitude, 33.0f);
    EXPECT_EQ(usedLongitude, 130.0f);
    EXPECT_EQ(recomputed, expectedRecomputed);
    // The two positions differ where it shows: the whole degrees are not the exact position's sky.
    EXPECT_NE(expectedOpened, expectedRecomputed);
}

}  // namespace
