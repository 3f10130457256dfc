#include <QApplication>
// The main window's file commands driven as the user drives them: menus, buttons and the file
// dialogs (answered by the fixture), in a start folder of their own.
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <functional>

#include "MainWindowFixture.h"
#include "site/GpsRecord.h"
#include "app/MainFileCommands.h"
#include "site/RunState.h"
#include "site/MapView.h"
#include "site/SiteFiles.h"
#include "site/TopAreaModel.h"
#include "orbit/Almanac4Frm.h"
#include "orbit/AlmanacTable.h"
#include "orbit/ObservationConditions.h"
#include "orbit/YumaAlmanac.h"
#include "skyview/DispCumpuSateliteObitFrm.h"
#include "platform/PictureSurface.h"
#include "platform/PrintWindow.h"
#include "platform/WebPage.h"

namespace {

const QString kTitle = QStringLiteral("GPS衛星軌道予測/");

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Each test starts the program in an empty start folder with a data0 folder.
class MainFileTest : public MessageRecordingTest {
protected:
    void SetUp() override
    {
        MessageRecordingTest::SetUp();
        QDir(startFolder.path()).mkpath(QStringLiteral("data0"));
        gPictureSaveWait = 0.0;
        gGPSRecordNum = 0;
        SetFixDataSTS(0);
        ClearTopAreaModel();
    }

    MainWorkingFrm* Start()
    {
        frm = MainWorkingFrm::instance();
        frm->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frm));
        return frm;
    }

    QString Path(const QString& name) const { return startFolder.filePath(name); }

    // The building model, view and conditions as a project file would hold them.
    static std::string ModelText() { return WriteProjectText(CaptureProject()); }

    void Open(const QString& path)
    {
        dialogPaths = {path};
        frm->LoadMapDataMenu->trigger();
    }

    void Save(const QString& path)
    {
        dialogPaths = {path};
        frm->SaveProjectMenu->trigger();
    }

    MainWorkingFrm* frm = nullptr;
};

TEST_F(MainFileTest, SettingsWrittenAtTheEndAreReadAtTheNextStart)
{
    Start();
    frm->LatDataTxt->setText(QStringLiteral("35.25"));
    frm->LonDataTxt->setText(QStringLiteral("139.75"));
    frm->ReadComputeCondition();
    frm->AntennaHTxt->setText(QStringLiteral("12.5"));
    QCloseEvent close;
    QApplication::sendEvent(frm, &close);
    EXPECT_TRUE(close.isAccepted());
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    ASSERT_TRUE(QFile::exists(Path(QStringLiteral("data0/Setting.dat"))));

    delete frm;
    SetLatitude(0.0f);
    SetLongitude(0.0f);
    SetAntennaHeight(0.0f);
    Start();
    EXPECT_EQ(frm->LatDataTxt->text(), QStringLiteral("35.25"));
    EXPECT_EQ(frm->LonDataTxt->text(), QStringLiteral("139.75"));
    EXPECT_EQ(frm->AntennaHTxt->text(), QStringLiteral("12.5"));
    EXPECT_FLOAT_EQ(gAntennaHeight, 12.5f);
}

TEST_F(MainFileTest, BrokenSettingsFileIsReportedAndLeavesTheDefaults)
{
    WriteAll(Path(QStringLiteral("data0/Setting.dat")), " 35.5 \r\n 139.5 \r\n");
    SetLatitude(0.0f);
    SetLongitude(0.0f);
    Start();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("データが壊れています。")));
    EXPECT_EQ(gLatitude, 0.0f);
    EXPECT_EQ(frm->LatDataTxt->text(), QStringLiteral("0"));
}

