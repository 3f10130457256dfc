#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gps/NmeaSentences.h"
#include "NmeaTestHelpers.h"

namespace {

using testutil::Gga;
using testutil::Sentence;

bool Decoded(const std::string& line)
{
    const auto sentence = gps::ParseNmeaLine(line);
    return sentence && !std::holds_alternative<std::monostate>(sentence->data);
}

// Lines the decoder hands on, fed in the given reads.
std::vector<std::string> Feed(const std::vector<std::string>& reads)
{
    gps::NmeaDecoder decoder;
    std::vector<std::string> bodies;
    for (const std::string& read : reads) {
        decoder.feed(read.data(), read.size(), [&](const gps::NmeaSentence& s) { bodies.push_back(s.body); });
    }
    return bodies;
}

}  // namespace

TEST(NmeaChecksum, RightOnesPassAndEveryDamageIsRefused)
{
    // Real sentences from the receiver logs in tests/data/nmea.
    const std::string real = "$GPGGA,045851.000,3519.9046,N,13640.2631,E,1,04,2.2,80.4,M,,,,0000*39";
    EXPECT_EQ(Sentence(real.substr(1, real.size() - 4)), real);
    EXPECT_EQ(gps::CheckNmeaChecksum(real), real.substr(1, real.size() - 4));
    EXPECT_TRUE(gps::CheckNmeaChecksum("$GPGSV,3,3,09,30,67,294,50*48"));
    EXPECT_TRUE(gps::CheckNmeaChecksum("$gpgsv,3,3,09,30,67,294,50*68"));
    EXPECT_TRUE(gps::CheckNmeaChecksum("$GNGSA,A,3,82,66,81,,,,,,,,,,1.05,0.64,0.83,2*0c")) << "lower-case hex";
    const char* refused[] = {
        "GPGSV,3,3,09,30,67,294,50*48",   // its '$' lost: only a line that starts with '$' is a sentence
        "0,67,294,50*48",                 // the rest of a sentence
        "$GPGSV,3,3,09,30,67,294,51*48",  // a changed digit
        "$GPGSV,3,3,09,30,67,294,50*49",  // a changed checksum
        "$GPGSV,3,3,09,30,67,294,50",     // no checksum
        "$GPBOD,,T,,M,,*",                // empty checksum (real, from the Garmin log)
        "$GPGSV,3,3,09,30,67,294,50*4",   // one digit
        "$GPGSV,3,3,09,30,67,294,50*48 ", // something after it
        "$GPGSV,3,3,09,30,67,294,50*G8",  // no hex digit
        "$GPGSV,3,3,09,30,67,2",          // cut short
        "", "$", "*00",
    };
    for (const char* line : refused) {
        EXPECT_FALSE(gps::CheckNmeaChecksum(line)) << line;
    }
    // No address, or one that begins with a digit, however right the checksum.
    for (const std::string body : {"0,67,294,50", ",3,3", "30,67", ""}) {
        EXPECT_FALSE(gps::CheckNmeaChecksum(Sentence(body))) << body;
    }
    std::string control = Sentence("GPGGA,1\x01");
    EXPECT_FALSE(gps::CheckNmeaChecksum(control)) << "control character in the body";
}

TEST(NmeaFields, EmptyFieldsKeepTheirPlacesAndTheCountIsBounded)
{
    gps::NmeaFields f;
    ASSERT_TRUE(gps::SplitNmeaFields("GPGSA,A,3,,05,,", f));
    ASSERT_EQ(f.count, 7);
    EXPECT_EQ(f[0], "GPGSA");
    EXPECT_EQ(f[3], "");
    EXPECT_EQ(f[4], "05");
    EXPECT_EQ(f[6], "");
    EXPECT_EQ(f[7], "") << "beyond the last field reads as empty";
    EXPECT_TRUE(gps::SplitNmeaFields("A,B,C", f, 3));
    EXPECT_FALSE(gps::SplitNmeaFields("A,B,C,", f, 3)) << "a fourth (empty) field";
    EXPECT_FALSE(gps::SplitNmeaFields(std::string(200, ','), f)) << "more than the most fields at all";
}

