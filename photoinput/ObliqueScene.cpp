#include "ObliqueScene.h"

#include <cmath>

#include <QPolygonF>

namespace {

// Where a box can show in the picture (pixels): the convex hull of its roof and base corners,
// which covers its roof and its walls.
QPolygonF Silhouette(const ObliqueCamera& camera, const SceneBox& box, QSize size)
{
    QPolygonF all;
    for (const QPointF& c : box.footprint) {
        for (const double z : {0.0, box.height}) {
            const auto p = ProjectToPhoto(camera, {c.x(), c.y(), z});
            if (p) all << PhotoToPixel(*p, size);
        }
    }
    // Convex hull (gift wrapping; a handful of points).
    QPolygonF hull;
    if (all.size() < 3) return hull;
    int start = 0;
    for (int i = 1; i < all.size(); ++i) {
        if (all[i].x() < all[start].x()) start = i;
    }
    int p = start;
    do {
        hull << all[p];
        int q = (p + 1) % all.size();
        for (int r = 0; r < all.size(); ++r) {
            const double cross = (all[q].x() - all[p].x()) * (all[r].y() - all[p].y()) -
                                 (all[q].y() - all[p].y()) * (all[r].x() - all[p].x());
            if (cross < 0) q = r;
        }
        p = q;
    } while (p != start && hull.size() <= all.size());
    return hull;
}

}  // namespace

ObliqueCamera CameraOfSet(const SampleSet& set)
{
    return {set.data.slideAngle, set.data.flatHeight, static_cast<double>(set.picture.width)};
}

std::vector<SceneBox> TracedBoxes(const SampleSet& set)
{
    const ObliqueCamera camera = CameraOfSet(set);
    std::vector<SceneBox> boxes;
    int shade = 0;
    for (const LineRoof& roof : set.data.roofs) {
        SceneBox box;
        box.height = roof.height;
        // Light greys close enough together that every roof passes the automatic roof's gate (within
        // 9 of the picture's bright peak, grain included).
        box.roofGrey = 208 + (shade++ * 3) % 7;  // 208..214
        for (int k = roof.start; k < roof.start + roof.count - 1; ++k) {
            const auto w = PhotoToWorld(camera, QPointF(set.data.points[k].x, set.data.points[k].y), roof.height);
            if (w) box.footprint.emplace_back(w->x, w->y);
        }
        boxes.push_back(box);
    }
    return boxes;
}

std::vector<SceneBox> ObliqueScene(int picture)
{
    const SampleSet& set = SampleDataSet(picture == 2 ? 2 : 1);
    const ObliqueCamera camera = CameraOfSet(set);
    const QSize size(set.picture.width, set.picture.height);
    std::vector<SceneBox> scene = TracedBoxes(set);
    const std::size_t traced = scene.size();
    std::vector<QPolygonF> tracedShapes;
    std::vector<QPolygonF> tracedGround;
    for (const SceneBox& box : scene) {
        tracedShapes.push_back(Silhouette(camera, box, size));
        QPolygonF ground;
        for (const QPointF& c : box.footprint) ground << c;
        tracedGround.push_back(ground);
    }

    // A grid of blocks over the ground the picture shows; a block is kept where it stands clear
    // of every traced building on the ground and in the picture.
    const double step = 26.0;
    int index = 0;
    for (double y = -60; y <= 160; y += step) {
        for (double x = -160; x <= 160; x += step, ++index) {
            const double w = 10 + (index * 7) % 9, d = 9 + (index * 5) % 8;
            const double ox = (index * 13) % 7 - 3.0, oy = (index * 11) % 5 - 2.0;
            SceneBox box;
            box.height = 4 + (index * 3) % 7;
            box.roofGrey = 150 + (index * 17) % 25;  // darker than the traced roofs
            for (auto [sx, sy] : {std::pair{0.0, 0.0}, {1.0, 0.0}, {1.0, 1.0}, {0.0, 1.0}}) {
                box.footprint.emplace_back(x + ox + sx * w, y + oy + sy * d);
            }
            const QPolygonF ground(QList<QPointF>(box.footprint.begin(), box.footprint.end()));
            const QRectF near = ground.boundingRect().adjusted(-9, -9, 9, 9);
            const QPolygonF shape = Silhouette(camera, box, size);
            bool clear = !shape.isEmpty() && shape.boundingRect().intersects(QRectF(QPointF(0, 0), QSizeF(size)));
            for (std::size_t i = 0; clear && i < traced; ++i) {
                clear = !tracedGround[i].intersects(QPolygonF(near)) && !tracedShapes[i].intersects(shape);
            }
            if (clear) scene.push_back(box);
        }
    }
    return scene;
}
