#include "GPSSettingFrm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QTableWidget>

#include <algorithm>

#include "gps/GpsSettings.h"
#include "gps/MapSystems.h"
#include "platform/Constants.h"
#include "platform/MessageBox.h"

namespace gps {

namespace {

constexpr int Px(int twips) { return twips / platform::kTwipsPerPixel; }

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QStringList MachinePorts()
{
    QStringList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        ports << info.systemLocation();
    }
    ports.sort();
    return ports;
}

QLabel* Caption(const QString& text, QWidget* parent, int x, int y, int w)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, w, 20);
    return label;
}

QLabel* Value(const char* name, QWidget* parent, int x, int y, int w)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y, w, 20);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

}  // namespace

GPSSettingFrm::GPSSettingFrm(QString startDir, QWidget* parent, std::optional<QStringList> ports)
    : QDialog(parent), startDir_(std::move(startDir))
{
    setWindowTitle(QStringLiteral("GPS設定"));
    move(Px(2000), Px(1000));

    PortSettingFlm = new QGroupBox(QStringLiteral("GPS入力ポート設定"), this);
    Caption(QStringLiteral("ポートNo."), PortSettingFlm, 10, 22, 70);
    GPSPortCmb = new QComboBox(PortSettingFlm);
    GPSPortCmb->setObjectName(QStringLiteral("GPSPortCmb"));
    GPSPortCmb->setEditable(true);
    GPSPortCmb->setGeometry(84, 20, 140, 24);
    Caption(QStringLiteral("スピード"), PortSettingFlm, 10, 50, 70);
    GPSPortSpeedCmb = new QComboBox(PortSettingFlm);
    GPSPortSpeedCmb->setObjectName(QStringLiteral("GPSPortSpeedCmb"));
    GPSPortSpeedCmb->setGeometry(84, 48, 140, 24);

    MapSystemFlm = new QGroupBox(QStringLiteral("測地系設定"), this);
    Caption(QStringLiteral("日本測地系"), MapSystemFlm, 10, 20, 62);
    MapNumLbl = Value("MapNumLbl", MapSystemFlm, 74, 20, 30);
    Caption(QStringLiteral(" 緯度"), MapSystemFlm, 112, 20, 34);
    LatLbl = Value("LatLbl", MapSystemFlm, 148, 20, 52);
    Caption(QStringLiteral(" 経度"), MapSystemFlm, 208, 20, 34);
    LonLbl = Value("LonLbl", MapSystemFlm, 244, 20, 60);
    Caption(QStringLiteral("縮尺係数"), MapSystemFlm, 316, 20, 52);
    ScaleFacterLbl = Value("ScaleFacterLbl", MapSystemFlm, 370, 20, 50);
    ScaleFacterLbl->setText(QStringLiteral("0.9999"));
    MapSystemGrid = new QTableWidget(MapSystemFlm);
    MapSystemGrid->setObjectName(QStringLiteral("MapSystemGrid"));

    OKCmd = new QPushButton(QStringLiteral("OK(&Y)"), this);
    OKCmd->setObjectName(QStringLiteral("OKCmd"));
    OKCmd->setDefault(true);
    CancelCmd = new QPushButton(QStringLiteral("キャンセル(&C)"), this);
    CancelCmd->setObjectName(QStringLiteral("CancelCmd"));

    SetMapSystemGrid();
    SetGPSPortList(ports ? *ports : MachinePorts());
    ShowSystem(gMapSystemNo);
    LayOut(gGPSSettingMode);

    connect(MapSystemGrid, &QTableWidget::itemSelectionChanged, this, &GPSSettingFrm::MapSystemGrid_Click);
    connect(OKCmd, &QPushButton::clicked, this, &GPSSettingFrm::OKCmd_Click);
    connect(CancelCmd, &QPushButton::clicked, this, &GPSSettingFrm::CancelCmd_Click);
}

