#include "MessageBox.h"

#include <QMessageBox>

namespace platform {

namespace {
MessageAnswerer& Answerer()
{
    static MessageAnswerer answerer;
    return answerer;
}
}  // namespace

void SetMessageAnswerer(MessageAnswerer answerer) { Answerer() = std::move(answerer); }

MessageAnswer ShowMessage(QWidget* parent, const QString& text, MessageButtons buttons)
{
    if (Answerer()) {
        return Answerer()(text, buttons);
    }
    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral(" "));
    box.setIcon(QMessageBox::NoIcon);
    box.setText(text);
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return MessageAnswer::Ok;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    return MessageAnswer::Cancel;
}

}  // namespace platform
