// Sessionize's "All" view: sessions[] naming their speakers and room by id,
// with speakers[] and rooms[] beside them.

#include "import/entry_checks.h"
#include "import/json_at.h"

namespace schedule_import {
namespace {

// Ids are strings for speakers and numbers for rooms; both are compared as
// written.
QHash<QString, QString> namesById(const JsonAt &list, const char *nameField)
{
    QHash<QString, QString> names;
    if (list.isAbsent())
        return names;
    for (qsizetype i = 0; i < list.array().size(); ++i) {
        const JsonAt item = list.at(i);
        item.object();
        names.insert(item.field(QStringLiteral("id")).optionalText(),
                     item.field(QLatin1String(nameField)).optionalText());
    }
    return names;
}

WrittenTime timeAt(const JsonAt &field)
{
    const std::optional<WrittenTime> written = parseWrittenTime(field.text());
    if (!written)
        field.fail(ScheduleImport::tr("\"%1\" is not a date and time").arg(field.text()));
    return *written;
}

} // namespace

QList<ScheduleEntry> readSessionizeJson(const QByteArray &bytes)
{
    const JsonAt top = JsonAt::parse(bytes);
    const QHash<QString, QString> speakers = namesById(top.field(QStringLiteral("speakers")), "fullName");
    const QHash<QString, QString> rooms = namesById(top.field(QStringLiteral("rooms")), "name");
    const JsonAt sessions = top.field(QStringLiteral("sessions"));
    QList<ScheduleEntry> entries;
    for (qsizetype i = 0; i < sessions.array().size(); ++i) {
        const JsonAt session = sessions.at(i);
        session.object();
        const JsonAt startsAt = session.field(QStringLiteral("startsAt"));
        // A session accepted but not yet placed in the timetable has a null
        // start; it is not part of any day.
        if (startsAt.value().isNull())
            continue;
        ScheduleEntry entry;
        entry.room = rooms.value(session.field(QStringLiteral("roomId")).optionalText());
        entries << tolerated(entry, [&](ScheduleEntry &out) {
            out.title = session.field(QStringLiteral("title")).optionalText();
            out.isBreak = session.field(QStringLiteral("isServiceSession")).value().toBool();
            const WrittenTime start = timeAt(startsAt);
            out.day = start.date;
            out.start = start.time;
            session.field(QStringLiteral("title")).text();
            const JsonAt endsAt = session.field(QStringLiteral("endsAt"));
            out.minutes = checkedMinutes(secondsBetween(start, timeAt(endsAt)), endsAt.path());
            const JsonAt ids = session.field(QStringLiteral("speakers"));
            if (ids.isAbsent())
                return;
            for (qsizetype s = 0; s < ids.array().size(); ++s) {
                const QString id = ids.at(s).optionalText();
                const QString name = speakers.value(id);
                if (name.isEmpty())
                    ids.at(s).fail(ScheduleImport::tr("no speaker in the file has the id \"%1\"").arg(id));
                out.speakers << name;
            }
        });
    }
    return entries;
}

} // namespace schedule_import
