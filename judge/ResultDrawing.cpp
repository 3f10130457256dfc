#include "ResultDrawing.h"

#include "judge/ResultTables.h"
#include "orbit/ObservationConditions.h"
#include "orbit/TextHelpers.h"
#include "platform/Fonts.h"
#include "platform/NumberText.h"
#include "platform/PictureCanvas.h"

#include <algorithm>

namespace judge {
namespace {

QString StepLabel(int step) { return QString::fromStdString(orbit::ConvertSecondToTimeStr(double(step) * kSecondsPerStep)); }

QString Number(float value) { return QString::fromStdString(platform::PlainText(value, platform::Precision::Single)); }

void SetLegendFont(PictureCanvas& pic, double points)
{
    QFont font = platform::WindowFont(points);
    font.setBold(false);
    pic.setTextFont(font);
    pic.setForeColor(Qt::black);
}

// Prints text with its top-left corner at (x, y). Text that would run past the picture's right
// edge is drawn narrower (down to 60 % of its width) so that it ends at the edge: the legends sit
// at fixed places near that edge, and a clipped condition or class label would misinform.
void PrintAt(PictureCanvas& pic, double x, double y, const QString& text)
{
    const QFont font = pic.textFont();
    const double room = pic.scaleLeft() + pic.scaleWidth() - x - 2.0;
    const double width = pic.textWidth(text);
    if (room > 0.0 && width > room) {
        QFont narrow = font;
        narrow.setStretch(std::max(60, static_cast<int>(100.0 * room / width)));
        pic.setTextFont(narrow);
    }
    pic.setCurrentPoint(QPointF(x, y));
    pic.printText(text);
    pic.setTextFont(font);
}

// A legend box, outline and inside in one colour, like the result squares.
void ColorBox(PictureCanvas& pic, QPointF corner1, QPointF corner2, const QColor& color)
{
    pic.box(corner1, corner2, color);
    pic.filledBox(corner1, corner2, color);
}

// The condition lines both legends share, from `top` down in steps of 20, at x; the date itself
// sits at x = 400 on its own line.
void PrintConditions(PictureCanvas& pic, double x, double top, const LegendConditions& c, const QString& time)
{
    SetLegendFont(pic, 11);
    PrintAt(pic, x, top, QStringLiteral("緯度：") + Number(c.latitude) + QStringLiteral("°"));
    PrintAt(pic, x, top - 20, QStringLiteral("経度：") + Number(c.longitude) + QStringLiteral("°"));
    PrintAt(pic, x, top - 40, QStringLiteral("年月日："));
    PrintAt(pic, 400, top - 60, QString::fromStdString(c.date));
    PrintAt(pic, x, top - 80, QStringLiteral("時間：") + time);
    PrintAt(pic, x, top - 100, QStringLiteral("ｱﾝﾃﾅ高：") + Number(c.antenna) + QStringLiteral("m"));
    PrintAt(pic, x, top - 120, QStringLiteral("仰角ﾏｽｸ：") + Number(c.mask) + QStringLiteral("度"));
}

}  // namespace

QColor ColorOfValue(std::uint32_t value) { return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF)); }

void PaintResultCell(PictureCanvas& pic, const AreaResult& result, int i, int j, const MapViewState& view)
{
    if (result.colorIndex(i, j) < 0) return;
    double x = 0.0, y = 0.0;
    ResultCellCentre(result, i, j, view, x, y);
    const double h = ResultCellHalfSide(result, view);
    pic.setDrawMode(PictureCanvas::DrawMode::Copy);
    ColorBox(pic, QPointF(x - h, y - h), QPointF(x + h, y + h), ColorOfValue(result.colorValue(i, j)));
}

void RedrawResultMap(PictureCanvas& pic, const AreaResult& result, const MapViewState& view)
{
    for (int i = 0; i < result.columns(); ++i)
        for (int j = 0; j < result.rows(); ++j) PaintResultCell(pic, result, i, j, view);
}

