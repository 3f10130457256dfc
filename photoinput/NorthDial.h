#pragma once
// The north dial of the building input (`AzimusPic` with its marker `PointImg`): a ring with tick
// marks (longer at the four quarter points) drawn by the widget itself, 180 x 160 pixels, in dial
// units of 200 x 200 with the origin at the centre and y up. The marker is a small red arrow
// head whose anchor is the point that counts as its position. The left button drags the marker
// with the pointer; on release its anchor is snapped onto the circle of radius 90 and `released`
// reports the bearing (degrees clockwise from the top). Code places the marker with setAnchor.

#include <QPointF>
#include <QWidget>

class NorthDial : public QWidget {
    Q_OBJECT
public:
    explicit NorthDial(QWidget* parent = nullptr);

    static constexpr int kPixelWidth = 180;
    static constexpr int kPixelHeight = 160;

    QPointF anchor() const { return anchor_; }
    void setAnchor(QPointF dialUnits);
    // Dial units to widget pixels and back.
    static QPointF toPixel(QPointF dialUnits);
    static QPointF toDial(QPointF pixel);
    // True when a press at `pixel` takes the marker (within 10 pixels of the anchor).
    bool hitsMarker(QPointF pixel) const;

signals:
    // The marker was released and snapped: its bearing, degrees clockwise from the top.
    void released(double bearing);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPointF anchor_{0.0, 90.0};
    bool dragging_ = false;
};
