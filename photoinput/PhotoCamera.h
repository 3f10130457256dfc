#pragma once
// The oblique camera as a renderer: projects world points to photo coordinates and draws scenes
// of vertical-walled boxes into a picture, with the same camera the photo geometry measures with.
// The sample pictures are rendered with it, and tests render pictures of known boxes with it.
//
// World frame: plan coordinates with height, metres: x to the right of the view, y forward
// (picture up), z up; origin at the ground point seen at the picture centre.
// Photo coordinates: picture units (pixels), origin at the picture centre, x right, y up.
// Pixel coordinates of a QImage: origin at the top-left corner, y down; pixel (i, j) covers
// [i, i + 1) x [j, j + 1), so photo point (x, y) is pixel point (x + w/2, h/2 - y).

#include <optional>
#include <span>
#include <vector>

#include <QImage>
#include <QPointF>
#include <QSize>

#include "photoinput/PhotoGeometry.h"

struct WorldPoint {
    double x = 0.0;  // metres right
    double y = 0.0;  // metres forward
    double z = 0.0;  // metres up
};

// Photo point of a world point; nullopt when the point is not in front of the camera.
std::optional<QPointF> ProjectToPhoto(const ObliqueCamera& camera, const WorldPoint& point);

// The point at height `height` on the viewing ray of a photo point (the ground for 0); nullopt
// when the ray does not come down to that height in front of the camera.
std::optional<WorldPoint> PhotoToWorld(const ObliqueCamera& camera, QPointF photo, double height = 0.0);

QPointF PhotoToPixel(QPointF photo, QSize size);
QPointF PixelToPhoto(QPointF pixel, QSize size);

// A building: a vertical prism over a footprint (plan metres, at least 3 corners, either turn,
// no closing repeat) up to a flat roof at `height` metres.
struct SceneBox {
    std::vector<QPointF> footprint;
    double height = 0.0;
    int roofGrey = 210;  // grey level of the roof, 0..255
};

// How the scene looks. Walls are darker than their roof by 36 (facing the sun) to 120 (facing
// away); the ground is a darker grey with streets around the blocks, the boxes' shadows and a
// mild texture, all below the roofs' light grey.
struct SceneStyle {
    double sunAzimuthDegrees = 135.0;  // sun direction in the plan frame, counter-clockwise from x
    double sunElevationDegrees = 55.0; // sun above the horizon; shadows fall away from the sun
    double shadowFactor = 0.72;        // ground grey in shadow, relative
    int groundGrey = 128;              // open ground
    int streetGrey = 92;               // asphalt
    int pavementGrey = 150;            // a strip along the walls
    double pavementWidth = 2.5;        // metres
    int textureAmplitude = 6;          // +- grey levels of the noise
    double grainAmplitude = 2.0;       // +- grey levels of the grain over the ground and the roofs (0: flat roofs)
    double wallGrainAmplitude = 2.0;   // +- grey levels of the grain over the walls (0: each wall face one flat grey)
    // Antialiased walls that meet at a corner each let the ground show through half of their
    // shared edge's pixels, which leaves a dark seam down the building; aliased walls share those
    // pixels exactly (their outer edges are then jagged).
    bool antialiasedWalls = true;
    unsigned seed = 1;                 // noise seed, so renders are reproducible
};

// Renders the boxes on textured ground into a picture of the given size (RGB32). Boxes are
// painted far to near, each with its walls that face the camera and then its roof, flat in its
// roofGrey; the style's grain lies over all of it. Photo points of a roof's corners lie exactly on the
// projections of its world corners. Pixels whose ray never reaches the ground show a sky below
// the roof grey. Boxes should not intersect one another.
QImage RenderScene(const ObliqueCamera& camera, QSize size, std::span<const SceneBox> boxes,
                   const SceneStyle& style = {});

// Photo outline of a box's roof (corners projected at the roof height), closed with the first
// corner repeated; empty when a corner is not in front of the camera.
std::vector<QPointF> ProjectRoof(const ObliqueCamera& camera, const SceneBox& box);
