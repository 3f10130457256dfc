#include "PhotoPicking.h"

#include <algorithm>
#include <cmath>

#include "platform/Constants.h"
#include "platform/NumberText.h"

namespace {

bool IsRoof(int roof) { return roof >= 0 && roof < std::min(gEachTopAreaNumber, kMaxTopAreas); }

int FirstRow(int roof) { return std::max(gEachTopAreaStartNum[roof], 0); }
int LastRow(int roof) { return std::min(gEachTopAreaStartNum[roof] + gEachTopAreaPointNum[roof] - 1, kMaxTopPoints - 1); }

int WallCount() { return std::clamp(gWallEdgeNumber, 0, kMaxWallEdges); }

double Distance(double x0, double y0, double x1, double y1) { return std::hypot(x1 - x0, y1 - y0); }

}  // namespace

bool CheckCloseTopLine(std::span<const PhotoPoint> traced, double x, double y)
{
    if (traced.size() <= 2) return false;
    return Distance(traced[0].x, traced[0].y, x, y) < edit::kCloseDistance;
}

int FindTopAreaPoint(int roof, double x, double y)
{
    if (!IsRoof(roof)) return -1;
    for (int k = FirstRow(roof); k <= LastRow(roof); ++k) {
        if (Distance(gTopAreaX[k], gTopAreaY[k], x, y) < edit::kVertexPickDistance) return k;
    }
    return -1;
}

std::vector<int> WallEdgesAtPoint(int roof, double x, double y)
{
    std::vector<int> walls;
    for (int w = 0; w < WallCount(); ++w) {
        if (gWallEdgefotEachTopArea[w] != roof) continue;
        if (Distance(gFirstWallEdgeX[w], gFirstWallEdgeY[w], x, y) < edit::kVertexPickDistance) walls.push_back(w);
    }
    return walls;
}

MovePick FindMovePoint(int roof, double x, double y)
{
    MovePick pick;
    pick.at = {static_cast<float>(x), static_cast<float>(y)};
    if (!IsRoof(roof)) return pick;
    const int vertex = FindTopAreaPoint(roof, x, y);
    // The first foot within reach, and how far it is from the press.
    int foot = -1;
    double footDistance = edit::kVertexPickDistance;
    for (int w = 0; w < WallCount() && foot < 0; ++w) {
        if (gWallEdgefotEachTopArea[w] != roof) continue;
        const double d = Distance(gSecondWallEdgeX[w], gSecondWallEdgeY[w], x, y);
        if (d < edit::kVertexPickDistance) {
            foot = w;
            footDistance = d;
        }
    }
    const bool footWins =
        foot >= 0 && (vertex < 0 || footDistance < Distance(gTopAreaX[vertex], gTopAreaY[vertex], x, y));
    if (footWins) {
        pick.kind = MovePickKind::WallFoot;
        pick.wall = foot;
        return pick;
    }
    if (vertex < 0) return pick;
    pick.vertex = vertex;
    pick.at = {gTopAreaX[vertex], gTopAreaY[vertex]};
    pick.walls = WallEdgesAtPoint(roof, pick.at.x, pick.at.y);
    pick.kind = pick.walls.empty() ? MovePickKind::Vertex : MovePickKind::VertexWithWall;
    pick.wall = pick.walls.empty() ? -1 : pick.walls.front();
    return pick;
}

std::optional<EdgePick> FindTopAreaEdge(int roof, double x, double y)
{
    if (!IsRoof(roof)) return std::nullopt;
    for (int j = FirstRow(roof) + 1; j <= LastRow(roof); ++j) {
        const double x0 = gTopAreaX[j - 1], y0 = gTopAreaY[j - 1];
        const double x1 = gTopAreaX[j], y1 = gTopAreaY[j];
        if (x1 == x0) {
            if (std::min(y0, y1) <= y && y <= std::max(y0, y1) && std::abs(x - x0) < edit::kEdgePickDistance) {
                return EdgePick{j, {static_cast<float>(x0), static_cast<float>(y)}};
            }
            continue;
        }
        // Measured vertically, and only where the press's x lies along the edge (a horizontal
        // edge does not reach beyond its ends).
        if (x < std::min(x0, x1) || x > std::max(x0, x1)) continue;
        const double yl = y0 + (x - x0) * (y1 - y0) / (x1 - x0);
        if (std::abs(y - yl) < edit::kEdgePickDistance) {
            return EdgePick{j, {static_cast<float>(x), static_cast<float>(yl)}};
        }
    }
    return std::nullopt;
}

bool MoveTopAreaPoint(int roof, const PointDrag& drag, float x, float y)
{
    if (!IsRoof(roof)) return false;
    const int first = FirstRow(roof), last = LastRow(roof);
    const bool vertexOk = drag.vertex < 0 || (drag.vertex >= first && drag.vertex <= last);
    auto ownWall = [roof](int w) { return w >= 0 && w < WallCount() && gWallEdgefotEachTopArea[w] == roof; };
    const bool wallsOk = std::all_of(drag.topWalls.begin(), drag.topWalls.end(), ownWall) &&
                         (drag.footWall < 0 || ownWall(drag.footWall));
    if (!vertexOk || !wallsOk) return false;
    if (drag.vertex >= 0) {
        // The first vertex and the closing copy are one corner.
        const bool corner = drag.vertex == first || drag.vertex == last;
        for (int k : corner ? std::vector<int>{first, last} : std::vector<int>{drag.vertex}) {
            gTopAreaX[k] = x;
            gTopAreaY[k] = y;
        }
    }
    for (int w : drag.topWalls) {
        gFirstWallEdgeX[w] = x;
        gFirstWallEdgeY[w] = y;
    }
    if (drag.footWall >= 0) {
        gSecondWallEdgeX[drag.footWall] = x;
        gSecondWallEdgeY[drag.footWall] = y;
    }
    return true;
}

WallHeight MeasureWallHeight(double planAltitude, double obliqueAltitude, double topY, double footY)
{
    WallHeight result;
    const CameraSetUp setUp = SetUpPhotoCamera(planAltitude, obliqueAltitude);
    if (!setUp.camera) {
        result.message = setUp.message;
        return result;
    }
    const double rate = gPhotoMeterRate;
    result.height = ComputeWallEdgeHeight(gSlideAngle * platform::kRadPerDeg, gFlatHeight, rate * footY, rate * topY);
    result.text = platform::FormatFixed(*result.height, "##0.0");
    return result;
}
