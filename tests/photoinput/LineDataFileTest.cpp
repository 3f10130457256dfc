// The line splitter and the building-data file: the sample set written byte for byte, write and
// read back, broken files refused with the model unchanged, whole-or-nothing writes.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "PhotoModelFixture.h"
#include "common/FedPipe.h"
#include "common/TestUtils.h"
#include "photoinput/LineDataFile.h"
#include "photoinput/SampleData.h"
#include "photoinput/SplitLineData.h"
#include "site/RunState.h"

using namespace phototest;

TEST(SplitLineData, Table)
{
    struct Case {
        const char* text;
        const char* separator;
        int last;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {"12.0,34.5", ",", 1, {"12.0", "34.5"}},
        {" x , y ", ",", 1, {"x", "y"}},
        {"a,,b", ",", 1, {"a", ",b"}},
        {"a, ,b", ",", 2, {"a", "", "b"}},
        {",a", ",", 1, {"", "a"}},
        {"a,", ",", 0, {"a"}},
        {",", ",", 0, {""}},
        {"", ",", -1, {}},
        {"   ", ",", -1, {}},
        {"a,b", "", -1, {}},
        {"a,b", ",,", 0, {"a,b"}},
        {"657,785,-13,1", ",", 3, {"657", "785", "-13", "1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        for (auto& f : gSplitText) f = "stale";
        const auto last = SplitLineData(c.text, c.separator);
        ASSERT_TRUE(last);
        EXPECT_EQ(*last, c.last);
        for (std::size_t i = 0; i < c.fields.size(); ++i) EXPECT_EQ(gSplitText[i], c.fields[i]) << "field " << i;
        for (int i = static_cast<int>(c.fields.size()); i <= 10; ++i) EXPECT_EQ(gSplitText[i], "") << "field " << i;
    }
}

TEST(SplitLineData, LaterFieldsOutliveAShorterSplitAndTooManyFieldsFail)
{
    std::string twenty;
    for (int i = 0; i < 20; ++i) twenty += (i ? "," : "") + std::to_string(i);
    ASSERT_EQ(SplitLineData(twenty, ","), 19);
    ASSERT_EQ(SplitLineData("a,b,c", ","), 2);
    EXPECT_EQ(gSplitText[10], "");
    EXPECT_EQ(gSplitText[11], "11");
    EXPECT_EQ(gSplitText[19], "19");

    std::string many;
    for (int i = 0; i < 52; ++i) many += (i ? "," : "") + std::to_string(i);
    EXPECT_FALSE(SplitLineData(many, ","));
    EXPECT_EQ(gSplitText[50], "50");
    std::string fiftyOne;
    for (int i = 0; i < 51; ++i) fiftyOne += (i ? "," : "") + std::to_string(i);
    EXPECT_EQ(SplitLineData(fiftyOne, ","), 50);
}

TEST(LineDataFile, SampleSetOneIsWrittenByteForByte)
{
    const std::string expected = testutil::ReadDataFile("SampleLineData1.dat");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(WriteLineDataText(SampleDataSet(1).data), expected);

    // Through the model, as the save command writes it.
    ResetAllDataBuildingData();
    SetSample1LineData(true);
    EXPECT_EQ(WriteLineDataText(CaptureLineData({657, 785, -13, 1})), expected);
}

TEST(LineDataFile, NumberForms)
{
    LineData data;
    data.northAngle = 45.6f;
    data.surface = {657, 784.5f, -13, -3};
    data.sourceHeight = 598;
    data.flatHeight = 126.9125f;
    data.slideHeight = 102;
    data.slideAngle = 36.51477f;
    data.points = {{12.34f, -5}, {-0.04f, 0.05f}, {1, 1}, {12.34f, -5}};
    data.roofs = {{0, 4, 1, 26.3f}};
    data.walls = {{{12.34f, -5}, {11, -62}, 0}};
    EXPECT_EQ(WriteLineDataText(data),
              "46\r\n657,784.5,-13,-3\r\n598,126.9125,102,36.51477\r\n4\r\n12.3,-5.0\r\n0.0,0.1\r\n1.0,1.0\r\n"
              "12.3,-5.0\r\n1\r\n0.0,4.0,1.0,26.3\r\n1\r\n12.3,-5.0,11.0,-62.0,0.0\r\n");
    EXPECT_EQ(WriteLineDataText(LineData{}), "0\r\n0,0,0,0\r\n0,0,0,0\r\n0\r\n0\r\n0\r\n");
}

TEST(LineDataFile, DemonstrationDataFileAddsThePlan)
{
    const SampleSet& demo = DemoDataSet(1);
    const std::string text = WriteDemoLineDataText(demo.data, demo.flatMapRate);
    const std::string plain = WriteLineDataText(demo.data);
    // Line 2 in plain form throughout (top and left alike here), then the plan section.
    EXPECT_EQ(text.substr(0, plain.size()), plain);
    const std::string planHead = "4\r\n37\r\n15.5,-18.8\r\n";
    EXPECT_EQ(text.substr(plain.size(), planHead.size()), planHead);
    EXPECT_TRUE(text.ends_with("\r\n-45.0,-22.1\r\n"));
    LineData wide = demo.data;
    wide.surface.left = -3;
    wide.surface.width = 785.5f;
    EXPECT_NE(WriteDemoLineDataText(wide, 4).find("\r\n657,785.5,-13,-3\r\n"), std::string::npos);
}

TEST(LineDataFile, WriteAndReadBack)
{
    const LineData& sample = SampleDataSet(2).data;
    std::string reason;
    const auto read = ParseLineDataText(WriteLineDataText(sample), &reason);
    ASSERT_TRUE(read) << reason;
    EXPECT_EQ(read->northAngle, 0.0f);
    EXPECT_EQ(read->surface.width, 784.0f);
    EXPECT_EQ(read->surface.left, -3);
    EXPECT_EQ(read->flatHeight, 126.9125f);
    EXPECT_EQ(read->slideAngle, 36.51477f);
    EXPECT_EQ(read->points, sample.points);
    EXPECT_TRUE(read->planPoints.empty());
    ASSERT_EQ(read->roofs.size(), sample.roofs.size());
    for (std::size_t j = 0; j < sample.roofs.size(); ++j) {
        EXPECT_EQ(read->roofs[j].start, sample.roofs[j].start);
        EXPECT_EQ(read->roofs[j].count, sample.roofs[j].count);
        EXPECT_EQ(read->roofs[j].height, sample.roofs[j].height);
    }
    ASSERT_EQ(read->walls.size(), sample.walls.size());
    EXPECT_EQ(read->walls[9].foot, (PhotoPoint{-295, -175}));
    EXPECT_EQ(read->walls[9].owner, 5);
    // Read back it writes the same text again, and LF line ends read alike.
    EXPECT_EQ(WriteLineDataText(*read), WriteLineDataText(sample));
    std::string lf = WriteLineDataText(sample);
    std::erase(lf, '\r');
    EXPECT_TRUE(ParseLineDataText(lf));
}

TEST(LineDataFile, BrokenFilesAreRefused)
{
    const std::string good = WriteLineDataText(SampleDataSet(1).data);
    auto replace = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const std::string roofsHead = "\r\n7\r\n0.0,16.0,1.0,15.0\r\n";
    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"north angle no number", replace("0\r\n657", "x\r\n657")},
        {"north angle out of range", replace("0\r\n657", "400\r\n657")},
        {"line 2 short", replace("657,785,-13,1", "657,785,-13")},
        {"picture width 0", replace("657,785,-13,1", "657,0,-13,1")},
        {"camera range text", replace("589,160.1795,134,33.2212", "589,abc,134,33.2212")},
        {"tilt 90", replace("589,160.1795,134,33.2212", "589,160.1795,134,90")},
        {"altitude negative", replace("589,160.1795,134,33.2212", "-589,160.1795,134,33.2212")},
        // The eye altitudes take the altitude boxes' range, 0..1500.
        {"plan altitude above the boxes", replace("589,160.1795,134,33.2212", "1600,160.1795,134,33.2212")},
        {"oblique altitude above the boxes", replace("589,160.1795,134,33.2212", "2000,160.1795,4000,33.2212")},
        // Checked as stored in single precision: these would be kept as 90 and 0.
        {"tilt that rounds to 90", replace("589,160.1795,134,33.2212", "589,160.1795,134,89.99999999")},
        {"picture width that rounds to 0", replace("657,785,-13,1", "657,1e-50,-13,1")},
        {"line too long", replace("657,785,-13,1", "657,785,-13,1" + std::string(300, ' '))},
        {"a blank line before a value", replace("\r\n99\r\n", "\r\n\r\n99\r\n")},
        {"point count past the limit", replace("\r\n99\r\n", "\r\n2002\r\n")},
        {"point count not whole", replace("\r\n99\r\n", "\r\n98.5\r\n")},
        {"point count larger than the lines", replace("\r\n99\r\n", "\r\n100\r\n")},
        {"point with one field", replace("83.0,116.0\r\n83.0,127.0", "83.0\r\n83.0,127.0")},
        {"point with text", replace("83.0,116.0\r\n83.0,127.0", "83.0,1x6.0\r\n83.0,127.0")},
        {"point far out", replace("83.0,116.0\r\n83.0,127.0", "83.0,1e9\r\n83.0,127.0")},
        {"roof count past the limit", replace(roofsHead, "\r\n502\r\n0.0,16.0,1.0,15.0\r\n")},
        {"roof run not contiguous", replace("16.0,16.0,1.0,16.2", "17.0,16.0,1.0,16.2")},
        {"roof run past the points", replace("82.0,17.0,1.0,17.8", "82.0,18.0,1.0,17.8")},
        {"roof runs short of the points", replace("82.0,17.0,1.0,17.8", "82.0,16.0,1.0,17.8")},
        {"roof count not whole", replace("16.0,16.0,1.0,16.2", "16.0,16.5,1.0,16.2")},
        {"closed flag 2", replace("16.0,16.0,1.0,16.2", "16.0,16.0,2.0,16.2")},
        {"roof height infinite", replace("16.0,16.0,1.0,16.2", "16.0,16.0,1.0,1e400")},
        {"wall count past the limit", replace("\r\n7\r\n83.0,116.0,76.0", "\r\n802\r\n83.0,116.0,76.0")},
        {"wall owner no roof", replace("-74.0,-167.0,-74.0,-197.0,6.0", "-74.0,-167.0,-74.0,-197.0,7.0")},
        {"wall owner negative", replace("-74.0,-167.0,-74.0,-197.0,6.0", "-74.0,-167.0,-74.0,-197.0,-1.0")},
        {"wall line short", replace("-74.0,-167.0,-74.0,-197.0,6.0", "-74.0,-167.0,-74.0,-197.0")},
        {"file ends in the walls", good.substr(0, good.rfind("-74.0,-167.0"))},
        {"lines after the last wall", good + "1,2\r\n"},
    };
    // Each goes through the open path: refused with the reason, the model as it was.
    QTemporaryDir dir;
    const std::string path = dir.filePath("case.dat").toStdString();
    Build({{{Outline(4, 1, 2), 6.5f}}, {{{1, 2}, {1, -20}, 0}}});
    SetNorthAngle(33);
    SetCameraValues(500, 150, 100, 20);
    const Model before = Read();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            QFile f(QString::fromStdString(path));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(c.text.data(), static_cast<qint64>(c.text.size()));
        }
        std::string message;
        EXPECT_FALSE(LoadLineDataFile(path, true, &message));
        EXPECT_EQ(message.rfind(std::string(kBrokenDataMessage) + "\n", 0), 0u) << message;
        EXPECT_GT(message.size(), std::string(kBrokenDataMessage).size() + 1) << "the reason follows";
        EXPECT_EQ(Read(), before);
        EXPECT_EQ(gNorthAngle, 33.0f);
        EXPECT_EQ(gSlideAngle, 20.0f);
    }
    EXPECT_TRUE(ParseLineDataText(good + "\r\n\r\n")) << "blank lines at the end are fine";
}

