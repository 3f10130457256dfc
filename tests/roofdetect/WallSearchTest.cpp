// The wall face search and the wall edge selection on small pictures described in window
// positions (u right, v up): the bands, the run of equal greys, the search box, the face's
// boundary, the candidates and the longest edge.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "roofdetect/ClickedRoof.h"
#include "roofdetect/WallEdge.h"
#include "roofdetect/WallHeight.h"
#include "roofdetect/WallSearch.h"
#include "tests/roofdetect/Blur.h"
#include "tests/roofdetect/GreyPictures.h"

namespace {

using namespace roofdetect;

constexpr int kRoofGray = 200;
constexpr int kBackground = 250;  // outside both bands and every face below

// A picture covering the analysis window: window position (u, v) is its pixel (u + 1, 391 - v),
// photo point (u - 250, v - 195).
struct WindowPicture {
    explicit WindowPicture(const std::function<int(int u, int v)>& greyAt)
        : picture(roofpictures::GreyImage(502, 392, [&](double x, double y) { return greyAt(int(x) + 250, int(y) + 195); })),
          window(AnalysisWindow::AroundClick(picture, 0, 0))
    {
    }
    GreyPicture picture;
    AnalysisWindow window;
};

// One corner at (u, v).
std::vector<RoofCorner> CornerAt(int u, int v) { return {RoofCorner{0, u, v, false}}; }

// A row of `length` pixels of grey g starting at (u, v) on the background.
std::function<int(int, int)> RowRun(int u, int v, int length, int g)
{
    return [=](int x, int y) { return y == v && x >= u && x < u + length ? g : kBackground; };
}

TEST(FindWallStart, BandBordersAreStrict)
{
    struct Case {
        int wallGrey;
        bool found;
    };
    for (const Case c : {Case{kRoofGray - 30, false}, Case{kRoofGray - 31, true}, Case{kRoofGray - 59, true},
                         Case{kRoofGray - 60, false}, Case{kRoofGray - 61, true}, Case{kRoofGray - 119, true},
                         Case{kRoofGray - 120, false}}) {
        const WindowPicture p(RowRun(240, 190, 20, c.wallGrey));
        const auto start = FindWallStart(p.window, kRoofGray, CornerAt(250, 195));
        EXPECT_EQ(start.has_value(), c.found) << "wall grey " << c.wallGrey;
        if (start) {
            EXPECT_EQ(start->grey, c.wallGrey);
        }
    }
}

TEST(FindWallStart, TheEleventhEqualPixelStartsTheWallNotTheTenth)
{
    EXPECT_FALSE(FindWallStart(WindowPicture(RowRun(240, 190, 10, 150)).window, kRoofGray, CornerAt(250, 195)));
    const auto start = FindWallStart(WindowPicture(RowRun(240, 190, 11, 150)).window, kRoofGray, CornerAt(250, 195));
    ASSERT_TRUE(start);
    EXPECT_EQ(start->pixel, (MaskPixel{250, 190}));
    EXPECT_EQ(start->grey, 150);
}

TEST(FindWallStart, InterruptionRestartsTheCountButKeepsTheRememberedGrey)
{
    // Five equal pixels, one outside the band, then ten more of the same grey: the first after the
    // break counts 1, so the tenth after it is the start. A different grey in the band would start
    // over from its own first pixel.
    auto broken = [](int breakGrey) {
        return [=](int x, int y) {
            if (y != 190 || x < 235 || x >= 251) return kBackground;
            return x == 240 ? breakGrey : 150;
        };
    };
    const auto start = FindWallStart(WindowPicture(broken(kBackground)).window, kRoofGray, CornerAt(250, 195));
    ASSERT_TRUE(start);
    EXPECT_EQ(start->pixel, (MaskPixel{250, 190}));
    EXPECT_FALSE(FindWallStart(WindowPicture(broken(160)).window, kRoofGray, CornerAt(250, 195)));
}

TEST(FindWallStart, UpperRowAndFirstBandWin)
{
    // Second band in the row just below the corner, first band lower down: the first band wins.
    const WindowPicture p([](int x, int y) {
        if (y == 194 && x >= 240 && x < 260) return 100;
        if (y == 180 && x >= 240 && x < 260) return 150;
        if (y == 185 && x >= 245 && x < 260) return 155;
        return kBackground;
    });
    const auto start = FindWallStart(p.window, kRoofGray, CornerAt(250, 195));
    ASSERT_TRUE(start);
    EXPECT_EQ(start->pixel, (MaskPixel{255, 185}));
    EXPECT_EQ(start->grey, 155);
}

TEST(FindWallStart, MixedRowsAlongTheRoofsEdgeAreNoFace)
{
    // The roof (grey 200) ends in row 195; below it one or two rows of `mixed` greys, then the
    // face's own grey from row `faceTop` down. Rows whose grey lies between the roof's and the
    // face's are the roof's edge straddling pixel rows: the start is on the face below them, also
    // where the mixed row lies the whole face tolerance (20) from the face. A face three rows
    // tall, one whose grey is not between, or one only a few levels off the row below it (its own
    // grain), is a face as before.
    struct Case {
        std::vector<int> mixed;  // greys of the rows 194, 193, ...
        int face;
        int startRow;
        int startGrey;
    };
    for (const Case& c : {Case{{158}, 104, 193, 104}, Case{{175, 160}, 120, 192, 120}, Case{{158}, 150, 194, 158}, Case{{150}, 130, 193, 130},
                          Case{{158, 158, 158}, 104, 194, 158}, Case{{158}, 185, 194, 158}, Case{{}, 104, 194, 104}}) {
        const WindowPicture p([&](int x, int y) {
            if (y >= 195) return kRoofGray;
            if (x < 230 || x > 270 || y < 150) return kBackground;
            const std::size_t row = static_cast<std::size_t>(194 - y);
            return row < c.mixed.size() ? c.mixed[row] : c.face;
        });
        const auto start = FindWallStart(p.window, kRoofGray, CornerAt(250, 195));
        ASSERT_TRUE(start) << c.face;
        EXPECT_EQ(start->pixel.y, c.startRow) << c.mixed.size() << " mixed rows, face " << c.face;
        EXPECT_EQ(start->grey, c.startGrey);
    }
}

TEST(FindWallStart, SearchBoxBelowTheLowestKeptCorner)
{
    // The lowest corner not merged is (250, 195); the merged one lies lower, the later one as low.
    const std::vector<RoofCorner> corners{{0, 100, 300, false}, {1, 250, 195, false}, {2, 400, 100, true}, {3, 380, 195, false}};
    struct Case {
        int u, v, length;
        bool found;
    };
    for (const Case c : {Case{230, 194, 11, true}, Case{229, 194, 11, false},   // columns 230 .. 270
                         Case{260, 194, 11, true}, Case{261, 194, 11, false},
                         Case{240, 175, 11, true}, Case{240, 174, 11, false},   // rows 194 .. 175
                         Case{240, 195, 11, false}}) {
        EXPECT_EQ(FindWallStart(WindowPicture(RowRun(c.u, c.v, c.length, 150)).window, kRoofGray, corners).has_value(), c.found)
            << c.u << ", " << c.v;
    }
    // Limits of the box at the window's borders: a corner at v 2 searches no row; at v 15 down to
    // row 2; at u 10 from column 2.
    EXPECT_FALSE(FindWallStart(WindowPicture(RowRun(240, 1, 20, 150)).window, kRoofGray, CornerAt(250, 2)));
    EXPECT_TRUE(FindWallStart(WindowPicture(RowRun(240, 2, 20, 150)).window, kRoofGray, CornerAt(250, 15)));
    EXPECT_FALSE(FindWallStart(WindowPicture(RowRun(240, 1, 20, 150)).window, kRoofGray, CornerAt(250, 15)));
    EXPECT_TRUE(FindWallStart(WindowPicture(RowRun(2, 190, 11, 150)).window, kRoofGray, CornerAt(10, 195)));
    EXPECT_FALSE(FindWallStart(WindowPicture(RowRun(0, 190, 12, 150)).window, kRoofGray, CornerAt(10, 195)));
}

TEST(FindWallStart, NoKeptCornerNoStart)
{
    const WindowPicture p(RowRun(240, 190, 20, 150));
    EXPECT_FALSE(FindWallStart(p.window, kRoofGray, {}));
    EXPECT_FALSE(FindWallStart(p.window, kRoofGray, {{0, 250, 195, true}}));
}

// A wall face of grey 150 over columns left..right and rows bottom..top.
std::function<int(int, int)> Face(int left, int right, int bottom, int top)
{
    return [=](int x, int y) { return x >= left && x <= right && y >= bottom && y <= top ? 150 : kBackground; };
}

// Flat ground beside a building gives runs of equal greys in the band as a face does: a run
// whose column does not lead up to roof grey is passed over, and the face hanging from the roof
// beside it is the start, wherever the ground's run lies in the scan before it.
TEST(FindWallStart, FlatGroundBesideTheBuildingIsNoFace)
{
    // Roof above row 195 over columns 262..300, its face (grey 150) below it down to row 150;
    // ground of one grey 145 (in the face's band) elsewhere. The scan from column 250 meets twelve
    // ground pixels first.
    const WindowPicture p([](int u, int v) {
        if (u >= 262 && u <= 300 && v >= 150) return v >= 195 ? kRoofGray : 150;
        return 145;
    });
    const auto start = FindWallStart(p.window, kRoofGray, CornerAt(270, 195));
    ASSERT_TRUE(start);
    EXPECT_EQ(start->grey, 150);
    EXPECT_EQ(start->pixel, (MaskPixel{272, 194}));
}

// The faces to try for a wall edge: below the lowest corners A (250, 195) and B (300, 195), tied
// for lowest (A in the earlier row), a crease under A between faces of greys 165 and 90, and
// under B a face of 160 (within the face tolerance of 165: the same face as MarkWallArea follows
// it, never tried again) beside one of 115; below the upper corner C (120, 300) a face of 139.
// FindWallStart's face comes first, then A's other face, then B's, then C's.
TEST(FindWallStarts, FacesOfOtherGreysUnderTheKeptCornersLowestFirst)
{
    const WindowPicture p([](int u, int v) {
        if (v >= 150 && v < 195) {
            if (u >= 230 && u < 250) return 165;
            if (u >= 250 && u < 276) return 90;
            if (u >= 276 && u <= 300) return 160;
            if (u > 300 && u <= 320) return 115;
        }
        if (v >= 260 && v < 300 && u >= 100 && u <= 140) return 139;
        return v >= 195 ? kRoofGray : kBackground;
    });
    const std::vector<RoofCorner> corners{{0, 120, 300, false}, {1, 250, 195, false}, {2, 300, 195, false}, {3, 200, 150, true}};
    const std::vector<WallStart> starts = FindWallStarts(p.window, kRoofGray, corners);
    const std::vector<std::pair<MaskPixel, int>> expected{{{240, 194}, 165}, {{260, 194}, 90}, {{311, 194}, 115}, {{110, 299}, 139}};
    ASSERT_EQ(starts.size(), expected.size());
    for (std::size_t i = 0; i < starts.size(); ++i) {
        EXPECT_EQ(starts[i].pixel, expected[i].first) << i;
        EXPECT_EQ(starts[i].grey, expected[i].second) << i;
    }
    const auto first = FindWallStart(p.window, kRoofGray, corners);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->pixel, starts.front().pixel);
    EXPECT_TRUE(FindWallStarts(p.window, kRoofGray, {{0, 250, 195, true}}).empty());
}

