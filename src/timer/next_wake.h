#pragma once

#include "settings/timer_settings.h"

#include <cstdint>
#include <optional>

// How many ticks the talk clock may let pass before a tick has something to
// do: the half-second tick when the blink hides the message in this second,
// otherwise the tick that completes the second. None while the clock is idle
// or paused, when no tick does anything.
std::optional<int> ticksToNextWake(int16_t runState, int32_t elapsed, int16_t tickCount, int16_t ticksPerSecond,
                                   const TimerSettingsRecord &settings, int16_t total);
