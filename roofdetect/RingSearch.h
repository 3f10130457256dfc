#pragma once
// Neighbour searches over the class mask (EdgeMask.h): the square rings around a pixel and the
// tables that say where on an outer ring a search starts after a step in a given direction.
//
// Ring k (1..4) is the 8k pixels with max(|dx|, |dy|) = k, numbered 0..8k-1 from the corner
// (+k, +k) along the upper side to (-k, +k), down the left side, along the lower side and up the
// right side to (+k, k - 1); y grows upwards. Ring 1: (1,1) (0,1) (-1,1) (-1,0) (-1,-1) (0,-1)
// (1,-1) (1,0). Its four quarters of 2k indices each start at a corner: 0 upper side, 1 left,
// 2 lower, 3 right.
//
// Start rule: after a step to index i of ring n (i = 2n q + p, quarter q, position p), the search
// of ring m starts at (2m q + t) mod 8m, with t = 0 when p = 0, otherwise m + p - n held in 0..2m:
// the same corner, or the pixel as far from the middle of its side as the last one was.

#include "roofdetect/EdgeMask.h"

#include <array>
#include <cstdint>

namespace roofdetect {

// Offset of index j on ring k (1..4); j is taken modulo 8k.
struct RingOffset {
    int dx = 0;
    int dy = 0;
};
RingOffset RingPixel(int k, int j);

// The fixed order of ring 1: up, left, down, right, up-right, up-left, down-left, down-right.
inline constexpr std::array<int, 8> kRing1Order{1, 3, 5, 7, 0, 2, 4, 6};

// Index on ring m (2..4) where the search starts after a step to index `dir` of ring n (1..4).
int RingStart(int n, int dir, int m);

// Column offsets tried in the rows below a pixel, nearest first, left before right.
inline constexpr std::array<int, 3> kSideStep1{0, -1, 1};
inline constexpr std::array<int, 5> kSideStep2{0, -1, 1, -2, 2};
inline constexpr std::array<int, 7> kSideStep3{0, -1, 1, -2, 2, -3, 3};

// The state a trace carries from step to step: the last step's ring (0..3 for rings 1..4) and
// its index on that ring, and the current pixel.
struct RingStep {
    int ring = 0;
    int dir = 0;
    int x = 0;
    int y = 0;
};

// Finds the nearest pixel of `code` within four rings of (step.x, step.y): ring 1 in the fixed
// order, then rings 2, 3, 4, each from its start index alternately downwards and upwards (d, d-1,
// d+1, ..., the opposite pixel last). Only pixels in 0..500 x 0..390 are read. On a find, `step`
// becomes the step to it and the result is true; otherwise `step` is left as it was.
bool FindRingPoint(const ByteMask& mask, std::uint8_t code, RingStep& step);

// FindNextOutlinePoint: the next untraced outline pixel (kMaskOutline).
inline bool FindNextOutlinePoint(const ByteMask& mask, RingStep& step) { return FindRingPoint(mask, kMaskOutline, step); }
// FindTracedOutlinePoint: the nearest pixel traced by the forward pass (kMaskTraced).
inline bool FindTracedOutlinePoint(const ByteMask& mask, RingStep& step) { return FindRingPoint(mask, kMaskTraced, step); }

// FindTracedPointBelow: a kMaskTraced pixel in the three rows below (x, y), row y - 1 with
// kSideStep1, y - 2 with kSideStep2, y - 3 with kSideStep3, nearest column first; rows up to 400
// are admitted. Stores it in `found` and returns true, or returns false leaving `found` alone.
bool FindTracedPointBelow(const ByteMask& mask, int x, int y, MaskPixel& found);

}  // namespace roofdetect
