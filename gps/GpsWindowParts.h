#pragma once
// Pieces the GPS windows share.

#include <QString>

class QLabel;
class QWidget;

namespace gps {

// A sunken panel that shows a value, right-aligned (coordinates, time, counts).
QLabel* ValueLabel(QWidget* parent, const QString& objectName, int minimumWidth);

// What a GPS window does when it loads: the plane conversion's constants (scale factor 0.9999
// and the ellipsoid) and the GPS settings read again from the start folder, telling the user
// (over `window`) when the settings file is broken.
void LoadGpsWindowSettings(QWidget* window);

// Places a window at `left`, `top` twips of the screen.
void PlaceWindowAtTwips(QWidget* window, int left, int top);

}  // namespace gps
