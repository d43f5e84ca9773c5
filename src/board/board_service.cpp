#include "board/board_service.h"

#include <QFile>

namespace board {

QByteArray boardPage(const QString &language)
{
    QFile file(QStringLiteral(":/board/board_page.html"));
    QByteArray page = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QByteArray languageAttribute = "<html lang=\"" + language.toLatin1() + '"';
    return page.replace(QByteArrayLiteral("<html lang=\"en\""), languageAttribute);
}

BoardService::BoardService(const BoardRequest &request, QObject *parent)
    : QObject(parent), m_request(request), m_feed(request.broker.prefix)
{
    m_server.setPage(remote::Link::Board, boardPage(request.language));
    // A page that opens gets every room; then only what changes.
    m_server.setStateSource([this](remote::Link) { return m_feed.everything(); });
    m_server.setRoomsSource([this] { return m_feed.rooms(); });
    connect(&m_feed, &BoardFeed::push, this,
            [this](const QByteArray &message) { m_server.send(remote::Link::Board, message); });
    connect(&m_client, &MqttClient::message, &m_feed, &BoardFeed::take);
    connect(&m_client, &MqttClient::stateChanged, this, [this](const QString &words) {
        m_feed.setBroker(m_client.state() == MqttClient::State::Connected, words);
        emit brokerChanged(words);
    });
}

QString BoardService::start(const QByteArray &token, const QHostAddress &address)
{
    m_server.setTokens({{}, {}, {}, token});
    if (!m_server.listen(address, m_request.port.value_or(DefaultBoardPort))) {
        return tr("Port %1 cannot be opened: %2")
            .arg(m_request.port.value_or(DefaultBoardPort))
            .arg(m_server.errorString());
    }
    const QString prefix = m_request.broker.prefix;
    m_client.subscribe(prefix + QStringLiteral("/+/state"));
    m_client.subscribe(prefix + QStringLiteral("/+/online"));
    // Only the state is read; the board publishes nothing and leaves no will.
    return m_client.start(MqttSettings{m_request.broker, m_request.password, m_request.caFile, std::nullopt});
}

} // namespace board
