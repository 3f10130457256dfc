// The site map's tools driven by real mouse events on the main window, checked on the building
// model and on the picture's pixels.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>

#include "MainWindowFixture.h"
#include "app/AreaJudgementRun.h"
#include "app/SiteMapEditor.h"
#include "tests/site/ModelRuns.h"
#include "site/EditOperations.h"
#include "site/RunState.h"
#include "site/MapView.h"
#include "app/SetBuildingHeightFrm.h"
#include "app/SiteMapDrawing.h"
#include "app/ToolCursors.h"
#include "judge/HeightGrid.h"
#include "orbit/ObservationConditions.h"
#include "orbit/VisibleSatellites.h"
#include "platform/CursorFile.h"
#include "platform/PictureSurface.h"

namespace {

using Outline = std::vector<TopAreaPoint>;

const QColor kWhite(255, 255, 255);
const QColor kOutline(255, 0, 200);
const QColor kHighlight(255, 0, 55);  // RGB(0,255,200) drawn in XOR over white


class MapEditing : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        SetStartDir(QString::fromStdString(testutil::DataFile("../../assets")));  // the tools' pointers
        ClearTopAreaModel();
        SetMapCenter(0.0, 0.0f);
        ResetMapView();
        frm->ShowInputBillTopArea(-1);
    }
    void TearDown() override
    {
        SetPhotoClickMode(0);
        SetDispHeavenMode(0);
        ClearTopAreaModel();
        MainWindowTest::TearDown();
    }

    QPoint Px(QPointF user) const { return frm->PhotoPic->toPixel(user).toPoint(); }
    void Press(QPointF p, Qt::MouseButton b = Qt::LeftButton) { QTest::mousePress(frm->PhotoPic, b, {}, Px(p)); }
    void Release(QPointF p, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseRelease(frm->PhotoPic, b, {}, Px(p)); }
    void Click(QPointF p, Qt::MouseButton b = Qt::LeftButton)
    {
        Press(p, b);
        Release(p, b);
    }
    // What Qt delivers for a double-click: press, release, double-click, release.
    void DoubleClick(QPointF p)
    {
        Click(p);
        QTest::mouseDClick(frm->PhotoPic, Qt::LeftButton, {}, Px(p));
        Release(p);
    }
    void Drag(QPointF from, QPointF to, int steps)
    {
        Press(from);
        for (int i = 1; i <= steps; ++i) QTest::mouseMove(frm->PhotoPic, Px(from + (to - from) * i / steps));
        Release(to);
    }
    // A move with no button held (needs the map's mouse tracking).
    void Hover(QPointF p)
    {
        const QPoint px = Px(p);
        QMouseEvent event(QEvent::MouseMove, px, frm->PhotoPic->mapToGlobal(px), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(frm->PhotoPic, &event);
    }
    QColor At(QPointF p) const { return frm->PhotoPic->pointColor(p); }
    void Load(const std::vector<Outline>& areas)
    {
        ClearTopAreaModel();
        for (const Outline& a : areas) ASSERT_EQ(AppendTopArea(a, 20.0f), TopAreaEdit::Done);
        frm->ShowInputBillTopArea(-1);
    }
    void UseTool(int tool) { frm->ClickPicRbn[tool]->click(); }
    // The press that puts tool `tool`'s tip on picture point p.
    static QPointF PressFor(QPointF p, int tool)
    {
        return p - QPointF(kToolCursors[tool].shiftX, kToolCursors[tool].shiftY);
    }
};

// A 40 x 40 metre square; at scale 2 it is drawn from (0, 0) to (80, 80).
const Outline kSquare = {{0, 0}, {40, 0}, {40, 40}, {0, 40}, {0, 0}};

}  // namespace

