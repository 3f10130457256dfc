#pragma once
// The receiver window "GPSフォーム": reads a GPS receiver on the serial port of the GPS settings,
// shows every accepted GGA position in plane coordinates of the system in use (east "X(m)",
// north "Y(m)"), its Japan time, satellites in use and fix label, marks it on the site map and,
// while recording, writes it as one line of a GPS record file (gps/ReceiverFix.h).
//
// Two states, shown by the button captions: listening ("スタート(&S)" / "ストップ(&S)") and
// recording ("記録開始(&R)" / "記録停止(&T)"); positions are written only while both are on.
//  - Starting shows the site map's receiver mark where it last was; every accepted position
//    moves it. A port that cannot be opened, or a receiver that goes away, is reported; the
//    window is then stopped and the mark taken off the map.
//  - Recording starts only when its file (a ".gps" or ".txt" name, either case) is open; a
//    cancelled dialog starts nothing, a file that cannot be opened is reported. A write that
//    fails stops recording with a message. The lamp "記録中" shows while recording and changes
//    between shown and hidden with every line written, never without one.
//  - Closing the window stops the port, takes the mark off the map and closes the record file.
// "GPS設定(&G)" opens the GPS settings (port and system); a new port is used at the next start,
// a new system at once.
// One instance, owned by the main window, deleted when closed.

#include <QFile>
#include <QWidget>

#include "gps/NmeaSerialReader.h"
#include "gps/ReceiverFix.h"

class QGroupBox;
class QLabel;
class QPushButton;
class MainWindowPort;

namespace gps {

class GPSFrm : public QWidget {
    Q_OBJECT
public:
    // A tool window of `owner`; through `port` (may be null) it marks positions on the site map.
    explicit GPSFrm(QWidget* owner, MainWindowPort* port = nullptr);
    ~GPSFrm() override;

    QPushButton* StartGPSCmd = nullptr;
    QPushButton* RecordGPSCmd = nullptr;
    QPushButton* OKCmd = nullptr;      // GPS設定(&G)
    QPushButton* CancelCmd = nullptr;  // 閉じる(&C)
    QGroupBox* GPSataFlm = nullptr;
    QLabel* DispPublicXlbl = nullptr;  // east, metres
    QLabel* DispPublicYlbl = nullptr;  // north, metres
    QLabel* GPSTimeLbl = nullptr;
    QLabel* GPSSaetNumLbl = nullptr;
    QLabel* GPSStatusLbl = nullptr;
    QLabel* RecordSTSLbl = nullptr;    // the recording lamp 記録中
    QLabel* STSLbl = nullptr;          // GPGGAのデータではありません (kept hidden)

    int pRecordSTS = 0;  // -1 while recording, else 0
    int pBlinkSTS = 0;   // 0 or 1, changes with every recorded line

    void StartGPSCmd_Click();
    void RecordGPSCmd_Click();
    void OKCmd_Click();
    void CancelCmd_Click();
    // One decoded sentence: a GGA is shown, marked and recorded when accepted.
    void ConvertGPSRealData(const NmeaSentence& sentence);
    // Returns whether the position was accepted.
    bool Convert_GPGGA(const GgaSentence& gga);

    bool isListening() const { return reader_.isOpen(); }
    bool isRecording() const { return pRecordSTS == -1; }
    QString recordPath() const { return record_.fileName(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void Form_Load();
    void PortFailed(const QString& message);
    void StopListening();
    bool OpenGPSRecordFile();
    // Ends recording: closes the file (with `tellFailure`, a failing close is told) and resets
    // button and lamp.
    void StopRecording(bool tellFailure = true);
    void WriteRecordLine(const ReceiverFix& fix);

    MainWindowPort* port_ = nullptr;
    NmeaSerialReader reader_;
    QFile record_;
};

}  // namespace gps
