#pragma once
// The mouse pointer the scripted demonstrations show where they "click" (our own artwork): a
// white arrow with a black rim on a transparent ground, 24 x 34 pixels, its tip at (0, 10), so
// put 10 units above a point it points at it.

#include <QImage>

QImage DemoPointerPicture();
