#include "RevisionMapFrm.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <span>
#include <vector>

#include "gps/GPSSettingFrm.h"
#include "gps/GpsSettings.h"
#include "gps/GpsWindowParts.h"
#include "gps/PositionCursors.h"
#include "gps/ReceiverFix.h"
#include "platform/CursorFile.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/OwnedWindow.h"
#include "platform/NumberText.h"
#include "site/MapView.h"
#include "site/RunState.h"
#include "site/SiteFiles.h"
#include "site/TopAreaModel.h"

namespace gps {

namespace {

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString Metres(double value) { return QString::fromStdString(MetresText(value)); }

// The values typed when the window opens: degrees, minutes, seconds of latitude, then longitude.
constexpr std::array<std::array<const char*, 6>, 2> kDefaultPositions = {{
    {"35", "44", "18.54", "139", "36", "38.43"},
    {"35", "44", "22.01", "139", "36", "33.82"},
}};

QLineEdit* Box(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setFixedWidth(56);
    return box;
}


// The value of a position box: its whole text must be a number ("2x" or letters are none); an
// empty minutes or seconds box reads as 0, an empty degrees box is no value.
std::optional<double> BoxValue(const QLineEdit* box, bool emptyIsZero)
{
    const std::string text = box->text().toStdString();
    if (platform::IsNumberText(text)) return platform::NumericValue(text);
    if (emptyIsZero && box->text().trimmed().isEmpty()) return 0.0;
    return std::nullopt;
}

// Degrees + minutes / 60 + seconds / 3600; nullopt when a box holds no value.
std::optional<double> DegreesOf(const QLineEdit* deg, const QLineEdit* min, const QLineEdit* sec)
{
    const auto d = BoxValue(deg, false);
    const auto m = BoxValue(min, true);
    const auto s = BoxValue(sec, true);
    if (!d || !m || !s) return std::nullopt;
    return *d + *m / 60.0 + *s / 3600.0;
}

}  // namespace

RevisionMapFrm::RevisionMapFrm(QWidget* owner, MainWindowPort* port) : QWidget(owner, platform::OwnedWindowFlags()), port_(port)
{
    setObjectName(QStringLiteral("RevisionMapFrm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("マップ補正"));
    setFont(platform::WindowFont(9));
    BuildControls();
    Form_Load();
}

// Destroyed with its owner, the window no longer calls the main window; the main window forgets
// a destroyed client by itself.
RevisionMapFrm::~RevisionMapFrm() = default;

void RevisionMapFrm::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* pointsRow = new QHBoxLayout;
    for (int k = 0; k < 2; ++k) {
        PointControls& c = points[static_cast<std::size_t>(k)];
        const QString n = QString::number(k + 1);
        c.frame = new QGroupBox(k == 0 ? QStringLiteral("第１点") : QStringLiteral("第２点"), this);
        auto* grid = new QGridLayout(c.frame);
        c.latDeg = Box(c.frame, QStringLiteral("LatDeg%1Txt").arg(n));
        c.latMin = Box(c.frame, QStringLiteral("LatMin%1Txt").arg(n));
        c.latSec = Box(c.frame, QStringLiteral("LatSec%1Txt").arg(n));
        c.lonDeg = Box(c.frame, QStringLiteral("LonDeg%1Txt").arg(n));
        c.lonMin = Box(c.frame, QStringLiteral("LonMin%1Txt").arg(n));
        c.lonSec = Box(c.frame, QStringLiteral("LonSec%1Txt").arg(n));
        grid->addWidget(new QLabel(QStringLiteral("度"), c.frame), 0, 1, Qt::AlignCenter);
        grid->addWidget(new QLabel(QStringLiteral("分"), c.frame), 0, 2, Qt::AlignCenter);
        grid->addWidget(new QLabel(QStringLiteral("秒"), c.frame), 0, 3, Qt::AlignCenter);
        grid->addWidget(new QLabel(QStringLiteral("緯度"), c.frame), 1, 0);
        grid->addWidget(c.latDeg, 1, 1);
        grid->addWidget(c.latMin, 1, 2);
        grid->addWidget(c.latSec, 1, 3);
        grid->addWidget(new QLabel(QStringLiteral("経度"), c.frame), 2, 0);
        grid->addWidget(c.lonDeg, 2, 1);
        grid->addWidget(c.lonMin, 2, 2);
        grid->addWidget(c.lonSec, 2, 3);
        c.setCmd = new QPushButton(QStringLiteral("ﾎﾟｲﾝﾄ設定"), c.frame);
        c.setCmd->setObjectName(k == 0 ? QStringLiteral("FirstPointSetCmd") : QStringLiteral("SecondPointSetCmd"));
        grid->addWidget(c.setCmd, 3, 1, 1, 3);
        grid->addWidget(new QLabel(QStringLiteral("平面座標"), c.frame), 4, 0, 1, 4);
        c.xLbl = ValueLabel(c.frame, QStringLiteral("X%1Lbl").arg(n), 96);
        c.yLbl = ValueLabel(c.frame, QStringLiteral("Y%1Lbl").arg(n), 96);
        grid->addWidget(new QLabel(QStringLiteral("X（ｍ）"), c.frame), 5, 0);
        grid->addWidget(c.xLbl, 5, 1, 1, 3);
        grid->addWidget(new QLabel(QStringLiteral("Y（ｍ）"), c.frame), 6, 0);
        grid->addWidget(c.yLbl, 6, 1, 1, 3);
        pointsRow->addWidget(c.frame);
        connect(c.setCmd, &QPushButton::clicked, this, [this, k] { PointSetCmd_Click(k); });
    }
    layout->addLayout(pointsRow);

    auto* commands = new QHBoxLayout;
    MapSystemLbl = new QLabel(this);
    MapSystemLbl->setObjectName(QStringLiteral("MapSystemLbl"));
    MapSystemCmd = new QPushButton(QStringLiteral("測地系"), this);
    MapSystemCmd->setObjectName(QStringLiteral("MapSystemCmd"));
    FixDataCmd = new QPushButton(QStringLiteral("決定"), this);
    FixDataCmd->setObjectName(QStringLiteral("FixDataCmd"));
    CloseCmd = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    CloseCmd->setObjectName(QStringLiteral("CloseCmd"));
    commands->addWidget(MapSystemLbl);
    commands->addWidget(MapSystemCmd);
    commands->addStretch();
    commands->addWidget(FixDataCmd);
    commands->addWidget(CloseCmd);
    layout->addLayout(commands);

    connect(MapSystemCmd, &QPushButton::clicked, this, &RevisionMapFrm::MapSystemCmd_Click);
    connect(FixDataCmd, &QPushButton::clicked, this, &RevisionMapFrm::FixDataCmd_Click);
    connect(CloseCmd, &QPushButton::clicked, this, &RevisionMapFrm::CloseCmd_Click);
}

void RevisionMapFrm::Form_Load()
{
    PlaceWindowAtTwips(this, 2000, 400);
    LoadGpsWindowSettings(this);
    ShowSystemLabel();
    for (std::size_t k = 0; k < 2; ++k) {
        const auto& values = kDefaultPositions[k];
        PointControls& c = points[k];
        QLineEdit* boxes[] = {c.latDeg, c.latMin, c.latSec, c.lonDeg, c.lonMin, c.lonSec};
        for (std::size_t b = 0; b < 6; ++b) boxes[b]->setText(QString::fromLatin1(values[b]));
    }
}

void RevisionMapFrm::ShowSystemLabel()
{
    MapSystemLbl->setText(QStringLiteral("第 %1 測地系").arg(gMapSystemNo));
}

std::optional<GeoPosition> RevisionMapFrm::typedPosition(int point) const
{
    const PointControls& c = points[static_cast<std::size_t>(point)];
    const auto latitude = DegreesOf(c.latDeg, c.latMin, c.latSec);
    const auto longitude = DegreesOf(c.lonDeg, c.lonMin, c.lonSec);
    if (!latitude || !longitude) return std::nullopt;
    return GeoPosition{*latitude, *longitude};
}

bool RevisionMapFrm::ShowReference(int point, bool tell)
{
    const PointControls& c = points[static_cast<std::size_t>(point)];
    const auto position = typedPosition(point);
    const auto plane = position ? ReferencePlanePoint(*position, gOriginLat, gOriginLon, gScaleFactor) : std::nullopt;
    c.xLbl->setText(plane ? Metres(plane->east) : QString());
    c.yLbl->setText(plane ? Metres(plane->north) : QString());
    if (!plane && tell) {
        using R = MapCorrectionRefusal;
        const R why = position ? (point == 0 ? R::FirstPositionOutside : R::SecondPositionOutside)
                               : (point == 0 ? R::NoFirstPosition : R::NoSecondPosition);
        platform::ShowMessage(this, Utf8(MapCorrectionMessage(why)));
    }
    return plane.has_value();
}

void RevisionMapFrm::PointSetCmd_Click(int point)
{
    const QString path = DataPath(QStringLiteral("ico"), QString::fromLatin1(point == 0 ? kFirstPointCursorFile : kSecondPointCursorFile));
    if (const auto cursor = platform::LoadCursorFile(path)) {
        setCursor(*cursor);
    } else {
        unsetCursor();
    }
    if (port_) {
        port_->SetPickPointer(path);
        port_->TakePictureClick(PictureClickWindow::MapCorrection, 3 + point, this);
        pickPending_ = true;
    }
}

void RevisionMapFrm::RevisionPointPicked(int point, double x, double y)
{
    pickPending_ = false;
    unsetCursor();
    if (point == 1) SetFirstPosintion(x, y);
    if (point == 2) SetSecondPosintion(x, y);
}

void RevisionMapFrm::SetFirstPosintion(double x, double y) { SetPosition(0, x, y); }
void RevisionMapFrm::SetSecondPosintion(double x, double y) { SetPosition(1, x, y); }

void RevisionMapFrm::SetPosition(int point, double x, double y)
{
    picks_[static_cast<std::size_t>(point)] = SitePoint{x, y};
    ShowReference(point, true);
}

bool RevisionMapFrm::FixDataCmd_Click()
{
    MapCorrectionInput input;
    input.pick1 = picks_[0];
    input.pick2 = picks_[1];
    input.position1 = typedPosition(0);
    input.position2 = typedPosition(1);
    input.originLat = gOriginLat;
    input.originLon = gOriginLon;
    input.scaleFactor = gScaleFactor;
    // The labels show what is used now: the positions as typed at this moment.
    for (int k = 0; k < 2; ++k) {
        if (picks_[static_cast<std::size_t>(k)]) ShowReference(k, false);
    }
    const std::size_t count = static_cast<std::size_t>(std::clamp(gTopAreaPointTotalNumber, 0, kMaxTopPoints));
    const auto result = FixMapPointData(input, std::span<const float>(gNorthTopAreaX.data(), count),
                                        std::span<const float>(gNorthTopAreaY.data(), count));
    if (const auto* refusal = std::get_if<MapCorrectionRefusal>(&result)) {
        platform::ShowMessage(this, Utf8(MapCorrectionMessage(*refusal)));
        return false;
    }
    const CorrectedPoints& corrected = std::get<CorrectedPoints>(result);
    for (std::size_t i = 0; i < corrected.x.size(); ++i) {
        SetNorthTopAreaPoint(static_cast<int>(i), corrected.x[i], corrected.y[i]);
    }
    SetFixDataSTS(1);
    // The buildings are in plane coordinates now: the picks, made in the old frame, are spent.
    picks_ = {};
    // The map is centred on the corrected buildings (on the references when there are none),
    // as a calibrated project is when it is opened, so that it still shows them.
    std::vector<::SitePoint> shown;
    for (std::size_t i = 0; i < count; ++i) shown.push_back({gNorthTopAreaX[i], gNorthTopAreaY[i]});
    if (shown.empty()) {
        const MapTransform& t = corrected.transform;
        for (const PlaneXY& r : {t.reference1, t.reference2}) {
            shown.push_back({static_cast<float>(r.east), static_cast<float>(r.north)});
        }
    }
    const ::SitePoint centre = BoundingBoxCentre(shown);
    SetMapCenter(centre.x, static_cast<float>(centre.y));
    if (port_ && !port_->isJudging()) port_->ShowInputBillTopArea(-1);
    return true;
}

void RevisionMapFrm::CancelPick()
{
    unsetCursor();
    // A sky view that took the site map since (requests 1 and 2) keeps its request.
    if (port_ && pickPending_ && gPhotoClickMode != 1 && gPhotoClickMode != 2) {
        port_->ReleasePictureClick(PictureClickWindow::MapCorrection, this);
        port_->SetPickPointer(QString());
    }
    pickPending_ = false;
}

void RevisionMapFrm::MapSystemCmd_Click()
{
    CancelPick();
    gGPSSettingMode = 2;
    GPSSettingFrm dialog(gStartDir, this);
    if (dialog.exec() == QDialog::Accepted) {
        // The new origin is in use at once: the label and the shown references follow it.
        ShowSystemLabel();
        for (int k = 0; k < 2; ++k) {
            if (picks_[static_cast<std::size_t>(k)]) ShowReference(k, false);
        }
    }
}

void RevisionMapFrm::CloseCmd_Click() { close(); }

void RevisionMapFrm::closeEvent(QCloseEvent* event)
{
    CancelPick();
    QWidget::closeEvent(event);
}

}  // namespace gps
