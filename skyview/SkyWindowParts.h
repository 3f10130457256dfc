#pragma once
// Small pieces the sky and orbit windows share: twips to screen pixels, captioned controls in
// the window font, the time label of a step and the obstacle sample of the plot legends.

#include <QPixmap>
#include <QRect>
#include <QString>

#include "platform/NamedControls.h"

class QLabel;
class QPushButton;
class QWidget;

namespace skyview {

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

}  // namespace skyview
