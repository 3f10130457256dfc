#pragma once
// Rendered oblique pictures of known buildings for the roof detection's tests and benchmark:
// flat roofs of one light grey, walls drawn as the roof outline swept down (the visible wall faces
// below the roof; straight down, or towards the nadir's picture point as a camera sees vertical
// edges), darker and textured ground. Everything is given in photo coordinates
// (origin at the picture centre, y upwards), and the pixel of photo point (x, y) is
// (x + width/2, height/2 - y), so the roof corners are known exactly.

#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace roofpictures {

struct Building {
    QPolygonF roof;      // photo coordinates
    double wallDrop = 40;  // picture height of the walls
    int roofGrey = 210;
    int wallGrey = 150;
};

struct Scene {
    int width = 788;
    int height = 678;
    int groundGrey = 90;     // ground texture: groundGrey +- 20 in 4 x 4 blocks
    int roofNoise = 0;       // each roof pixel +- this, uniformly
    std::uint32_t seed = 1;
    // Photo point the vertical edges converge on (the nadir's picture point); none: the walls
    // run straight down.
    std::optional<QPointF> nadir;
    std::vector<Building> buildings;
};

// Pixel position of a photo point.
inline QPointF ToPixel(const Scene& scene, QPointF photo) { return {photo.x() + scene.width / 2.0, scene.height / 2.0 - photo.y()}; }

inline QPolygonF ToPixels(const Scene& scene, const QPolygonF& photo)
{
    QPolygonF pixels;
    for (const QPointF& p : photo) {
        pixels << ToPixel(scene, p);
    }
    return pixels;
}

inline QColor Grey(int level)
{
    level = std::clamp(level, 0, 255);
    return QColor(level, level, level);
}

inline QImage Render(const Scene& scene)
{
    QImage picture(scene.width, scene.height, QImage::Format_RGB32);
    std::mt19937 random(scene.seed);
    std::uniform_int_distribution<int> ground(-20, 20);
    for (int by = 0; by < scene.height; by += 4) {
        for (int bx = 0; bx < scene.width; bx += 4) {
            const QRgb c = Grey(scene.groundGrey + ground(random)).rgb();
            for (int y = by; y < std::min(by + 4, scene.height); ++y) {
                for (int x = bx; x < std::min(bx + 4, scene.width); ++x) {
                    picture.setPixel(x, y, c);
                }
            }
        }
    }

    QImage roofs(scene.width, scene.height, QImage::Format_ARGB32);  // where a roof is, for the noise
    roofs.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        QPainter roofPainter(&roofs);
        painter.setPen(Qt::NoPen);
        roofPainter.setPen(Qt::NoPen);
        for (const Building& b : scene.buildings) {
            const QPolygonF top = ToPixels(scene, b.roof);
            QPolygonF bottom = top.translated(0, b.wallDrop);
            if (scene.nadir) {
                // The ground outline is the roof's scaled about the nadir, so that the roof's
                // centre drops by wallDrop and every vertical edge points at the nadir.
                const QPointF n = ToPixel(scene, *scene.nadir);
                const QPointF c = top.boundingRect().center();
                const double scale = 1.0 - b.wallDrop / std::hypot(c.x() - n.x(), c.y() - n.y());
                for (int i = 0; i < top.size(); ++i) {
                    bottom[i] = n + (top[i] - n) * scale;
                }
            }
            painter.setBrush(Grey(b.wallGrey));
            painter.drawPolygon(bottom);
            for (int i = 0; i < top.size(); ++i) {
                const int j = (i + 1) % top.size();
                painter.drawPolygon(QPolygonF({top[i], top[j], bottom[j], bottom[i]}));
            }
            painter.setBrush(Grey(b.roofGrey));
            painter.drawPolygon(top);
            roofPainter.setBrush(Qt::white);
            roofPainter.drawPolygon(top);
        }
    }
    if (scene.roofNoise > 0) {
        std::uniform_int_distribution<int> noise(-scene.roofNoise, scene.roofNoise);
        for (int y = 0; y < scene.height; ++y) {
            for (int x = 0; x < scene.width; ++x) {
                if (qAlpha(roofs.pixel(x, y)) != 0) {
                    picture.setPixel(x, y, Grey(qRed(picture.pixel(x, y)) + noise(random)).rgb());
                }
            }
        }
    }
    return picture;
}

}  // namespace roofpictures