TEST_F(MapEditing, RectangleToolAddsOneBuildingPerDragOfMoreThanTenUnits)
{
    SetMapScaleIndex(24);
    ASSERT_EQ(gMapScaleRate, 4.0f);
    frm->ShowInputBillTopArea(-1);
    struct Case {
        const char* name;
        QPointF to;
        bool adds;
    };
    const Case cases[] = {{"10 x 50 adds nothing", {10, 50}, false}, {"40 x 20", {40, 20}, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearTopAreaModel();
        frm->ShowInputBillTopArea(-1);
        const QImage before = frm->PhotoPic->image();
        UseTool(1);
        EXPECT_EQ(frm->cursor().hotSpot(), QPoint(16, 16));
        Drag({0, 0}, c.to, 5);
        EXPECT_EQ(gEachTopAreaNumber, c.adds ? 1 : 0);
        EXPECT_FALSE(frm->ClickPicRbn[1]->isChecked());
        EXPECT_EQ(frm->editor().editMode(), -1);
        // An added rectangle counts as an edit, so closing asks before it is lost.
        EXPECT_EQ(frm->changeCount(), c.adds ? 1 : 0);
        frm->setChangeCount(0);
        if (!c.adds) {
            EXPECT_TRUE(frm->PhotoPic->image() == before) << "the rubber band left a trace";
            continue;
        }
        EXPECT_EQ(RunOf(0), (Outline{{0, 0}, {10, 0}, {10, 5}, {0, 5}, {0, 0}}));
        EXPECT_EQ(gFlatTopHeight[0], 30.0f);
        EXPECT_EQ(frm->activeBuilding(), -1);
        EXPECT_EQ(At({30, 20}), kOutline);
        EXPECT_EQ(At({40, 15}), kOutline);
    }
}

TEST_F(MapEditing, RooftopOutlineKeepsItsMetresAcrossAZoomAndClosesAtItsFirstPoint)
{
    SetMapCenter(1000.0, 2000.0f);
    frm->ShowInputBillTopArea(-1);
    UseTool(2);
    const QPointF tips[] = {{0, 0}, {80, 0}, {100, 40}, {40, 80}, {-20, 40}};  // five corners, scale 2
    for (int i = 0; i < 3; ++i) Click(PressFor(tips[i], 2));
    // A double-click adds one point, not two.
    DoubleClick(PressFor(tips[3], 2));
    EXPECT_EQ(frm->editor().topLinePointCount(), 4);
    QTest::mouseClick(frm->ZoomUpCmd, Qt::LeftButton);  // scale 2.5 before the last corner
    const double k = 2.5 / 2.0;
    Click(PressFor(tips[4] * k, 2));
    // The first corner is now drawn at (0, 0) still; 4 units away closes, 5 does not.
    Click(PressFor({5, 0}, 2));
    EXPECT_EQ(gEachTopAreaNumber, 0);
    EXPECT_EQ(frm->editor().topLinePointCount(), 6);
    frm->StopLineDrawMenu_Click();
    frm->ShowInputBillTopArea(-1);
    UseTool(2);
    for (const QPointF& t : tips) Click(PressFor(t * k, 2));
    Click(PressFor({4, 0}, 2));
    ASSERT_EQ(gEachTopAreaNumber, 1);
    const Outline expected = {{1000, 2000}, {1040, 2000}, {1050, 2020}, {1020, 2040}, {990, 2020}, {1000, 2000}};
    EXPECT_EQ(RunOf(0), expected);
    EXPECT_EQ(gFlatTopHeight[0], 10.0f);
    EXPECT_EQ(frm->editor().topLinePointCount(), 0);
    EXPECT_EQ(frm->changeCount(), 1);
    EXPECT_EQ(frm->editor().editMode(), 2);  // the tool stays for the next outline
    EXPECT_EQ(At(QPointF(50, 0) * k), kOutline);
    EXPECT_EQ(At(QPointF(-10, 20) * k), kOutline);
}

TEST_F(MapEditing, DrawnOutlineFollowsAPanBetweenClicks)
{
    UseTool(2);
    Click(PressFor({0, 0}, 2));
    Click(PressFor({80, 0}, 2));
    QTest::mouseClick(frm->MoveImgCmd[3], Qt::LeftButton);  // content 8 units right
    // The drawn part is shown again where its metres now lie, and the next corner joins it.
    EXPECT_EQ(At({48, 0}), QColor(255, 105, 195));  // its edge, XOR over white
    Click(PressFor({88, 80}, 2));
    Click(PressFor({8, 80}, 2));
    Click(PressFor({9, 1}, 2));
    ASSERT_EQ(gEachTopAreaNumber, 1);
    EXPECT_EQ(RunOf(0), (Outline{{0, 0}, {40, 0}, {40, 40}, {0, 40}, {0, 0}}));
}

TEST_F(MapEditing, UnfinishedOutlineLeavesTheMoveToolsDoubleClickOnItsPress)
{
    Load({kSquare});
    UseTool(2);
    Click(PressFor({150, 150}, 2));
    Click(PressFor({150, 120}, 2));  // an outline left unfinished
    UseTool(3);
    DoubleClick({40, 40});
    ASSERT_EQ(frm->activeBuilding(), 0);
    // Next to a corner, inside: the release after the vertex press redraws the map (and the
    // outline) before the double-click, which must still act where the user pressed.
    DoubleClick(PressFor({78, 78}, 3));
    EXPECT_EQ(frm->editor().moveState(), -1);
    EXPECT_EQ(frm->activeBuilding(), 0);
    EXPECT_EQ(RunOf(0), kSquare);
    EXPECT_EQ(frm->editor().topLinePointCount(), 2);
}

TEST_F(MapEditing, MoveToolDragsTheFirstCornerWithItsClosingPoint)
{
    Load({kSquare, {{100, 100}, {120, 100}, {120, 120}, {100, 100}}});
    UseTool(3);
    DoubleClick({40, 40});
    ASSERT_EQ(frm->activeBuilding(), 0);
    EXPECT_FALSE(frm->DeleteBuildingMenu->isEnabled());  // the move tool selects without enabling it
    const QPointF corner(80, 80);
    Press(PressFor(corner, 3));
    EXPECT_EQ(frm->editor().moveState(), 1);
    for (int i = 1; i <= 10; ++i) QTest::mouseMove(frm->PhotoPic, Px(PressFor(corner + QPointF(2 * i, -2 * i), 3)));
    // XOR drawing took the old edges and corner away while dragging.
    EXPECT_EQ(At(corner), kWhite);
    EXPECT_EQ(At({80, 40}), kWhite);
    Release(PressFor({100, 60}, 3));
    EXPECT_EQ(frm->editor().moveState(), -1);
    EXPECT_EQ(frm->changeCount(), 10);
    EXPECT_EQ(RunOf(0)[2], (TopAreaPoint{50, 30}));
    EXPECT_EQ(RunOf(1).front(), (TopAreaPoint{100, 100}));
    // The first corner carries its closing point.
    Press(PressFor({0, 0}, 3));
    QTest::mouseMove(frm->PhotoPic, Px(PressFor({-10, -10}, 3)));
    Release(PressFor({-10, -10}, 3));
    EXPECT_EQ(RunOf(0).front(), (TopAreaPoint{-5, -5}));
    EXPECT_EQ(RunOf(0).back(), (TopAreaPoint{-5, -5}));
    EXPECT_EQ(RunOf(1), (Outline{{100, 100}, {120, 100}, {120, 120}, {100, 100}}));
    // A press away from every corner starts no drag.
    Press(PressFor({40, 40}, 3));
    EXPECT_EQ(frm->editor().moveState(), 0);
    QTest::mouseMove(frm->PhotoPic, Px(PressFor({60, 60}, 3)));
    Release(PressFor({60, 60}, 3));
    EXPECT_EQ(frm->changeCount(), 11);
}

TEST_F(MapEditing, AddAndDeletePointToolsEditTheSelectedBuilding)
{
    Load({kSquare});
    UseTool(4);
    DoubleClick(PressFor({40, 40}, 4));  // nothing selected yet: selects
    ASSERT_EQ(frm->activeBuilding(), 0);
    DoubleClick(PressFor({40, 1}, 4));  // on the bottom edge
    EXPECT_EQ(RunOf(0), (Outline{{0, 0}, {20, 0}, {40, 0}, {40, 40}, {0, 40}, {0, 0}}));
    EXPECT_EQ(frm->changeCount(), 1);
    DoubleClick(PressFor({120, 1}, 4));  // on the bottom edge's line but beyond its end: nothing
    EXPECT_EQ(gTopAreaPointTotalNumber, 6);
    EXPECT_EQ(At({60, 0}), kHighlight);

    UseTool(5);
    const QPointF corners[] = {{40, 0}, {0, 0}, {80, 0}};
    const int left[] = {5, 4, -1};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        DoubleClick(PressFor(corners[i], 5));
        EXPECT_EQ(gEachTopAreaNumber, left[i] < 0 ? 0 : 1);
        if (left[i] > 0) {
            EXPECT_EQ(gEachTopAreaPointNum[0], left[i]);
        }
    }
    EXPECT_EQ(frm->activeBuilding(), -1);
    EXPECT_EQ(frm->changeCount(), 4);
    EXPECT_EQ(At({80, 80}), kWhite);
}

