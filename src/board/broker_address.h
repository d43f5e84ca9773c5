#pragma once

#include <QString>

#include <variant>

namespace board {

// Where a conference's MQTT broker is, as "mqtt://[user@]host[:port]/prefix"
// or "mqtts://…" names it. The password never travels in the address, so
// that it stays off the process list and out of shared links.
struct BrokerAddress {
    bool tls = false;
    QString user;
    QString host;
    quint16 port = 0;
    QString prefix; // topic levels before the room's, without slashes at either end
};

// The address, or why it cannot be used, in words for the user. The port
// defaults to 1883, or 8883 with TLS.
std::variant<BrokerAddress, QString> parseBrokerAddress(const QString &url);

// The room's name as one topic level: "/", "+", "#" and control characters
// would split the level or act as wildcards, so they become "_".
QString roomTopicLevel(const QString &room);

} // namespace board
