#include "PictureSurface.h"

#include <QMouseEvent>
#include <QPainter>

PictureSurface::PictureSurface(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setTextFont(font());
    setPictureSize(QSize(qMax(1, width()), qMax(1, height())));
    setScale(0, 0, image().width(), image().height());
}

void PictureSurface::beforeDrawing()
{
    // A hidden widget gets its resize event only when shown; drawing must not wait for that.
    setPictureSize(size());
}

void PictureSurface::pictureChanged() { update(); }

void PictureSurface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image());
}

void PictureSurface::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    setPictureSize(size());
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
