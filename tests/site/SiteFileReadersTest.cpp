// The settings, project and GPS record files read from disk: a valid file at the largest size is
// read, a larger or wrong one refused after a bounded read, a pipe that keeps sending stopped.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <functional>
#include <string>

#include "common/FedPipe.h"
#include "common/ProcessReads.h"
#include "site/SiteFiles.h"
#include "site/TopAreaModel.h"

namespace {

// What a bounded read may take beyond the bytes it needs: the file stream's own buffer (8 KiB)
// and the reads of /proc/self/io that measure it.
constexpr long long kReadSlack = 16 * 1024;

// `text` with every line padded with blanks to the longest line allowed.
std::string PaddedLines(const std::string& text)
{
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        std::string line = text.substr(at, end - at);
        line.resize(kMaxSiteFileLineLength, ' ');
        out += line + "\r\n";
        at = end + 2;
    }
    return out;
}

// The largest project the model holds: 501 buildings over 2001 points.
ProjectData LargestProject()
{
    ProjectData data = SampleProject();
    data.areas.clear();
    data.points.clear();
    for (int i = 0; i < kMaxTopAreas; ++i) {
        const int count = i == 0 ? kMaxTopPoints - 4 * (kMaxTopAreas - 1) : 4;
        data.areas.push_back({static_cast<int>(data.points.size()), count, 12.5f});
        for (int k = 0; k < count; ++k) data.points.push_back({static_cast<float>(i), static_cast<float>(k)});
    }
    return data;
}

class SiteFileReaders : public ::testing::Test {
protected:
    std::string write(const char* name, const std::string& text)
    {
        const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
        std::ofstream file(path, std::ios::binary);
        file << text;
        return path;
    }
    std::string path(const char* name) const { return dir.filePath(QString::fromLatin1(name)).toStdString(); }

    QTemporaryDir dir;
};

// Each reader as a yes/no of "the file was taken", with the reason on a refusal.
struct Reader {
    const char* name;
    std::function<bool(const std::string&, FileError*)> read;
    std::uintmax_t maxSize;
    std::string largestValid;  // a valid file of exactly maxSize bytes
};

std::vector<Reader> Readers()
{
    const SettingData setting{35.681f, 139.767f, 1.5f, 10.0f, 10};
    return {
        {"settings", [](const std::string& p, FileError* e) { return ReadSettingFile(p, e).has_value(); },
         kMaxSettingFileSize, PaddedLines(WriteSettingText(setting))},
        {"project", [](const std::string& p, FileError* e) { return ReadProjectFile(p, e).has_value(); },
         kMaxProjectFileSize, PaddedLines(WriteProjectText(LargestProject()))},
    };
}

}  // namespace

// The limits are the files' largest valid content: a file of that size is read, one byte more
// is refused by its size without being read.
TEST_F(SiteFileReaders, AValidFileAtTheLimitIsReadOneByteMoreIsRefusedUnread)
{
    for (const Reader& r : Readers()) {
        SCOPED_TRACE(r.name);
        ASSERT_EQ(r.largestValid.size(), r.maxSize);
        FileError error;
        EXPECT_TRUE(r.read(write("limit.dat", r.largestValid), &error)) << error.reason;

        const std::string over = write("over.dat", r.largestValid + "\n");
        const long long before = testutil::BytesReadByThisProcess();
        error = {};
        EXPECT_FALSE(r.read(over, &error));
        EXPECT_LT(testutil::BytesReadByThisProcess() - before, kReadSlack) << "refused by its size";
        EXPECT_NE(error.reason.find("大きすぎます"), std::string::npos) << error.reason;
        EXPECT_FALSE(error.cannotRead);
    }
    const auto largest = ReadProjectFile(path("limit.dat"));
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest->areas.size(), static_cast<std::size_t>(kMaxTopAreas));
    EXPECT_EQ(largest->points.size(), static_cast<std::size_t>(kMaxTopPoints));
}

// A wrong file under the limit is refused at its first wrong line after one small chunk; a file
// that is not there is said so.
TEST_F(SiteFileReaders, AWrongFileIsRefusedAtItsFirstLine)
{
    for (const Reader& r : Readers()) {
        SCOPED_TRACE(r.name);
        std::string lines;
        while (lines.size() + 40 < r.maxSize) lines += "lat,lon,height,1.0,2.0,3.0,4.0,5.0\r\n";
        const long long before = testutil::BytesReadByThisProcess();
        FileError error;
        EXPECT_FALSE(r.read(write("wrong.dat", lines), &error));
        EXPECT_LE(testutil::BytesReadByThisProcess() - before, kReadSlack);
        EXPECT_FALSE(error.reason.empty());

        error = {};
        EXPECT_FALSE(r.read(write("oneline.dat", std::string(r.maxSize - 1, '7')), &error));
        EXPECT_NE(error.reason.find("1 行目が長すぎます"), std::string::npos) << error.reason;

        error = {};
        EXPECT_FALSE(r.read(path("missing.dat"), &error));
        EXPECT_TRUE(error.cannotRead);
    }
}

