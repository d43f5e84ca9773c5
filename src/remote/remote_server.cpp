#include "remote/remote_server.h"

#include "remote/link_token.h"
#include "remote/own_host.h"

#include <QFile>
#include <QPointer>
#include <QSignalBlocker>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QTcpSocket>
#include <QWebSocket>

#include <algorithm>

Q_LOGGING_CATEGORY(lcRemote, "orlatim.remote")

namespace remote {

namespace {

const QByteArray HeadEnd = QByteArrayLiteral("\r\n\r\n");
const QString Deadline = QStringLiteral("requestDeadline");

QByteArray reason(int status)
{
    switch (status) {
    case 200:
        return QByteArrayLiteral("OK");
    case 206:
        return QByteArrayLiteral("Partial Content");
    case 400:
        return QByteArrayLiteral("Bad Request");
    case 403:
        return QByteArrayLiteral("Forbidden");
    case 409:
        return QByteArrayLiteral("Conflict");
    case 411:
        return QByteArrayLiteral("Length Required");
    case 413:
        return QByteArrayLiteral("Content Too Large");
    case 429:
        return QByteArrayLiteral("Too Many Requests");
    default:
        return QByteArrayLiteral("Not Found");
    }
}

QByteArray pageFor(const QByteArray &page, const char *link)
{
    QByteArray copy = page;
    const QByteArray attribute = "data-link=\"" + QByteArray(link) + '"';
    return copy.replace(QByteArrayLiteral("data-link=\"view\""), attribute);
}

std::optional<Link> linkOf(QByteArrayView token, const LinkTokens &tokens)
{
    const bool control = sameToken(token, tokens.control);
    const bool chair = sameToken(token, tokens.chair);
    const bool view = sameToken(token, tokens.view);
    const bool board = sameToken(token, tokens.board);
    if (!control && !chair && !view && !board)
        return std::nullopt;
    return control ? Link::Control : chair ? Link::Chair : board ? Link::Board : Link::View;
}

// Counts a connection for as long as it lives, however it ends. A child
// object, because a WebSocket cuts every signal of the connection it was
// made from before it deletes it.
class ConnectionCount : public QObject
{
public:
    ConnectionCount(QTcpSocket &connection, int &count) : QObject(&connection), m_count(count) { ++m_count; }
    ~ConnectionCount() override { --m_count; }

private:
    int &m_count;
};

// The captions a control page may press, as its buttons show them, and the
// two nudges.
bool pressable(const QString &caption)
{
    return caption == QLatin1String("start") || caption == QLatin1String("pause") ||
           caption == QLatin1String("contn.") || caption == QLatin1String("reset") ||
           caption == QLatin1String("+10") || caption == QLatin1String("-10");
}

} // namespace

RemoteServer::RemoteServer(QObject *parent)
    : QObject(parent), m_webSockets(QStringLiteral("Orlatim"), QWebSocketServer::NonSecureMode)
{
    m_clock.start();
    QFile page(QStringLiteral(":/remote/page.html"));
    const QByteArray viewPage = page.open(QIODevice::ReadOnly) ? page.readAll() : QByteArray();
    m_pages = {viewPage, pageFor(viewPage, "control"), pageFor(viewPage, "chair"), QByteArray()};
    QFile video(QStringLiteral(":/remote/awake.mp4"));
    if (video.open(QIODevice::ReadOnly))
        m_wakeVideo = video.readAll();
    connect(&m_tcp, &QTcpServer::newConnection, this, &RemoteServer::acceptConnections);
    connect(&m_webSockets, &QWebSocketServer::newConnection, this, &RemoteServer::adoptViewers);
    // A phone that left the room's network never closes its connection;
    // one that has not answered the last ping is dropped, so dead
    // connections do not use up the 64.
    m_pings.setInterval(PingIntervalMs);
    connect(&m_pings, &QTimer::timeout, this, &RemoteServer::pingViewers);
}

RemoteServer::~RemoteServer()
{
    const QSignalBlocker quiet(this);
    close(Goodbye::Ended);
}

bool RemoteServer::listen(const QHostAddress &address, quint16 port)
{
    close(Goodbye::TurnedOff);
    return m_tcp.listen(address, port);
}

void RemoteServer::close(Goodbye why)
{
    m_tcp.close();
    m_pings.stop();
    const std::vector<std::unique_ptr<Viewer>> viewers = std::move(m_viewers);
    m_viewers.clear();
    for (const std::unique_ptr<Viewer> &viewer : viewers) {
        viewer->socket->disconnect(this);
        viewer->socket->close(QWebSocketProtocol::CloseCode(why));
        viewer->socket->flush();
        delete viewer->socket;
    }
    // Connections still sending their request, or in their WebSocket
    // handshake, are simply cut.
    const QList<QTcpSocket *> pending = findChildren<QTcpSocket *>(Qt::FindDirectChildrenOnly);
    for (QTcpSocket *socket : pending) {
        socket->disconnect();
        socket->abort();
        delete socket;
    }
    if (!viewers.empty())
        emit viewersChanged(0);
}

void RemoteServer::setTokens(const LinkTokens &tokens)
{
    const std::array<bool, 4> changed{tokens.view != m_tokens.view, tokens.control != m_tokens.control,
                                      tokens.chair != m_tokens.chair, tokens.board != m_tokens.board};
    m_tokens = tokens;
    const std::vector<QWebSocket *> stale = [&] {
        std::vector<QWebSocket *> sockets;
        for (const std::unique_ptr<Viewer> &viewer : m_viewers) {
            if (changed[size_t(viewer->link)])
                sockets.push_back(viewer->socket);
        }
        return sockets;
    }();
    for (QWebSocket *socket : stale)
        socket->close(QWebSocketProtocol::CloseCode(Goodbye::LinkReplaced));
}

bool RemoteServer::hasViewers(Link link) const
{
    return std::any_of(m_viewers.begin(), m_viewers.end(),
                       [link](const std::unique_ptr<Viewer> &v) { return v->link == link; });
}

void RemoteServer::send(Link link, const QByteArray &state)
{
    const QString text = QString::fromUtf8(state);
    // A socket that fails while being written to leaves the list at once.
    QList<QPointer<QWebSocket>> sockets;
    for (const std::unique_ptr<Viewer> &viewer : m_viewers) {
        if (viewer->link == link)
            sockets << viewer->socket;
    }
    for (const QPointer<QWebSocket> &socket : sockets) {
        if (socket)
            socket->sendTextMessage(text);
    }
}

void RemoteServer::acceptConnections()
{
    while (QTcpSocket *socket = m_tcp.nextPendingConnection()) {
        if (m_connections >= MaxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        socket->setParent(this);
        new ConnectionCount(*socket, m_connections);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { readHead(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        // The whole head must come within the time limit: a client that
        // trickles a byte now and then holds no connection for long.
        auto *deadline = new QTimer(socket);
        deadline->setObjectName(Deadline);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, socket, &QTcpSocket::abort);
        deadline->start(m_requestTimeoutMs);
    }
}

void RemoteServer::readHead(QTcpSocket *socket)
{
    // Peeked, not read: a WebSocket handshake goes to Qt's server whole.
    const QByteArray head = socket->peek(MaxRequestHead);
    const qsizetype end = head.indexOf(HeadEnd);
    if (end < 0) {
        if (head.size() >= MaxRequestHead)
            socket->abort();
        return;
    }
    disconnect(socket, &QTcpSocket::readyRead, socket, nullptr);

    const std::optional<RequestHead> request = parseRequestHead(QByteArrayView(head).first(end));
    if (!request) {
        respond(socket, 400);
        return;
    }
    const Answer answer = answerFor(*request, m_tokens, ownHost());
    if (answer.status == 101) {
        // Still ours until Qt's server has made a WebSocket of it: one
        // whose handshake fails is only closed there.
        m_webSockets.handleConnection(socket);
        return;
    }
    socket->read(end + HeadEnd.size());
    if (answer.status != 200) {
        respond(socket, answer.status);
    } else if (answer.resource == Resource::State) {
        respond(socket, 200, "application/json", m_state ? m_state(answer.link) : QByteArray("{}"));
    } else if (answer.resource == Resource::Rooms) {
        respond(socket, 200, "application/json", m_rooms ? m_rooms() : QByteArray("[]"));
    } else if (answer.resource == Resource::WakeVideo) {
        sendWakeVideo(socket, *request);
    } else if (answer.resource == Resource::Command) {
        if (!m_controlAllowed)
            respond(socket, 403, "text/plain", "control is not allowed\n");
        else if (request->chunked)
            respond(socket, 411);
        else if (request->contentLength.value_or(0) > MaxCommandBody)
            respond(socket, 413);
        else
            readCommand(socket, answer.command, request->contentLength.value_or(0));
    } else if (answer.resource == Resource::Report) {
        // The report needs no script and nothing from elsewhere.
        const QByteArray policy = "Content-Security-Policy: default-src 'none'; style-src 'unsafe-inline'; "
                                  "img-src data:; base-uri 'none'; form-action 'none'; frame-ancestors 'none'\r\n";
        if (m_report)
            respond(socket, 200, "text/html; charset=utf-8", m_report(), policy);
        else
            respond(socket, 404);
    } else {
        // The page may talk to nothing but its own server: its WebSocket,
        // its state and its video.
        const QByteArray policy = "Content-Security-Policy: default-src 'none'; style-src 'unsafe-inline'; "
                                  "script-src 'unsafe-inline'; img-src data:; media-src 'self'; "
                                  "connect-src 'self' ws://" +
                                  request->host + "; base-uri 'none'; form-action 'none'; frame-ancestors 'none'\r\n";
        respond(socket, 200, "text/html; charset=utf-8", m_pages[size_t(answer.link)], policy);
    }
}

void RemoteServer::sendWakeVideo(QTcpSocket *socket, const RequestHead &request)
{
    const std::optional<ByteRange> range = byteRange(request.range, m_wakeVideo.size());
    if (!range) {
        respond(socket, 200, "video/mp4", m_wakeVideo, "Accept-Ranges: bytes\r\n");
        return;
    }
    respond(socket, 206, "video/mp4", m_wakeVideo.sliced(range->first, range->last - range->first + 1),
            "Accept-Ranges: bytes\r\nContent-Range: bytes " + QByteArray::number(range->first) + '-' +
                QByteArray::number(range->last) + '/' + QByteArray::number(m_wakeVideo.size()) + "\r\n");
}

void RemoteServer::readCommand(QTcpSocket *socket, const QByteArray &command, qint64 length)
{
    // The body comes within the time limit of the whole request, or the
    // connection is cut as for a slow head.
    const auto take = [this, socket, command, length] {
        if (socket->bytesAvailable() < length)
            return false;
        disconnect(socket, &QTcpSocket::readyRead, socket, nullptr);
        // Run once the connection's own signal has returned: the command
        // redraws the main window, whose redraw runs the pending events, and
        // a client that has closed its end has its connection deleted there.
        QMetaObject::invokeMethod(
            this, [this, client = QPointer<QTcpSocket>(socket), command, body = socket->read(length)] {
                runCommand(client, command, body);
            }, Qt::QueuedConnection);
        return true;
    };
    if (!take())
        connect(socket, &QTcpSocket::readyRead, socket, take);
}

void RemoteServer::runCommand(const QPointer<QTcpSocket> &socket, const QByteArray &command,
                              const QByteArray &body)
{
    if (!m_apiRate.allow(m_clock.elapsed())) {
        if (socket)
            respond(socket, 429, "text/plain", "at most 5 commands a second\n");
        return;
    }
    // A client that left before the answer has nobody to read it.
    const CommandOutcome outcome = m_command ? m_command(command, body) : CommandOutcome{404, {}};
    if (!socket)
        return;
    if (outcome.status == 200)
        respond(socket, 200, "application/json", m_state ? m_state(Link::Control) : QByteArray("{}"));
    else
        respond(socket, outcome.status, "text/plain; charset=utf-8", outcome.reason + '\n');
}

void RemoteServer::respond(QTcpSocket *socket, int status, const QByteArray &contentType, const QByteArray &body,
                           const QByteArray &extraHeaders)
{
    QByteArray response = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    if (!contentType.isEmpty())
        response += "Content-Type: " + contentType + "\r\n";
    response += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    response += "Cache-Control: no-store\r\n"
                "X-Content-Type-Options: nosniff\r\n"
                "Referrer-Policy: no-referrer\r\n"
                "Connection: close\r\n";
    response += extraHeaders;
    response += "\r\n";
    response += body;
    socket->write(response);
    socket->disconnectFromHost();
}

void RemoteServer::adoptViewers()
{
    while (QWebSocket *socket = m_webSockets.nextPendingConnection()) {
        socket->setParent(this);
        // The WebSocket now owns the connection it was made from and
        // deletes it with itself, so it becomes its child rather than
        // ours; the time limit for the request is over.
        QTcpSocket *connection = connectionOf(socket);
        if (connection) {
            disconnect(connection, &QTcpSocket::disconnected, connection, nullptr);
            delete connection->findChild<QTimer *>(Deadline, Qt::FindDirectChildrenOnly);
            connection->setParent(socket);
        }
        // The tokens may have changed while the handshake was under way.
        const QByteArray token = tokenOf(socket->requestUrl().path(QUrl::FullyEncoded).toLatin1()).toByteArray();
        const std::optional<Link> link = linkOf(token, m_tokens);
        if (!connection || !link) {
            socket->close(QWebSocketProtocol::CloseCode(Goodbye::LinkReplaced));
            socket->deleteLater();
            continue;
        }
        // Pages send short commands and messages of at most 200
        // characters; nothing longer is read.
        socket->setMaxAllowedIncomingFrameSize(MaxCommandBody);
        socket->setMaxAllowedIncomingMessageSize(MaxCommandBody);
        auto viewer = std::make_unique<Viewer>();
        viewer->socket = socket;
        viewer->link = *link;
        Viewer *v = viewer.get();
        m_viewers.push_back(std::move(viewer));
        connect(socket, &QWebSocket::textMessageReceived, this, [this, v](const QString &m) { receive(*v, m); });
        connect(socket, &QWebSocket::binaryMessageReceived, this,
                [this, v](const QByteArray &) { complainOnce(*v, "a binary message"); });
        connect(socket, &QWebSocket::pong, this, [v] { v->answered = true; });
        connect(socket, &QWebSocket::disconnected, this, [this, socket] { forget(socket); });
        if (m_state)
            socket->sendTextMessage(QString::fromUtf8(m_state(*link)));
        // Started once, not again at each page: pages that reconnect more
        // often than the interval would otherwise keep every ping from
        // being sent.
        if (!m_pings.isActive())
            m_pings.start();
        emit viewersChanged(viewerCount());
    }
}

QTcpSocket *RemoteServer::connectionOf(const QWebSocket *socket) const
{
    const QList<QTcpSocket *> connections = findChildren<QTcpSocket *>(Qt::FindDirectChildrenOnly);
    for (QTcpSocket *connection : connections) {
        if (connection->peerPort() == socket->peerPort() && connection->peerAddress() == socket->peerAddress())
            return connection;
    }
    return nullptr;
}

void RemoteServer::receive(Viewer &viewer, const QString &message)
{
    if (viewer.link != Link::Control) {
        complainOnce(viewer, "a message from a view link");
        return;
    }
    const QJsonObject command = QJsonDocument::fromJson(message.toUtf8()).object();
    const QString caption = command.value(QStringLiteral("press")).toString();
    const QJsonValue text = command.value(QStringLiteral("message"));
    if (!pressable(caption) && !text.isString()) {
        complainOnce(viewer, "a malformed or unknown command");
        return;
    }
    if (!m_controlAllowed || !viewer.rate.allow(m_clock.elapsed()))
        return;
    if (text.isString()) {
        if (m_command)
            m_command(QByteArrayLiteral("message"), text.toString().toUtf8());
        return;
    }
    emit pressed(caption);
}

void RemoteServer::complainOnce(Viewer &viewer, const char *what)
{
    if (viewer.complained)
        return;
    viewer.complained = true;
    qCWarning(lcRemote, "Ignored %s from %s; further ones from this page are ignored silently.", what,
              qPrintable(viewer.socket->peerAddress().toString()));
}

void RemoteServer::pingViewers()
{
    std::vector<QWebSocket *> silent;
    for (const std::unique_ptr<Viewer> &viewer : m_viewers) {
        if (!viewer->answered)
            silent.push_back(viewer->socket);
        viewer->answered = false;
        viewer->socket->ping();
    }
    for (QWebSocket *socket : silent)
        socket->abort();
}

void RemoteServer::forget(QWebSocket *socket)
{
    const auto it = std::find_if(m_viewers.begin(), m_viewers.end(),
                                 [socket](const std::unique_ptr<Viewer> &v) { return v->socket == socket; });
    if (it == m_viewers.end())
        return;
    m_viewers.erase(it);
    socket->disconnect(this);
    socket->deleteLater();
    if (m_viewers.empty())
        m_pings.stop();
    emit viewersChanged(viewerCount());
}

} // namespace remote