TEST_F(MainFileTest, SampleSavedUnderANewNameOpensAgainAfterAClear)
{
    Start();
    // A calibrated site, far off the origin, was on the map before.
    SetFixDataSTS(1);
    SetMapCenter(5000.0, -3000.0f);
    frm->ReadSampleDataMemu->trigger();
    EXPECT_EQ(gFixDataSTS, 0);
    EXPECT_EQ(pMapCenterX, 0.0);
    EXPECT_EQ(pMapCenterY, 0.0f);
    EXPECT_EQ(frm->windowTitle(), kTitle);
    EXPECT_EQ(frm->LatDataTxt->text(), QStringLiteral("35.5"));
    EXPECT_EQ(frm->LonDataTxt->text(), QStringLiteral("139.5"));
    EXPECT_EQ(frm->AntennaHTxt->text(), QStringLiteral("0"));
    // The buildings are the sample's, exactly.
    const ProjectData sample = SampleProject();
    ASSERT_EQ(gEachTopAreaNumber, 6);
    ASSERT_EQ(gTopAreaPointTotalNumber, 37);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(gEachTopAreaStartNum[i], sample.areas[i].start);
        EXPECT_EQ(gEachTopAreaPointNum[i], sample.areas[i].count);
        EXPECT_EQ(gFlatTopHeight[i], sample.areas[i].height);
    }
    for (int j = 0; j < 37; ++j) {
        EXPECT_EQ(gNorthTopAreaX[j], sample.points[j].x) << j;
        EXPECT_EQ(gNorthTopAreaY[j], sample.points[j].y) << j;
    }

    frm->ZoomUpCmd_Click();
    frm->AntennaHTxt->setText(QStringLiteral("2.5"));
    frm->ElevationCmb->setCurrentIndex(15);
    frm->setChangeCount(3);
    const std::string saved = ModelText();
    Save(Path(QStringLiteral("site.dat")));
    ASSERT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(frm->changeCount(), 3);  // saving leaves the change count
    EXPECT_EQ(ReadAll(Path(QStringLiteral("site.dat"))).toStdString(), saved);

    // The change count stays after a save, so a new project asks as closing does; No goes on.
    answer = platform::MessageAnswer::No;
    frm->TheNewProjectMenu->trigger();
    EXPECT_EQ(messages, QStringList{QStringLiteral("変更を保存しますか？")});
    messages.clear();
    ASSERT_EQ(gEachTopAreaNumber, 0);
    frm->LatDataTxt->setText(QStringLiteral("10"));
    Open(Path(QStringLiteral("site.dat")));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(ModelText(), saved);
    EXPECT_EQ(gMapScaleIndex, 25);
    EXPECT_EQ(frm->windowTitle(), kTitle + QStringLiteral("site.dat"));
    EXPECT_EQ(frm->LatDataTxt->text(), QStringLiteral("35.5"));
    EXPECT_EQ(frm->AntennaHTxt->text(), QStringLiteral("2.5"));
    EXPECT_EQ(frm->ElevationCmb->currentIndex(), 15);
    EXPECT_EQ(frm->sampleLoaded(), 0);

    // Saving over it asks first; Cancel leaves the file as it was.
    SetTopAreaHeight(0, 99.0f);
    answer = platform::MessageAnswer::Cancel;
    Save(Path(QStringLiteral("site.dat")));
    EXPECT_EQ(messages, QStringList{QStringLiteral("同じファイル名があります上書きしますか？")});
    EXPECT_EQ(ReadAll(Path(QStringLiteral("site.dat"))).toStdString(), saved);
}

TEST_F(MainFileTest, LargeSecondReserveIsKeptThroughOpenAndSave)
{
    ProjectData data = SampleProject();
    data.reserve2 = 1.0e30f;
    WriteAll(Path(QStringLiteral("reserve.dat")), QByteArray::fromStdString(WriteProjectText(data)));
    Start();
    Open(Path(QStringLiteral("reserve.dat")));
    ASSERT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_FLOAT_EQ(gProjectReserve2, 1.0e30f);
    Save(Path(QStringLiteral("again.dat")));
    const auto again = ParseProjectText(ReadAll(Path(QStringLiteral("again.dat"))).toStdString());
    ASSERT_TRUE(again.has_value());
    EXPECT_FLOAT_EQ(again->reserve2, 1.0e30f);
}

