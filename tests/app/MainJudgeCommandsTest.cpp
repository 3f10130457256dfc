// The area judgements run from the main window on the sample site: their results against the
// visible counts at the skyline of a cell, the stop button with the window locked, the repaint
// after view changes, the result as a snapshot, the demonstration hand-over and closing during a
// run.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QDialog>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <functional>

#include "MainWindowFixture.h"
#include "app/AreaJudgementRun.h"
#include "site/RunState.h"
#include "site/MapView.h"
#include "site/SiteFiles.h"
#include "judge/AreaJudge.h"
#include "judge/AreaResult.h"
#include "judge/HeightGrid.h"
#include "judge/PaintingJudgement.h"
#include "judge/ResultDrawing.h"
#include "judge/ResultTables.h"
#include "judge/Skyline.h"
#include "orbit/AlmanacTable.h"
#include "orbit/ObservationConditions.h"
#include "orbit/VisibleSatellites.h"
#include "platform/MessageBox.h"
#include "platform/PictureSurface.h"
#include "skyview/DispCumpuSateliteObitFrm.h"
#include "tests/judge/JudgeFixtures.h"

namespace {

constexpr double kPi = 3.14159265358979;

class MainJudgeCommands : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        judge::gJudgeHeadingPause = 0.0;
        judge::gJudgeColumnPause = 0.0;
        judge::gJudgeCellPause = 0.0;
        SetDemoMode(0);
        SetMapCenter(0.0, 0.0f);
        ApplyProject(SampleProject());
        frm->LatDataTxt->setText(QStringLiteral("35.5"));
        frm->LonDataTxt->setText(QStringLiteral("139.5"));
        frm->AntennaHTxt->setText(QStringLiteral("1.5"));
        frm->ElevationCmb->setCurrentIndex(10);
        frm->DateLbl->setText(QStringLiteral("2024/06/01"));
        frm->StartTimeCmb->setCurrentIndex(144);
        frm->ShowInputBillTopArea(-1);
    }

    void TearDown() override
    {
        judge::gJudgeHeadingPause = 0.5;
        judge::gJudgeColumnPause = 0.05;
        judge::gJudgeCellPause = 0.05;
        MainWindowTest::TearDown();
    }

    // Answers the next modal time dialog: `act` on it first, then OK or cancel.
    static void AnswerDialog(std::function<void(QDialog*)> act = {}, bool ok = true)
    {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll, act, ok] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible()) return;
            poll->deleteLater();
            poll->stop();
            if (act) act(dialog);
            QTest::mouseClick(dialog->findChild<QPushButton*>(ok ? QStringLiteral("OKCmd") : QStringLiteral("CancelCmd")), Qt::LeftButton);
        });
        poll->start(1);
    }

    // Calls `action` once a judgement runs (at its first pause), then stops polling.
    static void WhileJudging(MainWorkingFrm* window, std::function<void()> action)
    {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll, window, action] {
            if (!window->isJudging()) return;
            poll->stop();
            poll->deleteLater();
            action();
        });
        poll->start(1);
    }

    void JudgeCount()
    {
        AnswerDialog();
        frm->JudgeSateNumInComuAreaMenu_Click();
    }

    QColor PixelAt(double x, double y) const { return frm->PhotoPic->pointColor(QPointF(x, y)); }

    // The centre of window cell (i, j) by the redraw rule for a judgement made on an unpanned,
    // unturned map: scaled grid point plus the pan, turned back by the turns since.
    static QPointF RuleCentre(const judge::AreaResult& r, int i, int j)
    {
        const double s = gMapScaleRate, c = r.setup.cell, t = pRotateSinceJudge * kPi / 180.0;
        const double x = s * c * (i - 27) + gMapOffsetX, y = s * c * (j - 22) + gMapOffsetY;
        return {x * std::cos(t) + y * std::sin(t), y * std::cos(t) - x * std::sin(t)};
    }

    // The skyline at the centre of window cell (27, 22), the grid cell under the picture origin,
    // given to the skyline in site metres.
    static void SkylineAtCentreCell()
    {
        const double half = 0.5 * gBillHeightMeshCell * gBillHeightMeshView.scale;
        double x = 0, y = 0;
        PictureToSite(half, half, x, y, true);
        ComputeCutElevationAtSite(x, y, gAntennaHeight);
    }

    static orbit::VisibleCountTable CountsAtSkyline(int first, int last)
    {
        orbit::VisibleCountTable counts{};
        const std::vector<int> usable = orbit::UsableSateSlots();
        orbit::CountVisibleSate(gSateAzimus, gSateElevation, usable, gElevationMask, gCutElevation, first, last, counts);
        return counts;
    }
};

