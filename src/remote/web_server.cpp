#include "remote/web_server.h"

#include "remote/http_answer.h"
#include "remote/own_host.h"

#include <QTcpSocket>
#include <QWebSocket>

#include <algorithm>

namespace remote {

namespace {
const QByteArray HeadEnd = QByteArrayLiteral("\r\n\r\n");
} // namespace

Reply::Reply(WebServer &server, QTcpSocket *socket, bool withBody)
    : m_server(&server), m_socket(socket), m_withBody(withBody)
{
}

void Reply::operator()(int status, const QByteArray &contentType, const QByteArray &body,
                       const QByteArray &extraHeaders) const
{
    if (m_server && m_socket && m_socket->state() == QAbstractSocket::ConnectedState)
        m_server->respond(*m_socket, httpAnswer(status, contentType, body, extraHeaders, m_withBody));
}

WebServer::WebServer(QObject *parent)
    : QObject(parent), m_webSockets(QStringLiteral("Orlatim"), QWebSocketServer::NonSecureMode)
{
    connect(&m_tcp, &QTcpServer::newConnection, this, &WebServer::acceptConnections);
    connect(&m_webSockets, &QWebSocketServer::newConnection, this, &WebServer::adoptPages);
}

WebServer::~WebServer()
{
    const QSignalBlocker quiet(m_pushes);
    close(Goodbye::Ended);
}

bool WebServer::listen(const QHostAddress &address, quint16 port)
{
    close(Goodbye::TurnedOff);
    return m_tcp.listen(address, port);
}

void WebServer::close(Goodbye why)
{
    m_tcp.close();
    m_pushes.closeAll(why);
    // Connections still sending their request, or in their WebSocket
    // handshake, are simply cut.
    const QList<QTcpSocket *> pending = findChildren<QTcpSocket *>(Qt::FindDirectChildrenOnly);
    for (QTcpSocket *socket : pending) {
        socket->disconnect();
        socket->abort();
        delete socket;
    }
}

void WebServer::setTokens(const QList<LinkToken> &tokens)
{
    const QList<LinkToken> old = m_routes.tokens();
    m_routes.setTokens(tokens);
    const auto replaced = [&old, &tokens](Link link) {
        const auto tokenOf = [link](const QList<LinkToken> &list) {
            const auto it = std::find_if(list.begin(), list.end(), [link](const LinkToken &t) { return t.link == link; });
            return it == list.end() ? QByteArray() : it->token;
        };
        return tokenOf(old) != tokenOf(tokens);
    };
    m_pushes.close(replaced, Goodbye::LinkReplaced);
}

void WebServer::acceptConnections()
{
    while (QTcpSocket *socket = m_tcp.nextPendingConnection()) {
        if (!m_admission.admit(*socket)) {
            socket->deleteLater();
            continue;
        }
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { readHead(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void WebServer::readHead(QTcpSocket *socket)
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
        respond(*socket, httpAnswer(400));
        return;
    }
    const Match match = m_routes.match(*request, ownHost());
    if (match.link) {
        const auto standing = match.link->reserved ? Admission::Standing::Reserved : Admission::Standing::Guest;
        if (!m_admission.settle(*socket, standing)) {
            respond(*socket, httpAnswer(503, "text/plain", "too many connections; try again shortly\n",
                                        "Retry-After: 5\r\n"));
            return;
        }
    }
    if (match.status == 101) {
        // Still ours until Qt's server has made a WebSocket of it: one
        // whose handshake fails is only closed there.
        m_webSockets.handleConnection(socket);
        return;
    }
    socket->read(end + HeadEnd.size());
    if (match.status != 200) {
        respond(*socket, httpAnswer(match.status));
        return;
    }
    Request taken{*request, match.link->link, {}};
    if (request->method == "POST") {
        readBody(socket, std::move(taken), *match.route);
        return;
    }
    m_admission.requestRead(*socket);
    match.route->handler(taken, Reply(*this, socket, request->method != "HEAD"));
}

void WebServer::readBody(QTcpSocket *socket, Request request, const Route &route)
{
    if (request.head.chunked) {
        respond(*socket, httpAnswer(411));
        return;
    }
    const qint64 length = request.head.contentLength.value_or(0);
    if (length > route.maxBody) {
        respond(*socket, httpAnswer(413));
        return;
    }
    // A client that asked waits for this before it sends the body, which
    // must still come within the request's time.
    if (request.head.expectContinue)
        socket->write("HTTP/1.1 100 Continue\r\n\r\n");
    const auto take = [this, socket, request, handler = route.handler, length] {
        if (socket->bytesAvailable() < length)
            return false;
        disconnect(socket, &QTcpSocket::readyRead, socket, nullptr);
        m_admission.requestRead(*socket);
        Request whole = request;
        whole.body = socket->read(length);
        // Run once the connection's own signal has returned: a handler that
        // redraws the main window runs the pending events, and a client
        // that has closed its end has its connection deleted there. A
        // client that left before the answer has nobody to read it; what it
        // asked is done all the same.
        QMetaObject::invokeMethod(
            this,
            [this, whole, handler, client = QPointer<QTcpSocket>(socket)] { handler(whole, Reply(*this, client, true)); },
            Qt::QueuedConnection);
        return true;
    };
    if (!take())
        connect(socket, &QTcpSocket::readyRead, socket, take);
}

void WebServer::respond(QTcpSocket &socket, const QByteArray &answer)
{
    m_admission.requestRead(socket);
    m_admission.sending(socket);
    socket.write(answer);
    socket.disconnectFromHost();
}

void WebServer::adoptPages()
{
    while (QWebSocket *socket = m_webSockets.nextPendingConnection()) {
        socket->setParent(this);
        // The WebSocket now owns the connection it was made from and
        // deletes it with itself, so it becomes its child rather than
        // ours; the time limit for the request is over, its place stays.
        QTcpSocket *connection = connectionOf(socket);
        if (connection) {
            disconnect(connection, &QTcpSocket::disconnected, connection, nullptr);
            m_admission.requestRead(*connection);
            connection->setParent(socket);
        }
        // The tokens may have changed while the handshake was under way.
        const std::optional<LinkToken> link =
            m_routes.linkOf(tokenOf(socket->requestUrl().path(QUrl::FullyEncoded).toLatin1()));
        if (!connection || !link) {
            socket->close(QWebSocketProtocol::CloseCode(Goodbye::LinkReplaced));
            socket->deleteLater();
            continue;
        }
        m_pushes.add(socket, link->link, m_firstState ? m_firstState(link->link) : QByteArray());
    }
}

QTcpSocket *WebServer::connectionOf(const QWebSocket *socket) const
{
    const QList<QTcpSocket *> connections = findChildren<QTcpSocket *>(Qt::FindDirectChildrenOnly);
    for (QTcpSocket *connection : connections) {
        if (connection->peerPort() == socket->peerPort() && connection->peerAddress() == socket->peerAddress())
            return connection;
    }
    return nullptr;
}

} // namespace remote
