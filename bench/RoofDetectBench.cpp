// The automatic roof detection on a rendered 788 x 678 oblique picture with one roof (a turned box
// of about 150 x 110 pixels with walls below it on textured ground): the grey picture made from the
// loaded image, the picture's bright peak, the roof steps from the click to the polygon, and the
// whole double-click of the automatic roof (roof, wall face, wall edge and height) that runs under
// the busy pointer.
#include <benchmark/benchmark.h>

#include "roofdetect/AutoRoof.h"
#include "roofdetect/RoofDetector.h"
#include "roofdetect/WallEdge.h"
#include "tests/roofdetect/RoofPictures.h"

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

}  // namespace