TEST_F(MainJudgeCommands, CountAtTheCentreCellEqualsTheVisibleCountAtItsSkyline)
{
    struct Case {
        const char* name;
        std::vector<int> moves;  // view buttons pressed before the judgement
    };
    const Case cases[] = {
        {"north up", {}},
        {"turned 30 degrees clockwise and panned", {4, 4, 4, 0, 2}},
        {"turned 20 degrees counter-clockwise", {5, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frm->InitialDisPlayCmd_Click();
        SetMapOffset(0.0f, 0.0f);
        for (int m : c.moves) QTest::mouseClick(frm->MoveImgCmd[static_cast<std::size_t>(m)], Qt::LeftButton);
        JudgeCount();
        const judge::AreaResult* r = frm->shownAreaResult();
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->kind, judge::AreaResultKind::Count);
        EXPECT_TRUE(frm->judgement().countMapShown());
        EXPECT_FALSE(frm->judgement().probabilityMapShown());
        EXPECT_EQ(r->conditions.startStep, 144);
        int open = 0;
        for (int i = 0; i <= 54; ++i)
            for (int j = 0; j <= 45; ++j) {
                ASSERT_TRUE(r->isJudged(i, j));
                EXPECT_EQ(gComuAreaMesh.at(i, j), r->at(i, j));
                if (r->at(i, j) > 0) ++open;
            }
        EXPECT_GT(open, 1000);
        EXPECT_LT(open, 55 * 46);  // the sample's buildings reach into the window

        SkylineAtCentreCell();
        const auto counts = CountsAtSkyline(144, 144);
        EXPECT_EQ(r->at(27, 22), std::max<float>(counts[144], 1.0f));
        EXPECT_EQ(frm->LoadSatelliteData6(144, 81, 67, 162, 135, gBillHeightMeshCell), r->at(27, 22));
        // Painted in its count's colour at the picture origin: the map has not moved since the
        // run, which took the grid's origin there whatever the pan and turn.
        EXPECT_EQ(PixelAt(0.0, 0.0), judge::ColorOfValue(gSateNumColor[static_cast<std::size_t>(judge::SateNumColorIndex(r->at(27, 22)))]));
        EXPECT_EQ(PixelAt(385, 91), QColor(0, 0, 255));  // legend row "6衛星以上"
    }
}

TEST_F(MainJudgeCommands, EveryRoofOfTheHandedOverSampleSetOneStandsWholeInTheGridAndTheMap)
{
    // Sample set 1 as the building input hands it over (its traced outlines carry short edges
    // whose ends round to one row of the grid), judged at the zoom the hand-over sets.
    HandOverSampleSet(1);
    if (HasFatalFailure()) return;
    ASSERT_EQ(gEachTopAreaNumber, 7);
    JudgeCount();
    const judge::AreaResult* r = frm->shownAreaResult();
    ASSERT_NE(r, nullptr);

    // The roofs in grid metres, through the test's own copy of the map transform.
    std::vector<judge::Outline> site;
    for (int k = 0; k < gEachTopAreaNumber; ++k) {
        judge::Outline o;
        o.height = gFlatTopHeight[static_cast<std::size_t>(k)];
        for (int p = gEachTopAreaStartNum[static_cast<std::size_t>(k)]; p < gEachTopAreaStartNum[static_cast<std::size_t>(k)] + gEachTopAreaPointNum[static_cast<std::size_t>(k)]; ++p)
            o.points.push_back({gNorthTopAreaX[static_cast<std::size_t>(p)], gNorthTopAreaY[static_cast<std::size_t>(p)]});
        site.push_back(o);
    }
    const auto roofs = judgetest::ToGrid(site, gMapScaleRate, gMapOffsetX, gMapOffsetY, gMapRotateAngle, pMapCenterX, pMapCenterY);
    const double c = gBillHeightMeshCell;

    // Every cell whose centre lies inside a roof and more than one cell from each of its edges
    // holds the greatest height of the roofs it lies well inside; inside the judged window it is
    // a building cell, left unpainted.
    int wellInside = 0, inWindow = 0;
    for (int gj = 0; gj <= judge::kMarchLastY; ++gj)
        for (int gi = 0; gi <= judge::kMarchLastX; ++gi) {
            const double x = (gi - judge::kOriginCellX) * c, y = (gj - judge::kOriginCellY) * c;
            float height = -1.0f;
            for (const auto& o : roofs)
                if (judgetest::Inside(o.points, x, y) && judgetest::EdgeDistance(o.points, x, y) > c) height = std::max(height, o.height);
            if (height < 0.0f) continue;
            ++wellInside;
            EXPECT_EQ(gBillHeightMesh.at(gi, gj), height) << "grid cell " << gi << "," << gj;
            const int i = gi - r->setup.windowX, j = gj - r->setup.windowY;
            if (!r->contains(i, j)) continue;
            ++inWindow;
            EXPECT_EQ(r->at(i, j), 0.0f) << "window cell " << i << "," << j;
            EXPECT_EQ(r->colorIndex(i, j), -1) << "window cell " << i << "," << j;
        }
    EXPECT_GT(wellInside, 200);
    EXPECT_GT(inWindow, 100);
}

TEST_F(MainJudgeCommands, TimeAverageAtTheCentreCellFollowsTheCountsOverTheSpan)
{
    AnswerDialog([](QDialog* d) { QTest::mouseClick(d->findChild<QRadioButton*>(QStringLiteral("MoreFiveSateOpt")), Qt::LeftButton); });
    frm->JudgeMeanSateNumInComuAreaMenu_Click();
    const judge::AreaResult* r = frm->shownAreaResult();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->kind, judge::AreaResultKind::Mean);
    EXPECT_FALSE(frm->judgement().countMapShown());
    EXPECT_TRUE(frm->judgement().probabilityMapShown());
    EXPECT_EQ(r->conditions.criterion, 2);
    EXPECT_EQ(r->conditions.startStep, 96);
    EXPECT_EQ(r->conditions.endStep, 216);

    SkylineAtCentreCell();
    const auto counts = CountsAtSkyline(96, 216);
    int hits = 0;
    for (int t = 96; t <= 216; ++t) hits += counts[static_cast<std::size_t>(t)] >= 5;
    EXPECT_EQ(r->at(27, 22), judge::RateClass(hits, 121));
    int startT = -1;
    EXPECT_EQ(frm->LoadSatelliteData7(startT, 81, 67, 162, 135, gBillHeightMeshCell), r->at(27, 22));
    EXPECT_EQ(startT, 96);
    for (int i = 0; i <= 54; i += 9)
        for (int j = 0; j <= 45; j += 9) {
            const float v = r->at(i, j);
            if (v == 0.0f) continue;
            ASSERT_GE(v, 1.0f);
            ASSERT_LE(v, 20.0f);
            const QPointF p = RuleCentre(*r, i, j);
            EXPECT_EQ(PixelAt(p.x(), p.y()), judge::ColorOfValue(gRateClassColor[static_cast<std::size_t>(20 - static_cast<int>(v))]));
        }
    EXPECT_EQ(PixelAt(382, 131), judge::ColorOfValue(gRateClassColor[0]));  // legend's top row
}

