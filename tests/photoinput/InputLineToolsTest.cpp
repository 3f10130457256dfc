// The building input's editing tools driven offscreen with real mouse events on the window (press,
// move, release and the double-click as the window system delivers it): the tool choice, each
// tool's pen tip, tracing, wall lines with their height, moving, adding and deleting points, the
// pop-up menu and the plan's selection and drag.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWindow>
#include <cmath>
#include <deque>
#include <functional>

#include "common/FakeMainWindowPort.h"
#include "common/TitleBarClose.h"
#include "common/TestUtils.h"
#include "photoinput/InputLineFrm.h"
#include "photoinput/OutlineHitTest.h"
#include "photoinput/PhotoModel.h"
#include "photoinput/PhotoPicking.h"
#include "photoinput/PhotoTools.h"
#include "planview/PlanView.h"
#include "platform/CursorFile.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "platform/PictureSurface.h"
#include "site/RunState.h"

namespace {

class InputLineTools : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QDir root(folder.path());
        root.mkpath(QStringLiteral("Sample1"));
        root.mkpath(QStringLiteral("ico"));
        // The tools' pointers from the run folder's artwork.
        const QDir icons(QString::fromStdString(testutil::DataFile("../../assets/ico")));
        for (const QString& name : icons.entryList(QDir::Files)) {
            QFile::copy(icons.filePath(name), root.filePath(QStringLiteral("ico/") + name));
        }
        SetStartDir(folder.path());
        SetBillDataSTS(0);
        ClearTopAreaModel();
        platform::SetMessageAnswerer([this](const QString& text, platform::MessageButtons) {
            messages << text;
            if (answers.empty()) return platform::MessageAnswer::Ok;
            const platform::MessageAnswer a = answers.front();
            answers.pop_front();
            return a;
        });
        window = new InputLineFrm(nullptr, &port);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        // Sample picture 2 (788 x 678: photo x and y are whole pixels) with its eye altitudes.
        window->LoadSample2PhotoMenu_Click();
        pic = window->PhotoPic;
    }
    void TearDown() override
    {
        delete window.data();
        platform::SetMessageAnswerer({});
        platform::SetFileDialogAnswerer({});
    }

    // Window position of the photo point `p`.
    QPoint At(QPointF p) const { return pic->mapTo(window.data(), pic->toPixel(p).toPoint()); }
    // The pointer's hot spot that puts tool `tool`'s tip on `tip`.
    static QPointF Hot(int tool, QPointF tip)
    {
        return tip - QPointF(kPhotoToolCursors[tool].shiftX, kPhotoToolCursors[tool].shiftY);
    }
    QWindow* Win() const { return window->windowHandle(); }
    void Click(int tool, QPointF tip, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(Win(), b, {}, At(Hot(tool, tip))); }
    void DoubleClick(int tool, QPointF tip) { QTest::mouseDClick(Win(), Qt::LeftButton, {}, At(Hot(tool, tip))); }
    void Drag(int tool, QPointF from, QPointF to)
    {
        QTest::mousePress(Win(), Qt::LeftButton, {}, At(Hot(tool, from)));
        QTest::mouseMove(Win(), At(Hot(tool, (from + to) / 2)));
        QTest::mouseMove(Win(), At(Hot(tool, to)));
        QTest::mouseRelease(Win(), Qt::LeftButton, {}, At(Hot(tool, to)));
    }
    void Use(int tool) { window->InputModeMenu[tool]->trigger(); }
    // The square roof traced and selected: corners (0, 0), (100, 0), (100, 80), (0, 80).
    void TraceSquare()
    {
        Use(kRoofLineTool);
        for (QPointF p : {QPointF(0, 0), QPointF(100, 0), QPointF(100, 80), QPointF(0, 80), QPointF(2, 1)}) Click(kRoofLineTool, p);
        ASSERT_EQ(gEachTopAreaNumber, 1);
        Use(kSelectTool);
        DoubleClick(kSelectTool, {50, 40});
        ASSERT_EQ(window->selectedRoof(), 0);
    }
    std::vector<PhotoPoint> Roof(int roof) const
    {
        std::vector<PhotoPoint> points;
        for (int k = gEachTopAreaStartNum[roof]; k < gEachTopAreaStartNum[roof] + gEachTopAreaPointNum[roof]; ++k) {
            points.push_back({gTopAreaX[k], gTopAreaY[k]});
        }
        return points;
    }
    // The untouched picture's colour under photo point `p`.
    QColor PictureAt(QPointF p) const { return window->picture().pixelColor(pic->toPixel(p).toPoint()); }
    QImage CursorImage(const QCursor& c) const { return c.pixmap().toImage(); }
    QImage FileImage(const char* name) const
    {
        const auto c = platform::LoadCursorFile(DataPath(QStringLiteral("ico"), QString::fromLatin1(name)));
        return c ? c->pixmap().toImage() : QImage();
    }

    QTemporaryDir folder;
    testutil::FakeMainWindowPort port;
    QPointer<InputLineFrm> window;
    PictureSurface* pic = nullptr;
    QStringList messages;
    std::deque<platform::MessageAnswer> answers;
};

