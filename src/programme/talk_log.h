#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

namespace programme {

inline const QString TalkLogFileName = QStringLiteral("Orlatim-log.csv");

// One talk that ran, as the log keeps it. The talk starts at "start" and
// ends at its last "pause", the one before "reset"; the pauses are those
// that were continued. So end - start is elapsed + pausedSeconds, give or
// take a second, for a talk that was not nudged.
struct LoggedTalk {
    QDateTime start;
    QDateTime end;
    QString title;
    QString speaker;
    int presentation = 0; // planned seconds, as they were at the end
    int discussion = 0;
    int32_t elapsed = 0;  // ElapsedSeconds at the end, nudges included
    int32_t overtime = 0; // seconds past bell 3, or 0
    int pauses = 0;
    int pausedSeconds = 0;
    std::optional<int> plannedStart; // seconds of the session's day
};

// The log's columns, as its first line names them, in the order of a new log.
QStringList talkLogColumns();

// The first line of a new log, and the line of one talk; both end in CR LF.
// A line fills the columns a log's first line names, in their order: one
// this program does not know stays empty, one the log lacks is left out.
QByteArray talkLogHeader();
QByteArray talkLogLine(const LoggedTalk &talk, const QStringList &columns = talkLogColumns());

// Follows the run state of one talk after another and appends a line to
// Orlatim-log.csv for each that ran. A line that cannot be written waits
// for the next write; a failure is reported when the write before it
// worked, and the talk goes on.
class TalkLog
{
public:
    using Clock = std::function<QDateTime()>;
    // The wall clock, which tests replace.
    void setClock(Clock clock) { m_clock = std::move(clock); }
    QDateTime now() const { return m_clock(); }

    void started(const QString &title, const QString &speaker, std::optional<int> plannedStart = {});
    void paused();
    void continued();
    // At "reset": the talk's line joins those waiting to be written.
    void finished(int32_t elapsed, int16_t presentation, int16_t discussion, int16_t total);

    // Appends the waiting lines in one write, the header first into a new
    // file; a write that fails leaves the file as it was and the lines
    // waiting. A log that a spreadsheet saved again in code page 932 is
    // first rewritten in UTF-8, its old copy kept as Orlatim-log.csv.bak.
    // Returns the failure for the user when the last write worked, else an
    // empty string.
    QString write();
    // How many lines wait, and what kept the last of them from the file.
    qsizetype waitingLines() const { return m_waiting.size(); }
    QString failure() const { return m_failure; }

private:
    // Writes the lines into the log as it stands; what went wrong, or empty.
    QString writeLines(const QList<LoggedTalk> &talks);

    Clock m_clock = &QDateTime::currentDateTime;
    bool m_ran = false;
    LoggedTalk m_talk;
    QDateTime m_pausedAt;
    qint64 m_pausedMs = 0;
    QList<LoggedTalk> m_waiting;
    QString m_failure;
};

} // namespace programme
