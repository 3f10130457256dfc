#include "TopAreaModel.h"

#include <algorithm>

namespace {

int areaCount = 0;
int pointTotal = 0;
std::array<int, kMaxTopAreas> startNum{};
std::array<int, kMaxTopAreas> pointNum{};
std::array<int, kMaxTopAreas> closedFlag{};
std::array<float, kMaxTopAreas> roofHeight{};
std::array<float, kMaxTopPoints> northX{};
std::array<float, kMaxTopPoints> northY{};
int fixDataSTS = 0;

}  // namespace

const int& gEachTopAreaNumber = areaCount;
const int& gTopAreaPointTotalNumber = pointTotal;
const std::array<int, kMaxTopAreas>& gEachTopAreaStartNum = startNum;
const std::array<int, kMaxTopAreas>& gEachTopAreaPointNum = pointNum;
const std::array<int, kMaxTopAreas>& gEachClosedTopAreaSTS = closedFlag;
const std::array<float, kMaxTopAreas>& gFlatTopHeight = roofHeight;
const std::array<float, kMaxTopPoints>& gNorthTopAreaX = northX;
const std::array<float, kMaxTopPoints>& gNorthTopAreaY = northY;
const int& gFixDataSTS = fixDataSTS;

void SetFixDataSTS(int state) { fixDataSTS = state; }

namespace {

bool IsTopArea(int j) { return j >= 0 && j < areaCount && j < kMaxTopAreas; }

// Moves the points [from, to) by `shift` places (memmove semantics, so overlapping is safe).
void MovePoints(int from, int to, int shift)
{
    if (from >= to) return;
    std::copy(northX.begin() + from, northX.begin() + to, northX.begin() + from + shift);
    std::copy(northY.begin() + from, northY.begin() + to, northY.begin() + from + shift);
}

void MovePointsUp(int from, int to)  // [from, to) one place up, top first
{
    std::copy_backward(northX.begin() + from, northX.begin() + to, northX.begin() + to + 1);
    std::copy_backward(northY.begin() + from, northY.begin() + to, northY.begin() + to + 1);
}

}  // namespace

TopAreaEdit SetTopAreaHeight(int j, float height)
{
    if (!IsTopArea(j)) return TopAreaEdit::OutOfRange;
    roofHeight[j] = height;
    return TopAreaEdit::Done;
}

TopAreaEdit SetTopAreaClosed(int j, int closed)
{
    if (!IsTopArea(j)) return TopAreaEdit::OutOfRange;
    closedFlag[j] = closed;
    return TopAreaEdit::Done;
}

TopAreaEdit SetNorthTopAreaPoint(int k, float x, float y)
{
    if (k < 0 || k >= pointTotal || k >= kMaxTopPoints) return TopAreaEdit::OutOfRange;
    northX[k] = x;
    northY[k] = y;
    return TopAreaEdit::Done;
}

TopAreaEdit AppendTopAreaRun(int count, float height)
{
    const int n = areaCount;
    const int m = pointTotal;
    if (count < 1 || n < 0 || m < 0) return TopAreaEdit::OutOfRange;
    if (n + 1 > kMaxTopAreas || static_cast<long>(m) + count > kMaxTopPoints) return TopAreaEdit::Full;
    startNum[n] = m;
    pointNum[n] = count;
    closedFlag[n] = 1;
    roofHeight[n] = height;
    pointTotal = m + count;
    areaCount = n + 1;
    return TopAreaEdit::Done;
}

TopAreaEdit ResizeTopAreaRun(int j, int by)
{
    if (!IsTopArea(j)) return TopAreaEdit::OutOfRange;
    const int count = pointNum[j] + by;
    const int total = pointTotal + by;
    if (count < 0 || total < 0) return TopAreaEdit::OutOfRange;
    if (total > kMaxTopPoints) return TopAreaEdit::Full;
    pointNum[j] = count;
    for (int i = j + 1; i < areaCount; ++i) startNum[i] += by;
    pointTotal = total;
    return TopAreaEdit::Done;
}

TopAreaEdit RemoveTopAreaRun(int j)
{
    if (!IsTopArea(j)) return TopAreaEdit::OutOfRange;
    const int n = areaCount;
    const int count = pointNum[j];
    for (int i = j + 1; i < n; ++i) {
        startNum[i - 1] = startNum[i] - count;
        pointNum[i - 1] = pointNum[i];
        closedFlag[i - 1] = closedFlag[i];
        roofHeight[i - 1] = roofHeight[i];
    }
    pointTotal = std::max(pointTotal - count, 0);
    areaCount = n - 1;
    return TopAreaEdit::Done;
}

void ResetTopAreaRecords()
{
    startNum.fill(0);
    pointNum.fill(0);
    closedFlag.fill(0);
    roofHeight.fill(0.0f);
    ClearTopAreaModel();
}