TEST_F(InputLineTools, SelectionTable)
{
    enum View { Oblique, Plan };
    enum Source { Palette, Menu };
    struct Row {
        const char* name;
        View view;
        Source source;
        int tool;
        bool altitudes;
        int expected;
        bool message;
        const char* pointer;  // nullptr: the default arrow
    };
    const Row rows[] = {
        {"oblique palette select", Oblique, Palette, 0, true, 0, false, nullptr},
        {"oblique palette roof line", Oblique, Palette, 2, true, 2, false, "RedPen.ICO"},
        {"oblique palette wall line", Oblique, Palette, 3, true, 3, false, "BluePen.ICO"},
        {"oblique palette move", Oblique, Palette, 4, true, 4, false, "MovePen.ICO"},
        {"oblique palette add", Oblique, Palette, 5, true, 5, false, "AddPen.ICO"},
        {"oblique palette delete", Oblique, Palette, 6, true, 6, false, "Remove.ICO"},
        {"oblique palette automatic roof", Oblique, Palette, 7, true, 7, false, "ARW10NW2.ICO"},
        {"oblique palette zoom is not offered", Oblique, Palette, 1, true, 0, false, nullptr},
        {"oblique menu automatic roof", Oblique, Menu, 7, true, 7, false, "ARW10NW2.ICO"},
        {"oblique menu move", Oblique, Menu, 4, true, 4, false, "MovePen.ICO"},
        {"oblique palette roof line, no altitudes", Oblique, Palette, 2, false, 0, true, nullptr},
        {"oblique menu wall line, no altitudes", Oblique, Menu, 3, false, 0, true, nullptr},
        {"oblique menu automatic roof, no altitudes", Oblique, Menu, 7, false, 0, true, nullptr},
        {"oblique palette move, no altitudes", Oblique, Palette, 4, false, 4, false, "MovePen.ICO"},
        {"plan palette zoom", Plan, Palette, 1, true, 1, false, "Magnify.cur"},
        {"plan menu zoom", Plan, Menu, 1, true, 1, false, "Magnify.cur"},
        {"plan palette move", Plan, Palette, 4, true, 4, false, "MovePen.ICO"},
        {"plan menu move", Plan, Menu, 4, true, 4, false, "POINT14.ICO"},
        {"plan palette select", Plan, Palette, 0, true, 0, false, nullptr},
        {"plan menu roof line is not offered", Plan, Menu, 2, true, 0, false, nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        window->VerHeightmTxt->setText(QStringLiteral("598"));
        window->IncliHeightmTxt->setText(QStringLiteral("102"));
        window->PressViewButton(r.view == Plan ? 1 : 0);
        ASSERT_EQ(window->planShown(), r.view == Plan);
        window->StopDrawLineMenu->trigger();  // select, default pointer
        if (!r.altitudes) window->VerHeightmTxt->clear();
        messages.clear();
        if (r.source == Palette) {
            QToolButton* button = window->InputModeRbn[r.tool];
            if (button->isEnabled()) QTest::mouseClick(button, Qt::LeftButton);
            EXPECT_EQ(button->isEnabled(), r.view == Plan ? IsPlanTool(r.tool) : IsObliqueTool(r.tool));
        } else {
            window->InputModeMenu[r.tool]->trigger();
        }
        EXPECT_EQ(window->editor().tool(), r.expected);
        EXPECT_EQ(!messages.isEmpty(), r.message);
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(window->InputModeRbn[k]->isChecked(), k == r.expected) << k;
        }
        if (r.pointer) {
            EXPECT_EQ(window->PhotoPic->cursor().shape(), Qt::BitmapCursor);
            EXPECT_EQ(CursorImage(window->PhotoPic->cursor()), FileImage(r.pointer));
            EXPECT_EQ(CursorImage(window->cursor()), FileImage(r.pointer));
        } else {
            EXPECT_EQ(window->PhotoPic->cursor().shape(), Qt::ArrowCursor);
        }
    }
}

