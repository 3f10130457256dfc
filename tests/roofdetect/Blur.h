#pragma once
// A Gaussian blur for the roof detection's tests: a real photograph is never pixel-sharp (lens,
// resampling, JPEG), so rendered pictures are also judged blurred. Separable kernel out to three
// sigma, edges clamped; each channel blurred on its own and rounded to the nearest level.

#include <QImage>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace roofpictures {

inline QImage GaussianBlurred(const QImage& picture, double sigmaPx)
{
    if (sigmaPx <= 0.0 || picture.isNull()) {
        return picture.convertToFormat(QImage::Format_RGB32);
    }
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    const int w = source.width();
    const int h = source.height();
    const int radius = static_cast<int>(std::ceil(3.0 * sigmaPx));
    std::vector<double> kernel(2 * radius + 1);
    double sum = 0.0;
    for (int k = -radius; k <= radius; ++k) {
        kernel[k + radius] = std::exp(-0.5 * k * k / (sigmaPx * sigmaPx));
        sum += kernel[k + radius];
    }
    for (double& weight : kernel) {
        weight /= sum;
    }

    // Three channels as doubles, blurred along rows and then along columns.
    std::vector<double> channels(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            double* c = &channels[(static_cast<std::size_t>(y) * w + x) * 3];
            c[0] = qRed(line[x]);
            c[1] = qGreen(line[x]);
            c[2] = qBlue(line[x]);
        }
    }
    std::vector<double> pass(channels.size());
    const auto at = [&](std::vector<double>& v, int x, int y) { return &v[(static_cast<std::size_t>(y) * w + x) * 3]; };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double acc[3] = {0, 0, 0};
            for (int k = -radius; k <= radius; ++k) {
                const double* c = at(channels, std::clamp(x + k, 0, w - 1), y);
                for (int i = 0; i < 3; ++i) {
                    acc[i] += kernel[k + radius] * c[i];
                }
            }
            std::copy(acc, acc + 3, at(pass, x, y));
        }
    }
    QImage blurred(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(blurred.scanLine(y));
        for (int x = 0; x < w; ++x) {
            double acc[3] = {0, 0, 0};
            for (int k = -radius; k <= radius; ++k) {
                const double* c = at(pass, x, std::clamp(y + k, 0, h - 1));
                for (int i = 0; i < 3; ++i) {
                    acc[i] += kernel[k + radius] * c[i];
                }
            }
            const auto level = [](double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); };
            line[x] = qRgb(level(acc[0]), level(acc[1]), level(acc[2]));
        }
    }
    return blurred;
}

// A test case's name for a blur: "sharp", or "sigma_7_tenths" for 0.7 px.
inline std::string BlurName(double sigmaPx)
{
    return sigmaPx <= 0.0 ? std::string("sharp") : "sigma_" + std::to_string(static_cast<int>(std::lround(sigmaPx * 10))) + "_tenths";
}

}  // namespace roofpictures
