#include <QLabel>

#include <gtest/gtest.h>

#include <vector>

#include "site/GpsRecord.h"
#include "site/MapView.h"
#include "app/SiteMapDrawing.h"
#include "site/TopAreaModel.h"
#include "common/TestUtils.h"
#include "platform/Fonts.h"
#include "platform/PictureSurface.h"

namespace {

const QColor kWhite(255, 255, 255);

using Pt = TopAreaPoint;

// A picture like the main window's site map: 872 x 678 pixels, one unit per pixel, y upwards,
// the origin 50 units left of the centre.
struct SiteMap : ::testing::Test {
    static constexpr int W = 872, H = 678;
    PictureSurface pic;
    SiteMapDrawing drawing{pic};

    SiteMap()
    {
        pic.resize(W, H);
        pic.setScale(50 - W / 2.0, H / 2.0, W, -H);
        pic.setBackColor(kWhite);
        pic.clear();
        SetMapScaleTable();
        ResetMapView();
        SetMapCenter(0.0, 0.0f);
        ClearTopAreaModel();
        gGPSRecordNum = 0;
    }
    ~SiteMap() override
    {
        ClearTopAreaModel();
        gGPSRecordNum = 0;
        ResetMapView();
    }

    // Appends a top area to the building model.
    static void AddArea(const std::vector<Pt>& points, float height)
    {
        ASSERT_EQ(AppendTopArea(points, height), TopAreaEdit::Done);
    }

    QColor At(double x, double y) const { return pic.pointColor(QPointF(x, y)); }
    // True when the colour is found within one unit of (x, y): for points on slanted lines.
    bool Near(double x, double y, const QColor& color) const
    {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (At(x + dx, y + dy) == color) return true;
        return false;
    }

    // The pixels of a user rectangle (corners in user units) of an image.
    QImage Region(const QImage& image, QPointF c1, QPointF c2) const
    {
        return image.copy(QRectF(pic.toPixel(c1), pic.toPixel(c2)).normalized().toRect());
    }
};

// A 100 m square with its corner at the site origin: at scale 2 it spans 0..200 units, and the
// mean of its five points (the first one twice) is (40, 40) m, picture (80, 80).
const std::vector<Pt> kSquare = {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}};

}  // namespace

TEST(SiteMapLabels, HeightsInWholeMetres)
{
    struct Case { float metres; const char* text; };
    for (const Case& c : {Case{10.0f, "10m"}, Case{9.6f, "10m"}, Case{30.4f, "30m"}, Case{0.0f, "0m"},
                          Case{1234.0f, "1234m"}}) {
        EXPECT_EQ(HeightLabelText(c.metres), QString::fromUtf8(c.text)) << c.metres;
    }
}

TEST(SiteMapLabels, CalibrationPanelCaption)
{
    EXPECT_EQ(FixDataStatusCaption(0), QStringLiteral("GPS未設定データ"));
    EXPECT_EQ(FixDataStatusCaption(1), QStringLiteral("GPS設定データ"));
    EXPECT_TRUE(FixDataStatusCaption(2).isEmpty());
}

TEST_F(SiteMap, FullRedrawDrawsOverTheBuildingsAndTheEmptyMapClearsThem)
{
    AddArea(kSquare, 10.0f);
    gGPSRecordX[0] = -100;
    gGPSRecordY[0] = -100;  // picture (-200, -200)
    gGPSRecordNum = 1;
    pic.filledBox(QPointF(-60, -60), QPointF(-40, -40), Qt::black);  // stale drawing
    int index = 0;
    drawing.DrawFullSiteMap(index);
    EXPECT_EQ(At(-50, -50), kWhite);                   // cleared first
    EXPECT_EQ(At(100, 0), QColor(255, 0, 55));         // the selected building in XOR
    EXPECT_EQ(At(-198, -200), QColor(0, 0, 200));      // the record
    EXPECT_EQ(At(-360, 0), QColor(100, 200, 100));     // frames drawn after the buildings
    EXPECT_EQ(At(144, 0), QColor(200, 50, 50));
    EXPECT_EQ(At(-300, 230), QColor(0, 200, 0));       // compass
    EXPECT_EQ(At(-250, -280), QColor(0, 0, 200));      // scale bar
    EXPECT_EQ(pic.drawMode(), PictureSurface::DrawMode::Copy);
    EXPECT_EQ(pic.drawWidth(), 2);

    drawing.DrawEmptySiteMap();
    EXPECT_EQ(At(100, 0), kWhite);
    EXPECT_EQ(At(-198, -200), kWhite);
    EXPECT_EQ(At(-360, 0), QColor(100, 200, 100));
    EXPECT_EQ(At(-300, 230), QColor(0, 200, 0));
}

