#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace programme {

// The text of a CSV file as a spreadsheet saves it: UTF-8 with or without a
// byte-order mark, or code page 932; nothing when it is neither.
std::optional<QString> decodeSpreadsheetText(const QByteArray &bytes);

struct Record {
    int line = 0; // where it starts, counted from 1
    QStringList fields;
    bool closed = true; // false when a quoted field runs to the end of the file
};

// Fields and records as RFC 4180 has them; a quoted field may hold commas
// and line breaks. Lines may end in CR LF, LF or CR.
QList<Record> splitRecords(const QString &text);

} // namespace programme
