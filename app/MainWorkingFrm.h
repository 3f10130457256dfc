#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>

// The main window: the shell of the whole system, with the site map, the observation
// conditions, the tool palette and the menus that open every other window.
// One instance, created on first use (instance()) and kept until the program ends.
class MainWorkingFrm : public QMainWindow {
    Q_OBJECT
public:
    static MainWorkingFrm* instance();
    // The instance when it exists, else nullptr (does not create it).
    static MainWorkingFrm* existing();
    ~MainWorkingFrm() override;

    // Menu bar: ファイル
    QMenu* FileHandleMenu = nullptr;
    QAction* TheNewProjectMenu = nullptr;
    QMenu* OpenProjectMenu = nullptr;
    QAction* LoadMapDataMenu = nullptr;
    QAction* LoadStoredGPSDataMenu = nullptr;
    QAction* SaveProjectMenu = nullptr;
    QAction* ReadSampleDataMemu = nullptr;
    // ３D画像取り扱い (a command on the bar itself)
    QAction* AroundBuildingInputMenu = nullptr;
    // GPS
    QMenu* StartGPSMenu = nullptr;
    QAction* ChangeForRealMapMenu = nullptr;
    QAction* ReaObservationGPSMenu = nullptr;
    QAction* CompareGPSMenu = nullptr;
    // 編集 (hidden)
    QMenu* EditDataMenu = nullptr;
    QAction* RotateBuildingMenu = nullptr;
    QAction* BuildingHeightMenu = nullptr;
    // クリア, デモ, ヘルプ
    QAction* ClearDataMenu = nullptr;
    QMenu* StartDemoMenu = nullptr;
    QAction* StartDemo1Menu = nullptr;
    QAction* StartDemo2Menu = nullptr;
    QAction* HelpMenu = nullptr;

    // Pop-up menus of the site map (not on the bar).
    QMenu* EditingDataMenu = nullptr;
    QAction* SetBuildingHeightMenu = nullptr;
    QAction* DeleteBuildingMenu = nullptr;
    QMenu* ChangeLevelMenu = nullptr;
    QAction* DispHeavenGPSMenu = nullptr;
    QAction* SkyPlotGPSMenu = nullptr;
    QAction* SkyProtAndSateNumMenu = nullptr;
    QAction* JudgeSateNumInComuAreaMenu = nullptr;
    QAction* JudgeMeanSateNumInComuAreaMenu = nullptr;
    QMenu* LineDrawMenu = nullptr;
    QMenu* MeasureDistMenu = nullptr;
    QAction* EnsMeasureSistMenu = nullptr;

private:
    MainWorkingFrm();
    void BuildMenus();

    static MainWorkingFrm* instance_;
};
