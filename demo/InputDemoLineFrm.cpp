#include "InputDemoLineFrm.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include "demo/DemoPictures.h"
#include "demo/DemoTiming.h"
#include "demo/SampleLineDataFile.h"
#include "photoinput/PhotoModel.h"
#include "photoinput/SampleData.h"
#include "planview/PlanView.h"
#include "platform/Fonts.h"
#include "platform/NamedControls.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "platform/OwnedWindow.h"
#include "platform/PictureSurface.h"
#include "site/MapView.h"
#include "site/RunState.h"

namespace {

using platform::MakeButton;
using platform::MakeLabel;

// Layout in pixels.
constexpr int kMenuHeight = 24;
const QRect kBaseRect(4, kMenuHeight + 4, 800, 690);
const QSize kPictureSize(788, 678);  // the larger of the two demonstration pictures
constexpr int kSideLeft = 814;
constexpr int kSideWidth = 200;
constexpr int kPanelHeight = 28;

// Panel tops in picture units (y up): the message line and its note near the top, the counter
// at the top-left corner (clear of the view titles at the top right), the banner at the
// bottom-right corner.
constexpr double kMessageTop = 336;
constexpr double kFocusTop = 292;
constexpr double kCounterLeft = -388, kCounterWidth = 36;
constexpr double kBannerLeft = 290, kBannerTop = -300, kBannerWidth = 96;
const QPointF kWallPenRest(332, 290);

// The plan zoom steps the hand-over leaves: the plan view's and the site map's.
constexpr int kHandOverFlatScaleIndex = 34;
constexpr int kHandOverMapScaleIndex = 24;

const char* const kToolCaptions[8] = {"選択", "拡大縮小", "屋上ライン", "側壁ライン", "ポイント移動", "ポイント追加", "ポイント削除", "ビル屋上"};

QLabel* MakePicture(QWidget* parent, const char* name, const QImage& picture)
{
    QLabel* label = MakeLabel(parent, name);
    label->setPixmap(QPixmap::fromImage(picture));
    label->resize(picture.size());
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->hide();
    return label;
}

QLineEdit* MakeBox(QWidget* parent, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setFont(platform::WindowFont(10));
    box->setReadOnly(true);
    return box;
}

QString Plain(float value) { return QString::fromStdString(platform::PlainText(value, platform::Precision::Single)); }

// The centred, y-up coordinate system of a picture of `pixels`: one unit per pixel.
void SetPhotoScale(PictureCanvas& canvas, QSize pixels)
{
    canvas.setScale(-pixels.width() / 2.0, pixels.height() / 2.0, pixels.width(), -pixels.height());
}

}  // namespace

// The window's drawing surface: the photo picture with the pens moved over it.
class InputDemoLineFrm::Surface : public DemoCanvasSurface {
public:
    explicit Surface(InputDemoLineFrm& w) : DemoCanvasSurface(*w.PhotoPic), w_(w) {}

    void putPen(DemoPen pen, QPointF at) override
    {
        DemoCanvasSurface::putPen(pen, at);
        w_.Pen(pen)->move(w_.PhotoPic->toPixel(at).toPoint());
    }
    void showPen(DemoPen pen, bool shown) override
    {
        DemoCanvasSurface::showPen(pen, shown);
        QLabel* picture = w_.Pen(pen);
        picture->setVisible(shown);
        if (shown) picture->raise();
    }

private:
    InputDemoLineFrm& w_;
};