TEST_F(MainJudgeCommands, StopEndsTheRunWhileOnlyItWorksAndOnlyJudgedCellsAreRepainted)
{
    judge::gJudgeColumnPause = 0.01;
    struct Seen {
        bool stop = false, zoom = true, turn = true, menu = true, map = true, bar = true, reentered = true;
        int scaleIndex = -1;
    } seen;
    WhileJudging(frm, [&] {
        seen.stop = frm->StopComputeCmd->isEnabled();
        seen.zoom = frm->ZoomUpCmd->isEnabled();
        seen.turn = frm->MoveImgCmd[4]->isEnabled();
        seen.menu = frm->JudgeMeanSateNumInComuAreaMenu->isEnabled();
        seen.map = frm->PhotoPic->isEnabled();
        seen.bar = frm->menuBar()->isEnabled();
        const int before = gMapScaleIndex;
        QTest::mouseClick(frm->ZoomUpCmd, Qt::LeftButton);
        seen.scaleIndex = gMapScaleIndex - before;
        frm->JudgeMeanSateNumInComuAreaMenu_Click();  // a second judgement is refused at once
        seen.reentered = QApplication::activeModalWidget() != nullptr;
        QTest::mouseClick(frm->StopComputeCmd, Qt::LeftButton);
    });
    JudgeCount();
    EXPECT_TRUE(seen.stop);
    EXPECT_FALSE(seen.zoom || seen.turn || seen.menu || seen.map || seen.bar || seen.reentered);
    EXPECT_EQ(seen.scaleIndex, 0);
    EXPECT_FALSE(frm->isJudging());
    EXPECT_TRUE(frm->ZoomUpCmd->isEnabled());
    EXPECT_TRUE(frm->JudgeMeanSateNumInComuAreaMenu->isEnabled());

    const judge::AreaResult* r = frm->shownAreaResult();
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(frm->judgement().countMapShown());
    int columns = 0;
    while (columns <= 54 && r->isJudged(columns, 0)) ++columns;
    EXPECT_GE(columns, 1);
    EXPECT_LT(columns, 55);
    for (int i = 0; i <= 54; ++i)
        for (int j = 0; j <= 45; ++j) {
            ASSERT_EQ(r->isJudged(i, j), i < columns) << i << "," << j;
            if (i >= columns) {
                ASSERT_EQ(gComuAreaMesh.at(i, j), 0.0f) << i << "," << j;
            }
        }

    // After a zoom the map is drawn again: judged open cells carry their colour, the others
    // show the map as it is without a result.
    QTest::mouseClick(frm->ZoomUpCmd, Qt::LeftButton);
    const QImage withResult = frm->PhotoPic->image().copy();
    frm->judgement().setResultMapShown(false, false);
    frm->ShowPictureAndResult();
    const QImage bare = frm->PhotoPic->image().copy();
    for (int i = 0; i <= 54; ++i)
        for (int j = 0; j <= 45; ++j) {
            const QPoint px = frm->PhotoPic->toPixel(RuleCentre(*r, i, j)).toPoint();
            if (r->at(i, j) > 0) {
                ASSERT_EQ(QColor(withResult.pixel(px)), judge::ColorOfValue(r->colorValue(i, j))) << i << "," << j;
            } else {
                ASSERT_EQ(withResult.pixel(px), bare.pixel(px)) << i << "," << j;
            }
        }
}

