#pragma once

#include "board/broker_address.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace board {

class MqttConnection;

// A message the broker keeps for whoever subscribes later (retain), or
// publishes for us when we vanish (the last will).
struct MqttMessage {
    QString topic;
    QByteArray payload;
    int qos = 1;
    bool retain = true;
};

struct MqttSettings {
    BrokerAddress address;
    QString password;
    // With TLS: the certificate authorities to trust; empty trusts the
    // system's.
    QString caFile;
    // Sent by the broker when this client vanishes without saying goodbye,
    // and published by stop() itself on a clean goodbye, so that both ways
    // of leaving read the same.
    std::optional<MqttMessage> will;
};

// One client of a broker, around libmosquitto. Its network runs on a thread
// of its own, so a broker that is down, refuses, never answers or is slow
// never holds up the caller: every call here returns at once, and what the
// network thread learns comes back as queued signals. Lost connections are
// tried again after 1 s, doubling up to 30 s. Publishing keeps only the
// latest payload of each topic while it waits for the broker, and one at
// most in flight, so a stalled broker costs no memory.
class MqttClient : public QObject
{
    Q_OBJECT
public:
    enum class State { Off, Connecting, Connected, Waiting, Refused };
    Q_ENUM(State)

    explicit MqttClient(QObject *parent = nullptr);
    // Says goodbye (the will, then DISCONNECT) if connected, waiting a
    // second at most for it to go out.
    ~MqttClient() override;
    Q_DISABLE_COPY_MOVE(MqttClient)

    // Starts connecting, replacing any earlier connection. Empty, or why
    // the settings cannot be used (a CA file that cannot be read).
    QString start(const MqttSettings &settings);
    // Says goodbye in the background; the next start() need not wait.
    void stop();

    // Sends now if connected and the topic has nothing in flight, else keeps
    // it, replacing what was kept for the topic, until it can be sent.
    // Retained messages are sent again after every reconnection.
    void publish(const QString &topic, const QByteArray &payload, int qos = 1, bool retain = true);
    // Subscribed now and again after every reconnection.
    void subscribe(const QString &pattern, int qos = 1);

    State state() const { return m_state; }
    // The state in words for the window, such as "connected to host:1883".
    QString stateText() const { return m_stateText; }

signals:
    void stateChanged(const QString &words);
    // Connected, or connected again: the broker may have lost everything.
    void connected();
    void message(const QString &topic, const QByteArray &payload);

private:
    friend class MqttConnection;
    struct Topic {
        std::optional<MqttMessage> waiting; // not yet handed to the library
        std::optional<MqttMessage> retained; // the last one sent, to send again after a reconnection
        int inFlight = 0;                    // message id awaiting the broker's acknowledgement
    };

    void onConnected(quint64 generation);
    void onPublished(quint64 generation, int mid);
    void onRetired(MqttConnection *connection);
    void send(const QString &topic);
    void setState(State state, const QString &words);

    std::unique_ptr<MqttConnection> m_connection;
    // Connections saying goodbye; each is dropped when its thread has ended.
    std::vector<std::unique_ptr<MqttConnection>> m_leaving;
    quint64 m_generation = 0;
    MqttSettings m_settings;
    QHash<QString, Topic> m_topics;
    QHash<QString, int> m_subscriptions;
    State m_state = State::Off;
    QString m_stateText;
};

} // namespace board
