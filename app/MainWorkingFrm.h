#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <array>
#include <memory>
#include <vector>

#include "SiteMapEditorHost.h"
#include "site/MainWindowPort.h"
#include "site/TopAreaModel.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;
class PictureSurface;
class SiteMapDrawing;
class SiteMapEditor;
class AreaJudgementRun;
class DemoSequence;
class MainDemoStage;
class AntennaHeightFrm;
class ElevationMaskFrm;
class Almanac4Frm;
struct ProjectData;
namespace platform {
class CalendarPopup;
enum class FileDialogKind;
}
namespace judge {
struct AreaResult;
}
namespace gps {
class BothSateObitFrm;
class GPSFrm;
class RevisionMapFrm;
}

// The moment the sky-view command gives a newly shown sky view to load and draw (seconds; 1,
// tests set 0).
extern double gSkyViewOpenWait;

// The main window: the shell of the whole system, with the site map, the observation
// conditions, the tool palette and the menus that open every other window.
// One instance, created on first use (instance()) and kept until the program ends. It is the
// MainWindowPort of every window it opens, and the host of its site-map editor.
class MainWorkingFrm : public QMainWindow, public MainWindowPort, private SiteMapEditorHost {
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

    // The window's state (tests also set some of it to stage a case).
    // The building selected on the site map, -1 none (the editor holds it).
    int activeBuilding() const;
    void setActiveBuilding(int index);
    // Edits of the building model since the start or the last reset; closing asks when above 0.
    int changeCount() const { return pChangeCount; }
    void setChangeCount(int count) { pChangeCount = count; }
    // -1 after the built-in sample was loaded, else 0.
    int sampleLoaded() const { return pSampleLoaded; }
    void setSampleLoaded(int loaded) { pSampleLoaded = loaded; }
    // Step of the main demonstration (DemoSequence.h), -1 none.
    int demoStep() const { return pDemoIndex; }
    void setDemoStep(int step) { pDemoIndex = step; }
    // The demonstration goes on at `step` when the demonstration timer fires after `delayMs`
    // (at the demonstration speed).
    void ContinueDemonstrationAt(int step, int delayMs);
    // True once the first activation after the load was done.
    bool firstActivationDone() const { return pFirstActivate == 0; }
    // The default name of the project save.
    const QString& projectFileName() const { return pProjectFileName; }
    void setProjectFileName(const QString& name) { pProjectFileName = name; }
    // (1) the protected project name, (0) "*.dat".
    const std::array<QString, 2>& dataFileName() const { return pDataFileName; }
    // The map correction's reference point picked by request 3 (`which` 0) or 4 (1), site metres.
    double revisionPointX(int which) const { return pRevisionPointX.at(static_cast<std::size_t>(which)); }
    double revisionPointY(int which) const { return pRevisionPointY.at(static_cast<std::size_t>(which)); }

    // Site map and the drawing over it.
    PictureSurface* PhotoPic = nullptr;
    SiteMapDrawing* siteMap() const { return siteMap_.get(); }
    QFrame* PhotoFrame = nullptr;
    QFrame* HeaderPic = nullptr;
    QFrame* CarStatusPic = nullptr;

    // Observation conditions.
    std::array<QGroupBox*, 4> AlmanacFlm{};  // position, time window, date, almanac
    QGroupBox* AntennaFlm = nullptr;
    QLineEdit* LatDataTxt = nullptr;
    QLineEdit* LonDataTxt = nullptr;
    QLineEdit* AntennaHTxt = nullptr;
    QComboBox* ElevationCmb = nullptr;
    QComboBox* StartTimeCmb = nullptr;
    QComboBox* EndTimeCmb = nullptr;
    QLabel* DateLbl = nullptr;
    QLabel* AlmanacDataLbl = nullptr;
    platform::CalendarPopup* DaybrookPicker1 = nullptr;
    QPushButton* SetDataCmd = nullptr;
    QPushButton* SetAlmanacCmd = nullptr;
    QPushButton* AntennaCmd = nullptr;
    QPushButton* ElevationMaskCmd = nullptr;
    QToolButton* DispLonLatRbn = nullptr;
    QToolButton* ConnectCoastGardRbn = nullptr;

