#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace platform {

// Tells the user something went wrong without stopping the program: the
// message box does not block the talk clock. The text also goes to stderr.
void showMessage(QWidget *parent, const QString &text);

// Tests observe messages here instead of on the screen.
using MessageSink = std::function<void(const QString &)>;
void setMessageSink(MessageSink sink);

// Asks, in a modal message, whether to try again what failed ("Retry") or
// to go on without it (the button giveUp names); true to try again.
bool askToRetry(QWidget *parent, const QString &text, const QString &giveUp);

// Tests answer the question here instead of on the screen.
using QuestionSink = std::function<bool(const QString &)>;
void setQuestionSink(QuestionSink sink);

} // namespace platform
