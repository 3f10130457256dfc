#pragma once
// The orbit engine: azimuth and elevation of every satellite of the almanac, seen from the
// observation site, for the 5-minute steps of a Japan-time day. Circular orbits of the
// almanac's radius, mean motion from the semi-major axis, the node turned only by the earth's
// rotation, WGS-84 for the observer.

#include <array>
#include <span>
#include <string>

#include "AlmanacTable.h"
#include "GpsTime.h"
#include "ObservationConditions.h"

// Satellite tables, element [slot 0..32][TimeStep 0..288], single-precision degrees.
// Azimuth as a mathematical angle: 0 east, 90 north, 180 west, 270 south, in [0, 360].
// Elevation above the horizon, negative below it, 90 overhead. Only computed slots and steps
// are written; all other entries keep their earlier values, so readers skip excluded slots.
using SateTable = std::array<std::array<float, kLastTimeStep + 1>, 33>;
extern SateTable gSateAzimus;
extern SateTable gSateElevation;

namespace orbit {

// Computes steps first..last (clamped to 0..288) of the day starting at `dayStart` (00:00 Japan
// time in GPS time) for the given slots of `almanac` (records[s-1] is slot s) and writes them
// into `azimus` and `elevation`. The almanac's week is resolved to the 1024-week era nearest
// the day. Slots outside the almanac or without an orbit (HasOrbit) are skipped.
void ComputeSateTables(const Almanac& almanac, std::span<const int> sateSlots, double latitudeDeg,
                       double longitudeDeg, const GpsTime& dayStart, int first, int last,
                       SateTable& azimus, SateTable& elevation);

// The program-wide entries: they read the almanac table, the exclusion list, gLatitude and
// gLongitude, and write gSateAzimus and gSateElevation for the usable slots. A date text that
// is not a date computes nothing and returns false.
bool ComputeSateAzimusElevation(int firstStep, int lastStep);  // date gComputeDate
bool ComputeSateAzimusElevationOnDate(int firstStep, int lastStep, const std::string& date);
bool ComputeSateAzimusElevationAtStep(int step);  // one step of gComputeDate

}  // namespace orbit
