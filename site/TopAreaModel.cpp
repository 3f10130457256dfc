#include "TopAreaModel.h"

int gEachTopAreaNumber = 0;
int gTopAreaPointTotalNumber = 0;
std::array<int, kMaxTopAreas> gEachTopAreaStartNum{};
std::array<int, kMaxTopAreas> gEachTopAreaPointNum{};
std::array<int, kMaxTopAreas> gEachClosedTopAreaSTS{};
std::array<float, kMaxTopAreas> gFlatTopHeight{};
std::array<float, kMaxTopPoints> gNorthTopAreaX{};
std::array<float, kMaxTopPoints> gNorthTopAreaY{};
int gFixDataSTS = 0;

#include <algorithm>

namespace {

bool IsTopArea(int j) { return j >= 0 && j < gEachTopAreaNumber && j < kMaxTopAreas; }

// Moves the points [from, to) by `shift` places (memmove semantics, so overlapping is safe).
void MovePoints(int from, int to, int shift)
{
    if (from >= to) return;
    std::copy(gNorthTopAreaX.begin() + from, gNorthTopAreaX.begin() + to,
              gNorthTopAreaX.begin() + from + shift);
    std::copy(gNorthTopAreaY.begin() + from, gNorthTopAreaY.begin() + to,
              gNorthTopAreaY.begin() + from + shift);
}

void MovePointsUp(int from, int to)  // [from, to) one place up, top first
{
    std::copy_backward(gNorthTopAreaX.begin() + from, gNorthTopAreaX.begin() + to, gNorthTopAreaX.begin() + to + 1);
    std::copy_backward(gNorthTopAreaY.begin() + from, gNorthTopAreaY.begin() + to, gNorthTopAreaY.begin() + to + 1);
}

}  // namespace

TopAreaEdit AppendTopArea(std::span<const TopAreaPoint> points, float height)
{
    if (points.empty()) return TopAreaEdit::OutOfRange;
    const int n = gEachTopAreaNumber;
    const int m = gTopAreaPointTotalNumber;
    if (n < 0 || m < 0) return TopAreaEdit::OutOfRange;
    if (n + 1 > kMaxTopAreas || static_cast<long>(m) + static_cast<long>(points.size()) > kMaxTopPoints) {
        return TopAreaEdit::Full;
    }
    gEachTopAreaStartNum[n] = m;
    for (std::size_t i = 0; i < points.size(); ++i) {
        gNorthTopAreaX[m + i] = points[i].x;
        gNorthTopAreaY[m + i] = points[i].y;
    }
    gTopAreaPointTotalNumber = m + static_cast<int>(points.size());
    gEachTopAreaPointNum[n] = static_cast<int>(points.size());
    gEachClosedTopAreaSTS[n] = 1;
    gFlatTopHeight[n] = height;
    gEachTopAreaNumber = n + 1;
    return TopAreaEdit::Done;
}

TopAreaEdit RemoveTopArea(int j)
{
    if (!IsTopArea(j)) return TopAreaEdit::OutOfRange;
    const int n = gEachTopAreaNumber;
    const int count = gEachTopAreaPointNum[j];
    if (j < n - 1) {
        const int start = gEachTopAreaStartNum[j];
        const int next = gEachTopAreaStartNum[j + 1];
        const int end = std::min(gTopAreaPointTotalNumber, kMaxTopPoints);
        if (start < 0 || next < start || next > end) return TopAreaEdit::OutOfRange;  // broken runs
        MovePoints(next, end, -(next - start));
        for (int i = j + 1; i < n; ++i) {
            gEachTopAreaPointNum[i - 1] = gEachTopAreaPointNum[i];
            gFlatTopHeight[i - 1] = gFlatTopHeight[i];
            gEachClosedTopAreaSTS[i - 1] = gEachClosedTopAreaSTS[i];
        }
        int runStart = 0;
        for (int i = 0; i < n - 1; ++i) {
            gEachTopAreaStartNum[i] = runStart;
            runStart += gEachTopAreaPointNum[i];
        }
    }
    gTopAreaPointTotalNumber = std::max(gTopAreaPointTotalNumber - count, 0);
    gEachTopAreaNumber = n - 1;
    return TopAreaEdit::Done;
}

TopAreaEdit DeleteActiveBill(int active) { return RemoveTopArea(active); }

TopAreaEdit RemoveTopAreaPointData(int j, int k)
{
    if (!IsTopArea(j)) return TopAreaEdit::OutOfRange;
    const int s = gEachTopAreaStartNum[j];
    const int c = gEachTopAreaPointNum[j];
    if (k < s || k > s + c - 1 || k < 0 || k >= gTopAreaPointTotalNumber) return TopAreaEdit::OutOfRange;
    MovePoints(k + 1, std::min(gTopAreaPointTotalNumber, kMaxTopPoints), -1);
    // The run now holds c - 1 points; its closing point follows a removed first point. A run
    // left with fewer than two points has no closing point of its own (for a run that held one
    // point, s + c - 2 is the last point of the top area before it).
    if (k == s && c - 1 >= 2) {
        gNorthTopAreaX[s + c - 2] = gNorthTopAreaX[s];
        gNorthTopAreaY[s + c - 2] = gNorthTopAreaY[s];
    }
    gTopAreaPointTotalNumber -= 1;
    gEachTopAreaPointNum[j] = c - 1;
    for (int i = j + 1; i < gEachTopAreaNumber; ++i) gEachTopAreaStartNum[i] -= 1;
    return TopAreaEdit::Done;
}

TopAreaEdit InsertTopAreaPoint(int j, int k, TopAreaPoint p)
{
    if (!IsTopArea(j)) return TopAreaEdit::OutOfRange;
    const int s = gEachTopAreaStartNum[j];
    const int c = gEachTopAreaPointNum[j];
    if (k < s + 1 || k > s + c - 1) return TopAreaEdit::OutOfRange;
    const int m = gTopAreaPointTotalNumber;
    if (k > m) return TopAreaEdit::OutOfRange;
    if (m + 1 > kMaxTopPoints) return TopAreaEdit::Full;
    MovePointsUp(k, m);
    gNorthTopAreaX[k] = p.x;
    gNorthTopAreaY[k] = p.y;
    gEachTopAreaPointNum[j] = c + 1;
    for (int i = j + 1; i < gEachTopAreaNumber; ++i) gEachTopAreaStartNum[i] += 1;
    gTopAreaPointTotalNumber = m + 1;
    return TopAreaEdit::Done;
}

void ClearTopAreaModel()
{
    gEachTopAreaNumber = 0;
    gTopAreaPointTotalNumber = 0;
}

TopAreaSnapshot CaptureTopAreaModel()
{
    return TopAreaSnapshot{gEachTopAreaNumber, gTopAreaPointTotalNumber, gEachTopAreaStartNum, gEachTopAreaPointNum,
                           gEachClosedTopAreaSTS, gFlatTopHeight, gNorthTopAreaX, gNorthTopAreaY};
}

void RestoreTopAreaModel(const TopAreaSnapshot& snapshot)
{
    gEachTopAreaNumber = snapshot.areas;
    gTopAreaPointTotalNumber = snapshot.points;
    gEachTopAreaStartNum = snapshot.startNum;
    gEachTopAreaPointNum = snapshot.pointNum;
    gEachClosedTopAreaSTS = snapshot.closed;
    gFlatTopHeight = snapshot.height;
    gNorthTopAreaX = snapshot.northX;
    gNorthTopAreaY = snapshot.northY;
}
