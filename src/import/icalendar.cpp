// iCalendar (RFC 5545) as pretalx and calendar programs export it, parsed by
// libical: each VEVENT with DTSTART and DTEND or DURATION, SUMMARY and
// LOCATION.

#include "import/entry_checks.h"

#include <libical/ical.h>

#include <memory>

namespace schedule_import {
namespace {

struct ComponentFree {
    void operator()(icalcomponent *component) const { icalcomponent_free(component); }
};

// libical keeps no line numbers; the place of an event is the line of its
// BEGIN:VEVENT, counted in the file as written.
QList<int> eventLines(const QByteArray &bytes)
{
    QList<int> lines;
    int line = 0;
    for (const QByteArray &text : bytes.split('\n')) {
        ++line;
        if (text.trimmed().toUpper() == "BEGIN:VEVENT")
            lines << line;
    }
    return lines;
}

QString xProperty(icalcomponent *calendar, const char *name)
{
    for (icalproperty *p = icalcomponent_get_first_property(calendar, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(calendar, ICAL_X_PROPERTY)) {
        if (qstricmp(icalproperty_get_x_name(p), name) == 0)
            return QString::fromUtf8(icalproperty_get_x(p)).trimmed();
    }
    return QString();
}

// The zone a UTC time is shown in: the one the calendar names for itself
// (X-WR-TIMEZONE), else its first VTIMEZONE. None: UTC times stay UTC.
icaltimezone *calendarZone(icalcomponent *calendar)
{
    const QString named = xProperty(calendar, "X-WR-TIMEZONE");
    if (!named.isEmpty()) {
        if (icaltimezone *zone = icaltimezone_get_builtin_timezone(named.toUtf8().constData()))
            return zone;
    }
    icalcomponent *vtimezone = icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT);
    if (!vtimezone)
        return nullptr;
    icalproperty *tzid = icalcomponent_get_first_property(vtimezone, ICAL_TZID_PROPERTY);
    return tzid ? icalcomponent_get_timezone(calendar, icalproperty_get_tzid(tzid)) : nullptr;
}

// What libical said about a property it could not read, to add to ours.
QString parserComplaint(icalcomponent *event)
{
    icalproperty *error = icalcomponent_get_first_property(event, ICAL_XLICERROR_PROPERTY);
    return error ? QStringLiteral(" (%1)").arg(QString::fromUtf8(icalproperty_get_xlicerror(error))) : QString();
}

qint64 instant(const icaltimetype &t)
{
    // A floating time is counted as UTC, the same for its start and end.
    return qint64(icaltime_as_timet_with_zone(t, t.zone));
}

std::optional<ScheduleEntry> eventEntry(icalcomponent *event, icaltimezone *zone, bool fromPretalx,
                                        const QString &place)
{
    if (icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED)
        return std::nullopt;
    if (!icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY))
        throw ReadFailure{place, ScheduleImport::tr("the event has no start (DTSTART)") + parserComplaint(event)};
    const icaltimetype start = icalcomponent_get_dtstart(event);
    // An all-day event (a conference day, a social evening) is no talk.
    if (start.is_date)
        return std::nullopt;
    const icaltimetype local = icaltime_is_utc(start) && zone ? icaltime_convert_to_zone(start, zone) : start;

    ScheduleEntry entry;
    entry.day = QDate(local.year, local.month, local.day);
    entry.start = QTime(local.hour, local.minute, local.second);
    if (icaltime_is_null_time(start) || !entry.day.isValid() || !entry.start.isValid())
        throw ReadFailure{place, ScheduleImport::tr("the event's start (DTSTART) is not a date and time")
                                     + parserComplaint(event)};

    qint64 seconds = 0;
    if (icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY)) {
        const icaltimetype end = icalcomponent_get_dtend(event);
        if (icaltime_is_null_time(end))
            throw ReadFailure{place, ScheduleImport::tr("the event's end (DTEND) is not a date and time")
                                         + parserComplaint(event)};
        seconds = instant(end) - instant(start);
    } else if (icalproperty *duration = icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY)) {
        seconds = icaldurationtype_as_int(icalproperty_get_duration(duration));
    } else {
        throw ReadFailure{place, ScheduleImport::tr("the event has neither an end (DTEND) nor a length (DURATION)")};
    }
    entry.minutes = checkedMinutes(seconds, place);

    entry.title = QString::fromUtf8(icalcomponent_get_summary(event)).trimmed();
    entry.room = QString::fromUtf8(icalcomponent_get_location(event)).trimmed();
    // pretalx writes "title - speaker, speaker"; other programs' summaries
    // are titles, dashes and all.
    const qsizetype dash = entry.title.lastIndexOf(QLatin1String(" -"));
    if (fromPretalx && dash > 0 && (dash + 2 == entry.title.size() || entry.title.at(dash + 2) == QLatin1Char(' '))) {
        for (const QString &name : entry.title.mid(dash + 2).split(QLatin1Char(','))) {
            if (!name.trimmed().isEmpty())
                entry.speakers << name.trimmed();
        }
        entry.title.truncate(dash);
    }
    if (entry.title.isEmpty())
        throw ReadFailure{place, ScheduleImport::tr("the event has no title (SUMMARY)")};
    return entry;
}

} // namespace

QList<ScheduleEntry> readICalendar(const QByteArray &bytes)
{
    // libical's default for a bad value may be to stop the program; here a
    // bad value is the file's fault and is reported as such.
    icalerror_set_errors_are_fatal(0);
    const std::unique_ptr<icalcomponent, ComponentFree> root(icalparser_parse_string(bytes.constData()));
    if (!root)
        throw ReadFailure{QString(),
                          ScheduleImport::tr("the calendar is broken or cut short (BEGIN:VCALENDAR … END:VCALENDAR)")};

    // Several calendars in one file come wrapped in one root.
    QList<icalcomponent *> calendars;
    if (icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT)
        calendars << root.get();
    for (icalcomponent *c = icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT); c;
         c = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT))
        calendars << c;
    if (calendars.isEmpty())
        throw ReadFailure{QString(), ScheduleImport::tr("the file holds no calendar (BEGIN:VCALENDAR)")};

    const QList<int> lines = eventLines(bytes);
    QList<ScheduleEntry> entries;
    int index = 0;
    for (icalcomponent *calendar : calendars) {
        icaltimezone *zone = calendarZone(calendar);
        icalproperty *prodid = icalcomponent_get_first_property(calendar, ICAL_PRODID_PROPERTY);
        const bool fromPretalx = prodid
                                 && QString::fromUtf8(icalproperty_get_prodid(prodid))
                                        .contains(QLatin1String("pretalx"), Qt::CaseInsensitive);
        for (icalcomponent *event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
             event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT), ++index) {
            const QString place = index < lines.size() ? ScheduleImport::tr("the event on line %1").arg(lines[index])
                                                       : ScheduleImport::tr("event %1").arg(index + 1);
            if (const std::optional<ScheduleEntry> entry = eventEntry(event, zone, fromPretalx, place))
                entries << *entry;
        }
    }
    return entries;
}

} // namespace schedule_import
