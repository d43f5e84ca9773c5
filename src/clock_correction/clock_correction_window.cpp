#include "clock_correction/clock_correction_window.h"

#include "clock_correction/form3.h"

#include <QPointer>

namespace {

QPointer<Form3> theWindow;

} // namespace

void openClockCorrectionWindow(QWidget *settingsWindow)
{
    if (!theWindow) {
        // Owned by the window system: a close from its title bar deletes it.
        auto *form = new Form3;
        form->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(form, &Form3::discarded, form, [] { theWindow.clear(); });
        theWindow = form;
    }
    if (settingsWindow) {
        const QPoint offset(platform::twipsToPixelsX(100), platform::twipsToPixelsY(100));
        theWindow->move(settingsWindow->window()->pos() - offset);
    }
    theWindow->show();
    theWindow->raise();
    theWindow->activateWindow();
}

Form3 *clockCorrectionWindow() { return theWindow.data(); }
