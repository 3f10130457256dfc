// The built-in data sets hold what a traced model must hold, and the file commands' decisions.

#include <QPolygonF>

#include "PhotoModelFixture.h"
#include "photoinput/DataFileCommands.h"
#include "photoinput/SampleData.h"

using namespace phototest;

TEST(SampleData, EverySetIsAWellFormedModel)
{
    struct Expect {
        const char* name;
        const SampleSet& set;
        std::size_t points, roofs, walls;
        std::vector<int> starts;
    };
    const std::vector<int> starts1{0, 16, 32, 45, 56, 71, 82}, starts2{0, 7, 12, 18, 25, 30};
    const Expect sets[] = {{"sample 1", SampleDataSet(1), 99, 7, 7, starts1}, {"sample 2", SampleDataSet(2), 37, 6, 10, starts2},
                           {"demonstration 1", DemoDataSet(1), 37, 6, 10, starts2},
                           {"demonstration 2", DemoDataSet(2), 99, 7, 7, starts1}};
    for (const Expect& e : sets) {
        SCOPED_TRACE(e.name);
        const LineData& d = e.set.data;
        EXPECT_EQ(d.points.size(), e.points);
        EXPECT_EQ(d.roofs.size(), e.roofs);
        EXPECT_EQ(d.walls.size(), e.walls);
        EXPECT_EQ(d.northAngle, 0.0f);
        for (std::size_t j = 0; j < d.roofs.size(); ++j) {
            const LineRoof& r = d.roofs[j];
            EXPECT_EQ(r.start, e.starts[j]);
            EXPECT_EQ(r.closed, 1);
            EXPECT_EQ(d.points[r.start], d.points[r.start + r.count - 1]) << "roof " << j << " closed";
            if (!d.planPoints.empty()) {
                EXPECT_EQ(d.planPoints[r.start], d.planPoints[r.start + r.count - 1]);
            }
        }
        for (const LineWallEdge& w : d.walls) {
            const LineRoof& r = d.roofs[w.owner];
            bool onVertex = false;
            for (int k = r.start; k < r.start + r.count; ++k) onVertex |= d.points[k] == w.top;
            EXPECT_TRUE(onVertex) << "wall edge top (" << w.top.x << ", " << w.top.y << ")";
            EXPECT_LT(w.foot.y, w.top.y) << "the foot lies below the top";
        }
        // The set fits inside its picture.
        for (const PhotoPoint& p : d.points) {
            EXPECT_LE(std::abs(p.x), e.set.picture.width / 2.0f);
            EXPECT_LE(std::abs(p.y), e.set.picture.height / 2.0f);
        }
        // Each double-click point of the demonstration lies inside its roof.
        for (std::size_t j = 0; j < e.set.clickPoints.size(); ++j) {
            QPolygonF roof;
            for (int k = d.roofs[j].start; k < d.roofs[j].start + d.roofs[j].count; ++k) roof << QPointF(d.points[k].x, d.points[k].y);
            EXPECT_TRUE(roof.containsPoint(QPointF(e.set.clickPoints[j].x, e.set.clickPoints[j].y), Qt::OddEvenFill)) << "click " << j;
        }
    }
    EXPECT_EQ(DemoDataSet(2).clickPoints.size(), 7u);
    EXPECT_EQ(SampleDataSet(1).data.sourceHeight, 589.0f);
    EXPECT_EQ(SampleDataSet(2).data.slideHeight, 102.0f);
}

// A sample set replaces the counts and the entries up to them; entries past them stay.
TEST(SampleData, LoadingASetOverALargerModel)
{
    ResetAllDataBuildingData();
    for (int i = 0; i < 15; ++i) ASSERT_EQ(SetNewTopArea(Outline(9, static_cast<float>(i), 0)), PhotoEdit::Done);
    ASSERT_EQ(gTopAreaPointTotalNumber, 150);
    const float stale = gTopAreaX[120];
    gFlatTopAreaX[5] = 3.0f;
    SetPhotoPictureWidth(1024);
    SetSample1LineData(true);
    EXPECT_EQ(gTopAreaPointTotalNumber, 99);
    EXPECT_EQ(gEachTopAreaNumber, 7);
    EXPECT_EQ(gWallEdgeNumber, 7);
    EXPECT_EQ(gTopAreaX[120], stale);
    EXPECT_EQ(gFlatTopAreaX[5], 0.0f) << "plan points 0 until the plan view";
    EXPECT_EQ(gSourceHeight, 589.0f);
    EXPECT_EQ(gPhotoPictureWidth, 1024.0f) << "the loaded picture keeps its width";
    SetSample2LineData(false);
    EXPECT_EQ(gPhotoPictureWidth, 788.0f);
    EXPECT_EQ(gWallEdgeNumber, 10);
}

TEST(DataFileCommands, TypesAndRefusedNames)
{
    struct Case {
        const char* path;
        bool exists;
        SaveDecision decision;
    };
    const Case cases[] = {
        {"/home/u/site.dat", false, SaveDecision::Write},
        {"/home/u/site.txt", true, SaveDecision::AskOverwrite},
        {"/home/u/LineData5.dat", false, SaveDecision::RefusedName},
        {"C:\\work\\LineData10.dat", true, SaveDecision::RefusedName},
        {"/home/u/linedata5.dat", false, SaveDecision::Write},
        {"/home/u/SITE.DAT", false, SaveDecision::NotADataFile},
        {"/home/u/site.dat.bak", false, SaveDecision::NotADataFile},
        {"/home/u/site", false, SaveDecision::NotADataFile},
        {"/home/a.b/site.dat", false, SaveDecision::Write},
    };
    for (const Case& c : cases) EXPECT_EQ(DecideLineDataSave(c.path, c.exists), c.decision) << c.path;
    EXPECT_TRUE(IsLineDataFileType("x/y.txt"));
    EXPECT_FALSE(IsLineDataFileType("x/y.Dat"));
    EXPECT_EQ(LineDataCaption("/home/u/site.dat"), "データファイル/site.dat");
}
