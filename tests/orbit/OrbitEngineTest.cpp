#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "common/TestUtils.h"
#include "orbit/OrbitEngine.h"
#include "orbit/OrbitGeometry.h"
#include "orbit/YumaAlmanac.h"

namespace {

constexpr double kDeg = 3.14159265358979 / 180;

// A satellite that stands, at its time of applicability (toa 0), at argument of latitude u0 on a
// plane of the given inclination with its node at longitude 0.
orbit::AlmanacRecord Placed(double inclination, double u0)
{
    const double sqrtA = 5153.6;
    return {1, 0, 0, inclination, sqrtA, 0.0, 0.0, u0, sqrtA * sqrtA};
}

struct Sky {
    float az;
    float el;
};

// Computes step 0 of a day whose start is the satellite's time of applicability, seen from
// latitude 0, longitude 0.
Sky AtTimeOfApplicability(const orbit::AlmanacRecord& record, double latitude = 0, double longitude = 0)
{
    const orbit::Almanac almanac{1000, {record}};
    SateTable az{}, el{};
    const int sateSlots[] = {1};
    orbit::ComputeSateTables(almanac, sateSlots, latitude, longitude, orbit::GpsTime{1000, 0.0}, 0, 0, az, el);
    return {az[1][0], el[1][0]};
}

TEST(OrbitEngine, AzimuthIsAMathematicalAngle)
{
    struct Case {
        const char* name;
        double inclination;
        double u0;
        double az;
    };
    // Inclination 90 moves the satellite north (u0 > 0) or south; inclination 0 east or west.
    const Case cases[] = {
        {"north", 90, 20, 90},
        {"south", 90, -20, 270},
        {"east", 0, 20, 0},
        {"west", 0, -20, 180},
        // Inclination 45: the offsets east and north are equal.
        {"north_east", 45, 20, 45},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Sky sky = AtTimeOfApplicability(Placed(c.inclination, c.u0));
        EXPECT_NEAR(testutil::AngleDiff(sky.az, c.az), 0, 1e-3);
        EXPECT_GE(sky.az, 0);
        EXPECT_LE(sky.az, 360);
        EXPECT_GT(sky.el, 0);
        EXPECT_LT(sky.el, 90);
    }
    // Just south of east: an azimuth just below 360.
    const Sky southOfEast = AtTimeOfApplicability(Placed(-1, 20));
    EXPECT_GT(southOfEast.az, 355);
    EXPECT_LT(southOfEast.az, 360);
}

TEST(OrbitEngine, SatelliteOverheadHasElevation90)
{
    const Sky sky = AtTimeOfApplicability(Placed(55, 0));
    EXPECT_NEAR(sky.el, 90, 1e-3);
    EXPECT_TRUE(std::isfinite(sky.az));
}

TEST(OrbitEngine, EarthRotationShiftUsesEachSatellitesOwnTimeOfApplicability)
{
    // One satellite described at two times of applicability 3 hours apart: the later record's
    // mean anomaly has moved on by n * 3 h, its node (fixed at the week's start) is the same.
    orbit::AlmanacRecord early{5, 0, 392000, 55.0, 5153.62, -110.0, 50.0, 30.0, 5153.62 * 5153.62};
    orbit::AlmanacRecord late = early;
    const double n = std::sqrt(3.986005e14 / std::pow(early.sqrtA, 6));
    late.toa = early.toa + 10800;
    late.meanAnomaly = early.meanAnomaly + n * 10800 / kDeg - 360 * std::floor((early.meanAnomaly + n * 10800 / kDeg) / 360);

    orbit::AlmanacRecord other{1, 0, 61440, 54.0, 5153.6, 20.0, 10.0, 0.0, 5153.6 * 5153.6};
    const orbit::Almanac almanac{149, {other, early, late}};
    SateTable az{}, el{};
    const int sateSlots[] = {1, 2, 3};
    const auto day = orbit::ConvertDateToGPSTime("2022/02/18", "00:00");
    orbit::ComputeSateTables(almanac, sateSlots, 35.681, 139.767, *day, 0, 288, az, el);
    for (int k = 0; k <= 288; k += 8) {
        EXPECT_NEAR(testutil::AngleDiff(az[2][k], az[3][k]), 0, 0.01) << k;
        EXPECT_NEAR(el[2][k], el[3][k], 0.01) << k;
    }
}

TEST(OrbitEngine, ExcludedAndOrbitlessSlotsAndOtherStepsKeepTheirValues)
{
    orbit::SetDefaultAlmanacData();
    SetLatitude(35.681f);
    SetLongitude(139.767f);
    SetComputeDate("2007/09/19");
    gUnUsefulSateNum = 0;
    for (auto& row : gSateAzimus) row.fill(-1);
    for (auto& row : gSateElevation) row.fill(-1);
    ASSERT_TRUE(orbit::ComputeSateAzimusElevation(0, 288));
    const SateTable wholeDay = gSateElevation;
    EXPECT_EQ(gSateElevation[0][0], -1) << "slot 0 is never written";
    EXPECT_EQ(gSateElevation[31][0], -1) << "sateSlots beyond the almanac are not written";

    // Excluding PRN 16 skips slot 15, not slot 16.
    for (auto& row : gSateElevation) row.fill(-2);
    gUnUsefulSate[0] = 16;
    gUnUsefulSateNum = 1;
    gSateNum = 31;  // raised above the loaded 30 sateSlots: slot 31 has no orbit
    ASSERT_TRUE(orbit::ComputeSateAzimusElevationAtStep(96));
    for (int s = 0; s <= 32; ++s) {
        for (int k = 0; k <= 288; ++k) {
            const bool computed = s >= 1 && s <= 30 && s != 15 && k == 96;
            if (computed) {
                ASSERT_NEAR(gSateElevation[s][k], wholeDay[s][k], 1e-4) << s;
            } else {
                ASSERT_EQ(gSateElevation[s][k], -2.0f) << s << "," << k;
            }
        }
    }

    // A date text that is not a date computes nothing.
    SetComputeDate("2007/02/30");
    EXPECT_FALSE(orbit::ComputeSateAzimusElevation(0, 288));
    EXPECT_FALSE(orbit::ComputeSateAzimusElevationOnDate(0, 288, "tomorrow"));
    EXPECT_FALSE(orbit::ComputeSateAzimusElevationAtStep(289));
    EXPECT_EQ(gSateElevation[1][0], -2.0f);
    orbit::SetDefaultAlmanacData();
}

TEST(OrbitEngine, StepRangeIsClampedAndSlotsWithoutOrbitAreSkipped)
{
    const orbit::Almanac& almanac = orbit::DefaultAlmanac();
    SateTable az{}, el{};
    const int sateSlots[] = {1, 40, -3};
    const auto day = orbit::ConvertDateToGPSTime("2007/09/19", "00:00");
    orbit::ComputeSateTables(almanac, sateSlots, 35, 139, *day, -10, 1000, az, el);
    EXPECT_NE(el[1][0], 0);
    EXPECT_NE(el[1][288], 0);
    orbit::ComputeSateTables(almanac, sateSlots, 35, 139, *day, 200, 100, az, el);  // empty range

    // Records without an orbit leave their entries as they were.
    orbit::AlmanacRecord noOrbit = almanac.records[0];
    noOrbit.sqrtA = 0;
    orbit::AlmanacRecord negative = almanac.records[0];
    negative.sqrtA = -5153;
    orbit::AlmanacRecord noRadius = almanac.records[0];
    noRadius.radius = 0;
    const orbit::Almanac broken{402, {noOrbit, negative, noRadius}};
    SateTable brokenAz{}, brokenEl{};
    const int all[] = {1, 2, 3};
    orbit::ComputeSateTables(broken, all, 35, 139, *day, 0, 288, brokenAz, brokenEl);
    EXPECT_EQ(brokenAz, SateTable{});
    EXPECT_EQ(brokenEl, SateTable{});
}

// Reference tables of the real almanac: prn -> step -> (az, el).
using Reference = std::map<int, std::map<int, Sky>>;

Reference ReadReference(const std::string& name)
{
    Reference table;
    std::ifstream file(testutil::DataFile(name));
    std::string line;
    std::getline(file, line);  // heading
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        int prn = 0, step = 0;
        float az = 0, el = 0;
        char comma = 0;
        if (fields >> prn >> comma >> step >> comma >> az >> comma >> el) {
            table[prn][step] = {az, el};
        }
    }
    return table;
}

