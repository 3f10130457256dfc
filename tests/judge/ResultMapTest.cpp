// The result maps: colour tables and their checked look-ups, where a judged cell is painted under
// a later view, the painting run with its stop, the snapshot it leaves, and the legends.
#include "JudgeFixtures.h"
#include "SyntheticSky.h"

#include "site/MapView.h"
#include "judge/PaintingJudgement.h"
#include "judge/ResultDrawing.h"
#include "judge/ResultTables.h"
#include "platform/PictureSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kPi = 3.14159265358979;

TEST(ResultTables, EveryValueFindsARowOrNone)
{
    SetSateNumColorTable();
    SetRateClassLegend();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* name;
        float value;
        int countRow;
        int classRow;
    };
    const Case cases[] = {
        {"building or not judged", 0.0f, -1, -1},
        {"negative", -3.0f, -1, -1},
        {"not a number", nan, -1, -1},
        {"infinite", inf, 15, -1},
        {"one", 1.0f, 1, 19},
        {"three", 3.0f, 3, 17},
        {"four", 4.0f, 4, 16},
        {"fifteen", 15.0f, 15, 5},
        {"sixteen", 16.0f, 15, 4},
        {"class 20", 20.0f, 15, 0},
        {"above the classes", 21.0f, 15, -1},
        {"a stale height", 26.4f, 15, -1},
        {"half a class", 2.5f, 2, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(judge::SateNumColorIndex(c.value), c.countRow);
        EXPECT_EQ(judge::RateClassColorIndex(c.value), c.classRow);
    }
    // Counts 0..3 red, 4 yellow, 5 green, from 6 up blue.
    EXPECT_EQ(gSateNumColor[3], 0x0000FFu);
    EXPECT_EQ(gSateNumColor[4], 0x00FFFFu);
    EXPECT_EQ(gSateNumColor[5], 0x00FF00u);
    EXPECT_EQ(gSateNumColor[6], 0xFF0000u);
    EXPECT_EQ(gSateNumColor[15], 0xFF0000u);
    // Classes 12 and 11 share a colour; the end rows and their labels.
    EXPECT_EQ(gRateClassColor[8], gRateClassColor[9]);
    EXPECT_EQ(judge::ColorOfValue(gRateClassColor[1]), QColor(4, 103, 251));
    EXPECT_EQ(gRateClassLabel[0], "100%≧R ＞95%");
    EXPECT_EQ(gRateClassLabel[18], "10%≧R ＞5%");
    EXPECT_EQ(gRateClassLabel[19], "5%≧R ≧0%");
}

MapViewState View(double scale, double offX, double offY, double rotDeg, double cx = 0, double cy = 0)
{
    MapViewState v;
    v.scale = scale;
    v.offsetX = offX;
    v.offsetY = offY;
    v.sinA = std::sin(rotDeg * kPi / 180.0);
    v.cosA = std::cos(rotDeg * kPi / 180.0);
    v.centreX = cx;
    v.centreY = cy;
    return v;
}

MapViewState GridViewOf(double scale, double offX, double offY, double rotDeg, double cx = 0, double cy = 0)
{
    MapViewState g;
    g.scale = static_cast<float>(scale);
    g.offsetX = static_cast<float>(offX);
    g.offsetY = static_cast<float>(offY);
    g.rotateDeg = static_cast<float>(rotDeg);
    g.sinA = static_cast<float>(std::sin(rotDeg * kPi / 180.0));
    g.cosA = static_cast<float>(std::cos(rotDeg * kPi / 180.0));
    g.centreX = cx;
    g.centreY = cy;
    return g;
}

judge::AreaResult ResultJudgedIn(const MapViewState& view)
{
    judge::JudgeSetup s;
    s.cell = view.cellSize();
    return judge::AreaResult::Blank(judge::AreaResultKind::Count, s, view, {});
}

