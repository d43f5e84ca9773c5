#include "programme/programme_file.h"

#include "programme/csv_records.h"

#include "settings/cp932.h"
#include "settings/number_text.h"
#include "settings/timer_settings.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <limits>
#include <variant>

namespace programme {

std::optional<QString> decodeSpreadsheetText(const QByteArray &bytes)
{
    const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom))
        return QString::fromUtf8(bytes.mid(bom.size()));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return decodeCp932(bytes);
}

QList<Record> splitRecords(const QString &text)
{
    QList<Record> records;
    Record record{1, {}, true};
    QString field;
    bool quoted = false;
    int line = 1;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        const bool lineBreak = c == QLatin1Char('\n') || c == QLatin1Char('\r');
        if (lineBreak && c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += lineBreak ? QChar(QLatin1Char('\n')) : c;
                line += lineBreak ? 1 : 0;
            }
        } else if (c == QLatin1Char('"') && field.trimmed().isEmpty()) {
            field.clear();
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            record.fields << field;
            field.clear();
        } else if (lineBreak) {
            record.fields << field;
            records << record;
            record = Record{++line, {}, true};
            field.clear();
        } else {
            field += c;
        }
    }
    record.closed = !quoted;
    record.fields << field;
    records << record;
    return records;
}

namespace {

bool blank(const QStringList &fields)
{
    return std::all_of(fields.begin(), fields.end(), [](const QString &f) { return f.trimmed().isEmpty(); });
}

bool startsWithDigit(const QString &field)
{
    const QString text = typedNumberText(field).trimmed();
    return !text.isEmpty() && text[0].isDigit();
}

// The talk of a line, or why it cannot be used.
std::variant<Talk, QString> readTalk(const Record &record)
{
    const QStringList &f = record.fields;
    if (!record.closed)
        return QCoreApplication::translate("Programme", "a quoted field is not closed");
    if (f.size() < 4)
        return QCoreApplication::translate("Programme", "title, speaker, presentation and discussion are needed");
    Talk talk{f[0].simplified(), f[1].simplified(), 0, 0, std::nullopt};
    const auto time = [](const QString &field) -> std::variant<int16_t, QString> {
        if (const auto seconds = readTalkTime(field))
            return *seconds;
        return QCoreApplication::translate("Programme", "\"%1\" is not a time in minutes (12, 12.5) or minutes and seconds (12:30)").arg(field.trimmed());
    };
    for (auto [index, target] : {std::pair{2, &talk.presentation}, std::pair{3, &talk.discussion}}) {
        const auto read = time(f[index]);
        if (const QString *why = std::get_if<QString>(&read))
            return *why;
        *target = std::get<int16_t>(read);
    }
    if (f.size() > 4 && !f[4].trimmed().isEmpty()) {
        const auto read = time(f[4]);
        if (const QString *why = std::get_if<QString>(&read))
            return *why;
        talk.firstBell = std::get<int16_t>(read);
    }
    if (talk.presentation == 0)
        return QCoreApplication::translate("Programme", "the presentation time is 0");
    if (int(talk.presentation) + talk.discussion >= TotalTimeLimit)
        return QCoreApplication::translate("Programme", "presentation and discussion come to 546 minutes or more, longer than the clock can time");
    return talk;
}

} // namespace

std::optional<int16_t> readTalkTime(const QString &field)
{
    const QString text = typedNumberText(field).trimmed();
    long seconds = 0;
    static const QRegularExpression minutesSeconds(QStringLiteral("^([0-9]+):([0-5][0-9])$"));
    if (const QRegularExpressionMatch m = minutesSeconds.match(text); m.hasMatch()) {
        bool ok = false;
        const long minutes = m.captured(1).toLong(&ok);
        if (!ok || minutes > std::numeric_limits<int16_t>::max() / 60)
            return std::nullopt;
        seconds = minutes * 60 + m.captured(2).toLong();
    } else {
        const std::optional<double> minutes = readDecimalField(text);
        if (!minutes || *minutes < 0)
            return std::nullopt;
        seconds = roundHalfEven(*minutes * 60);
    }
    if (seconds > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return int16_t(seconds);
}

QString talkTimeText(int seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

ProgrammeRead readProgramme(const QByteArray &bytes)
{
    ProgrammeRead read;
    const std::optional<QString> text = decodeSpreadsheetText(bytes);
    if (!text) {
        read.problems << QCoreApplication::translate("Programme", "the file is neither UTF-8 nor Shift_JIS (code page 932) text");
        return read;
    }
    bool first = true;
    for (const Record &record : splitRecords(*text)) {
        if (blank(record.fields) && record.closed)
            continue;
        const bool header = first && record.fields.size() >= 4 && !startsWithDigit(record.fields[2])
                            && !startsWithDigit(record.fields[3]);
        first = false;
        if (header)
            continue;
        const auto talk = readTalk(record);
        if (const QString *why = std::get_if<QString>(&talk))
            read.problems << QCoreApplication::translate("Programme", "line %1: %2").arg(record.line).arg(*why);
        else
            read.talks << std::get<Talk>(talk);
    }
    return read;
}

} // namespace programme
