#pragma once

#include "settings/timer_settings.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The outcome of Enter in one of the three time boxes.
struct TimeEntryResult {
    // False when the text was refused: then only the box's refill applies
    // and the settings and the total are those given.
    bool accepted = false;
    TimerSettingsRecord settings;
    int16_t totalTime = 0;
    // New texts of boxes 1..3 at [0..2]; no value leaves a box as it is.
    std::array<std::optional<QString>, 3> texts;
};

// Reads the text typed into box `index` (1 presentation, 2 discussion,
// 3 first bell), stores it as that time, corrects the first bell against
// the other two and decides whether bell 1 rings. An empty box is refilled
// with its stored time. Full-width forms read as their ASCII ones. Text
// that is not a plain number, seconds beyond 16
// bits, and a talk whose sums would not fit are refused or cut back, so that
// the settings can always be timed and read back from the file.
// typedUnits, when given, is the SecondsUnits value the typed number is read
// in instead of the boxes' own (a session programme gives seconds); the
// first bell is still corrected in steps of the boxes' unit.
TimeEntryResult enterTime(int index, const QString &typed, const TimerSettingsRecord &settings,
                          int16_t totalTime, std::optional<int16_t> typedUnits = std::nullopt);
