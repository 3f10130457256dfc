#include <QCalendarWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include <cmath>

#include "MainWindowFixture.h"
#include "app/ExplanationFrms.h"
#include "site/RunState.h"
#include "orbit/ObservationConditions.h"
#include "platform/CalendarPopup.h"

namespace {

// Text typed key by key into the real boxes: every intermediate text passes the check too.
TEST_F(MainWindowTest, BoxChecksCorrectOutOfRangeInput)
{
    const QString outOfRange = QStringLiteral("入力値が範囲外です");
    struct Case {
        const char* name;
        QLineEdit* MainWorkingFrm::*box;
        const char* typed;
        const char* shown;     // text left in the box
        QString message;       // empty: none
        double antennaHeight;  // gAntennaHeight afterwards (NaN: not checked)
    };
    const double unchecked = std::nan("");
    const Case cases[] = {
        {"latitude above 90", &MainWorkingFrm::LatDataTxt, "95", "0", outOfRange, unchecked},
        {"latitude negative", &MainWorkingFrm::LatDataTxt, "-1", "0", outOfRange, unchecked},
        {"latitude at 90", &MainWorkingFrm::LatDataTxt, "90", "90", QString(), unchecked},
        {"latitude not a number", &MainWorkingFrm::LatDataTxt, "x", "0", outOfRange, unchecked},
        {"latitude begun with a point", &MainWorkingFrm::LatDataTxt, ".5", ".5", QString(), unchecked},
        {"longitude with a letter after the number", &MainWorkingFrm::LonDataTxt, "139x", "0", outOfRange, unchecked},
        {"longitude with an exponent", &MainWorkingFrm::LonDataTxt, "1.395E+2", "1.395E+2", QString(), unchecked},
        {"longitude above 180", &MainWorkingFrm::LonDataTxt, "181", "0", outOfRange, unchecked},
        {"longitude at 180", &MainWorkingFrm::LonDataTxt, "180", "180", QString(), unchecked},
        {"antenna at 100", &MainWorkingFrm::AntennaHTxt, "100", "100", QString(), 100.0},
        {"antenna above 100", &MainWorkingFrm::AntennaHTxt, "100.5", "100", QStringLiteral("ｱﾝﾃﾅ高の最大値は100mです。"), 100.0},
        {"antenna negative", &MainWorkingFrm::AntennaHTxt, "-0.5", "0", QStringLiteral("ｱﾝﾃﾅ高は正の値です。"), 0.0},
        {"antenna begun with a point", &MainWorkingFrm::AntennaHTxt, ".5", ".5", QString(), 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QLineEdit* box = frm->*c.box;
        box->clear();
        messages.clear();
        SetAntennaHeight(-99.0f);
        QTest::keyClicks(box, QString::fromLatin1(c.typed));
        EXPECT_EQ(box->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(messages, c.message.isEmpty() ? QStringList{} : QStringList{c.message});
        if (!std::isnan(c.antennaHeight)) {
            EXPECT_FLOAT_EQ(gAntennaHeight, static_cast<float>(c.antennaHeight));
        }
    }
}

// Letters typed into the antenna box are refused with the message; the height in use before
// stays, and the box shows it again rather than 0.
TEST_F(MainWindowTest, LettersInTheAntennaBoxKeepTheHeightInUse)
{
    const QString refused = QStringLiteral("ｱﾝﾃﾅ高は正の値です。");
    struct Case {
        const char* name;
        const char* before;  // the box's text (and height in use) before the keys
        bool selectAll;      // the keys replace the text instead of following it
        const char* typed;
        const char* shown;
        float height;
        int messages;
    };
    const Case cases[] = {
        {"a letter after a number typed", "", false, "2.5a", "2.5", 2.5f, 1},
        {"a letter after the number shown", "7", false, "x", "7", 7.0f, 1},
        {"a letter over the whole box", "1.5", true, "a", "1.5", 1.5f, 1},
        {"letters over the whole box", "12", true, "ab", "12", 12.0f, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frm->AntennaHTxt->setText(QString::fromLatin1(c.before));
        messages.clear();
        frm->AntennaHTxt->setFocus();
        if (c.selectAll) {
            QTest::keyClick(frm->AntennaHTxt, Qt::Key_A, Qt::ControlModifier);
        } else {
            frm->AntennaHTxt->end(false);
        }
        QTest::keyClicks(frm->AntennaHTxt, QString::fromLatin1(c.typed));
        EXPECT_EQ(frm->AntennaHTxt->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(gAntennaHeight, c.height);
        EXPECT_EQ(messages, QStringList(c.messages, refused));
    }
    // The height kept is the one the next computation reads.
    frm->ReadComputeCondition();
    EXPECT_EQ(gAntennaHeight, 12.0f);
}

TEST_F(MainWindowTest, MaskListNeverStaysBelowThree)
{
    for (int item : {0, 1, 2, 3, 30}) {
        SCOPED_TRACE(item);
        frm->ElevationCmb->setCurrentIndex(15);
        frm->ElevationCmb->setCurrentIndex(item);
        const int expected = item < 3 ? 3 : item;
        EXPECT_EQ(frm->ElevationCmb->currentIndex(), expected);
        EXPECT_EQ(gElevationMask, static_cast<float>(expected));
    }
    // The same through the keyboard: Home picks "0".
    frm->ElevationCmb->setFocus();
    QTest::keyClick(frm->ElevationCmb, Qt::Key_Home);
    EXPECT_EQ(frm->ElevationCmb->currentText(), QStringLiteral("3"));
    EXPECT_EQ(gElevationMask, 3.0f);
}

TEST_F(MainWindowTest, ReadComputeConditionCopiesTheControls)
{
    frm->LatDataTxt->setText(QStringLiteral("35.5"));
    frm->LonDataTxt->setText(QStringLiteral("139.25"));
    frm->AntennaHTxt->setText(QStringLiteral("12"));
    frm->StartTimeCmb->setCurrentIndex(216);  // start after the end reaches the variables as is
    frm->EndTimeCmb->setCurrentIndex(96);
    frm->DateLbl->setText(QStringLiteral("2025/07/01"));
    frm->ElevationCmb->setCurrentIndex(-1);
    SetSettingReserve(0);

    frm->ReadComputeCondition();
    EXPECT_FLOAT_EQ(gLatitude, 35.5f);
    EXPECT_FLOAT_EQ(gLongitude, 139.25f);
    EXPECT_EQ(gAntennaHeight, 12.0f);
    EXPECT_EQ(gStartTimeStep, 216);
    EXPECT_EQ(gEndTimeStep, 96);
    EXPECT_EQ(gComputeDate, "2025/07/01");
    EXPECT_EQ(frm->ElevationCmb->currentText(), QStringLiteral("3"));
    EXPECT_EQ(gElevationMask, 3.0f);
    EXPECT_EQ(gSettingReserve, 10);

    frm->ReadComputeConditionAllDay();
    EXPECT_EQ(gStartTimeStep, 0);
    EXPECT_EQ(gEndTimeStep, 288);
    EXPECT_EQ(frm->StartTimeCmb->currentIndex(), 216);
    EXPECT_EQ(frm->EndTimeCmb->currentIndex(), 96);
    SetLatitude(0.0f);
}

TEST_F(MainWindowTest, CalendarPicksTheComputationDate)
{
    QTest::mouseClick(frm->SetDataCmd, Qt::LeftButton);
    ASSERT_TRUE(frm->DaybrookPicker1->isVisible());
    QTest::mouseClick(frm->SetDataCmd, Qt::LeftButton);
    EXPECT_FALSE(frm->DaybrookPicker1->isVisible());

    // A press on a frame around the conditions hides it too.
    QTest::mouseClick(frm->SetDataCmd, Qt::LeftButton);
    QTest::mouseClick(frm->AntennaFlm, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_FALSE(frm->DaybrookPicker1->isVisible());

    QTest::mouseClick(frm->SetDataCmd, Qt::LeftButton);
    frm->DaybrookPicker1->setDate(QDate(2024, 2, 29));
    auto* days = frm->DaybrookPicker1->calendar()->findChild<QTableView*>();
    ASSERT_NE(days, nullptr);
    QTest::keyClick(days, Qt::Key_Return);
    EXPECT_EQ(gComputeDate, "2024/02/29");
    EXPECT_EQ(frm->DateLbl->text(), QStringLiteral("2024/02/29"));
    EXPECT_FALSE(frm->DaybrookPicker1->isVisible());
}

TEST_F(MainWindowTest, ButtonsOfTheConditions)
{
    SetStopCompute(0);
    QTest::mouseClick(frm->StopComputeCmd, Qt::LeftButton);
    EXPECT_EQ(gStopCompute, 1);

    // The explanation windows: one each, owned by the main window, brought up again.
    QTest::mouseClick(frm->AntennaCmd, Qt::LeftButton);
    auto* antenna = frm->findChild<AntennaHeightFrm*>();
    ASSERT_NE(antenna, nullptr);
    EXPECT_TRUE(antenna->isVisible());
    EXPECT_EQ(antenna->windowTitle(), QStringLiteral("ｱﾝﾃﾅ高"));
    EXPECT_FALSE(antenna->Image1->pixmap().isNull());
    EXPECT_FALSE(antenna->Image2->pixmap().isNull());
    QTest::mouseClick(frm->AntennaCmd, Qt::LeftButton);
    EXPECT_EQ(frm->findChildren<AntennaHeightFrm*>().size(), 1);

    QTest::mouseClick(frm->ElevationMaskCmd, Qt::LeftButton);
    auto* mask = frm->findChild<ElevationMaskFrm*>();
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(mask->windowTitle(), QStringLiteral("仰角ﾏｽｸの説明"));
    EXPECT_TRUE(mask->Label1->text().startsWith(QStringLiteral("仰角ﾏｽｸはGPS電波受信地点で")));

    // The position picker's toggle springs back at once.
    QTest::mouseClick(frm->DispLonLatRbn, Qt::LeftButton);
    EXPECT_FALSE(frm->DispLonLatRbn->isChecked());
    EXPECT_TRUE(messages.isEmpty());
}

}  // namespace
