#include "remote/remote_view.h"

#include "remote/link_token.h"
#include "remote/own_host.h"
#include "remote/remote_window.h"
#include "settings/declare.h"

#include <QCoreApplication>
#include <QHostInfo>

#include <algorithm>

namespace remote {

RemoteView::RemoteView(WindowStateSource window, Press press, QObject *parent)
    : QObject(parent), m_window(std::move(window))
{
    m_server.setStateSource([this] { return currentState(); });
    connect(&m_server, &RemoteServer::pressed, this, [press = std::move(press)](const QString &caption) {
        press(caption);
    });
    connect(&m_server, &RemoteServer::viewersChanged, this, [this] {
        // A new page got the state of this moment; the next push goes to
        // every page even if it equals the last one pushed.
        m_lastSent.clear();
        emit changed();
    });
}

RemoteView::~RemoteView()
{
    // The pages hear that Orlatim has ended while this object is whole.
    m_server.disconnect(this);
    m_server.close(Goodbye::Ended);
    // The window has no parent, so that it is a window of its own.
    delete m_remoteWindow.data();
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
    m_server.setTokens({m_settings.viewToken, m_settings.controlToken});
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
    m_settings.viewToken = newLinkToken();
    m_settings.controlToken = newLinkToken();
    m_server.setTokens({m_settings.viewToken, m_settings.controlToken});
    remember();
    emit changed();
}

QString RemoteView::viewLink() const { return link(m_settings.viewToken); }
QString RemoteView::controlLink() const { return link(m_settings.controlToken); }

void RemoteView::chooseAddress(const QString &address)
{
    if (address == m_chosenAddress)
        return;
    m_chosenAddress = address;
    emit changed();
}

QString RemoteView::linkHost() const
{
    const QList<LanAddress> addresses = lanAddresses();
    const bool chosenHere = std::any_of(addresses.begin(), addresses.end(),
                                        [this](const LanAddress &a) { return a.address == m_chosenAddress; });
    if (chosenHere)
        return m_chosenAddress;
    if (!addresses.isEmpty())
        return addresses.first().address;
    const QString name = QHostInfo::localHostName();
    return name.isEmpty() ? QStringLiteral("127.0.0.1") : name;
}

QString RemoteView::link(const QByteArray &token) const
{
    QString host = linkHost();
    if (host.contains(QLatin1Char(':')))
        host = QLatin1Char('[') + host + QLatin1Char(']');
    return QStringLiteral("http://%1:%2/%3").arg(host).arg(port()).arg(QString::fromLatin1(token));
}

void RemoteView::showWindow()
{
    // The links can be handed out before the server is turned on.
    if (m_settings.viewToken.isEmpty() || m_settings.controlToken.isEmpty()) {
        makeTokens();
        remember();
    }
    if (!m_remoteWindow)
        m_remoteWindow = new RemoteWindow(*this);
    m_remoteWindow->show();
    m_remoteWindow->raise();
    m_remoteWindow->activateWindow();
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
    if (!m_server.hasViewers())
        return;
    const QByteArray state = currentState();
    if (state == m_lastSent)
        return;
    m_lastSent = state;
    m_server.send(state);
}

QByteArray RemoteView::currentState() const
{
    return talkStateJson(TimerSettings, TotalTime, ElapsedSeconds, m_window(), m_settings.allowControl);
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
