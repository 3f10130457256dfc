// The map correction window through a recording port: the two picks, the refusals that keep the
// building model as it was, and the correction that puts the picked points on their references.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "common/FakeMainWindowPort.h"
#include "common/TestUtils.h"
#include "gps/GPSSettingFrm.h"
#include "gps/GpsSettings.h"
#include "gps/MapCorrection.h"
#include "gps/RevisionMapFrm.h"
#include "platform/MessageBox.h"
#include "site/MapView.h"
#include "site/RunState.h"
#include "site/TopAreaModel.h"

namespace {

QString Text(gps::MapCorrectionRefusal r)
{
    const std::string_view text = gps::MapCorrectionMessage(r);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class MapCorrectionWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkpath(QStringLiteral("data0"));
        QDir(dir.path()).mkpath(QStringLiteral("ico"));
        for (const char* name : {"RedPosition.ICO", "BluePosition.ICO"}) {
            QFile::copy(QString::fromStdString(testutil::DataFile(std::string("../../assets/ico/") + name)),
                        dir.filePath(QStringLiteral("ico/") + QLatin1String(name)));
        }
        previousStartDir = gStartDir;
        SetStartDir(dir.path());
        // System 9, the system of the typed defaults (Tokyo).
        gps::GpsSettings system9;
        system9.mapSystemNo = 9;
        system9.originLat = 36.0;
        system9.originLon = 139.0 + 50.0 / 60.0;
        gps::ApplyGpsSettings(system9);
        ASSERT_EQ(gps::SaveGPSSetting(dir.path()), QString());
        gps::ApplyGpsSettings(gps::GpsSettings{});
        platform::SetMessageAnswerer([this](const QString& text, platform::MessageButtons) {
            messages << text;
            return platform::MessageAnswer::Ok;
        });
        ClearTopAreaModel();
        SetFixDataSTS(0);
        SetMapCenter(0.0, 0.0f);
        frm = new gps::RevisionMapFrm(nullptr, &port);
        frm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.data()));
        for (int k = 0; k < 2; ++k) {
            const auto position = frm->typedPosition(k);
            ASSERT_TRUE(position);
            reference[k] = *gps::ReferencePlanePoint(*position, gps::gOriginLat, gps::gOriginLon);
        }
    }
    void TearDown() override
    {
        delete frm.data();
        platform::SetMessageAnswerer({});
        ClearTopAreaModel();
        SetFixDataSTS(0);
        SetMapCenter(0.0, 0.0f);
        gps::ApplyGpsSettings(gps::GpsSettings{});
        SetStartDir(previousStartDir);
    }

    // A pick as the main window serves it: the button, then the press on the site map.
    void Pick(int point, double x, double y)
    {
        QTest::mouseClick(frm->points[static_cast<std::size_t>(point)].setCmd, Qt::LeftButton);
        ASSERT_EQ(port.clickClient, frm.data());
        port.clickClient->RevisionPointPicked(point + 1, x, y);
    }
    // The site points of a building: the two picks and a third point.
    void Building(std::vector<TopAreaPoint> points) { ASSERT_EQ(AppendTopArea(points, 10.0f), TopAreaEdit::Done); }
    std::vector<TopAreaPoint> Points() const
    {
        std::vector<TopAreaPoint> out;
        for (int i = 0; i < gTopAreaPointTotalNumber; ++i) out.push_back({gNorthTopAreaX[i], gNorthTopAreaY[i]});
        return out;
    }
    // The site offset of reference 2 from reference 1, turned by `degrees` counter-clockwise and
    // scaled: the picks of a site map drawn turned against north.
    QPointF PickOffset(double degrees, double scale = 1.0) const
    {
        const double a = degrees * M_PI / 180.0;
        const double dE = reference[1].east - reference[0].east;
        const double dN = reference[1].north - reference[0].north;
        return {scale * (dE * std::cos(a) + dN * std::sin(a)), scale * (-dE * std::sin(a) + dN * std::cos(a))};
    }

    QTemporaryDir dir;
    QString previousStartDir;
    testutil::FakeMainWindowPort port;
    QPointer<gps::RevisionMapFrm> frm;
    QStringList messages;
    gps::PlaneXY reference[2];
};

}  // namespace

