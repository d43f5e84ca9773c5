#include "platform/messages.h"

#include <QMessageBox>

#include <cstdio>

namespace platform {

namespace {
MessageSink sink;
}

void setMessageSink(MessageSink newSink) { sink = std::move(newSink); }

void showMessage(QWidget *parent, const QString &text)
{
    std::fprintf(stderr, "orlatim: %s\n", qUtf8Printable(text));
    if (sink) {
        sink(text);
        return;
    }
    auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Orlatim"), text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

} // namespace platform
