#pragma once
// What the main window does for the demonstration's step machine (DemoSequence.h): its panels on
// the site map, its two demonstration timers at the demonstration speed, the windows and commands
// of the steps, and the watch on the windows a step opens, so that one closed by hand ends the
// demonstration.

#include <QObject>

#include "demo/DemoSequence.h"

class MainWorkingFrm;

class MainDemoStage final : public DemoStage {
public:
    explicit MainDemoStage(MainWorkingFrm& window) : w_(window) {}

    void ShowMenuPicture(int index) override;
    void HideMenuPicture(int index) override;
    void ShowMessage(int index) override;
    void HideMessage() override;
    void ShowBanner(bool shown) override;
    void HideClickHint() override;
    void ArmDemoTmr(int ms) override;
    void StopDemoTmr() override;
    void ArmHandleTmr(int ms) override;
    void StopHandleTmr() override;
    void OpenInputDemonstration(int number) override;
    void RunCommand(DemoCommand command) override;
    void ResetLastPress() override;

private:
    MainWorkingFrm& w_;
    // Context of the watches on the step windows: gone with the stage, so that windows the main
    // window deletes after it never reach the step machine.
    QObject watch_;
};