TEST_F(MainFileTest, SaveRefusesTheProtectedNameAndReportsAFailedWrite)
{
    Start();
    frm->ReadSampleDataMemu->trigger();
    Save(Path(QStringLiteral("AreaBillData1.dat")));
    EXPECT_EQ(messages, QStringList{QStringLiteral("このデータは保存できません。")});
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("AreaBillData1.dat"))));

    messages.clear();
    frm->setChangeCount(2);
    Save(Path(QStringLiteral("no-such-folder/site.dat")));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("ファイルを保存できませんでした。")));
    EXPECT_EQ(frm->changeCount(), 2);
}

TEST_F(MainFileTest, BrokenProjectFilesAreRefusedWithTheStateUnchanged)
{
    const std::string good = WriteProjectText(SampleProject());
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"ends before its last point line", good.substr(0, good.size() - 12)},
        {"502 buildings", replaced("\r\n 6 \r\n", "\r\n 502 \r\n")},
        {"more points than 2001", replaced(" 37 \r\n", " 2002 \r\n")},
        {"a run starting beyond the points", replaced("30,7,27", "36,7,27")},
        {"a height that is no number", replaced("26.4", "abc")},
        {"a negative height", replaced("26.4", "-26.4")},
        {"a point far off any site", replaced("15.6,-18.9", "15.6,1e30")},
        {"a latitude out of range", replaced(" 35.5 ", " 135.5 ")},
        {"empty", ""},
    };
    Start();
    frm->ReadSampleDataMemu->trigger();
    SetFixDataSTS(1);
    const std::string before = ModelText();
    const QString title = frm->windowTitle();
    const QString name = frm->projectFileName();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        const QString path = Path(QStringLiteral("broken.dat"));
        WriteAll(path, QByteArray::fromStdString(c.text));
        Open(path);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].startsWith(QStringLiteral("データが壊れています。")));
        EXPECT_EQ(ModelText(), before);
        EXPECT_EQ(frm->windowTitle(), title);
        EXPECT_EQ(frm->projectFileName(), name);
        EXPECT_EQ(frm->LatDataTxt->text(), QStringLiteral("35.5"));
    }
    messages.clear();
    Open(Path(QStringLiteral("missing.dat")));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("ファイルを開けません。")));
    EXPECT_EQ(ModelText(), before);
}

