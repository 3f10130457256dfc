#include <gtest/gtest.h>

#include <functional>

#include "site/SiteFiles.h"
#include "site/TopAreaModel.h"

namespace {

void ExpectSameProject(const ProjectData& a, const ProjectData& b)
{
    EXPECT_EQ(a.fixDataSTS, b.fixDataSTS);
    EXPECT_EQ(a.mapScaleIndex, b.mapScaleIndex);
    EXPECT_FLOAT_EQ(a.mapScaleRate, b.mapScaleRate);
    EXPECT_FLOAT_EQ(a.latitude, b.latitude);
    EXPECT_FLOAT_EQ(a.longitude, b.longitude);
    EXPECT_FLOAT_EQ(a.antennaHeight, b.antennaHeight);
    EXPECT_FLOAT_EQ(a.elevationMask, b.elevationMask);
    ASSERT_EQ(a.areas.size(), b.areas.size());
    for (std::size_t i = 0; i < a.areas.size(); ++i) {
        EXPECT_EQ(a.areas[i].start, b.areas[i].start) << i;
        EXPECT_EQ(a.areas[i].count, b.areas[i].count) << i;
        EXPECT_FLOAT_EQ(a.areas[i].height, b.areas[i].height) << i;
    }
    ASSERT_EQ(a.points.size(), b.points.size());
    for (std::size_t j = 0; j < a.points.size(); ++j) {
        EXPECT_FLOAT_EQ(a.points[j].x, b.points[j].x) << j;
        EXPECT_FLOAT_EQ(a.points[j].y, b.points[j].y) << j;
    }
}

}  // namespace

TEST(ProjectFile, SampleWritesTheDocumentedLinesAndReadsBackExactly)
{
    const ProjectData sample = SampleProject();
    const std::string text = WriteProjectText(sample);
    EXPECT_EQ(text.rfind(" 0 \r\n 24 \r\n 4 \r\n 0 \r\n 0 \r\n 35.5 \r\n 139.5 \r\n 0 \r\n 10 \r\n 0 \r\n", 0), 0u);
    EXPECT_NE(text.find("\r\n 6 \r\n0,7,26.4\r\n7,5,27.3\r\n"), std::string::npos);
    EXPECT_NE(text.find(" 37 \r\n15.6,-18.9\r\n14.6,-29.7\r\n"), std::string::npos);
    const auto read = ParseProjectText(text);
    ASSERT_TRUE(read.has_value());
    ExpectSameProject(*read, sample);
}

TEST(ProjectFile, RoundTripThroughTheProgramState)
{
    ApplyProject(SampleProject());
    EXPECT_EQ(gEachTopAreaNumber, 6);
    EXPECT_EQ(gTopAreaPointTotalNumber, 37);
    EXPECT_FLOAT_EQ(gNorthTopAreaX[36], -45.1f);
    const auto read = ParseProjectText(WriteProjectText(CaptureProject()));
    ASSERT_TRUE(read.has_value());
    ProjectData expected = SampleProject();
    expected.settingReserve = 10;
    ExpectSameProject(*read, expected);
}

TEST(ProjectFile, BrokenFilesAreRefused)
{
    const std::string good = WriteProjectText(SampleProject());
    const auto replace = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"truncated in the head", good.substr(0, 20)},
        {"ends before its last point line", good.substr(0, good.rfind("-45.1"))},
        {"502 buildings", replace("\r\n 6 \r\n", "\r\n 502 \r\n")},
        {"2002 points", replace(" 37 \r\n", " 2002 \r\n")},
        {"start beyond the points", replace("30,7,27.0", "40,7,27.0")},
        {"count runs past the point total", replace("30,7,27.0", "30,9,27.0")},
        {"a height that is no number", replace("0,7,26.4", "0,7,high")},
        {"a point that is no number", replace("15.6,-18.9", "abc,-18.9")},
        {"latitude that is no number", replace(" 35.5 ", " north ")},
        {"missing field in a point line", replace("14.6,-29.7", "14.6")},
        {"scale zero", replace(" 4 \r\n", " 0 \r\n")},
        {"a start far beyond any point number", replace("30,7,27.0", "1e30,7,27.0")},
        {"a count far beyond any point number", replace("30,7,27.0", "30,-1e30,27.0")},
        {"a second reserve beyond single precision", replace(" 0 \r\n 35.5 ", " 1e300 \r\n 35.5 ")},
        {"an infinite height", replace("0,7,26.4", "0,7,1e400")},
        {"a negative height", replace("0,7,26.4", "0,7,-3")},
        {"an absurd height", replace("0,7,26.4", "0,7,500.1")},
        {"a point far off any site", replace("15.6,-18.9", "1e30,-18.9")},
        {"a point just beyond the bound", replace("14.6,-29.7", "14.6,-10000000.1")},
        {"a third field in a point line", replace("14.6,-29.7", "14.6,-29.7,0")},
        {"a point line of ten million commas", replace("14.6,-29.7", std::string(10'000'000, ','))},
        {"a building line of ten million commas", replace("0,7,26.4", "0,7,26.4" + std::string(10'000'000, ','))},
        {"10^399 written with a negative exponent", replace("15.6,-18.9", "1" + std::string(400, '0') + "e-1,-18.9")},
        {"a height of 10^399", replace("0,7,26.4", "0,7,1" + std::string(400, '0') + "e-1")},
    };
    for (const auto& c : cases) {
        FileError error;
        EXPECT_FALSE(ParseProjectText(c.text, &error).has_value()) << c.name;
        EXPECT_FALSE(error.reason.empty()) << c.name;
    }
}