TEST(MarkWallArea, RecordsRightThenLeftBoundaryRowByRowUpThenDown)
{
    const WindowPicture p(Face(200, 260, 100, 103));
    ByteMask edge;
    edge.set(5, 5, kMaskOutline);
    const auto recorded = MarkWallArea(p.window, 150, {230, 101}, edge);
    const std::vector<MaskPixel> expected{{260, 102}, {200, 102}, {260, 103}, {200, 103},   // upwards from 102
                                          {260, 101}, {200, 101}, {260, 100}, {200, 100}};  // downwards from 101
    EXPECT_EQ(recorded, expected);
    EXPECT_EQ(edge.at(5, 5), kMaskNothing);
    for (const MaskPixel& m : expected) EXPECT_EQ(edge.at(m.x, m.y), kMaskTraced);
}

TEST(MarkWallArea, FaceAtTheRightBorderKeepsTheEarlierRightEdge)
{
    // Rows 100..101 end at column 300; row 102 reaches the border, so it records only its left
    // boundary and centres on (240 + 300) / 2 = 270, where row 103 (240..290) still lies.
    const WindowPicture p([](int x, int y) {
        if (y >= 100 && y <= 101 && x >= 200 && x <= 300) return 150;
        if (y == 102 && x >= 240) return 150;
        if (y == 103 && x >= 240 && x <= 290) return 150;
        return kBackground;
    });
    ByteMask edge;
    EXPECT_EQ(MarkWallArea(p.window, 150, {290, 100}, edge),
              (std::vector<MaskPixel>{{300, 101}, {200, 101}, {240, 102}, {290, 103}, {240, 103}, {300, 100}, {200, 100}}));

    // No right edge set yet: the centre of a row at the border is (left + 500) / 2.
    const WindowPicture q([](int x, int y) {
        if (y == 100 && x >= 280) return 150;
        if (y == 99 && x >= 350 && x <= 420) return 150;
        return kBackground;
    });
    EXPECT_EQ(MarkWallArea(q.window, 150, {290, 100}, edge), (std::vector<MaskPixel>{{280, 100}, {420, 99}, {350, 99}}));
}

