#include "remote/page_pushes.h"

#include <QLoggingCategory>
#include <QPointer>
#include <QSignalBlocker>
#include <QWebSocket>

#include <algorithm>

Q_LOGGING_CATEGORY(lcPages, "orlatim.remote")

namespace remote {

void PagePushes::Page::complainOnce(const char *what)
{
    if (complained)
        return;
    complained = true;
    qCWarning(lcPages, "Ignored %s from %s; further ones from this page are ignored silently.", what,
              qPrintable(socket->peerAddress().toString()));
}

PagePushes::PagePushes(QObject *parent) : QObject(parent)
{
    m_pings.setInterval(PingIntervalMs);
    connect(&m_pings, &QTimer::timeout, this, &PagePushes::ping);
}

PagePushes::~PagePushes()
{
    const QSignalBlocker quiet(this);
    closeAll(Goodbye::Ended);
}

void PagePushes::add(QWebSocket *socket, Link link, const QByteArray &first)
{
    socket->setParent(this);
    socket->setMaxAllowedIncomingFrameSize(MaxMessage);
    socket->setMaxAllowedIncomingMessageSize(MaxMessage);
    auto page = std::make_unique<Page>();
    page->socket = socket;
    page->link = link;
    Page *p = page.get();
    m_pages.push_back(std::move(page));
    connect(socket, &QWebSocket::textMessageReceived, this, [this, p](const QString &message) {
        if (m_messages)
            m_messages(*p, message);
    });
    connect(socket, &QWebSocket::binaryMessageReceived, this,
            [p](const QByteArray &) { p->complainOnce("a binary message"); });
    connect(socket, &QWebSocket::pong, this, [p] { p->answered = true; });
    connect(socket, &QWebSocket::disconnected, this, [this, socket] { forget(socket); });
    if (!first.isEmpty())
        socket->sendTextMessage(QString::fromUtf8(first));
    // Started once, not again at each page: pages that reconnect more
    // often than the interval would otherwise keep every ping from being
    // sent.
    if (!m_pings.isActive())
        m_pings.start();
    emit countChanged(count());
}

bool PagePushes::hasPages(Link link) const
{
    return std::any_of(m_pages.begin(), m_pages.end(),
                       [link](const std::unique_ptr<Page> &p) { return p->link == link; });
}

void PagePushes::send(Link link, const QByteArray &state)
{
    const QString text = QString::fromUtf8(state);
    // A socket that fails while being written to leaves the list at once.
    QList<QPointer<QWebSocket>> sockets;
    for (const std::unique_ptr<Page> &page : m_pages) {
        if (page->link == link)
            sockets << page->socket;
    }
    for (const QPointer<QWebSocket> &socket : sockets) {
        if (socket)
            socket->sendTextMessage(text);
    }
}

void PagePushes::close(const std::function<bool(Link)> &which, Goodbye why)
{
    std::vector<QWebSocket *> chosen;
    for (const std::unique_ptr<Page> &page : m_pages) {
        if (which(page->link))
            chosen.push_back(page->socket);
    }
    for (QWebSocket *socket : chosen)
        socket->close(QWebSocketProtocol::CloseCode(why));
}

void PagePushes::closeAll(Goodbye why)
{
    m_pings.stop();
    const std::vector<std::unique_ptr<Page>> pages = std::move(m_pages);
    m_pages.clear();
    for (const std::unique_ptr<Page> &page : pages) {
        page->socket->disconnect(this);
        page->socket->close(QWebSocketProtocol::CloseCode(why));
        page->socket->flush();
        delete page->socket;
    }
    if (!pages.empty())
        emit countChanged(0);
}

void PagePushes::ping()
{
    std::vector<QWebSocket *> silent;
    for (const std::unique_ptr<Page> &page : m_pages) {
        if (!page->answered)
            silent.push_back(page->socket);
        page->answered = false;
        page->socket->ping();
    }
    for (QWebSocket *socket : silent)
        socket->abort();
}

void PagePushes::forget(QWebSocket *socket)
{
    const auto it = std::find_if(m_pages.begin(), m_pages.end(),
                                 [socket](const std::unique_ptr<Page> &p) { return p->socket == socket; });
    if (it == m_pages.end())
        return;
    m_pages.erase(it);
    socket->disconnect(this);
    socket->deleteLater();
    if (m_pages.empty())
        m_pings.stop();
    emit countChanged(count());
}

} // namespace remote
