#include "PlanConversion.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "orbit/TextHelpers.h"
#include "photoinput/LineDataFile.h"
#include "photoinput/PhotoGeometry.h"
#include "photoinput/PhotoModel.h"
#include "photoinput/PhotoPicking.h"

namespace {

// The picture height v (metres) lies on a ray that comes down to the ground in front of the
// camera: t + a below 90 degrees.
bool RayReachesGround(double t, double R, double v) { return 1.0 - (v / R) * std::tan(t) > 1e-12; }

bool Finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

// The roof runs that lie within the point arrays.
bool RunIsStored(int roof)
{
    const int start = gEachTopAreaStartNum[roof];
    const int count = gEachTopAreaPointNum[roof];
    return start >= 0 && count >= 0 && start + count <= kMaxTopPoints;
}

int RoofCount() { return std::min(gEachTopAreaNumber, kMaxTopAreas); }

// The camera values of one conversion: tilt t (radians), range R, metres per picture unit.
struct Conversion {
    double t = 0, R = 0, rate = 0;

    PlanResult setUp()
    {
        if (gEachTopAreaNumber <= 0) return PlanResult::NoRoofs;
        const ObliqueCamera camera = CurrentCamera();
        if (!IsUsableCamera(camera)) return PlanResult::NoCamera;
        t = camera.tilt();
        R = camera.range;
        rate = camera.metresPerUnit();
        return PlanResult::Done;
    }
};

}  // namespace

std::string PlanResultMessage(PlanResult result)
{
    switch (result) {
    case PlanResult::Done:
    case PlanResult::NoRoofs: return {};
    case PlanResult::NoCamera:
        return "画像の高度が設定されていないため、平面図に変換できません。\n壁線を引くか、画像の高度を入力してください。";
    case PlanResult::NotFinite:
        return "画像の範囲外にある点または壁線があるため、平面図に変換できません。";
    }
    return {};
}

PlanResult ComputeFlatTopHeight()
{
    Conversion c;
    if (const PlanResult refused = c.setUp(); refused != PlanResult::Done) return refused;
    const double t = c.t, R = c.R, rate = c.rate;

    const int roofs = RoofCount();
    std::vector<double> sum(roofs, 0.0);
    std::vector<int> count(roofs, 0);
    for (int w = 0; w < gWallEdgeNumber && w < kMaxWallEdges; ++w) {
        const int owner = gWallEdgefotEachTopArea[w];
        if (owner < 0 || owner >= roofs) continue;
        const double va = rate * gFirstWallEdgeY[w];
        const double vb = rate * gSecondWallEdgeY[w];
        const double upper = std::max(va, vb);
        // The height divides by tan(t + a) of the upper end: that ray must come down ahead of
        // the point below the camera.
        if (!RayReachesGround(t, R, va) || !RayReachesGround(t, R, vb) || !(std::tan(t + std::atan(upper / R)) > 0)) {
            return PlanResult::NotFinite;
        }
        const double h = ComputeWallEdgeHeight(t, R, va, vb);
        if (!std::isfinite(h)) return PlanResult::NotFinite;
        sum[owner] += h;
        count[owner] += 1;
    }
    SetPhotoMeterRate(static_cast<float>(rate));
    for (int i = 0; i < roofs; ++i) {
        if (count[i] > 0) SetTopAreaHeight(i, static_cast<float>(sum[i] / count[i]));
    }
    return PlanResult::Done;
}

