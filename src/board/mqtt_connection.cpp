#include "board/mqtt_connection.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <mosquitto.h>

#include <algorithm>

namespace board {

namespace {

constexpr int KeepaliveSeconds = 15;
constexpr std::chrono::seconds FirstRetry{1};
constexpr std::chrono::seconds LastRetry{30};
// How long one pass of the network loop may wait for the socket; leave()
// is noticed within it.
constexpr int LoopMilliseconds = 250;
constexpr std::chrono::milliseconds GoodbyeTime{1000};
// Debian's certificate authorities, one file each, as OpenSSL reads them.
constexpr const char *SystemCaFolder = "/etc/ssl/certs";

} // namespace

MqttConnection::MqttConnection(MqttClient &client, quint64 generation) : m_client(client), m_generation(generation) {}

MqttConnection::~MqttConnection()
{
    if (m_thread.joinable())
        m_thread.join();
    if (m_mosq)
        mosquitto_destroy(m_mosq);
}

QString MqttConnection::start(const MqttSettings &settings)
{
    const BrokerAddress &address = settings.address;
    m_host = address.host.toStdString();
    m_port = address.port;
    m_where = address.host.contains(QLatin1Char(':')) ? QStringLiteral("[%1]:%2").arg(address.host).arg(address.port)
                                                      : QStringLiteral("%1:%2").arg(address.host).arg(address.port);
    m_mosq = mosquitto_new(nullptr, true, this);
    if (!m_mosq)
        return tr("The MQTT library could not make a client.");
    // Our thread runs the loop while the caller's thread publishes.
    mosquitto_threaded_set(m_mosq, true);
    const QByteArray user = address.user.toUtf8();
    const QByteArray password = settings.password.toUtf8();
    if (!user.isEmpty())
        mosquitto_username_pw_set(m_mosq, user.constData(), password.isEmpty() ? nullptr : password.constData());
    if (address.tls) {
        // The system's authorities are named by their folder as well: with
        // the library's "OS certificates" alone, every reconnection after
        // the first connection fails as an invalid call.
        const QByteArray caFile = settings.caFile.toLocal8Bit();
        const bool system = caFile.isEmpty();
        if (system)
            mosquitto_int_option(m_mosq, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
        const int rc = mosquitto_tls_set(m_mosq, system ? nullptr : caFile.constData(),
                                         system ? SystemCaFolder : nullptr, nullptr, nullptr, nullptr);
        if (rc != MOSQ_ERR_SUCCESS) {
            return tr("The certificate authorities' file cannot be read: %1")
                .arg(system ? QString::fromLatin1(SystemCaFolder) : settings.caFile);
        }
    }
    if (settings.will) {
        const MqttMessage &will = *settings.will;
        const QByteArray topic = will.topic.toUtf8();
        const int rc = mosquitto_will_set(m_mosq, topic.constData(), int(will.payload.size()), will.payload.constData(),
                                          will.qos, will.retain);
        if (rc != MOSQ_ERR_SUCCESS)
            return tr("The last will cannot be set: %1").arg(QString::fromUtf8(mosquitto_strerror(rc)));
    }
    mosquitto_connect_callback_set(m_mosq, &MqttConnection::onConnect);
    mosquitto_publish_callback_set(m_mosq, &MqttConnection::onPublish);
    mosquitto_message_callback_set(m_mosq, &MqttConnection::onMessage);
    m_thread = std::thread([this] { run(); });
    return {};
}

template <typename F> void MqttConnection::post(F &&call)
{
    QMetaObject::invokeMethod(&m_client, std::forward<F>(call), Qt::QueuedConnection);
}

void MqttConnection::postState(MqttClient::State state, const QString &words)
{
    post([client = &m_client, generation = m_generation, state, words] {
        if (generation == client->m_generation)
            client->setState(state, words);
    });
}

void MqttConnection::run()
{
    std::chrono::seconds retry = FirstRetry;
    bool addressTaken = false;
    for (;;) {
        {
            const std::lock_guard lock(m_mutex);
            if (m_leaving)
                break;
        }
        postState(MqttClient::State::Connecting, tr("connecting to %1").arg(m_where));
        m_refusal = 0;
        // The first call resolves the host name here, on our own thread:
        // a slow name server must not hold up the window.
        int rc = addressTaken ? mosquitto_reconnect_async(m_mosq)
                              : mosquitto_connect_async(m_mosq, m_host.c_str(), m_port, KeepaliveSeconds);
        addressTaken = addressTaken || rc != MOSQ_ERR_INVAL;
        // A connection that never answers ends when the keepalive runs out.
        while (rc == MOSQ_ERR_SUCCESS) {
            rc = mosquitto_loop(m_mosq, LoopMilliseconds, 1);
            const std::lock_guard lock(m_mutex);
            if (m_leaving)
                break;
        }
        bool leaving = false;
        {
            const std::lock_guard lock(m_mutex);
            leaving = m_leaving;
        }
        if (leaving) {
            // Still connected while the loop was fine: the goodbye can go out.
            if (rc != MOSQ_ERR_SUCCESS)
                m_connected = false;
            break;
        }
        m_connected = false;
        if (m_answered.exchange(false))
            retry = FirstRetry;
        // The library's sentences, made to fit inside ours.
        QString reason = QString::fromUtf8(m_refusal ? mosquitto_connack_string(m_refusal) : mosquitto_strerror(rc));
        reason.remove(QLatin1String("Connection Refused: "));
        if (reason.endsWith(QLatin1Char('.')))
            reason.chop(1);
        const QString words = m_refusal ? tr("%1 refused: %2; trying again in %3 s")
                                        : tr("no connection to %1 (%2); trying again in %3 s");
        postState(m_refusal ? MqttClient::State::Refused : MqttClient::State::Waiting,
                  words.arg(m_where, reason).arg(retry.count()));
        pause(retry);
        retry = std::min(retry * 2, LastRetry);
    }
    sayGoodbye();
    post([client = &m_client, self = this] { client->onRetired(self); });
}

void MqttConnection::sayGoodbye()
{
    if (!m_connected)
        return;
    std::optional<MqttMessage> goodbye;
    {
        const std::lock_guard lock(m_mutex);
        goodbye = m_goodbye;
    }
    if (goodbye)
        publish(*goodbye);
    m_connected = false;
    // DISCONNECT goes out after the goodbye; the library closes the socket
    // once it is written.
    mosquitto_disconnect(m_mosq);
    const auto deadline = std::chrono::steady_clock::now() + GoodbyeTime;
    while (std::chrono::steady_clock::now() < deadline && mosquitto_loop(m_mosq, 100, 1) == MOSQ_ERR_SUCCESS) {
    }
}

void MqttConnection::pause(std::chrono::seconds delay)
{
    std::unique_lock lock(m_mutex);
    m_wake.wait_for(lock, delay, [this] { return m_leaving; });
}

void MqttConnection::leave(std::optional<MqttMessage> goodbye)
{
    {
        const std::lock_guard lock(m_mutex);
        m_leaving = true;
        m_goodbye = std::move(goodbye);
    }
    m_wake.notify_all();
    if (!m_thread.joinable())
        post([client = &m_client, self = this] { client->onRetired(self); });
}

int MqttConnection::publish(const MqttMessage &message)
{
    if (!m_connected)
        return 0;
    const QByteArray topic = message.topic.toUtf8();
    int mid = 0;
    const int rc = mosquitto_publish(m_mosq, &mid, topic.constData(), int(message.payload.size()),
                                     message.payload.constData(), message.qos, message.retain);
    return rc == MOSQ_ERR_SUCCESS ? std::max(mid, 1) : 0;
}

void MqttConnection::subscribe(const QString &pattern, int qos)
{
    if (m_connected)
        mosquitto_subscribe(m_mosq, nullptr, pattern.toUtf8().constData(), qos);
}

void MqttConnection::onConnect(mosquitto *, void *self, int code)
{
    auto *connection = static_cast<MqttConnection *>(self);
    if (code != 0) {
        connection->m_refusal = code;
        return;
    }
    connection->m_answered = true;
    connection->m_connected = true;
    connection->postState(MqttClient::State::Connected, tr("connected to %1").arg(connection->m_where));
    connection->post([client = &connection->m_client, generation = connection->m_generation] {
        client->onConnected(generation);
    });
}

void MqttConnection::onPublish(mosquitto *, void *self, int mid)
{
    auto *connection = static_cast<MqttConnection *>(self);
    connection->post([client = &connection->m_client, generation = connection->m_generation, mid] {
        client->onPublished(generation, mid);
    });
}

void MqttConnection::onMessage(mosquitto *, void *self, const mosquitto_message *message)
{
    auto *connection = static_cast<MqttConnection *>(self);
    QString topic = QString::fromUtf8(message->topic);
    QByteArray payload(static_cast<const char *>(message->payload), message->payloadlen);
    connection->post([client = &connection->m_client, generation = connection->m_generation, topic = std::move(topic),
                      payload = std::move(payload)] {
        if (generation == client->m_generation)
            emit client->message(topic, payload);
    });
}

} // namespace board
