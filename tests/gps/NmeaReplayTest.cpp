// Real receiver logs replayed through a pseudo-terminal standing in for the receiver's serial
// port: the serial reader must hand on every sentence with a right checksum exactly once, in
// order, however the bytes arrive, and decode GGA as GPSD (the .chk beside each log) does.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "NmeaTestHelpers.h"
#include "common/PseudoTerminal.h"
#include "common/TestUtils.h"
#include "gps/NmeaSerialReader.h"

namespace {

// The body of a "$...*hh" line.
std::string Body(const std::string& line) { return line.substr(1, line.size() - 4); }

// Writes `bytes` into the pseudo-terminal in bursts of odd, changing sizes, letting the reader
// run between bursts, and returns the sentences the reader handed on: once `expected` have come
// and nothing more for a moment, or after five seconds.
std::vector<gps::NmeaSentence> Replay(const std::string& bytes, std::size_t expected)
{
    testutil::Pty pty;
    EXPECT_FALSE(pty.path.isEmpty());
    gps::NmeaSerialReader reader;
    std::vector<gps::NmeaSentence> received;
    QObject::connect(&reader, &gps::NmeaSerialReader::sentenceReceived,
                     [&](const gps::NmeaSentence& s) { received.push_back(s); });
    EXPECT_TRUE(reader.open(pty.path, 9600)) << reader.errorText().toStdString();
    pty.writeInBursts(bytes);
    QElapsedTimer total;
    total.start();
    QElapsedTimer quiet;
    quiet.start();
    std::size_t seen = received.size();
    while (total.elapsed() < 5000 && (received.size() < expected || quiet.elapsed() < 100)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (received.size() != seen) {
            seen = received.size();
            quiet.restart();
        }
    }
    return received;
}

// Damages a log: after every third sentence a copy with a changed character (wrong checksum),
// a copy cut in half with no line end before the next sentence, an over-long line and blank
// line ends, so that only the log's own sentences can come through.
std::string Damaged(const std::vector<std::string>& lines)
{
    std::string out;
    int k = 0;
    for (const std::string& line : lines) {
        out += line + "\r\n";
        if (line.empty() || line[0] != '$' || ++k % 3 != 0) continue;
        std::string wrong = line;
        wrong[wrong.size() / 2] = wrong[wrong.size() / 2] == '1' ? '2' : '1';
        out += wrong + "\r\n";
        if (k % 2 == 0) out += "$GPTXT," + std::string(300, 'x') + "*00\r\n";
        out += "\r\n\n\r";
        out += line.substr(0, line.size() / 2);  // cut short: the next sentence's '$' follows at once
    }
    return out;
}

// A value "key":number in a JSON report line of GPSD; nan when absent.
double JsonNumber(const std::string& json, const std::string& key)
{
    const std::size_t at = json.find("\"" + key + "\":");
    return at == std::string::npos ? std::nan("") : std::stod(json.substr(at + key.size() + 3));
}
std::string JsonText(const std::string& json, const std::string& key)
{
    const std::size_t at = json.find("\"" + key + "\":\"");
    if (at == std::string::npos) return {};
    const std::size_t start = at + key.size() + 4;
    return json.substr(start, json.find('"', start) - start);
}

struct LogCase {
    const char* log;
    const char* chk;  // GPSD's decoding, or nullptr
};

void PrintTo(const LogCase& c, std::ostream* os) { *os << c.log; }

class NmeaReplay : public ::testing::TestWithParam<LogCase> {};

}  // namespace

TEST_P(NmeaReplay, EverySentenceWithARightChecksumArrivesOnceAndInOrder)
{
    const LogCase c = GetParam();
    const std::vector<std::string> logLines = testutil::LogLines(testutil::ReadDataFile(c.log));
    // Expected: the sentences GPSD accepted from the log, or (without a .chk) all of them.
    std::vector<std::string> expected;
    for (const std::string& line : testutil::LogLines(testutil::ReadDataFile(c.chk ? c.chk : c.log))) {
        if (!line.empty() && line[0] == '$') expected.push_back(Body(line));
    }
    ASSERT_GT(expected.size(), 100u);
    std::string raw;
    for (const std::string& line : logLines) raw += line + "\r\n";

    for (const std::string& stream : {raw, Damaged(logLines)}) {
        const auto received = Replay(stream, expected.size());
        std::vector<std::string> bodies;
        for (const auto& s : received) bodies.push_back(s.body);
        EXPECT_EQ(bodies, expected);
    }
}