TEST(ProjectFile, SecondReserveKeepsASingleValueOfAnySize)
{
    ProjectData data = SampleProject();
    data.reserve2 = 3.0e38f;
    const auto read = ParseProjectText(WriteProjectText(data));
    ASSERT_TRUE(read.has_value());
    EXPECT_FLOAT_EQ(read->reserve2, 3.0e38f);
}

TEST(SettingFile, RoundTripAndRefusals)
{
    const SettingData data{35.681f, 139.767f, 1.5f, 10.0f, 10};
    const std::string text = WriteSettingText(data);
    EXPECT_EQ(text, " 35.681 \r\n 139.767 \r\n 1.5 \r\n 10 \r\n 10 \r\n");
    const auto read = ParseSettingText(text);
    ASSERT_TRUE(read.has_value());
    EXPECT_FLOAT_EQ(read->latitude, 35.681f);
    EXPECT_FLOAT_EQ(read->antennaHeight, 1.5f);
    EXPECT_EQ(read->reserve, 10);

    const char* broken[] = {"", " 35 \r\n 139 \r\n", " 35 \r\n 139 \r\n x \r\n 10 \r\n 10 \r\n",
                            " 95 \r\n 139 \r\n 0 \r\n 10 \r\n 10 \r\n", " 35 \r\n 139 \r\n 101 \r\n 10 \r\n 10 \r\n"};
    for (const char* text : broken) {
        EXPECT_FALSE(ParseSettingText(text).has_value()) << '"' << text << '"';
    }
}

TEST(SettingFile, LongNumbersKeepTheirValue)
{
    const std::string zeros(400, '0');
    // 10^399, written with a negative exponent, is out of range, not latitude 0.
    EXPECT_FALSE(ParseSettingText(" 1" + zeros + "e-1 \r\n 139 \r\n 0 \r\n 10 \r\n 10 \r\n").has_value());
    // 10^-401 is latitude 0 (the nearest value), never the largest double.
    const auto tiny = ParseSettingText(" 0." + zeros + "1 \r\n 139 \r\n 0 \r\n 10 \r\n 10 \r\n");
    ASSERT_TRUE(tiny.has_value());
    EXPECT_EQ(tiny->latitude, 0.0f);
    // 400 significant digits that round to 35.5 read as 35.5.
    const auto exact = ParseSettingText(" 35.5" + zeros + " \r\n 139 \r\n 0 \r\n 10 \r\n 10 \r\n");
    ASSERT_TRUE(exact.has_value());
    EXPECT_EQ(exact->latitude, 35.5f);
}

