#include "roofdetect/WallEdge.h"

#include "platform/NumberText.h"
#include "roofdetect/Median.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace roofdetect {

std::vector<MaskPixel> RoofVertexCorners(const std::vector<RoofCorner>& corners, std::size_t polygonSize)
{
    std::vector<MaskPixel> vertices;
    for (const RoofCorner& corner : corners) {
        if (!corner.merged) {
            vertices.push_back({corner.u, corner.v});
        }
    }
    if (polygonSize == 0) {
        return {};
    }
    // The polygon repeats its first vertex; it has one point fewer when the closing overwrote the
    // last corner.
    if (polygonSize == vertices.size()) {
        vertices.pop_back();
    }
    return vertices;
}

PhotoPoint NadirInPhoto(const ObliqueCamera& camera)
{
    return {0.0f, static_cast<float>(-kFocalWidths * camera.pictureWidth * std::tan(camera.tilt()))};
}

namespace {

// The edge's place across its line is taken from this many of its first steps.
constexpr std::size_t kOffsetSteps = 5;
// The roof's vertex lies up to this far above the corner along the wall's edge (pixels).
constexpr double kWallTopAllowance = 3.0;
// A step whose edge lies within this of that place is on the edge.
constexpr double kWallEdgeOnLine = 0.5;
// The direction of the roof's edge beside a vertex is taken to a vertex at least this far away.
constexpr double kWallEndDirectionReach = 12.0;
// An end is placed where the grey crosses halfway between the face's grey, read this far (pixels)
// inside the face, and the grey beyond the end, read this far past it: far enough that blur and
// the mixed pixels the end passes through do not reach either.
constexpr double kEndGreyReach = 3.0;
// The foot is also read along the edge this far (pixels) inside the face.
constexpr double kFootInside = 1.0;
// The ends of an edge are checked up to this far (pixels) along the roof's edge from it ...
constexpr double kWallEndCheckReach = 8.0;
// ... where the face's top and bottom must run straight within this ...
constexpr double kWallEndStraight = 1.0;
// ... and, carried back to the edge, meet it within this of its foot ...
constexpr double kWallFootAgreement = 1.5;
// ... and within this of its top (the roof's edge, a fitted line, shows the face's top less sharply).
constexpr double kWallTopAgreement = 2.0;
// At least this many samples of the face's top must remain where those nearest a silhouette
// corner were passed over: two always lie on a line.
constexpr int kLeastFaceSamples = 3;

// The picture line from a point beside a roof vertex towards the nadir: positions along it and
// across it.
struct VertexLine {
    MaskPixel top;              // the roof vertex
    double ou = 0.0, ov = 0.0;  // where the line starts: the vertex, or the edge's place beside it
    double au = 0.0, av = 0.0;  // unit direction towards the nadir
    double reach = 0.0;         // distance to the nadir
    // The line from `origin` towards `nadir`; none (reach 0) when the two coincide.
    static VertexLine Towards(MaskPixel top, WindowPoint origin, WindowPoint nadir)
    {
        VertexLine line{top, origin.u, origin.v};
        line.reach = std::hypot(nadir.u - origin.u, nadir.v - origin.v);
        if (line.reach > 0.0) {
            line.au = (nadir.u - origin.u) / line.reach;
            line.av = (nadir.v - origin.v) / line.reach;
        }
        return line;
    }
    double along(MaskPixel p) const { return (p.x - ou) * au + (p.y - ov) * av; }
    double across(MaskPixel p) const { return (p.y - ov) * au - (p.x - ou) * av; }
    // Window position `s` along the line and `e` across it (positive e to the line's left when
    // looking towards the nadir).
    WindowPoint at(double s, double e) const { return {ou + s * au - e * av, ov + s * av + e * au}; }
};

// Where the face's edge crosses the line's normal at `s` along it: the step from a face pixel
// (within the tolerance of the face grey) on the face's side to one off the face on the other,
// each confirmed by the pixel beyond it, searched outwards from `guess`. Below the top (where the
// roof corner lies beside the edge) the other side must not be roof: beside a vertical edge of
// the building lies the ground or another wall, while the roof meets the face only along its top.
std::optional<double> EdgeAcross(const WallFace& face, const VertexLine& line, double s, double guess, double range, int faceSide, bool belowTop)
{
    auto onFace = [&](double e) {
        const WindowPoint p = line.at(s, e);
        return std::abs(face.window->GetGrayLevel(p.u, p.v) - face.wallGray) <= kWallFaceTolerance;
    };
    auto onRoof = [&](double e) {
        const WindowPoint p = line.at(s, e);
        return InRoofBand(face.window->GetGrayLevel(p.u, p.v), face.roofGray);
    };
    // Beyond the picture's border nothing is known: the border is no edge of the face, so a step
    // whose pixels reach past it is not read.
    auto seen = [&](double e) {
        const WindowPoint p = line.at(s, e);
        return face.window->InPicture(p.u, p.v);
    };
    constexpr double kStep = 0.5;
    for (double k = 0.0; k <= range + 1e-9; k += kStep) {
        for (const double e : {guess - k, guess + k}) {
            // The step lies between e - faceSide * step / 2 (off the face) and e + faceSide * step / 2.
            const double in = e + faceSide * kStep / 2, out = e - faceSide * kStep / 2;
            if (seen(in + faceSide * kStep) && seen(out - faceSide * kStep) && onFace(in) && onFace(in + faceSide * kStep) && !onFace(out) &&
                !onFace(out - faceSide * kStep) && !(belowTop && onRoof(out - faceSide * kStep))) {
                return e;
            }
            if (k == 0.0) {
                break;
            }
        }
    }
    return std::nullopt;
}

// Grey the gate would take for roof: within the roof region's band of the roof grey, or within
// the gate's difference of the picture's bright peak.
bool IsRoofGrey(const WallFace& face, int grey)
{
    return InRoofBand(grey, face.roofGray) || (face.roofPeak > 0 && std::abs(grey - face.roofPeak) < kGateDifference);
}

// The grain beyond an end is read over the pixels up to this far (pixels) about a point.
constexpr int kGrainReach = 2;
// A face that ends at a line brighter than both the face and what lies beyond, by more than this
// many grey levels and more than the grain beyond, ends at the edge of a nearer roof: a pixel of
// roof between two walls stands out by tens of levels; blurred by a pixel, a line of roof a pixel
// or two wide by a few (the ground's own rise beside a true foot stays within a level or two).
constexpr double kLeastRidge = 3.0;

// The grey of a point beyond the picture's border: unknown, no grey the picture shows.
constexpr int kUnseenGrey = -1;

struct PlacedEnd {
    double along = 0.0;  // where the grey crosses halfway
    int beyondGrey = 0;  // the grey beyond the end
    int fartherGrey = 0; // the grey as far again beyond; kUnseenGrey past the picture's border
    double ridge = 0.0;  // how far the grey between the face and the grey beyond rises above both
    int fartherSpread = 0;  // the grain as far again beyond: the greys' range about that point
};

// True when the picture shows window position `p`. Beyond the picture's border nothing is known:
// the 0 read there is no ground, no face and no roof, and an end read against it is not seen.
bool Seen(const AnalysisWindow& window, WindowPoint p)
{
    return window.InPicture(p.u, p.v);
}

// Where the grey along a picture line crosses halfway between the face's grey `reach` inside
// `guess` and the grey as far beyond it, and the face's grey read there.
struct HalfGreyCrossing {
    double along = 0.0;
    double inside = 0.0;
};

// True when the picture shows all of the stretch read about `along`, `reach` each side of it.
// The picture is a rectangle: it shows all of a line's stretch when it shows both its ends.
template <typename At>
bool SeenAbout(const AnalysisWindow& window, At at, double along, int dir, double reach)
{
    return Seen(window, at(along - dir * reach)) && Seen(window, at(along + dir * reach));
}

// The crossing read about `guess` (see EndByHalfGrey); none when the two greys differ by less
// than the face's own tolerance (no end to see), the grey never crosses, or the stretch read
// about `guess` or about the crossing reaches past the picture's border (the end may be the
// border's, and what lies beyond it is unknown).
template <typename At>
std::optional<HalfGreyCrossing> CrossHalfway(const AnalysisWindow& window, At at, double guess, int dir, double reach)
{
    if (!SeenAbout(window, at, guess, dir, reach)) {
        return std::nullopt;
    }
    auto grey = [&](double along) {
        const WindowPoint p = at(along);
        return window.GetSmoothGrayLevel(p.u, p.v);
    };
    const double inside = grey(guess - dir * reach);
    const double outside = grey(guess + dir * reach);
    if (std::abs(inside - outside) <= kWallFaceTolerance) {
        return std::nullopt;
    }
    const double half = (inside + outside) / 2;
    constexpr double kStep = 0.25;
    double previous = guess - dir * reach;
    double previousGrey = inside;
    for (double t = previous + dir * kStep; dir * (t - guess) <= reach + 1e-9; t += dir * kStep) {
        const double g = grey(t);
        if ((g - half) * (inside - half) <= 0.0) {
            const double along = previous + (t - previous) * (previousGrey - half) / (previousGrey - g);
            if (!SeenAbout(window, at, along, dir, reach)) {
                return std::nullopt;
            }
            return HalfGreyCrossing{along, inside};
        }
        previous = t;
        previousGrey = g;
    }
    return std::nullopt;
}

// An end of the face along a picture line placed to a fraction of a pixel (see EndByHalfGrey),
// with the face's grey read for the last crossing.
template <typename At>
std::optional<HalfGreyCrossing> PlaceEndCrossing(const AnalysisWindow& window, At at, double guess, int dir, double reach)
{
    std::optional<HalfGreyCrossing> crossing = HalfGreyCrossing{guess, 0.0};
    for (int round = 0; round < 2 && crossing; ++round) {
        crossing = CrossHalfway(window, at, crossing->along, dir, reach);
    }
    return crossing;
}

// Where an end of the face lies along a picture line (see EndByHalfGrey), for those that want
// only its place.
template <typename At>
std::optional<double> PlaceByHalfGrey(const AnalysisWindow& window, At at, double guess, int dir, double reach = kEndGreyReach)
{
    const auto crossing = PlaceEndCrossing(window, at, guess, dir, reach);
    return crossing ? std::optional<double>(crossing->along) : std::nullopt;
}

// An end of the face along a picture line (`at` gives the window position `along` it), placed
// to a fraction of a pixel: where the grey, read between pixel centres, crosses halfway between
// the face's grey `reach` inside the end and the grey as far beyond it. `guess` is where the
// face's pixels end; `dir` points out of the face (-1 up past the top, +1 down past the foot).
// Read again about the crossing found, so that a guess a pixel or so off does not bias the two
// greys. None when the two greys differ by less than the face's own tolerance (no end to see),
// the grey never crosses, or the two greys lie past the picture's border (the end may be the
// border's, and what lies beyond it unknown; the grey as far again beyond is then kUnseenGrey).
// A line that crosses the end at a slant is read as far along it as takes it kEndGreyReach across
// the end. Besides the place, what lies beyond: its grey there and as far again, its grain as far
// again, and any line between the face and it brighter than both.
template <typename At>
std::optional<PlacedEnd> EndByHalfGrey(const AnalysisWindow& window, At at, double guess, int dir, double reach = kEndGreyReach)
{
    const auto crossing = PlaceEndCrossing(window, at, guess, dir, reach);
    if (!crossing) {
        return std::nullopt;
    }
    auto grey = [&](double along) {
        const WindowPoint p = at(along);
        return window.GetSmoothGrayLevel(p.u, p.v);
    };
    PlacedEnd placed{crossing->along};
    placed.beyondGrey = static_cast<int>(std::lround(grey(placed.along + dir * reach)));
    const WindowPoint farther = at(placed.along + dir * 2 * reach);
    placed.fartherGrey = Seen(window, farther) ? static_cast<int>(std::lround(grey(placed.along + dir * 2 * reach))) : kUnseenGrey;
    // A line between the face and the grey beyond that is brighter than both.
    const double upper = std::max(crossing->inside, double(placed.beyondGrey));
    for (double t = placed.along - dir * reach; dir * (t - placed.along) <= reach + 1e-9; t += dir * 0.25) {
        placed.ridge = std::max(placed.ridge, grey(t) - upper);
    }
    const int fu = static_cast<int>(std::lround(farther.u)), fv = static_cast<int>(std::lround(farther.v));
    int lowest = 255, brightest = 0;
    for (int dv = -kGrainReach; dv <= kGrainReach; ++dv) {
        for (int du = -kGrainReach; du <= kGrainReach; ++du) {
            if (!window.InPicture(fu + du, fv + dv)) {
                continue;  // no grain to see there
            }
            const int g = window.GetGrayLevel(fu + du, fv + dv);
            lowest = std::min(lowest, g);
            brightest = std::max(brightest, g);
        }
    }
    placed.fartherSpread = std::max(0, brightest - lowest);
    return placed;
}

// True when the picture shows what every end of the face's bottom ends against, as far beyond
// it as a foot's ground is read. Past the picture's border nothing is known: a face cut off by
// the border, or ending just above it, may go on down there, and its true foot is not seen.
bool GroundBeyondSeen(const std::vector<PlacedEnd>& ends)
{
    return std::none_of(ends.begin(), ends.end(), [](const PlacedEnd& end) { return end.fartherGrey == kUnseenGrey; });
}

// The edge's place across the line to a fraction of a pixel: where the grey crosses halfway
// between the face's grey and the grey beside the face, read across the line at several places
// along the edge's middle (clear of the corner and the foot); the median of them. `offset` is the
// place read from whole face pixels, which stops short of the pixels blur mixes; a place farther
// from it than the edge is followed within (kWallEdgeTolerance) is not the same edge, and
// `offset` stays.
double EdgePlaceByHalfGrey(const WallFace& face, const VertexLine& line, int faceSide, double offset, double top, double foot)
{
    std::vector<double> places;
    constexpr int kPlaces = 7;
    for (int i = 1; i <= kPlaces; ++i) {
        const double s = top + (foot - top) * (0.2 + 0.6 * i / (kPlaces + 1.0));
        const auto placed = PlaceByHalfGrey(*face.window, [&](double e) { return line.at(s, e); }, offset, -faceSide);
        if (placed && std::abs(*placed - offset) <= kWallEdgeTolerance) {
            places.push_back(*placed);
        }
    }
    if (2 * places.size() <= kPlaces) {
        return offset;
    }
    return Median(std::move(places));
}

// The wall face is the picture of a quadrilateral: the roof's edge from the vertex to its
// neighbour on the face's side above, the wall's bottom edge (the same edge at ground level)
// below. The face's ends are read beside the edge along lines parallel to it, at distances `k`
// along the roof's edge from the edge's line.
struct FaceLines {
    VertexLine line;            // the edge's own line
    double du = 0.0, dv = 0.0;  // from the edge's start to the roof's neighbouring vertex
    double side = 0.0;          // the length of the roof's edge to that vertex
    double slant = 0.0;         // 1 / sin of the angle the roof's edge makes with the line
    double reach = 0.0;         // how far along the roof's edge the ends are read
    int samples = 0;            // how many distances are read
    // Window position `along` the line, `k` along the roof's edge from it.
    WindowPoint at(double k, double along) const
    {
        const WindowPoint p = line.at(along, 0.0);
        return {p.u + k * du / side, p.v + k * dv / side};
    }
};

// The lines beside the edge along which the face's ends are read; none where the roof's edge is
// too short or meets the edge at too small an angle for enough of them.
std::optional<FaceLines> FaceLinesBeside(const VertexLine& line, MaskPixel neighbour)
{
    FaceLines lines{line, neighbour.x - line.ou, neighbour.y - line.ov};
    lines.side = std::hypot(lines.du, lines.dv);
    if (lines.side < 1.0) {
        return std::nullopt;  // no roof's edge to read the face along
    }
    // The face's top and bottom run along the roof's edge and cross the edge's line at the angle
    // the roof's edge makes with it. Distances are measured across them: the face lines stand as
    // far from the edge's side, and each end is read as far about it, as on a face whose top
    // meets the edge square, so that where the angle is smaller the other side's grey, blurred
    // across the edge, reaches neither.
    lines.slant = lines.side / std::max(std::abs(line.au * lines.dv - line.av * lines.du), 1e-9);
    lines.reach = std::min(kWallEndCheckReach * lines.slant, lines.side / 2);
    if (lines.reach < 3.0 * lines.slant) {
        return std::nullopt;
    }
    lines.samples = static_cast<int>(std::floor((lines.reach + 1e-9) / lines.slant)) - 1;
    return lines;
}

// Where the face begins (dir = -1: searched upwards from below the top) or ends (dir = +1:
// searched downwards from above the foot) at `k` along the roof's edge: first the last face
// pixel before one off the face, then, from there, where the grey crosses halfway between the
// face and what lies beyond (EndByHalfGrey).
std::optional<PlacedEnd> FaceEndAt(const WallFace& face, const FaceLines& lines, double k, double end, int dir)
{
    auto onFace = [&](double along) {
        const WindowPoint p = lines.at(k, along);
        return std::abs(face.window->GetGrayLevel(p.u, p.v) - face.wallGray) <= kWallFaceTolerance;
    };
    const double window = 2.0 + k;
    for (double t = end - dir * window; dir * (t - end) <= window; t += dir * 0.25) {
        if (onFace(t) && !onFace(t + dir * 0.5)) {
            return EndByHalfGrey(*face.window, [&](double along) { return lines.at(k, along); }, t, dir, kEndGreyReach * lines.slant);
        }
    }
    return std::nullopt;
}

// A straight line through points (k, along): where it meets the edge (k = 0) and its slope.
struct EndLine {
    double met = 0.0;
    double slope = 0.0;
};

// The least-squares line through `points`; none when a point lies farther than kWallEndStraight
// from it (the ends do not run straight).
std::optional<EndLine> StraightThrough(const std::vector<std::pair<double, double>>& points)
{
    double mk = 0, mt = 0;
    for (const auto& [k, t] : points) {
        mk += k / points.size();
        mt += t / points.size();
    }
    double skk = 0, skt = 0;
    for (const auto& [k, t] : points) {
        skk += (k - mk) * (k - mk);
        skt += (k - mk) * (t - mt);
    }
    const double slope = skt / skk;
    for (const auto& [k, t] : points) {
        if (std::abs(mt + slope * (k - mk) - t) > kWallEndStraight) {
            return std::nullopt;
        }
    }
    return EndLine{mt - slope * mk, slope};
}

// The face's top or bottom read beside the edge: the line its ends lie on, the ends placed, and
// how much farther from the edge than usual its samples begin.
struct FaceEndRead {
    EndLine line;
    std::vector<PlacedEnd> ends;
    std::vector<double> at;  // where each end was read: its distance along the roof's edge
    double carried = 0.0;
};

// The face's top is read only where roof lies beyond it: at a silhouette corner the roof above
// the face narrows to a wedge at the corner, and there the read past the top crosses the whole
// roof onto what lies behind it.
bool RoofBeyond(const WallFace& face, const std::optional<PlacedEnd>& placed)
{
    return placed && IsRoofGrey(face, placed->beyondGrey) && IsRoofGrey(face, placed->fartherGrey);
}

// The face's top (dir = -1) or bottom (dir = +1) beside the edge: its ends, read at several
// distances along the roof's edge, must lie on a straight line that meets the edge within
// `agreement` of `end` (the end read from whole face pixels along the edge). For the top, samples
// nearest the corner, before the first with roof beyond (RoofBeyond), are passed over, and as many
// are read farther along the roof's edge, up to half its length.
std::optional<FaceEndRead> FaceEndBeside(const WallFace& face, const FaceLines& lines, double end, int dir, double agreement)
{
    FaceEndRead read;
    std::vector<std::pair<double, double>> points;
    bool roofBeyond = dir > 0;
    for (double k = 2.0 * lines.slant; static_cast<int>(points.size()) < lines.samples; k += lines.slant) {
        if (k > lines.reach + 1e-9 && (dir > 0 || k > lines.side / 2)) {
            break;
        }
        const auto placed = FaceEndAt(face, lines, k, end, dir);
        if (!roofBeyond) {
            if (!RoofBeyond(face, placed)) {
                continue;
            }
            roofBeyond = true;
            read.carried = k - 2.0 * lines.slant;
        }
        if (!placed) {
            return std::nullopt;
        }
        read.ends.push_back(*placed);
        read.at.push_back(k);
        points.emplace_back(k, placed->along);
    }
    if (static_cast<int>(points.size()) < std::min(lines.samples, kLeastFaceSamples)) {
        return std::nullopt;
    }
    const auto straight = StraightThrough(points);
    if (!straight) {
        return std::nullopt;
    }
    // The end read from whole face pixels stops before the pixel the end passes through, so
    // the face's true end may lie up to a pixel farther out.
    const double outwards = dir * (straight->met - end);
    if (outwards < -agreement || outwards > agreement + 1.0) {
        return std::nullopt;
    }
    read.line = *straight;
    return read;
}

// An end placed within kEndPlaceAcross of where it truly is across its own line lies `slant`
// (1 / sin of the angle the face's top makes with the edge) times as far off along the edge.
// A line carried back to the edge from samples that begin farther out moves its end there by
// up to 1 + 2 carried / span times a sample's own error (two samples at the span's ends, each
// off by that error the other way): the top's samples passed over at a silhouette corner widen
// the top's error so. Both ends together must give the wall's length within
// kWallLengthPrecision; at a smaller angle, or carried farther, this face gives no edge.
bool EndsPlacedPreciselyEnough(const FaceLines& lines, double carried)
{
    const double span = (lines.samples - 1) * lines.slant;
    return kEndPlaceAcross * lines.slant * (2.0 + 2.0 * carried / span) <= kWallLengthPrecision;
}

// The face's top and bottom are the pictures of two level lines of the wall, one above the
// other: they meet only at their vanishing point, beyond the face's far side along the roof's
// edge. So over the face's width the wall's length along the edge can change by no more than
// all of it, and the bottom's slope differs from the top's by at most length / width. A
// bottom that runs off at another slope is not the wall's foot but something in front of it
// (the edge of a nearer roof, of a shadow).
bool BottomLevelWithTop(const EndLine& top, const EndLine& bottom, double side)
{
    return std::abs(bottom.slope - top.slope) * side <= bottom.met - top.met;
}

// A foot stands on the ground: where the face ends against something in front of the wall,
// the wall goes on behind it and its foot is hidden. In front can stand a nearer roof (roof
// grey beyond the end: a nearer building's roof, or the building's own roof in front) or a
// nearer wall, which hangs from its roof's edge: a line brighter than both the face and the
// nearer wall, all along the face's bottom (the ground's own marks, a kerb or a JPEG block,
// cross only some of the samples). How flat the grey beyond is tells nothing: the ground can
// be as flat as a wall. `beyond` holds the bottom's ends placed beside the edge.
bool FootHidden(const WallFace& face, const std::vector<PlacedEnd>& beyond)
{
    std::vector<double> ridges;
    for (const PlacedEnd& end : beyond) {
        ridges.push_back(end.ridge - std::max(kLeastRidge, double(end.fartherSpread)));
    }
    const bool hangingWall = !ridges.empty() && Median(ridges) > 0.0;
    const bool nearerRoof = std::any_of(beyond.begin(), beyond.end(), [&](const PlacedEnd& end) { return IsRoofGrey(face, end.beyondGrey); });
    return nearerRoof || hangingWall;
}

// Beyond the wall's bottom lies the ground, one grey over some pixels. Where the grey beyond
// the end still changes (pixels mixed from a narrowing face beside the edge, the ground and
// the face) beside most of the edge, the face ended against a blurred edge of something else,
// not on the ground, and the end read there is no foot.
bool EndsOnMixedGrey(const std::vector<PlacedEnd>& beyond)
{
    const auto mixedEnds = std::count_if(beyond.begin(), beyond.end(), [](const PlacedEnd& end) {
        return std::abs(end.fartherGrey - end.beyondGrey) > kWallFaceTolerance;
    });
    return 2 * static_cast<std::size_t>(mixedEnds) > beyond.size();
}

// What the face shows of an edge's ends: the lines beside the edge they were read along, the
// face's top and its bottom.
struct ShownEnds {
    FaceLines lines;
    FaceEndRead top;
    FaceEndRead bottom;
};

// An edge's ends are trusted only when the face shows them: beside the edge, at several
// distances along the roof's edge, the face's top (roof above, face below) and its bottom (face
// above, none below) are found along the line's direction; each must run straight and, carried
// back to the edge, meet it near the end the edge found (kWallFootAgreement, kWallTopAgreement).
// A foot that ran past the wall's bottom or stopped short of it fails, and so does a top away
// from the face's top. `line` is the edge's own line and `topAlong` and `footAlong` the ends read
// from whole face pixels along it; the ends returned meet it where the face's top and bottom do.
std::optional<ShownEnds> FaceShowsTheEnds(const WallFace& face, const VertexLine& line, MaskPixel neighbour, double topAlong, double footAlong)
{
    const auto lines = FaceLinesBeside(line, neighbour);
    if (!lines) {
        return std::nullopt;
    }
    const auto top = FaceEndBeside(face, *lines, topAlong, -1, kWallTopAgreement);
    const auto bottom = FaceEndBeside(face, *lines, footAlong, 1, kWallFootAgreement);
    if (!top || !bottom) {
        return std::nullopt;
    }
    if (!EndsPlacedPreciselyEnough(*lines, top->carried) || !BottomLevelWithTop(top->line, bottom->line, lines->side)) {
        return std::nullopt;
    }
    if (FootHidden(face, bottom->ends) || !GroundBeyondSeen(bottom->ends)) {
        return std::nullopt;
    }
    return ShownEnds{*lines, *top, *bottom};
}

// Where the face's edge begins beside the vertex, to a quarter pixel: the top of the wall along
// the edge; none when it never begins within the first steps.
std::optional<double> FaceTopAlong(const WallFace& face, const VertexLine& line, int faceSide, double offset, double lastStart)
{
    for (double a = 0.25; a <= lastStart; a += 0.25) {
        if (EdgeAcross(face, line, a, offset, 1.0, faceSide, false)) {
            return a;
        }
    }
    return std::nullopt;
}

// The face's edge followed down its line: the last step still on it, and its place across.
struct FollowedEdge {
    double foot = 0.0;
    double offset = 0.0;
};

// Down the line one pixel at a time from `faceTop` while the edge stays on it. A single step
// without it is passed over (a pixel of the wall's grain); two end the edge. The edge's place
// across is the median of its first steps. A boundary that leaves the line at a small angle (the
// wall's bottom edge running down steeply beside it) drifts off step by step: the foot is the
// last step still on the edge's place, within half a pixel, then refined to a quarter pixel.
FollowedEdge FollowDown(const WallFace& face, const VertexLine& line, int faceSide, double offset, double faceTop, double startReach)
{
    std::vector<double> firstSteps;
    double s = faceTop;
    double foot = s - 1.0;
    int missed = 0;
    for (; s <= line.reach && missed < 2; s += 1.0) {
        const auto e = EdgeAcross(face, line, s, offset, kWallEdgeTolerance, faceSide, s > startReach + 2.0);
        if (!e || std::abs(*e - offset) > kWallEdgeTolerance) {
            ++missed;
            continue;
        }
        missed = 0;
        if (firstSteps.size() < kOffsetSteps) {
            firstSteps.push_back(*e);
            offset = Median(firstSteps);
        }
        if (std::abs(*e - offset) <= kWallEdgeOnLine) {
            foot = s;
        }
    }
    for (double a = foot + 0.25; a < foot + 1.0; a += 0.25) {
        const auto e = EdgeAcross(face, line, a, offset, kWallEdgeTolerance, faceSide, true);
        if (!e || std::abs(*e - offset) > kWallEdgeOnLine) {
            foot = a - 0.25;
            break;
        }
    }
    return {foot, offset};
}

// How far `p` lies on the face's side of the line, per pixel of its distance from the vertex.
double FaceSideOf(const VertexLine& line, int faceSide, MaskPixel p)
{
    return faceSide * line.across(p) / std::max(1.0, std::hypot(p.x - line.top.x, p.y - line.top.y));
}

// True at a silhouette corner: both roof edges from the vertex lie on the face's side of the line,
// and beside the building's vertical edge shows what lies behind the building.
bool SilhouetteCorner(const VertexLine& line, int faceSide, MaskPixel previous, MaskPixel next)
{
    return FaceSideOf(line, faceSide, previous) > 0.0 && FaceSideOf(line, faceSide, next) > 0.0;
}

// The roof's edge along the top of the face: the neighbouring vertex on the face's side of the
// line; none when neither lies there. At a silhouette corner both roof edges lie on the face's
// side: the face's top is the one making the smaller angle with the line's downward direction;
// the other runs back over the roof's far side.
std::optional<MaskPixel> FaceTopNeighbour(const VertexLine& line, int faceSide, MaskPixel previous, MaskPixel next)
{
    const double previousSide = FaceSideOf(line, faceSide, previous);
    const double nextSide = FaceSideOf(line, faceSide, next);
    if (std::max(previousSide, nextSide) <= 0.0) {
        return std::nullopt;
    }
    if (SilhouetteCorner(line, faceSide, previous, next)) {
        auto downward = [&](MaskPixel p) { return line.along(p) / std::max(1.0, std::hypot(p.x - line.top.x, p.y - line.top.y)); };
        return downward(previous) > downward(next) ? previous : next;
    }
    return previousSide > nextSide ? previous : next;
}

// How far down the line just inside the face (kFootInside) along the edge the grey keeps `grey`,
// followed from `foot` a quarter pixel at a time up to the line's reach; it stops at the picture's
// border, past which no grey is known.
double GreyRunsInside(const WallFace& face, const VertexLine& line, int faceSide, double offset, double foot, double grey)
{
    double insideEnd = foot;
    while (insideEnd < line.reach) {
        const WindowPoint p = line.at(insideEnd + 0.25, offset + faceSide * kFootInside);
        if (!Seen(*face.window, p) || std::abs(face.window->GetSmoothGrayLevel(p.u, p.v) - grey) > kWallFaceTolerance) {
            break;
        }
        insideEnd += 0.25;
    }
    return insideEnd;
}

// The foot read from whole face pixels beside the edge stops short where blur rounds the face's
// lower corner: the side's grey and the bottom's both mix into the corner's pixels. Just inside
// the face, along the edge, the face goes on down to its bottom, where the grey crosses halfway
// to what lies below; that end guides the face lines when it lies farther. That line is followed
// from `foot` while it keeps `grey` (GreyRunsInside).
double FootGuessInside(const WallFace& face, const VertexLine& line, int faceSide, double offset, double foot, double grey)
{
    auto inside = [&](double along) { return line.at(along, offset + faceSide * kFootInside); };
    const double insideEnd = GreyRunsInside(face, line, faceSide, offset, foot, grey);
    const auto placed = PlaceByHalfGrey(*face.window, inside, insideEnd, 1);
    return placed ? std::max(foot, *placed) : foot;
}

// The grey just inside the face along the edge, `along` the line.
double InsideGrey(const WallFace& face, const VertexLine& line, int faceSide, double offset, double along)
{
    const WindowPoint p = line.at(along, offset + faceSide * kFootInside);
    return face.window->GetSmoothGrayLevel(p.u, p.v);
}

// The boundary pixels along the edge down to `foot` (within kWallLineReach of its place across):
// the edge's own, on which no other vertex starts.
void TakeBoundaryAlong(const VertexLine& line, const std::vector<MaskPixel>& boundary, double offset, double foot, std::vector<MaskPixel>& taken)
{
    for (const MaskPixel& p : boundary) {
        const double a = line.along(p);
        if (a > 0.0 && a <= foot + 1.0 && std::abs(line.across(p) - offset) <= kWallLineReach) {
            taken.push_back(p);
        }
    }
}

// A wall's lowest storeys are often of another grey than the wall above them (a shop front, an
// entrance, a plinth, a dark glass ground floor): the face's grey ends at the storey's top, not at
// the ground. A lower storey is part of the building: it lies inside the building's vertical edge
// and ends at a level line of the same wall, while where the building ends the same ground lies on
// both sides of the edge's line. At most this many storeys of different greys are followed below
// a face; more say the edge runs on into something else.
constexpr int kMostLowerStoreys = 3;

// Blur up to a pixel, with the pixels an end passes through, mixes the greys on both sides of it
// over about this far (pixels) each side of where the grey crosses halfway: past it the grey is
// mostly what lies beyond the end.
constexpr double kPastBlur = 1.5;

// What lies past an end of the face (the top: dir -1, the bottom: dir +1), read beside the edge at
// each of the end's samples, across the end: kPastBlur past it (`justPast`) and as far as an end's
// grey is read (kEndGreyReach, `past`); what the blur leaves of the face's grey kPastBlur inside
// it (`inside`, its difference from the face's grey farther in); and the step from the face's grey
// to the grey beyond (`step`): each the median over the samples. A blurred step is antisymmetric
// about its crossing, so on a clean step as much of the face's grey lies past it as is missing
// inside it. `faceGrain` and `beyondGrain` are how far single greys of the face and of what lies
// beyond scatter along the end (the range of each over the samples; beyond, the larger range of
// the two readings past it), with a level for rounding; `groundGrain` the grain about the point
// read twice as far past the end (the median over the samples), clear of any thin band next to it.
// `ramp` is how wide the step's ramp reads across the end (RampAcross), `rampBeyond` its share on
// the side beyond the crossing, doubled; `rampGrain` and `rampBeyondGrain` how far each scatters
// over the samples.
struct EndProfile {
    int justPast = 0;
    int past = 0;
    double inside = 0.0;
    double step = 0.0;
    double faceGrain = 0.0;
    double beyondGrain = 0.0;
    double groundGrain = 0.0;
    double ramp = 0.0;
    double rampBeyond = 0.0;
    double rampGrain = 0.0;
    double rampBeyondGrain = 0.0;
};

// Where the grey read across an end (`grey` at a distance past it, negative inside the face) first
// reaches `share` of the way from the face's grey kEndGreyReach inside the end to the grey as far
// beyond it: read every quarter pixel from the face's side, placed between by straight
// interpolation; kEndGreyReach when it never does.
template <typename Grey>
double ShareReached(Grey grey, double share)
{
    const double face = grey(-kEndGreyReach);
    const double level = face + share * (grey(kEndGreyReach) - face);
    double previous = -kEndGreyReach, previousGrey = face;
    for (double t = previous + 0.25; t <= kEndGreyReach + 1e-9; t += 0.25) {
        const double g = grey(t);
        if ((g - level) * (face - level) <= 0.0) {
            return previous + (t - previous) * (previousGrey - level) / (previousGrey - g);
        }
        previous = t;
        previousGrey = g;
    }
    return kEndGreyReach;
}

// Pixels across the end per unit its greys are read past it: they are read along the edge's line
// so far that they lie as far across the roof's edge (FaceLines::slant), and an end whose line
// leans off the roof's edge (the wall's bottom, running to another vanishing point) lies nearer.
double AcrossTheEnd(const FaceLines& lines, const EndLine& end)
{
    const double u = lines.du / lines.side + end.slope * lines.line.au;
    const double v = lines.dv / lines.side + end.slope * lines.line.av;
    return 1.0 / std::max(std::hypot(u, v), 1e-9);
}

// How wide a step's ramp reads across an end, as EndProfile holds it: from a quarter of the way to
// three quarters (`ramp`), and twice from halfway, the crossing, to three quarters (`rampBeyond`),
// in pixels across the end: the median over the end's samples and the range of each.
struct RampRead {
    double width = 0.0;
    double beyond = 0.0;
    double widthGrain = 0.0;
    double beyondGrain = 0.0;
};

template <typename Grey>
RampRead RampAcross(const FaceLines& lines, const FaceEndRead& end, Grey grey)
{
    const double across = AcrossTheEnd(lines, end.line);
    std::vector<double> widths, beyond;
    for (std::size_t i = 0; i < end.ends.size(); ++i) {
        const auto at = [&](double past) { return grey(i, past); };
        const double quarter = ShareReached(at, 0.25), half = ShareReached(at, 0.5), threeQuarters = ShareReached(at, 0.75);
        widths.push_back((threeQuarters - quarter) * across);
        beyond.push_back(2.0 * (threeQuarters - half) * across);
    }
    RampRead ramp;
    ramp.widthGrain = *std::max_element(widths.begin(), widths.end()) - *std::min_element(widths.begin(), widths.end());
    ramp.beyondGrain = *std::max_element(beyond.begin(), beyond.end()) - *std::min_element(beyond.begin(), beyond.end());
    ramp.width = Median(std::move(widths));
    ramp.beyond = Median(std::move(beyond));
    return ramp;
}

EndProfile ReadEndProfile(const WallFace& face, const FaceLines& lines, const FaceEndRead& end, int dir)
{
    auto grey = [&](std::size_t i, double beyond) {
        const WindowPoint p = lines.at(end.at[i], end.ends[i].along + dir * beyond * lines.slant);
        return face.window->GetSmoothGrayLevel(p.u, p.v);
    };
    std::vector<double> justPast, past, inside, step;
    double faceLow = 255.0, faceHigh = 0.0, pastLow = 255.0, pastHigh = 0.0, nearLow = 255.0, nearHigh = 0.0;
    for (std::size_t i = 0; i < end.ends.size(); ++i) {
        const double nearIn = grey(i, -kPastBlur), nearOut = grey(i, kPastBlur);
        const double farIn = grey(i, -kEndGreyReach), farOut = grey(i, kEndGreyReach);
        justPast.push_back(nearOut);
        past.push_back(farOut);
        inside.push_back(std::abs(nearIn - farIn));
        step.push_back(std::abs(farIn - farOut));
        faceLow = std::min(faceLow, farIn);
        faceHigh = std::max(faceHigh, farIn);
        nearLow = std::min(nearLow, nearOut);
        nearHigh = std::max(nearHigh, nearOut);
        pastLow = std::min(pastLow, farOut);
        pastHigh = std::max(pastHigh, farOut);
    }
    EndProfile profile;
    profile.justPast = static_cast<int>(std::lround(Median(justPast)));
    profile.past = static_cast<int>(std::lround(Median(past)));
    profile.inside = Median(std::move(inside));
    profile.step = Median(std::move(step));
    profile.faceGrain = faceHigh - faceLow + 1.0;
    profile.beyondGrain = std::max(pastHigh - pastLow, nearHigh - nearLow) + 1.0;
    std::vector<double> spreads;
    for (const PlacedEnd& placed : end.ends) {
        spreads.push_back(placed.fartherSpread);
    }
    profile.groundGrain = Median(std::move(spreads)) + 1.0;
    const RampRead ramp = RampAcross(lines, end, grey);
    profile.ramp = ramp.width;
    profile.rampBeyond = ramp.beyond;
    profile.rampGrain = ramp.widthGrain;
    profile.rampBeyondGrain = ramp.beyondGrain;
    return profile;
}

// The grey beside the edge's line on the side away from the face, just below `foot`: past the
// foot's blur along the line (kPastBlur) and as far across it as an end's grey is read
// (kEndGreyReach), clear of the edge's blur. None outside the picture.
std::optional<double> GreyBesideBelow(const WallFace& face, const VertexLine& line, int faceSide, double foot)
{
    const WindowPoint p = line.at(foot + kPastBlur, -faceSide * kEndGreyReach);
    if (!Seen(*face.window, p)) {
        return std::nullopt;
    }
    return face.window->GetSmoothGrayLevel(p.u, p.v);
}

// True when the edge's line at `along` still parts grey `own` on the face's side from grey `beside`
// on the other: the grey read as far across the line on each side as an end's grey is read
// (kEndGreyReach, clear of the line's blur) lies nearer its own side's grey than the other's. On
// the face's side it is read along the roof's edge, as far below the face's bottom (`bottom`,
// which runs level with the roof's edge and crosses the line at a slant) as `along` lies below
// where the bottom meets the line: square across the line it would lie nearer the bottom, or
// above it, where the bottom falls away from the line.
bool LinePartsGreys(const WallFace& face, const FaceLines& lines, const EndLine& bottom, int faceSide, double along, double own, double beside)
{
    const double k = kEndGreyReach * lines.slant;
    const WindowPoint in = lines.at(k, along + bottom.slope * k);
    const WindowPoint out = lines.line.at(along, -faceSide * kEndGreyReach);
    if (!Seen(*face.window, in) || !Seen(*face.window, out)) {
        return false;
    }
    const double half = std::abs(own - beside) / 2;
    return std::abs(face.window->GetSmoothGrayLevel(in.u, in.v) - own) < half && std::abs(face.window->GetSmoothGrayLevel(out.u, out.v) - beside) < half;
}

// Where the building's outline goes on down the edge's line below `foot`, parting grey `own` on
// the face's side from grey `beside` on the other (LinePartsGreys): the last whole step of it,
// followed from just past the foot's blur (kPastBlur) one pixel at a time as the face's edge is
// (two steps without it end it). None when it does not part them there: then no outline goes on.
std::optional<double> StoreyEdgeEnd(const WallFace& face, const FaceLines& lines, const EndLine& bottom, int faceSide, double own, double beside)
{
    const double foot = bottom.met;
    std::optional<double> last;
    int missed = 0;
    for (double s = foot + kPastBlur; s <= lines.line.reach && missed < 2; s += 1.0) {
        if (LinePartsGreys(face, lines, bottom, faceSide, s, own, beside)) {
            last = s;
            missed = 0;
        } else if (!last) {
            return std::nullopt;
        } else {
            ++missed;
        }
    }
    // A storey whose bottom can be read lies at least as far below the foot as an end's grey is
    // read; a shorter parting is the grain of what lies below, or a storey inside the blur.
    if (!last || *last < foot + kEndGreyReach) {
        return std::nullopt;
    }
    return last;
}

// A storey's bottom, read beside the edge as the face's was, holds when its samples give a line
// at least a reading's reach (kEndGreyReach across) below the storey's top, so that its grey was
// read inside the storey and not on the face above; level with the roof's edge over the wall
// (BottomLevelWithTop); not hidden (FootHidden); inside the picture where it meets the edge and
// past it. `storey` is the face with the storey's grey; `edgeEnd` the last step of its edge.
std::optional<FaceEndRead> StoreyBottom(const WallFace& face, const WallFace& storey, const ShownEnds& shown, int faceSide, double storeyTop,
                                        double edgeEnd)
{
    const FaceLines& lines = shown.lines;
    const double guess = FootGuessInside(storey, lines.line, faceSide, 0.0, edgeEnd, storey.wallGray);
    const auto read = FaceEndBeside(storey, lines, guess, 1, kWallFootAgreement);
    if (!read || read->line.met - storeyTop < kEndGreyReach * lines.slant) {
        return std::nullopt;
    }
    if (!BottomLevelWithTop(shown.top.line, read->line, lines.side) || FootHidden(face, read->ends) || !GroundBeyondSeen(read->ends)) {
        return std::nullopt;
    }
    if (!Seen(*face.window, lines.line.at(read->line.met, 0.0)) ||
        !Seen(*face.window, lines.line.at(read->line.met + 2.0 * kEndGreyReach * lines.slant, 0.0))) {
        return std::nullopt;
    }
    return read;
}

// True when the grey `own` just past the face's bottom, followed down just inside the face's side
// of the edge, runs on to the picture's border within the wall's own length below the bottom:
// where it ends is unknown, and so is whether it is a lower storey.
bool BandRunsToTheBorder(const WallFace& face, const ShownEnds& shown, int faceSide, const FaceEndRead& bottom, int own)
{
    WallFace band = face;
    band.wallGray = own;
    const VertexLine& line = shown.lines.line;
    const double runs = GreyRunsInside(band, line, faceSide, 0.0, bottom.line.met + kPastBlur, own);
    return runs < std::min(line.reach, 2.0 * bottom.line.met - shown.top.line.met) &&
           !Seen(*face.window, line.at(runs + 0.25, faceSide * kFootInside));
}

// Where the grey `own` just past the face's bottom ends below it at a level line of the wall:
// followed down just inside the face's side of the edge (as the foot is guessed, FootGuessInside),
// it ends within the wall's own length below the bottom, at a bottom that shows as a face's does
// (straight beside the edge, meeting it where the grey ends) and runs level with the roof's edge
// over the wall. None otherwise.
std::optional<EndLine> LevelBandBelow(const WallFace& face, const ShownEnds& shown, int faceSide, const FaceEndRead& bottom, int own)
{
    WallFace band = face;
    band.wallGray = own;
    const VertexLine& line = shown.lines.line;
    const double end = FootGuessInside(band, line, faceSide, 0.0, bottom.line.met + kPastBlur, own);
    if (end >= std::min(line.reach, 2.0 * bottom.line.met - shown.top.line.met)) {
        return std::nullopt;
    }
    const auto read = FaceEndBeside(band, shown.lines, end, 1, kWallFootAgreement);
    if (!read || !BottomLevelWithTop(shown.top.line, read->line, shown.lines.side)) {
        return std::nullopt;
    }
    return read->line;
}

// True when the bottom of a band of grey `own` below the foot (`bandBottom`, read on the face's
// side) turns where it meets the edge's line: on the other side of the line, as far from it as the
// face's samples reach, the band does not end where that straight bottom carried on would end it
// (within kWallFootAgreement and a pixel). Two lower storeys of one grey at a crease end at their
// two walls' bottoms, which meet at the building's corner at an angle; the edge of something
// nearer running across the line goes straight on.
bool BandBottomTurnsAtTheLine(const WallFace& face, const FaceLines& lines, const EndLine& bandBottom, int own)
{
    const double k = -lines.reach;
    const double straightOn = bandBottom.met + bandBottom.slope * k;
    auto onBand = [&](double along) {
        const WindowPoint p = lines.at(k, along);
        return Seen(*face.window, p) && std::abs(face.window->GetGrayLevel(p.u, p.v) - own) <= kWallFaceTolerance;
    };
    const double window = kWallFootAgreement + 1.0;
    for (double t = straightOn - window; t <= straightOn + window; t += 0.25) {
        if (onBand(t) && !onBand(t + 0.5)) {
            return false;
        }
    }
    return true;
}

// The grey read kPastBlur from a crossing, between pixel centres, takes in a pixel whose centre
// lies up to half a pixel nearer the crossing, where the blur leaves more of the other grey: what
// is left there may exceed what the same blur leaves at another end, read at another phase of the
// pixel grid, by up to kPastBlur / (kPastBlur - 0.5) times.
constexpr double kPixelPhase = kPastBlur / (kPastBlur - 0.5);

// Read between pixel centres rather than through them, one step's ramp reads wider: by up to a
// pixel in quadrature. Sharp, a step spans one pixel or two as it falls on a pixel's border or
// across its centre (from a quarter of the way to three quarters: half a pixel or one); blurred,
// the two readings of one step stay within a pixel squared of each other.
constexpr double kPixelPhaseSquared = 1.0;

// A storey too low for the blur to show apart (a pixel or two tall, of a grey between the face's
// and the ground's) lies between the face's bottom and the ground: the grey goes from the face to
// the ground in two steps that the blur runs into one ramp, wider on the ground's side of the
// crossing than one step of the picture's blur; the crossing, taken for the foot, lies inside the
// storey. The face's top, one step in the same picture, shows that blur (its `ramp`); one step
// is symmetric about its crossing, so twice its share beyond the crossing reads as its whole
// width. So the bottom's share beyond (`rampBeyond`) reads no wider than the top's ramp, allowing
// for the pixel grid's phase (kPixelPhaseSquared), half the scatter of the two readings over
// their samples, and half a level of rounding at each of the two greys that place it (the grey
// rises a quarter of the step over half the share, so half a level moves each crossing by
// rampBeyond / step, and the doubled share by up to 4 rampBeyond / step).
bool OneStepToTheGround(const EndProfile& read, const EndProfile& top)
{
    const double rounding = read.step > 0.0 ? 4.0 * read.rampBeyond / read.step : 0.0;
    const double allowed = std::sqrt(top.ramp * top.ramp + kPixelPhaseSquared) + (read.rampBeyondGrain + top.rampGrain) / 2 + rounding;
    return read.rampBeyond <= allowed;
}

// A foot that stands has one ground beyond it. The step from the face to it is no wider than the
// face's top (`top`), a step in the same picture, shows the blur makes one: what is left of the
// face's grey kPastBlur inside the bottom, for the step's size, is no more than at the top
// (allowing for the pixel grid's phase, kPixelPhase, the face's grain and a level of rounding): a
// thin band of a grey between the face's and the ground's (a storey too low to follow inside the
// blur) makes a ramp that looks like a wider blur. The grey just past the bottom is the grey
// farther out less what the blur leaves (within the grain beyond, or of the ground farther out);
// otherwise a band of another grey lies between. The grey beyond changes no more farther out (EndsOnMixedGrey).
// And the ramp from the face to the ground is one step (OneStepToTheGround).
bool OneGroundBeyond(const FaceEndRead& bottom, const EndProfile& read, const EndProfile& top)
{
    const double blurShare = top.step > 0.0 ? (top.inside + top.faceGrain) / top.step : 1.0;
    const bool wide = read.inside > kPixelPhase * blurShare * read.step + read.faceGrain + 1.0;
    const bool band = std::abs(read.justPast - read.past) > read.inside + std::max(read.beyondGrain, read.groundGrain);
    return !wide && !band && !EndsOnMixedGrey(bottom.ends) && OneStepToTheGround(read, top);
}

// True at a crease: beside the edge's line halfway up the wall (between `top` and `foot`, as far
// across the line as GreyBesideBelow reads) lies another grey than below the foot, another face of
// the building.
bool AtACrease(const WallFace& face, const VertexLine& line, int faceSide, double top, double foot, double besideBelow, const EndProfile& read)
{
    const WindowPoint p = line.at((top + foot) / 2, -faceSide * kEndGreyReach);
    return Seen(*face.window, p) && std::abs(face.window->GetSmoothGrayLevel(p.u, p.v) - besideBelow) > read.inside + read.beyondGrain;
}

// True when the other face beside the edge's line, just above the foot, is seen almost edge-on: no
// wider there than twice the reach of an end's grey (kEndGreyReach and as far again across the
// line show two greys). A wider face beside the line (a neighbour's wall) shows one grey there.
bool OtherFaceNarrowAbove(const WallFace& face, const VertexLine& line, int faceSide, double foot, const EndProfile& read)
{
    const WindowPoint near = line.at(foot - kEndGreyReach, -faceSide * kEndGreyReach);
    const WindowPoint far = line.at(foot - kEndGreyReach, -faceSide * 2.0 * kEndGreyReach);
    return Seen(*face.window, far) &&
           std::abs(face.window->GetSmoothGrayLevel(near.u, near.v) - face.window->GetSmoothGrayLevel(far.u, far.v)) > read.inside + read.beyondGrain;
}

// At a crease (AtACrease) two walls of the building meet, and at the building's corner both stand
// on the same ground. Where the grey just past the face's bottom differs from the grey beside the
// edge's line just below it (the caller's comparison) and no outline of a storey goes on down the
// line, the face's bottom may be a lower storey's top with the other face's storey beside it, the
// other face seen almost edge-on (OtherFaceNarrowAbove) and too narrow beside the line to follow
// its storey's edge down. That is what the picture shows when, beside the line within the wall's
// own length below the bottom, the grey never comes back to the grey past the bottom (within the
// blur and the grain of both: no ground runs on across the line below the other face's bottom),
// and it steps there across the blur (kEndGreyReach along the line) by more than that: the other
// face's storey ends at its own bottom. Another ground beside the line only drifts. There the
// face's bottom is no foot.
bool TwoGreysBelowACrease(const WallFace& face, const VertexLine& line, int faceSide, const ShownEnds& shown, double besideBelow, const EndProfile& read)
{
    const double top = shown.top.line.met, foot = shown.bottom.line.met;
    if (!AtACrease(face, line, faceSide, top, foot, besideBelow, read) || !OtherFaceNarrowAbove(face, line, faceSide, foot, read)) {
        return false;
    }
    std::vector<double> beside;
    for (double s = foot + kPastBlur; s <= std::min(line.reach, 2.0 * foot - top); s += 1.0) {
        const WindowPoint p = line.at(s, -faceSide * kEndGreyReach);
        if (!Seen(*face.window, p)) {
            break;
        }
        beside.push_back(face.window->GetSmoothGrayLevel(p.u, p.v));
    }
    if (beside.empty()) {
        return true;
    }
    // The grain of what lies beside: the range of its greys over the first pixels below the foot.
    const std::size_t grainSpan = std::min(beside.size(), static_cast<std::size_t>(2.0 * kEndGreyReach));
    const auto [low, high] = std::minmax_element(beside.begin(), beside.begin() + static_cast<std::ptrdiff_t>(grainSpan));
    const double tolerance = read.inside + std::max(read.beyondGrain, *high - *low + 1.0);
    if (std::any_of(beside.begin(), beside.end(), [&](double grey) { return std::abs(grey - read.justPast) <= tolerance; })) {
        return false;
    }
    // The other face's storey ends at its own bottom: beside the line the grey steps there, across
    // the blur (kEndGreyReach along the line), by more than the grain; another ground beside only
    // drifts.
    const auto reach = static_cast<std::size_t>(kEndGreyReach);
    for (std::size_t i = 0; i + reach < beside.size(); ++i) {
        if (std::abs(beside[i + reach] - beside[i]) > tolerance) {
            return true;
        }
    }
    return false;
}

// The building's foot below the face's bottom. There the grey just past the bottom and the grey
// beside the edge's line just below it (GreyBesideBelow) are compared. Within what the blur leaves
// and the grain beyond they are one grey, the ground on both sides, and the foot stands. Where
// they differ and an outline goes on down the edge's line (StoreyEdgeEnd), a lower storey lies
// below the face: it is followed as a face of its own grey, and its bottom must show as the face's
// does (StoreyBottom); the building's foot is there, or, in turn, below a storey under it. A
// storey that cannot be followed so gives no foot: the height would be short by it. Where they
// differ and no outline goes on, the grounds merely differ (a pavement, a patch) and the foot
// stands, unless they lie at a crease (TwoGreysBelowACrease) or the grey past the bottom ends at a
// level line of the wall below
// (LevelBandBelow): a lower storey whose outline beside the line does not show (its grey too near
// the other side's). Where they are one grey at a crease (AtACrease), they may be two storeys of
// one material (a dark glass ground floor round the corner): where that grey ends at a level line
// of the wall that turns at the edge's line (BandBottomTurnsAtTheLine), as two walls' bottoms do
// and the edge of something nearer running across does not, there is no foot. A foot that stands
// must have one ground beyond it (OneGroundBeyond);
// otherwise a band lies between the face and the ground (a nearer building's low wall running on
// past the line, a storey too low to follow inside the blur) and there is no foot.
std::optional<double> FootBelowLowerStoreys(const WallFace& face, const ShownEnds& shown, int faceSide)
{
    const VertexLine& line = shown.lines.line;
    FaceEndRead bottom = shown.bottom;
    for (int storeys = 0;; ++storeys) {
        const EndProfile read = ReadEndProfile(face, shown.lines, bottom, 1);
        const auto beside = GreyBesideBelow(face, line, faceSide, bottom.line.met);
        if (!beside) {
            return std::nullopt;
        }
        const bool oneGrey = std::abs(read.justPast - *beside) <= read.inside + read.beyondGrain;
        const auto edgeEnd = oneGrey ? std::nullopt : StoreyEdgeEnd(face, shown.lines, bottom.line, faceSide, read.justPast, *beside);
        if (!edgeEnd) {
            if (!oneGrey && TwoGreysBelowACrease(face, line, faceSide, shown, *beside, read)) {
                return std::nullopt;
            }
            const bool atACrease = oneGrey && AtACrease(face, line, faceSide, shown.top.line.met, shown.bottom.line.met, *beside, read);
            if (BandRunsToTheBorder(face, shown, faceSide, bottom, read.justPast)) {
                // Where the grey past the bottom ends is unknown: it may be a storey.
                if (!oneGrey || atACrease) {
                    return std::nullopt;
                }
            } else if (const auto level = LevelBandBelow(face, shown, faceSide, bottom, read.justPast);
                       level && (!oneGrey || (atACrease && BandBottomTurnsAtTheLine(face, shown.lines, *level, read.justPast)))) {
                return std::nullopt;
            }
            return OneGroundBeyond(bottom, read, ReadEndProfile(face, shown.lines, shown.top, -1)) ? std::optional<double>(bottom.line.met)
                                                                                                   : std::nullopt;
        }
        if (storeys == kMostLowerStoreys) {
            return std::nullopt;
        }
        WallFace storey = face;
        storey.wallGray = read.justPast;
        const auto below = StoreyBottom(face, storey, shown, faceSide, bottom.line.met, *edgeEnd);
        if (!below) {
            return std::nullopt;
        }
        bottom = *below;
    }
}

// Where an edge's ends meet its line: the building's corner and its foot.
struct EdgeEndsAlong {
    double top = 0.0;
    double foot = 0.0;
};

// The edge's ends as the face shows them (FaceShowsTheEnds), the foot below any lower storeys
// (FootBelowLowerStoreys), the face's bottom guessed at `footAlong`; none when either fails.
std::optional<EdgeEndsAlong> EdgeEnds(const WallFace& face, const VertexLine& line, MaskPixel neighbour, int faceSide, double topAlong,
                                      double footAlong)
{
    const auto shown = FaceShowsTheEnds(face, line, neighbour, topAlong, footAlong);
    if (!shown) {
        return std::nullopt;
    }
    const auto foot = FootBelowLowerStoreys(face, *shown, faceSide);
    if (!foot) {
        return std::nullopt;
    }
    return EdgeEndsAlong{shown->top.line.met, *foot};
}

// The mean grey of the 3 x 3 pixels about window position `p`, or none where the box reaches past
// the picture's border.
std::optional<double> BoxGrey(const AnalysisWindow& window, WindowPoint p)
{
    const int u = static_cast<int>(std::lround(p.u)), v = static_cast<int>(std::lround(p.v));
    if (!window.InPicture(u - 1, v - 1) || !window.InPicture(u + 1, v + 1)) {
        return std::nullopt;
    }
    int sum = 0;
    for (int dv = -1; dv <= 1; ++dv) {
        for (int du = -1; du <= 1; ++du) {
            sum += window.GetGrayLevel(u + du, v + dv);
        }
    }
    return sum / 9.0;
}

// True when the line the face ends on goes on past the building's edge as the edge of something
// in front. At a silhouette corner what shows beside the building's vertical edge lies behind it:
// at a true foot the ground, on both sides of the line the wall's bottom runs along, so the grey
// just above that line's extension past the edge is the grey just below it. Where a nearer roof
// or wall hides the foot, the face ends on that nearer thing's edge, which runs on past the
// building: below it the nearer thing, above it what lies behind, in two greys. The wall's bottom
// runs along the roof's edge above it (towards `neighbour`); both reads lie kEndGreyReach beyond
// the edge and that far off the line, clear of the blur of both. A read past the picture's border
// tells nothing, and the foot is then not shown either.
bool FootLineGoesOnPastTheEdge(const WallFace& face, const VertexLine& edgeLine, MaskPixel neighbour, double foot)
{
    const double du = neighbour.x - edgeLine.ou, dv = neighbour.y - edgeLine.ov;
    const double side = std::hypot(du, dv);
    const double sine = std::abs(edgeLine.au * dv - edgeLine.av * du) / std::max(side, 1e-9);
    if (side < 1.0 || sine < 1e-3) {
        return true;
    }
    const double reach = kEndGreyReach / sine;
    const WindowPoint footPoint = edgeLine.at(foot, 0.0);
    const WindowPoint past{footPoint.u - reach * du / side, footPoint.v - reach * dv / side};
    const auto above = BoxGrey(*face.window, {past.u - reach * edgeLine.au, past.v - reach * edgeLine.av});
    const auto below = BoxGrey(*face.window, {past.u + reach * edgeLine.au, past.v + reach * edgeLine.av});
    return !above || !below || std::abs(*above - *below) > kWallFaceTolerance;
}

// The edge along `line` with the face on `faceSide` of it, its place across the line first
// taken at `offset`; none when it does not hold.
std::optional<WallCandidate> FollowSide(const WallFace& face, const VertexLine& line, MaskPixel previous, MaskPixel next,
                                        const std::vector<MaskPixel>& boundary, int faceSide, double offset, double startReach, double lastStart,
                                        std::vector<MaskPixel>& taken)
{
    const MaskPixel top = line.top;
    const auto faceTop = FaceTopAlong(face, line, faceSide, offset, lastStart);
    if (!faceTop) {
        return std::nullopt;
    }
    const FollowedEdge followed = FollowDown(face, line, faceSide, offset, *faceTop, startReach);
    offset = followed.offset;
    double foot = followed.foot;
    // The wall's length in the picture is that of the face's edge. The vertex, a pixel of the
    // roof's outline, lies a little above the corner, up to kWallTopAllowance: so much of the face
    // top's distance from it is taken for the corner's, the rest (a face that narrows to a wedge at
    // the corner) for wall. These ends, read from whole face pixels, only guide the face lines
    // beside the edge, which place them to a fraction of a pixel.
    const double topAlong = std::min(*faceTop, kWallTopAllowance);
    const auto neighbour = FaceTopNeighbour(line, faceSide, previous, next);
    if (!neighbour) {
        return std::nullopt;
    }
    // The foot guessed just inside the face, along the face's grey. Where the blur mixes so much
    // of the side's grey into that line that it starts off the face's grey, and the face lines do
    // not confirm the first guess, the line is followed again while it keeps its own grey, read
    // above the foot.
    const double faceGuess = FootGuessInside(face, line, faceSide, offset, foot, face.wallGray);
    const double ownGuess = FootGuessInside(face, line, faceSide, offset, foot, InsideGrey(face, line, faceSide, offset, std::max(*faceTop, foot - kEndGreyReach)));
    // The edge is judged long enough from the farther end: the whole face pixels stop short
    // under blur.
    if (std::max(faceGuess, ownGuess) - topAlong < kWallMinLength) {
        return std::nullopt;
    }
    // The ends are measured along the edge's own line: from where the edge lies beside the
    // vertex towards the nadir. The vertex, a pixel of the outline blur may have cut off the
    // corner, lies up to a few pixels beside the building's vertical edge, and the line from it
    // leans a little off that edge; where the face's top and bottom cross the edge at a small
    // angle, that lean alone moves their crossings apart along the line by a pixel or more.
    const VertexLine edgeLine = VertexLine::Towards(top, line.at(0.0, EdgePlaceByHalfGrey(face, line, faceSide, offset, *faceTop, foot)), line.at(line.reach, 0.0));
    auto ends = EdgeEnds(face, edgeLine, *neighbour, faceSide, topAlong, faceGuess);
    if (!ends && std::abs(ownGuess - faceGuess) > 0.5) {
        ends = EdgeEnds(face, edgeLine, *neighbour, faceSide, topAlong, ownGuess);
    }
    if (!ends || (SilhouetteCorner(line, faceSide, previous, next) && FootLineGoesOnPastTheEdge(face, edgeLine, *neighbour, ends->foot))) {
        return std::nullopt;
    }
    foot = ends->foot;
    const double length = foot - ends->top;
    if (length < kWallMinLength) {
        return std::nullopt;
    }
    TakeBoundaryAlong(line, boundary, offset, foot, taken);
    // The building's corner is where the edge meets the face's top; the wall edge stands on it
    // and reaches down to where the edge meets the face's bottom.
    return WallCandidate{top, edgeLine.at(ends->top, 0.0), edgeLine.at(foot, 0.0), static_cast<int>(platform::RoundHalfEven(length))};
}

// The edge from `top` towards the nadir, or none. `taken` receives the boundary pixels it passes.
// `previous` and `next` are the roof's vertices beside `top`.
std::optional<WallCandidate> FollowEdge(const WallFace& face, MaskPixel top, MaskPixel previous, MaskPixel next, const std::vector<MaskPixel>& boundary,
                                        const ByteMask& edge, std::vector<MaskPixel>& taken)
{
    const VertexLine line = VertexLine::Towards(top, {double(top.x), double(top.y)}, face.nadir);
    if (line.reach < 1.0) {
        return std::nullopt;  // the corner lies on the nadir: no direction
    }

    // The vertex stands on the face when the face's boundary comes near its line just below it.
    // The boundary has a pixel or two in each row, so along a line leaning far from the
    // picture's vertical its first row may lie farther down the line.
    const double startReach = std::max(kWallStartReach, 1.0 / std::max(std::abs(line.av), 0.1) + 2.0);
    taken.clear();
    const bool stands = std::any_of(boundary.begin(), boundary.end(), [&](const MaskPixel& p) {
        const double s = line.along(p);
        return edge.at(p.x, p.y) == kMaskTraced && s > 0.0 && s <= startReach && std::abs(line.across(p)) <= kWallLineReach;
    });
    if (!stands) {
        return std::nullopt;
    }

    // The side of the line the face lies on, and the edge's place across the line, from the
    // first steps: the side whose edge shows in most of them (near the top the roof corner and
    // the face's top edge make steps too), and there the edge nearest the vertex's line.
    std::array<int, 2> shows{};
    std::array<double, 2> nearest{kWallLineReach + 1.0, kWallLineReach + 1.0};
    const double lastStart = std::floor(startReach) + 2.0;
    for (double a = 1.0; a <= lastStart; a += 1.0) {
        for (const int side : {0, 1}) {
            if (const auto e = EdgeAcross(face, line, a, 0.0, kWallLineReach, side == 0 ? 1 : -1, false)) {
                ++shows[static_cast<std::size_t>(side)];
                if (a > lastStart / 2 && std::abs(*e) < std::abs(nearest[static_cast<std::size_t>(side)])) {
                    nearest[static_cast<std::size_t>(side)] = *e;
                }
            }
        }
    }
    const std::size_t best = shows[1] > shows[0] ? 1 : 0;
    // Where the face shows on both sides of the line, its other side is tried when the edge on
    // the first does not hold.
    const std::size_t other = 1 - best;
    for (const std::size_t side : {best, other}) {
        if (shows[side] == 0 || std::abs(nearest[side]) > kWallLineReach) {
            continue;
        }
        if (auto found = FollowSide(face, line, previous, next, boundary, side == 0 ? 1 : -1, nearest[side], startReach, lastStart, taken)) {
            return found;
        }
    }
    return std::nullopt;
}

}  // namespace

