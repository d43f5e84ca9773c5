#pragma once

#include "board/room_table.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QTimer>

namespace board {

// The rooms as the board's pages receive them. Messages of the broker come
// in at any pace (two hundred rooms publish a state a second each); the
// pages get what changed, gathered for at most a tenth of a second, so one
// push carries many rooms and a room's news is never held back longer.
//
// A page that opens gets everything: {"order": [topic levels in natural
// order], "rooms": [every entry], "broker": {connected, words}}. Then each
// push holds the changed rooms' entries, "order" when rooms came, went or
// were renamed, and "broker" when the board's own connection changed.
class BoardFeed : public QObject
{
    Q_OBJECT
public:
    static constexpr int GatherMs = 100;
    // How often a state is checked for having turned stale.
    static constexpr int StaleCheckMs = 60 * 1000;

    explicit BoardFeed(const QString &prefix, QObject *parent = nullptr);

    void take(const QString &topic, const QByteArray &payload);
    void setBroker(bool connected, const QString &words);

    // The answer of "GET <board link>/api/rooms": every room, in natural order.
    QByteArray rooms() const;
    // What a page that has just opened receives.
    QByteArray everything() const;

signals:
    // What every open page is to receive.
    void push(const QByteArray &message);

private:
    void pushSoon();
    void pushNow();
    void checkStale();
    QJsonObject brokerJson() const;

    RoomTable m_table;
    QSet<QString> m_changed;
    bool m_reordered = false;
    bool m_brokerChanged = false;
    bool m_brokerConnected = false;
    QString m_brokerWords;
    QTimer m_gather;
    QElapsedTimer m_sincePush;
    QTimer m_staleCheck;
};

} // namespace board