TEST(MarkWallArea, StartOffTheFaceEndsTheDownwardPassAtOnce)
{
    const WindowPicture p(Face(200, 260, 100, 103));
    ByteMask edge;
    EXPECT_EQ(MarkWallArea(p.window, 150, {230, 99}, edge),
              (std::vector<MaskPixel>{{260, 100}, {200, 100}, {260, 101}, {200, 101}, {260, 102}, {200, 102}, {260, 103}, {200, 103}}));
    EXPECT_TRUE(MarkWallArea(p.window, 150, {230, 104}, edge).empty());
    EXPECT_EQ(edge.at(260, 100), kMaskNothing);  // cleared even when nothing is recorded
}

// Wall edges on pictures of one face of grey 150 on dark ground, its boundary as MarkWallArea
// finds it from a pixel of the face.
constexpr int kFaceGrey = 150;
constexpr int kGround = 60;

// The ground's grain, as a photograph shows it: -6..6 grey levels per pixel, repeatable. A wall is
// one flat grey, the ground is not.
int GroundGrain(int u, int v)
{
    unsigned h = static_cast<unsigned>(u) * 73856093u ^ static_cast<unsigned>(v) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return static_cast<int>(h % 13) - 6;
}

struct FacePicture {
    // Roof above row `roofFrom` (or where onRoof says), the face where onFace says, dark ground
    // elsewhere.
    explicit FacePicture(const std::function<bool(int u, int v)>& onFace, MaskPixel start, int roofFrom = 100,
                         const std::function<bool(int u, int v)>& onRoof = nullptr)
        : p([=](int u, int v) {
              const bool roof = onRoof ? onRoof(u, v) : v >= roofFrom;
              return onFace(u, v) ? kFaceGrey : roof ? kRoofGray : kGround + GroundGrain(u, v);
          })
    {
        boundary = MarkWallArea(p.window, kFaceGrey, start, edge);
    }
    std::vector<WallCandidate> edges(const std::vector<MaskPixel>& vertices, WindowPoint nadir)
    {
        return FindWallEdge(WallFace{&p.window, kFaceGrey, kRoofGray, nadir}, vertices, boundary, edge);
    }
    WindowPicture p;
    ByteMask edge;
    std::vector<MaskPixel> boundary;
};

// The nadir straight below: vertical edges run down the columns.
constexpr WindowPoint kNadirBelow{100, -1e6};

TEST(FindWallEdge, TheEdgeEndsWhereTheFaceLeavesItsLine)
{
    // A face right of column 100 below the roof's edge from (100, 100) to (160, 100), whose bottom
    // leaves the column at row 60 and runs along the roof's edge, level or slightly sloping. The
    // edge ends there, not where the bottom leads. The foot lies on the edge, at u = 100 (the
    // left side of pixel column 100, where the grey crosses halfway from the ground to the face).
    // The edge's place is read from the grey, and the ground beside it has a grain: the ground
    // grey read beyond the edge (grain g1) and the ground pixel next to the face (grain g2) move
    // the halfway crossing by (g1 - g2) / (2 (contrast - g2)) of a pixel, at most 12 / (2 x 84)
    // with a grain of +-6 and a contrast of 90.
    constexpr double kGrainShift = 12.0 / (2 * (kFaceGrey - kGround - 6));
    for (const double slope : {-0.3, 0.0, 0.3}) {
        SCOPED_TRACE(slope);
        FacePicture f([=](int u, int v) { return u >= 100 && u <= 160 && v <= 99 && v >= 60 + slope * (u - 100) && v >= 2; }, {130, 90});
        const auto candidates = f.edges({{100, 100}, {160, 100}}, kNadirBelow);
        ASSERT_FALSE(candidates.empty());
        EXPECT_EQ(candidates[0].top, (MaskPixel{100, 100}));
        EXPECT_NEAR(candidates[0].foot.u, 100, kGrainShift);
        EXPECT_NEAR(candidates[0].foot.v, 60, 1.5);
        EXPECT_EQ(f.edge.at(100, 80), kMaskTracedBack);
    }
    // A bottom running down steeply beside the edge (3 rows per column) leaves it at no clear
    // foot: the face does not show its bottom along the roof's edge, so no edge is given rather
    // than one that runs on down the bottom.
    FacePicture steep([](int u, int v) { return u >= 100 && u <= 160 && v <= 99 && v >= 60 - 3 * (u - 100) && v >= 2; }, {130, 90});
    const auto candidates = steep.edges({{100, 100}, {160, 100}}, kNadirBelow);
    EXPECT_TRUE(std::none_of(candidates.begin(), candidates.end(), [](const WallCandidate& c) { return c.top == MaskPixel{100, 100}; }));
}

// Beyond the picture's border nothing is known: the picture reads 0 there, which is no ground.
// A face that runs out of the picture's bottom (row 0 is its last), or ends so near it that the
// ground beyond its foot would be read past the border, gives no edge; one whose foot and the
// ground beyond it the picture shows gives its edge.
TEST(FindWallEdge, NoFootIsFoundPastThePicturesBorder)
{
    struct Case {
        int bottom;  // the face's lowest row
        bool found;
    };
    for (const Case c : {Case{-10, false}, Case{0, false}, Case{3, false}, Case{8, true}, Case{20, true}}) {
        SCOPED_TRACE(c.bottom);
        FacePicture f([=](int u, int v) { return u >= 100 && u <= 160 && v <= 99 && v >= c.bottom; }, {130, 90});
        const auto candidates = f.edges({{100, 100}, {160, 100}}, kNadirBelow);
        ASSERT_EQ(!candidates.empty(), c.found);
        if (c.found) {
            EXPECT_NEAR(candidates[0].foot.v, c.bottom, 1.0);
        }
    }
}

