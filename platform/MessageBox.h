#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace platform {

enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Shows a modal message box without a title or an icon and returns the button pressed
// (closing the box counts as Cancel, or No for Yes/No).
MessageAnswer ShowMessage(QWidget* parent, const QString& text, MessageButtons buttons = MessageButtons::Ok);

// Tests replace the modal box with an answerer that records the text and returns an answer;
// an empty function restores the real box.
using MessageAnswerer = std::function<MessageAnswer(const QString& text, MessageButtons buttons)>;
void SetMessageAnswerer(MessageAnswerer answerer);

}  // namespace platform