std::vector<WallCandidate> FindWallEdge(const WallFace& face, const std::vector<MaskPixel>& vertices, const std::vector<MaskPixel>& boundary,
                                        ByteMask& edge)
{
    std::vector<WallCandidate> candidates;
    std::vector<MaskPixel> taken;
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        if (static_cast<int>(candidates.size()) >= kMaxWallEdgeCandidates) {
            break;
        }
        const MaskPixel top = vertices[i];
        // The roof's edges from the vertex, each to the first vertex at least
        // kWallEndDirectionReach away: a short side of the fitted outline says little about the
        // direction.
        auto along = [&](std::size_t step) {
            std::size_t j = i;
            do {
                j = (j + step) % vertices.size();
            } while (j != i && std::hypot(vertices[j].x - top.x, vertices[j].y - top.y) < kWallEndDirectionReach);
            return vertices[j];
        };
        const MaskPixel previous = along(vertices.size() - 1);
        const MaskPixel next = along(1);
        std::optional<WallCandidate> found = FollowEdge(face, top, previous, next, boundary, edge, taken);
        if (!found) {
            continue;
        }
        found->vertex = i;
        edge.set(top.x, top.y, kMaskTracedBack);
        for (const MaskPixel& p : taken) {
            edge.set(p.x, p.y, kMaskTracedBack);
        }
        candidates.push_back(*found);
    }
    return candidates;
}

std::optional<WallCandidate> LongestWallEdge(const std::vector<WallCandidate>& candidates)
{
    std::optional<WallCandidate> longest;
    int best = 0;
    for (const WallCandidate& c : candidates) {
        if (c.length > best) {
            best = c.length;
            longest = c;
        }
    }
    return longest;
}

WallEdgeEnds WallEdgeInPhoto(const WallCandidate& edge, const AnalysisWindow& window)
{
    // Both ends lie on the edge's line, measured in the frame of grey read between pixel centres,
    // which reads window positions as photo points (a mask position stands for the pixel below and
    // right of it, a smooth position for the point itself).
    auto photo = [&](WindowPoint p) { return PhotoPoint{static_cast<float>(window.toX(p.u)), static_cast<float>(window.toY(p.v))}; };
    return {photo(edge.corner), photo(edge.foot)};
}

}  // namespace roofdetect