// At an outer corner (both roof edges on the face's side: only this wall shows there) what lies
// beside the building's edge lies behind it. A nearer roof of another grey, no roof grey, hides
// the face's foot: the face ends on the nearer roof's back edge, and that edge runs on past the
// building, the ground above it and the nearer roof below. The wall goes on behind: no edge. On
// the ground the same face gives its edge.
TEST(FindWallEdge, AFootLineRunningOnPastTheBuildingIsANearerEdge)
{
    // The face right of column 100 from row 99 down to row 60; the nearer roof (grey 110, flat)
    // from row 59 down to row 35, over columns 70 to 190.
    auto face = [](int u, int v) { return u >= 100 && u <= 160 && v <= 99 && v >= 60; };
    for (const double sigma : {0.0, 0.7}) {
        for (const bool nearer : {false, true}) {
            SCOPED_TRACE("sigma " + std::to_string(sigma) + (nearer ? " nearer roof" : " ground"));
            auto grey = [&](int u, int v) {
                if (face(u, v)) return kFaceGrey;
                if (v >= 100) return kRoofGray;
                if (nearer && u >= 70 && u <= 190 && v >= 35 && v <= 59) return 110;
                return kGround + GroundGrain(u, v);
            };
            // Laid out as WindowPicture lays its picture, then blurred.
            const GreyPicture picture(roofpictures::GaussianBlurred(
                roofpictures::GreyImage(502, 392, [&](double x, double y) { return grey(int(x) + 250, int(y) + 195); }), sigma));
            const AnalysisWindow window = AnalysisWindow::AroundClick(picture, 0, 0);
            ByteMask edge;
            const std::vector<MaskPixel> boundary = MarkWallArea(window, kFaceGrey, {130, 90}, edge);
            const auto candidates = FindWallEdge(WallFace{&window, kFaceGrey, kRoofGray, kNadirBelow}, {{100, 100}, {160, 100}}, boundary, edge);
            EXPECT_EQ(candidates.empty(), nearer);
        }
    }
}

TEST(FindWallEdge, FollowsAnyLeanTheNadirGives)
{
    // The nadir lies far to the lower left of the corner (300, 200): its edge leans up to 80
    // degrees from the picture's vertical, the face lies beside it, under the roof's edge from
    // the corner (the roof 20 pixels deep above it), and the wall is 40 pixels long.
    for (const double degrees : {0.0, 30.0, 60.0, 80.0}) {
        SCOPED_TRACE(degrees);
        const double a = degrees * std::numbers::pi / 180;
        const double au = -std::sin(a), av = -std::cos(a);
        // Pixel centre in line coordinates: s along, e across (to the face's side).
        auto line = [=](int u, int v) {
            const double x = u + 0.5 - 300, y = v - 0.5 - 200;
            return std::pair{x * au + y * av, y * au - x * av};
        };
        FacePicture f(
            [=](int u, int v) {
                const auto [s, e] = line(u, v);
                return s > 0 && s < 40 && e > 0 && e < 30;
            },
            {static_cast<int>(300 + 20 * au - 10 * av), static_cast<int>(200 + 20 * av + 10 * au)}, 1000,
            [=](int u, int v) {
                const auto [s, e] = line(u, v);
                return s <= 0 && s > -20 && e > 0 && e < 30;
            });
        const MaskPixel neighbour{static_cast<int>(std::lround(300 - 30 * av)), static_cast<int>(std::lround(200 + 30 * au))};
        const auto candidates = f.edges({{300, 200}, neighbour}, {300 + 1e6 * au, 200 + 1e6 * av});
        ASSERT_FALSE(candidates.empty());
        EXPECT_EQ(candidates[0].top, (MaskPixel{300, 200}));
        EXPECT_NEAR(std::hypot(candidates[0].foot.u - 300, candidates[0].foot.v - 200), 40, 1.5);
    }
}

// A wall face seen along a line leaning `degrees` from the picture's vertical towards the nadir:
// the roof above the face's top (which rises `topSlope` pixels along the line per pixel across it:
// gently by default, steeply for a face whose top meets the edge at a small angle), the face
// between its top and its bottom `length` pixels lower, and the ground below and beside it. The true ends lie
// between pixel centres; each pixel is the mean of 8 x 8 samples of the scene (as a camera sums
// the light over a pixel) and the picture is then blurred.
struct EndScene {
    double degrees = 0;
    double sigma = 0;
    int roofGrey = kRoofGray;
    int faceGrey = 150;
    int groundGrey = 60;
    int belowGrey = -1;  // grey below the face's bottom when it is not the ground (-1: ground)
    bool belowFlat = false;  // what lies below the face's bottom has no grain (a wall, or smooth ground)
    int stripGrey = -1;      // a strip of this grey along the face's bottom (a nearer roof's edge; -1: none) ...
    double stripWidth = 0;   // ... this many pixels wide along the line ...
    bool stripPastLine = false;  // ... running on past the edge's line on the other side too (else it ends at the line)
    double length = 37.6;
    double bottomTurn = 0;  // the face's bottom rises this much more per pixel across than its top
    double topSlope = 0.12;  // the face's top and bottom rise this much per pixel across
    int roofPeak = 0;        // the picture's bright peak the gate knows (0: none)
    double roofWedge = 0;    // the roof above the face deepens this much along the line per pixel across (0: 60 deep throughout)
    double neighbourAcross = 40;  // the roof's next corner lies this far across, on the face's top
};

