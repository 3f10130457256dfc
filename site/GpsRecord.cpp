#include "GpsRecord.h"

std::array<float, kMaxGPSRecordPoints> gGPSRecordX{};
std::array<float, kMaxGPSRecordPoints> gGPSRecordY{};
int gGPSRecordNum = 0;
