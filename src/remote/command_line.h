#pragma once

#include <QtGlobal>

namespace remote {

class RemoteView;

// Restores the remote view, served for this run only at a port given on the
// command line (the remembered on/off and port stay as they were), and
// prints the links on standard output, "view: URL", "control: URL" and
// "chair: URL", one a line, for a timekeeper who starts Orlatim from a terminal. False,
// with the reason on standard error, when the port cannot be opened.
bool serveFromCommandLine(RemoteView &view, quint16 port);

} // namespace remote
