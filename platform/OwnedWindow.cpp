#include "OwnedWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace platform {

namespace {

// The frame a window manager puts around a window, used until the window's own frame is known
// (before it was first shown): a title bar and thin borders.
constexpr QMargins kTypicalDecoration(4, 30, 4, 4);

// The frame the window manager put around a shown window (none before it is shown).
QMargins FrameAround(const QWidget* window)
{
    const QRect f = window->frameGeometry();
    const QRect g = window->geometry();
    return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()};
}

// The window's own frame, else its owner's, else the typical one.
QMargins DecorationOf(const QWidget* window)
{
    const QWidget* owner = window->parentWidget() != nullptr ? window->parentWidget()->window() : nullptr;
    for (const QWidget* w : {window, owner}) {
        if (w != nullptr && w->isVisible()) {
            const QMargins m = FrameAround(w);
            if (!m.isNull()) return m;
        }
    }
    return kTypicalDecoration;
}

QScreen* ScreenOf(const QWidget* window)
{
    if (QScreen* s = QGuiApplication::screenAt(window->frameGeometry().center())) return s;
    return window->screen();
}

// Start of a span of `length` moved into [low, high]; a span longer than the range starts at low.
int FitSpan(int start, int length, int low, int high) { return std::max(low, std::min(start, high - length + 1)); }

}  // namespace

Qt::WindowFlags OwnedWindowFlags()
{
    return Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
}

QRect FittedFrame(const QRect& frame, const QMargins& decoration, const QSize& minimum, const QRect& available)
{
    const int decoW = decoration.left() + decoration.right();
    const int decoH = decoration.top() + decoration.bottom();
    const int width = std::min(frame.width(), std::max(available.width(), minimum.width() + decoW));
    const int height = std::min(frame.height(), std::max(available.height(), minimum.height() + decoH));
    const int left = FitSpan(frame.left(), width, available.left(), available.right());
    const int top = FitSpan(frame.top(), height, available.top(), available.bottom());
    return {left, top, width, height};
}

void FitOnScreen(QWidget* window)
{
    QScreen* screen = ScreenOf(window);
    if (screen == nullptr) return;
    const QMargins decoration = DecorationOf(window);
    const QRect frame(window->pos(), window->size().grownBy(decoration));
    const QRect fitted = FittedFrame(frame, decoration, window->minimumSize(), screen->availableGeometry());
    if (fitted.size() != frame.size()) {
        window->resize(fitted.size().shrunkBy(decoration));
    }
    if (fitted.topLeft() != frame.topLeft()) {
        window->move(fitted.topLeft());
    }
}

void ShowOwnedWindow(QWidget* window)
{
    if (!window->isVisible()) {
        FitOnScreen(window);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace platform
