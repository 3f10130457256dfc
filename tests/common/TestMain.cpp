// Test main: every test, window tests included, runs on Qt's offscreen platform with the
// program's Japanese font, so no display is needed.
#include <QApplication>
#include <QByteArray>

#include <gtest/gtest.h>

#include "platform/Fonts.h"

#if defined(__SANITIZE_ADDRESS__)
// Under AddressSanitizer the leak check must not guess the extent of a dynamically allocated
// thread-local block from the words before it. This runtime takes a block that starts 16 bytes
// into a page for one behind an old glibc header and reads a range out of the allocator's chunk
// header instead; libjpeg's thread-local block (loaded with Qt's JPEG plugin for the oblique
// pictures) lands there whenever the allocations before it happen to leave it so, and the check
// then crashes at exit after the test has passed. Without the guess nothing is lost: the leak
// check counts the blocks the dynamic linker allocates as reachable and still follows the
// pointers in them. ASAN_OPTIONS in the environment still overrides this.
extern "C" const char* __asan_default_options()
{
    return "intercept_tls_get_addr=0";
}
#endif

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication application(argc, argv);
    QApplication::setFont(platform::WindowFont(9));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
