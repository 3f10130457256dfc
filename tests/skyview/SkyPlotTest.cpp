#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>


#include "common/TestUtils.h"
#include "orbit/AlmanacTable.h"
#include "orbit/OrbitEngine.h"
#include "orbit/VisibleSatellites.h"
#include "orbit/YumaAlmanac.h"
#include "platform/PictureSurface.h"
#include "skyview/SkyPlot.h"
#include "skyview/SkyPlotIcons.h"

namespace {

using skyview::PlotFrame;
using skyview::PlotOrientation;
using skyview::SkyState;

constexpr double kK = 1.69;

// Small hand-made satellite tables: every slot listed, health 0, colours by slot.
struct Tables {
    SateTable az{};
    SateTable el{};
    std::array<std::int16_t, 33> prn{};
    std::array<std::int16_t, 33> health{};
    std::array<RgbColor, 33> colours{};
    orbit::SkylineTable skyline{};
    std::vector<int> sateSlots;
    float mask = 10.0f;

    // Slot `slot` (PRN `p`) stands at (a, e) at every step.
    void put(int slot, int p, float a, float e)
    {
        prn[slot] = static_cast<std::int16_t>(p);
        az[slot].fill(a);
        el[slot].fill(e);
        sateSlots.push_back(slot);
    }
    skyview::SkyInputs inputs() const { return {az, el, sateSlots, prn, health, colours, skyline, mask}; }
};

// A plot picture as the orbit view has it: 342 pixels square, scaled -169..169 with y upwards.
class PlotSurface : public ::testing::Test {
protected:
    void SetUp() override
    {
        surface.resize(342, 342);
        surface.setScale(-169, 169, 338, -338);
        surface.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&surface));
    }

    // True when a pixel within one pixel of the user point has the colour.
    bool HasColorNear(QPointF user, const QColor& color) const
    {
        const QPoint p = surface.toPixel(user).toPoint();
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const QPoint q(p.x() + dx, p.y() + dy);
                if (surface.image().rect().contains(q) && surface.image().pixelColor(q) == color) {
                    return true;
                }
            }
        }
        return false;
    }

    PictureSurface surface;
};

