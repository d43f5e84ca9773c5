#pragma once

#include "remote/command_rate.h"
#include "remote/request_rules.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QTimer>
#include <QWebSocketServer>

#include <functional>
#include <memory>
#include <vector>

class QTcpSocket;
class QWebSocket;

namespace remote {

// Why the server closed a page's WebSocket; the page tells its reader.
enum class Goodbye { Ended = 4000, LinkReplaced = 4001, TurnedOff = 4002 };

// The web server of the remote view. It reads each request head itself,
// so that the limits a shared conference network needs hold before anything
// else is done: at most 64 connections, a head of at most 4 KiB that must be
// complete within 10 seconds, a valid token, our own Host and Origin. Then
// it answers the page or the state, or hands the connection to Qt's
// WebSocket server, and pushes every new state to the open WebSockets.
class RemoteServer : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxConnections = 64;

    explicit RemoteServer(QObject *parent = nullptr);
    ~RemoteServer() override;

    bool listen(const QHostAddress &address, quint16 port);
    // Stops listening and closes every connection, telling the pages why.
    void close(Goodbye why);
    bool isListening() const { return m_tcp.isListening(); }
    quint16 port() const { return m_tcp.serverPort(); }
    QString errorString() const { return m_tcp.errorString(); }

    // New tokens close the WebSockets opened with the old ones.
    void setTokens(const LinkTokens &tokens);
    void setControlAllowed(bool allowed) { m_controlAllowed = allowed; }
    // The current state, asked for by a new page and by the state request.
    void setStateSource(std::function<QByteArray()> source) { m_state = std::move(source); }
    // The session's report as a web page, for the control link.
    void setReportSource(std::function<QByteArray()> source) { m_report = std::move(source); }
    // How long a client may take to send its request head; tests shorten it.
    void setRequestTimeout(int milliseconds) { m_requestTimeoutMs = milliseconds; }

    bool hasViewers() const { return !m_viewers.empty(); }
    int viewerCount() const { return int(m_viewers.size()); }
    int connectionCount() const { return m_connections; }
    // Pushes a state to every open page.
    void send(const QByteArray &state);

signals:
    void viewersChanged(int count);
    // A control link pressed a button; the caption is the one its page showed.
    void pressed(const QString &caption);

private:
    struct Viewer {
        QWebSocket *socket = nullptr;
        Link link = Link::View;
        CommandRate rate;
        bool complained = false;
        bool answered = true; // its last ping was answered
    };

    void acceptConnections();
    void readHead(QTcpSocket *socket);
    void respond(QTcpSocket *socket, int status, const QByteArray &contentType = {}, const QByteArray &body = {},
                 const QByteArray &extraHeaders = {});
    void adoptViewers();
    void receive(Viewer &viewer, const QString &message);
    void complainOnce(Viewer &viewer, const char *what);
    void pingViewers();
    void forget(QWebSocket *socket);
    QTcpSocket *connectionOf(const QWebSocket *socket) const;

    QTcpServer m_tcp;
    QWebSocketServer m_webSockets;
    std::vector<std::unique_ptr<Viewer>> m_viewers;
    LinkTokens m_tokens;
    bool m_controlAllowed = false;
    std::function<QByteArray()> m_state;
    std::function<QByteArray()> m_report;
    int m_requestTimeoutMs = 10000;
    int m_connections = 0;
    QTimer m_pings;
    QElapsedTimer m_clock;
    QByteArray m_viewPage;
    QByteArray m_controlPage;
};

} // namespace remote
