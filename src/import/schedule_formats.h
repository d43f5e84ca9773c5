#pragma once

#include "import/schedule.h"

#include <QByteArray>

namespace schedule_import {

// The formats readSchedule() tells apart. Each reader below takes the whole
// file and either gives every entry or throws a ReadFailure.
enum class ScheduleFormat { FrabXml, FrabJson, IndicoJson, SessionizeJson, ICalendar };

// Where a reader stopped: `place` is a line and column, an event's line or a
// JSON path; `what` says what is wrong there. Both are translated already.
struct ReadFailure {
    QString place;
    QString what;
};

QList<ScheduleEntry> readFrabXml(const QByteArray &bytes);
QList<ScheduleEntry> readFrabJson(const QByteArray &bytes);
QList<ScheduleEntry> readIndicoJson(const QByteArray &bytes);
QList<ScheduleEntry> readSessionizeJson(const QByteArray &bytes);
QList<ScheduleEntry> readICalendar(const QByteArray &bytes);

// Reads the file as the format given, with the checks and the message that
// readSchedule() gives; the fuzz targets drive each reader through it.
ScheduleRead readScheduleAs(ScheduleFormat format, const QByteArray &bytes, const QString &fileName);

} // namespace schedule_import
