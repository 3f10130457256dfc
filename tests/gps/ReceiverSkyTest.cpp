// The receiver's sky of the comparison window without the window: icon slots by system, the
// texts of position and time, and the used marks renewed by every GSA cycle.

#include <gtest/gtest.h>

#include "NmeaTestHelpers.h"
#include "gps/ReceiverSky.h"

namespace {

using testutil::NmeaOf;

TEST(ReceiverSky, OnlyGpsSatellitesAndTheDifferentialSatelliteHaveSlots)
{
    struct Case {
        const char* name;
        gps::Talker talker;
        int systemId;
        int prn;
        int slot;
    } cases[] = {
        {"GPS PRN 1", gps::Talker::GP, 0, 1, 0},
        {"GPS PRN 32", gps::Talker::GP, 0, 32, 31},
        {"MSAS PRN 42 by talker GP", gps::Talker::GP, 0, 42, 32},
        {"MSAS PRN 42 in a GN GSA of system 1", gps::Talker::GN, 1, 42, 32},
        {"another SBAS PRN", gps::Talker::GP, 0, 50, -1},
        {"GPS in a GN GSA of system 1", gps::Talker::GN, 1, 13, 12},
        {"Galileo PRN 7 (GA talker)", gps::Talker::GA, 0, 7, -1},
        {"Galileo PRN 7 in a GN GSA of system 3", gps::Talker::GN, 3, 7, -1},
        {"BeiDou PRN 13 in a GN GSA of system 4", gps::Talker::GN, 4, 13, -1},
        {"GLONASS PRN 66 (GN talker, no id)", gps::Talker::GN, 0, 66, -1},
        {"PRN 0", gps::Talker::GP, 0, 0, -1},
        {"QZSS PRN 1 in a GN GSA of system 5", gps::Talker::GN, 5, 1, -1},
        {"QZSS PRN 1 in a GP GSA of system 5", gps::Talker::GP, 5, 1, -1},
        {"a system not known here", gps::Talker::GN, 9, 5, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gps::ReceiverIconSlot(c.talker, c.systemId, c.prn), c.slot) << c.name;
    }
}

TEST(ReceiverSky, PositionAndTimeTexts)
{
    // 35 degrees 44.5 minutes and 139 degrees 36.25 minutes (the Part's example).
    EXPECT_EQ(gps::DegreeMinuteSecondText(35.0 + 44.5 / 60.0, 2), "35-44-30.00");
    EXPECT_EQ(gps::DegreeMinuteSecondText(139.0 + 36.25 / 60.0, 3), "139-36-15.00");
    // 59.9996 seconds carries into the minute instead of showing 60.00.
    EXPECT_EQ(gps::DegreeMinuteSecondText(35.0 + 44.0 / 60.0 + 59.9996 / 3600.0, 2), "35-45-00.00");
    EXPECT_EQ(gps::DegreeMinuteSecondText(5.0 + 1.0 / 60.0, 2), "05-01-00.00");
    EXPECT_EQ(gps::DegreeMinuteSecondText(-(45.0 + 52.655 / 60.0), 2), "-45-52-39.30");
    EXPECT_EQ(gps::ReceiverTimeText({0, 30, 0, true}), "0:30:00");
    EXPECT_EQ(gps::ReceiverTimeText({10, 23, 45, false}), "10:23:45");
}

TEST(ReceiverSky, EveryGsaCycleRenewsTheUsedMarks)
{
    gps::ReceiverSatellites sky;
    // A receiver of several systems: one GSA per system, one after the other.
    sky.takeGsa(std::get<gps::GsaSentence>(NmeaOf("GNGSA,A,3,05,12,,,,,,,,,,,1.0,0.6,0.8,1").data));
    sky.takeGsa(std::get<gps::GsaSentence>(NmeaOf("GNGSA,A,3,07,42,,,,,,,,,,,1.0,0.6,0.8,3").data));
    sky.takeGsa(std::get<gps::GsaSentence>(NmeaOf("GNGSA,A,3,42,,,,,,,,,,,,1.0,0.6,0.8,1").data));
    EXPECT_TRUE(sky.used(4));
    EXPECT_TRUE(sky.used(11));
    EXPECT_FALSE(sky.used(6)) << "Galileo PRN 7 is no GPS satellite";
    EXPECT_TRUE(sky.used(gps::kDifferentialSlot));
    EXPECT_EQ(sky.usedGpsCount(), 2) << "the differential satellite is counted apart";

    // The next cycle (after another sentence) replaces the marks: 12 left the fix.
    sky.endGsaCycle();
    sky.takeGsa(std::get<gps::GsaSentence>(NmeaOf("GPGSA,A,3,05,,,,,,,,,,,,2.0,1.0,1.5").data));
    EXPECT_TRUE(sky.used(4));
    EXPECT_FALSE(sky.used(11));
    EXPECT_FALSE(sky.used(gps::kDifferentialSlot));
    EXPECT_EQ(sky.usedGpsCount(), 1);
    EXPECT_FALSE(sky.shown(4)) << "used but not yet placed by a GSV sentence";
}

}  // namespace