InputDemoLineFrm::InputDemoLineFrm(QWidget* owner, MainWindowPort* port)
    : QWidget(owner, platform::OwnedWindowFlags()), port_(port), engine_(gDemoNumber)
{
    setObjectName(QStringLiteral("InputDemoLineFrm"));
    setWindowTitle(QStringLiteral("InputLine"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(platform::WindowFont(9));
    BuildControls();
    surface_ = std::make_unique<Surface>(*this);
    drawing_ = std::make_unique<DemoDrawing>(*surface_);
    ResidentTmr.setInterval(0);
    Resident2Tmr.setInterval(0);
    connect(&ResidentTmr, &QTimer::timeout, this, &InputDemoLineFrm::ResidentTmr_Timer);
    connect(&Resident2Tmr, &QTimer::timeout, this, &InputDemoLineFrm::ResidentTmr_Timer);
    Form_Load();
}

InputDemoLineFrm::~InputDemoLineFrm() = default;

void InputDemoLineFrm::BuildControls()
{
    resize(kSideLeft + kSideWidth + 8, kBaseRect.bottom() + 8);

    // The building input's menu bar, shown for its look; the demonstration plays it itself.
    auto* menu = new QMenuBar(this);
    menu->setGeometry(0, 0, width(), kMenuHeight);
    for (const char* title : {"ファイル(&F)", "編集(&E)", "ヘルプ(&H)"}) menu->addMenu(QString::fromUtf8(title))->setEnabled(false);

    BasePic = new QFrame(this);
    BasePic->setObjectName(QStringLiteral("BasePic"));
    BasePic->setGeometry(kBaseRect);
    BasePic->setFrameShape(QFrame::Panel);
    BasePic->setFrameShadow(QFrame::Sunken);
    BasePic->setStyleSheet(QStringLiteral("#BasePic { background: rgb(128, 128, 128); }"));
    PhotoPic = new PictureSurface(BasePic);
    PhotoPic->setObjectName(QStringLiteral("PhotoPic"));
    PhotoPic->setGeometry(QRect(QPoint((kBaseRect.width() - kPictureSize.width()) / 2, (kBaseRect.height() - kPictureSize.height()) / 2),
                                kPictureSize));

    // The right-hand column: north dial, altitudes, views, tools, buttons.
    int y = kMenuHeight + 6;
    auto* dialLabel = MakeLabel(this, "AzimusHdLbl", QStringLiteral("方位（北）"));
    dialLabel->setGeometry(kSideLeft, y, kSideWidth, 18);
    AzimusPic = new PictureSurface(this);
    AzimusPic->setObjectName(QStringLiteral("AzimusPic"));
    AzimusPic->setGeometry(kSideLeft + 20, y + 20, 110, 110);
    PointImg = MakeLabel(AzimusPic, "PointImg");
    PointImg->setStyleSheet(QStringLiteral("background: rgb(230, 0, 0); border-radius: 5px;"));
    PointImg->resize(11, 11);
    AzimusTxt = MakeBox(this, "AzimusTxt");
    AzimusTxt->setGeometry(kSideLeft + 140, y + 60, 50, 24);
    y += 140;

    HeightFlm = new QGroupBox(QStringLiteral("画像高度入力データ"), this);
    HeightFlm->setObjectName(QStringLiteral("HeightFlm"));
    HeightFlm->setGeometry(kSideLeft, y, kSideWidth, 150);
    const std::array<std::pair<const char*, QLineEdit**>, 3> boxes{{{"平面視高度(ft)", &VerHeightmTxt},
                                                                     {"傾斜視高度(ft)", &IncliHeightmTxt},
                                                                     {"ﾋﾞﾙの高さ（ｍ）", &HeightTxt}}};
    const std::array<const char*, 3> boxNames{"VerHeightmTxt", "IncliHeightmTxt", "HeightTxt"};
    for (int i = 0; i < 3; ++i) {
        MakeLabel(HeightFlm, "HeightLbl", QString::fromUtf8(boxes[i].first))->setGeometry(10, 24 + 40 * i, 110, 24);
        *boxes[i].second = MakeBox(HeightFlm, boxNames[i]);
        (*boxes[i].second)->setGeometry(122, 24 + 40 * i, 66, 26);
    }
    y += 158;

    auto* views = new QGroupBox(this);
    views->setGeometry(kSideLeft, y, kSideWidth, 56);
    auto* viewGroup = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        SlopeOrFlatRbn[i] = new QRadioButton(i == 0 ? QStringLiteral("傾斜図表示") : QStringLiteral("平面図表示"), views);
        SlopeOrFlatRbn[i]->setObjectName(QStringLiteral("SlopeOrFlatRbn%1").arg(i));
        SlopeOrFlatRbn[i]->setGeometry(10, 6 + 24 * i, 180, 22);
        viewGroup->addButton(SlopeOrFlatRbn[i], i);
        connect(SlopeOrFlatRbn[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) SlopeOrFlatRbn_Click(i);
        });
    }
    y += 62;

    auto* tools = new QGroupBox(QStringLiteral("ライン編集"), this);
    tools->setGeometry(kSideLeft, y, kSideWidth, 24 + 24 * 4 + 8);
    auto* toolGroup = new QButtonGroup(this);
    for (int i = 0; i < 8; ++i) {
        InputModeRbn[i] = new QRadioButton(QString::fromUtf8(kToolCaptions[i]), tools);
        InputModeRbn[i]->setObjectName(QStringLiteral("InputModeRbn%1").arg(i));
        InputModeRbn[i]->setGeometry(8 + 96 * (i % 2), 22 + 24 * (i / 2), 94, 22);
        toolGroup->addButton(InputModeRbn[i], i);
    }
    InputModeRbn[0]->setChecked(true);
    y += tools->height() + 8;

    ClearPhotoCmd = MakeButton(this, "ClearPhotoCmd", QStringLiteral("画像消去"));
    ClearPhotoCmd->setGeometry(kSideLeft, y, 96, 30);
    ResetDataCmd = MakeButton(this, "ResetDataCmd", QStringLiteral("全て消去"));
    ResetDataCmd->setGeometry(kSideLeft + 104, y, 96, 30);
    y += 40;
    CloseCmd = MakeButton(this, "CloseCmd", QStringLiteral("閉じる(&C)"));
    CloseCmd->setGeometry(kSideLeft, y, kSideWidth, 34);
    SaveDemoCmd = MakeButton(this, "SaveDemoCmd", QStringLiteral("SaveDemo"));
    SaveDemoCmd->setGeometry(kSideLeft, y + 44, kSideWidth, 28);
    SaveDemoCmd->hide();

    // "画像消去" has no handler: the script empties the picture itself in step 4.
    connect(ResetDataCmd, &QPushButton::clicked, this, &InputDemoLineFrm::ResetDataCmd_Click);
    connect(CloseCmd, &QPushButton::clicked, this, &InputDemoLineFrm::CloseCmd_Click);
    connect(SaveDemoCmd, &QPushButton::clicked, this, &InputDemoLineFrm::SaveDemoCmd_Click);

    BuildPicturePanels();
}

