#include "DaySkyTables.h"

#include "orbit/AlmanacTable.h"
#include "orbit/ObservationConditions.h"

namespace skyview {

bool DaySkyTables::ComputeWholeDay()
{
    date_ = gComputeDate;
    if (orbit::ComputeSateAzimusElevation(0, kLastTimeStep)) {
        azimus_ = gSateAzimus;
        elevation_ = gSateElevation;
        sateSlots_ = orbit::UsableSateSlots();
        return true;
    }
    sateSlots_.clear();
    return false;
}

SkyInputs DaySkyTables::inputs() const
{
    const SkyInputs current = CurrentSkyInputs();
    return {azimus_, elevation_, sateSlots_, current.prn, current.health, current.colours, current.skyline, current.mask};
}

}  // namespace skyview
