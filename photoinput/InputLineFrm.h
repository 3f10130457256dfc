#pragma once
// The building input window ("３D写真"): one oblique picture of the site, the two eye altitudes
// and north set on a dial, the roofs and wall lines traced on the picture, the plan they give,
// and the hand-over of the plan to the site map as its buildings.
//
// The roof records of the photo model are the building model's own (TopAreaModel), so loading
// the window empties the site's buildings. The window keeps a copy of them (and of the north-up
// points) from its load and puts it back whenever it closes without handing over, so the site map
// always shows what it holds. Its close button converts the picture to the plan and hands the
// plan over north-up (zoom step of the site map from the plan's, the map redrawn through the
// port, the model kept in the working file Sample1/TempData1.dat for the next opening).
//
// One instance, created by the main window's command and deleted when closed; the next opening
// loads a new one. Split by concern: InputLineFrm.cpp (layout, load, activation, close and
// hand-over, edit and help commands), InputLinePicture.cpp (pictures, overlay, picture buttons),
// InputLineCalibration.cpp (altitude boxes, dial, north-up redraw), InputLinePlan.cpp (view
// switch, plan view, footprint developer button), InputLineFiles.cpp (data files, sample sets).
//
// The tracing tools (mouse handlers on the picture in the oblique view, tool cursors, the pop-up
// menu) hang on the places marked in the handlers below.

#include <QImage>
#include <QRect>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "judge/HeightGrid.h"
#include "photoinput/LineDataFile.h"
#include "photoinput/OverlayDrawing.h"
#include "planview/PlanView.h"
#include "site/MainWindowPort.h"
#include "site/TopAreaModel.h"

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QToolButton;
class NorthDial;
class PictureSurface;
class ChangeHeightFrm;

class InputLineFrm : public QWidget {
    Q_OBJECT
public:
    // Loads the window (hidden) as a window of `owner`; `port` (may be null) is the main window.
    explicit InputLineFrm(QWidget* owner, MainWindowPort* port = nullptr);
    ~InputLineFrm() override;

    // ---- Public operations (read by the height dialog) ----------------------------------------
    int pActiveTopArea = -1;  // the selected roof, -1 none
    // Refits the plan's zoom and draws the plan with roof `index` highlighted (-1 none), the scale
    // bar and the north mark.
    void ShowFlatLineMap(int index);
    // Empties the photo model and presses the oblique-view button.
    void ResetAllDataBuildingData();

    // ---- Window fields ------------------------------------------------------------------------
    int pFirstActivate = -1;   // -1 from the load until the first activation has run
    int pChangeCount = 0;      // 1 when the model holds edits not saved (a flag), else 0
    int pSampleSTS = 0;        // -1 while a built-in picture or data set is in use
    std::array<QString, 3> pDataFileName{QStringLiteral("*.dat"), QStringLiteral("LineData5.dat"),
                                         QStringLiteral("LineData10.dat")};
    int pInputMode = 0;        // the editing tool 0..7
    int pViewType = 1;         // 1 oblique view, 2 plan view
    float pFlatMapRate = 0.0f; // plan drawing scale, canvas units per metre
    double pDownX = 0.0, pDownY = 0.0;  // last left press on the picture (its user units)
    int pMoveSTS = 0;          // plan vertex drag: 1 while dragging, -1 after release, 0 none
    int pMovePointNum = -1;    // the dragged plan point, -1 none
    HandleBox pHandle;         // corners of the handle boxes drawn last

    // ---- Controls -----------------------------------------------------------------------------
    QMenuBar* MenuBar = nullptr;
    QMenu* FileMenu = nullptr;
    QAction* OPenPhotoMenu = nullptr;
    QAction* LoadSamplePhotoMenu = nullptr;
    QAction* LoadSample2PhotoMenu = nullptr;
    QAction* OpenDataMenu = nullptr;
    QAction* LoadSampleDataMenu = nullptr;
    QAction* LoadSample2DataMenu = nullptr;
    QAction* SaveDataMenu = nullptr;
    QMenu* EditPhotoLineMenu = nullptr;  // also the picture's pop-up menu
    QAction* DispSlopeMapMenu = nullptr;
    QAction* DispFlatMapMenu = nullptr;
    QAction* StopDrawLineMenu = nullptr;
    std::array<QAction*, 8> InputModeMenu{};
    QAction* ChangeBillHeightMenu = nullptr;
    QAction* Remove1TopAreaMenu = nullptr;
    QAction* HelpMenu = nullptr;

    QFrame* BasePic = nullptr;
    PictureSurface* PhotoPic = nullptr;
    NorthDial* AzimusPic = nullptr;
    QLineEdit* AzimusTxt = nullptr;
    QLabel* AzimusHdLbl = nullptr;
    QLabel* AzimusLbl = nullptr;
    QGroupBox* HeightFlm = nullptr;
    QLineEdit* VerHeightmTxt = nullptr;
    QLineEdit* IncliHeightmTxt = nullptr;
    QLineEdit* HeightTxt = nullptr;
    QGroupBox* ViewFlm = nullptr;
    std::array<QToolButton*, 2> SlopeOrFlatRbn{};
    QGroupBox* LineEditFlm = nullptr;
    std::array<QToolButton*, 8> InputModeRbn{};
    QPushButton* ClearPhotoCmd = nullptr;
    QPushButton* ResetDataCmd = nullptr;
    QPushButton* CloseCmd = nullptr;
    QPushButton* SaveDemoCmd = nullptr;        // developer button, hidden
    QPushButton* ComputeCutBillCmd = nullptr;  // developer button, hidden