// A pipe has no size: one that sends a valid start and then blank lines without end is stopped
// at the byte limit (the pipe is fed four times the limit, so a reader that does not stop takes
// the file instead of hanging).
TEST_F(SiteFileReaders, APipeOfEndlessBlankLinesIsStoppedAtTheLimit)
{
    const struct {
        Reader reader;
        std::string head;
    } cases[] = {
        {Readers()[0], " 35.5 \r\n"},
        {Readers()[1], " 0 \r\n 24 \r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reader.name);
        const std::string fifo = path("pipe.dat");
        testutil::FedPipe pipe(fifo, c.head, "\r\n", 4 * c.reader.maxSize);
        ASSERT_TRUE(pipe.made());
        FileError error;
        EXPECT_FALSE(c.reader.read(fifo, &error));
        pipe.finish();
        EXPECT_NE(error.reason.find("大きすぎます"), std::string::npos) << error.reason;
        std::remove(fifo.c_str());
    }
}

// A GPS record longer than its first 4001 points is valid: it is read no further than them, or
// than 4001 lines without a point; from a pipe as from a file.
TEST_F(SiteFileReaders, AGpsRecordIsReadNoFurtherThanItsPoints)
{
    std::string record;
    while (record.size() < 10'000'000) record += "10:00:00,-20141.3,-28988.1\r\n";
    long long before = testutil::BytesReadByThisProcess();
    auto track = ReadGpsRecordFile(write("long.gps", record));
    ASSERT_TRUE(track);
    EXPECT_EQ(static_cast<int>(track->size()), kMaxGpsRecordPoints);
    EXPECT_LT(testutil::BytesReadByThisProcess() - before, 4001 * 28 + kReadSlack);

    // Lines that give no point, blank or of another form, are bounded too.
    const std::string fifo = path("pipe.gps");
    for (const char* filler : {"\r\n", "no record\r\n"}) {
        SCOPED_TRACE(filler);
        testutil::FedPipe pipe(fifo, "09:00:00,1.0,2.0\r\n", filler, 1'000'000);
        ASSERT_TRUE(pipe.made());
        track = ReadGpsRecordFile(fifo);
        EXPECT_LT(pipe.finish(), 1'000'000u) << "the reader stopped before the pipe's end";
        ASSERT_TRUE(track);
        EXPECT_EQ(track->size(), 1u);
        std::remove(fifo.c_str());
    }

    before = testutil::BytesReadByThisProcess();
    FileError error;
    EXPECT_FALSE(ReadGpsRecordFile(write("picture.gps", std::string(10'000'000, '\0')), &error));
    EXPECT_LT(testutil::BytesReadByThisProcess() - before, kReadSlack);
    EXPECT_NE(error.reason.find("1 行目が長すぎます"), std::string::npos) << error.reason;
}

// A record that a power cut ended in zero bytes is read with every whole line's point; zero bytes
// that run on are read no further than the lines without a point that a record may hold take.
TEST_F(SiteFileReaders, AGpsRecordEndingInZeroBytesIsReadWithinTheBoundOfItsLinesWithoutAPoint)
{
    std::string record;
    for (int i = 0; i < 3000; ++i) record += "10:00:00,-20141.3," + std::to_string(i) + ".0\r\n";
    for (const std::size_t zeros : {std::size_t{600}, std::size_t{10'000'000}}) {
        SCOPED_TRACE(zeros);
        const std::string path = write("cut.gps", record + std::string(zeros, '\0'));
        const long long before = testutil::BytesReadByThisProcess();
        FileError error;
        const auto track = ReadGpsRecordFile(path, &error);
        ASSERT_TRUE(track) << error.reason;
        ASSERT_EQ(track->size(), 3000u);
        EXPECT_FLOAT_EQ(track->back().y, 2999.0f);
        EXPECT_LT(testutil::BytesReadByThisProcess() - before,
                  static_cast<long long>(record.size() + kMaxGpsRecordPoints * (kMaxSiteFileLineLength + 2)) + kReadSlack);
    }
}