TEST(SkyPlotMapping, PutsDirectionsWhereTheOrientationSays)
{
    struct Case {
        const char* name;
        PlotOrientation orientation;
        double rotate;
        double azimuth;
        double elevation;
        double x;
        double y;
    };
    const double h = 90 * kK;  // the horizon, 152.1 units
    const Case cases[] = {
        {"north-up: north at the top", PlotOrientation::NorthUp, 0, 90, 0, 0, h},
        {"north-up: east to the right", PlotOrientation::NorthUp, 0, 0, 0, h, 0},
        {"north-up: south at the bottom", PlotOrientation::NorthUp, 0, 270, 0, 0, -h},
        {"north-up: the zenith at the centre", PlotOrientation::NorthUp, 0, 123, 90, 0, 0},
        {"north-up: 30 degrees up in the north-east", PlotOrientation::NorthUp, 0, 45, 30, 60 * kK * std::sqrt(0.5), 60 * kK * std::sqrt(0.5)},
        {"north-up ignores the map's turn", PlotOrientation::NorthUp, 90, 90, 0, 0, h},
        {"looking down, unturned: as north-up", PlotOrientation::LookingDown, 0, 90, 0, 0, h},
        {"looking down, map turned 90: north to the right", PlotOrientation::LookingDown, 90, 90, 0, h, 0},
        {"looking up, unturned: south at the top", PlotOrientation::LookingUp, 0, 270, 0, 0, h},
        {"looking up, unturned: east to the right", PlotOrientation::LookingUp, 0, 0, 0, h, 0},
        {"looking up, map turned 90: south to the left", PlotOrientation::LookingUp, 90, 270, 0, -h, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QPointF p = skyview::PlotPoint({kK, c.orientation, c.rotate}, c.azimuth, c.elevation);
        EXPECT_NEAR(p.x(), c.x, 1e-3);
        EXPECT_NEAR(p.y(), c.y, 1e-3);
    }
}

TEST_F(PlotSurface, DrawnPixelsPutNorthUpEastRightAndTheZenithAtTheCentre)
{
    Tables t;
    t.colours[1] = {255, 0, 0};
    t.colours[2] = {0, 200, 0};
    t.colours[3] = {255, 0, 255};
    // Tracks rising towards the zenith: slot 1 due north, slot 2 due east, slot 3 due west but
    // below the mask (never drawn).
    t.put(1, 1, 90, 0);
    t.put(2, 2, 0, 0);
    t.put(3, 3, 180, 0);
    for (int k = 0; k <= kLastTimeStep; ++k) {
        t.el[1][k] = t.el[2][k] = 15.0f + 0.25f * k;
        t.el[3][k] = 5.0f;
    }
    t.skyline.fill(20.0f);
    const PlotFrame frame{kK, PlotOrientation::NorthUp, 0};
    skyview::DrawHeavenBase(surface, frame);
    skyview::DrawElevationMaskCircle(surface, frame, t.mask);
    skyview::DrawSateObitLine(surface, frame, t.inputs(), 0, kLastTimeStep);
    skyview::DrawBillSkyLine(surface, frame, t.skyline);

    // Elevation 45 lies 45 k = 76.05 units from the centre: north above it, east right of it.
    EXPECT_TRUE(HasColorNear({0, 45 * kK}, QColor(255, 0, 0)));
    EXPECT_TRUE(HasColorNear({45 * kK, 0}, QColor(0, 200, 0)));
    EXPECT_FALSE(HasColorNear({0, -45 * kK}, QColor(255, 0, 0)));
    EXPECT_FALSE(HasColorNear({-45 * kK, 0}, QColor(255, 0, 255)));
    // Both tracks run up to the zenith at the centre (elevation 87 at the last step).
    EXPECT_TRUE(HasColorNear({0, 3 * kK}, QColor(255, 0, 0)));
    // The horizon circle of radius 90 k, the skyline at 20 degrees (70 k) and the mask at 10
    // degrees (80 k = 135.2) on the south axis, where no track runs.
    EXPECT_TRUE(HasColorNear({0, -90 * kK}, skyview::kHorizonColor));
    EXPECT_TRUE(HasColorNear({0, -70 * kK}, skyview::kSkylineColor));
    EXPECT_TRUE(HasColorNear({0, -80 * kK}, skyview::kMaskColor));
    EXPECT_TRUE(HasColorNear({0, -30 * kK}, skyview::kAxisColor));
}

TEST(SkyPlotClassify, OneRuleWithTheCountsAtTheEdges)
{
    orbit::SkylineTable skyline{};
    skyline[44] = 30.0f;
    skyline[359] = 25.0f;
    struct Case {
        const char* name;
        float azimuth;
        float elevation;
        SkyState state;
    };
    const Case cases[] = {
        {"exactly at the mask is below it", 200, 10, SkyState::BelowMask},
        {"above the mask in open sky", 200, 10.5f, SkyState::Visible},
        {"exactly at the skyline is hidden", 44.9f, 30, SkyState::Hidden},
        {"whole degree 44 for azimuth 44.9", 44.9f, 29, SkyState::Hidden},
        {"azimuth 45.0 reads degree 45", 45.0f, 29, SkyState::Visible},
        {"359.6 reads degree 359, as the counts do", 359.6f, 20, SkyState::Hidden},
        {"not a number is never shown", std::nanf(""), 50, SkyState::BelowMask},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(skyview::ClassifySate(c.azimuth, c.elevation, 10.0f, skyline), c.state);
    }
}

TEST(SkyPlotTracks, RunsOfVisibleStepsOnlyAndASingleStepLeavesNoMark)
{
    Tables t;
    t.put(1, 1, 90, 40);
    // Steps 0..7: visible, visible, hidden, visible, below the mask, visible x3.
    const float el[] = {40, 41, 25, 43, 5, 45, 46, 47};
    for (int k = 0; k < 8; ++k) {
        t.el[1][k] = el[k];
    }
    t.skyline[90] = 30.0f;
    const auto runs = skyview::TrackPolylines({kK, PlotOrientation::NorthUp, 0}, t.inputs(), 1, 0, 7);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].size(), 2);
    EXPECT_EQ(runs[1].size(), 3);
    EXPECT_NEAR(runs[1].back().y(), 43 * kK, 1e-3);
}

