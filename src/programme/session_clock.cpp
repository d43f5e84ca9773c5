#include "programme/session_clock.h"

#include <cmath>

namespace programme {

namespace {

DaySeconds daySeconds(const QDate &day, const QDateTime &at)
{
    return int(day.daysTo(at.date())) * SecondsPerDay + at.time().msecsSinceStartOfDay() / 1000;
}

} // namespace

QDate SessionClock::sessionDay(const QDateTime &at, const QList<Talk> &talks, int changeoverSeconds,
                               int current) const
{
    if (m_day.isValid())
        return m_day;
    const std::optional<DaySeconds> planned = firstPlannedFrom(plannedStarts(talks, changeoverSeconds), current);
    if (!planned)
        return at.date();
    // The day that puts the wall clock within twelve hours of the planned
    // start: 23:59:30 is half a minute before a session planned at 00:00.
    const int seconds = at.time().msecsSinceStartOfDay() / 1000;
    return at.date().addDays(qint64(std::floor(double(seconds - *planned) / SecondsPerDay + 0.5)));
}

void SessionClock::started(const QDateTime &at, const QList<Talk> &talks, int changeoverSeconds, int current)
{
    m_day = sessionDay(at, talks, changeoverSeconds, current);
    m_startedAt = daySeconds(m_day, at);
    m_pausedAt.reset();
    m_ended = -1;
}

void SessionClock::paused(const QDateTime &at) { m_pausedAt = daySeconds(m_day, at); }

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
    progress.now = daySeconds(sessionDay(now, talks, changeoverSeconds, progress.current), now);
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
