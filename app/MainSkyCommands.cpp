// The sky-view commands of the site map: each reads the conditions again, rebuilds the height
// grid under the map as drawn and computes the skyline at its observer point before its view
// opens; the orbit view, the sky view and the orbit-and-count window, opened with the main window
// as their port; and the menu bar's "クリア(&C)", which takes the result maps off the map.
#include <QTableWidget>

#include "MainWorkingFrm.h"
#include "AreaJudgementRun.h"
#include "site/RunState.h"
#include "site/MapView.h"
#include "judge/HeightGrid.h"
#include "judge/Meshes.h"
#include "judge/Skyline.h"
#include "orbit/AlmanacTable.h"
#include "orbit/ObservationConditions.h"
#include "orbit/VisibleSatellites.h"
#include "platform/OwnedWindow.h"
#include "platform/WaitTime.h"
#include "skyview/DispCumpuSateliteObitFrm.h"
#include "skyview/DispHeavenGPSFrm.h"
#include "skyview/SkyAndSateNumFrm.h"

// The moment the sky-view command gives a newly shown view to load and draw (seconds).
double gSkyViewOpenWait = 1.0;

namespace {

// The single instance of a view with the main window as its owner and port: made again once
// it has closed (it is deleted a moment after it unloads).
template <class View>
View* SingleView(QPointer<View>& instance, MainWorkingFrm* owner)
{
    if (instance.isNull() || instance->unloaded()) {
        instance = new View(owner, owner);
    }
    return instance;
}

}  // namespace

void MainWorkingFrm::ConnectSkyCommands()
{
    connect(SkyPlotGPSMenu, &QAction::triggered, this, &MainWorkingFrm::SkyPlotGPSMenu_Click);
    connect(DispHeavenGPSMenu, &QAction::triggered, this, &MainWorkingFrm::DispHeavenGPSMenu_Click);
    connect(ClearDataMenu, &QAction::triggered, this, &MainWorkingFrm::ClearDataMenu_Click);
    connect(SkyProtAndSateNumMenu, &QAction::triggered, this, &MainWorkingFrm::SkyProtAndSateNumMenu_Click);
}

void MainWorkingFrm::PrepareSkyViewGrid(bool allDay)
{
    FirstCutGrid->setRowCount(0);
    if (allDay) {
        ReadComputeConditionAllDay();
    } else {
        ReadComputeCondition();
    }
    // Cells of 16/3 picture units at the current zoom: (864 / scale) / 162 metres.
    MakeBillHeightMesh(CurrentMapView().cellSize());
}

void MainWorkingFrm::ComputeSkylineUnderPicturePoint(double px, double py)
{
    // Grid metres are picture units over the scale the grid was built with, whatever the pan and
    // turn: the observer is the site point the map draws at (px, py).
    const double scale = gBillHeightMeshView.scale;
    ComputeCutElevation(px / scale, py / scale, judge::kMarchLastX, judge::kMarchLastY, gBillHeightMeshCell, gAntennaHeight);
}

bool MainWorkingFrm::LoadAlmanacDataBase()
{
    return orbit::LoadAlmanacDataBase(DataPath(QStringLiteral("data0"), QStringLiteral("Almanac1.alx")).toStdString());
}

DispCumpuSateliteObitFrm* MainWorkingFrm::DispCumpuSateliteObit() { return SingleView(dispCumpuSateliteObitFrm_, this); }

void MainWorkingFrm::SkyPlotGPSMenu_Click()
{
    PrepareSkyViewGrid(false);
    ComputeSkylineUnderPicturePoint(0.0, 0.0);
    DispCumpuSateliteObitFrm* view = DispCumpuSateliteObit();
    // A view that is already open redraws with the new skyline; a new one draws at its first
    // activation.
    if (view->pFirstActivate == 0) {
        view->ShowCurrentSateVisible();
    }
    platform::ShowOwnedWindow(view);
}

void MainWorkingFrm::RecomputeSateliteCource(double heightOffset)
{
    // On the grid of the last command, whatever the map shows now.
    ComputeCutElevation(0.0, 0.0, judge::kMarchLastX, judge::kMarchLastY, gBillHeightMeshCell, static_cast<float>(heightOffset));
}

void MainWorkingFrm::SkyProtAndSateNumMenu_Click()
{
    // The conditions are read first, so that the window loads on them: its lists select the
    // whole degrees of the position just typed, and its own recomputations start from them.
    PrepareSkyViewGrid(false);
    gComuAreaMesh.clear();
    ComputeSkylineUnderPicturePoint(0.0, 0.0);
    // Its load reads the almanac database again, so the whole day is computed after it, with the
    // almanac and the exclusions the window lists, at the exact position.
    SkyAndSateNumFrm view(this, this);
    orbit::ComputeSateAzimusElevation(0, kLastTimeStep);
    orbit::CountVisibleSateInTime(0, kLastTimeStep);
    view.exec();
}

DispHeavenGPSFrm* MainWorkingFrm::DispHeavenGPS() { return SingleView(dispHeavenGPSFrm_, this); }

void MainWorkingFrm::DispHeavenGPSMenu_Click()
{
    PrepareSkyViewGrid(true);
    QPointer<DispHeavenGPSFrm> view = DispHeavenGPS();
    platform::ShowOwnedWindow(view);
    // The view's first activation draws with the skyline as it stood; the one under the map's
    // picture point (200, 0) follows.
    platform::WaitTime(gSkyViewOpenWait);
    ComputeSkylineUnderPicturePoint(200.0, 0.0);
    // The view may have been closed during the wait.
    if (!view.isNull() && !view->unloaded()) {
        view->ShowCurrentSateVisible();
    }
    SetDispHeavenMode(1);
}

void MainWorkingFrm::ClearDataMenu_Click()
{
    judgement_->setResultMapShown(false, false);
    ShowPictureAndResult();
    ReadComputeCondition();
}
