#pragma once

#include "import/session_choice.h"

#include <QByteArray>

#include <optional>

namespace schedule_import {

// What an import reads: a published timetable's entries, or a spreadsheet
// programme, kept as it is to be read with the discussion the timekeeper
// chooses.
struct ImportSource {
    QString name; // the file's name or the address, for messages
    QList<ScheduleEntry> entries;
    std::optional<QByteArray> spreadsheet;
    QString error; // why nothing can be imported, naming the file
};

// Far more than any conference's timetable; a wrong file or address does not
// fill the memory.
constexpr qint64 LargestImport = 5 * 1024 * 1024;

// A spreadsheet programme is told by its name; anything else is read as a
// published timetable, whose format the content tells.
bool isSpreadsheetName(const QString &name);

ImportSource importSource(const QByteArray &bytes, const QString &name, bool spreadsheet);
ImportSource readImportFile(const QString &path);

// A spreadsheet is one session, without a day or a room.
QList<SessionCount> sessionsOf(const ImportSource &source);
// The talks chosen; an error names the file.
SessionTalks takeSession(const ImportSource &source, const SessionChoice &choice);

} // namespace schedule_import
