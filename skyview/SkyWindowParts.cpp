#include "SkyWindowParts.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <cmath>

#include "orbit/ObservationConditions.h"
#include "orbit/TextHelpers.h"
#include "platform/Constants.h"
#include "platform/Fonts.h"
#include "skyview/SkyPlot.h"

namespace skyview {

int Px(int twips) { return static_cast<int>(std::lround(twips / static_cast<double>(platform::kTwipsPerPixel))); }

QRect TwipRect(int left, int top, int width, int height) { return {Px(left), Px(top), Px(width), Px(height)}; }

QString StepLabel(int step)
{
    return QString::fromStdString(orbit::ConvertSecondToTimeStr(static_cast<double>(step) * kSecondsPerStep));
}

QPixmap ObstacleSample(QSize size)
{
    QPixmap sample(size);
    sample.fill(Qt::transparent);
    QPainter painter(&sample);
    painter.setPen(QPen(kSkylineColor, 2));
    painter.drawLine(0, sample.height() / 2, sample.width(), sample.height() / 2);
    return sample;
}

}  // namespace skyview
