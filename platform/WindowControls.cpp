#include "WindowControls.h"

#include <QLabel>
#include <QPushButton>

#include "platform/Fonts.h"

namespace platform {

QLabel* WindowLabel(QWidget* parent, const char* name, const QString& text, double pointSize)
{
    auto* label = new QLabel(text, parent);
    if (name) label->setObjectName(QLatin1String(name));
    label->setFont(WindowFont(pointSize));
    return label;
}

QPushButton* WindowButton(QWidget* parent, const char* name, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setFont(WindowFont(9));
    return button;
}

}  // namespace platform
