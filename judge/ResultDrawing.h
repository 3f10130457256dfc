#pragma once
// Drawing of the area judgements on the site map picture (y upwards, picture units): the result
// squares, the headings and the two legends with the conditions of the judgement.

#include "judge/AreaResult.h"

#include <QColor>
#include <QString>

#include <cstdint>

class PictureCanvas;

namespace judge {

// A colour value red + 256 green + 65536 blue as a colour.
QColor ColorOfValue(std::uint32_t value);

// Paints window cell (i, j) of `result` as an upright filled square, outline and inside in its
// colour, in the picture's current pen width and copy mode, at its place under `view`. Cells
// without a colour (buildings, cells not judged) are left alone.
void PaintResultCell(PictureCanvas& pic, const AreaResult& result, int i, int j, const MapViewState& view);
// Every painted cell of the result, column by column.
void RedrawResultMap(PictureCanvas& pic, const AreaResult& result, const MapViewState& view);

// "08:00に受信可能衛星数" for step 96.
QString CountHeadingText(int step);
// "08:00～18:00の間に４衛星以上受信可能な確率" (criterion 1; "５衛星以上" for 2; neither for others).
QString MeanHeadingText(int firstStep, int lastStep, int criterion);
// The heading of a judgement, 14 pt bold black, its top-left corner at (x, y).
void PrintHeading(PictureCanvas& pic, const QString& text, double x, double y);
// "（計算停止：途中までの結果）": the line under the heading of a judgement stopped with 計算停止,
// so that its partial map is never taken for a complete result.
QString StoppedHeadingText();
// Prints StoppedHeadingText one line under a heading printed at (x, y), 14 pt bold red on white.
void PrintStoppedHeading(PictureCanvas& pic, double x, double y);

// The legend of the count map: conditions (latitude, longitude, date, time, antenna height,
// mask) and the four colour rows "6衛星以上" .. "3衛星以下".
void DrawSateNumLegend(PictureCanvas& pic, const LegendConditions& c);
// The legend of the probability map: conditions with the time span, the criterion line and the
// 20 rows of gRateClassColor / gRateClassLabel.
void DrawMeanSateNumLegend(PictureCanvas& pic, const LegendConditions& c);

}  // namespace judge
