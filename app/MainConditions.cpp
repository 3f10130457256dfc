// The observation conditions on the main window: the checks of the boxes and the mask list, the
// calendar, the explanation windows, the stop button, and the read of the controls into the
// program-wide conditions before a computation.
#include <QComboBox>
#include <QEvent>
#include <functional>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "ExplanationFrms.h"
#include "MainWorkingFrm.h"

#include "app/LonLatJapanFrm.h"
#include "site/RunState.h"
#include "orbit/ObservationConditions.h"
#include "platform/CalendarPopup.h"
#include "platform/MessageBox.h"
#include "platform/NamedControls.h"
#include "platform/NumberText.h"
#include "platform/OwnedWindow.h"
#include "platform/PictureSurface.h"

namespace {

double BoxValue(const QLineEdit* box) { return platform::NumericValue(box->text().toStdString()); }

// True when the box holds a number or what may still become one as the user types ("", "-",
// ".", "1E-"): text such as "abc" or "35x" would otherwise be read as 0 or 35 without a word.
bool IsNumberOrItsStart(const QLineEdit* box)
{
    const std::string text = box->text().trimmed().toStdString();
    return text.empty() || platform::IsNumberText(text) || platform::IsNumberText(text + "0");
}

// Hides the calendar on a press on one of the frames around it.
class CalendarCloser : public QObject {
public:
    CalendarCloser(QObject* parent, std::function<void()> hide) : QObject(parent), hide_(std::move(hide)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            hide_();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> hide_;
};

}  // namespace

void MainWorkingFrm::ConnectCommands()
{
    connect(SetDataCmd, &QPushButton::clicked, this, &MainWorkingFrm::SetDataCmd_Click);
    connect(DaybrookPicker1, &platform::CalendarPopup::datePicked, this, &MainWorkingFrm::DaybrookPicker1_DatePicked);
    auto* closer = new CalendarCloser(this, [this] { HideCalendar(); });
    for (QWidget* frame : {static_cast<QWidget*>(AlmanacFlm[0]), static_cast<QWidget*>(AlmanacFlm[1]),
                           static_cast<QWidget*>(AlmanacFlm[2]), static_cast<QWidget*>(AlmanacFlm[3]),
                           static_cast<QWidget*>(AntennaFlm), static_cast<QWidget*>(HeaderPic),
                           static_cast<QWidget*>(CarStatusPic), static_cast<QWidget*>(PhotoPic)}) {
        frame->installEventFilter(closer);
    }
    connect(LatDataTxt, &QLineEdit::textChanged, this, &MainWorkingFrm::LatDataTxt_Change);
    connect(LonDataTxt, &QLineEdit::textChanged, this, &MainWorkingFrm::LonDataTxt_Change);
    connect(AntennaHTxt, &QLineEdit::textChanged, this, &MainWorkingFrm::AntennaHTxt_Change);
    connect(ElevationCmb, &QComboBox::currentIndexChanged, this, &MainWorkingFrm::ElevationCmb_Click);
    connect(StopComputeCmd, &QPushButton::clicked, this, &MainWorkingFrm::StopComputeCmd_Click);
    connect(AntennaCmd, &QPushButton::clicked, this, &MainWorkingFrm::AntennaCmd_Click);
    connect(ElevationMaskCmd, &QPushButton::clicked, this, &MainWorkingFrm::ElevationMaskCmd_Click);
    connect(DispLonLatRbn, &QToolButton::toggled, this, &MainWorkingFrm::DispLonLatRbn_Click);
    ConnectFileCommands();
    ConnectViewCommands();
    ConnectSkyCommands();
    ConnectGpsCommands();
    ConnectCompareCommand();

    // The box starts at the antenna height the conditions start with; its change handler stores
    // the value, so box and variable agree from the start.
    AntennaHTxt->setText(QStringLiteral("1.5"));
}

void MainWorkingFrm::SetDataCmd_Click()
{
    DaybrookPicker1->setVisible(!DaybrookPicker1->isVisible());
    if (DaybrookPicker1->isVisible()) {
        DaybrookPicker1->raise();
    }
}

void MainWorkingFrm::DaybrookPicker1_DatePicked(const QString& dateText)
{
    SetComputeDate(dateText.toStdString());
    DateLbl->setText(dateText);
    DaybrookPicker1->hide();
}

void MainWorkingFrm::HideCalendar()
{
    if (DaybrookPicker1->isVisible()) {
        DaybrookPicker1->hide();
    }
}

void MainWorkingFrm::CheckPositionBox(QLineEdit* box, double maximum)
{
    // While the window loads, the boxes take whatever the load writes.
    if (pFirstActivate != 0) {
        return;
    }
    const double v = BoxValue(box);
    if (!IsNumberOrItsStart(box) || v < 0.0 || v > maximum) {
        platform::ShowMessage(this, QStringLiteral("入力値が範囲外です"));
        box->setText(QStringLiteral("0"));
    }
}

void MainWorkingFrm::LatDataTxt_Change() { CheckPositionBox(LatDataTxt, 90.0); }

void MainWorkingFrm::LonDataTxt_Change() { CheckPositionBox(LonDataTxt, 180.0); }

void MainWorkingFrm::AntennaHTxt_Change()
{
    const AntennaHeightCheck checked =
        CheckAntennaHeight(BoxValue(AntennaHTxt), IsNumberOrItsStart(AntennaHTxt), gAntennaHeight);
    SetAntennaHeight(checked.metres);
    if (!checked.message.empty()) {
        platform::ShowMessage(this, QString::fromStdString(checked.message));
        AntennaHTxt->setText(platform::BoxNumber(checked.metres));
    }
}

void MainWorkingFrm::ElevationCmb_Click()
{
    // Item k shows k degrees; the mask never stays below 3.
    const int v = ElevationCmb->currentIndex();
    SetElevationMask(static_cast<float>(v));
    if (v < 3) {
        ElevationCmb->setCurrentIndex(3);
    }
}

void MainWorkingFrm::StopComputeCmd_Click() { SetStopCompute(1); }

void MainWorkingFrm::AntennaCmd_Click()
{
    platform::ShowSingleWindow(antennaHeightFrm_, [this] { return new AntennaHeightFrm(this); });
}

void MainWorkingFrm::ElevationMaskCmd_Click()
{
    platform::ShowSingleWindow(elevationMaskFrm_, [this] { return new ElevationMaskFrm(this); });
}

void MainWorkingFrm::DispLonLatRbn_Click(bool pressed)
{
    if (pressed) {
        // The picker hands over a position already checked against the boxes' ranges; the boxes'
        // change handlers store it.
        LonLatJapanFrm::Open(this, [this](const QString& lat, const QString& lon) {
            LatDataTxt->setText(lat);
            LonDataTxt->setText(lon);
        });
        DispLonLatRbn->setChecked(false);
    }
}

void MainWorkingFrm::ReadComputeCondition() { ReadConditionControls(false); }

void MainWorkingFrm::ReadComputeConditionAllDay() { ReadConditionControls(true); }

void MainWorkingFrm::ReadConditionControls(bool allDay)
{
    const int m = ElevationCmb->currentIndex();
    SetElevationMask(static_cast<float>(m));
    if (m < 3) {
        ElevationCmb->setCurrentIndex(3);
    }
    SetSettingReserve(10);
    SetComputeDate(DateLbl->text().toStdString());
    if (allDay) {
        SetStartTimeStep(0);
        SetEndTimeStep(kLastTimeStep);
    } else {
        SetStartTimeStep(StartTimeCmb->currentIndex());
        SetEndTimeStep(EndTimeCmb->currentIndex());
    }
    SetLatitude(static_cast<float>(BoxValue(LatDataTxt)));
    SetLongitude(static_cast<float>(BoxValue(LonDataTxt)));
    SetAntennaHeight(static_cast<float>(BoxValue(AntennaHTxt)));
}
