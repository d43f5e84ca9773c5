#pragma once

#include <QHostAddress>
#include <QString>

#include <functional>
#include <vector>

class QObject;
class QWidget;

namespace remote {

// What the remote window shows and changes of the remote view: on and off,
// the port, the links and the address they name, whether the control link
// may press the buttons, and how many pages are open. The window knows
// nothing else of the remote view.
class RemoteSwitches
{
public:
    virtual ~RemoteSwitches() = default;

    virtual bool isOn() const = 0;
    virtual bool isListening() const = 0;
    virtual quint16 port() const = 0;
    virtual bool servesOnce() const = 0;
    virtual QString turnOn(quint16 port, const QHostAddress &address = QHostAddress::Any) = 0;
    virtual QString serveOnce(quint16 port, const QHostAddress &address = QHostAddress::Any) = 0;
    virtual void turnOff() = 0;
    virtual bool controlAllowed() const = 0;
    virtual void setControlAllowed(bool allowed) = 0;
    virtual void renewLinks() = 0;
    virtual QString viewLink() const = 0;
    virtual QString controlLink() const = 0;
    virtual QString chairLink() const = 0;
    virtual void chooseAddress(const QString &address) = 0;
    virtual QString linkHost() const = 0;
    virtual int viewerCount() const = 0;
    virtual QString problem() const = 0;
    // More parts of the window, such as the conference board's, each made
    // when the window is.
    using WindowPart = std::function<QWidget *(QWidget *parent)>;
    virtual const std::vector<WindowPart> &windowParts() const = 0;
    // Calls back after any of the above may have changed, for as long as
    // the receiver lives.
    virtual void whenChanged(QObject *receiver, std::function<void()> callback) = 0;
};

} // namespace remote
