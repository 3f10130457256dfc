#pragma once
// What the site-map editor (SiteMapEditor.h) works on and whom it tells, given by the main window:
// the picture it draws on, the drawing of the site, the redraws, the edit count, the
// picture-click requests of other windows, and the controls it enables, checks, pops up or writes.

#include <QPointF>

#include <array>

class PictureSurface;
class QAction;
class QLabel;
class QMenu;
class QToolButton;
class QWidget;
class SiteMapDrawing;

class SiteMapEditorHost {
public:
    // The window whose pointer the tools set, the owner of messages and of the height dialog, and
    // the context of the editor's connections.
    virtual QWidget& editorWindow() = 0;
    // The site map's picture and the drawing over it.
    virtual PictureSurface& editorPicture() = 0;
    virtual SiteMapDrawing& editorDrawing() = 0;
    // Redraws the buildings with `index1` highlighted (none when out of range) and gives it back.
    virtual int ShowInputBillTopArea(int index1) = 0;
    // The whole map redrawn after a view change or a deleted building, the selection kept.
    virtual void RedrawMapAfterViewChange(bool shifted) = 0;
    // True while an area judgement's result map is shown (the buildings cannot be edited then).
    virtual bool ResultMapShown() const = 0;
    // A left press while another window asked for a picture click: it goes to that window.
    virtual void ServePhotoClickRequest(QPointF at) = 0;
    virtual void HideDemoPanels() = 0;
    // The building model was changed by an edit: closing then asks before it is lost.
    virtual void EditMade() = 0;

protected:
    ~SiteMapEditorHost() = default;
};

// The controls of the main window the editor works with.
struct SiteMapEditorControls {
    std::array<QToolButton*, 7> tools{};  // the tool palette
    // The map's pop-up menus: no tool or selection, the drawing tools, the distance tool.
    QMenu* editingMenu = nullptr;
    QMenu* lineDrawMenu = nullptr;
    QMenu* measureMenu = nullptr;
    QAction* deleteBuilding = nullptr;
    QAction* setBuildingHeight = nullptr;
    QAction* endMeasure = nullptr;
    // Items of lineDrawMenu.
    QAction* stopLineDraw = nullptr;
    QAction* selectTopArea = nullptr;
    QAction* zoomUpDown = nullptr;
    QAction* rectangleBill = nullptr;
    QAction* drawTopLine = nullptr;
    QAction* movePoint = nullptr;
    QAction* addTopPoint = nullptr;
    QAction* removeTopPoint = nullptr;
    // Read-outs: the measured distance and the pointer's site position.
    QLabel* distance = nullptr;
    QLabel* valueX = nullptr;
    QLabel* valueY = nullptr;
};
