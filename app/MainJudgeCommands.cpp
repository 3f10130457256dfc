// The area judgements on the main window: the two pop-up menu commands, the run they share (with
// the window locked but for the stop button), the per-cell public operations and the repaint of
// a shown result after every redraw of the site map.
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QPushButton>

#include <vector>

#include "MainWorkingFrm.h"
#include "site/RunState.h"
#include "site/MapView.h"
#include "judge/AreaResult.h"
#include "judge/CellJudge.h"
#include "judge/HeightGrid.h"
#include "judge/PaintingJudgement.h"
#include "judge/ResultDrawing.h"
#include "judge/TimeDialogs.h"
#include "orbit/ObservationConditions.h"
#include "orbit/OrbitEngine.h"
#include "platform/MessageBox.h"
#include "platform/PictureSurface.h"
#include "platform/WaitTime.h"

namespace {

// Disables every control and command of a window except one button (and what contains it) for
// its lifetime, then enables again exactly what it disabled. Windows the main window owns (dialogs,
// other views) are left alone. Survives the window being destroyed first.
class WindowLock {
public:
    WindowLock(QWidget* root, QWidget* keep)
    {
        LockChildren(root, keep);
        for (QAction* action : root->findChildren<QAction*>()) {
            if (action->isEnabled() && OfThisWindow(action, root)) {
                action->setEnabled(false);
                actions_.emplace_back(action);
            }
        }
    }
    ~WindowLock()
    {
        for (const auto& widget : widgets_) {
            if (widget) widget->setEnabled(true);
        }
        for (const auto& action : actions_) {
            if (action) action->setEnabled(true);
        }
    }
    WindowLock(const WindowLock&) = delete;
    WindowLock& operator=(const WindowLock&) = delete;

private:
    // The window's own commands: those of its menu bar, its controls and its pop-up menus, not
    // those of another window it owns.
    static bool OfThisWindow(const QObject* object, const QWidget* root)
    {
        for (const QObject* o = object->parent(); o != nullptr && o != root; o = o->parent()) {
            const auto* widget = qobject_cast<const QWidget*>(o);
            if (widget != nullptr && widget->isWindow() && qobject_cast<const QMenu*>(widget) == nullptr) return false;
        }
        return true;
    }

    void LockChildren(QWidget* parent, QWidget* keep)
    {
        for (QObject* object : parent->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child == nullptr || child == keep || child->isWindow()) continue;
            if (child->isAncestorOf(keep)) {
                LockChildren(child, keep);
            } else if (!child->testAttribute(Qt::WA_ForceDisabled)) {
                child->setEnabled(false);
                widgets_.emplace_back(child);
            }
        }
    }

    std::vector<QPointer<QWidget>> widgets_;
    std::vector<QPointer<QAction>> actions_;
};

constexpr double kCountHeadingX = -150.0;
constexpr double kMeanHeadingX = -200.0;
constexpr double kHeadingY = 330.0;

// The judgement's conditions on the height grid last built, marching over columns 0..numX and
// rows 0..numY with the given cell size.
judge::JudgeSetup CellSetup(int numX, int numY, float cell)
{
    judge::JudgeSetup s = judge::CurrentJudgeSetup();
    s.area = judge::MarchArea{numX, numY};
    s.cell = cell;
    return s;
}

}  // namespace

void MainWorkingFrm::ConnectJudgeCommands()
{
    connect(JudgeSateNumInComuAreaMenu, &QAction::triggered, this, &MainWorkingFrm::JudgeSateNumInComuAreaMenu_Click);
    connect(JudgeMeanSateNumInComuAreaMenu, &QAction::triggered, this, &MainWorkingFrm::JudgeMeanSateNumInComuAreaMenu_Click);
}

void MainWorkingFrm::JudgeSateNumInComuAreaMenu_Click()
{
    if (runningJudgement_ != nullptr) return;  // one judgement at a time
    QPointer<MainWorkingFrm> self(this);
    ReadComputeCondition();
    StartAreaGPSFrm::ShowModal(this, gDemoMode == -1);
    if (!self || gDialogResult != 1) return;
    if (!RunAreaJudgement(false)) return;
    if (gDemoMode == -1) {
        // Hand the demonstration on to its next step.
        pDemoIndex = 3;
        DemoTmr.setInterval(3000);
        DemoTmr.start();
        gDemoMode = 0;
    }
}

void MainWorkingFrm::JudgeMeanSateNumInComuAreaMenu_Click()
{
    if (runningJudgement_ != nullptr) return;
    QPointer<MainWorkingFrm> self(this);
    ReadComputeCondition();
    StartAreaMeanGPSFrm::ShowModal(this, gDemoMode == -1);
    if (!self || gDialogResult != 2) return;
    RunAreaJudgement(true);
}

