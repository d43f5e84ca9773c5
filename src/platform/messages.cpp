#include "platform/messages.h"

#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

namespace platform {

namespace {
MessageSink sink;
QuestionSink questionSink;
}

void setMessageSink(MessageSink newSink) { sink = std::move(newSink); }

void setQuestionSink(QuestionSink newSink) { questionSink = std::move(newSink); }

void showMessage(QWidget *parent, const QString &text)
{
    std::fprintf(stderr, "orlatim: %s\n", qUtf8Printable(text));
    if (sink) {
        sink(text);
        return;
    }
    auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Orlatim"), text, QMessageBox::Ok, parent);
    // File names, titles from a programme and errors are shown as they are,
    // never read as markup.
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

bool askToRetry(QWidget *parent, const QString &text, const QString &giveUp)
{
    std::fprintf(stderr, "orlatim: %s\n", qUtf8Printable(text));
    if (questionSink)
        return questionSink(text);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Orlatim"), text, QMessageBox::Retry, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton *leave = box.addButton(giveUp, QMessageBox::RejectRole);
    box.setDefaultButton(QMessageBox::Retry);
    // Escape or the box's close button must not drop what is waiting: only
    // the explicit button gives it up.
    box.setEscapeButton(box.button(QMessageBox::Retry));
    box.exec();
    // A program ended meanwhile by a signal leaves the box with no button.
    return box.clickedButton() != leave && box.clickedButton() != nullptr;
}

} // namespace platform
