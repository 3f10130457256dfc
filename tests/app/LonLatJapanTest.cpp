#include <QApplication>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

#include "app/LonLatJapanFrm.h"
#include "common/TestUtils.h"
#include "orbit/ObservationConditions.h"
#include "platform/MessageBox.h"

namespace {

// Map pixels of whole degrees at zoom 1 (468 x 484 pixels for 26 x 22 degrees): longitude 140 is
// pixel 18 / 26 x 468 = 324, latitude 36 is pixel 10 / 22 x 484 = 220; every point used below
// falls on a whole pixel, so the picked degrees are exact.
QPoint MapPixel(const LonLatJapanFrm& frm, double lon, double lat)
{
    return frm.JapanLonLatPic->toPixel(QPointF(lon, lat)).toPoint();
}

// A click on the frame at `framePoint`, delivered to the map under it.
void ClickFrame(LonLatJapanFrm& frm, QPoint framePoint, Qt::MouseButton button = Qt::LeftButton)
{
    const QPoint local = framePoint - frm.JapanLonLatPic->pos();
    QTest::mousePress(frm.JapanLonLatPic, button, {}, local);
    QTest::mouseRelease(frm.JapanLonLatPic, button, {}, local);
}

void Click(LonLatJapanFrm& frm, double lon, double lat, Qt::MouseButton button = Qt::LeftButton)
{
    const QPoint at = MapPixel(frm, lon, lat);
    QTest::mousePress(frm.JapanLonLatPic, button, {}, at);
    QTest::mouseRelease(frm.JapanLonLatPic, button, {}, at);
}

// What a real double-click delivers: press, release, double-click (in place of the second
// press), release.
void DoubleClick(LonLatJapanFrm& frm, double lon, double lat)
{
    const QPoint at = MapPixel(frm, lon, lat);
    QTest::mousePress(frm.JapanLonLatPic, Qt::LeftButton, {}, at);
    QTest::mouseRelease(frm.JapanLonLatPic, Qt::LeftButton, {}, at);
    QTest::mouseDClick(frm.JapanLonLatPic, Qt::LeftButton, {}, at);
    QTest::mouseRelease(frm.JapanLonLatPic, Qt::LeftButton, {}, at);
}

bool IsCrossRed(const QColor& c) { return c.red() == 200 && c.green() == 0 && c.blue() == 0; }

// True when the red crosshair's two lines pass through (lon, lat) on the map picture: the
// vertical line is looked for 3 degrees south of the point, the horizontal one 3 degrees west.
bool CrossDrawnAt(const LonLatJapanFrm& frm, QPointF lonLat)
{
    const QImage& image = frm.JapanLonLatPic->image();
    auto redNear = [&](QPointF user) {
        const QPoint p = frm.JapanLonLatPic->toPixel(user).toPoint();
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                const QPoint q = p + QPoint(dx, dy);
                if (image.rect().contains(q) && IsCrossRed(image.pixelColor(q))) return true;
            }
        }
        return false;
    };
    return redNear(QPointF(lonLat.x(), lonLat.y() - 3.0)) && redNear(QPointF(lonLat.x() - 3.0, lonLat.y()));
}

int RedPixels(const LonLatJapanFrm& frm)
{
    const QImage& image = frm.JapanLonLatPic->image();
    int count = 0;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            count += IsCrossRed(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return count;
}

class PickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLatitude(35.5F);
        SetLongitude(139.5F);
        messages.clear();
        platform::SetMessageAnswerer([this](const QString& text, platform::MessageButtons) {
            messages << text;
            return platform::MessageAnswer::Ok;
        });
        frm = new LonLatJapanFrm();
        frm->onAccepted = [this](const QString& lat, const QString& lon) { handedOver = {lat, lon}; };
        frm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frm));
    }
    void TearDown() override
    {
        platform::SetMessageAnswerer({});
        delete frm.data();
    }
    void ExpectCross(QPointF lonLat) const
    {
        ASSERT_TRUE(frm->crosshair().has_value());
        EXPECT_NEAR(frm->crosshair()->x(), lonLat.x(), 1e-6);
        EXPECT_NEAR(frm->crosshair()->y(), lonLat.y(), 1e-6);
        EXPECT_TRUE(CrossDrawnAt(*frm, lonLat));
    }

    QPointer<LonLatJapanFrm> frm;
    QStringList messages;
    std::optional<std::pair<QString, QString>> handedOver;
};