TEST_F(MainJudgeCommands, AStoppedRunSaysSoUnderItsHeading)
{
    // Red pixels in the line under the heading (printed at y = 330), where nothing else draws.
    const auto redUnderHeading = [this] {
        int red = 0;
        for (int x = -200; x <= 200; x += 1)
            for (int y = 305; y >= 282; --y) {
                const QColor c = PixelAt(x, y);
                if (c.red() > 200 && c.green() < 80 && c.blue() < 80) ++red;
            }
        return red;
    };
    for (const bool stop : {false, true}) {
        SCOPED_TRACE(stop ? "stopped" : "complete");
        if (stop) {
            judge::gJudgeColumnPause = 0.01;
            WhileJudging(frm, [&] { QTest::mouseClick(frm->StopComputeCmd, Qt::LeftButton); });
        }
        JudgeCount();
        ASSERT_NE(frm->shownAreaResult(), nullptr);
        EXPECT_EQ(frm->shownAreaResult()->isJudged(54, 0), !stop);
        if (stop) {
            EXPECT_GT(redUnderHeading(), 50);
        } else {
            EXPECT_EQ(redUnderHeading(), 0);
        }
    }
}

TEST_F(MainJudgeCommands, TheResultIsRepaintedWhereTheMapPutsItAfterEveryViewChange)
{
    JudgeCount();
    const judge::AreaResult* r = frm->shownAreaResult();
    ASSERT_NE(r, nullptr);
    struct Step {
        const char* name;
        QAbstractButton* button;
    };
    const Step steps[] = {
        {"turn clockwise", frm->MoveImgCmd[4]}, {"zoom in", frm->ZoomUpCmd},  {"pan right", frm->MoveImgCmd[0]},
        {"turn clockwise again", frm->MoveImgCmd[4]}, {"zoom out twice", frm->ZoomDownCmd}, {"", frm->ZoomDownCmd},
        {"turn counter-clockwise", frm->MoveImgCmd[5]},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        QTest::mouseClick(s.button, Qt::LeftButton);
        if (*s.name == '\0') continue;
        for (int i = 0; i <= 54; i += 2)
            for (int j = 0; j <= 45; j += 3) {
                if (r->at(i, j) <= 0) continue;
                const QPointF p = RuleCentre(*r, i, j);
                ASSERT_EQ(PixelAt(p.x(), p.y()), judge::ColorOfValue(r->colorValue(i, j))) << i << "," << j;
            }
        EXPECT_EQ(PixelAt(385, 66), QColor(0, 255, 0));  // the legend is drawn again (row "5衛星")
    }
}

