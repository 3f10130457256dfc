#pragma once
// The two explanation windows of the observation conditions: what the antenna height and the
// elevation mask mean, each a picture and a sentence. Owned by the main window, one instance
// each, closed by the user.

#include <QLabel>
#include <QWidget>

class AntennaHeightFrm : public QWidget {
    Q_OBJECT
public:
    explicit AntennaHeightFrm(QWidget* owner);
    QLabel* Image1 = nullptr;  // the antenna on its pole above the ground
    QLabel* Image2 = nullptr;  // how the height changes the angle to an obstacle
    QLabel* Label1 = nullptr;
};

class ElevationMaskFrm : public QWidget {
    Q_OBJECT
public:
    explicit ElevationMaskFrm(QWidget* owner);
    QLabel* Image1 = nullptr;  // the cone of the mask around the receiving point
    QLabel* Label1 = nullptr;
};
