#include "timer/sound_schedule.h"

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
