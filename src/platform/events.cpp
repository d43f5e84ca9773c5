#include "platform/events.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace platform {

void processPendingEvents()
{
    static bool running = false;
    if (running)
        return;
    running = true;
    QCoreApplication::processEvents();
    running = false;
}

void sendHelpKey()
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    if (!target)
        return;
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier));
}

} // namespace platform
