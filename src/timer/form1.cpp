#include "timer/form1.h"

#include "board/board_part.h"
#include "board/room_publisher.h"
#include "platform/events.h"
#include "platform/file_lookup.h"
#include "platform/help.h"
#include "platform/messages.h"
#include "remote/chair_state.h"
#include "remote/remote_view.h"
#include "report/day_report_service.h"
#include "settings/config_file.h"
#include "settings/declare.h"
#include "settings/settings_store.h"
#include "stage/stage.h"

#include <QCoreApplication>
#include <QFrame>
#include <QPushButton>
#include <QStringList>

namespace {

const QString Caption = QStringLiteral("Velmora  Orlatim  ver 3.22");

QPushButton *makeButton(QWidget *bar, const QString &caption, int left, int width)
{
    auto *button = new QPushButton(caption, bar);
    button->setGeometry(left, 0, width, 33);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(14.25);
    button->setFont(font);
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: #C0C0FF; color: black;"
                                         " border: 1px solid #8080B0; }"
                                         "QPushButton:pressed { background-color: #A0A0E0; }"
                                         "QPushButton:focus { border: 1px dotted black; }"));
    return button;
}

} // namespace

Form1::Form1(platform::MediaPlayers &players)
    : platform::Window(Caption, QSize(526, 366), Qt::black), m_players(players),
      m_timer1([this] { Timer1_Timer(); }, this)
{
    m_timer1.setPlanner([this] { return planAhead(); });
    m_frame1 = new QFrame(this);
    m_frame1->setGeometry(0, 0, 241, 33);
    // The time line is painted under the child controls; the bar's own black
    // hides the late dot in its gaps and where "reset" is hidden, too.
    m_frame1->setAutoFillBackground(true);
    // The buttons in the order the timekeeper reads them: start, exit, help,
    // settings.
    m_commands = {makeButton(m_frame1, QStringLiteral("start"), 0, 65),
                  makeButton(m_frame1, QStringLiteral("?"), 144, 33),
                  makeButton(m_frame1, QStringLiteral("cfg."), 184, 53),
                  makeButton(m_frame1, QStringLiteral("exit"), 72, 65)};
    connect(m_commands[0], &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(m_commands[1], &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(m_commands[2], &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(m_commands[3], &QPushButton::clicked, this, &Form1::Command4_Click);
    setTabOrder(m_commands[0], m_commands[3]);
    setTabOrder(m_commands[3], m_commands[1]);
    setTabOrder(m_commands[1], m_commands[2]);

    m_display = std::make_unique<MainDisplay>(*this, m_frame1);
    installKeys();
    connect(&m_players, &platform::MediaPlayers::done, this, &Form1::mmControl_done);

    const auto windowState = [this] {
        const auto name = [](const programme::Talk *talk) {
            return talk ? std::optional(remote::TalkName{talk->title, talk->speaker}) : std::nullopt;
        };
        return remote::WindowState{command(1).text(),
                                   resetOffered(),
                                   !m_messageBlinkedOff, name(m_programme.current()), name(m_programme.next())};
    };
    m_remote = new remote::RemoteView(windowState, [this](const QString &command) { return commandFromRemote(command); },
                                      this);
    m_stage = new stage::Stage(windowState, *m_remote, this);
    // The talks still to come: the current one until it starts.
    m_remote->setChairSource([this] {
        return remote::chairSession(sessionTimetable(), m_programme.talks(),
                                    m_programme.currentIndex()
                                        + (idle() && !m_sessionClock.ended(m_programme.currentIndex()) ? 0 : 1),
                                    m_talkLog.now().time().msecsSinceStartOfDay() / 1000);
    });
    // The chair link's state goes to the conference board too.
    m_publisher = new board::RoomPublisher(*m_remote, this);
    m_remote->addWindowPart([this](QWidget *parent) { return new board::BoardPart(*m_publisher, parent); });
    // The control and chair links' report: today's talks as the log holds
    // them, built off this thread so that the counted seconds never wait.
    auto *reports = new ::report::DayReportService(programme::TalkLogFileName, this);
    m_remote->server().setReportSource([reports](std::function<void(QByteArray)> reply) {
        reports->request(QDate::currentDate(), std::move(reply));
    });
}

// The settings window has no parent, so that it is a window of its own; it
// calls back into this one and must not outlive it.
Form1::~Form1() { delete m_form2.data(); }

QPushButton &Form1::command(int index) const { return *m_commands.at(size_t(index - 1)); }

void Form1::Form_Load()
{
    platform::setHelpFile(platform::programFolder() + QStringLiteral("Orlatim.chm"));

    QStringList problems;
    if (platform::foundExactly(ConfigFileName))
        problems << LoadSettings();
    else
        SetDefaultSettings();
    updateTotalTime();
    problems << m_programme.load();
    enterCurrentTalk();
    m_timer1.setInterval(10);
    problems << LoadClockCorrection();

    show();
    SetMMC();
    DrawMsg();
    Form_Resize();
    ElapsedSeconds = 0;
    DrawTime();

    problems.removeAll(QString());
    if (!problems.isEmpty())
        platform::showMessage(this, problems.join(QLatin1Char('\n')));
}

void Form1::SetMMC()
{
    for (int i = 1; i <= platform::MediaPlayers::Count; ++i) {
        m_players.setFileName(i, TimerSettings.SoundFiles[size_t(i - 1)]);
        m_players.send(i, platform::MediaPlayers::Command::Open);
    }
}

void Form1::mmControl_done(int index, int)
{
    // Rewound after every playback, so the next "Play" plays the whole sound.
    m_players.send(index, platform::MediaPlayers::Command::Prev);
    m_players.send(index, platform::MediaPlayers::Command::Stop);
}

void Form1::Command2_Click() { platform::sendHelpKey(); }

void Form1::Command4_Click()
{
    const QString caption = command(4).text();
    if (caption == QLatin1String("exit")) {
        exitProgram();
    } else if (caption == QLatin1String("reset")) {
        const platform::TickSource::StateChange change;
        command(1).setText(QStringLiteral("start"));
        command(4).setText(QStringLiteral("exit"));
        m_players.send(4, platform::MediaPlayers::Command::Stop);
        m_talkLog.finished(ElapsedSeconds, TimerSettings.PresentationTime, TimerSettings.DiscussionTime, TotalTime);
        report(m_talkLog.write());
        m_sessionClock.finished(m_programme.talks(), m_programme.changeoverSeconds(), m_programme.currentIndex());
        ElapsedSeconds = 0;
        m_secondsWaiting = 0;
        VisMsg(0);
        DrawTime();
        runStateChanged();
    }
}

void Form1::exitProgram()
{
    // The timekeeper can fix the folder and press "exit" again, or close
    // the window to leave without saving.
    const QString error = SaveSettings();
    if (!error.isEmpty()) {
        platform::showMessage(this, error + QLatin1Char('\n') + tr("The settings were not saved."));
        return;
    }
    writeLogBeforeLeaving(true);
    for (int i = 1; i <= platform::MediaPlayers::Count; ++i)
        m_players.send(i, platform::MediaPlayers::Command::Close);
    m_timer1.setInterval(0);
    QCoreApplication::exit(0);
}

bool Form1::closeRequested()
{
    // Stopped first, so that no bell rings while the log is written. The
    // talk on the clock gets its line as at "reset"; leaving this way keeps
    // the settings file as it was.
    m_timer1.setInterval(0);
    if (!idle()) {
        if (RunState == 1)
            m_talkLog.paused();
        m_talkLog.finished(ElapsedSeconds, TimerSettings.PresentationTime, TimerSettings.DiscussionTime, TotalTime);
    }
    writeLogBeforeLeaving(!m_closingOnSignal);
    QCoreApplication::exit(0);
    return true;
}

void Form1::closeOnSignal()
{
    m_closingOnSignal = true;
    close();
}

// Lines that cannot be written are given up only when the timekeeper says
// so; a program ended by a signal says why on stderr.
void Form1::writeLogBeforeLeaving(bool ask)
{
    // A failure is told below, with the lines it would lose.
    while (m_talkLog.write(), m_talkLog.waitingLines() > 0) {
        // English has no translation file to pick its plural, so the count picks the text.
        const int waiting = int(m_talkLog.waitingLines());
        const QString problem = m_talkLog.failure() + QLatin1Char('\n')
                                + (waiting == 1 ? tr("The log line of one talk could not be written.")
                                                : tr("The log lines of %1 talks could not be written.").arg(waiting));
        if (!ask) {
            platform::showMessage(this, problem);
            return;
        }
        if (!platform::askToRetry(this, problem, tr("Leave without them")))
            return;
    }
}

void Form1::resized() { Form_Resize(); }

// Every change the main window shows passes through one of these, so the
// remote view and the stage window learn of it here.
void Form1::Form_Resize()
{
    m_display->Form_Resize();
    m_remote->stateChanged();
    m_stage->redraw();
}

void Form1::TimeLine()
{
    m_display->TimeLine();
    m_remote->stateChanged();
    m_stage->redraw();
}

void Form1::DrawMsg()
{
    m_display->DrawMsg();
    m_remote->stateChanged();
    m_stage->redraw();
}

void Form1::VisMsg(int show)
{
    m_display->VisMsg(show);
    // While the clock runs only the blink hides the message; "pause" and
    // "reset" hide it just before the layout shows it again.
    m_messageBlinkedOff = show != 1 && RunState == 1;
    m_remote->stateChanged();
    m_stage->VisMsg(show);
}