    // Commands beside the map.
    QPushButton* StopComputeCmd = nullptr;
    QPushButton* InitialDisPlayCmd = nullptr;
    QPushButton* InitializeDataCmd = nullptr;
    QPushButton* ZoomUpCmd = nullptr;
    QPushButton* ZoomDownCmd = nullptr;
    std::array<QToolButton*, 6> MoveImgCmd{};  // 0 right, 1 down, 2 up, 3 left, 4 cw, 5 ccw
    QPushButton* PrintDisplayCmd = nullptr;
    QPushButton* SaveDisplayPicCmd = nullptr;
    std::array<QToolButton*, 7> ClickPicRbn{};  // tool palette, at most one pressed

    // Read-outs under the map.
    QLabel* DistLbl = nullptr;
    QLabel* DispValue_X = nullptr;
    QLabel* DispValue_Y = nullptr;

    // Panels of the demonstrations and the map, hidden at load.
    QLabel* MessagePnl = nullptr;
    QLabel* OnDemoPnl = nullptr;
    QLabel* Message2Pnl = nullptr;
    std::array<QLabel*, 3> PopupMenuPnl{};
    QLabel* MouseIconPnl = nullptr;
    QLabel* FixDataSTSPnl = nullptr;
    QLabel* GPSPoinrImg = nullptr;
    QTableWidget* FirstCutGrid = nullptr;  // hidden work table of the height grid
    QTimer DemoTmr;
    QTimer DemoHandleTmr;

    // The operations other windows call (MainWindowPort.h says what each does).
    void InitialDisPlayCmd_Click() override;
    void MoveImgCmd_Click(int index) override;
    int ShowInputBillTopArea(int index1) override;
    void ShowGPSPoint(double x1, double y1) override;
    void HideGPSPoint() override;
    void ShowGPSPointMark() override;
    void ShowPictureAndResult() override;
    bool isJudging() const override;
    bool LoadAlmanacDataBase() override;
    void RecomputeSateliteCource(double heightOffset) override;
    void TakePictureClick(PictureClickWindow which, int mode, PictureClickClient* client) override;
    void ReleasePictureClick(PictureClickWindow which, PictureClickClient* client) override;
    void SetPickPointer(const QString& cursorPath) override;
    void HandDemonstrationBack(int nextStep) override;
    void ShowDemoClickHint(bool shown) override;
    void HideDemoPanels() override;
    void ShowBuildingInputManual(QWidget* owner) override;
    // What the demonstration's "次へ" does: the site cleared as "全て消去" clears it, the
    // demonstration mode kept.
    void ClearSiteForDemonstration();
    // A building input (`userWork`) or its demonstration handed its buildings, in local metres,
    // over: the map shows them; the user's hand-over is a change of the site like any edit on the
    // map, so closing asks to save it.
    void TakeHandedOverSite(bool userWork);

    // "３D画像取り扱い(&A)": the building input, shown modeless (nothing during a demonstration).
    void AroundBuildingInputMenu_Click();
    // The building input while it is open, else nullptr.
    class InputLineFrm* inputLineFrm() const;
    void ClickMousePoint(int num1) override;

    // The demonstrations: the menu items "デモー１(&1)" and "デモー２(&2)" (ignored while one
    // runs), StartDemo (step 0 in 5 s on the buildings the map holds, no building-input window)
    // and the two timers' handlers, all done by the step machine.
    void StartDemo1Menu_Click();
    void StartDemo2Menu_Click();
    void StartDemo();
    void DemoTmr_Timer();
    void DemoHandleTmr_Timer();
    DemoSequence& demoSequence() { return *demoSequence_; }

    // Commands (public so that menus of other windows and tests reach them).
    void ZoomUpCmd_Click();
    void ZoomDownCmd_Click();
    void InitializeDataCmd_Click();
    void TheNewProjectMenu_Click();
    // The project save command; true when the file was written (false on a cancel or a refusal).
    bool SaveProjectMenu_Click();
    void StopComputeCmd_Click();
    // Copies the condition controls into the observation conditions (time window from the lists;
    // AllDay: steps 0..288).
    void ReadComputeCondition();
    void ReadComputeConditionAllDay();
    // The tool palette's handler: every change of a toggle, with its index and new state.
    void ClickPicRbn_Click(int index, bool pressed);

