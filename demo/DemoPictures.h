#pragma once
// The pictures of the building-input demonstration window, drawn here (our own artwork): the
// pens that trace roof and wall lines, the pointer of the simulated double-click, the busy mark
// of the detection, the dropped-down menu of step 0, and the arrow and ring that point at the
// altitude boxes in step 1. Each picture has a transparent background.

#include <QImage>
#include <QSize>

// A pen of 32 x 32 pixels with its tip at the top-left corner (0, 0); the wall pen is blue, the
// roof pen red.
QImage DemoPenPicture(bool wallPen);
// The pointer of the simulated double-click is platform's DemoPointerPicture.
#include "platform/PointerPicture.h"
// An hourglass of 24 x 32 pixels.
QImage DemoBusyPicture();
// The window's "ファイル(&F)" menu dropped down with "サンプル画像" open and the picture of
// demonstration `demoNumber` chosen.
QImage DemoMenuPicture(int demoNumber);
// A thick arrow of `size` pointing right.
QImage DemoArrowPicture(QSize size);
// An ellipse outline filling `size`.
QImage DemoEllipsePicture(QSize size);
