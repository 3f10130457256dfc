#include "LonLatJapanFrm.h"

#include <QShowEvent>
#include <cmath>

#include "platform/OwnedWindow.h"
#include "orbit/ObservationConditions.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"

namespace {

// The map's linear frame in degrees.
constexpr double kLonLeft = 122.0;
constexpr double kLatTop = 46.0;
constexpr double kLonSpan = 26.0;
constexpr double kLatSpan = 22.0;
constexpr double kLonRight = kLonLeft + kLonSpan;
constexpr double kLatBottom = kLatTop - kLatSpan;

// The main window's ranges for its position boxes.
constexpr double kMaxLatitude = 90.0;
constexpr double kMaxLongitude = 180.0;

const QColor kCrossColor(200, 0, 0);
constexpr int kCrossWidth = 2;

QString Fixed(double value, const char* pattern)
{
    return QString::fromStdString(platform::FormatFixed(value, pattern));
}

double BoxValue(const QLineEdit* box) { return platform::NumericValue(box->text().toStdString()); }

}  // namespace

QPointer<LonLatJapanFrm> LonLatJapanFrm::instance_;

LonLatJapanFrm* LonLatJapanFrm::Open(QWidget* owner, HandOver handOver)
{
    LonLatJapanFrm* frm = platform::ShowSingleWindow(instance_, [owner] { return new LonLatJapanFrm(owner); });
    frm->onAccepted = std::move(handOver);
    return frm;
}

LonLatJapanFrm* LonLatJapanFrm::existing() { return instance_; }

LonLatJapanFrm::LonLatJapanFrm(QWidget* owner) : QWidget(owner, platform::OwnedWindowFlags())
{
    setObjectName(QStringLiteral("LonLatJapanFrm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("日本の緯度経度"));
    setFont(platform::WindowFont(9));
    if (instance_.isNull()) {
        instance_ = this;
    }

    constexpr int kMargin = 10;
    constexpr int kRowTop = 10;
    constexpr int kRowHeight = 24;
    constexpr int kFrameTop = kRowTop + kRowHeight + 10;
    constexpr int kButtonLeft = kMargin + kFrameWidth + 12;
    constexpr int kButtonWidth = 96;

    LatHdLbl = new QLabel(QStringLiteral("緯度"), this);
    LatHdLbl->setGeometry(kMargin, kRowTop, 32, kRowHeight);
    LatTxt = new QLineEdit(this);
    LatTxt->setObjectName(QStringLiteral("LatTxt"));
    LatTxt->setGeometry(kMargin + 34, kRowTop, 70, kRowHeight);
    LonHdLbl = new QLabel(QStringLiteral("経度"), this);
    LonHdLbl->setGeometry(kMargin + 120, kRowTop, 32, kRowHeight);
    LonTxt = new QLineEdit(this);
    LonTxt->setObjectName(QStringLiteral("LonTxt"));
    LonTxt->setGeometry(kMargin + 154, kRowTop, 70, kRowHeight);
    Label1 = new QLabel(QStringLiteral("拡大縮小"), this);
    Label1->setGeometry(kMargin + 250, kRowTop, 56, kRowHeight);
    MapScaleScl = new QScrollBar(Qt::Horizontal, this);
    MapScaleScl->setObjectName(QStringLiteral("MapScaleScl"));
    MapScaleScl->setGeometry(kMargin + 310, kRowTop + 3, kFrameWidth - 310, kRowHeight - 6);
    MapScaleScl->setRange(0, 20);
    MapScaleScl->setValue(0);

    // The frame clips the map; a dragged map can leave grey frame in view.
    LonLatBackPic = new QWidget(this);
    LonLatBackPic->setObjectName(QStringLiteral("LonLatBackPic"));
    LonLatBackPic->setGeometry(kMargin, kFrameTop, kFrameWidth, kFrameHeight);
    LonLatBackPic->setAutoFillBackground(true);
    QPalette framePalette = LonLatBackPic->palette();
    framePalette.setColor(QPalette::Window, QColor(128, 128, 128));
    LonLatBackPic->setPalette(framePalette);

    JapanLonLatPic = new PictureSurface(LonLatBackPic);
    JapanLonLatPic->setObjectName(QStringLiteral("JapanLonLatPic"));
    JapanLonLatPic->setCursor(Qt::CrossCursor);

    ClearLineCmd = new QPushButton(QStringLiteral("消去(&D)"), this);
    ClearLineCmd->setGeometry(kButtonLeft, kFrameTop, kButtonWidth, 32);
    OKCmd = new QPushButton(QStringLiteral("OK(&Y)"), this);
    OKCmd->setGeometry(kButtonLeft, kFrameTop + 44, kButtonWidth, 32);
    CancelCmd = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ(&N)"), this);
    CancelCmd->setGeometry(kButtonLeft, kFrameTop + 88, kButtonWidth, 32);
    setFixedSize(kButtonLeft + kButtonWidth + kMargin, kFrameTop + kFrameHeight + kMargin);

    artwork_.load(QStringLiteral(":/map/JapanMap.png"));

    // Window load: the map fills the frame at its top-left corner, in degrees.
    move(0, 0);
    JapanLonLatPic->setGeometry(0, 0, kFrameWidth, kFrameHeight);
    SetMapScale();
    pFirstActivate = -1;
    pMouseDownSTS = 0;
    pCrossLineSTS = 0;

    connect(JapanLonLatPic, &PictureSurface::mousePressed, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPointF at) { JapanLonLatPic_MouseDown(button, at); });
    connect(JapanLonLatPic, &PictureSurface::mouseReleased, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPointF at) { JapanLonLatPic_MouseUp(button, at); });
    connect(JapanLonLatPic, &PictureSurface::mouseDoubleClicked, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPointF) {
                if (button == Qt::LeftButton) {
                    JapanLonLatPic_DblClick();
                }
            });
    connect(MapScaleScl, &QScrollBar::valueChanged, this, &LonLatJapanFrm::MapScaleScl_Change);
    connect(ClearLineCmd, &QPushButton::clicked, this, &LonLatJapanFrm::ClearLineCmd_Click);
    connect(OKCmd, &QPushButton::clicked, this, &LonLatJapanFrm::OKCmd_Click);
    connect(CancelCmd, &QPushButton::clicked, this, &QWidget::close);
}

