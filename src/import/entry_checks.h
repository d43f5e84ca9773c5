#pragma once

#include "import/schedule_formats.h"

#include <QCoreApplication>
#include <QDate>
#include <QTime>
#include <QTimeZone>

#include <optional>

namespace schedule_import {

// A date and time of day as a file writes them, with the offset from UTC
// when it gives one. Nothing here consults the machine's own time zone.
struct WrittenTime {
    QDate date;
    QTime time;
    std::optional<int> offsetSeconds; // none: a local time with no zone written
};

// "2025-03-14T09:30", "2025-03-14 09:30:00", with "Z", "+09:00" or "+0900".
std::optional<WrittenTime> parseWrittenTime(const QString &text);

// A time written in UTC ("Z") moved into the conference's zone when the file
// names one; a time written with any other offset, or none, stays as written.
WrittenTime inConferenceZone(const WrittenTime &written, const QTimeZone &zone);

// Seconds from one written time to another, counted on the clock face when
// neither has an offset (the conference's local times).
qint64 secondsBetween(const WrittenTime &from, const WrittenTime &to);

// "00:30", "1:15", "0:45:30", "-00:10", or ISO 8601's "PT40M" and
// "P0Y0M0DT0H40M0.000S", as seconds; nothing when not a length (a length in
// months or years has none fixed).
std::optional<int> parseLength(const QString &text);

// The slot's whole minutes, or a failure at `place` when the length is
// negative (the end comes before the start) or longer than a day.
int checkedMinutes(qint64 seconds, const QString &place);

// pretalx and frab have no break flag: a type such as "Coffee break",
// "Lunch", "Pause" or "休憩" marks one. Whole words, so that a "breakout"
// session stays a talk.
bool isBreakType(const QString &type);

// The readers' messages are translated in one context.
class ScheduleImport
{
    Q_DECLARE_TR_FUNCTIONS(ScheduleImport)
};

// Reads one event with read(entry), which fills in what it finds. A
// ReadFailure marks the entry unreadable instead of refusing the file: one
// odd event elsewhere must not cost the timekeeper the session they want.
template <typename Read>
ScheduleEntry tolerated(ScheduleEntry entry, Read &&read)
{
    try {
        read(entry);
    } catch (const ReadFailure &failure) {
        entry.unreadable = failure.place.isEmpty() ? failure.what
                                                   : ScheduleImport::tr("%1: %2").arg(failure.place, failure.what);
    }
    return entry;
}

} // namespace schedule_import