    // ---- Handlers -----------------------------------------------------------------------------
    // Close button: the plan and the hand-over (or the save question).
    void CloseCmd_Click();
    void DispSlopeMapMenu_Click();
    void DispFlatMapMenu_Click();
    // "中止": the tool in use is dropped (select tool, no selection); the edits stay unsaved.
    void StopDrawLineMenu_Click();
    void Remove1TopAreaMenu_Click();
    void ChangeBillHeightMenu_Click();
    void HelpMenu_Click();
    // The view buttons: index 0 oblique, 1 plan; `pressed` the new state (release does nothing).
    void SlopeOrFlatRbn_Click(int index, bool pressed);
    // Presses view button `index` and releases the other, running the switch when it changes.
    void PressViewButton(int index);
    // Tool selection from the palette or the menu (the altitude check before tools 2, 3 and 7).
    void SelectInputMode(int tool);

    // Pictures and overlay.
    void OPenPhotoMenu_Click();
    void LoadSamplePhotoMenu_Click();
    void LoadSample2PhotoMenu_Click();
    // Loads the picture file at `path` (its type is its suffix, jpg, jpeg or bmp without case);
    // false when refused or unreadable (nothing changed).
    bool OpenPhotoFile(const QString& path);
    void ShowPhotoLine(int active, int wallSwitch);
    void ShowPhotoLineOnly();
    void ShowAreaHandle(double x1, double x2, double y1, double y2);
    void ShowSelectHandle();
    void ClearPhotoCmd_Click();
    void ResetDataCmd_Click();
    bool pictureLoaded() const { return !photo_.isNull(); }
    bool pictureShown() const { return photoShown_; }
    const QImage& picture() const { return photo_; }

    // Calibration.
    // 1 when the altitudes allow the plan and the measuring tools, else -1 after a message.
    int CheckPhotoHeight();
    void VerHeightmTxt_Change();
    void IncliHeightmTxt_Change();
    void AzimusTxt_KeyDown(int keyCode);
    void PointImg_MouseUp(double bearing);
    // After a change of the north angle: the plan view is drawn again north-up (refitted, with
    // the footprint crossings); the oblique view redraws its overlay (the picture does not turn).
    void RedrawAzimusView();
    // Sets the north angle and puts the dial marker and the angle box to it.
    void ShowNorthAngle(float degrees);

    // Plan view.
    void DrawFlatLineMap(int index);
    void ComputeCutBillCmd_Click();
    void ShowCutBillEdge();
    const std::vector<judge::Crossing>& footprintCrossings() const { return footprintCrossings_; }

    // Data files and sample sets.
    void OpenDataMenu_Click();
    void SaveDataMenu_Click();
    void LoadSampleDataMenu_Click();
    void LoadSample2DataMenu_Click();
    void SaveDemoCmd_Click();
    // The working file: written at the hand-over (a failure is reported), read at the first
    // activation after a hand-over.
    bool SaveTempLineData();
    void LoadTempLineData();
    // Size and position of the picture's surface in its frame, as line 2 of a data file holds it:
    // the picture's size and place (its width the picture width of the roofs) in either view.
    PhotoSurfaceGeometry SurfaceGeometry() const;

    // Mouse on the picture, in its user units (photo coordinates or plan canvas).
    void PhotoPic_MouseDown(Qt::MouseButton button, QPointF at);
    void PhotoPic_MouseMove(Qt::MouseButtons buttons, QPointF at);
    void PhotoPic_MouseUp(Qt::MouseButton button, QPointF at);
    void PhotoPic_DblClick(Qt::MouseButton button);

    // The plan as drawn: the scale pFlatMapRate, turned north-up by gNorthAngle.
    PlanFrame planFrame() const;

    // True once the buildings were handed over (the close that follows keeps them).
    bool handedOver() const { return handedOver_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildControls();
    void ConnectControls();
    void Form_Load();
    void Form_Activate();
    // Close query: true when the window may close (after an optional save question).
    bool Form_QueryUnload();
    void HandOver();
    // Asks before unsaved edits are thrown away; true when the command may go on.
    bool ConfirmDiscardEdits(const QString& question);
    // Enables the tools of the current view (buttons and menu entries).
    void EnableToolsForView(bool plan);
    void ReleaseToolButtons();

    // Picture surface helpers.
    // Puts `picture` into the picture box at its own size, centred in the frame, in photo
    // coordinates, and keeps it as the untouched copy.
    void SetPhoto(const QImage& picture);
    // The picture box back at the photo's size, place and photo coordinates.
    void RestorePhotoSurface();
    // Clears the drawings; the picture stays when it is shown and the oblique view is on.
    void ClearToPicture();
    bool LoadSamplePhoto(int which);
    void ChangeToFlatView();
    void LoadSampleData(int which);
    // Puts the camera values of the model into the altitude boxes and north onto the dial.
    void ShowModelCalibration();

    MainWindowPort* port_ = nullptr;
    TopAreaSnapshot siteBuildings_;  // the site's buildings when the window loaded
    bool handedOver_ = false;
    QImage photo_;                   // the untouched picture (empty before the first load)
    bool photoShown_ = true;         // "画像消去" hides it, "戻す" shows it again
    QRect photoRect_;                // the picture box in its frame while the picture is shown
    bool planConverted_ = false;     // the last switch to the plan converted the model
    std::vector<judge::Crossing> footprintCrossings_;
    ChangeHeightFrm* heightFrm_ = nullptr;
};