TEST_F(MainJudgeCommands, AShownResultIsASnapshotOfItsJudgement)
{
    JudgeCount();
    frm->ShowPictureAndResult();
    const QImage before = frm->PhotoPic->image().copy();
    // What later commands change: the conditions, the grid (built at another zoom step, as the
    // sky views do) and the area grid (emptied, as the orbit-and-count view does).
    SetLatitude(12.0f);
    SetElevationMask(25.0f);
    SetAntennaHeight(30.0f);
    SetStartTimeStep(3);
    MakeBillHeightMesh((864.0f / 2.0f) / 162.0f);
    gComuAreaMesh.clear();
    frm->ShowPictureAndResult();
    EXPECT_EQ(frm->PhotoPic->image(), before);
}

TEST_F(MainJudgeCommands, CancelLeavesTheEarlierResult)
{
    JudgeCount();
    const judge::AreaResult* r = frm->shownAreaResult();
    const QImage before = frm->PhotoPic->image().copy();
    AnswerDialog({}, false);
    frm->JudgeMeanSateNumInComuAreaMenu_Click();
    AnswerDialog({}, false);
    frm->JudgeSateNumInComuAreaMenu_Click();
    EXPECT_EQ(frm->shownAreaResult(), r);
    EXPECT_TRUE(frm->judgement().countMapShown());
    EXPECT_EQ(frm->PhotoPic->image(), before);
}

TEST_F(MainJudgeCommands, InADemonstrationTheDialogConfirmsItselfAndTheDemonstrationGoesOn)
{
    SetDemoMode(-1);
    frm->setDemoStep(2);
    frm->JudgeSateNumInComuAreaMenu_Click();
    EXPECT_TRUE(frm->judgement().countMapShown());
    EXPECT_EQ(frm->demoStep(), 3);
    EXPECT_TRUE(frm->DemoTmr.isActive());
    EXPECT_EQ(frm->DemoTmr.interval(), 3000);
    EXPECT_EQ(gDemoMode, 0);
    frm->DemoTmr.stop();
}

TEST_F(MainJudgeCommands, ADateWithoutSatellitePositionsIsReportedAndChangesNothing)
{
    JudgeCount();
    const judge::AreaResult* r = frm->shownAreaResult();
    const QImage before = frm->PhotoPic->image().copy();
    QStringList messages;
    platform::SetMessageAnswerer([&messages](const QString& text, platform::MessageButtons) {
        messages << text;
        return platform::MessageAnswer::Ok;
    });
    frm->DateLbl->setText(QStringLiteral("2024/02/30"));
    // In a demonstration the dialog confirms itself; a failed run must not hand the
    // demonstration on.
    SetDemoMode(-1);
    frm->setDemoStep(2);
    frm->JudgeSateNumInComuAreaMenu_Click();
    SetDemoMode(0);
    AnswerDialog();
    frm->JudgeMeanSateNumInComuAreaMenu_Click();
    platform::SetMessageAnswerer({});

    const QString message = QStringLiteral("計算日の日付が正しくないため、衛星の位置を計算できません。");
    EXPECT_EQ(messages, (QStringList{message, message}));
    EXPECT_EQ(frm->demoStep(), 2);
    EXPECT_FALSE(frm->DemoTmr.isActive());
    EXPECT_EQ(frm->shownAreaResult(), r);
    EXPECT_TRUE(frm->judgement().countMapShown());
    EXPECT_FALSE(frm->judgement().probabilityMapShown());
    EXPECT_EQ(frm->PhotoPic->image(), before);
    EXPECT_TRUE(frm->ZoomUpCmd->isEnabled());
}

