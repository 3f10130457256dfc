// The comparison window: the receiver half driven by decoded sentences (the table of cases of
// the receiver's sentences, the used marks, the clock that drives the predicted half), a real
// log replayed through a pseudo-terminal against GPSD's decoding, the start and stop of the
// port, and the predicted half turned with the main map.

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <memory>
#include <set>

#include "NmeaTestHelpers.h"
#include "common/PseudoTerminal.h"
#include "common/FakeMainWindowPort.h"
#include "common/TestUtils.h"
#include "common/TokyoSky.h"
#include "gps/BothSateObitFrm.h"
#include "gps/GpsSettings.h"
#include "orbit/AlmanacTable.h"
#include "orbit/ObservationConditions.h"
#include "orbit/OrbitEngine.h"
#include "orbit/VisibleSatellites.h"
#include "orbit/YumaAlmanac.h"
#include "platform/MessageBox.h"
#include "platform/PictureSurface.h"
#include "site/MapView.h"
#include "site/RunState.h"

namespace {

using testutil::NmeaOf;

// The PRNs whose receiver icons are shown (PRN 42 for the differential slot).
std::set<int> ShownPrns(const gps::BothSateObitFrm& frm)
{
    std::set<int> prns;
    for (int slot = 0; slot < gps::kReceiverSlots; ++slot) {
        if (!frm.VisSateImg[static_cast<std::size_t>(slot)]->isHidden()) {
            prns.insert(slot == gps::kDifferentialSlot ? gps::kDifferentialPrn : slot + 1);
        }
    }
    return prns;
}

// The real almanac over Tokyo on 2022/02/18 (TokyoSky.h) with a building to the north-east, and a shown
// comparison window whose port records what it asks of the main window.
class ComparisonWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        testutil::UseTokyoSky();
        SetMapRotateAngle(0.0f);
        // Message boxes are answered at once and recorded.
        platform::SetMessageAnswerer([this](const QString& text, platform::MessageButtons) {
            messages << text;
            return platform::MessageAnswer::Ok;
        });
        for (int d = 20; d <= 70; ++d) gCutElevation[d] = 45.0f;
        ASSERT_TRUE(startDir.isValid());
        SetStartDir(startDir.path());
        frm = new gps::BothSateObitFrm(nullptr, &port);
        guard = frm;
        frm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frm));
    }
    void TearDown() override
    {
        delete guard;
        platform::SetMessageAnswerer({});
    }

    void Feed(const char* body) { frm->ConvertNMEAData(NmeaOf(body)); }

    // The predicted icons and count show the window's tables at `step`, turned with the map.
    void ExpectPredictedIconsAt(int step) const
    {
        const skyview::PlotFrame f{1.69, skyview::PlotOrientation::LookingDown, gMapRotateAngle};
        const skyview::SatePositions expected = skyview::SatePositionsAt(f, skyview::CurrentSkyInputs(), step);
        ASSERT_EQ(frm->shownPositions().marks.size(), expected.marks.size());
        for (std::size_t i = 0; i < expected.marks.size(); ++i) {
            EXPECT_EQ(frm->shownPositions().marks[i].at, expected.marks[i].at) << "step " << step << " slot " << expected.marks[i].slot;
        }
        EXPECT_EQ(frm->SateNumLbl->text(), skyview::SateCountText(expected.count));
    }

    QTemporaryDir startDir;
    QStringList messages;
    testutil::FakeMainWindowPort port;
    gps::BothSateObitFrm* frm = nullptr;
    QPointer<gps::BothSateObitFrm> guard;
};

TEST_F(ComparisonWindow, FirstShowDrawsBothHalvesAt0800AndTakesTheSiteMapClicks)
{
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("実衛星と予測衛星配置"));
    EXPECT_EQ(port.calls, QStringList{"TakePictureClick 2"});
    EXPECT_EQ(port.clickClient, frm);
    EXPECT_EQ(frm->shownStep(), 96);
    ExpectPredictedIconsAt(96);
    // The receiver's frame: the horizon circle and the axes in blue; the predicted skyline.
    EXPECT_EQ(frm->SkySatePsotionPic->pointColor({0, -90}), QColor(0, 0, 200));
    EXPECT_EQ(frm->SkySatePsotionPic->pointColor({45, 0}), QColor(0, 0, 200));
    EXPECT_EQ(frm->DispPic->pointColor(skyview::PlotPoint({1.69, skyview::PlotOrientation::LookingDown, 0}, 45, 45)),
              skyview::kSkylineColor);
    EXPECT_EQ(frm->StartGPSCmd->text(), QStringLiteral("スタート"));
    EXPECT_EQ(frm->LatLbl->text(), QStringLiteral("35-44-12.3"));
    EXPECT_TRUE(ShownPrns(*frm).empty());
}

