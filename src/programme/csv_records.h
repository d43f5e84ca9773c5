#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace programme {

struct SpreadsheetText {
    QString text;
    bool badBytes = false; // replacement characters stand for bytes that are not UTF-8
};

// The text of a CSV file as a spreadsheet saves it: UTF-8 with or without a
// byte-order mark (a few bad bytes included), or code page 932; nothing when
// it is neither.
std::optional<SpreadsheetText> decodeSpreadsheetText(const QByteArray &bytes);

// The text of a file appended to in turns by this program (UTF-8) and by a
// spreadsheet that saved it again in code page 932: each line in the one
// it is valid in. Nothing when half its lines or more are neither.
std::optional<QString> decodeTextByLine(const QByteArray &bytes);

struct Record {
    int line = 0; // where it starts, counted from 1
    QStringList fields;
    bool paired = true; // false when its quotes do not pair up as RFC 4180 has them
};

// Fields and records as RFC 4180 has them; a quoted field may hold commas
// and line breaks. Lines may end in CR LF, LF or CR. A line whose quotes do
// not pair up is read again with its quotes as plain characters, so that one
// stray quote costs only its own line.
QList<Record> splitRecords(const QString &text);

// A field as a spreadsheet writes it: quoted, with its quotes doubled, only
// where it holds a quote, a comma or a line break.
QString csvField(const QString &text);

// A title or name as a field that a spreadsheet shows as text, never runs as
// a formula: one that begins with =, +, -, @, a tab or a CR (after any
// apostrophes) gets an apostrophe in front, inside quotes.
QString csvTextField(const QString &text);
// The text csvTextField was given, from the field it wrote; any other field
// as it is, so a title that merely begins with an apostrophe keeps it.
QString fieldText(const QString &field);

} // namespace programme
