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

ScheduleEntry eventEntry(const JsonAt &event, const QString &room, QDate day, const QTimeZone &zone)
{
    event.object();
    ScheduleEntry entry;
    entry.title = event.field(QStringLiteral("title")).text();
    entry.speakers = personNames(event.field(QStringLiteral("persons")));
    entry.room = event.field(QStringLiteral("room")).optionalText();
    if (entry.room.isEmpty())
        entry.room = room;
    entry.isBreak = isBreakType(event.field(QStringLiteral("type")).optionalText());

    // As in the XML: the full date when there is one, else the day's date.
    const JsonAt date = event.field(QStringLiteral("date"));
    if (!date.optionalText().isEmpty()) {
        const std::optional<WrittenTime> written = parseWrittenTime(date.text());
        if (!written)
            date.fail(ScheduleImport::tr("\"%1\" is not a date and time").arg(date.text()));
        const WrittenTime local = inConferenceZone(*written, zone);
        entry.day = local.date;
        entry.start = local.time;
    } else {
        const JsonAt start = event.field(QStringLiteral("start"));
        entry.start = QTime::fromString(start.text(), Qt::ISODate);
        entry.day = day;
        if (!entry.start.isValid())
            start.fail(ScheduleImport::tr("\"%1\" is not a time of day").arg(start.text()));
    }

    const JsonAt duration = event.field(QStringLiteral("duration"));
    const std::optional<int> seconds = parseClockLength(duration.text());
    if (!seconds)
        duration.fail(ScheduleImport::tr("\"%1\" is not a length (hours:minutes)").arg(duration.text()));
    entry.minutes = checkedMinutes(*seconds, duration.path());
    return entry;
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
        const JsonAt rooms = day.field(QStringLiteral("rooms"));
        for (const QString &room : rooms.object().keys()) {
            const JsonAt events = rooms.keyed(room);
            for (qsizetype e = 0; e < events.array().size(); ++e)
                entries << eventEntry(events.at(e), room, date, zone);
        }
    }
    return entries;
}

} // namespace schedule_import
