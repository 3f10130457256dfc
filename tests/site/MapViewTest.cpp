#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "site/MapView.h"

namespace {

// View commands a case applies in order: 0..6 are the move buttons (6 is no button at all).
constexpr int kZoomIn = 100;
constexpr int kZoomOut = 101;

struct ViewCase {
    const char* name;
    int startStep;                // through the setter, so out-of-range steps are clamped
    double offsetX, offsetY;      // pan before the commands
    std::vector<int> commands;
    double centreX, centreY;      // map centre, metres
    double siteX, siteY;          // site point, metres
    double pictureX, pictureY;    // where it must be drawn
    int step;                     // zoom step afterwards
    float scale;                  // scale afterwards
};

void ResetFor(const ViewCase& c)
{
    SetMapScaleTable();
    ResetMapView();
    SetRotateSinceJudge(0.0f);
    SetMapScaleIndex(c.startStep);
    SetMapOffset(static_cast<float>(c.offsetX), static_cast<float>(c.offsetY));
    SetMapCenter(c.centreX, static_cast<float>(c.centreY));
    for (int command : c.commands) {
        if (command == kZoomIn) StepMapScale(+1);
        else if (command == kZoomOut) StepMapScale(-1);
        else ApplyMapMove(command);
    }
}

std::vector<int> Repeat(int command, int times, std::vector<int> tail = {})
{
    std::vector<int> commands(times, command);
    commands.insert(commands.end(), tail.begin(), tail.end());
    return commands;
}

}  // namespace

TEST(MapView, SiteToPictureAndBackAcrossZoomPanAndTurn)
{
    const std::vector<ViewCase> cases = {
        {"reset view", 20, 0, 0, {}, 0, 0, 10, 5, 20, 10, 20, 2.0f},
        {"reset view, far point", 20, 0, 0, {}, 0, 0, 241, 180, 482, 360, 20, 2.0f},
        {"map centre subtracted", 20, 0, 0, {}, 1000, -500, 1010, -495, 20, 10, 20, 2.0f},
        {"pan keeps centre at step 0", 0, 40, 0, {}, 7, 3, 7, 3, 40, 0, 0, 0.06f},
        {"pan keeps centre at step 40", 40, 40, 0, {}, 7, 3, 7, 3, 40, 0, 40, 70.0f},
        {"pan keeps centre across zooms", 20, 40, 0, {kZoomIn, kZoomIn, kZoomOut}, 7, 3, 7, 3, 40, 0, 21, 2.5f},
        // 20 units north turned clockwise by 10 degrees: (20 sin 10, 20 cos 10).
        {"one clockwise turn", 20, 0, 0, {4}, 0, 0, 0, 10, 3.47296, 19.69616, 20, 2.0f},
        {"one turn each way", 20, 0, 0, {4, 5}, 0, 0, 10, 5, 20, 10, 20, 2.0f},
        // After 90 degrees a right shift still moves the content 4 m (8 units) to the left.
        {"shift right after nine turns", 20, 0, 0, Repeat(4, 9, {0}), 0, 0, 0, 0, -8, 0, 20, 2.0f},
        {"shift down after nine turns", 20, 0, 0, Repeat(4, 9, {1}), 0, 0, 0, 0, 0, 8, 20, 2.0f},
        {"shift up then left", 20, 0, 0, {2, 3}, 0, 0, 0, 0, 8, -8, 20, 2.0f},
        {"full circle", 20, 0, 0, Repeat(4, 36), 0, 0, 10, 5, 20, 10, 20, 2.0f},
        {"index 6 changes nothing", 20, 0, 0, {6, -1, 7}, 0, 0, 10, 5, 20, 10, 20, 2.0f},
        {"zoom in at step 40 stays", 40, 0, 0, {kZoomIn}, 0, 0, 1, 0, 70, 0, 40, 70.0f},
        {"zoom out at step 0 stays", 0, 0, 0, {kZoomOut}, 0, 0, 100, 0, 6, 0, 0, 0.06f},
        {"step below the table clamped", -7, 0, 0, {}, 0, 0, 100, 0, 6, 0, 0, 0.06f},
        {"step above the table clamped", 55, 0, 0, {kZoomOut}, 0, 0, 1, 0, 60, 0, 39, 60.0f},
    };
    for (const ViewCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetFor(c);
        EXPECT_EQ(gMapScaleIndex, c.step);
        EXPECT_FLOAT_EQ(gMapScaleRate, c.scale);

        const auto [px, py] = SiteToPicture(c.siteX, c.siteY);
        EXPECT_NEAR(px, c.pictureX, 1e-3);
        EXPECT_NEAR(py, c.pictureY, 1e-3);

        double x = 0, y = 0;
        PictureToSite(px, py, x, y, true);
        EXPECT_NEAR(x, c.siteX, 1e-3);
        EXPECT_NEAR(y, c.siteY, 1e-3);
        PictureToSite(px, py, x, y, false);
        EXPECT_NEAR(x, c.siteX - c.centreX, 1e-3);
        EXPECT_NEAR(y, c.siteY - c.centreY, 1e-3);
    }
}