TEST_F(ComparisonWindow, ReceiverSentencesOfTheTable)
{
    // Other sentences change nothing.
    Feed("GPRMC,012345.000,A,3544.5000,N,13936.2500,E,0.10,92.17,180222,,");
    EXPECT_EQ(frm->LatLbl->text(), QStringLiteral("35-44-12.3"));
    EXPECT_EQ(frm->TimeLbl->text(), QStringLiteral("12:13:15"));
    EXPECT_EQ(frm->shownStep(), 96);

    Feed("GPGGA,012345.000,3544.5000,N,13936.2500,E,1,04,2.2,80.4,M,,,,0000");
    EXPECT_EQ(frm->LatLbl->text(), QStringLiteral("35-44-30.00"));
    EXPECT_EQ(frm->LonLbl->text(), QStringLiteral("139-36-15.00"));
    EXPECT_EQ(frm->TimeLbl->text(), QStringLiteral("10:23:45"));

    // A GGA of another talker without a fix moves the clock and keeps the position.
    Feed("GNGGA,012400.00,,,,,0,00,99.99,,,,,,");
    EXPECT_EQ(frm->TimeLbl->text(), QStringLiteral("10:24:00"));
    EXPECT_EQ(frm->LatLbl->text(), QStringLiteral("35-44-30.00"));

    // A multi-system receiver's GGA of sixteen fields.
    Feed("GNGGA,012500.00,3545.0000,N,13936.2500,E,1,14,0.9,80.4,M,38.1,M,,0000,1");
    EXPECT_EQ(frm->TimeLbl->text(), QStringLiteral("10:25:00"));
    EXPECT_EQ(frm->LatLbl->text(), QStringLiteral("35-45-00.00"));
}

TEST_F(ComparisonWindow, TheReceiversClockMovesThePredictedIconsForwardOnly)
{
    // 15:30 UTC is 0:30 in Japan, step 6: the first time the receiver gives moves the icons there.
    Feed("GPGGA,153000,3544.5000,N,13936.2500,E,1,04,2.2,80.4,M,,,,");
    EXPECT_EQ(frm->TimeLbl->text(), QStringLiteral("0:30:00"));
    EXPECT_EQ(frm->pLastTimeStep, 6);
    ExpectPredictedIconsAt(6);

    struct Case {
        const char* utc;
        const char* japan;
        int step;  // the icons' step afterwards
    } cases[] = {
        {"010230", "10:02:30", 120},  // 120.5 steps, halves to even: 120
        {"010300", "10:03:00", 121},  // 120.6 steps: 121, one redraw
        {"010100", "10:01:00", 121},  // an earlier time keeps the icons
        {"153000", "0:30:00", 121},   // after midnight the step starts again: no redraw
    };
    for (const Case& c : cases) {
        Feed(("GPGGA," + std::string(c.utc) + ",3544.5000,N,13936.2500,E,1,04,2.2,80.4,M,,,,").c_str());
        EXPECT_EQ(frm->TimeLbl->text(), QString::fromLatin1(c.japan)) << c.utc;
        EXPECT_EQ(frm->shownStep(), c.step) << c.utc;
        ExpectPredictedIconsAt(c.step);
    }
}