void InputDemoLineFrm::BuildPicturePanels()
{
    const QString panelStyle = QStringLiteral("background: rgb(255, 255, 225); border: 1px solid rgb(90, 90, 90); padding-left: 6px;");
    MessagePnl = MakeLabel(PhotoPic, "MessagePnl", {}, 11);
    MessagePnl->setStyleSheet(panelStyle);
    FocusPnl = MakeLabel(PhotoPic, "FocusPnl", {}, 11);
    FocusPnl->setStyleSheet(panelStyle + QStringLiteral("color: rgb(210, 0, 0); font-weight: bold;"));
    ResidentTimePnl = MakeLabel(PhotoPic, "ResidentTimePnl", {}, 11);
    ResidentTimePnl->setStyleSheet(QStringLiteral("background: white; border: 1px solid rgb(90, 90, 90);"));
    ResidentTimePnl->setAlignment(Qt::AlignCenter);
    OnDemoPnl = MakeLabel(PhotoPic, "OnDemoPnl", {}, 12);
    OnDemoPnl->setStyleSheet(QStringLiteral("background: rgb(200, 0, 0); color: white; font-weight: bold;"));
    OnDemoPnl->setAlignment(Qt::AlignCenter);

    StartPnl = new QFrame(PhotoPic);
    StartPnl->setObjectName(QStringLiteral("StartPnl"));
    StartPnl->setStyleSheet(QStringLiteral("#StartPnl { background: rgb(255, 255, 240); border: 2px solid rgb(0, 90, 160); }"));
    StartPnl->setGeometry((kPictureSize.width() - 470) / 2, (kPictureSize.height() - 290) / 2, 470, 290);
    for (int i = 0; i < kDemoIntroLines; ++i) {
        MssagwPnl[i] = MakeLabel(StartPnl, "MssagwPnl", {}, 11);
        MssagwPnl[i]->setGeometry(18, 16 + 30 * i, 440, 28);
    }
    NextCmd = MakeButton(StartPnl, "NextCmd", QStringLiteral("次へ"));
    NextCmd->setGeometry(250, 240, 96, 32);
    CancelCmd = MakeButton(StartPnl, "CancelCmd", QStringLiteral("ｷｬﾝｾﾙ"));
    CancelCmd->setGeometry(356, 240, 96, 32);
    connect(NextCmd, &QPushButton::clicked, this, &InputDemoLineFrm::NextCmd_Click);
    connect(CancelCmd, &QPushButton::clicked, this, &InputDemoLineFrm::CancelCmd_Click);

    ArrowPnl = MakePicture(PhotoPic, "ArrowPnl", DemoArrowPicture(QSize(90, 44)));
    TopLinePen = MakePicture(PhotoPic, "TopLinePen", DemoPenPicture(false));
    WallLinePen = MakePicture(PhotoPic, "WallLinePen", DemoPenPicture(true));
    BillTopPen = MakePicture(PhotoPic, "BillTopPen", DemoPointerPicture());
    BusyImg = MakePicture(PhotoPic, "BusyImg", DemoBusyPicture());

    // On the window: the dropped-down menu of step 0 and the ring round the altitude boxes.
    TopMenuPnl = MakePicture(this, "TopMenuPnl", DemoMenuPicture(gDemoNumber));
    const QRect ring = HeightFlm->geometry().adjusted(-12, -10, 12, -40);
    ElpsoidPnl = MakePicture(this, "ElpsoidPnl", DemoEllipsePicture(ring.size()));
    ElpsoidPnl->move(ring.topLeft());
}

