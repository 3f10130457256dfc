// The GPS windows on the offscreen main window: the menu commands that open them, the map
// correction's picks served by real presses on the site map, and a receiver record read back by
// the main window's GPS record reader.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "MainWindowFixture.h"
#include "gps/GPSFrm.h"
#include "gps/GpsSettings.h"
#include "gps/NmeaSentences.h"
#include "gps/RevisionMapFrm.h"
#include "platform/PictureSurface.h"
#include "site/GpsRecord.h"
#include "site/MapView.h"
#include "site/RunState.h"
#include "tests/gps/NmeaTestHelpers.h"

namespace {

const QColor kOutline(255, 0, 200);

class GpsWindows : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        QDir start(startFolder.path());
        start.mkpath(QStringLiteral("data0"));
        start.mkpath(QStringLiteral("ico"));
        for (const char* name : {"RedPosition.ICO", "BluePosition.ICO"}) {
            QFile::copy(QString::fromStdString(testutil::DataFile(std::string("../../assets/ico/") + name)),
                        start.filePath(QStringLiteral("ico/") + QLatin1String(name)));
        }
        ClearTopAreaModel();
        SetFixDataSTS(0);
        ResetMapView();
    }
    void TearDown() override
    {
        SetPhotoClickMode(0);
        SetFixDataSTS(0);
        gGPSRecordNum = 0;
        SetMapCenter(0.0, 0.0f);
        gps::ApplyGpsSettings(gps::GpsSettings{});
        MainWindowTest::TearDown();
    }
    void UseSystem(int number, double lat, double lon)
    {
        gps::GpsSettings s;
        s.mapSystemNo = number;
        s.originLat = lat;
        s.originLon = lon;
        gps::ApplyGpsSettings(s);
        ASSERT_EQ(gps::SaveGPSSetting(startFolder.path()), QString());
    }
    QPoint Px(QPointF user) const { return frm->PhotoPic->toPixel(user).toPoint(); }
    void ClickMap(QPointF p)
    {
        QTest::mousePress(frm->PhotoPic, Qt::LeftButton, {}, Px(p));
        QTest::mouseRelease(frm->PhotoPic, Qt::LeftButton, {}, Px(p));
    }
};

}  // namespace

TEST_F(GpsWindows, EachMenuCommandOpensItsOneWindow)
{
    frm->ReaObservationGPSMenu->trigger();
    gps::GPSFrm* receiver = frm->gpsFrm();
    ASSERT_NE(receiver, nullptr);
    EXPECT_TRUE(receiver->isVisible());
    EXPECT_EQ(receiver->windowTitle(), QStringLiteral("GPSフォーム"));
    frm->ReaObservationGPSMenu->trigger();
    EXPECT_EQ(frm->gpsFrm(), receiver);
    frm->ChangeForRealMapMenu->trigger();
    ASSERT_NE(frm->revisionMapFrm(), nullptr);
    EXPECT_TRUE(frm->revisionMapFrm()->isVisible());
    EXPECT_EQ(receiver->parentWidget(), frm) << "owned by the main window";
}

