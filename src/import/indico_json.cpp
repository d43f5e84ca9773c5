// Indico's timetable export: days keyed YYYYMMDD, each a map of entries,
// contributions and breaks, and session blocks whose "entries" hold more;
// and its event export, a list of contributions.

#include "import/entry_checks.h"
#include "import/json_at.h"

#include <QRegularExpression>

#include <algorithm>

namespace schedule_import {
namespace {

// Indico gives a person's name whole or in parts, by version and by export.
QString personName(const JsonAt &person)
{
    for (const char *whole : {"fullName", "full_name", "name"}) {
        const QString name = person.field(QLatin1String(whole)).optionalText();
        if (!name.isEmpty())
            return name;
    }
    const auto joined = [&](const char *first, const char *last) {
        return QStringList{person.field(QLatin1String(first)).optionalText(),
                           person.field(QLatin1String(last)).optionalText()}
            .join(QLatin1Char(' '))
            .trimmed();
    };
    const QString name = joined("firstName", "familyName");
    return name.isEmpty() ? joined("first_name", "last_name") : name;
}

QStringList personNames(const JsonAt &people)
{
    QStringList names;
    if (people.isAbsent())
        return names;
    for (qsizetype i = 0; i < people.array().size(); ++i) {
        const QString name = personName(people.at(i));
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

// {"date": "2026-03-14", "time": "09:30:00", "tz": "Asia/Tokyo"}: a time on
// the clock of the event's own zone, as both its start and end are written.
WrittenTime writtenTime(const JsonAt &field)
{
    const JsonAt date = field.field(QStringLiteral("date"));
    const JsonAt time = field.field(QStringLiteral("time"));
    WrittenTime written{QDate::fromString(date.text(), Qt::ISODate), QTime::fromString(time.text(), Qt::ISODate), {}};
    if (!written.date.isValid())
        date.fail(ScheduleImport::tr("\"%1\" is not a date").arg(date.text()));
    if (!written.time.isValid())
        time.fail(ScheduleImport::tr("\"%1\" is not a time of day").arg(time.text()));
    return written;
}

// A contribution or a break of either export: its title, people, start, and
// its length in minutes, or its end where the length is left out.
void readSlot(const JsonAt &item, const QString &people, ScheduleEntry &out)
{
    out.title = item.field(QStringLiteral("title")).optionalText();
    out.speakers = personNames(item.field(people));
    const WrittenTime start = writtenTime(item.field(QStringLiteral("startDate")));
    out.day = start.date;
    out.start = start.time;
    item.field(QStringLiteral("title")).text();
    const JsonAt duration = item.field(QStringLiteral("duration"));
    if (!duration.isAbsent()) {
        out.minutes = checkedMinutes(qint64(std::clamp(duration.number(), -1e7, 1e7) * 60), duration.path());
    } else {
        const JsonAt end = item.field(QStringLiteral("endDate"));
        out.minutes = checkedMinutes(secondsBetween(start, writtenTime(end)), end.path());
    }
}

void readEntry(const JsonAt &entry, const QString &blockRoom, QList<ScheduleEntry> &entries)
{
    entry.object();
    const QString type = entry.field(QStringLiteral("entryType")).text();
    QString room = entry.field(QStringLiteral("room")).optionalText();
    if (room.isEmpty())
        room = blockRoom;
    const JsonAt inner = entry.field(QStringLiteral("entries"));
    if (!inner.isAbsent()) {
        for (const QString &key : inner.object().keys())
            readEntry(inner.keyed(key), room, entries);
        return;
    }
    if (type != QLatin1String("Contribution") && type != QLatin1String("Break"))
        return;

    ScheduleEntry out;
    out.room = room;
    out.isBreak = type == QLatin1String("Break");
    entries << tolerated(out, [&](ScheduleEntry &e) { readSlot(entry, QStringLiteral("presenters"), e); });
}

void readDays(const JsonAt &days, QList<ScheduleEntry> &entries)
{
    static const QRegularExpression dayKey(QStringLiteral("^\\d{8}$"));
    for (const QString &key : days.object().keys()) {
        if (!dayKey.match(key).hasMatch())
            continue;
        const JsonAt day = days.keyed(key);
        for (const QString &id : day.object().keys())
            readEntry(day.keyed(id), QString(), entries);
    }
}

// The event export (/export/event/ID.json?detail=contributions): results[]
// each with its contributions[]. One not yet placed in the timetable has no
// start and is no part of any day.
void readContributions(const JsonAt &event, QList<ScheduleEntry> &entries)
{
    const JsonAt contributions = event.field(QStringLiteral("contributions"));
    for (qsizetype i = 0; i < contributions.array().size(); ++i) {
        const JsonAt contribution = contributions.at(i);
        contribution.object();
        if (contribution.field(QStringLiteral("startDate")).isAbsent())
            continue;
        ScheduleEntry out;
        out.room = contribution.field(QStringLiteral("room")).optionalText();
        if (out.room.isEmpty())
            out.room = contribution.field(QStringLiteral("roomFullname")).optionalText();
        entries << tolerated(out, [&](ScheduleEntry &e) { readSlot(contribution, QStringLiteral("speakers"), e); });
    }
}

} // namespace

QList<ScheduleEntry> readIndicoJson(const QByteArray &bytes)
{
    // The timetable export wraps the days in results.<event id>; a
    // timetable taken from an event's page holds the days alone; the event
    // export lists results[].contributions[].
    const JsonAt top = JsonAt::parse(bytes);
    QList<ScheduleEntry> entries;
    const JsonAt results = top.field(QStringLiteral("results"));
    if (results.isAbsent()) {
        readDays(top, entries);
        return entries;
    }
    if (results.value().isArray()) {
        for (qsizetype i = 0; i < results.array().size(); ++i)
            readContributions(results.at(i), entries);
        return entries;
    }
    for (const QString &event : results.object().keys())
        readDays(results.keyed(event), entries);
    return entries;
}

} // namespace schedule_import
