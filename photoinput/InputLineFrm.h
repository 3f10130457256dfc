#pragma once
// The building input window ("３D写真"): one oblique picture of the site, the two eye altitudes
// and north set on a dial, the roofs and wall lines traced on the picture, the plan they give,
// and the hand-over of the plan to the site map as its buildings.
//
// The roof records of the photo model are the building model's own (TopAreaModel), so loading
// the window empties the site's buildings. The window keeps a copy of them (and of the north-up
// points) from its load and puts it back whenever it closes without handing over, so the site map
// always shows what it holds. Its close button, and alike its title bar's close, converts the
// picture to the plan and hands the plan over north-up (zoom step of the site map from the
// plan's, the map redrawn through the port, the model kept in the working file
// Sample1/TempData1.dat for the next opening); only the program's own close when it ends hands
// nothing over.
//
// One instance, created by the main window's command and deleted when closed; the next opening
// loads a new one. Split by concern: InputLineFrm.cpp (layout, load, activation, close and
// hand-over, edit and help commands), InputLinePicture.cpp (pictures, overlay, picture buttons),
// InputLineCalibration.cpp (altitude boxes, dial, north-up redraw), InputLinePlan.cpp (view
// switch, plan view, footprint developer button), InputLineFiles.cpp (data files, sample sets),
// InputLineTools.cpp (the editing tools' choice from the palette and the menu, their pointers),
// InputLineMouse.cpp (the picture's mouse handlers, forwarded to the editor, and what the editor
// asks of the window), InputLineAutoRoof.cpp. The editing itself (tracing, moving, adding and
// deleting points in the oblique view, selecting, zooming and dragging in the plan) and its state
// are the window's own PictureEditor (PictureEditor.h).

#include <QImage>
#include <QRect>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "judge/HeightGrid.h"
#include "photoinput/LineDataFile.h"
#include "photoinput/OverlayDrawing.h"
#include "photoinput/PhotoModel.h"
#include "photoinput/PictureEditor.h"
#include "platform/ToolCursor.h"
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

class InputLineFrm : public QWidget, private PictureEditorHost {
    Q_OBJECT
public:
    // Loads the window (hidden) as a window of `owner`; `port` (may be null) is the main window.
    explicit InputLineFrm(QWidget* owner, MainWindowPort* port = nullptr);
    ~InputLineFrm() override;

    // Refits the plan's zoom and draws the plan with roof `index` highlighted (-1 none), the scale
    // bar and the north mark.
    void ShowFlatLineMap(int index) override;
    // Empties the photo model and presses the oblique-view button.
    void ResetAllDataBuildingData();

    // ---- Window state -------------------------------------------------------------------------
    int selectedRoof() const { return editor_->selectedRoof(); }  // -1 none
    // True when the model holds edits not saved. Closing, a new picture or data file, a sample
    // set and "全て消去" ask before such edits are lost, also on a sample: a sample as loaded has
    // none, and once the user changed it the work is the user's.
    bool hasUnsavedEdits() const { return unsavedEdits_; }
    void setUnsavedEdits(bool unsaved) { unsavedEdits_ = unsaved; }
    bool planShown() const override { return planShown_; }  // else the oblique view
    float planScale() const { return planScale_; }  // plan drawing scale, canvas units per metre
    const QString& dataFileName() const { return dataFileName_; }  // the data file's name
    // The editing on the picture: the tool in use, the selection and the strokes under way.
    const PictureEditor& editor() const { return *editor_; }
    // Puts tool `tool` in use as it is, without the view's and the altitudes' checks and without
    // showing it on the palette (for driving the mouse handlers directly).
    void SetToolInUse(int tool) { editor_->setTool(tool); }

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
    // Close button, and the title bar's close alike: the plan and the hand-over (or the save
    // question); altitudes that give no plan keep the window open with their message.
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
    // Tool selection: palette button `index` went down (`value` true) or up; menu entry `index`
    // chosen. Both paths are one selection (the palette and the menu show the tool in use) and
    // both run the altitude check before tools 2, 3 and 7.
    void InputModeRbn_Click(int index, bool value);
    void InputModeMenu_Click(int index);
    // The same as choosing tool `tool` on the palette.
    void SelectInputMode(int tool);

