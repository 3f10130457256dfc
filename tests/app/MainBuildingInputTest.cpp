// The main window's command that opens the building input, and what comes back from it.
#include <QAction>
#include <QPushButton>

#include "MainWindowFixture.h"
#include "photoinput/InputLineFrm.h"
#include "site/RunState.h"

namespace {

using BuildingInputCommand = MainWindowTest;

TEST_F(BuildingInputCommand, OpensOneWindowAndNothingDuringADemonstration)
{
    SetDemoMode(-1);
    frm->AroundBuildingInputMenu->trigger();
    EXPECT_EQ(frm->inputLineFrm(), nullptr);
    SetDemoMode(0);
    frm->AroundBuildingInputMenu->trigger();
    InputLineFrm* first = frm->inputLineFrm();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    frm->AroundBuildingInputMenu->trigger();
    EXPECT_EQ(frm->inputLineFrm(), first) << "brought up again, not loaded anew";
}

TEST_F(BuildingInputCommand, HandOverReplacesTheSiteBuildings)
{
    frm->AroundBuildingInputMenu->trigger();
    InputLineFrm* input = frm->inputLineFrm();
    ASSERT_NE(input, nullptr);
    input->LoadSample2DataMenu_Click();
    QTest::mouseClick(input->CloseCmd, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frm->inputLineFrm(), nullptr);
    EXPECT_EQ(gEachTopAreaNumber, 6);
    EXPECT_EQ(gBillDataSTS, -1);
    SetBillDataSTS(0);
}

}  // namespace
