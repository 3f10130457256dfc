#include "InputLineFrm.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include "photoinput/ChangeHeightFrm.h"
#include "photoinput/NorthDial.h"
#include "photoinput/PhotoModel.h"
#include "planview/PlanConversion.h"
#include "planview/PlanDrawing.h"
#include "planview/PlanView.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/OwnedWindow.h"
#include "platform/PictureSurface.h"
#include "site/MapView.h"
#include "site/RunState.h"

namespace {

constexpr int kMenuHeight = 24;
constexpr int kColumnLeft = 796;
constexpr int kColumnWidth = 200;

const char* const kToolCaptions[8] = {"選択(&S)", "拡大縮小(&Z)", "屋上ライン(&T)", "側壁ライン(&W)",
                                      "移動(&M)", "追加(&A)", "削除(&D)", "ビル屋上(&B)"};
const char* const kToolButtonCaptions[8] = {"選択", "拡大縮小", "屋上ライン", "側壁ライン",
                                            "ポイント移動", "ポイント追加", "ポイント削除", "ビル屋上"};
const char* const kToolTips[8] = {"ラインの選択", "拡大縮小", "屋上ラインの描画", "側壁ラインの描画",
                                  "ポイントの移動", "ポイントの追加", "ポイントの削除", "ビル屋上の自動検出（ダブルクリック）"};

QLabel* MakeLabel(QWidget* parent, const QString& text, QRect at)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(at);
    return label;
}

QLineEdit* MakeBox(QWidget* parent, const char* name, QRect at)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(at);
    return box;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect at)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(at);
    return button;
}

}  // namespace