TEST_F(SiteMap, TenMetreBuildingIsOutlinedAndLabelledAtTheMeanOfItsPoints)
{
    AddArea(kSquare, 10.0f);
    int index = -1;
    drawing.DrawBillTopAreas(index);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(At(100, 0), QColor(255, 0, 200));  // middle of the south edge
    EXPECT_EQ(At(200, 100), QColor(255, 0, 200)); // middle of the east edge
    EXPECT_EQ(At(100, 150), kWhite);

    // The label must be exactly "10m" in bold 14 point grey with its top-left corner at (80, 80).
    PictureSurface reference;
    reference.resize(W, H);
    reference.setScale(pic.scaleLeft(), pic.scaleTop(), W, -H);
    reference.setBackColor(kWhite);
    reference.clear();
    QFont font = platform::WindowFont(14);
    font.setBold(true);
    reference.setTextFont(font);
    reference.setForeColor(QColor(128, 128, 128));
    reference.setCurrentPoint(QPointF(80, 80));
    reference.printText(QStringLiteral("10m"));
    const QPointF c1(75, 85), c2(140, 50);
    const QImage expected = Region(reference.image(), c1, c2);
    ASSERT_NE(expected, Region(pic.image(), QPointF(300, 85), QPointF(365, 50)));  // not blank
    EXPECT_EQ(Region(pic.image(), c1, c2), expected);
}

TEST_F(SiteMap, SelectionIndexBeyondTheModelSelectsNothing)
{
    AddArea(kSquare, 10.0f);
    struct Case { int in; int out; };
    for (const Case& c : {Case{1, -1}, Case{7, -1}, Case{-1, -1}, Case{0, 0}}) {
        int index = c.in;
        drawing.DrawBillTopAreas(index);
        EXPECT_EQ(index, c.out) << c.in;
        // A selected outline is drawn in XOR (RGB(0,255,200) on white shows as its inverse),
        // with a mark on each corner of its box.
        const bool selected = c.out == 0;
        EXPECT_EQ(At(100, 0), selected ? QColor(255, 0, 55) : QColor(255, 0, 200)) << c.in;
        EXPECT_EQ(At(-3, -3), selected ? QColor(0, 0, 0) : kWhite) << c.in;
        EXPECT_EQ(At(203, 203), selected ? QColor(0, 0, 0) : kWhite) << c.in;
        EXPECT_EQ(pic.drawMode(), PictureSurface::DrawMode::Copy);
    }
}

TEST_F(SiteMap, SelectionMarksDrawnTwiceInXorLeaveThePictureUnchanged)
{
    AddArea(kSquare, 10.0f);
    AddArea({{-50, -50}, {-20, -50}, {-20, -20}, {-50, -50}}, 30.0f);
    int index = 0;
    drawing.DrawBillTopAreas(index);
    const QImage marked = pic.image();
    pic.setDrawMode(PictureSurface::DrawMode::Xor);
    drawing.RedrawSelectBoxMarks();
    EXPECT_EQ(At(-3, -3), kWhite);  // the marks are erased ...
    EXPECT_EQ(At(197, 197), kWhite);
    EXPECT_NE(pic.image(), marked);
    drawing.RedrawSelectBoxMarks();  // ... and come back
    EXPECT_EQ(pic.image(), marked);
}

TEST_F(SiteMap, ScaleBarFollowsTheScaleInUse)
{
    struct Case { int step; float scale; double length; };
    // Step 20 at its table scale: 100 m at 2 units per metre; the same step at a handed-over
    // scale of 1.2 draws 120 units.
    for (const Case& c : {Case{20, 2.0f, 200.0}, Case{20, 1.2f, 120.0}, Case{40, 70.0f, 140.0}}) {
        SCOPED_TRACE(c.step);
        pic.clear();
        SetMapScaleIndexAndRate(c.step, c.scale);
        drawing.DrawScaleBar(gMapScaleIndex);
        const double end = -330 + c.length;
        EXPECT_EQ(At(-330 + c.length / 2 + 3, -280), QColor(0, 0, 200));
        EXPECT_EQ(At(end - 2, -280), QColor(0, 0, 200));
        EXPECT_EQ(At(end + 4, -280), kWhite);
        for (int k = 0; k <= 5; ++k) {  // ticks every fifth of the bar, 10 units high
            EXPECT_EQ(At(-330 + k * c.length / 5, -272), QColor(0, 0, 200)) << k;
        }
        EXPECT_EQ(At(-330 + c.length / 10, -272), kWhite);
    }
    pic.clear();
    drawing.DrawScaleBar(41);  // no table entry: nothing drawn
    drawing.DrawScaleBar(-1);
    EXPECT_EQ(At(-300, -280), kWhite);
}

