#pragma once
// Controls made the way every window makes them: named (objectName, which tests and the
// window's own code find them by) and in the window font.

#include <QLabel>
#include <QLatin1String>
#include <QPushButton>
#include <QString>

#include "platform/Fonts.h"
#include "platform/NumberText.h"

namespace platform {

inline QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text = {}, double pointSize = 9)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(WindowFont(pointSize));
    return label;
}

inline QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setFont(WindowFont(9));
    return button;
}

// A number as the windows' boxes and labels show it: single precision, no trailing zeros.
inline QString BoxNumber(double value) { return QString::fromStdString(PlainText(value, Precision::Single)); }

}  // namespace platform
