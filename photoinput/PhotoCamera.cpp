#include "PhotoCamera.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include <QPainter>
#include <QPolygonF>

namespace {

// The camera's frame: position, view axis, picture right and picture up, focal length.
struct Frame {
    WorldPoint eye;
    double ax, ay, az;  // view axis (unit)
    double ux, uy, uz;  // picture up (unit)
    double focal;       // picture units
};

Frame FrameOf(const ObliqueCamera& camera)
{
    const double t = camera.tilt();
    const double R = camera.range;
    return {{0.0, -R * std::sin(t), R * std::cos(t)},
            0.0, std::sin(t), -std::cos(t),
            0.0, std::cos(t), std::sin(t),
            kFocalWidths * camera.pictureWidth};
}

// A small integer hash for reproducible noise.
std::uint32_t Hash(std::int64_t x, std::int64_t y, unsigned seed)
{
    std::uint64_t h = static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ull ^
                      static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4Full ^ (seed * 0x165667B19E3779F9ull);
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 29;
    return static_cast<std::uint32_t>(h);
}

// Noise in [-1, 1].
double Noise(std::int64_t x, std::int64_t y, unsigned seed) { return (Hash(x, y, seed) % 2001) / 1000.0 - 1.0; }

// Smooth value noise in [-1, 1] over the plane with the given cell size.
double ValueNoise(double x, double y, double cell, unsigned seed)
{
    const double gx = x / cell, gy = y / cell;
    const auto ix = static_cast<std::int64_t>(std::floor(gx));
    const auto iy = static_cast<std::int64_t>(std::floor(gy));
    const double fx = gx - ix, fy = gy - iy;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = Noise(ix, iy, seed), b = Noise(ix + 1, iy, seed);
    const double c = Noise(ix, iy + 1, seed), d = Noise(ix + 1, iy + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

double DistanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a, ap = p - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    const double s = len2 > 0 ? std::clamp(QPointF::dotProduct(ap, ab) / len2, 0.0, 1.0) : 0.0;
    const QPointF d = ap - s * ab;
    return std::hypot(d.x(), d.y());
}

// Streets reach this far from the blocks; beyond lie yards and lots.
constexpr double kStreetReach = 14.0;

// What a box leaves on the ground: its footprint, how far its street reaches, and its shadow
// (the footprint swept away from the sun), each with a bounding box for a quick rejection.
struct GroundMark {
    QPolygonF footprint;
    QRectF reach;
    std::vector<QPolygonF> shadow;
    QRectF shadowBox;
};

std::vector<GroundMark> GroundMarks(std::span<const SceneBox> boxes, const SceneStyle& style)
{
    const double a = style.sunAzimuthDegrees * platform::kRadPerDeg;
    const double run = 1.0 / std::tan(std::clamp(style.sunElevationDegrees, 5.0, 90.0) * platform::kRadPerDeg);
    std::vector<GroundMark> marks;
    for (const SceneBox& box : boxes) {
        if (box.footprint.size() < 3) continue;
        GroundMark mark;
        mark.footprint = QPolygonF(QList<QPointF>(box.footprint.begin(), box.footprint.end()));
        mark.reach = mark.footprint.boundingRect().adjusted(-kStreetReach, -kStreetReach, kStreetReach, kStreetReach);
        const QPointF away(-std::cos(a) * box.height * run, -std::sin(a) * box.height * run);
        mark.shadowBox = mark.footprint.boundingRect() | mark.footprint.boundingRect().translated(away);
        const auto& f = box.footprint;
        for (std::size_t i = 0; i < f.size(); ++i) {
            const QPointF p = f[i], q = f[(i + 1) % f.size()];
            mark.shadow.push_back(QPolygonF{p, q, q + away, p + away});
        }
        mark.shadow.push_back(mark.footprint.translated(away));
        marks.push_back(std::move(mark));
    }
    return marks;
}

// Distance from a ground point to the nearest footprint within the street reach (0 inside one,
// the reach when none is nearer), and whether a box shades the point.
void Survey(QPointF p, const std::vector<GroundMark>& marks, double& distance, bool& shaded)
{
    distance = kStreetReach;
    shaded = false;
    for (const GroundMark& m : marks) {
        if (!shaded && m.shadowBox.contains(p)) {
            for (const QPolygonF& part : m.shadow) {
                if (part.containsPoint(p, Qt::OddEvenFill)) {
                    shaded = true;
                    break;
                }
            }
        }
        if (!m.reach.contains(p)) continue;
        if (m.footprint.containsPoint(p, Qt::OddEvenFill)) {
            distance = 0.0;
            continue;
        }
        for (qsizetype i = 0; i < m.footprint.size(); ++i) {
            distance = std::min(distance, DistanceToSegment(p, m.footprint[i], m.footprint[(i + 1) % m.footprint.size()]));
        }
    }
}

int Clamp255(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

// The ground's grey level at plan point p.
double GroundGrey(QPointF p, double distance, const SceneStyle& style)
{
    const double patches = 10.0 * ValueNoise(p.x(), p.y(), 23.0, style.seed + 7);
    if (distance < style.pavementWidth) return style.pavementGrey + patches * 0.3;
    // Streets run along the blocks; farther out lie lots and yards of mixed surface.
    if (distance < kStreetReach) return style.streetGrey + patches * 0.4;
    return style.groundGrey + 2.0 * patches;
}

double SignedArea(const std::vector<QPointF>& f)
{
    double a = 0.0;
    for (std::size_t i = 0; i < f.size(); ++i) {
        const QPointF& p = f[i];
        const QPointF& q = f[(i + 1) % f.size()];
        a += p.x() * q.y() - q.x() * p.y();
    }
    return a / 2.0;
}

// Horizontal distance from the point below the camera to the nearest corner of a box.
double NearestDistance(const ObliqueCamera& camera, const SceneBox& box)
{
    const double eyeY = -camera.range * std::sin(camera.tilt());
    double best = std::numeric_limits<double>::infinity();
    for (const QPointF& p : box.footprint) best = std::min(best, std::hypot(p.x(), p.y() - eyeY));
    return best;
}

}  // namespace

std::optional<QPointF> ProjectToPhoto(const ObliqueCamera& camera, const WorldPoint& point)
{
    double x = 0.0, y = 0.0;
    if (!ComputePhotoPoint(camera, point.x, point.y, point.z, x, y)) return std::nullopt;
    return QPointF(x, y);
}

std::optional<WorldPoint> PhotoToWorld(const ObliqueCamera& camera, QPointF photo, double height)
{
    const Frame f = FrameOf(camera);
    // Ray direction: focal * axis + x * right + y * up.
    const double dx = photo.x();
    const double dy = f.focal * f.ay + photo.y() * f.uy;
    const double dz = f.focal * f.az + photo.y() * f.uz;
    if (!(dz < 0.0) || !(f.eye.z > height)) return std::nullopt;
    const double s = (height - f.eye.z) / dz;
    return WorldPoint{f.eye.x + s * dx, f.eye.y + s * dy, height};
}

QPointF PhotoToPixel(QPointF photo, QSize size)
{
    return {photo.x() + size.width() / 2.0, size.height() / 2.0 - photo.y()};
}

QPointF PixelToPhoto(QPointF pixel, QSize size)
{
    return {pixel.x() - size.width() / 2.0, size.height() / 2.0 - pixel.y()};
}

std::vector<QPointF> ProjectRoof(const ObliqueCamera& camera, const SceneBox& box)
{
    std::vector<QPointF> outline;
    for (const QPointF& corner : box.footprint) {
        const auto p = ProjectToPhoto(camera, {corner.x(), corner.y(), box.height});
        if (!p) return {};
        outline.push_back(*p);
    }
    if (!outline.empty()) outline.push_back(outline.front());
    return outline;
}

QImage RenderScene(const ObliqueCamera& camera, QSize size, std::span<const SceneBox> boxes,
                   const SceneStyle& style)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(150, 170, 200));  // sky, where a ray never reaches the ground (below roof grey)

