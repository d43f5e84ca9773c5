#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QStringList>

#include <optional>

namespace remote {

// The request line and headers may take at most this many bytes, the blank
// line that ends them included; a longer head is not read at all.
constexpr qsizetype MaxRequestHead = 4096;

// What a request head says that the server looks at. Header names are kept
// in lower case; a header sent twice keeps its first value.
struct RequestHead {
    QByteArray method;
    QByteArray target;
    QByteArray host;
    QByteArray origin;
    bool webSocketUpgrade = false;
};

// Reads the head without its final blank line; nothing when it is not an
// HTTP/1.x request.
std::optional<RequestHead> parseRequestHead(QByteArrayView head);

// The names and addresses under which this computer can be reached. A Host
// header naming anything else comes from a page of another site that has
// pointed its own name at this computer, and is refused.
struct OwnHost {
    QStringList names;
    QList<QHostAddress> addresses;
};
bool isOwnHost(QByteArrayView hostHeader, const OwnHost &own);

enum class Link { View, Control };
enum class Resource { Page, State, Socket, Report };

struct LinkTokens {
    QByteArray view;
    QByteArray control;
};

// How the server answers a request: 403 without a valid token (or from a
// foreign Host, or a WebSocket opened by another origin), 404 for anything
// but the page, its state, its WebSocket and, for the control link, the
// session's report; else 200, or 101 for the WebSocket.
struct Answer {
    int status = 404;
    Link link = Link::View;
    Resource resource = Resource::Page;
};
Answer answerFor(const RequestHead &request, const LinkTokens &tokens, const OwnHost &own);

// The token a request's path starts with, e.g. for "/abc/ws?x" "abc".
QByteArrayView tokenOf(QByteArrayView target);

} // namespace remote
