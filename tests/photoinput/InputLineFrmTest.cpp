// The building input window driven offscreen: closing and the hand-over, pictures, the dial,
// the plan view and the height dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <deque>

#include "common/FakeMainWindowPort.h"
#include "common/TitleBarClose.h"
#include "photoinput/ChangeHeightFrm.h"
#include "photoinput/InputLineFrm.h"
#include "photoinput/NorthDial.h"
#include "photoinput/PhotoModel.h"
#include "photoinput/SampleData.h"
#include "planview/PlanDrawing.h"
#include "planview/PlanView.h"
#include "judge/Meshes.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "platform/PictureSurface.h"
#include "site/MapView.h"
#include "site/RunState.h"

namespace {

using platform::MessageAnswer;

class InputLineFrmTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QDir(folder.path()).mkpath(QStringLiteral("Sample1"));
        SetStartDir(folder.path());
        SetBillDataSTS(0);
        SetMapScaleTable();
        SetMapScaleIndex(20);
        platform::SetMessageAnswerer([this](const QString& text, platform::MessageButtons) {
            messages << text;
            if (answers.empty()) return MessageAnswer::Ok;
            const MessageAnswer a = answers.front();
            answers.pop_front();
            return a;
        });
        platform::SetFileDialogAnswerer([this](platform::FileDialogKind, const platform::FileDialogOptions&) {
            ++fileDialogs;
            return QString();  // cancelled
        });
        // The site's own buildings: two squares.
        ClearTopAreaModel();
        const TopAreaPoint a[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
        const TopAreaPoint b[] = {{20, 0}, {30, 0}, {30, 10}, {20, 0}};
        AppendTopArea(a, 12.0f);
        AppendTopArea(b, 7.0f);
        site = CaptureTopAreaModel();
    }
    void TearDown() override
    {
        delete window.data();
        platform::SetMessageAnswerer({});
        platform::SetFileDialogAnswerer({});
    }

    InputLineFrm* Open()
    {
        window = new InputLineFrm(nullptr, &port);
        window->show();
        return window;
    }
    // Lets a closed window be deleted.
    void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    bool SiteRestored() const
    {
        const TopAreaSnapshot now = CaptureTopAreaModel();
        return now.areas == site.areas && now.points == site.points && now.northX == site.northX &&
               now.height == site.height && now.startNum == site.startNum;
    }
    bool HandedOver() const { return port.calls.contains(QStringLiteral("ShowInputBillTopArea -1")) && gEachTopAreaNumber == 6; }

    QTemporaryDir folder;
    testutil::FakeMainWindowPort port;
    QPointer<InputLineFrm> window;
    QStringList messages;
    std::deque<MessageAnswer> answers;
    int fileDialogs = 0;
    TopAreaSnapshot site;
};

QString WriteJpeg(const QTemporaryDir& folder, const QString& name, QColor color, QSize size = QSize(200, 100))
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(color);
    const QString path = folder.filePath(name);
    picture.save(path, "JPG");
    return path;
}

TEST_F(InputLineFrmTest, OpeningEmptiesTheSharedRecords)
{
    Open();
    EXPECT_EQ(gEachTopAreaNumber, 0);
    EXPECT_FALSE(window->planShown());
    EXPECT_TRUE(window->SlopeOrFlatRbn[0]->isChecked());
}

