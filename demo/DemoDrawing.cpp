#include "DemoDrawing.h"

#include <algorithm>
#include <cmath>

#include "photoinput/SampleData.h"
#include "platform/Fonts.h"
#include "platform/NumberText.h"
#include "platform/PictureCanvas.h"
#include "site/TopAreaModel.h"

namespace {

constexpr double kCloseDistance = 5.0;  // photo units: a roof point this near its start closes it
constexpr int kFoundSteps = 5;          // ticks of one roof's simulated detection
constexpr double kPointerLift = 10.0;   // pointer and busy mark stand this far above the click
const QPointF kTitleAt{250, 320};
constexpr int kTitlePoints = 16;
constexpr int kLabelPoints = 14;
constexpr int kDemoLineWidth = 2;  // pixels

QPointF At(const PhotoPoint& p) { return {p.x, p.y}; }

}  // namespace

// ---- The canvas surface ---------------------------------------------------------------------

void DemoCanvasSurface::setPhoto(const QImage& photo)
{
    photo_ = photo;
    clearDrawing();
}

void DemoCanvasSurface::clearDrawing()
{
    canvas_.clear();
    if (photo_.isNull()) return;
    const QPointF corner1(canvas_.scaleLeft(), canvas_.scaleTop());
    const QPointF corner2(canvas_.scaleLeft() + canvas_.scaleWidth(), canvas_.scaleTop() + canvas_.scaleHeight());
    canvas_.drawImage(corner1, corner2, photo_);
}

void DemoCanvasSurface::emptyPicture()
{
    photo_ = QImage();
    canvas_.clear();
}

void DemoCanvasSurface::line(QPointF from, QPointF to, const QColor& color)
{
    canvas_.setDrawMode(PictureCanvas::DrawMode::Copy);
    canvas_.setDrawWidth(kDemoLineWidth);
    canvas_.line(from, to, color);
}

void DemoCanvasSurface::text(QPointF topLeft, const QString& text, const QColor& color, int pointSize)
{
    QFont font = platform::WindowFont(pointSize);
    font.setBold(true);
    canvas_.setDrawMode(PictureCanvas::DrawMode::Copy);
    canvas_.setTextFont(font);
    canvas_.setForeColor(color);
    canvas_.setCurrentPoint(topLeft);
    canvas_.printText(text);
}

// ---- The window's building model ------------------------------------------------------------

DemoBillData LoadDemoBillData(int which)
{
    const SampleSet& set = DemoDataSet(which);
    DemoBillData bills;
    bills.data = set.data;
    bills.clickPoints = set.clickPoints;
    bills.pFlatMapRate = set.flatMapRate;
    bills.pEachTopAreaNumber = static_cast<int>(set.data.roofs.size());
    return bills;
}

void PutDemoBillData(const DemoBillData& bills)
{
    const LineData& d = bills.data;
    const int roofs = std::min<int>(bills.pEachTopAreaNumber, static_cast<int>(d.roofs.size()));
    if (roofs <= 0 || d.planPoints.size() != d.points.size()) return;
    ClearTopAreaModel();
    for (int r = 0; r < roofs; ++r) {
        const LineRoof& roof = d.roofs[r];
        if (roof.start < 0 || roof.count <= 0 || roof.start + roof.count > static_cast<int>(d.planPoints.size())) break;
        std::vector<TopAreaPoint> outline;
        for (int i = roof.start; i < roof.start + roof.count; ++i) outline.push_back({d.planPoints[i].x, d.planPoints[i].y});
        if (AppendTopArea(outline, roof.height) != TopAreaEdit::Done) break;
    }
}

// ---- Drawing --------------------------------------------------------------------------------

void DemoDrawing::Title(const QString& title)
{
    surface_.clearDrawing();
    surface_.text(kTitleAt, title, kDemoTitleColor, kTitlePoints);
}

void DemoDrawing::ShowSlopeTitle() { Title(QStringLiteral("傾斜図表示")); }

void DemoDrawing::ShowDemoPhotoLine(bool onlyWallsOfShownRoofs)
{
    ShowSlopeTitle();
    const LineData& d = bills_.data;
    const int roofs = std::min<int>(bills_.pEachTopAreaNumber, static_cast<int>(d.roofs.size()));
    const int points = static_cast<int>(d.points.size());
    for (int r = 0; r < roofs; ++r) {
        const int first = std::max(d.roofs[r].start, 0);
        const int last = std::min(d.roofs[r].start + d.roofs[r].count - 1, points - 1);
        for (int i = first; i < last; ++i) surface_.line(At(d.points[i]), At(d.points[i + 1]), kDemoRoofColor);
    }
    for (const LineWallEdge& w : d.walls) {
        if (onlyWallsOfShownRoofs && w.owner >= bills_.pEachTopAreaNumber) continue;
        surface_.line(At(w.top), At(w.foot), kDemoWallColor);
    }
}

void DemoDrawing::DrawDemoTopLine(int k)
{
    const auto& points = bills_.data.points;
    if (k < 0 || k >= static_cast<int>(points.size())) return;
    const QPointF p = At(points[k]);
    surface_.putPen(DemoPen::TopLine, p);
    if (pTopLineSTS == 0) {
        pTopLineStart = p;
        pTopLineSTS = 1;
    } else {
        surface_.line(pPen, p, kDemoRoofColor);
        if (std::hypot(p.x() - pTopLineStart.x(), p.y() - pTopLineStart.y()) < kCloseDistance) pTopLineSTS = 0;
    }
    pPen = p;
}

