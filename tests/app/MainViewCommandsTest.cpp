#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "MainWindowFixture.h"
#include "app/AreaJudgementRun.h"
#include "app/SiteMapEditor.h"
#include "site/MapView.h"
#include "site/TopAreaModel.h"
#include "platform/PictureSurface.h"
#include "orbit/ObservationConditions.h"

namespace {

class MainViewCommands : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        SetMapCenter(0.0, 0.0f);
        SetRotateSinceJudge(0.0f);
    }

    static QPointF Drawn(double x, double y)
    {
        const PicturePoint p = SiteToPicture(x, y);
        return {p.x, p.y};
    }
};

TEST_F(MainViewCommands, ZoomButtonsStepThroughTheTableAndStopAtItsEnds)
{
    struct Case {
        const char* name;
        int from;
        bool zoomIn;
        int step;
        float rate;
    };
    const Case cases[] = {
        {"in from the reset step", 20, true, 21, 2.5f},
        {"out from the reset step", 20, false, 19, 1.7f},
        {"in at the last step", 40, true, 40, 70.0f},
        {"out at the first step", 0, false, 0, 0.06f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetMapScaleIndex(c.from);
        SetMapOffset(40.0f, gMapOffsetY);
        QTest::mouseClick(c.zoomIn ? frm->ZoomUpCmd : frm->ZoomDownCmd, Qt::LeftButton);
        EXPECT_EQ(gMapScaleIndex, c.step);
        EXPECT_FLOAT_EQ(gMapScaleRate, c.rate);
        // The pan stays in picture units: the map centre stays where it was drawn.
        EXPECT_EQ(gMapOffsetX, 40.0f);
        EXPECT_NEAR(Drawn(0, 0).x(), 40.0, 1e-4);
    }
}

TEST_F(MainViewCommands, ShiftsMoveTheContentFourMetresAlongThePictureAxesWhateverTheTurn)
{
    for (int k = 0; k < 9; ++k) {
        QTest::mouseClick(frm->MoveImgCmd[4], Qt::LeftButton);
    }
    ASSERT_FLOAT_EQ(gMapRotateAngle, 90.0f);
    EXPECT_FLOAT_EQ(pRotateSinceJudge, 90.0f);
    struct Case {
        int index;
        double dx;  // picture units at scale 2
        double dy;
    };
    const Case cases[] = {{0, -8, 0}, {1, 0, 8}, {2, 0, -8}, {3, 8, 0}, {6, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        const QPointF before = Drawn(10, 5);
        if (c.index < 6) {
            QTest::mouseClick(frm->MoveImgCmd[c.index], Qt::LeftButton);
        } else {
            frm->MoveImgCmd_Click(c.index);
        }
        const QPointF after = Drawn(10, 5);
        EXPECT_NEAR(after.x() - before.x(), c.dx, 1e-3);
        EXPECT_NEAR(after.y() - before.y(), c.dy, 1e-3);
        EXPECT_FLOAT_EQ(gMapRotateAngle, 90.0f);
    }
}

TEST_F(MainViewCommands, TurnButtonsTurnTheMapClockwiseAndBack)
{
    QTest::mouseClick(frm->MoveImgCmd[4], Qt::LeftButton);
    EXPECT_FLOAT_EQ(gMapRotateAngle, 10.0f);
    EXPECT_FLOAT_EQ(pRotateSinceJudge, 10.0f);
    // 10 m due north of the centre, turned clockwise by 10 degrees at scale 2.
    EXPECT_NEAR(Drawn(0, 10).x(), 3.47, 0.01);
    EXPECT_NEAR(Drawn(0, 10).y(), 19.70, 0.01);
    QTest::mouseClick(frm->MoveImgCmd[5], Qt::LeftButton);
    EXPECT_FLOAT_EQ(gMapRotateAngle, 0.0f);
    EXPECT_FLOAT_EQ(pRotateSinceJudge, 0.0f);
}

TEST_F(MainViewCommands, ResetButtonTurnsBackButKeepsZoomAndPan)
{
    QTest::mouseClick(frm->ZoomUpCmd, Qt::LeftButton);
    QTest::mouseClick(frm->MoveImgCmd[0], Qt::LeftButton);
    QTest::mouseClick(frm->MoveImgCmd[4], Qt::LeftButton);
    QTest::mouseClick(frm->MoveImgCmd[4], Qt::LeftButton);
    const float offsetX = gMapOffsetX;
    const float offsetY = gMapOffsetY;
    frm->ClickPicRbn[3]->click();
    frm->judgement().setResultMapShown(true, false);
    frm->DeleteBuildingMenu->setEnabled(true);
    frm->LatDataTxt->setText(QStringLiteral("12"));

    QTest::mouseClick(frm->InitialDisPlayCmd, Qt::LeftButton);
    EXPECT_EQ(gMapRotateAngle, 0.0f);
    EXPECT_EQ(gMapRotateSin, 0.0f);
    EXPECT_EQ(gMapRotateCos, 1.0f);
    EXPECT_EQ(pRotateSinceJudge, 0.0f);
    EXPECT_EQ(gMapScaleIndex, 21);
    EXPECT_EQ(gMapOffsetX, offsetX);
    EXPECT_EQ(gMapOffsetY, offsetY);
    EXPECT_FALSE(frm->judgement().countMapShown());
    EXPECT_FALSE(frm->ClickPicRbn[3]->isChecked());
    EXPECT_EQ(frm->editor().editMode(), -1);
    EXPECT_FALSE(frm->DeleteBuildingMenu->isEnabled());
    EXPECT_EQ(gLatitude, 12.0f);
    SetLatitude(0.0f);
}

TEST_F(MainWindowTest, ToolPaletteKeepsAtMostOneToolPressed)
{
    frm->ClickPicRbn[2]->click();
    EXPECT_EQ(frm->editor().editMode(), 2);
    frm->ClickPicRbn[5]->click();
    EXPECT_FALSE(frm->ClickPicRbn[2]->isChecked());
    EXPECT_EQ(frm->editor().editMode(), 5);  // the old tool's release ran before the new press
    frm->ClickPicRbn[5]->click();
    EXPECT_EQ(frm->editor().editMode(), -1);
}

TEST_F(MainWindowTest, RedrawCaptionsTheCalibrationPanel)
{
    struct Case {
        int fixDataSTS;
        const char* caption;
    };
    frm->FixDataSTSPnl->setText(QStringLiteral("before"));
    for (const Case& c : {Case{7, "before"}, Case{0, "GPS未設定データ"}, Case{1, "GPS設定データ"}, Case{5, "GPS設定データ"}}) {
        SCOPED_TRACE(c.fixDataSTS);
        SetFixDataSTS(c.fixDataSTS);
        frm->ShowInputBillTopArea(-1);
        EXPECT_EQ(frm->FixDataSTSPnl->text(), QString::fromUtf8(c.caption));
    }
    EXPECT_TRUE(frm->FixDataSTSPnl->isVisible());
    SetFixDataSTS(0);
}

}  // namespace

namespace {

// The outline colour of an unselected building on the map.
const QColor kOutline(255, 0, 200);

bool OutlineNear(PictureSurface* pic, QPointF at)
{
    for (int dx = -1; dx <= 1; ++dx) {
        if (pic->pointColor(at + QPointF(dx, 0)) == kOutline) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST_F(MainViewCommands, ButtonsRedrawTheMapWhereTheViewNowPutsTheBuilding)
{
    // A 20 m square whose west wall is at x = 10 m: drawn at picture x = 20 at scale 2.
    const std::vector<TopAreaPoint> square{{10, 5}, {30, 5}, {30, 25}, {10, 25}, {10, 5}};
    ASSERT_EQ(AppendTopArea(square, 30.0f), TopAreaEdit::Done);
    frm->ShowInputBillTopArea(-1);
    const QPointF wall(20, 30);
    ASSERT_TRUE(OutlineNear(frm->PhotoPic, wall));

    QTest::mouseClick(frm->MoveImgCmd[0], Qt::LeftButton);  // content 4 m (8 units) to the left
    EXPECT_TRUE(OutlineNear(frm->PhotoPic, wall - QPointF(8, 0)));
    EXPECT_FALSE(OutlineNear(frm->PhotoPic, wall));

    QTest::mouseClick(frm->MoveImgCmd[3], Qt::LeftButton);  // and back
    QTest::mouseClick(frm->ZoomUpCmd, Qt::LeftButton);      // scale 2.5: the wall at x = 25
    EXPECT_TRUE(OutlineNear(frm->PhotoPic, QPointF(25, 37.5)));
    EXPECT_FALSE(OutlineNear(frm->PhotoPic, QPointF(20, 37.5)));
}

TEST_F(MainViewCommands, ReceiverMarkFollowsTheReportedPosition)
{
    frm->ShowGPSPoint(10, 5);  // picture (20, 10) at the reset view
    EXPECT_TRUE(frm->GPSPoinrImg->isVisible());
    const QPointF pixel = frm->PhotoPic->toPixel(QPointF(20, 10));
    EXPECT_NEAR(frm->GPSPoinrImg->geometry().center().x(), pixel.x(), 12);
    EXPECT_NEAR(frm->GPSPoinrImg->geometry().center().y(), pixel.y(), 12);
}

TEST_F(MainViewCommands, AReceiverStartShowsTheMarkWhereItLastWas)
{
    frm->HideGPSPoint();
    frm->ShowGPSPointMark();  // a receiver started before any position arrived
    EXPECT_FALSE(frm->GPSPoinrImg->isVisible()) << "no position yet: nothing to mark";

    frm->ShowGPSPoint(10, 5);
    const QPoint placed = frm->GPSPoinrImg->pos();
    frm->HideGPSPoint();  // the receiver stopped
    frm->ShowGPSPointMark();  // and started again
    EXPECT_TRUE(frm->GPSPoinrImg->isVisible());
    EXPECT_EQ(frm->GPSPoinrImg->pos(), placed) << "only a position moves the mark";
}