TEST_F(PickerTest, OpensCentredAtZoomOneWithTheCurrentPosition)
{
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("日本の緯度経度"));
    EXPECT_EQ(frm->pos(), QPoint(0, 0));
    EXPECT_EQ(frm->JapanLonLatPic->geometry(), frm->LonLatBackPic->rect());
    EXPECT_EQ(frm->MapScaleScl->minimum(), 0);
    EXPECT_EQ(frm->MapScaleScl->maximum(), 20);
    EXPECT_EQ(frm->MapScaleScl->value(), 0);
    EXPECT_FLOAT_EQ(frm->japanMapRate(), 1.0F);
    EXPECT_EQ(frm->LatTxt->text(), QStringLiteral("35.5"));
    EXPECT_EQ(frm->LonTxt->text(), QStringLiteral("139.5"));
    EXPECT_FALSE(frm->pickingOn());
    ExpectCross(QPointF(139.5, 35.5));
}

// The picking state machine: what a sequence of mouse actions and 消去 leaves on the map and in
// the boxes. The window opens with the crosshair at 139.5 E, 35.5 N.
TEST_F(PickerTest, PickingStateMachine)
{
    using Step = std::function<void(LonLatJapanFrm&)>;
    const Step clear = [](LonLatJapanFrm& f) { QTest::mouseClick(f.ClearLineCmd, Qt::LeftButton); };
    auto click = [](double lon, double lat) { return Step([=](LonLatJapanFrm& f) { Click(f, lon, lat); }); };
    auto rightClick = [](double lon, double lat) {
        return Step([=](LonLatJapanFrm& f) { Click(f, lon, lat, Qt::RightButton); });
    };
    auto doubleClick = [](double lon, double lat) { return Step([=](LonLatJapanFrm& f) { DoubleClick(f, lon, lat); }); };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        std::optional<QPointF> cross;
        QString lat, lon;
        bool picking;
    };
    const QPointF start(139.5, 35.5);
    const std::vector<Case> cases = {
        {"a click before any double-click changes nothing", {click(140, 36)}, start, "35.5", "139.5", false},
        {"the first double-click only switches picking on", {doubleClick(130, 40)}, start, "35.5", "139.5", true},
        {"then a click picks", {doubleClick(130, 40), click(140, 36)}, QPointF(140, 36), "36.0", "140.0", true},
        {"a second double-click picks its press point", {doubleClick(130, 40), doubleClick(141, 37)},
         QPointF(141, 37), "37.0", "141.0", true},
        {"right button does nothing while picking", {doubleClick(130, 40), rightClick(140, 36)}, start, "35.5", "139.5", true},
        {"clear removes the crosshair, keeps the boxes", {doubleClick(130, 40), click(140, 36), clear},
         std::nullopt, "36.0", "140.0", false},
        {"after clear a click no longer picks", {doubleClick(130, 40), clear, click(141, 37)}, std::nullopt, "35.5", "139.5", false},
        {"double-click after clear switches picking on again", {doubleClick(130, 40), clear, doubleClick(130, 40), click(141, 37)},
         QPointF(141, 37), "37.0", "141.0", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        delete frm.data();
        frm = new LonLatJapanFrm();
        frm->show();
        for (const Step& step : c.steps) step(*frm);
        if (c.cross) {
            ExpectCross(*c.cross);
            EXPECT_FALSE(CrossDrawnAt(*frm, c.cross == start ? QPointF(140, 36) : start));
        } else {
            EXPECT_FALSE(frm->crosshair().has_value());
            EXPECT_EQ(RedPixels(*frm), 0);
        }
        EXPECT_EQ(frm->LatTxt->text(), c.lat);
        EXPECT_EQ(frm->LonTxt->text(), c.lon);
        EXPECT_EQ(frm->pickingOn(), c.picking);
    }
}

// Frame point to degrees (QTest takes point (0, 0) for "the centre", so no row uses it). The map is W = 468 x rate wide and H = 484 x rate tall, centred on the
// frame (left -(rate - 1) x 234, top -(rate - 1) x 242), so frame point (fx, fy) reads
// lon = 122 + 26 (fx - left) / W, lat = 46 - 22 (fy - top) / H.
TEST_F(PickerTest, FramePointToDegreesAtEachZoom)
{
    struct Case {
        int zoom;
        QPoint frame;
        double lon, lat;
    };
    const Case cases[] = {
        {0, {9, 11}, 122.5, 45.5},
        {0, {234, 242}, 135.0, 35.0},
        {0, {324, 220}, 140.0, 36.0},
        {10, {9, 11}, 128.75, 40.25},  // rate 2: map pixel (243, 253) of 936 x 968
        {20, {9, 11}, 122.0 + 26.0 * 477 / 1404, 38.5},  // rate 3: map pixel (477, 495) of 1404 x 1452
        {20, {117, 121}, 122.0 + 26.0 * 585 / 1404, 46.0 - 22.0 * 605 / 1452},
        {20, {234, 242}, 135.0, 35.0},
    };
    DoubleClick(*frm, 130, 40);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "zoom " << c.zoom << " frame " << c.frame.x() << "," << c.frame.y());
        frm->MapScaleScl->setValue(c.zoom);
        const double rate = 1.0 + 0.1 * c.zoom;
        EXPECT_EQ(frm->JapanLonLatPic->size(), QSize(qRound(468 * rate), qRound(484 * rate)));
        ClickFrame(*frm, c.frame);
        ASSERT_TRUE(frm->crosshair().has_value());
        EXPECT_NEAR(frm->crosshair()->x(), c.lon, 1e-4);
        EXPECT_NEAR(frm->crosshair()->y(), c.lat, 1e-4);
    }
}

