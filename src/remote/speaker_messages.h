#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace remote {

// The preset messages to the speaker live in a UTF-8 file of their own,
// one a line, in the working folder.
inline const QString MessagesFileName = QStringLiteral("Orlatim-messages.txt");

// A message fits one band over the readout of a phone.
constexpr int MaxMessageLength = 200;

// A message as the pages show it: one line, control characters as spaces,
// without surrounding blanks. None for text that is not UTF-8 or is longer
// than MaxMessageLength characters.
std::optional<QString> speakerMessageText(const QByteArray &utf8);

// The presets in the user's language, for a working folder without a file.
QStringList defaultMessagePresets();

// The non-empty lines, each as speakerMessageText() leaves it (cut to the
// longest message where needed), with or without a byte-order mark.
QStringList parseMessagePresets(const QByteArray &content);
QByteArray serializeMessagePresets(const QStringList &presets);

// The file's presets, or the defaults without a file.
QStringList loadMessagePresets();
// Empty on success, else a message naming the file.
QString saveMessagePresets(const QStringList &presets);

} // namespace remote
