// Picture-click requests: a left press on the site map while another window waits for a point
// goes to that window instead of the editing tools.
//   1, 2: an orbit view (1), or the sky view or comparison window that gDispHeavenMode names
//         (2), waits: a small red cross marks the point, the skyline is computed there over the
//         height grid as the view's command built it, and that window redraws (none when
//         gDispHeavenMode names no window). Every press is served while the request stands.
//   3, 4: the map correction's first or second reference point: a larger cross (red, blue), the
//         point is handed over in metres from the map centre, and the request is served once.
#include "MainWorkingFrm.h"
#include "site/RunState.h"
#include "site/MapView.h"
#include "judge/Skyline.h"
#include "orbit/ObservationConditions.h"
#include "platform/PictureSurface.h"

namespace {

void Cross(PictureCanvas& pic, QPointF at, double half, const QColor& color)
{
    pic.line(at + QPointF(-half, -half), at + QPointF(half, half), color);
    pic.line(at + QPointF(-half, half), at + QPointF(half, -half), color);
}

}  // namespace

void MainWorkingFrm::ServePhotoClickRequest(QPointF at)
{
    const int mode = gPhotoClickMode;
    if (mode == 1 || mode == 2) {
        PhotoPic->setDrawWidth(2);
        Cross(*PhotoPic, at, 2, QColor(200, 0, 0));
        double x = 0, y = 0;
        PictureToSite(at.x(), at.y(), x, y, true);
        ComputeCutElevationAtSite(x, y, gAntennaHeight);
        const std::function<void()>* redraw = nullptr;
        if (mode == 1) {
            redraw = &pShowCurrentSateVisible;
        } else if (gDispHeavenMode == 1) {
            redraw = &pShowHeavenSateVisible;
        } else if (gDispHeavenMode == 2) {
            redraw = &pShowBothSateVisible;
        }
        if (redraw != nullptr && *redraw) (*redraw)();
        PhotoPic->setDrawWidth(1);
    } else if (mode == 3 || mode == 4) {
        const int which = mode - 3;
        PhotoPic->setDrawWidth(2);
        Cross(*PhotoPic, at, 4, which == 0 ? QColor(250, 0, 0) : QColor(0, 0, 250));
        PictureToSite(at.x(), at.y(), pRevisionPointX[which], pRevisionPointY[which], false);
        if (pRevisionPointPicked) pRevisionPointPicked(which + 1);
        unsetCursor();
        // Served once, unless the window asked for its other point meanwhile.
        if (gPhotoClickMode == mode) gPhotoClickMode = 0;
    }
}
