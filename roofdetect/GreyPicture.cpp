#include "roofdetect/GreyPicture.h"

#include <QPointF>

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
    const double px = x + width_ / 2.0;
    const double py = height_ / 2.0 - y;
    if (!(px > -1.0 && py > -1.0 && px < width_ + 1.0 && py < height_ + 1.0)) {
        return -1;  // far outside, or not a number
    }
    // Same rounding as the picture canvas's point reading (QPointF::toPoint).
    const QPoint pixel = QPointF(px, py).toPoint();
    if (pixel.x() < 0 || pixel.y() < 0 || pixel.x() >= width_ || pixel.y() >= height_) {
        return -1;
    }
    return grey_[static_cast<std::size_t>(pixel.y()) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(pixel.x())];
}

}  // namespace roofdetect