TEST_F(MapCorrectionWindow, OpensWithTheSystemOfTheSettingsAndTheTypedDefaults)
{
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("マップ補正"));
    EXPECT_EQ(frm->MapSystemLbl->text(), QStringLiteral("第 9 測地系"));
    EXPECT_EQ(frm->points[0].latSec->text(), QStringLiteral("18.54"));
    EXPECT_EQ(frm->points[1].lonSec->text(), QStringLiteral("33.82"));
    // The first default lies 20.14 km west and 28.99 km south of system 9's origin.
    EXPECT_NEAR(reference[0].east, -20140, 10);
    EXPECT_NEAR(reference[0].north, -28990, 10);
    EXPECT_TRUE(frm->points[0].xLbl->text().isEmpty());
}

TEST_F(MapCorrectionWindow, EachPickAsksForTheNextPressWithItsPinAndShowsItsReference)
{
    struct Case {
        int point;
        int request;
        const char* cursor;
    };
    for (const Case& c : {Case{0, 3, "/ico/RedPosition.ICO"}, Case{1, 4, "/ico/BluePosition.ICO"}}) {
        SCOPED_TRACE(c.request);
        port.calls.clear();
        QTest::mouseClick(frm->points[static_cast<std::size_t>(c.point)].setCmd, Qt::LeftButton);
        EXPECT_EQ(port.calls, (QStringList{QStringLiteral("SetPickPointer ") + dir.path() + QLatin1String(c.cursor),
                                           QStringLiteral("TakePictureClick %1").arg(c.request)}));
        EXPECT_EQ(frm->cursor().shape(), Qt::BitmapCursor) << "the pin on the window too";
        port.clickClient->RevisionPointPicked(c.point + 1, 12.5, -7.0);
        EXPECT_EQ(frm->cursor().shape(), Qt::ArrowCursor);
        ASSERT_TRUE(frm->pick(c.point));
        EXPECT_EQ(frm->pick(c.point)->x, 12.5);
        const gps::PlaneXY& r = reference[c.point];
        EXPECT_EQ(frm->points[static_cast<std::size_t>(c.point)].xLbl->text(), QString::number(r.east, 'f', 1));
        EXPECT_EQ(frm->points[static_cast<std::size_t>(c.point)].yLbl->text(), QString::number(r.north, 'f', 1));
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MapCorrectionWindow, TheCorrectionPutsThePickedPointsOnTheirReferencesOnce)
{
    // A site map drawn turned by 25 degrees: the picks lie on two corners of a building.
    const QPointF p1(10.0, -5.0);
    const QPointF p2 = p1 + PickOffset(25.0);
    const TopAreaPoint corner1{static_cast<float>(p1.x()), static_cast<float>(p1.y())};
    const TopAreaPoint corner2{static_cast<float>(p2.x()), static_cast<float>(p2.y())};
    Building({corner1, corner2, {corner2.x, corner1.y}, corner1});
    Pick(0, p1.x(), p1.y());
    Pick(1, p2.x(), p2.y());
    port.calls.clear();
    QTest::mouseClick(frm->FixDataCmd, Qt::LeftButton);
    ASSERT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    const auto moved = Points();
    ASSERT_EQ(moved.size(), 4u);
    for (int k = 0; k < 2; ++k) {
        EXPECT_NEAR(moved[static_cast<std::size_t>(k)].x, reference[k].east, 0.01);
        EXPECT_NEAR(moved[static_cast<std::size_t>(k)].y, reference[k].north, 0.01);
    }
    EXPECT_EQ(moved[0], moved[3]) << "the outline stays closed";
    EXPECT_EQ(gFixDataSTS, 1);
    // The map is centred on the corrected buildings and redrawn, so it still shows them.
    EXPECT_NEAR(pMapCenterX, (std::min({moved[0].x, moved[1].x, moved[2].x}) + std::max({moved[0].x, moved[1].x, moved[2].x})) / 2, 0.01);
    EXPECT_EQ(port.calls, QStringList{QStringLiteral("ShowInputBillTopArea -1")});

    // The same picks, made in the old frame, cannot be applied to the corrected points.
    QTest::mouseClick(frm->FixDataCmd, Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{Text(gps::MapCorrectionRefusal::NoFirstPick)});
    EXPECT_EQ(Points(), moved);
}

TEST_F(MapCorrectionWindow, ARefusedCorrectionLeavesTheModelAsItWas)
{
    using R = gps::MapCorrectionRefusal;
    struct Case {
        const char* name;
        void (*type)(gps::RevisionMapFrm&);  // what the user typed before picking
        QPointF pick1, pick2;                // NaN: not picked
        double turn, scale;                  // the picks' pair against the references' pair
        R refusal;
    };
    const double none = std::nan("");
    const auto keep = [](gps::RevisionMapFrm&) {};
    const Case cases[] = {
        {"no first pick", keep, {none, none}, {}, 0, 1, R::NoFirstPick},
        {"no second pick", keep, {}, {none, none}, 0, 1, R::NoSecondPick},
        {"no second position", [](gps::RevisionMapFrm& f) { f.points[1].latDeg->clear(); }, {}, {}, 0, 1, R::NoSecondPosition},
        {"first position 4 degrees north", [](gps::RevisionMapFrm& f) { f.points[0].latDeg->setText("40"); }, {}, {}, 0, 1,
         R::FirstPositionOutside},
        {"second position in Okinawa", [](gps::RevisionMapFrm& f) { f.points[1].latDeg->setText("26"); }, {}, {}, 0, 1,
         R::SecondPositionOutside},
        {"picks 1 m apart", keep, {}, {}, 0, 0.005, R::PicksTooClose},
        {"same longitude", [](gps::RevisionMapFrm& f) { f.points[1].lonSec->setText(f.points[0].lonSec->text()); }, {}, {}, 0, 1,
         R::EastWestTooSmall},
        {"same latitude", [](gps::RevisionMapFrm& f) { f.points[1].latSec->setText(f.points[0].latSec->text()); }, {}, {}, 0, 1,
         R::NorthSouthTooSmall},
        {"picks three times too far apart", keep, {}, {}, 0, 3, R::ScaleOutOfRange},
    };
    Building({{0, 0}, {40, 0}, {40, 30}, {0, 0}});
    const auto before = Points();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        delete frm.data();
        frm = new gps::RevisionMapFrm(nullptr, &port);
        c.type(*frm);
        // The references as typed now; a pair the correction refuses keeps the defaults' offset.
        const QPointF offset = PickOffset(c.turn, c.scale);
        const QPointF p1 = std::isnan(c.pick1.x()) ? c.pick1 : QPointF(3, 4);
        const QPointF p2 = std::isnan(c.pick2.x()) ? c.pick2 : QPointF(3, 4) + offset;
        QPointF picks[] = {p1, p2};
        for (int k = 0; k < 2; ++k) {
            if (!std::isnan(picks[k].x())) Pick(k, picks[k].x(), picks[k].y());
        }
        messages.clear();
        EXPECT_FALSE(frm->FixDataCmd_Click());
        EXPECT_EQ(messages, QStringList{Text(c.refusal)});
        EXPECT_EQ(Points(), before);
        EXPECT_EQ(gFixDataSTS, 0);
    }
}

