#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QSize>

class QPainter;

// A picture to draw on without a window: a persistent image (what was drawn stays until cleared)
// in a user coordinate system set by its left, top, width and height (y upwards when the height
// is negative). Drawing uses a current position, a pen width in pixels and a copy or XOR draw
// mode; XOR drawing is never antialiased so that drawing the same thing twice restores the
// picture exactly. Qt Gui only: computation and tests draw on it and read its pixels, and
// PictureSurface shows one in a window.
class PictureCanvas {
public:
    enum class DrawMode { Copy, Xor };

    // A canvas of `pixels` (at least 1 x 1) filled with white, its user scale its pixels.
    explicit PictureCanvas(QSize pixels = QSize(1, 1));
    virtual ~PictureCanvas() = default;
    PictureCanvas(const PictureCanvas&) = default;
    PictureCanvas& operator=(const PictureCanvas&) = default;

    // New size in pixels (at least 1 x 1): what was drawn stays at the top-left corner, new room
    // takes the background colour; the user scale keeps its numbers.
    void setPictureSize(QSize pixels);

    // User coordinate system: the left edge is at x = left, the top edge at y = top, and the
    // picture spans `width` and `height` user units (negative height: y grows upwards).
    void setScale(double left, double top, double width, double height);
    double scaleLeft() const { return left_; }
    double scaleTop() const { return top_; }
    double scaleWidth() const { return width_; }
    double scaleHeight() const { return height_; }
    QPointF toPixel(QPointF user) const;
    QPointF toUser(QPointF pixel) const;

    // Fills the picture with the background colour and moves the current position to the
    // user origin of the top-left corner.
    void clear();
    void setBackColor(const QColor& color);
    QColor backColor() const { return backColor_; }
    void setForeColor(const QColor& color) { foreColor_ = color; }
    QColor foreColor() const { return foreColor_; }
    void setDrawWidth(int pixels) { drawWidth_ = pixels < 1 ? 1 : pixels; }
    int drawWidth() const { return drawWidth_; }
    void setDrawMode(DrawMode mode) { drawMode_ = mode; }
    DrawMode drawMode() const { return drawMode_; }
    void setTextFont(const QFont& font) { textFont_ = font; }
    QFont textFont() const { return textFont_; }

    void setCurrentPoint(QPointF user) { current_ = user; }
    QPointF currentPoint() const { return current_; }

    // Drawing in user units; each moves the current position to the last point drawn.
    void line(QPointF from, QPointF to, const QColor& color);
    void lineTo(QPointF to, const QColor& color);
    void box(QPointF corner1, QPointF corner2, const QColor& color);
    void filledBox(QPointF corner1, QPointF corner2, const QColor& color);
    // Radius in horizontal user units; the circle stays round on the screen.
    void circle(QPointF centre, double radius, const QColor& color);
    void filledCircle(QPointF centre, double radius, const QColor& color);
    void point(QPointF at, const QColor& color);
    // Prints text with its top-left corner at the current position in the foreground colour;
    // the current position then moves to the start of the next line (left edge, below the text).
    void printText(const QString& text);
    double textWidth(const QString& text) const;   // user units
    double textHeight(const QString& text) const;  // user units (positive)

    // Colour of the picture at a user point (invalid QColor outside the picture).
    QColor pointColor(QPointF user) const;

    // Loads a JPEG or bitmap into the picture at its top-left corner (the picture keeps its size).
    bool loadPicture(const QString& path);
    // Saves the picture as a Windows bitmap; false when the file cannot be written.
    bool saveBitmap(const QString& path) const;

    const QImage& image() const { return image_; }
    // Draws a picture onto the canvas scaled into the user rectangle with corners c1 and c2.
    void drawImage(QPointF corner1, QPointF corner2, const QImage& picture);

protected:
    // Called before every drawing and every clear (a window brings the picture to its own size
    // here) and after every change of the picture (a window repaints).
    virtual void beforeDrawing() {}
    virtual void pictureChanged() {}

private:
    // A painter on the image set up for the current draw mode, pen width and colour.
    void preparePainter(QPainter& painter, const QColor& color, bool fill) const;
    QRectF pixelRect(QPointF corner1, QPointF corner2) const;
    void drawCircle(QPointF centre, double radius, const QColor& color, bool fill);

    QImage image_;
    double left_ = 0.0;
    double top_ = 0.0;
    double width_ = 1.0;
    double height_ = 1.0;
    QColor backColor_ = Qt::white;
    QColor foreColor_ = Qt::black;
    int drawWidth_ = 1;
    DrawMode drawMode_ = DrawMode::Copy;
    QFont textFont_;
    QPointF current_;
};
