#pragma once
// A stand-in main window for window tests: records every request a window makes through its
// port, by the port's operation names, and keeps the picture-click client it was given.

#include <QString>
#include <QStringList>

#include "site/MainWindowPort.h"

namespace testutil {

class FakeMainWindowPort : public MainWindowPort {
public:
    QStringList calls;
    bool judging = false;              // what isJudging answers
    bool almanacLoads = true;          // what LoadAlmanacDataBase answers
    PictureClickClient* clickClient = nullptr;  // the holder of the last picture-click request
    int clickMode = 0;

    void InitialDisPlayCmd_Click() override { calls << "InitialDisPlayCmd_Click"; }
    void MoveImgCmd_Click(int index) override { calls << QStringLiteral("MoveImgCmd_Click %1").arg(index); }
    int ShowInputBillTopArea(int index1) override
    {
        calls << QStringLiteral("ShowInputBillTopArea %1").arg(index1);
        return index1;
    }
    void ShowPictureAndResult() override { calls << "ShowPictureAndResult"; }
    void ShowGPSPoint(double x1, double y1) override { calls << QStringLiteral("ShowGPSPoint %1 %2").arg(x1).arg(y1); }
    void HideGPSPoint() override { calls << "HideGPSPoint"; }
    void ShowGPSPointMark() override { calls << "ShowGPSPointMark"; }
    bool isJudging() const override { return judging; }
    void RecomputeSateliteCource(double heightOffset) override
    {
        calls << QStringLiteral("RecomputeSateliteCource %1").arg(heightOffset);
    }
    void ShowBuildingInputManual(QWidget*) override { calls << "ShowBuildingInputManual"; }
    bool LoadAlmanacDataBase() override
    {
        calls << "LoadAlmanacDataBase";
        return almanacLoads;
    }
    void TakePictureClick(PictureClickWindow, int mode, PictureClickClient* client) override
    {
        calls << QStringLiteral("TakePictureClick %1").arg(mode);
        clickClient = client;
        clickMode = mode;
    }
    void ReleasePictureClick(PictureClickWindow, PictureClickClient* client) override
    {
        calls << "ReleasePictureClick";
        if (clickClient == client) clickClient = nullptr;
        clickMode = 0;
    }
    void SetPickPointer(const QString& cursorPath) override { calls << QStringLiteral("SetPickPointer %1").arg(cursorPath); }
    void HandDemonstrationBack(int nextStep) override { calls << QStringLiteral("HandDemonstrationBack %1").arg(nextStep); }
    void ShowDemoClickHint(bool shown) override { calls << QStringLiteral("ShowDemoClickHint %1").arg(shown ? 1 : 0); }
    void HideDemoPanels() override { calls << "HideDemoPanels"; }
    void ClickMousePoint(int num1) override { calls << QStringLiteral("ClickMousePoint %1").arg(num1); }
};

}  // namespace testutil