InputLineFrm::InputLineFrm(QWidget* owner, MainWindowPort* port)
    : QWidget(owner, platform::OwnedWindowFlags()), port_(port)
{
    setObjectName(QStringLiteral("InputLineFrm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("３D写真"));
    setFont(platform::WindowFont(9));
    setFixedSize(kColumnLeft + kColumnWidth + 6, kMenuHeight + 4 + kPlanCanvasPixelHeight + 6);
    BuildMenus();
    BuildControls();
    editor_ = std::make_unique<PictureEditor>(*PhotoPic, static_cast<PictureEditorHost&>(*this));
    ConnectControls();
    Form_Load();
}

InputLineFrm::~InputLineFrm() = default;

void InputLineFrm::BuildMenus()
{
    MenuBar = new QMenuBar(this);
    MenuBar->setGeometry(0, 0, width(), kMenuHeight);
    FileMenu = MenuBar->addMenu(QStringLiteral("ファイル(&F)"));
    OPenPhotoMenu = FileMenu->addAction(QStringLiteral("画像ファイル読込み(&P)"));
    QMenu* samplePhotos = FileMenu->addMenu(QStringLiteral("サンプル画像"));
    LoadSamplePhotoMenu = samplePhotos->addAction(QStringLiteral("サンプル画像1読込み"));
    LoadSample2PhotoMenu = samplePhotos->addAction(QStringLiteral("サンプル画像2読込み"));
    FileMenu->addSeparator();
    OpenDataMenu = FileMenu->addAction(QStringLiteral("データ読込み(&D)"));
    QMenu* sampleData = FileMenu->addMenu(QStringLiteral("サンプルデータ"));
    LoadSampleDataMenu = sampleData->addAction(QStringLiteral("サンプルデータ1読込み"));
    LoadSample2DataMenu = sampleData->addAction(QStringLiteral("サンプルデータ2読込み"));
    SaveDataMenu = FileMenu->addAction(QStringLiteral("データ保存(&S)"));

    EditPhotoLineMenu = MenuBar->addMenu(QStringLiteral("編集(&E)"));
    DispSlopeMapMenu = EditPhotoLineMenu->addAction(QStringLiteral("傾斜図表示"));
    DispSlopeMapMenu->setCheckable(true);
    DispFlatMapMenu = EditPhotoLineMenu->addAction(QStringLiteral("平面図表示"));
    DispFlatMapMenu->setCheckable(true);
    EditPhotoLineMenu->addSeparator();
    StopDrawLineMenu = EditPhotoLineMenu->addAction(QStringLiteral("中止"));
    EditPhotoLineMenu->addSeparator();
    for (int k = 0; k < 8; ++k) {
        InputModeMenu[k] = EditPhotoLineMenu->addAction(QString::fromUtf8(kToolCaptions[k]));
        InputModeMenu[k]->setCheckable(true);
    }
    EditPhotoLineMenu->addSeparator();
    ChangeBillHeightMenu = EditPhotoLineMenu->addAction(QStringLiteral("建物高さ変更"));
    Remove1TopAreaMenu = EditPhotoLineMenu->addAction(QStringLiteral("1屋根削除(&R)"));

    HelpMenu = MenuBar->addAction(QStringLiteral("ヘルプ(&H)"));
}

void InputLineFrm::BuildControls()
{
    BasePic = new QFrame(this);
    BasePic->setObjectName(QStringLiteral("BasePic"));
    BasePic->setGeometry(4, kMenuHeight + 4, kPlanCanvasPixelWidth, kPlanCanvasPixelHeight);
    BasePic->setAutoFillBackground(true);
    QPalette dark = BasePic->palette();
    dark.setColor(QPalette::Window, QColor(96, 96, 96));
    BasePic->setPalette(dark);
    PhotoPic = new PictureSurface(BasePic);
    PhotoPic->setObjectName(QStringLiteral("PhotoPic"));
    PhotoPic->setMouseTracking(true);  // the rubber lines follow the pointer between presses

    const int top = kMenuHeight + 4;
    AzimusHdLbl = MakeLabel(this, QStringLiteral("方向角（北の向き）"), QRect(kColumnLeft, top, kColumnWidth, 18));
    AzimusPic = new NorthDial(this);
    AzimusPic->setObjectName(QStringLiteral("AzimusPic"));
    AzimusPic->move(kColumnLeft + 10, top + 20);
    AzimusTxt = MakeBox(this, "AzimusTxt", QRect(kColumnLeft + 60, top + 184, 56, 22));
    AzimusTxt->setText(QStringLiteral("0"));
    AzimusLbl = MakeLabel(this, QStringLiteral("度"), QRect(kColumnLeft + 120, top + 186, 20, 18));

    HeightFlm = new QGroupBox(QStringLiteral("画像高度入力データ"), this);
    HeightFlm->setGeometry(kColumnLeft, top + 214, kColumnWidth, 104);
    MakeLabel(HeightFlm, QStringLiteral("平面視高度(ft)"), QRect(8, 22, 110, 20));
    VerHeightmTxt = MakeBox(HeightFlm, "VerHeightmTxt", QRect(120, 20, 70, 22));
    MakeLabel(HeightFlm, QStringLiteral("傾斜視高度(ft)"), QRect(8, 48, 110, 20));
    IncliHeightmTxt = MakeBox(HeightFlm, "IncliHeightmTxt", QRect(120, 46, 70, 22));
    MakeLabel(HeightFlm, QStringLiteral("ﾋﾞﾙの高さ（ｍ）"), QRect(8, 74, 110, 20));
    HeightTxt = MakeBox(HeightFlm, "HeightTxt", QRect(120, 72, 70, 22));

    ViewFlm = new QGroupBox(QStringLiteral("表示設定"), this);
    ViewFlm->setGeometry(kColumnLeft, top + 324, kColumnWidth, 56);
    const QString viewCaptions[2] = {QStringLiteral("傾斜図表示"), QStringLiteral("平面図表示")};
    for (int k = 0; k < 2; ++k) {
        SlopeOrFlatRbn[k] = new QToolButton(ViewFlm);
        SlopeOrFlatRbn[k]->setObjectName(QStringLiteral("SlopeOrFlatRbn_%1").arg(k));
        SlopeOrFlatRbn[k]->setText(viewCaptions[k]);
        SlopeOrFlatRbn[k]->setCheckable(true);
        SlopeOrFlatRbn[k]->setGeometry(8 + k * 94, 22, 90, 26);
    }

    LineEditFlm = new QGroupBox(QStringLiteral("ライン編集"), this);
    LineEditFlm->setGeometry(kColumnLeft, top + 386, kColumnWidth, 140);
    for (int k = 0; k < 8; ++k) {
        InputModeRbn[k] = new QToolButton(LineEditFlm);
        InputModeRbn[k]->setObjectName(QStringLiteral("InputModeRbn_%1").arg(k));
        InputModeRbn[k]->setText(QString::fromUtf8(kToolButtonCaptions[k]));
        InputModeRbn[k]->setToolTip(QString::fromUtf8(kToolTips[k]));
        InputModeRbn[k]->setCheckable(true);
        InputModeRbn[k]->setGeometry(8 + (k % 2) * 94, 22 + (k / 2) * 28, 90, 26);
    }

    ClearPhotoCmd = MakeButton(this, "ClearPhotoCmd", QStringLiteral("画像消去"), QRect(kColumnLeft, top + 536, 96, 28));
    ResetDataCmd = MakeButton(this, "ResetDataCmd", QStringLiteral("全て消去"), QRect(kColumnLeft + 104, top + 536, 96, 28));
    CloseCmd = MakeButton(this, "CloseCmd", QStringLiteral("閉じる(&C)"), QRect(kColumnLeft, top + 620, kColumnWidth, 32));
    SaveDemoCmd = MakeButton(this, "SaveDemoCmd", QStringLiteral("SaveDemo"), QRect(kColumnLeft, top + 576, 96, 24));
    SaveDemoCmd->hide();
    ComputeCutBillCmd = MakeButton(this, "ComputeCutBillCmd", QStringLiteral("ComputeCutBill"), QRect(kColumnLeft + 104, top + 576, 96, 24));
    ComputeCutBillCmd->hide();
}

void InputLineFrm::ConnectControls()
{
    connect(OPenPhotoMenu, &QAction::triggered, this, &InputLineFrm::OPenPhotoMenu_Click);
    connect(LoadSamplePhotoMenu, &QAction::triggered, this, &InputLineFrm::LoadSamplePhotoMenu_Click);
    connect(LoadSample2PhotoMenu, &QAction::triggered, this, &InputLineFrm::LoadSample2PhotoMenu_Click);
    connect(OpenDataMenu, &QAction::triggered, this, &InputLineFrm::OpenDataMenu_Click);
    connect(LoadSampleDataMenu, &QAction::triggered, this, &InputLineFrm::LoadSampleDataMenu_Click);
    connect(LoadSample2DataMenu, &QAction::triggered, this, &InputLineFrm::LoadSample2DataMenu_Click);
    connect(SaveDataMenu, &QAction::triggered, this, &InputLineFrm::SaveDataMenu_Click);
    connect(DispSlopeMapMenu, &QAction::triggered, this, &InputLineFrm::DispSlopeMapMenu_Click);
    connect(DispFlatMapMenu, &QAction::triggered, this, &InputLineFrm::DispFlatMapMenu_Click);
    connect(StopDrawLineMenu, &QAction::triggered, this, &InputLineFrm::StopDrawLineMenu_Click);
    connect(ChangeBillHeightMenu, &QAction::triggered, this, &InputLineFrm::ChangeBillHeightMenu_Click);
    connect(Remove1TopAreaMenu, &QAction::triggered, this, &InputLineFrm::Remove1TopAreaMenu_Click);
    connect(HelpMenu, &QAction::triggered, this, &InputLineFrm::HelpMenu_Click);
    for (int k = 0; k < 8; ++k) {
        connect(InputModeMenu[k], &QAction::triggered, this, [this, k] { InputModeMenu_Click(k); });
        connect(InputModeRbn[k], &QToolButton::clicked, this, [this, k](bool down) { InputModeRbn_Click(k, down); });
    }
    for (int k = 0; k < 2; ++k) {
        connect(SlopeOrFlatRbn[k], &QToolButton::clicked, this, [this, k] { PressViewButton(k); });
    }
    connect(VerHeightmTxt, &QLineEdit::textChanged, this, &InputLineFrm::VerHeightmTxt_Change);
    connect(IncliHeightmTxt, &QLineEdit::textChanged, this, &InputLineFrm::IncliHeightmTxt_Change);
    connect(AzimusTxt, &QLineEdit::returnPressed, this, [this] { AzimusTxt_KeyDown(13); });
    connect(AzimusPic, &NorthDial::released, this, &InputLineFrm::PointImg_MouseUp);
    connect(ClearPhotoCmd, &QPushButton::clicked, this, &InputLineFrm::ClearPhotoCmd_Click);
    connect(ResetDataCmd, &QPushButton::clicked, this, &InputLineFrm::ResetDataCmd_Click);
    connect(CloseCmd, &QPushButton::clicked, this, &InputLineFrm::CloseCmd_Click);
    connect(SaveDemoCmd, &QPushButton::clicked, this, &InputLineFrm::SaveDemoCmd_Click);
    connect(ComputeCutBillCmd, &QPushButton::clicked, this, &InputLineFrm::ComputeCutBillCmd_Click);
    connect(PhotoPic, &PictureSurface::mousePressed, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers, QPointF at) { PhotoPic_MouseDown(b, at); });
    connect(PhotoPic, &PictureSurface::mouseMoved, this,
            [this](Qt::MouseButtons b, Qt::KeyboardModifiers, QPointF at) { PhotoPic_MouseMove(b, at); });
    connect(PhotoPic, &PictureSurface::mouseReleased, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers, QPointF at) { PhotoPic_MouseUp(b, at); });
    connect(PhotoPic, &PictureSurface::mouseDoubleClicked, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers, QPointF) { PhotoPic_DblClick(b); });
}

