// The session's programme, the talk log and nudging, as the main window
// takes part in them.

#include "timer/form1.h"

#include "import/import_flow.h"
#include "platform/messages.h"
#include "programme/programme_window.h"
#include "programme/talk_times.h"
#include "report/report_window.h"
#include "settings/declare.h"

#include <QPushButton>

#include <algorithm>

bool Form1::idle() const { return command(1).text() == QLatin1String("start"); }

bool Form1::resetOffered() const
{
    return command(4).text() == QLatin1String("reset") && !command(4).isHidden();
}

void Form1::report(const QString &problem)
{
    if (!problem.isEmpty())
        platform::showMessage(this, problem);
}

void Form1::runStateChanged()
{
    if (m_programmeWindow)
        m_programmeWindow->setIdle(idle());
}

void Form1::enterCurrentTalk()
{
    if (const programme::Talk *talk = m_programme.current()) {
        const programme::TalkTimes entered = programme::enterTalkTimes(*talk, TimerSettings, TotalTime);
        TimerSettings = entered.settings;
        TotalTime = entered.totalTime;
    }
}

void Form1::takeTalk(int index)
{
    if (!idle() || !m_programme.talk(index))
        return;
    // New times move the next sound, as a typed time does.
    const platform::TickSource::StateChange change;
    report(m_talkLog.write());
    report(m_programme.setCurrent(index));
    enterCurrentTalk();
    // Redrawn as after an entry in a time box, every store made first.
    if (m_form2) {
        m_form2->ScreenDraw1();
        m_form2->ScreenDraw2();
    }
    DrawMsg();
    DrawTime();
}

void Form1::importProgramme(const QList<programme::Talk> &talks)
{
    // The import's dialog may have stayed open while a talk was started.
    const QString error = idle() ? m_programme.replace(talks)
                                 : programme::ProgrammeWindow::tr("Another talk can be taken after \"reset\".");
    if (!error.isEmpty()) {
        if (m_programmeWindow)
            m_programmeWindow->showNote(error);
        return;
    }
    m_sessionClock.clear();
    takeTalk(0);
}

void Form1::showProgrammeWindow()
{
    if (!m_programmeWindow) {
        m_programmeWindow = new programme::ProgrammeWindow(m_programme, this);
        connect(m_programmeWindow, &programme::ProgrammeWindow::talkRequested, this, &Form1::takeTalk);
        auto *import = new schedule_import::ImportFlow(m_programmeWindow);
        connect(m_programmeWindow, &programme::ProgrammeWindow::importRequested, import,
                &schedule_import::ImportFlow::importFile);
        connect(m_programmeWindow, &programme::ProgrammeWindow::addressImportRequested, import,
                &schedule_import::ImportFlow::importAddress);
        connect(import, &schedule_import::ImportFlow::message, m_programmeWindow,
                &programme::ProgrammeWindow::showNote);
        connect(import, &schedule_import::ImportFlow::talksChosen, this, &Form1::importProgramme);
        connect(m_programmeWindow, &programme::ProgrammeWindow::changeoverRequested, this,
                [this](int seconds) { m_programmeWindow->showNote(m_programme.setChangeoverSeconds(seconds)); });
        m_programmeWindow->setTimetableSource([this] { return sessionTimetable(); });
        connect(m_programmeWindow, &programme::ProgrammeWindow::reportRequested, this, [this] {
            // The talk that just ended is in the log before the report reads it.
            report(m_talkLog.write());
            auto *window = findChild<::report::ReportWindow *>();
            if (!window)
                window = new ::report::ReportWindow(this);
            window->load(programme::TalkLogFileName);
            window->show();
            window->raise();
            window->activateWindow();
        });

    }
    m_programmeWindow->setIdle(idle());
    m_programmeWindow->show();
    m_programmeWindow->raise();
    m_programmeWindow->activateWindow();
}

programme::SessionTimetable Form1::sessionTimetable() const
{
    return m_sessionClock.timetable(m_programme.talks(), m_programme.changeoverSeconds(), m_programme.currentIndex(),
                                    ElapsedSeconds, TotalTime, m_talkLog.now());
}

void Form1::nudge(int seconds)
{
    if (idle())
        return;
    // The next wake-up and the next sound follow the talk's new second.
    const platform::TickSource::StateChange change;
    // Forward, the seconds go the way of counted ones, so a bell inside the
    // jump rings once; back, a bell whose second comes again rings again.
    if (seconds > 0) {
        m_secondsWaiting += seconds;
    } else {
        // Back before the music's second, the music stops as at "reset", so
        // that it starts again from its beginning when that second comes.
        const int32_t musicSecond = TotalTime + TimerSettings.MusicStartTime;
        const bool musicStarted = ElapsedSeconds >= musicSecond;
        ElapsedSeconds = std::max(0, ElapsedSeconds + seconds);
        if (musicStarted && ElapsedSeconds < musicSecond)
            m_players.send(4, platform::MediaPlayers::Command::Stop);
    }
    DrawTime();
}
