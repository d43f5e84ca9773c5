#include "timer/form1.h"

#include "clock_correction/clock_correction_window.h"
#include "platform/makers_page.h"

#include <QGuiApplication>
#include <QScreen>

void Form1::Command3_Click()
{
    // A hidden settings window comes back as it was left; one closed from
    // its title bar is built anew from the settings.
    if (!m_form2) {
        m_form2 = new Form2(*this);
        connect(m_form2, &Form2::makersPageRequested, this, [] { platform::openMakersPage(); });
        connect(m_form2, &Form2::clockCorrectionRequested, this, [this] { openClockCorrectionWindow(m_form2); });
    }
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QSize inner = m_form2->innerSize();
    m_form2->move(screen.right() + 1 - (inner.width() + 50), screen.bottom() + 1 - (inner.height() + 80));
    m_form2->show();
    m_form2->raise();
}
