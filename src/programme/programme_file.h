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
// byte-order mark or in code page 932. A line holds title, speaker,
// presentation, discussion and, optionally, the first bell; further fields
// are ignored. A first line whose two time fields are not numbers is a
// header. Blank lines are skipped without a word.
ProgrammeRead readProgramme(const QByteArray &bytes);

// "12" and "12.5" are minutes, "12:30" minutes and seconds; full-width
// digits read as their ASCII ones. No value for anything else, a negative
// time, or more seconds than the clock can hold.
std::optional<int16_t> readTalkTime(const QString &field);

// The time as the programme window shows it: "12:30".
QString talkTimeText(int seconds);

} // namespace programme
