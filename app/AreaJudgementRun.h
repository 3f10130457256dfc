#pragma once
// The area judgements of the main window: the two pop-up menu commands, the run they share (with
// the window locked but for the stop button), the per-cell operations, and the repaint of a
// shown result with its legend after every redraw of the site map, with the flags of the result map
// shown. Owned by the main window, whose site map and demonstration it works on; the window's
// handlers of the same names forward here.

#include <memory>

class MainWorkingFrm;
namespace judge {
struct AreaResult;
class PaintingJudgement;
}

class AreaJudgementRun {
public:
    explicit AreaJudgementRun(MainWorkingFrm& window);
    AreaJudgementRun(const AreaJudgementRun&) = delete;
    AreaJudgementRun& operator=(const AreaJudgementRun&) = delete;

    // "エリアＧＰＳ受信予測（指定時刻）(&T)": count of visible satellites per open cell at one step.
    void JudgeSateNumInComuAreaMenu_Click();
    // "エリアＧＰＳ受信予測（時間平均）(&M)": class of the share of steps with four (five) or more.
    void JudgeMeanSateNumInComuAreaMenu_Click();
    // Satellites visible at step StartT from grid cell (ix10, jy10) of the last built height grid,
    // marching over columns 0..NumX and rows 0..NumY with cell size DifIX metres; at least 1.
    int LoadSatelliteData6(int StartT, int ix10, int jy10, int NumX, int NumY, float DifIX) const;
    // Class 1..20 of the share of steps gStartTimeStep..gEndTimeStep at which the cell sees enough
    // satellites under gMeanSateCriterion; writes gStartTimeStep into StartT.
    int LoadSatelliteData7(int& StartT, int ix10, int jy10, int NumX, int NumY, float DifIX) const;
    // Repaint of the shown count map / probability map (after the buildings were redrawn) at its
    // place on the site under the current view.
    void RedrawSateNumMap();
    void RedrawMeanSateNumMap();
    // The legends with the conditions of the shown result.
    void DrawSateNumLegend();
    void DrawMeanSateNumLegend();
    // After the buildings were redrawn: the shown result with its legend, and the cells a
    // running judgement has judged so far.
    void RedrawAreaResults(bool shifted);

    // The last judged result (null before the first judgement).
    const judge::AreaResult* shownAreaResult() const { return areaResult_.get(); }
    // True while a judgement runs (only the stop button is enabled then).
    bool isJudging() const { return running_ != nullptr; }

    // Which result map of the last judgement the site map shows: the count map of the judgement
    // at one step, the probability map of the time average (at most one; none after a reset).
    bool countMapShown() const { return pShowAreaResult != 0; }
    bool probabilityMapShown() const { return pShowMeanAreaResult != 0; }
    bool resultMapShown() const { return countMapShown() || probabilityMapShown(); }
    void setResultMapShown(bool countMap, bool probabilityMap)
    {
        pShowAreaResult = countMap ? -1 : 0;
        pShowMeanAreaResult = probabilityMap ? -1 : 0;
    }

private:
    // The common run of both judgements after their dialog was confirmed: clears the shown
    // result, prints the heading, builds the grid, judges and paints with only the stop button
    // live, then stores the result and draws its legend. False when the window went away
    // during the run (nothing of it may be touched then), or after a message with nothing
    // changed when the satellite positions cannot be computed for the date.
    bool RunAreaJudgement(bool mean);

    MainWorkingFrm& w_;
    int pShowAreaResult = 0;      // -1 while the count map of an area judgement is shown
    int pShowMeanAreaResult = 0;  // -1 while the probability map is shown
    std::shared_ptr<const judge::AreaResult> areaResult_;
    judge::PaintingJudgement* running_ = nullptr;
};
