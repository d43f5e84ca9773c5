#pragma once

#include <QtGlobal>

namespace remote {

class RemoteView;

// Restores the remote view, turned on at a port given on the command line,
// and prints the links on standard output, "view: URL", "control: URL" and
// "chair: URL", one a line, for a timekeeper who starts Orlatim from a terminal. False,
// with the reason on standard error, when the port cannot be opened.
bool serveFromCommandLine(RemoteView &view, quint16 port);

} // namespace remote