TEST_F(ComparisonWindow, ARedrawAskedByTheMainWindowShowsTheReceiversLastStep)
{
    frm->ShowCurrentSateVisible();
    ExpectPredictedIconsAt(96);  // before the receiver gave a time: 08:00
    const QImage before = frm->DispPic->image();
    frm->ShowCurrentSateVisible();
    EXPECT_EQ(frm->DispPic->image(), before) << "two redraws in a row draw the same";

    Feed("GPGGA,033000,3544.5000,N,13936.2500,E,1,04,2.2,80.4,M,,,,");  // 12:30, step 150
    // Another window computes the shared tables for another date meanwhile: the predicted half
    // keeps drawing the tables of its own date.
    const auto ownIcons = frm->shownPositions();
    SetComputeDate("2022/08/18");
    ASSERT_TRUE(orbit::ComputeSateAzimusElevation(0, 288));
    frm->ShowCurrentSateVisible();
    EXPECT_EQ(frm->shownStep(), 150);
    ASSERT_EQ(frm->shownPositions().marks.size(), ownIcons.marks.size());
    for (std::size_t i = 0; i < ownIcons.marks.size(); ++i) {
        EXPECT_EQ(frm->shownPositions().marks[i].at, ownIcons.marks[i].at);
    }
}

TEST_F(ComparisonWindow, GsaMarksTheUsedSatellitesAndGsvPlacesThem)
{
    // Empty PRN fields are skipped; PRN 42 is the differential satellite.
    Feed("GPGSA,A,3,05,,12,,,,,,,,,42,2.0,1.0,1.5");
    Feed("GPGSV,1,1,04,05,45,090,40,12,30,180,35,42,48,198,38,07,20,270,30");
    EXPECT_EQ(ShownPrns(*frm), (std::set<int>{5, 12, 42}));
    EXPECT_EQ(frm->SateNum0Lbl->text(), QStringLiteral("衛星数:2"));
    // PRN 5 at elevation 45, azimuth 90 (east): radius 45 on the east axis; the icon's corner
    // 6 units left of and above it.
    EXPECT_EQ(frm->VisSateImg[4]->pos(), frm->SkySatePsotionPic->toPixel({45 - 6, 6}).toPoint());

    // The next cycle names only 5: 12 and the differential satellite leave the plot.
    Feed("GPGGA,012400,3544.5000,N,13936.2500,E,2,04,2.2,80.4,M,,,,");
    Feed("GPGSA,A,3,05,,,,,,,,,,,,2.0,1.0,1.5");
    Feed("GPGSV,1,1,04,05,45,090,40,12,30,180,35,42,48,198,38,07,20,270,30");
    EXPECT_EQ(ShownPrns(*frm), (std::set<int>{5}));
    EXPECT_EQ(frm->SateNum0Lbl->text(), QStringLiteral("衛星数:1"));
}

