#include "board/board_feed.h"

#include <QJsonDocument>

#include <algorithm>

namespace board {

namespace {

QByteArray compact(const QJsonObject &object) { return QJsonDocument(object).toJson(QJsonDocument::Compact); }

} // namespace

BoardFeed::BoardFeed(const QString &prefix, QObject *parent) : QObject(parent), m_table(prefix)
{
    m_gather.setSingleShot(true);
    connect(&m_gather, &QTimer::timeout, this, &BoardFeed::pushNow);
    m_staleCheck.setInterval(StaleCheckMs);
    connect(&m_staleCheck, &QTimer::timeout, this, &BoardFeed::checkStale);
    m_staleCheck.start();
}

void BoardFeed::take(const QString &topic, const QByteArray &payload)
{
    const std::optional<Change> change = m_table.take(topic, payload, QDateTime::currentDateTime());
    if (!change)
        return;
    m_changed.insert(change->level);
    m_reordered = m_reordered || change->reordered;
    pushSoon();
}

void BoardFeed::setBroker(bool connected, const QString &words)
{
    if (connected == m_brokerConnected && words == m_brokerWords)
        return;
    m_brokerConnected = connected;
    m_brokerWords = words;
    m_brokerChanged = true;
    pushSoon();
}

QByteArray BoardFeed::rooms() const { return QJsonDocument(m_table.entries()).toJson(QJsonDocument::Compact); }

QByteArray BoardFeed::everything() const
{
    return compact({{QStringLiteral("order"), QJsonArray::fromStringList(m_table.order())},
                    {QStringLiteral("rooms"), m_table.entries()},
                    {QStringLiteral("broker"), brokerJson()}});
}

QJsonObject BoardFeed::brokerJson() const
{
    return {{QStringLiteral("connected"), m_brokerConnected}, {QStringLiteral("words"), m_brokerWords}};
}

void BoardFeed::pushSoon()
{
    if (m_gather.isActive())
        return;
    // The first change after a quiet spell goes out at once, once the
    // messages already waiting in the event loop have joined it.
    const qint64 waited = m_sincePush.isValid() ? m_sincePush.elapsed() : GatherMs;
    m_gather.start(int(std::max<qint64>(0, GatherMs - waited)));
}

void BoardFeed::pushNow()
{
    m_sincePush.start();
    QJsonObject message;
    if (m_reordered)
        message.insert(QStringLiteral("order"), QJsonArray::fromStringList(m_table.order()));
    if (m_brokerChanged)
        message.insert(QStringLiteral("broker"), brokerJson());
    QJsonArray changed;
    for (const QString &level : std::as_const(m_changed)) {
        const QJsonObject entry = m_table.entry(level);
        if (!entry.isEmpty())
            changed.append(entry);
    }
    message.insert(QStringLiteral("rooms"), changed);
    m_changed.clear();
    m_reordered = false;
    m_brokerChanged = false;
    emit push(compact(message));
}

void BoardFeed::checkStale()
{
    const QStringList turned = m_table.refreshStale(QDateTime::currentDateTime());
    if (turned.isEmpty())
        return;
    for (const QString &level : turned)
        m_changed.insert(level);
    pushSoon();
}

} // namespace board