TEST_F(PickerTest, DragMovesTheMapAThirdOfThePointerAndPicksWhereItBegan)
{
    DoubleClick(*frm, 130, 40);
    // Press at frame (234, 242) = 135 E, 35 N; release 78 pixels right and 44 down, that is
    // 26 x 78 / 468 = 4.333 degrees east and 22 x 44 / 484 = 2 degrees south. The map moves
    // 100/15 pixels per degree: 28.9 -> 29 right, 13.3 -> 13 down.
    QTest::mousePress(frm->JapanLonLatPic, Qt::LeftButton, {}, QPoint(234, 242));
    QTest::mouseRelease(frm->JapanLonLatPic, Qt::LeftButton, {}, QPoint(312, 286));
    EXPECT_EQ(frm->JapanLonLatPic->pos(), QPoint(29, 13));
    ExpectCross(QPointF(135, 35));
    EXPECT_EQ(frm->LatTxt->text(), QStringLiteral("35.0"));
    EXPECT_EQ(frm->LonTxt->text(), QStringLiteral("135.0"));

    // The frame's centre now reads map pixel (205, 229).
    ClickFrame(*frm, QPoint(234, 242));
    EXPECT_NEAR(frm->crosshair()->x(), 122.0 + 26.0 * 205 / 468, 1e-4);
    EXPECT_NEAR(frm->crosshair()->y(), 46.0 - 22.0 * 229 / 484, 1e-4);

    // A zoom change centres the map again and redraws the crosshair at the last press point.
    frm->MapScaleScl->setValue(20);
    EXPECT_EQ(frm->JapanLonLatPic->geometry(), QRect(-468, -484, 1404, 1452));
    ExpectCross(QPointF(122.0 + 26.0 * 205 / 468, 46.0 - 22.0 * 229 / 484));
    EXPECT_FLOAT_EQ(frm->japanMapRate(), 3.0F);
}

TEST_F(PickerTest, RightButtonDragDoesNotMoveTheMap)
{
    QTest::mousePress(frm->JapanLonLatPic, Qt::RightButton, {}, QPoint(100, 100));
    QTest::mouseRelease(frm->JapanLonLatPic, Qt::RightButton, {}, QPoint(300, 300));
    QTest::mouseRelease(frm->JapanLonLatPic, Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(frm->JapanLonLatPic->pos(), QPoint(0, 0));
}

TEST_F(PickerTest, OkHandsOverThePickedPositionAndCloses)
{
    DoubleClick(*frm, 130, 40);
    Click(*frm, 140, 36);
    QTest::mouseClick(frm->OKCmd, Qt::LeftButton);
    EXPECT_FLOAT_EQ(gLatitude, 36.0F);
    EXPECT_FLOAT_EQ(gLongitude, 140.0F);
    ASSERT_TRUE(handedOver.has_value());
    EXPECT_EQ(handedOver->first, QStringLiteral("36.0"));
    EXPECT_EQ(handedOver->second, QStringLiteral("140.0"));
    EXPECT_TRUE(messages.isEmpty());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frm.isNull());
}

TEST_F(PickerTest, OkRefusesValuesOutsideTheMainWindowsRanges)
{
    struct Case {
        const char* lat;
        const char* lon;
        bool accepted;
    };
    const Case cases[] = {
        {"95", "139.5", false}, {"-1", "139.5", false}, {"90.01", "139.5", false}, {"35", "181", false},
        {"35", "-0.5", false},  {"1e400", "139", false}, {"90", "180", true},      {"0", "0", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lat << " / " << c.lon);
        SetLatitude(35.5F);
        SetLongitude(139.5F);
        messages.clear();
        handedOver.reset();
        frm->LatTxt->setText(QString::fromLatin1(c.lat));
        frm->LonTxt->setText(QString::fromLatin1(c.lon));
        QTest::mouseClick(frm->OKCmd, Qt::LeftButton);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (c.accepted) {
            EXPECT_TRUE(messages.isEmpty());
            EXPECT_TRUE(frm.isNull());
            EXPECT_TRUE(handedOver.has_value());
            frm = new LonLatJapanFrm();
            frm->onAccepted = [this](const QString& lat, const QString& lon) { handedOver = {lat, lon}; };
            frm->show();
        } else {
            EXPECT_EQ(messages, QStringList{QStringLiteral("入力値が範囲外です")});
            ASSERT_FALSE(frm.isNull());
            EXPECT_TRUE(frm->isVisible());
            EXPECT_FALSE(handedOver.has_value());
            EXPECT_FLOAT_EQ(gLatitude, 35.5F);
            EXPECT_FLOAT_EQ(gLongitude, 139.5F);
        }
    }
}

