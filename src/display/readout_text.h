#pragma once

#include "settings/timer_settings.h"

#include <QString>

// From 6000 seconds on a talk needs three minute digits: the readout grows
// from five characters to six.
constexpr bool sixCharacterReadout(int16_t total) { return total >= 6000; }

// The readout text for t elapsed seconds: "mm:ss", or "mmm:ss" for a long
// talk, showing elapsed or remaining time as the options choose. Overtime
// always counts up from zero.
QString StrTime(int32_t t, const TimerSettingsRecord &settings, int16_t total);
