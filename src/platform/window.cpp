#include "platform/window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <cmath>

namespace platform {

Window::Window(const QString &caption, QSize clientSize, const QColor &background)
{
    setWindowTitle(caption);
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    setPalette(p);
    setAutoFillBackground(true);
    resize(clientSize);
}

LineShape *Window::addLine(const QColor &colour)
{
    m_lines.push_back(std::make_unique<LineShape>(this, colour));
    return m_lines.back().get();
}

bool Window::event(QEvent *event)
{
    // Qt asks for the next paint pass only after the one it asked for has
    // run, so the request held here stands for every change made meanwhile.
    if (event->type() == QEvent::UpdateRequest && m_paintBatches > 0) {
        m_paintWaiting = true;
        return true;
    }
    return QWidget::event(event);
}

Window::PaintBatch::PaintBatch(Window &window) : m_window(window) { ++m_window.m_paintBatches; }

Window::PaintBatch::~PaintBatch()
{
    if (--m_window.m_paintBatches > 0 || !m_window.m_paintWaiting)
        return;
    m_window.m_paintWaiting = false;
    QCoreApplication::postEvent(&m_window, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
}

void Window::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    for (const auto &line : m_lines) {
        // Stroking the thick lines of the time line costs more than the
        // check; most paints are of a digit far from them.
        if (event->region().intersects(line->bounds()))
            line->paint(painter);
    }
}

void Window::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    resized();
}

void Window::closeEvent(QCloseEvent *event)
{
    if (closeRequested())
        event->accept();
    else
        event->ignore();
}

double twipsPerPixelX()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return 1440.0 / (screen ? screen->logicalDotsPerInchX() : 96.0);
}

double twipsPerPixelY()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return 1440.0 / (screen ? screen->logicalDotsPerInchY() : 96.0);
}

int twipsToPixelsX(int twips) { return int(std::lround(twips / twipsPerPixelX())); }
int twipsToPixelsY(int twips) { return int(std::lround(twips / twipsPerPixelY())); }

} // namespace platform