struct EndPicture {
    explicit EndPicture(const EndScene& c)
        : picture(roofpictures::GaussianBlurred(Render(c), c.sigma)), window(AnalysisWindow::AroundClick(picture, 0, 0))
    {
    }
    static constexpr MaskPixel kVertex{300, 250};
    static constexpr double kCornerBelow = 0.4;  // the true corner lies this far down the line from the vertex ...
    static constexpr double kEdgeBeside = 0.3;   // ... and this far across it
    static double Au(double degrees) { return -std::sin(degrees * std::numbers::pi / 180); }
    static double Av(double degrees) { return -std::cos(degrees * std::numbers::pi / 180); }
    static QImage Render(const EndScene& c)
    {
        const double au = Au(c.degrees), av = Av(c.degrees);
        auto grey = [&](double u, double v) {
            const double x = u - kVertex.x, y = v - kVertex.y;
            const double s = x * au + y * av, e = y * au - x * av;
            const double top = kCornerBelow - c.topSlope * (e - kEdgeBeside);
            // Second value: the surface has the ground's grain.
            if (c.stripPastLine && c.stripGrey >= 0 && e > -30 && e <= kEdgeBeside) {
                const double bottomHere = kCornerBelow - c.topSlope * (e - kEdgeBeside) + c.length;
                if (s >= bottomHere && s < bottomHere + c.stripWidth) return std::pair{double(c.stripGrey), false};
            }
            if (e <= kEdgeBeside || e > 80) return std::pair{double(c.groundGrey), true};
            const double depth = c.roofWedge > 0 ? std::min(60.0, c.roofWedge * (e - kEdgeBeside)) : 60.0;
            if (s < top) return s > top - depth ? std::pair{double(c.roofGrey), false} : std::pair{double(c.groundGrey), true};
            if (s < top + c.length - c.bottomTurn * (e - kEdgeBeside)) return std::pair{double(c.faceGrey), false};
            const double bottom = top + c.length - c.bottomTurn * (e - kEdgeBeside);
            if (s < bottom + c.stripWidth && c.stripGrey >= 0) return std::pair{double(c.stripGrey), false};
            if (s < top + c.length + 15 && (c.belowGrey >= 0 || c.belowFlat)) {
                return std::pair{double(c.belowGrey >= 0 ? c.belowGrey : c.groundGrey), !c.belowFlat};
            }
            return std::pair{double(c.groundGrey), true};
        };
        return roofpictures::GreyImage(502, 392, [&](double x, double y) {
            double sum = 0, grain = 0;
            for (int i = 0; i < 8; ++i)
                for (int j = 0; j < 8; ++j) {
                    const auto [g, grainy] = grey(x + 250 + (i + 0.5) / 8, y + 195 - (j + 0.5) / 8);
                    sum += g;
                    grain += grainy ? 1 : 0;
                }
            return static_cast<int>(std::lround((sum + grain * GroundGrain(int(x), int(y))) / 64));
        });
    }
    std::vector<WallCandidate> edges(const EndScene& c)
    {
        const double au = Au(c.degrees), av = Av(c.degrees);
        // Window position `s` along the line and `e` across it from the vertex.
        auto at = [&](double s, double e) { return QPointF(kVertex.x + s * au - e * av, kVertex.y + s * av + e * au); };
        auto topAt = [&](double e) { return kCornerBelow - c.topSlope * (e - kEdgeBeside); };
        const QPointF inFace = at(topAt(10) + c.length / 2, 10);
        const MaskPixel start{static_cast<int>(inFace.x()), static_cast<int>(inFace.y())};
        const std::vector<MaskPixel> boundary = MarkWallArea(window, c.faceGrey, start, edge);
        // The roof's next corner, on the face's top.
        const QPointF onTop = at(topAt(c.neighbourAcross), c.neighbourAcross);
        const MaskPixel neighbour{static_cast<int>(std::lround(onTop.x())), static_cast<int>(std::lround(onTop.y()))};
        const WindowPoint nadir{kVertex.x + 1e6 * au, kVertex.y + 1e6 * av};
        return FindWallEdge(WallFace{&window, c.faceGrey, c.roofGrey, nadir, c.roofPeak}, {kVertex, neighbour}, boundary, edge);
    }
    GreyPicture picture;
    AnalysisWindow window;
    ByteMask edge;
};

// The wall's length in the picture, from the face's top to its bottom along the edge: placed
// from the grey itself, whatever the blur, the contrasts and the lean, within a third of a pixel
// wherever an edge is given; most cases give one.
TEST(FindWallEdge, EndsArePlacedWhereTheGreyCrossesHalfway)
{
    int found = 0, cases = 0;
    for (const double sigma : {0.0, 0.5, 0.7, 1.0}) {
        // Face against roof 31 to 115 grey levels, face against ground 30 to 120.
        for (const auto& [face, ground] : {std::pair{169, 139}, std::pair{140, 20}, std::pair{110, 230}, std::pair{85, 40}}) {
            for (const double degrees : {0.0, 25.0, -50.0}) {
                const EndScene c{degrees, sigma, kRoofGray, face, ground};
                SCOPED_TRACE("sigma " + std::to_string(sigma) + " face " + std::to_string(face) + " ground " + std::to_string(c.groundGrey) + " lean " +
                             std::to_string(degrees));
                EndPicture p(c);
                const auto candidates = p.edges(c);
                ++cases;
                if (candidates.empty()) continue;
                ++found;
                const WallCandidate& w = candidates[0];
                ASSERT_EQ(w.top, EndPicture::kVertex);
                // The corner where the edge meets the face's top, and the wall's length from it.
                const double au = EndPicture::Au(degrees), av = EndPicture::Av(degrees);
                const double cornerU = EndPicture::kVertex.x + EndPicture::kCornerBelow * au - EndPicture::kEdgeBeside * av;
                const double cornerV = EndPicture::kVertex.y + EndPicture::kCornerBelow * av + EndPicture::kEdgeBeside * au;
                EXPECT_NEAR(std::hypot(w.corner.u - cornerU, w.corner.v - cornerV), 0.0, 1.0 / 3) << w.corner.u << " " << w.corner.v << " true " << cornerU << " " << cornerV;
                EXPECT_NEAR(std::hypot(w.foot.u - w.corner.u, w.foot.v - w.corner.v), c.length, 1.0 / 3);
            }
        }
    }
    EXPECT_GE(found, cases * 3 / 4) << found << " of " << cases;
}

