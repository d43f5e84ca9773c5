#include "report/log_file.h"

#include <QFile>
#include <QSet>

#include <algorithm>

namespace report {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBreak(char c) { return c == '\n' || c == '\r'; }

// The number of one to `most` digits at `at`; the position after it.
std::optional<int> digits(const char *&at, const char *end, int most)
{
    int value = 0;
    const char *start = at;
    while (at < end && isDigit(*at) && at - start < most)
        value = value * 10 + (*at++ - '0');
    if (at == start || (at < end && isDigit(*at)))
        return std::nullopt;
    return value;
}

// Calls `found` with each date in [begin, end) written as 2026-12-07,
// 2026/12/7 and the like.
template<typename Found>
void forEachDate(const char *begin, const char *end, Found found)
{
    for (const char *at = begin; at + 8 <= end; ++at) {
        if (!isDigit(*at) || (at > begin && isDigit(at[-1])))
            continue;
        const char *p = at;
        const auto year = digits(p, end, 4);
        if (!year || p - at != 4 || p == end || (*p != '-' && *p != '/'))
            continue;
        const char separator = *p++;
        const auto month = digits(p, end, 2);
        if (!month || p == end || *p != separator)
            continue;
        ++p;
        const auto day = digits(p, end, 2);
        if (!day)
            continue;
        const QDate date(*year, *month, *day);
        if (date.isValid())
            found(date);
        at = p - 1;
    }
}

// Calls `piece` with each run of the log between line breaks that are not
// inside quotes, and the line breaks after it.
template<typename Piece>
void forEachLine(const QByteArray &log, Piece piece)
{
    const char *const end = log.constData() + log.size();
    const char *begin = log.constData();
    bool quoted = false;
    for (const char *at = begin; at < end; ++at) {
        if (*at == '"')
            quoted = !quoted;
        else if (!quoted && isBreak(*at)) {
            const char *next = at;
            while (next < end && isBreak(*next))
                ++next;
            piece(begin, at, next);
            begin = next;
            at = next - 1;
        }
    }
    if (begin < end)
        piece(begin, end, end);
}

bool blank(const char *begin, const char *end)
{
    return std::all_of(begin, end, [](char c) { return c == ' ' || c == ',' || c == '\t' || (c & 0x80); });
}

} // namespace

LogFile readLogFile(const QString &path)
{
    LogFile log;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        log.error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return log;
    }
    log.bytes = file.read(MaxLogBytes);
    if (file.error() != QFileDevice::NoError) {
        log.error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return log;
    }
    log.cut = !file.atEnd();
    // Half a line is not a talk.
    if (log.cut)
        log.bytes.truncate(std::max<qsizetype>(log.bytes.lastIndexOf('\n'), log.bytes.lastIndexOf('\r')) + 1);
    return log;
}

QList<QByteArray> linesOfDates(const QByteArray &log, const QList<QDate> &dates)
{
    constexpr qsizetype PieceBytes = 1024 * 1024;
    QList<QByteArray> pieces{QByteArray()};
    QByteArray header; // with the lines before it
    int headerLines = 0;
    bool headerSeen = false;
    int lines = 0; // before the line at hand
    qsizetype taken = 0; // of the log, in the last piece
    forEachLine(log, [&](const char *begin, const char *end, const char *next) {
        bool wanted = false;
        bool dated = false;
        forEachDate(begin, end, [&](const QDate &date) {
            dated = true;
            wanted = wanted || dates.contains(date);
        });
        int breaks = 0;
        for (const char *at = end; at < next; ++at)
            breaks += *at == '\n' || (*at == '\r' && (at + 1 == next || at[1] != '\n'));
        if (!headerSeen) {
            pieces.last().append(begin, next - begin);
            if (!blank(begin, end)) {
                headerSeen = true;
                if (!dated) {
                    header = pieces.last();
                    headerLines = lines + breaks;
                }
            }
        } else if (wanted) {
            if (taken > PieceBytes) {
                pieces << header + QByteArray(lines - headerLines, '\n');
                taken = 0;
            }
            pieces.last().append(begin, next - begin);
            taken += next - begin;
        } else {
            for (const char *at = begin; at < next; ++at) {
                if (isBreak(*at))
                    pieces.last().append(*at);
            }
        }
        lines += breaks;
    });
    return pieces;
}

QList<QDate> datesWritten(const QByteArray &log)
{
    QSet<QDate> seen;
    forEachDate(log.constData(), log.constData() + log.size(), [&](const QDate &date) { seen.insert(date); });
    QList<QDate> dates(seen.begin(), seen.end());
    std::sort(dates.begin(), dates.end(), std::greater<>());
    return dates;
}

} // namespace report
