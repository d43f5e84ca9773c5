#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <cstdint>
#include <optional>

namespace programme {

// One talk of a session's programme; times in seconds.
struct Talk {
    QString title;
    QString speaker;
    int16_t presentation = 0;
    int16_t discussion = 0;
    // From the start of the talk; none keeps the first bell the settings have.
    std::optional<int16_t> firstBell;
    // The planned start, local time, from the programme's start column.
    std::optional<QTime> start;
};

struct ProgrammeRead {
    QList<Talk> talks;
    // One message per line that was skipped, naming its line number.
    QStringList problems;
};

// Reads a programme as a spreadsheet saves it: comma-separated fields,
// quoted where needed ("" for a quote inside), in UTF-8 with or without a
// byte-order mark or in code page 932. A file that is UTF-8 but for a few
// bad bytes is read as UTF-8, and the lines holding them are skipped.
//
// Without a header a line holds title, speaker, presentation, discussion
// and, optionally, the first bell; further fields are ignored. A first line
// that names a title and a presentation or slot column (in English or
// Japanese) is a header, and the columns are then found by their names in
// any order: a slot is split into presentation and discussion by the
// discussion column, by slotDiscussion when given, or else by a fifth of it.
// Any other first line whose two time fields are not numbers is a header of
// the columns in their places. Blank lines are skipped without a word.
ProgrammeRead readProgramme(const QByteArray &bytes, std::optional<int16_t> slotDiscussion = std::nullopt);

// The discussion of a slot that nothing else splits: a fifth of it, to the
// nearest minute (15 minutes give 3, 12 give 2).
int16_t fifthOfSlot(int slotSeconds);

// "9:30", "09:30:15", full-width digits as their ASCII ones; no value for
// anything else.
std::optional<QTime> readStartTime(const QString &field);

// A programme file that readProgramme reads back as these talks: UTF-8
// with a byte-order mark, CR LF, a header naming the columns, times in
// minutes or minutes and seconds.
QByteArray programmeFileBytes(const QList<Talk> &talks);

// "12" and "12.5" are minutes, "12:30" minutes and seconds; full-width
// digits read as their ASCII ones. No value for anything else, a negative
// time, or more seconds than the clock can hold.
std::optional<int16_t> readTalkTime(const QString &field);

// The time as the programme window shows it: "12:30".
QString talkTimeText(int seconds);
// The time as a programme file gives it: "12", or "12:30" with seconds.
QString talkMinutesText(int seconds);

} // namespace programme
