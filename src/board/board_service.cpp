#include "board/board_service.h"

#include "remote/http_answer.h"

#include <QFile>

namespace board {

using remote::Link;

QByteArray boardPage(const QString &language)
{
    QFile file(QStringLiteral(":/board/board_page.html"));
    QByteArray page = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QByteArray languageAttribute = "<html lang=\"" + language.toLatin1() + '"';
    return page.replace(QByteArrayLiteral("<html lang=\"en\""), languageAttribute);
}

BoardService::BoardService(const BoardRequest &request, QObject *parent)
    : QObject(parent), m_request(request), m_feed(request.broker.prefix), m_page(boardPage(request.language))
{
    // No control or chair link to hold places for; the hallway's screens
    // may be driven by one signage computer, or sit behind one NAT.
    remote::Admission::Limits &limits = m_web.admission().limits();
    limits.reserved = 0;
    limits.perAddress = 32;
    m_web.addRoute({{Link::Board}, "GET", "", [this](const remote::Request &r, const remote::Reply &reply) {
                        reply(200, "text/html; charset=utf-8", m_page, remote::pagePolicy(r.head.host));
                    }});
    m_web.addRoute({{Link::Board}, "GET", "/api/rooms", [this](const remote::Request &, const remote::Reply &reply) {
                        reply(200, "application/json", m_feed.rooms());
                    }});
    m_web.addRoute({{Link::Board}, "GET", "/ws", {}, true});
    // A page that opens gets every room; then only what changes. The pages
    // have nothing to say.
    m_web.setFirstState([this](Link) { return m_feed.everything(); });
    m_web.pushes().setMessageHandler(
        [](remote::PagePushes::Page &page, const QString &) { page.complainOnce("a message from a board page"); });
    connect(&m_feed, &BoardFeed::push, this,
            [this](const QByteArray &message) { m_web.pushes().send(Link::Board, message); });
    connect(&m_client, &MqttClient::message, &m_feed, &BoardFeed::take);
    connect(&m_client, &MqttClient::stateChanged, this, [this](const QString &words) {
        m_feed.setBroker(m_client.state() == MqttClient::State::Connected, words);
        emit brokerChanged(words);
    });
}

QString BoardService::start(const QByteArray &token, const QHostAddress &address)
{
    m_web.setTokens({{token, Link::Board, false}});
    const quint16 port = m_request.port.value_or(DefaultBoardPort);
    if (!m_web.listen(address, port))
        return tr("Port %1 cannot be opened: %2").arg(port).arg(m_web.errorString());
    const QString prefix = m_request.broker.prefix;
    m_client.subscribe(prefix + QStringLiteral("/+/state"));
    m_client.subscribe(prefix + QStringLiteral("/+/online"));
    // Only the state is read; the board publishes nothing and leaves no will.
    return m_client.start(MqttSettings{m_request.broker, m_request.password, m_request.caFile, std::nullopt});
}

} // namespace board