    // Sky and orbit views opened from the site map.
    // The orbit-view command: conditions read, height grid rebuilt, skyline at the grid origin,
    // then the orbit view shown (created on first use).
    void SkyPlotGPSMenu_Click();
    // The orbit view, loaded without being shown when it is not loaded yet, so that other windows
    // reach its almanac label and public operations.
    class DispCumpuSateliteObitFrm* DispCumpuSateliteObit();
    // The sky-view command: conditions read for the whole day, height grid rebuilt, the sky view
    // shown (created on first use) and given a moment to draw, then the skyline at the site point
    // under picture point (200, 0) and the view redrawn with it; request 2 then serves the sky view.
    void DispHeavenGPSMenu_Click();
    // The sky view, loaded without being shown when it is not loaded yet.
    class DispHeavenGPSFrm* DispHeavenGPS();
    // What every sky-view command does first: the work table emptied, the conditions read again
    // (steps 0..288 when `allDay`) and the height grid rebuilt under the map as drawn now.
    void PrepareSkyViewGrid(bool allDay);
    // The skyline with the antenna height at the site point the map draws at picture point
    // (px, py) when the grid was built: (0, 0) for the orbit views, (200, 0) for the sky view and
    // the comparison window.
    void ComputeSkylineUnderPicturePoint(double px, double py);
    // The orbit-and-count command: conditions read, height grid rebuilt, skyline at the grid
    // origin, the whole day's satellite tables and counts of gComputeDate, then the window shown
    // modally; returns when it is closed.
    void SkyProtAndSateNumMenu_Click();
    // "クリア(&C)": the area judgements' result maps switched off, the map redrawn without them and
    // the conditions read again; the grids, the skyline and the views stay as they are.
    void ClearDataMenu_Click();
    // "GPS比較(&C)": the comparison window (MainCompareCommand.cpp), a single instance owned by
    // the main window; the accessor gives it while it is open, else nullptr.
    void CompareGPSMenu_Click();
    gps::BothSateObitFrm* bothSateObitFrm() const;

    // Building editing on the site map: the editor holds the tools' state and the selection; the
    // handlers forward to it. Others read its state; only the window's handlers change it.
    const SiteMapEditor& editor() const { return *editor_; }
    // The last press on the site map forgotten (set to the picture's origin).
    void ForgetLastPress();
    // Items of the tool pop-up LineDrawMenu (each carries a check mark).
    QAction* StopLineDrawMenu = nullptr;
    QAction* SelectTopAreaMenu = nullptr;
    QAction* ZoomUpDownMenu = nullptr;
    QAction* RectangleBillMenu = nullptr;
    QAction* DrawTopLineMenu = nullptr;
    QAction* MovePointMenu = nullptr;
    QAction* AddTopPointMenu = nullptr;
    QAction* RemoveTopPointMenu = nullptr;
    // Mouse handlers of the site map (positions in its picture units).
    void PhotoPic_MouseDown(Qt::MouseButton button, QPointF at);
    void PhotoPic_MouseMove(Qt::MouseButtons buttons, QPointF at);
    void PhotoPic_MouseUp(Qt::MouseButton button, QPointF at);
    void PhotoPic_DblClick(Qt::MouseButton button);
    void DeleteBuildingMenu_Click();
    void SetBuildingHeightMenu_Click();
    void StopLineDrawMenu_Click();
    void EnsMeasureSistMenu_Click();