TEST_F(MapCorrectionWindow, ARefusedPositionLeavesNoStaleValue)
{
    Pick(1, 0, 0);
    ASSERT_FALSE(frm->points[1].xLbl->text().isEmpty());
    // Typed outside the system, picked again: told at the pick, the label emptied.
    frm->points[1].lonDeg->setText(QStringLiteral("135"));
    Pick(1, 0, 0);
    EXPECT_EQ(messages, QStringList{QStringLiteral("設定緯度経度が不適です。")});
    EXPECT_TRUE(frm->points[1].xLbl->text().isEmpty());
    EXPECT_TRUE(frm->points[1].yLbl->text().isEmpty());

    // A valid pick whose position is then changed: the correction uses what is typed now, never
    // the label shown at the pick.
    frm->points[1].lonDeg->setText(QStringLiteral("139"));
    Pick(0, 10, 10);
    Pick(1, PickOffset(0).x() + 10, PickOffset(0).y() + 10);
    frm->points[0].latDeg->setText(QStringLiteral("20"));
    messages.clear();
    EXPECT_FALSE(frm->FixDataCmd_Click());
    EXPECT_EQ(messages, QStringList{QStringLiteral("設定緯度経度が不適です。")});
    EXPECT_TRUE(frm->points[0].xLbl->text().isEmpty());
}

