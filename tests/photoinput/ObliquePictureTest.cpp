// The built-in oblique pictures against their data sets: every traced roof lies on a light-grey
// roof of the picture and every light-grey roof area of the picture is a traced roof; wall feet
// lie at the foot of their building's edge. Also the program's camera against the geometry and
// against the tests' own camera, which must agree.

#include <QImage>
#include <QPolygonF>

#include <cmath>

#include "PhotoModelFixture.h"
#include "photoinput/ObliqueScene.h"
#include "photoinput/PhotoCamera.h"
#include "photoinput/SampleData.h"
#include "tests/scene/ViewCamera.h"

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
        const auto camera = testscene::ViewCamera::FromAltitudes(set.data.sourceHeight, set.data.slideHeight, QSize(set.picture.width, set.picture.height));
        ASSERT_TRUE(camera);
        for (const LineWallEdge& w : set.data.walls) {
            const double height = set.data.roofs[w.owner].height;
            const auto top = camera->OnLevel(QPointF(w.top.x, w.top.y), height);
            ASSERT_TRUE(top);
            const auto foot = camera->Photo({top->x, top->y, 0});
            ASSERT_TRUE(foot);
            EXPECT_LT(std::hypot(foot->x() - w.foot.x, foot->y() - w.foot.y), 10.0)
                << "set " << which << " wall of roof " << w.owner << " foot (" << foot->x() << ", " << foot->y() << ")";
        }
    }
}

// The tests' own camera, built from the altitudes a user types, and the program's photo camera
// set up from the same altitudes see every point at the same picture point: each keeps the other
// honest, and the rendered tests may take the tests' camera for the truth.
TEST(ObliquePictures, TestCameraAgreesWithThePhotoCamera)
{
    struct Altitudes {
        double plan, oblique;
        int width, height;
    };
    for (const Altitudes a : {Altitudes{589, 134, 788, 678}, Altitudes{500, 410, 788, 678}, Altitudes{500, 270, 640, 480},
                              Altitudes{1000, 135, 1200, 900}, Altitudes{300, 265, 788, 678}}) {
        SCOPED_TRACE(std::to_string(a.plan) + " / " + std::to_string(a.oblique));
        const CameraSetUp setUp = SetUpCamera(a.plan, a.oblique, a.width);
        const auto view = testscene::ViewCamera::FromAltitudes(a.plan, a.oblique, QSize(a.width, a.height));
        ASSERT_TRUE(setUp.camera && view);
        EXPECT_NEAR(view->tiltDegrees(), setUp.camera->tiltDegrees, 1e-4);
        EXPECT_NEAR(view->range(), setUp.camera->range, 1e-3);
        for (const testscene::Vec3 w : {testscene::Vec3{0, 0, 0}, testscene::Vec3{12, 30, 0}, testscene::Vec3{-40, 55, 17},
                                         testscene::Vec3{25, -20, 9}, testscene::Vec3{-60, -35, 42}}) {
            const auto mine = view->Photo(w);
            const auto theirs = ProjectToPhoto(*setUp.camera, {w.x, w.y, w.z});
            ASSERT_TRUE(mine && theirs);
            EXPECT_NEAR(mine->x(), theirs->x(), 1e-3) << w.x << ", " << w.y << ", " << w.z;
            EXPECT_NEAR(mine->y(), theirs->y(), 1e-3) << w.x << ", " << w.y << ", " << w.z;
        }
    }
    EXPECT_FALSE(testscene::ViewCamera::FromAltitudes(500, 600, QSize(788, 678))) << "oblique above plan";
    EXPECT_FALSE(testscene::ViewCamera::FromAltitudes(1000, 120, QSize(788, 678))) << "past the table";
    const double plan = testscene::ViewCamera::PlanAltitudeFor(30.0, 134.0);
    EXPECT_NEAR(testscene::ViewCamera::FromAltitudes(plan, 134.0, QSize(788, 678))->tiltDegrees(), 30.0, 1e-6);
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

// Rendering a known box for the built-in pictures: its roof shows light grey inside the outline
// the tests' own camera projects, and its walls and the ground below the roof grey.
TEST(ObliquePictures, RenderedBoxShowsWhereTheCameraPutsIt)
{
    const QSize size(400, 300);
    const ObliqueCamera camera = *SetUpCamera(589, 134, size.width()).camera;
    const auto view = testscene::ViewCamera::FromAltitudes(589, 134, size);
    ASSERT_TRUE(view);
    const SceneBox box{{{-10, 0}, {10, 0}, {10, 15}, {-10, 15}}, 12.0, 212};
    const QImage image = RenderScene(camera, size, std::span(&box, 1));
    QPolygonF pixels;
    for (const QPointF& corner : box.footprint) pixels << view->ToPixel(*view->Photo({corner.x(), corner.y(), box.height}));
    pixels << pixels.front();
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
