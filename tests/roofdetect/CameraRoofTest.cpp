// The roof detection on pictures of known buildings rendered with the tests' own camera: the
// stored polygon against the roof corners that camera projects.
#include <gtest/gtest.h>

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>
#include <string>

#include "roofdetect/RoofDetector.h"
#include "tests/roofdetect/RoofMeasures.h"
#include "tests/scene/SceneRender.h"

namespace {

using roofmeasures::Describe;
using roofmeasures::IoU;
using roofmeasures::Vertices;
using roofmeasures::WorstCornerDistance;
using testscene::Building;
using testscene::ViewCamera;

const QSize kSize(788, 678);
// The eye altitudes of the first built-in picture: tilt 33.2 degrees, range 160 m, about 0.24 m
// per picture unit.
const ViewCamera kCamera = *ViewCamera::FromAltitudes(589, 134, kSize);

// A lighter textured ground, with grain over the roofs and walls as a photograph has.
testscene::Style Grainy()
{
    testscene::Style style;
    style.groundGrey = 120;
    style.roofNoise = 2;
    style.wallNoise = 2;
    return style;
}

std::vector<QPointF> Turned(std::vector<QPointF> footprint, double degrees)
{
    const double a = degrees * platform::kRadPerDeg;
    for (QPointF& p : footprint) {
        p = QPointF(p.x() * std::cos(a) - p.y() * std::sin(a), p.x() * std::sin(a) + p.y() * std::cos(a));
    }
    return footprint;
}

// Roof pixels (grey 180 and lighter) +- up to `amplitude`, the same noise on every run.
void AddRoofNoise(QImage& image, int amplitude)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> noise(-amplitude, amplitude);
    for (int j = 0; j < image.height(); ++j) {
        for (int i = 0; i < image.width(); ++i) {
            const int g = qGray(image.pixel(i, j));
            if (g >= 180) {
                const int n = std::clamp(g + noise(random), 0, 255);
                image.setPixel(i, j, qRgb(n, n, n));
            }
        }
    }
}

struct CameraCase {
    const char* name;
    Building box;
    QPointF click;       // photo point inside the roof; (0, 0): the mean of the roof's corners
    int roofNoise = 0;   // roof pixels +- this
    bool inCorner = false;  // click at the middle of the first corner and the corners beside it
};

class CameraRoof : public ::testing::TestWithParam<CameraCase> {};

TEST_P(CameraRoof, PolygonHasTheProjectedCornersWithinThreePixels)
{
    const CameraCase& c = GetParam();
    QImage image = testscene::Render(kCamera, std::span(&c.box, 1), Grainy());
    const std::vector<QPointF> projected = testscene::RoofCorners(kCamera, c.box);
    ASSERT_FALSE(projected.empty());
    const QPolygonF roof(QList<QPointF>(projected.begin(), projected.end()));
    if (c.roofNoise > 0) {
        AddRoofNoise(image, c.roofNoise);
    }
    QPointF click = c.click;
    if (c.inCorner) {
        // Inside an L's corner square: the first corner and its two neighbours.
        click = (projected[0] * 2 + projected[1] + projected.back()) / 4.0;
    } else if (click.isNull()) {
        for (const QPointF& p : projected) click += p / projected.size();
    }
    click = testscene::WholePixel(kCamera, click);
    const roofdetect::GreyPicture picture(image);
    const roofdetect::RoofDetection d = roofdetect::DetectRoof(picture, click.x(), click.y());
    const QPolygonF found = Vertices(d.polygon);
    SCOPED_TRACE("found " + Describe(found) + " projected " + Describe(roof));
    EXPECT_EQ(found.size(), roof.size());
    EXPECT_TRUE(WorstCornerDistance(roof, found) <= 3.0 || IoU(roof, found) >= 0.9)
        << "worst corner " << WorstCornerDistance(roof, found) << ", IoU " << IoU(roof, found);
    if (std::string(c.name).starts_with("over_1000")) {
        EXPECT_GT(d.outline.size(), 1000u);
    }
}

