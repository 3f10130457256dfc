#pragma once
// The mouse pointers of the site map's tools: their cursor files in the run folder's "ico" and the
// shift added to a press so that the point used is the drawing tip of the pointer's picture
// (picture units, y upwards). Icon files take their centre as the hot spot, so their pictures put
// the tip at centre + shift; the artwork comes from tools/cursors.

#include <array>

#include "platform/ToolCursor.h"

// Indexed by tool: 0 select, 1 rectangle, 2 rooftop line, 3 move point, 4 add point,
// 5 delete point, 6 distance.
inline constexpr std::array<ToolCursor, 7> kToolCursors = {{
    {nullptr, 0, 0},
    {"CROSS01.CUR", 0, 0},
    {"RedPen.ICO", -14, 14},
    {"MovePen.ICO", -13, 13},
    {"AddPen.ICO", -1, 0},
    {"Remove.ICO", -1, 0},
    {"SelectPosition.ICO", 0, 0},
}};
