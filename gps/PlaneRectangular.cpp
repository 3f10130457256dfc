#include "PlaneRectangular.h"

#include <cmath>

#include "platform/Constants.h"

namespace gps {

double gLongRadius = 0.0;
double gInverseFlattening = 0.0;
double gSqr2F1 = 0.0;
double gEccentricity = 0.0;
double gSecondEccentricity = 0.0;
double gScaleFactor = kPlaneScaleFactor;

namespace {

constexpr double kGrs80Radius = 6378137.0;
constexpr double kGrs80Flattening = 1.0 / 298.257222101;

// Meridian arc from the equator to latitude psi (radians) on an ellipsoid of radius a and first
// eccentricity e: the GRS80 series with its six fixed coefficients.
double MeridianArc(double psi, double a, double e)
{
    constexpr double A1 = 1.00505250181309;
    constexpr double A2 = 0.002531554311112;
    constexpr double A3 = 0.00000265689756575;
    constexpr double A4 = 0.00000000347006316666667;
    constexpr double A5 = 0.0000000000049155;
    constexpr double A6 = 0.0000000000000071;
    const double p2 = psi + psi;
    const double p4 = p2 + p2;
    const double p6 = p4 + p2;
    const double p8 = p4 + p4;
    const double p10 = p6 + p4;
    return a * (1.0 - e * e) *
           (((((A1 * psi - A2 * std::sin(p2)) + A3 * std::sin(p4)) - A4 * std::sin(p6)) + A5 * std::sin(p8)) -
            A6 * std::sin(p10));
}

struct Ellipsoid {
    double a;
    double inverseFlattening;
    double e;       // first eccentricity
    double eSecond; // second eccentricity
};

Ellipsoid MakeEllipsoid(double a, double inverseFlattening)
{
    const double root = std::sqrt(2.0 * inverseFlattening - 1.0);
    return {a, inverseFlattening, root / inverseFlattening, root / (inverseFlattening - 1.0)};
}

PlaneXY Series(double lat, double lon, double originLat, double originLon, double m0, const Ellipsoid& el)
{
    const double phi = lat * platform::kRadPerDeg;
    const double sinPhi = std::sin(phi);
    const double w = std::sqrt(1.0 - el.e * el.e * sinPhi * sinPhi);
    const double s0 = MeridianArc(originLat * platform::kRadPerDeg, el.a, el.e);
    const double s = MeridianArc(phi, el.a, el.e);

    const double dl = (lon - originLon) * platform::kRadPerDeg;
    const double dl2 = dl * dl;
    const double dl3 = dl2 * dl;
    const double dl4 = dl3 * dl;
    const double dl5 = dl4 * dl;
    const double dl6 = dl5 * dl;

    const double n = el.a / w;
    const double c1 = std::cos(phi);
    const double c2 = c1 * c1;
    const double c3 = c2 * c1;
    const double c5 = c3 * c1 * c1;  // cos^4 * cos, by successive multiplication
    const double t1 = std::tan(phi);
    const double t2 = t1 * t1;
    const double t4 = t2 * t2;
    const double eta2 = el.eSecond * el.eSecond * c2;
    const double eta4 = eta2 * eta2;

    const double north0 = s - s0;
    const double north2 = n * sinPhi * c1 * dl2 * 0.5;
    const double north4 = n * sinPhi * c3 * ((5.0 - t2) + 9.0 * eta2 + 4.0 * eta4) * dl4 * 0.0416666666666667;
    const double north6 = n * sinPhi * c5 * ((61.0 - 58.0 * t2) + t4) * dl6 * 0.00138888888888889;

    const double east1 = n * c1 * dl;
    const double east3 = n * c3 * ((1.0 - t2) + eta2) * dl3 * 0.166666666666667;
    const double east5 = n * c5 * ((5.0 - 18.0 * t2) + t4) * dl5 * 0.00833333333333333;

    return {((north0 + north2) + north4 + north6) * m0, (east1 + east3 + east5) * m0};
}

}  // namespace

void SetEllipsoidParameter()
{
    gLongRadius = kGrs80Radius;
    gInverseFlattening = 1.0 / kGrs80Flattening;
    gSqr2F1 = std::sqrt(2.0 * gInverseFlattening - 1.0);
}

PlaneXY LatLonToPlane(double lat, double lon, double originLat, double originLon, double scale)
{
    return Series(lat, lon, originLat, originLon, scale, MakeEllipsoid(kGrs80Radius, 1.0 / kGrs80Flattening));
}

bool IsWithinSystemWindow(double lat, double lon, double originLat, double originLon)
{
    return std::abs(lat - originLat) < kMaxOriginDistanceDeg && std::abs(lon - originLon) < kMaxOriginDistanceDeg;
}

void ConvertLatLonToPlaneXY(double& lat, double& lon, const double& originLat, const double& originLon)
{
    const Ellipsoid el = MakeEllipsoid(gLongRadius, gInverseFlattening);
    gEccentricity = el.e;
    gSecondEccentricity = el.eSecond;
    const PlaneXY xy = Series(lat, lon, originLat, originLon, gScaleFactor, el);
    lat = xy.north;
    lon = xy.east;
}

}  // namespace gps