    // Pictures and overlay.
    void OPenPhotoMenu_Click();
    void LoadSamplePhotoMenu_Click();
    void LoadSample2PhotoMenu_Click();
    // Loads the picture file at `path` (its type is its suffix, jpg, jpeg or bmp without case);
    // false when refused or unreadable (nothing changed).
    bool OpenPhotoFile(const QString& path);
    void ShowPhotoLine(int active, int wallSwitch) override;
    void ShowPhotoLineOnly();
    // The automatic-roof tool's double-click at the editor's working point: the roof, its wall
    // edge and the height in HeightTxt, with the busy pointer while it runs.
    void DetectRoofAtClick() override;
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
    // The plan at the current scale with its scale bar and north mark, roof `index` highlighted.
    void RedrawPlan(int index) override;
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

    // The plan as drawn: the scale planScale(), turned north-up by gNorthAngle.
    PlanFrame planFrame() const override;

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
    // Close query of a close by the program (when it ends): true when the window may close
    // (after an optional save question); nothing is handed over.
    bool Form_QueryUnload();
    // The user's close (the close button or the title bar): true when the window may close,
    // after the plan was handed over or there was nothing to hand over.
    bool QueryCloseWithHandOver();
    void HandOver();
    // Asks before unsaved edits are thrown away; true when the command may go on.
    bool ConfirmDiscardEdits(const QString& question);
    // Enables the tools of the current view (buttons and menu entries).
    void EnableToolsForView(bool plan);
    void ReleaseToolButtons();
    enum class ToolSource { Palette, Menu };
    void ChooseTool(int tool, ToolSource source);
    // Checks the palette button and the menu entry of the tool in use, and only those.
    void ShowToolInUse();
    // Tool `tool`'s pointer on the window and the picture (the default arrow for none); a file
    // that cannot be read leaves the pointer as it was.
    void SetToolPointer(const ToolCursor& pointer);
    // Tool 0 with its pointer (the palette and menu are left to the caller).
    void BackToSelectTool();
    // No roof selected: the roof commands that need one are disabled.
    void DeselectRoof();

    // What the editor asks of the window (InputLineMouse.cpp).
    void MarkEdited() override;
    void RoofSelected(int roof) override;
    void ShowWallHeight(double topY, double footY) override;
    void ShowEditMessage(const QString& message) override;
    void PopUpEditMenu(QPointF at) override;

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
    // The number in a box (an altitude or the north angle), 0 when there is none.
    static double BoxValue(const QLineEdit* box);
    // The check of an altitude box: text that is no number and a value outside 0..1500 are
    // refused and the box emptied.
    void CheckAltitudeBox(QLineEdit* box);
    // Puts the camera values of the model into the altitude boxes and north onto the dial.
    void ShowModelCalibration();

    MainWindowPort* port_ = nullptr;
    std::unique_ptr<PictureEditor> editor_;
    bool activated_ = false;         // the first activation has run
    bool unsavedEdits_ = false;
    QString dataFileName_ = QStringLiteral("*.dat");
    bool planShown_ = false;
    float planScale_ = 0.0f;
    TopAreaSnapshot siteBuildings_;  // the site's buildings when the window loaded
    bool handedOver_ = false;
    bool closingByButton_ = false;   // the close under way comes from the close button
    QImage photo_;                   // the untouched picture (empty before the first load)
    bool photoShown_ = true;         // "画像消去" hides it, "戻す" shows it again
    QRect photoRect_;                // the picture box in its frame while the picture is shown
    bool planConverted_ = false;     // the last switch to the plan converted the model
    std::vector<judge::Crossing> footprintCrossings_;
    ChangeHeightFrm* heightFrm_ = nullptr;
};
