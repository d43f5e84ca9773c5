#include "report/session_report.h"

#include "programme/programme_file.h"
#include "programme/session_timetable.h"

#include <algorithm>
#include <cstdlib>

namespace report {

namespace {

using programme::SecondsPerDay;

DaySeconds daySeconds(const QTime &time) { return time.msecsSinceStartOfDay() / 1000; }

// A time before the session's first start belongs to the next day.
DaySeconds sessionSeconds(const QTime &time, DaySeconds first)
{
    const DaySeconds s = daySeconds(time);
    return s < first ? s + SecondsPerDay : s;
}

DaySeconds endOf(const LogRow &talk, DaySeconds first)
{
    const DaySeconds start = sessionSeconds(talk.start, first);
    if (!talk.end)
        return start + talk.elapsed + talk.pausedSeconds;
    DaySeconds end = daySeconds(*talk.end);
    while (end < start)
        end += SecondsPerDay;
    return end;
}

} // namespace

SessionReport sessionReport(const QList<LogRow> &rows, const QDate &date, const std::optional<QTime> &from,
                            const std::optional<QTime> &to)
{
    SessionReport report;
    report.date = date;
    for (const LogRow &row : rows) {
        if (row.date == date && (!from || row.start >= *from) && (!to || row.start <= *to))
            report.talks << row;
    }
    std::stable_sort(report.talks.begin(), report.talks.end(),
                     [](const LogRow &a, const LogRow &b) { return a.start < b.start; });
    if (report.talks.isEmpty())
        return report;

    QList<int> over;
    for (const LogRow &talk : std::as_const(report.talks)) {
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
        report.medianOvertime = over.size() % 2 ? over[middle] : (over[middle - 1] + over[middle]) / 2.0;
    }

    const DaySeconds first = daySeconds(report.talks.constFirst().start);
    report.actualEnd = endOf(report.talks.constLast(), first);
    report.driftFromPlannedStarts = std::any_of(report.talks.begin(), report.talks.end(),
                                                [](const LogRow &talk) { return talk.plannedStart.has_value(); });
    if (report.driftFromPlannedStarts) {
        // The end as planned: the last planned start, then the planned
        // times of the talks from there on, back to back.
        std::optional<DaySeconds> plannedEnd;
        for (const LogRow &talk : std::as_const(report.talks)) {
            if (talk.plannedStart) {
                const DaySeconds planned = sessionSeconds(*talk.plannedStart, first - 12 * 3600);
                report.drift << sessionSeconds(talk.start, first) - planned;
                plannedEnd = planned;
            } else {
                report.drift << std::nullopt;
            }
            if (plannedEnd)
                *plannedEnd += talk.presentation + talk.discussion;
        }
        report.plannedEnd = *plannedEnd;
    } else {
        // Every talk kept to its time and the changeovers as they were.
        int carried = 0;
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
    const auto latest = std::max_element(rows.begin(), rows.end(),
                                         [](const LogRow &a, const LogRow &b) { return a.date < b.date; });
    return latest == rows.end() ? std::nullopt : std::optional(latest->date);
}

QString minutesSeconds(int seconds)
{
    return (seconds < 0 ? QStringLiteral("-") : QString()) + programme::talkTimeText(std::abs(seconds));
}

QString signedMinutesSeconds(int seconds)
{
    return seconds < 0 ? minutesSeconds(seconds) : QLatin1Char('+') + minutesSeconds(seconds);
}

QString clockTime(DaySeconds seconds) { return programme::clockText(seconds); }

} // namespace report
