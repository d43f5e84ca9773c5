#pragma once

#include <QtGlobal>

#include <array>
#include <limits>

namespace remote {

// At most five control commands a second from one connection, so a stuck
// button or a script cannot start and pause the clock faster than a person.
class CommandRate
{
public:
    static constexpr int PerSecond = 5;

    // Whether a command arriving at nowMs (a monotonic clock) is taken.
    bool allow(qint64 nowMs)
    {
        qint64 &fifthLast = m_taken[m_next];
        if (nowMs - fifthLast < 1000)
            return false;
        fifthLast = nowMs;
        m_next = (m_next + 1) % PerSecond;
        return true;
    }

private:
    std::array<qint64, PerSecond> m_taken{filled(std::numeric_limits<qint64>::min() / 2)};
    size_t m_next = 0;

    static constexpr std::array<qint64, PerSecond> filled(qint64 value)
    {
        std::array<qint64, PerSecond> a{};
        for (qint64 &v : a)
            v = value;
        return a;
    }
};

} // namespace remote