TEST_F(MapEditing, SelectDoubleClickAndDeleteCommand)
{
    Load({kSquare, {{100, 0}, {140, 0}, {140, 40}, {100, 40}, {100, 0}}});
    UseTool(0);
    DoubleClick({220, 40});
    EXPECT_EQ(frm->activeBuilding(), 1);
    EXPECT_TRUE(frm->DeleteBuildingMenu->isEnabled());
    EXPECT_EQ(At({240, 0}), kHighlight);
    EXPECT_EQ(At({40, 0}), kOutline);
    frm->DeleteBuildingMenu->trigger();
    EXPECT_EQ(gEachTopAreaNumber, 1);
    EXPECT_EQ(RunOf(0), kSquare);
    EXPECT_EQ(frm->activeBuilding(), -1);
    EXPECT_FALSE(frm->DeleteBuildingMenu->isEnabled());
    EXPECT_EQ(At({240, 0}), kWhite);
    EXPECT_EQ(frm->changeCount(), 1);  // a deletion counts as an edit
    DoubleClick({40, 40});
    EXPECT_TRUE(frm->DeleteBuildingMenu->isEnabled());
    DoubleClick({300, 200});  // empty ground
    EXPECT_EQ(frm->activeBuilding(), -1);
    EXPECT_FALSE(frm->DeleteBuildingMenu->isEnabled());
}

