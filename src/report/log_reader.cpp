#include "report/log_reader.h"

#include "programme/csv_records.h"
#include "programme/talk_log.h"
#include "settings/number_text.h"

#include "report/report_words.h"

#include <QCoreApplication>

#include <array>
#include <variant>

namespace report {

namespace {

// The log's columns in the order the program writes them.
enum Column {
    Date, Start, End, Title, Speaker, Presentation, Discussion, Elapsed, Overtime, Pauses, Paused, PlannedStart,
    ColumnCount
};

const QStringList ColumnNames = programme::talkLogColumns();

// Without these a talk cannot be drawn; the others may be empty or missing.
bool required(Column column)
{
    return column == Date || column == Start || column == Presentation || column == Discussion
           || column == Elapsed || column == Overtime;
}

// Where each column is in a line; -1 when the file has none.
using ColumnMap = std::array<int, ColumnCount>;

ColumnMap programOrder()
{
    ColumnMap map{};
    for (int c = 0; c < ColumnCount; ++c)
        map[c] = c;
    return map;
}

// A first line that names the date and the start is a header, whatever
// else it names; a talk's line never holds these words there.
std::optional<ColumnMap> headerMap(const QStringList &fields)
{
    ColumnMap map;
    map.fill(-1);
    for (int i = 0; i < fields.size(); ++i) {
        const QString name = fields[i].trimmed().toLower();
        for (int c = 0; c < ColumnCount; ++c) {
            if (map[c] < 0 && name == ColumnNames[c])
                map[c] = i;
        }
    }
    return map[Date] >= 0 && map[Start] >= 0 ? std::optional(map) : std::nullopt;
}

// A spreadsheet may have turned "2026-12-07" into "2026/12/07" and
// "09:05:00" into "9:05".
std::optional<QDate> readDate(const QString &text)
{
    for (const QString &format : {QStringLiteral("yyyy-MM-dd"), QStringLiteral("yyyy/M/d"), QStringLiteral("yyyy-M-d")}) {
        const QDate date = QDate::fromString(text, format);
        if (date.isValid())
            return date;
    }
    return std::nullopt;
}

std::optional<QTime> readTime(const QString &text)
{
    for (const QString &format : {QStringLiteral("H:mm:ss"), QStringLiteral("H:mm")}) {
        const QTime time = QTime::fromString(text, format);
        if (time.isValid())
            return time;
    }
    return std::nullopt;
}

// Seconds of a talk; a day's worth at most, so that sums stay far from any
// limit.
std::optional<int> readSeconds(const QString &text)
{
    bool ok = false;
    const int seconds = text.toInt(&ok);
    if (!ok || seconds < 0 || seconds > 24 * 3600)
        return std::nullopt;
    return seconds;
}

std::variant<LogRow, QString> readRow(const programme::Record &record, const ColumnMap &map)
{
    if (!record.paired)
        return Words::tr("a quoted field is not closed");
    LogRow row;
    for (int c = 0; c < ColumnCount; ++c) {
        const Column column = Column(c);
        const int index = map[c];
        const QString text = index >= 0 && index < record.fields.size()
                                 ? typedNumberText(record.fields[index]).trimmed()
                                 : QString();
        if (text.isEmpty()) {
            if (required(column))
                return Words::tr("no %1").arg(ColumnNames[c]);
            continue;
        }
        // A cell pasted full of text is named by its beginning.
        const auto wrong = [&] {
            const QString shown = text.size() > 40 ? text.left(40) + QStringLiteral("…") : text;
            return Words::tr("\"%1\" is not a valid %2").arg(shown, ColumnNames[c]);
        };
        switch (column) {
        case Date:
            if (const auto date = readDate(text))
                row.date = *date;
            else
                return wrong();
            break;
        case Start:
        case End:
        case PlannedStart: {
            const auto time = readTime(text);
            if (!time)
                return wrong();
            if (column == Start)
                row.start = *time;
            else if (column == End)
                row.end = time;
            else
                row.plannedStart = time;
            break;
        }
        case Title:
            row.title = programme::fieldText(record.fields[index]).simplified();
            break;
        case Speaker:
            row.speaker = programme::fieldText(record.fields[index]).simplified();
            break;
        default: {
            const auto seconds = readSeconds(text);
            if (!seconds)
                return wrong();
            int *target[] = {&row.presentation, &row.discussion, &row.elapsed, &row.overtime, &row.pauses,
                             &row.pausedSeconds};
            *target[c - Presentation] = *seconds;
        }
        }
    }
    return row;
}

} // namespace

LogRead readTalkLog(const QByteArray &bytes)
{
    LogRead read;
    // Line by line: a spreadsheet may have saved the log in code page 932
    // before the program appended to it in UTF-8.
    const std::optional<QString> text = programme::decodeTextByLine(bytes);
    if (!text) {
        read.problems << Words::tr("the file is neither UTF-8 nor Shift_JIS (code page 932) text");
        return read;
    }
    std::optional<ColumnMap> map;
    for (const programme::Record &record : programme::splitRecords(*text)) {
        if (record.paired
            && std::all_of(record.fields.begin(), record.fields.end(),
                           [](const QString &f) { return f.trimmed().isEmpty(); }))
            continue;
        if (!map) {
            map = headerMap(record.fields);
            if (map) {
                for (int c = 0; c < ColumnCount; ++c) {
                    if (required(Column(c)) && (*map)[c] < 0) {
                        read.problems << Words::tr("line %1: the header has no column %2")
                                             .arg(record.line)
                                             .arg(ColumnNames[c]);
                        return read;
                    }
                }
                continue;
            }
            map = programOrder();
        }
        const auto row = readRow(record, *map);
        if (const QString *why = std::get_if<QString>(&row))
            read.problems << Words::tr("line %1: %2").arg(record.line).arg(*why);
        else
            read.rows << std::get<LogRow>(row);
    }
    return read;
}

} // namespace report
