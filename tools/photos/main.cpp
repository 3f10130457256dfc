// Renders the two built-in oblique pictures of the building input into photoinput/resources:
// each data set's buildings seen through the set's own camera, so that every traced roof outline
// and wall edge lies on its building. Run by hand:
//   cmake --build build --target make_oblique_pictures && build/tools/make_oblique_pictures
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "photoinput/ObliqueScene.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = QStringLiteral(GPSPLAN_PHOTO_RESOURCES_DIR);
    QDir().mkpath(folder);
    for (const int picture : {1, 2}) {
        const SampleSet& set = SampleDataSet(picture);
        const auto scene = ObliqueScene(picture);
        SceneStyle style;
        style.seed = static_cast<unsigned>(picture);
        // Walls of one flat grey per face over a dark ground, as the automatic roof looks for.
        style.wallGrainAmplitude = 0;
        style.groundGrey = 64;
        style.streetGrey = 48;
        style.pavementGrey = 56;
        style.sunAzimuthDegrees = 165.0;  // front and side walls apart in grey
        style.antialiasedWalls = false;   // no seams where two walls meet
        const QImage image = RenderScene(CameraOfSet(set), QSize(set.picture.width, set.picture.height), scene, style);
        const QString path = folder + "/" + QString::fromUtf8(set.picture.resource).section('/', -1);
        if (!image.save(path, "JPG", 98)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s: %dx%d, %zu buildings\n", qPrintable(path), image.width(), image.height(), scene.size());
    }
    return 0;
}
