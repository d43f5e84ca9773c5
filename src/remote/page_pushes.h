#pragma once

#include "remote/command_rate.h"
#include "remote/request_rules.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class QWebSocket;

namespace remote {

// Why the server closed a page's WebSocket; the page tells its reader.
enum class Goodbye { Ended = 4000, LinkReplaced = 4001, TurnedOff = 4002 };

// The open pages of a server, each a WebSocket of one link: every state
// pushed to a link reaches its pages, what a page sends goes to the
// message handler, and a page that stopped answering pings is dropped, so
// phones that left the network do not keep their places.
class PagePushes : public QObject
{
    Q_OBJECT
public:
    struct Page {
        QWebSocket *socket = nullptr;
        Link link = Link::View;
        CommandRate rate;
        bool complained = false;
        bool answered = true; // its last ping was answered
        // Logs what a page sent that was ignored, once for each page.
        void complainOnce(const char *what);
    };
    using MessageHandler = std::function<void(Page &page, const QString &message)>;
    static constexpr int PingIntervalMs = 15000;
    // Pages send short commands and messages; nothing longer is read.
    static constexpr qint64 MaxMessage = 1024;

    explicit PagePushes(QObject *parent = nullptr);
    ~PagePushes() override;

    void setMessageHandler(MessageHandler handler) { m_messages = std::move(handler); }
    void setPingInterval(int milliseconds) { m_pings.setInterval(milliseconds); }

    // Takes an open WebSocket as a page of the link and sends it its first
    // state.
    void add(QWebSocket *socket, Link link, const QByteArray &first);
    // Pushes a state to every open page of a link.
    void send(Link link, const QByteArray &state);
    // Closes the pages of the links chosen, telling them why.
    void close(const std::function<bool(Link)> &which, Goodbye why);
    // Closes and deletes every page at once.
    void closeAll(Goodbye why);

    bool hasPages() const { return !m_pages.empty(); }
    bool hasPages(Link link) const;
    int count() const { return int(m_pages.size()); }

signals:
    void countChanged(int count);

private:
    void ping();
    void forget(QWebSocket *socket);

    std::vector<std::unique_ptr<Page>> m_pages;
    MessageHandler m_messages;
    QTimer m_pings;
};

} // namespace remote
