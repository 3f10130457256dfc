#pragma once
// Puts plan outlines straight into the model (plan points in metres, photo points equal), for
// the plan view's tests.

#include <vector>

#include "photoinput/PhotoGeometry.h"
#include "photoinput/PhotoModel.h"

namespace plantest {

// Roofs in order, each a run of plan points (a closed outline repeats its first point).
inline void SetPlanRoofs(const std::vector<std::vector<PhotoPoint>>& roofs, int closed = 1)
{
    ResetAllDataBuildingData();
    int next = 0;
    std::vector<TopAreaRun> runs;
    for (std::size_t r = 0; r < roofs.size(); ++r) {
        runs.push_back({next, static_cast<int>(roofs[r].size()), closed, 10.0f + static_cast<float>(r)});
        for (const PhotoPoint& p : roofs[r]) {
            gFlatTopAreaX[next] = gTopAreaX[next] = p.x;
            gFlatTopAreaY[next] = gTopAreaY[next] = p.y;
            ++next;
        }
    }
    ASSERT_EQ(ReplaceTopAreaModel(runs, next), TopAreaEdit::Done);
}

// A closed rectangle from (x0, y0) to (x1, y1).
inline std::vector<PhotoPoint> Rect(float x0, float y0, float x1, float y1)
{
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
}

}  // namespace plantest
