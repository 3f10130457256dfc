#pragma once
// The building-input demonstration window ("InputLine"): it looks like the building input and
// plays a seven-step script by itself. An intro panel explains the demonstration; "次へ" starts
// the script timer, and each tick runs the step engine (DemoStepEngine): the demonstration's
// picture and altitudes are put on, the roofs and walls are traced (demonstration 1) or found
// roof by roof (demonstration 2), the picture is emptied to show the lines alone, and the plan
// with the building heights is shown. The tick after the last step presses "閉じる(&C)", which
// hands the buildings to the site map and gives the main window's demonstration back its turn
// (MainWindowPort::HandDemonstrationBack(0)).
//
// Created by the main window's demonstration menu for demonstration gDemoNumber (1 or 2) while
// gDemoMode is -1, as a window owned by the main window (platform::ShowOwnedWindow shows it), and
// deleted when it closes. Closing it in any way before the script reached
// its last step, and closing it by its close box, ends the demonstration (gDemoMode 0) with
// nothing handed over.

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>

#include "demo/DemoDrawing.h"
#include "demo/DemoStepEngine.h"
#include "site/MainWindowPort.h"

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class PictureSurface;

class InputDemoLineFrm : public QWidget {
    Q_OBJECT
public:
    // Loads the window (hidden) as a window of `owner`; through `port` (may be null) the
    // hand-over redraws the site map and hands the main demonstration back.
    explicit InputDemoLineFrm(QWidget* owner, MainWindowPort* port = nullptr);
    ~InputDemoLineFrm() override;

    // The plan view; `index` is not read (public, as in the building input).
    void ShowFlatLineMap(int index);
    // One tick of the running script timer (either demonstration's): the engine's actions,
    // performed in order. After the closing action nothing of the window is touched.
    void ResidentTmr_Timer();

    const DemoStepEngine& engine() const { return engine_; }
    const DemoDrawing& drawing() const { return *drawing_; }

    int pFirstActivate = -1;  // -1 from the load until the end of the first activation

    QFrame* BasePic = nullptr;
    PictureSurface* PhotoPic = nullptr;
    // On the picture.
    QFrame* StartPnl = nullptr;
    std::array<QLabel*, kDemoIntroLines> MssagwPnl{};
    QPushButton* NextCmd = nullptr;
    QPushButton* CancelCmd = nullptr;
    QLabel* MessagePnl = nullptr;
    QLabel* FocusPnl = nullptr;
    QLabel* ResidentTimePnl = nullptr;
    QLabel* OnDemoPnl = nullptr;
    QLabel* ArrowPnl = nullptr;
    QLabel* TopLinePen = nullptr;
    QLabel* WallLinePen = nullptr;
    QLabel* BillTopPen = nullptr;
    QLabel* BusyImg = nullptr;
    // Elsewhere on the window.
    QLabel* TopMenuPnl = nullptr;
    QLabel* ElpsoidPnl = nullptr;
    PictureSurface* AzimusPic = nullptr;
    QLabel* PointImg = nullptr;
    QLineEdit* AzimusTxt = nullptr;
    QGroupBox* HeightFlm = nullptr;
    QLineEdit* VerHeightmTxt = nullptr;
    QLineEdit* IncliHeightmTxt = nullptr;
    QLineEdit* HeightTxt = nullptr;
    std::array<QRadioButton*, 2> SlopeOrFlatRbn{};
    std::array<QRadioButton*, 8> InputModeRbn{};
    QPushButton* ClearPhotoCmd = nullptr;
    QPushButton* ResetDataCmd = nullptr;
    QPushButton* CloseCmd = nullptr;
    QPushButton* SaveDemoCmd = nullptr;  // developer button, kept hidden
    QTimer ResidentTmr;                  // script of demonstration 1
    QTimer Resident2Tmr;                 // script of demonstration 2

    // True once the window was closed: it is deleted soon.
    bool unloaded() const { return unloaded_; }
    // True once the buildings were handed over.
    bool handedOver() const { return handedOver_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class Surface;

    void BuildControls();
    void BuildPicturePanels();
    void Form_Load();
    void Form_Activate();
    void NextCmd_Click();
    void CancelCmd_Click();
    void CloseCmd_Click();
    void ResetDataCmd_Click();
    void SlopeOrFlatRbn_Click(int index);
    void SaveDemoCmd_Click();
    void Perform(const DemoStepAction& action);
    void SetDemoPhoto();
    void SetDemoBillData();
    // A panel of the picture at `left` (picture units) with `width` (picture units).
    void PlacePanel(QLabel* panel, double left, double top, double width, int heightPx);
    QLabel* Pen(DemoPen pen) const;
    QTimer& ScriptTimer();
    void StopScriptTimers();

    MainWindowPort* port_ = nullptr;
    std::unique_ptr<Surface> surface_;
    std::unique_ptr<DemoDrawing> drawing_;
    DemoStepEngine engine_;
    bool unloaded_ = false;
    bool handedOver_ = false;
};
