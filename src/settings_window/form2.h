#pragma once

#include "platform/window.h"

#include <array>

class MainWindowCalls;
class QCheckBox;
class QLabel;
class QPushButton;
namespace platform {
class TextBox;
}

// The settings window "設定": the schedule diagram with its three time
// boxes, the nine options and four buttons. Every change goes straight into
// TimerSettings and TotalTime and is redrawn on the main window at once; the
// window keeps nothing of its own that needs saving. "close" only hides it; a
// close from the title bar deletes it, and the main window builds a new one.
class Form2 : public platform::Window
{
    Q_OBJECT
public:
    explicit Form2(MainWindowCalls &mainWindow);

    // Inner width and height in pixels, by which the main window places it.
    QSize innerSize() const;

    // Controls by their design names, for tests.
    QCheckBox *check(int n) const;           // Check1..Check9
    platform::TextBox *text(int index) const;          // Text(1..3)
    QLabel *msc(int index) const;            // msc(1..3)
    platform::LineShape *line(int n) const;  // Line1..Line16; Line3 and Line11 do not exist

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void Check6_Click();
    void Check7_Click();
    void Check8_Click();
    void Check9_Click();

    void Text_Click(int index);
    void Text_KeyPress(int index, int keyAscii);

    void ScreenDraw1();
    void ScreenDraw2();
    void ScreenDraw3();

signals:
    void makersPageRequested();
    void clockCorrectionRequested();

private:
    void createDiagram();
    void createOptions();
    void createButtons();
    void Form_Load();
    bool storeCheck(int n, bool onlyWhenChanged);

    MainWindowCalls &m_main;
    std::array<QCheckBox *, 9> m_checks{};
    std::array<platform::TextBox *, 3> m_texts{};
    std::array<QLabel *, 3> m_msc{};
    std::array<platform::LineShape *, 16> m_lines{};
    QLabel *m_label1 = nullptr;
    QLabel *m_label4 = nullptr;
    QLabel *m_label5 = nullptr;
    QLabel *m_label6 = nullptr;
    QLabel *m_label11 = nullptr;
    QLabel *m_label12 = nullptr;
};