TEST(GpsRecordFile, SkipsBlankLinesAndStopsAt4001Points)
{
    // Blank lines and positions off any site (or no finite number) are skipped.
    const std::string zeros(200, '0');
    const auto points = ParseGpsRecordText("09:15:30,123.4,-56.7\r\n\r\n \r\n09:00:00,1e30,5\r\n09:00:01,5,-1e400\r\n"
                                           "09:15:32,1" + zeros + "e-1,0\r\n09:15:32,-2.5,3\n");
    ASSERT_TRUE(points);
    ASSERT_EQ(points->size(), 2u);
    EXPECT_FLOAT_EQ((*points)[0].x, 123.4f);
    EXPECT_FLOAT_EQ((*points)[0].y, -56.7f);
    EXPECT_FLOAT_EQ((*points)[1].x, -2.5f);

    std::string many;
    for (int i = 0; i < 5000; ++i) {
        many += "10:00:00," + std::to_string(i) + ",0\r\n";
    }
    // The lines after the 4001st point are not read: a broken one there does not matter.
    const auto first = ParseGpsRecordText(many + "broken\r\n");
    ASSERT_TRUE(first);
    ASSERT_EQ(static_cast<int>(first->size()), kMaxGpsRecordPoints);
    EXPECT_FLOAT_EQ(first->back().x, 4000.0f);

    // Numbers of 200 digits keep their value (a line holds at most kMaxSiteFileLineLength).
    const auto longNumbers = ParseGpsRecordText("09:15:32,1" + zeros + "e-199,0\r\n09:15:33,12.5" + zeros + ",-0." + zeros + "1\r\n");
    ASSERT_TRUE(longNumbers);
    ASSERT_EQ(longNumbers->size(), 2u);
    EXPECT_FLOAT_EQ((*longNumbers)[0].x, 10.0f);
    EXPECT_FLOAT_EQ((*longNumbers)[1].x, 12.5f);
    EXPECT_FLOAT_EQ((*longNumbers)[1].y, 0.0f);

    const SitePoint centre = BoundingBoxCentre({{-10, 4}, {30, 8}, {0, -2}});
    EXPECT_FLOAT_EQ(centre.x, 10.0f);
    EXPECT_FLOAT_EQ(centre.y, 3.0f);
}

// A record whose writer stopped in the middle of its last line gives the points of its whole
// lines, wherever the cut fell: a number cut short would be a wrong point.
TEST(GpsRecordFile, ARecordCutShortGivesEveryWholeLinesPoint)
{
    const std::string whole = "09:15:30,-20141.3,-28988.1\r\n09:15:31,-20140.8,-28987.6\r\n";
    const std::string last = "09:15:32,-20140.2,-28987.0\r";
    for (std::size_t cut = 1; cut <= last.size(); ++cut) {
        SCOPED_TRACE(last.substr(0, cut));
        const auto points = ParseGpsRecordText(whole + last.substr(0, cut));
        ASSERT_TRUE(points);
        ASSERT_EQ(points->size(), 2u);
        EXPECT_FLOAT_EQ((*points)[1].x, -20140.8f);
        EXPECT_FLOAT_EQ((*points)[1].y, -28987.6f);
    }
}

// A power cut leaves a record's last block as zero bytes after its whole lines (a run without a
// line end, longer than any record line); a binary run or a line of another program may lie
// between record lines. Each is passed over and every whole line gives its point.
TEST(GpsRecordFile, ARecordEndingInARunOfZeroBytesGivesEveryWholeLinesPoint)
{
    std::string walk;
    for (int i = 0; i < 3000; ++i) walk += "10:00:00,-20141.3," + std::to_string(i) + ".5\r\n";
    const std::string line3001 = "11:00:00,-20100.0,-28900.0\r\n";
    const struct {
        const char* name;
        std::string text;
        std::size_t points;
    } cases[] = {
        {"600 zero bytes", walk + std::string(600, '\0'), 3000},
        {"a block of zero bytes", walk + std::string(4096, '\0'), 3000},
        {"ten million zero bytes", walk + std::string(10'000'000, '\0'), 3000},
        {"zero bytes, then the walk goes on", walk + std::string(600, '\0') + "\r\n" + line3001, 3001},
        {"a binary run between lines", walk + std::string(5000, '\xff') + "\n" + line3001, 3001},
        {"a line of another program", walk + "$GPGSV," + std::string(1000, '9') + "\r\n" + line3001, 3001},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FileError error;
        const auto points = ParseGpsRecordText(c.text, &error);
        ASSERT_TRUE(points) << error.reason;
        ASSERT_EQ(points->size(), c.points);
        EXPECT_FLOAT_EQ((*points)[2999].x, -20141.3f);
        EXPECT_FLOAT_EQ((*points)[2999].y, 2999.5f);
        if (c.points == 3001) {
            EXPECT_FLOAT_EQ(points->back().y, -28900.0f);
        }
    }
}

