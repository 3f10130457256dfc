#pragma once
// Calibration of the oblique picture: the two eye altitudes and the north angle set on the dial.
//
// Altitudes are typed in the unit of every length of the building input (metres; the boxes say
// "(ft)" and nothing converts). The dial is 200 x 200 units, origin at its centre, y up; its
// marker's anchor lies on the circle of radius 90 for every accepted angle, and its bearing from
// the centre, clockwise from the top, is the north angle (degrees clockwise from picture-up).

#include <string>

// An altitude box takes 0 .. 1500 (both included); anything else, and text that is no number, is
// refused with this message and the box emptied (an empty box reads 0 and passes). The angle box
// refuses text that is no number with the same message. A building-data file's eye altitudes
// take the same range.
inline constexpr double kAltitudeBoxMax = 1500.0;
inline constexpr const char* kAltitudeBoxMessage = "入力値が適切ではありません";
bool AltitudeBoxAccepts(double value);

// The altitude check before the roof-line, wall-line and automatic-roof tools and the plan view:
// plan altitude p, oblique altitude o. The first failing test decides:
//   p = 0 and o = 0   "平面視と傾斜視の画像高度が設定されていません。"
//   p < 10 or o < 10  "画像の高度が低すぎます。"
//   p > 5000 or o > 5000 "画像の高度が高すぎます。"
//   o / p > 0.9       "傾斜画像の高度は平面画像の90％以下でなければなりません。"
// result 1 (passed, message empty) or -1.
struct HeightCheck {
    int result = 1;
    std::string message;
};
HeightCheck CheckPhotoHeightValues(double plan, double oblique);

// Radius of the circle the marker's anchor is put on, dial units.
inline constexpr double kDialRadius = 90.0;

struct DialPosition {
    double bearing = 0.0;  // degrees clockwise from the top, 0 .. 360 (360 only when typed)
    double x = 0.0;        // anchor, dial units
    double y = kDialRadius;
};

// The marker released with its anchor at (x, y): the bearing of the anchor and the anchor snapped
// onto the circle (right 90, bottom 180, left 270, top 0). An anchor exactly at the centre gives
// bearing 0 with the anchor at the top.
DialPosition DialReleasedAt(double x, double y);

// The anchor of a bearing (0 and 360 at the top, 90 on the right).
DialPosition DialAtBearing(double bearing);

// A typed angle a (Enter in the angle box): 0 .. 360 is taken, the box keeping the typed text;
// below 0 or above 360 is refused with a message, the box showing "0" or "360" and the angle
// set to 0 with the marker at the top, without a redraw.
struct TypedAngle {
    DialPosition dial;        // angle to set and where the marker goes
    std::string message;      // empty when accepted
    std::string boxText;      // what the box shows after a refusal (empty: keep the typed text)
    bool redraw = true;       // the north-up redraw follows only an accepted angle
};
TypedAngle DialTypedAngle(double a);
