#include "programme/talk_times.h"

#include "settings_window/time_entry.h"

namespace programme {

namespace {
// The SecondsUnits value of numbers that count seconds.
constexpr int16_t InSeconds = 1;
} // namespace

TalkTimes enterTalkTimes(const Talk &talk, const TimerSettingsRecord &settings, int16_t totalTime)
{
    TalkTimes t{settings, totalTime};
    const auto type = [&t](int box, int16_t seconds) {
        const TimeEntryResult entry = enterTime(box, QString::number(seconds), t.settings, t.totalTime, InSeconds);
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
    return t;
}

} // namespace programme
