#include "PlanDrawing.h"

#include <algorithm>
#include <cmath>

#include "photoinput/PhotoModel.h"
#include "planview/FootprintGrid.h"
#include "planview/PlanView.h"
#include "platform/Fonts.h"
#include "platform/NumberText.h"

namespace {

QFont BoldFont(double points)
{
    QFont font = platform::WindowFont(points);
    font.setBold(true);
    return font;
}

void PrintAt(PictureCanvas& canvas, QPointF at, const QString& text, const QColor& color, const QFont& font)
{
    canvas.setTextFont(font);
    canvas.setForeColor(color);
    canvas.setCurrentPoint(at);
    canvas.printText(text);
}

QString HeightLabel(float height) { return QString::fromStdString(platform::FormatFixed(height, "###0")) + "m"; }

// Draws roof `roof` in `frame`, with circles on every point but the first when `circles`, and its
// label; returns the canvas bounding box of its points.
HandleBox DrawPlanRoof(PictureCanvas& canvas, int roof, const PlanFrame& frame, const QColor& color, bool circles)
{
    HandleBox box{-999.0, -999.0, 999.0, 999.0};
    const int first = std::max(gEachTopAreaStartNum[roof], 0);
    const int last = std::min(gEachTopAreaStartNum[roof] + gEachTopAreaPointNum[roof] - 1, kMaxTopPoints - 1);
    QPointF previous, sum;
    int count = 0;
    for (int k = first; k <= last; ++k) {
        const QPointF p = frame.toCanvas(gFlatTopAreaX[k], gFlatTopAreaY[k]);
        if (k > first) {
            if (circles) canvas.circle(p, 2.0, color);
            canvas.line(previous, p, color);
        }
        box.maxX = std::max(box.maxX, p.x());
        box.maxY = std::max(box.maxY, p.y());
        box.minX = std::min(box.minX, p.x());
        box.minY = std::min(box.minY, p.y());
        previous = p;
        sum += p;
        ++count;
    }
    if (count > 0) PrintAt(canvas, sum / count, HeightLabel(gFlatTopHeight[roof]), kHeightLabelColor, BoldFont(14));
    return box;
}

}  // namespace

void SetPlanCanvasScale(PictureCanvas& canvas)
{
    canvas.setScale(kPlanCanvasLeft, kPlanCanvasTop, kPlanCanvasWidth, kPlanCanvasHeight);
}

std::optional<HandleBox> DrawFlatLineMap(PictureCanvas& canvas, const PlanFrame& frame, int selected)
{
    canvas.clear();
    DrawViewTitle(canvas, QStringLiteral("平面図表示"));
    const int roofs = std::clamp(gEachTopAreaNumber, 0, kMaxTopAreas);
    for (int i = 0; i < roofs; ++i) {
        if (i != selected) DrawPlanRoof(canvas, i, frame, kPlanRoofColor, false);
    }
    if (selected < 0 || selected >= roofs) return std::nullopt;
    canvas.setDrawMode(PictureCanvas::DrawMode::Xor);
    const HandleBox box = DrawPlanRoof(canvas, selected, frame, kPlanSelectedColor, true);
    DrawAreaHandle(canvas, box);
    return box;
}

void DrawFlatScaleBar(PictureCanvas& canvas, int step)
{
    step = std::clamp(step, 0, kFlatScaleSteps - 1);
    canvas.setDrawMode(PictureCanvas::DrawMode::Copy);
    const double length = static_cast<double>(gFlatScaleLength[step]) * gFlatScaleRate[step];
    canvas.line({-340, -310}, {-340 + length, -310}, kScaleBarColor);
    for (int k = 0; k <= 5; ++k) {
        const double x = -340 + k * 0.2 * length;
        canvas.line({x, -310}, {x, -300}, kScaleBarColor);
    }
    PrintAt(canvas, {-270, -280}, QString::fromStdString(gFlatScaleText[step]), kScaleTextColor, canvas.textFont());
}

void DrawNorthMark(PictureCanvas& canvas)
{
    canvas.setDrawMode(PictureCanvas::DrawMode::Copy);
    canvas.line({-330, 280}, {-330, 180}, kNorthMarkColor);
    canvas.line({-330, 280}, {-340, 260}, kNorthMarkColor);
    canvas.line({-330, 280}, {-320, 260}, kNorthMarkColor);
    canvas.line({-360, 230}, {-300, 230}, kNorthMarkColor);
    PrintAt(canvas, {-335, 300}, QStringLiteral("N"), kNorthMarkColor, BoldFont(14));
}

void DrawAzimusFlatLine(PictureCanvas& canvas, float rate, float northAngle)
{
    const int roofs = std::clamp(gEachTopAreaNumber, 0, kMaxTopAreas);
    if (roofs == 0) return;
    canvas.setDrawMode(PictureCanvas::DrawMode::Copy);
    for (int i = 0; i < roofs; ++i) DrawPlanRoof(canvas, i, PlanFrame{rate, northAngle}, kNorthUpRoofColor, false);
}

QColor FootprintColor(int roof)
{
    const RoofColor& c = gBillColor[static_cast<std::size_t>(std::clamp(roof, 0, kBillColors - 1))];
    return QColor(c.red, c.green, c.blue);
}

void DrawFootprintCrossings(PictureCanvas& canvas, const std::vector<judge::Crossing>& crossings, float rate)
{
    canvas.setDrawMode(PictureCanvas::DrawMode::Copy);
    for (const auto& c : crossings) {
        const QPointF corner((static_cast<double>(c.x) - kFootprintFrame.originX) * rate,
                             (static_cast<double>(c.y) - kFootprintFrame.originY) * rate);
        canvas.filledBox(corner, corner + QPointF(rate, rate), FootprintColor(c.area));
    }
}

void DrawFootprintCells(PictureCanvas& canvas, const judge::HeightMesh& mesh, float rate)
{
    canvas.setDrawMode(PictureCanvas::DrawMode::Copy);
    for (int x = 0; x <= 300; ++x) {
        for (int y = 0; y <= 270; ++y) {
            const float v = mesh.at(x, y);
            if (!(v > 0.0f)) continue;
            const QPointF corner((x - kFootprintFrame.originX) * static_cast<double>(rate),
                                 (y - kFootprintFrame.originY) * static_cast<double>(rate));
            canvas.filledBox(corner, corner + QPointF(rate, rate), FootprintColor(static_cast<int>(v) - 1));
        }
    }
}
