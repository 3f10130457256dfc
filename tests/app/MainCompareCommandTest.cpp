#include <QImage>
#include <QPushButton>

#include "SkyCommandsFixture.h"
#include "app/MainCompareCommand.h"
#include "gps/BothSateObitFrm.h"
#include "orbit/VisibleSatellites.h"
#include "platform/PictureSurface.h"

namespace {

// The predicted half shows the skyline gCutElevation holds now (looking down, turned with the map).
::testing::AssertionResult ShowsSkyline(gps::BothSateObitFrm* view, int direction)
{
    const skyview::PlotFrame f{1.69, skyview::PlotOrientation::LookingDown, gMapRotateAngle};
    // Within a pixel of the point: the line runs along chords of the plot.
    const QPointF at = view->DispPic->toPixel(skyview::PlotPoint(f, direction, gCutElevation[direction]));
    const QImage& image = view->DispPic->image();
    QColor colour;
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            const QPoint p(static_cast<int>(at.x()) + dx, static_cast<int>(at.y()) + dy);
            if (image.valid(p) && image.pixelColor(p) == skyview::kSkylineColor) return ::testing::AssertionSuccess();
            if (dx == 0 && dy == 0 && image.valid(p)) colour = image.pixelColor(p);
        }
    }
    return ::testing::AssertionFailure() << "elevation " << gCutElevation[direction] << " shows " << colour.name().toStdString();
}

TEST_F(SkyCommands, CompareCommandShowsBothHalvesWithTheSkylineUnderPicturePoint200AndTakesClicks)
{
    gCompareOpenWait = 0.0;
    SetMapRotateAngle(0.0f);
    SetDispHeavenMode(1);
    frm->CompareGPSMenu->trigger();
    gps::BothSateObitFrm* view = frm->bothSateObitFrm();
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    EXPECT_EQ(gDispHeavenMode, 2);
    EXPECT_EQ(gPhotoClickMode, 2);
    EXPECT_EQ(gStartTimeStep, 0);
    EXPECT_EQ(gEndTimeStep, 288);

    // The skyline was computed at the site point under picture point (200, 0), and drawn.
    const auto shown = gCutElevation;
    frm->ComputeSkylineUnderPicturePoint(200, 0);
    EXPECT_EQ(gCutElevation, shown);
    int obstructed = 0;
    for (int d = 0; d < 360; d += 15) {
        obstructed += gCutElevation[d] > 5.0f;
        EXPECT_TRUE(ShowsSkyline(view, d)) << "direction " << d;
    }
    EXPECT_GT(obstructed, 0);

    // A click on the site map at the site redraws the predicted half with the skyline there.
    QTest::mouseClick(frm->PhotoPic, Qt::LeftButton, Qt::NoModifier, frm->PhotoPic->toPixel(QPointF(0.0, 0.0)).toPoint());
    EXPECT_NE(gCutElevation, shown);
    for (int d = 0; d < 360; d += 15) EXPECT_TRUE(ShowsSkyline(view, d)) << "direction " << d;
    EXPECT_EQ(view->shownStep(), 96);

    // Closing gives the clicks back.
    QTest::mouseClick(view->CloseCmd, Qt::LeftButton);
    EXPECT_EQ(gPhotoClickMode, 0);
    gCompareOpenWait = 1.0;
}

}  // namespace