TEST(ResultCellCentre, ZoomsPansAndTurnsWithTheMapAsTheRedrawRuleGives)
{
    // Judged on an unpanned, unturned map at scale 4: the centre of cell (i, j) is
    // s c (i - 27, j - 22) plus the pan, turned back by the turn since the judgement:
    // X' = X cos t + Y sin t, Y' = Y cos t - X sin t.
    const auto result = ResultJudgedIn(GridViewOf(4, 0, 0, 0));
    struct Case {
        const char* name;
        double scale, offX, offY, turn;
    };
    const Case cases[] = {
        {"view unchanged", 4, 0, 0, 0},       {"one turn clockwise", 4, 0, 0, 10}, {"two turns counter-clockwise", 4, 0, 0, -20},
        {"zoomed in", 5, 0, 0, 0},            {"zoomed out, panned", 2.5, 12, -8, 0}, {"panned and turned", 4, 16, 4, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MapViewState now = View(c.scale, c.offX, c.offY, c.turn);
        const double t = c.turn * kPi / 180.0;
        const double sc = c.scale * result.setup.cell;
        for (auto [i, j] : {std::pair{0, 0}, {27, 22}, {54, 45}, {40, 3}}) {
            const double x = sc * (i - 27) + c.offX, y = sc * (j - 22) + c.offY;
            double px = 0, py = 0;
            judge::ResultCellCentre(result, i, j, now, px, py);
            EXPECT_NEAR(px, x * std::cos(t) + y * std::sin(t), 1e-3) << i << "," << j;
            EXPECT_NEAR(py, y * std::cos(t) - x * std::sin(t), 1e-3) << i << "," << j;
        }
        EXPECT_NEAR(judge::ResultCellHalfSide(result, now), 0.5 * sc, 1e-6);
    }
}

// Site metres of a picture point under a view (the inverse of SiteToPictureCopy, written apart).
void SiteOfPicture(double px, double py, double scale, double offX, double offY, double rotDeg, double cx, double cy, double& x, double& y)
{
    const double t = rotDeg * kPi / 180.0;
    const double qx = px * std::cos(t) - py * std::sin(t), qy = px * std::sin(t) + py * std::cos(t);
    x = (qx - offX) / scale + cx;
    y = (qy - offY) / scale + cy;
}

TEST(ResultCellCentre, ACellJudgedOnATurnedPannedMapStaysOnItsSitePoint)
{
    struct Case {
        const char* name;
        double js, jx, jy, jr;  // view of the judgement
        double ns, nx, ny, nr;  // view now
    };
    const Case cases[] = {
        {"turned judgement, unturned now", 4, 0, 0, 30, 4, 0, 0, 0},
        {"panned judgement, zoomed now", 4, 20, -12, 0, 6, 0, 0, 0},
        {"turned and panned, then turned back and panned", 3, -8, 14, -40, 3, 8, 8, 20},
    };
    const double cx = 1000.5, cy = -250.25;  // a map centre away from the origin
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = ResultJudgedIn(GridViewOf(c.js, c.jx, c.jy, c.jr, cx, cy));
        const double cell = result.setup.cell;
        for (auto [i, j] : {std::pair{0, 0}, {27, 22}, {54, 45}}) {
            // The cell centre on the judged picture is s c (i - 27, j - 22); its site point, drawn now.
            double sx = 0, sy = 0, ex = 0, ey = 0;
            SiteOfPicture(c.js * cell * (i - 27), c.js * cell * (j - 22), c.js, c.jx, c.jy, c.jr, cx, cy, sx, sy);
            judgetest::SiteToPictureCopy(sx, sy, c.ns, c.nx, c.ny, c.nr, cx, cy, ex, ey);
            double px = 0, py = 0;
            judge::ResultCellCentre(result, i, j, View(c.ns, c.nx, c.ny, c.nr, cx, cy), px, py);
            EXPECT_NEAR(px, ex, 1e-3) << i << "," << j;
            EXPECT_NEAR(py, ey, 1e-3) << i << "," << j;
        }
    }
}

// A site-map-sized picture (872 x 678 pixels, y upwards, origin 50 left of the centre).
class PictureFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSateNumColorTable();
        SetRateClassLegend();
        pic.resize(872, 678);
        pic.setScale(50.0 - 436.0, 339.0, 872.0, -678.0);
        pic.clear();
        pic.setDrawWidth(2);
    }

    int DarkPixels(double x0, double y0, double x1, double y1) const
    {
        int n = 0;
        for (double x = x0; x <= x1; x += 1.0)
            for (double y = y1; y <= y0; y += 1.0)
                if (pic.pointColor(QPointF(x, y)).lightness() < 128) ++n;
        return n;
    }

    PictureSurface pic;
};