void GPSSettingFrm::SetMapSystemGrid()
{
    MapSystemGrid->setColumnCount(4);
    MapSystemGrid->setRowCount(kMapSystemCount);
    MapSystemGrid->setHorizontalHeaderLabels(
        {QStringLiteral("測地系"), QStringLiteral("都道府県名"), QStringLiteral("緯度"), QStringLiteral("経度")});
    MapSystemGrid->verticalHeader()->hide();
    MapSystemGrid->horizontalHeader()->setStretchLastSection(true);
    MapSystemGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MapSystemGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MapSystemGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    MapSystemGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    const int widths[] = {700, 4400, 700, 900};
    for (int c = 0; c < 4; ++c) {
        MapSystemGrid->setColumnWidth(c, Px(widths[c]));
    }
    for (const MapSystem& s : MapSystemTable()) {
        const int row = s.number - 1;
        MapSystemGrid->setItem(row, 0, new QTableWidgetItem(QString::number(s.number)));
        MapSystemGrid->setItem(row, 1, new QTableWidgetItem(Text(s.prefectures)));
        MapSystemGrid->setItem(row, 2, new QTableWidgetItem(Text(s.latitude)));
        MapSystemGrid->setItem(row, 3, new QTableWidgetItem(Text(s.longitude)));
        MapSystemGrid->verticalHeader()->resizeSection(row, 20);
    }
}

void GPSSettingFrm::SetGPSPortList(const QStringList& ports)
{
    QStringList items = ports;
    const QString current = QString::fromStdString(GpsPortPath(CurrentGpsSettings()));
    // The chosen device stays on offer while it is unplugged, so the choice is not lost.
    if (!current.isEmpty() && !items.contains(current)) {
        items << current;
        items.sort();
    }
    GPSPortCmb->addItems(items);
    GPSPortCmb->setCurrentIndex(std::max(0, static_cast<int>(items.indexOf(current))));
    for (const std::string_view item : GpsSpeedItems()) {
        GPSPortSpeedCmb->addItem(Text(item));
    }
    const int speed = std::clamp(gGPSSpeedIndex, 1, static_cast<int>(GpsSpeedItems().size()));
    GPSPortSpeedCmb->setCurrentIndex(speed - 1);
}

void GPSSettingFrm::ShowSystem(int number)
{
    const MapSystem* system = FindMapSystem(number);
    if (!system) {
        system = FindMapSystem(1);
    }
    chosenSystem_ = system->number;
    MapNumLbl->setText(QString::number(system->number));
    LatLbl->setText(Text(system->latitude));
    LonLbl->setText(Text(system->longitude));
    const QSignalBlocker quiet(MapSystemGrid);
    MapSystemGrid->selectRow(system->number - 1);
}

void GPSSettingFrm::LayOut(int mode)
{
    const int width = 490;
    PortSettingFlm->setGeometry(Px(60), Px(60), 236, 80);
    if (mode == 2) {
        PortSettingFlm->hide();
        MapSystemFlm->setGeometry(Px(60), Px(60), width - 8, 196);
        OKCmd->setGeometry(Px(3900), Px(3060), 100, 28);
        CancelCmd->setGeometry(Px(5700), Px(3060), 96, 28);
        setFixedSize(width, Px(4095) - 30);
    } else {
        PortSettingFlm->show();
        MapSystemFlm->setGeometry(Px(60), Px(1260), width - 8, 214);
        OKCmd->setGeometry(Px(3720), Px(360), 100, 28);
        CancelCmd->setGeometry(Px(5400), Px(360), 96, 28);
        setFixedSize(width, Px(4650) - 8);
    }
    MapSystemGrid->setGeometry(8, 46, MapSystemFlm->width() - 16, MapSystemFlm->height() - 54);
}

void GPSSettingFrm::MapSystemGrid_Click()
{
    const int row = MapSystemGrid->currentRow();
    if (row >= 0 && row < kMapSystemCount) {
        ShowSystem(row + 1);
    }
}

void GPSSettingFrm::OKCmd_Click()
{
    GpsSettings s = CurrentGpsSettings();
    const MapSystem* system = FindMapSystem(chosenSystem_);
    s.mapSystemNo = system->number;
    s.originLat = *DegreeMinuteValue(system->latitude);
    s.originLon = *DegreeMinuteValue(system->longitude);
    s.portName = GPSPortCmb->currentText().trimmed().toStdString();
    s.portNo = ComPortNumberOfPath(s.portName);
    s.speedIndex = GPSPortSpeedCmb->currentIndex() + 1;
    s.portSetting = GPSPortSpeedCmb->currentText().toStdString();
    ApplyGpsSettings(s);
    const QString error = SaveGPSSetting(startDir_);
    if (!error.isEmpty()) {
        platform::ShowMessage(this, error);
    }
    accept();
}

void GPSSettingFrm::CancelCmd_Click() { reject(); }

}  // namespace gps
