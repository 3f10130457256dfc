#pragma once

#include <QWidget>

#include "platform/PictureCanvas.h"

// A picture box: a widget showing its own PictureCanvas (every drawing operation of the canvas
// is the box's), kept at the widget's size, and reporting mouse events in the canvas's user
// units. Code that only draws takes a PictureCanvas&, so it draws on a box or on a bare canvas.
class PictureSurface : public QWidget, public PictureCanvas {
    Q_OBJECT
public:
    explicit PictureSurface(QWidget* parent = nullptr);

    PictureCanvas& canvas() { return *this; }
    const PictureCanvas& canvas() const { return *this; }

signals:
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF user);
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF user);
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF user);
    void mouseDoubleClicked(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF user);

protected:
    void beforeDrawing() override;
    void pictureChanged() override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