// Values at the limits are checked as they are stored, so a file that opens is written by the
// program's save in a form that opens again with the same values.
TEST(LineDataFile, EveryFileThatOpensIsWrittenSoThatItOpensAgain)
{
    const std::string good = WriteLineDataText(SampleDataSet(1).data);
    for (const char* line3 : {"1500,160.1795,134,89.99999", "1500.00001,160.1795,0,0", "0,5000,1500,89.999"}) {
        SCOPED_TRACE(line3);
        std::string text = good;
        text.replace(text.find("589,160.1795,134,33.2212"), 24, line3);
        text.replace(0, 1, "360.00001");
        std::string reason;
        const auto read = ParseLineDataText(text, &reason);
        ASSERT_TRUE(read) << reason;
        const auto again = ParseLineDataText(WriteLineDataText(*read), &reason);
        ASSERT_TRUE(again) << reason;
        EXPECT_EQ(again->sourceHeight, read->sourceHeight);
        EXPECT_EQ(again->slideAngle, read->slideAngle);
        EXPECT_EQ(again->northAngle, 360.0f);
    }
}

// The save writes no file that its reader would refuse: a typed height past the file's limit is
// reported with the reason and nothing is written.
TEST(LineDataFile, AModelTheReaderWouldRefuseIsNotWritten)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("site.dat").toStdString();
    Build({{{Outline(4, 1, 2), 99999.0f}}, {}});
    SetCameraValues(500, 150, 100, 20);
    SetBillDataSTS(0);
    std::string error;
    EXPECT_FALSE(SaveLineDataFile(path, {657, 785, -13, 1}, &error));
    EXPECT_NE(error.find("屋根の高さが範囲外です。"), std::string::npos) << error;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
    SetTopAreaHeight(0, 4999.0f);
    EXPECT_TRUE(SaveLineDataFile(path, {657, 785, -13, 1}, &error)) << error;
    EXPECT_EQ(gBillDataSTS, -1);
}

