#pragma once
// Geometry of the orbit engine: plane direction angles, 3x3 rotations and WGS-84 earth-centred
// coordinates. Angles in radians unless named in degrees; lengths in metres.

#include <optional>

namespace orbit {

struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// Rotation matrix (row-major, r[row][column]).
struct Matrix3 {
    double r[3][3] = {};
};

// Direction of the vector from point 1 to point 2, counter-clockwise from +x, in [0, 2*pi);
// nullopt when the points coincide.
std::optional<double> ComputeDirectionAngle(double x1, double y1, double x2, double y2);

// R = Rz(a1) * Ry(a3) * Rz(a2), with Rz(a) rows (cos, -sin, 0), (sin, cos, 0), (0, 0, 1) and
// Ry(a) rows (cos, 0, sin), (0, 1, 0), (-sin, 0, cos).
Matrix3 MakeRotationMatrix(double a1, double a2, double a3);

// Earth-centred, earth-fixed X, Y, Z (m) of a WGS-84 latitude and longitude (degrees) and height (m).
Vec3 ConvertLatLonToXYZ(double latitudeDeg, double longitudeDeg, double height);

}  // namespace orbit
