#pragma once
// Test fixtures of the main window: message boxes answered by the test with every message
// recorded, file dialogs answered from a list, an empty start folder, and (MainWindowTest) a
// freshly loaded and shown main window per test.

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app/MainWorkingFrm.h"
#include "photoinput/InputLineFrm.h"
#include "site/TopAreaModel.h"
#include "common/TestUtils.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"

// Opens the main window's file menu as a user does, with Alt+F.
inline void OpenFileMenu(MainWorkingFrm* frm)
{
    frm->activateWindow();
    QTest::keyClick(frm, Qt::Key_F, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), frm->FileHandleMenu);
}

// The building input opened from the menu hands built-in sample set 1 or 2 over with "閉じる".
inline void HandOverSampleSet(MainWorkingFrm* frm, int which)
{
    frm->AroundBuildingInputMenu->trigger();
    InputLineFrm* input = frm->inputLineFrm();
    ASSERT_NE(input, nullptr);
    if (which == 1) input->LoadSampleDataMenu_Click();
    else input->LoadSample2DataMenu_Click();
    QTest::mouseClick(input->CloseCmd, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(frm->inputLineFrm(), nullptr);
}

class MessageRecordingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The window takes the current folder as its start folder: an empty one per test, so
        // that no settings file written by one test is read by the next.
        ASSERT_TRUE(startFolder.isValid());
        previousFolder = QDir::currentPath();
        QDir::setCurrent(startFolder.path());
        platform::SetMessageAnswerer([this](const QString& text, platform::MessageButtons) {
            messages << text;
            return answer;
        });
        // File dialogs answer with `dialogPaths` in turn; with none left they are cancelled.
        platform::SetFileDialogAnswerer([this](platform::FileDialogKind, const platform::FileDialogOptions& options) {
            dialogs.push_back(options);
            return dialogPaths.isEmpty() ? QString() : dialogPaths.takeFirst();
        });
    }

    void TearDown() override
    {
        delete MainWorkingFrm::existing();
        platform::SetMessageAnswerer({});
        // The building model is program-wide: leave it empty for the next test.
        ClearTopAreaModel();
        platform::SetFileDialogAnswerer({});
        QDir::setCurrent(previousFolder);
    }

    QStringList messages;
    platform::MessageAnswer answer = platform::MessageAnswer::Ok;
    QTemporaryDir startFolder;
    QString previousFolder;
    QStringList dialogPaths;
    std::vector<platform::FileDialogOptions> dialogs;
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

    void HandOverSampleSet(int which) { ::HandOverSampleSet(frm, which); }

    MainWorkingFrm* frm = nullptr;
};
