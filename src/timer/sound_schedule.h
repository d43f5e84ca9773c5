#pragma once

#include "settings/timer_settings.h"

#include <cstdint>
#include <optional>

// What one counted second of a running talk plays. Bells are 1, 2 or 3;
// bell 3 also serves as the overtime warning.
struct SoundCues {
    bool music = false;
    int bell = 0;          // 0: no bell
    bool drawMessage = false; // a phase boundary: the title changes

    bool operator==(const SoundCues &o) const
    {
        return music == o.music && bell == o.bell && drawMessage == o.drawMessage;
    }
};

// The first test that applies wins, so bell 3 wins over bell 2 when there is
// no discussion, and bell 2 over bell 1 when they coincide. The music is
// decided apart and may start with a warning.
SoundCues soundScheduleFor(int32_t elapsed, const TimerSettingsRecord &settings, int16_t total);

// The first second after `elapsed` at which a running talk plays a sound, or
// none: while idle or paused, or when nothing is left to play. The audio
// device opens shortly before it.
std::optional<int32_t> nextSoundSecond(int16_t runState, int32_t elapsed, const TimerSettingsRecord &settings,
                                       int16_t total);
