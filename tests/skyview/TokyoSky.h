#pragma once
// The sky of the window tests: the real almanac of GPS week 149 (tests/data) over Tokyo on
// 2022/02/18, mask 10 degrees, antenna 1.5 m, no buildings (the skyline all 0).

#include "common/TestUtils.h"
#include "orbit/AlmanacTable.h"
#include "orbit/ObservationConditions.h"
#include "orbit/OrbitEngine.h"
#include "orbit/VisibleSatellites.h"
#include "orbit/YumaAlmanac.h"

namespace testutil {

inline void UseTokyoSky()
{
    orbit::ApplyAlmanac(orbit::ToAlmanac(orbit::ReadYumaAlmanac(ReadDataFile("almanac.yuma.week0149.405504.txt"))));
    orbit::SetSateColorTable();
    SetLatitude(35.681f);
    SetLongitude(139.767f);
    SetComputeDate("2022/02/18");
    SetElevationMask(10.0f);
    SetAntennaHeight(1.5f);
    gCutElevation.fill(0.0f);
}

}  // namespace testutil
