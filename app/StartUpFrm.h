#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>

// The splash window. Its first activation (while gStartUpState is 0) starts Timer1 at 400 ms;
// on the 7th tick it stops the timer, closes itself and shows the main window.
class StartUpFrm : public QWidget {
    Q_OBJECT
public:
    explicit StartUpFrm(QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* VersionLbl = nullptr;
    QTimer Timer1;

    // Tick handler of Timer1 (public so that tests can drive the ticks).
    void Timer1_Timer();
    int tickCount() const { return tickCount_; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Form_Activate();
    static QPixmap SplashPicture(QSize size);

    int tickCount_ = 0;
};