// Which GPS satellites a GSA cycle marks as used, by its system id (NMEA 4.11) or, where that
// cannot be read, by its talker; and the satellites a GSV gives no place in the sky.
TEST_F(ComparisonWindow, OnlyGpsSatellitesWithAPlaceInTheSkyAreShownAndCounted)
{
    struct Case {
        const char* name;
        std::vector<const char*> gsa;  // one cycle
        const char* gsv;
        std::set<int> shown;
        const char* count;
    } cases[] = {
        {"a system id that is no whole number, talker GP",
         {"GPGSA,A,3,05,12,,,,,,,,,,,1.05,0.64,0.83,3.3"}, "GPGSV,1,1,02,05,45,090,40,12,30,180,35", {5, 12}, "衛星数:2"},
        {"the same from talker GL is GLONASS",
         {"GLGSA,A,3,05,12,,,,,,,,,,,1.05,0.64,0.83,3.3"}, "GPGSV,1,1,02,05,45,090,40,12,30,180,35", {}, "衛星数:0"},
        {"QZSS (system 5) PRNs 1..10 are no GPS satellites",
         {"GNGSA,A,3,05,,,,,,,,,,,,1.0,0.6,0.8,1", "GNGSA,A,3,01,02,03,04,05,06,07,08,09,10,,,1.0,0.6,0.8,5"},
         "GPGSV,2,1,05,01,10,010,30,02,20,020,31,03,30,030,32,05,45,090,40", {5}, "衛星数:1"},
        {"NavIC (system 6)", {"GNGSA,A,3,03,,,,,,,,,,,,1.0,0.6,0.8,6"}, "GPGSV,1,1,01,03,30,030,32", {}, "衛星数:0"},
        {"elevation 95 and azimuth 360 name no place",
         {"GPGSA,A,3,05,12,07,,,,,,,,,,2.0,1.0,1.5"}, "GPGSV,1,1,03,05,95,090,40,12,30,360,35,07,90,359,30", {7}, "衛星数:3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Feed("GPGGA,012400,3544.5000,N,13936.2500,E,1,04,2.2,80.4,M,,,,");
        for (const char* gsa : c.gsa) Feed(gsa);
        Feed(c.gsv);
        EXPECT_EQ(ShownPrns(*frm), c.shown);
        EXPECT_EQ(frm->SateNum0Lbl->text(), QString::fromUtf8(c.count));
    }
    // A satellite placed before loses its place with a GSV that gives it none.
    Feed("GPGSV,1,1,01,07,91,359,30");
    EXPECT_TRUE(ShownPrns(*frm).empty());
}

TEST_F(ComparisonWindow, GsvSentencesAreReadTolerantly)
{
    Feed("GPGSA,A,3,01,02,03,04,05,06,07,08,,,,,2.0,1.0,1.5");
    struct Case {
        const char* name;
        const char* gsv;
        std::set<int> shown;
    } cases[] = {
        {"four satellites, last field index 19", "GPGSV,2,1,07,01,10,010,30,02,20,020,31,03,30,030,32,04,40,040,33", {1, 2, 3, 4}},
        {"three satellites, last field index 15", "GPGSV,2,2,07,05,50,050,34,06,60,060,35,07,70,070,", {5, 6, 7}},
        {"the last satellite without its SNR field", "GPGSV,2,2,07,05,50,050,34,06,60,060,35,07,70,070", {5, 6, 7}},
        {"a newer receiver's trailing signal id", "GPGSV,2,2,07,05,50,050,34,06,60,060,35,07,70,070,36,1", {5, 6, 7}},
    };
    for (const Case& c : cases) {
        frm->ConvertNMEAData(NmeaOf("GPGGA,012400,3544.5000,N,13936.2500,E,1,04,2.2,80.4,M,,,,"));
        Feed("GPGSA,A,3,01,02,03,04,05,06,07,08,,,,,2.0,1.0,1.5");
        // Only the satellites this sentence placed are new on the plot.
        const std::set<int> before = ShownPrns(*frm);
        Feed(c.gsv);
        std::set<int> added;
        for (int prn : ShownPrns(*frm)) {
            if (!before.count(prn)) added.insert(prn);
        }
        EXPECT_EQ(added, c.shown) << c.name;
        // Reset the places for the next case.
        frm->close();
        delete guard;
        frm = new gps::BothSateObitFrm(nullptr, &port);
        guard = frm;
        frm->show();
    }

    // Empty elevation and azimuth: on the horizon, due north.
    Feed("GPGSA,A,3,09,,,,,,,,,,,,2.0,1.0,1.5");
    Feed("GPGSV,1,1,01,09,,,");
    EXPECT_EQ(ShownPrns(*frm), (std::set<int>{9}));
    EXPECT_EQ(frm->VisSateImg[8]->pos(), frm->SkySatePsotionPic->toPixel({0 - 6, 90 + 6}).toPoint());
}

TEST_F(ComparisonWindow, StartAndStopOpenAndCloseThePort)
{
    testutil::Pty pty;
    ASSERT_FALSE(pty.path.isEmpty());
    gps::gGPSPortName = pty.path.toStdString();
    gps::gGPSPortSetting = "4800,n,8,1";
    port.calls.clear();
    QTest::mouseClick(frm->StartGPSCmd, Qt::LeftButton);
    EXPECT_EQ(frm->StartGPSCmd->text(), QStringLiteral("ストップ"));
    EXPECT_TRUE(frm->GPSCom().isOpen());
    EXPECT_EQ(port.calls, QStringList{"ShowGPSPointMark"}) << "the main map's mark, where it was";
    QTest::mouseClick(frm->StartGPSCmd, Qt::LeftButton);
    EXPECT_EQ(frm->StartGPSCmd->text(), QStringLiteral("スタート"));
    EXPECT_FALSE(frm->GPSCom().isOpen());
    EXPECT_EQ(port.calls.back(), QStringLiteral("HideGPSPoint"));

    // A port that cannot be opened says so and stays stopped.
    gps::gGPSPortName = "/dev/no-such-receiver";
    port.calls.clear();
    QTest::mouseClick(frm->StartGPSCmd, Qt::LeftButton);
    EXPECT_EQ(frm->StartGPSCmd->text(), QStringLiteral("スタート"));
    EXPECT_FALSE(port.calls.contains("ShowGPSPointMark"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("/dev/no-such-receiver")));

    // Closing a running window closes the port and gives the clicks back.
    gps::gGPSPortName = pty.path.toStdString();
    QTest::mouseClick(frm->StartGPSCmd, Qt::LeftButton);
    ASSERT_TRUE(frm->GPSCom().isOpen());
    QTest::mouseClick(frm->CloseCmd, Qt::LeftButton);
    EXPECT_TRUE(frm->unloaded());
    EXPECT_EQ(port.calls.mid(port.calls.size() - 2), (QStringList{"HideGPSPoint", "ReleasePictureClick"}));
    EXPECT_EQ(port.clickClient, nullptr);
}

TEST_F(ComparisonWindow, AReceiverThatGoesAwayStopsTheWindowWithAMessage)
{
    auto pty = std::make_unique<testutil::Pty>();
    gps::gGPSPortName = pty->path.toStdString();
    QTest::mouseClick(frm->StartGPSCmd, Qt::LeftButton);
    ASSERT_TRUE(frm->GPSCom().isOpen());
    pty.reset();  // as when a USB receiver is pulled
    QElapsedTimer wait;
    wait.start();
    while (messages.isEmpty() && wait.elapsed() < 3000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(frm->StartGPSCmd->text(), QStringLiteral("スタート"));
    EXPECT_FALSE(frm->GPSCom().isOpen());
    EXPECT_EQ(port.calls.back(), QStringLiteral("HideGPSPoint"));
}

TEST_F(ComparisonWindow, ThePortTypedInTheSettingsDialogIsOpenedByTheNextStart)
{
    testutil::Pty pty;
    ASSERT_FALSE(pty.path.isEmpty());
    ASSERT_TRUE(QDir(startDir.path()).mkpath(QStringLiteral("data0")));
    gps::gGPSSettingMode = 2;
    QTest::mouseClick(frm->SettingGPSCmd, Qt::LeftButton);
    gps::GPSSettingFrm* dialog = frm->settingsDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(gps::gGPSSettingMode, 1);
    EXPECT_TRUE(dialog->PortSettingFlm->isVisibleTo(dialog)) << "the port can be chosen";
    dialog->GPSPortCmb->setEditText(pty.path);
    QTest::mouseClick(dialog->OKCmd, Qt::LeftButton);
    EXPECT_EQ(QString::fromStdString(gps::gGPSPortName), pty.path);
    EXPECT_TRUE(QFile::exists(gps::GpsSettingPath(startDir.path())));
    EXPECT_TRUE(messages.isEmpty());

    QTest::mouseClick(frm->StartGPSCmd, Qt::LeftButton);
    EXPECT_TRUE(frm->GPSCom().isOpen());
    EXPECT_EQ(frm->GPSCom().portPath(), pty.path);
}

TEST_F(ComparisonWindow, ThePredictedHalfTurnsWithTheMainMap)
{
    const QImage north = frm->DispPic->image();
    const auto northIcons = frm->shownPositions();
    const PictureCanvas& pic = *frm->DispPic;
    SetMapRotateAngle(10.0f);  // the map turned by +10 degrees
    frm->ShowCurrentSateVisible();
    const QImage turned = frm->DispPic->image();

    // Every icon stands where the north-up plot put it, turned by -10 degrees about the zenith.
    const double a = -10.0 * M_PI / 180.0;
    const auto turn = [&](QPointF p) { return QPointF(p.x() * std::cos(a) - p.y() * std::sin(a), p.x() * std::sin(a) + p.y() * std::cos(a)); };
    ASSERT_EQ(frm->shownPositions().marks.size(), northIcons.marks.size());
    for (std::size_t i = 0; i < northIcons.marks.size(); ++i) {
        const QPointF expected = turn(northIcons.marks[i].at);
        EXPECT_NEAR(frm->shownPositions().marks[i].at.x(), expected.x(), 1e-3);
        EXPECT_NEAR(frm->shownPositions().marks[i].at.y(), expected.y(), 1e-3);
        EXPECT_EQ(frm->shownPositions().marks[i].state, northIcons.marks[i].state);
    }
    // The drawn skyline and the tracks: each of their pixels, turned by -10 degrees, lands on a
    // pixel of the same colour (within a pixel) of the turned plot.
    const auto nearColour = [&](const QImage& image, QPoint at, QRgb colour) {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (image.valid(at.x() + dx, at.y() + dy) && image.pixel(at.x() + dx, at.y() + dy) == colour) return true;
        return false;
    };
    std::set<QRgb> trackColours;
    for (const auto& c : gSateColor) trackColours.insert(qRgb(c.r, c.g, c.b));
    int checked = 0;
    int matched = 0;
    for (int y = 0; y < north.height(); ++y) {
        for (int x = 0; x < north.width(); ++x) {
            const QRgb colour = north.pixel(x, y);
            const bool skyline = colour == skyview::kSkylineColor.rgb();
            if (!skyline && !trackColours.count(colour)) continue;
            const QPointF user = pic.toUser(QPointF(x + 0.5, y + 0.5));
            if (std::hypot(user.x(), user.y()) > 150) continue;  // clear of the letters and labels
            ++checked;
            matched += nearColour(turned, pic.toPixel(turn(user)).toPoint(), colour);
        }
    }
    ASSERT_GT(checked, 500);
    EXPECT_GT(matched, checked * 97 / 100) << matched << " of " << checked;
    // The letter N moved from the top towards the right-hand side.
    const auto greenNear = [&](const QImage& image, QPointF user) {
        const QPoint p = pic.toPixel(user).toPoint();
        for (int dx = -12; dx <= 12; ++dx)
            for (int dy = -12; dy <= 12; ++dy)
                if (image.valid(p.x() + dx, p.y() + dy) && image.pixel(p.x() + dx, p.y() + dy) == skyview::kCompassColor.rgb()) return true;
        return false;
    };
    EXPECT_TRUE(greenNear(north, {0, 95 * 1.69}));
    EXPECT_FALSE(greenNear(turned, {0, 95 * 1.69}));
    EXPECT_TRUE(greenNear(turned, turn({0, 95 * 1.69})));
}

// ---- A real log played through a pseudo-terminal ----------------------------------------------

struct Snapshot {
    std::string body;
    std::set<int> shown;
    QString count;
};

// Starts the window on a pseudo-terminal, plays `log` into it and returns the receiver half
// after every sentence the window took.
std::vector<Snapshot> PlayLog(gps::BothSateObitFrm& frm, const std::string& log, std::size_t expected)
{
    testutil::Pty pty;
    EXPECT_FALSE(pty.path.isEmpty());
    gps::gGPSPortName = pty.path.toStdString();
    gps::gGPSPortSetting = "4800,n,8,1";
    std::vector<Snapshot> snapshots;
    // Connected after the window's own handler: it sees the window as the sentence left it.
    QObject::connect(&frm.GPSCom(), &gps::NmeaSerialReader::sentenceReceived, &frm,
                     [&](const gps::NmeaSentence& s) { snapshots.push_back({s.body, ShownPrns(frm), frm.SateNum0Lbl->text()}); });
    QTest::mouseClick(frm.StartGPSCmd, Qt::LeftButton);
    EXPECT_TRUE(frm.GPSCom().isOpen());
    for (std::size_t sent = 0; sent < log.size();) {
        const std::size_t n = std::min<std::size_t>(97, log.size() - sent);
        EXPECT_EQ(write(pty.master, log.data() + sent, n), static_cast<ssize_t>(n));
        sent += n;
        QCoreApplication::processEvents();
    }
    QElapsedTimer wait;
    wait.start();
    while (snapshots.size() < expected && wait.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QTest::mouseClick(frm.StartGPSCmd, Qt::LeftButton);
    return snapshots;
}

class ComparisonLog : public ComparisonWindow, public ::testing::WithParamInterface<const char*> {};

// GPSD reports the sky (SKY) after each complete GSV cycle, each satellite with its "used" flag
// from the receiver's GSA: the window shows exactly the used GPS satellites of that report and
// counts them.
TEST_P(ComparisonLog, SatellitesInUseAgreeWithGpsd)
{
    const std::string log = GetParam();
    const std::vector<std::string> chk = testutil::LogLines(testutil::ReadDataFile(log + ".chk"));
    std::size_t sentences = 0;
    for (const std::string& line : chk) sentences += !line.empty() && line[0] == '$';
    const std::vector<Snapshot> snapshots = PlayLog(*frm, testutil::ReadDataFile(log), sentences);
    ASSERT_EQ(snapshots.size(), sentences);

    std::size_t k = 0;
    int reports = 0;
    for (const std::string& line : chk) {
        if (!line.empty() && line[0] == '$') {
            ASSERT_EQ(snapshots[k].body, line.substr(1, line.size() - 4));
            ++k;
            continue;
        }
        if (line.find("\"class\":\"SKY\"") == std::string::npos || line.find("\"satellites\"") == std::string::npos) continue;
        ASSERT_GT(k, 0u);
        std::set<int> used;
        int listed = 0;
        for (std::size_t at = line.find("{\"PRN\":"); at != std::string::npos; at = line.find("{\"PRN\":", at + 1)) {
            ++listed;
            const int prn = std::stoi(line.substr(at + 7));
            const std::size_t end = line.find('}', at);
            if (line.substr(at, end - at).find("\"used\":true") != std::string::npos && (prn <= 32 || prn == 42)) used.insert(prn);
        }
        ++reports;
        EXPECT_EQ(snapshots[k - 1].shown, used) << line;
        if (!used.empty()) {
            EXPECT_EQ(snapshots[k - 1].count, QStringLiteral("衛星数:%1").arg(used.size() - used.count(42))) << line;
        }
        (void)listed;
    }
    EXPECT_GT(reports, 5);
}

INSTANTIATE_TEST_SUITE_P(RealLogs, ComparisonLog, ::testing::Values("nmea/iTrek.log", "nmea/garmin-geko201.log"),
                         [](const auto& info) { return std::string(info.param).find("iTrek") != std::string::npos ? "iTrek" : "GarminGeko"; });

// A damaged stream: between the two GSA sentences of one cycle, the rest of a sentence whose
// start was lost, with a checksum that happens to match. It is no sentence, so the cycle goes on
// and the GPS satellites of its first GSA stay marked.
TEST_F(ComparisonWindow, TheRestOfADamagedSentenceDoesNotEndAGsaCycle)
{
    const std::string fragment = testutil::Sentence("GPVTG,,T,,M,0.0,N,0.0,K,A").substr(1);
    const std::string stream = testutil::Sentence("GNGSA,A,3,05,12,,,,,,,,,,,1.0,0.6,0.8,1") + "\r\n" + fragment + "\r\n" +
                               testutil::Sentence("GNGSA,A,3,66,67,,,,,,,,,,,1.0,0.6,0.8,2") + "\r\n" +
                               testutil::Sentence("GPGSV,1,1,02,05,45,090,40,12,30,180,35") + "\r\n";
    const std::vector<Snapshot> snapshots = PlayLog(*frm, stream, 3);
    ASSERT_EQ(snapshots.size(), 3u);
    EXPECT_EQ(snapshots.back().body.substr(0, 5), "GPGSV") << "the fragment is not taken";
    EXPECT_EQ(snapshots.back().shown, (std::set<int>{5, 12}));
    EXPECT_EQ(snapshots.back().count, QStringLiteral("衛星数:2"));
}

// A receiver of four systems (GN GSA with system ids, GP, GL, GA and GB GSV): only the GPS
// satellites in use are shown and counted, never a Galileo or BeiDou satellite of the same PRN.
TEST_F(ComparisonWindow, AMultiSystemReceiverShowsItsGpsSatellitesOnly)
{
    const std::string log = testutil::ReadDataFile("nmea/ublox-zed-f9p-nmea.log");
    const std::vector<Snapshot> snapshots = PlayLog(*frm, log, 1015);
    ASSERT_EQ(snapshots.size(), 1015u);
    // The log's GPS GSA: 13 16 21 15 10 29 27 20; its GPS GSV lists all of them.
    EXPECT_EQ(snapshots.back().shown, (std::set<int>{10, 13, 15, 16, 20, 21, 27, 29}));
    EXPECT_EQ(snapshots.back().count, QStringLiteral("衛星数:8"));
    // Twice the receiver used only six of them (13 21 10 29 27 20): those cycles show six.
    const std::set<int> six{10, 13, 20, 21, 27, 29};
    EXPECT_TRUE(std::any_of(snapshots.begin(), snapshots.end(), [&](const Snapshot& s) { return s.shown == six && s.count == QStringLiteral("衛星数:6"); }));
}

}  // namespace
