// The main window's command that opens the building input, and the manual the building input's
// help command shows.
#include "MainWorkingFrm.h"
#include "SiteMapEditor.h"

#include "app/HandOverWatch.h"
#include "app/ManualFrm.h"
#include "app/SingleWindow.h"
#include "photoinput/InputLineFrm.h"
#include "site/RunState.h"

void MainWorkingFrm::AroundBuildingInputMenu_Click()
{
    if (gDemoMode != 0) return;
    // The building input works on the shared building records: the height dialog of a building
    // of the map would name another building once they change.
    CloseHeightDialog();
    editor_->setActiveBuilding(-1);
    ShowSingleWindow(inputLineFrm_, [this] {
        auto* window = new InputLineFrm(this, this);
        WatchHandOver(window, [this] { TakeHandedOverSite(true); });
        return window;
    });
}

void MainWorkingFrm::TakeHandedOverSite(bool userWork)
{
    if (userWork) ++pChangeCount;
    DropGpsTrackThatDoesNotFit();
    ShowSiteInItsFrame();
}

InputLineFrm* MainWorkingFrm::inputLineFrm() const { return inputLineFrm_; }

void MainWorkingFrm::ShowBuildingInputManual(QWidget* owner) { Manual4Frm::Open(owner); }