// The close button and the title bar's close (a close from the window system) do one thing: the
// plan is handed over, after the save question when there are edits, also on a sample. Only the
// program's own close (when it ends) closes without a hand-over.
TEST_F(InputLineFrmTest, CloseDecisionTable)
{
    enum How { Button, TitleBar, Program };
    struct Row {
        const char* name;
        How how;
        bool changed;
        std::deque<MessageAnswer> answers;
        bool asked, saveDialog, handedOver, open;
        int billDataSTS;
    };
    // A sample set as loaded holds no edits of the user's; once changed, the work is the user's
    // like any other.
    const Row rows[] = {
        {"button, unchanged", Button, false, {}, false, false, true, false, -1},
        {"button, changed, OK", Button, true, {MessageAnswer::Ok}, true, true, false, true, 0},
        {"button, changed, Cancel", Button, true, {MessageAnswer::Cancel}, true, false, true, false, -1},
        {"title bar, unchanged", TitleBar, false, {}, false, false, true, false, -1},
        {"title bar, changed, OK", TitleBar, true, {MessageAnswer::Ok}, true, true, false, true, 0},
        {"title bar, changed, Cancel", TitleBar, true, {MessageAnswer::Cancel}, true, false, true, false, -1},
        {"program, changed, Cancel", Program, true, {MessageAnswer::Cancel}, true, false, false, false, 0},
        {"program, unchanged", Program, false, {}, false, false, false, false, 0},
        {"program, changed, OK", Program, true, {MessageAnswer::Ok}, true, true, false, true, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        SetUp();
        port.calls.clear();
        messages.clear();
        fileDialogs = 0;
        Open();
        window->LoadSample2DataMenu_Click();
        window->setUnsavedEdits(r.changed);
        answers = r.answers;
        if (r.how == Button) {
            QTest::mouseClick(window->CloseCmd, Qt::LeftButton);
        } else if (r.how == TitleBar) {
            testutil::CloseFromTitleBar(window);
        } else {
            window->close();
        }
        const bool open = !window.isNull() && window->isVisible();
        EXPECT_EQ(messages.contains(QStringLiteral("変更を保存しますか？")), r.asked);
        EXPECT_EQ(fileDialogs > 0, r.saveDialog);
        EXPECT_EQ(HandedOver(), r.handedOver);
        EXPECT_EQ(open, r.open);
        EXPECT_EQ(gBillDataSTS, r.billDataSTS);
        if (!open && !r.handedOver) {
            EXPECT_TRUE(SiteRestored()) << "the site keeps its buildings";
        }
        if (r.handedOver) {
            EXPECT_TRUE(QFile::exists(DataPath("Sample1", "TempData1.dat")));
            EXPECT_EQ(gFixDataSTS, 0);
        }
        Settle();
        delete window.data();
    }
}

// Altitudes that give no plan keep the window open with the work, whichever way it is closed.
TEST_F(InputLineFrmTest, RefusedAltitudesKeepTheWindowOpenAndHandNothingOver)
{
    for (const bool titleBar : {false, true}) {
        SCOPED_TRACE(titleBar ? "title bar" : "close button");
        SetUp();
        messages.clear();
        Open();
        window->LoadSample2DataMenu_Click();
        window->setUnsavedEdits(true);
        window->IncliHeightmTxt->setText(QStringLiteral("590"));  // ratio above 0.9
        if (titleBar) {
            testutil::CloseFromTitleBar(window);
        } else {
            QTest::mouseClick(window->CloseCmd, Qt::LeftButton);
        }
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->handedOver());
        EXPECT_TRUE(messages.contains(QStringLiteral("傾斜画像の高度は平面画像の90％以下でなければなりません。")));
        EXPECT_FALSE(messages.contains(QStringLiteral("変更を保存しますか？")));
        EXPECT_FALSE(window->planShown());
        EXPECT_FALSE(window->SlopeOrFlatRbn[1]->isChecked());
        EXPECT_EQ(gEachTopAreaNumber, 6) << "the work is kept";
        delete window.data();
    }
}

TEST_F(InputLineFrmTest, HandOverZoomStepStaysOnTheMapsTable)
{
    struct Row { int planStep, mapStep; };
    for (const Row& r : {Row{34, 24}, Row{10, 0}, Row{5, 0}, Row{40, 30}}) {
        SetUp();
        port.calls.clear();
        Open();
        window->LoadSample2DataMenu_Click();
        window->PressViewButton(1);
        ASSERT_TRUE(window->planShown());
        SetFlatScaleIndex(r.planStep);  // as the zoom clicks leave it
        window->CloseCmd_Click();
        EXPECT_EQ(gMapScaleIndex, r.mapStep) << r.planStep;
        EXPECT_FLOAT_EQ(gMapScaleRate, gMapScaleRateTable[r.mapStep]) << r.planStep;
        Settle();
    }
}

TEST_F(InputLineFrmTest, HandOverTurnsThePlanNorthUpAndTheNextOpeningRestoresIt)
{
    Open();
    window->LoadSampleDataMenu_Click();
    window->PressViewButton(1);
    const float planX = gFlatTopAreaX[0], planY = gFlatTopAreaY[0];
    window->AzimusTxt->setText(QStringLiteral("90"));
    window->AzimusTxt_KeyDown(13);
    window->CloseCmd_Click();
    ASSERT_TRUE(HandedOver() || gEachTopAreaNumber == 7);
    // Turned counter-clockwise by 90 degrees: (x, y) -> (-y, x).
    EXPECT_NEAR(gNorthTopAreaX[0], -planY, 1e-3);
    EXPECT_NEAR(gNorthTopAreaY[0], planX, 1e-3);
    EXPECT_EQ(gBillDataSTS, -1);
    Settle();
    Open();
    EXPECT_EQ(gEachTopAreaNumber, 7);
    EXPECT_TRUE(window->planShown()) << "opens on the plan of the restored buildings";
    EXPECT_EQ(window->AzimusTxt->text(), QStringLiteral("90"));
}