TEST(NmeaGga, FieldsAsTheReceiverMeantThem)
{
    struct Case {
        const char* name;
        const char* body;
        bool fix;
        double lat, lon;
        const char* japanTime;  // empty: no time
        bool nextDay;
        int quality;
        const char* label;
        int satellites;
    };
    const Case cases[] = {
        {"minutes to degrees", "GPGGA,012345,3544.5000,N,13936.2500,E,1,08,1.0,10.0,M,,,,", true, 35.0 + 44.5 / 60,
         139.0 + 36.25 / 60, "10:23:45", false, 1, "Navi", 8},
        {"south and west are negative", "GPGGA,120000.00,4552.65403,S,00339.1630,W,2,12,0.6,14.2,M,1.8,M,,", true,
         -(45.0 + 52.65403 / 60), -(3.0 + 39.1630 / 60), "21:00:00", false, 2, "DGPS", 12},
        {"Japan time past midnight", "GPGGA,153000,3544.5,N,13936.25,E,4,05,,,,,,,", true, 35.0 + 44.5 / 60,
         139.0 + 36.25 / 60, "00:30:00", true, 4, "RTK", 5},
        {"a fraction is dropped", "GPGGA,235959.5,3544.5,N,13936.25,E,5,05,,,,,,,", true, 35.0 + 44.5 / 60,
         139.0 + 36.25 / 60, "08:59:59", true, 5, "RTK", 5},
        {"six digits", "GPGGA,090000,3544.5,N,13936.25,E,3,05,,,,,,,", true, 35.0 + 44.5 / 60, 139.0 + 36.25 / 60,
         "18:00:00", false, 3, "RTK", 5},
        {"quality 0 is no position", "GPGGA,090000,3544.5,N,13936.25,E,0,00,,,,,,,", false, 0, 0, "18:00:00", false, 0,
         "", 0},
        {"empty position fields keep their places", "GPGGA,090000,,,,,0,00,,,M,,M,,", false, 0, 0, "18:00:00", false,
         0, "", 0},
        {"no hemisphere is no position", "GPGGA,090000,3544.5,,13936.25,E,1,04,,,,,,,", false, 0, 0, "18:00:00",
         false, 1, "Navi", 4},
        {"no time", "GNGGA,,3544.5,N,13936.25,E,1,,,,,,,,", true, 35.0 + 44.5 / 60, 139.0 + 36.25 / 60, "", false, 1,
         "Navi", -1},
    };
    for (const Case& c : cases) {
        const gps::GgaSentence g = Gga(c.body);
        EXPECT_EQ(gps::IsFix(g), c.fix) << c.name;
        if (c.fix) {
            EXPECT_NEAR(g.latitude, c.lat, 1e-12) << c.name;
            EXPECT_NEAR(g.longitude, c.lon, 1e-12) << c.name;
        }
        if (*c.japanTime) {
            ASSERT_TRUE(g.utc) << c.name;
            const gps::JapanTime jst = gps::ToJapanTime(*g.utc);
            EXPECT_EQ(gps::JapanTimeText(jst), c.japanTime) << c.name;
            EXPECT_EQ(jst.nextDay, c.nextDay) << c.name;
        } else {
            EXPECT_FALSE(g.utc) << c.name;
        }
        EXPECT_EQ(g.quality, c.quality) << c.name;
        EXPECT_EQ(gps::QualityLabel(g.quality), c.label) << c.name;
        if (c.satellites != 0) {
            EXPECT_EQ(g.satellitesInUse, c.satellites) << c.name;
        }
    }
    EXPECT_EQ(Gga("GPGGA,045851.000,3519.9046,N,13640.2631,E,1,04,2.2,80.4,M,,,,0000").satellitesText, "04");
    // A multi-system receiver's GGA of sixteen fields (and more): the fields after the fourteenth
    // are not read.
    for (const char* body : {"GNGGA,045851.000,3519.9046,N,13640.2631,E,1,14,0.9,80.4,M,38.1,M,,0000,1",
                             "GNGGA,045851.000,3519.9046,N,13640.2631,E,1,14,0.9,80.4,M,38.1,M,,0000,x,,,y"}) {
        const gps::GgaSentence g = Gga(body);
        EXPECT_TRUE(gps::IsFix(g)) << body;
        EXPECT_NEAR(g.latitude, 35.0 + 19.9046 / 60, 1e-12) << body;
        EXPECT_EQ(g.satellitesText, "14") << body;
    }
}

