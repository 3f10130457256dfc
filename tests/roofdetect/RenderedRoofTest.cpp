// The roof detection on rendered pictures of known buildings: the stored polygon against the
// projected roof corners.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <cmath>
#include <string>

#include "roofdetect/RoofDetector.h"
#include "tests/roofdetect/RoofPictures.h"

namespace {

using roofdetect::PhotoPoint;
using roofpictures::Building;
using roofpictures::Scene;

QPolygonF Rect(double left, double top, double right, double bottom)
{
    return QPolygonF({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
}

// The polygon's vertices without the closing repeat.
QPolygonF Vertices(const std::vector<PhotoPoint>& polygon)
{
    QPolygonF v;
    for (std::size_t i = 0; i + 1 < polygon.size(); ++i) {
        v << QPointF(polygon[i].x, polygon[i].y);
    }
    return v;
}

// Area shared over area covered, by filling both polygons on one pixel grid.
double IoU(const QPolygonF& a, const QPolygonF& b)
{
    const QRectF box = a.boundingRect().united(b.boundingRect()).adjusted(-2, -2, 2, 2);
    QImage ia(box.size().toSize() + QSize(1, 1), QImage::Format_Grayscale8);
    QImage ib(ia.size(), QImage::Format_Grayscale8);
    ia.fill(0);
    ib.fill(0);
    for (auto [image, poly] : {std::pair{&ia, &a}, std::pair{&ib, &b}}) {
        QPainter p(image);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPolygon(poly->translated(-box.topLeft()));
    }
    long both = 0, either = 0;
    for (int y = 0; y < ia.height(); ++y) {
        for (int x = 0; x < ia.width(); ++x) {
            const bool pa = qGray(ia.pixel(x, y)) > 0, pb = qGray(ib.pixel(x, y)) > 0;
            both += pa && pb;
            either += pa || pb;
        }
    }
    return either == 0 ? 0.0 : double(both) / double(either);
}

// Largest distance from a corner of `expected` to the nearest vertex of `found`.
double WorstCornerDistance(const QPolygonF& expected, const QPolygonF& found)
{
    double worst = 0;
    for (const QPointF& e : expected) {
        double best = 1e9;
        for (const QPointF& f : found) {
            best = std::min(best, std::hypot(e.x() - f.x(), e.y() - f.y()));
        }
        worst = std::max(worst, best);
    }
    return worst;
}

std::string Describe(const QPolygonF& p)
{
    std::string text;
    for (const QPointF& q : p) {
        text += "(" + std::to_string(q.x()) + ", " + std::to_string(q.y()) + ") ";
    }
    return text;
}

struct RenderedCase {
    const char* name;
    QPolygonF roof;      // photo coordinates
    QPointF click;       // inside the roof
    int roofNoise = 0;
};

class RenderedRoof : public ::testing::TestWithParam<RenderedCase> {};

TEST_P(RenderedRoof, PolygonHasTheRoofsCornersWithinThreePixels)
{
    const RenderedCase& c = GetParam();
    Scene scene;
    scene.roofNoise = c.roofNoise;
    scene.buildings.push_back(Building{c.roof, 40, 210, 150});
    const roofdetect::GreyPicture picture(roofpictures::Render(scene));
    const roofdetect::RoofDetection d = roofdetect::DetectRoof(picture, c.click.x(), c.click.y());
    const QPolygonF found = Vertices(d.polygon);
    SCOPED_TRACE(Describe(found));
    EXPECT_EQ(found.size(), c.roof.size());
    EXPECT_LE(WorstCornerDistance(c.roof, found), 3.0);
    EXPECT_GE(IoU(c.roof, found), 0.9);
}

INSTANTIATE_TEST_SUITE_P(
    Roofs, RenderedRoof,
    ::testing::Values(
        RenderedCase{"rectangle", Rect(-80, 60, 90, -30), {0, 10}},
        // A box seen obliquely: the far edge shorter, the sides leaning towards each other.
        RenderedCase{"trapezoid", QPolygonF({{-120, 50}, {100, 50}, {130, -50}, {-90, -50}}), {0, 0}},
        RenderedCase{"turned_box", QPolygonF({{-60, 70}, {90, 40}, {70, -60}, {-80, -30}}), {0, 0}},
        RenderedCase{"turned_box_steep", QPolygonF({{-100, 40}, {50, 90}, {110, -10}, {-40, -70}}), {0, 0}},
        RenderedCase{"l_shape", QPolygonF({{-90, 80}, {-20, 80}, {-20, 0}, {100, 0}, {100, -60}, {-90, -60}}), {-50, -20}},
        // 340 x 240 pixels: an outline of about 1160 pixels.
        RenderedCase{"over_1000_outline_pixels", Rect(-170, 130, 170, -110), {0, 0}},
        RenderedCase{"rectangle_with_noise", Rect(-80, 60, 90, -30), {0, 10}, 8},
        RenderedCase{"turned_box_with_noise", QPolygonF({{-60, 70}, {90, 40}, {70, -60}, {-80, -30}}), {0, 5}, 8},
        RenderedCase{"l_shape_with_noise", QPolygonF({{-90, 80}, {-20, 80}, {-20, 0}, {100, 0}, {100, -60}, {-90, -60}}), {-50, -20}, 8}),
    [](const ::testing::TestParamInfo<RenderedCase>& info) { return std::string(info.param.name); });

TEST(RenderedRoofAtWindowBorder, RoofIsCutAtTheWindowsClampedColumn)
{
    // A roof 560 pixels wide clicked near its left end: the analysis window (click at u = 250)
    // reaches 250 pixels to the right, and the region is cut at window column 495, photo x
    // click.x + 245.
    const QPolygonF roof = Rect(-300, 60, 260, -40);
    const QPointF click(-200, 0);
    Scene scene;
    scene.buildings.push_back(Building{roof, 40, 210, 150});
    const roofdetect::GreyPicture picture(roofpictures::Render(scene));
    const roofdetect::RoofDetection d = roofdetect::DetectRoof(picture, click.x(), click.y());
    const QPolygonF expected = Rect(-300, 60, click.x() + 245, -40);
    const QPolygonF found = Vertices(d.polygon);
    SCOPED_TRACE(Describe(found));
    EXPECT_EQ(found.size(), 4);
    EXPECT_GE(IoU(expected, found), 0.9);
}

TEST(RenderedRoofJpeg, DegradesButStillFindsTheRoof)
{
    // The same rectangle saved as a JPEG of quality 75: block artefacts blur the roof edge by a
    // pixel or two and add spurs to the outline, so the polygon may gain corners; it still
    // covers the roof (IoU >= 0.85).
    const QPolygonF roof = Rect(-80, 60, 90, -30);
    Scene scene;
    scene.buildings.push_back(Building{roof, 40, 210, 150});
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(roofpictures::Render(scene).save(&buffer, "JPG", 75));
    const roofdetect::GreyPicture picture(QImage::fromData(bytes, "JPG"));
    const roofdetect::RoofDetection d = roofdetect::DetectRoof(picture, 0, 10);
    const QPolygonF found = Vertices(d.polygon);
    SCOPED_TRACE(Describe(found));
    EXPECT_GE(found.size(), 4);
    EXPECT_GE(IoU(roof, found), 0.85);
    RecordProperty("jpeg_corners", static_cast<int>(found.size()));
    RecordProperty("jpeg_worst_corner_distance", std::to_string(WorstCornerDistance(roof, found)));
}

}  // namespace
