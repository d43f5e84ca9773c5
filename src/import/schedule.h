#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>
#include <utility>

namespace schedule_import {

// One entry of a conference's published timetable, as the file gives it,
// before a day and a room are chosen. Times are the conference's local times.
struct ScheduleEntry {
    QDate day;                             // the conference day it belongs to
    QString room;
    QTime start;
    // The calendar date of the start where it is not the day's own: a day of
    // a conference may run past midnight.
    QDate startDate;
    int minutes = 0;                       // the whole slot
    QString title;
    QStringList speakers;                  // in the file's order
    bool isBreak = false;                  // a break, a service session, a meal
    std::optional<int> presentationSeconds; // where the file splits the slot itself
    std::optional<int> discussionSeconds;
    // Why the event cannot be taken, after its place in the file; empty for
    // a talk or a break. The fields above hold what could be read of it.
    QString unreadable;

    // The order of starts within a day, a talk after midnight last.
    std::pair<QDate, QTime> startOrder() const { return {startDate.isValid() ? startDate : day, start}; }
};

// What a reader found, or where it stopped: an error names the file's place
// (line and column, or the JSON path) and nothing of the file is used. One
// event that cannot be read does not stop the reader: it is among the
// entries, marked unreadable.
struct ScheduleRead {
    QList<ScheduleEntry> entries;
    QString error;
};

} // namespace schedule_import

namespace schedule_import {

// Reads a published timetable of any format that is known (pretalx and frab
// XML and JSON, Indico's timetable JSON, Sessionize's "All" JSON,
// iCalendar); the format is told from the content, not the file's name.
// A file of none of these formats gives an error that says so.
ScheduleRead readSchedule(const QByteArray &bytes, const QString &fileName);

} // namespace schedule_import
