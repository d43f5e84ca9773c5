#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include <optional>

namespace report {

// A talk log longer than this is read to here: a year of sessions is a few
// MiB, and the report must not take the computer's memory.
constexpr qint64 MaxLogBytes = 64 * 1024 * 1024;

struct LogFile {
    QByteArray bytes;
    bool cut = false;    // the file was longer than MaxLogBytes
    QString error;       // why it could not be read
};

// The log's bytes, at most MaxLogBytes, ending at the end of a line.
LogFile readLogFile(const QString &path);

// The lines that name any of `dates` (as the program or a spreadsheet
// writes a date, in whatever column) and nothing of the other lines but
// their line breaks, so that every line keeps its number; in pieces of
// about a MiB, so that the reading never holds the whole log twice over, each
// beginning with the log's header (its first line with anything on it, when
// that names no date). ASCII digits and separators are the same bytes in
// UTF-8 and code page 932, and a quote is never part of a character of
// either, so the bytes are sorted without decoding them.
QList<QByteArray> linesOfDates(const QByteArray &log, const QList<QDate> &dates);

// Every date the log's lines write, latest first.
QList<QDate> datesWritten(const QByteArray &log);

} // namespace report
