#pragma once

#include "programme/programme_file.h"

#include <QList>

#include <cstdint>
#include <optional>

namespace programme {

// Times of day are seconds since the midnight that starts the session's day.
// They are never wrapped at 24:00, so a session that runs past midnight keeps
// its order.
using DaySeconds = int;
constexpr DaySeconds SecondsPerDay = 24 * 60 * 60;

// What the timetable needs to know of the session as it runs.
struct SessionProgress {
    int current = -1;                     // the current talk of the programme
    std::optional<DaySeconds> startedAt;  // its "start", while it runs or is paused
    int32_t elapsed = 0;                  // ElapsedSeconds of the current talk
    int16_t total = 0;                    // TotalTime, where overtime begins
    std::optional<int> carriedOffset;     // what the talks before it left behind
    DaySeconds now = 0;
};

// The session against its planned times. Offsets are positive when late.
struct SessionTimetable {
    bool planned = false; // some talk has a start time; nothing is shown otherwise
    QList<std::optional<DaySeconds>> plannedStarts;  // one per talk
    // One per talk: the current talk's own start once it started, the later
    // talks' expected ones; none for the talks before the current one, and
    // none at all before the session runs.
    QList<std::optional<DaySeconds>> expectedStarts;
    std::optional<int> offset;              // none before the first talk started
    std::optional<DaySeconds> projectedEnd; // the expected end of the last talk
    // Before the first timed talk has started: until the first planned start
    // from the current talk on (past an untimed opening talk, say), negative
    // once that has passed; and that start.
    std::optional<int> secondsUntilFirst;
    std::optional<DaySeconds> firstPlannedStart;
};

// A talk without a start is planned when the one before it is planned to
// end, plus the changeover. While a talk runs the offset is its start's
// offset plus its overtime, and never less than what a pause has added to
// the end of the talk; between talks it is the offset the last talk left,
// and never less than how late the current talk would start now. A later
// talk is expected at its planned start plus the offset, never before the
// talk ahead of it can have ended.
// Each talk's planned start: its own, or the planned end of the talk before
// it plus the changeover; none before the first talk that has a start. A
// start more than twelve hours before the one above it is on the next day,
// so 23:58, 00:00, 00:02 is one session across midnight.
QList<std::optional<DaySeconds>> plannedStarts(const QList<Talk> &talks, int changeoverSeconds);

// The first planned start from talk "from" on.
std::optional<DaySeconds> firstPlannedFrom(const QList<std::optional<DaySeconds>> &starts, int from);

SessionTimetable sessionTimetable(const QList<Talk> &talks, int changeoverSeconds, const SessionProgress &progress);

// Seconds of the session's day as a clock shows them: "09:05", "00:10"
// past midnight; with seconds "09:05:30".
QString clockText(DaySeconds seconds);
QString clockTextWithSeconds(DaySeconds seconds);

// The offset in words and figures, as the chair reads it: "4:30 late",
// "2:00 early", "1:05:30 late", or "on time" within a minute.
QString offsetText(int seconds);

} // namespace programme
