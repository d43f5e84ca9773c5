#include "settings/config_file.h"

#include "settings/cp932.h"
#include "settings/number_text.h"

#include <QCoreApplication>
#include <QStringList>

#include <limits>

namespace {

const QByteArray crlf = QByteArrayLiteral("\r\n");

QByteArray numberLine(const TimerSettingsRecord &s, int count, int16_t (TimerSettingsRecord::*get)(int) const)
{
    QByteArray line;
    for (int i = 1; i <= count; ++i) {
        if (i > 1)
            line += ',';
        line += QByteArray::number((s.*get)(i));
    }
    return line + crlf;
}

// Splits a text into lines ended by LF (a CR before it is dropped); a last
// line without a line end counts too.
QStringList splitLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return lines;
}

} // namespace

QByteArray serializeSettings(const TimerSettingsRecord &s)
{
    QByteArray out = numberLine(s, TimerSettingsRecord::TimeCount, &TimerSettingsRecord::time);
    out += numberLine(s, TimerSettingsRecord::FlagCount, &TimerSettingsRecord::flag);
    for (const QString *field : s.textFields())
        out += encodeCp932(*field) + crlf;
    return out;
}

SettingsParse parseSettings(const QByteArray &bytes)
{
    const std::optional<QString> text = decodeCp932(bytes);
    if (!text)
        return {std::nullopt,
                QCoreApplication::translate("SettingsFile", "the file is not valid Shift_JIS (code page 932) text")};
    const QStringList lines = splitLines(*text);

    constexpr int numberCount = TimerSettingsRecord::TimeCount + TimerSettingsRecord::FlagCount;
    TimerSettingsRecord s;
    int taken = 0;
    int line = 0;
    for (; line < lines.size() && taken < numberCount; ++line) {
        const QStringList fields = lines[line].split(QLatin1Char(','));
        for (int f = 0; f < fields.size() && taken < numberCount; ++f) {
            // An empty field at the end of a line is a line break after a
            // comma, not a number left out.
            if (fields[f].trimmed().isEmpty() && f == fields.size() - 1)
                continue;
            const std::optional<double> value = readDecimalField(fields[f]);
            if (!value)
                return {std::nullopt, QCoreApplication::translate("SettingsFile", "line %1: \"%2\" is not a number")
                                          .arg(line + 1)
                                          .arg(fields[f])};
            const long rounded = roundHalfEven(*value);
            if (rounded < std::numeric_limits<int16_t>::min() || rounded > std::numeric_limits<int16_t>::max())
                return {std::nullopt,
                        QCoreApplication::translate("SettingsFile", "line %1: %2 is outside -32768..32767")
                            .arg(line + 1)
                            .arg(fields[f].trimmed())};
            ++taken;
            if (taken <= TimerSettingsRecord::TimeCount)
                s.time(taken) = int16_t(rounded);
            else
                s.flag(taken - TimerSettingsRecord::TimeCount) = int16_t(rounded);
        }
    }
    if (taken < numberCount)
        return {std::nullopt,
                QCoreApplication::translate("SettingsFile", "the file holds %1 of the 15 numbers").arg(taken)};

    const auto fields = s.textFields();
    if (lines.size() - line < int(fields.size()))
        return {std::nullopt,
                QCoreApplication::translate("SettingsFile", "the file has %1 lines, 14 are needed").arg(lines.size())};
    for (QString *field : fields)
        *field = lines[line++];

    const QString sums = sumsOutOfRange(s);
    if (!sums.isEmpty())
        return {std::nullopt, sums};
    return {s, {}};
}