TEST_F(MainFileTest, FileTypeIsTheSuffixOfTheFileName)
{
    ASSERT_TRUE(QDir(startFolder.path()).mkpath(QStringLiteral("my.files")));
    const QByteArray sample = QByteArray::fromStdString(WriteProjectText(SampleProject()));
    WriteAll(Path(QStringLiteral("my.files/site")), sample);
    WriteAll(Path(QStringLiteral("my.files/Site.DAT")), sample);
    Start();
    Open(Path(QStringLiteral("my.files/site")));
    EXPECT_EQ(gEachTopAreaNumber, 0);
    EXPECT_EQ(frm->windowTitle(), kTitle);
    Open(Path(QStringLiteral("my.files/Site.DAT")));
    EXPECT_EQ(gEachTopAreaNumber, 6);
    EXPECT_EQ(frm->windowTitle(), kTitle + QStringLiteral("Site.DAT"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainFileTest, CalibratedProjectIsCentredOnItsPoints)
{
    ProjectData project = SampleProject();
    project.fixDataSTS = 1;
    for (SitePoint& p : project.points) {
        p.x += 1000.0f;
        p.y += 2000.0f;
    }
    WriteAll(Path(QStringLiteral("plane.txt")), QByteArray::fromStdString(WriteProjectText(project)));
    Start();
    Open(Path(QStringLiteral("plane.txt")));
    // Bounding box of the sample: x -46.2 .. 39.9, y -36.9 .. 57.3.
    EXPECT_NEAR(pMapCenterX, 1000.0 + (-46.2 + 39.9) / 2.0, 1e-3);
    EXPECT_NEAR(pMapCenterY, 2000.0 + (-36.9 + 57.3) / 2.0, 1e-3);
}

TEST_F(MainFileTest, GpsRecordSkipsBlankLinesAndKeepsTheProjectName)
{
    WriteAll(Path(QStringLiteral("walk.gps")), "09:15:30,123.4,-56.7\r\n"
                                               "\r\n"
                                               "   \r\n"
                                               "09:15:32,127.4,-50.7\r\n");
    Start();
    const QImage before = frm->PhotoPic->image();
    const QString name = frm->projectFileName();
    dialogPaths = {Path(QStringLiteral("walk.gps"))};
    frm->LoadStoredGPSDataMenu->trigger();
    EXPECT_TRUE(messages.isEmpty());
    ASSERT_EQ(gGPSRecordNum, 2);
    EXPECT_FLOAT_EQ(gGPSRecordX[0], 123.4f);
    EXPECT_FLOAT_EQ(gGPSRecordY[0], -56.7f);
    EXPECT_FLOAT_EQ(gGPSRecordX[1], 127.4f);
    EXPECT_FLOAT_EQ(gGPSRecordY[1], -50.7f);
    // Uncalibrated: the map centres on the track, which is drawn there.
    EXPECT_NEAR(pMapCenterX, 125.4, 1e-4);
    EXPECT_NEAR(pMapCenterY, -53.7, 1e-4);
    EXPECT_NE(frm->PhotoPic->image(), before);
    EXPECT_EQ(frm->projectFileName(), name);

    // Calibrated: the centre stays. A file with no position is refused, the track kept.
    SetFixDataSTS(1);
    SetMapCenter(7.0, pMapCenterY);
    WriteAll(Path(QStringLiteral("other.txt")), "09:00:00,1.0,2.0\r\n");
    dialogPaths = {Path(QStringLiteral("other.txt"))};
    frm->LoadStoredGPSDataMenu->trigger();
    EXPECT_EQ(gGPSRecordNum, 1);
    EXPECT_EQ(pMapCenterX, 7.0);
    WriteAll(Path(QStringLiteral("empty.gps")), "\r\n \r\n");
    dialogPaths = {Path(QStringLiteral("empty.gps"))};
    frm->LoadStoredGPSDataMenu->trigger();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(gGPSRecordNum, 1);
}

// A record whose last line was cut short as it was written (the program or the machine stopped)
// is drawn from its whole lines.
TEST_F(MainFileTest, GpsRecordCutShortInItsLastLineIsDrawnFromItsWholeLines)
{
    Start();
    const QImage before = frm->PhotoPic->image().copy();
    WriteAll(Path(QStringLiteral("walk.gps")), "09:15:30,-20141.3,-28988.1\r\n09:15:31,-20139.3,-28986.1\r\n09:15:32,-201");
    dialogPaths = {Path(QStringLiteral("walk.gps"))};
    frm->LoadStoredGPSDataMenu->trigger();
    EXPECT_TRUE(messages.isEmpty());
    ASSERT_EQ(gGPSRecordNum, 2);
    EXPECT_FLOAT_EQ(gGPSRecordX[1], -20139.3f);
    EXPECT_FLOAT_EQ(gGPSRecordY[1], -28986.1f);
    EXPECT_NEAR(pMapCenterX, -20140.3, 1e-2);
    EXPECT_NEAR(pMapCenterY, -28987.1, 1e-2);
    // The track, centred on the map, is drawn at the picture origin.
    const QImage drawn = frm->PhotoPic->image();
    const QPoint origin = frm->PhotoPic->toPixel(QPointF(0.0, 0.0)).toPoint();
    bool marked = false;
    for (int dx = -6; dx <= 6; ++dx) {
        for (int dy = -6; dy <= 6; ++dy) {
            const QPoint at = origin + QPoint(dx, dy);
            marked = marked || drawn.pixelColor(at) != before.pixelColor(at);
        }
    }
    EXPECT_TRUE(marked);
}

// A file without any record line is refused with the reason; the track, the map centre and the
// picture stay as they were.
TEST_F(MainFileTest, GpsRecordFileWithoutRecordLinesIsRefusedAndChangesNothing)
{
    Start();
    WriteAll(Path(QStringLiteral("walk.gps")), "09:15:30,-20141.3,-28988.1\r\n09:15:31,-20139.3,-28986.1\r\n");
    dialogPaths = {Path(QStringLiteral("walk.gps"))};
    frm->LoadStoredGPSDataMenu->trigger();
    ASSERT_EQ(gGPSRecordNum, 2);
    const QImage drawn = frm->PhotoPic->image().copy();
    const double centreX = pMapCenterX;
    const float centreY = pMapCenterY;

    WriteAll(Path(QStringLiteral("notes.txt")), "Walk around the block\r\nEast, north and time were noted by hand.\r\n");
    dialogPaths = {Path(QStringLiteral("notes.txt"))};
    frm->LoadStoredGPSDataMenu->trigger();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("記録の行がありません"))) << messages[0].toStdString();
    ASSERT_EQ(gGPSRecordNum, 2);
    EXPECT_FLOAT_EQ(gGPSRecordX[1], -20139.3f);
    EXPECT_FLOAT_EQ(gGPSRecordY[1], -28986.1f);
    EXPECT_EQ(pMapCenterX, centreX);
    EXPECT_EQ(pMapCenterY, centreY);
    EXPECT_EQ(frm->PhotoPic->image(), drawn);
}

