#include "remote/remote_server.h"

#include "remote/http_answer.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace remote {

namespace {

// The report needs no script and nothing from elsewhere.
const QByteArray ReportPolicy = "Content-Security-Policy: default-src 'none'; style-src 'unsafe-inline'; "
                                "img-src data:; base-uri 'none'; form-action 'none'; frame-ancestors 'none'\r\n";

QByteArray pageFor(const QByteArray &page, const char *link)
{
    QByteArray copy = page;
    const QByteArray attribute = "data-link=\"" + QByteArray(link) + '"';
    return copy.replace(QByteArrayLiteral("data-link=\"view\""), attribute);
}

// The captions a control page may press, as its buttons show them, and the
// two nudges.
bool pressable(const QString &caption)
{
    return caption == QLatin1String("start") || caption == QLatin1String("pause") ||
           caption == QLatin1String("contn.") || caption == QLatin1String("reset") ||
           caption == QLatin1String("+10") || caption == QLatin1String("-10");
}

} // namespace

RemoteServer::RemoteServer(QObject *parent) : QObject(parent)
{
    m_clock.start();
    QFile page(QStringLiteral(":/remote/page.html"));
    const QByteArray viewPage = page.open(QIODevice::ReadOnly) ? page.readAll() : QByteArray();
    m_pages = {viewPage, pageFor(viewPage, "control"), pageFor(viewPage, "chair")};
    QFile video(QStringLiteral(":/remote/awake.mp4"));
    if (video.open(QIODevice::ReadOnly))
        m_wakeVideo = video.readAll();
    addRoutes();
    m_web.setFirstState([this](Link link) { return m_state ? m_state(link) : QByteArray(); });
    m_web.pushes().setMessageHandler([this](PagePushes::Page &p, const QString &message) { receive(p, message); });
    connect(&m_web.pushes(), &PagePushes::countChanged, this, &RemoteServer::viewersChanged);
}

void RemoteServer::addRoutes()
{
    const QList<Link> all{Link::View, Link::Control, Link::Chair};
    const auto get = [this](QList<Link> links, const char *path, Route::Handler handler) {
        m_web.addRoute({std::move(links), "GET", path, std::move(handler)});
    };
    get(all, "", [this](const Request &r, const Reply &reply) { sendPage(r, reply); });
    for (const char *path : {"/state", "/api/state"})
        get(all, path, [this](const Request &r, const Reply &reply) { sendState(r, reply); });
    get(all, "/awake.mp4", [this](const Request &r, const Reply &reply) { sendWakeVideo(r, reply); });
    get({Link::Control, Link::Chair}, "/report", [this](const Request &, const Reply &reply) { sendReport(reply); });
    m_web.addRoute({all, "GET", "/ws", {}, true});
    // A link that only shows takes no command.
    for (const QByteArray &command : apiCommands()) {
        m_web.addRoute({{Link::Control}, "POST", "/api/" + command,
                        [this, command](const Request &r, const Reply &reply) { runCommand(command, r, reply); }, false,
                        MaxCommandBody, 403});
    }
}

void RemoteServer::setTokens(const LinkTokens &tokens)
{
    m_web.setTokens({{tokens.view, Link::View, false},
                     {tokens.control, Link::Control, true},
                     {tokens.chair, Link::Chair, true}});
}

void RemoteServer::sendPage(const Request &request, const Reply &reply) const
{
    reply(200, "text/html; charset=utf-8", m_pages[size_t(request.link)], pagePolicy(request.head.host));
}

void RemoteServer::sendState(const Request &request, const Reply &reply) const
{
    reply(200, "application/json", m_state ? m_state(request.link) : QByteArray("{}"));
}

void RemoteServer::sendWakeVideo(const Request &request, const Reply &reply) const
{
    const std::optional<ByteRange> range = byteRange(request.head.range, m_wakeVideo.size());
    if (!range) {
        reply(200, "video/mp4", m_wakeVideo, "Accept-Ranges: bytes\r\n");
        return;
    }
    reply(206, "video/mp4", m_wakeVideo.sliced(range->first, range->last - range->first + 1),
          "Accept-Ranges: bytes\r\nContent-Range: bytes " + QByteArray::number(range->first) + '-' +
              QByteArray::number(range->last) + '/' + QByteArray::number(m_wakeVideo.size()) + "\r\n");
}

void RemoteServer::sendReport(const Reply &reply) const
{
    if (!m_report) {
        reply(404);
        return;
    }
    const bool english = !m_english || m_english();
    m_report([reply, english](const QByteArray &page) {
        if (page.size() <= MaxReportPage) {
            reply(200, "text/html; charset=utf-8", page, ReportPolicy);
            return;
        }
        const QByteArray refusal =
            english ? QByteArrayLiteral("The report is too large to show here. Run <code>orlatim --report</code> "
                                        "on the laptop to write it to a file.")
                    : QStringLiteral("レポートが大きすぎるため、ここには表示できません。ノートパソコンで "
                                     "<code>orlatim --report</code> を実行し、ファイルに書き出してください。")
                          .toUtf8();
        reply(500, "text/html; charset=utf-8",
              "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Orlatim</title></head><body><p>" + refusal +
                  "</p></body></html>\n",
              ReportPolicy);
    });
}

void RemoteServer::runCommand(const QByteArray &command, const Request &request, const Reply &reply)
{
    if (!m_controlAllowed) {
        reply(403, "text/plain", "control is not allowed\n");
        return;
    }
    if (!m_apiRate.allow(m_clock.elapsed())) {
        reply(429, "text/plain", "at most 5 commands a second\n");
        return;
    }
    const CommandOutcome outcome = m_command ? m_command(command, request.body) : CommandOutcome{404, {}};
    if (outcome.status == 200)
        reply(200, "application/json", m_state ? m_state(Link::Control) : QByteArray("{}"));
    else
        reply(outcome.status, "text/plain; charset=utf-8", outcome.reason + '\n');
}

void RemoteServer::receive(PagePushes::Page &page, const QString &message)
{
    if (page.link != Link::Control) {
        page.complainOnce("a message from a view link");
        return;
    }
    const QJsonObject command = QJsonDocument::fromJson(message.toUtf8()).object();
    const QString caption = command.value(QStringLiteral("press")).toString();
    const QJsonValue text = command.value(QStringLiteral("message"));
    if (!pressable(caption) && !text.isString()) {
        page.complainOnce("a malformed or unknown command");
        return;
    }
    if (!m_controlAllowed || !page.rate.allow(m_clock.elapsed()))
        return;
    if (text.isString()) {
        if (m_command)
            m_command(QByteArrayLiteral("message"), text.toString().toUtf8());
        return;
    }
    emit pressed(caption);
}

} // namespace remote