TEST(SkyPlotCount, AgreesWithTheVisibleCountsOfARealAlmanac)
{
    const orbit::YumaReadResult read = orbit::ReadYumaAlmanac(testutil::ReadDataFile("almanac.yuma.week0149.405504.txt"));
    ASSERT_TRUE(read.ok()) << read.error;
    orbit::ApplyAlmanac(orbit::ToAlmanac(read));
    SetLatitude(35.681f);
    SetLongitude(139.767f);
    SetComputeDate("2022/02/18");
    ASSERT_TRUE(orbit::ComputeSateAzimusElevation(0, kLastTimeStep));
    // A city skyline: high blocks in some directions, open sky in others.
    orbit::SkylineTable skyline{};
    for (int d = 0; d < 360; ++d) {
        skyline[d] = (d / 30) % 2 == 0 ? 35.0f + d % 7 : 0.0f;
    }
    skyline[360] = skyline[0];
    const float mask = 10.0f;
    const std::vector<int> usable = orbit::UsableSateSlots();
    orbit::VisibleCountTable counts{};
    orbit::CountVisibleSate(gSateAzimus, gSateElevation, usable, mask, skyline, 0, kLastTimeStep, counts);
    const skyview::SkyInputs inputs{gSateAzimus, gSateElevation, usable, gSatePRN, gSateHealth, gSateColor, skyline, mask};
    int hiddenSeen = 0;
    for (int step = 0; step <= kLastTimeStep; ++step) {
        const skyview::SatePositions shown = skyview::SatePositionsAt({kK, PlotOrientation::NorthUp, 0}, inputs, step);
        ASSERT_EQ(shown.count, counts[step]) << "step " << step;
        for (const skyview::SateMark& m : shown.marks) {
            hiddenSeen += m.state == SkyState::Hidden;
        }
    }
    EXPECT_GT(hiddenSeen, 100);
}

TEST_F(PlotSurface, ASatelliteBehindABuildingIsDrawnAndCountedAsHidden)
{
    Tables t;
    t.skyline[90] = 40.0f;  // a building due north, 40 degrees high
    t.put(1, 5, 90.4f, 30);   // behind it
    t.put(2, 7, 0, 30);       // open sky in the east
    t.put(3, 9, 200, 5);      // below the mask
    t.put(4, 12, 300, 45);    // open sky but unhealthy: neither shown nor counted
    t.health[4] = 1;
    t.put(5, 40, 250, 50);    // no icon for PRN 40, still counted
    skyview::SkyPlotIcons icons(surface, 10.0);
    QLabel count;
    const PlotFrame frame{kK, PlotOrientation::NorthUp, 0};
    skyview::DrawHeavenBase(surface, frame);
    const skyview::SatePositions shown = skyview::ShowSatePosition(icons, count, frame, t.inputs(), 0);

    EXPECT_EQ(shown.count, 2);
    EXPECT_EQ(count.text(), QStringLiteral("衛星数 2"));
    EXPECT_TRUE(icons.hidden(4)->isVisible());
    EXPECT_FALSE(icons.receivable(4)->isVisible());
    EXPECT_TRUE(icons.receivable(6)->isVisible());
    EXPECT_FALSE(icons.hidden(6)->isVisible());
    EXPECT_FALSE(icons.receivable(8)->isVisible());
    EXPECT_FALSE(icons.hidden(8)->isVisible());
    EXPECT_FALSE(icons.receivable(11)->isVisible());

    // The icons are centred on their satellites: the drawn picture shows the hidden style due
    // north at 60 k and the receivable style due east.
    const QImage drawn = surface.grab().toImage();
    const auto at = [&](QPointF user) { return drawn.pixelColor(surface.toPixel(user).toPoint() + QPoint(0, 7)); };
    const QColor north = at({0, 60 * kK});
    const QColor east = at({60 * kK, 0});
    EXPECT_EQ(north, QColor(200, 200, 200));
    EXPECT_EQ(east, QColor(30, 90, 220));

    // The next step moves the satellite out from behind the building: no stale hidden icon.
    t.az[1].fill(120.0f);
    skyview::ShowSatePosition(icons, count, frame, t.inputs(), 1);
    EXPECT_FALSE(icons.hidden(4)->isVisible());
    EXPECT_TRUE(icons.receivable(4)->isVisible());
    EXPECT_EQ(count.text(), QStringLiteral("衛星数 3"));
}

}  // namespace
