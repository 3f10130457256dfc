#include "OwnSkyTables.h"

#include "orbit/AlmanacTable.h"
#include "orbit/ObservationConditions.h"

namespace skyview {

bool OwnSkyTables::ComputeWholeDay()
{
    if (!orbit::ComputeSateAzimusElevation(0, kLastTimeStep)) {
        sateSlots_.clear();
        return false;
    }
    azimus_ = gSateAzimus;
    elevation_ = gSateElevation;
    sateSlots_ = orbit::UsableSateSlots();
    return true;
}

SkyInputs OwnSkyTables::Inputs() const
{
    const SkyInputs current = CurrentSkyInputs();
    return {azimus_, elevation_, sateSlots_, current.prn, current.health, current.colours, current.skyline, current.mask};
}

}  // namespace skyview
