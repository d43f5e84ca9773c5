#pragma once

#include "remote/request_rules.h"

#include <QList>

#include <functional>
#include <optional>
#include <vector>

namespace remote {

class Reply;

// A request as a route's handler gets it: its head, the link whose token
// it carries and, for a POST, its body.
struct Request {
    RequestHead head;
    Link link = Link::View;
    QByteArray body;
};

// One secret link of a server: the token its address carries, the kind of
// page it opens, and whether it may take the places held back for the
// people who run the session (see Admission).
struct LinkToken {
    QByteArray token;
    Link link = Link::View;
    bool reserved = false;
};

// What a link kind does at a path after its token. A GET route answers
// HEAD too, without the body. A WebSocket route has no handler: the
// server opens the page's pushes.
struct Route {
    using Handler = std::function<void(const Request &request, const Reply &reply)>;
    QList<Link> links;
    QByteArray method;      // "GET" or "POST"
    QByteArray path;        // after the token: "" (the page), "/state", ...
    Handler handler;
    bool webSocket = false;
    qint64 maxBody = 0;     // a POST's largest body
    int otherLinks = 404;   // the status for the links it is not for
};

// Where a request goes: 403 without a valid token, from a foreign Host, or
// (for a POST or a WebSocket) from another site's page; 404 (or the route's
// otherLinks) where no route of its link takes it; else 200, or 101 for a
// WebSocket, with the route.
struct Match {
    int status = 404;
    std::optional<LinkToken> link;
    const Route *route = nullptr;
};

// The links of one server and the routes that serve them.
class RouteTable
{
public:
    void setTokens(QList<LinkToken> tokens) { m_tokens = std::move(tokens); }
    const QList<LinkToken> &tokens() const { return m_tokens; }
    // The link a token opens. Every token is always compared, so the time
    // taken does not tell which link a wrong token came close to.
    std::optional<LinkToken> linkOf(QByteArrayView token) const;

    void add(Route route) { m_routes.push_back(std::move(route)); }
    Match match(const RequestHead &request, const OwnHost &own) const;

private:
    QList<LinkToken> m_tokens;
    std::vector<Route> m_routes;
};

} // namespace remote
