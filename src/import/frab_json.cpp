// pretalx's and frab's schedule.json: schedule.conference.days[].rooms, a
// map from each room's name to its events.

#include "import/entry_checks.h"
#include "import/json_at.h"

namespace schedule_import {
namespace {

QStringList personNames(const JsonAt &persons)
{
    QStringList names;
    if (persons.isAbsent())
        return names;
    for (qsizetype i = 0; i < persons.array().size(); ++i) {
        const JsonAt person = persons.at(i);
        QString name = person.field(QStringLiteral("public_name")).optionalText();
        if (name.isEmpty())
            name = person.field(QStringLiteral("name")).optionalText();
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

void readEvent(const JsonAt &event, std::optional<QTime> dayStart, const QTimeZone &zone, ScheduleEntry &entry)
{
    event.object();
    entry.title = event.field(QStringLiteral("title")).optionalText();
    entry.speakers = personNames(event.field(QStringLiteral("persons")));
    if (const QString room = event.field(QStringLiteral("room")).optionalText(); !room.isEmpty())
        entry.room = room;
    entry.isBreak = isBreakType(event.field(QStringLiteral("type")).optionalText());

    // As in the XML: the full date when there is one, else a time of the day
    // the event is listed under.
    const JsonAt date = event.field(QStringLiteral("date"));
    if (!date.optionalText().isEmpty()) {
        const std::optional<WrittenTime> written = parseWrittenTime(date.text());
        if (!written)
            date.fail(ScheduleImport::tr("\"%1\" is not a date and time").arg(date.text()));
        const WrittenTime local = inConferenceZone(*written, zone);
        entry.startDate = local.date;
        entry.start = local.time;
    } else {
        const JsonAt start = event.field(QStringLiteral("start"));
        entry.start = QTime::fromString(start.text(), Qt::ISODate);
        if (!entry.start.isValid())
            start.fail(ScheduleImport::tr("\"%1\" is not a time of day").arg(start.text()));
        if (dayStart && entry.start < *dayStart)
            entry.startDate = entry.day.addDays(1);
    }

    event.field(QStringLiteral("title")).text();
    const JsonAt duration = event.field(QStringLiteral("duration"));
    const std::optional<int> seconds = parseLength(duration.text());
    if (!seconds)
        duration.fail(ScheduleImport::tr("\"%1\" is not a length (hours:minutes or PT40M)").arg(duration.text()));
    entry.minutes = checkedMinutes(*seconds, duration.path());
}

} // namespace

QList<ScheduleEntry> readFrabJson(const QByteArray &bytes)
{
    const JsonAt conference =
        JsonAt::parse(bytes).field(QStringLiteral("schedule")).field(QStringLiteral("conference"));
    const QTimeZone zone(conference.field(QStringLiteral("time_zone_name")).optionalText().toUtf8());
    const JsonAt days = conference.field(QStringLiteral("days"));
    QList<ScheduleEntry> entries;
    for (qsizetype d = 0; d < days.array().size(); ++d) {
        const JsonAt day = days.at(d);
        const JsonAt dateField = day.field(QStringLiteral("date"));
        const QDate date = QDate::fromString(dateField.text(), Qt::ISODate);
        if (!date.isValid())
            dateField.fail(ScheduleImport::tr("\"%1\" is not a date").arg(dateField.text()));
        // A day may run past midnight: a talk before the day's start is one
        // of its last, on the next calendar date.
        std::optional<QTime> dayStart;
        if (const auto start = parseWrittenTime(day.field(QStringLiteral("day_start")).optionalText()))
            dayStart = inConferenceZone(*start, zone).time;
        const JsonAt rooms = day.field(QStringLiteral("rooms"));
        for (const QString &room : rooms.object().keys()) {
            const JsonAt events = rooms.keyed(room);
            for (qsizetype e = 0; e < events.array().size(); ++e) {
                ScheduleEntry entry;
                entry.day = date;
                entry.room = room;
                entries << tolerated(entry, [&](ScheduleEntry &out) { readEvent(events.at(e), dayStart, zone, out); });
            }
        }
    }
    return entries;
}

} // namespace schedule_import
