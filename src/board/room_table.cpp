#include "board/room_table.h"

#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcBoard, "orlatim.board")

namespace board {

namespace {

bool staleAt(const std::optional<RoomState> &state, const QDateTime &now)
{
    return state && state->sent.secsTo(now) > RoomTable::StaleAfterSeconds;
}

QJsonValue timeOrNull(const std::optional<QDateTime> &time)
{
    // With its offset from UTC, so that a screen in another time zone reads
    // the same moment.
    return time ? QJsonValue(time->toOffsetFromUtc(time->offsetFromUtc()).toString(Qt::ISODate)) : QJsonValue();
}

} // namespace

RoomTable::RoomTable(const QString &prefix)
    : m_prefix(prefix + QLatin1Char('/'))
    // A language's collation, whatever the board's locale: the C locale's
    // compares characters one by one and knows no numbers.
    , m_collator(QLocale(QLocale::English))
{
    m_collator.setNumericMode(true);
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

std::optional<Change> RoomTable::take(const QString &topic, const QByteArray &payload, const QDateTime &now)
{
    if (!topic.startsWith(m_prefix))
        return std::nullopt;
    const QStringList levels = topic.mid(m_prefix.size()).split(QLatin1Char('/'));
    if (levels.size() != 2 || levels[0].isEmpty())
        return std::nullopt;
    if (levels[1] == QLatin1String("state"))
        return takeState(levels[0], payload, now);
    if (levels[1] == QLatin1String("online"))
        return takeOnline(levels[0], payload, now);
    return std::nullopt;
}

std::optional<Change> RoomTable::takeState(const QString &level, const QByteArray &payload, const QDateTime &now)
{
    // An empty retained message takes the room's state off the broker.
    if (payload.isEmpty()) {
        const auto it = m_rooms.find(level);
        if (it == m_rooms.end() || !it->second.state)
            return std::nullopt;
        it->second.state.reset();
        it->second.stale = false;
        return Change{level, forgetIfEmpty(level)};
    }
    auto read = readRoomState(payload, level);
    if (const QString *why = std::get_if<QString>(&read)) {
        complainOnce(level, *why);
        return std::nullopt;
    }
    const bool known = m_rooms.count(level) > 0;
    Room *room = roomFor(level);
    if (!room)
        return std::nullopt;
    RoomState &state = std::get<RoomState>(read);
    const bool renamed = room->name != state.room;
    room->name = state.room;
    room->stale = staleAt(state, now);
    room->state = std::move(state);
    if (renamed)
        sort();
    return Change{level, renamed || !known};
}

std::optional<Change> RoomTable::takeOnline(const QString &level, const QByteArray &payload, const QDateTime &now)
{
    const std::optional<bool> online = readOnline(payload);
    if (!online && !payload.isEmpty()) {
        complainOnce(level, QStringLiteral("an online topic that is neither true nor false"));
        return std::nullopt;
    }
    if (!online) {
        const auto it = m_rooms.find(level);
        if (it == m_rooms.end() || !it->second.online)
            return std::nullopt;
        it->second.online.reset();
        it->second.since.reset();
        return Change{level, forgetIfEmpty(level)};
    }
    const bool known = m_rooms.count(level) > 0;
    Room *room = roomFor(level);
    if (!room || room->online == online)
        return std::nullopt;
    // The first word of a room may be one the broker kept from long ago;
    // only a change the board saw has a time.
    room->since = room->online ? std::optional(now) : std::nullopt;
    room->online = online;
    return Change{level, !known};
}

QStringList RoomTable::refreshStale(const QDateTime &now)
{
    QStringList turned;
    for (auto &[level, room] : m_rooms) {
        const bool stale = staleAt(room.state, now);
        if (stale != room.stale) {
            room.stale = stale;
            turned << level;
        }
    }
    return turned;
}

QJsonObject RoomTable::entry(const QString &level) const
{
    const auto it = m_rooms.find(level);
    if (it == m_rooms.end())
        return {};
    const Room &room = it->second;
    std::optional<QDateTime> since = room.since;
    if (!since && room.online == false && room.state)
        since = room.state->sent;
    return QJsonObject{
        {QStringLiteral("topic"), level},
        {QStringLiteral("room"), room.name},
        {QStringLiteral("online"), room.online ? QJsonValue(*room.online) : QJsonValue()},
        {QStringLiteral("since"), timeOrNull(since)},
        {QStringLiteral("stale"), room.stale},
        {QStringLiteral("state"), room.state ? QJsonValue(room.state->json) : QJsonValue()},
    };
}

QJsonArray RoomTable::entries() const
{
    QJsonArray all;
    for (const QString &level : m_order)
        all.append(entry(level));
    return all;
}

Room *RoomTable::roomFor(const QString &level)
{
    const auto it = m_rooms.find(level);
    if (it != m_rooms.end())
        return &it->second;
    if (size() >= MaxRooms) {
        complainOnce(level, QStringLiteral("the board already shows %1 rooms").arg(MaxRooms));
        return nullptr;
    }
    Room &room = m_rooms[level];
    room.name = level;
    sort();
    return &room;
}

bool RoomTable::forgetIfEmpty(const QString &level)
{
    const auto it = m_rooms.find(level);
    if (it == m_rooms.end() || it->second.state || it->second.online)
        return false;
    m_rooms.erase(it);
    sort();
    return true;
}

void RoomTable::complainOnce(const QString &level, const QString &why)
{
    // One line a room, however often it repeats itself.
    if (m_complained.contains(level) || m_complained.size() >= MaxRooms)
        return;
    m_complained.insert(level);
    qCWarning(lcBoard, "Dropped a message of room \"%s\": %s. Later ones of this room are dropped silently.",
              qPrintable(level), qPrintable(why));
}

void RoomTable::sort()
{
    m_order.clear();
    for (const auto &[level, room] : m_rooms)
        m_order << level;
    std::stable_sort(m_order.begin(), m_order.end(), [this](const QString &a, const QString &b) {
        return m_collator.compare(m_rooms.at(a).name, m_rooms.at(b).name) < 0;
    });
}

} // namespace board
