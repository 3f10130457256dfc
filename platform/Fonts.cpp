#include "Fonts.h"

namespace platform {

QFont WindowFont(double pointSize)
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSizeF(pointSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace platform