TEST(NmeaGga, MalformedOnesAreRefused)
{
    const char* refused[] = {
        "GPGGA,045851.000,3519.9046,N,13640.2631,E",                         // no quality
        "GPGGA,0458,3519.9046,N,13640.2631,E,1,04,,,,,,,",                   // four-digit time
        "GPGGA,245851,3519.9046,N,13640.2631,E,1,04,,,,,,,",                 // hour 24
        "GPGGA,045851.0x,3519.9046,N,13640.2631,E,1,04,,,,,,,",              // letters in the fraction
        "GPGGA,045851,3560.0000,N,13640.2631,E,1,04,,,,,,,",                 // 60 minutes
        "GPGGA,045851,9100.0000,N,13640.2631,E,1,04,,,,,,,",                 // beyond the pole
        "GPGGA,045851,-3519.9046,N,13640.2631,E,1,04,,,,,,,",                // a sign
        "GPGGA,045851,3519.9046,N,13640.2631,E,x,04,,,,,,,",                 // quality no number
    };
    for (const char* body : refused) {
        EXPECT_FALSE(Decoded(Sentence(body))) << body;
    }
    // The time's seconds may be 60 in a leap second.
    EXPECT_TRUE(Decoded(Sentence("GPGGA,235960,3519.9046,N,13640.2631,E,1,04,,,,,,,")));
}

TEST(NmeaTime, JapanTimeAndItsFiveMinuteStep)
{
    struct Case {
        const char* utc;
        const char* japan;
        int step;
    };
    const Case cases[] = {
        {"012345", "10:23:45", 125},   // 10:23:45 is 124.95 steps
        {"150000", "00:00:00", 0},     // midnight in Japan
        {"153000", "00:30:00", 6},
        {"010230", "10:02:30", 120},   // 120.5 steps: halves go to the even step
        {"010300", "10:03:00", 121},   // 120.6 steps
        {"011230", "10:12:30", 122},   // 122.5 steps
        {"145959.99", "23:59:59", 288},
    };
    for (const Case& c : cases) {
        const auto utc = gps::ParseNmeaTime(c.utc);
        ASSERT_TRUE(utc) << c.utc;
        EXPECT_EQ(gps::JapanTimeText(gps::ToJapanTime(*utc)), c.japan) << c.utc;
        EXPECT_EQ(gps::TimeStepOf(gps::ToJapanTime(*utc)), c.step) << c.utc;
    }
    EXPECT_DOUBLE_EQ(gps::ParseNmeaTime("145959.25")->fraction, 0.25);
}

