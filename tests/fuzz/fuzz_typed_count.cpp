// Any text typed into the clock-correction box gives a count the clock can
// hold, or none.

#include "clock_correction/typed_count.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString typed = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const auto count = readTypedCount(typed);
    if (count && (*count < 0 || *count > 32767))
        std::abort();
    return 0;
}
