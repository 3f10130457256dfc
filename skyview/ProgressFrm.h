#pragma once
// The small modal window "     GDOPの計算処理中です。" shown while the satellite tables and counts
// of a whole day are computed again. When it is first shown it lets pending events through for
// a moment (so that it paints), then runs the computation it was given over steps 0..288 in
// pieces, moving its bar after each, and closes itself when the computation is done: the caller's
// modal call returns then. It has no close button, and neither the window system's close command
// nor Escape ends it while it computes.

#include <QDialog>

#include <functional>

class QProgressBar;

// Seconds of the pause before the computation that lets the window paint; tests set 0.
extern double gProgressPause;

class ProgressFrm : public QDialog {
    Q_OBJECT
public:
    // `computeSteps(first, last)` computes steps first..last of the day; it is called for
    // consecutive pieces covering 0..`lastStep` in order.
    ProgressFrm(QWidget* parent, std::function<void(int first, int last)> computeSteps, int lastStep);

    QProgressBar* ProgressBar1 = nullptr;

    // True once the computation has run to its end.
    bool finished() const { return done_; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Activate();

    std::function<void(int, int)> computeSteps_;
    int lastStep_;
    bool started_ = false;
    bool done_ = false;
};