// A wrong file is refused without being read whole: a file larger than any building-data file
// by its size, any other at its first wrong line, after one chunk.
TEST(LineDataFile, AWrongFileIsRefusedAfterABoundedRead)
{
    QTemporaryDir dir;
    auto write = [&](const char* name, const std::string& text) {
        const std::string path = dir.filePath(name).toStdString();
        QFile f(QString::fromStdString(path));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.data(), static_cast<qint64>(text.size()));
        return path;
    };
    std::string lines;
    while (lines.size() < 10'000'000) lines += "lat,lon,height,1.0,2.0,3.0,4.0,5.0\r\n";
    const struct {
        const char* name;
        std::string path;
        std::uintmax_t mostRead;
    } cases[] = {
        {"10 MB of lines", write("big.dat", lines), 0},
        {"10 MB in one line", write("oneline.dat", std::string(10'000'000, 'x')), 0},
        {"just under the size limit", write("under.dat", lines.substr(0, kMaxLineDataFileSize - 100)), 64 * 1024},
        {"a long first line under the limit", write("long.dat", std::string(kMaxLineDataFileSize - 100, '7')), 64 * 1024},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string message;
        std::uintmax_t bytesRead = 1;
        EXPECT_FALSE(ReadLineDataFile(c.path, &message, &bytesRead));
        EXPECT_EQ(message.rfind(std::string(kBrokenDataMessage) + "\n", 0), 0u) << message;
        EXPECT_LE(bytesRead, c.mostRead);
    }
}

