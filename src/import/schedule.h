#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

namespace schedule_import {

// One entry of a conference's published timetable, as the file gives it,
// before a day and a room are chosen. Times are the conference's local times.
struct ScheduleEntry {
    QDate day;
    QString room;
    QTime start;
    int minutes = 0;                       // the whole slot
    QString title;
    QStringList speakers;                  // in the file's order
    bool isBreak = false;                  // a break, a service session, a meal
    std::optional<int> presentationSeconds; // where the file splits the slot itself
    std::optional<int> discussionSeconds;
};

// What a reader found, or where it stopped: an error names the file's place
// (line and column, or the JSON path) and nothing of the file is used.
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
