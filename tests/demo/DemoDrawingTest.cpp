// The building-input demonstration's drawing against a recording surface (what is drawn, in
// which order) and on a canvas (what shows).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "demo/DemoDrawing.h"
#include "platform/PictureCanvas.h"
#include "site/TopAreaModel.h"

namespace {

struct Call {
    enum Kind { Clear, Empty, Line, Text, PutPen, ShowPen } kind;
    QPointF a, b;
    QColor color;
    QString text;
    DemoPen pen = DemoPen::TopLine;
    bool shown = false;
};

class RecordingSurface : public DemoSurface {
public:
    std::vector<Call> calls;

    void clearDrawing() override { calls.push_back({Call::Clear, {}, {}, {}, {}}); }
    void emptyPicture() override { calls.push_back({Call::Empty, {}, {}, {}, {}}); }
    void line(QPointF from, QPointF to, const QColor& color) override { calls.push_back({Call::Line, from, to, color, {}}); }
    void text(QPointF topLeft, const QString& text, const QColor& color, int) override
    {
        calls.push_back({Call::Text, topLeft, {}, color, text});
    }
    void putPen(DemoPen pen, QPointF at) override { calls.push_back({Call::PutPen, at, {}, {}, {}, pen}); }
    void showPen(DemoPen pen, bool shown) override { calls.push_back({Call::ShowPen, {}, {}, {}, {}, pen, shown}); }

    std::vector<Call> of(Call::Kind kind) const
    {
        std::vector<Call> out;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(out), [kind](const Call& c) { return c.kind == kind; });
        return out;
    }
    QStringList texts() const
    {
        QStringList out;
        for (const Call& c : of(Call::Text)) out << c.text;
        return out;
    }
};

struct DemoDrawingFixture : ::testing::Test {
    RecordingSurface surface;
    DemoDrawing drawing{surface};

    void load(int which) { drawing.bills() = LoadDemoBillData(which); }
};

}  // namespace

TEST_F(DemoDrawingFixture, RoofLinesOfDemonstrationOne)
{
    load(1);
    for (int k = 0; k < 37; ++k) drawing.DrawDemoTopLine(k);
    const auto lines = surface.of(Call::Line);
    // 37 points in 6 roofs: each roof's first point only places the pen.
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ(surface.of(Call::PutPen).size(), 37u);
    for (const Call& c : lines) EXPECT_EQ(c.color, kDemoRoofColor);
    EXPECT_EQ(lines.front().a, QPointF(110, 4));
    EXPECT_EQ(lines.front().b, QPointF(111, -62));
    // Roof 0 closes at its 7th point; roof 1 starts with its own first point.
    EXPECT_EQ(lines[5].b, QPointF(110, 4));
    EXPECT_EQ(lines[6].a, QPointF(109, 70));
    EXPECT_EQ(drawing.pTopLineSTS, 0);
    // A point past the data set changes nothing.
    surface.calls.clear();
    drawing.DrawDemoTopLine(37);
    EXPECT_TRUE(surface.calls.empty());
}

TEST_F(DemoDrawingFixture, RoofClosesOnlyWithinLessThanFiveOfItsStart)
{
    struct Row {
        const char* name;
        PhotoPoint last;
        int statusAfter;
    };
    for (const Row row : {Row{"exactly 5 away stays open", {5, 0}, 1}, Row{"4.9 away closes", {4.9f, 0}, 0},
                          Row{"3-4-5 triangle stays open", {3, 4}, 1}, Row{"the start closes", {0, 0}, 0}}) {
        drawing.bills().data.points = {{0, 0}, {100, 0}, {100, 100}, row.last};
        drawing.ResetTopLine();
        for (int k = 0; k < 4; ++k) drawing.DrawDemoTopLine(k);
        EXPECT_EQ(drawing.pTopLineSTS, row.statusAfter) << row.name;
    }
}

