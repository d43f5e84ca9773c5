#include "remote/route_table.h"

#include "remote/link_token.h"

namespace remote {

std::optional<LinkToken> RouteTable::linkOf(QByteArrayView token) const
{
    std::optional<LinkToken> found;
    for (const LinkToken &known : m_tokens) {
        if (sameToken(token, known.token) && !found)
            found = known;
    }
    return found;
}

Match RouteTable::match(const RequestHead &request, const OwnHost &own) const
{
    Match match;
    if (!isOwnHost(request.host, own)) {
        match.status = 403;
        return match;
    }
    const QByteArrayView token = tokenOf(request.target);
    match.link = linkOf(token);
    if (!match.link) {
        match.status = 403;
        return match;
    }
    QByteArrayView rest = QByteArrayView(request.target).sliced(1 + token.size());
    const qsizetype query = rest.indexOf('?');
    if (query >= 0)
        rest = rest.first(query);
    // "http://host/token/" is the page, as a browser may complete it.
    if (rest == "/")
        rest = {};
    const QByteArray method = request.method == "HEAD" ? QByteArrayLiteral("GET") : request.method;
    const auto route = std::find_if(m_routes.begin(), m_routes.end(), [&](const Route &r) {
        return r.method == method && r.path == rest && r.webSocket == request.webSocketUpgrade;
    });
    if (route == m_routes.end())
        return match;
    // A browser always names the page that opens a WebSocket or sends a
    // POST; a tool sends a POST with none. Only our own page, loaded
    // through the same address, may.
    const QByteArray ownOrigin = "http://" + request.host;
    const bool ownOriginSent = request.origin.compare(ownOrigin, Qt::CaseInsensitive) == 0;
    if ((route->webSocket && !ownOriginSent) || (method == "POST" && !request.origin.isEmpty() && !ownOriginSent)) {
        match.status = 403;
        return match;
    }
    if (!route->links.contains(match.link->link)) {
        match.status = route->otherLinks;
        return match;
    }
    match.route = &*route;
    match.status = route->webSocket ? 101 : 200;
    return match;
}

} // namespace remote
