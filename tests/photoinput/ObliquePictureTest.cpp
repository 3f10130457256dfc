// The built-in oblique pictures against their data sets: every traced roof lies on a light-grey
// roof of the picture and every light-grey roof area of the picture is a traced roof; wall feet
// lie at the foot of their building's edge. Also the renderer's camera against the geometry.

#include <QImage>
#include <QPolygonF>

#include <cmath>

#include "PhotoModelFixture.h"
#include "photoinput/ObliqueScene.h"
#include "photoinput/PhotoCamera.h"
#include "photoinput/SampleData.h"

namespace {

bool LightGrey(QRgb c)
{
    const int level = qGray(c);
    return level >= 190 && level <= 230;
}

double DistanceToOutline(QPointF p, const QPolygonF& poly)
{
    double best = 1e9;
    for (qsizetype i = 0; i + 1 < poly.size(); ++i) {
        const QPointF a = poly[i], b = poly[i + 1], ab = b - a, ap = p - a;
        const double len2 = QPointF::dotProduct(ab, ab);
        const double s = len2 > 0 ? std::clamp(QPointF::dotProduct(ap, ab) / len2, 0.0, 1.0) : 0.0;
        const QPointF d = ap - s * ab;
        best = std::min(best, std::hypot(d.x(), d.y()));
    }
    return best;
}

// The set's roofs as pixel polygons of its picture.
std::vector<QPolygonF> RoofPixels(const SampleSet& set)
{
    const QSize size(set.picture.width, set.picture.height);
    std::vector<QPolygonF> roofs;
    for (const LineRoof& r : set.data.roofs) {
        QPolygonF poly;
        for (int k = r.start; k < r.start + r.count; ++k) poly << PhotoToPixel(QPointF(set.data.points[k].x, set.data.points[k].y), size);
        roofs.push_back(poly);
    }
    return roofs;
}

}  // namespace

TEST(ObliquePictures, TracedRoofsCoverTheLightGreyRoofsOfTheirPictures)
{
    for (const SampleSet* set : {&SampleDataSet(1), &SampleDataSet(2), &DemoDataSet(1), &DemoDataSet(2)}) {
        SCOPED_TRACE(set->picture.resource);
        const QImage image(set->picture.resource);
        ASSERT_FALSE(image.isNull());
        ASSERT_EQ(image.size(), QSize(set->picture.width, set->picture.height));
        const auto roofs = RoofPixels(*set);
        std::vector<int> inside(roofs.size(), 0), light(roofs.size(), 0);
        std::array<int, 256> roofLevels{};
        int lightOutside = 0, lightTotal = 0;
        for (int j = 0; j < image.height(); ++j) {
            for (int i = 0; i < image.width(); ++i) {
                const QPointF centre(i + 0.5, j + 0.5);
                const QRgb c = image.pixel(i, j);
                bool onRoof = false;
                for (std::size_t r = 0; r < roofs.size(); ++r) {
                    if (!roofs[r].boundingRect().adjusted(-3, -3, 3, 3).contains(centre)) continue;
                    const bool in = roofs[r].containsPoint(centre, Qt::OddEvenFill);
                    const double edge = DistanceToOutline(centre, roofs[r]);
                    onRoof |= in || edge < 1.5;
                    if (in && edge > 2.0) {
                        ++inside[r];
                        light[r] += LightGrey(c);
                        ++roofLevels[qGray(c)];
                    }
                }
                if (LightGrey(c)) {
                    ++lightTotal;
                    lightOutside += !onRoof;
                }
            }
        }
        EXPECT_LT(lightOutside, lightTotal / 200) << "light-grey pixels off the traced roofs";
        // Hand-traced outlines of neighbouring towers may reach under a nearer tower's wall by a
        // pixel or two; all else of every roof is roof.
        for (std::size_t r = 0; r < roofs.size(); ++r) {
            EXPECT_GT(light[r], inside[r] * 95 / 100) << "roof " << r << ": " << light[r] << " of " << inside[r];
        }
        const auto mode = std::max_element(roofLevels.begin(), roofLevels.end()) - roofLevels.begin();
        EXPECT_GE(mode, 190);
        EXPECT_LE(mode, 230);
    }
}