TEST_F(DemoDrawingFixture, WallEdgesOfDemonstrationOneTakeTwoCallsEach)
{
    load(1);
    drawing.ResetWallLine();
    for (int i = 0; i < 20; ++i) drawing.DrawDemoWallLine();
    const auto lines = surface.of(Call::Line);
    ASSERT_EQ(lines.size(), 10u);
    const auto& walls = drawing.bills().data.walls;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        EXPECT_EQ(lines[k].a, QPointF(walls[k].top.x, walls[k].top.y));
        EXPECT_EQ(lines[k].b, QPointF(walls[k].foot.x, walls[k].foot.y));
        EXPECT_EQ(lines[k].color, kDemoWallColor);
    }
    // The pen stands on the upper end, then on the foot: 20 moves.
    EXPECT_EQ(surface.of(Call::PutPen).size(), 20u);
    EXPECT_EQ(drawing.pWallEdgeIndex, 10);
    surface.calls.clear();
    drawing.DrawDemoWallLine();
    EXPECT_TRUE(surface.calls.empty());
}

TEST_F(DemoDrawingFixture, DetectionOfDemonstrationTwoRevealsRoofsInOrderWithOnlyTheirWalls)
{
    load(2);
    ASSERT_EQ(drawing.bills().pEachTopAreaNumber, 7);
    drawing.ResetTopLine();
    drawing.ResetFoundTopArea();
    const auto& d = drawing.bills().data;
    for (int r = 0; r < 7; ++r) {
        SCOPED_TRACE(r);
        surface.calls.clear();
        for (int i = 0; i < 5; ++i) drawing.DrawDemoFoundTopArea(i);
        // Pointer at the click point lifted by 10, then the busy mark there.
        const auto pens = surface.of(Call::PutPen);
        ASSERT_EQ(pens.size(), 2u);
        const QPointF pointer(drawing.bills().clickPoints[r].x, drawing.bills().clickPoints[r].y + 10);
        EXPECT_EQ(pens[0].pen, DemoPen::BillTop);
        EXPECT_EQ(pens[0].a, pointer);
        EXPECT_EQ(pens[1].pen, DemoPen::Busy);
        EXPECT_EQ(pens[1].a, pointer);
        EXPECT_EQ(drawing.bills().pEachTopAreaNumber, r + 1);
        // The slope view redrawn with roofs 0..r: their outlines, and the walls of those roofs only.
        int roofLines = 0;
        for (int j = 0; j <= r; ++j) roofLines += d.roofs[j].count - 1;
        const auto walls = std::count_if(d.walls.begin(), d.walls.end(), [r](const LineWallEdge& w) { return w.owner <= r; });
        const auto lines = surface.of(Call::Line);
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const Call& c) { return c.color == kDemoRoofColor; }), roofLines);
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const Call& c) { return c.color == kDemoWallColor; }), walls);
        // The pointer is hidden again at the end of each roof.
        EXPECT_EQ(surface.calls.back().kind, Call::ShowPen);
        EXPECT_EQ(surface.calls.back().pen, DemoPen::BillTop);
        EXPECT_FALSE(surface.calls.back().shown);
    }
    // Past the last roof nothing shows.
    surface.calls.clear();
    for (int i = 0; i < 2; ++i) drawing.DrawDemoFoundTopArea(i);
    EXPECT_TRUE(surface.calls.empty());
}

TEST_F(DemoDrawingFixture, ClearedPictureShowsEveryLine)
{
    load(1);
    drawing.ClearPhotoShowSlope();
    ASSERT_FALSE(surface.calls.empty());
    EXPECT_EQ(surface.calls.front().kind, Call::Empty);
    EXPECT_EQ(surface.texts(), QStringList{QStringLiteral("傾斜図表示")});
    EXPECT_EQ(surface.of(Call::Line).size(), 31u + 10u);
}

