#include "OverlayDrawing.h"

#include <algorithm>

#include "photoinput/PhotoModel.h"
#include "platform/Fonts.h"

namespace {

bool IsRoof(int roof) { return roof >= 0 && roof < std::min(gEachTopAreaNumber, kMaxTopAreas); }

template <class F>
void ForRunPoints(int roof, F f)
{
    const int first = std::max(gEachTopAreaStartNum[roof], 0);
    const int last = std::min(gEachTopAreaStartNum[roof] + gEachTopAreaPointNum[roof] - 1, kMaxTopPoints - 1);
    for (int k = first; k <= last; ++k) f(k, k == first);
}

void DrawRoofLine(PictureCanvas& canvas, int roof, const QColor& color)
{
    QPointF previous;
    ForRunPoints(roof, [&](int k, bool first) {
        const QPointF p(gTopAreaX[k], gTopAreaY[k]);
        if (!first) canvas.line(previous, p, color);
        previous = p;
    });
}

int WallCount() { return std::clamp(gWallEdgeNumber, 0, kMaxWallEdges); }

void Widen(HandleBox& box, double x, double y)
{
    box.maxX = std::max(box.maxX, x);
    box.maxY = std::max(box.maxY, y);
    box.minX = std::min(box.minX, x);
    box.minY = std::min(box.minY, y);
}

}  // namespace

void DrawAreaHandle(PictureCanvas& canvas, const HandleBox& box)
{
    const QPointF corners[] = {{box.maxX, box.maxY}, {box.minX, box.maxY}, {box.maxX, box.minY}, {box.minX, box.minY}};
    for (const QPointF& c : corners) {
        canvas.filledBox(c + QPointF(5, 5), c - QPointF(5, 5), kHandleColor);
    }
}

void DrawViewTitle(PictureCanvas& canvas, const QString& title)
{
    canvas.setDrawMode(PictureCanvas::DrawMode::Copy);
    QFont font = platform::WindowFont(16);
    font.setBold(true);
    canvas.setTextFont(font);
    canvas.setForeColor(kTitleColor);
    canvas.setCurrentPoint(QPointF(250, 300));
    canvas.printText(title);
}

std::optional<HandleBox> DrawPhotoOverlay(PictureCanvas& canvas, int active, int wallSwitch, int selectedRoof)
{
    DrawViewTitle(canvas, QStringLiteral("傾斜図表示"));
    for (int i = 0; i < std::min(gEachTopAreaNumber, kMaxTopAreas); ++i) {
        if (i != active) DrawRoofLine(canvas, i, kRoofLineColor);
    }
    for (int k = 0; k < WallCount(); ++k) {
        if (gWallEdgefotEachTopArea[k] == selectedRoof) continue;
        canvas.line({gFirstWallEdgeX[k], gFirstWallEdgeY[k]}, {gSecondWallEdgeX[k], gSecondWallEdgeY[k]}, kWallLineColor);
    }
    if (active < 0) return std::nullopt;
    canvas.setDrawMode(PictureCanvas::DrawMode::Xor);
    HandleBox box{-999.0, -999.0, 999.0, 999.0};
    if (IsRoof(active)) {
        QPointF previous;
        ForRunPoints(active, [&](int k, bool first) {
            const QPointF p(gTopAreaX[k], gTopAreaY[k]);
            if (!first) {
                canvas.circle(p, 2.0, kHighlightColor);
                canvas.line(previous, p, kHighlightColor);
            }
            Widen(box, p.x(), p.y());
            previous = p;
        });
    }
    if (wallSwitch > -1) {
        for (int k = 0; k < WallCount(); ++k) {
            if (gWallEdgefotEachTopArea[k] != selectedRoof) continue;
            const QPointF top(gFirstWallEdgeX[k], gFirstWallEdgeY[k]), foot(gSecondWallEdgeX[k], gSecondWallEdgeY[k]);
            canvas.circle(top, 2.0, kSelectedWallColor);
            canvas.line(top, foot, kSelectedWallColor);
            canvas.circle(foot, 2.0, kSelectedWallColor);
            Widen(box, top.x(), top.y());
            Widen(box, foot.x(), foot.y());
        }
    }
    DrawAreaHandle(canvas, box);
    return box;
}

void DrawPhotoOverlayOnly(PictureCanvas& canvas)
{
    DrawViewTitle(canvas, QStringLiteral("傾斜図表示"));
    for (int i = 0; i < std::min(gEachTopAreaNumber, kMaxTopAreas); ++i) DrawRoofLine(canvas, i, kRoofLineColor);
    for (int k = 0; k < WallCount(); ++k) {
        canvas.line({gFirstWallEdgeX[k], gFirstWallEdgeY[k]}, {gSecondWallEdgeX[k], gSecondWallEdgeY[k]}, kWallLineColor);
    }
    canvas.setDrawMode(PictureCanvas::DrawMode::Copy);
}
