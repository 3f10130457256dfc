// The receiver window driven as a user would: real logs played through a pseudo-terminal standing
// in for the receiver, recording to files that fail in every way a file can.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

#include "NmeaTestHelpers.h"
#include "common/FakeMainWindowPort.h"
#include "common/PseudoTerminal.h"
#include "common/TestUtils.h"
#include "gps/GPSFrm.h"
#include "gps/GpsSettings.h"
#include "gps/MapSystems.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "site/RunState.h"

namespace {

const QString kStart = QStringLiteral("スタート(&S)");
const QString kStop = QStringLiteral("ストップ(&S)");
const QString kRecord = QStringLiteral("記録開始(&R)");
const QString kStopRecord = QStringLiteral("記録停止(&T)");

// A real fix of the iTrek log, in system 7.
const char* kFixBody = "GPGGA,045851.000,3519.9046,N,13640.2631,E,1,04,2.2,80.4,M,,,,0000";

class ReceiverWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkdir(QStringLiteral("data0"));
        previousStartDir = gStartDir;
        SetStartDir(dir.path());
        platform::SetMessageAnswerer([this](const QString& text, platform::MessageButtons) {
            messages << text;
            return platform::MessageAnswer::Ok;
        });
        platform::SetFileDialogAnswerer([this](platform::FileDialogKind, const platform::FileDialogOptions&) {
            return dialogPaths.isEmpty() ? QString() : dialogPaths.takeFirst();
        });
    }
    void TearDown() override
    {
        delete frm.data();
        platform::SetMessageAnswerer({});
        platform::SetFileDialogAnswerer({});
        gps::ApplyGpsSettings(gps::GpsSettings{});
        SetStartDir(previousStartDir);
    }

    // Stores the settings file the window reads when it loads: system `system`, port `path`.
    void UseSettings(int system, const QString& path)
    {
        const gps::MapSystem* row = gps::FindMapSystem(system);
        ASSERT_NE(row, nullptr);
        gps::GpsSettings s;
        s.mapSystemNo = system;
        s.originLat = gps::DegreeMinuteValue(row->latitude).value_or(0.0);
        s.originLon = gps::DegreeMinuteValue(row->longitude).value_or(0.0);
        s.portNo = 0;
        s.portName = path.toStdString();
        gps::ApplyGpsSettings(s);
        ASSERT_EQ(gps::SaveGPSSetting(dir.path()), QString());
        originLat = s.originLat;
        originLon = s.originLon;
    }
    void Open()
    {
        frm = new gps::GPSFrm(nullptr, &port);
        frm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.data()));
    }
    int Marks() const { return static_cast<int>(port.calls.filter(QStringLiteral("ShowGPSPoint ")).size()); }
    // Lets the window read until `expected` marks came and nothing more for a moment.
    void WaitForMarks(int expected)
    {
        QElapsedTimer total, quiet;
        total.start();
        quiet.start();
        int seen = Marks();
        while (total.elapsed() < 5000 && (Marks() < expected || quiet.elapsed() < 200)) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            if (Marks() != seen) {
                seen = Marks();
                quiet.restart();
            }
        }
    }
    void Fix(const std::string& body)
    {
        frm->ConvertGPSRealData(*gps::ParseNmeaLine(testutil::Sentence(body)));
    }
    static QByteArray FileText(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString previousStartDir;
    testutil::FakeMainWindowPort port;
    QPointer<gps::GPSFrm> frm;
    QStringList messages;
    QStringList dialogPaths;
    double originLat = 0.0, originLon = 0.0;
};

struct LogCase {
    const char* log;
    int system;
    int fixes;  // positions shown and recorded
};
void PrintTo(const LogCase& c, std::ostream* os) { *os << c.log; }

class ReceiverReplay : public ReceiverWindow, public ::testing::WithParamInterface<LogCase> {};

}  // namespace

