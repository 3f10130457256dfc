#pragma once
// The one way for a window to call into the main window. The main window implements
// MainWindowPort and hands it to every window it opens, so that no library below app/ includes
// or links the main window. A window given no port (a test, a window opened on its own) skips
// these calls.

#include <QString>

// A window that waits for presses on the site map (picture-click requests, gPhotoClickMode).
class PictureClickClient {
public:
    // Requests 1 and 2: the skyline gCutElevation was just computed at the pressed point; the
    // window redraws with it.
    virtual void ShowCurrentSateVisible() = 0;
    // Requests 3 and 4: the map correction's reference point `point` (1 or 2) was picked at
    // (x, y), site metres in the building model's frame (map centre included).
    virtual void RevisionPointPicked(int point, double x, double y)
    {
        (void)point;
        (void)x;
        (void)y;
    }

protected:
    ~PictureClickClient() = default;
};

class QWidget;

// Which window a picture-click request serves: request 1 the orbit view; request 2 the sky
// view or the comparison window, as gDispHeavenMode (1, 2) names; requests 3 and 4 the map
// correction.
enum class PictureClickWindow { OrbitView, SkyView, Comparison, MapCorrection };

class MainWindowPort {
public:
    // ---- The site map -------------------------------------------------------------------------
    // The map reset: north up, result maps off, tools released, redraw, conditions read again;
    // zoom and pan stay.
    virtual void InitialDisPlayCmd_Click() = 0;
    // Pan (0 right, 1 down, 2 up, 3 left; 4 metres) or turn (4 clockwise, 5 counter-clockwise;
    // 10 degrees), then the map redraw; any other index only redraws.
    virtual void MoveImgCmd_Click(int index) = 0;
    // Full redraw of the site map with top area `index1` highlighted (-1 none). Returns the
    // index drawn highlighted: `index1`, or -1 when it lies beyond the last top area.
    virtual int ShowInputBillTopArea(int index1) = 0;
    // The redraw of the map with the shown result maps.
    virtual void ShowPictureAndResult() = 0;
    // Marks the receiver position (east, north metres in the building model's frame) on the
    // map; the marks build up as a track until the next full redraw.
    virtual void ShowGPSPoint(double x1, double y1) = 0;
    // Takes the receiver mark off the map (the receiver stopped or its window closed); the
    // next ShowGPSPoint shows it again.
    virtual void HideGPSPoint() = 0;
    // Shows the receiver mark where it last was, without moving it or drawing a dot: a receiver
    // window started listening. Only ShowGPSPoint moves the mark; before it has placed the mark
    // once, there is nowhere to show it and nothing shows.
    virtual void ShowGPSPointMark() = 0;
    // True while an area judgement runs: the map then belongs to it, and a window asks for no
    // reset or redraw.
    virtual bool isJudging() const = 0;

    // ---- Sky views -----------------------------------------------------------------------------
    // The skyline gCutElevation at the grid origin for an observer `heightOffset` metres above
    // the ground, on the height grid of the last sky-view command; gAntennaHeight stays.
    virtual void RecomputeSateliteCource(double heightOffset) = 0;

    // ---- Manuals ------------------------------------------------------------------------------
    // Shows the building input's picture manual modeless, owned by `owner` (created on first use,
    // raised when open).
    virtual void ShowBuildingInputManual(QWidget* owner) = 0;

    // ---- Files of the start folder ------------------------------------------------------------
    // Reads the almanac database "data0/Almanac1.alx" into the almanac table; false when it
    // cannot be read (the table is then as the reader left it).
    virtual bool LoadAlmanacDataBase() = 0;

    // ---- Picture-click requests ---------------------------------------------------------------
    // Sets the request gPhotoClickMode to `mode` and makes `client` the window that presses
    // serve for `which`. A client that is a QObject is forgotten when it is destroyed.
    virtual void TakePictureClick(PictureClickWindow which, int mode, PictureClickClient* client) = 0;
    // Ends the request (gPhotoClickMode 0) and forgets `client` when it still holds `which`.
    virtual void ReleasePictureClick(PictureClickWindow which, PictureClickClient* client) = 0;
    // The main window's mouse pointer while a pick is pending: the picture of the cursor or icon
    // file `cursorPath`; an empty path, or a file that cannot be read, gives the default arrow.
    // Serving a pick sets the default arrow by itself.
    virtual void SetPickPointer(const QString& cursorPath) = 0;

    // ---- Demonstrations -----------------------------------------------------------------------
    // Hands the main demonstration back: its step becomes `nextStep` and its timer ticks again
    // in 1 s.
    virtual void HandDemonstrationBack(int nextStep) = 0;
    // Shows or hides the hint to click on the map with its mouse picture.
    virtual void ShowDemoClickHint(bool shown) = 0;
    // Hides the demonstration's message line, banner and menu pictures.
    virtual void HideDemoPanels() = 0;
    // The demonstration's simulated press on the site map at its fixed point `num1` (1..5) of the
    // running demonstration: the mouse picture moves there and the press is served as picture-
    // click request 2 (skyline at the point, the sky view redrawn). Other numbers do nothing.
    virtual void ClickMousePoint(int num1) = 0;

protected:
    ~MainWindowPort() = default;
};
