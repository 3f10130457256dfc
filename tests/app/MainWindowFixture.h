#pragma once
// A freshly loaded and shown main window per test, with message boxes answered by the test and
// every message recorded.

#include <QTest>

#include <gtest/gtest.h>

#include "app/MainWorkingFrm.h"
#include "common/TestUtils.h"
#include "platform/MessageBox.h"

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetMessageAnswerer([this](const QString& text, platform::MessageButtons) {
            messages << text;
            return answer;
        });
        frm = MainWorkingFrm::instance();
        frm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frm));
    }

    void TearDown() override
    {
        delete MainWorkingFrm::existing();
        platform::SetMessageAnswerer({});
    }

    MainWorkingFrm* frm = nullptr;
    QStringList messages;
    platform::MessageAnswer answer = platform::MessageAnswer::Ok;
};
