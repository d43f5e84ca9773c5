#include "remote/remote_view.h"

#include "remote/link_token.h"
#include "remote/message_window.h"
#include "remote/own_host.h"
#include "remote/remote_window.h"
#include "remote/speaker_messages.h"
#include "settings/declare.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <optional>

namespace remote {

RemoteView::RemoteView(WindowStateSource window, Act act, QObject *parent)
    : QObject(parent), m_window(std::move(window)), m_act(std::move(act)), m_presets(loadMessagePresets())
{
    m_server.setStateSource([this](Link link) { return stateFor(link, sharedState()); });
    m_server.setEnglish([] { return TimerSettings.EnglishDisplay == 1; });
    m_server.setCommandHandler(
        [this](const QByteArray &name, const QByteArray &body) { return command(name, body); });
    connect(&m_server, &RemoteServer::pressed, this, [this](const QString &caption) { m_act(caption); });
    m_chairClock.setInterval(1000);
    connect(&m_chairClock, &QTimer::timeout, this, &RemoteView::stateChanged);
    connect(&m_server, &RemoteServer::viewersChanged, this, [this] {
        // A new page got the state of this moment; the next push goes to
        // every page even if it equals the last one pushed.
        m_lastSent = {};
        if (m_server.hasViewers(Link::Chair))
            m_chairClock.start();
        else
            m_chairClock.stop();
        emit changed();
    });
}

CommandOutcome RemoteView::command(const QByteArray &name, const QByteArray &body)
{
    if (name == "message") {
        const std::optional<QString> text = speakerMessageText(body);
        if (!text)
            return {400, QByteArrayLiteral("a message is UTF-8 text of at most 200 characters")};
        setSpeakerMessage(*text);
        return {};
    }
    QString act = QString::fromLatin1(name);
    if (name == "nudge") {
        act = QString::fromLatin1(body.trimmed());
        if (act != QLatin1String("+10") && act != QLatin1String("-10"))
            return {400, QByteArrayLiteral("nudge takes +10 or -10")};
    }
    const QString refusal = m_act(act);
    if (!refusal.isEmpty())
        return {409, refusal.toUtf8()};
    return {};
}

void RemoteView::setSpeakerMessage(const QString &message)
{
    if (message == m_speakerMessage)
        return;
    m_speakerMessage = message;
    stateChanged();
    emit changed();
}

void RemoteView::sendPreset(int index)
{
    if (index >= 0 && index < m_presets.size())
        setSpeakerMessage(m_presets.at(index));
}

QString RemoteView::setPresets(const QStringList &presets)
{
    m_presets = parseMessagePresets(serializeMessagePresets(presets));
    stateChanged();
    return saveMessagePresets(m_presets);
}

RemoteView::~RemoteView()
{
    // The pages hear that Orlatim has ended while this object is whole.
    m_server.disconnect(this);
    m_server.close(Goodbye::Ended);
    // The window has no parent, so that it is a window of its own.
    delete m_remoteWindow.data();
    delete m_messageWindow.data();
}

QString RemoteView::restore(std::optional<quint16> port, const QHostAddress &address)
{
    m_settings = loadRemoteSettings();
    m_server.setControlAllowed(m_settings.allowControl);
    if (port)
        return serveOnce(*port, address);
    return m_settings.on ? turnOn(m_settings.port, address) : QString();
}

void RemoteView::makeTokens()
{
    if (m_settings.viewToken.isEmpty())
        m_settings.viewToken = newLinkToken();
    if (m_settings.controlToken.isEmpty())
        m_settings.controlToken = newLinkToken();
    if (m_settings.chairToken.isEmpty())
        m_settings.chairToken = newLinkToken();
    m_server.setTokens({m_settings.viewToken, m_settings.controlToken, m_settings.chairToken});
}

QString RemoteView::turnOn(quint16 port, const QHostAddress &address)
{
    m_oneOffPort.reset();
    m_settings.on = true;
    m_settings.port = port;
    const QString problem = listen(port, address);
    if (m_server.isListening())
        m_settings.port = m_server.port();
    remember();
    emit changed();
    return problem;
}

QString RemoteView::serveOnce(quint16 port, const QHostAddress &address)
{
    const QString problem = listen(port, address);
    m_oneOffPort = m_server.isListening() ? m_server.port() : port;
    // The tokens are kept, so the links printed now still open next time;
    // on/off and the port are written as they were read.
    remember();
    emit changed();
    return problem;
}

QString RemoteView::listen(quint16 port, const QHostAddress &address)
{
    makeTokens();
    m_problem.clear();
    if (!m_server.listen(address, port)) {
        m_problem = QCoreApplication::translate("RemoteView", "Port %1 cannot be opened: %2")
                        .arg(port)
                        .arg(m_server.errorString());
    }
    return m_problem;
}

void RemoteView::turnOff()
{
    m_server.close(Goodbye::TurnedOff);
    m_oneOffPort.reset();
    m_settings.on = false;
    m_problem.clear();
    remember();
    emit changed();
}

void RemoteView::setControlAllowed(bool allowed)
{
    m_settings.allowControl = allowed;
    m_server.setControlAllowed(allowed);
    remember();
    stateChanged();
    emit changed();
}

void RemoteView::renewLinks()
{
    m_settings.viewToken.clear();
    m_settings.controlToken.clear();
    m_settings.chairToken.clear();
    makeTokens();
    remember();
    emit changed();
}

QString RemoteView::viewLink() const { return link(m_settings.viewToken); }
QString RemoteView::controlLink() const { return link(m_settings.controlToken); }
QString RemoteView::chairLink() const { return link(m_settings.chairToken); }

void RemoteView::chooseAddress(const QString &address)
{
    if (address == m_chosenAddress)
        return;
    m_chosenAddress = address;
    emit changed();
}

QString RemoteView::linkHost() const { return remote::linkHost(m_chosenAddress); }

QString RemoteView::link(const QByteArray &token) const { return linkUrl(linkHost(), port(), token); }

void RemoteView::showWindow()
{
    // The links can be handed out before the server is turned on.
    if (m_settings.viewToken.isEmpty() || m_settings.controlToken.isEmpty() || m_settings.chairToken.isEmpty()) {
        makeTokens();
        remember();
    }
    if (!m_remoteWindow)
        m_remoteWindow = new RemoteWindow(*this);
    m_remoteWindow->show();
    m_remoteWindow->raise();
    m_remoteWindow->activateWindow();
}

void RemoteView::showMessageWindow()
{
    if (!m_messageWindow)
        m_messageWindow = new MessageWindow(*this);
    m_messageWindow->show();
    m_messageWindow->raise();
    m_messageWindow->activateWindow();
}

void RemoteView::queuePush()
{
    // Pushed from the event loop, so the several changes of one handler
    // are built and sent as one state.
    m_pushQueued = true;
    QMetaObject::invokeMethod(this, &RemoteView::push, Qt::QueuedConnection);
}

void RemoteView::push()
{
    m_pushQueued = false;
    // What every page shows is built once, whatever links are open.
    std::optional<QJsonObject> shared;
    for (const Link link : {Link::View, Link::Control, Link::Chair}) {
        if (!m_server.hasViewers(link))
            continue;
        if (!shared)
            shared = sharedState();
        const QByteArray state = stateFor(link, *shared);
        QByteArray &last = m_lastSent[size_t(link)];
        if (state != last) {
            last = state;
            m_server.send(link, state);
        }
    }
}

QJsonObject RemoteView::sharedState() const
{
    QJsonObject state = talkState(TimerSettings, TotalTime, ElapsedSeconds, m_window(), m_settings.allowControl);
    state.insert(QStringLiteral("speakerMessage"), m_speakerMessage);
    return state;
}

QJsonObject RemoteView::linkState(Link link, QJsonObject state) const
{
    if (link == Link::Control)
        state.insert(QStringLiteral("presets"), QJsonArray::fromStringList(m_presets));
    // Only the chair sees how the session runs against its timetable.
    if (link == Link::Chair)
        state.insert(QStringLiteral("session"), m_chair ? QJsonValue(m_chair()) : QJsonValue());
    return state;
}

QByteArray RemoteView::stateFor(Link link, QJsonObject state) const
{
    return QJsonDocument(linkState(link, std::move(state))).toJson(QJsonDocument::Compact);
}

QString RemoteView::setBoardSettings(const BoardSettings &settings)
{
    m_settings.board = settings;
    const QString error = saveRemoteSettings(m_settings);
    if (!error.isEmpty())
        m_problem = error;
    emit changed();
    return error;
}

void RemoteView::remember()
{
    // Without its file the remote view still works; it is only forgotten
    // at the next start.
    const QString error = saveRemoteSettings(m_settings);
    if (!error.isEmpty())
        m_problem = m_problem.isEmpty() ? error : m_problem + QLatin1Char('\n') + error;
}

} // namespace remote
