// The main window's part of the scripted demonstrations: the menu items, the two demonstration
// timers handed to the step machine (DemoSequence.h), and the stage it plays on: the menu
// pictures, message line and banner on the site map, the timers at the demonstration speed
// (DemoTiming.h), and the windows and commands of the steps.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "MainDemoStage.h"
#include "MainIcons.h"
#include "MainWorkingFrm.h"
#include "SiteMapEditor.h"
#include "app/HandOverWatch.h"
#include "demo/DemoMessages.h"
#include "demo/DemoTiming.h"
#include "demo/InputDemoLineFrm.h"
#include "platform/OwnedWindow.h"
#include "platform/PictureSurface.h"
#include "site/RunState.h"
#include "skyview/DispHeavenGPSFrm.h"

void MainWorkingFrm::ConnectDemoCommands()
{
    demoStage_ = std::make_unique<MainDemoStage>(*this);
    demoSequence_ = std::make_unique<DemoSequence>(*demoStage_, pDemoIndex);
    // Single shot: each announcement runs its command once (DemoSequence.h).
    DemoHandleTmr.setSingleShot(true);
    connect(&DemoTmr, &QTimer::timeout, this, &MainWorkingFrm::DemoTmr_Timer);
    connect(&DemoHandleTmr, &QTimer::timeout, this, &MainWorkingFrm::DemoHandleTmr_Timer);
    connect(StartDemo1Menu, &QAction::triggered, this, &MainWorkingFrm::StartDemo1Menu_Click);
    connect(StartDemo2Menu, &QAction::triggered, this, &MainWorkingFrm::StartDemo2Menu_Click);

    // The menu pictures: the site map's pop-up menu with the command of steps 0, 1 and 2 selected.
    QStringList items;
    QList<QAction*> shown;
    for (QAction* item : EditingDataMenu->actions()) {
        if (item->isSeparator() || !item->isVisible()) continue;
        items << item->text();
        shown << item;
    }
    const QAction* const stepItems[] = {DispHeavenGPSMenu, SkyProtAndSateNumMenu, JudgeSateNumInComuAreaMenu};
    for (int k = 0; k < 3; ++k) {
        QLabel* panel = PopupMenuPnl[static_cast<std::size_t>(k)];
        const QPixmap picture = mainicons::MenuPicture(items, static_cast<int>(shown.indexOf(stepItems[k])));
        panel->setText(QString());
        panel->setStyleSheet(QString());
        panel->setPixmap(picture);
        panel->resize(picture.size());
    }
}

void MainWorkingFrm::StartDemo1Menu_Click() { StartDemonstration(1); }
void MainWorkingFrm::StartDemo2Menu_Click() { StartDemonstration(2); }

void MainWorkingFrm::StartDemonstration(int number)
{
    if (gDemoMode != 0) return;
    // The demonstration plays on a site of its own. Unsaved work is asked about first; the site
    // is cleared only when the user goes on from the demonstration's first panel, so that a
    // cancel there leaves it as it was.
    if (!MayGiveUpSite()) return;
    demoSequence_->Start(number);
}

void MainWorkingFrm::ClearSiteForDemonstration()
{
    // The user was asked about unsaved work when the demonstration was started.
    ClearSite();
    SetDemoMode(-1);
}

void MainWorkingFrm::StartDemo() { demoSequence_->StartDemo(); }
void MainWorkingFrm::DemoTmr_Timer() { demoSequence_->DemoTmr_Timer(); }
void MainWorkingFrm::DemoHandleTmr_Timer() { demoSequence_->DemoHandleTmr_Timer(); }

// ---- The stage --------------------------------------------------------------------------------

void MainDemoStage::ShowMenuPicture(int index)
{
    // Its corner on the site map's origin.
    QLabel* panel = w_.PopupMenuPnl.at(static_cast<std::size_t>(index));
    const QPointF origin = w_.PhotoPic->toPixel(QPointF(0.0, 0.0));
    panel->move(w_.PhotoPic->mapTo(panel->parentWidget(), origin.toPoint()));
    panel->show();
    panel->raise();
}

void MainDemoStage::HideMenuPicture(int index) { w_.PopupMenuPnl.at(static_cast<std::size_t>(index))->hide(); }

void MainDemoStage::ShowMessage(int index)
{
    w_.MessagePnl->setText(QString::fromStdString(pDemoMessage.at(static_cast<std::size_t>(index))));
    w_.MessagePnl->show();
    w_.MessagePnl->raise();
}

void MainDemoStage::HideMessage() { w_.MessagePnl->hide(); }

void MainDemoStage::ShowBanner(bool shown)
{
    w_.OnDemoPnl->setVisible(shown);
    if (shown) w_.OnDemoPnl->raise();
}

void MainDemoStage::HideClickHint() { w_.ShowDemoClickHint(false); }
void MainDemoStage::ArmDemoTmr(int ms) { w_.DemoTmr.start(DemoInterval(ms)); }
void MainDemoStage::StopDemoTmr() { w_.DemoTmr.stop(); }
void MainDemoStage::ArmHandleTmr(int ms) { w_.DemoHandleTmr.start(DemoInterval(ms)); }
void MainDemoStage::StopHandleTmr() { w_.DemoHandleTmr.stop(); }

void MainDemoStage::OpenInputDemonstration(int number)
{
    // The window reads the demonstration number (set before) when it loads. Closed before its
    // script handed the buildings over, it ends the demonstration.
    (void)number;
    auto* window = new InputDemoLineFrm(&w_, &w_);
    QObject::connect(window, &QObject::destroyed, &watch_, [this] { w_.demoSequence().StageWindowClosed(-1); });
    // "次へ" on the first panel begins the demonstration: only then is the user's site cleared.
    QObject::connect(window->NextCmd, &QPushButton::clicked, &watch_, [this] { w_.ClearSiteForDemonstration(); },
                     Qt::SingleShotConnection);
    WatchHandOver(window, [this] { w_.TakeHandedOverSite(false); });
    platform::ShowOwnedWindow(window);
}

void MainDemoStage::RunCommand(DemoCommand command)
{
    switch (command) {
    case DemoCommand::SkyView: {
        // The sky view plays its script and hands back step 1; closed by hand before that, it
        // ends the demonstration.
        QObject::connect(w_.DispHeavenGPS(), &QObject::destroyed, &watch_, [this] { w_.demoSequence().StageWindowClosed(0); });
        w_.DispHeavenGPSMenu_Click();
        break;
    }
    case DemoCommand::OrbitAndCount:
        w_.SkyProtAndSateNumMenu_Click();
        break;
    case DemoCommand::AreaJudgement:
        w_.JudgeSateNumInComuAreaMenu_Click();
        break;
    }
}

void MainDemoStage::ResetLastPress() { w_.ForgetLastPress(); }