TEST(NmeaGsaGsv, UsedSatellitesAndSatellitesInView)
{
    // GSA with empty PRN fields marks only the others; a malformed no-fix GSA (real, iTrek) is
    // still a GSA with no satellites.
    auto s = gps::ParseNmeaLine(Sentence("GPGSA,A,3,05,,12,,,,,,,,,42,2.9,2.2,1.9"));
    auto* gsa = std::get_if<gps::GsaSentence>(&s->data);
    ASSERT_NE(gsa, nullptr);
    EXPECT_EQ(gsa->fixType, 3);
    ASSERT_EQ(gsa->prnCount, 3);
    EXPECT_EQ(gsa->prns[0], 5);
    EXPECT_EQ(gsa->prns[2], 42);
    s = gps::ParseNmeaLine("$GPGSA,A,1,,,,*32");
    gsa = std::get_if<gps::GsaSentence>(&s->data);
    ASSERT_NE(gsa, nullptr);
    EXPECT_EQ(gsa->prnCount, 0);
    // NMEA 4.1: the system id says these GN PRNs are Galileo satellites, not GPS ones.
    s = gps::ParseNmeaLine("$GNGSA,A,3,07,12,33,,,,,,,,,,1.05,0.64,0.83,3*0A");
    gsa = std::get_if<gps::GsaSentence>(&s->data);
    ASSERT_NE(gsa, nullptr);
    EXPECT_EQ(gsa->systemId, 3);
    EXPECT_EQ(gps::SystemOfSatellite(gsa->talker, gsa->systemId, gsa->prns[0]), gps::GnssSystem::Galileo);
    EXPECT_FALSE(Decoded(Sentence("GPGSA,A,3,05,,12,,,,,,,,,42,2.9,2.2,1.9,1,9"))) << "twenty fields";
    // A system id that is no whole number is left out; the satellites are read.
    for (const char* id : {"3.3", "x", "-1", ""}) {
        s = gps::ParseNmeaLine(Sentence(std::string("GPGSA,A,3,05,12,,,,,,,,,,,1.05,0.64,0.83,") + id));
        gsa = s ? std::get_if<gps::GsaSentence>(&s->data) : nullptr;
        ASSERT_NE(gsa, nullptr) << id;
        EXPECT_EQ(gsa->prnCount, 2) << id;
        EXPECT_EQ(gsa->systemId, 0) << id;
    }

    struct Case {
        const char* name;
        std::string line;
        int satellites;
        int lastPrn;
        bool lastHasSnr;
        int signalId;
    };
    const Case cases[] = {
        {"four satellites", "$GPGSV,3,1,09,01,19,319,41,02,17,093,40,04,09,049,37,05,60,046,49*77", 4, 5, true, 0},
        {"last SNR empty", "$GPGSV,2,2,08,22,62,272,24,18,55,192,16,30,50,179,18,15,09,229,*74", 4, 15, false, 0},
        {"last SNR field missing", Sentence("GPGSV,2,2,08,22,62,272,24,18,55,192,16,30,50,179,18,15,09,229"), 4, 15,
         false, 0},
        {"one satellite", "$GPGSV,3,3,09,30,67,294,50*48", 1, 30, true, 0},
        {"with a signal id", "$GLGSV,3,3,10,87,14,030,17,88,62,024,,1*74", 2, 88, false, 1},
        {"four and a signal id", "$GPGSV,3,3,12,26,04,276,,27,15,218,31,29,24,004,13,30,00,159,,1*69", 4, 30, false,
         1},
        {"none in view", Sentence("GPGSV,1,1,00"), 0, 0, false, 0},
    };
    for (const Case& c : cases) {
        const auto parsed = gps::ParseNmeaLine(c.line);
        const auto* gsv = parsed ? std::get_if<gps::GsvSentence>(&parsed->data) : nullptr;
        ASSERT_NE(gsv, nullptr) << c.name;
        ASSERT_EQ(gsv->satelliteCount, c.satellites) << c.name;
        EXPECT_EQ(gsv->signalId, c.signalId) << c.name;
        if (c.satellites > 0) {
            const gps::GsvSatellite& last = gsv->satellites[static_cast<std::size_t>(c.satellites - 1)];
            EXPECT_EQ(last.prn, c.lastPrn) << c.name;
            EXPECT_EQ(last.snr.has_value(), c.lastHasSnr) << c.name;
            EXPECT_TRUE(last.elevation && last.azimuth) << c.name;
        }
    }
    const auto gsv = std::get<gps::GsvSentence>(gps::ParseNmeaLine(cases[0].line)->data);
    EXPECT_EQ(gsv.satellites[0].elevation, 19);
    EXPECT_EQ(gsv.satellites[0].azimuth, 319);
    EXPECT_EQ(gsv.satellites[0].snr, 41);
    EXPECT_EQ(gps::SystemOfSatellite(gps::Talker::GL, 0, 87), gps::GnssSystem::Glonass);
    EXPECT_EQ(gps::SystemOfSatellite(gps::Talker::GP, 0, 42), gps::GnssSystem::Sbas);
    EXPECT_EQ(gps::SystemOfSatellite(gps::Talker::GN, 0, 70), gps::GnssSystem::Glonass);
    // The system ids of NMEA 4.11 win over the talker and the PRN range; an id beyond them names
    // no system known here.
    const std::pair<int, gps::GnssSystem> ids[] = {
        {1, gps::GnssSystem::Gps},     {2, gps::GnssSystem::Glonass}, {3, gps::GnssSystem::Galileo},
        {4, gps::GnssSystem::BeiDou},  {5, gps::GnssSystem::Qzss},    {6, gps::GnssSystem::NavIC},
        {7, gps::GnssSystem::Unknown}, {15, gps::GnssSystem::Unknown},
    };
    for (const auto& [id, system] : ids) {
        EXPECT_EQ(gps::SystemOfSatellite(gps::Talker::GN, id, 5), system) << "system id " << id;
        EXPECT_EQ(gps::SystemOfSatellite(gps::Talker::GP, id, 5), system) << "system id " << id;
    }
    EXPECT_FALSE(Decoded(Sentence("GPGSV,1,1,01,x5,10,20,30"))) << "PRN no number";
    EXPECT_FALSE(Decoded(Sentence("GPGSV,1,2,01,05,10,20,30"))) << "message 1 of 2 but numbered 2 of 1";
}

