#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "gps/MapCorrection.h"

namespace {

// The window's default reference positions, and the origin of system 9 (36-00 N, 139-50 E).
const gps::GeoPosition kFirst{35.0 + 44.0 / 60 + 18.54 / 3600, 139.0 + 36.0 / 60 + 38.43 / 3600};
const gps::GeoPosition kSecond{35.0 + 44.0 / 60 + 22.01 / 3600, 139.0 + 36.0 / 60 + 33.82 / 3600};
constexpr double kLat9 = 36.0;
constexpr double kLon9 = 139.0 + 50.0 / 60.0;

gps::PlaneXY Plane(const gps::GeoPosition& p) { return *gps::ReferencePlanePoint(p, kLat9, kLon9); }

gps::MapCorrectionInput Input(gps::SitePoint pick1, gps::SitePoint pick2)
{
    gps::MapCorrectionInput in;
    in.pick1 = pick1;
    in.pick2 = pick2;
    in.position1 = kFirst;
    in.position2 = kSecond;
    in.originLat = kLat9;
    in.originLon = kLon9;
    return in;
}

// A site frame that is the plane frame turned by 20 degrees, shrunk by 1/1.05 and shifted to a
// site origin: where a plane point was drawn on the site map.
gps::SitePoint SiteOf(const gps::PlaneXY& p)
{
    const double a = -20.0 * M_PI / 180.0;
    const double e = (p.east + 20100.0) / 1.05;
    const double n = (p.north + 28950.0) / 1.05;
    return {e * std::cos(a) - n * std::sin(a), e * std::sin(a) + n * std::cos(a)};
}

}  // namespace

TEST(MapCorrection, DefaultFirstPositionLiesSouthWestOfSystemNinesOrigin)
{
    const gps::PlaneXY p = Plane(kFirst);
    EXPECT_NEAR(p.east, -20140.0, 10.0);
    EXPECT_NEAR(p.north, -28990.0, 10.0);
    EXPECT_EQ(p.east * 10.0, std::round(p.east * 10.0)) << "held at 0.1 m as the window shows it";
}

TEST(MapCorrection, PicksAtTheirOwnPlaneCoordinatesGiveTheIdentity)
{
    const gps::PlaneXY a = Plane(kFirst);
    const gps::PlaneXY b = Plane(kSecond);
    const std::vector<float> x = {static_cast<float>(a.east), -20100.0f, -20200.5f, -20000.0f};
    const std::vector<float> y = {static_cast<float>(a.north), -28900.0f, -29050.25f, -28800.0f};
    const auto result = gps::FixMapPointData(Input({a.east, a.north}, {b.east, b.north}), x, y);
    const auto* moved = std::get_if<gps::CorrectedPoints>(&result);
    ASSERT_NE(moved, nullptr);
    EXPECT_NEAR(moved->transform.sinA, 0.0, 1e-6);
    EXPECT_NEAR(moved->transform.scaleEast, 1.0, 1e-6);  // single-precision bearing and turn
    EXPECT_NEAR(moved->transform.scaleNorth, 1.0, 1e-6);
    for (std::size_t i = 0; i < x.size(); ++i) {
        EXPECT_NEAR(moved->x[i], x[i], 0.01) << i;
        EXPECT_NEAR(moved->y[i], y[i], 0.01) << i;
    }
}

TEST(MapCorrection, PickedPointsLandOnTheirReferencesAndTheRestFollows)
{
    // The buildings were drawn in a turned, scaled and shifted frame; a third known position
    // drawn in that frame must land on its own plane coordinates too.
    const gps::GeoPosition third{35.0 + 44.0 / 60 + 25.0 / 3600, 139.0 + 36.0 / 60 + 41.0 / 3600};
    const gps::SitePoint s1 = SiteOf(Plane(kFirst));
    const gps::SitePoint s2 = SiteOf(Plane(kSecond));
    const gps::SitePoint s3 = SiteOf(Plane(third));
    const std::vector<float> x = {static_cast<float>(s1.x), static_cast<float>(s2.x), static_cast<float>(s3.x)};
    const std::vector<float> y = {static_cast<float>(s1.y), static_cast<float>(s2.y), static_cast<float>(s3.y)};
    const auto result = gps::FixMapPointData(Input(s1, s2), x, y);
    const auto* moved = std::get_if<gps::CorrectedPoints>(&result);
    ASSERT_NE(moved, nullptr);
    const gps::PlaneXY expected[] = {Plane(kFirst), Plane(kSecond), Plane(third)};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(moved->x[i], expected[i].east, 0.05) << i;
        EXPECT_NEAR(moved->y[i], expected[i].north, 0.05) << i;
    }
    EXPECT_NEAR(moved->transform.scaleEast, 1.05, 1e-3);
    EXPECT_NEAR(moved->transform.scaleNorth, 1.05, 1e-3);
}