namespace {

// The refusal a replacement by `runs` over `total` points earns, Done when it keeps the invariants.
TopAreaEdit CheckRuns(std::span<const TopAreaRun> runs, long total)
{
    if (runs.size() > static_cast<std::size_t>(kMaxTopAreas) || total > kMaxTopPoints) return TopAreaEdit::Full;
    long next = 0;
    for (const TopAreaRun& run : runs) {
        if (run.start != next || run.count < 0) return TopAreaEdit::OutOfRange;
        next += run.count;
    }
    return next == total ? TopAreaEdit::Done : TopAreaEdit::OutOfRange;
}

void PutRuns(std::span<const TopAreaRun> runs, int total)
{
    for (std::size_t i = 0; i < runs.size(); ++i) {
        startNum[i] = runs[i].start;
        pointNum[i] = runs[i].count;
        closedFlag[i] = runs[i].closed;
        roofHeight[i] = runs[i].height;
    }
    areaCount = static_cast<int>(runs.size());
    pointTotal = total;
}

}  // namespace

TopAreaEdit CheckTopAreaRuns(std::span<const TopAreaRun> runs, int pointTotal) { return CheckRuns(runs, pointTotal); }

TopAreaEdit ReplaceTopAreaModel(std::span<const TopAreaRun> runs, int total)
{
    if (const TopAreaEdit refused = CheckRuns(runs, total); refused != TopAreaEdit::Done) return refused;
    PutRuns(runs, total);
    return TopAreaEdit::Done;
}

TopAreaEdit ReplaceTopAreaModel(std::span<const TopAreaRun> runs, std::span<const TopAreaPoint> points)
{
    const long total = static_cast<long>(points.size());
    if (const TopAreaEdit refused = CheckRuns(runs, total); refused != TopAreaEdit::Done) return refused;
    for (std::size_t k = 0; k < points.size(); ++k) {
        northX[k] = points[k].x;
        northY[k] = points[k].y;
    }
    PutRuns(runs, static_cast<int>(total));
    return TopAreaEdit::Done;
}

TopAreaEdit AppendTopArea(std::span<const TopAreaPoint> points, float height)
{
    if (points.size() > static_cast<std::size_t>(kMaxTopPoints)) return TopAreaEdit::Full;
    const int m = pointTotal;
    if (const TopAreaEdit refused = AppendTopAreaRun(static_cast<int>(points.size()), height);
        refused != TopAreaEdit::Done) {
        return refused;
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        northX[m + i] = points[i].x;
        northY[m + i] = points[i].y;
    }
    return TopAreaEdit::Done;
}

TopAreaEdit RemoveTopArea(int j)
{
    if (!IsTopArea(j)) return TopAreaEdit::OutOfRange;
    const int n = areaCount;
    const int count = pointNum[j];
    if (j < n - 1) {
        const int start = startNum[j];
        const int next = startNum[j + 1];
        const int end = std::min(pointTotal, kMaxTopPoints);
        if (start < 0 || next < start || next > end) return TopAreaEdit::OutOfRange;  // broken runs
        MovePoints(next, end, -(next - start));
        for (int i = j + 1; i < n; ++i) {
            pointNum[i - 1] = pointNum[i];
            roofHeight[i - 1] = roofHeight[i];
            closedFlag[i - 1] = closedFlag[i];
        }
        int runStart = 0;
        for (int i = 0; i < n - 1; ++i) {
            startNum[i] = runStart;
            runStart += pointNum[i];
        }
    }
    pointTotal = std::max(pointTotal - count, 0);
    areaCount = n - 1;
    return TopAreaEdit::Done;
}

TopAreaEdit DeleteActiveBill(int active) { return RemoveTopArea(active); }

TopAreaEdit RemoveTopAreaPointData(int j, int k)
{
    if (!IsTopArea(j)) return TopAreaEdit::OutOfRange;
    const int s = startNum[j];
    const int c = pointNum[j];
    if (k < s || k > s + c - 1 || k < 0 || k >= pointTotal) return TopAreaEdit::OutOfRange;
    MovePoints(k + 1, std::min(pointTotal, kMaxTopPoints), -1);
    // The run now holds c - 1 points; its closing point follows a removed first point. A run
    // left with fewer than two points has no closing point of its own (for a run that held one
    // point, s + c - 2 is the last point of the top area before it).
    if (k == s && c - 1 >= 2) {
        northX[s + c - 2] = northX[s];
        northY[s + c - 2] = northY[s];
    }
    return ResizeTopAreaRun(j, -1);
}

TopAreaEdit InsertTopAreaPoint(int j, int k, TopAreaPoint p)
{
    if (!IsTopArea(j)) return TopAreaEdit::OutOfRange;
    const int s = startNum[j];
    const int c = pointNum[j];
    if (k < s + 1 || k > s + c - 1) return TopAreaEdit::OutOfRange;
    const int m = pointTotal;
    if (k > m) return TopAreaEdit::OutOfRange;
    if (m + 1 > kMaxTopPoints) return TopAreaEdit::Full;
    MovePointsUp(k, m);
    northX[k] = p.x;
    northY[k] = p.y;
    return ResizeTopAreaRun(j, 1);
}

void ClearTopAreaModel()
{
    areaCount = 0;
    pointTotal = 0;
}

TopAreaSnapshot CaptureTopAreaModel()
{
    return TopAreaSnapshot{areaCount, pointTotal, startNum, pointNum, closedFlag, roofHeight, northX, northY};
}

void RestoreTopAreaModel(const TopAreaSnapshot& snapshot)
{
    areaCount = snapshot.areas;
    pointTotal = snapshot.points;
    startNum = snapshot.startNum;
    pointNum = snapshot.pointNum;
    closedFlag = snapshot.closed;
    roofHeight = snapshot.height;
    northX = snapshot.northX;
    northY = snapshot.northY;
}
