#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "common/TestUtils.h"
#include "gps/MapSystems.h"
#include "gps/PlaneRectangular.h"

namespace {

struct ProjPoint {
    int system;
    double lat, lon, north, east;
};

// PROJ's cs2cs conversions of tests/data/plane_rectangular_cs2cs.csv (see the README there).
std::vector<ProjPoint> ProjPoints()
{
    std::istringstream in(testutil::ReadDataFile("plane_rectangular_cs2cs.csv"));
    std::vector<ProjPoint> points;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        ProjPoint p{};
        char comma = 0;
        std::istringstream row(line);
        if (row >> p.system >> comma >> p.lat >> comma >> p.lon >> comma >> p.north >> comma >> p.east) {
            points.push_back(p);
        }
    }
    return points;
}

// Origin of system 9, 36-00 N 139-50 E.
constexpr double kLat9 = 36.0;
constexpr double kLon9 = 139.0 + 50.0 / 60.0;

}  // namespace

TEST(PlaneRectangular, AgreesWithProjInAllNineteenSystems)
{
    const auto points = ProjPoints();
    ASSERT_EQ(points.size(), 95u);
    double worst = 0.0;
    for (const ProjPoint& p : points) {
        const gps::MapSystem* system = gps::FindMapSystem(p.system);
        ASSERT_NE(system, nullptr);
        const double lat0 = *gps::DegreeMinuteValue(system->latitude);
        const double lon0 = *gps::DegreeMinuteValue(system->longitude);
        const gps::PlaneXY xy = gps::LatLonToPlane(p.lat, p.lon, lat0, lon0);
        // A centimetre up to 1.5 degrees from the origin; a millimetre within a quarter degree.
        const double far = std::max(std::abs(p.lat - lat0), std::abs(p.lon - lon0));
        const double tolerance = far < 0.25 ? 0.001 : 0.01;
        EXPECT_NEAR(xy.north, p.north, tolerance) << "system " << p.system << " at " << p.lat << ", " << p.lon;
        EXPECT_NEAR(xy.east, p.east, tolerance) << "system " << p.system << " at " << p.lat << ", " << p.lon;
        worst = std::max({worst, std::abs(xy.north - p.north), std::abs(xy.east - p.east)});
    }
    RecordProperty("worst_metres", std::to_string(worst));
}

TEST(PlaneRectangular, ReferenceValuesAboutTheOriginOfSystemNine)
{
    struct Case {
        const char* name;
        double lat, lon, north, east, tolerance;
    };
    const Case cases[] = {
        {"the origin itself", kLat9, kLon9, 0.0, 0.0, 0.0},
        {"37 N on the origin's meridian", 37.0, kLon9, 110957.208, 0.0, 0.0005},
        {"one degree east", 36.0, kLon9 + 1.0, 462.473, 90156.099, 0.0005},
        {"one degree west", 36.0, kLon9 - 1.0, 462.473, -90156.099, 0.0005},
        {"the map correction's default first point", 35.0 + 44.0 / 60 + 18.54 / 3600, 139.0 + 36.0 / 60 + 38.43 / 3600,
         -28990.0, -20140.0, 5.0},
    };
    gps::gScaleFactor = gps::kPlaneScaleFactor;
    gps::SetEllipsoidParameter();
    for (const Case& c : cases) {
        const gps::PlaneXY xy = gps::LatLonToPlane(c.lat, c.lon, kLat9, kLon9);
        EXPECT_NEAR(xy.north, c.north, c.tolerance) << c.name;
        EXPECT_NEAR(xy.east, c.east, c.tolerance) << c.name;
        // The program-wide form writes the same X into the latitude and Y into the longitude.
        double x = c.lat;
        double y = c.lon;
        const double lat0 = kLat9;
        const double lon0 = kLon9;
        gps::ConvertLatLonToPlaneXY(x, y, lat0, lon0);
        EXPECT_EQ(x, xy.north) << c.name;
        EXPECT_EQ(y, xy.east) << c.name;
    }
    EXPECT_DOUBLE_EQ(gps::gInverseFlattening, 298.257222101);
    EXPECT_NEAR(gps::gEccentricity, 0.0818191910428, 1e-12);
}

TEST(PlaneRectangular, TheSystemsWindowEndsThreeDegreesFromTheOrigin)
{
    EXPECT_TRUE(gps::IsWithinSystemWindow(38.99, 142.82, kLat9, kLon9));
    EXPECT_FALSE(gps::IsWithinSystemWindow(39.0, kLon9, kLat9, kLon9));
    EXPECT_FALSE(gps::IsWithinSystemWindow(kLat9, kLon9 - 3.0, kLat9, kLon9));
    EXPECT_FALSE(gps::IsWithinSystemWindow(26.2, 127.7, kLat9, kLon9)) << "Okinawa seen from system 9";
    EXPECT_FALSE(gps::IsWithinSystemWindow(-35.7, 139.7, kLat9, kLon9)) << "the southern hemisphere";
    EXPECT_FALSE(gps::IsWithinSystemWindow(std::nan(""), kLon9, kLat9, kLon9));
}

TEST(MapSystems, OriginTextsReadAndWriteBack)
{
    for (const gps::MapSystem& s : gps::MapSystemTable()) {
        const auto lat = gps::DegreeMinuteValue(s.latitude);
        const auto lon = gps::DegreeMinuteValue(s.longitude);
        ASSERT_TRUE(lat && lon) << s.number;
        EXPECT_EQ(gps::DegreeMinuteText(*lat), s.latitude);
        EXPECT_EQ(gps::DegreeMinuteText(*lon), s.longitude);
    }
    EXPECT_DOUBLE_EQ(*gps::DegreeMinuteValue(" 139 - 50 "), 139.0 + 50.0 / 60.0);
    for (const char* bad : {"緯度", "", "36", "36-", "-36-00", "36-60", "36-00x"}) {
        EXPECT_FALSE(gps::DegreeMinuteValue(bad)) << bad;
    }
    EXPECT_EQ(gps::FindMapSystem(0), nullptr);
    EXPECT_EQ(gps::FindMapSystem(20), nullptr);
    EXPECT_EQ(gps::FindMapSystem(1)->prefectures, "長崎 ");
}
