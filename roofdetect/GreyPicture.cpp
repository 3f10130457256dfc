#include "roofdetect/GreyPicture.h"

#include <algorithm>
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

double GreyPicture::smoothLevel(double x, double y) const
{
    if (level(x, y) < 0) {
        return -1.0;
    }
    // Column and row positions of the point counted between pixel centres.
    const double cx = x + width_ / 2.0 - 0.5;
    const double cy = height_ / 2.0 - y - 0.5;
    const double c0 = std::floor(cx), r0 = std::floor(cy);
    const double tx = cx - c0, ty = cy - r0;
    auto at = [&](double col, double row) {
        const auto c = static_cast<std::size_t>(std::clamp(col, 0.0, width_ - 1.0));
        const auto r = static_cast<std::size_t>(std::clamp(row, 0.0, height_ - 1.0));
        return double(grey_[r * static_cast<std::size_t>(width_) + c]);
    };
    const double top = at(c0, r0) * (1 - tx) + at(c0 + 1, r0) * tx;
    const double bottom = at(c0, r0 + 1) * (1 - tx) + at(c0 + 1, r0 + 1) * tx;
    return top * (1 - ty) + bottom * ty;
}

}  // namespace roofdetect
