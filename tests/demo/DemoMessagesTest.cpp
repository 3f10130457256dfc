#include <gtest/gtest.h>

#include "demo/DemoMessages.h"

TEST(DemoMessages, OneLinePerDemonstratedCommandAndTheEnd)
{
    pDemoMessage.fill("");
    SetDemoMessage();
    EXPECT_EQ(pDemoMessage[0], "デモ周辺障害物の影響下での衛星軌道表示");
    EXPECT_EQ(pDemoMessage[1], "デモ周辺障害物の影響下での衛星軌道、衛星数");
    EXPECT_EQ(pDemoMessage[2], "デモ周辺障害物の影響下での計算領域の衛星数判定");
    EXPECT_EQ(pDemoMessage[3], "デモ終了");
}