// A line too long counts as the longest lines it would fill among the 4001 lines without a point
// that are read: the point after 2000 such lines of two is read, the one after 2001 is not.
TEST(GpsRecordFile, LinesTooLongCountAmongTheLinesWithoutAPoint)
{
    const std::string twoLines(kMaxSiteFileLineLength + 1, '\0');
    for (const int runs : {2000, 2001}) {
        SCOPED_TRACE(runs);
        std::string text = "09:00:00,1,2\r\n";
        for (int i = 0; i < runs; ++i) text += twoLines + "\r\n";
        const auto points = ParseGpsRecordText(text + "09:00:01,3,4\r\n");
        ASSERT_TRUE(points);
        EXPECT_EQ(points->size(), runs == 2000 ? 2u : 1u);
    }
}

// A line of another form gives no point and the lines after it are read; a file without any
// record line is refused, and so is one whose first line too long to read comes before any
// record line.
TEST(GpsRecordFile, LinesOfAnotherFormGiveNoPointAndAFileWithoutRecordLinesIsRefused)
{
    const auto points = ParseGpsRecordText("09:15:30,1,2\r\nheader\r\n09:15:31,125.0\r\n09:15:31,3,4,5\r\n"
                                           "09:15:31,east,4\r\n09:15:31,,4\r\n09:15:33,5,6\r\n");
    ASSERT_TRUE(points);
    ASSERT_EQ(points->size(), 2u);
    EXPECT_FLOAT_EQ((*points)[1].x, 5.0f);
    EXPECT_FLOAT_EQ((*points)[1].y, 6.0f);

    const struct {
        const char* name;
        std::string text;
        const char* reason;
    } cases[] = {
        {"empty", "", "記録の行がありません"},
        {"blank lines", "\r\n  \r\n", "記録の行がありません"},
        {"a text", "GPS record of the walk\r\ntime, east, north\r\n", "記録の行がありません"},
        {"one line cut short", "09:15:32,-20140.2,-28987.0", "記録の行がありません"},
        {"zero bytes only", std::string(600, '\0'), "1 行目が長すぎます"},
        {"a line too long before any record line", std::string(10'000'000, ',') + "\r\n09:15:30,1,2\r\n",
         "1 行目が長すぎます"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FileError error;
        EXPECT_FALSE(ParseGpsRecordText(c.text, &error));
        EXPECT_NE(error.reason.find(c.reason), std::string::npos) << error.reason;
    }
}

TEST(FileSuffix, TakenFromTheFileNameNotTheFolders)
{
    const struct {
        const char* path;
        const char* suffix;
        const char* name;
    } cases[] = {
        {"/home/u/site.dat", "dat", "site.dat"},
        {"C:\\a\\Site.DAT", "DAT", "Site.DAT"},
        {"/home/my.files/site.dat", "dat", "site.dat"},
        {"/home/my.files/site", "", "site"},
        {"walk.gps", "gps", "walk.gps"},
        {"/x/a.b.txt", "txt", "a.b.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileSuffix(c.path), c.suffix) << c.path;
        EXPECT_EQ(FileNameOfPath(c.path), c.name) << c.path;
    }
}

// A project whose buildings the model refuses changes nothing: not the buildings, nor the
// calibration flag, scale, position, antenna height or mask; the refusal is reported.
TEST(ApplyProject, ARefusedProjectChangesNothing)
{
    ASSERT_EQ(ApplyProject(SampleProject()), TopAreaEdit::Done);
    const std::string before = WriteProjectText(CaptureProject());
    ProjectData broken = SampleProject();
    broken.fixDataSTS = 1;
    broken.mapScaleIndex = 30;
    broken.mapScaleRate = 9.0f;
    broken.latitude = 43.0f;
    broken.longitude = 141.0f;
    broken.antennaHeight = 7.0f;
    broken.elevationMask = 20.0f;
    const struct {
        const char* name;
        std::function<void(ProjectData&)> spoil;
        TopAreaEdit refusal;
    } cases[] = {
        {"a run that does not follow the one before", [](ProjectData& d) { d.areas[2].start += 1; }, TopAreaEdit::OutOfRange},
        {"runs short of the points", [](ProjectData& d) { d.points.push_back({0, 0}); }, TopAreaEdit::OutOfRange},
        {"2002 points", [](ProjectData& d) {
             d.points.resize(kMaxTopPoints + 1);
             d.areas.back().count += kMaxTopPoints + 1 - 37;
         }, TopAreaEdit::Full},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProjectData data = broken;
        c.spoil(data);
        EXPECT_EQ(ApplyProject(data), c.refusal);
        EXPECT_EQ(WriteProjectText(CaptureProject()), before);
        EXPECT_EQ(gFixDataSTS, 0);
    }
}