// The size limit is the largest valid file: a good model with blank lines up to the limit is
// read, one byte more is refused unread. A pipe has no size: one that sends a good model and then
// blank lines without end is stopped at the same limit (it is fed four times the limit, so a
// reader that does not stop takes the file instead of hanging).
TEST(LineDataFile, AValidFileAtTheLimitIsReadAndAnEndlessPipeIsStopped)
{
    QTemporaryDir dir;
    const std::string model = WriteLineDataText(SampleDataSet(1).data);
    std::string atLimit = model;
    while (atLimit.size() + 2 <= kMaxLineDataFileSize) atLimit += "\r\n";
    if (atLimit.size() < kMaxLineDataFileSize) atLimit += "\n";
    ASSERT_EQ(atLimit.size(), kMaxLineDataFileSize);
    const std::string path = dir.filePath("limit.dat").toStdString();
    for (const auto& [text, taken] : {std::pair{atLimit, true}, std::pair{atLimit + " ", false}}) {
        {
            QFile f(QString::fromStdString(path));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(text.data(), static_cast<qint64>(text.size()));
        }
        std::string message;
        std::uintmax_t bytesRead = 1;
        EXPECT_EQ(ReadLineDataFile(path, &message, &bytesRead).has_value(), taken) << message;
        if (!taken) {
            EXPECT_EQ(bytesRead, 0u);
            EXPECT_NE(message.find("大きすぎます"), std::string::npos) << message;
        }
    }

    const std::string fifo = dir.filePath("pipe.dat").toStdString();
    testutil::FedPipe pipe(fifo, model, "\r\n", 4 * kMaxLineDataFileSize);
    ASSERT_TRUE(pipe.made());
    std::string message;
    std::uintmax_t bytesRead = 0;
    EXPECT_FALSE(ReadLineDataFile(fifo, &message, &bytesRead));
    pipe.finish();
    EXPECT_NE(message.find("大きすぎます"), std::string::npos) << message;
    EXPECT_LE(bytesRead, kMaxLineDataFileSize + 64 * 1024);
}

