#pragma once
// Pieces the sky plot windows (the orbit view, the sky view and the orbit-and-count window)
// share: twips to screen pixels, captioned controls in the window font, the time label of a step,
// placing a widget in a plot's user units, and the captions and legend that stand inside a plot.

#include <QPixmap>
#include <QRect>
#include <QString>

#include "orbit/ObservationConditions.h"
#include "platform/NamedControls.h"

class PictureSurface;
class QLabel;
class QPushButton;
class QWidget;

namespace skyview {

// The tracks of a redraw after the observer moved cover 08:00..18:00; the sky view's slider
// starts at 08:00.
inline constexpr int kFirstShownStep = kDefaultStartTimeStep;
inline constexpr int kLastShownStep = kDefaultEndTimeStep;
// Plot units from a satellite icon's top-left corner to its satellite, on plots of k = 1.69.
inline constexpr double kIconOffset = 10.0;

// Screen positions and sizes are laid out in twips, 15 to a pixel (rounded to the nearest).
int Px(int twips);
QRect TwipRect(int left, int top, int width, int height);

// A label or button with an object name and its text in the window font (size in points).
using platform::MakeButton;
using platform::MakeLabel;

// "hh:mm" of TimeStep `step` (0..288, 288 is "24:00").
QString StepLabel(int step);

// The legend's sample of the skyline: a line across the middle of a transparent picture.
QPixmap ObstacleSample(QSize size);

// A rectangle in a plot's user units (y upwards): its top-left corner and its size.
struct PlotRect {
    double left;
    double top;
    double width;
    double height;
};

// Puts `w` over the plot on `place`.
void PlaceInPlot(const PictureSurface& plot, QWidget* w, const PlotRect& place);

// The fixed captions inside a plot: the title, the orientation note, the obstacle legend with its
// sample line, the two icon legends and the count label (lower right). The plot windows derive
// from it, so that the captions are their own named controls.
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

// Where each caption stands, in the plot's user units.
struct PlotCaptionPlaces {
    PlotRect title;
    PlotRect seeing;
    PlotRect visibleIcon;
    PlotRect hiddenIcon;
    PlotRect visibleText;
    PlotRect hiddenText;
    PlotRect obstacleSample;
    PlotRect obstacleText;
    PlotRect count;
};

// The places on the large plots scaled -169..169 (the orbit view and the sky view): the title
// wraps into two lines left of the N, the sample icons start at the plot's left edge.
inline constexpr PlotCaptionPlaces kLargePlotCaptions{
    {-167, 168, 120, 34}, {108, 168, 60, 18},  {-169, -126, 20, 20}, {-169, -149, 20, 20}, {-145, -133, 100, 20},
    {-145, -154, 120, 20}, {100, -131, 20, 10}, {124, -127, 45, 18},  {84, -148, 84, 20},
};

// The orbit view's and the sky view's common set-up: named `name`, titled "SateriteObit", in the
// window font, deleted when closed.
void SetUpSkyViewWindow(QWidget* window, const char* name);

// A window's sky plot: the picture "DispPic" with its text in the window font.
PictureSurface* MakeSkyPlot(QWidget* window);

// The large plots (k = 1.69) have their grid span -169..169 on a 5130-twip square, but draw lower
// than that: the bottom letter (top at -92 k = -155.5, 14 pt) and the legend row
// "障害物に隠れた衛星" (down to -174) reach to about -176. The picture therefore extends down to
// kLargePlotBottom at the same units per pixel. Places `plot` with its top-left corner at
// `topLeft` (pixels in its window) and scales it so.
inline constexpr double kLargePlotBottom = -179.0;
void PlaceLargePlot(PictureSurface& plot, QPoint topLeft);
// Creates the captions as children of `plot` into `captions`; `seeing` is the orientation note.
// Create them before the plot's icons, so that the icons lie over them.
void MakePlotCaptions(PictureSurface* plot, const QString& seeing, PlotCaptions& captions);
// Places the captions on `places` and draws the legend's pictures at their size.
void PlacePlotCaptions(const PictureSurface& plot, const PlotCaptions& captions, const PlotCaptionPlaces& places);

}  // namespace skyview