TEST(MapCorrection, GeometriesWithoutAMeaningfulTransformAreRefused)
{
    using R = gps::MapCorrectionRefusal;
    const gps::SitePoint s1 = SiteOf(Plane(kFirst));
    const gps::SitePoint s2 = SiteOf(Plane(kSecond));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        gps::MapCorrectionInput input;
        R refusal;
    };
    std::vector<Case> cases;
    auto add = [&](const char* name, R refusal, auto change) {
        gps::MapCorrectionInput in = Input(s1, s2);
        change(in);
        cases.push_back({name, in, refusal});
    };
    add("first point never picked", R::NoFirstPick, [](auto& in) { in.pick1.reset(); });
    add("second point never picked", R::NoSecondPick, [](auto& in) { in.pick2.reset(); });
    add("first position not given", R::NoFirstPosition, [](auto& in) { in.position1.reset(); });
    add("second position not given", R::NoSecondPosition, [](auto& in) { in.position2.reset(); });
    add("first position 3 degrees north", R::FirstPositionOutside, [](auto& in) { in.position1->latitude = kLat9 + 3.0; });
    add("second position in Okinawa", R::SecondPositionOutside, [](auto& in) { in.position2 = {26.2, 127.7}; });
    add("a position that is no number", R::FirstPositionOutside, [&](auto& in) { in.position1->longitude = nan; });
    add("both picks at one place", R::PicksTooClose, [](auto& in) { in.pick2 = in.pick1; });
    add("picks a metre apart", R::PicksTooClose, [](auto& in) { in.pick2 = {in.pick1->x + 0.6, in.pick1->y + 0.8}; });
    add("a pick that is no number", R::PicksTooClose, [&](auto& in) { in.pick2->x = nan; });
    add("one position typed twice", R::ReferencesTooClose, [](auto& in) { in.position2 = in.position1; });
    add("references on one meridian", R::EastWestTooSmall,
        [](auto& in) { in.position2->longitude = in.position1->longitude; });
    add("references on one parallel", R::NorthSouthTooSmall,
        [](auto& in) { in.position2->latitude = in.position1->latitude; });
    add("picks ten times too far apart", R::ScaleOutOfRange, [](auto& in) {
        in.pick2 = {in.pick1->x + 10.0 * (in.pick2->x - in.pick1->x), in.pick1->y + 10.0 * (in.pick2->y - in.pick1->y)};
    });
    // Almost on one meridian: 4.5 m east-west over some 110 m north-south would make the east
    // scale the quotient of two small, uncertain numbers.
    add("references almost on one meridian", R::EastWestTooSmall,
        [](auto& in) { in.position2->longitude = in.position1->longitude + 0.00005; });

    const std::vector<float> x = {1.0f, 2.0f};
    const std::vector<float> y = {3.0f, 4.0f};
    for (const Case& c : cases) {
        const auto result = gps::FixMapPointData(c.input, x, y);
        const auto* refusal = std::get_if<R>(&result);
        ASSERT_NE(refusal, nullptr) << c.name;
        EXPECT_EQ(*refusal, c.refusal) << c.name;
        EXPECT_FALSE(gps::MapCorrectionMessage(*refusal).empty()) << c.name;
    }
    EXPECT_EQ(gps::MapCorrectionMessage(R::SecondPositionOutside), "設定緯度経度が不適です。");
}
