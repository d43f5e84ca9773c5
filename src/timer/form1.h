#pragma once

#include "display/main_display.h"
#include "platform/players.h"
#include "platform/tick_source.h"
#include "platform/window.h"
#include "programme/programme.h"
#include "programme/programme_window.h"
#include "programme/session_clock.h"
#include "programme/talk_log.h"
#include "settings_window/form2.h"
#include "settings_window/main_window_calls.h"

#include <QPointer>

#include <memory>

class QFrame;
class QMenu;
class QPushButton;

namespace board {
class RoomPublisher;
}
namespace remote {
class RemoteView;
}

namespace stage {
class Stage;
}

// The main window: the program's entry, its four buttons and the talk clock.
// The run state lives in the captions of Command1 and Command4, which the
// click handlers read to decide what to do.
class Form1 : public platform::Window, public MainWindowCalls
{
    Q_OBJECT
public:
    explicit Form1(platform::MediaPlayers &players);
    ~Form1() override;

    // Loads the settings and the clock correction, shows the window, opens
    // the players and draws the first display.
    void Form_Load();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Timer1_Timer();
    void mmControl_done(int index, int code);

    // MainWindowCalls: the redraws that settings changes ask for.
    void DrawTime() override;
    void TimeLine() override;
    void Form_Resize() override;
    void DrawMsg() override;
    void VisMsg(int show);

    // A button pressed on a remote page, named by the caption the page
    // showed, or a command of the control API: it acts only while the
    // button still shows that caption, as "start", "pause", "contn." (or
    // "continue"), "reset", "next", "previous", "+10" and "-10" would
    // here. Empty when it acted, else why not.
    QString commandFromRemote(const QString &command);
    void resetIfPaused();

    QPushButton &command(int index) const;
    const MainDisplay &display() const { return *m_display; }
    platform::TickSource &timer1() { return m_timer1; }
    Form2 *settingsWindow() const { return m_form2; }
    void toggleFullScreen();
    remote::RemoteView &remoteView() const { return *m_remote; }
    stage::Stage &stage() const { return *m_stage; }
    board::RoomPublisher &roomPublisher() const { return *m_publisher; }
    // The right-click menu's entries.
    void fillContextMenu(QMenu &menu);

    // The session's programme. A talk is taken, and its times applied as if
    // typed into the settings window, only while the clock is idle.
    void takeTalk(int index);
    programme::Programme &sessionProgramme() { return m_programme; }
    programme::TalkLog &talkLog() { return m_talkLog; }
    // The session against the programme's planned times, at the talk log's
    // wall clock: planned and expected starts, offset and projected end.
    programme::SessionTimetable sessionTimetable() const;

    // Moves a running or paused talk by whole seconds: forward as if they
    // had passed quickly, each drawn and its sounds scheduled; back without
    // a sound.
    void nudge(int seconds);

    // Leaves as the close box does, asking nothing: for SIGTERM and Ctrl+C.
    void closeOnSignal();

protected:
    void resized() override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool closeRequested() override;

private:
    void installKeys();
    void SetMMC();
    void countSecond();
    std::optional<qint64> planAhead();
    void runSoundSchedule(int32_t second);
    void exitProgram();
    void writeLogBeforeLeaving(bool ask);
    bool idle() const;
    bool resetOffered() const;
    void runStateChanged();
    void enterCurrentTalk();
    void report(const QString &problem);
    void importProgramme(const QList<programme::Talk> &talks);
    void showProgrammeWindow();

    platform::MediaPlayers &m_players;
    platform::TickSource m_timer1;
    QFrame *m_frame1 = nullptr;
    std::array<QPushButton *, 4> m_commands{};
    std::unique_ptr<MainDisplay> m_display;
    QPointer<Form2> m_form2;
    programme::Programme m_programme;
    programme::TalkLog m_talkLog;
    programme::SessionClock m_sessionClock;
    QPointer<programme::ProgrammeWindow> m_programmeWindow;
    remote::RemoteView *m_remote = nullptr;
    stage::Stage *m_stage = nullptr;
    board::RoomPublisher *m_publisher = nullptr;
    // Hidden by the half-second blink until the next whole second.
    bool m_messageBlinkedOff = false;

    // Seconds counted while a redraw was letting events run; each is drawn
    // and scheduled in turn when that redraw returns.
    int m_secondsWaiting = 0;
    bool m_drawing = false;
    bool m_drawAgain = false;
    // Ended by a signal: no one may be there to answer a question.
    bool m_closingOnSignal = false;
};
