#pragma once
// Measures of a found roof against the known one: its vertices, the worst corner distance, the
// IoU of the two polygons and a readable print.

#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "photoinput/PhotoModel.h"
#include "roofdetect/AutoRoof.h"
#include "tests/photoinput/PhotoModelFixture.h"

namespace roofmeasures {

// Empty when the roof and wall edge of a detection are stored as the result says: the model's
// last roof holds the result's outline, closed (its last point repeats its first), and its last
// wall edge belongs to that roof and stands on one of its vertices; otherwise what differs.
inline std::string StoredWallOffItsRoof(const roofdetect::AutoRoofResult& r)
{
    const phototest::Model m = phototest::Read();
    if (m.roofs.empty() || m.walls.empty() || !r.wall) {
        return "no roof or wall edge stored";
    }
    const std::vector<PhotoPoint>& roof = m.roofs.back().points;
    if (roof != r.polygon) {
        return "the stored roof is not the outline given";
    }
    if (roof.size() < 2 || roof.front() != roof.back()) {
        return "the stored roof's closing point is not its first vertex";
    }
    const phototest::Wall& wall = m.walls.back();
    if (wall.owner != static_cast<int>(m.roofs.size()) - 1 || wall.top != r.wall->top || wall.foot != r.wall->foot) {
        return "the stored wall edge is not the one given";
    }
    if (std::find(roof.begin(), roof.end() - 1, wall.top) == roof.end() - 1) {
        return "the wall edge's top is no vertex of its roof";
    }
    return {};
}

// The polygon's vertices without the closing repeat.
inline QPolygonF Vertices(const std::vector<PhotoPoint>& polygon)
{
    QPolygonF v;
    for (std::size_t i = 0; i + 1 < polygon.size(); ++i) {
        v << QPointF(polygon[i].x, polygon[i].y);
    }
    return v;
}

// Area shared over area covered, by filling both polygons on one pixel grid.
inline double IoU(const QPolygonF& a, const QPolygonF& b)
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
inline double WorstCornerDistance(const QPolygonF& expected, const QPolygonF& found)
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

inline std::string Describe(const QPolygonF& p)
{
    std::string text;
    for (const QPointF& q : p) {
        text += "(" + std::to_string(q.x()) + ", " + std::to_string(q.y()) + ") ";
    }
    return text;
}

}  // namespace roofmeasures