TEST_P(NmeaReplay, GgaFixesAgreeWithGpsd)
{
    const LogCase c = GetParam();
    if (!c.chk) {
        // The u-blox log names its place in its header: 45.877591500S 170.500124833E.
        int fixes = 0;
        for (const auto& s : Replay(testutil::ReadDataFile(c.log), 1015)) {
            if (const auto* gga = std::get_if<gps::GgaSentence>(&s.data); gga && gps::IsFix(*gga)) {
                ++fixes;
                EXPECT_NEAR(gga->latitude, -45.877591500, 1e-4);
                EXPECT_NEAR(gga->longitude, 170.500124833, 1e-4);
                EXPECT_EQ(gga->talker, gps::Talker::GN);
            }
        }
        EXPECT_EQ(fixes, 29);
        return;
    }
    std::size_t sentences = 0;
    for (const std::string& line : testutil::LogLines(testutil::ReadDataFile(c.chk))) sentences += !line.empty() && line[0] == '$';
    const auto received = Replay(testutil::ReadDataFile(c.log), sentences);
    // Walk GPSD's decoding: its sentence lines are the ones received, in order; each position
    // report (TPV with a latitude) belongs to the GGA fixes since the last report.
    std::size_t k = 0;
    std::vector<const gps::GgaSentence*> pending;
    int compared = 0;
    int timesCompared = 0;
    for (const std::string& line : testutil::LogLines(testutil::ReadDataFile(c.chk))) {
        if (!line.empty() && line[0] == '$') {
            ASSERT_LT(k, received.size());
            ASSERT_EQ(received[k].body, Body(line));
            if (const auto* gga = std::get_if<gps::GgaSentence>(&received[k].data); gga && gps::IsFix(*gga)) {
                pending.push_back(gga);
            }
            ++k;
        } else if (line.find("\"class\":\"TPV\"") != std::string::npos && line.find("\"lat\"") != std::string::npos) {
            for (const gps::GgaSentence* gga : pending) {
                ++compared;
                EXPECT_NEAR(gga->latitude, JsonNumber(line, "lat"), 1e-8) << line;
                EXPECT_NEAR(gga->longitude, JsonNumber(line, "lon"), 1e-8) << line;
                const std::string time = JsonText(line, "time");  // 2025-03-12T04:58:51.000Z
                if (time.size() >= 19) {
                    ++timesCompared;
                    ASSERT_TRUE(gga->utc);
                    EXPECT_EQ(gga->utc->hour, std::stoi(time.substr(11, 2)));
                    EXPECT_EQ(gga->utc->minute, std::stoi(time.substr(14, 2)));
                    EXPECT_EQ(gga->utc->second, std::stoi(time.substr(17, 2)));
                    EXPECT_EQ(gps::ToJapanTime(*gga->utc).hour, (std::stoi(time.substr(11, 2)) + 9) % 24);
                }
            }
            pending.clear();
        }
    }
    EXPECT_GT(compared, 0);
    if (std::string(c.log).find("iTrek") != std::string::npos) {
        EXPECT_EQ(compared, 23);
        EXPECT_EQ(timesCompared, 23);
    }
}

INSTANTIATE_TEST_SUITE_P(RealLogs, NmeaReplay,
                         ::testing::Values(LogCase{"nmea/iTrek.log", "nmea/iTrek.log.chk"},
                                           LogCase{"nmea/garmin-geko201.log", "nmea/garmin-geko201.log.chk"},
                                           LogCase{"nmea/ublox-zed-f9p-nmea.log", nullptr}),
                         [](const auto& info) {
                             const std::string log = info.param.log;
                             return log.find("iTrek") != std::string::npos    ? std::string("iTrek")
                                    : log.find("garmin") != std::string::npos ? std::string("GarminGeko")
                                                                              : std::string("UbloxF9P");
                         });

TEST(NmeaSerialReader, APortThatCannotBeOpenedIsReported)
{
    gps::NmeaSerialReader reader;
    QSignalSpy failed(&reader, &gps::NmeaSerialReader::portFailed);
    EXPECT_FALSE(reader.open(QStringLiteral("/dev/no-such-receiver"), 9600));
    EXPECT_FALSE(reader.isOpen());
    ASSERT_EQ(failed.size(), 1);
    EXPECT_TRUE(failed[0][0].toString().contains(QStringLiteral("/dev/no-such-receiver")));
    EXPECT_EQ(reader.errorText(), failed[0][0].toString());
    EXPECT_FALSE(reader.open(QString(), 9600)) << "no port chosen";
    EXPECT_EQ(failed.size(), 2);
}

TEST(NmeaSerialReader, AReceiverThatGoesAwayIsReportedAndThePortClosed)
{
    auto pty = std::make_unique<testutil::Pty>();
    gps::NmeaSerialReader reader;
    QSignalSpy failed(&reader, &gps::NmeaSerialReader::portFailed);
    ASSERT_TRUE(reader.open(pty->path, 4800));
    EXPECT_EQ(reader.portPath(), pty->path);
    pty.reset();  // both ends gone, as when a USB receiver is pulled
    QElapsedTimer wait;
    wait.start();
    while (failed.isEmpty() && wait.elapsed() < 3000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_EQ(failed.size(), 1);
    EXPECT_FALSE(reader.isOpen());
}
