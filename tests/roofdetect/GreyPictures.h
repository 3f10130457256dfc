#pragma once
// Small grey pictures for the roof detection's unit tests, described point by point in photo
// coordinates (origin at the centre, y upwards; pixel (col, row) is photo point
// (col - width/2, height/2 - row)).

#include <QImage>

#include <algorithm>
#include <functional>

namespace roofpictures {

inline QImage GreyImage(int width, int height, const std::function<int(double x, double y)>& greyAt)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            const int g = std::clamp(greyAt(col - width / 2.0, height / 2.0 - row), 0, 255);
            picture.setPixel(col, row, qRgb(g, g, g));
        }
    }
    return picture;
}

}  // namespace roofpictures
