#include "RunState.h"

int gStartUpState = 0;
QString gStartDir;

int gDemoMode = 0;
int gPhotoClickMode = 0;
int gDispHeavenMode = 0;
int gBillDataSTS = 0;
int gSettingReserve = 10;
int gProjectReserve1 = 0;
float gProjectReserve2 = 0.0f;
int gStopCompute = 0;

QString DataPath(const QString& folder, const QString& fileName)
{
    return gStartDir + QLatin1Char('/') + folder + QLatin1Char('/') + fileName;
}
