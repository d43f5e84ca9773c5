#pragma once

#include "remote/request_rules.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace remote {

// An address of this computer that a link can name, with the network
// interface that holds it, e.g. "192.168.1.20" on "wlan0".
struct LanAddress {
    QString address;
    QString interfaceName;

    bool operator==(const LanAddress &other) const
    {
        return address == other.address && interfaceName == other.interfaceName;
    }
};

// The interface that carries the default route in the text of Linux's
// /proc/net/route, the one of lowest metric when there are several, or
// empty. A VPN that sends everything through itself with two half routes,
// or a virtual bridge, does not carry it; the room's network does.
QString defaultRouteInterface(QByteArrayView routeTable);

// The IPv4 addresses of the interfaces that are up, loopback left out,
// those of the default route's interface first.
QList<LanAddress> lanAddresses();

// The host a link names: the chosen address while this computer has it,
// else the first of lanAddresses(), else the host name, else the loopback
// address.
QString linkHost(const QString &chosen = {});
// "http://HOST:PORT/TOKEN", an IPv6 address in brackets.
QString linkUrl(QString host, quint16 port, const QByteArray &token);

// This computer's addresses and names as they stand now: a laptop that
// joins the room's network after the server started is reachable by its
// new address at once.
OwnHost ownHost();

} // namespace remote
