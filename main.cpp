// GPS reception planner: starts with the splash, which hands over to the main window.
#include <QApplication>

#include "app/StartUpFrm.h"
#include "platform/Fonts.h"
#include "platform/QtJapanese.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setFont(platform::WindowFont(9));
    platform::LoadQtJapanese(application);
    auto* splash = new StartUpFrm();
    splash->show();
    return QApplication::exec();
}
