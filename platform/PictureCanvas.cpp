#include "PictureCanvas.h"

#include <QFontMetricsF>
#include <QImageReader>
#include <QPainter>
#include <QSaveFile>

#include <cmath>

PictureCanvas::PictureCanvas(QSize pixels)
    : image_(qMax(1, pixels.width()), qMax(1, pixels.height()), QImage::Format_RGB32)
{
    image_.fill(backColor_);
    setScale(0, 0, image_.width(), image_.height());
}

void PictureCanvas::setPictureSize(QSize pixels)
{
    if (pixels == image_.size() || pixels.width() < 1 || pixels.height() < 1) {
        return;
    }
    // Keep what was drawn; the user scale keeps its numbers (callers set it after sizing).
    QImage resized(pixels, QImage::Format_RGB32);
    resized.fill(backColor_);
    QPainter painter(&resized);
    painter.drawImage(QPoint(0, 0), image_);
    painter.end();
    image_ = resized;
}

void PictureCanvas::setScale(double left, double top, double width, double height)
{
    beforeDrawing();
    left_ = left;
    top_ = top;
    width_ = width == 0.0 ? 1.0 : width;
    height_ = height == 0.0 ? 1.0 : height;
}

QPointF PictureCanvas::toPixel(QPointF user) const
{
    return {(user.x() - left_) * image_.width() / width_, (user.y() - top_) * image_.height() / height_};
}

QPointF PictureCanvas::toUser(QPointF pixel) const
{
    return {left_ + pixel.x() * width_ / image_.width(), top_ + pixel.y() * height_ / image_.height()};
}

void PictureCanvas::clear()
{
    beforeDrawing();
    image_.fill(backColor_);
    current_ = QPointF(left_, top_);
    pictureChanged();
}

void PictureCanvas::setBackColor(const QColor& color)
{
    backColor_ = color;
    clear();
}

void PictureCanvas::preparePainter(QPainter& painter, const QColor& color, bool fill) const
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (drawMode_ == DrawMode::Xor) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    }
    QPen pen(color, drawWidth_);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    if (drawWidth_ <= 1) {
        pen.setWidth(0);  // cosmetic one-pixel line, exact under XOR
    }
    painter.setPen(pen);
    painter.setBrush(fill ? QBrush(color) : Qt::NoBrush);
}

QRectF PictureCanvas::pixelRect(QPointF corner1, QPointF corner2) const
{
    return QRectF(toPixel(corner1), toPixel(corner2)).normalized();
}

void PictureCanvas::line(QPointF from, QPointF to, const QColor& color)
{
    beforeDrawing();
    QPainter painter(&image_);
    preparePainter(painter, color, false);
    painter.drawLine(toPixel(from), toPixel(to));
    current_ = to;
    pictureChanged();
}

void PictureCanvas::lineTo(QPointF to, const QColor& color) { line(current_, to, color); }

void PictureCanvas::box(QPointF corner1, QPointF corner2, const QColor& color)
{
    beforeDrawing();
    QPainter painter(&image_);
    preparePainter(painter, color, false);
    painter.drawRect(pixelRect(corner1, corner2));
    current_ = corner2;
    pictureChanged();
}

void PictureCanvas::filledBox(QPointF corner1, QPointF corner2, const QColor& color)
{
    beforeDrawing();
    QPainter painter(&image_);
    preparePainter(painter, color, true);
    painter.setPen(Qt::NoPen);
    painter.drawRect(pixelRect(corner1, corner2));
    current_ = corner2;
    pictureChanged();
}

void PictureCanvas::circle(QPointF centre, double radius, const QColor& color)
{
    drawCircle(centre, radius, color, false);
}

void PictureCanvas::filledCircle(QPointF centre, double radius, const QColor& color)
{
    drawCircle(centre, radius, color, true);
}

void PictureCanvas::drawCircle(QPointF centre, double radius, const QColor& color, bool fill)
{
    beforeDrawing();
    QPainter painter(&image_);
    preparePainter(painter, color, fill);
    const double r = std::abs(radius * image_.width() / width_);
    painter.drawEllipse(toPixel(centre), r, r);
    current_ = centre;
    pictureChanged();
}

void PictureCanvas::point(QPointF at, const QColor& color)
{
    beforeDrawing();
    QPainter painter(&image_);
    preparePainter(painter, color, false);
    painter.drawPoint(toPixel(at));
    current_ = at;
    pictureChanged();
}

void PictureCanvas::printText(const QString& text)
{
    // Text is drawn in pixel space so glyphs are never mirrored by a y-up scale.
    beforeDrawing();
    QPainter painter(&image_);
    if (drawMode_ == DrawMode::Xor) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    }
    painter.setFont(textFont_);
    painter.setPen(foreColor_);
    const QFontMetricsF metrics(textFont_);
    const QPointF topLeft = toPixel(current_);
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
    current_ = toUser(QPointF(toPixel(QPointF(left_, 0)).x(), topLeft.y() + metrics.height()));
    pictureChanged();
}

double PictureCanvas::textWidth(const QString& text) const
{
    return QFontMetricsF(textFont_).horizontalAdvance(text) * std::abs(width_) / image_.width();
}

double PictureCanvas::textHeight(const QString&) const
{
    return QFontMetricsF(textFont_).height() * std::abs(height_) / image_.height();
}

QColor PictureCanvas::pointColor(QPointF user) const
{
    const QPoint p = toPixel(user).toPoint();
    if (!image_.rect().contains(p)) {
        return {};
    }
    return image_.pixelColor(p);
}

bool PictureCanvas::loadPicture(const QString& path)
{
    QImageReader reader(path);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        return false;
    }
    beforeDrawing();
    QPainter painter(&image_);
    painter.drawImage(QPoint(0, 0), picture);
    pictureChanged();
    return true;
}

void PictureCanvas::drawImage(QPointF corner1, QPointF corner2, const QImage& picture)
{
    beforeDrawing();
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pixelRect(corner1, corner2), picture);
    pictureChanged();
}

bool PictureCanvas::saveBitmap(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (!image_.save(&file, "BMP")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