// A box must hold a number: letters, or a number with letters after it, are refused with the
// point's message at the pick and at the correction, never read as 0 or as the leading number.
TEST_F(MapCorrectionWindow, ABoxThatHoldsNoNumberIsRefused)
{
    using R = gps::MapCorrectionRefusal;
    struct Case {
        int point;
        QLineEdit* gps::RevisionMapFrm::PointControls::*box;
        const char* text;
    } cases[] = {
        {0, &gps::RevisionMapFrm::PointControls::latSec, "2x"},
        {0, &gps::RevisionMapFrm::PointControls::lonSec, "abc"},
        {1, &gps::RevisionMapFrm::PointControls::latSec, "18.5.4"},
        {1, &gps::RevisionMapFrm::PointControls::lonMin, "36m"},
        {1, &gps::RevisionMapFrm::PointControls::lonDeg, "139x"},
    };
    Building({{0, 0}, {40, 0}, {40, 30}, {0, 0}});
    const auto before = Points();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        delete frm.data();
        frm = new gps::RevisionMapFrm(nullptr, &port);
        Pick(0, 3, 4);
        Pick(1, 3 + PickOffset(0).x(), 4 + PickOffset(0).y());
        (frm->points[static_cast<std::size_t>(c.point)].*c.box)->setText(QString::fromLatin1(c.text));
        messages.clear();
        Pick(c.point, c.point == 0 ? 3 : 3 + PickOffset(0).x(), c.point == 0 ? 4 : 4 + PickOffset(0).y());
        const QString refusal = Text(c.point == 0 ? R::NoFirstPosition : R::NoSecondPosition);
        EXPECT_EQ(messages, QStringList{refusal});
        EXPECT_TRUE(frm->points[static_cast<std::size_t>(c.point)].xLbl->text().isEmpty());
        messages.clear();
        EXPECT_FALSE(frm->FixDataCmd_Click());
        EXPECT_EQ(messages, QStringList{refusal});
        EXPECT_EQ(Points(), before);
    }
    // An empty seconds box is 0 seconds.
    frm->points[0].latSec->clear();
    messages.clear();
    Pick(0, 3, 4);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_NEAR(frm->typedPosition(0)->latitude, 35.0 + 44.0 / 60.0, 1e-12);
}

TEST_F(MapCorrectionWindow, TheSystemButtonCancelsAPendingPickAndTheNewSystemIsUsedAtOnce)
{
    QTest::mouseClick(frm->points[0].setCmd, Qt::LeftButton);
    port.calls.clear();
    // In the settings dialog: system 7 chosen and OK.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<gps::GPSSettingFrm*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->MapSystemGrid->setCurrentCell(6, 1);
        dialog->MapSystemGrid_Click();
        dialog->OKCmd_Click();
    });
    QTest::mouseClick(frm->MapSystemCmd, Qt::LeftButton);
    EXPECT_EQ(port.calls, (QStringList{QStringLiteral("ReleasePictureClick"), QStringLiteral("SetPickPointer ")}));
    EXPECT_EQ(frm->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(gps::gGPSSettingMode, 2);
    EXPECT_EQ(frm->MapSystemLbl->text(), QStringLiteral("第 7 測地系"));
    EXPECT_DOUBLE_EQ(gps::gOriginLon, 137.0 + 10.0 / 60.0);
    // The defaults (139.6 E) lie within 3 degrees of system 7's origin: shown in the new system.
    Pick(0, 0, 0);
    const auto r = gps::ReferencePlanePoint(*frm->typedPosition(0), 36.0, 137.0 + 10.0 / 60.0);
    EXPECT_EQ(frm->points[0].xLbl->text(), QString::number(r->east, 'f', 1));
}

TEST_F(MapCorrectionWindow, ClosingCancelsAPendingPick)
{
    QTest::mouseClick(frm->points[1].setCmd, Qt::LeftButton);
    port.calls.clear();
    QTest::mouseClick(frm->CloseCmd, Qt::LeftButton);
    EXPECT_EQ(port.calls, (QStringList{QStringLiteral("ReleasePictureClick"), QStringLiteral("SetPickPointer ")}));
    EXPECT_EQ(port.clickClient, nullptr);
}
