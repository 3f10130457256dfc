// What the plan drawings put on a canvas, read back pixel by pixel.
#include <gtest/gtest.h>

#include "PlanFixture.h"
#include "planview/PlanDrawing.h"
#include "planview/PlanView.h"

namespace {

using plantest::Rect;
using plantest::SetPlanRoofs;

PictureCanvas PlanCanvas()
{
    PictureCanvas canvas(QSize(kPlanCanvasPixelWidth, kPlanCanvasPixelHeight));
    SetPlanCanvasScale(canvas);
    canvas.setDrawWidth(2);
    return canvas;
}

// Number of pixels that are mostly blue (antialiased text of the scale label).
int CountBlue(const PictureCanvas& canvas, QPointF a, QPointF b)
{
    const QRect r = QRectF(canvas.toPixel(a), canvas.toPixel(b)).normalized().toRect();
    int n = 0;
    for (int x = r.left(); x <= r.right(); ++x)
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const QColor c = canvas.image().pixelColor(x, y);
            n += c.blue() > 150 && c.red() < 90 && c.green() < 90;
        }
    return n;
}

// Number of pixels of `color` in the user rectangle (x0, y0) .. (x1, y1).
int CountColor(const PictureCanvas& canvas, QPointF a, QPointF b, const QColor& color)
{
    const QRect r = QRectF(canvas.toPixel(a), canvas.toPixel(b)).normalized().toRect();
    int n = 0;
    for (int x = r.left(); x <= r.right(); ++x)
        for (int y = r.top(); y <= r.bottom(); ++y) n += canvas.image().pixelColor(x, y) == color;
    return n;
}

TEST(PlanDrawing, RoofsLabelsAndTheSelectedRoof)
{
    SetFlatScaleTable();
    SetPlanRoofs({Rect(0, 0, 20, 20), Rect(-40, -40, -20, -20)});
    PictureCanvas canvas = PlanCanvas();
    const auto box = DrawFlatLineMap(canvas, PlanFrame{4.0}, 1);
    // Roof 0 in the copy colour along its bottom edge (0..80, 0).
    EXPECT_EQ(canvas.pointColor({40, 0}), kPlanRoofColor);
    // Its label "10m" in grey with its top-left at the mean of its five points (32, 32).
    EXPECT_GT(CountColor(canvas, {32, 32}, {60, 16}, kHeightLabelColor), 10);
    // Roof 1 highlighted with the exclusive-or pen over white: white ^ (0,255,200).
    EXPECT_EQ(canvas.pointColor({-120, -160}), QColor(255, 0, 55));
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(*box, (HandleBox{-80, -80, -160, -160}));
    // A handle box: white drawn over white with the exclusive-or pen is black.
    EXPECT_EQ(canvas.pointColor({-82.5, -82.5}), QColor(0, 0, 0));
    // The title.
    EXPECT_GT(CountColor(canvas, {250, 300}, {390, 280}, kTitleColor), 20);
}

TEST(PlanDrawing, ScaleBarAndNorthMark)
{
    SetFlatScaleTable();
    PictureCanvas canvas = PlanCanvas();
    DrawFlatScaleBar(canvas, 34);  // 50 m at 4 units per metre: 200 units
    EXPECT_EQ(canvas.pointColor({-340 + 100, -310}), kScaleBarColor);
    EXPECT_EQ(canvas.pointColor({-340 + 200, -305}), kScaleBarColor) << "end tick";
    EXPECT_NE(canvas.pointColor({-340 + 210, -310}), kScaleBarColor) << "the bar ends at 200";
    EXPECT_GT(CountBlue(canvas, {-270, -280}, {-200, -310}), 5) << "label 50m";
    DrawNorthMark(canvas);
    EXPECT_EQ(canvas.pointColor({-330, 200}), kNorthMarkColor);
    EXPECT_EQ(canvas.pointColor({-350, 230}), kNorthMarkColor);
    EXPECT_GT(CountColor(canvas, {-335, 300}, {-320, 282}, kNorthMarkColor), 5) << "N";
}

TEST(PlanDrawing, NorthUpOutlinesTurnCounterClockwise)
{
    SetFlatScaleTable();
    SetPlanRoofs({Rect(10, -1, 30, 1)});  // a bar east of the origin
    PictureCanvas canvas = PlanCanvas();
    DrawAzimusFlatLine(canvas, 4.0f, 90.0f);  // turned to lie north of the origin
    EXPECT_EQ(canvas.pointColor({-4, 80}), kNorthUpRoofColor);
    EXPECT_NE(canvas.pointColor({80, -4}), kNorthUpRoofColor);
}

TEST(PlanDrawing, FootprintCellsInRoofColours)
{
    SetBillColorTable();
    judge::HeightMesh mesh;
    mesh.set(150, 150, 1.0f);
    mesh.set(152, 150, 2.0f);
    PictureCanvas canvas = PlanCanvas();
    DrawFootprintCells(canvas, mesh, 4.0f);
    EXPECT_EQ(canvas.pointColor({2, 2}), FootprintColor(0));
    EXPECT_EQ(canvas.pointColor({10, 2}), FootprintColor(1));
    EXPECT_EQ(canvas.pointColor({6, 2}), QColor(Qt::white));
}

}  // namespace