// The angle between two sky directions, degrees.
double SkyAngle(Sky a, Sky b)
{
    const auto unit = [](Sky s) {
        return orbit::Vec3{std::cos(s.el * kDeg) * std::cos(s.az * kDeg), std::cos(s.el * kDeg) * std::sin(s.az * kDeg),
                           std::sin(s.el * kDeg)};
    };
    const orbit::Vec3 u = unit(a), v = unit(b);
    const double dot = std::clamp(u.x * v.x + u.y * v.y + u.z * v.z, -1.0, 1.0);
    return std::acos(dot) / kDeg;
}

class RealAlmanac : public testing::Test {
protected:
    void SetUp() override
    {
        std::ifstream file(testutil::DataFile("almanac.yuma.week0149.405504.txt"));
        std::stringstream text;
        text << file.rdbuf();
        const orbit::YumaReadResult read = orbit::ReadYumaAlmanac(text.str());
        ASSERT_TRUE(read.ok()) << read.error;
        almanac = orbit::ToAlmanac(read);
        std::vector<int> sateSlots;
        for (int s = 1; s <= static_cast<int>(almanac.records.size()); ++s) sateSlots.push_back(s);
        const auto day = orbit::ConvertDateToGPSTime("2022/02/18", "00:00");
        ASSERT_TRUE(day);
        orbit::ComputeSateTables(almanac, sateSlots, 35.681, 139.767, *day, 0, 288, az, el);
    }
    orbit::Almanac almanac;
    SateTable az{}, el{};
};