// Boxes standing 12 m high around the ground point seen at the picture centre.
INSTANTIATE_TEST_SUITE_P(
    Boxes, CameraRoof,
    ::testing::Values(
        CameraCase{"rectangle", {{{-15, 0}, {15, 0}, {15, 20}, {-15, 20}}, 12.0, 212}, {}},
        CameraCase{"turned_box", {Turned({{-15, -10}, {15, -10}, {15, 10}, {-15, 10}}, 30), 12.0, 212}, {}},
        // About 330 x 180 picture units: an outline of over 1000 pixels.
        CameraCase{"over_1000_outline_pixels", {{{-40, -15}, {40, -15}, {40, 40}, {-40, 40}}, 12.0, 212}, {}},
        CameraCase{"rectangle_with_noise", {{{-15, 0}, {15, 0}, {15, 20}, {-15, 20}}, 12.0, 212}, {}, 8},
        CameraCase{"turned_box_with_noise", {Turned({{-15, -10}, {15, -10}, {15, 10}, {-15, 10}}, 30), 12.0, 212}, {}, 8},
        // An L shape, turned: its inner corner lies off the chords only after several rounds of
        // splits. Clicked inside the corner square.
        CameraCase{"l_shape_turned_45", {Turned({{-20, -10}, {20, -10}, {20, 0}, {0, 0}, {0, 20}, {-20, 20}}, 45), 12.0, 212}, {0, 0}, 0, true}),
    [](const ::testing::TestParamInfo<CameraCase>& info) { return std::string(info.param.name); });

struct LShapeCase {
    const char* name;
    double tilt;        // degrees from the vertical
    double altitude;    // metres, of the eye
    double turn;        // degrees, counter-clockwise
    QPointF click;      // plan point of the click on the roof, before the turn
    int roofNoise = 0;  // roof pixels +- this
};

class CameraLShape : public ::testing::TestWithParam<LShapeCase> {};

// An L of two wings 40 x 10 m and 20 x 30 m, 12 m high: the found roof has the six corners, the
// inner one too, each within 3 px of its projection, and no corner more (pixels mixed with the
// wall or noise at a corner must not add one). Each click lies where the roof's region reaches
// both wings.
TEST_P(CameraLShape, KeepsItsSixCornersWithinThreePixels)
{
    const LShapeCase& c = GetParam();
    const ViewCamera camera = ViewCamera::FromTilt(c.tilt, c.altitude, kSize);
    const Building box{Turned({{-20, -10}, {20, -10}, {20, 0}, {0, 0}, {0, 20}, {-20, 20}}, c.turn), 12.0, 212};
    QImage image = testscene::Render(camera, std::span(&box, 1), Grainy());
    if (c.roofNoise > 0) {
        AddRoofNoise(image, c.roofNoise);
    }
    const std::vector<QPointF> projected = testscene::RoofCorners(camera, box);
    ASSERT_EQ(projected.size(), 6u);
    const QPolygonF roof(QList<QPointF>(projected.begin(), projected.end()));
    const QPointF plan = Turned({c.click}, c.turn).front();
    std::optional<QPointF> click = camera.Photo({plan.x(), plan.y(), box.height});
    ASSERT_TRUE(click.has_value());
    click = testscene::WholePixel(camera, *click);
    ASSERT_TRUE(roof.containsPoint(*click, Qt::OddEvenFill));

    const roofdetect::GreyPicture picture(image);
    const roofdetect::RoofDetection d = roofdetect::DetectRoof(picture, click->x(), click->y());
    const QPolygonF found = Vertices(d.polygon);
    SCOPED_TRACE("found " + Describe(found) + " projected " + Describe(roof));
    EXPECT_EQ(found.size(), 6);
    EXPECT_LE(WorstCornerDistance(roof, found), 3.0);
}

INSTANTIATE_TEST_SUITE_P(
    Views, CameraLShape,
    ::testing::Values(LShapeCase{"upright", 33.2212, 134, 0, {-10, -5}},
                      LShapeCase{"turned_20", 33.2212, 134, 20, {-10, 10}},
                      LShapeCase{"turned_45", 33.2212, 134, 45, {10, -5}},
                      LShapeCase{"turned_70", 33.2212, 134, 70, {10, -5}},
                      LShapeCase{"turned_70_with_noise", 33.2212, 134, 70, {10, -5}, 8},
                      LShapeCase{"turned_135", 33.2212, 134, 135, {10, -5}},
                      LShapeCase{"tilt_39_turned_110_with_noise", 39, 155, 110, {-10, -5}, 8}),
    [](const ::testing::TestParamInfo<LShapeCase>& info) { return std::string(info.param.name); });

}  // namespace
