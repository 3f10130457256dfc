#pragma once
// The main window's watch on a window that hands buildings over to the site (the building input
// and its demonstration): such a window sets its hand-over flag before or while it closes (the
// building input hands over from its own close handler), so the hide that ends an accepted close
// and finds the flag set is the hand-over. The watch calls `taken` once and goes with the window.
// The window's destructor hides it too, when only its QWidget part is left: the flag is read only
// while the window is still of its own type.

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <functional>
#include <utility>

// `Window` is a QObject class with `bool handedOver() const`.
template <class Window>
class HandOverWatch : public QObject {
public:
    HandOverWatch(Window* window, std::function<void()> taken) : QObject(window), taken_(std::move(taken))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && !done_) {
            const auto* window = qobject_cast<const Window*>(watched);
            if (window && window->handedOver()) {
                done_ = true;
                taken_();
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> taken_;
    bool done_ = false;
};

// Installs a HandOverWatch on `window` (owned by it).
template <class Window>
void WatchHandOver(Window* window, std::function<void()> taken)
{
    new HandOverWatch<Window>(window, std::move(taken));
}
