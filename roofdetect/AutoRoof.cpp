#include "roofdetect/AutoRoof.h"

#include "photoinput/Calibration.h"
#include "photoinput/OutlineHitTest.h"
#include "photoinput/PhotoPicking.h"
#include "roofdetect/ClickedRoof.h"
#include "roofdetect/RoofDetector.h"
#include "roofdetect/WallHeight.h"
#include "roofdetect/WallSearch.h"

#include <cstdlib>

namespace roofdetect {

namespace {

// A double-click that finds no roof stores nothing and says so, so that the user knows it was
// taken.
AutoRoofResult NoRoofThere(AutoRoofOutcome outcome)
{
    AutoRoofResult result;
    result.outcome = outcome;
    result.message = kNoRoofFoundMessage;
    return result;
}

// What the wall edge search reads besides the roof and the face: the camera, the stored roof's
// vertices (RoofVertexCorners), the picture's bright peak and the click's window position.
struct WallSetting {
    const ObliqueCamera* camera = nullptr;
    std::vector<MaskPixel> vertices;
    int peak = 0;
    WindowPoint click;
};

// The wall edges the face from `start` shows that stand on the clicked roof and whose height
// their ends can hold (WallEdge.h, WallHeight.h).
std::vector<WallCandidate> CheckedWallEdges(RoofDetection& d, const WallStart& start, const WallSetting& setting)
{
    const std::vector<MaskPixel> boundary = MarkWallArea(d.window, start.grey, start.pixel, d.edgeMask);
    // Vertical edges point at the nadir's picture point: the camera says where to look.
    const PhotoPoint nadir = NadirInPhoto(*setting.camera);
    const WallFace face{&d.window, start.grey, d.roofGray, {d.window.toU(nadir.x), d.window.toV(nadir.y)}, setting.peak};
    std::vector<WallCandidate> candidates =
        OnTheClickedRoof(FindWallEdge(face, setting.vertices, boundary, d.edgeMask), d.window, d.bandMask, setting.click.u, setting.click.v);
    // An edge whose height its ends cannot hold to a right height gives none.
    std::erase_if(candidates, [&](const WallCandidate& c) { return !WallHeightHolds(c, d.window, *setting.camera); });
    return candidates;
}

// The wall edge in photo coordinates, with the roof's vertex it starts from moved onto the
// building's corner the edge found; none when the vertex is not one of the polygon's.
std::optional<WallEdgeEnds> StandOnItsVertex(RoofDetection& d, const WallCandidate& edge, const std::vector<MaskPixel>& vertices)
{
    // The candidate's vertex indexes `vertices`, the polygon's vertices in order.
    const std::size_t index = edge.vertex;
    if (index >= vertices.size() || index + 1 >= d.polygon.size()) {
        return std::nullopt;
    }
    const WallEdgeEnds wall = WallEdgeInPhoto(edge, d.window);
    d.polygon[index] = wall.top;
    if (index == 0) {
        d.polygon.back() = wall.top;  // the closing repeat of the first vertex
    }
    return wall;
}

}  // namespace

AutoRoofResult DetectRoofAndWall(const GreyPicture& picture, double x0, double y0, double planAltitude, double obliqueAltitude)
{
    AutoRoofResult result;
    if (FindTopArea(x0, y0) != -1) {
        result.outcome = AutoRoofOutcome::InsideRoof;
        result.message = kRoofAlreadySetMessage;
        return result;
    }
    // The camera is checked before anything is stored, so that a roof is never left without the
    // camera its height needs.
    result.message = CheckPhotoHeightValues(planAltitude, obliqueAltitude).message;
    CameraSetUp camera;
    if (result.message.empty()) {
        camera = SetUpCamera(planAltitude, obliqueAltitude, gPhotoPictureWidth);
        result.message = camera.message;
    }
    if (!result.message.empty() || !camera.camera) {
        result.outcome = AutoRoofOutcome::CameraRefused;
        return result;
    }

    // A click off the picture is on no roof (the window reads grey 0 there). A picture without a
    // bright peak has no roof to find: a click on its dark grey would otherwise pass the gate and
    // grow a region over the whole window.
    if (picture.level(x0, y0) < 0) {
        return NoRoofThere(AutoRoofOutcome::NotRoofGrey);
    }
    const AnalysisWindow window = AnalysisWindow::AroundClick(picture, x0, y0);
    const int peak = GetPhotoGrayPeak(picture);
    const int clickGrey = window.GetGrayLevel(window.toU(x0), window.toV(y0));
    if (peak == 0 || std::abs(peak - clickGrey) >= kGateDifference) {
        return NoRoofThere(AutoRoofOutcome::NotRoofGrey);
    }

    RoofDetection d = DetectRoof(picture, x0, y0);
    if (d.polygon.empty()) {
        return NoRoofThere(AutoRoofOutcome::NoRoof);
    }
    // The wall edge is looked for before the roof is stored: it stands on the building's corner
    // as the face beside it shows, and the roof's vertex, fitted to outline pixels blur may have
    // cut off the corner, is moved there, so that the wall stays on a vertex of its roof.
    const std::vector<WallStart> starts = FindWallStarts(d.window, d.roofGray, d.corners);
    int wallGray = starts.empty() ? 0 : starts.front().grey;
    std::optional<WallEdgeEnds> wall;
    const WallSetting setting{&*camera.camera, RoofVertexCorners(d.corners, d.polygon.size()), peak, {d.window.toU(x0), d.window.toV(y0)}};
    // The faces are tried in turn until one shows wall edges: first the one below the lowest
    // corner, then, only where it shows none, the faces of other greys (FindWallStarts).
    for (const WallStart& start : starts) {
        const std::vector<WallCandidate> candidates = CheckedWallEdges(d, start, setting);
        if (candidates.empty()) {
            continue;
        }
        wallGray = start.grey;
        // Edges that disagree give no height, and no later face is tried: the building shows two
        // heights, and which is right cannot be told. A wrong height is believed, a missing one
        // sends the user to draw the wall by hand.
        const bool agree = WallEdgesAgree(candidates, d.window, *camera.camera);
        if (const auto longest = agree ? LongestWallEdge(candidates) : std::nullopt) {
            wall = StandOnItsVertex(d, *longest, setting.vertices);
        }
        break;
    }

    if (const PhotoEdit stored = SetFoundTopArea(d); stored != PhotoEdit::Done) {
        result.outcome = AutoRoofOutcome::ModelFull;
        result.message = PhotoEditMessage(stored);
        return result;
    }
    result.outcome = AutoRoofOutcome::Detected;
    result.roof = gEachTopAreaNumber - 1;
    result.polygon = d.polygon;
    result.wallGray = wallGray;
    if (wall) {
        const PhotoEdit added = AddWallEdge(result.roof, wall->top, wall->foot);
        if (added == PhotoEdit::Done) {
            result.wall = wall;
        } else {
            result.message = PhotoEditMessage(added);
        }
    }

    // The camera values are set either way; the wall edge, when there is one, gives the height as
    // a wall line drawn by hand would.
    if (result.wall) {
        const WallHeight measured = MeasureWallHeight(planAltitude, obliqueAltitude, result.wall->top.y, result.wall->foot.y);
        result.height = measured.height;
        result.heightText = measured.text;
    } else {
        SetUpPhotoCamera(planAltitude, obliqueAltitude);
    }
    return result;
}

}  // namespace roofdetect
