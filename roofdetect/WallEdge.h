#pragma once
// The wall edge of a found roof: a vertical edge of the building, from a roof corner that stands on
// the wall face found by MarkWallArea (WallSearch.h) down to the ground. The camera fixes where
// such an edge can lie: vertical lines of the scene converge in the picture on the nadir's
// picture point (the point straight below the camera), so the edge beside a roof corner runs
// along the picture line towards it, at whatever lean that gives. The face's boundary is followed
// along that line only; where it leaves the line (the wall's bottom edge, or another outline) or
// the face ends, there is the foot. The edge's ends are then measured on the edge itself: the
// building's corner where it meets the face's top, the foot where it meets the face's bottom.
// Only edges whose ends the face confirms count, and only when they agree on the height; the
// longest of them becomes one wall edge of the new roof, which gives the building's height.
// Window positions as in GreyLevels.h, y upwards.

#include "photoinput/PhotoGeometry.h"
#include "photoinput/PhotoModel.h"
#include "roofdetect/EdgeMask.h"
#include "roofdetect/PolygonFit.h"
#include "roofdetect/WallSearch.h"

#include <optional>
#include <vector>

namespace roofdetect {

// At most this many candidate edges are kept; far more than one roof gives.
inline constexpr int kMaxWallEdgeCandidates = 99;
// A corner stands on the face when a boundary pixel lies within this distance of it along its
// line (a face that narrows to a wedge at the corner starts a few pixels down; along a line
// leaning far from the picture's vertical, a row's step plus 2) ...
inline constexpr double kWallStartReach = 6.0;
// ... and within this distance across it (the corner, a pixel of the roof's outline, may lie that
// far beside the wall's edge).
inline constexpr double kWallLineReach = 3.0;
// Along the line, the face's edge must stay within this distance across of where it began; where
// it moves farther, the face's boundary has left the line.
inline constexpr double kWallEdgeTolerance = 1.5;
// Edges shorter than this (pixels) are too short to check their ends against the face: no wall.
inline constexpr double kWallMinLength = 8.0;

// A window position given as real numbers (a point that need not fall on a pixel, nor in the
// window).
struct WindowPoint {
    double u = 0.0;
    double v = 0.0;
};

struct WallCandidate {
    MaskPixel top;       // the roof vertex the edge starts from
    WindowPoint corner;  // the building's corner beside it: where the edge meets the face's top
    WindowPoint foot;    // on the line from the corner towards the nadir, where the face's edge ends
    int length = 0;      // |corner - foot| in window pixels, rounded halves to even
    std::size_t vertex = 0;  // index of `top` in the vertices FindWallEdge was given
};

// The nadir's picture point in photo coordinates: (0, -f tan t), f the focal length of the
// camera (0.85 picture widths) and t its tilt; every vertical line of the scene points at it.
PhotoPoint NadirInPhoto(const ObliqueCamera& camera);

// What the wall edge search looks at: the picture through the analysis window, the wall face's
// grey (pWallGray; a pixel within kWallFaceTolerance of it is on the face), the roof grey, the
// nadir's window position and the picture's bright peak (0: none known). Roof grey is a grey
// within kRoofBand of the roof grey or within kGateDifference of the peak.
struct WallFace {
    const AnalysisWindow* window = nullptr;
    int wallGray = 0;
    int roofGray = 0;
    WindowPoint nadir;
    int roofPeak = 0;
};

// The window positions of the stored roof's vertices, in order: the corners not merged, without
// the last one when the roof's closing put the first corner in its place (FoundRoof.h): the
// vertices a wall edge may start from (the automatic roof then moves that vertex onto the
// building's corner the edge found, so that the stored wall edge stands on a vertex). Empty when
// the roof was not stored (polygon empty).
std::vector<MaskPixel> RoofVertexCorners(const std::vector<RoofCorner>& corners, std::size_t polygonSize);

// FindWallEdge: the candidate edges. For each vertex in order, the line from it towards the
// nadir is where its vertical edge must lie. The vertex is a candidate when a boundary pixel of
// the face (kMaskTraced, one of `boundary` no earlier edge took) lies within kWallStartReach of
// it along that line and kWallLineReach across. From there the edge is followed down the line
// one pixel at a time: at each step the face's edge (face grey on one side, neither face nor
// roof on the other) must lie across the line where it began, within kWallEdgeTolerance. It
// ends, at the foot, where the edge leaves the line (the wall's bottom edge, or the boundary of
// something else) or the face ends; a single step without the edge is passed over. The edge's
// place across the line is then read to a fraction of a pixel (where the grey crosses halfway
// between the face and what lies beside it), and the ends are measured along the edge's own line
// from there towards the nadir: the corner where it meets the face's top, the foot where it
// meets the face's bottom. The vertex's pixel and the boundary pixels along the edge are
// set to kMaskTracedBack, so that no two edges share a pixel. The edge's ends must agree with
// the face beside it: along the roof's edge from the vertex (to the first vertex on the face's
// side at least 12 pixels away; at a silhouette corner, where both roof edges lie on the face's
// side, the one making the smaller angle with the line's downward direction) the face's top and
// bottom must run straight, nearly parallel (their slopes differing by no more than the edge's
// length over the face's width), and meet the edge near the ends found. The top is read only
// where roof lies beyond it (at a silhouette corner the roof narrows to a wedge), the foot only
// where nothing stands in front of it (roof grey beyond it, or the bright edge of a nearer roof
// all along it). Below the face's bottom the building may go on in lower storeys of another grey
// (a shop front, a plinth): where the grey past the bottom differs from the grey beside the line
// below the foot and the building's outline goes on down the line, each storey is followed as a
// face to its own bottom, which gives the foot; a storey that cannot be followed, or a band of
// another grey inside the blur, gives no edge. Otherwise, or when the face shows on both sides of
// the line and neither side holds, the vertex gives no edge (a missing height is better than a
// wrong one). A vertex
// at the nadir, off the face, or whose edge is shorter than kWallMinLength gives no edge, and so
// does a face whose top meets the edge at so small an angle that the ends cannot be placed
// along the edge to the precision a height needs.
std::vector<WallCandidate> FindWallEdge(const WallFace& face, const std::vector<MaskPixel>& vertices, const std::vector<MaskPixel>& boundary,
                                        ByteMask& edge);

// The longest candidate, the first among equally long ones; none of length 0.
std::optional<WallCandidate> LongestWallEdge(const std::vector<WallCandidate>& candidates);

// An end of a wall edge is placed within this (pixels) of where it truly lies across its own line
// (blur up to a pixel, any contrast the face search takes) ...
inline constexpr double kEndPlaceAcross = 1.0 / 3;
// ... and the wall's length must be measured within this (pixels): a right height is right within
// 1.5 pixels of its wall. (WallHeight.h holds the checks of the height itself.)
inline constexpr double kWallLengthPrecision = 1.5;

// The two ends of a wall edge in photo coordinates.
struct WallEdgeEnds {
    PhotoPoint top;
    PhotoPoint foot;
};
WallEdgeEnds WallEdgeInPhoto(const WallCandidate& edge, const AnalysisWindow& window);

}  // namespace roofdetect
