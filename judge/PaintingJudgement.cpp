#include "PaintingJudgement.h"

#include "judge/ResultDrawing.h"
#include "platform/PictureSurface.h"
#include "platform/WaitTime.h"

#include <QPointer>

namespace judge {

double gJudgeHeadingPause = 0.5;
double gJudgeColumnPause = 0.05;
double gJudgeCellPause = 0.05;

PaintingJudgement::PaintingJudgement(WindowJudge judge, AreaResultKind kind, const MapViewState& view, const LegendConditions& conditions)
    : judge_(std::move(judge)), result_(AreaResult::Blank(kind, judge_.setup(), view, conditions))
{
}

void PaintingJudgement::run(PictureSurface* pic, const std::function<bool()>& stopRequested)
{
    const QPointer<PictureSurface> surface(pic);
    const bool mean = result_.kind == AreaResultKind::Mean;
    auto pauseThenStop = [&](double seconds) {
        platform::WaitTime(seconds);
        stopped_ = stopRequested && stopRequested();
        return stopped_;
    };
    stopped_ = false;
    for (int i = 0; i < result_.columns(); ++i) {
        for (int j = 0; j < result_.rows(); ++j) {
            if (!judge_.isOpen(i, j)) {
                result_.set(i, j, 0.0f);
                continue;
            }
            result_.set(i, j, static_cast<float>(judge_.judgeCell(i, j)));
            if (surface) PaintResultCell(*surface, result_, i, j, CurrentMapView());
            if (mean && pauseThenStop(gJudgeCellPause)) return;
        }
        if (!mean && pauseThenStop(gJudgeColumnPause)) return;
    }
}

}  // namespace judge
