#pragma once

#include <QPointer>
#include <QWidget>

// Shows the single instance of a window modeless: created with `make` on first use (or after it
// was closed and deleted), brought to the front when it is already open.
template <class Frm, class Make>
Frm* ShowSingleWindow(QPointer<Frm>& instance, Make make)
{
    if (instance.isNull()) {
        instance = make();
    }
    instance->show();
    instance->raise();
    instance->activateWindow();
    return instance;
}
