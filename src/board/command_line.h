#pragma once

#include <QString>

namespace board {

class RoomPublisher;

// Publishes the room to the broker given on the command line for this run
// only, as the room named there or else as the one remembered. False, with
// the reason on standard error, when the address or the name cannot be
// used; a broker that cannot be reached yet is tried again in the
// background.
bool publishFromCommandLine(RoomPublisher &publisher, const QString &broker, const QString &room);

} // namespace board
