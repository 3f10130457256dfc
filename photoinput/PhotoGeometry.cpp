#include "PhotoGeometry.h"

#include <algorithm>
#include <cmath>

#include "photoinput/SlideRate.h"

std::array<float, kFlatScaleSteps> gFlatScaleRate{};
std::array<float, kFlatScaleSteps> gFlatScaleLength{};
std::array<std::string, kFlatScaleSteps> gFlatScaleText{};
std::array<RoofColor, kBillColors> gBillColor{};

namespace {

// tan(t + a) for tan a = v / R.
double TanOfRay(double t, double R, double v)
{
    const double q = v / R;
    return (q + std::tan(t)) / (1.0 - q * std::tan(t));
}

struct ScaleStep {
    float rate;
    float length;
    const char* text;
};

constexpr ScaleStep kScaleSteps[kFlatScaleSteps] = {
    {0.01f, 20000, "20Km"}, {0.012f, 20000, "20Km"}, {0.015f, 10000, "10Km"}, {0.017f, 10000, "10Km"},
    {0.02f, 10000, "10Km"}, {0.025f, 10000, "10Km"}, {0.03f, 5000, "5Km"},    {0.035f, 5000, "5Km"},
    {0.04f, 5000, "5Km"},   {0.05f, 2000, "2Km"},    {0.06f, 2000, "2Km"},    {0.07f, 2000, "2Km"},
    {0.08f, 2000, "2Km"},   {0.1f, 2000, "2Km"},     {0.12f, 2000, "2Km"},    {0.15f, 1000, "1Km"},
    {0.17f, 1000, "1Km"},   {0.2f, 1000, "1Km"},     {0.25f, 1000, "1Km"},    {0.3f, 500, "500m"},
    {0.35f, 500, "500m"},   {0.4f, 500, "500m"},     {0.5f, 200, "200m"},     {0.6f, 200, "200m"},
    {0.7f, 200, "200m"},    {0.8f, 200, "200m"},     {1.0f, 200, "200m"},     {1.2f, 200, "200m"},
    {1.5f, 100, "100m"},    {1.7f, 100, "100m"},     {2.0f, 100, "100m"},     {2.5f, 100, "100m"},
    {3.0f, 50, "50m"},      {3.5f, 50, "50m"},       {4.0f, 50, "50m"},       {5.0f, 20, "20m"},
    {6.0f, 20, "20m"},      {7.0f, 20, "20m"},       {8.0f, 20, "20m"},       {10.0f, 20, "20m"},
    {12.0f, 20, "20m"},
};

constexpr RoofColor kRoofRgb[kBillColors] = {
    {255, 0, 255},   {0, 0, 255},     {0, 192, 192},   {0, 255, 0},     {192, 192, 0},
    {255, 128, 0},   {255, 0, 0},     {128, 0, 128},   {128, 128, 255}, {128, 255, 255},
    {128, 255, 128}, {255, 255, 0},   {255, 192, 128}, {255, 128, 128}, {128, 0, 128},
    {0, 0, 128},     {0, 128, 128},   {0, 128, 0},     {128, 128, 0},   {128, 64, 0},
    {192, 0, 0},
};

}  // namespace

double ConvertRateToSlideAngle(double r)
{
    if (!(r > 0.0 && r < 1.0)) return -1.0;
    const auto& rows = SlideRateRows();
    for (int k = 0; k < kSlideRateRows - 1; ++k) {
        if (rows[k].ratio < r) {
            if (k == 0) return -1.0;  // not reached for r < 1: row 0 holds the ratio 1
            const double r0 = rows[k - 1].ratio;
            const double r1 = rows[k].ratio;
            const double a0 = rows[k - 1].degrees;
            const double a1 = rows[k].degrees;
            return a0 + (r - r0) / (r1 - r0) * (a1 - a0);
        }
    }
    return -1.0;
}

double ComputeInclineAngle(double R, double h)
{
    const double q = R / h;
    return std::atan(std::sqrt(std::max(q * q - 1.0, 0.0))) * kRadToDeg;
}

