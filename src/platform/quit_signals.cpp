#include "platform/quit_signals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::array<int, 3> QuitSignalNumbers{SIGTERM, SIGINT, SIGHUP};

// The pair's write end for the handler; -1 while no watcher exists.
volatile std::sig_atomic_t writeEnd = -1;
int readEnd = -1;
std::array<struct sigaction, QuitSignalNumbers.size()> previous{};

extern "C" void onQuitSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    // Only async-signal-safe calls here; a full socket already holds a byte.
    [[maybe_unused]] const ssize_t ignored = ::write(writeEnd, &byte, 1);
    errno = savedErrno;
}

} // namespace

QuitSignals::QuitSignals(QObject *parent) : QObject(parent)
{
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pair) != 0)
        return;
    readEnd = pair[0];
    writeEnd = pair[1];
    m_notifier = std::make_unique<QSocketNotifier>(readEnd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(readEnd, bytes, sizeof bytes) > 0) {
        }
        emit received();
    });
    struct sigaction action = {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (size_t i = 0; i < QuitSignalNumbers.size(); ++i) {
        ::sigaction(QuitSignalNumbers[i], nullptr, &previous[i]);
        // A signal ignored from the start stays so (nohup, a background job).
        if (previous[i].sa_handler != SIG_IGN)
            ::sigaction(QuitSignalNumbers[i], &action, nullptr);
    }
}

QuitSignals::~QuitSignals()
{
    if (!m_notifier)
        return;
    for (size_t i = 0; i < QuitSignalNumbers.size(); ++i)
        ::sigaction(QuitSignalNumbers[i], &previous[i], nullptr);
    m_notifier.reset();
    ::close(writeEnd);
    ::close(readEnd);
    writeEnd = -1;
    readEnd = -1;
}

} // namespace platform
