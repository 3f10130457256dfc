#include "ManualFrm.h"

#include <QAction>
#include <QMouseEvent>
#include <QPixmap>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "site/RunState.h"
#include "platform/OwnedWindow.h"
#include "platform/Fonts.h"
#include "platform/NumberText.h"

namespace {

constexpr double kDocWidth = ManualFrm::kPageWidth;
constexpr double kDocHeight = 900.0;  // page-area height in units
// Units the page moves per scroll step, and the part of a page that needs no scrolling.
constexpr double kScrollStep = 50.0;
constexpr double kUnscrolledHeight = 400.0;
constexpr double kPageStretch = ManualFrm::kPageStretch;

int Px(double units) { return static_cast<int>(platform::RoundHalfEven(units * ManualFrm::kPixelsPerUnit)); }

}  // namespace

QSize ManualFrm::PagePixelSize(double pageHeight)
{
    return {Px(kPageWidth), Px(kPageStretch * pageHeight)};
}

const QColor ManualFrm::kItemColor(0, 0, 255);
const QColor ManualFrm::kChosenItemColor(192, 64, 0);

const ManualBook& MainManualBook()
{
    static const ManualBook book{QStringLiteral("Pic00"), {
        {QStringLiteral("１・画面上面の説明"), QStringLiteral("Manua20.jpg"), 1193},
        {QStringLiteral("２・画面左の操作ボタン１"), QStringLiteral("Manua21.jpg"), 1193},
        {QStringLiteral("３・画面左の操作ボタン２"), QStringLiteral("Manua22.jpg"), 1193},
        {QStringLiteral("４・GPS衛星の上空での　　　　　配置を表示"), QStringLiteral("Manua23.jpg"), 1193},
        {QStringLiteral("５・計算エリアでの障害物　　　 影響下での衛星数分布"), QStringLiteral("Manua24.jpg"), 1193},
        {QStringLiteral("６・計算エリアでの障害物　　　 の影響下での平均化　　　　衛星数分布"), QStringLiteral("Manua25.jpg"), 1193},
        {QStringLiteral("７・GPS観測設定１（測地系      設定）"), QStringLiteral("Manua26.jpg"), 1193},
        {QStringLiteral("８・GPS観測設定２（マップ      補正）"), QStringLiteral("Manua27.jpg"), 1193},
        {QStringLiteral("９・GPS観測１（ポート、測      地系）"), QStringLiteral("Manua28.jpg"), 1193},
        {QStringLiteral("１０・GPS観測２（表示、        記録）"), QStringLiteral("Manua29.jpg"), 1193},
        {QStringLiteral("１１・GPS比較"), QStringLiteral("Manua33.jpg"), 1193},
        {QStringLiteral("１２・緯度経度の設定"), QStringLiteral("Manua30.jpg"), 1193},
        {QStringLiteral("１３・アルマナックデータ　　　　の取得"), QStringLiteral("Manua31.jpg"), 1193},
        {QStringLiteral("１４・アルマナックの設定"), QStringLiteral("Manua32.jpg"), 1193},
    }};
    return book;
}

const ManualBook& BuildingInputManualBook()
{
    static const ManualBook book{QStringLiteral("Pic01"), {
        {QStringLiteral("１・Google Earthからの　　　　　３D画像取得"), QStringLiteral("Manua40.jpg"), 1193},
        {QStringLiteral("２・３D画像の傾斜とファイル　　　　への保存"), QStringLiteral("Manua41.jpg"), 1193},
        {QStringLiteral("３・GPSシミュレーション　　　　　プログラムでの取り扱い"), QStringLiteral("Manua42.jpg"), 1193},
        {QStringLiteral("４・画像取り扱い機能の説明１"), QStringLiteral("Manua43.jpg"), 1109},
        {QStringLiteral("５・画像取り扱い機能の説明２"), QStringLiteral("Manua44.jpg"), 1109},
        {QStringLiteral("６・画像上への書き込み"), QStringLiteral("Manua45.jpg"), 1193},
        {QStringLiteral("７・平面図の表示"), QStringLiteral("Manua46.jpg"), 1193},
        {QStringLiteral("８・屋上、壁をラインで描画"), QStringLiteral("Manua47.jpg"), 1193},
        {QStringLiteral("９・１クリックでの屋上、壁ライン描画"), QStringLiteral("Manua60.jpg"), 1193},
    }};
    return book;
}

void ManualItemLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

QString ManualFrm::CaptionAsShown(const QString& caption)
{
    // The captions pad with runs of blanks to push their rest onto the next line of a fixed-width
    // item; the label breaks the line there itself.
    static const QRegularExpression padding(QStringLiteral("[ \u3000]{2,}"));
    QString shown = caption;
    return shown.replace(padding, QStringLiteral("\n"));
}