// A foot stands on the ground: a face that ends against roof grey (a nearer building's roof,
// also one brighter than this roof but at the picture's bright peak the gate takes for roof), or
// against a nearer building's wall hanging from the edge of its roof (a line of roof a pixel or
// two wide, brighter than both walls), has its foot hidden and gives no edge. So does a face that
// ends against a band of another grey a few pixels wide that runs on past the edge's line, the
// ground beyond it (a nearer building's low wall: the grey beyond the end still changes farther
// out, and the same band lies beside the line). On the ground it gives one, whether the ground
// has a grain or is one flat grey as a wall is. A band of another grey that ends at the edge's
// line is a lower storey of the wall (a plinth 4.5 pixels tall): the edge reaches down to its
// bottom.
TEST(FindWallEdge, AFootHiddenBehindANearerBuildingGivesNoEdge)
{
    enum class Foot { Hidden, OnTheGround, BelowAStorey };
    struct Below {
        const char* name;
        int grey;   // -1: the ground's grey
        bool flat;  // no grain
        int strip;  // the grey of a strip along the bottom (a nearer roof's edge, a band; -1: none) ...
        double stripWidth;  // ... this many pixels wide along the line ...
        bool stripPastLine; // ... on both sides of the edge's line
        int peak;   // the picture's bright peak (0: none known)
        Foot foot;
    };
    // The nearer roof 35 levels above this roof's grey (beyond its band), 3 below the peak.
    constexpr int kPeak = kRoofGray + 38;
    for (const double sigma : {0.0, 0.7, 1.0}) {
        for (const Below below : {Below{"grainy ground", -1, false, -1, 0, false, 0, Foot::OnTheGround},
                                  Below{"flat ground", -1, true, -1, 0, false, 0, Foot::OnTheGround},
                                  Below{"a nearer roof", kRoofGray - 3, false, -1, 0, false, 0, Foot::Hidden},
                                  Below{"a brighter nearer roof at the bright peak", kPeak - 3, true, -1, 0, false, kPeak, Foot::Hidden},
                                  Below{"a darker nearer wall", 30, true, kRoofGray - 10, 1.5, false, 0, Foot::Hidden},
                                  Below{"a lighter nearer wall", 100, true, kRoofGray - 10, 1.5, false, 0, Foot::Hidden},
                                  Below{"a band of another grey 4.5 pixels wide past the line, the ground beyond", -1, false, 105, 4.5, true, 0,
                                        Foot::Hidden},
                                  Below{"a lower storey 4.5 pixels tall, the ground below", -1, false, 105, 4.5, false, 0, Foot::BelowAStorey}}) {
            SCOPED_TRACE("sigma " + std::to_string(sigma) + " " + below.name);
            EndScene c{10.0, sigma};
            c.belowGrey = below.grey;
            c.belowFlat = below.flat;
            c.stripGrey = below.strip;
            c.stripWidth = below.stripWidth;
            c.stripPastLine = below.stripPastLine;
            c.roofPeak = below.peak;
            EndPicture p(c);
            const auto edges = p.edges(c);
            ASSERT_EQ(edges.empty(), below.foot == Foot::Hidden);
            if (!edges.empty()) {
                const double wall = c.length + (below.foot == Foot::BelowAStorey ? c.stripWidth : 0.0);
                EXPECT_NEAR(std::hypot(edges[0].foot.u - edges[0].corner.u, edges[0].foot.v - edges[0].corner.v), wall, 1.0 / 3);
            }
        }
    }
}

// The ground beside a true foot can rise a level or two along it (a kerb, a gutter's lip, the
// ground's own shading): a line that little brighter than both the face and the flat ground is no
// nearer roof's edge, and the foot stands; a line tens of levels brighter, a pixel and a half wide
// (the edge of a nearer roof above its wall), hides it.
TEST(FindWallEdge, AGroundLineALevelOrTwoBrighterIsNoNearerRoofsEdge)
{
    struct Case {
        int rise;  // the line's grey above the ground's
        double width;
        bool found;
    };
    for (const double sigma : {0.0, 0.7, 1.0}) {
        for (const Case k : {Case{0, 0.0, true}, Case{2, 1.5, true}, Case{2, 3.0, true}, Case{30, 1.5, false}}) {
            SCOPED_TRACE("sigma " + std::to_string(sigma) + " rise " + std::to_string(k.rise) + " width " + std::to_string(k.width));
            EndScene c{10.0, sigma, kRoofGray, 100, 140};
            c.belowFlat = true;
            c.stripGrey = k.width > 0 ? c.groundGrey + k.rise : -1;
            c.stripWidth = k.width;
            EndPicture p(c);
            EXPECT_EQ(!p.edges(c).empty(), k.found);
        }
    }
}

// The face's top and bottom picture two level lines of the wall: over the face's width they
// converge little. A bottom running off at quite another slope (the edge of something in front
// of the wall) is no foot; one nearly parallel to the top is.
TEST(FindWallEdge, ABottomNotParallelToTheTopIsNoFoot)
{
    struct Case {
        double turn;
        bool found;
    };
    for (const double sigma : {0.0, 0.7}) {
        for (const Case c : {Case{0.0, true}, Case{0.15, true}, Case{1.5, false}, Case{-1.5, false}}) {
            SCOPED_TRACE("sigma " + std::to_string(sigma) + " turn " + std::to_string(c.turn));
            EndScene scene{10.0, sigma};
            scene.bottomTurn = c.turn;
            EndPicture p(scene);
            EXPECT_EQ(!p.edges(scene).empty(), c.found);
        }
    }
}

TEST(FindWallEdge, CornersOffTheFaceOrAtTheNadirAreNoCandidates)
{
    // The face's left edge lies in column 105: 5 columns beside the corner (100, 100), beyond the
    // line's reach, but 1 beside the corner (104, 100). The roof's edge runs on to (200, 100).
    auto face = [](int u, int v) { return u >= 105 && u <= 160 && v <= 99 && v >= 60; };
    FacePicture f(face, {130, 90});
    EXPECT_TRUE(f.edges({{100, 100}, {200, 100}}, kNadirBelow).empty());
    FacePicture n(face, {130, 90});
    EXPECT_TRUE(n.edges({{104, 100}, {200, 100}}, {104, 100}).empty()) << "no direction at the nadir";
    FacePicture g(face, {130, 90}, 120);
    EXPECT_TRUE(g.edges({{104, 120}, {200, 120}}, {104, -1e6}).empty()) << "20 rows above the face";
    FacePicture h(face, {130, 90});
    const auto candidates = h.edges({{104, 100}, {200, 100}}, {104, -1e6});
    ASSERT_FALSE(candidates.empty());
    EXPECT_EQ(candidates[0].top, (MaskPixel{104, 100}));
    EXPECT_NEAR(candidates[0].foot.v, 60, 1.5);
}

TEST(FindWallEdge, EdgesShareNoPixel)
{
    FacePicture f([](int u, int v) { return u >= 100 && u <= 160 && v <= 99 && v >= 60; }, {130, 90});
    // The second corner stands on the same boundary: the first edge took it, so it gives none.
    const auto candidates = f.edges({{100, 100}, {101, 100}, {160, 100}}, {100, -1e6});
    ASSERT_FALSE(candidates.empty());
    EXPECT_EQ(candidates[0].top, (MaskPixel{100, 100}));
    EXPECT_TRUE(std::none_of(candidates.begin(), candidates.end(), [](const WallCandidate& c) { return c.top == MaskPixel{101, 100}; }));
}

