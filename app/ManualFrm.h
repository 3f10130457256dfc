#pragma once

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSize>
#include <QString>
#include <QVector>
#include <QWidget>

class QAction;

// One page of a picture manual: the item's caption (shown as it stands, padding spaces
// included), its JPEG file in the manual's folder and its height in page-area units.
struct ManualPage {
    QString caption;
    QString fileName;
    double pageHeight;
};

// A manual: the run folder holding its pages and the pages in item order.
struct ManualBook {
    QString folder;
    QVector<ManualPage> pages;
};

// The main window's manual (folder "Pic00", 14 items) and the building input's (folder "Pic01",
// 9 items).
const ManualBook& MainManualBook();
const ManualBook& BuildingInputManualBook();

// An item label of a manual: reports a left click.
class ManualItemLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The picture manual viewer "操作マニュアル": the items as clickable labels on the left; a click
// shows the item's page picture (DataPath(folder, file)) in the page area, which scrolls by 50
// units a step. The page area is 850 units wide and 900 tall (y down); a page is 850 units wide
// and 1.2 x its page height tall. No page is shown until an item is clicked; a page file that is
// missing or unreadable shows an empty page. Closing deletes the window.
class ManualFrm : public QWidget {
    Q_OBJECT
public:
    ManualFrm(const ManualBook& book, QWidget* owner);

    // An item caption as its label shows it: each padding run of blanks becomes a line break.
    static QString CaptionAsShown(const QString& caption);

    QLabel* Label1 = nullptr;
    QVector<ManualItemLabel*> ItemName1Lbl;
    QWidget* BackPic = nullptr;
    QWidget* DocPic = nullptr;
    QLabel* DocImg = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QPushButton* CloseCmd = nullptr;

    // Shows item k (ignored outside the items).
    void ShowItem(int k);
    int selectedItem() const { return pSelectedItem; }
    // Path of the page in view; empty when none is shown.
    QString shownPage() const { return shownPage_; }

    // Page-area units to pixels: the 850-unit page area is 595 pixels wide.
    static constexpr double kPixelsPerUnit = 0.7;
    // A page is 850 units wide and this many times its page height tall.
    static constexpr double kPageWidth = 850.0;
    static constexpr double kPageStretch = 1.2;
    // The pixel size at which a page of the given page height is shown (pictures made at this
    // size are shown 1:1).
    static QSize PagePixelSize(double pageHeight);
    static const QColor kItemColor;
    static const QColor kChosenItemColor;

private:
    void SetManualItems();
    void VScroll1_Change(int value);
    void SetItemColor(int k, const QColor& color);
    // DocImg's geometry from units: left 0, the given top, 850 wide, the given height.
    void PlaceDocImg(double top, double height);

    ManualBook book_;
    QVector<QString> pPageFileName;
    QVector<double> pPageHeight;
    int pSelectedItem = -1;
    double pScrollRange = 0.0;
    double docImgHeight_ = 0.0;
    QString shownPage_;
};

// The main window's manual viewer, single instance while open.
class Manual3Frm : public ManualFrm {
    Q_OBJECT
public:
    explicit Manual3Frm(QWidget* owner = nullptr);
    // Shows the viewer modeless, owned by `owner`, created on first use and raised later.
    static Manual3Frm* Open(QWidget* owner);

private:
    static QPointer<Manual3Frm> instance_;
};

// The building input's manual viewer, single instance while open.
class Manual4Frm : public ManualFrm {
    Q_OBJECT
public:
    explicit Manual4Frm(QWidget* owner = nullptr);
    static Manual4Frm* Open(QWidget* owner);

private:
    static QPointer<Manual4Frm> instance_;
};

// Makes the help command `helpMenu` open Manual3Frm owned by `owner` (the main window).
void ConnectMainHelpMenu(QAction* helpMenu, QWidget* owner);
