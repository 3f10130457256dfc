// "GPS比較(&C)": the comparison window, the receiver's sky beside the predicted sky. Like the sky
// view's command it reads the conditions for the whole day and rebuilds the height grid, shows the
// window (whose first activation computes its own whole-day tables), lets it settle, computes the
// skyline at the site point under picture point (200, 0) and has the window redraw its predicted
// half with it; then site-map presses (request 2) redraw that half for the pressed point.
#include "MainCompareCommand.h"

#include "MainWorkingFrm.h"
#include "gps/BothSateObitFrm.h"
#include "platform/OwnedWindow.h"
#include "platform/WaitTime.h"
#include "site/RunState.h"

double gCompareOpenWait = 1.0;

void MainWorkingFrm::ConnectCompareCommand()
{
    connect(CompareGPSMenu, &QAction::triggered, this, &MainWorkingFrm::CompareGPSMenu_Click);
}

gps::BothSateObitFrm* MainWorkingFrm::bothSateObitFrm() const { return bothSateObitFrm_; }

void MainWorkingFrm::CompareGPSMenu_Click()
{
    PrepareSkyViewGrid(true);
    if (!bothSateObitFrm_.isNull() && bothSateObitFrm_->unloaded()) bothSateObitFrm_ = nullptr;
    platform::ShowSingleWindow(bothSateObitFrm_, [this] { return new gps::BothSateObitFrm(this, this); });
    platform::WaitTime(gCompareOpenWait);
    ComputeSkylineUnderPicturePoint(200.0, 0.0);
    // The window may have been closed during the wait.
    if (!bothSateObitFrm_.isNull() && !bothSateObitFrm_->unloaded()) {
        bothSateObitFrm_->ShowCurrentSateVisible();
    }
    SetDispHeavenMode(2);
}
