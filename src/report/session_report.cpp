#include "report/session_report.h"

#include "programme/programme_file.h"
#include "programme/session_timetable.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace report {

namespace {

using programme::SecondsPerDay;

qint64 daySeconds(const QTime &time) { return time.msecsSinceStartOfDay() / 1000; }

// Seconds since the midnight that starts `day`.
qint64 startSeconds(const LogRow &talk, const QDate &day)
{
    return day.daysTo(talk.date) * SecondsPerDay + daySeconds(talk.start);
}

qint64 endSeconds(const LogRow &talk, const QDate &day)
{
    const qint64 start = startSeconds(talk, day);
    if (!talk.end)
        return start + talk.elapsed + talk.pausedSeconds;
    // The end carries no date: the first such time at or after the start.
    qint64 end = start - daySeconds(talk.start) + daySeconds(*talk.end);
    while (end < start)
        end += SecondsPerDay;
    return end;
}

// The rows in the order they started.
QList<qsizetype> startOrder(const QList<LogRow> &rows)
{
    QList<qsizetype> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return std::pair(rows[a].date, rows[a].start) < std::pair(rows[b].date, rows[b].start);
    });
    return order;
}

} // namespace

QList<QDate> sessionDays(const QList<LogRow> &rows)
{
    QList<QDate> days(rows.size());
    const LogRow *previous = nullptr;
    QDate previousDay;
    for (const qsizetype i : startOrder(rows)) {
        const LogRow &row = rows[i];
        // Only the day after the session's own goes on with it: a session
        // never swallows a whole second day.
        const bool goesOn = previous && row.date == previousDay.addDays(1)
                            && startSeconds(row, previousDay) - endSeconds(*previous, previousDay) <= SessionBreak;
        days[i] = goesOn ? previousDay : row.date;
        previous = &row;
        previousDay = days[i];
    }
    return days;
}

SessionReport sessionReport(const QList<LogRow> &rows, const QDate &date, const std::optional<QTime> &from,
                            const std::optional<QTime> &to)
{
    SessionReport report;
    report.date = date;
    const QList<QDate> days = sessionDays(rows);
    for (const qsizetype i : startOrder(rows)) {
        const qint64 start = startSeconds(rows[i], date);
        if (days[i] == date && (!from || start >= daySeconds(*from)) && (!to || start <= daySeconds(*to)))
            report.talks << rows[i];
    }
    if (report.talks.isEmpty())
        return report;

    QList<int> over;
    for (const LogRow &talk : std::as_const(report.talks)) {
        report.longestTalk = std::max({report.longestTalk, talk.presentation + talk.discussion, talk.elapsed});
        if (talk.elapsed == 0) {
            ++report.emptyTalks;
            continue;
        }
        report.totalPaused += talk.pausedSeconds;
        if (talk.overtime <= 0)
            continue;
        over << talk.overtime;
        report.totalOvertime += talk.overtime;
        if (talk.overtime > report.longestOvertime) {
            report.longestOvertime = talk.overtime;
            report.longestTitle = talk.title;
        }
    }
    report.talksOver = int(over.size());
    if (!over.isEmpty()) {
        std::sort(over.begin(), over.end());
        const qsizetype middle = over.size() / 2;
        report.medianOvertime = over.size() % 2 ? over[middle] : (qint64(over[middle - 1]) + over[middle]) / 2.0;
    }

    report.actualEnd = endSeconds(report.talks.constLast(), date);
    report.driftFromPlannedStarts = std::any_of(report.talks.begin(), report.talks.end(),
                                                [](const LogRow &talk) { return talk.plannedStart.has_value(); });
    if (report.driftFromPlannedStarts) {
        // The end as planned: the last planned start, then the planned
        // times of the talks from there on, back to back.
        std::optional<qint64> plannedEnd;
        // A planned start carries no date: one more than twelve hours before
        // the one above it is on the next day.
        qint64 above = startSeconds(report.talks.constFirst(), date);
        for (const LogRow &talk : std::as_const(report.talks)) {
            if (talk.plannedStart) {
                qint64 planned = above - above % SecondsPerDay + daySeconds(*talk.plannedStart);
                while (planned < above - SecondsPerDay / 2)
                    planned += SecondsPerDay;
                while (planned >= above + SecondsPerDay / 2)
                    planned -= SecondsPerDay;
                report.drift << startSeconds(talk, date) - planned;
                plannedEnd = planned;
                above = planned;
            } else {
                report.drift << std::nullopt;
            }
            if (plannedEnd)
                *plannedEnd += talk.presentation + talk.discussion;
        }
        report.plannedEnd = *plannedEnd;
    } else {
        // Every talk kept to its time and the changeovers as they were.
        qint64 carried = 0;
        for (const LogRow &talk : std::as_const(report.talks)) {
            report.drift << carried;
            carried += talk.overtime;
        }
        report.plannedEnd = report.actualEnd - carried;
    }
    report.drift << report.actualEnd - report.plannedEnd;
    return report;
}

std::optional<QDate> latestDate(const QList<LogRow> &rows)
{
    const QList<QDate> days = sessionDays(rows);
    const auto latest = std::max_element(days.begin(), days.end());
    return latest == days.end() ? std::nullopt : std::optional(*latest);
}

QString minutesSeconds(qint64 seconds)
{
    const qint64 magnitude = std::abs(seconds);
    const QString sign = seconds < 0 ? QStringLiteral("-") : QString();
    if (magnitude < 3600)
        return sign + programme::talkTimeText(int(magnitude));
    // Figures as m:ss is, in every language: they fit the report's columns.
    return sign + QStringLiteral("%1:%2:%3")
                      .arg(magnitude / 3600)
                      .arg(magnitude / 60 % 60, 2, 10, QLatin1Char('0'))
                      .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
}

QString signedMinutesSeconds(qint64 seconds)
{
    return seconds < 0 ? minutesSeconds(seconds) : QLatin1Char('+') + minutesSeconds(seconds);
}

QString clockTime(qint64 seconds) { return programme::clockText(int(seconds % SecondsPerDay)); }

} // namespace report
