#pragma once
// Checks the large plot windows (the orbit view and the sky view) share: all of the plot and its
// captions show, and the compass letter at the foot of the grid is not cut off.

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/PictureSurface.h"
#include "skyview/SkyPlot.h"
#include "skyview/SkyWindowParts.h"

namespace testutil {

// The plot lies inside `window` and every caption wholly on the plot's picture, the hidden-icon
// legend at least one text line high.
inline void ExpectCaptionsOnThePlot(const QWidget& window, const PictureSurface& plot, const skyview::PlotCaptions& c)
{
    EXPECT_TRUE(window.rect().contains(plot.geometry()));
    for (QLabel* label : {c.VisibleSateLbl, c.BackSateLbl, c.VisibleSateImg, c.BackSateXXimg, c.SateNumLbl, c.Label2,
                          c.TitleNameLbl, c.SeeingLbl}) {
        const QRect g = label->geometry();
        EXPECT_TRUE(plot.rect().contains(g)) << label->objectName().toStdString() << " " << g.x() << "," << g.y() << " "
                                             << g.width() << "x" << g.height();
    }
    EXPECT_LE(QFontMetrics(c.BackSateLbl->font()).height(), c.BackSateLbl->height());
}

// The lowest pixel row in the compass colour within 20 pixels of the plot's centre line (-1: none).
inline int LowestCompassRow(const PictureSurface& plot)
{
    const QImage image = plot.image();
    const int centre = qRound(plot.toPixel({0, 0}).x());
    int lowest = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = centre - 20; x <= centre + 20; ++x)
            if (QColor(image.pixel(x, y)) == skyview::kCompassColor) lowest = y;
    return lowest;
}

}  // namespace testutil
