#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/PictureCanvas.h"
#include "platform/PictureSurface.h"

// A canvas draws and reads pixels with no window at all.
TEST(PictureCanvas, DrawsAndReadsPixelsWithoutAWindow)
{
    PictureCanvas canvas(QSize(200, 100));
    canvas.setScale(-100, 50, 200, -100);  // origin at the centre, y upwards
    canvas.filledBox(QPointF(10, 10), QPointF(30, 30), Qt::red);
    EXPECT_EQ(canvas.image().size(), QSize(200, 100));
    EXPECT_EQ(canvas.image().pixelColor(120, 30), QColor(Qt::red));
    EXPECT_EQ(canvas.pointColor(QPointF(-20, -20)), QColor(Qt::white));
    EXPECT_EQ(canvas.currentPoint(), QPointF(30, 30));

    // Growing keeps what was drawn at the top-left corner and fills the new room.
    canvas.setBackColor(Qt::yellow);  // clears to yellow
    canvas.filledBox(QPointF(-100, 50), QPointF(-90, 40), Qt::blue);
    canvas.setPictureSize(QSize(300, 150));
    EXPECT_EQ(canvas.image().pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_EQ(canvas.image().pixelColor(250, 120), QColor(Qt::yellow));
    canvas.setPictureSize(QSize(0, 10));  // refused: a picture has at least one pixel
    EXPECT_EQ(canvas.image().size(), QSize(300, 150));
}

// The picture box is a canvas at the widget's size: the same drawing gives the same pixels, and
// mouse events arrive in the canvas's user units.
TEST(PictureCanvas, PictureBoxShowsTheSameDrawingAndReportsUserUnits)
{
    PictureCanvas canvas(QSize(120, 80));
    PictureSurface surface;
    surface.resize(120, 80);
    for (PictureCanvas* c : {&canvas, &surface.canvas()}) {
        c->setScale(0, 0, 60, -40);
        c->setDrawWidth(2);
        c->line(QPointF(5, -5), QPointF(50, -30), Qt::darkGreen);
        c->circle(QPointF(30, -20), 10, Qt::magenta);
    }
    EXPECT_EQ(surface.image(), canvas.image());

    QSignalSpy pressed(&surface, &PictureSurface::mousePressed);
    QTest::mousePress(&surface, Qt::LeftButton, Qt::NoModifier, QPoint(60, 40));
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed.at(0).at(2).toPointF(), QPointF(30, -20));
}