TEST_F(PictureFixture, LegendsShowTheirColourRowsAndTheCriterionLineOnlyForACriterion)
{
    judge::LegendConditions c{35.5f, 139.5f, "2024/06/01", 96, 216, 1.5f, 10.0f, 1};
    judge::DrawSateNumLegend(pic, c);
    const QColor rows[4] = {QColor(0, 0, 255), QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 0, 0)};
    for (int r = 0; r < 4; ++r) EXPECT_EQ(pic.pointColor(QPointF(385, 100 - 25 * r - 9)), rows[r]) << "row " << r;
    EXPECT_GT(DarkPixels(365, 280, 480, 266), 0);  // "緯度：35.5°"

    for (int criterion : {0, 1, 2}) {
        SCOPED_TRACE(criterion);
        pic.clear();
        c.criterion = criterion;
        judge::DrawMeanSateNumLegend(pic, c);
        for (int k = 0; k < 20; ++k)
            EXPECT_EQ(pic.pointColor(QPointF(382, 140 - 20 * k - 9)), judge::ColorOfValue(gRateClassColor[static_cast<std::size_t>(k)]))
                << "row " << k;
        EXPECT_EQ(DarkPixels(360, 179, 480, 166) > 0, criterion != 0);
        EXPECT_GT(DarkPixels(360, 159, 480, 146), 0);  // "る確率を下の色で区別"
    }
}

TEST(ResultDrawing, HeadingTexts)
{
    EXPECT_EQ(judge::CountHeadingText(96), QStringLiteral("08:00に受信可能衛星数"));
    EXPECT_EQ(judge::CountHeadingText(288), QStringLiteral("24:00に受信可能衛星数"));
    EXPECT_EQ(judge::MeanHeadingText(96, 216, 1), QStringLiteral("08:00～18:00の間に４衛星以上受信可能な確率"));
    EXPECT_EQ(judge::MeanHeadingText(0, 288, 2), QStringLiteral("00:00～24:00の間に５衛星以上受信可能な確率"));
    EXPECT_EQ(judge::MeanHeadingText(96, 97, 0), QStringLiteral("08:00～08:05"));
}

// The painting run on a grid with one building (window cells 10..12 x 5..7), at scale 4 with the
// map unpanned and unturned, with the pauses at 0.
class PaintingRun : public PictureFixture {
protected:
    void SetUp() override
    {
        PictureFixture::SetUp();
        judge::gJudgeColumnPause = 0.0;
        judge::gJudgeCellPause = 0.0;
        SetMapScaleIndexAndRate(gMapScaleIndex, 4.0f);
        SetMapOffset(0.0f, 0.0f);
        SetMapRotateAngle(0.0f);
        SetMapCenter(0.0, 0.0f);
        view = GridViewOf(4, 0, 0, 0);
        setup.cell = view.cellSize();
        setup.antenna = 1.5f;
        setup.mask = 10.0f;
        for (int i = 10; i <= 12; ++i)
            for (int j = 5; j <= 7; ++j) mesh.set(54 + i, 45 + j, 20.0f);
    }

    // Runs until the n-th stop test says stop (never with n = 0).
    judge::AreaResult Run(bool mean, int stopAt)
    {
        const auto wj = mean ? judge::WindowJudge::Mean(mesh, setup, sats, 96, 120, 1) : judge::WindowJudge::AtStep(mesh, setup, sats, 100);
        judge::PaintingJudgement run(wj, mean ? judge::AreaResultKind::Mean : judge::AreaResultKind::Count, view, {});
        int tests = 0;
        run.run(&pic, [&] { return stopAt > 0 && ++tests >= stopAt; });
        EXPECT_EQ(run.stopped(), stopAt > 0);
        return run.result();
    }

    QColor PixelAtCell(const judge::AreaResult& r, int i, int j) const
    {
        double x = 0, y = 0;
        judge::ResultCellCentre(r, i, j, CurrentMapView(), x, y);
        return pic.pointColor(QPointF(x, y));
    }

    judge::HeightMesh mesh;
    judge::JudgeSetup setup;
    MapViewState view;
    judge::SatelliteTable sats = judgetest::SyntheticSky();
};

