// Keys of the main window for a timekeeper at the side of the hall, often
// with a presentation clicker: they act only while the main window is the
// active one, so typing into another window's boxes never runs the clock.

#include "timer/form1.h"

#include "remote/remote_view.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>

void Form1::installKeys()
{
    const auto bind = [this](std::initializer_list<QKeySequence> keys, auto action) {
        for (const QKeySequence &key : keys)
            connect(new QShortcut(key, this), &QShortcut::activated, this, action);
    };
    // Page Down and the right arrow are what clickers send for "next".
    bind({Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_PageDown, Qt::Key_Right}, [this] { Command1_Click(); });
    // Only "reset": no key ends the program.
    bind({Qt::Key_Escape, Qt::Key_Backspace}, [this] { resetIfPaused(); });
    bind({Qt::Key_F11}, [this] { toggleFullScreen(); });
    // The next and the previous talk of the programme, while idle.
    bind({Qt::Key_N}, [this] { takeTalk(m_programme.currentIndex() + 1); });
    bind({Qt::Key_P}, [this] { takeTalk(m_programme.currentIndex() - 1); });
    // "=" is the plus key without Shift; the keypad's keys find these too,
    // as a shortcut with no keypad binding of its own.
    bind({Qt::Key_Plus, Qt::Key_Equal}, [this] { nudge(10); });
    bind({Qt::Key_Minus}, [this] { nudge(-10); });
    // The preset messages to the speaker's pages, in the order of the list.
    for (int i = 0; i < 9; ++i)
        bind({QKeySequence(Qt::Key_1 + i)}, [this, i] { m_remote->sendPreset(i); });
}

void Form1::resetIfPaused()
{
    if (resetOffered())
        Command4_Click();
}

void Form1::toggleFullScreen()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}

void Form1::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The digits pass their clicks on to the window; the buttons keep theirs.
    if (event->button() == Qt::LeftButton)
        toggleFullScreen();
}
