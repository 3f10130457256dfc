#pragma once
// Labels and buttons of the windows in the window font, named as the windows name their
// controls (the name is the control's object name, found by tests and style sheets).

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace platform {

// A label showing `text` in the window font of `pointSize` points; `name` may be null.
QLabel* WindowLabel(QWidget* parent, const char* name, const QString& text, double pointSize = 9);
// A push button with `text` in the window font of 9 points.
QPushButton* WindowButton(QWidget* parent, const char* name, const QString& text);

}  // namespace platform
