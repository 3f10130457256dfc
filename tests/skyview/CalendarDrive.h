#pragma once
// Drives a window's calendar as a user does: the date button opens it, the arrow key moves to
// the next day and Enter picks it.

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/CalendarPopup.h"

namespace testutil {

inline void PickNextDay(QAbstractButton* dateButton, platform::CalendarPopup* calendar)
{
    QTest::mouseClick(dateButton, Qt::LeftButton);
    ASSERT_TRUE(calendar->isVisible());
    auto* days = calendar->calendar()->findChild<QTableView*>();
    ASSERT_NE(days, nullptr);
    QTest::keyClick(days, Qt::Key_Right);
    QTest::keyClick(days, Qt::Key_Return);
}

}  // namespace testutil
