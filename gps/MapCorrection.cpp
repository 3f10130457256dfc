#include "MapCorrection.h"

#include <cmath>

#include "orbit/TextHelpers.h"
#include "platform/Constants.h"

namespace gps {

namespace {


double Tenths(double metres) { return std::round(metres * 10.0) / 10.0; }

}  // namespace

std::string_view MapCorrectionMessage(MapCorrectionRefusal refusal)
{
    switch (refusal) {
    case MapCorrectionRefusal::NoFirstPick: return "第１点をマップ上で指定してください。";
    case MapCorrectionRefusal::NoSecondPick: return "第２点をマップ上で指定してください。";
    case MapCorrectionRefusal::NoFirstPosition: return "第１点の緯度経度を入力してください。";
    case MapCorrectionRefusal::NoSecondPosition: return "第２点の緯度経度を入力してください。";
    case MapCorrectionRefusal::FirstPositionOutside:
    case MapCorrectionRefusal::SecondPositionOutside: return "設定緯度経度が不適です。";
    case MapCorrectionRefusal::PicksTooClose: return "マップ上の２点が近すぎます。";
    case MapCorrectionRefusal::ReferencesTooClose: return "２点の緯度経度が近すぎます。";
    case MapCorrectionRefusal::EastWestTooSmall: return "２点の東西の差が小さすぎます。";
    case MapCorrectionRefusal::NorthSouthTooSmall: return "２点の南北の差が小さすぎます。";
    case MapCorrectionRefusal::ScaleOutOfRange: return "マップ上の２点と緯度経度の距離が合いません。";
    }
    return {};
}

std::optional<PlaneXY> ReferencePlanePoint(const GeoPosition& p, double originLat, double originLon, double scaleFactor)
{
    if (!IsWithinSystemWindow(p.latitude, p.longitude, originLat, originLon)) {
        return std::nullopt;
    }
    const PlaneXY xy = LatLonToPlane(p.latitude, p.longitude, originLat, originLon, scaleFactor);
    return PlaneXY{Tenths(xy.north), Tenths(xy.east)};
}

std::variant<MapTransform, MapCorrectionRefusal> ComputeMapCorrection(const MapCorrectionInput& in)
{
    using R = MapCorrectionRefusal;
    if (!in.pick1) return R::NoFirstPick;
    if (!in.pick2) return R::NoSecondPick;
    if (!in.position1) return R::NoFirstPosition;
    if (!in.position2) return R::NoSecondPosition;
    const auto ref1 = ReferencePlanePoint(*in.position1, in.originLat, in.originLon, in.scaleFactor);
    if (!ref1) return R::FirstPositionOutside;
    const auto ref2 = ReferencePlanePoint(*in.position2, in.originLat, in.originLon, in.scaleFactor);
    if (!ref2) return R::SecondPositionOutside;

    const SitePoint p1 = *in.pick1;
    const SitePoint p2 = *in.pick2;
    const double dx = p2.x - p1.x;
    const double dy = p2.y - p1.y;
    const double dE = ref2->east - ref1->east;
    const double dN = ref2->north - ref1->north;
    if (!(std::hypot(dx, dy) >= kMinReferenceDistance)) return R::PicksTooClose;
    if (!(std::hypot(dE, dN) >= kMinReferenceDistance)) return R::ReferencesTooClose;

    // The turn that makes the picked pair's bearing the references' bearing (both from point 2
    // to point 1, in degrees clockwise from north).
    const double bearingPlane = orbit::ComputeAzimusAngle(ref2->east, ref2->north, ref1->east, ref1->north);
    const double bearingMap = orbit::ComputeAzimusAngle(p2.x, p2.y, p1.x, p1.y);
    const double angle = (bearingMap - bearingPlane) * platform::kRadPerDeg;
    MapTransform t;
    t.reference1 = *ref1;
    t.reference2 = *ref2;
    t.sinA = std::sin(angle);
    t.cosA = std::cos(angle);
    double rx = dx;
    double ry = dy;
    orbit::RotatePointAndShift(rx, ry, 0.0, 0.0, t.sinA, t.cosA);
    if (!(std::abs(dE) >= kMinAxisSpan) || !(std::abs(rx) >= kMinAxisSpan)) return R::EastWestTooSmall;
    if (!(std::abs(dN) >= kMinAxisSpan) || !(std::abs(ry) >= kMinAxisSpan)) return R::NorthSouthTooSmall;
    t.scaleEast = dE / rx;
    t.scaleNorth = dN / ry;
    if (!(t.scaleEast >= kMinAxisScale && t.scaleEast <= kMaxAxisScale) ||
        !(t.scaleNorth >= kMinAxisScale && t.scaleNorth <= kMaxAxisScale)) {
        return R::ScaleOutOfRange;
    }
    t.shiftEast = ref1->east - t.scaleEast * (p1.x * t.cosA - p1.y * t.sinA);
    t.shiftNorth = ref1->north - t.scaleNorth * (p1.x * t.sinA + p1.y * t.cosA);
    return t;
}

std::variant<CorrectedPoints, MapCorrectionRefusal> FixMapPointData(const MapCorrectionInput& input,
                                                                    std::span<const float> x, std::span<const float> y)
{
    auto computed = ComputeMapCorrection(input);
    if (const auto* refusal = std::get_if<MapCorrectionRefusal>(&computed)) {
        return *refusal;
    }
    CorrectedPoints out;
    out.transform = std::get<MapTransform>(computed);
    const MapTransform& t = out.transform;
    const std::size_t n = std::min(x.size(), y.size());
    out.x.resize(n);
    out.y.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        double px = x[i];
        double py = y[i];
        orbit::RotatePointAndShift(px, py, 0.0, 0.0, t.sinA, t.cosA);
        out.x[i] = static_cast<float>(t.shiftEast + t.scaleEast * px);
        out.y[i] = static_cast<float>(t.shiftNorth + t.scaleNorth * py);
    }
    return out;
}

}  // namespace gps
