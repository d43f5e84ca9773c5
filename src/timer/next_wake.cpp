#include "timer/next_wake.h"

#include "display/phase_message.h"

#include <algorithm>

std::optional<int> ticksToNextWake(int16_t runState, int32_t elapsed, int16_t tickCount, int16_t ticksPerSecond,
                                   const TimerSettingsRecord &settings, int16_t total)
{
    if (runState == 0)
        return std::nullopt;
    const int half = ticksPerSecond / 2;
    if (tickCount < half && blinkHides(elapsed, settings, total))
        return half - tickCount;
    // A rate lowered in the middle of a second completes it at the next tick.
    return std::max(1, ticksPerSecond - tickCount);
}
