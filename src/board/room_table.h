#pragma once

#include "board/room_state.h"

#include <QCollator>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>

namespace board {

// One room as the board knows it.
struct Room {
    QString name;               // from its state; its topic level until one comes
    std::optional<bool> online; // none until its online topic is heard
    // When the board saw it come or go; none for the first word the board
    // had of it, which the broker may have kept from long before.
    std::optional<QDateTime> since;
    std::optional<RoomState> state;
    bool stale = false;
};

// What a message changed: the room, by its topic level, and whether the
// order of the rooms changed with it (a room came, went or was renamed).
struct Change {
    QString level;
    bool reordered = false;
};

// Every room heard on the broker under one prefix, kept from the messages of
// its "<prefix>/<room>/state" and "<prefix>/<room>/online" topics, in
// natural order of their names ("Room 2" before "Room 10"). A state that
// cannot be shown is dropped, the room keeps the last one it had; a state
// sent more than a day ago is stale, however recently the broker handed it
// over. The number of rooms is bounded, so that messages under made-up room
// names cannot make the board grow.
class RoomTable
{
public:
    static constexpr int MaxRooms = 1000;
    static constexpr qint64 StaleAfterSeconds = 24 * 60 * 60;

    explicit RoomTable(const QString &prefix);

    // Takes a message of the broker. What it changed, or nothing.
    std::optional<Change> take(const QString &topic, const QByteArray &payload, const QDateTime &now);
    // The rooms whose states have turned stale, or fresh, since last asked.
    QStringList refreshStale(const QDateTime &now);

    // Topic levels in the rooms' natural order.
    const QStringList &order() const { return m_order; }
    // A room as "GET <board link>/api/rooms" gives it and the page shows it:
    // {topic, room, online, since, stale, state}; online and since are null
    // where unknown. An offline room whose going was not seen is offline
    // since its last state.
    QJsonObject entry(const QString &level) const;
    // Every room, in natural order.
    QJsonArray entries() const;
    int size() const { return int(m_rooms.size()); }

private:
    std::optional<Change> takeState(const QString &level, const QByteArray &payload, const QDateTime &now);
    std::optional<Change> takeOnline(const QString &level, const QByteArray &payload, const QDateTime &now);
    // The room of a level, made if there is room for one more.
    Room *roomFor(const QString &level);
    // Forgets a room that has neither state nor online left.
    bool forgetIfEmpty(const QString &level);
    void complainOnce(const QString &level, const QString &why);
    void sort();

    QString m_prefix;
    std::map<QString, Room> m_rooms;
    QStringList m_order;
    QCollator m_collator;
    QSet<QString> m_complained;
};

} // namespace board
