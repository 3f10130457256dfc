#pragma once
// Plan conversion of the photo model: roof heights from the wall edges, the ground plan of every
// roof point, and the north-up copy handed to the building model.
//
// The conversions use the photo model's camera (gSlideAngle, gFlatHeight) and the width of the
// picture the roofs were traced on (gPhotoPictureWidth). Arithmetic is double, results stored as
// single. A conversion either completes or changes nothing: without a usable camera (range or
// width 0, which the geometry would divide by) or when a result would not be finite (a ray that
// never comes down to the ground, a wall edge measured straight down at the picture centre),
// it is refused and the model stays as it was.

#include <string>

enum class PlanResult {
    Done,
    NoRoofs,    // nothing to convert; nothing changes (not even gPhotoMeterRate)
    NoCamera,   // the camera values are not set up
    NotFinite,  // a point or wall edge has no finite result with this camera
};

// The message the window shows for a refusal ("" for Done and NoRoofs).
std::string PlanResultMessage(PlanResult result);

// gPhotoMeterRate = R / (0.85 W); every roof that owns wall edges gets the plain mean of their
// heights; roofs without wall edges keep their height. Wall edges owned by no roof are ignored.
PlanResult ComputeFlatTopHeight();

// gFlatTopAreaX/Y of every point of every roof run (closing point included), projected along its
// viewing ray to the height of its roof. Points outside every run are not touched.
PlanResult ComputeFlatTopArea();

// Carries plan point `point` of roof `roof` as it stands (moved in the plan view) back into the
// picture, so that the next conversion gives it again: the photo point whose ray passes the plan
// point at the roof's height (for the first vertex its closing copy too). The wall edges standing
// on the vertex go with it: their tops onto the new photo point, their feet onto the ground so
// that each wall measures the height it measured before (the roof's height, the mean of its
// walls, stays). False, with nothing changed, when there is no usable camera, the point is not in
// the roof's run, or a new photo point would lie behind the camera, on a ray that never comes
// down to the ground or beyond what a building-data file holds.
bool CarryFlatTopPointToPhoto(int roof, int point);

// The plan points turned counter-clockwise by gNorthAngle into gNorthTopAreaX/Y (x east,
// y north). Nothing happens without roofs.
void ComputeNorthTopArea();
