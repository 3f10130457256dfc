#pragma once
// The map correction window "マップ補正": moves the site's buildings (the north-up points of the
// building model, metres about the site) into the plane rectangular system of the GPS settings,
// so that buildings and receiver positions share one frame.
//
// The user types the latitude and longitude (degrees, minutes, seconds) of two reference points
// and picks each on the site map ("ﾎﾟｲﾝﾄ設定": the site map's next press, requests 3 and 4,
// with the red or blue pin as pointer). A pick shows the plane coordinates of its typed position
// (east under "X（ｍ）", north under "Y（ｍ）", 0.1 m), or refuses a position 3 degrees or more
// from the system origin with a message and an empty label. "決定" converts the positions as
// they are typed then, turns, scales per axis and shifts every building point so that pick 1
// lands on reference 1 and pick 2 on reference 2, marks the model as corrected (gFixDataSTS 1),
// centres the map on the buildings and redraws it. Both picks and both positions are required;
// a pair that gives no meaningful transform is refused with a message and changes nothing
// (gps/MapCorrection.h). The picks are used once: after a correction the points are in plane
// coordinates, so a second correction needs new picks.
//
// "測地系" opens the GPS settings (system only) and cancels a pending pick; after OK the system
// label and the shown plane coordinates follow the new system. Closing cancels a pending pick.
// One instance, owned by the main window, deleted when closed.

#include <QWidget>

#include <array>
#include <optional>

#include "gps/MapCorrection.h"
#include "site/MainWindowPort.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace gps {

class RevisionMapFrm : public QWidget, public PictureClickClient {
    Q_OBJECT
public:
    // A tool window of `owner`; through `port` (may be null) it takes the site map's picks, sets
    // the map's pointer and redraws the map after a correction.
    explicit RevisionMapFrm(QWidget* owner, MainWindowPort* port = nullptr);
    ~RevisionMapFrm() override;

    // The controls of one reference point ([0] point 1, [1] point 2).
    struct PointControls {
        QGroupBox* frame = nullptr;
        QLineEdit* latDeg = nullptr;
        QLineEdit* latMin = nullptr;
        QLineEdit* latSec = nullptr;
        QLineEdit* lonDeg = nullptr;
        QLineEdit* lonMin = nullptr;
        QLineEdit* lonSec = nullptr;
        QPushButton* setCmd = nullptr;  // ﾎﾟｲﾝﾄ設定
        QLabel* xLbl = nullptr;         // east, metres
        QLabel* yLbl = nullptr;         // north, metres
    };
    std::array<PointControls, 2> points;
    QLabel* MapSystemLbl = nullptr;
    QPushButton* MapSystemCmd = nullptr;
    QPushButton* FixDataCmd = nullptr;
    QPushButton* CloseCmd = nullptr;

    // The picks served by the main window: site metres of the building model's frame. Each
    // stores the pick and shows its reference's plane coordinates (or refuses the position).
    void SetFirstPosintion(double x, double y);
    void SetSecondPosintion(double x, double y);
    void RevisionPointPicked(int point, double x, double y) override;
    void ShowCurrentSateVisible() override {}

    void FirstPointSetCmd_Click() { PointSetCmd_Click(0); }
    void SecondPointSetCmd_Click() { PointSetCmd_Click(1); }
    void MapSystemCmd_Click();
    // The correction; true when the building points were rewritten.
    bool FixDataCmd_Click();
    void CloseCmd_Click();

    // The picks in use (nullopt: none since the window opened or the last correction).
    std::optional<SitePoint> pick(int point) const { return picks_[static_cast<std::size_t>(point)]; }
    // The position typed for point 0 or 1; nullopt when a box holds something other than a
    // number (an empty minutes or seconds box reads as 0). The pick and the correction refuse
    // such a position with the point's message.
    std::optional<GeoPosition> typedPosition(int point) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void Form_Load();
    void PointSetCmd_Click(int point);
    void SetPosition(int point, double x, double y);
    // Shows the plane coordinates of the typed position of `point`; an empty label, and with
    // `tell` a message, when there is none or it lies outside the system's window.
    bool ShowReference(int point, bool tell);
    void ShowSystemLabel();
    // Cancels a pending pick: the request and both pointers back to normal.
    void CancelPick();

    MainWindowPort* port_ = nullptr;
    std::array<std::optional<SitePoint>, 2> picks_;
    bool pickPending_ = false;  // a pick of this window waits for the site map
};

}  // namespace gps
