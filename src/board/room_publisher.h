#pragma once

#include "board/mqtt_client.h"
#include "remote/remote_file.h"

#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QTimer>

namespace remote {
class RemoteView;
}

namespace board {

// The room's part of the conference board: the chair link's state, with the
// room's name and the laptop's time, published retained to
// "<prefix>/<room>/state" at each change, once a counted second at most, and
// "<prefix>/<room>/online", "true" while connected and "false" as the last
// will and on leaving. Only the state goes out: nothing from the broker
// reaches the timer.
class RoomPublisher : public QObject
{
    Q_OBJECT
public:
    // The environment variable that gives the broker's password, keeping it
    // off the process list.
    static constexpr const char *PasswordVariable = "ORLATIM_BROKER_PASSWORD";

    RoomPublisher(remote::RemoteView &view, QObject *parent);

    // Publishes as the remote view's file says, if it is on. Empty, or
    // what is wrong with the settings.
    QString restore();
    // Publishes to this broker as this room for this run only; the file is
    // left as it was. Empty, or what is wrong.
    QString publishOnce(const QString &broker, const QString &room);
    // The settings from the window: remembered, and followed at once.
    QString apply(const remote::BoardSettings &settings);

    // As followed now: remembered, or given for this run.
    const remote::BoardSettings &settings() const { return m_current; }
    bool isOn() const { return m_on; }
    // The connection's state in words, or why publishing is off.
    QString stateText() const { return m_words; }
    const MqttClient &client() const { return m_client; }

signals:
    void changed();

private:
    QString start(const remote::BoardSettings &settings);
    void stop(const QString &words);
    void talkStateChanged();
    void publishState();
    void setWords(const QString &words);

    remote::RemoteView &m_view;
    MqttClient m_client;
    bool m_on = false;
    remote::BoardSettings m_current;
    QString m_room;
    QString m_stateTopic;
    QString m_onlineTopic;
    // The last state sent, less the chair's clock, which moves every second
    // even while nothing else does.
    QJsonObject m_sent;
    // Keeps states apart; a change meanwhile goes out when it ends.
    QTimer m_spacing;
    bool m_due = false;
    QString m_words;
};

} // namespace board
