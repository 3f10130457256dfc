#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "site/RunState.h"
#include "app/MainWorkingFrm.h"
#include "app/ManualFrm.h"
#include "common/TestUtils.h"

namespace {

// The shipped pages: the source assets folder laid out like the run folder.
QString AssetsDir() { return QDir(QStringLiteral(GPSPLAN_TEST_DATA_DIR "/../../assets")).absolutePath(); }

// Page-area units to pixels as the viewer lays them out (850 units = 595 pixels).
int Px(double units) { return qRound(units * ManualFrm::kPixelsPerUnit); }

void ClickItem(ManualFrm& frm, int k) { QTest::mouseClick(frm.ItemName1Lbl[k], Qt::LeftButton); }

QColor TextColor(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

class ManualTest : public ::testing::Test {
protected:
    void SetUp() override { savedStartDir = gStartDir; SetStartDir(AssetsDir()); }
    void TearDown() override { SetStartDir(savedStartDir); }
    QString savedStartDir;
};

TEST_F(ManualTest, OpensWithTheCaptionsAndAnEmptyPage)
{
    struct Case {
        const char* name;
        std::function<ManualFrm*()> make;
        const ManualBook& book;
        int items;
    };
    const Case cases[] = {
        {"Manual3Frm", [] { return new Manual3Frm(); }, MainManualBook(), 14},
        {"Manual4Frm", [] { return new Manual4Frm(); }, BuildingInputManualBook(), 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<ManualFrm> frm(c.make());
        frm->show();
        EXPECT_EQ(frm->windowTitle(), QStringLiteral("操作マニュアル"));
        EXPECT_EQ(frm->Label1->text(), QStringLiteral("操作マニュアル"));
        EXPECT_EQ(frm->CloseCmd->text(), QStringLiteral("閉じる(&C)"));
        ASSERT_EQ(frm->ItemName1Lbl.size(), c.items);
        for (int k = 0; k < c.items; ++k) {
            EXPECT_EQ(frm->ItemName1Lbl[k]->text(), ManualFrm::CaptionAsShown(c.book.pages[k].caption));
            EXPECT_EQ(TextColor(frm->ItemName1Lbl[k]), QColor(0, 0, 255));
        }
        EXPECT_EQ(frm->selectedItem(), -1);
        EXPECT_TRUE(frm->DocImg->pixmap().isNull());
        EXPECT_EQ(frm->DocPic->size(), QSize(595, 630));
    }
    // Captions keep their padding runs as they stand; the labels break the line there.
    EXPECT_EQ(ManualFrm::CaptionAsShown(MainManualBook().pages[6].caption), QStringLiteral("７・GPS観測設定１（測地系\n設定）"));
    EXPECT_EQ(ManualFrm::CaptionAsShown(QStringLiteral("１・画面上面の説明")), QStringLiteral("１・画面上面の説明"));
    EXPECT_EQ(MainManualBook().pages[6].caption, QStringLiteral("７・GPS観測設定１（測地系      設定）"));
    EXPECT_EQ(MainManualBook().pages[3].caption, QStringLiteral("４・GPS衛星の上空での　　　　　配置を表示"));
}

// Every item opens its own page from the shipped pictures, stretched to 850 units by 1.2 x its
// page height, with a scroll bar of round((height - 400) x 0.02) steps: 16 for 1193, 14 for 1109.
TEST_F(ManualTest, EachItemOpensItsPage)
{
    struct Case {
        const char* name;
        std::function<ManualFrm*()> make;
        QString folder;
        QStringList files;
        QList<int> scrollMax;
    };
    const Case cases[] = {
        {"Manual3Frm", [] { return new Manual3Frm(); }, "Pic00",
         {"Manua20.jpg", "Manua21.jpg", "Manua22.jpg", "Manua23.jpg", "Manua24.jpg", "Manua25.jpg", "Manua26.jpg",
          "Manua27.jpg", "Manua28.jpg", "Manua29.jpg", "Manua33.jpg", "Manua30.jpg", "Manua31.jpg", "Manua32.jpg"},
         {16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16}},
        {"Manual4Frm", [] { return new Manual4Frm(); }, "Pic01",
         {"Manua40.jpg", "Manua41.jpg", "Manua42.jpg", "Manua43.jpg", "Manua44.jpg", "Manua45.jpg", "Manua46.jpg",
          "Manua47.jpg", "Manua60.jpg"},
         {16, 16, 16, 14, 14, 16, 16, 16, 16}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<ManualFrm> frm(c.make());
        frm->show();
        for (int k = 0; k < c.files.size(); ++k) {
            SCOPED_TRACE(testing::Message() << c.name << " item " << k);
            ClickItem(*frm, k);
            const QString path = gStartDir + "/" + c.folder + "/" + c.files[k];
            EXPECT_EQ(frm->shownPage(), path);
            const QImage expected(path);
            ASSERT_FALSE(expected.isNull());
            EXPECT_EQ(frm->DocImg->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                      expected.convertToFormat(QImage::Format_RGB32));
            const double height = c.scrollMax[k] == 16 ? 1193.0 : 1109.0;
            EXPECT_EQ(frm->DocImg->geometry(), QRect(0, 0, Px(850), Px(1.2 * height)));
            EXPECT_EQ(frm->VScroll1->minimum(), 0);
            EXPECT_EQ(frm->VScroll1->maximum(), c.scrollMax[k]);
            EXPECT_EQ(frm->selectedItem(), k);
        }
    }
}

TEST_F(ManualTest, HighlightFollowsTheChosenItemAndReclickScrollsBackToTheTop)
{
    Manual3Frm frm;
    frm.show();
    ClickItem(frm, 1);
    ClickItem(frm, 2);
    EXPECT_EQ(TextColor(frm.ItemName1Lbl[1]), QColor(0, 0, 255));
    EXPECT_EQ(TextColor(frm.ItemName1Lbl[2]), QColor(192, 64, 0));

    // 50 units a step: at 16 the page's top stands at -800 units.
    frm.VScroll1->setValue(16);
    EXPECT_EQ(frm.DocImg->y(), Px(-800));
    EXPECT_EQ(frm.DocImg->height(), Px(1.2 * 1193));
    ClickItem(frm, 2);
    EXPECT_EQ(frm.VScroll1->value(), 0);
    EXPECT_EQ(frm.DocImg->y(), 0);
    EXPECT_EQ(TextColor(frm.ItemName1Lbl[2]), QColor(192, 64, 0));
}

TEST_F(ManualTest, MissingPageShowsAnEmptyPageNotThePreviousOne)
{
    QTemporaryDir run;
    ASSERT_TRUE(run.isValid());
    QDir(run.path()).mkpath(QStringLiteral("Pic01"));
    ASSERT_TRUE(QFile::copy(AssetsDir() + "/Pic01/Manua40.jpg", run.path() + "/Pic01/Manua40.jpg"));
    SetStartDir(run.path());

    Manual4Frm frm;
    frm.show();
    ClickItem(frm, 0);
    ASSERT_FALSE(frm.DocImg->pixmap().isNull());
    frm.VScroll1->setValue(5);

    ClickItem(frm, 3);  // Manua43.jpg is missing
    EXPECT_TRUE(frm.DocImg->pixmap().isNull());
    EXPECT_TRUE(frm.shownPage().isEmpty());
    EXPECT_EQ(TextColor(frm.ItemName1Lbl[0]), QColor(0, 0, 255));
    EXPECT_EQ(TextColor(frm.ItemName1Lbl[3]), QColor(192, 64, 0));
    EXPECT_EQ(frm.VScroll1->value(), 0);
    EXPECT_EQ(frm.VScroll1->maximum(), 14);
    EXPECT_EQ(frm.DocImg->geometry(), QRect(0, 0, Px(850), Px(1.2 * 1109)));
    // Nothing of the previous page is drawn in the page area.
    const QImage area = frm.DocPic->grab().toImage();
    for (int y = 0; y < area.height(); y += 7) {
        for (int x = 0; x < area.width(); x += 7) {
            ASSERT_EQ(area.pixelColor(x, y), QColor(Qt::white)) << x << "," << y;
        }
    }
}

TEST_F(ManualTest, HelpMenuOpensOneMainManualAndCloseDeletesIt)
{
    SetStartUpState(-1);
    MainWorkingFrm* main = MainWorkingFrm::instance();
    ConnectMainHelpMenu(main->HelpMenu, main);
    main->HelpMenu->trigger();
    QPointer<ManualFrm> frm = main->findChild<Manual3Frm*>();
    ASSERT_FALSE(frm.isNull());
    EXPECT_TRUE(frm->isVisible());
    EXPECT_TRUE(frm->isWindow());
    EXPECT_EQ(frm->ItemName1Lbl.size(), 14);
    main->HelpMenu->trigger();
    EXPECT_EQ(main->findChildren<Manual3Frm*>().size(), 1);

    ClickItem(*frm, 11);
    QTest::mouseClick(frm->CloseCmd, Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frm.isNull());
    // A new opening starts with no page and no highlight.
    main->HelpMenu->trigger();
    frm = main->findChild<Manual3Frm*>();
    ASSERT_FALSE(frm.isNull());
    EXPECT_EQ(frm->selectedItem(), -1);
    EXPECT_TRUE(frm->DocImg->pixmap().isNull());
    delete main;
}

}  // namespace