void InputDemoLineFrm::Form_Load()
{
    move(0, 0);
    PhotoPic->setDrawMode(PictureCanvas::DrawMode::Copy);
    SetPhotoScale(*PhotoPic, PhotoPic->size());
    PhotoPic->setDrawWidth(2);
    PhotoPic->clear();
    drawing_->bills().pEachTopAreaNumber = 0;
    pFirstActivate = -1;
    AzimusPic->setScale(-100, 100, 200, -200);
    AzimusPic->clear();
    AzimusPic->setDrawWidth(2);
    AzimusPic->circle(QPointF(0, 0), 88, QColor(0, 0, 160));
    AzimusPic->line(QPointF(0, -88), QPointF(0, 88), QColor(160, 160, 160));
    AzimusPic->line(QPointF(-88, 0), QPointF(88, 0), QColor(160, 160, 160));
    PointImg->hide();
    ArrowPnl->hide();
    ElpsoidPnl->hide();
    for (QLabel* pen : {TopLinePen, WallLinePen, BillTopPen, BusyImg}) pen->hide();
    // Where the wall pen rests until it first moves: demonstration 2 shows it there, beside the
    // note that lines the detection misses are drawn by hand.
    WallLinePen->move(PhotoPic->toPixel(kWallPenRest).toPoint());
    FocusPnl->hide();
    TopMenuPnl->hide();
    MessagePnl->hide();
    OnDemoPnl->hide();
    ResidentTimePnl->hide();
    StartPnl->hide();
    SlopeOrFlatRbn[0]->setChecked(true);
    SlopeOrFlatRbn_Click(0);
}

void InputDemoLineFrm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void InputDemoLineFrm::Form_Activate()
{
    if (pFirstActivate != -1) return;
    SlopeOrFlatRbn[0]->setChecked(true);
    pFirstActivate = 0;
    if (gDemoMode != -1) return;
    MessagePnl->hide();
    const auto& lines = DemoIntroLines(gDemoNumber);
    for (int i = 0; i < kDemoIntroLines; ++i) MssagwPnl[i]->setText(QString::fromStdString(lines[i]));
    StartPnl->show();
    StartPnl->raise();
}

void InputDemoLineFrm::NextCmd_Click()
{
    if (!engine_.Start()) return;
    MessagePnl->show();
    ScriptTimer().start(DemoInterval(kDemoTickMs));
    OnDemoPnl->setText(engine_.demoNumber() == 1 ? QStringLiteral("デモ-1") : QStringLiteral("デモ-2"));
    PlacePanel(OnDemoPnl, kBannerLeft, kBannerTop, kBannerWidth, kPanelHeight);
    OnDemoPnl->show();
    StartPnl->hide();
}

void InputDemoLineFrm::CancelCmd_Click()
{
    SetDemoMode(0);
    close();
}

