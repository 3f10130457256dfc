#include "OrbitEngine.h"

#include <algorithm>
#include <cmath>

#include "OrbitConstants.h"
#include "OrbitGeometry.h"

SateTable gSateAzimus{};
SateTable gSateElevation{};

namespace orbit {

namespace {

// The observer's position and local frame (columns: south, west, down), in the frame in which
// the node is turned by the earth's rotation since the satellite's time of applicability.
struct ObserverFrame {
    Vec3 origin;
    Matrix3 axes;
};

ObserverFrame MakeObserverFrame(double latitudeDeg, double longitudeDeg, std::int32_t toa)
{
    // The earth turned by rho since the start of the week; the observer is moved east by it.
    double rho = toa * kEarthRotationRate * kDegPerRad;
    if (rho > 360) {
        rho = 360 * (rho / 360 - std::floor(rho / 360));
    }
    const double longitude = longitudeDeg + rho;
    return {ConvertLatLonToXYZ(latitudeDeg, longitude, 0.0),
            MakeRotationMatrix((longitude + 180) * kRadPerDeg, 0.0, (latitudeDeg + 90) * kRadPerDeg)};
}

// Everything of one satellite that does not change from step to step.
struct SatelliteConstants {
    double meanMotion;    // rad/s
    double radius;        // m
    double radiusCos;     // radius * cos(inclination)
    double radiusSin;     // radius * sin(inclination)
    double u0;            // argument of latitude at the time of applicability, rad
    double node;          // right ascension at the time of applicability, rad
};

SatelliteConstants MakeSatelliteConstants(const AlmanacRecord& r)
{
    const double a = r.sqrtA * r.sqrtA;
    const double inclination = r.inclination * kRadPerDeg;
    double perigee = static_cast<float>(r.perigee);
    if (perigee < 0) perigee += 360;
    double meanAnomaly = r.meanAnomaly;
    if (meanAnomaly < 0) meanAnomaly += 360;
    double u0 = perigee + meanAnomaly;
    if (u0 > 720) {
        u0 -= 720;
    } else if (u0 > 360) {
        u0 -= 360;
    }
    return {std::sqrt(kEarthGM / (a * a * a)), r.radius, r.radius * std::cos(inclination),
            r.radius * std::sin(inclination), u0 * kRadPerDeg, r.rightAscen * kRadPerDeg};
}

// The cosine and sine of an angle that grows by a fixed step.
struct Turning {
    Turning(double angle, double step)
        : cos(std::cos(angle)), sin(std::sin(angle)), stepCos(std::cos(step)), stepSin(std::sin(step))
    {
    }
    void advance()
    {
        const double c = cos * stepCos - sin * stepSin;
        sin = sin * stepCos + cos * stepSin;
        cos = c;
    }
    double cos;
    double sin;
    double stepCos;
    double stepSin;
};

bool ComputeForDate(int first, int last, const std::string& date)
{
    const auto dayStart = ConvertDateToGPSTime(date, "00:00");
    if (!dayStart) {
        return false;
    }
    const std::vector<int> sateSlots = UsableSateSlots();
    ComputeSateTables(CurrentAlmanac(), sateSlots, gLatitude, gLongitude, *dayStart, first, last, gSateAzimus,
                      gSateElevation);
    return true;
}

}  // namespace

void ComputeSateTables(const Almanac& almanac, std::span<const int> sateSlots, double latitudeDeg,
                       double longitudeDeg, const GpsTime& dayStart, int first, int last,
                       SateTable& azimus, SateTable& elevation)
{
    const int k1 = std::max(first, 0);
    const int k2 = std::min(last, kLastTimeStep);
    if (k1 > k2) {
        return;
    }
    const int almanacWeek = ResolveAlmanacWeek(almanac.storedWeek, dayStart.week);
    const double weekOffset = static_cast<double>(dayStart.week - almanacWeek) * kSecondsPerWeek;

    std::optional<std::int32_t> frameToa;
    ObserverFrame frame;
    for (const int s : sateSlots) {
        if (s < 1 || s > kMaxSateSlot || s > static_cast<int>(almanac.records.size())) {
            continue;
        }
        const AlmanacRecord& record = almanac.records[s - 1];
        if (!HasOrbit(record.sqrtA, record.radius)) {
            continue;
        }
        if (frameToa != record.toa) {
            frame = MakeObserverFrame(latitudeDeg, longitudeDeg, record.toa);
            frameToa = record.toa;
        }
        const auto& m = frame.axes.r;
        const SatelliteConstants c = MakeSatelliteConstants(record);
        const double t0 = dayStart.seconds - record.toa + weekOffset + static_cast<double>(kSecondsPerStep) * k1;
        // The argument of latitude and the node angle advance by fixed angles per step: turn
        // their cosine and sine on by those angles instead of evaluating them anew (the
        // rounding this accumulates over 289 steps stays near 1e-14 rad).
        Turning u(c.u0 + c.meanMotion * t0, c.meanMotion * kSecondsPerStep);
        Turning alpha(c.node - kEarthRotationRate * t0, -kEarthRotationRate * kSecondsPerStep);
        for (int k = k1; k <= k2; ++k, u.advance(), alpha.advance()) {
            const double cu = u.cos, su = u.sin;
            // Position in the node frame, then turned about the pole by the node angle.
            const double vx = c.radius * cu, vy = c.radiusCos * su, vz = c.radiusSin * su;
            const double ca = alpha.cos, sa = alpha.sin;
            const double dx = ca * vx - sa * vy - frame.origin.x;
            const double dy = sa * vx + ca * vy - frame.origin.y;
            const double dz = vz - frame.origin.z;
            const double south = m[0][0] * dx + m[1][0] * dy + m[2][0] * dz;
            const double west = m[0][1] * dx + m[1][1] * dy + m[2][1] * dz;
            const double down = m[0][2] * dx + m[1][2] * dy + m[2][2] * dz;
            // Direction of (east, south) counter-clockwise from east, turned into the angle from
            // east towards north.
            const double theta = ComputeDirectionAngle(0, 0, -west, south).value_or(0.0);
            double az = theta == 0.0 ? 0.0 : -theta * kDegPerRad;
            if (az > 360) {
                az -= 360;
            } else if (az < 0) {
                az += 360;
            }
            const double horizontal = std::sqrt(south * south + west * west);
            const double el = horizontal != 0.0 ? -std::atan(down / horizontal) * kDegPerRad : 90.0;
            azimus[s][k] = static_cast<float>(az);
            elevation[s][k] = static_cast<float>(el);
        }
    }
}

bool ComputeSateAzimusElevation(int firstStep, int lastStep) { return ComputeForDate(firstStep, lastStep, gComputeDate); }

bool ComputeSateAzimusElevationOnDate(int firstStep, int lastStep, const std::string& date)
{
    return ComputeForDate(firstStep, lastStep, date);
}

bool ComputeSateAzimusElevationAtStep(int step)
{
    if (step < 0 || step > kLastTimeStep) {
        return false;
    }
    return ComputeForDate(step, step, gComputeDate);
}

}  // namespace orbit
