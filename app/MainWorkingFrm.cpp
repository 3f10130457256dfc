#include "MainWorkingFrm.h"

#include "app/MainState.h"
#include "platform/Fonts.h"

MainWorkingFrm* MainWorkingFrm::instance_ = nullptr;

MainWorkingFrm* MainWorkingFrm::instance()
{
    if (instance_ == nullptr) {
        instance_ = new MainWorkingFrm();
    }
    return instance_;
}

MainWorkingFrm* MainWorkingFrm::existing() { return instance_; }

MainWorkingFrm::MainWorkingFrm()
{
    setObjectName(QStringLiteral("MainWorkingFrm"));
    setFont(platform::WindowFont(9));
    setWindowTitle(QStringLiteral("GPS衛星軌道予測/"));
    setCentralWidget(new QWidget(this));
    BuildMenus();
    resize(1180, 800);
    move(0, 0);
    gStartUpState = -1;
}

MainWorkingFrm::~MainWorkingFrm()
{
    if (instance_ == this) {
        instance_ = nullptr;
    }
}
