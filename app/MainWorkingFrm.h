#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

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
class SetBuildingHeightFrm;
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
class PaintingJudgement;
}

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

    // Window variables (16-bit integers in meaning unless said otherwise).
    int pActiveBuildingNum = -1;  // selected top area, -1 none
    int pDemoIndex = 0;           // step of the main demonstration
    int pMessageIndex = 0;        // set to -1 when a demonstration starts; not read
    int pFirstActivate = -1;      // -1 from the load until the end of the first activation
    int pEditMode = -1;           // tool of the site map 0..6, -1 none
    int pChangeCount = 0;         // edits of the building model since the start or last reset
    int pSampleLoaded = 0;        // -1 after the built-in sample was loaded
    int pPhotoTipSTS = 0;         // -1 while the map carries a picture-click hint
    QString pProjectFileName;     // default name of the project save
    std::array<QString, 2> pDataFileName;  // (1) the protected project name, (0) "*.dat"
    int pShowAreaResult = 0;      // -1 while the count map of an area judgement is shown
    int pShowMeanAreaResult = 0;  // -1 while the probability map is shown

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

    // Public operations other windows call.
    // Turns the view back to north-up, takes the result maps off, releases the tools, redraws
    // and reads the conditions again; zoom and pan stay.
    void InitialDisPlayCmd_Click();
    // Pan (0 right, 1 down, 2 up, 3 left; 4 metres) or turn (4 clockwise, 5 counter-clockwise;
    // 10 degrees), then the map redraw; any other index only redraws.
    void MoveImgCmd_Click(int index);
    // Full redraw of the site map with top area `index1` highlighted (-1 none); an index beyond
    // the last top area becomes -1 in the caller's variable.
    void ShowInputBillTopArea(int& index1);
    void ShowInputBillTopArea(int&& index1) { ShowInputBillTopArea(index1); }
    // Marks the receiver position (east, north metres in the building model's frame) on the map;
    // the marks build up as a track until the next full redraw.
    void ShowGPSPoint(double x1, double y1);

    // Commands (public so that menus of other windows and tests reach them).
    void ZoomUpCmd_Click();
    void ZoomDownCmd_Click();
    void InitializeDataCmd_Click();
    void TheNewProjectMenu_Click();
    void SaveProjectMenu_Click();
    void StopComputeCmd_Click();
    // The redraw of the map with the shown result overlays.
    void ShowPictureAndResult();
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
    // What every sky-view command does first: the work table emptied, the conditions read again
    // (steps 0..288 when `allDay`) and the height grid rebuilt under the map as drawn now.
    void PrepareSkyViewGrid(bool allDay);
    // The skyline with the antenna height at the site point the map draws at picture point
    // (px, py) when the grid was built: (0, 0) for the orbit views, (200, 0) for the sky view and
    // the comparison window.
    void ComputeSkylineUnderPicturePoint(double px, double py);
    // "クリア(&C)": the area judgements' result maps switched off, the map redrawn without them and
    // the conditions read again; the grids, the skyline and the views stay as they are.
    void ClearDataMenu_Click();

    // Building editing on the site map.
    // Items of the tool pop-up LineDrawMenu (each carries a check mark).
    QAction* StopLineDrawMenu = nullptr;
    QAction* SelectTopAreaMenu = nullptr;
    QAction* ZoomUpDownMenu = nullptr;
    QAction* RectangleBillMenu = nullptr;
    QAction* DrawTopLineMenu = nullptr;
    QAction* MovePointMenu = nullptr;
    QAction* AddTopPointMenu = nullptr;
    QAction* RemoveTopPointMenu = nullptr;
    // Press points and drawing state of the tools, picture units: the rectangle's first corner
    // (also the distance tool's last click), the last press after the tool's tip shift (the
    // double-click gestures act on it) and the rubber line's moving end.
    double pStartPointX = 0.0;
    float pStartPointY = 0.0f;
    double pLastPointX = 0.0;
    float pLastPointY = 0.0f;
    float pLineEndX = 0.0f;
    float pLineEndY = 0.0f;
    // The rooftop outline being drawn, in site metres (so a zoom, pan or turn between clicks
    // leaves it where it was drawn); as many points as the model can take.
    std::array<float, kMaxTopPoints> pTopLineX{};
    std::array<float, kMaxTopPoints> pTopLineY{};
    int pTopLinePointNum = 0;
    int pMoveSTS = 0;         // move tool: 1 dragging a vertex, -1 after its release, 0 no vertex picked
    int pMovePointNum = -1;   // the vertex being moved, -1 none
    // Picture-click requests. The orbit view that waits (request 1) sets this to redraw itself
    // after a press computed the skyline at the pressed point.
    std::function<void()> pShowCurrentSateVisible;
    // The map correction's reference points picked by requests 3 ([0]) and 4 ([1]), metres from
    // the map centre, and the hook told which one (1 or 2) was just picked.
    std::array<double, 2> pRevisionPointX{};
    std::array<double, 2> pRevisionPointY{};
    std::function<void(int point)> pRevisionPointPicked;
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
    // unchanged) when it cannot be read or holds no position.
    bool LoadGPSRecordData(const QString& path);
    void SaveDisplayPicCmd_Click();
    void PrintDisplayCmd_Click();
    void SetAlmanacCmd_Click();
    void ConnectCoastGardRbn_Click(bool pressed);
    void RotateBuildingMenu_Click() {}
    void BuildingHeightMenu_Click() {}
    // The almanac import window while it is open, else nullptr.
    Almanac4Frm* almanac4Frm() const;

    // Area judgements: the two commands of the site map's pop-up menu, the per-cell operations
    // and the repaint of a shown result with its legend.
    // "エリアＧＰＳ受信予測（指定時刻）(&T)": count of visible satellites per open cell at one step.
    void JudgeSateNumInComuAreaMenu_Click();
    // "エリアＧＰＳ受信予測（時間平均）(&M)": class of the share of steps with four (five) or more.
    void JudgeMeanSateNumInComuAreaMenu_Click();
    // Satellites visible at step StartT from grid cell (ix10, jy10) of the last built height grid,
    // marching over columns 0..NumX and rows 0..NumY with cell size DifIX metres; at least 1.
    int LoadSatelliteData6(int StartT, int ix10, int jy10, int NumX, int NumY, float DifIX);
    // Class 1..20 of the share of steps gStartTimeStep..gEndTimeStep at which the cell sees enough
    // satellites under gMeanSateCriterion; writes gStartTimeStep into StartT.
    int LoadSatelliteData7(int& StartT, int ix10, int jy10, int NumX, int NumY, float DifIX);
    // Class 1..20 of the share of steps of the span at which one of the step's listed
    // four-satellite sets (gGoodSateSet) is wholly visible from the cell; both give the same.
    int LoadSatelliteData80(int StartT, int ix10, int jy10, int NumX, int NumY, float DifIX);
    int LoadSatelliteData85(int StartT, int ix10, int jy10, int NumX, int NumY, float DifIX);
    // Repaint of the shown count map / probability map (after the buildings were redrawn) at its
    // place on the site under the current view; RedrawMeanSateNumMap2 is the same repaint.
    void RedrawSateNumMap();
    void RedrawMeanSateNumMap();
    void RedrawMeanSateNumMap2();
    // The legends with the conditions of the shown result.
    void DrawSateNumLegend();
    void DrawMeanSateNumLegend();
    // After the buildings were redrawn: the shown result with its legend (`shifted` after a pan
    // or turn), and the cells a running judgement has judged so far. Every redraw of the whole
    // site map (a deleted building included) ends with it.
    void RedrawAreaResults(bool shifted);
    // The last judged result (null before the first judgement); shown while its flag is -1.
    const judge::AreaResult* shownAreaResult() const { return areaResult_.get(); }
    // True while a judgement runs (only the stop button is enabled then).
    bool isJudging() const { return runningJudgement_ != nullptr; }

    // Picture-click request 2 and the height dialog's lifetime.
    // The redraws of the sky view (gDispHeavenMode 1) and of the comparison window
    // (gDispHeavenMode 2), set by those windows while they wait for presses on the site map.
    std::function<void()> pShowHeavenSateVisible;
    std::function<void()> pShowBothSateVisible;
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
    void ReleaseAllTools();
    void ReadConditionControls(bool allDay);
    // The redraw after a view change: buildings, result overlays (`shifted`: after a pan or a
    // turn), then the distance polyline.
    void RedrawMapAfterViewChange(bool shifted);
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

    // Building editing on the site map.
    void ConnectEditing();
    void SelectToolFromMenu(QAction* item, int tool);
    void CheckOnlyToolMenuItem(QAction* item);
    void TopLinePress(QPointF tip);
    void MeasureDistPress(QPointF at);
    // The vertex drag: the picked vertex follows the pointer, drawn in XOR over the selection.
    void MoveTopPoint(QPointF to);
    void SelectBuildingAt(QPointF at, bool enableDeleteOnHit, bool disableDeleteOnMiss);
    void InsertTopPointAt(QPointF at);
    void RemoveTopPointAt(QPointF at);
    // Draws the outline being drawn again after a full redraw, in the view now in use.
    void RedrawDrawnTopLine();
    std::vector<TopAreaPoint> DrawnTopLine() const;
    bool ResultMapShown() const { return pShowAreaResult != 0 || pShowMeanAreaResult != 0; }
    void ShowModelFullMessage();
    void ServePhotoClickRequest(QPointF at);
    bool pressServedRequest_ = false;  // the last left press went to a picture-click request
    QPointer<SetBuildingHeightFrm> heightFrm_;

    // Files.
    void ConnectFileCommands();
    // Puts a checked project into the state and the condition boxes.
    void TakeProject(const ProjectData& data);
    // A file dialog starting in the folder of the last one; empty on cancel.
    QString AskMainFileName(platform::FileDialogKind kind, const QStringList& filters, const QString& fileName,
                            const QString& defaultSuffix = QString());
    QString fileFolder_;  // folder of the last file dialog of the main window
    QPointer<Almanac4Frm> almanac4Frm_;

    // Area judgements.
    void ConnectJudgeCommands();
    // The common run of both judgements after their dialog was confirmed: clears the shown
    // result, prints the heading, builds the grid, judges and paints with only the stop button
    // live, then stores the result and draws its legend. False when the window went away
    // during the run (nothing of it may be touched then), or after a message with nothing
    // changed when the satellite positions cannot be computed for the date.
    bool RunAreaJudgement(bool mean);
    std::shared_ptr<const judge::AreaResult> areaResult_;
    judge::PaintingJudgement* runningJudgement_ = nullptr;

    // Rooftop outline: the rubber line's fixed end, the outline's last point as drawn in the
    // view now in use (picture units); kept apart from the last press of the tool in use.
    QPointF topLineAnchor_;
    std::unique_ptr<SiteMapDrawing> siteMap_;
    QPointer<AntennaHeightFrm> antennaHeightFrm_;
    QPointer<ElevationMaskFrm> elevationMaskFrm_;
    bool ending_ = false;

    static MainWorkingFrm* instance_;
};
