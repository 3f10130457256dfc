#include "GPSFrm.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gps/GPSSettingFrm.h"
#include "gps/GpsSettings.h"
#include "gps/GpsWindowParts.h"
#include "platform/FileDialogs.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/OwnedWindow.h"
#include "site/MainWindowPort.h"
#include "site/RunState.h"

namespace gps {

namespace {

const QString kStartCaption = QStringLiteral("スタート(&S)");
const QString kStopCaption = QStringLiteral("ストップ(&S)");
const QString kRecordCaption = QStringLiteral("記録開始(&R)");
const QString kStopRecordCaption = QStringLiteral("記録停止(&T)");

QString Utf8(const std::string& text) { return QString::fromStdString(text); }


QPushButton* Button(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

// The record's type is the suffix of its file name, in either case.
bool IsRecordFileName(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    return suffix.compare(QLatin1String("gps"), Qt::CaseInsensitive) == 0 ||
           suffix.compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0;
}

}  // namespace

GPSFrm::GPSFrm(QWidget* owner, MainWindowPort* port) : QWidget(owner, platform::OwnedWindowFlags()), port_(port)
{
    setObjectName(QStringLiteral("GPSFrm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("GPSフォーム"));
    setFont(platform::WindowFont(9));
    BuildControls();
    connect(&reader_, &NmeaSerialReader::sentenceReceived, this, &GPSFrm::ConvertGPSRealData);
    connect(&reader_, &NmeaSerialReader::portFailed, this, &GPSFrm::PortFailed);
    Form_Load();
}

GPSFrm::~GPSFrm()
{
    // Whatever ends the window ends its receiver and its record.
    reader_.close();
    record_.close();
}

void GPSFrm::BuildControls()
{
    auto* layout = new QHBoxLayout(this);
    GPSataFlm = new QGroupBox(QStringLiteral("GPSデータ"), this);
    GPSataFlm->setObjectName(QStringLiteral("GPSataFlm"));
    auto* grid = new QGridLayout(GPSataFlm);
    DispPublicXlbl = ValueLabel(GPSataFlm, QStringLiteral("DispPublicXlbl"), 110);
    DispPublicYlbl = ValueLabel(GPSataFlm, QStringLiteral("DispPublicYlbl"), 110);
    GPSTimeLbl = ValueLabel(GPSataFlm, QStringLiteral("GPSTimeLbl"), 110);
    GPSSaetNumLbl = ValueLabel(GPSataFlm, QStringLiteral("GPSSaetNumLbl"), 110);
    GPSStatusLbl = ValueLabel(GPSataFlm, QStringLiteral("GPSStatusLbl"), 110);
    const std::pair<const char*, QLabel*> rows[] = {
        {"X(m)", DispPublicXlbl}, {"Y(m)", DispPublicYlbl}, {"時刻", GPSTimeLbl}, {"衛星数", GPSSaetNumLbl}, {"状態", GPSStatusLbl},
    };
    int row = 0;
    for (const auto& [caption, value] : rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption), GPSataFlm), row, 0);
        grid->addWidget(value, row, 1);
        ++row;
    }
    RecordSTSLbl = new QLabel(QStringLiteral("記録中"), GPSataFlm);
    RecordSTSLbl->setObjectName(QStringLiteral("RecordSTSLbl"));
    RecordSTSLbl->setStyleSheet(QStringLiteral("color: rgb(220, 0, 0); font-weight: bold;"));
    grid->addWidget(RecordSTSLbl, row, 0);
    STSLbl = new QLabel(QStringLiteral("GPGGAのデータではありません"), GPSataFlm);
    STSLbl->setObjectName(QStringLiteral("STSLbl"));
    grid->addWidget(STSLbl, row, 1);
    layout->addWidget(GPSataFlm);

    auto* commands = new QVBoxLayout;
    StartGPSCmd = Button(this, "StartGPSCmd", kStartCaption);
    RecordGPSCmd = Button(this, "RecordGPSCmd", kRecordCaption);
    OKCmd = Button(this, "OKCmd", QStringLiteral("GPS設定(&G)"));
    CancelCmd = Button(this, "CancelCmd", QStringLiteral("閉じる(&C)"));
    for (QPushButton* button : {StartGPSCmd, RecordGPSCmd, OKCmd}) commands->addWidget(button);
    commands->addStretch();
    commands->addWidget(CancelCmd);
    layout->addLayout(commands);

