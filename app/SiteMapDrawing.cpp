#include "SiteMapDrawing.h"

#include <algorithm>
#include <cmath>

#include <QWidget>

#include "site/GpsRecord.h"
#include "site/MapView.h"
#include "site/TopAreaModel.h"
#include "orbit/TextHelpers.h"
#include "platform/Fonts.h"
#include "platform/NumberText.h"
#include "platform/PictureSurface.h"

namespace {

const QColor kOutlineColor(255, 0, 200);
const QColor kHeightLabelColor(128, 128, 128);
const QColor kSelectedColor(0, 255, 200);
const QColor kSelectMarkColor(255, 255, 255);
const QColor kRecordColor(0, 0, 200);
const QColor kObstacleFrameColor(100, 200, 100);
const QColor kObstacleCaptionColor(0, 192, 0);
const QColor kComuFrameColor(200, 50, 50);
const QColor kComuCaptionColor(192, 112, 112);
const QColor kScaleBarColor(0, 0, 200);
const QColor kScaleLabelColor(0, 0, 224);
const QColor kCompassColor(0, 200, 0);
const QColor kCompassLetterColor(0, 160, 0);
const QColor kMeasurePointColor(200, 0, 0);
const QColor kMeasureLineColor(255, 0, 0);
const QColor kReceiverColor(0, 0, 200);

constexpr double kMarkHalf = 5.0;        // corner marks are 10 x 10 units
constexpr double kNoBoxMax = -999.0;     // start of the selected outline's box
constexpr double kNoBoxMin = 999.0;
const QPointF kCompassCentre(-300, 200);
const QPointF kScaleBarStart(-330, -280);
constexpr double kScaleTickHeight = 10.0;
// A receiver position is drawn only inside this square of picture units around the origin: a
// little beyond the picture on every side, so positions far off the site (plane coordinates on
// a map that has not been corrected) are left out.
constexpr double kReceiverLimit = 500.0;

QFont BoldFont(double points)
{
    QFont font = platform::WindowFont(points);
    font.setBold(true);
    return font;
}

QPointF ToPicture(const MapViewState& view, double dx, double dy)
{
    const PicturePoint p = ViewToPicture(view, dx, dy);
    return {p.x, p.y};
}

bool IsFinite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// The compass offset v from its centre, turned with the map.
QPointF CompassPoint(double vx, double vy)
{
    orbit::ShiftAndRotateBackPoint(vx, vy, 0.0, 0.0, gMapRotateSin, gMapRotateCos);
    return kCompassCentre + QPointF(vx, vy);
}

}  // namespace

QString HeightLabelText(float metres)
{
    return QString::fromStdString(platform::FormatFixed(metres, "###0")) + QStringLiteral("m");
}

QString FixDataStatusCaption(int fixDataSTS)
{
    if (fixDataSTS == 0) return QStringLiteral("GPS未設定データ");
    if (fixDataSTS == 1) return QStringLiteral("GPS設定データ");
    return {};
}

SiteMapDrawing::SiteMapDrawing(PictureSurface& photoPic) : pic_(photoPic) {}

void SiteMapDrawing::DrawFullSiteMap(int& index)
{
    DrawBillTopAreas(index);
    DrawGPSRecordLine();
    DrawObstacleAreaFrame();
    DrawComuAreaFrame();
    DrawScaleBar(gMapScaleIndex);
    DrawCompassMark();
}

void SiteMapDrawing::DrawEmptySiteMap()
{
    pic_.clear();
    DrawObstacleAreaFrame();
    DrawComuAreaFrame();
    DrawScaleBar(gMapScaleIndex);
    DrawCompassMark();
}

void SiteMapDrawing::SetGPSPointImage(QWidget* image) { gpsPointImg_ = image; }

