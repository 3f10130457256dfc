// The automatic roof detection on a rendered 788 x 678 oblique picture with one roof (a turned box
// of about 150 x 110 pixels with walls below it on textured ground): the grey picture made from the
// loaded image, the picture's bright peak, the roof steps from the click to the polygon, and the
// whole double-click of the automatic roof (roof, wall face, wall edge and height) that runs under
// the busy pointer. Beside that typical picture, the slowest of the rendered test scenes timed:
// buildings seen by the tests' own camera (tests/scene), the roof with small spikes all round its
// outline (its polygon fit stops at 17 corners) and a tall building turned so that two front walls
// show (the longest wall edges to follow and check).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "roofdetect/AutoRoof.h"
#include "roofdetect/RoofDetector.h"
#include "roofdetect/WallEdge.h"
#include "tests/roofdetect/RoofPictures.h"
#include "tests/scene/SceneRender.h"

namespace {

const QImage& Picture()
{
    static const QImage picture = [] {
        roofpictures::Scene scene;
        scene.roofNoise = 4;
        // Walls as the camera of the benchmark's altitudes (589, 134) sees them.
        const PhotoPoint nadir = roofdetect::NadirInPhoto(*SetUpCamera(589, 134, scene.width).camera);
        scene.nadir = QPointF(nadir.x, nadir.y);
        scene.buildings.push_back(roofpictures::Building{QPolygonF({{-60, 70}, {90, 40}, {70, -60}, {-80, -30}}), 40, 210, 160});
        return roofpictures::Render(scene);
    }();
    return picture;
}

void BM_GreyPictureFromImage(benchmark::State& state)
{
    for (auto _ : state) {
        roofdetect::GreyPicture grey(Picture());
        benchmark::DoNotOptimize(grey);
    }
}
BENCHMARK(BM_GreyPictureFromImage)->Unit(benchmark::kMillisecond);

void BM_PhotoGrayPeak(benchmark::State& state)
{
    const roofdetect::GreyPicture grey(Picture());
    for (auto _ : state) {
        benchmark::DoNotOptimize(roofdetect::GetPhotoGrayPeak(grey));
    }
}
BENCHMARK(BM_PhotoGrayPeak)->Unit(benchmark::kMillisecond);

void BM_DetectRoof(benchmark::State& state)
{
    const roofdetect::GreyPicture grey(Picture());
    for (auto _ : state) {
        const roofdetect::RoofDetection d = roofdetect::DetectRoof(grey, 0, 5);
        if (d.polygon.size() != 5) {
            state.SkipWithError("the roof was not found");
            break;
        }
        benchmark::DoNotOptimize(d.polygon.data());
    }
}
BENCHMARK(BM_DetectRoof)->Unit(benchmark::kMillisecond);

void BM_DetectRoofAndWall(benchmark::State& state)
{
    const roofdetect::GreyPicture grey(Picture());
    SetPhotoPictureWidth(static_cast<float>(grey.width()));
    for (auto _ : state) {
        state.PauseTiming();
        ResetAllDataBuildingData();
        state.ResumeTiming();
        const roofdetect::AutoRoofResult r = roofdetect::DetectRoofAndWall(grey, 0, 5, 589, 134);
        if (!r.wall) {
            state.SkipWithError("the wall was not found");
            break;
        }
        benchmark::DoNotOptimize(r.height);
    }
}
BENCHMARK(BM_DetectRoofAndWall)->Unit(benchmark::kMillisecond);

// A rendered scene and the photo point double-clicked on its first building.
struct RenderedScene {
    QImage picture;
    QPointF click;
    double plan = 0;
    double oblique = 150;
};

QPointF RoofMiddle(const testscene::ViewCamera& camera, const testscene::Building& b)
{
    QPointF mean;
    const std::vector<QPointF> corners = testscene::RoofCorners(camera, b);
    for (const QPointF& p : corners) mean += p / double(corners.size());
    return testscene::WholePixel(camera, mean);
}

RenderedScene Rendered(double tilt, bool spiky)
{
    const QSize size(788, 678);
    const auto camera = testscene::ViewCamera::FromTilt(tilt, 150, size);
    const double height = spiky ? 15.0 : 40.0;
    const auto ground = camera.OnLevel(spiky ? QPointF(-150, 40) : QPointF(190, -120), height);
    const double scale = camera.range() / 300.0;
    const double w = spiky ? 16 : 15 * scale, d = spiky ? 10 : 10 * scale;
    std::vector<testscene::Building> buildings{
        {testscene::Placed({ground->x, ground->y}, {{-w, -d}, {w, -d}, {w, d}, {-w, d}}, spiky ? 15 : 45), height, 212}};
    std::vector<testscene::Spike> spikes;
    if (spiky) {
        // Plates of about 1 x 1.5 m every few metres along the sides, as in the tests.
        const std::vector<QPointF>& f = buildings[0].footprint;
        for (std::size_t i = 0; i < f.size(); ++i) {
            const QPointF a = f[i], e = f[(i + 1) % f.size()] - f[i];
            const double length = std::hypot(e.x(), e.y());
            const QPointF along = e / length, out(along.y(), -along.x());
            for (double u = 2.5; u + 1.0 < length - 1.5; u += 3.5 + std::fmod(u, 2.0)) {
                const QPointF base = a + along * u;
                spikes.push_back({0, {base - out * 1.0, base + along * 1.0 - out * 1.0, base + along * 0.6 + out * 1.5, base + out * 1.2}});
            }
        }
    }
    testscene::Style style;
    style.roofNoise = 2;
    return {testscene::Render(camera, buildings, style, spikes), RoofMiddle(camera, buildings[0]), testscene::ViewCamera::PlanAltitudeFor(tilt, 150)};
}

void DoubleClickRendered(benchmark::State& state, const RenderedScene& scene)
{
    const roofdetect::GreyPicture grey(scene.picture);
    SetPhotoPictureWidth(static_cast<float>(grey.width()));
    for (auto _ : state) {
        state.PauseTiming();
        ResetAllDataBuildingData();
        state.ResumeTiming();
        const roofdetect::AutoRoofResult r = roofdetect::DetectRoofAndWall(grey, scene.click.x(), scene.click.y(), scene.plan, scene.oblique);
        if (r.outcome != roofdetect::AutoRoofOutcome::Detected) {
            state.SkipWithError("the roof was not found");
            break;
        }
        benchmark::DoNotOptimize(r.height);
    }
}

void BM_DetectRoofAndWallSpikyRoof(benchmark::State& state)
{
    static const RenderedScene scene = Rendered(33.0, true);
    DoubleClickRendered(state, scene);
}
BENCHMARK(BM_DetectRoofAndWallSpikyRoof)->Unit(benchmark::kMillisecond);

void BM_DetectRoofAndWallTallTurned(benchmark::State& state)
{
    static const RenderedScene scene = Rendered(10.0, false);
    DoubleClickRendered(state, scene);
}
BENCHMARK(BM_DetectRoofAndWallTallTurned)->Unit(benchmark::kMillisecond);

// A large low roof behind a taller building whose roof, 3 levels darker, touches it in the picture
// (tilt 25): the two are found as one roof, and every candidate corner of the nearer building is
// checked along a way through the roof from a click at the farther roof's far side, the longest
// way a click on such roofs takes.
RenderedScene TouchingRoofs()
{
    const QSize size(788, 678);
    const double tilt = 25.0;
    const auto camera = testscene::ViewCamera::FromTilt(tilt, 150, size);
    const double scale = camera.range() / 300.0;
    const double farHeight = 12.0, nearHeight = 36.0, farHalf = 40 * scale, depth = 45 * scale;
    const auto g = camera.OnLevel(QPointF(0, 40), farHeight);
    const QPointF c(g->x, g->y);
    const double front = c.y() - depth / 2, back = c.y() + depth / 2;
    std::vector<testscene::Building> buildings{
        {{{c.x() - farHalf, front}, {c.x() + farHalf, front}, {c.x() + farHalf, back}, {c.x() - farHalf, back}}, farHeight, 212},
        {{{c.x() - farHalf * 0.6, front - 14 * scale}, {c.x() + farHalf * 0.9, front - 14 * scale}, {c.x() + farHalf * 0.9, front},
          {c.x() - farHalf * 0.6, front}},
         nearHeight, 209}};
    testscene::Style style;
    style.roofNoise = 2;
    const auto far = camera.Photo({c.x() - farHalf * 0.8, back - depth * 0.1, farHeight});
    return {testscene::Render(camera, buildings, style, {}), testscene::WholePixel(camera, *far), testscene::ViewCamera::PlanAltitudeFor(tilt, 150)};
}

void BM_DetectRoofAndWallTouchingRoofs(benchmark::State& state)
{
    static const RenderedScene scene = TouchingRoofs();
    DoubleClickRendered(state, scene);
}
BENCHMARK(BM_DetectRoofAndWallTouchingRoofs)->Unit(benchmark::kMillisecond);

}  // namespace
