#pragma once

#include "display/main_display.h"
#include "platform/players.h"
#include "platform/tick_source.h"
#include "platform/window.h"
#include "settings_window/form2.h"
#include "settings_window/main_window_calls.h"

#include <QPointer>

#include <memory>

class QFrame;
class QPushButton;

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

    QPushButton &command(int index) const;
    const MainDisplay &display() const { return *m_display; }
    platform::TickSource &timer1() { return m_timer1; }
    Form2 *settingsWindow() const { return m_form2; }
    void toggleFullScreen();

protected:
    void resized() override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool closeRequested() override;

private:
    void installKeys();
    void SetMMC();
    void countSecond();
    std::optional<qint64> planAhead();
    void runSoundSchedule(int32_t second);
    void exitProgram();

    platform::MediaPlayers &m_players;
    platform::TickSource m_timer1;
    QFrame *m_frame1 = nullptr;
    std::array<QPushButton *, 4> m_commands{};
    std::unique_ptr<MainDisplay> m_display;
    QPointer<Form2> m_form2;

    // Seconds counted while a redraw was letting events run; each is drawn
    // and scheduled in turn when that redraw returns.
    int m_secondsWaiting = 0;
    bool m_drawing = false;
    bool m_drawAgain = false;
};