TEST_F(InputLineFrmTest, TheWorkingFileKeepsThePictureWidthOfTheRoofs)
{
    Open();
    ASSERT_TRUE(window->OpenPhotoFile(WriteJpeg(folder, QStringLiteral("wide.jpg"), Qt::gray, QSize(900, 700))));
    window->LoadSample2DataMenu_Click();
    window->PressViewButton(1);
    ASSERT_TRUE(window->planShown());
    const float planX = gFlatTopAreaX[3];
    window->CloseCmd_Click();
    QFile file(DataPath("Sample1", "TempData1.dat"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    file.readLine();
    EXPECT_TRUE(file.readLine().startsWith("700,900,")) << "line 2: the picture's height and width";
    Settle();
    SetPhotoPictureWidth(785.0f);  // as a later picture elsewhere would leave it
    Open();
    EXPECT_FLOAT_EQ(gPhotoPictureWidth, 900.0f);
    EXPECT_FLOAT_EQ(gFlatTopAreaX[3], planX) << "the same plan as before the hand-over";
}

TEST_F(InputLineFrmTest, AFailingWorkingFileWriteIsReported)
{
    QDir(folder.path()).rmdir(QStringLiteral("Sample1"));
    QFile blocker(folder.filePath(QStringLiteral("Sample1")));  // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Open();
    window->LoadSample2DataMenu_Click();
    window->CloseCmd_Click();
    EXPECT_TRUE(HandedOver()) << "the hand-over completes";
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_TRUE(messages.last().contains(QStringLiteral("TempData1.dat")));
}

// A model the working file cannot hold (a typed height past the file's limit) is handed over
// with a message, and no earlier working file is left to bring back an older model.
TEST_F(InputLineFrmTest, AModelTheWorkingFileCannotHoldLeavesNoOlderWorkingFile)
{
    Open();
    window->LoadSample2DataMenu_Click();
    window->CloseCmd_Click();
    Settle();
    ASSERT_TRUE(QFile::exists(DataPath("Sample1", "TempData1.dat")));
    SetUp();
    Open();
    window->LoadSample2DataMenu_Click();
    gWallEdgeNumber = 0;
    SetTopAreaHeight(0, 99999.0f);
    messages.clear();
    window->CloseCmd_Click();
    EXPECT_TRUE(window.isNull() || !window->isVisible()) << "the hand-over completes";
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("屋根の高さが範囲外です。"))) << messages[0].toStdString();
    EXPECT_FALSE(QFile::exists(DataPath("Sample1", "TempData1.dat")));
}

TEST_F(InputLineFrmTest, StopCancelsTheToolOnlyAndKeepsTheUnsavedEdits)
{
    Open();
    window->LoadSample2DataMenu_Click();
    window->setUnsavedEdits(true);
    window->SelectInputMode(4);
    window->StopDrawLineMenu->trigger();
    EXPECT_EQ(window->editor().tool(), 0);
    EXPECT_EQ(window->selectedRoof(), -1);
    EXPECT_TRUE(window->hasUnsavedEdits());
    answers = {MessageAnswer::Cancel};
    window->close();
    EXPECT_TRUE(messages.contains(QStringLiteral("変更を保存しますか？"))) << "closing still asks";
}

TEST_F(InputLineFrmTest, PictureFilesByTheirSuffixWithoutCase)
{
    Open();
    struct Row { const char* name; bool taken; };
    for (const Row& r : {Row{"site.JPG", true}, Row{"site.jpeg", true}, Row{"site.Jpg", true}, Row{"site.bmp.txt", false}}) {
        const QString path = WriteJpeg(folder, QString::fromLatin1(r.name), Qt::gray);
        EXPECT_EQ(window->OpenPhotoFile(path), r.taken) << r.name;
    }
    EXPECT_EQ(window->windowTitle(), QStringLiteral("３D写真/site.Jpg"));
    EXPECT_EQ(window->PhotoPic->size(), QSize(200, 100));
    EXPECT_FLOAT_EQ(gPhotoPictureWidth, 200.0f);
    // The upper right corner is (W/2, H/2) in photo coordinates.
    EXPECT_NEAR(window->PhotoPic->toUser(QPointF(200, 0)).x(), 100.0, 1e-9);
    EXPECT_NEAR(window->PhotoPic->toUser(QPointF(200, 0)).y(), 50.0, 1e-9);
}