void DemoDrawing::DrawDemoWallLine()
{
    const auto& walls = bills_.data.walls;
    if (pWallEdgeIndex < 0 || pWallEdgeIndex >= static_cast<int>(walls.size())) return;
    const LineWallEdge& w = walls[pWallEdgeIndex];
    if (pWallLineSTS == 0) {
        pPen = At(w.top);
        surface_.putPen(DemoPen::WallLine, pPen);
        pWallLineSTS = 1;
    } else {
        surface_.line(pPen, At(w.foot), kDemoWallColor);
        surface_.putPen(DemoPen::WallLine, At(w.foot));
        pWallLineSTS = 0;
        ++pWallEdgeIndex;
    }
}

void DemoDrawing::DrawDemoFoundTopArea(int /*k*/)
{
    if (pTopLineSTS != 0) return;
    const int r = pFoundTopArea;
    if (r < 0 || r >= static_cast<int>(bills_.clickPoints.size()) || r >= static_cast<int>(bills_.data.roofs.size())) return;
    const QPointF pointer(bills_.clickPoints[r].x, bills_.clickPoints[r].y + kPointerLift);
    switch (pFoundStep) {
    case 0:
        surface_.showPen(DemoPen::Busy, false);
        surface_.putPen(DemoPen::BillTop, pointer);
        surface_.showPen(DemoPen::BillTop, true);
        break;
    case 2:
        surface_.showPen(DemoPen::BillTop, false);
        surface_.putPen(DemoPen::Busy, pointer);
        surface_.showPen(DemoPen::Busy, true);
        break;
    case 4:
        surface_.showPen(DemoPen::Busy, false);
        bills_.pEachTopAreaNumber = r + 1;
        ShowDemoPhotoLine(true);
        break;
    default:
        break;
    }
    if (++pFoundStep == kFoundSteps) {
        surface_.showPen(DemoPen::BillTop, false);
        pFoundStep = 0;
        ++pFoundTopArea;
    }
}

void DemoDrawing::ClearPhotoShowSlope()
{
    surface_.emptyPicture();
    ShowDemoPhotoLine(false);
}

void DemoDrawing::ShowFlatLineMap(int /*index*/)
{
    DrawDemoFlatLineMap();
    DrawDemoScaleBar();
    DrawDemoNorthMark();
}

void DemoDrawing::DrawDemoFlatLineMap()
{
    Title(QStringLiteral("平面図表示"));
    const LineData& d = bills_.data;
    const double rate = bills_.pFlatMapRate;
    const int roofs = std::min<int>(bills_.pEachTopAreaNumber, static_cast<int>(d.roofs.size()));
    const int points = static_cast<int>(d.planPoints.size());
    for (int r = 0; r < roofs; ++r) {
        const int first = std::max(d.roofs[r].start, 0);
        const int last = std::min(d.roofs[r].start + d.roofs[r].count - 1, points - 1);
        double sumX = 0.0, sumY = 0.0;
        int count = 0;
        for (int i = first; i <= last; ++i) {
            const PhotoPoint& p = d.planPoints[i];
            if (i < last) {
                const PhotoPoint& q = d.planPoints[i + 1];
                surface_.line(QPointF(rate * p.x, rate * p.y), QPointF(rate * q.x, rate * q.y), kDemoRoofColor);
            }
            sumX += p.x;
            sumY += p.y;
            ++count;
        }
        if (count == 0) continue;
        // The mean over the stored points counts the first point twice (the closing point).
        const QString label = QString::fromStdString(platform::FormatFixed(d.roofs[r].height, "###0")) + QStringLiteral("m");
        surface_.text(QPointF(rate * sumX / count, rate * sumY / count), label, kDemoTitleColor, kLabelPoints);
    }
}

void DemoDrawing::DrawDemoScaleBar()
{
    // A fixed 50 m bar: 200 units at 4 units per metre, ticks every 10 m.
    surface_.line(QPointF(-340, -310), QPointF(-140, -310), kDemoScaleBarColor);
    for (int i = 0; i <= 5; ++i) {
        const double x = -340 + 40 * i;
        surface_.line(QPointF(x, -310), QPointF(x, -300), kDemoScaleBarColor);
    }
    surface_.text(QPointF(-270, -280), QStringLiteral("50m"), kDemoScaleTextColor, kLabelPoints);
}

void DemoDrawing::DrawDemoNorthMark()
{
    surface_.line(QPointF(-330, 280), QPointF(-330, 180), kDemoNorthColor);
    surface_.line(QPointF(-330, 280), QPointF(-340, 260), kDemoNorthColor);
    surface_.line(QPointF(-330, 280), QPointF(-320, 260), kDemoNorthColor);
    surface_.line(QPointF(-360, 230), QPointF(-300, 230), kDemoNorthColor);
    surface_.text(QPointF(-335, 300), QStringLiteral("N"), kDemoNorthColor, kLabelPoints);
}
