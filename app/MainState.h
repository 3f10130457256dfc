#pragma once
// Program-wide state that the start-up and the main window own.

#include <QString>

// 0 when the program starts; -1 from the end of the main window's load on. The splash starts its
// timer only while it is 0.
extern int gStartUpState;

// The start folder: the current folder when the main window loads, base of every data path.
extern QString gStartDir;

// Path of `fileName` in the run folder `folder` ("data0", "Sample1", "ico", "Pic00", "Pic01").
QString DataPath(const QString& folder, const QString& fileName);
