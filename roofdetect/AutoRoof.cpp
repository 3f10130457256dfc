#include "roofdetect/AutoRoof.h"

#include "platform/NumberText.h"
#include "roofdetect/RoofDetector.h"
#include "roofdetect/WallSearch.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace roofdetect {

int FindTopArea(double x, double y)
{
    for (int roof = 0; roof < gEachTopAreaNumber; ++roof) {
        const int first = gEachTopAreaStartNum[roof];
        const int last = first + gEachTopAreaPointNum[roof] - 1;
        std::vector<double> crossings;
        for (int j = first + 1; j <= last; ++j) {
            const double x0 = gTopAreaX[j - 1], y0 = gTopAreaY[j - 1];
            const double x1 = gTopAreaX[j], y1 = gTopAreaY[j];
            if ((x0 <= x && x < x1) || (x1 <= x && x < x0)) {
                crossings.push_back(y0 + (x - x0) * (y1 - y0) / (x1 - x0));
            }
        }
        if (crossings.size() % 2 != 0) {
            continue;  // an outline that does not close holds nothing
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
            if (crossings[k] <= y && y <= crossings[k + 1]) {
                return roof;
            }
        }
    }
    return -1;
}

std::string CheckDetectionAltitudes(double plan, double oblique)
{
    if (plan == 0.0 && oblique == 0.0) return "平面視と傾斜視の画像高度が設定されていません。";
    if (plan < 10.0 || oblique < 10.0) return "画像の高度が低すぎます。";
    if (plan > 5000.0 || oblique > 5000.0) return "画像の高度が高すぎます。";
    if (oblique / plan > 0.9) return "傾斜画像の高度は平面画像の90％以下でなければなりません。";
    return {};
}

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
    result.message = CheckDetectionAltitudes(planAltitude, obliqueAltitude);
    if (result.message.empty()) {
        result.message = SetUpCamera(planAltitude, obliqueAltitude, gPhotoPictureWidth).message;
    }
    if (!result.message.empty()) {
        result.outcome = AutoRoofOutcome::CameraRefused;
        return result;
    }

    const AnalysisWindow window = AnalysisWindow::AroundClick(picture, x0, y0);
    const int peak = GetPhotoGrayPeak(picture);
    const int clickGrey = window.GetGrayLevel(window.toU(x0), window.toV(y0));
    if (std::abs(peak - clickGrey) >= kGateDifference) {
        result.outcome = AutoRoofOutcome::NotRoofGrey;
        return result;
    }

    RoofDetection d = DetectRoof(picture, x0, y0);
    if (d.polygon.empty()) {
        result.outcome = AutoRoofOutcome::NoRoof;
        return result;
    }
    if (const PhotoEdit stored = SetFoundTopArea(d); stored != PhotoEdit::Done) {
        result.outcome = AutoRoofOutcome::ModelFull;
        result.message = PhotoEditMessage(stored);
        return result;
    }
    result.outcome = AutoRoofOutcome::Detected;
    result.roof = gEachTopAreaNumber - 1;
    result.polygon = d.polygon;

    if (const auto start = FindWallStart(d.window, d.roofGray, d.corners)) {
        result.wallGray = start->grey;
        const std::vector<MaskPixel> boundary = MarkWallArea(d.window, start->grey, start->pixel, d.edgeMask);
        const std::vector<WallCandidate> candidates =
            FindWallEdge(RoofVertexCorners(d.corners, d.polygon.size()), static_cast<int>(boundary.size()), d.edgeMask);
        if (const auto longest = LongestWallEdge(candidates)) {
            const WallEdgeEnds ends = WallEdgeInPhoto(*longest, d.window);
            const PhotoEdit added = AddWallEdge(result.roof, ends.top, ends.foot);
            if (added == PhotoEdit::Done) {
                result.wall = ends;
            } else {
                result.message = PhotoEditMessage(added);
            }
        }
    }

    SetUpPhotoCamera(planAltitude, obliqueAltitude);
    if (result.wall) {
        const double rate = gPhotoMeterRate;
        result.height = ComputeWallEdgeHeight(gSlideAngle * kDegToRad, gFlatHeight, rate * result.wall->foot.y,
                                              rate * result.wall->top.y);
        result.heightText = platform::FormatFixed(*result.height, "##0.0");
    }
    return result;
}

}  // namespace roofdetect
