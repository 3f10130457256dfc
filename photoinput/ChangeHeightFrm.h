#pragma once
// The height dialog of the building input ("高さ変更"): the height of the roof selected in the plan
// view, changed by OK. Modeless, owned by the building input, placed at 3000, 1000 twips; its close
// box closes it without a change. It shows the selected roof's height as "###0.0" when it opens;
// OK stores the typed height (0 .. 500 m, what a project file takes; anything else is refused and
// the dialog stays open) into the roof selected at that moment, redraws the plan with that roof
// highlighted and closes. With no roof selected at OK nothing is stored.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class InputLineFrm;

class ChangeHeightFrm : public QWidget {
    Q_OBJECT
public:
    explicit ChangeHeightFrm(InputLineFrm* owner);

    QLabel* Label1 = nullptr;
    QLineEdit* HeightTxt = nullptr;
    QLabel* UnitLbl = nullptr;
    QPushButton* OKCmd = nullptr;

    void OKCmd_Click();

private:
    InputLineFrm* owner_;
};
