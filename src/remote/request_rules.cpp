#include "remote/request_rules.h"

#include "remote/link_token.h"

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
        } else if (name == "upgrade") {
            request.webSocketUpgrade = request.webSocketUpgrade || value.toLower() == "websocket";
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

Answer answerFor(const RequestHead &request, const LinkTokens &tokens, const OwnHost &own)
{
    Answer answer;
    if (!isOwnHost(request.host, own)) {
        answer.status = 403;
        return answer;
    }
    // Both tokens are always compared, so the time taken does not tell
    // which link a wrong token came close to.
    const QByteArrayView token = tokenOf(request.target);
    const bool view = sameToken(token, tokens.view);
    const bool control = sameToken(token, tokens.control);
    if (!view && !control) {
        answer.status = 403;
        return answer;
    }
    answer.link = control ? Link::Control : Link::View;

    QByteArrayView rest = QByteArrayView(request.target).sliced(1 + token.size());
    const qsizetype query = rest.indexOf('?');
    if (query >= 0)
        rest = rest.first(query);
    if (request.method != "GET")
        return answer;
    if (rest.isEmpty() && !request.webSocketUpgrade) {
        answer.resource = Resource::Page;
    } else if (rest == "/state" && !request.webSocketUpgrade) {
        answer.resource = Resource::State;
    } else if (rest == "/report" && answer.link == Link::Control && !request.webSocketUpgrade) {
        answer.resource = Resource::Report;
    } else if (rest == "/ws" && request.webSocketUpgrade) {
        // A browser always names the page that opens a WebSocket; only our
        // own page, loaded through the same address, may open one.
        const QByteArray ownOrigin = "http://" + request.host;
        if (request.origin.compare(ownOrigin, Qt::CaseInsensitive) != 0) {
            answer.status = 403;
            return answer;
        }
        answer.resource = Resource::Socket;
        answer.status = 101;
        return answer;
    } else {
        return answer;
    }
    answer.status = 200;
    return answer;
}

} // namespace remote
