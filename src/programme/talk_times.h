#pragma once

#include "programme/programme_file.h"
#include "settings/timer_settings.h"

namespace programme {

struct TalkTimes {
    TimerSettingsRecord settings;
    int16_t totalTime = 0;
};

// The settings after a talk's times were typed into the settings window's
// boxes: the presentation, the discussion, then the first bell when the talk
// gives one, so that the first bell is corrected as for any typed time, in
// steps of the boxes' unit. The numbers count seconds whatever unit the boxes
// show, so that 12:30 keeps its thirty seconds.
TalkTimes enterTalkTimes(const Talk &talk, const TimerSettingsRecord &settings, int16_t totalTime);

} // namespace programme
