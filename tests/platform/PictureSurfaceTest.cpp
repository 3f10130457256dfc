#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/PictureSurface.h"

namespace {

// A 200 x 100 pixel surface with y upwards and the origin at the centre.
struct CentredSurface : ::testing::Test {
    PictureSurface surface;
    CentredSurface()
    {
        surface.resize(200, 100);
        surface.setScale(-100, 50, 200, -100);
        surface.setBackColor(Qt::white);
    }
};

}  // namespace

TEST_F(CentredSurface, UserUnitsMapToPixelsWithYUpwards)
{
    EXPECT_EQ(surface.toPixel(QPointF(0, 0)), QPointF(100, 50));
    EXPECT_EQ(surface.toPixel(QPointF(-100, 50)), QPointF(0, 0));
    EXPECT_EQ(surface.toPixel(QPointF(50, -25)), QPointF(150, 75));
    EXPECT_EQ(surface.toUser(QPointF(150, 75)), QPointF(50, -25));
}

TEST_F(CentredSurface, FilledBoxLandsWhereTheUserUnitsSay)
{
    surface.filledBox(QPointF(10, 10), QPointF(30, 30), Qt::red);  // above and right of centre
    EXPECT_EQ(surface.image().pixelColor(120, 30), QColor(Qt::red));
    EXPECT_EQ(surface.image().pixelColor(120, 70), QColor(Qt::white));
    EXPECT_EQ(surface.pointColor(QPointF(20, 20)), QColor(Qt::red));
    EXPECT_FALSE(surface.pointColor(QPointF(500, 0)).isValid());
}

TEST_F(CentredSurface, XorDrawnTwiceRestoresThePicture)
{
    surface.filledBox(QPointF(-50, -20), QPointF(50, 20), QColor(0, 128, 255));
    const QImage before = surface.image();
    surface.setDrawMode(PictureSurface::DrawMode::Xor);
    surface.setDrawWidth(2);
    for (int pass = 0; pass < 2; ++pass) {
        surface.box(QPointF(-60, -30), QPointF(40, 25), QColor(255, 255, 0));
        surface.line(QPointF(-90, -40), QPointF(80, 45), QColor(255, 255, 255));
        surface.circle(QPointF(0, 0), 30, QColor(0, 255, 0));
        if (pass == 0) {
            EXPECT_NE(surface.image(), before);
        }
    }
    EXPECT_EQ(surface.image(), before);
}

TEST_F(CentredSurface, TextIsNotMirroredAndStartsAtTheCurrentPoint)
{
    surface.setCurrentPoint(QPointF(-90, 40));  // pixel (10, 10)
    surface.setForeColor(Qt::black);
    surface.printText(QStringLiteral("10m"));
    const QImage& img = surface.image();
    int top = img.height(), bottom = -1, leftmost = img.width();
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixelColor(x, y).lightness() < 128) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                leftmost = std::min(leftmost, x);
            }
        }
    }
    ASSERT_GE(bottom, 0) << "nothing printed";
    EXPECT_GE(top, 10);
    EXPECT_LE(top, 16);
    EXPECT_GE(leftmost, 10);
    EXPECT_LE(leftmost, 13);
    // The current position moved to the left edge below the text.
    EXPECT_DOUBLE_EQ(surface.currentPoint().x(), -100);
    EXPECT_LT(surface.currentPoint().y(), 40);
}

TEST_F(CentredSurface, SavedBitmapReadsBack)
{
    QTemporaryDir dir;
    surface.filledBox(QPointF(-10, -10), QPointF(10, 10), Qt::blue);
    const QString path = dir.filePath(QStringLiteral("map.bmp"));
    ASSERT_TRUE(surface.saveBitmap(path));
    PictureSurface other;
    other.resize(200, 100);
    other.setScale(-100, 50, 200, -100);
    ASSERT_TRUE(other.loadPicture(path));
    EXPECT_EQ(other.pointColor(QPointF(0, 0)), QColor(Qt::blue));
    EXPECT_FALSE(surface.saveBitmap(dir.filePath(QStringLiteral("missing/folder/map.bmp"))));
    EXPECT_FALSE(other.loadPicture(dir.filePath(QStringLiteral("none.jpg"))));
}

TEST_F(CentredSurface, MouseEventsAreReportedInUserUnits)
{
    QPointF pressed;
    Qt::MouseButton button = Qt::NoButton;
    QObject::connect(&surface, &PictureSurface::mousePressed,
                     [&](Qt::MouseButton b, Qt::KeyboardModifiers, QPointF p) { button = b, pressed = p; });
    surface.show();
    QTest::mousePress(&surface, Qt::RightButton, Qt::NoModifier, QPoint(150, 25));
    EXPECT_EQ(button, Qt::RightButton);
    EXPECT_EQ(pressed, QPointF(50, 25));
}
