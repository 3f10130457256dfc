#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QPushButton>

#include <vector>

#include "AreaJudgementRun.h"

#include "MainWorkingFrm.h"
#include "demo/DemoSequence.h"
#include "demo/DemoTiming.h"
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

AreaJudgementRun::AreaJudgementRun(MainWorkingFrm& window) : w_(window) {}

void AreaJudgementRun::JudgeSateNumInComuAreaMenu_Click()
{
    if (running_ != nullptr) return;  // one judgement at a time
    QPointer<MainWorkingFrm> self(&w_);
    w_.ReadComputeCondition();
    StartAreaGPSFrm::ShowModal(&w_, gDemoMode == -1);
    if (!self || gDialogResult != 1) return;
    if (!RunAreaJudgement(false)) return;
    if (gDemoMode == -1) {
        // Hand the demonstration on to its next step.
        w_.ContinueDemonstrationAt(3, kDemoEndMs);
        SetDemoMode(0);
    }
}

void AreaJudgementRun::JudgeMeanSateNumInComuAreaMenu_Click()
{
    if (running_ != nullptr) return;
    QPointer<MainWorkingFrm> self(&w_);
    w_.ReadComputeCondition();
    StartAreaMeanGPSFrm::ShowModal(&w_, gDemoMode == -1);
    if (!self || gDialogResult != 2) return;
    RunAreaJudgement(true);
}

bool AreaJudgementRun::RunAreaJudgement(bool mean)
{
    QPointer<MainWorkingFrm> self(&w_);
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
        platform::ShowMessage(&w_, QStringLiteral("計算日の日付が正しくないため、衛星の位置を計算できません。"));
        return false;
    }
    const judge::SatelliteTable sats = judge::CurrentSatelliteTable();
    setResultMapShown(false, false);
    SetRotateSinceJudge(0.0f);
    w_.ShowPictureAndResult();
    const double headingX = mean ? kMeanHeadingX : kCountHeadingX;
    judge::PrintHeading(*w_.PhotoPic,
                        mean ? judge::MeanHeadingText(conditions.startStep, conditions.endStep, conditions.criterion)
                             : judge::CountHeadingText(conditions.startStep),
                        headingX, kHeadingY);

    const WindowLock lock(&w_, w_.StopComputeCmd);
    // Cleared before the heading's pause, so that a stop pressed while the heading shows counts.
    SetStopCompute(0);
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
    running_ = &run;
    run.run(w_.PhotoPic, [self] { return gStopCompute == 1 || !self || !self->isVisible(); });
    if (!self) return false;
    running_ = nullptr;
    if (run.stopped()) {
        judge::PrintStoppedHeading(*w_.PhotoPic, headingX, kHeadingY);
    }

    areaResult_ = std::make_shared<const judge::AreaResult>(run.result());
    judge::StoreResultInComuAreaMesh(*areaResult_);
    if (mean) {
        DrawMeanSateNumLegend();
        setResultMapShown(false, true);
    } else {
        DrawSateNumLegend();
        setResultMapShown(true, false);
    }
    return true;
}

void AreaJudgementRun::RedrawAreaResults(bool shifted)
{
    if (countMapShown()) {
        RedrawSateNumMap();
        DrawSateNumLegend();
    }
    if (probabilityMapShown()) {
        if (shifted) w_.RedrawMeanSateNumMap2();
        else RedrawMeanSateNumMap();
        DrawMeanSateNumLegend();
    }
    if (running_ != nullptr) {
        judge::RedrawResultMap(*w_.PhotoPic, running_->result(), CurrentMapView());
    }
}

void AreaJudgementRun::RedrawSateNumMap()
{
    if (areaResult_ && areaResult_->kind == judge::AreaResultKind::Count) judge::RedrawResultMap(*w_.PhotoPic, *areaResult_, CurrentMapView());
}

void AreaJudgementRun::RedrawMeanSateNumMap()
{
    if (areaResult_ && areaResult_->kind == judge::AreaResultKind::Mean) judge::RedrawResultMap(*w_.PhotoPic, *areaResult_, CurrentMapView());
}

void AreaJudgementRun::DrawSateNumLegend()
{
    if (areaResult_ && areaResult_->kind == judge::AreaResultKind::Count) judge::DrawSateNumLegend(*w_.PhotoPic, areaResult_->conditions);
}

void AreaJudgementRun::DrawMeanSateNumLegend()
{
    if (areaResult_ && areaResult_->kind == judge::AreaResultKind::Mean) judge::DrawMeanSateNumLegend(*w_.PhotoPic, areaResult_->conditions);
}

int AreaJudgementRun::LoadSatelliteData6(int StartT, int ix10, int jy10, int NumX, int NumY, float DifIX) const
{
    const int n = judge::VisibleFromCell(gBillHeightMesh, CellSetup(NumX, NumY, DifIX), judge::CurrentSatelliteTable(), StartT, ix10, jy10);
    return n > 0 ? n : 1;
}

int AreaJudgementRun::LoadSatelliteData7(int& StartT, int ix10, int jy10, int NumX, int NumY, float DifIX) const
{
    StartT = gStartTimeStep;
    return judge::RateClassOfCell(gBillHeightMesh, CellSetup(NumX, NumY, DifIX), judge::CurrentSatelliteTable(), gStartTimeStep,
                                  gEndTimeStep, gMeanSateCriterion, ix10, jy10);
}
