#pragma once

#include "remote/command_rate.h"
#include "remote/request_rules.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTimer>
#include <QWebSocketServer>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QTcpSocket;
class QWebSocket;

namespace remote {

// Why the server closed a page's WebSocket; the page tells its reader.
enum class Goodbye { Ended = 4000, LinkReplaced = 4001, TurnedOff = 4002 };

// What a command of the control link did: 200 when it acted, else the
// status and a short reason for the tool that sent it.
struct CommandOutcome {
    int status = 200;
    QByteArray reason;
};

// The most a command's body may hold.
constexpr qint64 MaxCommandBody = 1024;

// The web server of the remote view, and of the board of all rooms. It reads each request head itself,
// so that the limits a shared conference network needs hold before anything
// else is done: at most 64 connections, a head of at most 4 KiB that must be
// complete within 10 seconds, a valid token, our own Host and Origin. Then
// it answers the page or the state, runs a command of the control link
// (whose body must come within the same 10 seconds), or hands the connection
// to Qt's WebSocket server, and pushes every new state to the open
// WebSockets.
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
    // The current state as a link shows it, asked for by a new page, by the
    // state request and after a command.
    void setStateSource(std::function<QByteArray(Link)> source) { m_state = std::move(source); }
    // Runs a command of the control API, or of a control page, with its body.
    using Command = std::function<CommandOutcome(const QByteArray &command, const QByteArray &body)>;
    void setCommandHandler(Command handler) { m_command = std::move(handler); }
    // The session's report as a web page, for the control and chair links.
    void setReportSource(std::function<QByteArray()> source) { m_report = std::move(source); }
    // The page of a link; the board's has none until it is given one.
    void setPage(Link link, const QByteArray &page) { m_pages[size_t(link)] = page; }
    // The rooms of the board as "GET <board link>/api/rooms" answers them.
    void setRoomsSource(std::function<QByteArray()> source) { m_rooms = std::move(source); }
    // How long a client may take to send its request head; tests shorten it.
    void setRequestTimeout(int milliseconds) { m_requestTimeoutMs = milliseconds; }
    // How often the open pages are pinged; tests shorten it.
    void setPingInterval(int milliseconds) { m_pings.setInterval(milliseconds); }
    static constexpr int PingIntervalMs = 15000;

    bool hasViewers() const { return !m_viewers.empty(); }
    bool hasViewers(Link link) const;
    int viewerCount() const { return int(m_viewers.size()); }
    int connectionCount() const { return m_connections; }
    // Pushes a state to every open page of a link.
    void send(Link link, const QByteArray &state);

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
    void readCommand(QTcpSocket *socket, const QByteArray &command, qint64 length);
    void runCommand(const QPointer<QTcpSocket> &socket, const QByteArray &command, const QByteArray &body);
    void respond(QTcpSocket *socket, int status, const QByteArray &contentType = {}, const QByteArray &body = {},
                 const QByteArray &extraHeaders = {});
    void sendWakeVideo(QTcpSocket *socket, const RequestHead &request);
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
    std::function<QByteArray(Link)> m_state;
    Command m_command;
    // The commands of every tool together, as they come on connections
    // of their own.
    CommandRate m_apiRate;
    std::function<QByteArray()> m_report;
    int m_requestTimeoutMs = 10000;
    int m_connections = 0;
    QTimer m_pings;
    QElapsedTimer m_clock;
    std::function<QByteArray()> m_rooms;
    std::array<QByteArray, 4> m_pages; // by Link
    QByteArray m_wakeVideo;
};

} // namespace remote
