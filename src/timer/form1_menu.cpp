// The main window's right-click menu: what the timekeeper needs now and
// then, without a button of its own on the clock face.

#include "timer/form1.h"

#include "remote/remote_view.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>

#include <functional>

void Form1::fillContextMenu(QMenu &menu)
{
    struct Entry {
        QString text;
        std::function<void()> action;
        bool enabled = true;
        bool checkable = false;
        bool checked = false;
    };
    // Nudges move a talk that runs or is paused.
    const bool talkGoing = !idle();
    const Entry entries[] = {
        {tr("Programme…"), [this] { showProgrammeWindow(); }},
        {tr("Forward 10 seconds\t+"), [this] { nudge(10); }, talkGoing},
        {tr("Back 10 seconds\t−"), [this] { nudge(-10); }, talkGoing},
        {tr("Remote view…"), [this] { m_remote->showWindow(); }},
        {tr("Full screen"), [this] { toggleFullScreen(); }, true, true, isFullScreen()},
        {tr("Help"), [this] { Command2_Click(); }},
    };
    for (const Entry &entry : entries) {
        QAction *action = menu.addAction(entry.text);
        action->setEnabled(entry.enabled);
        action->setCheckable(entry.checkable);
        action->setChecked(entry.checked);
        connect(action, &QAction::triggered, this, entry.action);
    }
}

void Form1::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    fillContextMenu(menu);
    menu.exec(event->globalPos());
}

void Form1::pressFromRemote(const QString &caption)
{
    // The page names the caption it showed. A press that crossed a change
    // made here or on another page does nothing, so two people pressing
    // "start" at the same moment never start and then pause the talk.
    if (caption == QLatin1String("reset"))
        resetIfPaused();
    else if (caption == QLatin1String("+10") || caption == QLatin1String("-10"))
        nudge(caption.toInt());
    else if (caption == command(1).text())
        Command1_Click();
}
