#pragma once
// The almanac import window "アルマナック": opens a YUMA almanac text, shows its satellites in a
// grid with derived columns in metres and degrees, and saves them as an almanac database.
//
// The window works on its own copy of the almanac: opening a file, a broken file or cancelling
// never touches the almanac in use (gSateNum and the table). Only a save to the database path
// changes it: the table is reloaded from the file just written, gAlmanacName becomes the
// imported name ("yuma" + week + ".TXT") and onAlmanacSaved runs. A save to any other path
// leaves the almanac in use as it was and says so.

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

#include "orbit/YumaAlmanac.h"

class QMenuBar;
class QPushButton;
class QTableWidget;
class QAction;

class Almanac4Frm : public QWidget {
    Q_OBJECT
public:
    // `dataFolder`: where the dialogs start (the run folder's data0); `databasePath`: the almanac
    // database the program loads (data0/Almanac1.alx). Deleted when closed.
    Almanac4Frm(QString dataFolder, QString databasePath, QWidget* owner = nullptr);

    // Runs after a save to the database path, once the almanac in use is the one saved: the
    // owner shows gAlmanacName on its labels and has the orbit views recompute.
    std::function<void()> onAlmanacSaved;

    // Grid: row 0 the headings, rows 1..32 one satellite each; columns 0..11 the twelve values
    // of a record as read, 12..16 derived, 17 empty.
    static constexpr int kColumns = 18;
    static constexpr int kRows = 33;
    static constexpr int kMaxSatellites = kRows - 1;

    QString pSourceFileName;  // full path of the almanac text last read
    QString pAlmanacData;     // name of the imported almanac: "yuma" + week + ".TXT"
    int pSateNum2 = 0;        // records read plus 1 (1 when none), 0 before any file
    int pWeekNumber = 0;      // the week as the text gives it, without 1024 added

    QMenuBar* MenuBar = nullptr;
    QAction* OpenFile1 = nullptr;
    QAction* EndAlmanac = nullptr;
    QTableWidget* AlmanacGrid = nullptr;
    QPushButton* SaveCmd = nullptr;
    QPushButton* CancelCmd = nullptr;

    void OpenFile1_Click();
    void SaveCmd_Click();
    void CancelCmd_Click();
    void EndAlmanac_Click();

    // Reads an almanac text into the window's copy and the grid. On a broken or unreadable file
    // it shows why and keeps what the window held before; returns whether the file was taken.
    bool ReadYumaAlmanacFile(const QString& path);
    // The almanac the window holds, as its grid shows it (nothing before a file was read).
    const std::optional<orbit::Almanac>& almanac() const { return almanac_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FillGrid(const orbit::YumaReadResult& read);
    // The almanac of the satellite rows 1..`rows` of the grid, as the grid shows it.
    orbit::Almanac AlmanacOfGrid(int week, int rows) const;
    void PlaceGrid();

    QString dataFolder_;
    QString databasePath_;
    std::optional<orbit::Almanac> almanac_;
};
