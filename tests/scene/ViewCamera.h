#pragma once
// The tests' own camera: an eye, the ground point it looks at, a focal length in picture units
// and a picture size. It is built from the same inputs a user types (the plan view's and the
// oblique view's eye altitudes and the picture's width) but from first principles: the eye stands
// at the oblique altitude, tilted from the vertical by the angle the altitude ratio gives in the
// tilt table, and looks at the ground point seen at the picture centre, whose distance is the
// range; one picture unit is range / (0.85 width) metres at that distance.
//
// It shares nothing with the program's photo geometry but the tilt table's rows, so a fault in the
// program's projection moves the rendered buildings away from where this camera says they are.
//
// World frame: metres, x to the right of the view, y forward (picture up), z up, origin at the
// ground point seen at the picture centre. Photo coordinates: picture units, origin at the
// picture centre, x right, y up. Pixel (i, j) of the picture covers [i, i + 1) x [j, j + 1) with
// the top-left corner at (0, 0), so photo point (x, y) is pixel point (x + w/2, h/2 - y).

#include <optional>

#include <QPointF>
#include <QSize>

namespace testscene {

struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(double s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }
inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

class ViewCamera {
public:
    // The camera a user sets up with these eye altitudes (plan view, oblique view) on a picture
    // of this size; nullopt when the altitude ratio has no tilt in the table.
    static std::optional<ViewCamera> FromAltitudes(double planAltitude, double obliqueAltitude, QSize picture);
    // The camera tilted `tiltDegrees` from the vertical with its eye `obliqueAltitude` above the
    // ground.
    static ViewCamera FromTilt(double tiltDegrees, double obliqueAltitude, QSize picture);
    // The plan view's eye altitude whose ratio to `obliqueAltitude` gives `tiltDegrees` (the
    // table read the other way), for handing a scene's camera to the program as a user would.
    static double PlanAltitudeFor(double tiltDegrees, double obliqueAltitude);

    Vec3 eye() const { return eye_; }
    double tiltDegrees() const;
    double range() const;          // eye to the looked-at ground point, metres
    double obliqueAltitude() const { return eye_.z; }
    double focal() const { return focal_; }  // picture units
    QSize size() const { return size_; }

    // Photo point of a world point; nullopt behind the eye.
    std::optional<QPointF> Photo(Vec3 p) const;
    // Direction (not unit) of the viewing ray through a photo point.
    Vec3 Ray(QPointF photo) const;
    // Where the ray of a photo point meets the level plane at height z; nullopt when it does not
    // come down to it in front of the eye.
    std::optional<Vec3> OnLevel(QPointF photo, double z) const;

    QPointF ToPixel(QPointF photo) const { return {photo.x() + size_.width() / 2.0, size_.height() / 2.0 - photo.y()}; }
    QPointF ToPhoto(QPointF pixel) const { return {pixel.x() - size_.width() / 2.0, size_.height() / 2.0 - pixel.y()}; }

private:
    ViewCamera(Vec3 eye, Vec3 lookAt, double focal, QSize size);
    Vec3 eye_;
    Vec3 lookAt_;
    Vec3 forward_, right_, up_;  // unit vectors of the view
    double focal_ = 0.0;
    QSize size_;
};

}  // namespace testscene
