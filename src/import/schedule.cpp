#include "import/schedule.h"

#include "import/entry_checks.h"
#include "import/text_encoding.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>

namespace schedule_import {
namespace {

constexpr qsizetype MaxScheduleBytes = 5 * 1024 * 1024;

// The format from the first bytes and, for JSON, the shape of the top: a
// JSON file of another shape is none of them, not a file of one with a
// field missing.
std::optional<ScheduleFormat> formatOf(const QByteArray &bytes)
{
    const QByteArray head = bytes.left(4096).trimmed();
    if (head.startsWith('<'))
        return ScheduleFormat::FrabXml;
    if (head.toUpper().startsWith("BEGIN:VCALENDAR"))
        return ScheduleFormat::ICalendar;
    if (!head.startsWith('{'))
        return std::nullopt;
    QJsonParseError error;
    const QJsonObject top = QJsonDocument::fromJson(bytes, &error).object();
    if (error.error != QJsonParseError::NoError)
        return ScheduleFormat::FrabJson; // its reader tells where the JSON breaks
    if (top.value(QLatin1String("schedule")).toObject().contains(QLatin1String("conference")))
        return ScheduleFormat::FrabJson;
    if (top.value(QLatin1String("sessions")).isArray())
        return ScheduleFormat::SessionizeJson;
    static const QRegularExpression dayKey(QStringLiteral("^\\d{8}$"));
    const QJsonValue results = top.value(QLatin1String("results"));
    const bool eventExport = results.isArray() && results.toArray().at(0).toObject().contains(QLatin1String("contributions"));
    if (results.isObject() || eventExport || !top.keys().filter(dayKey).isEmpty())
        return ScheduleFormat::IndicoJson;
    return std::nullopt;
}

// XML names its encoding itself, by a byte-order mark or its declaration,
// and is decoded by its reader; UTF-8 is the rest's, and XML's by default.
bool mustBeUtf8(ScheduleFormat format, const QByteArray &bytes)
{
    if (format != ScheduleFormat::FrabXml)
        return true;
    static const QRegularExpression declared(QStringLiteral(R"(^\s*<\?xml[^>]*\bencoding\s*=\s*["']\s*([^"'\s]*))"));
    const QRegularExpressionMatch m = declared.match(QString::fromLatin1(bytes.left(200)));
    return !isUtf16(bytes)
           && (!m.hasMatch() || m.captured(1).compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0);
}

QString named(const QString &fileName, const QString &what)
{
    return ScheduleImport::tr("%1: %2").arg(fileName, what);
}

ScheduleRead failed(const QString &message)
{
    ScheduleRead read;
    read.error = message;
    return read;
}

ScheduleRead tooLarge(const QString &fileName)
{
    return failed(named(fileName, ScheduleImport::tr("the file is larger than 5 MiB")));
}

} // namespace

ScheduleRead readScheduleAs(ScheduleFormat format, const QByteArray &bytes, const QString &fileName)
{
    if (bytes.size() > MaxScheduleBytes)
        return tooLarge(fileName);
    const QByteArray text = format == ScheduleFormat::FrabXml ? bytes : asUtf8(bytes);
    ScheduleRead read;
    try {
        if (mustBeUtf8(format, text)) {
            if (const std::optional<QString> place = notUtf8At(text))
                throw ReadFailure{*place, ScheduleImport::tr("this is not UTF-8, which the file must be written in; "
                                                             "save it as UTF-8 and import it again")};
        }
        switch (format) {
        case ScheduleFormat::FrabXml: read.entries = readFrabXml(text); break;
        case ScheduleFormat::FrabJson: read.entries = readFrabJson(text); break;
        case ScheduleFormat::IndicoJson: read.entries = readIndicoJson(text); break;
        case ScheduleFormat::SessionizeJson: read.entries = readSessionizeJson(text); break;
        case ScheduleFormat::ICalendar: read.entries = readICalendar(text); break;
        }
    } catch (const ReadFailure &failure) {
        return failed(failure.place.isEmpty()
                          ? named(fileName, failure.what)
                          : ScheduleImport::tr("%1, %2: %3").arg(fileName, failure.place, failure.what));
    }
    // Formats that keep entries in a map (Indico) give them in no useful
    // order; the day's timetable reads by start time.
    std::stable_sort(read.entries.begin(), read.entries.end(), [](const ScheduleEntry &a, const ScheduleEntry &b) {
        return std::pair(a.day, a.startOrder()) < std::pair(b.day, b.startOrder());
    });
    return read;
}

ScheduleRead readSchedule(const QByteArray &bytes, const QString &fileName)
{
    if (bytes.size() > MaxScheduleBytes)
        return tooLarge(fileName);
    const std::optional<ScheduleFormat> format = formatOf(asUtf8(bytes));
    if (!format)
        return failed(named(fileName, ScheduleImport::tr("the file is none of the timetables that can be read "
                                                          "(pretalx or frab XML or JSON, Indico's timetable or "
                                                          "event export JSON, Sessionize JSON, iCalendar)")));
    return readScheduleAs(*format, bytes, fileName);
}

} // namespace schedule_import
