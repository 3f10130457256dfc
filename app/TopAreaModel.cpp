#include "TopAreaModel.h"

int gEachTopAreaNumber = 0;
int gTopAreaPointTotalNumber = 0;
std::array<int, kMaxTopAreas> gEachTopAreaStartNum{};
std::array<int, kMaxTopAreas> gEachTopAreaPointNum{};
std::array<int, kMaxTopAreas> gEachClosedTopAreaSTS{};
std::array<float, kMaxTopAreas> gFlatTopHeight{};
std::array<float, kMaxTopPoints> gNorthTopAreaX{};
std::array<float, kMaxTopPoints> gNorthTopAreaY{};
int gFixDataSTS = 0;
