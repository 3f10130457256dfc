#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/WaitTime.h"

TEST(WaitTime, LetsEventsThroughWhileWaiting)
{
    // A timer that fires during the wait stands for the stop button being pressed.
    bool stopPressed = false;
    QTimer::singleShot(10, [&] { stopPressed = true; });
    QElapsedTimer clock;
    clock.start();
    platform::WaitTime(0.05);
    EXPECT_TRUE(stopPressed);
    EXPECT_GT(clock.nsecsElapsed(), 50'000'000);
}

TEST(WaitTime, ZeroStillProcessesPendingEvents)
{
    bool delivered = false;
    QTimer::singleShot(0, [&] { delivered = true; });
    platform::WaitTime(0);
    EXPECT_TRUE(delivered);
}