PlanResult ComputeFlatTopArea()
{
    Conversion c;
    if (const PlanResult refused = c.setUp(); refused != PlanResult::Done) return refused;
    const double t = c.t, R = c.R, rate = c.rate;

    struct Result {
        int k;
        float x, y;
    };
    std::vector<Result> results;
    results.reserve(gTopAreaPointTotalNumber > 0 ? gTopAreaPointTotalNumber : 0);
    for (int i = 0; i < RoofCount(); ++i) {
        if (!RunIsStored(i)) return PlanResult::NotFinite;
        const double H = gFlatTopHeight[i];
        const int start = gEachTopAreaStartNum[i];
        for (int k = start; k < start + gEachTopAreaPointNum[i]; ++k) {
            const double u = rate * gTopAreaX[k];
            const double v = rate * gTopAreaY[k];
            if (!RayReachesGround(t, R, v)) return PlanResult::NotFinite;
            double x0 = 0, y0 = 0;
            ComputeSlidePosition(t, R, u, v, x0, y0);
            const double x = ComputeFlatTopAreaX(t, R, v, H, x0);
            const double y = ComputeFlatTopAreaY(t, R, v, H);
            if (!Finite(x, y)) return PlanResult::NotFinite;
            results.push_back({k, static_cast<float>(x), static_cast<float>(y)});
        }
    }
    SetPhotoMeterRate(static_cast<float>(rate));
    for (const Result& r : results) {
        gFlatTopAreaX[r.k] = r.x;
        gFlatTopAreaY[r.k] = r.y;
    }
    return PlanResult::Done;
}

bool CarryFlatTopPointToPhoto(int roof, int point)
{
    Conversion c;
    if (c.setUp() != PlanResult::Done || roof < 0 || roof >= RoofCount() || !RunIsStored(roof)) return false;
    const int start = gEachTopAreaStartNum[roof];
    if (point < start || point >= start + gEachTopAreaPointNum[roof]) return false;
    const ObliqueCamera camera = CurrentCamera();
    const double t = c.t, R = c.R, rate = c.rate;
    // The photo point of a plan point at height z, as it will be stored; false when the plan
    // conversion could not bring it back or a data file could not hold it.
    auto photoOf = [&](double X, double Y, double z, PhotoPoint& p) {
        double x = 0, y = 0;
        if (!ComputePhotoPoint(camera, X, Y, z, x, y) || !RayReachesGround(t, R, rate * y)) return false;
        p = {static_cast<float>(x), static_cast<float>(y)};
        return std::fabs(p.x) <= kMaxPhotoCoordinate && std::fabs(p.y) <= kMaxPhotoCoordinate;
    };
    const double X = gFlatTopAreaX[point], Y = gFlatTopAreaY[point], H = gFlatTopHeight[roof];
    // The roof lies below the eye, so the ray down to it goes on to the ground.
    if (!(H < R * std::cos(t))) return false;
    PhotoPoint vertex;
    if (!photoOf(X, Y, H, vertex)) return false;

    // A wall of measured height h standing on the vertex keeps h: its foot lies where the ray
    // through the vertex meets the ground less h along it, tan(ray) = forward / down of the eye.
    const double tanRay = (Y + R * std::sin(t)) / (R * std::cos(t) - H);
    const std::vector<int> walls = WallEdgesAtPoint(roof, gTopAreaX[point], gTopAreaY[point]);
    std::vector<PhotoPoint> feet;
    for (int w : walls) {
        const double h = ComputeWallEdgeHeight(t, R, rate * gFirstWallEdgeY[w], rate * gSecondWallEdgeY[w]);
        PhotoPoint foot;
        if (!std::isfinite(h) || !photoOf(X, Y + (H - h) * tanRay, 0.0, foot)) return false;
        feet.push_back(foot);
    }
    if (!MoveTopAreaPoint(roof, PointDrag{point, walls, -1}, vertex.x, vertex.y)) return false;
    for (std::size_t k = 0; k < walls.size(); ++k) {
        gSecondWallEdgeX[walls[k]] = feet[k].x;
        gSecondWallEdgeY[walls[k]] = feet[k].y;
    }
    return true;
}

void ComputeNorthTopArea()
{
    if (gEachTopAreaNumber <= 0) return;
    const double a = gNorthAngle * kDegToRad;
    const double s = std::sin(a);
    const double c = std::cos(a);
    for (int i = 0; i < RoofCount(); ++i) {
        if (!RunIsStored(i)) continue;
        const int start = gEachTopAreaStartNum[i];
        for (int k = start; k < start + gEachTopAreaPointNum[i]; ++k) {
            double x = gFlatTopAreaX[k];
            double y = gFlatTopAreaY[k];
            orbit::RotatePointAndShift(x, y, 0.0, 0.0, s, c);
            SetNorthTopAreaPoint(k, static_cast<float>(x), static_cast<float>(y));
        }
    }
}
