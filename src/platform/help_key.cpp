#include "platform/help.h"

#include <QApplication>
#include <QKeyEvent>

namespace platform {

namespace {

QString registeredHelpFile;

class HelpKeyFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Every key press passes the filter once per object on its way up;
        // only the press that reaches a widget first counts.
        if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
            static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
            showHelp();
            return true;
        }
        return false;
    }
};

} // namespace

void setHelpFile(const QString &path) { registeredHelpFile = path; }
QString helpFile() { return registeredHelpFile; }

void installHelpKey(QApplication &app) { app.installEventFilter(new HelpKeyFilter(&app)); }

} // namespace platform
