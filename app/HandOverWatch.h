#pragma once
// The main window's watch on a window that hands buildings over to the site (the building input
// and its demonstration): such a window sets its hand-over flag before or while it closes (the
// building input hands over from its own close handler), so the hide that ends an accepted close
// and finds the flag set is the hand-over. The hide comes while the window is still whole (its
// deletion is deferred); the watch calls `taken` once and goes with the window.

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
        if (event->type() == QEvent::Hide && !done_ && handedOver_()) {
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
