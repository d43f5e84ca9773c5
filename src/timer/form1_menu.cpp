// The main window's right-click menu: what the timekeeper needs now and
// then, without a button of its own on the clock face.

#include "timer/form1.h"

#include "remote/remote_view.h"
#include "stage/stage.h"

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
        {tr("Message to speaker…"), [this] { m_remote->showMessageWindow(); }},
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
    m_stage->addMenu(menu, menu.actions().constLast());
}

void Form1::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    fillContextMenu(menu);
    menu.exec(event->globalPos());
}

QString Form1::commandFromRemote(const QString &name)
{
    // The reasons go to the tools that send commands, in the words of the
    // API's documentation, whatever the user's language.
    if (name == QLatin1String("reset")) {
        if (!resetOffered())
            return QStringLiteral("reset is offered only while a talk is paused");
        Command4_Click();
    } else if (name == QLatin1String("+10") || name == QLatin1String("-10")) {
        if (idle())
            return QStringLiteral("no talk is running or paused");
        nudge(name.toInt());
    } else if (name == QLatin1String("next") || name == QLatin1String("previous")) {
        const int index = m_programme.currentIndex() + (name == QLatin1String("next") ? 1 : -1);
        if (!idle())
            return QStringLiteral("a talk is running or paused");
        if (!m_programme.talk(index))
            return QStringLiteral("there is no %1 talk").arg(name);
        takeTalk(index);
    } else {
        // The page names the caption it showed. A press that crossed a
        // change made here or on another page does nothing, so two people
        // pressing "start" at the same moment never start and then pause
        // the talk.
        const QString caption = name == QLatin1String("continue") ? QStringLiteral("contn.") : name;
        if (caption != command(1).text())
            return QStringLiteral("the button shows \"%1\"").arg(command(1).text());
        Command1_Click();
    }
    return {};
}
