#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace schedule_import {

// The bytes of a timetable as UTF-8: UTF-16 with a byte-order mark (as
// Windows programs save it) decoded, UTF-8's own mark dropped, anything else
// as it is.
QByteArray asUtf8(const QByteArray &bytes);

// Whether the bytes begin with UTF-16's byte-order mark.
bool isUtf16(const QByteArray &bytes);

// "line 3, column 14" of a byte offset into UTF-8 text, the column counted
// in characters.
QString placeAt(const QByteArray &bytes, qsizetype offset);

// The line and column of the first byte that is not
// UTF-8; nothing when all of them are.
std::optional<QString> notUtf8At(const QByteArray &bytes);

} // namespace schedule_import