// On a map in local metres that holds buildings a record (plane coordinates) cannot be drawn
// with them: it is refused with the reason before a file is asked for, and the track, the map
// centre and the picture stay as they were.
TEST_F(MainFileTest, GpsRecordOnAnUncorrectedSiteWithBuildingsIsRefusedBeforeAFileIsAskedFor)
{
    WriteAll(Path(QStringLiteral("walk.gps")), "09:15:30,-20100.0,-29000.0\r\n");
    Start();
    // "GPS記録データ(&G)" under "開く(&O)" of the file menu, chosen with the keyboard.
    auto chooseRecord = [this] {
        ASSERT_NO_FATAL_FAILURE(OpenFileMenu(frm));
        QTest::keyClick(frm->FileHandleMenu, Qt::Key_O);
        ASSERT_EQ(QApplication::activePopupWidget(), frm->OpenProjectMenu);
        QTest::keyClick(frm->OpenProjectMenu, Qt::Key_G);
    };
    frm->ReadSampleDataMemu->trigger();
    ASSERT_GT(gEachTopAreaNumber, 0);
    const QImage buildings = frm->PhotoPic->image().copy();

    dialogPaths = {Path(QStringLiteral("walk.gps"))};
    chooseRecord();
    EXPECT_EQ(messages, QStringList{QStringLiteral("マップ補正されていないため、GPS記録データは建物と重ねて表示できません。")});
    EXPECT_EQ(dialogPaths.size(), 1) << "refused before a file is asked for";
    EXPECT_EQ(gGPSRecordNum, 0);
    EXPECT_EQ(pMapCenterX, 0.0);
    EXPECT_EQ(pMapCenterY, 0.0f);
    EXPECT_EQ(frm->PhotoPic->image(), buildings);

    // Once the map is corrected, the same record is taken.
    SetFixDataSTS(1);
    messages.clear();
    dialogPaths = {Path(QStringLiteral("walk.gps"))};
    chooseRecord();
    EXPECT_TRUE(messages.isEmpty());
    ASSERT_EQ(gGPSRecordNum, 1);
    EXPECT_FLOAT_EQ(gGPSRecordX[0], -20100.0f);
}

