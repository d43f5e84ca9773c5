// The talk clock: start, pause, continue and reset, the 10 ms tick that
// counts seconds, and the redraw and sound schedule of each counted second.

#include "timer/form1.h"

#include "display/phase_message.h"
#include "remote/remote_view.h"
#include "settings/declare.h"
#include "stage/stage.h"
#include "timer/next_wake.h"
#include "timer/sound_schedule.h"

#include <QPushButton>
#include <QScopedValueRollback>

void Form1::Command1_Click()
{
    const platform::TickSource::StateChange change;
    const QString caption = command(1).text();
    if (caption == QLatin1String("start")) {
        command(1).setText(QStringLiteral("pause"));
        command(4).setText(QStringLiteral("reset"));
        command(4).hide();
        RunState = 1;
        ElapsedSeconds = 0;
        m_secondsWaiting = 0;
        const programme::Talk *talk = m_programme.current();
        m_talkLog.started(talk ? talk->title : QString(), talk ? talk->speaker : QString(),
                          sessionTimetable().plannedStarts.value(m_programme.currentIndex()));
        m_sessionClock.started(m_talkLog.now(), m_programme.talks(), m_programme.changeoverSeconds(),
                               m_programme.currentIndex());
        DrawMsg();
        VisMsg(1);
    } else if (caption == QLatin1String("pause")) {
        command(1).setText(QStringLiteral("contn."));
        command(4).show();
        RunState = 0;
        m_talkLog.paused();
        m_sessionClock.paused(m_talkLog.now());
        VisMsg(0);
    } else if (caption == QLatin1String("contn.")) {
        command(1).setText(QStringLiteral("pause"));
        command(4).hide();
        RunState = 1;
        m_talkLog.continued();
        VisMsg(1);
    }
    Form_Resize();
    runStateChanged();
}

void Form1::Timer1_Timer()
{
    if (RunState == 0)
        return;
    ++TickCount;
    if (TickCount == TicksPerSecond / 2 && blinkHides(ElapsedSeconds, TimerSettings, TotalTime))
        VisMsg(0);
    if (TickCount >= TicksPerSecond) {
        TickCount = 0;
        VisMsg(1);
        countSecond();
    }
}

// Asked by the tick source after every wake-up and every change of state:
// the tick sleeps until the next tick that does something, and the players
// learn when the next sound is due, so the audio device can sleep too.
std::optional<qint64> Form1::planAhead()
{
    const std::optional<int32_t> sound = nextSoundSecond(RunState, ElapsedSeconds, TimerSettings, TotalTime);
    std::optional<std::chrono::milliseconds> soundDue;
    if (sound) {
        const qint64 ticks = qint64(*sound - ElapsedSeconds) * TicksPerSecond - TickCount;
        soundDue = std::chrono::milliseconds(std::max<qint64>(0, ticks) * m_timer1.interval());
    }
    m_players.setNextSoundDue(soundDue);
    return ticksToNextWake(RunState, ElapsedSeconds, TickCount, TicksPerSecond, TimerSettings, TotalTime);
}

void Form1::countSecond()
{
    ++m_secondsWaiting;
    DrawTime();
}

void Form1::DrawTime()
{
    // The readout and the time line let pending events run, so a tick may
    // count a second, or a settings change ask for a redraw, while a redraw
    // is under way. They are taken up here when it returns: every counted
    // second is drawn and scheduled once, in order, and redraws never nest.
    if (m_drawing) {
        m_drawAgain = true;
        return;
    }
    const QScopedValueRollback<bool> drawing(m_drawing, true);
    // The digits, the message and the time line change in steps that let
    // events run; one paint shows them all.
    const PaintBatch batch(*this);
    do {
        m_drawAgain = false;
        const bool counted = m_secondsWaiting > 0;
        if (counted) {
            --m_secondsWaiting;
            ++ElapsedSeconds;
        }
        const int32_t second = ElapsedSeconds;
        // One state for the remote pages per redrawn second: it goes out in
        // the readout's pass over pending events, before the layout pass.
        m_remote->stateChanged();
        m_display->DrawReadout();
        m_display->Form_Resize();
        m_display->TimeLine();
        m_stage->redraw();
        // A second counted while running rings its bells even when "pause"
        // was pressed during its redraw; a "reset" during it cancels them.
        if (counted && ElapsedSeconds == second)
            runSoundSchedule(second);
    } while (m_secondsWaiting > 0 || m_drawAgain);
}

void Form1::runSoundSchedule(int32_t second)
{
    const SoundCues cues = soundScheduleFor(second, TimerSettings, TotalTime);
    if (cues.music)
        m_players.send(4, platform::MediaPlayers::Command::Play);
    if (cues.bell != 0)
        m_players.send(cues.bell, platform::MediaPlayers::Command::Play);
    if (cues.drawMessage)
        DrawMsg();
}
