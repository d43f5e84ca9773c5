#include "settings_window/time_entry.h"

#include "settings/number_text.h"
#include "settings_window/diagram_texts.h"

#include <algorithm>
#include <limits>

namespace {

std::optional<long> fitting16(long value)
{
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return value;
}

// A typed number stored into a 16-bit time: nearest whole number, halves to even.
std::optional<long> whole16(double value) { return fitting16(roundHalfEven(value)); }

} // namespace

TimeEntryResult enterTime(int index, const QString &typed, const TimerSettingsRecord &settings,
                          int16_t totalTime, std::optional<int16_t> typedUnits)
{
    // The boxes' unit decides the refills and the first bell's step; the
    // number typed may count in another.
    const int16_t units = settings.SecondsUnits;
    const int16_t reading = typed.isEmpty() ? units : typedUnits.value_or(units);
    const QString refill = boxText(settings.time(index), units);

    TimeEntryResult refused{false, settings, totalTime, {}};
    refused.texts[index - 1] = refill;

    const QString text = typed.isEmpty() ? refill : typed;
    const std::optional<double> number = readDecimalField(typedNumberText(text));
    if (!number)
        return refused;

    TimeEntryResult r{true, settings, totalTime, {}};
    TimerSettingsRecord &s = r.settings;
    if (typed.isEmpty()) {
        r.texts[index - 1] = refill;
    } else {
        // Only a unit flag of exactly 0 makes these boxes read minutes.
        const std::optional<long> whole = whole16(*number);
        const std::optional<long> seconds = whole ? fitting16(reading == 0 ? *whole * 60 : *whole) : std::nullopt;
        if (!seconds)
            return refused;
        s.time(index) = int16_t(std::max(*seconds, 0L));
    }

    long firstBell = s.FirstBellTime;
    if (index == 3) {
        // The first bell keeps the fraction of a minute that was typed.
        const std::optional<long> seconds = whole16(reading == 1 ? *number : *number * 60);
        if (!seconds)
            return refused;
        firstBell = *seconds;
    } else {
        long total = long(s.PresentationTime) + s.DiscussionTime;
        if (!sumsOutOfRange(s).isEmpty()) {
            s.time(index) = 0;
            r.texts[index - 1] = QStringLiteral("0");
            total = s.time(3 - index);
        }
        r.totalTime = int16_t(total);
    }

    // At the second of bell 2 or bell 3 only that bell sounds, so bell 1 must
    // come at least one step before either.
    const int step = units == 1 ? 10 : 60;
    if (firstBell >= r.totalTime)
        firstBell = r.totalTime - step;
    if (firstBell == s.PresentationTime)
        firstBell = s.PresentationTime - step;

    if (firstBell <= 0)
        firstBell = 0;
    s.FirstBellTime = int16_t(firstBell);
    s.RingFirstBell = firstBell > 0 ? 1 : 0;
    r.texts[2] = boxText(s.FirstBellTime, units);
    return r;
}
