#pragma once
// A synthetic but realistic satellite table: 31 satellites in six circular orbit planes inclined
// 55 degrees (radius 26 560 km, half a sidereal day per revolution), seen from 35.5 N 139.5 E over
// a day in 5-minute steps. Azimuths are mathematical (0 = east, counter-clockwise), elevations in
// degrees above the horizon.

#include "judge/AreaJudge.h"

#include <cmath>

namespace judgetest {

inline judge::SatelliteTable SyntheticSky(int satellites = 31)
{
    constexpr double pi = 3.14159265358979;
    constexpr double rad = pi / 180.0;
    constexpr double orbitRadius = 26560.0, earthRadius = 6371.0;
    constexpr double siderealDay = 86164.0;
    const double lat = 35.5 * rad, lon = 139.5 * rad;
    judge::SatelliteTable t;
    t.sateNum = satellites;
    for (int k = 1; k <= satellites; ++k) {
        const int plane = (k - 1) % 6, slot = (k - 1) / 6;
        const double raan = plane * 60.0 * rad, inc = 55.0 * rad;
        const double phase0 = (slot * 72.0 + plane * 17.0) * rad;
        for (int step = 0; step < judge::kTimeSteps; ++step) {
            const double sec = step * 300.0;
            const double u = phase0 + 2.0 * pi * sec / (siderealDay / 2.0);
            // Position in the orbit plane, turned by inclination and node, then by the earth's turn.
            const double xo = orbitRadius * std::cos(u), yo = orbitRadius * std::sin(u);
            const double xi = xo * std::cos(raan) - yo * std::cos(inc) * std::sin(raan);
            const double yi = xo * std::sin(raan) + yo * std::cos(inc) * std::cos(raan);
            const double zi = yo * std::sin(inc);
            const double g = 2.0 * pi * sec / siderealDay;
            const double x = xi * std::cos(g) + yi * std::sin(g), y = -xi * std::sin(g) + yi * std::cos(g), z = zi;
            const double ox = earthRadius * std::cos(lat) * std::cos(lon), oy = earthRadius * std::cos(lat) * std::sin(lon),
                         oz = earthRadius * std::sin(lat);
            const double dx = x - ox, dy = y - oy, dz = z - oz;
            const double east = -std::sin(lon) * dx + std::cos(lon) * dy;
            const double north = -std::sin(lat) * std::cos(lon) * dx - std::sin(lat) * std::sin(lon) * dy + std::cos(lat) * dz;
            const double up = std::cos(lat) * std::cos(lon) * dx + std::cos(lat) * std::sin(lon) * dy + std::sin(lat) * dz;
            double az = std::atan2(north, east) / rad;
            if (az < 0.0) az += 360.0;
            t.azimuth[static_cast<std::size_t>(k)][static_cast<std::size_t>(step)] = static_cast<float>(az);
            t.elevation[static_cast<std::size_t>(k)][static_cast<std::size_t>(step)] =
                static_cast<float>(std::asin(up / std::sqrt(dx * dx + dy * dy + dz * dz)) / rad);
        }
    }
    return t;
}

}  // namespace judgetest
