#pragma once

#include "programme/session_timetable.h"

#include <QDate>
#include <QDateTime>

namespace programme {

// The session as the main window runs it, in wall time: when the current
// talk started, when it was last paused, and the offset the talks before it
// left. The session's day is the one its first planned start falls on, as
// near the wall clock at its first "start" as that can be: a session planned
// at 00:00 and started at 23:59:30 is half a minute early, not a day late.
class SessionClock
{
public:
    void started(const QDateTime &at, const QList<Talk> &talks, int changeoverSeconds, int current);
    void paused(const QDateTime &at);
    // At "reset": the talk leaves the offset of its end, its last pause,
    // against its planned end, so a talk cut short gives time back.
    void finished(const QList<Talk> &talks, int changeoverSeconds, int current);
    // A new programme: the session has not begun.
    void clear();

    SessionTimetable timetable(const QList<Talk> &talks, int changeoverSeconds, int current, int32_t elapsed,
                               int16_t total, const QDateTime &now) const;
    // The talk that ended at "reset" stays the programme's current one until
    // another is taken; the session waits for the talk after it meanwhile.
    bool ended(int current) const { return !m_startedAt && m_ended == current; }

private:
    // The session's day, or until it has one, the day near "at" that the
    // planned starts from the current talk on fall on.
    QDate sessionDay(const QDateTime &at, const QList<Talk> &talks, int changeoverSeconds, int current) const;

    QDate m_day;
    std::optional<DaySeconds> m_startedAt;
    std::optional<DaySeconds> m_pausedAt;
    std::optional<int> m_carried;
    int m_ended = -1;
};

} // namespace programme
