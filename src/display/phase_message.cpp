#include "display/phase_message.h"

int messageTop(int16_t digitTop) { return 11 * digitTop; }

double messageRoom(double clientHeight, int top, int16_t digitFontSize)
{
    return clientHeight - top - digitFontSize / 3.0 - 60;
}

bool blinkHides(int32_t elapsed, const TimerSettingsRecord &s, int16_t total)
{
    if (s.BlinkAtEnd != 1)
        return false;
    const int32_t p = s.PresentationTime;
    if (p - s.BlinkTime <= elapsed && elapsed < p)
        return true;
    return total - s.BlinkTime <= elapsed && elapsed < total;
}
