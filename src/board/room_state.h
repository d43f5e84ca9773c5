#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <variant>

namespace board {

// The most a room's state may hold; a larger one is dropped unread, so that
// whoever can write to the broker cannot make the board, or the pages it
// pushes to, hold much.
constexpr qsizetype MaxStateBytes = 16 * 1024;

// A state as a room's laptop published it: the chair link's state with the
// room's exact name and the laptop's time.
struct RoomState {
    QJsonObject json;
    QString room;
    QDateTime sent;
};

// Reads the state published under a room's topic level. Every field the
// board's page shows must be absent, null or of the kind a room sends, the
// phase one of the three and the colour "#RRGGBB"; the name must be the one
// the topic level was made from, so that no room speaks for another. Else
// the reason it is dropped.
std::variant<RoomState, QString> readRoomState(const QByteArray &payload, const QString &topicLevel);

// "true" or "false", as a room publishes its online topic; anything else is
// no answer.
std::optional<bool> readOnline(const QByteArray &payload);

} // namespace board
