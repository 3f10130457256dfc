#include "PictureSurface.h"

#include <QFontMetricsF>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>

PictureSurface::PictureSurface(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    textFont_ = font();
    image_ = QImage(qMax(1, width()), qMax(1, height()), QImage::Format_RGB32);
    image_.fill(backColor_);
    setScale(0, 0, image_.width(), image_.height());
}

void PictureSurface::setScale(double left, double top, double width, double height)
{
    syncImageSize();
    left_ = left;
    top_ = top;
    width_ = width == 0.0 ? 1.0 : width;
    height_ = height == 0.0 ? 1.0 : height;
}

QPointF PictureSurface::toPixel(QPointF user) const
{
    return {(user.x() - left_) * image_.width() / width_, (user.y() - top_) * image_.height() / height_};
}

QPointF PictureSurface::toUser(QPointF pixel) const
{
    return {left_ + pixel.x() * width_ / image_.width(), top_ + pixel.y() * height_ / image_.height()};
}

void PictureSurface::clear()
{
    syncImageSize();
    image_.fill(backColor_);
    current_ = QPointF(left_, top_);
    update();
}

void PictureSurface::setBackColor(const QColor& color)
{
    backColor_ = color;
    clear();
}

void PictureSurface::preparePainter(QPainter& painter, const QColor& color, bool fill) const
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

QRectF PictureSurface::pixelRect(QPointF corner1, QPointF corner2) const
{
    return QRectF(toPixel(corner1), toPixel(corner2)).normalized();
}

void PictureSurface::line(QPointF from, QPointF to, const QColor& color)
{
    syncImageSize();
    QPainter painter(&image_);
    preparePainter(painter, color, false);
    painter.drawLine(toPixel(from), toPixel(to));
    current_ = to;
    update();
}

void PictureSurface::lineTo(QPointF to, const QColor& color) { line(current_, to, color); }

void PictureSurface::box(QPointF corner1, QPointF corner2, const QColor& color)
{
    syncImageSize();
    QPainter painter(&image_);
    preparePainter(painter, color, false);
    painter.drawRect(pixelRect(corner1, corner2));
    current_ = corner2;
    update();
}

void PictureSurface::filledBox(QPointF corner1, QPointF corner2, const QColor& color)
{
    syncImageSize();
    QPainter painter(&image_);
    preparePainter(painter, color, true);
    painter.setPen(Qt::NoPen);
    painter.drawRect(pixelRect(corner1, corner2));
    current_ = corner2;
    update();
}

void PictureSurface::circle(QPointF centre, double radius, const QColor& color)
{
    drawCircle(centre, radius, color, false);
}

void PictureSurface::filledCircle(QPointF centre, double radius, const QColor& color)
{
    drawCircle(centre, radius, color, true);
}

void PictureSurface::drawCircle(QPointF centre, double radius, const QColor& color, bool fill)
{
    syncImageSize();
    QPainter painter(&image_);
    preparePainter(painter, color, fill);
    const double r = std::abs(radius * image_.width() / width_);
    painter.drawEllipse(toPixel(centre), r, r);
    current_ = centre;
    update();
}

void PictureSurface::point(QPointF at, const QColor& color)
{
    syncImageSize();
    QPainter painter(&image_);
    preparePainter(painter, color, false);
    painter.drawPoint(toPixel(at));
    current_ = at;
    update();
}

void PictureSurface::printText(const QString& text)
{
    // Text is drawn in pixel space so glyphs are never mirrored by a y-up scale.
    syncImageSize();
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
    update();
}

double PictureSurface::textWidth(const QString& text) const
{
    return QFontMetricsF(textFont_).horizontalAdvance(text) * std::abs(width_) / image_.width();
}

double PictureSurface::textHeight(const QString&) const
{
    return QFontMetricsF(textFont_).height() * std::abs(height_) / image_.height();
}

QColor PictureSurface::pointColor(QPointF user) const
{
    const QPoint p = toPixel(user).toPoint();
    if (!image_.rect().contains(p)) {
        return {};
    }
    return image_.pixelColor(p);
}

bool PictureSurface::loadPicture(const QString& path)
{
    QImageReader reader(path);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        return false;
    }
    syncImageSize();
    QPainter painter(&image_);
    painter.drawImage(QPoint(0, 0), picture);
    update();
    return true;
}

void PictureSurface::drawImage(QPointF corner1, QPointF corner2, const QImage& picture)
{
    syncImageSize();
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pixelRect(corner1, corner2), picture);
    update();
}

bool PictureSurface::saveBitmap(const QString& path) const
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

void PictureSurface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image_);
}

void PictureSurface::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    syncImageSize();
}

void PictureSurface::syncImageSize()
{
    // A hidden widget gets its resize event only when shown; drawing must not wait for that.
    if (size() == image_.size() || width() < 1 || height() < 1) {
        return;
    }
    // Keep what was drawn; the user scale keeps its numbers (callers set it after sizing).
    QImage resized(size(), QImage::Format_RGB32);
    resized.fill(backColor_);
    QPainter painter(&resized);
    painter.drawImage(QPoint(0, 0), image_);
    painter.end();
    image_ = resized;
}

void PictureSurface::mousePressEvent(QMouseEvent* event)
{
    emit mousePressed(event->button(), event->modifiers(), toUser(event->position()));
}

void PictureSurface::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->buttons(), event->modifiers(), toUser(event->position()));
}

void PictureSurface::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseReleased(event->button(), event->modifiers(), toUser(event->position()));
}

void PictureSurface::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit mouseDoubleClicked(event->button(), event->modifiers(), toUser(event->position()));
}
