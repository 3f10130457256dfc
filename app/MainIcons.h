#pragma once
// The main window's own button pictures, drawn in code so that no artwork file is needed.

#include <QIcon>
#include <QPixmap>
#include <QStringList>

namespace mainicons {

// Tool palette: 0 select, 1 rectangle building, 2 rooftop line, 3 move point, 4 add point,
// 5 delete point, 6 distance. Any other index gives an empty icon.
QIcon ToolIcon(int index);
// Pan and turn buttons: 0 right, 1 down, 2 up, 3 left, 4 clockwise, 5 counter-clockwise.
QIcon MoveIcon(int index);
// The almanac download page button: a globe.
QIcon GlobeIcon();
// The receiver position mark (a small antenna in a ring).
QPixmap ReceiverMark();
// The mouse picture of the demonstrations' simulated clicks.
QPixmap MousePicture();
// A picture of an open pop-up menu with the captions `items` (mnemonics "(&X)" shown as "(X)"),
// the item `highlighted` (index into items, -1 none) drawn selected, as the demonstration shows
// the command it is about to run.
QPixmap MenuPicture(const QStringList& items, int highlighted);

}  // namespace mainicons
