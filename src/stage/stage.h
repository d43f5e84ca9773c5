#pragma once

#include "remote/talk_state.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QMenu;
class QAction;
class QScreen;

namespace remote {
class RemoteView;
}

namespace stage {

class StageWindow;

// The stage window as the main window sees it: which screen it goes to,
// remembered by the screen's name, and its opening and closing as that
// screen comes and goes. It draws only when the main window does, through
// redraw() and VisMsg(), so it adds no timer and no wake-up of its own.
class Stage : public QObject
{
    Q_OBJECT
public:
    using WindowStateSource = std::function<remote::WindowState()>;

    Stage(WindowStateSource window, const remote::RemoteView &remote, QObject *parent);
    ~Stage() override;

    // Reads the remembered screen, or takes the Nth screen of the menu
    // (from 1; 0 for none) for this run only, and opens the window if that
    // screen is there. Empty, or why the window stays closed.
    QString restore(std::optional<int> screenForThisRun = std::nullopt);
    // A screen chosen in the menu, by name; empty turns the window off.
    // Remembered; empty, or what went wrong with the file.
    QString choose(const QString &screenName);
    QString chosenScreen() const { return m_chosen; }

    // The "Stage window" submenu, put before the given entry (or last).
    void addMenu(QMenu &menu, QAction *before);

    // Called by the main window after each of its redraws and blinks.
    void redraw();
    void VisMsg(int show);

    // The open window, or none.
    const StageWindow *window() const;

private:
    void follow(const QScreen *leaving = nullptr);

    WindowStateSource m_source;
    const remote::RemoteView &m_remote;
    QString m_chosen;
    std::unique_ptr<StageWindow> m_window;
    bool m_drawing = false;
    bool m_drawAgain = false;
    bool m_followAfterDrawing = false;
};

} // namespace stage