// Data whose roofs break the building model's rules are refused before the model is emptied:
// the model stays as it was and the refusal reaches the caller.
TEST(LineDataFile, DataTheModelRefusesChangeNothing)
{
    Build({{{Outline(4, 1, 2), 6.5f}}, {{{1, 2}, {1, -20}, 0}}});
    SetNorthAngle(33);
    SetCameraValues(500, 150, 100, 20);
    SetPhotoPictureWidth(640);
    const Model before = Read();
    LineData data = SampleDataSet(2).data;
    data.roofs[1].start += 1;
    std::string message;
    EXPECT_FALSE(LoadLineData(data, false, &message));
    EXPECT_EQ(message.rfind(std::string(kBrokenDataMessage), 0), 0u) << message;
    EXPECT_EQ(ApplyLineData(data), TopAreaEdit::OutOfRange);
    EXPECT_EQ(Read(), before);
    EXPECT_EQ(gNorthAngle, 33.0f);
    EXPECT_EQ(gSlideAngle, 20.0f);
    EXPECT_EQ(gPhotoPictureWidth, 640.0f);

    data.roofs[1].start -= 1;
    EXPECT_TRUE(LoadLineData(data, false, &message)) << message;
    EXPECT_EQ(gEachTopAreaNumber, static_cast<int>(data.roofs.size()));
}

// A file that cannot be read is reported and changes nothing.
TEST(LineDataFile, AMissingFileLeavesTheModel)
{
    QTemporaryDir dir;
    Build({{{Outline(3, 5, 5), 4.0f}}, {}});
    SetPhotoPictureWidth(640);
    const Model before = Read();
    std::string message;
    EXPECT_FALSE(LoadLineDataFile(dir.filePath("missing.dat").toStdString(), false, &message));
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(Read(), before);
    EXPECT_EQ(gPhotoPictureWidth, 640.0f);
}

TEST(LineDataFile, SaveAndLoadThroughAFile)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("site.dat").toStdString();
    ResetAllDataBuildingData();
    SetSample2LineData(true);
    std::string error;
    SetBillDataSTS(0);
    ASSERT_TRUE(SaveLineDataFile(path, {657, 784, -13, -3}, &error)) << error;
    EXPECT_EQ(gBillDataSTS, -1) << "a saved model with roofs is restored at the next opening";
    const Model saved = Read();

    Build({{{Outline(5, 0, 0), 9.0f}}, {}});
    SetPhotoPictureWidth(0);
    ASSERT_TRUE(LoadLineDataFile(path, false, &error)) << error;
    EXPECT_EQ(Read(), saved);
    EXPECT_EQ(gPhotoPictureWidth, 784.0f) << "no picture: the width of line 2";
    EXPECT_EQ(gSlideHeight, 102.0f);
    EXPECT_EQ(gFlatTopAreaX[3], 0.0f);

    SetPhotoPictureWidth(788);
    ASSERT_TRUE(LoadLineDataFile(path, true, &error)) << error;
    EXPECT_EQ(gPhotoPictureWidth, 788.0f) << "a loaded picture keeps its width";
}

TEST(LineDataFile, AFailedWriteIsReported)
{
    ResetAllDataBuildingData();
    SetSample1LineData(true);
    std::string error;
    EXPECT_FALSE(SaveLineDataFile("/proc/gpsplan-no-files-here.dat", {657, 785, -13, 1}, &error));
    EXPECT_FALSE(error.empty());
    QTemporaryDir dir;
    EXPECT_FALSE(SaveLineDataFile((dir.path() + "/no/such/folder/x.dat").toStdString(), {}, &error));
}

TEST(LineDataFile, AFailedWriteKeepsTheEarlierFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("kept.dat");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier");
    }
    // The folder refuses new files: the replacement cannot be written.
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ResetAllDataBuildingData();
    SetSample1LineData(true);
    std::string error;
    SetBillDataSTS(0);
    const bool written = SaveLineDataFile(path.toStdString(), {657, 785, -13, 1}, &error);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (written) GTEST_SKIP() << "the folder's permissions do not hold here (running as root)";
    EXPECT_FALSE(error.empty());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("earlier"));
    EXPECT_EQ(gBillDataSTS, 0) << "a failed write sets no flag";
}

TEST(LineDataFile, WorkingFileFlagMarksAnyModelWithARoof)
{
    LineData data;
    EXPECT_EQ(BillDataStatusOf(data), 0);
    data.roofs.push_back({0, 4, 1, 10});
    EXPECT_EQ(BillDataStatusOf(data), -1) << "one roof, no wall edge";
}