TEST(NmeaTalkers, MultiConstellationTalkersAreReadOthersPassUndecoded)
{
    for (const char* talker : {"GP", "GN", "GL", "GA", "GB"}) {
        const gps::GgaSentence g = Gga(std::string(talker) + "GGA,003956.00,4552.65403,S,17030.00668,E,1,12,0.64,14.2,M,1.8,M,,");
        EXPECT_TRUE(gps::IsFix(g)) << talker;
    }
    const auto other = gps::ParseNmeaLine(Sentence("BDGGA,003956.00,4552.65403,S,17030.00668,E,1,12,0.64,14.2,M,1.8,M,,"));
    ASSERT_TRUE(other);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(other->data));
    const auto rmc = gps::ParseNmeaLine("$GNRMC,003956.00,A,4552.65403,S,17030.00668,E,0.025,,120419,,,A,V*07");
    ASSERT_TRUE(rmc);
    EXPECT_EQ(rmc->address(), "GNRMC");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(rmc->data));
}

TEST(NmeaLines, SentencesAreAssembledFromAnyCutOfTheByteStream)
{
    const std::string a = "$GPGSV,3,3,09,30,67,294,50*48";
    const std::string b = "$GPGSA,A,1,,,,*32";
    const std::vector<std::string> both = {a.substr(1, a.size() - 4), b.substr(1, b.size() - 4)};
    EXPECT_EQ(Feed({a + "\r\n" + b + "\r\n"}), both) << "two in one read";
    EXPECT_EQ(Feed({a.substr(0, 5), a.substr(5) + "\r", "\n" + b.substr(0, 3), b.substr(3) + "\n"}), both)
        << "split anywhere, CR and LF in different reads";
    EXPECT_EQ(Feed({a + "\r" + b + "\r"}), both) << "CR alone ends a line";
    EXPECT_EQ(Feed({a.substr(0, 12) + b + "\r\n" + a + "\r\n"}),
              (std::vector<std::string>{both[1], both[0]}))
        << "a sentence cut short is dropped, the next '$' starts afresh";
    EXPECT_EQ(Feed({"GPGSV,3,3,09,30", a.substr(15) + "\r\n"}).size(), 0u) << "the tail of a sentence";
    EXPECT_EQ(Feed({"$GPGSV,3,3,09,30,67,294,51*48\r\n" + b + "\r\n"}), std::vector<std::string>{both[1]})
        << "a wrong checksum is dropped";
}

TEST(NmeaLines, AnOverLongLineIsDroppedWholeWithoutGrowing)
{
    const std::string b = "$GPGSA,A,1,,,,*32";
    gps::NmeaLineAssembler assembler;
    std::vector<std::string> lines;
    const auto collect = [&](std::string_view line) { lines.emplace_back(line); };
    // A line of exactly the longest length passes; one more character drops it whole, however
    // the bytes arrive, and the line after it is read again.
    const std::string longest(gps::kMaxNmeaLineLength, 'A');
    assembler.feed(longest.data(), longest.size(), collect);
    assembler.feed("\n", 1, collect);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), gps::kMaxNmeaLineLength);
    const std::string tooLong = "$GP" + std::string(100000, 'x') + "*00\r\n" + b + "\r\n";
    for (std::size_t i = 0; i < tooLong.size(); i += 997) {
        assembler.feed(tooLong.data() + i, std::min<std::size_t>(997, tooLong.size() - i), collect);
    }
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], b);
    EXPECT_EQ(assembler.droppedLongLines(), 1u);
}
