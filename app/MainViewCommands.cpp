// The view commands of the site map (zoom, pan, turn, the result reset), the tool palette's
// toggles and the redraw entry of the whole map.
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "MainWorkingFrm.h"
#include "SiteMapDrawing.h"
#include "SiteMapEditor.h"
#include "site/MapView.h"
#include "site/TopAreaModel.h"
#include "platform/PictureSurface.h"

void MainWorkingFrm::ConnectViewCommands()
{
    connect(ZoomUpCmd, &QPushButton::clicked, this, &MainWorkingFrm::ZoomUpCmd_Click);
    connect(ZoomDownCmd, &QPushButton::clicked, this, &MainWorkingFrm::ZoomDownCmd_Click);
    for (int k = 0; k < static_cast<int>(MoveImgCmd.size()); ++k) {
        connect(MoveImgCmd[k], &QToolButton::clicked, this, [this, k] { MoveImgCmd_Click(k); });
    }
    connect(InitialDisPlayCmd, &QPushButton::clicked, this, &MainWorkingFrm::InitialDisPlayCmd_Click);
    connect(InitializeDataCmd, &QPushButton::clicked, this, &MainWorkingFrm::InitializeDataCmd_Click);
    connect(TheNewProjectMenu, &QAction::triggered, this, &MainWorkingFrm::TheNewProjectMenu_Click);
    connect(SaveProjectMenu, &QAction::triggered, this, &MainWorkingFrm::SaveProjectMenu_Click);
    for (int k = 0; k < static_cast<int>(ClickPicRbn.size()); ++k) {
        connect(ClickPicRbn[k], &QToolButton::toggled, this, [this, k](bool pressed) {
            if (pressed) {
                // One group: the toggle pressed before is released (and handled) first.
                for (int other = 0; other < static_cast<int>(ClickPicRbn.size()); ++other) {
                    if (other != k) {
                        ClickPicRbn[other]->setChecked(false);
                    }
                }
            }
            ClickPicRbn_Click(k, pressed);
        });
    }
    editor_ = std::make_unique<SiteMapEditor>(*this);
    editor_->Connect();
}

void MainWorkingFrm::ZoomUpCmd_Click()
{
    SetMapScaleIndex(gMapScaleIndex + 1);
    RedrawMapAfterViewChange(false);
}

void MainWorkingFrm::ZoomDownCmd_Click()
{
    SetMapScaleIndex(gMapScaleIndex - 1);
    RedrawMapAfterViewChange(false);
}

void MainWorkingFrm::MoveImgCmd_Click(int index)
{
    ApplyMapMove(index);
    RedrawMapAfterViewChange(true);
}

void MainWorkingFrm::RedrawMapAfterViewChange(bool shifted)
{
    pActiveBuildingNum = ShowInputBillTopArea(pActiveBuildingNum);
    RedrawAreaResults(shifted);
    siteMap_->DrawMeasureDistLine();
}

void MainWorkingFrm::InitialDisPlayCmd_Click()
{
    SetMapRotateAngle(0.0f);
    SetRotateSinceJudge(0.0f);
    PhotoPic->setDrawMode(PictureSurface::DrawMode::Copy);
    editor_->ReleaseAllTools();
    pShowAreaResult = 0;
    pShowMeanAreaResult = 0;
    pActiveBuildingNum = ShowInputBillTopArea(pActiveBuildingNum);
    ShowPictureAndResult();
    ReadComputeCondition();
    DeleteBuildingMenu->setEnabled(false);
}

int MainWorkingFrm::ShowInputBillTopArea(int index1)
{
    if (gFixDataSTS == 0) {
        FixDataSTSPnl->setText(QStringLiteral("GPS未設定データ"));
        FixDataSTSPnl->show();
    } else if (gFixDataSTS == 1) {
        FixDataSTSPnl->setText(QStringLiteral("GPS設定データ"));
        FixDataSTSPnl->show();
    }
    siteMap_->DrawBillTopAreas(index1);
    siteMap_->DrawGPSRecordLine();
    siteMap_->DrawObstacleAreaFrame();
    siteMap_->DrawComuAreaFrame();
    siteMap_->DrawScaleBar(gMapScaleIndex);
    siteMap_->DrawCompassMark();
    editor_->RedrawDrawnTopLine();
    return index1;
}

void MainWorkingFrm::ShowGPSPoint(double x1, double y1)
{
    // The drawing moves and shows GPSPoinrImg with the mark when the point lies on the map.
    siteMap_->ShowGPSPoint(x1, y1);
}

void MainWorkingFrm::HideGPSPoint() { GPSPoinrImg->hide(); }

void MainWorkingFrm::ShowGPSPointMark() { siteMap_->ShowGPSPointMark(); }
