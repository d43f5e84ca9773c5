#include "programme/session_clock.h"

namespace programme {

DaySeconds SessionClock::daySeconds(const QDateTime &at) const
{
    const QDate day = m_day.isValid() ? m_day : at.date();
    return int(day.daysTo(at.date())) * SecondsPerDay + at.time().msecsSinceStartOfDay() / 1000;
}

void SessionClock::started(const QDateTime &at)
{
    if (!m_day.isValid())
        m_day = at.date();
    m_startedAt = daySeconds(at);
    m_pausedAt.reset();
    m_ended = -1;
}

void SessionClock::paused(const QDateTime &at) { m_pausedAt = daySeconds(at); }

void SessionClock::finished(const QList<Talk> &talks, int changeoverSeconds, int current)
{
    const std::optional<DaySeconds> planned = plannedStarts(talks, changeoverSeconds).value(current);
    if (m_startedAt && m_pausedAt && planned)
        m_carried = *m_pausedAt - (*planned + talks[current].presentation + talks[current].discussion);
    m_ended = current;
    m_startedAt.reset();
    m_pausedAt.reset();
}

void SessionClock::clear() { *this = SessionClock(); }

SessionTimetable SessionClock::timetable(const QList<Talk> &talks, int changeoverSeconds, int current,
                                         int32_t elapsed, int16_t total, const QDateTime &now) const
{
    SessionProgress progress;
    progress.current = ended(current) ? current + 1 : current;
    progress.startedAt = m_startedAt;
    progress.elapsed = elapsed;
    progress.total = total;
    progress.carriedOffset = m_carried;
    progress.now = daySeconds(now);
    SessionTimetable t = sessionTimetable(talks, changeoverSeconds, progress);
    // After the last talk the session stands as it ended.
    if (t.planned && progress.current == talks.size() && m_carried) {
        if (const std::optional<DaySeconds> planned = t.plannedStarts.value(current)) {
            t.offset = m_carried;
            t.projectedEnd = *planned + talks[current].presentation + talks[current].discussion + *m_carried;
        }
    }
    return t;
}

} // namespace programme