// A wall edge runs down the building's vertical edge: its stored foot lies near where that edge
// meets the ground in the picture.
TEST(ObliquePictures, WallFeetLieAtTheFootOfTheirBuildings)
{
    for (const int which : {1, 2}) {
        const SampleSet& set = SampleDataSet(which);
        const ObliqueCamera camera = CameraOfSet(set);
        for (const LineWallEdge& w : set.data.walls) {
            const double height = set.data.roofs[w.owner].height;
            const auto top = PhotoToWorld(camera, QPointF(w.top.x, w.top.y), height);
            ASSERT_TRUE(top);
            const auto foot = ProjectToPhoto(camera, {top->x, top->y, 0});
            ASSERT_TRUE(foot);
            EXPECT_LT(std::hypot(foot->x() - w.foot.x, foot->y() - w.foot.y), 10.0)
                << "set " << which << " wall of roof " << w.owner << " foot (" << foot->x() << ", " << foot->y() << ")";
        }
    }
}

// The renderer's camera and the photo geometry are one camera.
TEST(ObliquePictures, RendererCameraAgreesWithTheGeometry)
{
    for (const double tilt : {0.0, 12.5, 33.2212, 40.091}) {
        const ObliqueCamera camera{tilt, 160.1795, 785};
        const double t = camera.tilt(), R = camera.range, rate = camera.metresPerUnit();
        for (const WorldPoint w : {WorldPoint{0, 0, 0}, WorldPoint{12, 30, 0}, WorldPoint{-40, 55, 17}, WorldPoint{25, -20, 9}}) {
            const auto photo = ProjectToPhoto(camera, w);
            ASSERT_TRUE(photo);
            double x0 = 0, y0 = 0;
            ComputeSlidePosition(t, R, rate * photo->x(), rate * photo->y(), x0, y0);
            EXPECT_NEAR(ComputeFlatTopAreaX(t, R, rate * photo->y(), w.z, x0), w.x, 1e-9);
            EXPECT_NEAR(ComputeFlatTopAreaY(t, R, rate * photo->y(), w.z), w.y, 1e-9);
            const auto back = PhotoToWorld(camera, *photo, w.z);
            ASSERT_TRUE(back);
            EXPECT_NEAR(back->x, w.x, 1e-9);
            EXPECT_NEAR(back->y, w.y, 1e-9);
        }
    }
    EXPECT_FALSE(ProjectToPhoto({30, 100, 785}, {0, -200, 50})) << "behind the camera";
    EXPECT_FALSE(PhotoToWorld({40, 100, 785}, {0, 2000}, 0)) << "above the horizon";
    const QSize size(785, 678);
    EXPECT_EQ(PhotoToPixel({0, 0}, size), QPointF(392.5, 339));
    EXPECT_EQ(PixelToPhoto(PhotoToPixel({-10.5, 7}, size), size), QPointF(-10.5, 7));
}

// Rendering a known box: its roof shows light grey inside its projected outline, and its walls
// and the ground below the roof grey.
TEST(ObliquePictures, RenderedBoxShowsWhereTheCameraPutsIt)
{
    const ObliqueCamera camera{33.2212, 160.1795, 400};
    const SceneBox box{{{-10, 0}, {10, 0}, {10, 15}, {-10, 15}}, 12.0, 212};
    const QImage image = RenderScene(camera, QSize(400, 300), std::span(&box, 1));
    const auto roof = ProjectRoof(camera, box);
    ASSERT_EQ(roof.size(), 5u);
    QPolygonF pixels;
    for (const QPointF& p : roof) pixels << PhotoToPixel(p, image.size());
    int lightInside = 0, inside = 0, lightOutside = 0;
    for (int j = 0; j < image.height(); ++j) {
        for (int i = 0; i < image.width(); ++i) {
            const QPointF c(i + 0.5, j + 0.5);
            const bool in = pixels.containsPoint(c, Qt::OddEvenFill) && DistanceToOutline(c, pixels) > 1.5;
            const bool light = LightGrey(image.pixel(i, j));
            inside += in;
            lightInside += in && light;
            lightOutside += !in && light && DistanceToOutline(c, pixels) > 1.5;
        }
    }
    EXPECT_GT(inside, 500);
    EXPECT_EQ(lightInside, inside);
    EXPECT_EQ(lightOutside, 0);
}