TEST_F(RealAlmanac, AgreesWithAnIndependentCircularModel)
{
    const Reference reference = ReadReference("week0149.405504_tokyo_2022-02-18_circular.csv");
    ASSERT_EQ(reference.size(), 31u);
    double worstEl = 0, worstAz = 0;
    for (int s = 1; s <= static_cast<int>(almanac.records.size()); ++s) {
        const auto& steps = reference.at(almanac.records[s - 1].prn);
        ASSERT_EQ(steps.size(), 289u);
        for (const auto& [k, ref] : steps) {
            worstEl = std::max(worstEl, std::abs(el[s][k] - double(ref.el)));
            if (ref.el < 85) {  // the azimuth is unstable next to the zenith
                worstAz = std::max(worstAz, std::abs(testutil::AngleDiff(az[s][k], ref.az)));
            }
        }
    }
    EXPECT_LT(worstEl, 0.01);
    EXPECT_LT(worstAz, 0.01);
}

TEST_F(RealAlmanac, StaysCloseToTheFullAlmanacPropagation)
{
    const Reference reference = ReadReference("week0149.405504_tokyo_2022-02-18_full.csv");
    double sumSquares = 0, worst = 0;
    int count = 0;
    for (int s = 1; s <= static_cast<int>(almanac.records.size()); ++s) {
        for (const auto& [k, ref] : reference.at(almanac.records[s - 1].prn)) {
            const double angle = SkyAngle({az[s][k], el[s][k]}, ref);
            sumSquares += angle * angle;
            worst = std::max(worst, angle);
            ++count;
        }
    }
    ASSERT_EQ(count, 31 * 289);
    const double rms = std::sqrt(sumSquares / count);
    EXPECT_LT(rms, 1.5);
    EXPECT_LT(worst, 4.5);
    RecordProperty("rms_degrees", std::to_string(rms));
    RecordProperty("worst_degrees", std::to_string(worst));
}

}  // namespace
