#pragma once
// Building editing from clicks on the site map: add a rectangle or a drawn rooftop outline, find
// the building under a point, and move, delete or insert a vertex of the selected building.
//
// Clicks come in picture units of the map (y upwards); the model holds site metres. Every point
// that is stored goes picture -> site through `view` (map centre added); every hit test turns the
// model's points site -> picture through the same view, so it works on what the user sees.
// Pick distances are picture units and strict ("less than").

#include <span>
#include <vector>

#include "site/MapView.h"
#include "site/TopAreaModel.h"

namespace edit {

inline constexpr double kCloseDistance = 5.0;       // a click this near the first point closes
inline constexpr double kVertexPickDistance = 6.0;  // vertex to move or delete
inline constexpr double kEdgePickDistance = 5.0;    // edge to insert a point into
inline constexpr float kRectangleHeight = 30.0f;    // metres, a new rectangle building
inline constexpr float kTopLineHeight = 10.0f;      // metres, a new drawn rooftop outline
inline constexpr double kMinRectangleSide = 10.0;   // a rectangle drag must exceed this both ways

using PicturePoint = ::PicturePoint;

PicturePoint ToPicture(const MapViewState& view, TopAreaPoint site);
TopAreaPoint ToSite(const MapViewState& view, PicturePoint picture);

// Appends the rectangle with opposite picture corners c0 (the press) and c1 as one top area of
// five site points (c0, (c1.x, c0.y), c1, (c0.x, c1.y), c0), height 30 m. On a turned map the
// rectangle is turned in site metres. All or nothing: Full leaves the model unchanged.
TopAreaEdit AddRectangleBill(const MapViewState& view, PicturePoint c0, PicturePoint c1);

// True when a drag from c0 to c1 is wide and high enough for a rectangle (both sides > 10).
bool IsRectangleDrag(PicturePoint c0, PicturePoint c1);

// True when the outline being drawn (site metres) has more than 2 points and `click` lies less
// than 5 picture units from its first point as the map shows it now.
bool IsTopLineClosed(const MapViewState& view, std::span<const TopAreaPoint> drawn, PicturePoint click);

// Appends the drawn outline (site metres, the closing point included) as a top area of height
// 10 m. All or nothing.
TopAreaEdit AddTopLineBill(std::span<const TopAreaPoint> drawn);

// How many points an outline being drawn may still hold besides its closing point, so that the
// closed outline fits the model; 0 when no further top area fits.
int TopLineRoom();

// The top area under picture point p, or -1. A top area is found when exactly two of its edges
// cross the vertical line through p.x (an edge from a to b crosses when a.x <= x < b.x or
// b.x <= x < a.x) and p lies between them; the lowest index wins. An outline crossed four or more
// times at that x is not found there.
int SearchBillAtPoint(const MapViewState& view, PicturePoint p);

// 1 when p.y lies between the heights at p.x of the edges ending at points k1 and k2, else -1.
int IsPointInTopArea(const MapViewState& view, int k1, int k2, PicturePoint p);

// The first point of top area `active` (its run in order, the closing point included) less than
// 6 units from p: 1 with k its index, else -1 (k = -1). -1 too when `active` is no top area.
// Used alike to pick a vertex to move and one to delete.
int SearchTopPointForMove(const MapViewState& view, int active, PicturePoint p, int& k);
int SearchTopPointForRemove(const MapViewState& view, int active, PicturePoint p, int& k);

// What a move of point k of top area `area` changes: the points that take the new position
// (k, and the other end of the run when k is its first or last point and the run is closed) and
// the points joined to it by an edge, all within the run. Empty when k is not in the run.
struct VertexLinks {
    std::vector<int> moved;
    std::vector<int> neighbours;
};
VertexLinks LinksOfVertex(int area, int k);

// Stores picture point `to` (as site metres) at point k of top area `area` and at its closing
// twin; no other run is touched.
TopAreaEdit MoveTopPoint(const MapViewState& view, int area, int k, PicturePoint to);

// Deletes point k of top area `active`: 1 when the top area keeps more than 3 points, 0 when it
// became too small and was removed whole, -1 when `active` or k is no point of a top area.
int RemoveTopPoint(int active, int k);

// The edge of top area `active` picked by p: scanning its edges in order, a vertical edge is
// picked when p.y lies between its ends and |p.x - x| < 5 (onEdge = (x, p.y)); any other edge when
// p.x lies between its ends and p lies less than 5 units above or below it (onEdge = the point of
// the edge at p.x). Returns the index of the picked edge's end point, or -1.
int SearchTopLineForAdd(const MapViewState& view, int active, PicturePoint p, PicturePoint& onEdge);

// Inserts picture point `onEdge` (as site metres) at index k of top area `active`, between its
// points k - 1 and k. Full leaves the model unchanged.
TopAreaEdit AddTopPoint(const MapViewState& view, int active, int k, PicturePoint onEdge);

}  // namespace edit
