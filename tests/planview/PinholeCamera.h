#pragma once
// An independent pinhole camera for checking the photo geometry: an eye, a look-at point and a
// focal length, with vectors and rays against planes (no tilt-angle algebra).
//
// World: x right, y forward, z up, metres. The eye stands `range` from the look-at point (the
// ground origin) along the view axis tilted `tilt` radians from straight down. Photo
// coordinates: picture units, origin at the picture centre, x right, y up; focal length 0.85 W.

#include <array>
#include <cmath>

namespace pinhole {

using Vec = std::array<double, 3>;

inline Vec Sub(Vec a, Vec b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
inline Vec Add(Vec a, Vec b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
inline Vec Scale(Vec a, double s) { return {a[0] * s, a[1] * s, a[2] * s}; }
inline double Dot(Vec a, Vec b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
inline Vec Cross(Vec a, Vec b) { return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]}; }
inline Vec Unit(Vec a) { return Scale(a, 1.0 / std::sqrt(Dot(a, a))); }

struct Camera {
    Vec eye, forward, right, up;
    double focal;

    Camera(double tilt, double range, double width)
    {
        const Vec target{0, 0, 0};
        // Straight down turned forward by the tilt, seen from the target back to the eye.
        eye = {0, -range * std::sin(tilt), range * std::cos(tilt)};
        forward = Unit(Sub(target, eye));
        const Vec worldUp{0, 0, 1};
        // At tilt 0 the picture's up is the forward ground direction.
        right = tilt > 1e-12 ? Unit(Cross(forward, worldUp)) : Vec{1, 0, 0};
        up = Cross(right, forward);
        focal = 0.85 * width;
    }

    // Photo point of a world point.
    std::array<double, 2> project(Vec p) const
    {
        const Vec d = Sub(p, eye);
        const double depth = Dot(d, forward);
        return {focal * Dot(d, right) / depth, focal * Dot(d, up) / depth};
    }

    // Where the ray through a photo point meets the horizontal plane z = height.
    Vec onPlane(double x, double y, double height) const
    {
        const Vec ray = Add(Add(Scale(forward, focal), Scale(right, x)), Scale(up, y));
        const double s = (height - eye[2]) / ray[2];
        return Add(eye, Scale(ray, s));
    }
};

}  // namespace pinhole
