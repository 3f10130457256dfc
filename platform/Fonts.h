#pragma once

#include <QFont>

namespace platform {

// The windows' proportional Japanese Gothic font (IPAPGothic) at a size in points.
QFont WindowFont(double pointSize = 9.0);

}  // namespace platform
