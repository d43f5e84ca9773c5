#pragma once

#include "remote/talk_state.h"

#include <QWidget>

#include <functional>

class MainDisplay;
class QMenu;
class QScreen;

namespace stage {

class StageFace;
class StageLine;

// The speaker's view on a screen of its own: frameless and filling that
// screen, the current talk above the readout, the message to the speaker
// over it, the readout with its phase message and time line as the main
// window draws them, and the next talk below. It has no buttons and never
// takes the keyboard from the timekeeper's window.
class StageWindow : public QWidget
{
    Q_OBJECT
public:
    // fillMenu gives the window's right-click menu its entries.
    StageWindow(QScreen &screen, std::function<void(QMenu &)> fillMenu);
    ~StageWindow() override;

    QString screenName() const { return m_screenName; }

    // Draws the talk of this moment: the readout, the layout and the time
    // line from the shared talk state, the talks and the message from
    // these.
    void draw(const remote::WindowState &state, const QString &speakerMessage);
    // The phase message's blink, as in the main window.
    void VisMsg(int show);

    const MainDisplay &display() const;
    const StageLine &talkLine() const { return *m_talk; }
    const StageLine &messageBand() const { return *m_band; }
    const StageLine &nextLine() const { return *m_next; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void fill(QScreen &screen);

    QString m_screenName;
    std::function<void(QMenu &)> m_fillMenu;
    StageLine *m_talk = nullptr;
    StageLine *m_band = nullptr;
    StageFace *m_face = nullptr;
    StageLine *m_next = nullptr;
};

} // namespace stage
