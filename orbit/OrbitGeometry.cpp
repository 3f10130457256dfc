#include "OrbitGeometry.h"

#include <cmath>

#include "OrbitConstants.h"

namespace orbit {

std::optional<double> ComputeDirectionAngle(double x1, double y1, double x2, double y2)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (dx == 0.0) {
        if (dy == 0.0) {
            return std::nullopt;
        }
        return dy > 0 ? kPi / 2 : 3 * kPi / 2;
    }
    if (dy == 0.0) {
        return dx > 0 ? 0.0 : kPi;
    }
    const double a = std::atan(dy / dx);
    if (dx < 0) {
        return a + kPi;
    }
    return dy > 0 ? a : a + 2 * kPi;
}

Matrix3 MakeRotationMatrix(double a1, double a2, double a3)
{
    const double c1 = std::cos(a1), s1 = std::sin(a1);
    const double c2 = std::cos(a2), s2 = std::sin(a2);
    const double c3 = std::cos(a3), s3 = std::sin(a3);
    Matrix3 m;
    m.r[0][0] = c1 * c3 * c2 - s1 * s2;
    m.r[0][1] = -c1 * c3 * s2 - s1 * c2;
    m.r[0][2] = c1 * s3;
    m.r[1][0] = s1 * c3 * c2 + c1 * s2;
    m.r[1][1] = -s1 * c3 * s2 + c1 * c2;
    m.r[1][2] = s1 * s3;
    m.r[2][0] = -s3 * c2;
    m.r[2][1] = s3 * s2;
    m.r[2][2] = c3;
    return m;
}

Vec3 ConvertLatLonToXYZ(double latitudeDeg, double longitudeDeg, double height)
{
    const double e = std::sqrt(2 * kInverseFlattening - 1) / kInverseFlattening;
    const double phi = latitudeDeg * kRadPerDeg;
    const double lambda = longitudeDeg * kRadPerDeg;
    const double n = kEarthSemiMajorAxis / std::sqrt(1 - e * e * std::sin(phi) * std::sin(phi));
    return {(n + height) * std::cos(phi) * std::cos(lambda),
            (n + height) * std::cos(phi) * std::sin(lambda),
            (n * (1 - e * e) + height) * std::sin(phi)};
}

}  // namespace orbit
