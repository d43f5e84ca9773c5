#include "programme/session_timetable.h"

#include <QCoreApplication>
#include <QString>
#include <QTime>

#include <algorithm>
#include <cstdlib>

namespace programme {

namespace {

int talkLength(const Talk &talk) { return talk.presentation + talk.discussion; }

} // namespace

QList<std::optional<DaySeconds>> plannedStarts(const QList<Talk> &talks, int changeoverSeconds)
{
    QList<std::optional<DaySeconds>> starts;
    starts.reserve(talks.size());
    std::optional<DaySeconds> previousEnd;
    for (const Talk &talk : talks) {
        std::optional<DaySeconds> start = previousEnd ? std::optional(*previousEnd + changeoverSeconds) : std::nullopt;
        if (talk.start) {
            const std::optional<DaySeconds> above = starts.isEmpty() ? std::nullopt : starts.last();
            start = talk.start->msecsSinceStartOfDay() / 1000;
            while (above && *start < *above - SecondsPerDay / 2)
                *start += SecondsPerDay;
        }
        starts << start;
        previousEnd = start ? std::optional(*start + talkLength(talk)) : std::nullopt;
    }
    return starts;
}

std::optional<DaySeconds> firstPlannedFrom(const QList<std::optional<DaySeconds>> &starts, int from)
{
    const auto first = std::find_if(starts.cbegin() + std::clamp<qsizetype>(from, 0, starts.size()), starts.cend(),
                                    [](const std::optional<DaySeconds> &start) { return start.has_value(); });
    return first == starts.cend() ? std::nullopt : *first;
}

SessionTimetable sessionTimetable(const QList<Talk> &talks, int changeoverSeconds, const SessionProgress &progress)
{
    SessionTimetable t;
    t.plannedStarts = plannedStarts(talks, changeoverSeconds);
    t.planned = std::any_of(talks.cbegin(), talks.cend(), [](const Talk &talk) { return talk.start.has_value(); });
    t.expectedStarts.resize(talks.size());
    const int c = progress.current;
    if (!t.planned || c < 0 || c >= talks.size())
        return t;

    const std::optional<DaySeconds> plannedNow = t.plannedStarts[c];
    const bool running = progress.startedAt.has_value();
    if (!running && !progress.carriedOffset) {
        t.firstPlannedStart = firstPlannedFrom(t.plannedStarts, c);
        if (t.firstPlannedStart)
            t.secondsUntilFirst = *t.firstPlannedStart - progress.now;
        return t;
    }

    // When the current talk is expected to end, at the earliest.
    DaySeconds currentEnd = 0;
    if (running) {
        const int remaining = std::max(0, progress.total - progress.elapsed);
        currentEnd = progress.now + remaining;
        t.expectedStarts[c] = progress.startedAt;
        if (plannedNow) {
            const int overtime = std::max(0, progress.elapsed - progress.total);
            t.offset = std::max(*progress.startedAt - *plannedNow + overtime,
                                currentEnd - (*plannedNow + talkLength(talks[c])));
        }
    } else {
        t.offset = progress.carriedOffset;
        if (plannedNow)
            t.offset = std::max(*t.offset, progress.now - *plannedNow);
        const DaySeconds start =
            plannedNow ? *plannedNow + *t.offset : progress.now;
        t.expectedStarts[c] = start;
        currentEnd = start + talkLength(talks[c]);
    }

    DaySeconds previousEnd = currentEnd;
    for (int i = c + 1; i < talks.size(); ++i) {
        DaySeconds start = previousEnd + changeoverSeconds;
        if (t.plannedStarts[i])
            start = std::max(start, *t.plannedStarts[i] + t.offset.value_or(0));
        t.expectedStarts[i] = start;
        previousEnd = start + talkLength(talks[i]);
    }
    t.projectedEnd = previousEnd;
    return t;
}

QString clockText(DaySeconds seconds) { return clockTextWithSeconds(seconds).left(5); }

QString clockTextWithSeconds(DaySeconds seconds)
{
    const int ofDay = ((seconds % SecondsPerDay) + SecondsPerDay) % SecondsPerDay;
    return QTime::fromMSecsSinceStartOfDay(ofDay * 1000).toString(QStringLiteral("HH:mm:ss"));
}

namespace {

// Minutes and seconds, with hours in front from one hour on.
QString durationText(int seconds)
{
    const auto twoDigits = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    const int magnitude = std::abs(seconds);
    if (magnitude < 3600)
        return QCoreApplication::translate("Programme", "%1:%2", "minutes:seconds")
            .arg(QString::number(magnitude / 60), twoDigits(magnitude % 60));
    return QCoreApplication::translate("Programme", "%1:%2:%3", "hours:minutes:seconds")
        .arg(QString::number(magnitude / 3600), twoDigits(magnitude / 60 % 60), twoDigits(magnitude % 60));
}

} // namespace

QString offsetText(int seconds)
{
    // Less than a minute either way is the noise of a click.
    if (std::abs(seconds) < 60)
        return QCoreApplication::translate("Programme", "on time");
    return seconds > 0 ? QCoreApplication::translate("Programme", "%1 late").arg(durationText(seconds))
                       : QCoreApplication::translate("Programme", "%1 early").arg(durationText(seconds));
}

} // namespace programme