    // Files: settings, projects, the sample site, GPS records, the picture save, printing and
    // the almanac commands.
    void LoadSettingData();
    // False (after a message) when the settings file could not be written.
    bool SaveSettingData();
    // Writes the project file whole or not at all; false (after a message) on failure.
    bool SaveProjectData(const QString& path);
    // 0 when the whole file was read and taken; -1 (after a message, the state unchanged) when not.
    int LoadProjectData(const QString& path);
    void SetMapCenterFromTopArea();
    void SetSampleProject();
    void LoadMapDataMenu_Click();
    void ReadSampleDataMemu_Click();
    void LoadStoredGPSDataMenu_Click();
    // Reads a GPS record file into the recorded track; false (after a message, the track
    // unchanged) when it cannot be read or holds no position, or when the map is not corrected
    // to plane coordinates and holds buildings (the record cannot be drawn with them).
    bool LoadGPSRecordData(const QString& path);
    // False, with the reason shown, when no GPS record can be drawn over this site (a map not
    // corrected to plane coordinates that holds buildings).
    bool GpsRecordCanBeDrawn();
    // Buildings were put on the map: a track that cannot be drawn with them (they lie in local
    // metres on a map not corrected, the track in plane coordinates) is dropped, so that the map
    // never shows the overlay the record's load refuses. A track stays with the buildings of a
    // corrected map. The sample, a project and a hand-over of buildings share it.
    void DropGpsTrackThatDoesNotFit();
    void SaveDisplayPicCmd_Click();
    void PrintDisplayCmd_Click();
    void SetAlmanacCmd_Click();
    void ConnectCoastGardRbn_Click(bool pressed);
    void RotateBuildingMenu_Click() {}
    void BuildingHeightMenu_Click() {}
    // The almanac import window while it is open, else nullptr.
    Almanac4Frm* almanac4Frm() const;

    // The GPS windows of the menu "GPS(&G)": the receiver window and the map correction, each a
    // single instance owned by the main window (created on first use, brought up again when open).
    void ReaObservationGPSMenu_Click();
    void ChangeForRealMapMenu_Click();
    gps::GPSFrm* gpsFrm() const;
    gps::RevisionMapFrm* revisionMapFrm() const;

    // Area judgements: the two commands of the site map's pop-up menu, the per-cell operations
    // and the repaint of a shown result with its legend, all done by the judgement run object
    // (AreaJudgementRun.h says what each does).
    AreaJudgementRun& judgement() { return *judgement_; }
    void JudgeSateNumInComuAreaMenu_Click();
    void JudgeMeanSateNumInComuAreaMenu_Click();
    int LoadSatelliteData6(int StartT, int ix10, int jy10, int NumX, int NumY, float DifIX);
    int LoadSatelliteData7(int& StartT, int ix10, int jy10, int NumX, int NumY, float DifIX);
    void RedrawSateNumMap();
    void RedrawMeanSateNumMap();
    // The same repaint as RedrawMeanSateNumMap, after a pan or turn.
    void RedrawMeanSateNumMap2();
    void DrawSateNumLegend();
    void DrawMeanSateNumLegend();
    // Every redraw of the whole site map (a deleted building included) ends with it; `shifted`
    // after a pan or turn.
    void RedrawAreaResults(bool shifted);
    // The last judged result (null before the first judgement); shown while its flag is -1.
    const judge::AreaResult* shownAreaResult() const;

    // Closes the open height dialog without storing. Whatever removes or replaces buildings calls
    // it, as the dialog's building index would then name another building.
    void CloseHeightDialog();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    MainWorkingFrm();
    void BuildMenus();
    void BuildControls();
    void BuildConditionControls();
    void BuildCommandControls();
    void BuildPanels();
    void ConnectCommands();
    void ConnectViewCommands();
    void Form_Load();
    void Form_Activate();
    void ResetAllWorkData();
    // What both reset commands do: the reset, the conditions read again, an empty model and
    // a new, unchanged project.
    void StartNewWork();
    // What "全て消去" does once the site may be given up: the tools released, the new work
    // started, the delete command and the calibration panel switched off.
    void ClearSite();
    // The question "変更を保存しますか？" (Yes, No); true for Yes.
    bool AskToSaveChanges();
    // Before the site is given up for another (a demonstration): true when nothing is unsaved,
    // the user answers No, or answers Yes and the project save wrote the file.
    bool MayGiveUpSite();
    // The site's points were replaced or changed frame (local metres, plane coordinates): the map
    // centre goes where they are (the bounding box of points in plane coordinates, the origin of
    // local metres) with no pan, and the map is reset (north up, result maps off, as they were
    // judged for other points) and redrawn, so that it shows them again.
    void ShowSiteInItsFrame();
    void ReadConditionControls(bool allDay);
    // The redraw after a view change: buildings, result overlays (`shifted`: after a pan or a
    // turn), then the distance polyline.
    void RedrawMapAfterViewChange(bool shifted) override;
    void EndProgram();