QString CountHeadingText(int step) { return StepLabel(step) + QStringLiteral("に受信可能衛星数"); }

QString MeanHeadingText(int firstStep, int lastStep, int criterion)
{
    QString text = StepLabel(firstStep) + QStringLiteral("～") + StepLabel(lastStep);
    if (criterion == 1) text += QStringLiteral("の間に４衛星以上受信可能な確率");
    else if (criterion == 2) text += QStringLiteral("の間に５衛星以上受信可能な確率");
    return text;
}

namespace {

constexpr double kHeadingLineHeight = 24.0;  // picture units between heading lines (14 pt bold)

void PrintHeadingLine(PictureCanvas& pic, const QString& text, double x, double y, const QColor& color, bool onWhite)
{
    QFont font = platform::WindowFont(14);
    font.setBold(true);
    pic.setTextFont(font);
    pic.setForeColor(color);
    if (onWhite) {
        // On a white ground, so that no frame line of the map runs through it.
        pic.setDrawMode(PictureCanvas::DrawMode::Copy);
        pic.filledBox(QPointF(x - 2, y + 1), QPointF(x + pic.textWidth(text) + 2, y - pic.textHeight(text) - 1), Qt::white);
    }
    PrintAt(pic, x, y, text);
}

}  // namespace

void PrintHeading(PictureCanvas& pic, const QString& text, double x, double y) { PrintHeadingLine(pic, text, x, y, Qt::black, false); }

QString StoppedHeadingText() { return QStringLiteral("（計算停止：途中までの結果）"); }

void PrintStoppedHeading(PictureCanvas& pic, double x, double y)
{
    PrintHeadingLine(pic, StoppedHeadingText(), x, y - kHeadingLineHeight, Qt::red, true);
}

void DrawSateNumLegend(PictureCanvas& pic, const LegendConditions& c)
{
    PrintConditions(pic, 365, 280, c, StepLabel(c.startStep));
    SetLegendFont(pic, 10);
    PrintAt(pic, 365, 140, QStringLiteral("上空の衛星数を"));
    PrintAt(pic, 365, 120, QStringLiteral("下の色で区別"));
    struct Row {
        int count;  // the row of gSateNumColor it shows
        const char* text;
    };
    static const Row kRows[4] = {{6, "6衛星以上"}, {5, "5衛星"}, {4, "4衛星"}, {3, "3衛星以下"}};
    pic.setDrawMode(PictureCanvas::DrawMode::Copy);
    for (int r = 0; r < 4; ++r) {
        const double t = 100 - 25 * r;
        ColorBox(pic, QPointF(370, t), QPointF(400, t - 18), ColorOfValue(gSateNumColor[static_cast<std::size_t>(kRows[r].count)]));
        PrintAt(pic, 410, t, QString::fromUtf8(kRows[r].text));
    }
}

void DrawMeanSateNumLegend(PictureCanvas& pic, const LegendConditions& c)
{
    // Texts start 5 units right of the obstacle-area frame's line at x = 360, like the count
    // legend's, so the line does not run through their first characters.
    PrintConditions(pic, 365, 320, c, StepLabel(c.startStep) + QStringLiteral("～") + StepLabel(c.endStep));
    SetLegendFont(pic, 10);
    if (c.criterion == 1) PrintAt(pic, 365, 180, QStringLiteral("４衛星以上が取得でき"));
    else if (c.criterion == 2) PrintAt(pic, 365, 180, QStringLiteral("５衛星以上が取得でき"));
    PrintAt(pic, 365, 160, QStringLiteral("る確率を下の色で区別"));
    pic.setDrawMode(PictureCanvas::DrawMode::Copy);
    for (int k = 0; k < 20; ++k) {
        const double t = 140 - 20 * k;
        ColorBox(pic, QPointF(365, t), QPointF(400, t - 18), ColorOfValue(gRateClassColor[static_cast<std::size_t>(k)]));
        PrintAt(pic, 405, t, QString::fromStdString(gRateClassLabel[static_cast<std::size_t>(k)]));
    }
}

}  // namespace judge
