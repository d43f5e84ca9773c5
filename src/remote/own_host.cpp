#include "remote/own_host.h"

#include <QHostInfo>
#include <QNetworkInterface>

namespace remote {

QString lanAddress()
{
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const QList<QNetworkAddressEntry> entries = interface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol && !entry.ip().isLoopback())
                return entry.ip().toString();
        }
    }
    const QString name = QHostInfo::localHostName();
    return name.isEmpty() ? QStringLiteral("127.0.0.1") : name;
}

OwnHost ownHost()
{
    OwnHost own;
    own.addresses = QNetworkInterface::allAddresses();
    own.addresses << QHostAddress(QHostAddress::LocalHost) << QHostAddress(QHostAddress::LocalHostIPv6);
    own.names << QStringLiteral("localhost");
    const QString name = QHostInfo::localHostName();
    if (!name.isEmpty())
        own.names << name << name + QStringLiteral(".local");
    return own;
}

} // namespace remote
