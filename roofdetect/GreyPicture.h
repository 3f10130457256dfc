#pragma once
// The grey levels of the loaded oblique picture, read in photo coordinates: one unit per picture
// pixel, origin at the picture's centre, y upwards (the picture spans x -width/2 .. width/2 and
// y -height/2 .. height/2; a picture with an odd number of columns or rows has pixel positions
// ending in one half).
//
// Built once from a picture and never drawn on, so the detection reads the picture as loaded
// whatever is drawn over it on screen.

#include <QImage>

#include <cstdint>
#include <vector>

namespace roofdetect {

class GreyPicture {
public:
    GreyPicture() = default;
    // Grey level of each pixel: floor((R + G + B) / 3), 0..255; alpha is ignored.
    explicit GreyPicture(const QImage& picture);

    int width() const { return width_; }
    int height() const { return height_; }

    // Grey level 0..255 at photo point (x, y), or -1 when the point lies outside the picture.
    // The point is read at the pixel it falls in: column floor(x + width/2), row
    // floor(height/2 - y), so pixel (col, row) answers for the unit square whose top-left
    // corner is photo point (col - width/2, height/2 - row).
    int level(double x, double y) const;
    // Grey level at photo point (x, y) interpolated between the centres of the four nearest
    // pixels (the border pixels reach out to the picture's edge), or -1 outside the picture.
    double smoothLevel(double x, double y) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> grey_;  // row by row from the top
};

}  // namespace roofdetect
