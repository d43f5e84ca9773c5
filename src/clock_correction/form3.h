#pragma once

#include "platform/window.h"

#include <cstdint>
#include <functional>

namespace platform {
class TextBox;
}
class QLabel;
class QPushButton;

namespace platform {
class TickSource;
}

// The clock-correction window: counts the ticks of its own 10 ms timer while
// the user times three minutes by hand, and makes the count the new clock
// correction. A count can also be typed in.
class Form3 : public platform::Window
{
    Q_OBJECT
public:
    // Tests pass a clock of their own for the count's ticks.
    explicit Form3(std::function<qint64()> tickClock = {});

    void Command1_Click(); // "計時開始"
    void Command2_Click(); // "計時終了"
    void Command3_Click(); // "補正する"
    void Command4_Click(); // "やり直し"
    void Command5_Click(); // "閉じる"
    void Timer2_Timer();
    void ClockIndic_Click();
    void ClockIndic_KeyPress(int keyAscii);

    bool measuring() const { return Measuring != 0; }
    int measuredTicks() const { return MeasuredTicks; }

signals:
    // A close from the title bar: the window is gone for good.
    void discarded();

protected:
    bool closeRequested() override;

private:
    void Form_Load();
    void showConfirmation(bool shown);
    void showStoredCorrection();
    void showRefusal(bool shown);

    int16_t Measuring = 0;
    int16_t MeasuredTicks = 0;
    // Whether the box shows the correction in use: "補正する" then has
    // nothing to change and says nothing.
    bool m_boxShowsCorrection = true;

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    // Says that "補正する" changed nothing because the count gives no tick rate.
    QLabel *Label4 = nullptr;
    platform::TextBox *ClockIndic = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command5 = nullptr;
    platform::TickSource *Timer2 = nullptr;
};
