#include "report/report_geometry.h"

#include "report/log_file.h"
#include "report/report_words.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cmath>

namespace report {

int pageCountOf(int talks)
{
    const int later = std::max(0, talks - TalksOnFirstPage);
    return 1 + (later + TalksOnLaterPage - 1) / TalksOnLaterPage;
}

std::pair<int, int> pageChunk(int talks, int page)
{
    if (page == 0)
        return {0, std::min(talks, TalksOnFirstPage)};
    const int first = TalksOnFirstPage + (page - 1) * TalksOnLaterPage;
    return {first, std::clamp(talks - first, 0, TalksOnLaterPage)};
}

int chartSeconds(const SessionReport &report)
{
    const int longest = std::max(60, report.longestTalk);
    constexpr int Step = 5 * 60;
    return (longest + Step - 1) / Step * Step;
}

QList<int> chartTicks(int chartSeconds)
{
    // About six lines across, at a whole number of five minutes.
    const int step = std::max(1, chartSeconds / 300 / 6) * 300;
    QList<int> ticks;
    for (int s = 0; s <= chartSeconds; s += step)
        ticks << s;
    return ticks;
}

TalkBars talkBars(const LogRow &talk, int chartSeconds, double width)
{
    const auto x = [&](int seconds) { return width * std::clamp(seconds, 0, chartSeconds) / chartSeconds; };
    return {x(talk.presentation), x(talk.presentation + talk.discussion), x(talk.elapsed - talk.overtime),
            x(talk.elapsed)};
}

DriftPlot driftPlot(const SessionReport &report, const QRectF &plot)
{
    DriftPlot drift;
    qint64 low = 0;
    qint64 high = 60;
    for (const std::optional<qint64> &offset : report.drift) {
        if (offset) {
            low = std::min(low, *offset);
            high = std::max(high, *offset);
        }
    }
    // Whole minutes at 1, 2 or 5 times a power of ten, at most eight lines
    // whatever the range, so that their labels never pile up.
    qint64 stepMinutes = 1;
    for (int i = 0; (high - low) / 60 / stepMinutes >= 8; ++i)
        stepMinutes = qint64(std::pow(10, i / 3)) * std::array{2, 5, 10}[i % 3];
    const qint64 step = stepMinutes * 60;
    low = qint64(std::floor(double(low) / step)) * step;
    high = qint64(std::ceil(double(high) / step)) * step;
    const auto y = [&](qint64 seconds) { return plot.bottom() - plot.height() * double(seconds - low) / double(high - low); };
    drift.zeroY = y(0);
    for (qint64 s = low; s <= high; s += step)
        drift.minuteLines.append({y(s), s / 60});
    const int intervals = std::max<int>(1, int(report.drift.size()) - 1);
    // A dozen numbers at most: wide numbers stay apart.
    const int labelEvery = (intervals + 11) / 12;
    for (int i = 0; i < report.drift.size(); ++i) {
        const double x = plot.left() + plot.width() * i / intervals;
        if (i == intervals)
            drift.talkLabels.append({x, Words::tr("end")});
        else if (i % labelEvery == 0 && i + labelEvery / 2 < intervals)
            drift.talkLabels.append({x, QString::number(i + 1)});
        if (const std::optional<qint64> &offset = report.drift[i]) {
            drift.points << QPointF(x, y(*offset));
            drift.talkAt << (i + 1 < report.drift.size() ? i + 1 : 0);
        }
    }
    return drift;
}

QString reportHeading(const SessionReport &report)
{
    return Words::tr("Session report, %1").arg(report.date.toString(Qt::ISODate));
}

QString reportSubheading(const SessionReport &report)
{
    if (report.talks.isEmpty())
        return Words::tr("No talk of this day in the log.");
    return Words::counted("%n talk from %1 to %2", "%n talks from %1 to %2", report.talks.size())
        .arg(clockTime(report.talks.constFirst().start.msecsSinceStartOfDay() / 1000), clockTime(report.actualEnd));
}

QList<TotalsLine> totalsLines(const SessionReport &report)
{
    const QString longest = report.longestOvertime > 0
                                ? signedMinutesSeconds(report.longestOvertime) + QStringLiteral("  ") + report.longestTitle
                                : QStringLiteral("–");
    return {
        {Words::tr("Talks"), QString::number(report.talks.size() - report.emptyTalks)},
        {Words::tr("Talks over time"), QString::number(report.talksOver)},
        {Words::tr("Total overtime"), signedMinutesSeconds(report.totalOvertime)},
        {Words::tr("Median overtime of the talks over"),
         report.medianOvertime ? signedMinutesSeconds(int(std::lround(*report.medianOvertime))) : QStringLiteral("–")},
        {Words::tr("Longest overtime"), longest},
        {Words::tr("Total paused time"), minutesSeconds(report.totalPaused)},
    };
}

QStringList reportNotes(const SessionReport &report)
{
    QStringList notes;
    if (report.emptyTalks > 0)
        notes << Words::counted("%n talk of 0:00 (started by mistake) is listed but left out of the totals.",
                                "%n talks of 0:00 (started by mistake) are listed but left out of the totals.",
                                report.emptyTalks);
    if (report.logCut)
        notes << Words::tr("The log is longer than %1 MiB: this report holds only the talks in its first %1 MiB.")
                     .arg(MaxLogBytes / (1024 * 1024));
    return notes;
}

QString driftHeading() { return Words::tr("Drift of the session (minutes late)"); }

DriftAxes driftAxes() { return {Words::tr("minutes late"), Words::tr("talk"), Words::tr("below 0: early")}; }

QString driftSource(const SessionReport &report)
{
    return report.driftFromPlannedStarts ? Words::tr("from the planned starts in the log")
                                         : Words::tr("the log has no planned starts: the overtime summed talk by talk");
}

QString driftEnds(const SessionReport &report)
{
    return Words::tr("planned end %1, actual end %2 (%3)")
        .arg(clockTime(report.plannedEnd), clockTime(report.actualEnd),
             signedMinutesSeconds(report.actualEnd - report.plannedEnd));
}

QString pausesText(const LogRow &talk)
{
    // A pause of 0:00 is a slip of the finger on the key, not a pause.
    if (talk.pausedSeconds == 0)
        return {};
    return QStringLiteral("%1× %2").arg(talk.pauses).arg(minutesSeconds(talk.pausedSeconds));
}

QStringList leftOutLines(const QStringList &problems, int most)
{
    if (problems.isEmpty())
        return {};
    QStringList lines{Words::counted("%n line of the log was left out:", "%n lines of the log were left out:",
                                     problems.size())};
    lines << problems.mid(0, most);
    if (problems.size() > most)
        lines << Words::tr("and %n more", nullptr, int(problems.size() - most));
    return lines;
}

ChartWords chartWords()
{
    return {Words::tr("No."),          Words::tr("Title"),      Words::tr("Speaker"),    Words::tr("planned"),
            Words::tr("taken"),        Words::tr("over"),       Words::tr("pauses"),     Words::tr("presentation"),
            Words::tr("discussion"),   Words::tr("time taken"), Words::tr("past bell 3"), Words::tr("min")};
}

} // namespace report
