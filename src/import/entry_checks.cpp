#include "import/entry_checks.h"

#include <QDateTime>
#include <QRegularExpression>

#include <algorithm>

namespace schedule_import {

std::optional<WrittenTime> parseWrittenTime(const QString &text)
{
    static const QRegularExpression written(QStringLiteral(
        R"(^\s*(\d{4}-\d{2}-\d{2})[T ](\d{2}:\d{2}(?::\d{2}(?:[.,]\d+)?)?)\s*(Z|[+-]\d{2}:?\d{2})?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = written.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    WrittenTime out;
    out.date = QDate::fromString(m.captured(1), Qt::ISODate);
    out.time = QTime::fromString(m.captured(2).replace(QLatin1Char(','), QLatin1Char('.')), Qt::ISODateWithMs);
    if (!out.date.isValid() || !out.time.isValid())
        return std::nullopt;
    const QString zone = m.captured(3);
    if (zone.compare(QLatin1String("Z"), Qt::CaseInsensitive) == 0) {
        out.offsetSeconds = 0;
    } else if (!zone.isEmpty()) {
        const QString digits = QString(zone).remove(QLatin1Char(':'));
        const int hours = digits.mid(1, 2).toInt();
        const int minutes = digits.mid(3, 2).toInt();
        if (hours > 23 || minutes > 59)
            return std::nullopt;
        out.offsetSeconds = (zone.startsWith(QLatin1Char('-')) ? -1 : 1) * (hours * 3600 + minutes * 60);
    }
    return out;
}

WrittenTime inConferenceZone(const WrittenTime &written, const QTimeZone &zone)
{
    if (written.offsetSeconds != 0 || !zone.isValid())
        return written;
    const QDateTime local = QDateTime(written.date, written.time, Qt::UTC).toTimeZone(zone);
    return WrittenTime{local.date(), local.time(), local.offsetFromUtc()};
}

qint64 secondsBetween(const WrittenTime &from, const WrittenTime &to)
{
    // Labelled as UTC, a written time converts to nothing: the difference is
    // the clock face's, less the offsets where the file gives them.
    const auto instant = [](const WrittenTime &t) {
        return QDateTime(t.date, t.time, Qt::UTC).toSecsSinceEpoch() - t.offsetSeconds.value_or(0);
    };
    return instant(to) - instant(from);
}

namespace {

std::optional<int> parseIsoLength(const QString &text)
{
    // Few digits each, so that no sum overflows; longer is refused as a
    // length of more than a day anyway.
    static const QRegularExpression iso(QStringLiteral(
        R"(^\s*(-?)P(?:(\d{1,4})Y)?(?:(\d{1,4})M)?(?:(\d{1,4})W)?(?:(\d{1,4})D)?)"
        R"((?:T(?:(\d{1,6})H)?(?:(\d{1,6})M)?(?:(\d{1,6})(?:[.,]\d+)?S)?)?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = iso.match(text);
    if (!m.hasMatch() || m.captured(2).toInt() != 0 || m.captured(3).toInt() != 0)
        return std::nullopt;
    bool any = false;
    for (int part = 2; part <= 8; ++part)
        any = any || !m.captured(part).isEmpty();
    if (!any)
        return std::nullopt;
    const qint64 seconds = ((m.captured(4).toLongLong() * 7 + m.captured(5).toLongLong()) * 24
                            + m.captured(6).toLongLong()) * 3600
                           + m.captured(7).toLongLong() * 60 + m.captured(8).toLongLong();
    const int bounded = int(std::min<qint64>(seconds, 1000LL * 24 * 3600));
    return m.captured(1).isEmpty() ? bounded : -bounded;
}

} // namespace

std::optional<int> parseLength(const QString &text)
{
    static const QRegularExpression length(QStringLiteral(R"(^\s*(-?)(\d{1,4}):(\d{2})(?::(\d{2}))?\s*$)"));
    const QRegularExpressionMatch m = length.match(text);
    if (!m.hasMatch())
        return parseIsoLength(text);
    if (m.captured(3).toInt() > 59 || m.captured(4).toInt() > 59)
        return std::nullopt;
    const int seconds = m.captured(2).toInt() * 3600 + m.captured(3).toInt() * 60 + m.captured(4).toInt();
    return m.captured(1).isEmpty() ? seconds : -seconds;
}

int checkedMinutes(qint64 seconds, const QString &place)
{
    if (seconds < 0)
        throw ReadFailure{place, ScheduleImport::tr("the length is negative: the end comes before the start")};
    if (seconds > 24 * 3600)
        throw ReadFailure{place, ScheduleImport::tr("the length is longer than 24 hours")};
    return int((seconds + 30) / 60);
}

bool isBreakType(const QString &type)
{
    static const QRegularExpression breakWords(
        QStringLiteral(R"(\b(break|pause|lunch|coffee|tea|meal|dinner|breakfast)\b|休憩|昼食|食事|ランチ)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return breakWords.match(type).hasMatch();
}

} // namespace schedule_import
