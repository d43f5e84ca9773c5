#pragma once

// A page of the remote view in a thread of its own, as a phone would be,
// that notes when each new readout arrives: the counted seconds as the room
// sees them.

#include "bench_support.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>
#include <QThread>
#include <QUrl>
#include <QWebSocket>

#include <mutex>
#include <vector>

namespace bench {

class ReadoutPage : public QObject
{
public:
    std::mutex mutex;
    std::vector<qint64> arrivals; // of each new readout
    QString last;
    bool connected = false;

    // Opens the link's WebSocket from `thread`, which it then lives in, and
    // returns once the socket is on its way.
    void openIn(QThread &thread, quint16 port, const QString &linkPath)
    {
        moveToThread(&thread);
        thread.start();
        QMetaObject::invokeMethod(
            this,
            [this, port, linkPath] {
                open(QUrl(QStringLiteral("ws://127.0.0.1:%1%2/ws").arg(port).arg(linkPath)),
                     QStringLiteral("http://127.0.0.1:%1").arg(port));
            },
            Qt::BlockingQueuedConnection);
    }

private:
    void open(const QUrl &url, const QString &origin)
    {
        auto *socket = new QWebSocket(origin, QWebSocketProtocol::VersionLatest, this);
        connect(socket, &QWebSocket::connected, this, [this] {
            const std::lock_guard<std::mutex> lock(mutex);
            connected = true;
        });
        connect(socket, &QWebSocket::textMessageReceived, this, [this](const QString &message) {
            const qint64 at = nowNs();
            const QString readout =
                QJsonDocument::fromJson(message.toUtf8()).object().value(QStringLiteral("readout")).toString();
            const std::lock_guard<std::mutex> lock(mutex);
            if (readout != last)
                arrivals.push_back(at);
            last = readout;
        });
        socket->open(url);
    }
};

} // namespace bench
