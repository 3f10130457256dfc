// The sample line-data file of the demonstration window's developer button: its lines, number
// forms and a failing write.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "demo/SampleLineDataFile.h"
#include "photoinput/PhotoModel.h"
#include "photoinput/SampleData.h"

namespace {

const PictureScaleAndPlace kPicture{678, 788, -10.5, 3};

QStringList ReadLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromLatin1(file.readAll());
    EXPECT_TRUE(text.endsWith("\r\n"));
    text.chop(2);
    return text.split("\r\n");
}

struct SampleLineDataFileFixture : ::testing::Test {
    QTemporaryDir dir;
    QString path() const { return dir.filePath("LineData10.dat"); }
    void SetUp() override
    {
        ResetAllDataBuildingData();
        SetNorthAngle(0);
        SetCameraValues(598, 126.9125f, 102, 36.51477f);
    }
};

}  // namespace

TEST_F(SampleLineDataFileFixture, EmptyModelGivesNineLines)
{
    ASSERT_TRUE(SaveSampleLineDataFile(path().toStdString(), kPicture, 4));
    EXPECT_EQ(ReadLines(path()), (QStringList{"0", "-678,-394,339", "-10.5,3", "126.9125,102,36.51477", "0", "0", "0", "4", "0"}));
}

TEST_F(SampleLineDataFileFixture, ModelLinesAndNumberForms)
{
    SetSample1LineData(true);
    const int points = gTopAreaPointTotalNumber, roofs = gEachTopAreaNumber, walls = gWallEdgeNumber;
    ASSERT_EQ(points, 99);
    SetNorthAngle(359.6f);
    SetTopAreaClosed(1, -1);
    SetTopAreaHeight(1, 30.0f);
    gFlatTopAreaX[0] = 20.04f;
    gFlatTopAreaY[0] = -3.0f;

    ASSERT_TRUE(SaveSampleLineDataFile(path().toStdString(), kPicture, 4));
    const QStringList lines = ReadLines(path());
    ASSERT_EQ(lines.size(), 9 + 2 * points + roofs + walls);
    EXPECT_EQ(lines[0], "360");  // whole number, rounded
    EXPECT_EQ(lines[4], "99");
    EXPECT_EQ(lines[5], "83.0,116.0");               // first roof point, one decimal
    EXPECT_EQ(lines[5 + points], "7");                // roof count
    EXPECT_EQ(lines[6 + points], "0.0,16.0,1.0,15.0");
    EXPECT_EQ(lines[7 + points], "16.0,16.0,-1.0,30.0");
    EXPECT_EQ(lines[6 + points + roofs], "7");         // wall-edge count
    EXPECT_EQ(lines[7 + points + roofs], "83.0,116.0,76.0,76.0,0.0");
    const int plan = 7 + points + roofs + walls;
    EXPECT_EQ(lines[plan], "4");                       // plan scale
    EXPECT_EQ(lines[plan + 1], "99");                  // point count again
    EXPECT_EQ(lines[plan + 2], "20.0,-3.0");
    EXPECT_EQ(lines.last(), "0.0,0.0");
}

TEST_F(SampleLineDataFileFixture, FailingWriteIsReportedAndLeavesNoFile)
{
    const QString missing = dir.filePath("Sample1/LineData10.dat");
    std::string error;
    EXPECT_FALSE(SaveSampleLineDataFile(missing.toStdString(), kPicture, 4, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(QFile::exists(missing));
}
