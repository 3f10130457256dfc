#include "WaitTime.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cmath>

namespace platform {

void WaitTime(double seconds)
{
    QElapsedTimer clock;
    clock.start();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    const qint64 limitNs = static_cast<qint64>(std::max(0.0, seconds) * 1e9);
    while (clock.nsecsElapsed() <= limitNs) {
        // Sleep in the event loop until the time is up or events arrive; no busy waiting.
        const qint64 remainingMs = (limitNs - clock.nsecsElapsed()) / 1000000 + 1;
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(std::min<qint64>(remainingMs, 1000)), &loop, &QEventLoop::quit);
        loop.exec();
    }
}

}  // namespace platform
