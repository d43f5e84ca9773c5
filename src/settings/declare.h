#pragma once

// The program's shared state: one settings record, the clock correction and
// the talk state. Every window reads and writes these directly; there is one
// user-interface thread, so no locking is needed.

#include "settings/timer_settings.h"

#include <cstdint>

inline TimerSettingsRecord TimerSettings;
// PresentationTime + DiscussionTime; never stored in the file.
inline int16_t TotalTime = 0;

// Ticks counted in 180 seconds of real time, and the ticks that make one
// counted second. A hand-edited clock file may hold a fraction.
inline double ClockCorrection = 18000;
inline int16_t TicksPerSecond = 100;

// The talk clock: 1 while it counts, 0 while idle or paused.
inline int16_t RunState = 0;
inline int32_t ElapsedSeconds = 0;
inline int16_t TickCount = 0;

// Recomputes TotalTime after a time has changed.
inline void updateTotalTime()
{
    TotalTime = int16_t(TimerSettings.PresentationTime + TimerSettings.DiscussionTime);
}
