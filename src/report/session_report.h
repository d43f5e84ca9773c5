#pragma once

#include "report/log_reader.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

namespace report {

// Times of day are seconds since the midnight that starts the session's
// day, never wrapped at 24:00, so a session that runs past midnight keeps
// its order.
using DaySeconds = int;

// The talks of one session and what the report says of them. Offsets are
// seconds, positive when late.
struct SessionReport {
    QDate date;
    QList<LogRow> talks; // in the order they started

    int talksOver = 0;                  // talks with overtime
    int totalOvertime = 0;
    std::optional<double> medianOvertime; // of the talks over; a half second when their number is even
    int longestOvertime = 0;
    QString longestTitle;               // of the first talk with the longest overtime
    int totalPaused = 0;

    // The session's offset at the start of each talk and, last, at its end:
    // talks + 1 values. From the planned starts when the log has them (a talk
    // without one has no value); otherwise the overtime summed talk by talk.
    QList<std::optional<int>> drift;
    bool driftFromPlannedStarts = false;
    DaySeconds plannedEnd = 0;
    DaySeconds actualEnd = 0;

    // The lines of the log that were left out, from the reader.
    QStringList problems;
};

// The rows of one date, started within [from, to] when they are given.
SessionReport sessionReport(const QList<LogRow> &rows, const QDate &date, const std::optional<QTime> &from = {},
                            const std::optional<QTime> &to = {});

// The latest date the rows hold; none without rows.
std::optional<QDate> latestDate(const QList<LogRow> &rows);

// "3:05", "-0:40", "+2:10": how the report writes seconds.
QString minutesSeconds(int seconds);
QString signedMinutesSeconds(int seconds);
// "14:05", from seconds since midnight (past midnight too).
QString clockTime(DaySeconds seconds);

} // namespace report
