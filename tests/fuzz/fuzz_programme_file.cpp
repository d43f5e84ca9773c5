// Any bytes as "Orlatim-programme.csv": every talk read is one the time
// entry takes, and taking one talk after another keeps the settings timeable.

#include "programme/programme_file.h"
#include "programme/talk_times.h"
#include "settings/timer_settings.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const programme::ProgrammeRead read =
        programme::readProgramme(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    TimerSettingsRecord settings;
    int16_t total = 600;
    for (const programme::Talk &talk : read.talks) {
        if (talk.presentation <= 0 || talk.discussion < 0 || talk.presentation + talk.discussion >= TotalTimeLimit)
            std::abort();
        const programme::TalkTimes taken = programme::enterTalkTimes(talk, settings, total);
        settings = taken.settings;
        total = taken.totalTime;
        if (!sumsOutOfRange(settings).isEmpty() || total != settings.PresentationTime + settings.DiscussionTime
            || (settings.RingFirstBell == 1 && settings.FirstBellTime >= total))
            std::abort();
    }
    return 0;
}