    // Condition handlers.
    void SetDataCmd_Click();
    void DaybrookPicker1_DatePicked(const QString& dateText);
    void HideCalendar();
    void LatDataTxt_Change();
    void LonDataTxt_Change();
    void CheckPositionBox(QLineEdit* box, double maximum);
    void AntennaHTxt_Change();
    void ElevationCmb_Click();
    void AntennaCmd_Click();
    void ElevationMaskCmd_Click();
    void DispLonLatRbn_Click(bool pressed);

    // Sky and orbit views opened from the site map.
    void ConnectSkyCommands();
    QPointer<DispCumpuSateliteObitFrm> dispCumpuSateliteObitFrm_;
    QPointer<DispHeavenGPSFrm> dispHeavenGPSFrm_;
    void ConnectCompareCommand();
    QPointer<gps::BothSateObitFrm> bothSateObitFrm_;

    // Window variables (16-bit integers in meaning unless said otherwise).
    int pDemoIndex = -1;          // step of the main demonstration (DemoSequence.h), -1 none
    int pFirstActivate = -1;      // -1 from the load until the end of the first activation
    int pChangeCount = 0;         // edits of the building model since the start or last reset
    int pSampleLoaded = 0;        // -1 after the built-in sample was loaded
    QString pProjectFileName;     // default name of the project save
    std::array<QString, 2> pDataFileName;  // (1) the protected project name, (0) "*.dat"
    // The map correction's reference points picked by requests 3 ([0]) and 4 ([1]), site metres.
    std::array<double, 2> pRevisionPointX{};
    std::array<double, 2> pRevisionPointY{};

    // Building editing on the site map: what the editor draws on and whom it tells.
    QWidget& editorWindow() override { return *this; }
    PictureSurface& editorPicture() override { return *PhotoPic; }
    SiteMapDrawing& editorDrawing() override { return *siteMap_; }
    bool ResultMapShown() const override;
    void ServePhotoClickRequest(QPointF at) override;
    void EditMade() override { ++pChangeCount; }
    std::unique_ptr<SiteMapEditor> editor_;
    // Requests 1 and 2 at picture point `at`: the red cross, the skyline at the site point there,
    // and the redraw of `client` (none when null).
    void ServeSkyClick(QPointF at, PictureClickClient* client);
    // The windows that picture-click requests serve, by PictureClickWindow; a client that is a
    // QObject is watched so that a destroyed one is never called.
    struct PictureClickHolder {
        PictureClickClient* client = nullptr;
        QPointer<QObject> watch;
        bool watched = false;
        PictureClickClient* get() const { return watched && watch.isNull() ? nullptr : client; }
    };
    std::array<PictureClickHolder, 4> pictureClickClients_{};

    // Files.
    void ConnectFileCommands();
    // Puts a checked project into the state and the condition boxes; false, with nothing
    // changed, when the building model refuses its buildings.
    bool TakeProject(const ProjectData& data);
    // A file dialog starting in the folder of the last one; empty on cancel.
    QString AskMainFileName(platform::FileDialogKind kind, const QStringList& filters, const QString& fileName,
                            const QString& defaultSuffix = QString());
    QString fileFolder_;  // folder of the last file dialog of the main window
    QPointer<Almanac4Frm> almanac4Frm_;
    QPointer<class InputLineFrm> inputLineFrm_;

    // GPS windows.
    void ConnectGpsCommands();
    QPointer<gps::GPSFrm> gpsFrm_;
    QPointer<gps::RevisionMapFrm> revisionMapFrm_;

    // Area judgements.
    std::unique_ptr<AreaJudgementRun> judgement_;

    // Demonstrations.
    void ConnectDemoCommands();
    void StartDemonstration(int number);
    std::unique_ptr<MainDemoStage> demoStage_;
    std::unique_ptr<DemoSequence> demoSequence_;

    std::unique_ptr<SiteMapDrawing> siteMap_;
    QPointer<AntennaHeightFrm> antennaHeightFrm_;
    QPointer<ElevationMaskFrm> elevationMaskFrm_;
    bool ending_ = false;

    static MainWorkingFrm* instance_;
};
