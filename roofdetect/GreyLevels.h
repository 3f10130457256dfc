#pragma once
// The analysis window of the roof detection and its grey-level operations.
//
// The detection works on window positions u 0..500 (to the right) and v 0..390 (upwards), laid
// over the oblique picture with the double-clicked photo point (X0, Y0) at u = 250 and, when Y0
// is a whole number, v = 195: window position (u, v) is photo point (u - offsetX, v - offsetY).
// offsetX = 250 - X0 is kept unrounded (as a single-precision value); offsetY = 195 - Y0 is rounded
// halves to even, so for a picture with an odd number of rows the click lies at v = 194.5 or 195.5
// and every v a scan visits from there ends in one half too (the reads still fall on pixels).

#include "roofdetect/GreyPicture.h"

#include <array>

namespace roofdetect {

inline constexpr int kWindowLastU = 500;  // window columns 0..500
inline constexpr int kWindowLastV = 390;  // window rows 0..390
// A grey that differs from the picture's bright peak by less than this is roof grey: the gate
// of the automatic roof takes a click there.
inline constexpr int kGateDifference = 10;

struct AnalysisWindow {
    const GreyPicture* picture = nullptr;
    float offsetX = 0.0f;  // pAnaOffsetX
    int offsetY = 0;       // pAnaOffsetY

    // The window laid over `picture` around the photo point (x0, y0).
    static AnalysisWindow AroundClick(const GreyPicture& picture, double x0, double y0);

    // GetGrayLevel: grey level 0..255 of window position (u, v); 0 where the photo point lies
    // outside the picture (or no picture is set).
    int GetGrayLevel(double u, double v) const;
    // The grey at (u, v) read between pixel centres (bilinear), so that it changes smoothly
    // across a pixel; 0 outside the picture.
    double GetSmoothGrayLevel(double u, double v) const;
    // True when window position (u, v) shows a point of the picture. The 0 both readers give
    // elsewhere is no grey the picture shows: what lies beyond its border is unknown.
    bool InPicture(double u, double v) const;

    // Window position of a photo point and photo point of a window position.
    double toU(double x) const { return x + offsetX; }
    double toV(double y) const { return y + offsetY; }
    double toX(double u) const { return u - offsetX; }
    double toY(double v) const { return v - offsetY; }
    // Photo point that a mask position stands for: a whole window position reads the pixel whose
    // top-left corner it is, so an outline pixel, a roof corner fitted to outline pixels and
    // what is measured from them lie at that pixel's centre, half a pixel right and down.
    double maskToX(double u) const { return toX(u) + 0.5; }
    double maskToY(double v) const { return toY(v) - 0.5; }
};

// Grey-level histogram of bins 0..300 (bins above 255 stay 0) whose counts stop at 32767.
class GreyHistogram {
public:
    void clear() { bins_.fill(0); }
    void add(int level);
    int count(int level) const { return level >= 0 && level < static_cast<int>(bins_.size()) ? bins_[static_cast<std::size_t>(level)] : 0; }
    // The level in first..last whose count is strictly larger than every count before it (so the
    // lowest level wins among equal largest counts); `none` when every count there is 0.
    int mode(int first, int last, int none) const;

private:
    std::array<int, 301> bins_{};
};

// GetPhotoGrayPeak: the most frequent grey level in 190..230 over 35 rows (photo y -185, -175,
// ... 155) of 500 samples each (photo x -249 .. 250); the lowest level among equal counts; 0 when
// no sample lies in 190..230. A sample outside the picture counts once more for the sample before
// it (grey 0 for the first sample), so a picture narrower than 500 or lower than 370 pixels weighs
// its border samples more. Independent of any click.
int GetPhotoGrayPeak(const GreyPicture& picture);

// GetRoofGrayLevel: the roof grey pRoofGray, the mode within 15 grey levels of the click pixel's
// grey g over a star of scans through the click (photo point x0, y0): scans along the click's row
// and column that stay within g +- 10, and from each of their pixels scans across that cross the
// roof and at most 21 pixels beyond it. Always a level in max(0, g - 15) .. g + 15.
int GetRoofGrayLevel(const AnalysisWindow& window, double x0, double y0);

// The histogram of that star of scans, whose mode GetRoofGrayLevel takes. A pixel out of level
// counts twice, except in the upward column scans from the click's row.
GreyHistogram RoofGreyHistogram(const AnalysisWindow& window, double x0, double y0);

}  // namespace roofdetect
