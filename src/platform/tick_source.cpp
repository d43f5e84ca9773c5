#include "platform/tick_source.h"

#include <QElapsedTimer>

namespace platform {

namespace {

qint64 monotonicNow()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.nsecsElapsed();
}

} // namespace

TickSource::TickSource(std::function<void()> handler, QObject *parent)
    : TickSource(std::move(handler), [] { return monotonicNow(); }, parent)
{
}

TickSource::TickSource(std::function<void()> handler, Clock clock, QObject *parent)
    : QObject(parent), m_handler(std::move(handler)), m_clock(std::move(clock))
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TickSource::poll);
}

void TickSource::setInterval(int milliseconds)
{
    m_intervalMs = milliseconds;
    m_delivered = 0;
    if (milliseconds <= 0) {
        m_timer.stop();
        return;
    }
    m_startNs = m_clock();
    m_timer.start(milliseconds);
}

void TickSource::poll()
{
    if (m_delivering || m_intervalMs <= 0)
        return;
    m_delivering = true;
    const qint64 periodNs = qint64(m_intervalMs) * 1000000;
    // Due once per wake-up: periods that pass while the handler runs are
    // delivered at the next wake-up, so the event loop is never starved.
    const qint64 due = (m_clock() - m_startNs) / periodNs;
    if (due - m_delivered > maxBurst)
        m_delivered = due - maxBurst;
    while (m_delivered < due && m_intervalMs > 0) {
        ++m_delivered;
        m_handler();
    }
    m_delivering = false;
}

} // namespace platform
