#pragma once

#include <QByteArray>

namespace remote {

// An HTTP/1.1 answer whole: status line, the headers every answer carries
// (no caching, no sniffing, no referrer, the connection closes after it),
// any others given, and the body. For a HEAD request the body is left out
// while Content-Length still gives its size.
QByteArray httpAnswer(int status, const QByteArray &contentType = {}, const QByteArray &body = {},
                      const QByteArray &extraHeaders = {}, bool withBody = true);

// The Content-Security-Policy header of a page served at the Host given:
// the page may talk to nothing but its own server (its WebSocket, its
// state, its video) and load nothing from elsewhere.
QByteArray pagePolicy(const QByteArray &host);

} // namespace remote
