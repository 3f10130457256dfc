#pragma once
// Pieces the sky and orbit view windows share: twips to pixels, labels and buttons in the window
// font, the time label of a TimeStep, placing a widget in a plot's user units, and the captions
// and legend that stand inside a plot.

#include <QRect>
#include <QString>

class PictureSurface;
class QLabel;
class QPushButton;
class QWidget;

namespace skyview {

// The tracks of a redraw after the observer moved cover 08:00..18:00; the sky view's slider
// starts at 08:00.
inline constexpr int kFirstShownStep = 96;
inline constexpr int kLastShownStep = 216;
// Plot units from a satellite icon's top-left corner to its satellite, on plots of k = 1.69.
inline constexpr double kIconOffset = 10.0;

// Window and control positions are laid out in twips, 15 to a pixel.
int Px(int twips);
QRect TwipRect(int left, int top, int width, int height);

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, double pointSize = 9);
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text);

// "hh:mm" of TimeStep `step` (0 -> "00:00", 288 -> "24:00").
QString StepLabel(int step);

// Puts `w` over the plot with its top-left corner at (left, top) and the given size, all in the
// plot's user units (y upwards).
void PlaceInPlot(const PictureSurface& plot, QWidget* w, double left, double top, double width, double height);

// The fixed captions inside a plot: the title, the orientation note, the obstacle legend with its
// sample line, the two icon legends and the count label (lower right).
struct PlotCaptions {
    QLabel* TitleNameLbl = nullptr;
    QLabel* SeeingLbl = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* VisibleSateImg = nullptr;
    QLabel* VisibleSateLbl = nullptr;
    QLabel* BackSateXXimg = nullptr;
    QLabel* BackSateLbl = nullptr;
    QLabel* SateNumLbl = nullptr;
};
// Creates the captions as children of a plot scaled -169..169; `seeing` is the orientation note.
PlotCaptions MakePlotCaptions(PictureSurface* plot, const QString& seeing);
// Places the captions in the plot's units and draws the legend's pictures at their size.
void PlacePlotCaptions(const PictureSurface& plot, const PlotCaptions& captions);

}  // namespace skyview