TEST_F(SiteMap, CompassTurnsWithTheMap)
{
    // The north arm points 10 degrees clockwise of up after one clockwise turn; the east arm
    // 10 degrees below the right.
    struct Case { int turns; double northX, northY, eastX, eastY; };
    const double s = 0.17364817766693033, c = 0.984807753012208;
    for (const Case& k : {Case{0, 0, 30, 30, 0}, Case{1, 30 * s, 30 * c, 30 * c, -30 * s}}) {
        SCOPED_TRACE(k.turns);
        ResetMapView();
        for (int t = 0; t < k.turns; ++t) ApplyMapMove(4);
        pic.clear();
        drawing.DrawCompassMark();
        EXPECT_TRUE(Near(-300 + k.northX, 200 + k.northY, QColor(0, 200, 0)));
        EXPECT_TRUE(Near(-300 - k.northX, 200 - k.northY, QColor(0, 200, 0)));  // the south half
        EXPECT_TRUE(Near(-300 + k.eastX, 200 + k.eastY, QColor(0, 200, 0)));
    }
    // Turned: the old upright arm is gone.
    EXPECT_EQ(At(-300, 240), kWhite);
    EXPECT_EQ(At(-260, 200), kWhite);
    // The "N" sits above the turned arm's tip: some letter pixel right of the upright position.
    bool letter = false;
    for (int dx = 0; dx < 30; ++dx) {
        for (int dy = 0; dy < 25; ++dy) letter = letter || At(-300 + 8 + dx, 274 - dy) == QColor(0, 160, 0);
    }
    EXPECT_TRUE(letter);
}

TEST_F(SiteMap, FramesAndCaptions)
{
    drawing.DrawObstacleAreaFrame();
    drawing.DrawComuAreaFrame();
    EXPECT_EQ(At(-360, 0), QColor(100, 200, 100));
    EXPECT_EQ(At(0, 300), QColor(100, 200, 100));
    EXPECT_EQ(At(144, 0), QColor(200, 50, 50));
    EXPECT_EQ(At(0, -120), QColor(200, 50, 50));
    auto hasColor = [&](QPointF c1, QPointF c2, const QColor& color) {
        const QImage region = Region(pic.image(), c1, c2);
        for (int y = 0; y < region.height(); ++y)
            for (int x = 0; x < region.width(); ++x)
                if (region.pixelColor(x, y) == color) return true;
        return false;
    };
    EXPECT_TRUE(hasColor({-320, 290}, {-200, 270}, QColor(0, 192, 0)));
    EXPECT_TRUE(hasColor({-120, 110}, {80, 90}, QColor(192, 112, 112)));
}

TEST_F(SiteMap, PolylinesNeedTwoPoints)
{
    // One record point: a dot and no line; two distance points: two double circles and a line.
    gGPSRecordX[0] = 10;
    gGPSRecordY[0] = 5;  // picture (20, 10)
    gGPSRecordNum = 1;
    drawing.DrawGPSRecordLine();
    EXPECT_EQ(At(22, 10), QColor(0, 0, 200));
    EXPECT_EQ(At(20, 10), kWhite);

    drawing.pMeasurePointX[0] = -50;
    drawing.pMeasurePointY[0] = -50;
    drawing.pMeasurePointX[1] = -10;
    drawing.pMeasurePointY[1] = -50;
    drawing.pMeasurePointNum = 1;
    const QImage before = pic.image();
    drawing.DrawMeasureDistLine();
    EXPECT_EQ(pic.image(), before);
    drawing.pMeasurePointNum = 2;
    drawing.DrawMeasureDistLine();
    EXPECT_EQ(At(-60, -100), QColor(255, 0, 0));
    EXPECT_EQ(At(-103, -100), QColor(200, 0, 0));  // the outer circle left of the first point
}

TEST_F(SiteMap, ReceiverPositionIsMarkedOnlyNearTheSite)
{
    QLabel mark(&pic);
    mark.resize(16, 16);
    mark.hide();
    drawing.SetGPSPointImage(&mark);
    SetMapCenter(1000.0, 2000.0f);
    EXPECT_TRUE(drawing.ShowGPSPoint(1010.0, 2005.0));  // picture (20, 10)
    EXPECT_EQ(At(22, 10), QColor(0, 0, 200));
    EXPECT_EQ(mark.pos(), pic.toPixel(QPointF(12, 18)).toPoint());
    EXPECT_FALSE(mark.isHidden());

    const QImage before = pic.image();
    for (const Pt p : {Pt{-40000.0f, 2000.0f}, Pt{1000.0f, 9000.0f}, Pt{1260.0f, 2000.0f}}) {
        EXPECT_FALSE(drawing.ShowGPSPoint(p.x, p.y)) << p.x << ", " << p.y;
    }
    EXPECT_EQ(pic.image(), before);
    EXPECT_EQ(mark.pos(), pic.toPixel(QPointF(12, 18)).toPoint());
}
