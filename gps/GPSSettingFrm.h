#pragma once
// The dialog "GPS設定": chooses the plane rectangular system from the table of the 19 systems
// and, in mode 1, the receiver's serial port and speed. It shows the settings in memory (the
// opener has loaded them); OK stores the choice in memory at once (the origin included, so the
// next conversion uses it) and writes data0/GPSSetting.dat, telling the user when that fails;
// Cancel changes nothing. Without a row clicked, OK keeps the current system.
//
// Mode (gGPSSettingMode, set by the opener): 1 port and system, 2 system only (the port frame
// hidden; OK still writes the port and speed it holds). Openers show it modally (exec) or
// modeless; it is not deleted when closed.

#include <QDialog>
#include <QStringList>

#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace gps {

class GPSSettingFrm : public QDialog {
    Q_OBJECT
public:
    // `startDir`: the start folder whose data0 holds the settings file. `ports`: the serial
    // devices to offer; by default the machine's (QSerialPortInfo). The port box also takes a
    // typed device path.
    explicit GPSSettingFrm(QString startDir, QWidget* parent = nullptr, std::optional<QStringList> ports = std::nullopt);

    QGroupBox* MapSystemFlm = nullptr;
    QTableWidget* MapSystemGrid = nullptr;  // header row + systems 1..19 in rows 0..18
    QLabel* MapNumLbl = nullptr;
    QLabel* LatLbl = nullptr;
    QLabel* LonLbl = nullptr;
    QLabel* ScaleFacterLbl = nullptr;
    QGroupBox* PortSettingFlm = nullptr;
    QComboBox* GPSPortCmb = nullptr;
    QComboBox* GPSPortSpeedCmb = nullptr;
    QPushButton* OKCmd = nullptr;
    QPushButton* CancelCmd = nullptr;

    void MapSystemGrid_Click();
    void OKCmd_Click();
    void CancelCmd_Click();

private:
    void SetMapSystemGrid();
    void SetGPSPortList(const QStringList& ports);
    void ShowSystem(int number);
    void LayOut(int mode);

    QString startDir_;
    int chosenSystem_ = 1;
};

}  // namespace gps
