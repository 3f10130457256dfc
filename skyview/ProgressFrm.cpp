#include "ProgressFrm.h"

#include <QCloseEvent>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/Constants.h"
#include "platform/Fonts.h"
#include "platform/WaitTime.h"

double gProgressPause = 0.05;

namespace {
// Steps computed between two moves of the bar: two hours of the day.
constexpr int kStepsPerPiece = 24;
}  // namespace

ProgressFrm::ProgressFrm(QWidget* parent, std::function<void(int, int)> computeSteps, int lastStep)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      computeSteps_(std::move(computeSteps)), lastStep_(lastStep)
{
    setObjectName(QStringLiteral("ProgressFrm"));
    setWindowTitle(QStringLiteral("     GDOPの計算処理中です。"));
    setFont(platform::WindowFont(9));
    setModal(true);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, std::max(lastStep_, 1));
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(ProgressBar1);
    // A client area of 3675 x 435 twips.
    setFixedSize(3675 / platform::kTwipsPerPixel, 435 / platform::kTwipsPerPixel);
}

void ProgressFrm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!started_) {
        started_ = true;
        // After the show has finished, so that the modal loop is running when the window closes.
        QTimer::singleShot(0, this, &ProgressFrm::Form_Activate);
    }
}

void ProgressFrm::Form_Activate()
{
    platform::WaitTime(gProgressPause);
    for (int first = 0; first <= lastStep_; first += kStepsPerPiece) {
        const int last = std::min(first + kStepsPerPiece - 1, lastStep_);
        computeSteps_(first, last);
        ProgressBar1->setValue(last);
        ProgressBar1->repaint();
    }
    done_ = true;
    accept();
}

void ProgressFrm::reject()
{
    // Escape does not end the computation.
    if (done_) QDialog::reject();
}

void ProgressFrm::closeEvent(QCloseEvent* event)
{
    if (done_) {
        QDialog::closeEvent(event);
    } else {
        event->ignore();
    }
}
