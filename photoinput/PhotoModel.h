#pragma once
// The photo model of the building input: roofs traced on one oblique picture and vertical wall
// edges drawn from a roof vertex down to the foot of the wall.
//
// Frames (one index k shared by the three pairs of point arrays):
//   photo    gTopAreaX/Y      picture units, origin at the picture centre, x right, y up;
//   plan     gFlatTopAreaX/Y  metres on the ground, origin at the ground point seen at the
//                             picture centre, x right of the view, y forward (picture up);
//   north-up gNorthTopAreaX/Y metres, x east, y north (the building model's own points).
// The roof records (count, runs, closed flags, heights) and the point total are those of the
// building model (TopAreaModel): an edit here changes the main window's buildings at once.
//
// Invariants kept by every operation below: runs are contiguous from point 0 and the point total
// is the sum of the point counts; a committed roof repeats its first point as its last and holds
// at least 4 stored points (3 vertices and the closing point); every wall edge's owner is a roof
// 0 .. N-1. The edits change photo points only; the plan points are rebuilt by the plan
// conversion and the north-up points by the hand-over.

#include <array>
#include <span>
#include <string>

#include "photoinput/PhotoGeometry.h"
#include "site/TopAreaModel.h"

inline constexpr int kMaxWallEdges = 801;     // wall edges 0..800
inline constexpr int kMaxTracePoints = 101;   // points of an outline being traced, 0..100
inline constexpr int kMinRoofPoints = 4;      // 3 vertices and the closing point

extern std::array<float, kMaxTopPoints> gTopAreaX;      // photo coordinates
extern std::array<float, kMaxTopPoints> gTopAreaY;
extern std::array<float, kMaxTopPoints> gFlatTopAreaX;  // plan metres
extern std::array<float, kMaxTopPoints> gFlatTopAreaY;

extern int gWallEdgeNumber;                                   // wall edges in use, 0..801
extern std::array<float, kMaxWallEdges> gFirstWallEdgeX;      // upper end (a roof vertex), photo
extern std::array<float, kMaxWallEdges> gFirstWallEdgeY;
extern std::array<float, kMaxWallEdges> gSecondWallEdgeX;     // lower end (foot on the ground)
extern std::array<float, kMaxWallEdges> gSecondWallEdgeY;
extern std::array<int, kMaxWallEdges> gWallEdgefotEachTopArea; // owning roof

// Camera values. Lengths are one unit, taken as metres (the altitude boxes say "(ft)"; nothing
// converts). All 0 until a wall measurement, a building-data file or a sample set sets them.
// Read-only names; writers: the building-data reader and the sample sets (ApplyLineData), the
// wall measurement (SetUpPhotoCamera), the north dial (SetNorthAngle), the picture loads
// (SetPhotoPictureWidth) and the plan conversion (gPhotoMeterRate, gFlatDataSTS).
extern const float& gNorthAngle;      // north in the picture, degrees clockwise from picture-up, 0..360
extern const float& gSourceHeight;    // eye altitude of the straight-down (plan) view
extern const float& gSlideHeight;     // eye altitude of the oblique view
extern const float& gSlideAngle;      // tilt of the oblique view from the vertical, degrees
extern const float& gFlatHeight;      // camera range R: camera to the ground point at the picture centre
extern const float& gPhotoMeterRate;  // metres per picture unit at the range R
// Width W in picture units of the picture the roofs were traced on: set when a picture loads
// (from line 2 of a building-data file opened without one). Every conversion uses it, never
// the width of whatever the drawing surface shows at the moment (the plan canvas is narrower).
extern const float& gPhotoPictureWidth;

// 0 after a reset; -1 once the plan conversion has filled the plan points.
extern const int& gFlatDataSTS;

void SetNorthAngle(float degrees);
// The four camera values of a building-data file's line 3.
void SetCameraValues(float sourceHeight, float flatHeight, float slideHeight, float slideAngle);
void SetPhotoMeterRate(float rate);
void SetPhotoPictureWidth(float width);
void SetFlatDataSTS(int state);

// Result of an edit that may be refused. A refused edit changes nothing.
enum class PhotoEdit {
    Done,
    Full,        // would pass a limit: 501 roofs, 2001 points, 801 wall edges, 101 traced points
    OutOfRange,  // no such roof, point or wall edge, or an outline too short to be a roof
};

// The text the window shows for a refused edit ("" for Done).
std::string PhotoEditMessage(PhotoEdit result);

struct PhotoPoint {
    float x = 0.0f;
    float y = 0.0f;
    bool operator==(const PhotoPoint&) const = default;
};

// Appends wall edge w = gWallEdgeNumber from the roof vertex `top` to the foot `foot`, owned
// by `roof`.
PhotoEdit AddWallEdge(int roof, PhotoPoint top, PhotoPoint foot);

// Commits a traced outline as roof N (its closing copy of the first point included, 4..101
// points) at the end of the point arrays, closed, height 0.
PhotoEdit SetNewTopArea(std::span<const PhotoPoint> outline);

// Inserts the photo point (x, y) at point index `position` of roof `roof`: the second end of the picked edge,
// start + 1 .. start + count - 1, so the point goes between the edge's two ends. Later points
// and runs move up one place. Wall edges are stored as coordinates and stay.
PhotoEdit InsertTopAreaPoint(int roof, int position, float x, float y);

// Deletes the vertex at point index `position` of roof `roof` (-1 = no roof selected).
// Returns -1 when no roof is selected or the position is not in its run (nothing changes),
// 1 when the roof keeps at least 4 stored points, 0 when it had no area left and was removed
// (with its wall edges; later roofs move down a slot and their wall edges follow them).
// Deleting the first vertex makes the closing point repeat the new first vertex; deleting the
// closing point deletes the first vertex (it is the same vertex).
int RemoveTopAreaPoint(int roof, int position);

// As RemoveTopAreaPoint for a vertex that is the upper end of wall edge `wall`, which goes too.
int RemoveWallEdgeTopPoint(int roof, int position, int wall);

// Removes wall edge `wall` of roof `roof` (later edges move down one place). Returns 1 when
// wall edges remain, 0 when none remain; -1 (nothing changes) when `roof` is not a roof or the
// edge does not exist.
int RemoveWallEdge(int roof, int wall);

// Removes every wall edge owned by `roof`; the others keep their order.
void RemoveWallEdgeOfTopArea(int roof);

// Removes roof `roof` with its points and wall edges; later roofs move down one slot with their
// outlines, heights and closed flags, and the owners of their wall edges follow. -1 or an index
// at or beyond N changes nothing.
PhotoEdit RemoveActiveTopArea(int roof);

// Empties the photo model: the point, roof and wall-edge arrays are cleared, the counts and
// gFlatDataSTS become 0. The north-up points keep their values.
void ResetAllDataBuildingData();

// The camera of the photo model: tilt gSlideAngle, range gFlatHeight, width gPhotoPictureWidth.
ObliqueCamera CurrentCamera();

// Sets the camera values from the two eye altitudes as every wall measurement does (plan and
// oblique altitude into gSourceHeight and gSlideHeight, then tilt, range and metres per unit at
// the picture width gPhotoPictureWidth). Refused with a message, all values kept, when the
// altitudes give no tilt of the table or no picture was loaded.
CameraSetUp SetUpPhotoCamera(double sourceHeight, double slideHeight);
