#pragma once
// The sky of the view tests: the real almanac of tests/data (GPS week 2197) in the almanac table,
// the colour table filled, Tokyo (35.681 N, 139.767 E) on 2022/02/18, mask 10 degrees, no
// buildings (the skyline on the horizon).

#include "common/TestUtils.h"
#include "orbit/AlmanacTable.h"
#include "orbit/ObservationConditions.h"
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
    gCutElevation.fill(0.0f);
}

}  // namespace testutil
