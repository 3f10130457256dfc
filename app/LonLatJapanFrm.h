#pragma once

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointF>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

#include "platform/PictureSurface.h"

// The position picker "日本の緯度経度": a map of Japan in a frame, zoomable (scroll bar, 1x to
// 3x, always centred) and draggable. A double-click on the map switches picking on; from then on
// every click sets the red crosshair and the latitude and longitude boxes. OK checks the boxes
// against the main window's ranges, stores them into gLatitude and gLongitude and hands them
// over; OK and Cancel close (and delete) the window, so each opening starts afresh.
//
// The map's coordinate system is linear: x = longitude 122 (left edge) to 148 (right edge)
// degrees east, y = latitude 46 (top edge) to 24 (bottom edge) degrees north, at every zoom.
class LonLatJapanFrm : public QWidget {
    Q_OBJECT
public:
    // Receives the accepted position as the texts the main window's boxes show: latitude in
    // "###.0", longitude in "##0.0". Called after gLatitude and gLongitude were stored.
    using HandOver = std::function<void(const QString& latText, const QString& lonText)>;

    // Shows the single picker modeless, owned by `owner` (created on first use, raised when it is
    // already open). `handOver` replaces the hand-over of an open picker; it may be empty.
    static LonLatJapanFrm* Open(QWidget* owner, HandOver handOver);
    // The open picker, or nullptr.
    static LonLatJapanFrm* existing();

    explicit LonLatJapanFrm(QWidget* owner = nullptr);
    ~LonLatJapanFrm() override;

    HandOver onAccepted;

    QLabel* LatHdLbl = nullptr;
    QLineEdit* LatTxt = nullptr;
    QLabel* LonHdLbl = nullptr;
    QLineEdit* LonTxt = nullptr;
    QLabel* Label1 = nullptr;
    QScrollBar* MapScaleScl = nullptr;
    QWidget* LonLatBackPic = nullptr;
    PictureSurface* JapanLonLatPic = nullptr;
    QPushButton* ClearLineCmd = nullptr;
    QPushButton* OKCmd = nullptr;
    QPushButton* CancelCmd = nullptr;

    // Window state, readable for the owner and for tests.
    float japanMapRate() const { return pJapanMapRate; }
    bool pickingOn() const { return pCrossLineSTS == -1; }
    // Where the crosshair stands (degrees), or nothing after 消去.
    std::optional<QPointF> crosshair() const { return crosshair_; }

    // The map's picture size at zoom 1, the frame's inner size (pixels).
    static constexpr int kFrameWidth = 468;
    static constexpr int kFrameHeight = 484;
    // A drag moves the map by this many pixels per degree of pointer movement at zoom 1 (100
    // twips at 15 twips per pixel), less than the pointer's own movement.
    static constexpr double kDragPixelsPerDegree = 100.0 / 15.0;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Activate();
    void ShowCurrentLonLat();
    void JapanLonLatPic_MouseDown(Qt::MouseButton button, QPointF at);
    void JapanLonLatPic_MouseUp(Qt::MouseButton button, QPointF at);
    void JapanLonLatPic_DblClick();
    void MapScaleScl_Change(int value);
    void ClearLineCmd_Click();
    void OKCmd_Click();

    void SetMapScale();
    // Repaints the artwork over the whole map picture (the crosshair goes).
    void ClearMap();
    void DrawCrossLine(QPointF lonLat);
    void ShowPickedLonLat(QPointF lonLat);

    int pFirstActivate = -1;
    float pJapanMapRate = 1.0F;
    float pBackPicWidth = kFrameWidth;
    float pBackPicHeight = kFrameHeight;
    int pMouseDownSTS = 0;
    double pDownLon = 0.0;
    double pDownLat = 0.0;
    int pCrossLineSTS = 0;

    std::optional<QPointF> crosshair_;
    QImage artwork_;
    QImage scaledArtwork_;

    static QPointer<LonLatJapanFrm> instance_;
};
