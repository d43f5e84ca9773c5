#pragma once

// What the benchmarks that run the program's own thread measure with: a
// steady clock in nanoseconds, an event loop run for a while without
// spinning, and the process's memory as the kernel counts it.

#include <QByteArray>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <chrono>

namespace bench {

inline qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

inline void runFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// "VmRSS:": resident now; "VmHWM:": the most it has been. 0 when unknown.
inline long memoryMiB(const QByteArray &field = QByteArrayLiteral("VmRSS:"))
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').first().toLong() / 1024;
    return 0;
}

} // namespace bench
