// iCalendar (RFC 5545) as pretalx, calendar programs and conference apps
// export it, parsed by libical: each VEVENT with DTSTART and DTEND or
// DURATION, SUMMARY, LOCATION and the speakers as ATTENDEEs.

#include "import/entry_checks.h"

#include <libical/ical.h>

#include <QDateTime>

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

// A time as the laptop's clock shows it: one in UTC or in a named zone is
// moved into the laptop's zone, which the timekeeper sets to the
// conference's; a floating time stays as written.
QDateTime onLaptopClock(const icaltimetype &t, icalproperty *property)
{
    const auto written = [](const icaltimetype &w) {
        return std::pair(QDate(w.year, w.month, w.day), QTime(w.hour, w.minute, w.second));
    };
    if (icaltime_is_utc(t) || t.zone) {
        const auto [date, time] = written(icaltime_convert_to_zone(t, icaltimezone_get_utc_timezone()));
        return QDateTime(date, time, Qt::UTC).toLocalTime();
    }
    const auto [date, time] = written(t);
    // A zone libical does not know, with no VTIMEZONE in the file for it:
    // the system's own zones may.
    if (icalparameter *tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER)) {
        const QTimeZone zone(QByteArray(icalparameter_get_tzid(tzid)).trimmed());
        if (zone.isValid())
            return QDateTime(date, time, zone).toLocalTime();
    }
    return QDateTime(date, time);
}

// Conference apps export the speakers as attendees with their names.
QStringList attendeeNames(icalcomponent *event)
{
    QStringList names;
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_ATTENDEE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_ATTENDEE_PROPERTY)) {
        if (icalparameter *name = icalproperty_get_first_parameter(p, ICAL_CN_PARAMETER)) {
            const QString text = QString::fromUtf8(icalparameter_get_cn(name)).trimmed();
            if (!text.isEmpty())
                names << text;
        }
    }
    return names;
}

void readEvent(icalcomponent *event, bool fromPretalx, const QString &place, ScheduleEntry &entry)
{
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
    if (entry.speakers.isEmpty())
        entry.speakers = attendeeNames(event);

    icalproperty *dtstart = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    if (!dtstart)
        throw ReadFailure{place, ScheduleImport::tr("the event has no start (DTSTART)") + parserComplaint(event)};
    const icaltimetype start = icalcomponent_get_dtstart(event);
    const QDateTime local = icaltime_is_null_time(start) ? QDateTime() : onLaptopClock(start, dtstart);
    entry.day = local.date();
    entry.start = local.time();
    if (!entry.day.isValid() || !entry.start.isValid())
        throw ReadFailure{place, ScheduleImport::tr("the event's start (DTSTART) is not a date and time")
                                     + parserComplaint(event)};
    if (entry.title.isEmpty())
        throw ReadFailure{place, ScheduleImport::tr("the event has no title (SUMMARY)")};

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
        // The calendar reads it as an event of no length, which no clock times.
        throw ReadFailure{place, ScheduleImport::tr("the event has neither an end (DTEND) nor a length (DURATION)")};
    }
    entry.minutes = checkedMinutes(seconds, place);
}

// Cancelled events and all-day ones (a conference day, a social evening)
// are no talks.
bool isTalk(icalcomponent *event)
{
    return icalcomponent_get_status(event) != ICAL_STATUS_CANCELLED
           && !(icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY)
                && icalcomponent_get_dtstart(event).is_date);
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
        icalproperty *prodid = icalcomponent_get_first_property(calendar, ICAL_PRODID_PROPERTY);
        const bool fromPretalx = prodid
                                 && QString::fromUtf8(icalproperty_get_prodid(prodid))
                                        .contains(QLatin1String("pretalx"), Qt::CaseInsensitive);
        for (icalcomponent *event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
             event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT), ++index) {
            const QString place = index < lines.size() ? ScheduleImport::tr("the event on line %1").arg(lines[index])
                                                       : ScheduleImport::tr("event %1").arg(index + 1);
            if (isTalk(event))
                entries << tolerated(ScheduleEntry(), [&](ScheduleEntry &e) { readEvent(event, fromPretalx, place, e); });
        }
    }
    return entries;
}

} // namespace schedule_import
