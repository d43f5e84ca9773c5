#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

namespace platform {

// A periodic timer that loses no ticks and wakes only when its handler needs
// a call. Periods are counted on the monotonic clock; when the source wakes,
// it delivers one call for each period that has passed since the last one,
// so ticks a sleep skipped arrive in order, late, but none is missed. After a
// held-up event loop the missed calls follow at once: every period up to
// maxBurst periods past the planned wake-up, so a laptop waking from sleep
// does not replay an hour. Calls never
// nest: a handler that lets pending events run is not entered again from
// inside itself.
class TickSource : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<qint64()>; // monotonic nanoseconds
    // How many periods may pass after the last one delivered before the
    // handler needs its next call; none while every tick would do nothing,
    // and the periods that pass then are dropped instead of delivered.
    using Planner = std::function<std::optional<qint64>()>;

    explicit TickSource(std::function<void()> handler, QObject *parent = nullptr);
    // Tests drive a clock of their own and call poll() instead of waiting;
    // an empty clock is the monotonic one.
    TickSource(std::function<void()> handler, Clock clock, QObject *parent = nullptr);
    ~TickSource() override;

    // Starts counting periods from now; 0 stops the timer.
    void setInterval(int milliseconds);
    int interval() const { return m_intervalMs; }
    // Without a planner the source wakes once a period.
    void setPlanner(Planner planner);

    static constexpr qint64 maxBurst = 300;

    // Delivers the periods that have passed, then sleeps until the next one
    // the handler needs; the timer calls it on its own.
    void poll();

    // Held around anything that changes what a handler does with a tick (a
    // click, a setting, the clock rate): the ticks that have passed are
    // delivered under the old state first, and every source plans its next
    // wake-up under the new one afterwards. A source that woke every period
    // would have done the same.
    class StateChange
    {
    public:
        StateChange();
        ~StateChange();
        Q_DISABLE_COPY(StateChange)
    };

private:
    // Asks the planner again: what the handler needs has changed.
    void replan();
    qint64 periodsPassed() const;

    std::function<void()> m_handler;
    Planner m_planner;
    QTimer m_timer;
    Clock m_clock;
    qint64 m_startNs = 0;
    qint64 m_delivered = 0;
    qint64 m_wakePeriod = 0; // the period the timer was last set to wake at
    int m_intervalMs = 0;
    bool m_delivering = false;
    bool m_asleep = false; // the planner needs no call at all
};

} // namespace platform
