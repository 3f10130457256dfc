#pragma once
// A tool's mouse pointer: its cursor file in the run folder's "ico" and the shift added to a press
// so that the point used is the drawing tip of the pointer's picture (picture units, y upwards).
// Icon files take their centre as the hot spot, so their pictures put the tip at centre + shift.

struct ToolCursor {
    const char* fileName;  // nullptr: the default arrow
    int shiftX;
    int shiftY;
};
