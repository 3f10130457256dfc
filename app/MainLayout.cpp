// The main window's controls: where each sits (pixels of the window's client area), its
// caption and its tip. The site map keeps the size it is laid out with (13140 x 10230 twips,
// 15 twips a pixel, border included); everything else is grouped around it. The client area
// keeps its fixed layout inside a scroll area, so that on a screen smaller than the window every
// control stays reachable by scrolling rather than by rescaling the map.
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QToolButton>

#include "MainIcons.h"
#include "MainWorkingFrm.h"
#include "SiteMapDrawing.h"
#include "platform/Constants.h"
#include "platform/CalendarPopup.h"
#include "platform/PictureSurface.h"

namespace {

using platform::kTwipsPerPixel;
constexpr int kPhotoWidth = 13140 / kTwipsPerPixel;   // 876
constexpr int kPhotoHeight = 10230 / kTwipsPerPixel;  // 682
constexpr int kPhotoBorder = 2;
constexpr int kHeaderHeight = 96;
constexpr int kLeftColumn = 134;                      // x of the map frame
constexpr int kRightColumn = kLeftColumn + kPhotoWidth + 4;
constexpr int kClientWidth = kRightColumn + 178;
constexpr int kClientHeight = kHeaderHeight + 4 + kPhotoHeight + 4;

template <typename Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, const QString& tip, QRect at)
{
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setToolTip(tip);
    button->setGeometry(at);
    return button;
}

QLabel* Heading(QWidget* parent, const QString& text, QRect at)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(at);
    return label;
}

QLabel* ValueBox(QWidget* parent, const char* name, QRect at)
{
    auto* label = Named(new QLabel(parent), name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    label->setGeometry(at);
    return label;
}

QGroupBox* Frame(QWidget* parent, const char* name, const QString& title, QRect at)
{
    auto* frame = Named(new QGroupBox(title, parent), name);
    frame->setGeometry(at);
    return frame;
}

QLabel* Panel(QWidget* parent, const char* name, const QString& text, QRect at, const QString& style)
{
    auto* panel = Named(new QLabel(text, parent), name);
    panel->setGeometry(at);
    panel->setAlignment(Qt::AlignCenter);
    panel->setWordWrap(true);
    panel->setStyleSheet(style);
    panel->hide();
    return panel;
}

// The fixed-layout client area inside the window's scroll area.
QWidget* ClientArea(const QMainWindow* window) { return static_cast<QScrollArea*>(window->centralWidget())->widget(); }

}  // namespace

void MainWorkingFrm::BuildControls()
{
    auto* scroll = Named(new QScrollArea(this), "ClientScroll");
    scroll->setFrameShape(QFrame::NoFrame);
    auto* client = new QWidget;
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(kClientWidth, kClientHeight);
    scroll->setWidget(client);
    setCentralWidget(scroll);

    HeaderPic = Named(new QFrame(client), "HeaderPic");
    HeaderPic->setGeometry(0, 0, kClientWidth, kHeaderHeight);
    CarStatusPic = Named(new QFrame(client), "CarStatusPic");
    CarStatusPic->setFrameShape(QFrame::StyledPanel);
    CarStatusPic->setGeometry(kRightColumn, kHeaderHeight + 4, kClientWidth - kRightColumn - 4, kPhotoHeight);

    PhotoFrame = Named(new QFrame(client), "PhotoFrame");
    PhotoFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PhotoFrame->setLineWidth(kPhotoBorder);
    PhotoFrame->setGeometry(kLeftColumn, kHeaderHeight + 4, kPhotoWidth, kPhotoHeight);
    PhotoPic = Named(new PictureSurface(PhotoFrame), "PhotoPic");
    PhotoPic->setGeometry(kPhotoBorder, kPhotoBorder, kPhotoWidth - 2 * kPhotoBorder, kPhotoHeight - 2 * kPhotoBorder);
    siteMap_ = std::make_unique<SiteMapDrawing>(*PhotoPic);

    BuildConditionControls();
    BuildCommandControls();
    BuildPanels();
    // The whole client area where the screen allows (the scroll area alone would ask for less);
    // the window is fitted onto smaller screens when it is shown.
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
}

