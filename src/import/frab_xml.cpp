// pretalx's and frab's schedule.xml: schedule/day/room/event, each event
// with its date, start, duration, room, title, type and persons.

#include "import/entry_checks.h"
#include "import/text_encoding.h"

#include <QXmlStreamReader>

namespace schedule_import {
namespace {

QString placeOf(const QXmlStreamReader &xml)
{
    return ScheduleImport::tr("line %1, column %2").arg(xml.lineNumber()).arg(xml.columnNumber());
}

[[noreturn]] void failAt(const QXmlStreamReader &xml, const QString &what)
{
    throw ReadFailure{placeOf(xml), what};
}

// A field's text and where it begins.
struct Field {
    QString text;
    QString place;
};

struct EventFields {
    QString eventPlace;
    QHash<QString, Field> byName;
    QStringList persons;

    const Field &required(const QString &name) const
    {
        const auto it = byName.constFind(name);
        if (it == byName.constEnd() || it->text.isEmpty())
            throw ReadFailure{eventPlace, ScheduleImport::tr("the event has no <%1>").arg(name)};
        return *it;
    }
};

QString personName(QXmlStreamReader &xml)
{
    return xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
}

EventFields readEventFields(QXmlStreamReader &xml)
{
    static const QStringList textFields{QStringLiteral("title"), QStringLiteral("date"), QStringLiteral("start"),
                                        QStringLiteral("duration"), QStringLiteral("room"), QStringLiteral("type")};
    EventFields fields;
    fields.eventPlace = placeOf(xml);
    while (xml.readNextStartElement()) {
        const QString name = xml.name().toString();
        const QString place = placeOf(xml);
        // Speakers come as <persons><person>, or as <person> right under the event.
        if (name == QLatin1String("persons")) {
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("person"))
                    fields.persons << personName(xml);
                else
                    xml.skipCurrentElement();
            }
        } else if (name == QLatin1String("person")) {
            fields.persons << personName(xml);
        } else if (textFields.contains(name)) {
            fields.byName.insert(name, {xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed(), place});
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError())
        failAt(xml, xml.errorString());
    fields.persons.removeAll(QString());
    return fields;
}

// The <day> an event is in: the conference's day, which may run past
// midnight, with the time of day it begins at when the file tells.
struct ConferenceDay {
    QDate date;
    std::optional<QTime> start;
};

void readEvent(const EventFields &fields, const ConferenceDay &day, const QTimeZone &zone, ScheduleEntry &entry)
{
    entry.title = fields.byName.value(QStringLiteral("title")).text;
    entry.speakers = fields.persons;
    if (const QString room = fields.byName.value(QStringLiteral("room")).text; !room.isEmpty())
        entry.room = room;
    entry.isBreak = isBreakType(fields.byName.value(QStringLiteral("type")).text);

    // The full date carries the calendar date too (a talk after midnight);
    // the bare start is a time of the day it is listed under.
    if (const Field date = fields.byName.value(QStringLiteral("date")); !date.text.isEmpty()) {
        const auto &[text, place] = date;
        const std::optional<WrittenTime> written = parseWrittenTime(text);
        if (!written)
            throw ReadFailure{place, ScheduleImport::tr("\"%1\" is not a date and time").arg(text)};
        const WrittenTime local = inConferenceZone(*written, zone);
        entry.startDate = local.date;
        entry.start = local.time;
        if (!entry.day.isValid())
            entry.day = local.date;
    } else {
        const auto &[text, place] = fields.required(QStringLiteral("start"));
        entry.start = QTime::fromString(text, Qt::ISODate);
        if (!entry.start.isValid())
            throw ReadFailure{place, ScheduleImport::tr("\"%1\" is not a time of day").arg(text)};
        if (!entry.day.isValid())
            throw ReadFailure{fields.eventPlace, ScheduleImport::tr("the event has no date")};
        if (day.start && entry.start < *day.start)
            entry.startDate = entry.day.addDays(1);
    }

    // Checked once the start is known, so that an untitled event still
    // shows where it falls.
    fields.required(QStringLiteral("title"));
    const auto &[text, place] = fields.required(QStringLiteral("duration"));
    const std::optional<int> seconds = parseLength(text);
    if (!seconds)
        throw ReadFailure{place, ScheduleImport::tr("\"%1\" is not a length (hours:minutes or PT40M)").arg(text)};
    entry.minutes = checkedMinutes(*seconds, place);
}

ConferenceDay conferenceDay(const QXmlStreamAttributes &attributes, const QTimeZone &zone)
{
    ConferenceDay day;
    day.date = QDate::fromString(attributes.value(QLatin1String("date")).toString(), Qt::ISODate);
    if (const auto start = parseWrittenTime(attributes.value(QLatin1String("start")).toString()))
        day.start = inConferenceZone(*start, zone).time;
    return day;
}

} // namespace

QList<ScheduleEntry> readFrabXml(const QByteArray &bytes)
{
    // UTF-16 as Windows saves it keeps whatever declaration it had, often
    // "utf-8": its byte-order mark tells, and a decoded text's declaration is
    // not followed.
    QXmlStreamReader xml;
    if (isUtf16(bytes))
        xml.addData(QString::fromUtf8(asUtf8(bytes)));
    else
        xml.addData(bytes);
    QList<ScheduleEntry> entries;
    QTimeZone zone;
    ConferenceDay day;
    QString room;
    bool inSchedule = false;
    while (!xml.atEnd()) {
        xml.readNext();
        // Entities the file declares itself are refused, so that no entity
        // can grow into gigabytes; nothing outside the file is ever fetched.
        if (xml.tokenType() == QXmlStreamReader::DTD && !xml.entityDeclarations().isEmpty())
            failAt(xml, ScheduleImport::tr("the file declares entities of its own, which are not read"));
        if (xml.tokenType() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        if (!inSchedule) {
            if (name != QLatin1String("schedule"))
                failAt(xml, ScheduleImport::tr("the file is XML but not a schedule (its first element is <%1>)")
                                .arg(name.toString()));
            inSchedule = true;
        } else if (name == QLatin1String("time_zone_name")) {
            zone = QTimeZone(xml.readElementText().trimmed().toUtf8());
        } else if (name == QLatin1String("day")) {
            day = conferenceDay(xml.attributes(), zone);
        } else if (name == QLatin1String("room")) {
            room = xml.attributes().value(QLatin1String("name")).toString();
        } else if (name == QLatin1String("event")) {
            const EventFields fields = readEventFields(xml);
            ScheduleEntry entry;
            entry.day = day.date;
            entry.room = room;
            entries << tolerated(entry, [&](ScheduleEntry &e) { readEvent(fields, day, zone, e); });
        }
    }
    if (xml.hasError())
        failAt(xml, xml.errorString());
    return entries;
}

} // namespace schedule_import
