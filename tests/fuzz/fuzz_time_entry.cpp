// Any text typed into any time box, in either unit: the stored times stay
// in range, the talk can be timed, and bell 1 never falls on bell 2 or 3.

#include "settings/number_text.h"
#include "settings_window/time_entry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int box = data[0] % 3 + 1;
    TimerSettingsRecord settings;
    settings.SecondsUnits = int16_t(data[1] % 3); // 2: a hand-edited flag
    const QString typed = QString::fromUtf8(reinterpret_cast<const char *>(data + 2), int(size - 2));
    readLeadingNumber(typed);

    const TimeEntryResult r = enterTime(box, typed, settings, 600);
    const TimerSettingsRecord &s = r.settings;
    if (!r.accepted)
        return s == settings ? 0 : (std::abort(), 0);
    if (!sumsOutOfRange(s).isEmpty() || r.totalTime != s.PresentationTime + s.DiscussionTime)
        std::abort();
    if (s.PresentationTime < 0 || s.DiscussionTime < 0 || s.FirstBellTime < 0)
        std::abort();
    const bool rings = s.RingFirstBell == 1;
    if (rings != (s.FirstBellTime > 0))
        std::abort();
    if (rings && (s.FirstBellTime >= r.totalTime || s.FirstBellTime == s.PresentationTime))
        std::abort();
    return 0;
}