TEST_F(InputLineFrmTest, APictureThatCannotBeDecodedChangesNothing)
{
    Open();
    window->LoadSample2DataMenu_Click();
    const QString title = window->windowTitle();
    QFile broken(folder.filePath(QStringLiteral("broken.jpg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    EXPECT_FALSE(window->OpenPhotoFile(broken.fileName()));
    EXPECT_EQ(gEachTopAreaNumber, 6);
    EXPECT_EQ(window->windowTitle(), title);
    EXPECT_EQ(messages.size(), 1) << "said why";
}

TEST_F(InputLineFrmTest, ANewPictureOverUnsavedEditsAsksAndStartsAfresh)
{
    Open();
    window->LoadSample2DataMenu_Click();
    window->setUnsavedEdits(true);
    window->AzimusTxt->setText(QStringLiteral("45"));
    window->AzimusTxt_KeyDown(13);
    window->ClearPhotoCmd_Click();
    ASSERT_EQ(window->ClearPhotoCmd->text(), QStringLiteral("戻す"));
    const QString path = WriteJpeg(folder, QStringLiteral("site.jpg"), Qt::darkGreen);
    answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(window->OpenPhotoFile(path));
    EXPECT_EQ(gEachTopAreaNumber, 6) << "Cancel keeps the edits";
    answers = {MessageAnswer::Ok};
    EXPECT_TRUE(window->OpenPhotoFile(path));
    EXPECT_EQ(gEachTopAreaNumber, 0);
    EXPECT_FALSE(window->hasUnsavedEdits());
    EXPECT_FLOAT_EQ(gNorthAngle, 0.0f);
    EXPECT_EQ(window->AzimusTxt->text(), QStringLiteral("0")) << "the dial follows the reset north";
    EXPECT_NEAR(window->AzimusPic->anchor().y(), 90.0, 1e-9);
    EXPECT_EQ(window->ClearPhotoCmd->text(), QStringLiteral("画像消去"));
    EXPECT_TRUE(window->pictureShown());
}

TEST_F(InputLineFrmTest, ResetAllAsksOverUnsavedEdits)
{
    Open();
    window->LoadSample2DataMenu_Click();
    window->setUnsavedEdits(true);
    answers = {MessageAnswer::Cancel};
    QTest::mouseClick(window->ResetDataCmd, Qt::LeftButton);
    EXPECT_EQ(gEachTopAreaNumber, 6);
    answers = {MessageAnswer::Ok};
    QTest::mouseClick(window->ResetDataCmd, Qt::LeftButton);
    EXPECT_EQ(gEachTopAreaNumber, 0);
    EXPECT_FALSE(window->hasUnsavedEdits());
    EXPECT_EQ(window->dataFileName(), QStringLiteral("*.dat"));
}

TEST_F(InputLineFrmTest, OverlayOnTheSamplePicture)
{
    Open();
    window->LoadSamplePhotoMenu_Click();
    window->LoadSampleDataMenu_Click();
    EXPECT_EQ(window->PhotoPic->size(), QSize(785, 678));
    EXPECT_EQ(window->PhotoPic->y(), (657 - 678) / 2);
    EXPECT_EQ(window->PhotoPic->pointColor({83, 122}), kRoofLineColor);
    EXPECT_EQ(window->PhotoPic->pointColor({79.5, 96}), kWallLineColor);
    // Away from the overlay the picture shows.
    const QPointF pixel = window->PhotoPic->toPixel({-380, -300});
    EXPECT_EQ(window->PhotoPic->pointColor({-380, -300}), window->picture().pixelColor(pixel.toPoint()));
    // Hidden and back.
    window->ClearPhotoCmd_Click();
    EXPECT_EQ(window->PhotoPic->pointColor({-380, -300}), QColor(Qt::white));
    EXPECT_EQ(window->PhotoPic->pointColor({83, 122}), kRoofLineColor);
    window->ClearPhotoCmd_Click();
    EXPECT_EQ(window->PhotoPic->pointColor({-380, -300}), window->picture().pixelColor(pixel.toPoint()));
}

TEST_F(InputLineFrmTest, BackFromThePlanRestoresThePictureAndPhotoCoordinates)
{
    Open();
    window->LoadSamplePhotoMenu_Click();
    window->LoadSampleDataMenu_Click();
    const double left = window->PhotoPic->scaleLeft(), top = window->PhotoPic->scaleTop();
    window->DispFlatMapMenu->trigger();
    ASSERT_TRUE(window->planShown());
    EXPECT_EQ(window->PhotoPic->size(), QSize(785, 657));
    EXPECT_DOUBLE_EQ(window->PhotoPic->scaleLeft(), -380.0);
    window->DispSlopeMapMenu->trigger();
    EXPECT_FALSE(window->planShown());
    EXPECT_EQ(window->PhotoPic->size(), QSize(785, 678));
    EXPECT_DOUBLE_EQ(window->PhotoPic->scaleLeft(), left);
    EXPECT_DOUBLE_EQ(window->PhotoPic->scaleTop(), top);
    const QPointF pixel = window->PhotoPic->toPixel({-380, -300});
    EXPECT_EQ(window->PhotoPic->pointColor({-380, -300}), window->picture().pixelColor(pixel.toPoint()));
    EXPECT_EQ(window->PhotoPic->pointColor({83, 122}), kRoofLineColor);
}

void SendMouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, w->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

TEST_F(InputLineFrmTest, DraggedMarkerSnapsAndTurnsThePlan)
{
    Open();
    window->LoadSample2DataMenu_Click();
    window->PressViewButton(1);
    const QPointF before = window->planFrame().toCanvas(gFlatTopAreaX[0], gFlatTopAreaY[0]);
    EXPECT_EQ(window->PhotoPic->pointColor(before), kPlanRoofColor);
    NorthDial* dial = window->AzimusPic;
    SendMouse(dial, QEvent::MouseButtonPress, NorthDial::toPixel({0, 90}), Qt::LeftButton);
    SendMouse(dial, QEvent::MouseMove, NorthDial::toPixel({25, 60}), Qt::LeftButton);
    SendMouse(dial, QEvent::MouseMove, NorthDial::toPixel({50, 50}), Qt::LeftButton);
    SendMouse(dial, QEvent::MouseButtonRelease, NorthDial::toPixel({50, 50}), Qt::NoButton);
    EXPECT_EQ(window->AzimusTxt->text(), QStringLiteral("45"));
    EXPECT_FLOAT_EQ(gNorthAngle, 45.0f);
    EXPECT_NEAR(dial->anchor().x(), 63.64, 0.01);
    // The marker is drawn at the snapped anchor, not where it was dropped.
    const QImage shown = dial->grab().toImage();
    const QPointF tip = NorthDial::toPixel({63.64, 63.64}) - QPointF(4, -4);
    EXPECT_EQ(shown.pixelColor(tip.toPoint()), QColor(220, 30, 30));
    const QPointF dropped = NorthDial::toPixel({50, 50}) - QPointF(4, -4);
    EXPECT_NE(shown.pixelColor(dropped.toPoint()), QColor(220, 30, 30));
    // The plan is drawn again north-up: roof 0's first vertex turned by 45 degrees, the mark in
    // the upper left.
    const QPointF turned = window->planFrame().toCanvas(gFlatTopAreaX[0], gFlatTopAreaY[0]);
    EXPECT_GT(std::hypot(turned.x() - before.x(), turned.y() - before.y()), 20.0);
    EXPECT_EQ(window->PhotoPic->pointColor(turned), kPlanRoofColor);
    EXPECT_EQ(window->PhotoPic->pointColor({-330, 200}), kNorthMarkColor);
}

TEST_F(InputLineFrmTest, PlanSelectionAndTheHeightDialog)
{
    Open();
    window->LoadSample2DataMenu_Click();
    window->PressViewButton(1);
    ASSERT_TRUE(window->planShown());
    EXPECT_FALSE(window->ChangeBillHeightMenu->isEnabled());
    window->ChangeBillHeightMenu_Click();
    EXPECT_EQ(window->findChild<ChangeHeightFrm*>(), nullptr) << "no roof selected: nothing";
    // Double-click at the middle of roof 2's plan outline.
    double sx = 0, sy = 0;
    const int start = gEachTopAreaStartNum[2], count = gEachTopAreaPointNum[2] - 1;
    for (int k = start; k < start + count; ++k) {
        sx += gFlatTopAreaX[k];
        sy += gFlatTopAreaY[k];
    }
    const QPointF centre(sx / count * window->planScale(), sy / count * window->planScale());
    const QPoint pixel = window->PhotoPic->toPixel(centre).toPoint();
    QTest::mouseClick(window->PhotoPic, Qt::LeftButton, Qt::NoModifier, pixel);
    QTest::mouseDClick(window->PhotoPic, Qt::LeftButton, Qt::NoModifier, pixel);
    ASSERT_EQ(window->selectedRoof(), 2);
    ASSERT_TRUE(window->ChangeBillHeightMenu->isEnabled());
    window->ChangeBillHeightMenu->trigger();
    ChangeHeightFrm* dialog = window->findChild<ChangeHeightFrm*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->HeightTxt->text(), QString::fromStdString(platform::FormatFixed(gFlatTopHeight[2], "###0.0")));
    const float before = gFlatTopHeight[2];
    for (const char* refused : {"501", "-1", "abc"}) {
        dialog->HeightTxt->setText(QString::fromLatin1(refused));
        dialog->OKCmd_Click();
        EXPECT_FLOAT_EQ(gFlatTopHeight[2], before) << refused;
    }
    QPointer<ChangeHeightFrm> alive(dialog);
    dialog->HeightTxt->setText(QStringLiteral("42.5"));
    QTest::mouseClick(dialog->OKCmd, Qt::LeftButton);
    EXPECT_FLOAT_EQ(gFlatTopHeight[2], 42.5f);
    EXPECT_EQ(window->selectedRoof(), 2) << "redrawn with the roof highlighted";
    EXPECT_TRUE(window->hasUnsavedEdits());
    Settle();
    EXPECT_TRUE(alive.isNull());
}

TEST_F(InputLineFrmTest, PlanZoomClicksStayWithinTheTable)
{
    Open();
    window->LoadSample2DataMenu_Click();
    window->PressViewButton(1);
    window->SelectInputMode(1);
    ASSERT_EQ(window->editor().tool(), 1);
    const int fitted = gFlatScaleIndex;
    QTest::mouseClick(window->PhotoPic, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
    EXPECT_EQ(gFlatScaleIndex, std::min(fitted + 1, 40));
    for (int k = 0; k < 45; ++k) window->PhotoPic_MouseDown(Qt::RightButton, {0, 0});
    EXPECT_EQ(gFlatScaleIndex, 0);
    for (int k = 0; k < 45; ++k) window->PhotoPic_MouseDown(Qt::LeftButton, {0, 0});
    EXPECT_EQ(gFlatScaleIndex, 40);
}

TEST_F(InputLineFrmTest, MenuToolsRunTheAltitudeCheck)
{
    Open();
    for (int tool : {2, 3, 7}) {
        messages.clear();
        window->InputModeMenu[tool]->trigger();
        EXPECT_EQ(window->editor().tool(), 0) << tool;
        EXPECT_EQ(messages.size(), 1) << tool;
    }
    window->VerHeightmTxt->setText(QStringLiteral("589"));
    window->IncliHeightmTxt->setText(QStringLiteral("134"));
    window->InputModeMenu[3]->trigger();
    EXPECT_EQ(window->editor().tool(), 3);
}

TEST_F(InputLineFrmTest, AltitudeBoxEmptiedOnARefusedValue)
{
    Open();
    window->VerHeightmTxt->clear();
    QTest::keyClicks(window->VerHeightmTxt, QStringLiteral("1600"));
    EXPECT_EQ(messages, QStringList{QStringLiteral("入力値が適切ではありません")}) << "refused at the fourth digit";
    EXPECT_TRUE(window->VerHeightmTxt->text().isEmpty());
}

// Letters are refused with the box's message, not read as 0 or as the number before them.
TEST_F(InputLineFrmTest, LettersInTheAltitudeAndAngleBoxesAreRefused)
{
    Open();
    for (QLineEdit* box : {window->VerHeightmTxt, window->IncliHeightmTxt}) {
        SCOPED_TRACE(box->objectName().toStdString());
        box->clear();
        messages.clear();
        QTest::keyClicks(box, QStringLiteral("1.5e"));
        EXPECT_TRUE(messages.isEmpty()) << "the start of a number is no letter";
        box->clear();
        QTest::keyClicks(box, QStringLiteral("2x"));
        EXPECT_EQ(messages, QStringList{QStringLiteral("入力値が適切ではありません")});
        EXPECT_TRUE(box->text().isEmpty());
    }
    window->PointImg_MouseUp(90.0);
    for (const char* typed : {"2x", "abc"}) {
        messages.clear();
        window->AzimusTxt->clear();
        QTest::keyClicks(window->AzimusTxt, QString::fromLatin1(typed));
        QTest::keyClick(window->AzimusTxt, Qt::Key_Return);
        EXPECT_EQ(messages, QStringList{QStringLiteral("入力値が適切ではありません")}) << typed;
        EXPECT_EQ(gNorthAngle, 90.0f) << "the angle in use stays";
        EXPECT_EQ(window->AzimusTxt->text(), QStringLiteral("90"));
    }
    messages.clear();
    window->AzimusTxt->clear();
    QTest::keyClicks(window->AzimusTxt, QStringLiteral("45"));
    QTest::keyClick(window->AzimusTxt, Qt::Key_Return);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(gNorthAngle, 45.0f);
}

TEST_F(InputLineFrmTest, DataFilesSavedAndOpenedAgain)
{
    Open();
    window->LoadSample2DataMenu_Click();
    window->setUnsavedEdits(true);
    QString answer = folder.filePath(QStringLiteral("site.dat"));
    platform::SetFileDialogAnswerer([&answer](platform::FileDialogKind, const platform::FileDialogOptions&) { return answer; });
    window->SaveDataMenu_Click();
    ASSERT_TRUE(QFile::exists(answer));
    EXPECT_FALSE(window->hasUnsavedEdits());
    EXPECT_TRUE(window->planShown()) << "saved from the plan";
    // The demonstration's own names are refused.
    answer = folder.filePath(QStringLiteral("LineData5.dat"));
    window->setUnsavedEdits(true);
    window->SaveDataMenu_Click();
    EXPECT_FALSE(QFile::exists(answer));
    EXPECT_EQ(messages.last(), QStringLiteral("このデータは保存できません。"));
    EXPECT_TRUE(window->hasUnsavedEdits()) << "nothing saved: the edits stay unsaved";
    // Opened again into an emptied window, with the oblique view and the file's calibration.
    window->setUnsavedEdits(false);
    QTest::mouseClick(window->ResetDataCmd, Qt::LeftButton);
    ASSERT_EQ(gEachTopAreaNumber, 0);
    window->VerHeightmTxt->clear();
    answer = folder.filePath(QStringLiteral("site.dat"));
    window->OpenDataMenu_Click();
    EXPECT_EQ(gEachTopAreaNumber, 6);
    EXPECT_EQ(gWallEdgeNumber, 10);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("データファイル/site.dat"));
    EXPECT_EQ(window->VerHeightmTxt->text(), QStringLiteral("598"));
    EXPECT_FALSE(window->planShown());

    // A file whose eye altitude the boxes would refuse is refused as it opens.
    QFile file(answer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray text = file.readAll();
    file.close();
    text.replace("598,126.9125,102", "3000,126.9125,102");
    answer = folder.filePath(QStringLiteral("high.dat"));
    QFile high(answer);
    ASSERT_TRUE(high.open(QIODevice::WriteOnly));
    high.write(text);
    high.close();
    messages.clear();
    window->OpenDataMenu_Click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("データが壊れています。"))) << messages[0].toStdString();
    EXPECT_EQ(window->VerHeightmTxt->text(), QStringLiteral("598"));
    EXPECT_EQ(gEachTopAreaNumber, 6);
}

TEST_F(InputLineFrmTest, FootprintDeveloperButtonFillsTheGridAndDraws)
{
    Open();
    window->LoadSample2DataMenu_Click();
    window->PressViewButton(1);
    window->ComputeCutBillCmd_Click();
    ASSERT_FALSE(window->footprintCrossings().empty());
    // Roof 0 covers the cell of its first plan point's north-up position (north 0 here).
    const int i = 150 + static_cast<int>(std::lround(gFlatTopAreaX[1])), j = 150 + static_cast<int>(std::lround(gFlatTopAreaY[1]));
    int covered = 0;
    for (int di = -2; di <= 2; ++di)
        for (int dj = -2; dj <= 2; ++dj) covered += gBillHeightMesh.at(i + di, j + dj) == 1.0f;
    EXPECT_GT(covered, 0);
    const QPointF cell((i - 150 + 0.5) * window->planScale(), (j - 150 + 0.5) * window->planScale());
    int drawn = 0;
    for (int di = -2; di <= 2; ++di)
        for (int dj = -2; dj <= 2; ++dj)
            drawn += window->PhotoPic->pointColor(cell + QPointF(di, dj) * window->planScale()) == FootprintColor(0);
    EXPECT_GT(drawn, 0);
}

TEST_F(InputLineFrmTest, HelpGoesThroughThePort)
{
    Open();
    window->HelpMenu->trigger();
    EXPECT_TRUE(port.calls.contains(QStringLiteral("ShowBuildingInputManual")));
}

}  // namespace

