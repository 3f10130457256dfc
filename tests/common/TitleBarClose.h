#pragma once
// Closes a window as its title bar's close box does: the close reaches the window from the window
// system's side, so the widget gets a spontaneous close event (QWidget::close() and
// QWindow::close() both send a non-spontaneous one) and is hidden when it accepts it.

#include <QCloseEvent>
#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

namespace testutil {

inline void CloseFromTitleBar(QWidget* window)
{
    QCloseEvent close;
    QCoreApplication::sendEvent(window->windowHandle(), &close);
}

}  // namespace testutil
