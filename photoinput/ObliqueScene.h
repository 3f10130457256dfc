#pragma once
// The scene of a built-in oblique picture: the buildings of its data set as boxes (footprints
// from the traced roofs at their heights, seen through the set's own camera) and the low
// buildings around them that nobody traced. The picture generator renders it; the tests check
// the pictures against it.

#include <vector>

#include "photoinput/PhotoCamera.h"
#include "photoinput/SampleData.h"

// The camera of a data set: its tilt and range at the width of its picture.
ObliqueCamera CameraOfSet(const SampleSet& set);

// One box per roof of the set: the roof's photo points (closing point dropped) taken down their
// viewing rays to the roof's height give the footprint corners.
std::vector<SceneBox> TracedBoxes(const SampleSet& set);

// The scene of picture 1 or 2: the traced boxes followed by low buildings with darker roofs in
// the open ground around them, none of which hides any part of a traced building.
std::vector<SceneBox> ObliqueScene(int picture);
