#pragma once
// Builds small photo models and reads them back as plain values, so tests compare whole models.

#include <vector>

#include <gtest/gtest.h>

#include "photoinput/PhotoModel.h"

namespace phototest {

struct Roof {
    std::vector<PhotoPoint> points;  // closing point included
    float height = 0.0f;
    int closed = 1;
    bool operator==(const Roof&) const = default;
};

struct Wall {
    PhotoPoint top, foot;
    int owner = 0;
    bool operator==(const Wall&) const = default;
};

struct Model {
    std::vector<Roof> roofs;
    std::vector<Wall> walls;
    bool operator==(const Model&) const = default;
};

// A closed outline of `corners` vertices around (cx, cy), the closing point included.
inline std::vector<PhotoPoint> Outline(int corners, float cx, float cy)
{
    static const PhotoPoint ring[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {-5, 5}, {-5, 0}, {-3, -3}};
    std::vector<PhotoPoint> points;
    for (int i = 0; i < corners; ++i) points.push_back({cx + ring[i % 7].x + 0.5f * (i / 7), cy + ring[i % 7].y});
    points.push_back(points.front());
    return points;
}

// Empties the model and commits the roofs and wall edges.
inline void Build(const Model& model)
{
    ResetAllDataBuildingData();
    for (const Roof& roof : model.roofs) {
        ASSERT_EQ(SetNewTopArea(roof.points), PhotoEdit::Done);
        SetTopAreaHeight(gEachTopAreaNumber - 1, roof.height);
    }
    for (const Wall& wall : model.walls) ASSERT_EQ(AddWallEdge(wall.owner, wall.top, wall.foot), PhotoEdit::Done);
}

// The model as the arrays hold it; fails the test when the runs are not contiguous.
inline Model Read()
{
    Model model;
    int next = 0;
    for (int j = 0; j < gEachTopAreaNumber; ++j) {
        EXPECT_EQ(gEachTopAreaStartNum[j], next) << "run of roof " << j;
        Roof roof;
        for (int k = gEachTopAreaStartNum[j]; k < gEachTopAreaStartNum[j] + gEachTopAreaPointNum[j]; ++k) {
            roof.points.push_back({gTopAreaX[k], gTopAreaY[k]});
        }
        roof.height = gFlatTopHeight[j];
        roof.closed = gEachClosedTopAreaSTS[j];
        next += gEachTopAreaPointNum[j];
        model.roofs.push_back(roof);
    }
    EXPECT_EQ(gTopAreaPointTotalNumber, next) << "point total";
    for (int w = 0; w < gWallEdgeNumber; ++w) {
        model.walls.push_back({{gFirstWallEdgeX[w], gFirstWallEdgeY[w]},
                               {gSecondWallEdgeX[w], gSecondWallEdgeY[w]},
                               gWallEdgefotEachTopArea[w]});
    }
    return model;
}

inline std::ostream& operator<<(std::ostream& os, const Model& m)
{
    for (const Roof& r : m.roofs) {
        os << "[h" << r.height << " c" << r.closed << ":";
        for (const PhotoPoint& p : r.points) os << " (" << p.x << "," << p.y << ")";
        os << "] ";
    }
    for (const Wall& w : m.walls) os << "{w" << w.owner << " (" << w.top.x << "," << w.top.y << ")} ";
    return os;
}

}  // namespace phototest
