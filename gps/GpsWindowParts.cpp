#include "GpsWindowParts.h"

#include <QLabel>

#include "gps/GpsSettings.h"
#include "gps/PlaneRectangular.h"
#include "platform/Constants.h"
#include "platform/MessageBox.h"
#include "site/RunState.h"

namespace gps {

QLabel* ValueLabel(QWidget* parent, const QString& objectName, int minimumWidth)
{
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(minimumWidth);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

void LoadGpsWindowSettings(QWidget* window)
{
    gScaleFactor = kPlaneScaleFactor;
    SetEllipsoidParameter();
    if (const QString problem = LoadGPSSetting(gStartDir); !problem.isEmpty()) {
        platform::ShowMessage(window, problem);
    }
}

void PlaceWindowAtTwips(QWidget* window, int left, int top)
{
    window->move(left / platform::kTwipsPerPixel, top / platform::kTwipsPerPixel);
}

}  // namespace gps
