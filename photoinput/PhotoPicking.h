#pragma once
// What a press of the building input's editing tools points at on the oblique picture, and the
// model side of a drag. Photo coordinates throughout (picture units, origin at the picture
// centre, y up); `roof` is the selected roof, -1 none. The roof hit test itself is FindTopArea
// (OutlineHitTest.h, even-odd rule, so concave roofs are found too).
//
// Pick distances in picture units are the site map's (EditOperations.h), every one strict (a point
// exactly at the distance is not picked): closing a traced outline 5, a vertex or a wall end 6,
// an edge 5.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "photoinput/PhotoModel.h"
#include "site/EditOperations.h"


// True when the outline being traced (`traced`, its points so far) has more than two points and
// (x, y) lies within 5 of its first point: the press closes it.
bool CheckCloseTopLine(std::span<const PhotoPoint> traced, double x, double y);

// The row of the first vertex of `roof` (its start row to its closing copy) within 6 of (x, y);
// -1 when none or no such roof. The first vertex is found as the start row, never as the copy.
int FindTopAreaPoint(int roof, double x, double y);

// What the move and delete tools pick on the selected roof.
enum class MovePickKind {
    Nothing = -1,
    Vertex = 1,          // a vertex carrying no wall top
    VertexWithWall = 2,  // a vertex on which wall tops sit (`walls`, the first is `wall`)
    WallFoot = 3,        // the foot of wall edge `wall`
};

struct MovePick {
    MovePickKind kind = MovePickKind::Nothing;
    int vertex = -1;          // row of the picked vertex (start row for the first vertex)
    int wall = -1;            // the first wall edge picked, -1 none
    std::vector<int> walls;   // VertexWithWall: every wall edge of the roof whose top sits at the vertex
    PhotoPoint at;            // the press, snapped onto the vertex when one was picked
};

// The vertex or wall foot of `roof` under the press (x, y). A vertex within 6 is taken unless a
// wall foot of the roof lies nearer to the press than that vertex (so a foot drawn near a vertex
// is still picked as a foot); a wall edge whose top lies within 6 of the picked vertex rides on
// it. A wall top away from every vertex is picked as nothing.
MovePick FindMovePoint(int roof, double x, double y);

// Every wall edge of `roof` whose top end lies within 6 of point (x, y), in order.
std::vector<int> WallEdgesAtPoint(int roof, double x, double y);

// The edge of `roof` within 5 of (x, y): `edge` is the row of its end point (start + 1 .. last
// row), `at` the point on it. A vertical edge is hit within 5 across it between its ends (the
// point keeps the press's y); any other edge within 5 measured vertically at the press's x,
// where that x lies on the edge. The first edge hit wins.
struct EdgePick {
    int edge = -1;
    PhotoPoint at;
};
std::optional<EdgePick> FindTopAreaEdge(int roof, double x, double y);

// What one drag moves: a vertex with the wall tops sitting on it, or one wall foot.
struct PointDrag {
    int vertex = -1;                // the dragged row, -1 none
    std::vector<int> topWalls;      // wall edges whose top end follows the vertex
    int footWall = -1;              // the wall edge whose foot is dragged, -1 none
};

// Moves what `drag` holds of `roof` to (x, y): the vertex (the first vertex together with its
// closing copy, so the outline stays closed), the wall tops riding on it, or the wall foot.
// False (nothing moves) when a row or wall edge is not the roof's.
bool MoveTopAreaPoint(int roof, const PointDrag& drag, float x, float y);

// The building height measured on a wall edge whose top and foot are seen at photo heights
// `topY` and `footY`, with the camera set up from the two eye altitudes (SetUpPhotoCamera, which
// also stores the camera values). Refused, with the message to show and no height, when the
// altitudes give no camera.
struct WallHeight {
    std::optional<double> height;  // metres
    std::string text;              // for the height box: "##0.0", empty when refused
    std::string message;           // why refused, empty otherwise
};
WallHeight MeasureWallHeight(double planAltitude, double obliqueAltitude, double topY, double footY);
