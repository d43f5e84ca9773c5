#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace platform {

// A periodic timer that loses no ticks: it delivers one call for each period
// that has passed on the monotonic clock. When the event loop was held up,
// the missed calls follow at once, at most maxBurst of them, so a laptop
// waking from sleep does not replay an hour. Calls never nest: a handler that
// lets pending events run is not entered again from inside itself.
class TickSource : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<qint64()>; // monotonic nanoseconds

    explicit TickSource(std::function<void()> handler, QObject *parent = nullptr);
    // Tests drive a clock of their own and call poll() instead of waiting.
    TickSource(std::function<void()> handler, Clock clock, QObject *parent = nullptr);

    // Starts counting periods from now; 0 stops the timer.
    void setInterval(int milliseconds);
    int interval() const { return m_intervalMs; }

    static constexpr qint64 maxBurst = 300;

    // Delivers the periods that have passed; the timer calls it on its own.
    void poll();

private:

    std::function<void()> m_handler;
    QTimer m_timer;
    Clock m_clock;
    qint64 m_startNs = 0;
    qint64 m_delivered = 0;
    int m_intervalMs = 0;
    bool m_delivering = false;
};

} // namespace platform