TEST_F(GpsWindows, ThePicksArePressesOnTheSiteMapAndTheCorrectedBuildingsStayOnTheMap)
{
    UseSystem(9, 36.0, 139.0 + 50.0 / 60.0);
    // A map centred away from the site origin: picks are site metres, the centre included.
    SetMapCenter(100.0, 50.0f);
    frm->ChangeForRealMapMenu->trigger();
    gps::RevisionMapFrm* correction = frm->revisionMapFrm();
    ASSERT_NE(correction, nullptr);

    struct Pick {
        int point;
        QPointF at;  // picture units
        int request;
        QColor cross;
    };
    // The default references lie about 116 m west and 107 m north of each other; at the reset
    // zoom (2 units a metre) the second press is that far from the first.
    for (const Pick& p : {Pick{0, {100, -150}, 3, QColor(250, 0, 0)}, Pick{1, {-132, 64}, 4, QColor(0, 0, 250)}}) {
        SCOPED_TRACE(p.request);
        QTest::mouseClick(correction->points[static_cast<std::size_t>(p.point)].setCmd, Qt::LeftButton);
        EXPECT_EQ(gPhotoClickMode, p.request);
        EXPECT_EQ(frm->cursor().shape(), Qt::BitmapCursor) << "the pin on the main window";
        ClickMap(p.at);
        EXPECT_EQ(gPhotoClickMode, 0);
        EXPECT_EQ(frm->cursor().shape(), Qt::ArrowCursor);
        EXPECT_EQ(correction->cursor().shape(), Qt::ArrowCursor);
        EXPECT_EQ(frm->PhotoPic->pointColor(p.at + QPointF(3, 3)), p.cross);
        const auto pick = correction->pick(p.point);
        ASSERT_TRUE(pick);
        double x = 0, y = 0;
        PictureToSite(frm->PhotoPic->toUser(Px(p.at)).x(), frm->PhotoPic->toUser(Px(p.at)).y(), x, y, true);
        EXPECT_NEAR(pick->x, x, 1e-9);
        EXPECT_NEAR(pick->y, y, 1e-9);
        EXPECT_NEAR(pick->x, p.at.x() / 2 + 100, 1.0);
        EXPECT_FALSE(correction->points[static_cast<std::size_t>(p.point)].xLbl->text().isEmpty());
    }
    // A building with corners on both picks.
    const auto a = *correction->pick(0);
    const auto b = *correction->pick(1);
    const std::vector<TopAreaPoint> outline = {{float(a.x), float(a.y)}, {float(b.x), float(a.y)}, {float(b.x), float(b.y)}, {float(a.x), float(a.y)}};
    ASSERT_EQ(AppendTopArea(outline, 20.0f), TopAreaEdit::Done);
    frm->ShowInputBillTopArea(-1);

    QTest::mouseClick(correction->FixDataCmd, Qt::LeftButton);
    ASSERT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(gFixDataSTS, 1);
    EXPECT_EQ(frm->FixDataSTSPnl->text(), QStringLiteral("GPS設定データ"));
    for (int k = 0; k < 2; ++k) {
        const auto r = *gps::ReferencePlanePoint(*correction->typedPosition(k), 36.0, 139.0 + 50.0 / 60.0);
        const int i = k == 0 ? 0 : 2;
        EXPECT_NEAR(gNorthTopAreaX[i], r.east, 0.01);
        EXPECT_NEAR(gNorthTopAreaY[i], r.north, 0.01);
    }
    // The map was centred on the building and redrawn: its first edge is on the picture.
    const PicturePoint mid = SiteToPicture((gNorthTopAreaX[0] + gNorthTopAreaX[1]) / 2, (gNorthTopAreaY[0] + gNorthTopAreaY[1]) / 2);
    EXPECT_EQ(frm->PhotoPic->pointColor(QPointF(mid.x, mid.y)), kOutline);
}

TEST_F(GpsWindows, ARecordOfTheReceiverReadsBackAsTheSameTrack)
{
    // iTrek's place lies in system 7; the map is centred on its first fix, so the mark shows.
    UseSystem(7, 36.0, 137.0 + 10.0 / 60.0);
    const std::string log = testutil::ReadDataFile("nmea/iTrek.log");
    const auto fixes = testutil::AcceptedFixes(log, 36.0, 137.0 + 10.0 / 60.0);
    ASSERT_EQ(fixes.size(), 23u);
    SetMapCenter(fixes[0].east, static_cast<float>(fixes[0].north));
    frm->ReaObservationGPSMenu->trigger();
    gps::GPSFrm* receiver = frm->gpsFrm();
    const QString record = QDir(startFolder.path()).filePath(QStringLiteral("walk.gps"));
    dialogPaths << record;
    QTest::mouseClick(receiver->RecordGPSCmd, Qt::LeftButton);
    ASSERT_TRUE(receiver->isRecording());
    gps::NmeaDecoder decoder;
    decoder.feed(log.data(), log.size(), [&](const gps::NmeaSentence& s) { receiver->ConvertGPSRealData(s); });
    EXPECT_TRUE(frm->GPSPoinrImg->isVisible());
    QTest::mouseClick(receiver->CancelCmd, Qt::LeftButton);  // closing ends the record too
    EXPECT_FALSE(frm->GPSPoinrImg->isVisible());

    ASSERT_TRUE(frm->LoadGPSRecordData(record));
    ASSERT_EQ(gGPSRecordNum, 23);
    for (int k = 0; k < 23; ++k) {
        EXPECT_NEAR(gGPSRecordX[k], fixes[static_cast<std::size_t>(k)].east, 0.05 + 1e-3);
        EXPECT_NEAR(gGPSRecordY[k], fixes[static_cast<std::size_t>(k)].north, 0.05 + 1e-3);
    }
}
