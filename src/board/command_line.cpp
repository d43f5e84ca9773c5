#include "board/command_line.h"

#include "board/room_publisher.h"

#include <cstdio>

namespace board {

bool publishFromCommandLine(RoomPublisher &publisher, const QString &broker, const QString &room)
{
    const QString problem = publisher.publishOnce(broker, room);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return false;
    }
    return true;
}

} // namespace board
