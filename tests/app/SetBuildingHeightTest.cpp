#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "app/SetBuildingHeightFrm.h"
#include "site/SiteFiles.h"
#include "site/TopAreaModel.h"
#include "platform/MessageBox.h"

namespace {

struct HeightDialog : ::testing::Test {
    QStringList messages;
    std::vector<int> redrawn;
    HeightDialog()
    {
        ApplyProject(SampleProject());  // building 0 is 26.4 m high
        platform::SetMessageAnswerer([this](const QString& text, platform::MessageButtons) {
            messages << text;
            return platform::MessageAnswer::Ok;
        });
    }
    ~HeightDialog() override { platform::SetMessageAnswerer({}); }

    QPointer<SetBuildingHeightFrm> open(int building)
    {
        auto* frm = new SetBuildingHeightFrm(building, [this](int b) { redrawn.push_back(b); });
        frm->show();
        return frm;
    }
    void type(SetBuildingHeightFrm* frm, const QString& text)
    {
        frm->HeightTxt->selectAll();
        QTest::keyClick(frm->HeightTxt, Qt::Key_Backspace);
        QTest::keyClicks(frm->HeightTxt, text);
        QTest::mouseClick(frm->OKCmd, Qt::LeftButton);
    }
};

}  // namespace

TEST_F(HeightDialog, ShowsTheHeightAndStoresTheTypedOneIntoThatBuilding)
{
    auto frm = open(0);
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("高さ入力"));
    EXPECT_EQ(frm->HeightTxt->text(), QStringLiteral("26.4"));
    EXPECT_EQ(gSetBillHeightMode, -1);
    type(frm, QStringLiteral("12"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FLOAT_EQ(gFlatTopHeight[0], 12.0f);
    EXPECT_EQ(redrawn, std::vector<int>{0});
    EXPECT_TRUE(frm.isNull());
    EXPECT_EQ(gSetBillHeightMode, 0);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(HeightDialog, RefusesTextThatIsNoNumberAndHeightsAProjectCannotHold)
{
    const QString refused[] = {QStringLiteral("abc"), QStringLiteral("-5"), QString(), QStringLiteral("500.1"),
                               QStringLiteral("1e400")};
    for (const QString& bad : refused) {
        auto frm = open(1);
        type(frm, bad);
        EXPECT_FALSE(frm.isNull()) << bad.toStdString();
        EXPECT_FLOAT_EQ(gFlatTopHeight[1], 27.3f) << bad.toStdString();
        frm->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(messages.size(), 5);
    EXPECT_EQ(messages.value(0), QStringLiteral("入力値が範囲外です"));
    EXPECT_TRUE(redrawn.empty());
}

TEST_F(HeightDialog, CloseBoxLeavesTheHeightAndClearsTheMode)
{
    auto frm = open(2);
    frm->HeightTxt->setText(QStringLiteral("99"));
    frm->close();
    EXPECT_FLOAT_EQ(gFlatTopHeight[2], 23.3f);
    EXPECT_EQ(gSetBillHeightMode, 0);
}
