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
    QByteArray range;
    bool webSocketUpgrade = false;
    // A body's length as the client declared it; none without the header.
    std::optional<qint64> contentLength;
    bool chunked = false; // a body in chunks, which the server does not read
    bool expectContinue = false; // the client waits for "100 Continue" before its body
};

// Reads the head without its final blank line; nothing when it is not an
// HTTP/1.x request, or its Content-Length is not plain digits.
std::optional<RequestHead> parseRequestHead(QByteArrayView head);

// The names and addresses under which this computer can be reached. A Host
// header naming anything else comes from a page of another site that has
// pointed its own name at this computer, and is refused.
struct OwnHost {
    QStringList names;
    QList<QHostAddress> addresses;
};
bool isOwnHost(QByteArrayView hostHeader, const OwnHost &own);

// The kinds of secret link, each with pages and routes of its own (see
// RouteTable). The chair's link shows the talk with the session's
// timetable; like the view link it cannot change anything. The board's
// link, served by "orlatim --board" alone, shows every room of a
// conference.
enum class Link { View, Control, Chair, Board };

struct LinkTokens {
    QByteArray view;
    QByteArray control;
    QByteArray chair;
};

// The commands the control link takes as "POST <link>/api/<command>".
const QList<QByteArray> &apiCommands();

// The token a request's path starts with, e.g. for "/abc/ws?x" "abc".
QByteArrayView tokenOf(QByteArrayView target);

// The first and last byte that a Range header ("bytes=0-1", "bytes=100-",
// "bytes=-500") asks of a body of the given size, or nothing for the whole
// body: no header, several ranges, or one that cannot be satisfied, which a
// server may answer whole. Safari plays a video only from a server that
// answers a range.
struct ByteRange {
    qsizetype first = 0;
    qsizetype last = 0;
};
std::optional<ByteRange> byteRange(QByteArrayView header, qsizetype size);

} // namespace remote
