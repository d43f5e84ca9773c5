#include "programme/talk_times.h"

#include "settings_window/time_entry.h"

namespace programme {

TalkTimes enterTalkTimes(const Talk &talk, const TimerSettingsRecord &settings, int16_t totalTime)
{
    TalkTimes t{settings, totalTime};
    t.settings.SecondsUnits = 1;
    const auto type = [&t](int box, int16_t seconds) {
        const TimeEntryResult entry = enterTime(box, QString::number(seconds), t.settings, t.totalTime);
        if (entry.accepted) {
            t.settings = entry.settings;
            t.totalTime = entry.totalTime;
        }
    };
    type(1, talk.presentation);
    type(2, talk.discussion);
    // A long discussion left from before can refuse the presentation at
    // first; with the talk's own discussion in place it fits.
    if (t.settings.PresentationTime != talk.presentation)
        type(1, talk.presentation);
    if (talk.firstBell)
        type(3, *talk.firstBell);
    t.settings.SecondsUnits = settings.SecondsUnits;
    return t;
}

} // namespace programme
