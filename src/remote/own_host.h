#pragma once

#include "remote/request_rules.h"

#include <QString>

namespace remote {

// The address for links that other devices in the room can open: the first
// IPv4 address of a network interface that is up, else the host name, else
// the loopback address.
QString lanAddress();

// This computer's addresses and names as they stand now: a laptop that
// joins the room's network after the server started is reachable by its
// new address at once.
OwnHost ownHost();

} // namespace remote
