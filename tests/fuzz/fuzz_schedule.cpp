// Any bytes as a published timetable of one format (SCHEDULE_FORMAT): a
// read either fails with a message and no entries, or gives entries whose
// day, start and length a programme can take, or that say why not.

#include "import/schedule_formats.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace schedule_import;
    const ScheduleRead read = readScheduleAs(ScheduleFormat::SCHEDULE_FORMAT,
                                             QByteArray(reinterpret_cast<const char *>(data), int(size)),
                                             QStringLiteral("fuzz"));
    if (!read.error.isEmpty() && !read.entries.isEmpty())
        std::abort();
    for (const ScheduleEntry &entry : read.entries) {
        if (!entry.unreadable.isEmpty())
            continue;
        if (!entry.day.isValid() || !entry.start.isValid() || entry.minutes < 0 || entry.minutes > 24 * 60
            || entry.title.isEmpty())
            std::abort();
    }
    return 0;
}
