#include "platform/tick_source.h"

#include <QElapsedTimer>

#include <algorithm>
#include <vector>

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

// Every source of the user-interface thread, for StateChange.
std::vector<TickSource *> &sources()
{
    static std::vector<TickSource *> all;
    return all;
}

// A handler may close a window, and its source with it, while others poll.
template <typename Call>
void forEachSource(Call call)
{
    const std::vector<TickSource *> snapshot = sources();
    for (TickSource *source : snapshot) {
        if (std::find(sources().begin(), sources().end(), source) != sources().end())
            call(*source);
    }
}

} // namespace

TickSource::TickSource(std::function<void()> handler, QObject *parent)
    : TickSource(std::move(handler), Clock(), parent)
{
}

TickSource::TickSource(std::function<void()> handler, Clock clock, QObject *parent)
    : QObject(parent), m_handler(std::move(handler)), m_clock(clock ? std::move(clock) : Clock(monotonicNow))
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &TickSource::poll);
    sources().push_back(this);
}

TickSource::~TickSource() { sources().erase(std::find(sources().begin(), sources().end(), this)); }

void TickSource::setInterval(int milliseconds)
{
    m_intervalMs = milliseconds;
    m_delivered = 0;
    m_wakePeriod = 0;
    m_asleep = false;
    if (milliseconds <= 0) {
        m_timer.stop();
        return;
    }
    m_startNs = m_clock();
    replan();
}

void TickSource::setPlanner(Planner planner)
{
    m_planner = std::move(planner);
    replan();
}

qint64 TickSource::periodsPassed() const { return (m_clock() - m_startNs) / (qint64(m_intervalMs) * 1000000); }

void TickSource::poll()
{
    if (m_delivering || m_intervalMs <= 0)
        return;
    if (!m_asleep) {
        m_delivering = true;
        // Due once per wake-up: periods that pass while the handler runs are
        // delivered at the next wake-up, so the event loop is never starved.
        // The burst is counted from the period the source planned to wake
        // at, not from the last one delivered: after a long planned sleep
        // a held-up loop still loses nothing for maxBurst periods.
        const qint64 due = periodsPassed();
        if (due - m_wakePeriod > maxBurst)
            m_delivered += due - m_wakePeriod - maxBurst;
        while (m_delivered < due && m_intervalMs > 0) {
            ++m_delivered;
            m_handler();
        }
        m_delivering = false;
    }
    replan();
}

void TickSource::replan()
{
    if (m_intervalMs <= 0)
        return;
    const std::optional<qint64> ticks = m_planner ? m_planner() : std::optional<qint64>(1);
    if (!ticks) {
        m_asleep = true;
        m_timer.stop();
        return;
    }
    if (m_asleep) {
        // The periods that passed while no call was needed are not delivered:
        // counting goes on from now, on the same grid.
        m_asleep = false;
        m_delivered = periodsPassed();
    }
    const qint64 periodNs = qint64(m_intervalMs) * 1000000;
    m_wakePeriod = m_delivered + std::clamp<qint64>(*ticks, 1, maxBurst);
    const qint64 wakeNs = m_startNs + m_wakePeriod * periodNs;
    // Rounded up: a wake-up a fraction of a millisecond early would find the
    // period not yet passed, and wake again at once.
    const qint64 waitMs = std::max<qint64>(0, (wakeNs - m_clock() + 999999) / 1000000);
    m_timer.start(int(waitMs));
}

TickSource::StateChange::StateChange()
{
    forEachSource([](TickSource &source) { source.poll(); });
}

TickSource::StateChange::~StateChange()
{
    forEachSource([](TickSource &source) { source.replan(); });
}

} // namespace platform