// A track read from a record belongs to the site it was drawn on. A new site starts without one,
// and buildings put on a map not corrected to plane coordinates drop it, so that the map never
// draws a track with buildings it cannot belong to; the buildings of a corrected map keep it.
// Each command runs after a walk around the site's origin was loaded on an empty map; what the
// map draws is read from its track colour inside the computation area, where the walk lies, right
// after the command and after the next redraw (one step out).
TEST_F(MainFileTest, ANewSiteOrBuildingsOfAMapNotCorrectedDropTheTrack)
{
    WriteAll(Path(QStringLiteral("walk.gps")), "09:00:00,-20.0,-20.0\r\n09:00:05,20.0,-20.0\r\n"
                                               "09:00:10,20.0,20.0\r\n09:00:15,-20.0,20.0\r\n");
    WriteAll(Path(QStringLiteral("local.dat")), QByteArray::fromStdString(WriteProjectText(SampleProject())));
    ProjectData corrected = SampleProject();
    corrected.fixDataSTS = 1;
    WriteAll(Path(QStringLiteral("corrected.dat")), QByteArray::fromStdString(WriteProjectText(corrected)));
    struct Case {
        const char* name;
        std::function<void()> command;
        bool keepsTrack;
    };
    const Case cases[] = {
        {"新規", [this] { frm->TheNewProjectMenu->trigger(); }, false},
        {"全て消去", [this] { QTest::mouseClick(frm->InitializeDataCmd, Qt::LeftButton); }, false},
        {"the sample", [this] { frm->ReadSampleDataMemu->trigger(); }, false},
        {"a project of a map not corrected", [this] { Open(Path(QStringLiteral("local.dat"))); }, false},
        {"the building input's hand-over", [this] { HandOverSampleSet(frm, 2); }, false},
        {"a project of a corrected map", [this] { Open(Path(QStringLiteral("corrected.dat"))); }, true},
    };
    // Pixels of the track's colour inside the computation area (the scale bar, of the same colour,
    // lies below it).
    const auto trackPixels = [this] {
        const QImage map = frm->PhotoPic->grab().toImage();
        const QRect area =
            QRectF(frm->PhotoPic->toPixel({-140.0, 105.0}), frm->PhotoPic->toPixel({140.0, -115.0})).toRect();
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) count += map.pixelColor(x, y) == QColor(0, 0, 200);
        }
        return count;
    };
    QDir(startFolder.path()).mkpath(QStringLiteral("Sample1"));  // the building input's working file
    Start();
    answer = platform::MessageAnswer::No;  // the hand-over is an edit: the next clear asks
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTest::mouseClick(frm->InitializeDataCmd, Qt::LeftButton);
        dialogPaths = {Path(QStringLiteral("walk.gps"))};
        frm->LoadStoredGPSDataMenu->trigger();
        ASSERT_EQ(gGPSRecordNum, 4);
        ASSERT_GT(trackPixels(), 100) << "the walk is drawn";
        messages.clear();

        c.command();
        if (HasFatalFailure()) return;
        EXPECT_EQ(gGPSRecordNum, c.keepsTrack ? 4 : 0);
        EXPECT_FLOAT_EQ(gGPSRecordX[0], -20.0f);
        const int afterCommand = trackPixels();
        QTest::mouseClick(frm->ZoomDownCmd, Qt::LeftButton);
        const int afterRedraw = trackPixels();
        if (c.keepsTrack) {
            EXPECT_GT(afterCommand, 100);
            EXPECT_GT(afterRedraw, 100);
        } else {
            EXPECT_EQ(afterCommand, 0);
            EXPECT_EQ(afterRedraw, 0);
        }
        messages.removeAll(QStringLiteral("変更を保存しますか？"));
        EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    }
}

