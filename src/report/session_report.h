#pragma once

#include "report/log_reader.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

namespace report {

// The talks of one session and what the report says of them. Offsets are
// seconds, positive when late.
struct SessionReport {
    QDate date;
    QList<LogRow> talks; // in the order they started

    int talksOver = 0;                  // talks with overtime
    // Sums of many talks, each up to a day long: 64 bits cannot overflow.
    qint64 totalOvertime = 0;
    std::optional<double> medianOvertime; // of the talks over; a half second when their number is even
    int longestOvertime = 0;
    QString longestTitle;               // of the first talk with the longest overtime
    qint64 totalPaused = 0;
    // Talks of 0:00, started by mistake: listed, but in no total.
    int emptyTalks = 0;
    // The longest talk, planned or taken, which scales every page's bars.
    int longestTalk = 0;

    // The session's offset at the start of each talk and, last, at its end:
    // talks + 1 values. Times (ends too) are seconds since the midnight that
// starts the session's day, never wrapped at 24:00, so that a session that
// runs past midnight keeps its order. From the planned starts when the log has them (a talk
    // without one has no value); otherwise the overtime summed talk by talk.
    QList<std::optional<qint64>> drift;
    bool driftFromPlannedStarts = false;
    qint64 plannedEnd = 0;
    qint64 actualEnd = 0;

    // The lines of the log that were left out, from the reader.
    QStringList problems;
    // The log was longer than the report reads: only its beginning is in it.
    bool logCut = false;
};

// The session that started on `date`, its talks started within [from, to]
// when they are given. A session that runs past midnight stays whole: a
// talk of the next day that starts less than `SessionBreak` after the one
// before it ended belongs to the day before.
SessionReport sessionReport(const QList<LogRow> &rows, const QDate &date, const std::optional<QTime> &from = {},
                            const std::optional<QTime> &to = {});

constexpr int SessionBreak = 3 * 60 * 60;

// The day each row's session started on, in the rows' order.
QList<QDate> sessionDays(const QList<LogRow> &rows);

// The day the latest session started on; none without rows.
std::optional<QDate> latestDate(const QList<LogRow> &rows);

// "3:05", "-0:40", "+2:10", "1:05:30": how the report writes seconds.
QString minutesSeconds(qint64 seconds);
QString signedMinutesSeconds(qint64 seconds);
// "14:05", from seconds since midnight (past midnight too).
QString clockTime(qint64 seconds);

} // namespace report
