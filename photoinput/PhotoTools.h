#pragma once
// The eight editing tools of the building input (0..7) with their mouse pointers and
// the shift from the pointer's hot spot to its drawing tip, which every press and move of the
// tool works on (picture units, y up: + is up the picture). The artwork is tools/cursors'.

#include <array>

#include "platform/ToolCursor.h"

enum PhotoTool {
    kSelectTool = 0,
    kZoomTool = 1,
    kRoofLineTool = 2,
    kWallLineTool = 3,
    kMoveTool = 4,
    kAddPointTool = 5,
    kDeleteTool = 6,
    kAutoRoofTool = 7,
};

inline constexpr std::array<ToolCursor, 8> kPhotoToolCursors = {{
    {nullptr, 0, 0},
    {"Magnify.cur", 0, 0},
    {"RedPen.ICO", -14, 14},
    {"BluePen.ICO", -14, 14},
    {"MovePen.ICO", -13, 13},
    {"AddPen.ICO", -1, 0},
    {"Remove.ICO", -1, 0},
    {"ARW10NW2.ICO", -10, 10},
}};

// The move tool chosen from the menu in the plan view shows this pointer (same tip as MovePen).
inline constexpr ToolCursor kPlanMoveMenuCursor{"POINT14.ICO", -13, 13};

// True when tool `tool` can be chosen in the plan view (select, zoom, move), else it belongs to
// the oblique view (select and move are in both).
inline constexpr bool IsPlanTool(int tool) { return tool == kSelectTool || tool == kZoomTool || tool == kMoveTool; }
inline constexpr bool IsObliqueTool(int tool) { return tool >= 0 && tool <= 7 && tool != kZoomTool; }

// The tools that measure with the eye altitudes and check them first.
inline constexpr bool IsMeasuringTool(int tool) { return tool == kRoofLineTool || tool == kWallLineTool || tool == kAutoRoofTool; }
