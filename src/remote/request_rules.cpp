#include "remote/request_rules.h"

#include <algorithm>

namespace remote {

namespace {

// "host", "host:port", "[v6]" or "[v6]:port" without the port.
QByteArrayView hostPart(QByteArrayView header)
{
    if (header.startsWith('[')) {
        const qsizetype close = header.indexOf(']');
        // Only a port may follow the address: the host is echoed into the
        // page's security policy.
        if (close < 0 || (close + 1 < header.size() && header[close + 1] != ':'))
            return {};
        return header.sliced(1, close - 1);
    }
    const qsizetype colon = header.lastIndexOf(':');
    return colon < 0 ? header : header.first(colon);
}

bool validPort(QByteArrayView header)
{
    const qsizetype colon = header.lastIndexOf(':');
    const qsizetype bracket = header.lastIndexOf(']');
    if (colon < 0 || colon < bracket)
        return true;
    bool ok = false;
    const uint port = header.sliced(colon + 1).toUInt(&ok);
    return ok && port > 0 && port <= 65535;
}

} // namespace

std::optional<RequestHead> parseRequestHead(QByteArrayView head)
{
    const QList<QByteArray> lines = head.toByteArray().split('\n');
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    if (requestLine.size() != 3 || !requestLine[2].startsWith("HTTP/1.") || requestLine[0].isEmpty() ||
        requestLine[1].isEmpty())
        return std::nullopt;

    RequestHead request;
    request.method = requestLine[0];
    request.target = requestLine[1];
    bool haveHost = false;
    bool haveOrigin = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            return std::nullopt;
        const QByteArray name = line.first(colon).trimmed().toLower();
        const QByteArray value = line.sliced(colon + 1).trimmed();
        if (name == "host" && !haveHost) {
            request.host = value;
            haveHost = true;
        } else if (name == "origin" && !haveOrigin) {
            request.origin = value;
            haveOrigin = true;
        } else if (name == "range" && request.range.isEmpty()) {
            request.range = value;
        } else if (name == "upgrade") {
            request.webSocketUpgrade = request.webSocketUpgrade || value.toLower() == "websocket";
        } else if (name == "content-length") {
            // Two lengths that differ leave the body's end in doubt, and so
            // does a sign, which parsers read differently.
            bool ok = !value.isEmpty() && std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
            const qint64 length = ok ? value.toLongLong(&ok) : 0;
            if (!ok || (request.contentLength && *request.contentLength != length))
                return std::nullopt;
            request.contentLength = length;
        } else if (name == "expect") {
            request.expectContinue = value.toLower() == "100-continue";
        } else if (name == "transfer-encoding") {
            request.chunked = true;
        }
    }
    return request;
}

bool isOwnHost(QByteArrayView hostHeader, const OwnHost &own)
{
    if (!validPort(hostHeader))
        return false;
    const QString host = QString::fromLatin1(hostPart(hostHeader));
    if (host.isEmpty())
        return false;
    const QHostAddress address(host);
    if (!address.isNull())
        return own.addresses.contains(address);
    return own.names.contains(host, Qt::CaseInsensitive);
}

QByteArrayView tokenOf(QByteArrayView target)
{
    if (!target.startsWith('/'))
        return {};
    QByteArrayView path = target.sliced(1);
    const qsizetype query = path.indexOf('?');
    if (query >= 0)
        path = path.first(query);
    const qsizetype slash = path.indexOf('/');
    return slash < 0 ? path : path.first(slash);
}

const QList<QByteArray> &apiCommands()
{
    static const QList<QByteArray> commands{"start", "pause", "continue", "reset",
                                            "next", "previous", "nudge", "message"};
    return commands;
}

std::optional<ByteRange> byteRange(QByteArrayView header, qsizetype size)
{
    if (!header.startsWith("bytes=") || size <= 0)
        return std::nullopt;
    const QByteArrayView asked = header.sliced(6).trimmed();
    const qsizetype dash = asked.indexOf('-');
    if (dash < 0 || asked.contains(','))
        return std::nullopt;
    const QByteArrayView from = asked.first(dash).trimmed();
    const QByteArrayView to = asked.sliced(dash + 1).trimmed();
    bool fromOk = false;
    bool toOk = false;
    const qlonglong a = from.toLongLong(&fromOk);
    const qlonglong b = to.toLongLong(&toOk);
    if (from.isEmpty()) {
        // The last b bytes.
        if (!toOk || b <= 0)
            return std::nullopt;
        return ByteRange{qsizetype(std::max<qlonglong>(size - b, 0)), size - 1};
    }
    if (!fromOk || a < 0 || a >= size || (!to.isEmpty() && (!toOk || b < a)))
        return std::nullopt;
    return ByteRange{qsizetype(a), to.isEmpty() ? size - 1 : qsizetype(std::min<qlonglong>(b, size - 1))};
}

} // namespace remote
