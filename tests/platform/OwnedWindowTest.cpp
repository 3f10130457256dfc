// Owned windows: owned by their owner for the window manager too, placed wholly on the screen,
// brought to the front when opened again; and Qt's own texts in Japanese.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTranslator>
#include <QWindow>

#include <gtest/gtest.h>

#include "platform/OwnedWindow.h"
#include "platform/QtJapanese.h"

namespace {

TEST(OwnedWindow, FittedFrameKeepsTheWindowOnTheScreen)
{
    const QRect laptop(0, 0, 1366, 768);
    const QMargins deco(4, 30, 4, 4);
    struct Case {
        const char* name;
        QRect frame;
        QSize minimum;
        QRect fitted;
    };
    const Case cases[] = {
        {"fits where it is", {100, 50, 600, 400}, {0, 0}, {100, 50, 600, 400}},
        {"off the right edge moves left", {1000, 50, 600, 400}, {0, 0}, {766, 50, 600, 400}},
        {"off the bottom edge moves up", {100, 600, 600, 400}, {0, 0}, {100, 368, 600, 400}},
        {"left of the screen moves right", {-50, -20, 600, 400}, {0, 0}, {0, 0, 600, 400}},
        // The main window's client area (1192 x 790 with its menu bar) on a laptop screen.
        {"taller than the screen shrinks", {0, 0, 1192 + 8, 790 + 34}, {0, 0}, {0, 0, 1200, 768}},
        {"never below its minimum, top-left kept on the screen", {200, 100, 1600, 900}, {1500, 800}, {0, 0, 1508, 834}},
        {"exactly the screen", {0, 0, 1366, 768}, {0, 0}, {0, 0, 1366, 768}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::FittedFrame(c.frame, deco, c.minimum, laptop), c.fitted);
    }
    // A screen that does not start at 0 (a second monitor to the right).
    EXPECT_EQ(platform::FittedFrame({1300, 10, 500, 300}, deco, {}, {1366, 0, 1024, 768}), QRect(1366, 10, 500, 300));
}

TEST(OwnedWindow, AWindowPlacedOffTheScreenOpensWhollyOnIt)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget owner;
    auto* window = new QWidget(&owner, platform::OwnedWindowFlags());
    window->resize(screen.width() + 300, screen.height() / 2);
    window->move(screen.right() - 100, screen.top() + 20);
    platform::ShowOwnedWindow(window);
    const QRect frame = window->frameGeometry();
    EXPECT_TRUE(screen.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
    EXPECT_EQ(window->height(), screen.height() / 2);  // only what does not fit shrinks
    EXPECT_LT(window->width(), screen.width() + 300);
}

TEST(OwnedWindow, IsOwnedForTheWindowManagerAndComesToTheFrontWhenOpenedAgain)
{
    QWidget owner;
    owner.resize(300, 200);
    owner.show();
    QPointer<QLabel> instance;
    int made = 0;
    const auto open = [&] {
        return platform::ShowSingleWindow(instance, [&] {
            ++made;
            return new QLabel(QStringLiteral("owned"), &owner, platform::OwnedWindowFlags());
        });
    };
    QLabel* first = open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(first));
    // A dialog-type window with its owner as transient parent: the window manager keeps it
    // above the owner (a plain Qt::Window is not marked transient on X11).
    EXPECT_EQ(first->windowType(), Qt::Dialog);
    ASSERT_NE(first->windowHandle(), nullptr);
    EXPECT_EQ(first->windowHandle()->transientParent(), owner.windowHandle());

    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    EXPECT_EQ(open(), first);
    EXPECT_EQ(made, 1);
    EXPECT_TRUE(QTest::qWaitForWindowActive(first));

    first->close();
    delete first;
    open();
    EXPECT_EQ(made, 2);
}

TEST(QtJapanese, QtsOwnDialogsSpeakJapanese)
{
    const QLocale before;
    ASSERT_TRUE(platform::LoadQtJapanese(*QCoreApplication::instance()));
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(QLocale().language(), QLocale::Japanese);
    EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral("."));
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    QLocale::setDefault(before);
}

}  // namespace
