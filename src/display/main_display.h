#pragma once

#include "display/digit_layout.h"

#include <QString>

#include <array>

class QLabel;
class QWidget;

namespace platform {
class AutoLabel;
class LineShape;
class Window;
} // namespace platform

// The controls of the main window that show the talk: the six readout
// cells, the phase message and the time line, and the procedures that lay
// them out and draw them from the shared settings and talk state.
class MainDisplay
{
public:
    // buttonBar is the frame that the layout keeps at the bottom right,
    // where the time line ends; without one the line runs to the right edge.
    MainDisplay(platform::Window &window, QWidget *buttonBar);

    // Colours the readout by phase and writes the characters that changed.
    void DrawReadout();
    // Fits the digits to the client area, then the message, the button bar
    // and the time line.
    void Form_Resize();
    void DrawMsg();
    void VisMsg(int show);
    void TimeLine();

    const DigitLayout &metrics() const { return m_layout; }
    const platform::AutoLabel &digit(int i) const { return *m_digits.at(size_t(i)); }
    const platform::AutoLabel &message() const { return *m_message; }
    const platform::LineShape &line(int i) const;
    const QLabel &timeLineCaption(int i) const;

private:
    platform::Window &m_window;
    QWidget *m_buttonBar;
    std::array<platform::AutoLabel *, 6> m_digits{};
    platform::AutoLabel *m_message = nullptr;
    std::array<platform::LineShape *, 3> m_lines{};
    std::array<QLabel *, 2> m_captions{};
    DigitLayout m_layout;
};
