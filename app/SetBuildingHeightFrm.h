#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

// -1 while the height dialog is open for a selected building, 0 otherwise.
extern int gSetBillHeightMode;

// The small "高さ入力" dialog: shows the height of one building and stores the typed height into
// that same building (the one selected when the dialog opened, even if the selection changes
// while it is open). The main window closes it, storing nothing, when buildings are removed or
// replaced, since the index would then name another building. Destroyed when it closes.
class SetBuildingHeightFrm : public QDialog {
    Q_OBJECT
public:
    // `building` is the index of the building to edit; `redraw` is asked to redraw the map with
    // that building selected after a height was stored.
    SetBuildingHeightFrm(int building, std::function<void(int)> redraw, QWidget* parent = nullptr);

    int building() const { return building_; }

    QLabel* Label1 = nullptr;
    QLineEdit* HeightTxt = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* OKCmd = nullptr;

    void OKCmd_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    int building_;
    std::function<void(int)> redraw_;
};
