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
    QList<std::optional<DaySeconds>> expectedStarts; // one per talk
    std::optional<int> offset;                       // none before the first talk started
    std::optional<DaySeconds> projectedEnd;          // the expected end of the last talk
    std::optional<int> secondsUntilFirst;            // before the first talk has started
};

SessionTimetable sessionTimetable(const QList<Talk> &talks, int changeoverSeconds, const SessionProgress &progress);

} // namespace programme
