// The main window's menu bar and its pop-up menus, with captions, access keys and shortcuts.
#include "MainWorkingFrm.h"

#include <QMenuBar>

namespace {

QAction* AddItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu* AddSubMenu(QMenu* menu, const char* name, const QString& caption)
{
    QMenu* sub = menu->addMenu(caption);
    sub->setObjectName(QLatin1String(name));
    return sub;
}

// A command placed directly on the menu bar (it opens no drop-down).
QAction* AddBarCommand(QMenuBar* bar, const char* name, const QString& caption)
{
    QAction* action = bar->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

}  // namespace

void MainWorkingFrm::BuildMenus()
{
    QMenuBar* bar = menuBar();

    FileHandleMenu = bar->addMenu(QStringLiteral("ファイル(&F)"));
    FileHandleMenu->setObjectName(QStringLiteral("FileHandleMenu"));
    TheNewProjectMenu = AddItem(FileHandleMenu, "TheNewProjectMenu", QStringLiteral("新規(&N)"));
    FileHandleMenu->addSeparator();
    OpenProjectMenu = AddSubMenu(FileHandleMenu, "OpenProjectMenu", QStringLiteral("開く(&O)"));
    OpenProjectMenu->addSeparator();
    LoadMapDataMenu = AddItem(OpenProjectMenu, "LoadMapDataMenu", QStringLiteral("マップ、障害物(&M)"));
    OpenProjectMenu->addSeparator();
    LoadStoredGPSDataMenu = AddItem(OpenProjectMenu, "LoadStoredGPSDataMenu", QStringLiteral("GPS記録データ(&G)"));
    OpenProjectMenu->addSeparator();
    FileHandleMenu->addSeparator();
    SaveProjectMenu = AddItem(FileHandleMenu, "SaveProjectMenu", QStringLiteral("保存(&S)"));
    SaveProjectMenu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    FileHandleMenu->addSeparator();
    ReadSampleDataMemu = AddItem(FileHandleMenu, "ReadSampleDataMemu", QStringLiteral("サンプルの読込み(&D)"));
    FileHandleMenu->addSeparator();

    AroundBuildingInputMenu = AddBarCommand(bar, "AroundBuildingInputMenu", QStringLiteral("３D画像取り扱い(&A)"));

    StartGPSMenu = bar->addMenu(QStringLiteral("GPS(&G)"));
    StartGPSMenu->setObjectName(QStringLiteral("StartGPSMenu"));
    StartGPSMenu->addSeparator();
    ChangeForRealMapMenu = AddItem(StartGPSMenu, "ChangeForRealMapMenu", QStringLiteral("マップ補正(&M)"));
    StartGPSMenu->addSeparator();
    ReaObservationGPSMenu = AddItem(StartGPSMenu, "ReaObservationGPSMenu", QStringLiteral("GPS観測(&O)"));
    StartGPSMenu->addSeparator();
    CompareGPSMenu = AddItem(StartGPSMenu, "CompareGPSMenu", QStringLiteral("GPS比較(&C)"));
    StartGPSMenu->addSeparator();

    EditDataMenu = bar->addMenu(QStringLiteral("編集(&E)"));
    EditDataMenu->setObjectName(QStringLiteral("EditDataMenu"));
    RotateBuildingMenu = AddItem(EditDataMenu, "RotateBuildingMenu", QStringLiteral("回転(&R)"));
    RotateBuildingMenu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    EditDataMenu->addSeparator();
    BuildingHeightMenu = AddItem(EditDataMenu, "BuildingHeightMenu", QStringLiteral("高さ(&H)"));
    BuildingHeightMenu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    EditDataMenu->menuAction()->setVisible(false);

    ClearDataMenu = AddBarCommand(bar, "ClearDataMenu", QStringLiteral("クリア(&C)"));

    StartDemoMenu = bar->addMenu(QStringLiteral("デモ(&D)"));
    StartDemoMenu->setObjectName(QStringLiteral("StartDemoMenu"));
    StartDemo1Menu = AddItem(StartDemoMenu, "StartDemo1Menu", QStringLiteral("デモー１(&1)"));
    StartDemoMenu->addSeparator();
    StartDemo2Menu = AddItem(StartDemoMenu, "StartDemo2Menu", QStringLiteral("デモー２(&2)"));

    HelpMenu = AddBarCommand(bar, "HelpMenu", QStringLiteral("ヘルプ(&H)"));

    // Pop-up menus shown on the site map; they belong to the window but not to its bar.
    EditingDataMenu = new QMenu(QStringLiteral("編集(&E)"), this);
    EditingDataMenu->setObjectName(QStringLiteral("EditingDataMenu"));
    EditingDataMenu->addSeparator();
    SetBuildingHeightMenu = AddItem(EditingDataMenu, "SetBuildingHeightMenu", QStringLiteral("高さ(&H)"));
    EditingDataMenu->addSeparator();
    DeleteBuildingMenu = AddItem(EditingDataMenu, "DeleteBuildingMenu", QStringLiteral("削除(&D)"));
    DeleteBuildingMenu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    EditingDataMenu->addSeparator();
    ChangeLevelMenu = AddSubMenu(EditingDataMenu, "ChangeLevelMenu", QStringLiteral("階層"));
    for (const QString& caption : {QStringLiteral("最前面"), QStringLiteral("最背面"), QStringLiteral("1前へ"), QStringLiteral("1後ろへ")}) {
        if (!ChangeLevelMenu->isEmpty()) {
            ChangeLevelMenu->addSeparator();
        }
        ChangeLevelMenu->addAction(caption);
    }
    ChangeLevelMenu->menuAction()->setVisible(false);
    EditingDataMenu->addSeparator();
    DispHeavenGPSMenu = AddItem(EditingDataMenu, "DispHeavenGPSMenu", QStringLiteral("天空GPS表示(&T)"));
    EditingDataMenu->addSeparator();
    SkyPlotGPSMenu = AddItem(EditingDataMenu, "SkyPlotGPSMenu", QStringLiteral("衛星軌道表示(&S)"));
    EditingDataMenu->addSeparator();
    SkyProtAndSateNumMenu = AddItem(EditingDataMenu, "SkyProtAndSateNumMenu", QStringLiteral("衛星軌道、衛星数表示(&O)"));
    EditingDataMenu->addSeparator();
    JudgeSateNumInComuAreaMenu = AddItem(EditingDataMenu, "JudgeSateNumInComuAreaMenu",
                                         QStringLiteral("エリアＧＰＳ受信予測（指定時刻）(&T)"));
    EditingDataMenu->addSeparator();
    JudgeMeanSateNumInComuAreaMenu = AddItem(EditingDataMenu, "JudgeMeanSateNumInComuAreaMenu",
                                             QStringLiteral("エリアＧＰＳ受信予測（時間平均）(&M)"));
    EditingDataMenu->addSeparator();

    LineDrawMenu = new QMenu(QStringLiteral("障害物設定"), this);
    LineDrawMenu->setObjectName(QStringLiteral("LineDrawMenu"));
    StopLineDrawMenu = AddItem(LineDrawMenu, "StopLineDrawMenu", QStringLiteral("中止"));
    LineDrawMenu->addSeparator();
    LineDrawMenu->addSeparator();
    const std::pair<QAction**, const char*> toolItems[] = {
        {&SelectTopAreaMenu, "SelectTopAreaMenu"}, {&ZoomUpDownMenu, "ZoomUpDownMenu"},
        {&RectangleBillMenu, "RectangleBillMenu"}, {&DrawTopLineMenu, "DrawTopLineMenu"},
        {&MovePointMenu, "MovePointMenu"},         {&AddTopPointMenu, "AddTopPointMenu"},
        {&RemoveTopPointMenu, "RemoveTopPointMenu"}};
    const QString toolCaptions[] = {QStringLiteral("選択"), QStringLiteral("拡大縮小"), QStringLiteral("□型ビル設置"),
                                    QStringLiteral("屋上ライン"), QStringLiteral("ポイント移動"),
                                    QStringLiteral("ポイント追加"), QStringLiteral("ポイント削除")};
    for (int i = 0; i < 7; ++i) {
        *toolItems[i].first = AddItem(LineDrawMenu, toolItems[i].second, toolCaptions[i]);
        LineDrawMenu->addSeparator();
    }
    for (QAction* item : LineDrawMenu->actions()) {
        item->setCheckable(!item->isSeparator());
    }

    MeasureDistMenu = new QMenu(QStringLiteral("MeasureDist"), this);
    MeasureDistMenu->setObjectName(QStringLiteral("MeasureDistMenu"));
    MeasureDistMenu->addSeparator();
    EnsMeasureSistMenu = AddItem(MeasureDistMenu, "EnsMeasureSistMenu", QStringLiteral("距離測定終了(&E)"));
    MeasureDistMenu->addSeparator();

    // Separator lines show where they are placed, leading, trailing and doubled ones too (Qt
    // would fold them away).
    for (QMenu* menu : findChildren<QMenu*>()) {
        menu->setSeparatorsCollapsible(false);
    }
}