    // Ground, pixel by pixel through the camera.
    const std::vector<GroundMark> marks = GroundMarks(boxes, style);
    for (int j = 0; j < size.height(); ++j) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(j));
        for (int i = 0; i < size.width(); ++i) {
            const auto ground = PhotoToWorld(camera, PixelToPhoto(QPointF(i + 0.5, j + 0.5), size));
            if (!ground) continue;
            const QPointF p(ground->x, ground->y);
            double distance = 0;
            bool shaded = false;
            Survey(p, marks, distance, shaded);
            double grey = GroundGrey(p, distance, style) + style.textureAmplitude * Noise(i, j, style.seed);
            if (shaded) grey *= style.shadowFactor;
            // A faint warm tint keeps the ground from reading as a drawing.
            line[i] = qRgb(Clamp255(grey + 3), Clamp255(grey + 2), Clamp255(grey - 4));
        }
    }

    std::vector<const SceneBox*> order;
    for (const SceneBox& box : boxes) {
        if (box.footprint.size() >= 3) order.push_back(&box);
    }
    std::sort(order.begin(), order.end(), [&](const SceneBox* a, const SceneBox* b) {
        return NearestDistance(camera, *a) > NearestDistance(camera, *b);
    });

    const double sunA = style.sunAzimuthDegrees * platform::kRadPerDeg;
    const QPointF sun(std::cos(sunA), std::sin(sunA));
    const Frame f = FrameOf(camera);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    // Where the walls show: their grain is the style's wall grain (white), elsewhere its grain.
    QImage wallMask(size, QImage::Format_Grayscale8);
    wallMask.fill(0);
    QPainter maskPainter(&wallMask);
    maskPainter.setPen(Qt::NoPen);
    auto pixelOf = [&](double x, double y, double z) -> std::optional<QPointF> {
        const auto p = ProjectToPhoto(camera, {x, y, z});
        if (!p) return std::nullopt;
        return PhotoToPixel(*p, size);
    };
    for (const SceneBox* box : order) {
        const auto& fp = box->footprint;
        const double turn = SignedArea(fp) > 0 ? 1.0 : -1.0;  // outward normal side
        struct Wall {
            QPolygonF polygon;
            double distance;
            int grey;
        };
        std::vector<Wall> walls;
        bool inFront = true;
        for (std::size_t i = 0; i < fp.size(); ++i) {
            const QPointF a = fp[i], b = fp[(i + 1) % fp.size()];
            const QPointF edge = b - a;
            const double length = std::hypot(edge.x(), edge.y());
            if (length <= 0) continue;
            const QPointF normal(turn * edge.y() / length, -turn * edge.x() / length);
            const QPointF mid = (a + b) / 2.0;
            const QPointF toEye(f.eye.x - mid.x(), f.eye.y - mid.y());
            if (QPointF::dotProduct(normal, toEye) <= 0) continue;  // faces away from the camera
            const auto p0 = pixelOf(a.x(), a.y(), 0), p1 = pixelOf(b.x(), b.y(), 0);
            const auto p2 = pixelOf(b.x(), b.y(), box->height), p3 = pixelOf(a.x(), a.y(), box->height);
            if (!p0 || !p1 || !p2 || !p3) {
                inFront = false;
                break;
            }
            const double light = QPointF::dotProduct(normal, sun);  // -1 .. 1
            const int darker = static_cast<int>(std::lround(78.0 - 42.0 * light));  // 36 .. 120
            walls.push_back({QPolygonF{*p0, *p1, *p2, *p3}, std::hypot(toEye.x(), toEye.y()),
                             std::clamp(box->roofGrey - darker, 0, 255)});
        }
        const auto roof = ProjectRoof(camera, *box);
        if (!inFront || roof.empty()) continue;
        std::sort(walls.begin(), walls.end(), [](const Wall& a, const Wall& b) { return a.distance > b.distance; });
        for (const Wall& wall : walls) {
            painter.setRenderHint(QPainter::Antialiasing, style.antialiasedWalls);
            painter.setBrush(QColor(wall.grey, wall.grey, wall.grey + 2 > 255 ? 255 : wall.grey + 2));
            painter.drawPolygon(wall.polygon);
            painter.setRenderHint(QPainter::Antialiasing, true);
            maskPainter.setBrush(Qt::white);
            maskPainter.drawPolygon(wall.polygon);
        }
        QPolygonF roofPixels;
        for (const QPointF& p : roof) roofPixels << PhotoToPixel(p, size);
        painter.setBrush(QColor(box->roofGrey, box->roofGrey, box->roofGrey));
        painter.drawPolygon(roofPixels);
        maskPainter.setBrush(Qt::black);
        maskPainter.drawPolygon(roofPixels);
    }
    painter.end();
    maskPainter.end();

    // A mild grain over the roofs and walls too, as a photograph has.
    for (int j = 0; j < size.height(); ++j) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(j));
        const uchar* onWall = wallMask.constScanLine(j);
        for (int i = 0; i < size.width(); ++i) {
            const double amplitude = onWall[i] != 0 ? style.wallGrainAmplitude : style.grainAmplitude;
            const int n = static_cast<int>(std::lround(amplitude * Noise(i, j, style.seed + 13)));
            const QRgb c = line[i];
            line[i] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                           std::clamp(qBlue(c) + n, 0, 255));
        }
    }
    return image;
}
