#pragma once
// Windows owned by another window (the main window owns every window it opens), owned for the
// window manager too: an owned window is transient for its owner, so it stays above it (a click
// on the owner never hides it behind the owner), is minimised with it and closes with it. Every
// window is also placed wholly on the screen when it opens.
//
// Use: construct with QWidget(owner, platform::OwnedWindowFlags()) and open with
// platform::ShowSingleWindow (single instances) or platform::ShowOwnedWindow. Dialogs (QDialog)
// are owned this way already; call FitOnScreen for them before they show when they are large.

#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QWidget>

namespace platform {

// Window flags of an owned top-level window: a dialog-type window (which the window manager
// keeps above its owner) with a title bar, the system menu and the minimise, maximise and close
// buttons.
Qt::WindowFlags OwnedWindowFlags();

// Where a window goes so that all of it, frame included, lies on `available` (the screen's
// area without panels): `frame` is the window's outer rectangle (frame included), `decoration`
// the frame around the inner area, `minimum` the inner size the window cannot go below. The
// window keeps its place and size where they fit; otherwise it is shrunk (not below `minimum`)
// and moved in. Returns the outer rectangle; a window larger than the screen even at its minimum
// keeps its top-left corner on the screen.
QRect FittedFrame(const QRect& frame, const QMargins& decoration, const QSize& minimum, const QRect& available);

// Moves, and where it must shrinks, a top-level window onto the available area of its screen
// (the screen under its place, else its owner's, else the primary screen).
void FitOnScreen(QWidget* window);

// Shows an owned window: placed on the screen when it is not shown yet, raised above its owner
// and made active (so opening a window that is already open brings it to the front).
void ShowOwnedWindow(QWidget* window);

// Shows the single instance of a window: created with `make` on first use (or after it was
// closed and deleted), then shown as ShowOwnedWindow does.
template <class Frm, class Make>
Frm* ShowSingleWindow(QPointer<Frm>& instance, Make make)
{
    if (instance.isNull()) {
        instance = make();
    }
    ShowOwnedWindow(instance);
    return instance;
}

}  // namespace platform