TEST_F(MainFileTest, PictureSaveWritesTheMapAndAsksBeforeReplacing)
{
    Start();
    frm->ReadSampleDataMemu->trigger();
    const QString path = Path(QStringLiteral("map.bmp"));
    dialogPaths = {path};
    QTest::mouseClick(frm->SaveDisplayPicCmd, Qt::LeftButton);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].defaultSuffix, QStringLiteral("bmp"));
    const QImage saved(path, "BMP");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), frm->PhotoPic->image().convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(messages.isEmpty());

    const QByteArray first = ReadAll(path);
    frm->ZoomUpCmd_Click();
    answer = platform::MessageAnswer::Cancel;
    dialogPaths = {path};
    QTest::mouseClick(frm->SaveDisplayPicCmd, Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{QStringLiteral("既存ファイルに上書きしますか？")});
    EXPECT_EQ(ReadAll(path), first);

    messages.clear();
    dialogPaths = {Path(QStringLiteral("no-such-folder/map.bmp"))};
    QTest::mouseClick(frm->SaveDisplayPicCmd, Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("画像を保存できませんでした。")));
}

TEST_F(MainFileTest, PrintsTheWindowToAPdfAndReportsAFailure)
{
    Start();
    QString output = Path(QStringLiteral("window.pdf"));
    platform::SetPrinterChooser([&output](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(output);
        return true;
    });
    QTest::mouseClick(frm->PrintDisplayCmd, Qt::LeftButton);
    const QByteArray pdf = ReadAll(output);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/Image"));
    EXPECT_TRUE(messages.isEmpty());

    output = Path(QStringLiteral("no-such-folder/window.pdf"));
    QTest::mouseClick(frm->PrintDisplayCmd, Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{QStringLiteral("印刷できませんでした。")});
    platform::SetPrinterChooser({});
}

TEST_F(MainFileTest, AlmanacPageToggleOpensThePageAndSpringsBack)
{
    Start();
    QList<QUrl> opened;
    bool browserStarts = true;
    platform::SetWebPageOpener([&](const QUrl& url) {
        opened << url;
        return browserStarts;
    });
    QTest::mouseClick(frm->ConnectCoastGardRbn, Qt::LeftButton);
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QString::fromLatin1(kAlmanacPageUrl))});
    EXPECT_FALSE(frm->ConnectCoastGardRbn->isChecked());
    EXPECT_TRUE(messages.isEmpty());

    browserStarts = false;
    QTest::mouseClick(frm->ConnectCoastGardRbn, Qt::LeftButton);
    EXPECT_EQ(opened.size(), 2);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(frm->ConnectCoastGardRbn->isChecked());
    platform::SetWebPageOpener({});
}

TEST_F(MainFileTest, AlmanacImportedToTheDatabaseIsInUseAndNamedOnTheLabel)
{
    Start();
    QTest::mouseClick(frm->SetAlmanacCmd, Qt::LeftButton);
    Almanac4Frm* window = frm->almanac4Frm();
    ASSERT_NE(window, nullptr);
    dialogPaths = {QString::fromStdString(testutil::DataFile("almanac.yuma.week0149.405504.txt")),
                   DataPath(QStringLiteral("data0"), QStringLiteral("Almanac1.alx"))};
    window->OpenFile1->trigger();
    QTest::mouseClick(window->SaveCmd, Qt::LeftButton);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(gSateNum, 31);
    EXPECT_EQ(frm->AlmanacDataLbl->text(), QStringLiteral("yuma149.TXT"));
    // The orbit view, loaded (not shown) to take it, names the new almanac too.
    EXPECT_EQ(frm->DispCumpuSateliteObit()->AlmanacDataLbl->text(), QStringLiteral("yuma149.TXT"));
    EXPECT_FALSE(frm->DispCumpuSateliteObit()->isVisible());
    QTest::qWait(0);  // the closed window is deleted
    EXPECT_EQ(frm->almanac4Frm(), nullptr);

    // The next start loads it from the database.
    delete frm;
    orbit::SetDefaultAlmanacData();
    Start();
    EXPECT_EQ(gSateNum, 31);
    EXPECT_EQ(frm->AlmanacDataLbl->text(), QStringLiteral("Yuma149.txt"));
}

}  // namespace
