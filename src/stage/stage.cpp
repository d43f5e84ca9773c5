#include "stage/stage.h"

#include "platform/messages.h"
#include "remote/remote_view.h"
#include "stage/stage_file.h"
#include "stage/stage_window.h"

#include <QActionGroup>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScreen>

#include <utility>

namespace stage {

namespace {

// The screens a stage window may go to: every screen the system lists,
// but none while there is only one, where it would hide the timekeeper's
// buttons.
QList<QScreen *> stageScreens(const QScreen *leaving)
{
    QList<QScreen *> screens = QGuiApplication::screens();
    screens.removeAll(leaving);
    return screens.size() > 1 ? screens : QList<QScreen *>();
}

QScreen *screenNamed(const QList<QScreen *> &screens, const QString &name)
{
    for (QScreen *screen : screens) {
        if (!name.isEmpty() && screen->name() == name)
            return screen;
    }
    return nullptr;
}

} // namespace

Stage::Stage(WindowStateSource window, const remote::RemoteView &remote, QObject *parent)
    : QObject(parent), m_source(std::move(window)), m_remote(remote)
{
    // A monitor unplugged takes its stage window with it; plugged in again,
    // it gets it back.
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this] { follow(); });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, [this](QScreen *screen) { follow(screen); });
    connect(&remote, &remote::RemoteView::changed, this, [this] {
        if (m_window)
            redraw();
    });
}

Stage::~Stage() = default;

const StageWindow *Stage::window() const { return m_window.get(); }

QString Stage::restore(std::optional<int> screenForThisRun)
{
    m_chosen = loadStageScreen();
    QString problem;
    if (screenForThisRun) {
        const QList<QScreen *> screens = QGuiApplication::screens();
        const int n = *screenForThisRun;
        if (n == 0)
            m_chosen.clear();
        else if (screens.size() < 2)
            problem = tr("There is only one screen: the stage window stays closed.");
        else if (n > screens.size())
            problem = tr("There is no screen %1: this computer has %2.").arg(n).arg(screens.size());
        else
            m_chosen = screens.at(n - 1)->name();
    }
    follow();
    return problem;
}

QString Stage::choose(const QString &screenName)
{
    m_chosen = screenName;
    follow();
    return saveStageScreen(screenName);
}

void Stage::follow(const QScreen *leaving)
{
    QScreen *target = screenNamed(stageScreens(leaving), m_chosen);
    // A redraw lets events run, and a screen may go meanwhile: its window
    // hides at once and goes when the redraw returns.
    if (m_drawing) {
        if (m_window && (!target || m_window->screenName() != target->name()))
            m_window->hide();
        m_followAfterDrawing = true;
        return;
    }
    if (m_window && (!target || m_window->screenName() != target->name()))
        m_window.reset();
    if (target && !m_window) {
        m_window = std::make_unique<StageWindow>(*target, [this](QMenu &menu) { addMenu(menu, nullptr); });
        // Full screen, so that a desktop's panels on that screen stay under
        // it; set before it is shown, so that showing does not activate it.
        m_window->setWindowState(Qt::WindowFullScreen);
        m_window->show();
        redraw();
    }
}

void Stage::redraw()
{
    if (!m_window)
        return;
    // The readout lets pending events run, and a second counted meanwhile
    // asks for another redraw: it is done when this one returns.
    if (m_drawing) {
        m_drawAgain = true;
        return;
    }
    {
        const QScopedValueRollback<bool> drawing(m_drawing, true);
        do {
            m_drawAgain = false;
            m_window->draw(m_source(), m_remote.speakerMessage());
        } while (m_drawAgain);
    }
    if (std::exchange(m_followAfterDrawing, false))
        follow();
}

void Stage::VisMsg(int show)
{
    if (m_window)
        m_window->VisMsg(show);
}

void Stage::addMenu(QMenu &menu, QAction *before)
{
    auto *sub = new QMenu(tr("Stage window"), &menu);
    menu.insertMenu(before, sub);
    auto *group = new QActionGroup(sub);
    const QPointer<QWidget> owner = menu.parentWidget();
    const auto entry = [this, sub, group, owner](const QString &text, const QString &screenName, bool enabled) {
        QAction *action = sub->addAction(text);
        action->setCheckable(true);
        action->setChecked(screenName == m_chosen);
        action->setEnabled(enabled);
        group->addAction(action);
        // Chosen once the menu has closed: the stage window's own menu may
        // close that window.
        connect(action, &QAction::triggered, this, [this, screenName, owner] {
            QMetaObject::invokeMethod(
                this,
                [this, screenName, owner] {
                    const QString problem = choose(screenName);
                    if (!problem.isEmpty())
                        platform::showMessage(owner, problem);
                },
                Qt::QueuedConnection);
        });
    };
    entry(tr("off"), QString(), true);
    const QList<QScreen *> screens = QGuiApplication::screens();
    const bool several = screens.size() > 1;
    for (QScreen *screen : screens) {
        const QSize size = screen->size();
        const QString text = tr("%1 (%2×%3)").arg(screen->name()).arg(size.width()).arg(size.height());
        entry(several ? text : tr("%1: the only screen").arg(text), screen->name(), several);
    }
}

} // namespace stage