void InputLineFrm::Form_Load()
{
    move(0, 0);
    // The site's buildings as they were, put back by every close that hands nothing over.
    siteBuildings_ = CaptureTopAreaModel();
    photoRect_ = QRect(0, 0, kPlanCanvasPixelWidth, kPlanCanvasPixelHeight);
    RestorePhotoSurface();
    PhotoPic->setDrawWidth(2);
    editor_->setSelectedRoof(-1);
    SetFlatScaleTable();
    SetBillColorTable();
    ResetAllDataBuildingData();
    unsavedEdits_ = false;
    dataFileName_ = QStringLiteral("*.dat");
    Remove1TopAreaMenu->setEnabled(false);
    ChangeBillHeightMenu->setEnabled(false);
}

void InputLineFrm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!activated_) Form_Activate();
}

void InputLineFrm::Form_Activate()
{
    SlopeOrFlatRbn_Click(0, true);
    activated_ = true;
    if (gBillDataSTS == -1) LoadTempLineData();
}

void InputLineFrm::ResetAllDataBuildingData()
{
    ::ResetAllDataBuildingData();
    unsavedEdits_ = false;
    editor_->ResetStrokes();
    PressViewButton(0);
}

bool InputLineFrm::ConfirmDiscardEdits(const QString& question)
{
    if (!unsavedEdits_) return true;
    return platform::ShowMessage(this, question, platform::MessageButtons::OkCancel) == platform::MessageAnswer::Ok;
}

