#pragma once

#include "remote/admission.h"
#include "remote/page_pushes.h"
#include "remote/route_table.h"

#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QWebSocketServer>

#include <functional>

class QTcpSocket;

namespace remote {

class WebServer;

// The answer to one request, given to its route's handler, which may answer
// at once or later; an answer to a client that has left goes nowhere.
class Reply
{
public:
    Reply(WebServer &server, QTcpSocket *socket, bool withBody);
    void operator()(int status, const QByteArray &contentType = {}, const QByteArray &body = {},
                    const QByteArray &extraHeaders = {}) const;

private:
    QPointer<WebServer> m_server;
    QPointer<QTcpSocket> m_socket;
    bool m_withBody = true;
};

// A web server for pages on a shared network, made of three parts that
// each do one job: Admission decides who holds a connection and for how
// long, the RouteTable where a request with a valid token, our own Host and
// Origin goes, and PagePushes keeps the open pages' WebSockets. It reads
// each request head itself (at most MaxRequestHead bytes), so that these
// limits hold before anything else is done; a POST's body, of at most its
// route's maxBody, is read before its handler runs.
//
// A server of other pages is another WebServer with its own links and
// routes: set its tokens, add its routes (a WebSocket route opens pushes),
// listen, and push to its pages through pushes(). RemoteServer is the
// remote view's.
class WebServer : public QObject
{
    Q_OBJECT
public:
    explicit WebServer(QObject *parent = nullptr);
    ~WebServer() override;

    bool listen(const QHostAddress &address, quint16 port);
    // Stops listening and closes every connection, telling the pages why.
    void close(Goodbye why);
    bool isListening() const { return m_tcp.isListening(); }
    quint16 port() const { return m_tcp.serverPort(); }
    QString errorString() const { return m_tcp.errorString(); }

    // New tokens close the pages opened with the old ones.
    void setTokens(const QList<LinkToken> &tokens);
    void addRoute(Route route) { m_routes.add(std::move(route)); }
    // The state a page of the link gets first, as it opens.
    void setFirstState(std::function<QByteArray(Link)> source) { m_firstState = std::move(source); }

    Admission &admission() { return m_admission; }
    PagePushes &pushes() { return m_pushes; }
    const PagePushes &pushes() const { return m_pushes; }
    int connectionCount() const { return m_admission.count(); }

private:
    friend class Reply;

    void acceptConnections();
    void readHead(QTcpSocket *socket);
    void readBody(QTcpSocket *socket, Request request, const Route &route);
    void respond(QTcpSocket &socket, const QByteArray &answer);
    void adoptPages();
    QTcpSocket *connectionOf(const QWebSocket *socket) const;

    QTcpServer m_tcp;
    QWebSocketServer m_webSockets;
    Admission m_admission;
    RouteTable m_routes;
    PagePushes m_pushes;
    std::function<QByteArray(Link)> m_firstState;
};

} // namespace remote
