#pragma once
// Pictures of flat-roofed buildings seen by the tests' own camera (ViewCamera.h), made by casting
// the ray of every pixel and meeting it with the ground plane, each roof plane and each wall
// plane: the nearest surface it meets shows. A nearer building therefore hides what lies behind
// it, roof or wall foot, exactly as in a photograph. Pixels where surfaces meet are sampled 4 x 4
// times and averaged (the antialiasing a camera's pixels give); each surface then gets its own
// pixel noise.

#include <span>
#include <vector>

#include <QImage>
#include <QPointF>

#include "tests/scene/ViewCamera.h"

namespace testscene {

// A building: a vertical prism over a footprint (plan metres, at least 3 corners, either turn, no
// closing repeat) up to a flat roof `height` metres above the ground.
struct Building {
    std::vector<QPointF> footprint;
    double height = 0.0;
    int roofGrey = 212;
    // The lowest `storeyHeight` metres of every wall (a shop front, a plinth, a dark glass ground
    // floor) show another grey: `storeyGrey` on every face when it is 0 or more (one material
    // whatever its light), else each face's own grey shifted by `storeyShift` (the same light).
    double storeyHeight = 0.0;
    int storeyShift = 0;
    int storeyGrey = -1;
};

// A small flat plate (plan metres) at the height of building `building`'s roof, in its roof's
// grey, with no wall below: a fitting or a tree's crown that sticks out past the roof's outline.
struct Spike {
    std::size_t building = 0;
    std::vector<QPointF> footprint;
};

struct Style {
    // A wall is darker than its roof by wallDarkest facing away from the sun, by wallLightest
    // facing it, in between by its turn: two walls of a box show two greys unless the sun lies
    // between them.
    int wallLightest = 36;
    int wallDarkest = 120;
    double sunAzimuthDegrees = 135.0;  // counter-clockwise from x, in the plan
    int groundGrey = 40;
    double groundPatches = 10.0;  // +- grey levels of smooth patches over the ground (plan metres 23)
    int groundNoise = 6;          // +- grey levels per pixel on the ground
    int roofNoise = 0;            // +- grey levels per pixel on the roofs
    // A roof darkens smoothly by this many grey levels across its footprint, along the plan
    // direction shadeAzimuthDegrees (sun, vignetting, a stain): its grey drifts, it does not step.
    int roofShading = 0;
    double shadeAzimuthDegrees = 30.0;  // counter-clockwise from x, in the plan
    // Shading that steepens towards the roof's darker end (sun and vignetting together): on top of
    // roofShading a roof darkens by this many grey levels more, with the square of the distance
    // along the shading direction, so that its grey falls fastest near the darkest corner.
    int roofShadingBend = 0;
    // Blotches on the roofs (moss, a patch of repair, a stain): round spots roofBlotchSize plan
    // metres across, one in about half the cells of a grid of twice that size, each this many
    // grey levels lighter than the roof around it (0: none).
    int roofBlotches = 0;
    double roofBlotchSize = 1.5;
    int wallNoise = 0;            // +- grey levels per pixel on the walls (0: each face one flat grey)
    int skyGrey = 160;            // where a ray never meets the ground
    unsigned seed = 1;
};

QImage Render(const ViewCamera& camera, std::span<const Building> buildings, const Style& style = {},
             std::span<const Spike> spikes = {});

// The grey of a wall of `building` that runs from footprint corner `from` to the next corner.
int WallGrey(const Building& building, std::size_t from, const Style& style);

// Photo points of the roof's corners, in footprint order, no closing repeat; empty when a corner
// lies behind the eye.
std::vector<QPointF> RoofCorners(const ViewCamera& camera, const Building& building);

// Photo point of the ground below footprint corner `corner`.
QPointF FootCorner(const ViewCamera& camera, const Building& building, std::size_t corner);

// Plan footprint: `corners` (metres about the centre) turned by `degrees` counter-clockwise and
// moved to `centre`.
std::vector<QPointF> Placed(QPointF centre, const std::vector<QPointF>& corners, double degrees);

// The index of the corner nearest photo point `p`.
std::size_t NearestCorner(const std::vector<QPointF>& corners, QPointF p);

// The photo point a double-click at `photo` delivers: the window reports whole pixels.
QPointF WholePixel(const ViewCamera& camera, QPointF photo);

}  // namespace testscene