double ComputeSlidePosition(double t, double R, double u, double v, double& X, double& Y)
{
    Y = R * std::cos(t) * TanOfRay(t, R, v) - R * std::sin(t);
    const double k = R / (R + Y * std::sin(t));
    X = u / k;
    return k;
}

double ComputeWallEdgeHeight(double t, double R, double va, double vb)
{
    const double vmax = va > vb ? va : vb;
    const double vmin = va > vb ? vb : va;
    const double T1 = TanOfRay(t, R, vmax);
    const double T2 = TanOfRay(t, R, vmin);
    const double yMax = R * std::cos(t) * T1 - R * std::sin(t);
    const double yMin = R * std::cos(t) * T2 - R * std::sin(t);
    return (yMax - yMin) / T1;
}

double ComputeFlatTopAreaY(double t, double R, double v, double H)
{
    const double T = TanOfRay(t, R, v);
    return R * std::cos(t) * T - R * std::sin(t) - H * T;
}

double ComputeFlatTopAreaX(double t, double R, double v, double H, double X0)
{
    const double a = std::atan(v / R);
    const double D = R * std::cos(t) / std::cos(t + a);  // camera to the ground hit
    const double E = H / std::cos(t + a);                // the point to the ground hit
    return X0 * (1.0 - E / D);
}

bool ComputePhotoPoint(const ObliqueCamera& camera, double X, double Y, double Z, double& x, double& y)
{
    // The eye stands R cos t above the ground, R sin t behind the origin; the view axis points
    // forward and down by the tilt, the picture's up is across it.
    const double t = camera.tilt(), R = camera.range;
    const double forward = Y + R * std::sin(t), down = R * std::cos(t) - Z;
    const double depth = forward * std::sin(t) + down * std::cos(t);
    if (!(depth > 1e-9)) return false;
    const double focal = kFocalWidths * camera.pictureWidth;
    x = focal * X / depth;
    y = focal * (forward * std::cos(t) - down * std::sin(t)) / depth;
    return std::isfinite(x) && std::isfinite(y);
}

bool IsUsableCamera(const ObliqueCamera& camera)
{
    return std::isfinite(camera.range) && std::isfinite(camera.pictureWidth) &&
           std::isfinite(camera.tiltDegrees) && camera.range > 0.0 && camera.pictureWidth > 0.0 &&
           camera.tiltDegrees >= 0.0 && camera.tiltDegrees <= 80.0;
}

CameraSetUp SetUpCamera(double sourceHeight, double slideHeight, double pictureWidth)
{
    if (!(sourceHeight > 0.0) || !(slideHeight > 0.0)) {
        return {std::nullopt, "平面視と傾斜視の画像高度が設定されていません。"};
    }
    if (!(pictureWidth > 0.0) || !std::isfinite(pictureWidth)) {
        return {std::nullopt, "画像が読み込まれていません。"};
    }
    const double tilt = ConvertRateToSlideAngle(slideHeight / sourceHeight);
    if (tilt < 0.0) {
        return {std::nullopt, "傾斜画像と平面画像の高度の比から傾斜角が求められません。\n"
                              "傾斜画像の高度は平面画像の13％を超え90％以下でなければなりません。"};
    }
    const double range = slideHeight / std::cos(tilt * kDegToRad);
    ObliqueCamera camera{ComputeInclineAngle(range, slideHeight), range, pictureWidth};
    if (!IsUsableCamera(camera)) return {std::nullopt, "画像の高度が適切ではありません。"};
    return {camera, {}};
}

void SetFlatScaleTable()
{
    for (int i = 0; i < kFlatScaleSteps; ++i) {
        gFlatScaleRate[i] = kScaleSteps[i].rate;
        gFlatScaleLength[i] = kScaleSteps[i].length;
        gFlatScaleText[i] = kScaleSteps[i].text;
    }
}

void SetBillColorTable()
{
    for (int i = 0; i < kBillColors; ++i) gBillColor[i] = kRoofRgb[i];
}
