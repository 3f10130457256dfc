#include "GpsRecord.h"

#include "site/TopAreaModel.h"

std::array<float, kMaxGPSRecordPoints> gGPSRecordX{};
std::array<float, kMaxGPSRecordPoints> gGPSRecordY{};
int gGPSRecordNum = 0;

bool GPSRecordFitsSite() { return gFixDataSTS != 0 || gEachTopAreaNumber <= 0; }

void ClearGPSRecord() { gGPSRecordNum = 0; }