LonLatJapanFrm::~LonLatJapanFrm() = default;

void LonLatJapanFrm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void LonLatJapanFrm::Form_Activate()
{
    if (pFirstActivate != -1) {
        return;
    }
    pJapanMapRate = 1.0F;
    pBackPicWidth = static_cast<float>(LonLatBackPic->width());
    pBackPicHeight = static_cast<float>(LonLatBackPic->height());
    ShowCurrentLonLat();
    pFirstActivate = 0;
}

void LonLatJapanFrm::ShowCurrentLonLat()
{
    DrawCrossLine(QPointF(gLongitude, gLatitude));
    LonTxt->setText(Fixed(gLongitude, "###.0"));
    LatTxt->setText(Fixed(gLatitude, "##0.0"));
}

void LonLatJapanFrm::SetMapScale()
{
    JapanLonLatPic->setScale(kLonLeft, kLatTop, kLonSpan, -kLatSpan);
}

void LonLatJapanFrm::ClearMap()
{
    JapanLonLatPic->clear();
    if (artwork_.isNull()) {
        return;
    }
    const QSize size = JapanLonLatPic->size();
    if (scaledArtwork_.size() != size) {
        scaledArtwork_ = artwork_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    JapanLonLatPic->drawImage(QPointF(kLonLeft, kLatTop), QPointF(kLonRight, kLatBottom), scaledArtwork_);
    crosshair_.reset();
}

void LonLatJapanFrm::DrawCrossLine(QPointF lonLat)
{
    ClearMap();
    JapanLonLatPic->setDrawWidth(kCrossWidth);
    JapanLonLatPic->line(QPointF(kLonLeft, lonLat.y()), QPointF(kLonRight, lonLat.y()), kCrossColor);
    JapanLonLatPic->line(QPointF(lonLat.x(), kLatBottom), QPointF(lonLat.x(), kLatTop), kCrossColor);
    crosshair_ = lonLat;
}

void LonLatJapanFrm::ShowPickedLonLat(QPointF lonLat)
{
    DrawCrossLine(lonLat);
    LonTxt->setText(Fixed(lonLat.x(), "###.0"));
    LatTxt->setText(Fixed(lonLat.y(), "##0.0"));
}

void LonLatJapanFrm::JapanLonLatPic_MouseDown(Qt::MouseButton button, QPointF at)
{
    if (button != Qt::LeftButton) {
        return;
    }
    pDownLon = at.x();
    pDownLat = at.y();
    pMouseDownSTS = -1;
}

void LonLatJapanFrm::JapanLonLatPic_MouseUp(Qt::MouseButton button, QPointF at)
{
    if (button != Qt::LeftButton || pMouseDownSTS != -1) {
        return;
    }
    // The map follows the pointer, by kDragPixelsPerDegree x zoom per degree moved; no limit.
    const double dx = at.x() - pDownLon;
    const double dy = at.y() - pDownLat;
    const double step = kDragPixelsPerDegree * pJapanMapRate;
    JapanLonLatPic->move(static_cast<int>(std::lround(JapanLonLatPic->x() + step * dx)),
                         static_cast<int>(std::lround(JapanLonLatPic->y() - step * dy)));
    pMouseDownSTS = 0;
    if (pCrossLineSTS == -1) {
        ShowPickedLonLat(QPointF(pDownLon, pDownLat));
    }
}

void LonLatJapanFrm::JapanLonLatPic_DblClick()
{
    // The first double-click only switches picking on; later ones pick the press point.
    if (pCrossLineSTS == -1) {
        ShowPickedLonLat(QPointF(pDownLon, pDownLat));
    }
    pCrossLineSTS = -1;
}

void LonLatJapanFrm::MapScaleScl_Change(int value)
{
    pJapanMapRate = 1.0F + 0.1F * static_cast<float>(value);
    const double rate = pJapanMapRate;
    // Centred on the frame's centre; a drag is undone.
    JapanLonLatPic->setGeometry(static_cast<int>(std::lround(-(rate - 1.0) * pBackPicWidth / 2.0)),
                                static_cast<int>(std::lround(-(rate - 1.0) * pBackPicHeight / 2.0)),
                                static_cast<int>(std::lround(pBackPicWidth * rate)),
                                static_cast<int>(std::lround(pBackPicHeight * rate)));
    SetMapScale();
    // The artwork is drawn again at the new size; the crosshair stays where it was, or, while
    // picking, moves to the last pressed point (the boxes are not touched).
    const std::optional<QPointF> shown = pCrossLineSTS == -1 ? std::optional<QPointF>(QPointF(pDownLon, pDownLat)) : crosshair_;
    if (shown) {
        DrawCrossLine(*shown);
    } else {
        ClearMap();
    }
}

void LonLatJapanFrm::ClearLineCmd_Click()
{
    ClearMap();
    pCrossLineSTS = 0;
}

void LonLatJapanFrm::OKCmd_Click()
{
    // Only what the main window's boxes accept is handed over (text that is no number counts as
    // 0, as there); anything else keeps the window open for a correction.
    const double lon = BoxValue(LonTxt);
    const double lat = BoxValue(LatTxt);
    if (!std::isfinite(lat) || !std::isfinite(lon) || lat < 0.0 || lat > kMaxLatitude || lon < 0.0 ||
        lon > kMaxLongitude) {
        platform::ShowMessage(this, QStringLiteral("入力値が範囲外です"));
        return;
    }
    SetLongitude(static_cast<float>(lon));
    SetLatitude(static_cast<float>(lat));
    if (onAccepted) {
        onAccepted(Fixed(gLatitude, "###.0"), Fixed(gLongitude, "##0.0"));
    }
    close();
}
