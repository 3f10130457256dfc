#include "TimeDialogs.h"

#include "orbit/ObservationConditions.h"
#include "orbit/TextHelpers.h"
#include "platform/Fonts.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

int gDialogResult = 0;
int gMeanSateCriterion = 0;

namespace {

QString StepText(int step) { return QString::fromStdString(orbit::ConvertSecondToTimeStr(double(step) * kSecondsPerStep)); }

template <typename Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QScrollBar* StepSlider(QWidget* parent, const char* name)
{
    auto* slider = Named(new QScrollBar(Qt::Horizontal, parent), name);
    slider->setSingleStep(1);
    slider->setPageStep(12);  // one hour
    // Keys as on a slider: right arrow and page up go later in the day.
    slider->setInvertedControls(false);
    // A slider acts only while it has the focus, so it takes the focus by every means that moves it.
    slider->setFocusPolicy(Qt::WheelFocus);
    slider->setMinimumWidth(240);
    return slider;
}

QLabel* TimeLabel(QWidget* parent, const char* name)
{
    auto* label = Named(new QLabel(parent), name);
    label->setFont(platform::WindowFont(12));
    label->setMinimumWidth(56);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

QLabel* Title(QWidget* parent, const char* name, const QString& text)
{
    auto* label = Named(new QLabel(text, parent), name);
    QFont font = platform::WindowFont(12);
    font.setBold(true);
    label->setFont(font);
    return label;
}

QFrame* RaisedFrame(QWidget* parent, const char* name)
{
    auto* frame = Named(new QFrame(parent), name);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setLineWidth(2);
    return frame;
}

// OK and cancel under the content, right-aligned. OK is the default button: Enter presses it
// from the sliders and options, as on any dialog (a button with the focus takes Enter itself).
QHBoxLayout* ButtonRow(QWidget* parent, QPushButton*& ok, QPushButton*& cancel)
{
    ok = Named(new QPushButton(QStringLiteral("OK(&Y)"), parent), "OKCmd");
    cancel = Named(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ(&N)"), parent), "CancelCmd");
    ok->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

// Shows a dialog modally; it deletes itself when it closes, also when its owner goes first.
template <typename Dialog>
void ExecFresh(QWidget* owner, bool demoRunning)
{
    QPointer<Dialog> dialog = new Dialog(owner, demoRunning);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->exec();
}

}  // namespace

StartAreaGPSFrm::StartAreaGPSFrm(QWidget* owner, bool demoRunning) : QDialog(owner), demoRunning_(demoRunning)
{
    setObjectName(QStringLiteral("StartAreaGPSFrm"));
    setWindowTitle(QStringLiteral("エリアＧＰＳ受信予測（指定時刻）"));
    setFont(platform::WindowFont(9));
    setModal(true);
    Label1 = Title(this, "Label1", QStringLiteral("時刻指定"));
    SingleTimeFlm = RaisedFrame(this, "SingleTimeFlm");
    SingleTimeFlm->hide();
    SingleTimeHdLbl = Named(new QLabel(QStringLiteral("指定時間"), SingleTimeFlm), "SingleTimeHdLbl");
    SingleTimeScl = StepSlider(SingleTimeFlm, "SingleTimeScl");
    SingleTimeLbl = TimeLabel(SingleTimeFlm, "SingleTimeLbl");
    auto* inFrame = new QHBoxLayout(SingleTimeFlm);
    inFrame->addWidget(SingleTimeHdLbl);
    inFrame->addWidget(SingleTimeScl, 1);
    inFrame->addWidget(SingleTimeLbl);
    auto* column = new QVBoxLayout(this);
    column->addWidget(Label1);
    column->addWidget(SingleTimeFlm);
    column->addLayout(ButtonRow(this, OKCmd, CancelCmd));

    connect(SingleTimeScl, &QScrollBar::valueChanged, this, &StartAreaGPSFrm::SingleTimeScl_Change);
    connect(OKCmd, &QPushButton::clicked, this, &StartAreaGPSFrm::OKCmd_Click);
    connect(CancelCmd, &QPushButton::clicked, this, &StartAreaGPSFrm::CancelCmd_Click);
    Form_Load();
}

void StartAreaGPSFrm::ShowModal(QWidget* owner, bool demoRunning) { ExecFresh<StartAreaGPSFrm>(owner, demoRunning); }

void StartAreaGPSFrm::Form_Load()
{
    pFirstActivate = -1;
    gDialogResult = 0;
    SingleTimeScl->setRange(0, kLastTimeStep);
    // The thumb starts where the label does (the caller's start time), so that what the dialog
    // shows is what runs, also after one arrow press.
    SingleTimeScl->setValue(gStartTimeStep);
    SingleTimeLbl->setText(StepText(SingleTimeScl->value()));
    SingleTimeFlm->show();
}

void StartAreaGPSFrm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void StartAreaGPSFrm::Form_Activate()
{
    if (pFirstActivate != -1) return;
    if (demoRunning_) {
        // Queued, so that the modal loop is running when the dialog closes itself.
        QMetaObject::invokeMethod(this, &StartAreaGPSFrm::OKCmd_Click, Qt::QueuedConnection);
    }
    pFirstActivate = 0;
}

void StartAreaGPSFrm::SingleTimeScl_Change()
{
    if (pFirstActivate != 0) return;
    SetStartTimeStep(SingleTimeScl->value());
    SingleTimeLbl->setText(StepText(gStartTimeStep));
}

void StartAreaGPSFrm::OKCmd_Click()
{
    gDialogResult = 1;
    gMeanSateCriterion = 0;
    accept();
}

void StartAreaGPSFrm::CancelCmd_Click()
{
    gDialogResult = 0;
    reject();
}

StartAreaMeanGPSFrm::StartAreaMeanGPSFrm(QWidget* owner, bool demoRunning) : QDialog(owner), demoRunning_(demoRunning)
{
    setObjectName(QStringLiteral("StartAreaMeanGPSFrm"));
    setWindowTitle(QStringLiteral("エリアＧＰＳ受信予測（時間平均）"));
    setFont(platform::WindowFont(9));
    setModal(true);
    Label5 = Title(this, "Label5", QStringLiteral("時間平均"));
    MeanTimeFlm = RaisedFrame(this, "MeanTimeFlm");
    Label1 = Named(new QLabel(QStringLiteral("開始時間"), MeanTimeFlm), "Label1");
    Label1->setToolTip(QStringLiteral("開始時間のシフトが出来ます"));
    StartTimeScl = StepSlider(MeanTimeFlm, "StartTimeScl");
    StartTimeLbl = TimeLabel(MeanTimeFlm, "StartTimeLbl");
    Label2 = Named(new QLabel(QStringLiteral("から"), MeanTimeFlm), "Label2");
    Label2->setToolTip(QStringLiteral("終了時間のシフトが出来ます"));
    EndTimeScl = StepSlider(MeanTimeFlm, "EndTimeScl");
    EndTimeLbl = TimeLabel(MeanTimeFlm, "EndTimeLbl");
    Label3 = Named(new QLabel(QStringLiteral("まで"), MeanTimeFlm), "Label3");
    Label3->setToolTip(QStringLiteral("終了時間のシフトが出来ます"));
    MoreFourSateOpt = Named(new QRadioButton(QStringLiteral("４衛星以上"), MeanTimeFlm), "MoreFourSateOpt");
    MoreFiveSateOpt = Named(new QRadioButton(QStringLiteral("５衛星以上"), MeanTimeFlm), "MoreFiveSateOpt");
    Label4 = Named(new QLabel(QStringLiteral("の受信確立"), MeanTimeFlm), "Label4");

    // Read as one sentence: start から end まで, four or five satellites, の受信確立.
    auto* grid = new QGridLayout(MeanTimeFlm);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(StartTimeScl, 0, 1);
    grid->addWidget(StartTimeLbl, 0, 2);
    grid->addWidget(Label2, 0, 3);
    grid->addWidget(EndTimeScl, 1, 1);
    grid->addWidget(EndTimeLbl, 1, 2);
    grid->addWidget(Label3, 1, 3);
    auto* options = new QHBoxLayout;
    options->addWidget(MoreFourSateOpt);
    options->addWidget(MoreFiveSateOpt);
    options->addWidget(Label4);
    options->addStretch();
    grid->addLayout(options, 2, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    auto* column = new QVBoxLayout(this);
    column->addWidget(Label5);
    column->addWidget(MeanTimeFlm);
    column->addLayout(ButtonRow(this, OKCmd, CancelCmd));

    StartTimeScl->installEventFilter(this);
    EndTimeScl->installEventFilter(this);
    connect(StartTimeScl, &QScrollBar::valueChanged, this, &StartAreaMeanGPSFrm::StartTimeScl_Change);
    connect(EndTimeScl, &QScrollBar::valueChanged, this, &StartAreaMeanGPSFrm::EndTimeScl_Change);
    connect(OKCmd, &QPushButton::clicked, this, &StartAreaMeanGPSFrm::OKCmd_Click);
    connect(CancelCmd, &QPushButton::clicked, this, &StartAreaMeanGPSFrm::CancelCmd_Click);
    Form_Load();
}

void StartAreaMeanGPSFrm::ShowModal(QWidget* owner, bool demoRunning) { ExecFresh<StartAreaMeanGPSFrm>(owner, demoRunning); }

void StartAreaMeanGPSFrm::Form_Load()
{
    pFirstActivate = -1;
    pActiveScl = 0;
    gDialogResult = 0;
    StartTimeScl->setRange(0, kLastTimeStep);
    StartTimeScl->setValue(kDefaultStartTimeStep);
    SetStartTimeStep(kDefaultStartTimeStep);
    StartTimeLbl->setText(StepText(kDefaultStartTimeStep));
    EndTimeScl->setRange(0, kLastTimeStep);
    EndTimeScl->setValue(kDefaultEndTimeStep);
    SetEndTimeStep(kDefaultEndTimeStep);
    EndTimeLbl->setText(StepText(kDefaultEndTimeStep));
    MoreFourSateOpt->setChecked(true);
}

void StartAreaMeanGPSFrm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void StartAreaMeanGPSFrm::Form_Activate()
{
    if (pFirstActivate != -1) return;
    if (demoRunning_) QMetaObject::invokeMethod(this, &StartAreaMeanGPSFrm::OKCmd_Click, Qt::QueuedConnection);
    pFirstActivate = 0;
}

bool StartAreaMeanGPSFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == StartTimeScl) StartTimeScl_GotFocus();
        else if (watched == EndTimeScl) EndTimeScl_GotFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void StartAreaMeanGPSFrm::StartTimeScl_GotFocus() { pActiveScl = 1; }

void StartAreaMeanGPSFrm::EndTimeScl_GotFocus() { pActiveScl = 2; }

void StartAreaMeanGPSFrm::StartTimeScl_Change()
{
    if (pFirstActivate != 0 || pActiveScl != 1) return;
    const int s = StartTimeScl->value();
    const int e = EndTimeScl->value();
    SetStartTimeStep(s);
    StartTimeLbl->setText(StepText(s));
    if (s >= e) {
        EndTimeScl->setValue(s);  // its own change does nothing while the start is active
        SetEndTimeStep(s);
        EndTimeLbl->setText(StepText(s));
    }
}

void StartAreaMeanGPSFrm::EndTimeScl_Change()
{
    if (pFirstActivate != 0 || pActiveScl != 2) return;
    const int e = EndTimeScl->value();
    const int s = StartTimeScl->value();
    if (e <= s) {
        StartTimeScl->setValue(e);
        SetStartTimeStep(e);
        StartTimeLbl->setText(StepText(e));
    }
    SetEndTimeStep(e);
    EndTimeLbl->setText(StepText(e));
}

void StartAreaMeanGPSFrm::OKCmd_Click()
{
    gDialogResult = 2;
    SetStartTimeStep(StartTimeScl->value());
    SetEndTimeStep(EndTimeScl->value());
    if (MoreFourSateOpt->isChecked()) gMeanSateCriterion = 1;
    else if (MoreFiveSateOpt->isChecked()) gMeanSateCriterion = 2;
    accept();
}

void StartAreaMeanGPSFrm::CancelCmd_Click()
{
    gDialogResult = 0;
    reject();
}
