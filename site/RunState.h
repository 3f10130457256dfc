#pragma once
// The run state of the program: the start folder, the start-up state and the run flags every
// window reads. Everything reads them by these names; they are written only through the setters
// below. Writers: the main window's load and its reset commands (all of them), the windows that
// wait for presses on the site map (the click mode, through the main window's port), the commands
// that open the sky view and the comparison window (gDispHeavenMode), the building input's
// hand-over (gBillDataSTS), the settings and project files (the reserves), the stop button and
// the area judgement (gStopCompute).

#include <QString>

// 0 when the program starts; -1 from the end of the main window's load on. The splash starts its
// timer only while it is 0.
extern const int& gStartUpState;

// The start folder: the current folder when the main window loads, base of every data path.
extern const QString& gStartDir;

// Path of `fileName` in the run folder `folder` ("data0", "Sample1", "ico", "Pic00", "Pic01").
QString DataPath(const QString& folder, const QString& fileName);

// -1 while a scripted demonstration runs, else 0 (load and both reset commands set 0).
extern const int& gDemoMode;
// Which scripted demonstration runs or ran last: 1 or 2 (0 before the first). The demonstration
// menus set it.
extern const int& gDemoNumber;
// Which window wants the next left-button press on the site map: 0 none, 1 the orbit view,
// 2 the sky view or the comparison window, 3 and 4 the map correction's reference points.
extern const int& gPhotoClickMode;
// The window that request 2 serves: 1 the sky view, 2 the comparison window, 0 none yet. The
// commands that open these windows set it.
extern const int& gDispHeavenMode;
// -1 after the building input handed its buildings over (it reloads its working file on its
// next first activation), else 0.
extern const int& gBillDataSTS;
// Reserve values of the settings and project files: gSettingReserve is always 10, the project
// reserves 0 after a reset. The project file holds the second reserve as a single-precision value.
extern const int& gSettingReserve;
extern const int& gProjectReserve1;
extern const float& gProjectReserve2;
// 1 asks a running area judgement to stop (the stop button); the judgement sets 0 before it
// starts and tests it at every pause.
extern const int& gStopCompute;

void SetStartUpState(int state);
void SetStartDir(const QString& folder);
void SetDemoMode(int mode);
void SetDemoNumber(int number);
void SetPhotoClickMode(int mode);
void SetDispHeavenMode(int mode);
void SetBillDataSTS(int state);
void SetSettingReserve(int reserve);
void SetProjectReserves(int reserve1, float reserve2);
void SetStopCompute(int stop);

// The speed of the scripted demonstrations: every timer interval and pause of a demonstration
// (in every window that plays a part of one) is its nominal length times gDemoTimeScale. 1 in
// the program; tests set 0 so that a whole script runs as fast as the event loop turns.
extern double gDemoTimeScale;
// `ms` at the current demonstration speed, whole milliseconds (0 or more).
int DemoInterval(int ms);