TEST_F(DemoDrawingFixture, PlanViewOfDemonstrationOne)
{
    load(1);
    drawing.ShowFlatLineMap(-1);
    EXPECT_EQ(surface.calls.front().kind, Call::Clear);
    const QStringList texts = surface.texts();
    EXPECT_EQ(texts, (QStringList{"平面図表示", "26m", "27m", "23m", "27m", "27m", "27m", "50m", "N"}));
    // Roof 1's label at 4 x the mean of its 5 stored points (the first counted twice):
    // x (16.4 + 15.8 + 36.4 + 37.6 + 16.4) / 5 = 24.52, y (-7.1 - 18.1 - 20.0 - 8.5 - 7.1) / 5 = -12.16.
    const auto textCalls = surface.of(Call::Text);
    EXPECT_NEAR(textCalls[2].a.x(), 98.08, 1e-3);
    EXPECT_NEAR(textCalls[2].a.y(), -48.64, 1e-3);
    // Roof 0's first line at 4 units per metre: (15.5, -18.8) -> (62, -75.2).
    const auto lines = surface.of(Call::Line);
    EXPECT_NEAR(lines[0].a.x(), 62.0, 1e-4);
    EXPECT_NEAR(lines[0].a.y(), -75.2, 1e-4);
    // 31 roof lines, the bar with 6 ticks, 4 strokes of the north mark.
    EXPECT_EQ(lines.size(), 31u + 7u + 4u);
}

TEST(DemoCanvasSurface, PhotoStaysUnderTheTitleAndGoesWithTheEmptying)
{
    PictureCanvas canvas(QSize(788, 678));
    canvas.setScale(-394, 339, 788, -678);
    DemoCanvasSurface surface(canvas);
    QImage photo(788, 678, QImage::Format_RGB32);
    photo.fill(QColor(40, 90, 40));
    surface.setPhoto(photo);
    DemoDrawing drawing(surface);
    drawing.bills() = LoadDemoBillData(1);

    drawing.ShowSlopeTitle();
    EXPECT_EQ(canvas.pointColor(QPointF(0, 0)), QColor(40, 90, 40));
    // Roof 0's first edge, drawn over the photo.
    drawing.ResetTopLine();
    drawing.DrawDemoTopLine(0);
    drawing.DrawDemoTopLine(1);
    EXPECT_EQ(canvas.pointColor(QPointF(110.5, -29)), kDemoRoofColor);
    EXPECT_EQ(surface.penAt(DemoPen::TopLine), QPointF(111, -62));

    drawing.ClearPhotoShowSlope();
    EXPECT_FALSE(surface.hasPhoto());
    EXPECT_EQ(canvas.pointColor(QPointF(0, 0)), QColor(Qt::white));
    EXPECT_EQ(canvas.pointColor(QPointF(110.5, -29)), kDemoRoofColor);
    // Wall edge 0 from (111, -62) to (93, -146), at its middle.
    EXPECT_EQ(canvas.pointColor(QPointF(102, -104)), kDemoWallColor);

    drawing.ShowFlatLineMap(-1);
    // The north mark's shaft and the scale bar.
    EXPECT_EQ(canvas.pointColor(QPointF(-330, 200)), kDemoNorthColor);
    EXPECT_EQ(canvas.pointColor(QPointF(-240, -310)), kDemoScaleBarColor);
    EXPECT_EQ(canvas.pointColor(QPointF(102, -104)), QColor(Qt::white));
}

TEST(PutDemoBillData, HandsThePlanToTheSiteModel)
{
    ClearTopAreaModel();
    PutDemoBillData(LoadDemoBillData(1));
    ASSERT_EQ(gEachTopAreaNumber, 6);
    EXPECT_EQ(gTopAreaPointTotalNumber, 37);
    EXPECT_EQ(gEachTopAreaStartNum[5], 30);
    EXPECT_EQ(gEachTopAreaPointNum[5], 7);
    EXPECT_FLOAT_EQ(gFlatTopHeight[0], 26.3f);
    // Plan points unturned: roof 2's first point.
    EXPECT_FLOAT_EQ(gNorthTopAreaX[12], 12.7f);
    EXPECT_FLOAT_EQ(gNorthTopAreaY[12], 28.1f);

    // With no roof in use nothing changes.
    DemoBillData none = LoadDemoBillData(2);
    none.pEachTopAreaNumber = 0;
    PutDemoBillData(none);
    EXPECT_EQ(gEachTopAreaNumber, 6);
    EXPECT_EQ(gTopAreaPointTotalNumber, 37);
}