namespace {

// The automatic-roof tool on the built-in pictures: a double-click inside a roof stores it as the
// active roof with the busy pointer only while it runs, and shows the building's height when the
// roof's wall is found (roof 2 of picture 2, 23.2 m; roof 5 of picture 1, 16.5 m) or empties the
// height box when it is not (roof 1 of picture 2, whose wall the roof in front of it hides). A
// second double-click there is refused.
TEST_F(InputLineFrmTest, AutomaticRoofDoubleClick)
{
    struct Case {
        int picture, roof;
        bool wall;
        double height;
    };
    for (const Case c : {Case{2, 2, true, 23.2}, Case{1, 5, true, 16.5}, Case{2, 1, false, 0}}) {
        SCOPED_TRACE("picture " + std::to_string(c.picture) + " roof " + std::to_string(c.roof));
        Open();
        if (c.picture == 1) {
            window->LoadSamplePhotoMenu_Click();
        } else {
            window->LoadSample2PhotoMenu_Click();
        }
        const SampleSet& set = SampleDataSet(c.picture);
        window->VerHeightmTxt->setText(QString::number(set.data.sourceHeight));
        window->IncliHeightmTxt->setText(QString::number(set.data.slideHeight));
        window->SelectInputMode(7);
        ASSERT_EQ(window->editor().tool(), 7);
        ResetAllDataBuildingData();
        messages.clear();
        window->HeightTxt->setText(QStringLiteral("12.3"));
        // The middle of the roof as traced in the sample set, pressed with the pointer's hot spot
        // 10 units right of and 10 below the tip.
        const LineRoof& roof = set.data.roofs[c.roof];
        QPointF centre;
        for (int k = roof.start; k < roof.start + roof.count - 1; ++k) {
            centre += QPointF(set.data.points[k].x, set.data.points[k].y) / double(roof.count - 1);
        }
        const QPoint pixel = window->PhotoPic->toPixel(centre + QPointF(10, -10)).toPoint();
        QTest::mouseClick(window->PhotoPic, Qt::LeftButton, Qt::NoModifier, pixel);
        QTest::mouseDClick(window->PhotoPic, Qt::LeftButton, Qt::NoModifier, pixel);
        ASSERT_EQ(gEachTopAreaNumber, 1);
        EXPECT_EQ(window->selectedRoof(), 0);
        EXPECT_TRUE(window->hasUnsavedEdits()) << "the found roof is an edit";
        EXPECT_NEAR(window->editor().workingPoint().x(), centre.x(), 1.0);
        EXPECT_NEAR(window->editor().workingPoint().y(), centre.y(), 1.0);
        EXPECT_NE(window->cursor().shape(), Qt::WaitCursor);
        EXPECT_NE(window->PhotoPic->cursor().shape(), Qt::WaitCursor);
        if (c.wall) {
            EXPECT_EQ(gWallEdgeNumber, 1);
            bool number = false;
            EXPECT_NEAR(window->HeightTxt->text().toDouble(&number), c.height, 0.5);
            EXPECT_TRUE(number) << window->HeightTxt->text().toStdString();
        } else {
            EXPECT_EQ(gWallEdgeNumber, 0);
            EXPECT_EQ(window->HeightTxt->text(), QString());
        }
        EXPECT_TRUE(messages.isEmpty());

        QTest::mouseClick(window->PhotoPic, Qt::LeftButton, Qt::NoModifier, pixel);
        QTest::mouseDClick(window->PhotoPic, Qt::LeftButton, Qt::NoModifier, pixel);
        EXPECT_EQ(gEachTopAreaNumber, 1);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages.back(), QStringLiteral("この屋上は既にセットされています。"));
        delete window.data();
    }
}

}  // namespace