TEST(WallEdgesAgree, EdgesOfOneBuildingMustGiveOneHeight)
{
    // At the built-in pictures' camera, edges 40 and 41 units long agree (within 1.5 units of
    // wall), 40 and 46 do not; one edge or none always agree.
    const WindowPicture p([](int, int) { return 0; });
    const ObliqueCamera camera = *SetUpCamera(589, 134, 788).camera;
    const WallCandidate a{{100, 100}, {100, 60}, 40};
    const WallCandidate b{{160, 100}, {160, 59}, 41};
    const WallCandidate c{{160, 100}, {160, 54}, 46};
    EXPECT_TRUE(WallEdgesAgree({a, b}, p.window, camera));
    EXPECT_FALSE(WallEdgesAgree({a, c}, p.window, camera));
    EXPECT_FALSE(WallEdgesAgree({c, b, a}, p.window, camera));
    EXPECT_TRUE(WallEdgesAgree({c}, p.window, camera));
    EXPECT_TRUE(WallEdgesAgree({}, p.window, camera));
}

// A wall's height is read from its ends' rows. An edge standing up the picture holds its height
// however the nadir's place (the point its line runs to) may be a pixel off; one running nearly
// level towards the nadir's picture point (a building at the nadir's row, seen at a small tilt)
// spans a fraction of a row, and a nadir a pixel off turns that into any height at all: none.
TEST(WallHeightHolds, OnlyWhereTheEdgesRowsGiveTheHeight)
{
    const WindowPicture p([](int, int) { return 0; });
    const ObliqueCamera camera{15.0, 155.0, 788.0};
    const PhotoPoint nadir = NadirInPhoto(camera);
    // Window position of photo point (x, y), and the point `length` units from (x, y) towards
    // the nadir.
    auto window = [](double x, double y) { return WindowPoint{x + 250, y + 195}; };
    auto towardsNadir = [&](double x, double y, double length) {
        const double d = std::hypot(nadir.x - x, nadir.y - y);
        return window(x + (nadir.x - x) * length / d, y + (nadir.y - y) * length / d);
    };
    const WallCandidate upright{{0, 0}, window(40, 60), towardsNadir(40, 60, 33), 33};
    const WallCandidate leaning{{0, 0}, window(160, -100), towardsNadir(160, -100, 33), 33};
    const WallCandidate level{{0, 0}, window(138, nadir.y + 0.03), towardsNadir(138, nadir.y + 0.03, 33), 33};
    EXPECT_TRUE(WallHeightHolds(upright, p.window, camera));
    EXPECT_TRUE(WallHeightHolds(leaning, p.window, camera));
    EXPECT_FALSE(WallHeightHolds(level, p.window, camera));
}

TEST(LongestWallEdge, FirstOfEquallyLongAndNeverLengthZero)
{
    const std::vector<WallCandidate> equal{{{1, 50}, {1, 50}, {1, 10}, 40}, {{9, 50}, {9, 50}, {9, 10}, 40}, {{5, 50}, {5, 50}, {5, 20}, 30}};
    ASSERT_TRUE(LongestWallEdge(equal));
    EXPECT_EQ(LongestWallEdge(equal)->top, (MaskPixel{1, 50}));
    EXPECT_FALSE(LongestWallEdge({{{1, 50}, {1, 50}, {1, 50}, 0}}));
    EXPECT_FALSE(LongestWallEdge({}));
}

// A face whose top meets the edge at a small angle crosses the edge's line at that angle: an end
// placed a third of a pixel off across its own line lies 1 / sin(angle) times as far off along
// the edge, so below about 26 degrees the wall's length cannot be told within the pixel and a
// half a height needs, and no edge is given (at 25 degrees the face's own checks would still give
// one). At 35 degrees the ends are read across the face's top and
// bottom and the edge, wherever one is given (most cases give one), is placed as on a square face.
TEST(FindWallEdge, AFaceMeetingTheEdgeAtASmallAngleGivesNoEdge)
{
    constexpr double kDegree = std::numbers::pi / 180;
    int found = 0;
    for (const double sigma : {0.0, 0.7}) {
        for (const double lean : {0.0, 25.0}) {
            SCOPED_TRACE("sigma " + std::to_string(sigma) + " lean " + std::to_string(lean));
            EndScene narrow{lean, sigma, kRoofGray, 140, 20};
            narrow.topSlope = 1 / std::tan(25 * kDegree);
            EndPicture n(narrow);
            EXPECT_TRUE(n.edges(narrow).empty());

            EndScene wide = narrow;
            wide.topSlope = 1 / std::tan(35 * kDegree);
            EndPicture w(wide);
            const auto candidates = w.edges(wide);
            if (candidates.empty()) continue;
            ++found;
            const WallCandidate& c = candidates[0];
            const double au = EndPicture::Au(lean), av = EndPicture::Av(lean);
            const double cornerU = EndPicture::kVertex.x + EndPicture::kCornerBelow * au - EndPicture::kEdgeBeside * av;
            const double cornerV = EndPicture::kVertex.y + EndPicture::kCornerBelow * av + EndPicture::kEdgeBeside * au;
            EXPECT_NEAR(std::hypot(c.corner.u - cornerU, c.corner.v - cornerV), 0.0, 1.0 / 3);
            EXPECT_NEAR(std::hypot(c.foot.u - c.corner.u, c.foot.v - c.corner.v), wide.length, 1.0 / 3);
        }
    }
    EXPECT_GE(found, 3);
}

// At a silhouette corner the roof above the face narrows to a wedge at the vertex (here it
// deepens `wedge` pixels along the line per pixel across, the ground lying beyond it): the face's
// top is read only where roof lies beyond it, farther along the roof's edge, and the line through
// those samples is carried back to the edge. Carried so far, a sample's error across its line
// moves the corner along the edge by more, and where the face also meets the edge at a small
// angle the wall's length can no longer be told within a pixel and a half: no edge, though the
// same face under a roof as deep at the corner as beyond it, or met more squarely, gives one.
TEST(FindWallEdge, ASilhouetteCornerAtASmallAngleGivesNoEdge)
{
    struct Case {
        double degrees;  // the angle the face's top makes with the edge
        double wedge;    // 0: the roof is 60 pixels deep right from the corner
        bool found;
    };
    for (const double sigma : {0.0, 0.7}) {
        for (const Case k : {Case{40, 0, true}, Case{40, 2.0, false}, Case{50, 1.5, false}, Case{50, 3.0, true}, Case{70, 1.5, true}}) {
            SCOPED_TRACE("sigma " + std::to_string(sigma) + " angle " + std::to_string(k.degrees) + " wedge " + std::to_string(k.wedge));
            EndScene c{10.0, sigma, kRoofGray, 140, 20};
            c.topSlope = 1 / std::tan(k.degrees * std::numbers::pi / 180);
            c.roofWedge = k.wedge;
            EndPicture p(c);
            const auto candidates = p.edges(c);
            ASSERT_EQ(!candidates.empty(), k.found);
            if (k.found) {
                const WallCandidate& w = candidates[0];
                EXPECT_NEAR(std::hypot(w.foot.u - w.corner.u, w.foot.v - w.corner.v), c.length, 1.0 / 3);
            }
        }
    }
}

