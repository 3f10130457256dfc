#pragma once
// Whether a point lies inside a roof outline, for the pick tests of the picture and of the plan.
//
// The outline is the stored run of a roof: its points in order, a closed outline repeating its
// first point as its last (no closing edge is added). The vertical line through the point is
// crossed by the edge from p[k-1] to p[k] when x(k-1) <= X < x(k) or x(k) <= X < x(k-1): the left
// end of an edge counts and its right end does not, so a vertical edge never crosses and a
// vertex where the outline passes on from left to right (or back) is counted once, not twice.
// The heights of the crossing edges at X, sorted, pair up from below; the point is inside when
// its Y lies in one pair's interval, both ends included (even-odd rule). A convex outline thus
// behaves as "between the two crossings", and a concave one (a "U") is handled too. A run
// crossed an odd number of times (an open outline) holds nothing.

#include <span>

#include "photoinput/PhotoModel.h"

bool IsInOutline(std::span<const PhotoPoint> outline, double x, double y);
