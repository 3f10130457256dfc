#include "Calibration.h"

#include <cmath>

#include "photoinput/PhotoGeometry.h"
#include "platform/Constants.h"

bool AltitudeBoxAccepts(double value) { return value >= 0.0 && value <= kAltitudeBoxMax; }

HeightCheck CheckPhotoHeightValues(double plan, double oblique)
{
    if (plan == 0.0 && oblique == 0.0) return {-1, "平面視と傾斜視の画像高度が設定されていません。"};
    if (plan < 10.0 || oblique < 10.0) return {-1, "画像の高度が低すぎます。"};
    if (plan > 5000.0 || oblique > 5000.0) return {-1, "画像の高度が高すぎます。"};
    if (oblique / plan > 0.9) return {-1, "傾斜画像の高度は平面画像の90％以下でなければなりません。"};
    return {1, {}};
}

DialPosition DialReleasedAt(double x, double y)
{
    if (x != 0.0) {
        const double d = std::atan(y / x) * platform::kDegPerRad;  // -90 .. 90
        const double c = kDialRadius * std::cos(d * platform::kRadPerDeg);
        const double s = kDialRadius * std::sin(d * platform::kRadPerDeg);
        if (x > 0.0) return {90.0 - d, c, s};
        return {270.0 - d, -c, -s};
    }
    if (y < 0.0) return {180.0, 0.0, -kDialRadius};
    return {0.0, 0.0, kDialRadius};
}

DialPosition DialAtBearing(double bearing)
{
    const double r = (90.0 - bearing) * platform::kRadPerDeg;
    return {bearing, kDialRadius * std::cos(r), kDialRadius * std::sin(r)};
}

TypedAngle DialTypedAngle(double a)
{
    if (a < 0.0) return {DialAtBearing(0.0), "設定範囲を下まわっています。", "0", false};
    if (a > 360.0) return {DialAtBearing(0.0), "設定範囲を超えています。", "360", false};
    return {DialAtBearing(a), {}, {}, true};
}
