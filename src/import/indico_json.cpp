// Indico's timetable export: days keyed YYYYMMDD, each a map of entries,
// contributions and breaks, and session blocks whose "entries" hold more.

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
    out.title = entry.field(QStringLiteral("title")).text();
    out.room = room;
    out.isBreak = type == QLatin1String("Break");
    const JsonAt startDate = entry.field(QStringLiteral("startDate"));
    const JsonAt date = startDate.field(QStringLiteral("date"));
    const JsonAt time = startDate.field(QStringLiteral("time"));
    out.day = QDate::fromString(date.text(), Qt::ISODate);
    if (!out.day.isValid())
        date.fail(ScheduleImport::tr("\"%1\" is not a date").arg(date.text()));
    out.start = QTime::fromString(time.text(), Qt::ISODate);
    if (!out.start.isValid())
        time.fail(ScheduleImport::tr("\"%1\" is not a time of day").arg(time.text()));
    const JsonAt duration = entry.field(QStringLiteral("duration"));
    out.minutes = checkedMinutes(qint64(std::clamp(duration.number(), -1e7, 1e7) * 60), duration.path());
    const JsonAt presenters = entry.field(QStringLiteral("presenters"));
    if (!presenters.isAbsent()) {
        for (qsizetype i = 0; i < presenters.array().size(); ++i) {
            const QString name = personName(presenters.at(i));
            if (!name.isEmpty())
                out.speakers << name;
        }
    }
    entries << out;
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

} // namespace

QList<ScheduleEntry> readIndicoJson(const QByteArray &bytes)
{
    // The export wraps the days in results.<event id>; a timetable taken
    // from an event's page holds the days alone.
    const JsonAt top = JsonAt::parse(bytes);
    QList<ScheduleEntry> entries;
    const JsonAt results = top.field(QStringLiteral("results"));
    if (results.isAbsent()) {
        readDays(top, entries);
        return entries;
    }
    for (const QString &event : results.object().keys())
        readDays(results.keyed(event), entries);
    return entries;
}

} // namespace schedule_import
