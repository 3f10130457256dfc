#include "ResultTables.h"

#include <cmath>

std::array<std::uint32_t, 16> gSateNumColor{};
std::array<std::uint32_t, 21> gRateClassColor{};
std::array<std::string, 21> gRateClassLabel{};

void SetSateNumColorTable()
{
    for (std::size_t n = 0; n < gSateNumColor.size(); ++n) {
        if (n <= 3) gSateNumColor[n] = 0x0000FF;       // red
        else if (n == 4) gSateNumColor[n] = 0x00FFFF;  // yellow
        else if (n == 5) gSateNumColor[n] = 0x00FF00;  // green
        else gSateNumColor[n] = 0xFF0000;              // blue
    }
}

void SetRateClassLegend()
{
    static constexpr std::uint32_t kColors[20] = {0xFF0000, 0xFB6704, 0xE19506, 0xFEBF01, 0xFDDE02, 0xF4FB04, 0xD7FB8A,
                                                  0x93FF93, 0x03FCB8, 0x03FCB8, 0x02FDD8, 0x03FCE3, 0x00FFFF, 0x03F5FC,
                                                  0x00DFFF, 0x02B1FD, 0x0273FD, 0x0000FF, 0x9404FD, 0xBF00FF};
    for (int k = 0; k < 20; ++k) {
        gRateClassColor[static_cast<std::size_t>(k)] = kColors[k];
        gRateClassLabel[static_cast<std::size_t>(k)] =
            k < 19 ? std::to_string(100 - 5 * k) + "%≧R ＞" + std::to_string(95 - 5 * k) + "%" : std::string("5%≧R ≧0%");
    }
    gRateClassColor[20] = 0;
    gRateClassLabel[20].clear();
}

namespace judge {

int SateNumColorIndex(float count)
{
    if (!(count >= 1.0f)) return -1;
    if (count >= 15.0f) return 15;
    return static_cast<int>(count);
}

int RateClassColorIndex(float rateClass)
{
    if (!(rateClass >= 1.0f && rateClass <= 20.0f) || rateClass != std::floor(rateClass)) return -1;
    return 20 - static_cast<int>(rateClass);
}

}  // namespace judge