void SiteMapDrawing::DrawTopArea(int area, bool selected, SelectBox* box)
{
    if (area < 0 || area >= kMaxTopAreas) return;
    const MapViewState view = CurrentMapView();
    const QColor& color = selected ? kSelectedColor : kOutlineColor;
    const int start = gEachTopAreaStartNum[area];
    const int count = gEachTopAreaPointNum[area];
    double sumX = 0.0, sumY = 0.0;
    int n = 0;
    QPointF previous;
    bool havePrevious = false;
    for (int j = start; j <= start + count - 1; ++j) {
        if (j < 0 || j >= kMaxTopPoints) continue;
        const double dx = gNorthTopAreaX[j] - view.centreX;
        const double dy = gNorthTopAreaY[j] - view.centreY;
        const QPointF p = ToPicture(view, dx, dy);
        if (j > start && havePrevious) {
            if (selected) pic_.circle(p, 2, color);  // the first point gets its circle as the last
            pic_.line(previous, p, color);
        }
        if (box) {
            if (p.x() > box->maxX) box->maxX = p.x();
            if (p.x() < box->minX) box->minX = p.x();
            if (p.y() > box->maxY) box->maxY = p.y();
            if (p.y() < box->minY) box->minY = p.y();
        }
        previous = p;
        havePrevious = true;
        sumX += dx;
        sumY += dy;
        ++n;
    }
    if (n > 0) {
        // The label sits at the mean of the run's points (a closed outline counts its first
        // point twice).
        const QPointF at = ToPicture(view, sumX / n, sumY / n);
        if (IsFinite(at)) {
            pic_.setCurrentPoint(at);
            pic_.printText(HeightLabelText(gFlatTopHeight[area]));
        }
    }
}

void SiteMapDrawing::DrawBillTopAreas(int& index)
{
    pic_.clear();
    pic_.setDrawMode(PictureCanvas::DrawMode::Copy);
    pic_.setDrawWidth(2);
    pic_.setTextFont(BoldFont(14));
    pic_.setForeColor(kHeightLabelColor);
    if (index > gEachTopAreaNumber - 1) index = -1;

    const int areas = std::clamp(gEachTopAreaNumber, 0, kMaxTopAreas);
    for (int i = 0; i < areas; ++i) {
        if (i != index) DrawTopArea(i, false, nullptr);
    }
    if (index > -1) {
        pic_.setDrawMode(PictureCanvas::DrawMode::Xor);
        SelectBox box{kNoBoxMax, kNoBoxMin, kNoBoxMax, kNoBoxMin};
        DrawTopArea(index, true, &box);
        DrawSelectBoxMarks(static_cast<float>(box.maxX), static_cast<float>(box.minX),
                           static_cast<float>(box.maxY), static_cast<float>(box.minY));
    }
    pic_.setDrawMode(PictureCanvas::DrawMode::Copy);
}

void SiteMapDrawing::DrawGPSRecordLine()
{
    const int count = std::clamp(gGPSRecordNum, 0, kMaxGPSRecordPoints);
    QPointF previous;
    for (int i = 0; i < count; ++i) {
        const PicturePoint drawn = SiteToPicture(gGPSRecordX[i], gGPSRecordY[i]);
        const QPointF p(drawn.x, drawn.y);
        if (i > 0) pic_.line(previous, p, kRecordColor);
        pic_.circle(p, 2, kRecordColor);
        previous = p;
    }
}

void SiteMapDrawing::DrawMarksAt(float maxX, float minX, float maxY, float minY)
{
    const QPointF corners[] = {{maxX, maxY}, {minX, maxY}, {maxX, minY}, {minX, minY}};
    const QPointF half(kMarkHalf, kMarkHalf);
    for (const QPointF& c : corners) pic_.filledBox(c + half, c - half, kSelectMarkColor);
}

void SiteMapDrawing::DrawSelectBoxMarks(float maxX, float minX, float maxY, float minY)
{
    DrawMarksAt(maxX, minX, maxY, minY);
    pSelectBoxMaxX = maxX;
    pSelectBoxMaxY = maxY;
    pSelectBoxMinX = minX;
    pSelectBoxMinY = minY;
}

void SiteMapDrawing::RedrawSelectBoxMarks()
{
    DrawMarksAt(pSelectBoxMaxX, pSelectBoxMinX, pSelectBoxMaxY, pSelectBoxMinY);
}

void SiteMapDrawing::DrawCaptionedFrame(QPointF corner1, QPointF corner2, const QColor& frameColor,
                                        const QString& caption, QPointF captionAt, const QColor& captionColor)
{
    pic_.setDrawWidth(2);
    pic_.box(corner1, corner2, frameColor);
    pic_.setTextFont(BoldFont(12));
    pic_.setForeColor(captionColor);
    pic_.setCurrentPoint(captionAt);
    pic_.printText(caption);
}