TEST_P(ReceiverReplay, ShowsMarksAndRecordsEveryFixOfARealLog)
{
    const LogCase c = GetParam();
    testutil::Pty pty;
    ASSERT_FALSE(pty.path.isEmpty());
    UseSettings(c.system, pty.path);
    Open();
    const std::string log = testutil::ReadDataFile(c.log);
    const auto expected = testutil::AcceptedFixes(log, originLat, originLon);
    ASSERT_EQ(static_cast<int>(expected.size()), c.fixes);

    QTest::mouseClick(frm->StartGPSCmd, Qt::LeftButton);
    ASSERT_EQ(frm->StartGPSCmd->text(), kStop) << messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(port.calls, QStringList{"ShowGPSPointMark"}) << "the main map's mark shows from the start";
    const QString record = dir.filePath(QStringLiteral("walk.GPS"));  // the suffix in either case
    dialogPaths << record;
    QTest::mouseClick(frm->RecordGPSCmd, Qt::LeftButton);
    ASSERT_EQ(frm->RecordGPSCmd->text(), kStopRecord);
    EXPECT_TRUE(frm->RecordSTSLbl->isVisible());

    pty.writeInBursts(log);
    WaitForMarks(c.fixes);

    QStringList marks;
    std::string lines;
    for (const gps::ReceiverFix& fix : expected) {
        marks << QStringLiteral("ShowGPSPoint %1 %2").arg(fix.east).arg(fix.north);
        lines += gps::GpsRecordLine(fix);
    }
    EXPECT_EQ(port.calls.filter(QStringLiteral("ShowGPSPoint ")), marks);
    // The lamp changes with every line written: shown after an even number of lines.
    EXPECT_EQ(frm->RecordSTSLbl->isVisible(), c.fixes % 2 == 0);
    if (!expected.empty()) {
        const gps::ReceiverFix& last = expected.back();
        EXPECT_EQ(frm->DispPublicXlbl->text().toStdString(), gps::MetresText(last.east));
        EXPECT_EQ(frm->DispPublicYlbl->text().toStdString(), gps::MetresText(last.north));
        EXPECT_EQ(frm->GPSTimeLbl->text().toStdString(), last.timeText);
        EXPECT_EQ(frm->GPSSaetNumLbl->text().toStdString(), last.satellitesText);
        EXPECT_EQ(frm->GPSStatusLbl->text().toStdString(), last.qualityLabel);
    } else {
        EXPECT_EQ(frm->DispPublicXlbl->text(), QString());
    }

    QTest::mouseClick(frm->RecordGPSCmd, Qt::LeftButton);
    EXPECT_EQ(frm->RecordGPSCmd->text(), kRecord);
    EXPECT_FALSE(frm->RecordSTSLbl->isVisible());
    EXPECT_EQ(FileText(record).toStdString(), lines);
    QTest::mouseClick(frm->StartGPSCmd, Qt::LeftButton);
    EXPECT_EQ(frm->StartGPSCmd->text(), kStart);
    EXPECT_FALSE(frm->isListening());
    EXPECT_EQ(port.calls.last(), QStringLiteral("HideGPSPoint"));
    // A second start opens the same port again.
    QTest::mouseClick(frm->StartGPSCmd, Qt::LeftButton);
    EXPECT_TRUE(frm->isListening());
    EXPECT_EQ(frm->StartGPSCmd->text(), kStop);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
}

