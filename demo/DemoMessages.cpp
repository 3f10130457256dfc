#include "DemoMessages.h"

std::array<std::string, kDemoMessageCount> pDemoMessage{};

void SetDemoMessage()
{
    pDemoMessage = {
        "デモ周辺障害物の影響下での衛星軌道表示",
        "デモ周辺障害物の影響下での衛星軌道、衛星数",
        "デモ周辺障害物の影響下での計算領域の衛星数判定",
        "デモ終了",
    };
}