// At a silhouette corner whose roof's edge over the face is short (15 to 18 pixels to the next
// corner) and whose roof narrows to a wedge, roof lies beyond the face's top only at the last
// samples before half that edge. Two samples always lie on a line, and carried back to the edge
// from there they placed the corner a pixel or more off (the wall's length 0.8 and 1.4 pixels
// off): at least three must show the top running straight, or no edge is given.
TEST(FindWallEdge, TwoSamplesOfTheFacesTopAreNoLine)
{
    struct Case {
        double across;  // the roof's next corner
        double wedge;
    };
    for (const double sigma : {0.0, 0.5}) {
        for (const Case k : {Case{15, 1.4}, Case{16, 1.6}, Case{18, 1.2}, Case{18, 1.4}}) {
            SCOPED_TRACE("sigma " + std::to_string(sigma) + " next corner " + std::to_string(k.across) + " wedge " + std::to_string(k.wedge));
            EndScene c{10.0, sigma, kRoofGray, 140, 20};
            c.topSlope = 1 / std::tan(60 * std::numbers::pi / 180);
            c.roofWedge = k.wedge;
            c.neighbourAcross = k.across;
            EndPicture p(c);
            for (const WallCandidate& w : p.edges(c)) {
                EXPECT_NEAR(std::hypot(w.foot.u - w.corner.u, w.foot.v - w.corner.v), c.length, 1.0 / 3);
            }
        }
    }
}

// Two roofs touching in the picture, left and right of column 250, in one region: a corner on
// the other roof stands beyond a step of the roof's grey on the way from the click, however
// small the step against the roofs' grain (+-2) and whichever way the roofs are shaded; a roof
// whose grey drifts smoothly across, however far, is one roof.
TEST(OnTheClickedRoof, KeepsTheCornersNoStepOfTheRoofsGreyLiesBefore)
{
    struct Case {
        const char* name;
        int left, right;  // the two roofs' greys
        double drift;     // grey levels the whole region darkens by from column 150 to 350
        bool rightKept;
    };
    const WallCandidate onLeft{{160, 130}, {160, 129}, {160, 60}, 69};
    const WallCandidate onRight{{340, 130}, {340, 129}, {340, 60}, 69};
    ByteMask band;
    for (int u = 150; u <= 350; ++u) {
        for (int v = 120; v <= 270; ++v) band.set(u, v, 1);
    }
    for (const Case c : {Case{"step of 6", 208, 214, 0, false}, Case{"step of 3 down", 212, 209, 0, false}, Case{"step of 3 against a drift", 209, 212, 8, false},
                         Case{"one roof", 210, 210, 0, true}, Case{"one roof drifting by 8", 210, 210, 8, true}, Case{"one roof drifting by -12", 210, 210, -12, true}}) {
        SCOPED_TRACE(c.name);
        const WindowPicture p([&](int u, int v) {
            const double drift = c.drift * std::clamp(u - 150, 0, 200) / 200.0;
            return (u < 250 ? c.left : c.right) - int(std::lround(drift)) + (u * 7 + v * 13) % 5 - 2;
        });
        const auto kept = OnTheClickedRoof({onLeft, onRight}, p.window, band, 200, 200);
        ASSERT_EQ(kept.size(), c.rightKept ? 2u : 1u);
        EXPECT_EQ(kept[0].top, onLeft.top);
    }
}

// Two roofs touching in the picture in an L-shaped region: the farther roof across the top
// (columns 150 to 350, rows 120 to 200), the nearer below its right half. The straight line from
// a click at the top left to the nearer roof's lower left corner leaves the region at the
// concave corner and reads nothing of the nearer roof; the way is read inside the region, round
// that corner, and meets the step between the roofs. A corner of the clicked roof stays, and
// both stay where the two roofs are one.
TEST(OnTheClickedRoof, ReadsTheWayInsideAConcaveRegion)
{
    const WallCandidate onFarther{{150, 200}, {150, 199}, {150, 240}, 40};
    const WallCandidate onNearer{{250, 270}, {250, 269}, {250, 330}, 60};
    ByteMask band;
    for (int u = 150; u <= 350; ++u) {
        for (int v = 120; v <= 270; ++v) {
            if (v <= 200 || u >= 250) band.set(u, v, 1);
        }
    }
    for (const int nearer : {214, 204, 210}) {
        SCOPED_TRACE(nearer);
        const WindowPicture p([&](int u, int v) { return (v <= 200 ? 210 : nearer) + (u * 7 + v * 13) % 5 - 2; });
        const auto kept = OnTheClickedRoof({onFarther, onNearer}, p.window, band, 170, 140);
        ASSERT_EQ(kept.size(), nearer == 210 ? 2u : 1u);
        EXPECT_EQ(kept[0].top, onFarther.top);
    }
}

TEST(RoofVertexCorners, OnlyTheStoredRoofsVertices)
{
    // Merged corners are left out; the last kept corner too when the closing replaced it by the
    // first (the stored polygon then has as many points as there are kept corners).
    const std::vector<RoofCorner> corners{{0, 10, 10, false}, {5, 50, 10, false}, {9, 52, 11, true}, {20, 50, 50, false}, {30, 12, 12, false}};
    EXPECT_EQ(RoofVertexCorners(corners, 4), (std::vector<MaskPixel>{{10, 10}, {50, 10}, {50, 50}}));
    EXPECT_EQ(RoofVertexCorners(corners, 5), (std::vector<MaskPixel>{{10, 10}, {50, 10}, {50, 50}, {12, 12}}));
    EXPECT_TRUE(RoofVertexCorners(corners, 0).empty());
}

}  // namespace