TEST_F(InputLineTools, ButtonUpInTheObliqueViewReturnsToSelectAndKeepsTheRoof)
{
    TraceSquare();
    QTest::mouseClick(window->InputModeRbn[kMoveTool], Qt::LeftButton);
    ASSERT_EQ(window->editor().tool(), kMoveTool);
    QTest::mouseClick(window->InputModeRbn[kMoveTool], Qt::LeftButton);  // up again
    EXPECT_EQ(window->editor().tool(), kSelectTool);
    EXPECT_EQ(window->selectedRoof(), 0);
    EXPECT_EQ(window->PhotoPic->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(InputLineTools, EveryToolWorksAtItsPenTip)
{
    for (int tool : {0, 2, 3, 4, 5, 6, 7}) {
        SCOPED_TRACE(tool);
        window->StopDrawLineMenu->trigger();
        Use(tool);
        ASSERT_EQ(window->editor().tool(), tool);
        const QPointF tip(-200, -150);  // on the picture, away from any roof
        QTest::mousePress(Win(), Qt::LeftButton, {}, At(Hot(tool, tip)));
        QTest::mouseRelease(Win(), Qt::LeftButton, {}, At(Hot(tool, tip)));
        EXPECT_DOUBLE_EQ(window->editor().workingPoint().x(), tip.x());
        EXPECT_DOUBLE_EQ(window->editor().workingPoint().y(), tip.y());
    }
    // The pictures put a dark tip exactly there (icons take their centre as the hot spot).
    std::vector<ToolCursor> pointers(kPhotoToolCursors.begin() + 1, kPhotoToolCursors.end());
    pointers.push_back(kPlanMoveMenuCursor);
    for (const ToolCursor& c : pointers) {
        SCOPED_TRACE(c.fileName);
        const auto picture = platform::ReadCursorFile(DataPath(QStringLiteral("ico"), QString::fromLatin1(c.fileName)));
        ASSERT_TRUE(picture.has_value());
        const QColor pixel = picture->image.pixelColor(picture->hotSpot + QPoint(c.shiftX, -c.shiftY));
        EXPECT_EQ(pixel.alpha(), 255);
        EXPECT_LT(pixel.lightness(), 128);
    }
}

TEST_F(InputLineTools, TracingClosesNearTheFirstPointOnly)
{
    Use(kRoofLineTool);
    // Two points: a press on the first one adds a third point instead of closing.
    Click(kRoofLineTool, {0, 0});
    Click(kRoofLineTool, {100, 0});
    Click(kRoofLineTool, {1, 1});
    EXPECT_EQ(gEachTopAreaNumber, 0);
    EXPECT_EQ(window->editor().tracedPointCount(), 3);
    // The rubber line follows the pointer from the last point (drawn over the picture).
    QTest::mouseMove(Win(), At(Hot(kRoofLineTool, {61, 1})));
    EXPECT_EQ(window->editor().rubberLineEnd().x(), 61.0);
    EXPECT_NE(pic->pointColor({30, 1}), PictureAt({30, 1}));
    // A fourth press 4 from the first point closes the outline with a copy of the first point.
    Click(kRoofLineTool, {0, 60});
    Click(kRoofLineTool, {3, 3});
    ASSERT_EQ(gEachTopAreaNumber, 1);
    EXPECT_EQ(Roof(0), (std::vector<PhotoPoint>{{0, 0}, {100, 0}, {1, 1}, {0, 60}, {0, 0}}));
    EXPECT_EQ(window->editor().tracedPointCount(), 0);
    EXPECT_TRUE(window->hasUnsavedEdits());
    EXPECT_EQ(pic->pointColor({50, 0}), kRoofLineColor) << "the overlay shows the new roof";
}

TEST_F(InputLineTools, ARedrawUnderARubberLineLeavesNoStrayLine)
{
    Use(kRoofLineTool);
    Click(kRoofLineTool, {0, 0});
    QTest::mouseMove(Win(), At(Hot(kRoofLineTool, {60, 0})));
    QTest::mouseClick(window->ClearPhotoCmd, Qt::LeftButton);  // the picture hidden: all redrawn
    QTest::mouseMove(Win(), At(Hot(kRoofLineTool, {0, -60})));
    EXPECT_EQ(pic->pointColor({30, 0}), QColor(Qt::white)) << "the old rubber line is not drawn back";
    EXPECT_NE(pic->pointColor({0, -30}), QColor(Qt::white));
    // "中止" drops the outline with its drawing.
    window->StopDrawLineMenu->trigger();
    EXPECT_EQ(window->editor().tracedPointCount(), 0);
    EXPECT_EQ(pic->pointColor({0, -30}), QColor(Qt::white));
}

TEST_F(InputLineTools, ADoubleClickIsOneLeftPressAndASelection)
{
    TraceSquare();
    Use(kRoofLineTool);
    DoubleClick(kRoofLineTool, {50, 40});
    EXPECT_EQ(window->editor().tracedPointCount(), 1) << "the second press of the pair is no press";
    EXPECT_EQ(window->selectedRoof(), 0);
    EXPECT_TRUE(window->Remove1TopAreaMenu->isEnabled());
    DoubleClick(kRoofLineTool, {-200, -150});
    EXPECT_EQ(window->editor().tracedPointCount(), 2);
    EXPECT_EQ(window->selectedRoof(), -1);
    EXPECT_FALSE(window->Remove1TopAreaMenu->isEnabled());
}

TEST_F(InputLineTools, AnOutlineStopsAtTheLimitWithAMessage)
{
    Use(kRoofLineTool);
    for (int k = 0; k < kMaxTracePoints + 2; ++k) Click(kRoofLineTool, {-300.0 + 5 * k, k % 2 == 0 ? -200.0 : -180.0});
    EXPECT_EQ(window->editor().tracedPointCount(), kMaxTracePoints - 1) << "room left for the closing point";
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_EQ(messages.back().toStdString(), PhotoEditMessage(PhotoEdit::Full));
    Click(kRoofLineTool, {-301, -201});  // closes
    ASSERT_EQ(gEachTopAreaNumber, 1);
    EXPECT_EQ(gEachTopAreaPointNum[0], kMaxTracePoints);
}

TEST_F(InputLineTools, WallLineSnapsToAVertexNotToAFootAndShowsTheHeight)
{
    TraceSquare();
    Use(kWallLineTool);
    Click(kWallLineTool, {97, 3});  // 4.2 from the vertex (100, 0)
    EXPECT_TRUE(window->editor().wallLineStarted());
    EXPECT_EQ(window->editor().workingPoint().x(), 100.0);
    EXPECT_EQ(window->editor().workingPoint().y(), 0.0);
    QTest::mouseMove(Win(), At(Hot(kWallLineTool, {100, -40})));
    EXPECT_NE(pic->pointColor({100, -20}), PictureAt({100, -20})) << "rubber line";
    Click(kWallLineTool, {101, -60});
    ASSERT_EQ(gWallEdgeNumber, 1);
    EXPECT_EQ(gFirstWallEdgeX[0], 100.0f);
    EXPECT_EQ(gFirstWallEdgeY[0], 0.0f);
    EXPECT_EQ(gSecondWallEdgeX[0], 101.0f) << "the foot is the press itself";
    EXPECT_EQ(gSecondWallEdgeY[0], -60.0f);
    const WallHeight expected = MeasureWallHeight(598, 102, 0, -60);
    ASSERT_TRUE(expected.height.has_value());
    EXPECT_EQ(window->HeightTxt->text(), QString::fromStdString(expected.text));
    EXPECT_GT(*expected.height, 5.0);
    EXPECT_TRUE(window->hasUnsavedEdits());
    // A press on the wall's foot starts nothing: feet are not vertices.
    Click(kWallLineTool, {101, -60});
    EXPECT_FALSE(window->editor().wallLineStarted());
    EXPECT_EQ(gWallEdgeNumber, 1);
}

TEST_F(InputLineTools, MovingTheFirstVertexKeepsTheOutlineClosedAndCarriesItsWalls)
{
    TraceSquare();
    ASSERT_EQ(AddWallEdge(0, {0, 0}, {0, -50}), PhotoEdit::Done);
    ASSERT_EQ(AddWallEdge(0, {0, 0}, {-10, -45}), PhotoEdit::Done);
    window->ShowPhotoLine(0, 0);
    window->HeightTxt->clear();
    Use(kMoveTool);
    Drag(kMoveTool, {2, -1}, {-10, 8});
    const std::vector<PhotoPoint> roof = Roof(0);
    EXPECT_EQ(roof.front(), (PhotoPoint{-10, 8}));
    EXPECT_EQ(roof.back(), (PhotoPoint{-10, 8}));
    for (int w : {0, 1}) EXPECT_EQ((PhotoPoint{gFirstWallEdgeX[w], gFirstWallEdgeY[w]}), (PhotoPoint{-10, 8})) << w;
    EXPECT_EQ(window->editor().vertexDrag(), PictureEditor::Drag::Released);
    EXPECT_EQ(window->HeightTxt->text(), QString::fromStdString(MeasureWallHeight(598, 102, 8, -50).text)) << "re-measured";
    // The highlighted outline (drawn over the picture) follows: the old left edge is gone.
    EXPECT_NE(pic->pointColor({-5, 44}), PictureAt({-5, 44}));
    EXPECT_EQ(pic->pointColor({0, 40}), PictureAt({0, 40}));
    // A foot alone.
    Drag(kMoveTool, {0, -50}, {5, -70});
    EXPECT_EQ((PhotoPoint{gSecondWallEdgeX[0], gSecondWallEdgeY[0]}), (PhotoPoint{5, -70}));
    EXPECT_EQ(window->HeightTxt->text(), QString::fromStdString(MeasureWallHeight(598, 102, 8, -70).text));
}

TEST_F(InputLineTools, AddingAPointIsAnEdit)
{
    TraceSquare();
    window->setUnsavedEdits(false);
    Use(kAddPointTool);
    DoubleClick(kAddPointTool, {50, 2});
    EXPECT_EQ(Roof(0), (std::vector<PhotoPoint>{{0, 0}, {50, 0}, {100, 0}, {100, 80}, {0, 80}, {0, 0}}));
    EXPECT_TRUE(window->hasUnsavedEdits());
    DoubleClick(kAddPointTool, {50, 40});  // no edge: deselects
    EXPECT_EQ(window->selectedRoof(), -1);
    EXPECT_EQ(gEachTopAreaPointNum[0], 6);
}

TEST_F(InputLineTools, DeletingPointsAndWalls)
{
    TraceSquare();
    ASSERT_EQ(AddWallEdge(0, {100, 0}, {100, -50}), PhotoEdit::Done);
    ASSERT_EQ(AddWallEdge(0, {0, 80}, {0, 76}), PhotoEdit::Done);  // a foot 4 below a vertex
    Use(kDeleteTool);
    DoubleClick(kDeleteTool, {0, 76});
    EXPECT_EQ(gWallEdgeNumber, 1) << "the foot's wall went, not the vertex";
    EXPECT_EQ(gEachTopAreaPointNum[0], 5);
    DoubleClick(kDeleteTool, {100, 0});
    EXPECT_EQ(gWallEdgeNumber, 0) << "the vertex took its wall";
    EXPECT_EQ(gEachTopAreaPointNum[0], 4);
    EXPECT_EQ(window->selectedRoof(), 0);
    DoubleClick(kDeleteTool, {0, 0});
    EXPECT_EQ(gEachTopAreaNumber, 0) << "too few points: the roof went";
    EXPECT_EQ(window->selectedRoof(), -1);
    EXPECT_FALSE(window->Remove1TopAreaMenu->isEnabled());
    EXPECT_TRUE(window->hasUnsavedEdits());
}

TEST_F(InputLineTools, RightReleasePopsTheEditMenuForTheEditingTools)
{
    for (int view : {1, 2}) {
        window->PressViewButton(view - 1);
        for (int tool : {0, 1, 2, 3, 4, 5, 6, 7}) {
            SCOPED_TRACE(QStringLiteral("view %1 tool %2").arg(view).arg(tool).toStdString());
            window->SetToolInUse(tool);
            QTest::mouseClick(Win(), Qt::RightButton, {}, At({-200, -150}));
            const bool shown = window->EditPhotoLineMenu->isVisible();
            window->EditPhotoLineMenu->hide();
            EXPECT_EQ(shown, tool != 1 && tool != 7);
        }
    }
}

TEST_F(InputLineTools, PlanSelectAndDragAVertex)
{
    TraceSquare();
    window->PressViewButton(1);
    ASSERT_TRUE(window->planShown());
    const QPointF centre = window->planFrame().toCanvas((gFlatTopAreaX[0] + gFlatTopAreaX[2]) / 2, (gFlatTopAreaY[0] + gFlatTopAreaY[2]) / 2);
    QTest::mouseDClick(Win(), Qt::LeftButton, {}, pic->mapTo(window.data(), pic->toPixel(centre).toPoint()));
    ASSERT_EQ(window->selectedRoof(), 0);
    Use(kMoveTool);
    window->setUnsavedEdits(false);
    const QPointF corner = window->planFrame().toCanvas(gFlatTopAreaX[1], gFlatTopAreaY[1]);
    const QPointF target = corner + QPointF(20, 15);
    auto to = [&](QPointF canvas) { return pic->mapTo(window.data(), pic->toPixel(Hot(kMoveTool, canvas)).toPoint()); };
    QTest::mousePress(Win(), Qt::LeftButton, {}, to(corner));
    EXPECT_EQ(window->editor().vertexDrag(), PictureEditor::Drag::Dragging);
    EXPECT_FALSE(window->hasUnsavedEdits()) << "a pick alone is no edit";
    QTest::mouseMove(Win(), to(target));
    QTest::mouseRelease(Win(), Qt::LeftButton, {}, to(target));
    const QPointF moved = window->planFrame().toCanvas(gFlatTopAreaX[1], gFlatTopAreaY[1]);
    EXPECT_NEAR(moved.x(), target.x(), 1.0);
    EXPECT_NEAR(moved.y(), target.y(), 1.0);
    EXPECT_EQ(window->editor().vertexDrag(), PictureEditor::Drag::Released);
    EXPECT_TRUE(window->hasUnsavedEdits());
}

// A roof traced on a sample picture is the user's work: closing by the title bar, "全て消去", a
// sample set or another picture ask before it is lost, as for any other work.
TEST_F(InputLineTools, ARoofTracedOnASamplePictureIsNotThrownAwayUnasked)
{
    TraceSquare();
    platform::SetFileDialogAnswerer([](platform::FileDialogKind, const platform::FileDialogOptions&) { return QString(); });
    const struct {
        const char* question;
        std::function<void()> act;
    } ways[] = {
        {"入力したデータをすべて消去しますか？", [&] { QTest::mouseClick(window->ResetDataCmd, Qt::LeftButton); }},
        {"入力中のデータは消去されます。よろしいですか？", [&] { window->LoadSample2DataMenu->trigger(); }},
        {"入力中のデータは消去されます。よろしいですか？", [&] { window->LoadSamplePhotoMenu->trigger(); }},
    };
    for (const auto& way : ways) {
        messages.clear();
        answers = {platform::MessageAnswer::Cancel};
        way.act();
        EXPECT_EQ(messages, QStringList{QString::fromUtf8(way.question)});
        EXPECT_EQ(gEachTopAreaNumber, 1) << way.question;
    }
    // The title bar's close: the save question; OK opens the save dialog (cancelled here) and
    // the window stays with the roof.
    messages.clear();
    testutil::CloseFromTitleBar(window);
    EXPECT_TRUE(messages.contains(QStringLiteral("変更を保存しますか？")));
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(gEachTopAreaNumber, 1);
}

// A vertex dragged in the plan stays where it was put: through the next switch to the plan, and
// through a save and an opening of the file.
TEST_F(InputLineTools, APlanMoveSurvivesTheNextPlanAndASave)
{
    TraceSquare();
    Use(kWallLineTool);
    Click(kWallLineTool, {100, 0});
    Click(kWallLineTool, {100, -60});
    ASSERT_EQ(gWallEdgeNumber, 1);
    window->PressViewButton(1);
    ASSERT_TRUE(window->planShown());
    const float height = gFlatTopHeight[0];
    const QPointF centre = window->planFrame().toCanvas((gFlatTopAreaX[0] + gFlatTopAreaX[2]) / 2, (gFlatTopAreaY[0] + gFlatTopAreaY[2]) / 2);
    QTest::mouseDClick(Win(), Qt::LeftButton, {}, pic->mapTo(window.data(), pic->toPixel(centre).toPoint()));
    ASSERT_EQ(window->selectedRoof(), 0);
    Use(kMoveTool);
    auto to = [&](QPointF canvas) { return pic->mapTo(window.data(), pic->toPixel(Hot(kMoveTool, canvas)).toPoint()); };
    // Vertex 1 carries the wall.
    const QPointF corner = window->planFrame().toCanvas(gFlatTopAreaX[1], gFlatTopAreaY[1]);
    QTest::mousePress(Win(), Qt::LeftButton, {}, to(corner));
    QTest::mouseMove(Win(), to(corner + QPointF(20, 15)));
    QTest::mouseRelease(Win(), Qt::LeftButton, {}, to(corner + QPointF(20, 15)));
    const PhotoPoint moved{gFlatTopAreaX[1], gFlatTopAreaY[1]};
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();

    auto expectMoved = [&](const char* when, double tolerance) {
        EXPECT_NEAR(gFlatTopAreaX[1], moved.x, tolerance) << when;
        EXPECT_NEAR(gFlatTopAreaY[1], moved.y, tolerance) << when;
        EXPECT_NEAR(gFlatTopHeight[0], height, 0.05) << when;
    };
    window->PressViewButton(0);
    window->PressViewButton(1);
    expectMoved("after the next switch to the plan", 0.01);

    const QString path = folder.filePath(QStringLiteral("moved.dat"));
    platform::SetFileDialogAnswerer([&path](platform::FileDialogKind, const platform::FileDialogOptions&) { return path; });
    window->SaveDataMenu->trigger();
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_FALSE(window->hasUnsavedEdits());
    QTest::mouseClick(window->ResetDataCmd, Qt::LeftButton);
    ASSERT_EQ(gEachTopAreaNumber, 0);
    window->OpenDataMenu->trigger();
    ASSERT_EQ(gEachTopAreaNumber, 1);
    window->PressViewButton(1);
    // The file keeps picture points to a tenth of a pixel.
    expectMoved("after the file was opened again", 0.1);
}

// A vertex dragged where the camera cannot see it goes back, with a message.
TEST_F(InputLineTools, APlanMoveBeyondThePictureGoesBackWithAMessage)
{
    TraceSquare();
    window->PressViewButton(1);
    const QPointF centre = window->planFrame().toCanvas((gFlatTopAreaX[0] + gFlatTopAreaX[2]) / 2, (gFlatTopAreaY[0] + gFlatTopAreaY[2]) / 2);
    QTest::mouseDClick(Win(), Qt::LeftButton, {}, pic->mapTo(window.data(), pic->toPixel(centre).toPoint()));
    ASSERT_EQ(window->selectedRoof(), 0);
    Use(kMoveTool);
    const auto planX = gFlatTopAreaX, planY = gFlatTopAreaY, photoX = gTopAreaX, photoY = gTopAreaY;
    // Far behind the camera, at the canvas's bottom edge once zoomed out.
    SetFlatScaleIndex(0);
    window->RedrawPlan(0);
    auto to = [&](QPointF canvas) { return pic->mapTo(window.data(), pic->toPixel(Hot(kMoveTool, canvas)).toPoint()); };
    const QPointF corner = window->planFrame().toCanvas(planX[1], planY[1]);
    window->setUnsavedEdits(false);  // the roof as saved
    QTest::mousePress(Win(), Qt::LeftButton, {}, to(corner));
    ASSERT_EQ(window->editor().vertexDrag(), PictureEditor::Drag::Dragging);
    QTest::mouseMove(Win(), to(QPointF(corner.x(), -300)));
    QTest::mouseRelease(Win(), Qt::LeftButton, {}, to(QPointF(corner.x(), -300)));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("この位置は画像の視野の外になるため"))) << messages[0].toStdString();
    EXPECT_TRUE(gFlatTopAreaX == planX && gFlatTopAreaY == planY) << "the plan as it was";
    EXPECT_TRUE(gTopAreaX == photoX && gTopAreaY == photoY) << "the picture as it was";
    EXPECT_FALSE(window->hasUnsavedEdits()) << "a move that went back is no edit: closing does not ask";
}

}  // namespace
