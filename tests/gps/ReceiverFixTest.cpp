// What the receiver window takes from a GGA: only a real fix inside the system's window, its
// plane coordinates, Japan time, satellites and label, and the record line the main window's
// reader reads back.
#include <gtest/gtest.h>

#include "NmeaTestHelpers.h"
#include "common/TestUtils.h"
#include "gps/ReceiverFix.h"
#include "site/SiteFiles.h"

namespace {

// System 7 (36-00 N, 137-10 E), the system of the iTrek log's place.
constexpr double kLat7 = 36.0;
constexpr double kLon7 = 137.0 + 10.0 / 60.0;

struct FixCase {
    const char* name;
    const char* body;
    bool accepted;
    const char* time = "";
    const char* label = "";
    double lat = 0.0, lon = 0.0;  // the position expected, degrees
};

void PrintTo(const FixCase& c, std::ostream* os) { *os << c.name; }

class GgaAcceptance : public ::testing::TestWithParam<FixCase> {};

}  // namespace

TEST_P(GgaAcceptance, OnlyRealFixesInsideTheSystemAreShown)
{
    const FixCase c = GetParam();
    const auto fix = gps::AcceptGga(testutil::Gga(c.body), kLat7, kLon7);
    ASSERT_EQ(fix.has_value(), c.accepted);
    if (!fix) return;
    const gps::PlaneXY xy = gps::LatLonToPlane(c.lat, c.lon, kLat7, kLon7);
    EXPECT_NEAR(fix->east, xy.east, 1e-6);
    EXPECT_NEAR(fix->north, xy.north, 1e-6);
    EXPECT_EQ(fix->timeText, c.time);
    EXPECT_EQ(fix->qualityLabel, c.label);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GgaAcceptance,
    ::testing::Values(
        // A real sentence of the iTrek log (UTC 04:58:51 is 13:58:51 in Japan).
        FixCase{"RealFix", "GPGGA,045851.000,3519.9046,N,13640.2631,E,1,04,2.2,80.4,M,,,,0000", true, "13:58:51", "Navi",
                35.0 + 19.9046 / 60.0, 136.0 + 40.2631 / 60.0},
        FixCase{"QualityZero", "GPGGA,045851.000,3519.9046,N,13640.2631,E,0,04,2.2,80.4,M,,,,0000", false},
        FixCase{"NoPosition", "GPGGA,045851.000,,,,,1,04,2.2,80.4,M,,,,0000", false},
        FixCase{"South", "GPGGA,045851.000,3519.9046,S,13640.2631,E,1,04,2.2,80.4,M,,,,0000", false},
        FixCase{"West", "GPGGA,045851.000,3519.9046,N,13640.2631,W,1,04,2.2,80.4,M,,,,0000", false},
        FixCase{"OkinawaOutsideSystem7", "GPGGA,045851.000,2612.0000,N,12740.0000,E,1,04,2.2,80.4,M,,,,0000", false},
        // Japan time across midnight, with a GN talker and an RTK quality.
        FixCase{"PastMidnightRtk", "GNGGA,151500.00,3519.9046,N,13640.2631,E,4,12,0.6,80.4,M,,,,", true, "00:15:00", "RTK",
                35.0 + 19.9046 / 60.0, 136.0 + 40.2631 / 60.0},
        FixCase{"FractionDropped", "GPGGA,235959.5,3600.0000,N,13710.0000,E,2,05,1.0,10.0,M,,,,", true, "08:59:59", "DGPS",
                36.0, kLon7},
        FixCase{"NoTime", "GPGGA,,3600.0000,N,13710.0000,E,1,05,1.0,10.0,M,,,,", true, "", "Navi", 36.0, kLon7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GpsRecordLine, IsWhatTheMainWindowsReaderReadsBack)
{
    struct Row {
        double east, north;
        const char* line;
    };
    for (const Row& r : {Row{123.44, -56.66, "12:15:19,123.4,-56.7\r\n"}, Row{-20141.26, -28988.05, "12:15:19,-20141.3,-28988.1\r\n"},
                         Row{-0.04, 0.0, "12:15:19,0.0,0.0\r\n"}}) {
        gps::ReceiverFix fix;
        fix.east = r.east;
        fix.north = r.north;
        fix.timeText = "12:15:19";
        const std::string line = gps::GpsRecordLine(fix);
        EXPECT_EQ(line, r.line);
        const auto track = ParseGpsRecordText(line + line);
        ASSERT_TRUE(track) << line;
        ASSERT_EQ(track->size(), 2u) << line;
        EXPECT_NEAR((*track)[1].x, r.east, 0.05 + 1e-9);
        EXPECT_NEAR((*track)[1].y, r.north, 0.05 + 1e-9);
    }
}