TEST_F(MainJudgeCommands, ClearTakesTheResultMapsOffTheMapAndReadsTheConditions)
{
    struct Case {
        const char* name;
        std::function<void()> judge;
    };
    const Case cases[] = {
        {"count map", [this] { JudgeCount(); }},
        {"probability map", [this] { AnswerDialog(); frm->JudgeMeanSateNumInComuAreaMenu_Click(); }},
        {"no result shown", [] {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frm->judgement().setResultMapShown(false, false);
        frm->ShowPictureAndResult();
        const QImage bare = frm->PhotoPic->image().copy();
        c.judge();
        frm->DateLbl->setText(QStringLiteral("2024/06/02"));
        frm->ClearDataMenu->trigger();
        EXPECT_FALSE(frm->judgement().countMapShown());
        EXPECT_FALSE(frm->judgement().probabilityMapShown());
        EXPECT_EQ(frm->PhotoPic->image(), bare);
        EXPECT_EQ(gComputeDate, "2024/06/02");
        frm->DateLbl->setText(QStringLiteral("2024/06/01"));
    }
}

TEST_F(MainJudgeCommands, TheOrbitViewsCloseButtonLeavesTheMapOfARunningJudgementAlone)
{
    judge::gJudgeColumnPause = 0.01;
    frm->SkyPlotGPSMenu_Click();
    QPointer<DispCumpuSateliteObitFrm> view = frm->DispCumpuSateliteObit();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    QTest::mouseClick(frm->MoveImgCmd[4], Qt::LeftButton);
    const float turned = gMapRotateAngle;
    ASSERT_NE(turned, 0.0f);
    WhileJudging(frm, [&view] { QTest::mouseClick(view->CloseCmd, Qt::LeftButton); });
    JudgeCount();
    EXPECT_TRUE(view.isNull() || view->unloaded());
    EXPECT_EQ(gMapRotateAngle, turned);
    const judge::AreaResult* r = frm->shownAreaResult();
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(r->isJudged(54, 45));
    EXPECT_EQ(pRotateSinceJudge, 0.0f);

    // With no run the close button resets the map.
    frm->SkyPlotGPSMenu_Click();
    view = frm->DispCumpuSateliteObit();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    QTest::mouseClick(view->CloseCmd, Qt::LeftButton);
    EXPECT_EQ(gMapRotateAngle, 0.0f);
}

TEST_F(MainJudgeCommands, AJudgementForAnotherDateLeavesTheOpenOrbitViewOnItsOwn)
{
    frm->SkyPlotGPSMenu_Click();
    QPointer<DispCumpuSateliteObitFrm> view = frm->DispCumpuSateliteObit();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    view->TimeScrol1->setValue(144);
    frm->DateLbl->setText(QStringLiteral("2024/06/02"));
    JudgeCount();
    const auto judgedDay = skyview::SatePositionsAt({}, skyview::CurrentSkyInputs(), 144);
    view->ShowCurrentSateVisible();

    ASSERT_TRUE(orbit::ComputeSateAzimusElevationOnDate(144, 144, "2024/06/01"));
    const auto viewDay = skyview::SatePositionsAt({}, skyview::CurrentSkyInputs(), 144);
    const auto& shown = view->shownPositions().marks;
    ASSERT_EQ(shown.size(), viewDay.marks.size());
    bool differ = false;
    for (std::size_t k = 0; k < shown.size(); ++k) {
        EXPECT_EQ(shown[k].at, viewDay.marks[k].at) << "slot " << shown[k].slot;
        differ = differ || judgedDay.marks[k].at != viewDay.marks[k].at;
    }
    EXPECT_TRUE(differ);
    view->close();
}

TEST_F(MainJudgeCommands, DestroyingTheWindowDuringARunEndsTheRunSafely)
{
    judge::gJudgeColumnPause = 0.01;
    WhileJudging(frm, [this] { delete frm; });
    JudgeCount();
    EXPECT_EQ(MainWorkingFrm::existing(), nullptr);
    frm = nullptr;
}

// Last in the file: closing ends the program (the application is asked to quit).
TEST_F(MainJudgeCommands, ClosingTheWindowDuringARunEndsTheRun)
{
    judge::gJudgeColumnPause = 0.01;
    WhileJudging(frm, [this] { frm->close(); });
    JudgeCount();
    EXPECT_FALSE(frm->isVisible());
    EXPECT_FALSE(frm->isJudging());
    const judge::AreaResult* r = frm->shownAreaResult();
    ASSERT_NE(r, nullptr);
    EXPECT_FALSE(r->isJudged(54, 45));
}

}  // namespace
