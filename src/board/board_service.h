#pragma once

#include "board/board_feed.h"
#include "board/board_job.h"
#include "board/mqtt_client.h"
#include "remote/web_server.h"

#include <QHostAddress>
#include <QObject>

namespace board {

// The board of every room: a subscriber of the rooms' topics on the broker,
// and a web server of the remote view's kind (its admission, routes and
// pushes) with the board's link alone, which serves the page, pushes every
// change to the open pages and answers "GET <board link>/api/rooms".
class BoardService : public QObject
{
    Q_OBJECT
public:
    explicit BoardService(const BoardRequest &request, QObject *parent = nullptr);

    // Listens with the board link's token and starts subscribing; empty, or
    // what went wrong.
    QString start(const QByteArray &token, const QHostAddress &address);
    quint16 port() const { return m_web.port(); }

signals:
    // The broker connection's state in words, as it changes.
    void brokerChanged(const QString &words);

private:
    BoardRequest m_request;
    BoardFeed m_feed;
    remote::WebServer m_web;
    QByteArray m_page;
    MqttClient m_client;
};

// The board's page in its language, "ja" or "en".
QByteArray boardPage(const QString &language);

} // namespace board
