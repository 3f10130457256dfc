// The commands of the menu "GPS(&G)" that open the receiver window and the map correction, both
// modeless single instances owned by the main window, which is their port.
#include "MainWorkingFrm.h"
#include "SingleWindow.h"
#include "gps/GPSFrm.h"
#include "gps/RevisionMapFrm.h"

void MainWorkingFrm::ConnectGpsCommands()
{
    connect(ReaObservationGPSMenu, &QAction::triggered, this, &MainWorkingFrm::ReaObservationGPSMenu_Click);
    connect(ChangeForRealMapMenu, &QAction::triggered, this, &MainWorkingFrm::ChangeForRealMapMenu_Click);
}

void MainWorkingFrm::ReaObservationGPSMenu_Click()
{
    ShowSingleWindow(gpsFrm_, [this] { return new gps::GPSFrm(this, this); });
}

void MainWorkingFrm::ChangeForRealMapMenu_Click()
{
    ShowSingleWindow(revisionMapFrm_, [this] { return new gps::RevisionMapFrm(this, this); });
}

gps::GPSFrm* MainWorkingFrm::gpsFrm() const { return gpsFrm_.data(); }
gps::RevisionMapFrm* MainWorkingFrm::revisionMapFrm() const { return revisionMapFrm_.data(); }
