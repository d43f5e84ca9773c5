#pragma once

#include "remote/command_rate.h"
#include "remote/web_server.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>

#include <array>
#include <functional>

namespace remote {

// What a command of the control link did: 200 when it acted, else the
// status and a short reason for the tool that sent it.
struct CommandOutcome {
    int status = 200;
    QByteArray reason;
};

// The most a command's body may hold.
constexpr qint64 MaxCommandBody = PagePushes::MaxMessage;

// The remote view's web server: a WebServer (admission, routes, pushes)
// with the routes of the view, control and chair links: the page, its
// state, its video, its WebSocket, the control link's commands and the
// control and chair links' report. The control and chair links take the
// connections held back from the view link. The rest of the program talks
// to this class only.
class RemoteServer : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxConnections = Admission::Limits{}.connections;

    explicit RemoteServer(QObject *parent = nullptr);

    bool listen(const QHostAddress &address, quint16 port) { return m_web.listen(address, port); }
    // Stops listening and closes every connection, telling the pages why.
    void close(Goodbye why) { m_web.close(why); }
    bool isListening() const { return m_web.isListening(); }
    quint16 port() const { return m_web.port(); }
    QString errorString() const { return m_web.errorString(); }

    // New tokens close the WebSockets opened with the old ones.
    void setTokens(const LinkTokens &tokens);
    void setControlAllowed(bool allowed) { m_controlAllowed = allowed; }
    // The current state as a link shows it, asked for by a new page, by the
    // state request and after a command.
    void setStateSource(std::function<QByteArray(Link)> source) { m_state = std::move(source); }
    // Runs a command of the control API, or of a control page, with its body.
    using Command = std::function<CommandOutcome(const QByteArray &command, const QByteArray &body)>;
    void setCommandHandler(Command handler) { m_command = std::move(handler); }
    // The session's report as a web page, for the control and chair links.
    // The source calls reply later, on this object's thread, at most once;
    // the connection is answered then if it is still open.
    using ReportSource = std::function<void(std::function<void(QByteArray page)> reply)>;
    void setReportSource(ReportSource source) { m_report = std::move(source); }
    // The largest report page served; a larger one is refused with a
    // pointer to "orlatim --report", in English or, where this says no,
    // in Japanese, as the pages show their words.
    static constexpr qsizetype MaxReportPage = 4 * 1024 * 1024;
    void setEnglish(std::function<bool()> english) { m_english = std::move(english); }
    // The limits on connections; tests shorten the times.
    Admission::Limits &limits() { return m_web.admission().limits(); }
    // How often the open pages are pinged; tests shorten it.
    void setPingInterval(int milliseconds) { m_web.pushes().setPingInterval(milliseconds); }

    bool hasViewers() const { return m_web.pushes().hasPages(); }
    bool hasViewers(Link link) const { return m_web.pushes().hasPages(link); }
    int viewerCount() const { return m_web.pushes().count(); }
    int connectionCount() const { return m_web.connectionCount(); }
    // Pushes a state to every open page of a link.
    void send(Link link, const QByteArray &state) { m_web.pushes().send(link, state); }

signals:
    void viewersChanged(int count);
    // A control link pressed a button; the caption is the one its page showed.
    void pressed(const QString &caption);

private:
    void addRoutes();
    void sendPage(const Request &request, const Reply &reply) const;
    void sendState(const Request &request, const Reply &reply) const;
    void sendWakeVideo(const Request &request, const Reply &reply) const;
    void sendReport(const Reply &reply) const;
    void runCommand(const QByteArray &command, const Request &request, const Reply &reply);
    void receive(PagePushes::Page &page, const QString &message);

    WebServer m_web;
    bool m_controlAllowed = false;
    std::function<QByteArray(Link)> m_state;
    Command m_command;
    // The commands of every tool together, as they come on connections
    // of their own.
    CommandRate m_apiRate;
    ReportSource m_report;
    std::function<bool()> m_english;
    QElapsedTimer m_clock;
    std::array<QByteArray, 3> m_pages; // by Link
    QByteArray m_wakeVideo;
};

} // namespace remote