TEST_F(PaintingRun, CompleteRunPaintsEveryOpenCellAndItsRepaintIsIdentical)
{
    for (bool mean : {false, true}) {
        SCOPED_TRACE(mean ? "time average" : "one time");
        pic.clear();
        const auto r = Run(mean, 0);
        const auto full = judge::JudgeWindowAtStep(mesh, setup, sats, 100);
        const auto fullMean = judge::JudgeWindowMean(mesh, setup, sats, 96, 120, 1);
        for (int i = 0; i <= 54; ++i)
            for (int j = 0; j <= 45; ++j) {
                ASSERT_TRUE(r.isJudged(i, j));
                ASSERT_EQ(r.at(i, j), mean ? fullMean.at(i, j) : full.at(i, j)) << i << "," << j;
                const bool building = i >= 10 && i <= 12 && j >= 5 && j <= 7;
                ASSERT_EQ(r.colorIndex(i, j) < 0, building) << i << "," << j;
                if (!building) {
                    ASSERT_EQ(PixelAtCell(r, i, j), judge::ColorOfValue(r.colorValue(i, j))) << i << "," << j;
                }
            }
        EXPECT_EQ(PixelAtCell(r, 11, 6), QColor(Qt::white));  // the building's cell is not painted
        const QImage painted = pic.image().copy();
        pic.clear();
        judge::RedrawResultMap(pic, r, CurrentMapView());
        EXPECT_EQ(pic.image(), painted);
    }
}

TEST_F(PaintingRun, AStoppedRunKeepsAndRepaintsOnlyTheCellsItJudged)
{
    struct Case {
        const char* name;
        bool mean;
        int stopAt;
        int judgedColumns;  // whole columns judged
        int judgedInNext;   // cells judged in the column after them
    };
    const Case cases[] = {
        {"one time: stops after the column in progress", false, 3, 3, 0},
        {"time average: stops after the open cell in progress", true, 5, 0, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pic.clear();
        gBillHeightMesh = mesh;
        gComuAreaMesh.clear();
        CopyComuAreaHeight(54, 45, 54, 45);  // heights in the window, as before a judgement
        const auto r = Run(c.mean, c.stopAt);
        for (int i = 0; i <= 54; ++i)
            for (int j = 0; j <= 45; ++j) {
                const bool judged = i < c.judgedColumns || (i == c.judgedColumns && j < c.judgedInNext);
                ASSERT_EQ(r.isJudged(i, j), judged) << i << "," << j;
                ASSERT_EQ(PixelAtCell(r, i, j) != QColor(Qt::white), judged) << i << "," << j;
            }
        // The repaint from the snapshot paints no more than the run did.
        const QImage painted = pic.image().copy();
        pic.clear();
        judge::RedrawResultMap(pic, r, CurrentMapView());
        EXPECT_EQ(pic.image(), painted);
        // The area grid keeps no copied height: the building's cells were never judged.
        judge::StoreResultInComuAreaMesh(r);
        EXPECT_EQ(gComuAreaMesh.at(11, 6), 0.0f);
        EXPECT_EQ(gComuAreaMesh.at(0, 1), r.at(0, 1));
        EXPECT_GT(gComuAreaMesh.at(0, 1), 0.0f);
    }
    gBillHeightMesh.clear();
    gComuAreaMesh.clear();
}

TEST_F(PaintingRun, TheRunJudgesItsSnapshotWhateverChangesDuringAPause)
{
    // During the first pause the program's grid and conditions are changed; the run and its
    // result keep what they started with.
    const auto expected = judge::JudgeWindowAtStep(mesh, setup, sats, 100);
    judge::PaintingJudgement run(judge::WindowJudge::AtStep(mesh, setup, sats, 100), judge::AreaResultKind::Count, view, {});
    mesh.set(54 + 30, 45 + 30, 99.0f);  // the caller's grid changes under the run
    bool changed = false;
    run.run(&pic, [&] {
        if (!changed) {
            mesh.clear();
            changed = true;
        }
        return false;
    });
    for (int i = 0; i <= 54; ++i)
        for (int j = 0; j <= 45; ++j) ASSERT_EQ(run.result().at(i, j), expected.at(i, j)) << i << "," << j;
}

TEST_F(PaintingRun, APictureDestroyedDuringThePausesIsNoLongerPainted)
{
    auto* doomed = new PictureSurface;
    doomed->resize(872, 678);
    doomed->setScale(-386, 339, 872, -678);
    judge::PaintingJudgement run(judge::WindowJudge::AtStep(mesh, setup, sats, 100), judge::AreaResultKind::Count, view, {});
    int tests = 0;
    run.run(doomed, [&] {
        if (++tests == 2) delete doomed;
        return false;
    });
    EXPECT_FALSE(run.stopped());
    EXPECT_TRUE(run.result().isJudged(54, 45));
}

}  // namespace
