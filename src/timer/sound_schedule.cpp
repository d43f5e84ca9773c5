#include "timer/sound_schedule.h"

#include <algorithm>
#include <vector>

SoundCues soundScheduleFor(int32_t e, const TimerSettingsRecord &s, int16_t total)
{
    SoundCues cues;
    const int32_t t = total;
    cues.music = e == t + s.MusicStartTime && s.OvertimeMusic == 1;
    if (e > t + 1) {
        // An interval of 0 or less would divide by zero or never come round:
        // no warning then.
        if (s.WarningInterval > 0 && (e - t) % s.WarningInterval == 0 && s.OvertimeWarning == 1)
            cues.bell = 3;
    } else if (e == t) {
        cues.bell = 3;
        cues.drawMessage = true;
    } else if (e == s.PresentationTime) {
        cues.bell = 2;
        cues.drawMessage = true;
    } else if (e == s.FirstBellTime) {
        if (s.RingFirstBell == 1)
            cues.bell = 1;
    } else if (e == 0) {
        cues.drawMessage = true;
    }
    return cues;
}

std::optional<int32_t> nextSoundSecond(int16_t runState, int32_t e, const TimerSettingsRecord &s, int16_t total)
{
    if (runState == 0)
        return std::nullopt;
    // Sounds come only at these seconds; the schedule itself settles which
    // of them sound.
    const int32_t t = total;
    std::vector<int32_t> candidates{s.FirstBellTime, s.PresentationTime, t, t + s.MusicStartTime};
    if (s.WarningInterval > 0) {
        const int32_t from = std::max(e + 1, t + 2);
        candidates.push_back(from + (s.WarningInterval - (from - t) % s.WarningInterval) % s.WarningInterval);
    }
    std::optional<int32_t> next;
    for (const int32_t second : candidates) {
        const SoundCues cues = soundScheduleFor(second, s, total);
        if (second > e && (cues.music || cues.bell != 0) && (!next || second < *next))
            next = second;
    }
    return next;
}
