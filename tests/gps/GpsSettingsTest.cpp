#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

#include "common/FedPipe.h"
#include "common/ProcessReads.h"
#include "gps/GpsSettings.h"

namespace {

// A start folder with a data0 folder, and the settings back at their defaults afterwards.
struct SettingsFolder : ::testing::Test {
    QTemporaryDir dir;
    SettingsFolder()
    {
        QDir(dir.path()).mkdir(QStringLiteral("data0"));
        gps::ApplyGpsSettings(gps::GpsSettings{});
    }
    ~SettingsFolder() override { gps::ApplyGpsSettings(gps::GpsSettings{}); }

    void write(const QByteArray& text)
    {
        QFile file(gps::GpsSettingPath(dir.path()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray read() const
    {
        QFile file(gps::GpsSettingPath(dir.path()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void ExpectDefaults()
    {
        EXPECT_EQ(gps::gMapSystemNo, 1);
        EXPECT_DOUBLE_EQ(gps::gOriginLat, 33.0);
        EXPECT_DOUBLE_EQ(gps::gOriginLon, 129.5);
        EXPECT_EQ(gps::gGPSPortNo, 1);
        EXPECT_EQ(gps::gGPSSpeedIndex, 3);
        EXPECT_EQ(gps::gGPSPortSetting, "9600,n,8,1");
        EXPECT_EQ(gps::gGPSPortName, "");
    }
};

}  // namespace

TEST_F(SettingsFolder, SystemNineAndAUsbPortSurviveARestart)
{
    gps::GpsSettings s;
    s.mapSystemNo = 9;
    s.originLat = 36.0;
    s.originLon = 139.0 + 50.0 / 60.0;
    s.portNo = 0;
    s.speedIndex = 2;
    s.portSetting = "4800,n,8,1";
    s.portName = "/dev/ttyUSB0";
    gps::ApplyGpsSettings(s);
    ASSERT_EQ(gps::SaveGPSSetting(dir.path()), QString());
    // Six lines a six-line reader takes, the device after them.
    EXPECT_EQ(read(), QByteArray("9\r\n36-00\r\n139-50\r\n0\r\n2\r\n4800,n,8,1\r\n/dev/ttyUSB0\r\n"));
    gps::ApplyGpsSettings(gps::GpsSettings{});
    EXPECT_EQ(gps::LoadGPSSetting(dir.path()), QString());
    EXPECT_EQ(gps::gMapSystemNo, 9);
    EXPECT_DOUBLE_EQ(gps::gOriginLat, 36.0);
    EXPECT_DOUBLE_EQ(gps::gOriginLon, 139.0 + 50.0 / 60.0);
    EXPECT_EQ(gps::gGPSSpeedIndex, 2);
    EXPECT_EQ(gps::gGPSPortSetting, "4800,n,8,1");
    EXPECT_EQ(gps::GpsPortPath(gps::CurrentGpsSettings()), "/dev/ttyUSB0");
}

TEST_F(SettingsFolder, AFileOfSixLinesFromAnOlderWriterIsRead)
{
    write(" 3 \n 36-00 \n 132-10 \n 2\n 5 \n 38400,n,8,1 \n");
    EXPECT_EQ(gps::LoadGPSSetting(dir.path()), QString());
    EXPECT_EQ(gps::gMapSystemNo, 3);
    EXPECT_DOUBLE_EQ(gps::gOriginLon, 132.0 + 10.0 / 60.0);
    EXPECT_EQ(gps::gGPSPortNo, 2);
    EXPECT_EQ(gps::GpsPortPath(gps::CurrentGpsSettings()), "/dev/ttyS1") << "port k is /dev/ttyS(k-1)";
    EXPECT_EQ(gps::BaudRateOfSetting(gps::gGPSPortSetting), 38400);
}

TEST_F(SettingsFolder, MissingShortOrBrokenFilesGiveTheFirstSystemsDefaults)
{
    gps::gMapSystemNo = 9;
    EXPECT_EQ(gps::LoadGPSSetting(dir.path()), QString()) << "no file is no problem";
    ExpectDefaults();
    const QByteArray broken[] = {
        "9\r\n36-00\r\n139-50\r\n1\r\n",                            // short: four lines
        "",                                                          // empty
        "0\r\n緯度\r\n経度\r\n0\r\n0\r\n\r\n",                       // what choosing no row once wrote
        "20\r\n36-00\r\n139-50\r\n1\r\n3\r\n9600,n,8,1\r\n",         // no such system
        "9\r\n36-00\r\n139-50\r\n12\r\n3\r\n9600,n,8,1\r\n",         // port beyond Com11
        "9\r\n36-00\r\n139-50\r\n1\r\n6\r\n9600,n,8,1\r\n",          // no such speed
        "9\r\n36-00\r\n139-50\r\n1\r\n3\r\nfast\r\n",                // no speed in the settings text
        "9\r\nnan-15\r\n139-50\r\n1\r\n3\r\n9600,n,8,1\r\n",         // an origin that is no number
        "9\r\n36-00\r\ninf-00\r\n1\r\n3\r\n9600,n,8,1\r\n",
        "9\r\n12345678901234567890-00\r\n139-50\r\n1\r\n3\r\n9600,n,8,1\r\n",  // beyond the pole
        "9\r\n36-00\r\n180-30\r\n1\r\n3\r\n9600,n,8,1\r\n",
        "9\r\n36-00\r\n139-50\r\n1\r\n3\r\n9600,n,8,1\r\n/dev/ttyUSB0\r\nmore\r\n",  // an eighth line
    };
    for (const QByteArray& text : broken) {
        gps::gMapSystemNo = 9;
        write(text);
        EXPECT_FALSE(gps::LoadGPSSetting(dir.path()).isEmpty()) << text.toStdString();
        ExpectDefaults();
    }
}

TEST_F(SettingsFolder, AnUnusableOriginIsTheBrokenFileMessage)
{
    write("9\r\nnan-15\r\n139-50\r\n1\r\n3\r\n9600,n,8,1\r\n");
    const QString message = gps::LoadGPSSetting(dir.path());
    EXPECT_TRUE(message.startsWith(QStringLiteral("GPS設定が壊れています。初期値を使います。\n") + gps::GpsSettingPath(dir.path())))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("2行目"))) << message.toStdString();
    ExpectDefaults();
}

TEST_F(SettingsFolder, LinesUpToTheLongestDevicePathAndBlankLinesAfterThemAreRead)
{
    const std::string settings = "9\r\n36-00\r\n139-50\r\n0\r\n3\r\n9600,n,8,1\r\n";
    const std::string longest = "/dev/" + std::string(gps::kMaxGpsSettingLineLength - 5, 'x');
    write(QByteArray::fromStdString(settings + longest + "\r\n  \r\n\r\n"));
    EXPECT_EQ(gps::LoadGPSSetting(dir.path()), QString());
    EXPECT_EQ(gps::gGPSPortName, longest);
    for (const char* end : {"\r\n", "\n", ""}) {
        write(QByteArray::fromStdString(settings + longest + "y" + end));
        EXPECT_TRUE(gps::LoadGPSSetting(dir.path()).contains(QStringLiteral("7行目が長すぎます"))) << end;
        ExpectDefaults();
    }
}

TEST_F(SettingsFolder, AWrongFileIsRefusedAfterABoundedRead)
{
    // A file of ten megabytes is refused by its size.
    write(QByteArray(10'000'000, '9'));
    long long before = testutil::BytesReadByThisProcess();
    ASSERT_GE(before, 0);
    EXPECT_TRUE(gps::LoadGPSSetting(dir.path()).contains(QStringLiteral("大きすぎます")));
    EXPECT_LT(testutil::BytesReadByThisProcess() - before, 64 * 1024);
    ExpectDefaults();

    // A pipe has no size: a megabyte without a line end is refused at its first line, read no
    // further than the longest line (and the buffer around it).
    const QString path = gps::GpsSettingPath(dir.path());
    ASSERT_TRUE(QFile::remove(path));
    testutil::FedPipe pipe(path.toLocal8Bit().toStdString(), {}, "9", 1'000'000);
    ASSERT_TRUE(pipe.made());
    before = testutil::BytesReadByThisProcess();
    const QString message = gps::LoadGPSSetting(dir.path());
    const long long bytesRead = testutil::BytesReadByThisProcess() - before;
    pipe.finish();
    EXPECT_TRUE(message.contains(QStringLiteral("1行目が長すぎます"))) << message.toStdString();
    EXPECT_LT(bytesRead, 64 * 1024);
    ExpectDefaults();
}

TEST_F(SettingsFolder, AFailedSaveIsReported)
{
    // No data0 folder to write into; a folder where the file should be.
    EXPECT_FALSE(gps::SaveGPSSetting(dir.path() + QStringLiteral("/no-such-folder")).isEmpty());
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("data0/GPSSetting.dat")));
    EXPECT_FALSE(gps::SaveGPSSetting(dir.path()).isEmpty());
}

TEST_F(SettingsFolder, AFileThatCannotBeReadIsSaidSoAndGivesTheDefaults)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("data0/GPSSetting.dat")));
    EXPECT_TRUE(gps::LoadGPSSetting(dir.path()).contains(QStringLiteral("読めません")));
    ExpectDefaults();
}

TEST(GpsPorts, PortNumbersAndSpeedsOfDevicePaths)
{
    EXPECT_EQ(gps::ComPortNumberOfPath("/dev/ttyS0"), 1);
    EXPECT_EQ(gps::ComPortNumberOfPath("/dev/ttyS10"), 11);
    EXPECT_EQ(gps::ComPortNumberOfPath("/dev/ttyS11"), 0);
    EXPECT_EQ(gps::ComPortNumberOfPath("/dev/ttyUSB0"), 0);
    EXPECT_EQ(gps::ComPortNumberOfPath("/dev/ttyS-1"), 0);
    EXPECT_EQ(gps::BaudRateOfSetting("9600,n,8,1"), 9600);
    EXPECT_EQ(gps::BaudRateOfSetting(" 4800 "), 4800);
    EXPECT_FALSE(gps::BaudRateOfSetting("9600n"));
    EXPECT_FALSE(gps::BaudRateOfSetting(""));
    gps::GpsSettings none;
    none.portNo = 0;
    EXPECT_EQ(gps::GpsPortPath(none), "");
}
