#pragma once

#include "import/schedule.h"
#include "programme/programme_file.h"

#include <optional>

namespace schedule_import {

// A day and a room of a timetable, and how many talks are held there.
struct SessionCount {
    QDate day;
    QString room;
    int talks = 0;
};

// Every day and room that holds a talk, breaks and unreadable events left out: days in order,
// each day's rooms in the order the file first gives them.
QList<SessionCount> sessionsOf(const QList<ScheduleEntry> &entries);

// The lines that list them for the timekeeper: each day with its number of
// talks, then its rooms with theirs ("2026-03-14  12", "  Room A  6").
QStringList sessionListing(const QList<SessionCount> &sessions);

// What the timekeeper chose. No day or no room takes the only one there is.
struct SessionChoice {
    std::optional<QDate> day;
    std::optional<QString> room;
    // A fixed discussion; without one, the file's own split, else a fifth of
    // the slot.
    std::optional<int> discussionMinutes;
};

// An event of the chosen day and room that cannot be read, and the talk it
// comes before in their order (talks.size() when after them all).
struct SkippedEvent {
    qsizetype beforeTalk = 0;
    ScheduleEntry entry;
};

struct SessionTalks {
    QList<programme::Talk> talks;
    // Why nothing is taken; the whole import stops.
    QString error;
    // The file holds several days or rooms, or not the one chosen: the
    // timekeeper is to choose from sessionsOf().
    bool needsChoice = false;
    // Lines of a spreadsheet and events of a timetable that were skipped,
    // each named; the other talks are taken.
    QStringList problems;
    // The events of the chosen day and room among them, by their start.
    QList<SkippedEvent> skipped;
};

// The talks of the chosen day and room by their start, breaks left out, each
// slot split into presentation and discussion.
SessionTalks takeSession(const QList<ScheduleEntry> &entries, const SessionChoice &choice);

// "Sato / Kim".
QString joinedSpeakers(const QStringList &speakers);

} // namespace schedule_import
