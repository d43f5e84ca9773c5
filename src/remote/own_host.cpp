#include "remote/own_host.h"

#include <QFile>
#include <QHostInfo>
#include <QNetworkInterface>

#include <algorithm>
#include <limits>

namespace remote {

QString defaultRouteInterface(QByteArrayView routeTable)
{
    // Columns: Iface Destination Gateway Flags RefCnt Use Metric Mask ...,
    // numbers in hexadecimal but the metric; the first line names them.
    constexpr uint RouteUp = 0x1;
    QString best;
    uint bestMetric = std::numeric_limits<uint>::max();
    const QList<QByteArray> lines = routeTable.toByteArray().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].simplified().split(' ');
        if (fields.size() < 8)
            continue;
        bool flagsOk = false;
        bool metricOk = false;
        const uint flags = fields[3].toUInt(&flagsOk, 16);
        const uint metric = fields[6].toUInt(&metricOk);
        const bool isDefault = fields[1] == "00000000" && fields[7] == "00000000";
        if (isDefault && flagsOk && metricOk && (flags & RouteUp) && metric < bestMetric) {
            best = QString::fromLatin1(fields[0]);
            bestMetric = metric;
        }
    }
    return best;
}

QList<LanAddress> lanAddresses()
{
    QList<LanAddress> addresses;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const QList<QNetworkAddressEntry> entries = interface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol && !entry.ip().isLoopback())
                addresses.append({entry.ip().toString(), interface.name()});
        }
    }
    QFile routes(QStringLiteral("/proc/net/route"));
    // The routing table of a busy machine has a few dozen lines.
    const QString preferred = routes.open(QIODevice::ReadOnly) ? defaultRouteInterface(routes.read(1 << 16)) : QString();
    std::stable_partition(addresses.begin(), addresses.end(),
                          [&preferred](const LanAddress &a) { return a.interfaceName == preferred; });
    return addresses;
}

QString linkHost(const QString &chosen)
{
    const QList<LanAddress> addresses = lanAddresses();
    const bool chosenHere = std::any_of(addresses.begin(), addresses.end(),
                                        [&chosen](const LanAddress &a) { return a.address == chosen; });
    if (chosenHere)
        return chosen;
    if (!addresses.isEmpty())
        return addresses.first().address;
    const QString name = QHostInfo::localHostName();
    return name.isEmpty() ? QStringLiteral("127.0.0.1") : name;
}

QString linkUrl(QString host, quint16 port, const QByteArray &token)
{
    if (host.contains(QLatin1Char(':')))
        host = QLatin1Char('[') + host + QLatin1Char(']');
    return QStringLiteral("http://%1:%2/%3").arg(host).arg(port).arg(QString::fromLatin1(token));
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
