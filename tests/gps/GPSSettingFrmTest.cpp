#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "common/TestUtils.h"
#include "gps/GPSSettingFrm.h"
#include "gps/GpsSettings.h"
#include "platform/MessageBox.h"

namespace {

struct SettingsDialog : ::testing::Test {
    QTemporaryDir dir;
    QStringList messages;
    const QStringList ports = {QStringLiteral("/dev/ttyACM0"), QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyUSB0")};

    SettingsDialog()
    {
        QDir(dir.path()).mkdir(QStringLiteral("data0"));
        gps::ApplyGpsSettings(gps::GpsSettings{});
        gps::gGPSSettingMode = 1;
        platform::SetMessageAnswerer([this](const QString& text, platform::MessageButtons) {
            messages << text;
            return platform::MessageAnswer::Ok;
        });
    }
    ~SettingsDialog() override
    {
        platform::SetMessageAnswerer({});
        gps::ApplyGpsSettings(gps::GpsSettings{});
    }

    std::unique_ptr<gps::GPSSettingFrm> open()
    {
        auto frm = std::make_unique<gps::GPSSettingFrm>(dir.path(), nullptr, ports);
        frm->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
        return frm;
    }
    static void clickRow(gps::GPSSettingFrm& frm, int system)
    {
        QTableWidget* grid = frm.MapSystemGrid;
        grid->scrollToItem(grid->item(system - 1, 1));
        const QRect cell = grid->visualItemRect(grid->item(system - 1, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
    QByteArray file() const
    {
        QFile f(gps::GpsSettingPath(dir.path()));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

}  // namespace

TEST_F(SettingsDialog, ShowsTheNineteenSystemsAndTheCurrentChoice)
{
    gps::gMapSystemNo = 9;
    gps::gOriginLat = 36.0;
    gps::gOriginLon = 139.0 + 50.0 / 60.0;
    auto frm = open();
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("GPS設定"));
    QTableWidget* grid = frm->MapSystemGrid;
    ASSERT_EQ(grid->rowCount(), 19);
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), QStringLiteral("都道府県名"));
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("長崎 "));
    EXPECT_EQ(grid->item(17, 1)->text(), QStringLiteral("東京都－III"));
    EXPECT_EQ(grid->item(18, 3)->text(), QStringLiteral("154-00"));
    EXPECT_EQ(frm->MapNumLbl->text(), QStringLiteral("9"));
    EXPECT_EQ(frm->LatLbl->text(), QStringLiteral("36-00"));
    EXPECT_EQ(frm->LonLbl->text(), QStringLiteral("139-50"));
    EXPECT_EQ(frm->ScaleFacterLbl->text(), QStringLiteral("0.9999"));
    EXPECT_TRUE(frm->PortSettingFlm->isVisible());
    EXPECT_EQ(frm->GPSPortSpeedCmb->count(), 5);
    EXPECT_EQ(frm->GPSPortSpeedCmb->currentText(), QStringLiteral("9600,n,8,1"));
    EXPECT_EQ(frm->GPSPortCmb->currentText(), QStringLiteral("/dev/ttyS0")) << "port 1 of an older file";
    // The current system's row is drawn selected: its cells differ from an unselected row's.
    grid->scrollToItem(grid->item(8, 0));
    const QImage scrolled = grid->viewport()->grab().toImage();
    const QRect selected = grid->visualItemRect(grid->item(8, 2));
    const QRect other = grid->visualItemRect(grid->item(9, 2));
    EXPECT_NE(scrolled.pixel(selected.left() + 2, selected.center().y()),
              scrolled.pixel(other.left() + 2, other.center().y()));
}

TEST_F(SettingsDialog, ChoosingSystemNineAndAUsbPortTakesEffectAtOnceAndSurvivesARestart)
{
    auto frm = open();
    clickRow(*frm, 9);
    EXPECT_EQ(frm->MapNumLbl->text(), QStringLiteral("9"));
    EXPECT_EQ(frm->LatLbl->text(), QStringLiteral("36-00"));
    EXPECT_EQ(gps::gMapSystemNo, 1) << "nothing changes before OK";
    frm->GPSPortCmb->setCurrentIndex(frm->GPSPortCmb->findText(QStringLiteral("/dev/ttyUSB0")));
    frm->GPSPortSpeedCmb->setCurrentIndex(3);
    QTest::mouseClick(frm->OKCmd, Qt::LeftButton);
    EXPECT_FALSE(frm->isVisible());
    EXPECT_EQ(gps::gMapSystemNo, 9);
    EXPECT_DOUBLE_EQ(gps::gOriginLat, 36.0) << "the origin in memory follows the choice at once";
    EXPECT_DOUBLE_EQ(gps::gOriginLon, 139.0 + 50.0 / 60.0);
    EXPECT_EQ(file(), QByteArray("9\r\n36-00\r\n139-50\r\n0\r\n4\r\n19200,n,8,1\r\n/dev/ttyUSB0\r\n"));
    // Restart: the settings come back from the file, and the dialog offers the same choice,
    // even with the device unplugged.
    gps::ApplyGpsSettings(gps::GpsSettings{});
    EXPECT_EQ(gps::LoadGPSSetting(dir.path()), QString());
    gps::GPSSettingFrm again(dir.path(), nullptr, QStringList{QStringLiteral("/dev/ttyS0")});
    EXPECT_EQ(again.MapNumLbl->text(), QStringLiteral("9"));
    EXPECT_EQ(again.GPSPortCmb->currentText(), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(again.GPSPortSpeedCmb->currentText(), QStringLiteral("19200,n,8,1"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SettingsDialog, WithoutAFileOkWritesTheFirstSystemNeverTheHeaderTexts)
{
    EXPECT_EQ(gps::LoadGPSSetting(dir.path()), QString());
    auto frm = open();
    EXPECT_EQ(frm->MapNumLbl->text(), QStringLiteral("1"));
    EXPECT_EQ(frm->LatLbl->text(), QStringLiteral("33-00"));
    EXPECT_EQ(frm->LonLbl->text(), QStringLiteral("129-30"));
    QTest::mouseClick(frm->OKCmd, Qt::LeftButton);
    const QByteArray written = file();
    EXPECT_TRUE(written.startsWith("1\r\n33-00\r\n129-30\r\n1\r\n3\r\n9600,n,8,1\r\n")) << written.toStdString();
    EXPECT_FALSE(written.contains(QStringLiteral("緯度").toUtf8()));
    EXPECT_DOUBLE_EQ(gps::gOriginLon, 129.5);
}

TEST_F(SettingsDialog, OkWithoutAChosenRowKeepsTheCurrentSystemAndCancelChangesNothing)
{
    gps::gMapSystemNo = 13;
    gps::gOriginLat = 44.0;
    gps::gOriginLon = 144.25;
    auto frm = open();
    clickRow(*frm, 2);
    QTest::mouseClick(frm->CancelCmd, Qt::LeftButton);
    EXPECT_EQ(gps::gMapSystemNo, 13);
    EXPECT_TRUE(file().isEmpty()) << "cancel writes nothing";
    auto second = open();
    QTest::mouseClick(second->OKCmd, Qt::LeftButton);
    EXPECT_EQ(gps::gMapSystemNo, 13);
    EXPECT_DOUBLE_EQ(gps::gOriginLon, 144.25);
    EXPECT_TRUE(file().startsWith("13\r\n44-00\r\n144-15\r\n"));
}

TEST_F(SettingsDialog, SystemOnlyModeHidesThePortsYetKeepsThemInTheFile)
{
    gps::gGPSSettingMode = 2;
    gps::gGPSPortName = "/dev/ttyACM0";
    gps::gGPSPortNo = 0;
    gps::gGPSSpeedIndex = 2;
    gps::gGPSPortSetting = "4800,n,8,1";
    auto frm = open();
    EXPECT_FALSE(frm->PortSettingFlm->isVisible());
    EXPECT_LT(frm->height(), 300);
    clickRow(*frm, 16);
    QTest::mouseClick(frm->OKCmd, Qt::LeftButton);
    EXPECT_EQ(file(), QByteArray("16\r\n26-00\r\n124-00\r\n0\r\n2\r\n4800,n,8,1\r\n/dev/ttyACM0\r\n"));
}

TEST_F(SettingsDialog, AFileThatCannotBeWrittenIsReported)
{
    QDir(dir.path()).rmdir(QStringLiteral("data0"));
    auto frm = open();
    clickRow(*frm, 9);
    QTest::mouseClick(frm->OKCmd, Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("GPS設定を保存できませんでした。")));
    EXPECT_EQ(gps::gMapSystemNo, 9) << "the choice still holds for this run";
}
