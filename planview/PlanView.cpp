#include "PlanView.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "photoinput/OutlineHitTest.h"
#include "photoinput/PhotoModel.h"

namespace {

int flatScaleIndex = 0;

bool IsRoof(int roof) { return roof >= 0 && roof < gEachTopAreaNumber && roof < kMaxTopAreas; }

// First and last point index of a roof's run, cut to the point arrays.
bool RunOf(int roof, int& first, int& last)
{
    if (!IsRoof(roof)) return false;
    first = std::max(gEachTopAreaStartNum[roof], 0);
    last = std::min(gEachTopAreaStartNum[roof] + gEachTopAreaPointNum[roof] - 1, kMaxTopPoints - 1);
    return first <= last;
}

}  // namespace

const int& gFlatScaleIndex = flatScaleIndex;

QPointF PlanFrame::toCanvas(double x, double y) const
{
    const double a = northAngle * kDegToRad, s = std::sin(a), c = std::cos(a);
    return {(x * c - y * s) * rate, (x * s + y * c) * rate};
}

QPointF PlanFrame::toPlan(QPointF canvas) const
{
    const double a = northAngle * kDegToRad, s = std::sin(a), c = std::cos(a);
    const double x = canvas.x() / rate, y = canvas.y() / rate;
    return {x * c + y * s, -x * s + y * c};
}

void SetFlatScaleIndex(int step) { flatScaleIndex = std::clamp(step, 0, kFlatScaleSteps - 1); }

int SelectFlatMapScale(int count, double northAngle)
{
    count = std::clamp(count, 0, kMaxTopPoints);
    if (count == 0) return 0;
    const PlanFrame turn{1.0, northAngle};
    double minX = 999999.0, maxX = -999999.0, minY = 999999.0, maxY = -999999.0;
    for (int k = 0; k < count; ++k) {
        const QPointF p = turn.toCanvas(gFlatTopAreaX[k], gFlatTopAreaY[k]);
        minX = std::min(minX, p.x());
        maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    }
    const double extent = std::max(std::abs(maxX - minX), std::abs(maxY - minY) * kPlanCanvasWidth / -kPlanCanvasHeight);
    for (int i = kFlatScaleSteps - 1; i >= 0; --i) {
        if (3.0 * gFlatScaleLength[i] > extent) return i;
    }
    return 0;
}

int SelectFlatMapScale(double northAngle) { return SelectFlatMapScale(gTopAreaPointTotalNumber, northAngle); }

int FindFlatTopArea(double x, double y, const PlanFrame& frame)
{
    if (!(frame.rate > 0.0)) return -1;
    const QPointF plan = frame.toPlan({x, y});
    const double X = plan.x(), Y = plan.y();
    for (int roof = 0; roof < std::min(gEachTopAreaNumber, kMaxTopAreas); ++roof) {
        int first = 0, last = 0;
        if (!RunOf(roof, first, last)) continue;
        std::vector<PhotoPoint> outline;
        for (int k = first; k <= last; ++k) outline.push_back({gFlatTopAreaX[k], gFlatTopAreaY[k]});
        if (IsInOutline(outline, X, Y)) return roof;
    }
    return -1;
}

int FindFlatTopPoint(int roof, double x, double y, const PlanFrame& frame)
{
    int first = 0, last = 0;
    if (!RunOf(roof, first, last)) return -1;
    for (int k = first; k <= last; ++k) {
        const QPointF p = frame.toCanvas(gFlatTopAreaX[k], gFlatTopAreaY[k]);
        const double dx = p.x() - x, dy = p.y() - y;
        if (std::sqrt(dx * dx + dy * dy) < kFlatPickRadius) return k;
    }
    return -1;
}

bool MoveFlatTopPoint(int roof, int point, double x, double y, const PlanFrame& frame)
{
    if (!(frame.rate > 0.0)) return false;
    const QPointF plan = frame.toPlan({x, y});
    return SetFlatTopPoint(roof, point, plan.x(), plan.y());
}

bool SetFlatTopPoint(int roof, int point, double X, double Y)
{
    int first = 0, last = 0;
    if (!RunOf(roof, first, last) || point < first || point > last) return false;
    const float px = static_cast<float>(X), py = static_cast<float>(Y);
    const bool closed = gEachClosedTopAreaSTS[roof] == 1 && last > first && gFlatTopAreaX[first] == gFlatTopAreaX[last] &&
                        gFlatTopAreaY[first] == gFlatTopAreaY[last];
    gFlatTopAreaX[point] = px;
    gFlatTopAreaY[point] = py;
    if (closed && (point == first || point == last)) {
        const int twin = point == first ? last : first;
        gFlatTopAreaX[twin] = px;
        gFlatTopAreaY[twin] = py;
    }
    return true;
}
