#include "import/schedule.h"

#include "import/entry_checks.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>

namespace schedule_import {
namespace {

constexpr qsizetype MaxScheduleBytes = 5 * 1024 * 1024;

// Windows programs start UTF-8 with a byte-order mark, which neither
// QJsonDocument nor libical expects.
QByteArray withoutByteOrderMark(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
}

// The format from the first bytes and, for JSON, the shape of the top.
std::optional<ScheduleFormat> formatOf(const QByteArray &bytes)
{
    const QByteArray head = bytes.left(4096).trimmed();
    if (head.startsWith('<'))
        return ScheduleFormat::FrabXml;
    if (head.toUpper().startsWith("BEGIN:VCALENDAR"))
        return ScheduleFormat::ICalendar;
    if (!head.startsWith('{'))
        return std::nullopt;
    const QJsonObject top = QJsonDocument::fromJson(bytes).object();
    if (top.isEmpty())
        return ScheduleFormat::FrabJson; // its reader tells where the JSON breaks
    if (top.contains(QLatin1String("schedule")))
        return ScheduleFormat::FrabJson;
    if (top.contains(QLatin1String("sessions")))
        return ScheduleFormat::SessionizeJson;
    static const QRegularExpression dayKey(QStringLiteral("^\\d{8}$"));
    if (top.contains(QLatin1String("results")) || !top.keys().filter(dayKey).isEmpty())
        return ScheduleFormat::IndicoJson;
    return std::nullopt;
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
    const QByteArray text = withoutByteOrderMark(bytes);
    ScheduleRead read;
    try {
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
        return std::pair(a.day, a.start) < std::pair(b.day, b.start);
    });
    return read;
}

ScheduleRead readSchedule(const QByteArray &bytes, const QString &fileName)
{
    if (bytes.size() > MaxScheduleBytes)
        return tooLarge(fileName);
    const std::optional<ScheduleFormat> format = formatOf(withoutByteOrderMark(bytes));
    if (!format)
        return failed(named(fileName, ScheduleImport::tr("the file is none of the timetables that can be read "
                                                          "(pretalx or frab XML or JSON, Indico JSON, Sessionize "
                                                          "JSON, iCalendar)")));
    return readScheduleAs(*format, bytes, fileName);
}

} // namespace schedule_import
