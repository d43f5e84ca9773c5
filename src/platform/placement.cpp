#include "platform/placement.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace platform {

namespace {

// The window manager's frame around a window: known for a window that was
// shown before, else taken from another window it framed, as it frames
// them alike.
QMargins frameMargins(const QWidget &window)
{
    if (window.windowHandle() && !window.windowHandle()->frameMargins().isNull())
        return window.windowHandle()->frameMargins();
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (const QWidget *other : windows) {
        if (other != &window && other->isVisible() && other->windowHandle() &&
            !other->windowHandle()->frameMargins().isNull())
            return other->windowHandle()->frameMargins();
    }
    return {};
}

} // namespace

void placeOnScreen(QWidget &window)
{
    const QWidget *parent = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    const QScreen *screen = parent ? parent->screen() : window.screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QMargins frame = frameMargins(window);
    const QSize room = area.size().shrunkBy(frame);

    // The layout's own size first, so that the window opens at the size it
    // asks for, then no larger than the screen.
    window.ensurePolished();
    const QSize wanted = window.size().expandedTo(window.minimumSizeHint());
    window.resize(wanted.boundedTo(room));

    // Qt reads and sets a window's position as its frame's once the window
    // system has framed it; before its first showing, and again while it is
    // hidden, as that of its inside.
    const bool framed = window.windowHandle() && !window.windowHandle()->frameMargins().isNull();
    const QPoint inside = framed ? QPoint() : QPoint(frame.left(), frame.top());
    QRect outer(window.pos() - inside, window.size().grownBy(frame));
    if (!window.testAttribute(Qt::WA_Moved))
        outer.moveCenter(parent ? parent->frameGeometry().center() : area.center());
    outer.moveLeft(std::clamp(outer.left(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())));
    outer.moveTop(std::clamp(outer.top(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
    // Taken as the inside's, the frame's position would put the title bar
    // above the top edge of a screen that has just room for the window.
    window.move(outer.topLeft() + inside);
}

} // namespace platform
