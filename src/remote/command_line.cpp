#include "remote/command_line.h"

#include "remote/remote_view.h"

#include <cstdio>

namespace remote {

bool serveFromCommandLine(RemoteView &view, quint16 port)
{
    const QString problem = view.restore(port);
    if (!view.isListening()) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return false;
    }
    std::printf("view: %s\ncontrol: %s\nchair: %s\n", qPrintable(view.viewLink()), qPrintable(view.controlLink()),
                qPrintable(view.chairLink()));
    std::fflush(stdout);
    return true;
}

} // namespace remote