bool MainWorkingFrm::RunAreaJudgement(bool mean)
{
    QPointer<MainWorkingFrm> self(this);
    const judge::AreaResultKind kind = mean ? judge::AreaResultKind::Mean : judge::AreaResultKind::Count;
    // The conditions are taken once, here: nothing changed during the run reaches the result.
    judge::LegendConditions conditions = judge::CurrentLegendConditions();
    conditions.criterion = gMeanSateCriterion;
    // The satellite positions come first and are copied at once: a date they cannot be computed
    // for changes nothing (the earlier result stays shown), and no other window recomputing the
    // shared tables during the run reaches this judgement.
    const bool tables = mean ? orbit::ComputeSateAzimusElevation(conditions.startStep, conditions.endStep)
                             : orbit::ComputeSateAzimusElevationAtStep(conditions.startStep);
    if (!tables) {
        platform::ShowMessage(this, QStringLiteral("計算日の日付が正しくないため、衛星の位置を計算できません。"));
        return false;
    }
    const judge::SatelliteTable sats = judge::CurrentSatelliteTable();
    pShowAreaResult = 0;
    pShowMeanAreaResult = 0;
    pRotateSinceJudge = 0.0f;
    ShowPictureAndResult();
    if (mean) {
        judge::PrintHeading(*PhotoPic, judge::MeanHeadingText(conditions.startStep, conditions.endStep, conditions.criterion), kMeanHeadingX,
                            kHeadingY);
    } else {
        judge::PrintHeading(*PhotoPic, judge::CountHeadingText(conditions.startStep), kCountHeadingX, kHeadingY);
    }

    const WindowLock lock(this, StopComputeCmd);
    // Cleared before the heading's pause, so that a stop pressed while the heading shows counts.
    gStopCompute = 0;
    platform::WaitTime(judge::gJudgeHeadingPause);
    if (!self) return false;

    gBillHeightMesh.clearRange(judge::kBuildLastX, judge::kBuildLastY);
    gComuAreaMesh.clear();
    const float cell = GridCellSize(gMapScaleRate);
    MakeBillHeightMesh(cell);
    CopyComuAreaHeight(judge::kOriginCellX - 27, judge::kOriginCellY - 22, 54, 45);
    judge::JudgeSetup setup = judge::CurrentJudgeSetup();
    setup.antenna = conditions.antenna;
    setup.mask = conditions.mask;
    judge::PaintingJudgement run(mean ? judge::WindowJudge::Mean(gBillHeightMesh, setup, sats, conditions.startStep, conditions.endStep,
                                                                 conditions.criterion)
                                      : judge::WindowJudge::AtStep(gBillHeightMesh, setup, sats, conditions.startStep),
                                 kind, gBillHeightMeshView, conditions);
    runningJudgement_ = &run;
    run.run(PhotoPic, [self] { return gStopCompute == 1 || !self || !self->isVisible(); });
    if (!self) return false;
    runningJudgement_ = nullptr;

    areaResult_ = std::make_shared<const judge::AreaResult>(run.result());
    judge::StoreResultInComuAreaMesh(*areaResult_);
    if (mean) {
        DrawMeanSateNumLegend();
        pShowAreaResult = 0;
        pShowMeanAreaResult = -1;
    } else {
        DrawSateNumLegend();
        pShowAreaResult = -1;
        pShowMeanAreaResult = 0;
    }
    return true;
}

void MainWorkingFrm::RedrawAreaResults(bool shifted)
{
    if (pShowAreaResult == -1) {
        RedrawSateNumMap();
        DrawSateNumLegend();
    }
    if (pShowMeanAreaResult == -1) {
        if (shifted) RedrawMeanSateNumMap2();
        else RedrawMeanSateNumMap();
        DrawMeanSateNumLegend();
    }
    if (runningJudgement_ != nullptr) {
        judge::RedrawResultMap(*PhotoPic, runningJudgement_->result(), CurrentMapView());
    }
}

void MainWorkingFrm::RedrawSateNumMap()
{
    if (areaResult_ && areaResult_->kind == judge::AreaResultKind::Count) judge::RedrawResultMap(*PhotoPic, *areaResult_, CurrentMapView());
}

void MainWorkingFrm::RedrawMeanSateNumMap()
{
    if (areaResult_ && areaResult_->kind == judge::AreaResultKind::Mean) judge::RedrawResultMap(*PhotoPic, *areaResult_, CurrentMapView());
}

void MainWorkingFrm::RedrawMeanSateNumMap2() { RedrawMeanSateNumMap(); }

void MainWorkingFrm::DrawSateNumLegend()
{
    if (areaResult_ && areaResult_->kind == judge::AreaResultKind::Count) judge::DrawSateNumLegend(*PhotoPic, areaResult_->conditions);
}

void MainWorkingFrm::DrawMeanSateNumLegend()
{
    if (areaResult_ && areaResult_->kind == judge::AreaResultKind::Mean) judge::DrawMeanSateNumLegend(*PhotoPic, areaResult_->conditions);
}

int MainWorkingFrm::LoadSatelliteData6(int StartT, int ix10, int jy10, int NumX, int NumY, float DifIX)
{
    const int n = judge::VisibleFromCell(gBillHeightMesh, CellSetup(NumX, NumY, DifIX), judge::CurrentSatelliteTable(), StartT, ix10, jy10);
    return n > 0 ? n : 1;
}

int MainWorkingFrm::LoadSatelliteData7(int& StartT, int ix10, int jy10, int NumX, int NumY, float DifIX)
{
    StartT = gStartTimeStep;
    return judge::RateClassOfCell(gBillHeightMesh, CellSetup(NumX, NumY, DifIX), judge::CurrentSatelliteTable(), gStartTimeStep,
                                  gEndTimeStep, gMeanSateCriterion, ix10, jy10);
}

int MainWorkingFrm::LoadSatelliteData80(int /*StartT*/, int ix10, int jy10, int NumX, int NumY, float DifIX)
{
    return judge::GoodSetClassOfCell(gBillHeightMesh, CellSetup(NumX, NumY, DifIX), judge::CurrentSatelliteTable(), gStartTimeStep,
                                     gEndTimeStep, gGoodSateSet, gGoodSateSetNum, ix10, jy10);
}

int MainWorkingFrm::LoadSatelliteData85(int StartT, int ix10, int jy10, int NumX, int NumY, float DifIX)
{
    return LoadSatelliteData80(StartT, ix10, jy10, NumX, NumY, DifIX);
}
