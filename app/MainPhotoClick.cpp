// Picture-click requests: a left press on the site map while another window waits for a point
// goes to that window instead of the editing tools.
//   1, 2: an orbit view (1), or the sky view or comparison window that gDispHeavenMode names
//         (2), waits: a small red cross marks the point, the skyline is computed there over the
//         height grid as the view's command built it, and that window redraws (none when
//         gDispHeavenMode names no window). Every press is served while the request stands. The
//         demonstration's simulated presses (ClickMousePoint) serve the sky view the same way.
//   3, 4: the map correction's first or second reference point: a larger cross (red, blue), the
//         point is handed over in site metres (the building model's frame, which the correction
//         rewrites, so the map centre is added), and the request is served once.
#include <QLabel>

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
        PictureClickWindow window = PictureClickWindow::OrbitView;
        if (mode == 2) window = gDispHeavenMode == 1 ? PictureClickWindow::SkyView : PictureClickWindow::Comparison;
        const bool named = mode == 1 || gDispHeavenMode == 1 || gDispHeavenMode == 2;
        ServeSkyClick(at, named ? pictureClickClients_[static_cast<std::size_t>(window)].get() : nullptr);
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

void MainWorkingFrm::ServeSkyClick(QPointF at, PictureClickClient* client)
{
    PhotoPic->setDrawWidth(2);
    Cross(*PhotoPic, at, 2, QColor(200, 0, 0));
    double x = 0, y = 0;
    PictureToSite(at.x(), at.y(), x, y, true);
    ComputeCutElevationAtSite(x, y, gAntennaHeight);
    if (client) client->ShowCurrentSateVisible();
    PhotoPic->setDrawWidth(1);
}

void MainWorkingFrm::ClickMousePoint(int num1)
{
    // The five points of each demonstration, in picture units of the site map.
    static constexpr double kPoints[2][5][2] = {
        {{104, 83}, {-81, 103}, {-124, -65}, {41, -86}, {123, -153}},
        {{90, -20}, {12, 48}, {-133, -15}, {-43, -100}, {106, -89}},
    };
    if (num1 < 1 || num1 > 5 || gDemoNumber < 1 || gDemoNumber > 2) return;
    const QPointF at(kPoints[gDemoNumber - 1][num1 - 1][0], kPoints[gDemoNumber - 1][num1 - 1][1]);
    const QPoint pixel = PhotoPic->mapToGlobal(PhotoPic->toPixel(at).toPoint());
    MouseIconPnl->move(MouseIconPnl->parentWidget()->mapFromGlobal(pixel));
    ServeSkyClick(at, pictureClickClients_[static_cast<std::size_t>(PictureClickWindow::SkyView)].get());
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
