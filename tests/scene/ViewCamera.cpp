#include "ViewCamera.h"

#include <cmath>
#include <numbers>

#include "photoinput/SlideRate.h"

namespace testscene {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
// The picture spans 1 / 0.85 of the range at the range: the focal length is 0.85 widths.
constexpr double kFocalWidths = 0.85;

Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec3 Unit(Vec3 a) { return (1.0 / std::sqrt(Dot(a, a))) * a; }

// Linear interpolation along the table's rows (the tilts of rows 0..31; row 32 lies past the
// table's reach) from one column to the other.
template <typename From, typename To>
std::optional<double> Interpolate(double value, From from, To to)
{
    const auto& rows = SlideRateRows();
    for (int k = 1; k < kSlideRateRows - 1; ++k) {
        const double a = from(rows[k - 1]), b = from(rows[k]);
        if ((value - a) * (value - b) <= 0.0 && a != b) {
            return to(rows[k - 1]) + (value - a) / (b - a) * (to(rows[k]) - to(rows[k - 1]));
        }
    }
    return std::nullopt;
}

}  // namespace

ViewCamera::ViewCamera(Vec3 eye, Vec3 lookAt, double focal, QSize size)
    : eye_(eye), lookAt_(lookAt), focal_(focal), size_(size)
{
    forward_ = Unit(lookAt_ - eye_);
    const Vec3 side = Cross(forward_, {0, 0, 1});
    // Straight down, the picture's up is the world's forward.
    right_ = Dot(side, side) > 1e-18 ? Unit(side) : Vec3{1, 0, 0};
    up_ = Cross(right_, forward_);
}

ViewCamera ViewCamera::FromTilt(double tiltDegrees, double obliqueAltitude, QSize picture)
{
    const double t = tiltDegrees * kDegree;
    const Vec3 eye{0.0, -obliqueAltitude * std::tan(t), obliqueAltitude};
    return ViewCamera(eye, {0, 0, 0}, kFocalWidths * picture.width(), picture);
}

std::optional<ViewCamera> ViewCamera::FromAltitudes(double planAltitude, double obliqueAltitude, QSize picture)
{
    if (!(planAltitude > 0.0) || !(obliqueAltitude > 0.0)) return std::nullopt;
    const double ratio = obliqueAltitude / planAltitude;
    if (!(ratio > 0.0 && ratio < 1.0)) return std::nullopt;
    const auto tilt = Interpolate(ratio, [](const SlideRow& r) { return double(r.ratio); }, [](const SlideRow& r) { return double(r.degrees); });
    if (!tilt) return std::nullopt;
    return FromTilt(*tilt, obliqueAltitude, picture);
}

double ViewCamera::PlanAltitudeFor(double tiltDegrees, double obliqueAltitude)
{
    const auto ratio = Interpolate(tiltDegrees, [](const SlideRow& r) { return double(r.degrees); }, [](const SlideRow& r) { return double(r.ratio); });
    return ratio ? obliqueAltitude / *ratio : 0.0;
}

double ViewCamera::tiltDegrees() const { return std::acos(-forward_.z) / kDegree; }

double ViewCamera::range() const
{
    const Vec3 d = lookAt_ - eye_;
    return std::sqrt(Dot(d, d));
}

std::optional<QPointF> ViewCamera::Photo(Vec3 p) const
{
    const Vec3 d = p - eye_;
    const double depth = Dot(d, forward_);
    if (!(depth > 0.0)) return std::nullopt;
    return QPointF(focal_ * Dot(d, right_) / depth, focal_ * Dot(d, up_) / depth);
}

Vec3 ViewCamera::Ray(QPointF photo) const { return focal_ * forward_ + photo.x() * right_ + photo.y() * up_; }

std::optional<Vec3> ViewCamera::OnLevel(QPointF photo, double z) const
{
    const Vec3 d = Ray(photo);
    if (!(d.z < 0.0) || !(eye_.z > z)) return std::nullopt;
    return eye_ + ((z - eye_.z) / d.z) * d;
}

}  // namespace testscene