void SiteMapDrawing::DrawObstacleAreaFrame()
{
    DrawCaptionedFrame({-360, -300}, {360, 300}, kObstacleFrameColor, QStringLiteral("障害物エリア"),
                       {-320, 290}, kObstacleCaptionColor);
}

void SiteMapDrawing::DrawComuAreaFrame()
{
    DrawCaptionedFrame({-144, -120}, {144, 120}, kComuFrameColor, QStringLiteral("GPS衛星受信予測エリア"),
                       {-120, 110}, kComuCaptionColor);
}

void SiteMapDrawing::DrawScaleBar(int index)
{
    if (index < 0 || index >= kMapScaleSteps) return;  // no table entry: nothing to draw
    // The bar follows the scale in use, the label the step given.
    const double length = gMapScaleRate * gScaleBarLength[index];
    pic_.setDrawWidth(2);
    pic_.line(kScaleBarStart, kScaleBarStart + QPointF(length, 0), kScaleBarColor);
    for (int k = 0; k <= 5; ++k) {
        const QPointF foot = kScaleBarStart + QPointF(k * length / 5, 0);
        pic_.line(foot, foot + QPointF(0, kScaleTickHeight), kScaleBarColor);
    }
    pic_.setTextFont(BoldFont(12));
    pic_.setForeColor(kScaleLabelColor);
    pic_.setCurrentPoint({-250, -245});
    pic_.printText(QString::fromStdString(gScaleBarLabel[index]));
}

void SiteMapDrawing::DrawCompassMark()
{
    // North arm with its arrow head, then east arm with its arrow head, as offsets from the centre.
    static constexpr double kLines[][4] = {
        {0, 50, 0, -50}, {0, 50, -8, 40}, {0, 50, 8, 40},
        {-50, 0, 50, 0}, {50, 0, 40, 10}, {50, 0, 40, -10},
    };
    for (const auto& l : kLines) pic_.line(CompassPoint(l[0], l[1]), CompassPoint(l[2], l[3]), kCompassColor);
    pic_.setTextFont(BoldFont(12));
    pic_.setForeColor(kCompassLetterColor);
    pic_.setCurrentPoint(CompassPoint(-5, 75));
    pic_.printText(QStringLiteral("N"));
    pic_.setCurrentPoint(CompassPoint(55, 5));
    pic_.printText(QStringLiteral("E"));
}

void SiteMapDrawing::DrawMeasureDistLine()
{
    const int count = std::clamp(pMeasurePointNum, 0, static_cast<int>(pMeasurePointX.size()));
    if (count < 2) return;
    const MapViewState view = CurrentMapView();
    QPointF previous;
    for (int i = 0; i < count; ++i) {
        const QPointF p = ToPicture(view, pMeasurePointX[i], pMeasurePointY[i]);
        pic_.circle(p, 2, kMeasurePointColor);
        pic_.circle(p, 3, kMeasurePointColor);
        if (i > 0) pic_.line(previous, p, kMeasureLineColor);
        previous = p;
    }
}

bool SiteMapDrawing::ShowGPSPoint(double x1, double y1)
{
    const auto [px, py] = SiteToPicture(x1, y1);
    if (!(std::abs(px) < kReceiverLimit && std::abs(py) < kReceiverLimit)) return false;  // NaN too
    pic_.circle(QPointF(static_cast<double>(platform::RoundHalfEven(px)),
                        static_cast<double>(platform::RoundHalfEven(py))),
                2, kReceiverColor);
    if (gpsPointImg_) {
        QPoint topLeft = pic_.toPixel(QPointF(px - 8, py + 8)).toPoint();
        QWidget* parent = gpsPointImg_->parentWidget();
        if (parent && parent != &pic_ && parent->isAncestorOf(&pic_)) topLeft = pic_.mapTo(parent, topLeft);
        gpsPointImg_->move(topLeft);
        gpsPointPlaced_ = true;
        ShowGPSPointMark();
    }
    return true;
}

void SiteMapDrawing::ShowGPSPointMark()
{
    if (!gpsPointImg_ || !gpsPointPlaced_) return;
    gpsPointImg_->show();
    gpsPointImg_->raise();
}
