#include <gtest/gtest.h>

#include "photoinput/SlideRate.h"

TEST(SlideRateTable, RowsHoldTheRatioAndTiltPairs)
{
    gSlideRate.fill(-1.0f);
    gSlideAngleTable.fill(-1.0f);
    SetSlideRateTable();
    struct Row { int row; float ratio; float degrees; };
    for (const Row& r : {Row{0, 1.0f, 0.0f}, Row{1, 0.93705f, 3.836f}, Row{9, 0.514448f, 20.7884f},
                         Row{10, 0.48876f, 21.5293f}, Row{22, 0.268119f, 31.0731f},
                         Row{31, 0.129943f, 39.2267f}, Row{32, 0.119f, 40.091f}}) {
        EXPECT_EQ(gSlideRate[r.row], r.ratio) << "row " << r.row;
        EXPECT_EQ(gSlideAngleTable[r.row], r.degrees) << "row " << r.row;
    }
    // The lookup searches for the first ratio below its argument: the ratios must fall and the
    // tilts rise from row to row.
    for (int row = 1; row < kSlideRateRows; ++row) {
        EXPECT_LT(gSlideRate[row], gSlideRate[row - 1]) << "row " << row;
        EXPECT_GT(gSlideAngleTable[row], gSlideAngleTable[row - 1]) << "row " << row;
    }
}
