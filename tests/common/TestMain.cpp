// Test main: every test, window tests included, runs on Qt's offscreen platform with the
// program's Japanese font, so no display is needed.
#include <QApplication>
#include <QByteArray>

#include <gtest/gtest.h>

#include "platform/Fonts.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication application(argc, argv);
    QApplication::setFont(platform::WindowFont(9));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
