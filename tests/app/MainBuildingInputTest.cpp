// The main window's command that opens the building input, and what comes back from it.
#include <QAction>
#include <QPushButton>
#include <functional>
#include <vector>

#include "MainWindowFixture.h"
#include "photoinput/InputLineFrm.h"
#include "platform/PictureSurface.h"
#include "site/MapView.h"
#include "site/RunState.h"

namespace {

class BuildingInputCommand : public MainWindowTest {
protected:
    void TearDown() override
    {
        SetFixDataSTS(0);
        SetMapCenter(0.0, 0.0f);
        SetBillDataSTS(0);
        MainWindowTest::TearDown();
    }

    // The site as a map correction leaves it: one building in plane coordinates tens of
    // kilometres from the origin, the calibration flag set and the map centred on it.
    void CorrectedSite()
    {
        const std::vector<TopAreaPoint> outline = {
            {-20100.0f, -29000.0f}, {-20080.0f, -29000.0f}, {-20080.0f, -28980.0f}, {-20100.0f, -29000.0f}};
        ASSERT_EQ(AppendTopArea(outline, 10.0f), TopAreaEdit::Done);
        SetFixDataSTS(1);
        frm->SetMapCenterFromTopArea();
        frm->ShowInputBillTopArea(-1);
    }

    // Every point of the site lies on the map as drawn now.
    void ExpectEveryPointOnTheMap() const
    {
        ASSERT_GT(gTopAreaPointTotalNumber, 0);
        const QRectF map = QRectF(QPointF(0, 0), frm->PhotoPic->size());
        for (int j = 0; j < gTopAreaPointTotalNumber; ++j) {
            const PicturePoint p = SiteToPicture(gNorthTopAreaX[j], gNorthTopAreaY[j]);
            EXPECT_TRUE(map.contains(frm->PhotoPic->toPixel({p.x, p.y}))) << "point " << j;
        }
        // The outlines are drawn there.
        const QImage image = frm->PhotoPic->image();
        int outline = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) outline += image.pixelColor(x, y) == QColor(255, 0, 200);
        }
        EXPECT_GT(outline, 100);
    }
};

TEST_F(BuildingInputCommand, OpensOneWindowAndNothingDuringADemonstration)
{
    SetDemoMode(-1);
    frm->AroundBuildingInputMenu->trigger();
    EXPECT_EQ(frm->inputLineFrm(), nullptr);
    SetDemoMode(0);
    frm->AroundBuildingInputMenu->trigger();
    InputLineFrm* first = frm->inputLineFrm();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    frm->AroundBuildingInputMenu->trigger();
    EXPECT_EQ(frm->inputLineFrm(), first) << "brought up again, not loaded anew";
}

TEST_F(BuildingInputCommand, HandOverReplacesTheSiteBuildings)
{
    HandOverSampleSet(2);
    if (HasFatalFailure()) return;
    EXPECT_EQ(gEachTopAreaNumber, 6);
    EXPECT_EQ(gBillDataSTS, -1);
}

TEST_F(BuildingInputCommand, BuildingsHandedOverAfterAMapCorrectionAreShownAndClosingAsksToSaveThem)
{
    CorrectedSite();
    SetMapOffset(300.0f, 0.0f);
    HandOverSampleSet(2);
    if (HasFatalFailure()) return;
    EXPECT_EQ(gEachTopAreaNumber, 6);
    EXPECT_EQ(gFixDataSTS, 0);
    EXPECT_EQ(pMapCenterX, 0.0);
    EXPECT_EQ(pMapCenterY, 0.0f);
    EXPECT_EQ(gMapOffsetX, 0.0f);
    ExpectEveryPointOnTheMap();

    // The hand-over is a change of the site: closing asks, and Yes goes to the save.
    answer = platform::MessageAnswer::Yes;
    messages.clear();
    frm->close();
    EXPECT_EQ(messages, QStringList{QStringLiteral("変更を保存しますか？")});
    EXPECT_EQ(dialogs.size(), 1u);
    EXPECT_TRUE(frm->isVisible());
}

TEST_F(BuildingInputCommand, ClearingTheSiteAfterAMapCorrectionStartsAgainInLocalMetres)
{
    struct Case {
        const char* name;
        std::function<void(MainWorkingFrm*)> clear;
    };
    const Case cases[] = {
        {"全て消去", [](MainWorkingFrm* f) { QTest::mouseClick(f->InitializeDataCmd, Qt::LeftButton); }},
        {"新規", [](MainWorkingFrm* f) { f->TheNewProjectMenu->trigger(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CorrectedSite();
        c.clear(frm);
        EXPECT_EQ(gEachTopAreaNumber, 0);
        EXPECT_EQ(gFixDataSTS, 0);
        EXPECT_EQ(pMapCenterX, 0.0);
        EXPECT_EQ(pMapCenterY, 0.0f);
    }
}

}  // namespace
