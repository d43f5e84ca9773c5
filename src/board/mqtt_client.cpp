#include "board/mqtt_client.h"

#include "board/mqtt_connection.h"

#include <QCoreApplication>

#include <mosquitto.h>

#include <algorithm>

namespace board {

MqttClient::MqttClient(QObject *parent) : QObject(parent)
{
    // Once per process, before the first client; never undone, as clients
    // may live until the very end.
    [[maybe_unused]] static const int initialised = mosquitto_lib_init();
    m_stateText = tr("off");
}

MqttClient::~MqttClient()
{
    // Whoever listens may be half destroyed already: it owns this client.
    blockSignals(true);
    stop();
    // Each connection's destructor waits for its thread: a second at most
    // for the goodbye.
    m_leaving.clear();
}

QString MqttClient::start(const MqttSettings &settings)
{
    stop();
    // Another broker or another room: nothing of the last one is sent again.
    m_topics.clear();
    m_settings = settings;
    auto connection = std::make_unique<MqttConnection>(*this, ++m_generation);
    const QString problem = connection->start(settings);
    if (!problem.isEmpty()) {
        connection->leave(std::nullopt);
        m_leaving.push_back(std::move(connection));
        setState(State::Off, problem);
        return problem;
    }
    m_connection = std::move(connection);
    return {};
}

void MqttClient::stop()
{
    ++m_generation;
    for (Topic &topic : m_topics)
        topic.inFlight = 0;
    if (!m_connection)
        return;
    m_connection->leave(m_settings.will);
    m_leaving.push_back(std::move(m_connection));
    setState(State::Off, tr("off"));
}

void MqttClient::publish(const QString &topic, const QByteArray &payload, int qos, bool retain)
{
    Topic &entry = m_topics[topic];
    entry.waiting = MqttMessage{topic, payload, qos, retain};
    if (retain)
        entry.retained = entry.waiting;
    send(topic);
}

void MqttClient::send(const QString &topic)
{
    Topic &entry = m_topics[topic];
    if (!entry.waiting || entry.inFlight || !m_connection || !m_connection->isConnected())
        return;
    const int mid = m_connection->publish(*entry.waiting);
    if (mid == 0)
        return;
    // QoS 0 is never acknowledged: nothing stays in flight.
    entry.inFlight = entry.waiting->qos > 0 ? mid : 0;
    entry.waiting.reset();
}

void MqttClient::subscribe(const QString &pattern, int qos)
{
    m_subscriptions.insert(pattern, qos);
    if (m_connection)
        m_connection->subscribe(pattern, qos);
}

void MqttClient::onConnected(quint64 generation)
{
    if (generation != m_generation)
        return;
    for (auto it = m_subscriptions.cbegin(); it != m_subscriptions.cend(); ++it)
        m_connection->subscribe(it.key(), it.value());
    // Those who listen publish afresh first.
    emit connected();
    // A restarted broker may have lost what it retained. A message still in
    // flight is sent again by the library itself; the latest follows when
    // it is acknowledged.
    for (auto it = m_topics.begin(); it != m_topics.end(); ++it) {
        if (!it->waiting && !it->inFlight)
            it->waiting = it->retained;
        send(it.key());
    }
}

void MqttClient::onPublished(quint64 generation, int mid)
{
    if (generation != m_generation)
        return;
    const auto it = std::find_if(m_topics.begin(), m_topics.end(), [mid](const Topic &t) { return t.inFlight == mid; });
    if (it == m_topics.end())
        return;
    it->inFlight = 0;
    send(it.key());
}

void MqttClient::onRetired(MqttConnection *connection)
{
    const auto it = std::find_if(m_leaving.begin(), m_leaving.end(), [connection](const auto &leaving) {
        return leaving.get() == connection;
    });
    if (it != m_leaving.end())
        m_leaving.erase(it);
}

void MqttClient::setState(State state, const QString &words)
{
    if (state == m_state && words == m_stateText)
        return;
    m_state = state;
    m_stateText = words;
    emit stateChanged(words);
}

} // namespace board