void MainWorkingFrm::BuildConditionControls()
{
    // Position.
    AlmanacFlm[0] = Frame(HeaderPic, "AlmanacFlm0", QStringLiteral("観測地点"), QRect(4, 2, 300, 90));
    Heading(AlmanacFlm[0], QStringLiteral("緯度"), QRect(10, 22, 36, 26));
    LatDataTxt = Named(new QLineEdit(AlmanacFlm[0]), "LatDataTxt");
    LatDataTxt->setGeometry(48, 22, 100, 26);
    Heading(AlmanacFlm[0], QStringLiteral("経度"), QRect(10, 56, 36, 26));
    LonDataTxt = Named(new QLineEdit(AlmanacFlm[0]), "LonDataTxt");
    LonDataTxt->setGeometry(48, 56, 100, 26);
    DispLonLatRbn = Named(new QToolButton(AlmanacFlm[0]), "DispLonLatRbn");
    DispLonLatRbn->setText(QStringLiteral("再設定"));
    DispLonLatRbn->setToolTip(QStringLiteral("現在位置を設定"));
    DispLonLatRbn->setCheckable(true);
    DispLonLatRbn->setGeometry(160, 22, 130, 60);

    // Antenna height and elevation mask.
    AntennaFlm = Frame(HeaderPic, "AntennaFlm", QStringLiteral("ｱﾝﾃﾅ・仰角"), QRect(308, 2, 236, 90));
    AntennaCmd = Button(AntennaFlm, "AntennaCmd", QStringLiteral("ｱﾝﾃﾅ高(m)"), QStringLiteral("ｱﾝﾃﾅ高の設定"), QRect(8, 22, 112, 26));
    AntennaHTxt = Named(new QLineEdit(AntennaFlm), "AntennaHTxt");
    AntennaHTxt->setGeometry(126, 22, 100, 26);
    ElevationMaskCmd = Button(AntennaFlm, "ElevationMaskCmd", QStringLiteral("仰角ﾏｽｸ(度)"), QStringLiteral("仰角ﾏｽｸの設定"), QRect(8, 56, 112, 26));
    ElevationCmb = Named(new QComboBox(AntennaFlm), "ElevationCmb");
    ElevationCmb->setGeometry(126, 56, 100, 26);

    // Time window.
    AlmanacFlm[1] = Frame(HeaderPic, "AlmanacFlm1", QStringLiteral("計算時間"), QRect(548, 2, 196, 90));
    Heading(AlmanacFlm[1], QStringLiteral("開始時間"), QRect(8, 22, 64, 26))->setToolTip(QStringLiteral("開始時間のシフトが出来ます"));
    StartTimeCmb = Named(new QComboBox(AlmanacFlm[1]), "StartTimeCmb");
    StartTimeCmb->setToolTip(QStringLiteral("開始時間のシフトが出来ます"));
    StartTimeCmb->setGeometry(74, 22, 112, 26);
    StartTimeCmb->setMaxVisibleItems(16);
    Heading(AlmanacFlm[1], QStringLiteral("終了時間"), QRect(8, 56, 64, 26))->setToolTip(QStringLiteral("終了時間のシフトが出来ます"));
    EndTimeCmb = Named(new QComboBox(AlmanacFlm[1]), "EndTimeCmb");
    EndTimeCmb->setToolTip(QStringLiteral("終了時間のシフトが出来ます"));
    EndTimeCmb->setGeometry(74, 56, 112, 26);
    EndTimeCmb->setMaxVisibleItems(16);

    // Date with its calendar (placed at load).
    AlmanacFlm[2] = Frame(HeaderPic, "AlmanacFlm2", QStringLiteral("計算日"), QRect(748, 2, 196, 90));
    SetDataCmd = Button(AlmanacFlm[2], "SetDataCmd", QStringLiteral("年月日設定"), QStringLiteral("計算の年月日を設定"), QRect(8, 22, 180, 26));
    DateLbl = ValueBox(AlmanacFlm[2], "DateLbl", QRect(8, 56, 180, 26));

    // Almanac.
    AlmanacFlm[3] = Frame(HeaderPic, "AlmanacFlm3", QStringLiteral("アルマナック"), QRect(948, 2, kClientWidth - 952, 90));
    SetAlmanacCmd = Button(AlmanacFlm[3], "SetAlmanacCmd", QStringLiteral("ｱﾙﾏﾅｯｸ設定"), QStringLiteral("ｱﾙﾏﾅｯｸの設定"), QRect(8, 22, 150, 26));
    AlmanacDataLbl = ValueBox(AlmanacFlm[3], "AlmanacDataLbl", QRect(8, 56, 150, 26));
    ConnectCoastGardRbn = Named(new QToolButton(AlmanacFlm[3]), "ConnectCoastGardRbn");
    ConnectCoastGardRbn->setCheckable(true);
    ConnectCoastGardRbn->setIcon(mainicons::GlobeIcon());
    ConnectCoastGardRbn->setIconSize(QSize(32, 32));
    ConnectCoastGardRbn->setGeometry(166, 22, 48, 60);

    DaybrookPicker1 = Named(new platform::CalendarPopup(ClientArea(this)), "DaybrookPicker1");
}