// iTrek was logged in Japan (35.33 N, 136.67 E: system 7); the Garmin log lies in Spain (west)
// and the u-blox log in New Zealand (south): with the hemispheres kept they are outside every
// Japanese system and nothing is shown or recorded.
INSTANTIATE_TEST_SUITE_P(RealLogs, ReceiverReplay,
                         ::testing::Values(LogCase{"nmea/iTrek.log", 7, 23}, LogCase{"nmea/garmin-geko201.log", 9, 0},
                                           LogCase{"nmea/ublox-zed-f9p-nmea.log", 9, 0}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST_F(ReceiverWindow, APortThatCannotBeOpenedIsReportedAndTheWindowStaysStopped)
{
    UseSettings(7, QStringLiteral("/dev/no-such-receiver"));
    Open();
    QTest::mouseClick(frm->StartGPSCmd, Qt::LeftButton);
    EXPECT_EQ(frm->StartGPSCmd->text(), kStart);
    EXPECT_FALSE(frm->isListening());
    EXPECT_FALSE(port.calls.contains("ShowGPSPointMark"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("/dev/no-such-receiver"))) << messages[0].toStdString();
}

TEST_F(ReceiverWindow, RecordingStartsOnlyWithAnOpenFile)
{
    struct Case {
        const char* name;
        QString answer;  // the file dialog's answer, empty for cancel
        bool records;
        bool told;
    };
    const Case cases[] = {
        {"cancelled", QString(), false, false},
        {"another type", dir.filePath(QStringLiteral("walk.dat")), false, true},
        {"a type in the folder name only", dir.filePath(QStringLiteral("a.gps/walk")), false, true},
        {"cannot be opened", dir.filePath(QStringLiteral("no/such/folder/walk.gps")), false, true},
        {"upper-case txt", dir.filePath(QStringLiteral("WALK.TXT")), true, false},
    };
    UseSettings(7, QString());
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        dialogPaths = {c.answer};
        QTest::mouseClick(frm->RecordGPSCmd, Qt::LeftButton);
        EXPECT_EQ(frm->isRecording(), c.records);
        EXPECT_EQ(frm->RecordGPSCmd->text(), c.records ? kStopRecord : kRecord);
        EXPECT_EQ(frm->RecordSTSLbl->isVisible(), c.records);
        EXPECT_EQ(messages.size(), c.told ? 1 : 0);
        Fix(kFixBody);
        EXPECT_EQ(FileText(c.answer).count('\n'), c.records ? 1 : 0);
        if (c.records) QTest::mouseClick(frm->RecordGPSCmd, Qt::LeftButton);
    }
}

TEST_F(ReceiverWindow, AFailingWriteStopsRecordingWithAMessage)
{
    UseSettings(7, QString());
    Open();
    const QString full = dir.filePath(QStringLiteral("full.gps"));
    ASSERT_EQ(symlink("/dev/full", full.toLocal8Bit().constData()), 0);  // every write fails: no space
    dialogPaths << full;
    QTest::mouseClick(frm->RecordGPSCmd, Qt::LeftButton);
    ASSERT_TRUE(frm->isRecording());
    Fix(kFixBody);
    EXPECT_FALSE(frm->isRecording());
    EXPECT_EQ(frm->RecordGPSCmd->text(), kRecord);
    EXPECT_FALSE(frm->RecordSTSLbl->isVisible());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(full));
    // The position itself is still shown; the lamp stays off with nothing written.
    EXPECT_EQ(Marks(), 1);
    Fix(kFixBody);
    EXPECT_FALSE(frm->RecordSTSLbl->isVisible());
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(ReceiverWindow, AMultiSystemReceiversGgaOfSixteenFieldsIsShown)
{
    UseSettings(7, QString());
    Open();
    Fix("GNGGA,045851.000,3519.9046,N,13640.2631,E,1,14,0.9,80.4,M,38.1,M,,0000,1");
    EXPECT_EQ(Marks(), 1);
    EXPECT_EQ(frm->GPSSaetNumLbl->text(), QStringLiteral("14"));
    EXPECT_EQ(frm->GPSTimeLbl->text(), QStringLiteral("13:58:51"));
}

TEST_F(ReceiverWindow, AGgaWithoutAFixIsNeitherShownNorRecorded)
{
    UseSettings(7, QString());
    Open();
    const QString record = dir.filePath(QStringLiteral("walk.gps"));
    dialogPaths << record;
    QTest::mouseClick(frm->RecordGPSCmd, Qt::LeftButton);
    ASSERT_TRUE(frm->isRecording());
    for (const char* body : {"GPGGA,045851.000,3519.9046,N,13640.2631,E,0,04,2.2,80.4,M,,,,0000",
                             "GPGGA,045851.000,,,,,1,04,2.2,80.4,M,,,,0000", "GPGGA,045851.000,,,,,0,00,,,M,,,,"}) {
        Fix(body);
    }
    EXPECT_EQ(Marks(), 0);
    EXPECT_EQ(frm->DispPublicXlbl->text(), QString());
    EXPECT_EQ(frm->GPSStatusLbl->text(), QString());
    EXPECT_TRUE(frm->RecordSTSLbl->isVisible()) << "the lamp blinks only with a line written";
    QTest::mouseClick(frm->RecordGPSCmd, Qt::LeftButton);
    EXPECT_TRUE(FileText(record).isEmpty());
}

TEST_F(ReceiverWindow, ClosingTheWindowStopsTheReceiverAndClosesTheRecord)
{
    testutil::Pty pty;
    UseSettings(7, pty.path);
    Open();
    QTest::mouseClick(frm->StartGPSCmd, Qt::LeftButton);
    ASSERT_TRUE(frm->isListening());
    const QString record = dir.filePath(QStringLiteral("walk.txt"));
    dialogPaths << record;
    QTest::mouseClick(frm->RecordGPSCmd, Qt::LeftButton);
    Fix(kFixBody);
    Fix(kFixBody);
    QTest::mouseClick(frm->CancelCmd, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frm.isNull());
    EXPECT_EQ(port.calls.last(), QStringLiteral("HideGPSPoint"));
    EXPECT_EQ(FileText(record).count("\r\n"), 2);
    // No descriptor of the process refers to the record any more.
    const QString target = QFileInfo(record).canonicalFilePath();
    for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
        EXPECT_NE(fd.symLinkTarget(), target);
    }
}