void InputDemoLineFrm::CloseCmd_Click()
{
    if (engine_.reachedLastStep() && !handedOver_) {
        PutDemoBillData(drawing_->bills());
        SetFlatScaleIndex(kHandOverFlatScaleIndex);
        SetMapScaleIndex(kHandOverMapScaleIndex);
        if (port_) port_->ShowInputBillTopArea(-1);
        StopScriptTimers();
        handedOver_ = true;
        if (port_) port_->HandDemonstrationBack(0);
    }
    close();
}

void InputDemoLineFrm::closeEvent(QCloseEvent* event)
{
    // Every way of closing ends the script; without the hand-over the demonstration ends here.
    StopScriptTimers();
    if (!handedOver_) SetDemoMode(0);
    unloaded_ = true;
    QWidget::closeEvent(event);
}

void InputDemoLineFrm::ResetDataCmd_Click() { surface_->emptyPicture(); }

void InputDemoLineFrm::SlopeOrFlatRbn_Click(int index)
{
    const bool slope = index == 0;
    if (slope) {
        PhotoPic->setDrawWidth(2);
    } else {
        surface_->emptyPicture();
    }
    InputModeRbn[1]->setEnabled(!slope);
    for (int tool : {2, 3, 5, 6}) InputModeRbn[tool]->setEnabled(slope);
}

void InputDemoLineFrm::SaveDemoCmd_Click()
{
    PictureScaleAndPlace picture;
    picture.scaleHeight = PhotoPic->scaleHeight();
    picture.scaleWidth = PhotoPic->scaleWidth();
    picture.top = (BasePic->height() - PhotoPic->height()) / 2.0;
    picture.left = (BasePic->width() - PhotoPic->width()) / 2.0;
    std::string error;
    const QString path = DataPath(QStringLiteral("Sample1"), QString::fromLatin1(kSampleLineDataFileName));
    if (!SaveSampleLineDataFile(path.toStdString(), picture, drawing_->bills().pFlatMapRate, &error)) {
        platform::ShowMessage(this, QString::fromStdString(error));
    }
}

void InputDemoLineFrm::ShowFlatLineMap(int index) { drawing_->ShowFlatLineMap(index); }

void InputDemoLineFrm::ResidentTmr_Timer()
{
    for (const DemoStepAction& action : engine_.Tick()) {
        Perform(action);
        // The close ends the tick: the window is on its way out and is not touched again.
        if (action.kind == DemoAction::Close) return;
    }
}

void InputDemoLineFrm::Perform(const DemoStepAction& a)
{
    const DemoScript& s = engine_.script();
    switch (a.kind) {
    case DemoAction::SetMessage:
        MessagePnl->setText(QString::fromStdString(s.pStepMessage[a.arg]));
        PlacePanel(MessagePnl, s.pMessageLeft[a.arg], kMessageTop, s.pMessageWidth[a.arg], kPanelHeight);
        break;
    case DemoAction::ShowMessageLine:
        MessagePnl->show();
        break;
    case DemoAction::HideMessageLine:
        MessagePnl->hide();
        break;
    case DemoAction::ShowNote:
        FocusPnl->setText(QString::fromStdString(s.pStepNote[a.arg]));
        PlacePanel(FocusPnl, s.pFocusLeft[a.arg], kFocusTop, s.pFocusWidth[a.arg], kPanelHeight);
        FocusPnl->show();
        FocusPnl->raise();
        break;
    case DemoAction::HideNote:
        FocusPnl->hide();
        break;
    case DemoAction::ShowMenuPicture:
        TopMenuPnl->move(0, 0);
        TopMenuPnl->show();
        TopMenuPnl->raise();
        break;
    case DemoAction::HideMenuPicture:
        TopMenuPnl->hide();
        break;
    case DemoAction::ShowAltitudePointer: {
        // The arrow at the picture's right edge, level with the altitude boxes.
        const QPoint boxes = PhotoPic->mapFrom(this, HeightFlm->geometry().center());
        ArrowPnl->move(PhotoPic->width() - ArrowPnl->width() - 4, boxes.y() - ArrowPnl->height() / 2 - 20);
        ArrowPnl->show();
        ArrowPnl->raise();
        ElpsoidPnl->show();
        ElpsoidPnl->raise();
        break;
    }
    case DemoAction::HideAltitudePointer:
        ArrowPnl->hide();
        ElpsoidPnl->hide();
        break;
    case DemoAction::SetDemoPhoto:
        SetDemoPhoto();
        break;
    case DemoAction::SetDemoBillData:
        SetDemoBillData();
        break;
    case DemoAction::ResetTopLine:
        drawing_->ResetTopLine();
        break;
    case DemoAction::ResetWallLine:
        drawing_->ResetWallLine();
        break;
    case DemoAction::ResetFoundTopArea:
        drawing_->ResetFoundTopArea();
        break;
    case DemoAction::ShowSlopeTitle:
        drawing_->ShowSlopeTitle();
        break;
    case DemoAction::ShowPen:
        surface_->showPen(static_cast<DemoPen>(a.arg), true);
        break;
    case DemoAction::HidePen:
        surface_->showPen(static_cast<DemoPen>(a.arg), false);
        break;
    case DemoAction::DrawDemoTopLine:
        drawing_->DrawDemoTopLine(a.arg);
        break;
    case DemoAction::DrawDemoWallLine:
        drawing_->DrawDemoWallLine();
        break;
    case DemoAction::DrawDemoFoundTopArea:
        drawing_->DrawDemoFoundTopArea(a.arg);
        break;
    case DemoAction::ClearPhotoShowSlope:
        drawing_->ClearPhotoShowSlope();
        break;
    case DemoAction::ShowFlatLineMap:
        ShowFlatLineMap(-1);
        break;
    case DemoAction::ShowCounter:
        ResidentTimePnl->setText(QString::number(a.arg));
        PlacePanel(ResidentTimePnl, kCounterLeft, kMessageTop, kCounterWidth, kPanelHeight);
        ResidentTimePnl->show();
        break;
    case DemoAction::StopTimer:
        ScriptTimer().stop();
        break;
    case DemoAction::Close:
        CloseCmd_Click();
        break;
    }
}

