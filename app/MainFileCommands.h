#pragma once
// Settings of the main window's file commands that tests change.

// Seconds the picture save lets events through before it takes the image, so that the map is
// repainted where the file dialog was (0 in tests).
extern double gPictureSaveWait;

// The public GPS almanac download page that the almanac toggle opens in the browser.
inline constexpr const char* kAlmanacPageUrl = "https://www.navcen.uscg.gov/gps-almanacs";