TEST(MapView, TurnsAccumulateWithoutFoldingAndCountSinceTheJudgement)
{
    SetMapScaleTable();
    ResetMapView();
    SetRotateSinceJudge(0.0f);
    for (int i = 0; i < 36; ++i) ApplyMapMove(4);
    EXPECT_FLOAT_EQ(gMapRotateAngle, 360.0f);
    EXPECT_FLOAT_EQ(pRotateSinceJudge, 360.0f);
    EXPECT_NEAR(gMapRotateSin, 0.0f, 1e-6);
    EXPECT_NEAR(gMapRotateCos, 1.0f, 1e-6);
    for (int i = 0; i < 36; ++i) ApplyMapMove(5);
    EXPECT_FLOAT_EQ(gMapRotateAngle, 0.0f);
    EXPECT_FLOAT_EQ(pRotateSinceJudge, 0.0f);

    // The reset of the view leaves the turns since the judgement and the map centre alone.
    ApplyMapMove(4);
    ApplyMapMove(0);
    SetMapCenter(12.5, pMapCenterY);
    ResetMapView();
    EXPECT_EQ(gMapRotateAngle, 0.0f);
    EXPECT_EQ(gMapRotateSin, 0.0f);
    EXPECT_EQ(gMapRotateCos, 1.0f);
    EXPECT_EQ(gMapOffsetX, 0.0f);
    EXPECT_EQ(gMapOffsetY, 0.0f);
    EXPECT_FLOAT_EQ(pRotateSinceJudge, 10.0f);
    EXPECT_EQ(pMapCenterX, 12.5);
    SetMapCenter(0.0, pMapCenterY);
}

TEST(MapView, ScaleBarIsBetween100And250UnitsAtEveryStep)
{
    SetMapScaleTable();
    EXPECT_FLOAT_EQ(gMapScaleRateTable[0], 0.06f);
    EXPECT_FLOAT_EQ(gMapScaleRateTable[40], 70.0f);
    struct Label { int step; float metres; const char* label; };
    for (const Label& l : {Label{0, 2000, "2Km"}, Label{4, 2000, "2Km"}, Label{5, 1000, "1Km"},
                           Label{11, 500, "500m"}, Label{17, 200, "200m"}, Label{20, 100, "100m"},
                           Label{24, 50, "50m"}, Label{30, 20, "20m"}, Label{34, 10, "10m"},
                           Label{37, 5, "5m"}, Label{40, 2, "2m"}}) {
        EXPECT_EQ(gScaleBarLength[l.step], l.metres) << "step " << l.step;
        EXPECT_EQ(gScaleBarLabel[l.step], l.label) << "step " << l.step;
    }
    for (int step = 0; step < kMapScaleSteps; ++step) {
        const double units = gMapScaleRateTable[step] * gScaleBarLength[step];
        EXPECT_GE(units, 100.0 - 1e-3) << "step " << step;
        EXPECT_LE(units, 250.0 + 1e-3) << "step " << step;
        if (step > 0) {
            EXPECT_GT(gMapScaleRateTable[step], gMapScaleRateTable[step - 1]);
        }
    }
}

TEST(MapView, HandedOverScaleStaysUntilTheNextZoom)
{
    SetMapScaleTable();
    SetMapScaleIndexAndRate(-3, 0.9f);  // the building input's plan step minus 10
    EXPECT_EQ(gMapScaleIndex, 0);
    EXPECT_FLOAT_EQ(gMapScaleRate, 0.9f);
    StepMapScale(+1);
    EXPECT_EQ(gMapScaleIndex, 1);
    EXPECT_FLOAT_EQ(gMapScaleRate, 0.07f);
    SetMapScaleIndexAndRate(24, 0.0f);
    EXPECT_FLOAT_EQ(gMapScaleRate, 4.0f);
    ResetMapView();
}