    connect(StartGPSCmd, &QPushButton::clicked, this, &GPSFrm::StartGPSCmd_Click);
    connect(RecordGPSCmd, &QPushButton::clicked, this, &GPSFrm::RecordGPSCmd_Click);
    connect(OKCmd, &QPushButton::clicked, this, &GPSFrm::OKCmd_Click);
    connect(CancelCmd, &QPushButton::clicked, this, &GPSFrm::CancelCmd_Click);
}

void GPSFrm::Form_Load()
{
    PlaceWindowAtTwips(this, 2000, 400);
    LoadGpsWindowSettings(this);
    STSLbl->hide();
    RecordSTSLbl->hide();
}

void GPSFrm::StartGPSCmd_Click()
{
    if (reader_.isOpen()) {
        StopListening();
        return;
    }
    const QString path = QString::fromStdString(GpsPortPath(CurrentGpsSettings()));
    const auto baud = BaudRateOfSetting(gGPSPortSetting);
    if (!baud) {
        platform::ShowMessage(this, QStringLiteral("GPS設定のスピードが不適です。GPS設定で選び直してください。"));
        return;
    }
    // A port that cannot be opened is told by PortFailed; the window stays stopped.
    if (reader_.open(path, *baud)) {
        StartGPSCmd->setText(kStopCaption);
        if (port_) port_->ShowGPSPointMark();
    }
}

void GPSFrm::StopListening()
{
    if (port_) port_->HideGPSPoint();
    reader_.close();
    StartGPSCmd->setText(kStartCaption);
}

void GPSFrm::PortFailed(const QString& message)
{
    StopListening();
    platform::ShowMessage(this, message);
}

void GPSFrm::ConvertGPSRealData(const NmeaSentence& sentence)
{
    if (const auto* gga = std::get_if<GgaSentence>(&sentence.data)) {
        Convert_GPGGA(*gga);
    }
}

bool GPSFrm::Convert_GPGGA(const GgaSentence& gga)
{
    const auto fix = AcceptGga(gga, gOriginLat, gOriginLon, gScaleFactor);
    if (!fix) return false;
    DispPublicXlbl->setText(Utf8(MetresText(fix->east)));
    DispPublicYlbl->setText(Utf8(MetresText(fix->north)));
    GPSTimeLbl->setText(Utf8(fix->timeText));
    GPSSaetNumLbl->setText(Utf8(fix->satellitesText));
    GPSStatusLbl->setText(Utf8(fix->qualityLabel));
    if (port_) port_->ShowGPSPoint(fix->east, fix->north);
    if (isRecording()) WriteRecordLine(*fix);
    return true;
}

void GPSFrm::WriteRecordLine(const ReceiverFix& fix)
{
    const std::string line = GpsRecordLine(fix);
    const qint64 size = static_cast<qint64>(line.size());
    if (record_.write(line.data(), size) != size || !record_.flush()) {
        const QString message = QStringLiteral("GPS記録データを書き込めません。記録を停止します。\n%1\n%2")
                                    .arg(record_.fileName(), record_.errorString());
        StopRecording(false);
        platform::ShowMessage(this, message);
        return;
    }
    pBlinkSTS = 1 - pBlinkSTS;
    RecordSTSLbl->setVisible(pBlinkSTS == 0);
}

void GPSFrm::RecordGPSCmd_Click()
{
    if (isRecording()) {
        StopRecording();
        return;
    }
    if (!OpenGPSRecordFile()) return;
    pBlinkSTS = 0;
    pRecordSTS = -1;
    RecordGPSCmd->setText(kStopRecordCaption);
    RecordSTSLbl->show();
}

bool GPSFrm::OpenGPSRecordFile()
{
    platform::FileDialogOptions options;
    options.filters = {QStringLiteral("プロジェクト ファイル (*.gps)"), QStringLiteral("txt ファイル (*.txt)")};
    options.fileName = QStringLiteral("*.gps");
    options.defaultSuffix = QStringLiteral("gps");
    const QString path = platform::AskFileName(this, platform::FileDialogKind::Save, options);
    if (path.isEmpty()) return false;
    if (!IsRecordFileName(path)) {
        platform::ShowMessage(this, QStringLiteral("GPS記録データのファイル名は .gps か .txt で終わる名前にしてください。\n%1").arg(path));
        return false;
    }
    record_.setFileName(path);
    if (!record_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        platform::ShowMessage(this, QStringLiteral("GPS記録データのファイルを開けません。\n%1\n%2").arg(path, record_.errorString()));
        return false;
    }
    return true;
}

void GPSFrm::StopRecording(bool tellFailure)
{
    pRecordSTS = 0;
    RecordGPSCmd->setText(kRecordCaption);
    RecordSTSLbl->hide();
    if (!record_.isOpen()) return;
    const bool flushed = record_.flush();
    record_.close();
    if (tellFailure && (!flushed || record_.error() != QFileDevice::NoError)) {
        platform::ShowMessage(this, QStringLiteral("GPS記録データを書き終えられませんでした。\n%1\n%2")
                                        .arg(record_.fileName(), record_.errorString()));
    }
}

void GPSFrm::OKCmd_Click()
{
    gGPSSettingMode = 1;
    GPSSettingFrm dialog(gStartDir, this);
    dialog.exec();
}

void GPSFrm::CancelCmd_Click() { close(); }

void GPSFrm::closeEvent(QCloseEvent* event)
{
    StopListening();
    if (isRecording()) StopRecording();
    QWidget::closeEvent(event);
}

}  // namespace gps