void MainWorkingFrm::BuildCommandControls()
{
    QWidget* client = ClientArea(this);
    const int top = kHeaderHeight + 4;

    // Tool palette.
    auto* palette = Frame(client, "ToolFlm", QStringLiteral("ツール"), QRect(4, top, 126, 336));
    static const char* const kToolNames[] = {"ClickPicRbn0", "ClickPicRbn1", "ClickPicRbn2", "ClickPicRbn3",
                                             "ClickPicRbn4", "ClickPicRbn5", "ClickPicRbn6"};
    const QString captions[] = {QStringLiteral("選択"),         QStringLiteral("□型ﾋﾞﾙ設置"),  QStringLiteral("屋上ライン"),
                                QStringLiteral("ポイント移動"), QStringLiteral("ポイント追加"), QStringLiteral("ポイント削除"),
                                QStringLiteral("距離測定")};
    const QString tips[] = {QStringLiteral("ラインの選択"),           QStringLiteral("四角ﾋﾞﾙ設置"),
                            QStringLiteral("屋上ラインの設定"),       QStringLiteral("屋上ラインのポイント移動"),
                            QStringLiteral("屋上ラインのポイント追加"), QStringLiteral("屋上ラインのポイント削除"),
                            QString()};
    for (int k = 0; k < 7; ++k) {
        QToolButton* tool = Named(new QToolButton(palette), kToolNames[k]);
        tool->setCheckable(true);
        tool->setText(captions[k]);
        tool->setToolTip(tips[k]);
        tool->setIcon(mainicons::ToolIcon(k));
        tool->setIconSize(QSize(32, 32));
        tool->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        tool->setGeometry(4, 20 + 44 * k, 118, 42);
        ClickPicRbn[k] = tool;
    }

    // Zoom, pan and turn.
    int y = top + 342;
    ZoomUpCmd = Button(client, "ZoomUpCmd", QStringLiteral("拡大"), QStringLiteral("画面表示の拡大"), QRect(4, y, 62, 30));
    ZoomDownCmd = Button(client, "ZoomDownCmd", QStringLiteral("縮小"), QStringLiteral("画面表示の縮小"), QRect(68, y, 62, 30));
    y += 36;
    static const char* const kMoveNames[] = {"MoveImgCmd0", "MoveImgCmd1", "MoveImgCmd2", "MoveImgCmd3", "MoveImgCmd4", "MoveImgCmd5"};
    const QString moveTips[] = {QStringLiteral("右へシフト"), QStringLiteral("下へシフト"), QStringLiteral("上へシフト"),
                                QStringLiteral("左へシフト"), QStringLiteral("時計回転"),   QStringLiteral("反時計回転")};
    // A pad: turns in the upper corners, the four shifts around the centre.
    const QPoint cells[] = {{2, 1}, {1, 2}, {1, 0}, {0, 1}, {2, 0}, {0, 0}};
    for (int k = 0; k < 6; ++k) {
        QToolButton* move = Named(new QToolButton(client), kMoveNames[k]);
        move->setToolTip(moveTips[k]);
        move->setIcon(mainicons::MoveIcon(k));
        move->setIconSize(QSize(24, 24));
        move->setGeometry(10 + 39 * cells[k].x(), y + 39 * cells[k].y(), 36, 36);
        MoveImgCmd[k] = move;
    }
    y += 3 * 39 + 6;
    InitialDisPlayCmd = Button(client, "InitialDisPlayCmd", QStringLiteral("リセット"), QStringLiteral("計算結果を消去します"), QRect(4, y, 126, 30));
    InitializeDataCmd = Button(client, "InitializeDataCmd", QStringLiteral("全て消去"), QStringLiteral("画面を初期の状態に戻します"), QRect(4, y + 34, 126, 30));
    StopComputeCmd = Button(client, "StopComputeCmd", QStringLiteral("計算停止"), QStringLiteral("長い計算を途中で中断します。"), QRect(4, y + 74, 126, 30));
    PrintDisplayCmd = Button(client, "PrintDisplayCmd", QStringLiteral("画面の印刷(&P)"), QString(), QRect(4, kClientHeight - 70, 126, 30));
    SaveDisplayPicCmd = Button(client, "SaveDisplayPicCmd", QStringLiteral("画面の保存(&S)"), QString(), QRect(4, kClientHeight - 36, 126, 30));

    // Read-outs of the distance tool and the pointer position.
    Heading(CarStatusPic, QStringLiteral("測定距離(m)"), QRect(8, 8, 150, 22));
    DistLbl = ValueBox(CarStatusPic, "DistLbl", QRect(8, 30, 154, 26));
    Heading(CarStatusPic, QStringLiteral("X(m)"), QRect(8, 66, 150, 22));
    DispValue_X = ValueBox(CarStatusPic, "DispValue_X", QRect(8, 88, 154, 26));
    Heading(CarStatusPic, QStringLiteral("Y(m)"), QRect(8, 124, 150, 22));
    DispValue_Y = ValueBox(CarStatusPic, "DispValue_Y", QRect(8, 146, 154, 26));
    FixDataSTSPnl = Panel(CarStatusPic, "FixDataSTSPnl", QString(), QRect(8, 190, 154, 28),
                          QStringLiteral("QLabel { background: #fff8d0; border: 1px solid #a08000; }"));
}

