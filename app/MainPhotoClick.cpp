// Picture-click requests: a left press on the site map while another window waits for a point
// goes to that window instead of the editing tools.
//   1, 2: an orbit view (1), or the sky view or comparison window that gDispHeavenMode names
//         (2), waits: a small red cross marks the point, the skyline is computed there over the
//         height grid as the view's command built it, and that window redraws (none when
//         gDispHeavenMode names no window). Every press is served while the request stands.
//   3, 4: the map correction's first or second reference point: a larger cross (red, blue), the
//         point is handed over in site metres (the building model's frame, which the correction
//         rewrites, so the map centre is added), and the request is served once.
#include "MainWorkingFrm.h"
#include "site/RunState.h"
#include "site/MapView.h"
#include "judge/Skyline.h"
#include "orbit/ObservationConditions.h"
#include "platform/CursorFile.h"
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
        PictureClickWindow window = PictureClickWindow::OrbitView;
        if (mode == 2) window = gDispHeavenMode == 1 ? PictureClickWindow::SkyView : PictureClickWindow::Comparison;
        const bool named = mode == 1 || gDispHeavenMode == 1 || gDispHeavenMode == 2;
        if (PictureClickClient* client = pictureClickClients_[static_cast<std::size_t>(window)].get(); named && client)
            client->ShowCurrentSateVisible();
        PhotoPic->setDrawWidth(1);
    } else if (mode == 3 || mode == 4) {
        const int which = mode - 3;
        PhotoPic->setDrawWidth(2);
        Cross(*PhotoPic, at, 4, which == 0 ? QColor(250, 0, 0) : QColor(0, 0, 250));
        PictureToSite(at.x(), at.y(), pRevisionPointX[which], pRevisionPointY[which], true);
        if (PictureClickClient* client = pictureClickClients_[static_cast<std::size_t>(PictureClickWindow::MapCorrection)].get())
            client->RevisionPointPicked(which + 1, pRevisionPointX[which], pRevisionPointY[which]);
        unsetCursor();
        // Served once, unless the window asked for its other point meanwhile.
        if (gPhotoClickMode == mode) SetPhotoClickMode(0);
    }
}

void MainWorkingFrm::TakePictureClick(PictureClickWindow which, int mode, PictureClickClient* client)
{
    SetPhotoClickMode(mode);
    PictureClickHolder& holder = pictureClickClients_[static_cast<std::size_t>(which)];
    holder.client = client;
    QObject* object = dynamic_cast<QObject*>(client);
    holder.watch = object;
    holder.watched = object != nullptr;
}

void MainWorkingFrm::ReleasePictureClick(PictureClickWindow which, PictureClickClient* client)
{
    SetPhotoClickMode(0);
    // Whoever closes, a site-map press then reaches no window of that kind it no longer holds.
    PictureClickHolder& holder = pictureClickClients_[static_cast<std::size_t>(which)];
    if (holder.client == client) holder = PictureClickHolder{};
}

void MainWorkingFrm::SetPickPointer(const QString& cursorPath)
{
    const auto cursor = cursorPath.isEmpty() ? std::nullopt : platform::LoadCursorFile(cursorPath);
    if (cursor) {
        setCursor(*cursor);
    } else {
        unsetCursor();
    }
}
