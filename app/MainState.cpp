#include "MainState.h"

int gStartUpState = 0;
QString gStartDir;

QString DataPath(const QString& folder, const QString& fileName)
{
    return gStartDir + QLatin1Char('/') + folder + QLatin1Char('/') + fileName;
}
