#pragma once

#include "board/mqtt_client.h"

#include <QByteArray>
#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

struct mosquitto;
struct mosquitto_message;

namespace board {

// One libmosquitto client and the thread that runs its network loop, for
// MqttClient alone. A connection is never reused: changed settings make a
// new one while the old one says goodbye on its own thread.
class MqttConnection
{
    Q_DECLARE_TR_FUNCTIONS(board::MqttConnection)
public:
    MqttConnection(MqttClient &client, quint64 generation);
    // Waits for the thread, which leave() must have asked to end.
    ~MqttConnection();
    Q_DISABLE_COPY_MOVE(MqttConnection)

    // Empty, or why the settings cannot be used; then nothing runs.
    QString start(const MqttSettings &settings);
    // The message id, or 0 when the library would not take it. Only while
    // connected, so nothing piles up in the library while the broker is away.
    int publish(const MqttMessage &message);
    void subscribe(const QString &pattern, int qos);
    bool isConnected() const { return m_connected; }
    // Ends the thread: publishes the goodbye and disconnects if connected,
    // a second at most, then tells the client it may be deleted.
    void leave(std::optional<MqttMessage> goodbye);

private:
    void run();
    void sayGoodbye();
    // Waits for the back-off, or less if leave() is called.
    void pause(std::chrono::seconds delay);
    template <typename F> void post(F &&call);
    void postState(MqttClient::State state, const QString &words);

    static void onConnect(mosquitto *, void *self, int code);
    static void onPublish(mosquitto *, void *self, int mid);
    static void onMessage(mosquitto *, void *self, const mosquitto_message *message);

    MqttClient &m_client;
    const quint64 m_generation;
    mosquitto *m_mosq = nullptr;
    std::string m_host;
    int m_port = 0;
    QString m_where;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_leaving = false; // under m_mutex
    std::optional<MqttMessage> m_goodbye; // under m_mutex
    std::atomic<bool> m_connected{false};
    std::atomic<int> m_refusal{0};   // the broker's CONNACK code when it refused
    std::atomic<bool> m_answered{false}; // a CONNACK accepted since the last pause
};

} // namespace board
