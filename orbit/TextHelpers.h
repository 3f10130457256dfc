#pragma once
// Small program-wide helpers: the text splitters used by every file and sentence reader, the
// plane rotations of the site map, the compass bearing and the time-of-day label.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orbit {

// No bound on the number of pieces of a split.
inline constexpr std::size_t kAllPieces = static_cast<std::size_t>(-1);

// Splits `text` at a one-character separator. Pieces are trimmed of blanks (U+0020 only).
// A separator right after a separator (or at the very start) does not end a piece: it becomes
// a character of the next piece ("a,,b" gives "a" and ",b"; ",a" gives ",a"). An empty last
// piece is dropped ("a," gives "a"). An empty text or an empty separator gives no piece; a
// separator longer than one character never matches, so the whole trimmed text is the one
// piece. The classic "index of the last piece" is the number of pieces minus one (-1 for none).
//
// With `maxPieces` the split builds at most maxPieces + 1 pieces and stops there: a result of
// more than maxPieces pieces says the text holds too many (only the first of them are built),
// so a reader refuses a line of a million separators without making a million strings.
std::vector<std::string> DivideStringData(std::string_view text, std::string_view separator,
                                          std::size_t maxPieces = kAllPieces);

// Splits `text` so that every separator makes a piece ("a,,b" gives "a", "", "b"; "a," gives
// "a", ""); with a blank as separator, runs of blanks and leading blanks make no piece but
// trailing blanks end with an empty piece. An empty text gives one empty piece; an empty
// separator gives no piece.
// `maxPieces` as for DivideStringData.
std::vector<std::string> SplitStringData(std::string_view text, std::string_view separator,
                                         std::size_t maxPieces = kAllPieces);

// Turns (x, y) counter-clockwise by the angle given as sinA, cosA and moves it by (ox, oy).
// The new y is held to single precision, the new x keeps double precision.
void RotatePointAndShift(double& x, double& y, double ox, double oy, double sinA, double cosA);

// Inverse of RotatePointAndShift: takes (x, y) relative to (ox, oy) and turns it back
// (clockwise). Returns -1 when the point equals the centre, else 1; the point is written always.
int ShiftAndRotateBackPoint(double& x, double& y, double ox, double oy, double sinA, double cosA);

// Compass bearing from point 1 to point 2 in degrees, in [-180, 180): 0 along +y (north),
// 90 along +x (east), clockwise positive. Two equal points give 90.
float ComputeAzimusAngle(double x1, double y1, double x2, double y2);

// Label "HH:MM" of a time of day in seconds after midnight; seconds below a minute are dropped,
// 86400 gives "24:00", hours above 24 wrap (90000 gives "01:00").
std::string ConvertSecondToTimeStr(double seconds);

}  // namespace orbit
