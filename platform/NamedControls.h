#pragma once
// Controls made the way every window makes them: named (objectName, which tests and the
// window's own code find them by) and in the window font.

#include <QLabel>
#include <QLatin1String>
#include <QPushButton>
#include <QString>

#include "platform/Fonts.h"

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

}  // namespace platform
