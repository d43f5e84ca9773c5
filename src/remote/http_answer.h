#pragma once

#include <QByteArray>

namespace remote {

// An HTTP/1.1 answer whole: status line, the headers every answer carries
// (no caching, no sniffing, no referrer, the connection closes after it),
// any others given, and the body. For a HEAD request the body is left out
// while Content-Length still gives its size.
QByteArray httpAnswer(int status, const QByteArray &contentType = {}, const QByteArray &body = {},
                      const QByteArray &extraHeaders = {}, bool withBody = true);

} // namespace remote
