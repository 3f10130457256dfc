#pragma once
// The main window's watch on a window that hands buildings over to the site (the building input
// and its demonstration): such a window sets its hand-over flag and then closes itself, so the
// close that finds the flag set is the hand-over. The watch sees the close event before the
// window does, while the window is whole, and calls `taken` once; it goes with the window.

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <functional>
#include <utility>

class HandOverWatch : public QObject {
public:
    HandOverWatch(QWidget* window, std::function<bool()> handedOver, std::function<void()> taken)
        : QObject(window), handedOver_(std::move(handedOver)), taken_(std::move(taken))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close && !done_ && handedOver_()) {
            done_ = true;
            taken_();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool()> handedOver_;
    std::function<void()> taken_;
    bool done_ = false;
};

// Installs a HandOverWatch on `window` (owned by it).
inline void WatchHandOver(QWidget* window, std::function<bool()> handedOver, std::function<void()> taken)
{
    new HandOverWatch(window, std::move(handedOver), std::move(taken));
}