TEST_F(MapEditing, WhileAResultMapIsShownOnlyTheRectangleToolEdits)
{
    Load({kSquare});
    frm->judgement().setResultMapShown(true, false);
    UseTool(0);
    DoubleClick({40, 40});
    EXPECT_EQ(frm->activeBuilding(), -1);
    UseTool(2);
    Click(PressFor({0, 0}, 2));
    EXPECT_EQ(frm->editor().topLinePointCount(), 0);
    UseTool(1);
    Drag({100, 100}, {150, 150}, 2);
    EXPECT_EQ(gEachTopAreaNumber, 2);
    frm->judgement().setResultMapShown(false, false);
}

TEST_F(MapEditing, DistanceToolAddsUpSegmentsInMetresAcrossAZoom)
{
    UseTool(6);
    EXPECT_EQ(frm->cursor().hotSpot(), QPoint(16, 16));
    Click({0, 0});
    EXPECT_EQ(frm->DistLbl->text(), QStringLiteral("0m"));
    EXPECT_EQ(At({3, 0}), QColor(200, 0, 0));
    DoubleClick({60, 0});  // 30 m at scale 2; a double-click is one point
    EXPECT_EQ(frm->siteMap()->pMeasurePointNum, 2);
    EXPECT_EQ(frm->DistLbl->text(), QStringLiteral("30m"));
    EXPECT_EQ(At({30, 0}), QColor(200, 0, 0));
    QTest::mouseClick(frm->ZoomUpCmd, Qt::LeftButton);  // scale 2.5: the polyline is drawn again
    EXPECT_EQ(At({37, 0}), QColor(255, 0, 0));
    Click({75, 100});  // (30, 40) metres: 40 m more
    EXPECT_EQ(frm->DistLbl->text(), QStringLiteral("70m"));

    frm->EnsMeasureSistMenu_Click();
    EXPECT_FALSE(frm->ClickPicRbn[6]->isChecked());
    EXPECT_EQ(frm->editor().editMode(), -1);
    EXPECT_EQ(frm->DistLbl->text(), QStringLiteral("70m"));
    QTest::mouseClick(frm->ZoomDownCmd, Qt::LeftButton);
    EXPECT_EQ(At({60, 40}), QColor(255, 0, 0));

    struct Case {
        double x;
        const char* shown;
    };
    for (const Case& c : {Case{5, "2m"}, Case{7, "4m"}}) {  // 2.5 and 3.5 metres: halves to even
        UseTool(6);
        Click({0, 0});
        Click({c.x, 0});
        EXPECT_EQ(frm->DistLbl->text(), QString::fromUtf8(c.shown));
        UseTool(6);
    }
}

TEST_F(MapEditing, PointerReadoutShowsSiteMetres)
{
    SetMapCenter(100.0, pMapCenterY);
    Hover({100, -50});
    EXPECT_EQ(frm->DispValue_X->text(), QStringLiteral("150.0"));
    EXPECT_EQ(frm->DispValue_Y->text(), QStringLiteral("-25.0"));
}

TEST_F(MapEditing, RightButtonShowsThePopUpOfTheTool)
{
    struct Case {
        int tool;  // -1 none
        QMenu* MainWorkingFrm::*menu;
    };
    const Case cases[] = {{-1, &MainWorkingFrm::EditingDataMenu}, {0, &MainWorkingFrm::EditingDataMenu},
                          {3, &MainWorkingFrm::LineDrawMenu},     {6, &MainWorkingFrm::MeasureDistMenu}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tool);
        if (c.tool >= 0) UseTool(c.tool);
        Click({10, 10}, Qt::RightButton);
        QWidget* popup = QApplication::activePopupWidget();
        EXPECT_EQ(popup, frm->*c.menu);
        if (popup) popup->close();
        if (c.tool >= 0) frm->ClickPicRbn[c.tool]->setChecked(false);
    }
}

