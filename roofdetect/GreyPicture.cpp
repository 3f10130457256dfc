#include "roofdetect/GreyPicture.h"

#include <cmath>

namespace roofdetect {

GreyPicture::GreyPicture(const QImage& picture)
    : width_(picture.width()), height_(picture.height())
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    grey_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    for (int row = 0; row < height_; ++row) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(row));
        std::uint8_t* out = grey_.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(width_);
        for (int col = 0; col < width_; ++col) {
            out[col] = static_cast<std::uint8_t>((qRed(line[col]) + qGreen(line[col]) + qBlue(line[col])) / 3);
        }
    }
}

int GreyPicture::level(double x, double y) const
{
    // Pixel (col, row) covers the photo points from (col - width/2, height/2 - row) to one unit
    // right and one unit down, as everywhere else the picture is addressed.
    const double px = std::floor(x + width_ / 2.0);
    const double py = std::floor(height_ / 2.0 - y);
    if (!(px >= 0.0 && py >= 0.0 && px < width_ && py < height_)) {
        return -1;  // outside, or not a number
    }
    return grey_[static_cast<std::size_t>(py) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(px)];
}

}  // namespace roofdetect
