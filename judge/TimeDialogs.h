#pragma once
// The two time dialogs of the area judgements. Both are modal and created afresh at every
// showing; they hand their result over in program-wide variables: the time window
// (gStartTimeStep, gEndTimeStep) and the run flags below.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;

// Outcome of the last time dialog: 0 cancelled or still open (both set 0 at load), 1 the
// single-time dialog was confirmed, 2 the time-span dialog was confirmed.
extern int gDialogResult;
// Satellites the time-average judgement requires: 1 four or more, 2 five or more; the
// single-time dialog's OK sets 0.
extern int gMeanSateCriterion;

// "エリアＧＰＳ受信予測（指定時刻）": one TimeStep. The label and the thumb open at the caller's
// gStartTimeStep (0..288); moving the thumb stores its step in gStartTimeStep.
// OK sets gDialogResult 1 and gMeanSateCriterion 0 and confirms gStartTimeStep.
class StartAreaGPSFrm : public QDialog {
    Q_OBJECT
public:
    // `demoRunning`: a demonstration runs, and the dialog presses OK itself at its first activation.
    StartAreaGPSFrm(QWidget* owner, bool demoRunning);
    // Creates the dialog, shows it modally and returns when it has closed.
    static void ShowModal(QWidget* owner, bool demoRunning);

    QLabel* Label1 = nullptr;
    QFrame* SingleTimeFlm = nullptr;
    QLabel* SingleTimeHdLbl = nullptr;
    QScrollBar* SingleTimeScl = nullptr;
    QLabel* SingleTimeLbl = nullptr;
    QPushButton* OKCmd = nullptr;
    QPushButton* CancelCmd = nullptr;
    int pFirstActivate = -1;  // -1 from the load to the end of the first activation

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    void SingleTimeScl_Change();
    void OKCmd_Click();
    void CancelCmd_Click();

    bool demoRunning_;
};

// "エリアＧＰＳ受信予測（時間平均）": a start step, an end step and the criterion. It always
// opens at 08:00 to 18:00 and four satellites (storing 96 and 216 at once). A slider acts only
// while it has the focus; moving one past the other pulls the other onto the same step. OK sets
// gDialogResult 2, the steps from the sliders and gMeanSateCriterion from the option chosen.
class StartAreaMeanGPSFrm : public QDialog {
    Q_OBJECT
public:
    StartAreaMeanGPSFrm(QWidget* owner, bool demoRunning);
    static void ShowModal(QWidget* owner, bool demoRunning);

    QLabel* Label5 = nullptr;
    QFrame* MeanTimeFlm = nullptr;
    QLabel* Label1 = nullptr;
    QScrollBar* StartTimeScl = nullptr;
    QLabel* StartTimeLbl = nullptr;
    QLabel* Label2 = nullptr;
    QScrollBar* EndTimeScl = nullptr;
    QLabel* EndTimeLbl = nullptr;
    QLabel* Label3 = nullptr;
    QRadioButton* MoreFourSateOpt = nullptr;
    QRadioButton* MoreFiveSateOpt = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* OKCmd = nullptr;
    QPushButton* CancelCmd = nullptr;
    int pFirstActivate = -1;
    int pActiveScl = 0;  // slider that last got the focus: 0 none, 1 start, 2 end

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    void StartTimeScl_GotFocus();
    void EndTimeScl_GotFocus();
    void StartTimeScl_Change();
    void EndTimeScl_Change();
    void OKCmd_Click();
    void CancelCmd_Click();

    bool demoRunning_;
};