void InputLineFrm::CloseCmd_Click()
{
    closingByButton_ = true;
    close();
    closingByButton_ = false;
}

bool InputLineFrm::QueryCloseWithHandOver()
{
    // Nothing traced: there is nothing to hand over, and the site keeps its buildings.
    if (gEachTopAreaNumber <= 0) return Form_QueryUnload();
    if (!planShown_) PressViewButton(1);
    // A plan that could not be made (altitudes refused, no usable camera) is not handed over;
    // the message said why and the window stays open with the work.
    if (!planShown_ || !planConverted_) return false;
    if (unsavedEdits_ &&
        platform::ShowMessage(this, QStringLiteral("変更を保存しますか？"), platform::MessageButtons::OkCancel) ==
            platform::MessageAnswer::Ok) {
        SaveDataMenu_Click();
        return false;
    }
    HandOver();
    return true;
}

void InputLineFrm::HandOver()
{
    ComputeNorthTopArea();
    // The plan's step less 10, kept within the site map's steps 0..40 by the setter.
    SetMapScaleIndex(gFlatScaleIndex - 10);
    if (port_) port_->ShowInputBillTopArea(-1);
    unsavedEdits_ = false;
    SaveTempLineData();
    SetBillDataSTS(-1);
    SetFixDataSTS(0);
    handedOver_ = true;
}

bool InputLineFrm::Form_QueryUnload()
{
    if (!unsavedEdits_) return true;
    if (platform::ShowMessage(this, QStringLiteral("変更を保存しますか？"), platform::MessageButtons::OkCancel) ==
        platform::MessageAnswer::Ok) {
        SaveDataMenu_Click();
        return false;
    }
    SetBillDataSTS(0);
    return true;
}

void InputLineFrm::closeEvent(QCloseEvent* event)
{
    if (!handedOver_) {
        // The user's close, from the close button or from the title bar, hands the plan over;
        // the program's own close (when it ends) only asks about unsaved edits.
        const bool byUser = closingByButton_ || event->spontaneous();
        if (!(byUser ? QueryCloseWithHandOver() : Form_QueryUnload())) {
            event->ignore();
            return;
        }
    }
    if (!handedOver_) {
        // Nothing handed over: the site gets its own buildings back.
        RestoreTopAreaModel(siteBuildings_);
        if (port_ && !port_->isJudging()) port_->ShowInputBillTopArea(-1);
    }
    event->accept();
}

void InputLineFrm::DispSlopeMapMenu_Click() { PressViewButton(0); }

void InputLineFrm::DispFlatMapMenu_Click() { PressViewButton(1); }

void InputLineFrm::Remove1TopAreaMenu_Click()
{
    if (editor_->selectedRoof() < 0) return;
    if (RemoveActiveTopArea(editor_->selectedRoof()) == PhotoEdit::Done) unsavedEdits_ = true;
    editor_->setSelectedRoof(-1);
    Remove1TopAreaMenu->setEnabled(false);
    if (!planShown_) ShowPhotoLine(-1, -1);
}

void InputLineFrm::ChangeBillHeightMenu_Click()
{
    if (editor_->selectedRoof() < 0 || editor_->selectedRoof() >= gEachTopAreaNumber) return;
    if (!heightFrm_) {
        heightFrm_ = new ChangeHeightFrm(this);
        connect(heightFrm_, &QObject::destroyed, this, [this] { heightFrm_ = nullptr; });
    }
    platform::ShowOwnedWindow(heightFrm_);
}

void InputLineFrm::HelpMenu_Click()
{
    if (port_) port_->ShowBuildingInputManual(this);
}
