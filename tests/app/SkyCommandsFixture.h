#pragma once
// The fixture of the sky-view commands: the sample site on the main window, the real almanac
// saved as the run folder's database, Tokyo on 2022/02/18.

#include <QDir>
#include <QLineEdit>
#include <QLabel>
#include <QTemporaryDir>

#include "MainWindowFixture.h"
#include "orbit/AlmanacTable.h"
#include "orbit/YumaAlmanac.h"
#include "site/MapView.h"
#include "site/RunState.h"
#include "site/SiteFiles.h"

// The sample site on the main window with the real almanac saved as the run folder's database.
class SkyCommands : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(runDir.isValid());
        ASSERT_TRUE(QDir(runDir.path()).mkpath(QStringLiteral("data0")));
        SetStartDir(runDir.path());
        const orbit::Almanac almanac =
            orbit::ToAlmanac(orbit::ReadYumaAlmanac(testutil::ReadDataFile("almanac.yuma.week0149.405504.txt")));
        ASSERT_TRUE(orbit::SaveAlmanacDataBase(DataPath(QStringLiteral("data0"), QStringLiteral("Almanac1.alx")).toStdString(),
                                               almanac.storedWeek, almanac.records));
        orbit::SetDefaultAlmanacData();  // the view must load the database itself

        SetMapCenter(0.0, 0.0f);
        ApplyProject(SampleProject());
        frm->LatDataTxt->setText(QStringLiteral("35.681"));
        frm->LonDataTxt->setText(QStringLiteral("139.767"));
        frm->AntennaHTxt->setText(QStringLiteral("1.5"));
        frm->DateLbl->setText(QStringLiteral("2022/02/18"));
        frm->ShowInputBillTopArea(-1);
    }

    QTemporaryDir runDir;
};
