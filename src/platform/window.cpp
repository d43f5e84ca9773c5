#include "platform/window.h"

#include <QCloseEvent>
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

void Window::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (const auto &line : m_lines)
        line->paint(painter);
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