TEST_F(PickerTest, TypedValuesAfterClearAreHandedOverInTheMainWindowsFormats)
{
    QTest::mouseClick(frm->ClearLineCmd, Qt::LeftButton);
    frm->LatTxt->setText(QStringLiteral("0.46"));
    frm->LonTxt->setText(QStringLiteral("135.25"));
    QTest::mouseClick(frm->OKCmd, Qt::LeftButton);
    ASSERT_TRUE(handedOver.has_value());
    EXPECT_EQ(handedOver->first, QStringLiteral(".5"));  // "###.0"
    EXPECT_EQ(handedOver->second, QStringLiteral("135.3"));  // "##0.0", halves away from zero
    EXPECT_FLOAT_EQ(gLatitude, 0.46F);
}

TEST_F(PickerTest, CancelHandsNothingOver)
{
    DoubleClick(*frm, 130, 40);
    Click(*frm, 140, 36);
    QTest::mouseClick(frm->CancelCmd, Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frm.isNull());
    EXPECT_FALSE(handedOver.has_value());
    EXPECT_FLOAT_EQ(gLatitude, 35.5F);
    EXPECT_FLOAT_EQ(gLongitude, 139.5F);
}

TEST(PickerOpen, OneWindowAtATimeWithTheLatestHandOver)
{
    QWidget owner;
    int first = 0;
    int second = 0;
    LonLatJapanFrm* frm = LonLatJapanFrm::Open(&owner, [&](const QString&, const QString&) { ++first; });
    EXPECT_EQ(LonLatJapanFrm::Open(&owner, [&](const QString&, const QString&) { ++second; }), frm);
    EXPECT_EQ(frm->parentWidget(), &owner);
    EXPECT_TRUE(frm->isWindow());
    SetLatitude(35.0F);
    SetLongitude(135.0F);
    frm->LatTxt->setText(QStringLiteral("35"));
    QTest::mouseClick(frm->OKCmd, Qt::LeftButton);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(LonLatJapanFrm::existing(), nullptr);
}

// The artwork is true to the map's linear frame: known places fall on land or sea.
TEST(JapanMapArtwork, PlacesFallOnLandOrSea)
{
    const QImage map(QStringLiteral(":/map/JapanMap.png"));
    ASSERT_FALSE(map.isNull());
    struct Place {
        const char* name;
        double lon, lat;
        bool land;
    };
    const Place places[] = {
        {"Tokyo (Shinjuku)", 139.70, 35.69, true}, {"Pacific at 30 N 145 E", 145.0, 30.0, false},
        {"Tokyo Bay", 139.85, 35.50, false},      {"Sapporo", 141.35, 43.06, true},
        {"Sea of Japan", 135.0, 40.0, false},     {"Osaka (Nara basin edge)", 135.60, 34.70, true},
        {"Kagoshima mainland", 130.55, 31.70, true},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.name);
        const int x = static_cast<int>((p.lon - 122.0) / 26.0 * map.width());
        const int y = static_cast<int>((46.0 - p.lat) / 22.0 * map.height());
        const QColor c = map.pixelColor(x, y);
        // Land is drawn yellow-green (blue well below green), sea light blue (blue above green).
        EXPECT_EQ(c.blue() < c.green(), p.land) << c.name().toStdString();
    }
}

TEST_F(PickerTest, WindowShowsTheArtworkUnderTheCrosshair)
{
    QTest::mouseClick(frm->ClearLineCmd, Qt::LeftButton);
    frm->MapScaleScl->setValue(20);
    const QColor tokyo = frm->JapanLonLatPic->pointColor(QPointF(139.70, 35.69));
    const QColor pacific = frm->JapanLonLatPic->pointColor(QPointF(145.0, 30.0));
    EXPECT_LT(tokyo.blue(), tokyo.green());
    EXPECT_GT(pacific.blue(), pacific.green());
}

}  // namespace
