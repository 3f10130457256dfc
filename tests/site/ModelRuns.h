#pragma once
// Reading the building model back in tests: the points of one top area's run.

#include <ostream>
#include <vector>

#include "site/TopAreaModel.h"

inline std::vector<TopAreaPoint> RunOf(int area)
{
    std::vector<TopAreaPoint> points;
    for (int j = 0; j < gEachTopAreaPointNum[area]; ++j) {
        const int k = gEachTopAreaStartNum[area] + j;
        points.push_back({gNorthTopAreaX[k], gNorthTopAreaY[k]});
    }
    return points;
}

inline void PrintTo(const TopAreaPoint& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
