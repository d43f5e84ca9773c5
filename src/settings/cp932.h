#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The settings file is kept in code page 932, as on the Japanese desktops
// that share it.
std::optional<QString> decodeCp932(const QByteArray &bytes);
// Characters that code page 932 lacks are written as "?".
QByteArray encodeCp932(const QString &text);
