#pragma once

#include "remote/remote_file.h"
#include "remote/remote_server.h"
#include "remote/remote_switches.h"
#include "remote/speaker_desk.h"
#include "remote/talk_state.h"

#include <QHostAddress>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace remote {

class MessageWindow;
class RemoteWindow;

// The remote view as the main window sees it: the server, its three links
// and their remembered settings, the window that shows them, the message to
// the speaker, and the pushing of every change of the talk to the open
// pages. The main window calls stateChanged() after anything it shows may
// have changed; that costs one test while no page is open.
class RemoteView : public QObject, public RemoteSwitches, public SpeakerDesk
{
    Q_OBJECT
public:
    using WindowStateSource = std::function<WindowState()>;
    // Acts as a press of a remote button or a command of the control API:
    // "start", "pause", "contn." or "continue", "reset", "next", "previous",
    // "+10", "-10". Empty when it acted, else why the talk's state does not
    // allow it.
    using Act = std::function<QString(const QString &command)>;
    // The session's timetable as the chair's page shows it.
    using ChairSource = std::function<QJsonObject()>;

    RemoteView(WindowStateSource window, Act act, QObject *parent);
    ~RemoteView() override;

    // Reads the remote file and turns the server on if it was left on, or
    // serves at the port given on the command line for this run only.
    // Empty, or what went wrong.
    QString restore(std::optional<quint16> port = std::nullopt, const QHostAddress &address = QHostAddress::Any);
    // Listens on the port (every address of this computer unless tests
    // say otherwise) and remembers that. Empty, or what went wrong.
    QString turnOn(quint16 port, const QHostAddress &address = QHostAddress::Any) override;
    // Listens on the port for this run only: the remembered on/off and
    // port stay as restore() read them, so a later start without the
    // option does not listen.
    QString serveOnce(quint16 port, const QHostAddress &address = QHostAddress::Any) override;
    void turnOff() override;
    void setControlAllowed(bool allowed) override;
    // Makes every token anew; every open page is dropped.
    void renewLinks() override;
    void setChairSource(ChairSource source) { m_chair = std::move(source); }

    // The message over the readout of every page but the main window's;
    // an empty one clears it.
    void setSpeakerMessage(const QString &message) override;
    QString speakerMessage() const override { return m_speakerMessage; }
    // Sends a preset, counted from 0, if there is one.
    void sendPreset(int index);
    const QStringList &presets() const override { return m_presets; }
    // Empty on success, else what went wrong with the presets' file.
    QString setPresets(const QStringList &presets) override;

    void stateChanged()
    {
        if (m_server.hasViewers() && !m_pushQueued)
            queuePush();
        emit talkStateChanged();
    }
    // The state the chair's page gets, for those who pass it on.
    QJsonObject chairState() const { return linkState(Link::Chair, sharedState()); }

    // Where the room publishes its state for the conference board; kept in
    // the remote view's file. Empty, or what went wrong with the file.
    const BoardSettings &boardSettings() const { return m_settings.board; }
    QString setBoardSettings(const BoardSettings &settings);

    void addWindowPart(WindowPart part) { m_windowParts.push_back(std::move(part)); }
    const std::vector<WindowPart> &windowParts() const override { return m_windowParts; }

    // On as the user left it, even while its port cannot be opened, or
    // served for this run only.
    bool isOn() const override { return m_settings.on || m_oneOffPort.has_value(); }
    bool isListening() const override { return m_server.isListening(); }
    quint16 port() const override { return m_oneOffPort.value_or(m_settings.port); }
    // Whether it serves for this run only, as the command line asked.
    bool servesOnce() const override { return m_oneOffPort.has_value(); }
    bool controlAllowed() const override { return m_settings.allowControl; }
    // The addresses to give to other devices, with this computer's LAN
    // address: the one chosen in the window while it exists, else that of
    // the network in use.
    QString viewLink() const override;
    QString controlLink() const override;
    QString chairLink() const override;
    // The address the links name; empty chooses that of the network in use.
    void chooseAddress(const QString &address) override;
    // The chosen address while this computer has it, else the first of
    // lanAddresses(), else the host name, else the loopback address.
    QString linkHost() const override;
    int viewerCount() const override { return m_server.viewerCount(); }
    // What went wrong last with the server or the file, or empty.
    QString problem() const override { return m_problem; }

    void whenChanged(QObject *receiver, std::function<void()> callback) override
    {
        connect(this, &RemoteView::changed, receiver, std::move(callback));
    }

    void showWindow();
    void showMessageWindow();
    RemoteServer &server() { return m_server; }

signals:
    // On or off, port, links, viewers, or the control setting changed.
    void changed();
    // Anything the pages show may have changed: the talk, the buttons, the
    // session, the message.
    void talkStateChanged();

private:
    void queuePush();
    void push();
    // The state every page shows, and the same as one link's pages see it.
    QJsonObject sharedState() const;
    QJsonObject linkState(Link link, QJsonObject state) const;
    QByteArray stateFor(Link link, QJsonObject state) const;
    CommandOutcome command(const QByteArray &command, const QByteArray &body);
    QString link(const QByteArray &token) const;
    void makeTokens();
    QString listen(quint16 port, const QHostAddress &address);
    void remember();

    WindowStateSource m_window;
    Act m_act;
    ChairSource m_chair;
    RemoteSettings m_settings;
    // The port of a server started for this run only; never written.
    std::optional<quint16> m_oneOffPort;
    // Chosen for this run only: the next network may not have it.
    QString m_chosenAddress;
    RemoteServer m_server;
    std::array<QByteArray, 3> m_lastSent; // by Link
    bool m_pushQueued = false;
    QString m_problem;
    QString m_speakerMessage;
    QStringList m_presets;
    // The chair's clock moves on while the talk stands still.
    QTimer m_chairClock;
    QPointer<RemoteWindow> m_remoteWindow;
    QPointer<MessageWindow> m_messageWindow;
    std::vector<WindowPart> m_windowParts;
};

} // namespace remote