TEST_F(MapEditing, ToolPopUpSelectsAToolWithItsPointerAndCheckMark)
{
    frm->ClickPicRbn[1]->click();
    frm->RemoveTopPointMenu->trigger();
    EXPECT_TRUE(frm->ClickPicRbn[5]->isChecked());
    EXPECT_FALSE(frm->ClickPicRbn[1]->isChecked());
    EXPECT_EQ(frm->editor().editMode(), 5);
    EXPECT_EQ(frm->cursor().hotSpot(), QPoint(16, 16));
    for (QAction* item : frm->LineDrawMenu->actions()) {
        if (!item->isSeparator()) {
            EXPECT_EQ(item->isChecked(), item == frm->RemoveTopPointMenu) << item->text().toStdString();
        }
    }
    frm->DrawTopLineMenu->trigger();
    EXPECT_EQ(frm->editor().editMode(), 2);
    // "中止" in the middle of an outline drops it: the next click starts a new one.
    Click(PressFor({0, 0}, 2));
    Click(PressFor({80, 0}, 2));
    frm->StopLineDrawMenu->trigger();
    EXPECT_EQ(frm->editor().editMode(), -1);
    EXPECT_EQ(frm->editor().topLinePointCount(), 0);
    EXPECT_EQ(frm->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(frm->StopLineDrawMenu->isChecked());
    for (QToolButton* toggle : frm->ClickPicRbn) EXPECT_FALSE(toggle->isChecked());
}

TEST_F(MapEditing, ToolPointerPicturesPutTheirTipAtThePressShift)
{
    for (int tool = 1; tool < static_cast<int>(kToolCursors.size()); ++tool) {
        SCOPED_TRACE(kToolCursors[tool].fileName);
        const auto picture = platform::ReadCursorFile(DataPath(QStringLiteral("ico"), QString::fromLatin1(kToolCursors[tool].fileName)));
        ASSERT_TRUE(picture.has_value());
        const QPoint tip = picture->hotSpot + QPoint(kToolCursors[tool].shiftX, -kToolCursors[tool].shiftY);
        const QColor pixel = picture->image.pixelColor(tip);
        EXPECT_EQ(pixel.alpha(), 255);
        EXPECT_LT(pixel.lightness(), 128);  // a dark tip, not the background
    }
}

TEST_F(MapEditing, HeightCommandOpensOneDialogForTheSelectedBuilding)
{
    Load({kSquare});
    frm->SetBuildingHeightMenu->trigger();
    EXPECT_EQ(gSetBillHeightMode, 0);  // nothing selected: nothing opens
    UseTool(0);
    DoubleClick({40, 40});
    frm->SetBuildingHeightMenu->trigger();
    frm->SetBuildingHeightMenu->trigger();
    const auto dialogs = frm->findChildren<SetBuildingHeightFrm*>();
    ASSERT_EQ(dialogs.size(), 1);
    EXPECT_EQ(dialogs[0]->HeightTxt->text(), QStringLiteral("20"));
    dialogs[0]->HeightTxt->setText(QStringLiteral("12"));
    dialogs[0]->OKCmd_Click();
    EXPECT_EQ(gFlatTopHeight[0], 12.0f);
    EXPECT_EQ(frm->activeBuilding(), 0);
    EXPECT_EQ(gSetBillHeightMode, 0);
}

TEST_F(MapEditing, HeightDialogClosesWhenItsBuildingMayBeAnotherOne)
{
    // A triangle (drawn from (200, 0) to (280, 80)) before the square: removing it makes the
    // square building 0, the index the dialog was opened for.
    const Outline triangle = {{100, 0}, {140, 0}, {140, 40}, {100, 0}};
    const struct {
        const char* name;
        std::function<void()> change;
        float height0;  // building 0's height afterwards, untouched by the dialog
    } cases[] = {
        {"its building deleted", [this] { frm->DeleteBuildingMenu->trigger(); }, 20.0f},
        {"its building dropped by a vertex removal",
         [this] {
             UseTool(5);
             DoubleClick(PressFor({280, 0}, 5));
         },
         20.0f},
        {"the sample loaded", [this] { frm->ReadSampleDataMemu->trigger(); }, 26.4f},
        {"a new project", [this] { frm->TheNewProjectMenu->trigger(); }, -1.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetMapCenter(0.0, 0.0f);
        ResetMapView();  // the sample brings a view of its own
        Load({triangle, kSquare});
        frm->setChangeCount(0);
        UseTool(0);
        DoubleClick({260, 20});
        ASSERT_EQ(frm->activeBuilding(), 0);
        frm->SetBuildingHeightMenu->trigger();
        ASSERT_EQ(gSetBillHeightMode, -1);
        c.change();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(frm->findChildren<SetBuildingHeightFrm*>().isEmpty());
        EXPECT_EQ(gSetBillHeightMode, 0);
        if (c.height0 >= 0.0f) {
            EXPECT_FLOAT_EQ(gFlatTopHeight[0], c.height0);
        } else {
            EXPECT_EQ(gEachTopAreaNumber, 0);
        }
        frm->StopLineDrawMenu_Click();
    }
}

TEST_F(MapEditing, HeightDialogRedrawsWithItsOwnBuildingSelected)
{
    Load({kSquare, {{100, 0}, {140, 0}, {140, 40}, {100, 40}, {100, 0}}});
    UseTool(0);
    DoubleClick({40, 40});
    frm->SetBuildingHeightMenu->trigger();
    DoubleClick({220, 40});  // another building selected while the dialog is open
    ASSERT_EQ(frm->activeBuilding(), 1);
    const auto dialogs = frm->findChildren<SetBuildingHeightFrm*>();
    ASSERT_EQ(dialogs.size(), 1);
    dialogs[0]->HeightTxt->setText(QStringLiteral("12"));
    dialogs[0]->OKCmd_Click();
    EXPECT_EQ(gFlatTopHeight[0], 12.0f);
    EXPECT_EQ(gFlatTopHeight[1], 20.0f);
    EXPECT_EQ(frm->activeBuilding(), 0);
    EXPECT_EQ(At({40, 0}), kHighlight);
    EXPECT_EQ(At({240, 0}), kOutline);
}

// ---- Picture-click requests ------------------------------------------------------------------

// A window waiting for presses on the site map: records its redraws and the reference points
// handed to it.
struct RecordingClickClient : PictureClickClient {
    RecordingClickClient(std::vector<std::string>& log, std::string name) : log(log), name(std::move(name)) {}
    void ShowCurrentSateVisible() override { log.push_back(name); }
    void RevisionPointPicked(int point, double x, double y) override
    {
        picked.push_back(point);
        lastX = x;
        lastY = y;
    }
    std::vector<std::string>& log;
    std::string name;
    std::vector<int> picked;
    double lastX = 0.0, lastY = 0.0;
};

TEST_F(MapEditing, SkyViewRequestComputesTheSkylineAtEveryPressedPoint)
{
    // A 20 m block from 20 to 60 m east of the centre.
    Load({{{20, -20}, {60, -20}, {60, 20}, {20, 20}, {20, -20}}});
    MakeBillHeightMesh(864.0f / 2.0f / 162.0f);
    SetAntennaHeight(1.5f);
    std::vector<std::string> redraws;
    RecordingClickClient orbitView(redraws, "orbit"), skyView(redraws, "sky"), comparison(redraws, "comparison");
    frm->TakePictureClick(PictureClickWindow::OrbitView, 1, &orbitView);
    frm->TakePictureClick(PictureClickWindow::SkyView, 2, &skyView);
    frm->TakePictureClick(PictureClickWindow::Comparison, 2, &comparison);
    UseTool(1);  // the tool in use must not see the presses
    // The request and gDispHeavenMode choose the one window that redraws; with request 2 and no
    // window named, the skyline is computed all the same and nothing redraws.
    const struct {
        int mode;
        int heavenMode;
        const char* redrawn;
    } cases[] = {{1, 2, "orbit"}, {2, 1, "sky"}, {2, 2, "comparison"}, {2, 0, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode * 10 + c.heavenMode);
        const int mode = c.mode;
        redraws.clear();
        SetPhotoClickMode(mode);
        SetDispHeavenMode(c.heavenMode);
        Drag({0, 0}, {30, 30}, 2);  // observer at the centre: the block rises in the east
        EXPECT_GT(gCutElevation[0], 10.0f);
        EXPECT_EQ(gCutElevation[180], 0.0f);
        EXPECT_EQ(At({1, 1}), QColor(200, 0, 0));  // its cross
        Click({200, 0});  // 100 m east, beyond the block: now it is in the west
        EXPECT_EQ(gCutElevation[0], 0.0f);
        EXPECT_GT(gCutElevation[180], 5.0f);
        EXPECT_EQ(gPhotoClickMode, mode);  // served by every press
        EXPECT_EQ(redraws, c.redrawn ? std::vector<std::string>(2, c.redrawn) : std::vector<std::string>{});
    }
    EXPECT_EQ(gEachTopAreaNumber, 1);
    EXPECT_TRUE(frm->ClickPicRbn[1]->isChecked());
    // The hint follows the request.
    Hover({10, 10});
    EXPECT_EQ(frm->PhotoPic->toolTip(), QStringLiteral("クリックした地点での衛星状況を示します。"));
    SetPhotoClickMode(0);
    Hover({10, 10});
    EXPECT_TRUE(frm->PhotoPic->toolTip().isEmpty());
    EXPECT_EQ(frm->editor().photoTipState(), 0);
}

TEST_F(MapEditing, AWaitingWindowIsServedUntilItGoesAway)
{
    // A window (a QObject) that closes without giving the request back, and one that gives it
    // back while another window of its kind holds it: neither is called afterwards.
    struct WaitingWindow : QObject, PictureClickClient {
        int redraws = 0;
        void ShowCurrentSateVisible() override { ++redraws; }
    };
    MakeBillHeightMesh(864.0f / 2.0f / 162.0f);
    auto* gone = new WaitingWindow;
    frm->TakePictureClick(PictureClickWindow::OrbitView, 1, gone);
    EXPECT_EQ(gPhotoClickMode, 1);
    Click({10, 10});
    EXPECT_EQ(gone->redraws, 1);
    delete gone;
    Click({20, 10});  // the skyline is computed, no window redraws

    WaitingWindow first, second;
    frm->TakePictureClick(PictureClickWindow::OrbitView, 1, &first);
    frm->TakePictureClick(PictureClickWindow::OrbitView, 1, &second);
    frm->ReleasePictureClick(PictureClickWindow::OrbitView, &first);  // not the holder
    EXPECT_EQ(gPhotoClickMode, 0);
    SetPhotoClickMode(1);
    Click({10, 10});
    EXPECT_EQ(first.redraws, 0);
    EXPECT_EQ(second.redraws, 1);
    frm->ReleasePictureClick(PictureClickWindow::OrbitView, &second);
    SetPhotoClickMode(1);
    Click({10, 10});
    EXPECT_EQ(second.redraws, 1);
    SetPhotoClickMode(0);
}

TEST_F(MapEditing, MapCorrectionRequestsAreServedOnce)
{
    struct Case {
        int mode;
        int index;
        QColor cross;
    };
    std::vector<std::string> redraws;
    RecordingClickClient correction(redraws, "correction");
    frm->TakePictureClick(PictureClickWindow::MapCorrection, 3, &correction);
    const std::vector<int>& picked = correction.picked;
    UseTool(2);
    for (const Case& c : {Case{3, 0, QColor(250, 0, 0)}, Case{4, 1, QColor(0, 0, 250)}}) {
        SCOPED_TRACE(c.mode);
        SetPhotoClickMode(c.mode);
        Click({100, 40});
        EXPECT_DOUBLE_EQ(frm->revisionPointX(c.index), 50.0);
        EXPECT_DOUBLE_EQ(frm->revisionPointY(c.index), 20.0);
        EXPECT_DOUBLE_EQ(correction.lastX, 50.0);  // handed to the waiting window
        EXPECT_DOUBLE_EQ(correction.lastY, 20.0);
        EXPECT_EQ(At({103, 43}), c.cross);
        EXPECT_EQ(gPhotoClickMode, 0);
        EXPECT_EQ(frm->cursor().shape(), Qt::ArrowCursor);  // the default arrow, whatever the tool
        EXPECT_EQ(frm->editor().topLinePointCount(), 0);
        Click({0, 0});  // the next press goes to the tool
        EXPECT_EQ(frm->editor().topLinePointCount(), 1);
        frm->StopLineDrawMenu_Click();
        UseTool(2);
    }
    EXPECT_EQ(picked, (std::vector<int>{1, 2}));
}

namespace {

// "新規(&N)" chosen from the menu bar with the keyboard: Alt+F, then N.
void ChooseNewFromTheFileMenu(MainWorkingFrm* frm)
{
    ASSERT_NO_FATAL_FAILURE(OpenFileMenu(frm));
    QTest::keyClick(frm->FileHandleMenu, Qt::Key_N);
}

}  // namespace

// Both reset commands ask before unsaved buildings are dropped, as closing asks: No drops them,
// Yes saves them first and goes on once the file is written, and a save cancelled keeps the
// site, its view and the tool in use as they were. Without unsaved edits they act at once.
TEST_F(MapEditing, NewAndClearAskBeforeUnsavedBuildingsAreDropped)
{
    const QString question = QStringLiteral("変更を保存しますか？");
    enum class Command { Clear, New };
    enum class Save { None, Cancelled, Written };
    struct Case {
        const char* name;
        Command command;
        bool edited;
        platform::MessageAnswer answer;
        Save save;
        bool cleared;
    };
    using platform::MessageAnswer;
    const Case cases[] = {
        {"clear, no edits", Command::Clear, false, MessageAnswer::Ok, Save::None, true},
        {"clear, No", Command::Clear, true, MessageAnswer::No, Save::None, true},
        {"clear, Yes, save cancelled", Command::Clear, true, MessageAnswer::Yes, Save::Cancelled, false},
        {"clear, Yes, saved", Command::Clear, true, MessageAnswer::Yes, Save::Written, true},
        {"new, no edits", Command::New, false, MessageAnswer::Ok, Save::None, true},
        {"new, No", Command::New, true, MessageAnswer::No, Save::None, true},
        {"new, Yes, save cancelled", Command::New, true, MessageAnswer::Yes, Save::Cancelled, false},
        {"new, Yes, saved", Command::New, true, MessageAnswer::Yes, Save::Written, true},
    };
    SetMapScaleIndex(24);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearTopAreaModel();
        SetMapScaleIndex(24);
        SetMapOffset(0.0f, 0.0f);
        frm->ShowInputBillTopArea(-1);
        frm->setChangeCount(0);
        // Four buildings drawn with the rectangle tool, then the map panned and a tool taken up.
        for (int k = 0; k < 4; ++k) {
            UseTool(1);
            Drag({-200.0 + 90.0 * k, 0}, {-160.0 + 90.0 * k, 40}, 4);
        }
        ASSERT_EQ(gEachTopAreaNumber, 4);
        ASSERT_EQ(frm->changeCount(), 4);
        if (!c.edited) frm->setChangeCount(0);
        QTest::mouseClick(frm->MoveImgCmd[0], Qt::LeftButton);
        const float offsetX = gMapOffsetX;
        UseTool(2);
        const QImage picture = frm->PhotoPic->image();
        const QString path = startFolder.filePath(QStringLiteral("site%1.dat").arg(static_cast<int>(&c - cases)));
        messages.clear();
        dialogs.clear();
        answer = c.answer;
        dialogPaths = c.save == Save::Written ? QStringList{path} : QStringList{};

        if (c.command == Command::Clear) {
            QTest::mouseClick(frm->InitializeDataCmd, Qt::LeftButton);
        } else {
            ChooseNewFromTheFileMenu(frm);
        }

        EXPECT_EQ(messages, c.edited ? QStringList{question} : QStringList{});
        EXPECT_EQ(dialogs.size(), c.save == Save::None ? 0u : 1u) << "Yes opens the project save";
        EXPECT_EQ(QFile::exists(path), c.save == Save::Written);
        if (c.save == Save::Written) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_TRUE(file.readAll().contains("30.0")) << "the buildings' height is in the file";
        }
        if (c.cleared) {
            EXPECT_EQ(gEachTopAreaNumber, 0);
            EXPECT_EQ(frm->changeCount(), 0);
            EXPECT_EQ(gMapOffsetX, 0.0f);
            EXPECT_EQ(gMapScaleIndex, 20);
        } else {
            EXPECT_EQ(gEachTopAreaNumber, 4);
            EXPECT_EQ(frm->changeCount(), 4) << "closing still asks";
            EXPECT_EQ(gMapOffsetX, offsetX);
            EXPECT_EQ(gMapScaleIndex, 24);
            EXPECT_EQ(frm->editor().editMode(), 2) << "the tool in use stays";
            EXPECT_TRUE(frm->ClickPicRbn[2]->isChecked());
            EXPECT_TRUE(frm->PhotoPic->image() == picture) << "the map as it was";
        }
        if (frm->ClickPicRbn[2]->isChecked()) frm->ClickPicRbn[2]->click();
    }
}
