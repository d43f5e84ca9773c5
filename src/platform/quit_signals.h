#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

namespace platform {

// Turns SIGTERM, SIGINT (Ctrl+C) and SIGHUP into a Qt signal delivered on
// the event loop, so that a program ended from a terminal or by the system
// leaves the way the close box does. The handler only writes a byte to a
// socket pair; everything else runs in the event loop. After the first
// signal the default action is back, so a second Ctrl+C ends the program at
// once even if leaving hangs. One watcher at a time.
class QuitSignals : public QObject
{
    Q_OBJECT
public:
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;
    Q_DISABLE_COPY(QuitSignals)

signals:
    void received();

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace platform
