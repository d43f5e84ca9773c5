#include "board/broker_address.h"

#include <QCoreApplication>
#include <QUrl>

#include <algorithm>

namespace board {

namespace {

// The words of the address's mistakes.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(BrokerAddress)
};

bool splitsTopics(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('+') || c == QLatin1Char('#') ||
           c.category() == QChar::Other_Control;
}

} // namespace

std::variant<BrokerAddress, QString> parseBrokerAddress(const QString &url)
{
    const QUrl parsed(url.trimmed(), QUrl::StrictMode);
    if (!parsed.isValid())
        return Words::tr("The broker's address is not a valid URL: %1").arg(url);
    BrokerAddress address;
    const QString scheme = parsed.scheme().toLower();
    if (scheme != QLatin1String("mqtt") && scheme != QLatin1String("mqtts"))
        return Words::tr("The broker's address starts with mqtt:// or mqtts://: %1").arg(url);
    address.tls = scheme == QLatin1String("mqtts");
    if (!parsed.password().isEmpty())
        return Words::tr("The broker's password does not belong in its address: give it in the window or in "
                         "ORLATIM_BROKER_PASSWORD.");
    address.user = parsed.userName();
    address.host = parsed.host();
    if (address.host.isEmpty())
        return Words::tr("The broker's address names no host: %1").arg(url);
    const int port = parsed.port(address.tls ? 8883 : 1883);
    if (port <= 0 || port > 65535)
        return Words::tr("The broker's port is not between 1 and 65535: %1").arg(url);
    address.port = quint16(port);
    if (parsed.hasQuery() || parsed.hasFragment())
        return Words::tr("The broker's address ends with its topic prefix, with no \"?\" or \"#\": %1")
            .arg(url);
    QString prefix = parsed.path();
    while (prefix.startsWith(QLatin1Char('/')))
        prefix.remove(0, 1);
    while (prefix.endsWith(QLatin1Char('/')))
        prefix.chop(1);
    if (prefix.isEmpty())
        return Words::tr(
            "The broker's address ends with the conference's topic prefix, as in mqtt://host/conference");
    // Levels may hold anything but wildcards and control characters; an
    // empty level ("a//b") is legal MQTT but always a typing mistake here.
    const bool wild = std::any_of(prefix.begin(), prefix.end(),
                                  [](QChar c) { return c != QLatin1Char('/') && splitsTopics(c); });
    if (wild || prefix.contains(QLatin1String("//")))
        return Words::tr("The topic prefix may not hold \"+\", \"#\", control characters or empty levels: %1")
            .arg(prefix);
    address.prefix = prefix;
    return address;
}

QString roomTopicLevel(const QString &room)
{
    QString level = room;
    std::replace_if(level.begin(), level.end(), splitsTopics, QLatin1Char('_'));
    return level;
}

} // namespace board
