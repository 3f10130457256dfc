#include "SkyPlotIcons.h"

#include <algorithm>
#include <cmath>

#include "platform/PictureSurface.h"

namespace skyview {

SkyPlotIcons::SkyPlotIcons(PictureSurface& surface, double offset) : surface_(surface), offset_(offset)
{
    for (int i = 0; i < 32; ++i) {
        sate1_[i] = new QLabel(&surface);
        sate1_[i]->setObjectName(QStringLiteral("Sate1_%1").arg(i));
        backSate1Img_[i] = new QLabel(&surface);
        backSate1Img_[i]->setObjectName(QStringLiteral("BackSate1Img_%1").arg(i));
        for (QLabel* icon : {sate1_[i], backSate1Img_[i]}) {
            icon->setAttribute(Qt::WA_TransparentForMouseEvents);
            icon->hide();
        }
    }
}

void SkyPlotIcons::hideAll()
{
    for (int i = 0; i < 32; ++i) {
        sate1_[i]->hide();
        backSate1Img_[i]->hide();
    }
}

void SkyPlotIcons::place(QLabel* icon, int index, bool hiddenStyle, QPointF at) const
{
    const QPointF topLeft = surface_.toPixel({at.x() - offset_, at.y() + offset_});
    const QPointF bottomRight = surface_.toPixel({at.x() + offset_, at.y() - offset_});
    const int size = std::max(8, static_cast<int>(std::lround(std::abs(bottomRight.x() - topLeft.x()))));
    if (icon->pixmap().width() != size) {
        icon->setPixmap(SateIconPixmap(index + 1, hiddenStyle, size));
        icon->resize(size, size);
    }
    icon->move(topLeft.toPoint());
}

void SkyPlotIcons::show(const SatePositions& positions)
{
    for (const SateMark& mark : positions.marks) {
        const int index = mark.prn - 1;
        if (index < 0 || index >= 32) {
            continue;
        }
        QLabel* receivable = sate1_[index];
        QLabel* hidden = backSate1Img_[index];
        switch (mark.state) {
        case SkyState::Visible:
            hidden->hide();
            place(receivable, index, false, mark.at);
            receivable->setVisible(mark.usable);
            break;
        case SkyState::Hidden:
            receivable->hide();
            place(hidden, index, true, mark.at);
            hidden->setVisible(mark.usable);
            break;
        case SkyState::BelowMask:
            receivable->hide();
            hidden->hide();
            break;
        }
    }
}

SatePositions ShowSatePosition(SkyPlotIcons& icons, QLabel& countLabel, const PlotFrame& frame, const SkyInputs& inputs,
                               int step)
{
    SatePositions positions = SatePositionsAt(frame, inputs, step);
    icons.show(positions);
    countLabel.setText(SateCountText(positions.count));
    return positions;
}

}  // namespace skyview
