#pragma once
// The recorded receiver track loaded from a GPS record file: east and north in metres in the
// building model's frame, drawn on the site map as a line of dots.

#include <array>

inline constexpr int kMaxGPSRecordPoints = 4001;  // points 0..4000

extern std::array<float, kMaxGPSRecordPoints> gGPSRecordX;  // metres east
extern std::array<float, kMaxGPSRecordPoints> gGPSRecordY;  // metres north
extern int gGPSRecordNum;  // points in use, 0..4001; readers clamp it to the arrays

// True when a track can be drawn with the site's buildings. A record holds plane rectangular
// coordinates; the buildings of a map not corrected to them (gFixDataSTS 0) lie in local metres,
// so a track and such buildings cannot share the map. A map without buildings takes a track.
bool GPSRecordFitsSite();
// Empties the track.
void ClearGPSRecord();
