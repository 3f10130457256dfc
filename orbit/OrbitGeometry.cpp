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
    const auto& r = m.r;
    m.det = r[0][0] * r[1][1] * r[2][2] + r[0][1] * r[1][2] * r[2][0] + r[0][2] * r[1][0] * r[2][1]
          - r[0][2] * r[1][1] * r[2][0] - r[0][1] * r[1][0] * r[2][2] - r[0][0] * r[1][2] * r[2][1];
    return m;
}

Vec3 TransformToLocalAxis(const Vec3& p, const Vec3& origin, const Matrix3& m)
{
    const double dx = p.x - origin.x, dy = p.y - origin.y, dz = p.z - origin.z;
    const auto& r = m.r;
    return {r[0][0] * dx + r[1][0] * dy + r[2][0] * dz,
            r[0][1] * dx + r[1][1] * dy + r[2][1] * dz,
            r[0][2] * dx + r[1][2] * dy + r[2][2] * dz};
}

Vec3 SolveMatrixEquation(const Vec3& p, const Matrix3& m)
{
    // The system's matrix A = R^T: A[i][j] = r[j][i]. Cramer: q_k = det(A with column k := p) / det.
    const auto& r = m.r;
    const auto det3 = [](double a, double b, double c, double d, double e, double f, double g, double h, double i) {
        return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    };
    return {det3(p.x, r[1][0], r[2][0], p.y, r[1][1], r[2][1], p.z, r[1][2], r[2][2]) / m.det,
            det3(r[0][0], p.x, r[2][0], r[0][1], p.y, r[2][1], r[0][2], p.z, r[2][2]) / m.det,
            det3(r[0][0], r[1][0], p.x, r[0][1], r[1][1], p.y, r[0][2], r[1][2], p.z) / m.det};
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