void InputDemoLineFrm::SetDemoPhoto()
{
    // Demonstration 1 plays on the second built-in picture, demonstration 2 on the first.
    const BuiltInPicture& source = engine_.demoNumber() == 2 ? kObliquePicture1 : kObliquePicture2;
    const QImage picture(QString::fromLatin1(source.resource));
    VerHeightmTxt->setText(QStringLiteral("598"));
    IncliHeightmTxt->setText(QStringLiteral("127"));
    const QSize size = picture.isNull() ? kPictureSize : picture.size();
    PhotoPic->setGeometry(QRect(QPoint((BasePic->width() - size.width()) / 2, (BasePic->height() - size.height()) / 2), size));
    SetPhotoScale(*PhotoPic, size);
    surface_->setPhoto(picture);
    SetNorthAngle(0);
}

void InputDemoLineFrm::SetDemoBillData()
{
    drawing_->bills() = LoadDemoBillData(engine_.demoNumber());
    // North up: the dial's marker at the top, the angle 0.
    PointImg->move(AzimusPic->toPixel(QPointF(0, 90)).toPoint() - QPoint(PointImg->width() / 2, PointImg->height() / 2));
    PointImg->show();
    AzimusTxt->setText(QStringLiteral("0"));
    const LineData& d = drawing_->bills().data;
    SetNorthAngle(0);
    SetCameraValues(d.sourceHeight, d.flatHeight, d.slideHeight, d.slideAngle);
    VerHeightmTxt->setText(Plain(gSourceHeight));
    IncliHeightmTxt->setText(Plain(gSlideHeight));
}

void InputDemoLineFrm::PlacePanel(QLabel* panel, double left, double top, double width, int heightPx)
{
    const QPoint corner = PhotoPic->toPixel(QPointF(left, top)).toPoint();
    panel->setGeometry(corner.x(), corner.y(), static_cast<int>(width), heightPx);
    panel->raise();
}

QLabel* InputDemoLineFrm::Pen(DemoPen pen) const
{
    switch (pen) {
    case DemoPen::TopLine:
        return TopLinePen;
    case DemoPen::WallLine:
        return WallLinePen;
    case DemoPen::BillTop:
        return BillTopPen;
    case DemoPen::Busy:
        return BusyImg;
    }
    return TopLinePen;
}

QTimer& InputDemoLineFrm::ScriptTimer() { return engine_.demoNumber() == 2 ? Resident2Tmr : ResidentTmr; }

void InputDemoLineFrm::StopScriptTimers()
{
    ResidentTmr.stop();
    Resident2Tmr.stop();
}
