#pragma once
// Test fixtures of the main window: message boxes answered by the test with every message
// recorded, and (MainWindowTest) a freshly loaded and shown main window per test.

#include <QTest>

#include <gtest/gtest.h>

#include "app/MainWorkingFrm.h"
#include "app/TopAreaModel.h"
#include "common/TestUtils.h"
#include "platform/MessageBox.h"

class MessageRecordingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetMessageAnswerer([this](const QString& text, platform::MessageButtons) {
            messages << text;
            return answer;
        });
    }

    void TearDown() override
    {
        delete MainWorkingFrm::existing();
        platform::SetMessageAnswerer({});
        // The building model is program-wide: leave it empty for the next test.
        ClearTopAreaModel();
    }

    QStringList messages;
    platform::MessageAnswer answer = platform::MessageAnswer::Ok;
};

class MainWindowTest : public MessageRecordingTest {
protected:
    void SetUp() override
    {
        MessageRecordingTest::SetUp();
        frm = MainWorkingFrm::instance();
        frm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frm));
    }

    MainWorkingFrm* frm = nullptr;
};
