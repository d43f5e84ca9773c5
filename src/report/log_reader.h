#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

namespace report {

// One line of "Orlatim-log.csv" as the report uses it; times in seconds.
struct LogRow {
    QDate date;
    QTime start;
    std::optional<QTime> end;
    QString title;
    QString speaker;
    int presentation = 0;
    int discussion = 0;
    int elapsed = 0;
    int overtime = 0;
    int pauses = 0;
    int pausedSeconds = 0;
    std::optional<QTime> plannedStart;
};

struct LogRead {
    QList<LogRow> rows;
    // One message per line that could not be used, naming its line; or one
    // for the whole file when nothing of it can be read.
    QStringList problems;
};

// Reads the talk log as the program writes it and as a spreadsheet saves it
// again: UTF-8 or code page 932, line by line (a log saved in code page 932
// may have had lines appended in UTF-8), titles kept from formulas as the
// program writes them, columns found by the header's names (in
// the program's order without a header), missing optional columns at the
// end, extra columns, blank lines. A line with text where a number or a
// time belongs is named and left out.
LogRead readTalkLog(const QByteArray &bytes);

} // namespace report
