#pragma once

#include "settings/timer_settings.h"

#include <QString>

#include <array>
#include <cstdint>

// What the schedule diagram writes for the current settings. Any unit flag
// other than 1 means minutes; minutes shown are whole minutes, truncated.

// A time as a time box shows it: seconds, or whole minutes.
QString boxText(int16_t seconds, int16_t secondsUnits);

// "total  10 min", "total  600 sec".
QString totalCaption(int16_t totalTime, int16_t secondsUnits);

struct DiagramTexts {
    QString unit;                 // the three unit labels
    std::array<QString, 3> boxes; // presentation, discussion, first bell
    QString warning;              // the overtime warning option
    QString music;                // the overtime music option
    QString total;                // the caption under the total line
    QString blink;                // the blink option, always in seconds
};
DiagramTexts diagramTexts(const TimerSettingsRecord &settings, int16_t totalTime);

// Bell 1 is drawn over the discussion only when it rings after bell 2.
bool firstBellInDiscussion(const TimerSettingsRecord &settings);
