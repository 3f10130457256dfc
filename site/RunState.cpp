#include "RunState.h"

#include <cmath>

namespace {

int startUpState = 0;
QString startDir;
int demoMode = 0;
int demoNumber = 0;
int photoClickMode = 0;
int dispHeavenMode = 0;
int billDataSTS = 0;
int settingReserve = 10;
int projectReserve1 = 0;
float projectReserve2 = 0.0f;
int stopCompute = 0;

}  // namespace

const int& gStartUpState = startUpState;
const QString& gStartDir = startDir;
const int& gDemoMode = demoMode;
const int& gDemoNumber = demoNumber;
const int& gPhotoClickMode = photoClickMode;
const int& gDispHeavenMode = dispHeavenMode;
const int& gBillDataSTS = billDataSTS;
const int& gSettingReserve = settingReserve;
const int& gProjectReserve1 = projectReserve1;
const float& gProjectReserve2 = projectReserve2;
const int& gStopCompute = stopCompute;

void SetStartUpState(int state) { startUpState = state; }
void SetStartDir(const QString& folder) { startDir = folder; }
void SetDemoMode(int mode) { demoMode = mode; }
void SetDemoNumber(int number) { demoNumber = number; }
void SetPhotoClickMode(int mode) { photoClickMode = mode; }
void SetDispHeavenMode(int mode) { dispHeavenMode = mode; }
void SetBillDataSTS(int state) { billDataSTS = state; }
void SetSettingReserve(int reserve) { settingReserve = reserve; }
void SetProjectReserves(int reserve1, float reserve2)
{
    projectReserve1 = reserve1;
    projectReserve2 = reserve2;
}
void SetStopCompute(int stop) { stopCompute = stop; }

QString DataPath(const QString& folder, const QString& fileName)
{
    return gStartDir + QLatin1Char('/') + folder + QLatin1Char('/') + fileName;
}

double gDemoTimeScale = 1.0;

int DemoInterval(int ms)
{
    const double scaled = ms * gDemoTimeScale;
    return scaled > 0.0 ? static_cast<int>(std::lround(scaled)) : 0;
}