ManualFrm::ManualFrm(const ManualBook& book, QWidget* owner) : QWidget(owner, platform::OwnedWindowFlags()), book_(book)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("操作マニュアル"));
    setFont(platform::WindowFont(9));

    constexpr int kMargin = 10;
    constexpr int kItemsWidth = 168;
    const int docWidth = Px(kDocWidth);
    const int docHeight = Px(kDocHeight);
    constexpr int kScrollWidth = 18;
    const int pageLeft = kMargin + kItemsWidth + 10;

    // Left column: heading, the item labels, the close button at the bottom.
    auto* items = new QWidget(this);
    items->setGeometry(kMargin, kMargin, kItemsWidth, docHeight + 4);
    auto* column = new QVBoxLayout(items);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    Label1 = new QLabel(QStringLiteral("操作マニュアル"), items);
    Label1->setFont(platform::WindowFont(12));
    column->addWidget(Label1);
    for (int k = 0; k < book_.pages.size(); ++k) {
        auto* label = new ManualItemLabel(items);
        label->setObjectName(QStringLiteral("ItemName1Lbl_%1").arg(k));
        label->setWordWrap(true);
        label->setAutoFillBackground(true);
        label->setMargin(3);
        label->setCursor(Qt::PointingHandCursor);
        column->addWidget(label);
        ItemName1Lbl.append(label);
        connect(label, &ManualItemLabel::clicked, this, [this, k] { ShowItem(k); });
    }
    column->addStretch(1);
    CloseCmd = new QPushButton(QStringLiteral("閉じる(&C)"), items);
    column->addWidget(CloseCmd);
    connect(CloseCmd, &QPushButton::clicked, this, &QWidget::close);

    // Page area: a white frame holding the page area, which holds the page picture.
    BackPic = new QWidget(this);
    BackPic->setGeometry(pageLeft, kMargin, docWidth + 4, docHeight + 4);
    BackPic->setAutoFillBackground(true);
    QPalette white = BackPic->palette();
    white.setColor(QPalette::Window, Qt::white);
    BackPic->setPalette(white);
    DocPic = new QWidget(BackPic);
    DocPic->setGeometry(2, 2, docWidth, docHeight);
    DocPic->setAutoFillBackground(true);
    DocPic->setPalette(white);
    DocImg = new QLabel(DocPic);
    DocImg->setObjectName(QStringLiteral("DocImg"));
    DocImg->setScaledContents(true);
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setGeometry(pageLeft + docWidth + 4, kMargin, kScrollWidth, docHeight + 4);
    VScroll1->setRange(0, 0);
    connect(VScroll1, &QScrollBar::valueChanged, this, &ManualFrm::VScroll1_Change);
    setFixedSize(pageLeft + docWidth + 4 + kScrollWidth + kMargin, docHeight + 4 + 2 * kMargin);

    // Window load.
    move(0, 0);
    PlaceDocImg(0.0, 0.0);
    SetManualItems();
    pSelectedItem = -1;
}

void ManualFrm::SetManualItems()
{
    pPageFileName.clear();
    pPageHeight.clear();
    for (int k = 0; k < book_.pages.size(); ++k) {
        ItemName1Lbl[k]->setText(CaptionAsShown(book_.pages[k].caption));
        SetItemColor(k, kItemColor);
        pPageFileName.append(book_.pages[k].fileName);
        pPageHeight.append(book_.pages[k].pageHeight);
    }
}

void ManualFrm::SetItemColor(int k, const QColor& color)
{
    QPalette palette = ItemName1Lbl[k]->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Window, QColor(0xE0, 0xE0, 0xE0));
    ItemName1Lbl[k]->setPalette(palette);
}

void ManualFrm::PlaceDocImg(double top, double height)
{
    docImgHeight_ = height;
    DocImg->setGeometry(0, Px(top), Px(kDocWidth), Px(height));
}

void ManualFrm::ShowItem(int k)
{
    if (k < 0 || k >= pPageFileName.size()) {
        return;
    }
    if (pSelectedItem >= 0 && pSelectedItem < ItemName1Lbl.size()) {
        SetItemColor(pSelectedItem, kItemColor);
    }
    SetItemColor(k, kChosenItemColor);

    // A page that cannot be read leaves the page area empty rather than showing the last one.
    const QString path = DataPath(book_.folder, pPageFileName[k]);
    const QPixmap page(path);
    if (page.isNull()) {
        DocImg->clear();
        shownPage_.clear();
    } else {
        DocImg->setPixmap(page);
        shownPage_ = path;
    }

    PlaceDocImg(0.0, kPageStretch * pPageHeight[k]);
    pScrollRange = pPageHeight[k] - kUnscrolledHeight;
    const QSignalBlocker quiet(VScroll1);
    VScroll1->setRange(0, static_cast<int>(platform::RoundHalfEven(pScrollRange * 0.02)));
    VScroll1->setValue(0);
    pSelectedItem = k;
}

void ManualFrm::VScroll1_Change(int value)
{
    PlaceDocImg(-kScrollStep * value, docImgHeight_);
}

QPointer<Manual3Frm> Manual3Frm::instance_;
QPointer<Manual4Frm> Manual4Frm::instance_;

Manual3Frm::Manual3Frm(QWidget* owner) : ManualFrm(MainManualBook(), owner)
{
    setObjectName(QStringLiteral("Manual3Frm"));
}

Manual3Frm* Manual3Frm::Open(QWidget* owner)
{
    return platform::ShowSingleWindow(instance_, [owner] { return new Manual3Frm(owner); });
}

Manual4Frm::Manual4Frm(QWidget* owner) : ManualFrm(BuildingInputManualBook(), owner)
{
    setObjectName(QStringLiteral("Manual4Frm"));
}

Manual4Frm* Manual4Frm::Open(QWidget* owner)
{
    return platform::ShowSingleWindow(instance_, [owner] { return new Manual4Frm(owner); });
}

void ConnectMainHelpMenu(QAction* helpMenu, QWidget* owner)
{
    if (helpMenu == nullptr) {
        return;
    }
    QObject::connect(helpMenu, &QAction::triggered, owner, [owner] { Manual3Frm::Open(owner); });
}