void MainWorkingFrm::BuildPanels()
{
    const QString note = QStringLiteral("QLabel { background: #ffffc0; border: 1px solid #806000; padding: 2px; }");
    const QString banner = QStringLiteral("QLabel { background: #d00000; color: white; font-weight: bold; }");
    const QRect map = PhotoFrame->geometry();
    QWidget* client = ClientArea(this);
    MessagePnl = Panel(client, "MessagePnl", QString(), QRect(map.left() + 10, map.top() + 10, 560, 30), note);
    OnDemoPnl = Panel(client, "OnDemoPnl", QStringLiteral("デモ中"), QRect(map.right() - 110, map.top() + 10, 100, 30), banner);
    Message2Pnl = Panel(client, "Message2Pnl", QStringLiteral("ここでクリックすとその地点での衛星状況を表示します"),
                        QRect(map.left() + 10, map.bottom() - 40, 420, 30), note);
    const QString popupCaptions[] = {QStringLiteral("天空GPS表示"), QStringLiteral("衛星軌道、衛星数表示"),
                                     QStringLiteral("エリアＧＰＳ受信予測（指定時刻）")};
    static const char* const kPopupNames[] = {"PopupMenuPnl0", "PopupMenuPnl1", "PopupMenuPnl2"};
    for (int k = 0; k < 3; ++k) {
        PopupMenuPnl[k] = Panel(client, kPopupNames[k], popupCaptions[k],
                                QRect(map.left() + 200, map.top() + 200 + 40 * k, 260, 30), note);
    }
    MouseIconPnl = Panel(client, "MouseIconPnl", QString(), QRect(MoveImgCmd[4]->geometry().topLeft(), QSize(40, 40)), QString());
    MouseIconPnl->setPixmap(mainicons::MousePicture());
    GPSPoinrImg = Named(new QLabel(PhotoPic), "GPSPoinrImg");
    GPSPoinrImg->setPixmap(mainicons::ReceiverMark());
    GPSPoinrImg->setGeometry(0, 0, 20, 20);
    GPSPoinrImg->hide();
    siteMap_->SetGPSPointImage(GPSPoinrImg);

    FirstCutGrid = Named(new QTableWidget(0, 6, client), "FirstCutGrid");
    FirstCutGrid->hide();

    DaybrookPicker1->raise();
}
