#pragma once
// The satellite icons over a sky plot shown in a window: small child widgets of the plot's
// picture box, placed in its user units.

#include <QLabel>

#include <array>

#include "skyview/SkyPlot.h"

class PictureSurface;

namespace skyview {

// The two arrays of 32 icons over a plot surface (index PRN - 1): Sate1 for receivable satellites
// and BackSate1Img for those hidden behind a building. They are children of the surface, created
// hidden; `offset` is d, the distance in plot units from the icon's top-left corner to the
// satellite's point on both axes (the icon is 2d units square).
class SkyPlotIcons {
public:
    SkyPlotIcons(PictureSurface& surface, double offset);
    void hideAll();
    // Places and shows the icons of the marks: a usable visible satellite shows its receivable
    // icon, a usable hidden one its hidden icon, the other icon of each goes; a satellite at or
    // below the mask has both hidden. An unusable satellite's icons are moved but not shown;
    // slots not among the marks keep their icons; a PRN outside 1..32 has no icon.
    void show(const SatePositions& positions);
    QLabel* receivable(int index) const { return sate1_.at(index); }
    QLabel* hidden(int index) const { return backSate1Img_.at(index); }

private:
    // Moves an icon (PRN index) so its top-left corner is d units left of and above `at`, sized
    // 2d units at the surface's current scale.
    void place(QLabel* icon, int index, bool hiddenStyle, QPointF at) const;
    PictureSurface& surface_;
    double offset_;
    std::array<QLabel*, 32> sate1_{};
    std::array<QLabel*, 32> backSate1Img_{};
};

// Icons and count at one step: the icons placed by the marks and `countLabel` set to the count
// caption. Returns the positions shown.
SatePositions ShowSatePosition(SkyPlotIcons& icons, QLabel& countLabel, const PlotFrame& frame, const SkyInputs& inputs,
                               int step);

}  // namespace skyview
