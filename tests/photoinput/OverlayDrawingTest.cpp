// The overlay of the oblique view on a canvas, read back pixel by pixel.
#include <gtest/gtest.h>

#include "photoinput/OverlayDrawing.h"
#include "photoinput/PhotoModel.h"
#include "photoinput/SampleData.h"

namespace {

PictureCanvas PhotoCanvas()
{
    PictureCanvas canvas(QSize(785, 678));
    canvas.setScale(-392.5, 339, 785, -678);
    canvas.setDrawWidth(2);
    return canvas;
}

const QColor kWhite(255, 255, 255);
QColor XorWhite(const QColor& c) { return QColor(255 - c.red(), 255 - c.green(), 255 - c.blue()); }

class OverlayDrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAllDataBuildingData();
        SetSample1LineData(true);  // roof 0 starts (83,116)-(83,127); wall 0 (83,116)-(76,76)
    }
};

TEST_F(OverlayDrawingTest, RoofsAndWallsInTheirColours)
{
    PictureCanvas canvas = PhotoCanvas();
    EXPECT_FALSE(DrawPhotoOverlay(canvas, -1, -1, -1).has_value());
    EXPECT_EQ(canvas.pointColor({83, 122}), kRoofLineColor);
    EXPECT_EQ(canvas.pointColor({79.5, 96}), kWallLineColor);
    EXPECT_EQ(canvas.drawMode(), PictureCanvas::DrawMode::Copy);
}

TEST_F(OverlayDrawingTest, HighlightWallsAndHandles)
{
    PictureCanvas canvas = PhotoCanvas();
    const auto box = DrawPhotoOverlay(canvas, 0, 0, 0);
    ASSERT_TRUE(box.has_value());
    // Roof 0 with its wall: x 76..241, y 76..139 (the wall's foot widens the box downwards).
    EXPECT_EQ(*box, (HandleBox{241, 139, 76, 76}));
    EXPECT_EQ(canvas.pointColor({83, 122}), XorWhite(kHighlightColor));
    EXPECT_EQ(canvas.pointColor({79.5, 96}), XorWhite(kSelectedWallColor));
    EXPECT_EQ(canvas.pointColor({241 + 3, 139 - 3}), XorWhite(kHandleColor)) << "handle box";
    EXPECT_EQ(canvas.drawMode(), PictureCanvas::DrawMode::Xor);
    // The same handle boxes again remove themselves.
    DrawAreaHandle(canvas, *box);
    EXPECT_EQ(canvas.pointColor({241 + 3, 139 - 3}), kWhite);
}

TEST_F(OverlayDrawingTest, SelectedRoofsWallsAreLeftOutWithoutTheWallSwitch)
{
    PictureCanvas canvas = PhotoCanvas();
    DrawPhotoOverlay(canvas, 0, -1, 0);
    EXPECT_EQ(canvas.pointColor({76.9, 81}), kWhite) << "wall 0 below the handle boxes";
    PictureCanvas plain = PhotoCanvas();
    DrawPhotoOverlayOnly(plain);
    EXPECT_EQ(plain.pointColor({79.5, 96}), kWallLineColor);
    EXPECT_EQ(plain.pointColor({83, 122}), kRoofLineColor);
}

}  // namespace
